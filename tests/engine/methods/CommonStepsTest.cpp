#include <gtest/gtest.h>

#include <cmath>

#include "CommonCase.h"
#include "CommonSteps.h"

using namespace veldo;
using commoncase::build;
using commoncase::Pile;
using commoncase::SoilLayer;

namespace {

// English open steel pipe OD 24 in, ID = EID = 23 in, TL 20 ft, increment 1 ft, clay
// su = 1 ksf (q = 9 ksf). Index 4 with a plug pair of 0.5 ksf at every segment end.
std::unique_ptr<EngineState> openPipe(int plug, double esl = -1)
{
    SoilLayer clay{.bottom = 30, .type = 2, .unitWeight = 100, .su = 1.0};
    auto S = build(Pile{.od = 24, .id = 23, .pileEnd = 0, .tl = 20}, {clay});
    S->PLUG_CONDITION = plug;
    if (esl > 0)
        S->ESL = esl;
    S->METHOD_PLUG_FRICTION[4].fill(0.5);
    COMMON_STEPS(*S, 4);
    return S;
}

// Hand values of the open pipe:
// annulus force 9 x 0.7853975 x (24^2 - 23^2)/144 = 2.307105 kips;
// inner friction per 1-ft segment 1 x 0.5 x 3.14159 x 23/12 = 3.010690 kips;
// full-section force 9 x 0.7853975 x 2^2 = 28.274310 kips, averaged over +-3 ft.
constexpr double kAnnulus = 9 * 0.7853975 * 47.0 / 144.0;
constexpr double kInner = 0.5 * 3.14159 * 23.0 / 12.0;
constexpr double kFull = 9 * 0.7853975 * 4.0;

} // namespace

TEST(CommonSteps, OpenPipePlugComputed)
{
    auto S = openPipe(0);
    EXPECT_NEAR(S->ANNULUS_TIP_ENDS[1], kAnnulus, 1e-9);
    EXPECT_NEAR(S->PLUG_FRICTION_CUMULATIVE[20], 10 * kInner, 1e-9);
    // Node 0: the unplugged value (annulus alone) is below the averaged full section.
    EXPECT_NEAR(S->TIP_RESULT[0], kAnnulus, 1e-9);
    EXPECT_EQ(S->PLUG_FLAG[4][0], 2);
    // Node 8: annulus + 8 x inner = 26.39 < 28.27: the plug friction controls ("*").
    EXPECT_NEAR(S->TIP_RESULT[8], kAnnulus + 8 * kInner, 1e-9);
    EXPECT_EQ(S->PLUG_FLAG[4][8], 2);
    // Node 9: 29.40 > 28.27: the full section controls.
    EXPECT_NEAR(S->TIP_RESULT[9], kFull, 1e-9);
    EXPECT_EQ(S->PLUG_FLAG[4][9], 1);
    EXPECT_NEAR(S->METHOD_END_BEARING[4][9], kFull, 1e-9);
}

TEST(CommonSteps, OpenPipePluggedAndAveragingWindowNearTheHead)
{
    auto S = openPipe(1);
    // Window +-1.5 D' = +-3 ft; below the head the lower integral is 0:
    // node 0: I(3)/6, node 1: I(4)/6, node 2: I(5)/6, node 3: I(6)/6 (lower edge 0).
    EXPECT_NEAR(S->TIP_RESULT[0], kFull * 3 / 6, 1e-9);
    EXPECT_NEAR(S->TIP_RESULT[1], kFull * 4 / 6, 1e-9);
    EXPECT_NEAR(S->TIP_RESULT[2], kFull * 5 / 6, 1e-9);
    EXPECT_NEAR(S->TIP_RESULT[3], kFull, 1e-9);
    for (int k = 0; k <= 20; ++k)
        EXPECT_EQ(S->PLUG_FLAG[4][k], 1) << k;
}

TEST(CommonSteps, OpenPipeUnplugged)
{
    auto S = openPipe(2);
    // No inner friction at all: the annulus force at every node, every node flagged.
    for (int k = 0; k <= 20; ++k) {
        EXPECT_NEAR(S->TIP_RESULT[k], kAnnulus, 1e-9) << k;
        EXPECT_EQ(S->PLUG_FLAG[4][k], 2) << k;
    }
}

TEST(CommonSteps, ShortEndSectionCountsOnlyItsInnerFriction)
{
    // ESL 5 ft: node 10 counts the inner friction from the bottom of segment 5 down
    // to 10 ft: annulus + 10 x inner - 5 x inner.
    auto S = openPipe(0, 5.0);
    EXPECT_NEAR(S->PLUG_TIP_NODE[10], kAnnulus + 5 * kInner, 1e-9);
    EXPECT_NEAR(S->PLUG_TIP_NODE[4], kAnnulus + 4 * kInner, 1e-9);
}

TEST(CommonSteps, SelfWeightInTension)
{
    // Closed steel pipe OD 12 in, ID 11 in: As = 0.7853975 x 23/144 = 0.1254454 ft2,
    // gamma 0.49 kcf: W = 0.0614683 d kips in the dry.
    SoilLayer clay{.bottom = 30, .type = 2, .unitWeight = 100, .su = 1.0, .tipFactor = 0.5};
    auto S = build(Pile{.od = 12, .id = 11, .pileEnd = 1, .tl = 20}, {clay});
    S->LOADING = 1;
    const double as = 0.7853975 * 23 / 144;
    COMMON_STEPS(*S, 4);
    EXPECT_NEAR(S->TIP_RESULT[20], 20 * as * 0.49, 1e-9); // no light layer (zw = 99999)
    // Third column: W unfactored (the tip factor 0.5 does not apply); ultimate = skin + W.
    EXPECT_NEAR(S->METHOD_END_BEARING[4][20], 20 * as * 0.49, 1e-9);
    S->METHOD_SKIN[4][20] = 10.0;
    COMMON_STEPS(*S, 4);
    EXPECT_NEAR(S->METHOD_ULTIMATE[4][20], 10.0 + 20 * as * 0.49, 1e-9);

    // Light layer from 10 ft: submerged (0.49 - 0.0624) below it: 1.151087 kips at 20 ft.
    S->LOW_WEIGHT_DEPTH = 10;
    COMMON_STEPS(*S, 4);
    EXPECT_NEAR(S->TIP_RESULT[20], as * 0.49 * 10 + as * (0.49 - 0.0624) * 10, 1e-9);
    EXPECT_NEAR(S->TIP_RESULT[20], 1.151087, 1e-6);

    // zw = 0.5 is stored as 0.1.
    S->LOW_WEIGHT_DEPTH = 0.5;
    COMMON_STEPS(*S, 4);
    EXPECT_DOUBLE_EQ(S->LOW_WEIGHT_DEPTH, 0.1);
    EXPECT_NEAR(S->TIP_RESULT[20], as * 0.49 * 0.1 + as * (0.49 - 0.0624) * 19.9, 1e-9);

    // Constant area of a closed steel pipe below zw: As gamma d - Ad gamma_w (d - zw).
    S->LOW_WEIGHT_DEPTH = 10;
    S->CONSTANT_AREA = 18.0; // in2
    COMMON_STEPS(*S, 4);
    const double ad = 0.7853975 * 144 / 144;
    EXPECT_NEAR(S->TIP_RESULT[20], 18.0 / 144 * 0.49 * 20 - ad * 0.0624 * 10, 1e-9);
}

TEST(CommonSteps, UnitEndBearingRules)
{
    // Sand phi 32.5, Nq 40, English: index 3/4 limit 150 ksf; a typed limit of 120 wins.
    SoilLayer sand{.bottom = 60, .type = 1, .unitWeight = 120, .phi = 32.5, .nq = 40};
    auto S = build(Pile{.od = 12, .tl = 50, .deepest = 60}, {sand});
    COMMON_STEPS(*S, 4);
    EXPECT_NEAR(S->UNIT_BEARING_ENDS[2], 0.12 * 40, 1e-9); // segment 1 bottom, below the limit
    EXPECT_NEAR(S->UNIT_BEARING_ENDS[80], 150.0, 1e-9);    // 40 ft: 4.8 x 40 = 192 -> 150
    EXPECT_NEAR(S->TIP_RESULT[45], 150.0 * 0.7853975, 1e-9);
    for (int i = 1; i <= S->SEG_COUNT; ++i)
        S->SEG_MAX_UNIT_BEARING[i] = 120.0;
    COMMON_STEPS(*S, 4);
    EXPECT_NEAR(S->UNIT_BEARING_ENDS[80], 120.0, 1e-9);
    EXPECT_NEAR(S->SEG_NQ[10], 40.0, 1e-12); // the input Nq is left as it was

    // SI, phi 37.5: limit 9600 + 2.5 x 480 = 10800 kPa.
    SoilLayer dense{.bottom = 20, .type = 1, .unitWeight = 20, .phi = 37.5, .nq = 100};
    auto si = build(Pile{.english = false, .od = 500, .tl = 15, .increment = 0.5, .deepest = 20}, {dense});
    COMMON_STEPS(*si, 3);
    EXPECT_NEAR(si->UNIT_BEARING_ENDS[40], 10800.0, 1e-9); // 10 m: 200 kPa x 100 = 20000 -> 10800
}

TEST(CommonSteps, FhwaAlphaChartUsesLengthOverDiameter)
{
    // TL 30 ft over OD 12 in = 30 diameters: the chart's 30 curve, alpha(30 deg) = 0.52;
    // N'q = Nq_B(30) x alpha = 30 x 0.52 = 15.6; at the bottom of segment 1 sigma'v = 0.12.
    SoilLayer sand{.bottom = 40, .type = 1, .unitWeight = 120, .phi = 30};
    auto S = build(Pile{.od = 12, .tl = 30, .deepest = 40}, {sand});
    COMMON_STEPS(*S, 1);
    EXPECT_NEAR(S->UNIT_BEARING_ENDS[2], 0.12 * 15.6, 1e-9);
    // Limit Nq_C(30) x 2 = 13.32 ksf at depth.
    EXPECT_NEAR(S->UNIT_BEARING_ENDS[60], 13.32, 1e-9);
}

TEST(CommonSteps, ClayEveryIndexButOffshoreTakesNineSu)
{
    SoilLayer clay{.bottom = 30, .type = 2, .unitWeight = 100, .su = 1.0, .qc = 10.0};
    auto S = build(Pile{.english = false, .od = 1000, .tl = 20, .deepest = 30}, {clay});
    for (int index : {1, 2, 3, 4, 5}) {
        COMMON_STEPS(*S, index);
        EXPECT_NEAR(S->UNIT_BEARING_ENDS[9], 9.0, 1e-12) << index;
    }
    // Offshore clay rule, closed end, undrained: q = 0.8 qc; drained 1.3 qc.
    COMMON_STEPS(*S, 6);
    EXPECT_NEAR(S->UNIT_BEARING_ENDS[9], 8.0, 1e-12);
    S->CLAY_CONDITION = 1;
    COMMON_STEPS(*S, 7);
    EXPECT_NEAR(S->UNIT_BEARING_ENDS[9], 13.0, 1e-12);
}

TEST(CommonSteps, IcpClosedEndedSandRaisedToPointThree)
{
    // OD 1000 mm: r = 27.8, 1 - 0.5 log10 27.8 = 0.278 -> raised to 0.3 (D > 900).
    SoilLayer sand{.bottom = 30, .type = 1, .unitWeight = 10, .phi = 35, .qc = 10000};
    auto S = build(Pile{.english = false, .od = 1000, .tl = 20, .deepest = 30}, {sand});
    COMMON_STEPS(*S, 6);
    EXPECT_NEAR(S->UNIT_BEARING_ENDS[10], 3000.0, 1e-9);
}

TEST(CommonSteps, HelpersOfTheNodeFrame)
{
    SoilLayer clay{.bottom = 30, .type = 2, .unitWeight = 100, .su = 1.0};
    auto S = build(Pile{.od = 12, .tl = 20, .increment = 0.5}, {clay});
    EXPECT_EQ(lastNode(*S), 40);
    EXPECT_EQ(segmentAtNode(*S, 0), 1);
    EXPECT_EQ(segmentAtNode(*S, 40), 41);
    EXPECT_EQ(segmentAtNode(*S, 59), 60); // never past segment n
    EXPECT_EQ(segmentAtNode(*S, 80), 60);
    EXPECT_EQ(segmentHolding(*S, 0.0), 1);
    EXPECT_EQ(segmentHolding(*S, 0.5), 1);
    EXPECT_EQ(segmentHolding(*S, 0.7), 2);
    EXPECT_EQ(segmentHolding(*S, 99.0), 60);
    EXPECT_EQ(methodIndexOf(5), 9);
    EXPECT_EQ(methodIndexOf(6), 5);
    EXPECT_EQ(methodIndexOf(9), 8);
    EXPECT_EQ(methodIndexOf(0), 0);
}

TEST(CommonSteps, OffshoreSandEndBearingClosedEnd)
{
    // SI closed pipe OD 1000 mm, sand qc 10 000 kPa, gamma' 10 kN/m3: sigma'v(10 m) = 100 kPa.
    SoilLayer sand{.bottom = 30, .type = 1, .unitWeight = 10, .phi = 35, .qc = 10000};
    auto S = build(Pile{.english = false, .od = 1000, .tl = 20, .deepest = 30}, {sand});
    // NGI: Dr = 0.4 ln(10000 / (22 sqrt(100 x 100))) = 0.605652; q = 0.8 qc / (1 + Dr^2) = 5853.03.
    COMMON_STEPS(*S, 5);
    const double dr = 0.4 * std::log(10000.0 / 2200.0);
    EXPECT_NEAR(S->UNIT_BEARING_ENDS[20], 8000.0 / (1 + dr * dr), 1e-6);
    EXPECT_NEAR(S->UNIT_BEARING_ENDS[20], 5853.03, 0.01);
    // Fugro: Ar = 1, q = 8.5 x 100 x sqrt(10000/100) = 8500.
    COMMON_STEPS(*S, 7);
    EXPECT_NEAR(S->UNIT_BEARING_ENDS[20], 8500.0, 1e-9);
    // UWA: Ar = 1, q = (0.15 + 0.45) qc = 6000.
    COMMON_STEPS(*S, 8);
    EXPECT_NEAR(S->UNIT_BEARING_ENDS[20], 6000.0, 1e-9);
    // A closed-ended pile with an end-section inside diameter on record counts as closed.
    S->EID = 900;
    COMMON_STEPS(*S, 8);
    EXPECT_NEAR(S->UNIT_BEARING_ENDS[20], 6000.0, 1e-9);
}

TEST(CommonSteps, UsaceCriticalDepthOfZeroLimitsNothing)
{
    // English sand phi 30 (Nq_A = 23), gamma' 60 pcf, OD 12 in, TL 40 ft, soil to 45 ft.
    // sigma'v at 20 ft = 20 x 0.060 = 1.2 ksf, so q at the bottom of segment 20 = 1.2 x 23 = 27.6 ksf.
    SoilLayer sand{.bottom = 45, .type = 1, .unitWeight = 60, .phi = 30};
    auto S = build(Pile{.od = 12, .tl = 40, .deepest = 45}, {sand});
    // Option 2 with a user depth of 0, and option 1 whose stress never reaches 3.5 ksf
    // (2.7 ksf at 45 ft): no critical depth, the stress is not limited.
    for (int option : {2, 1}) {
        S->CRITICAL_DEPTH_OPTION = option;
        S->USER_CRITICAL_DEPTH = 0;
        PREPARE_SOIL_PROFILE(*S);
        COMMON_STEPS(*S, 2);
        EXPECT_NEAR(S->UNIT_BEARING_ENDS[40], 1.2 * 23, 1e-9) << option;
        EXPECT_NEAR(S->UNIT_BEARING_ENDS[39], 1.14 * 23, 1e-9) << option; // top of segment 20: 19 ft
    }
    // Option 2 at 10 ft: from the first segment whose top lies below 10 ft the stress
    // is held at sigma'v(10 ft) = 0.6 ksf: q = 0.6 x 23 = 13.8 ksf at both ends.
    S->CRITICAL_DEPTH_OPTION = 2;
    S->USER_CRITICAL_DEPTH = 10;
    PREPARE_SOIL_PROFILE(*S);
    COMMON_STEPS(*S, 2);
    EXPECT_NEAR(S->UNIT_BEARING_ENDS[39], 0.6 * 23, 1e-9);
    EXPECT_NEAR(S->UNIT_BEARING_ENDS[40], 0.6 * 23, 1e-9);
}

TEST(CommonSteps, UsaceCriticalDepthByDensitySameInBothUnitSystems)
{
    // Sand phi 30 (Nq_A = 23), OD 12 in = 304.8 mm: Dc10 = 10 diameters + 1 ft = 11 ft = 3.3528 m.
    // The critical stress is taken at the first segment whose top lies below 11 ft (the
    // top at 12 ft, increment 1 ft = 0.3048 m), so the end bearing deep down must be the
    // same physical value in both systems at every depth (1 ksf = 47.880 kPa; 120 pcf = 18.8504 kN/m3).
    SoilLayer en{.bottom = 45, .type = 1, .unitWeight = 120, .phi = 30};
    SoilLayer si{.bottom = 45 * 0.3048, .type = 1, .unitWeight = 120 * 0.1570874, .phi = 30};
    auto E = build(Pile{.od = 12, .tl = 40, .deepest = 45}, {en});
    auto M = build(Pile{.english = false, .od = 304.8, .tl = 40 * 0.3048, .increment = 0.3048, .deepest = 45 * 0.3048},
                   {si});
    COMMON_STEPS(*E, 2);
    COMMON_STEPS(*M, 2);
    // Segment 13 (top 12 ft) is the first below Dc10: q = sigma'v limited at 10 ft x 23 = 1.2 x 23.
    EXPECT_NEAR(E->UNIT_BEARING_ENDS[25], 1.2 * 23, 1e-9);
    EXPECT_NEAR(E->UNIT_BEARING_ENDS[26], 1.2 * 23, 1e-9);
    for (int j : {21, 22, 25, 26, 40, 60})
        EXPECT_NEAR(M->UNIT_BEARING_ENDS[j] / 47.880, E->UNIT_BEARING_ENDS[j], 1e-3 * E->UNIT_BEARING_ENDS[j]) << j;
}
