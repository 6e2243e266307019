// FHWA method: Nordlund sand rule and Tomlinson adhesion clay rule, checked
// against hand computations from the charts' digitised points.
#include <gtest/gtest.h>

#include <cmath>

#include "ClassicCase.h"
#include "Fhwa.h"

namespace veldo {
namespace {

using classiccase::Case;
using classiccase::Layer;
using classiccase::Units;

constexpr double kPi = 3.14159;

Case sandCase(bool english, double phi = 30.0)
{
    Case c;
    c.english = english;
    c.layers = {Layer{30, 1, phi}};
    return c;
}

std::unique_ptr<EngineState> run(const Case& c)
{
    auto S = classiccase::build(c);
    CALC_FHWA_CAPACITY(*S);
    return S;
}

// Closed steel pipe OD 12 in, phi 30, sigma' = 0.06 z ksf, 20 ft embedded:
//   V = 3.1416 x 12^2 / 4 / 144 = 0.7854 ft3/ft (closed end section)
//   delta/phi (type 1 curve, 0.6 -> 0.516, 0.8 -> 0.593): r = 0.593 - 0.077 x 0.0146 / 0.2
//   CF (curves 0.4 -> 0.69 and 0.6 -> 0.82 at phi 30): 0.82 - 0.13 x (0.6 - r) / 0.2
//   K-delta (30 deg chart at taper 0: 0.85 for V 0.1, 1.15 for V 1): 1.15 - 0.3 x (1 - V) / 0.9
//   f(z) = K CF sin(r x 30) x 0.06 z; Q(20) = f-factor x 0.06 x 20^2 / 2 x pi x 1 ft.
TEST(Fhwa, SandClosedPipeByHand)
{
    const double v = 3.1416 * 144 / 4 / 144;
    const double r = 0.593 - 0.077 * (0.8 - v) / 0.2;
    const double cf = 0.82 - 0.13 * (0.6 - r) / 0.2;
    const double kd = 1.15 - 0.3 * (1 - v) / 0.9;
    const double factor = kd * cf * std::sin(r * 30 / 57.2958);

    const auto S = run(sandCase(true));
    EXPECT_NEAR(S->DISPLACEMENT_VOLUME, v, 1e-9);
    EXPECT_NEAR(S->KDELTA_VALUE, kd, 1e-9);
    EXPECT_NEAR(S->FHWA_SEG_END_FRICTION[2 * 10], factor * 0.6, 1e-9);
    EXPECT_NEAR(S->FHWA_PLUG_FRICTION[2 * 10 - 1], factor * 0.54, 1e-9);
    EXPECT_NEAR(S->FHWA_NODE_UNIT_FRICTION[10], factor * 0.6, 1e-9);
    const double q20 = factor * 0.06 * 400 / 2 * kPi;
    EXPECT_NEAR(S->FHWA_SKIN_CUMULATIVE[20], q20, 1e-9);
    EXPECT_NEAR(S->FHWA_TZ_SKIN[20], q20, 1e-9);
    EXPECT_NEAR(S->METHOD_SKIN[1][20], q20, 1e-9);
    EXPECT_NEAR(S->METHOD_UNIT_FRICTION[1][20], factor * 1.2, 1e-9);
    EXPECT_NEAR(S->METHOD_PLUG_FRICTION[1][2 * 20], factor * 1.2, 1e-9);
    EXPECT_DOUBLE_EQ(S->NODE_DEPTH[20], 20.0);
    EXPECT_EQ(S->CURRENT_METHOD, 1);
}

TEST(Fhwa, SandEnglishAndSiAgree)
{
    const auto en = run(sandCase(true));
    const auto si = run(sandCase(false));
    const Units u{false};
    for (int k : {5, 12, 20}) {
        EXPECT_NEAR(u.kips(si->FHWA_SKIN_CUMULATIVE[k]) / en->FHWA_SKIN_CUMULATIVE[k], 1.0, 0.005) << k;
        EXPECT_NEAR(si->FHWA_NODE_UNIT_FRICTION[k] / 47.88 / en->FHWA_NODE_UNIT_FRICTION[k], 1.0, 0.005);
    }
}

// K-delta between the charts: phi 27.5 lies halfway between the 25 and 30 deg
// charts (25 deg at V 0.7854: 0.85 - 0.15 x (1 - V) / 0.9); phi 45 uses the 40 deg
// chart alone (3 - 1.3 x (1 - V) / 0.9).
TEST(Fhwa, KdeltaBetweenAndBeyondCharts)
{
    const double v = 0.7854;
    const double k25 = 0.85 - 0.15 * (1 - v) / 0.9;
    const double k30 = 1.15 - 0.3 * (1 - v) / 0.9;
    EXPECT_NEAR(run(sandCase(true, 27.5))->KDELTA_VALUE, (k25 + k30) / 2, 1e-9);
    EXPECT_NEAR(run(sandCase(true, 45.0))->KDELTA_VALUE, 3 - 1.3 * (1 - v) / 0.9, 1e-9);
    EXPECT_NEAR(run(sandCase(true, 20.0))->KDELTA_VALUE, k25, 1e-9);
}

// Open pipe OD 12 in, ID 11 in: the annulus 3.14159 x (144 - 121) / 4 / 144; with
// the method-1 plug flag 1 the full circle, with flag 2 the annulus again.
TEST(Fhwa, DisplacementVolumeOfOpenPipeFollowsPlugFlag)
{
    Case c = sandCase(true);
    c.id = 11;
    const double annulus = 3.14159 * (144 - 121) / 4 / 144;
    EXPECT_NEAR(run(c)->DISPLACEMENT_VOLUME, annulus, 1e-9);
    for (const int flag : {1, 2}) {
        auto S = classiccase::build(c);
        for (int i = 0; i <= MAX_NODES; ++i)
            S->PLUG_FLAG[1][i] = flag;
        CALC_FHWA_CAPACITY(*S);
        EXPECT_NEAR(S->DISPLACEMENT_VOLUME, flag == 1 ? 3.14159 * 144 / 4 / 144 : annulus, 1e-9);
    }
}

// Taper: a Raymond uniform-taper shell of 0.1 deg has at the bottom of the last
// segment (30 ft) the diameter 1 - 2 x 30 x tan(0.001745) ft; a steel pipe with
// the same angle stays straight. A steep taper never makes a negative diameter.
TEST(Fhwa, TaperOnlyForTaperedTypesAndNeverNegative)
{
    Case c = sandCase(true);
    c.pileType = 5;
    auto S = classiccase::build(c);
    S->TAPER_ANGLE = 0.1;
    CALC_FHWA_CAPACITY(*S);
    const double d = 1 - 2 * 30 * std::tan(0.01745 * 0.1);
    EXPECT_NEAR(S->DISPLACEMENT_VOLUME, 3.14159 * d * d / 4, 1e-9);

    c.pileType = 1;
    S = classiccase::build(c);
    S->TAPER_ANGLE = 0.1;
    CALC_FHWA_CAPACITY(*S);
    EXPECT_NEAR(S->DISPLACEMENT_VOLUME, 0.7854, 1e-9);

    c.pileType = 5;
    c.layers = {Layer{10, 1, 30}, Layer{30, 2, 0, 1.0}};
    S = classiccase::build(c);
    S->TAPER_ANGLE = 5;
    CALC_FHWA_CAPACITY(*S);
    EXPECT_DOUBLE_EQ(S->DISPLACEMENT_VOLUME, 0.0);
    EXPECT_TRUE(std::isfinite(S->PENETRATION_RATIO)); // no diameter left to divide by
    for (int k = 1; k <= 20; ++k) {
        EXPECT_TRUE(std::isfinite(S->FHWA_SKIN_CUMULATIVE[k])) << k;
        EXPECT_GE(S->FHWA_SKIN_INCREMENT[k], 0.0) << k;
    }
}

double frictionOfSegment(const EngineState& S, int i) { return S.FHWA_SEG_END_FRICTION[2 * i]; }

// Uniform clay su 1.0 ksf from the head to 30 ft, 20 ft embedded, OD 12 in:
// D/b = 20 / 1 for every segment. Segment 1 has nothing above and uses chart C
// (no overlying strata); the segments below choose chart C from the stiff clay
// above. Chart C at 1.0 ksf: 0.923 (D/b <= 10) and 1.0 (D/b >= 40), weight 10/30.
TEST(Fhwa, ClayWithNothingAboveUsesChartC)
{
    Case c;
    c.layers = {Layer{30, 2, 0, 1.0}};
    const auto S = run(c);
    const double alpha = 0.923 + (1.0 - 0.923) * 10 / 30;
    EXPECT_NEAR(S->PENETRATION_RATIO, 20.0, 1e-9);
    EXPECT_NEAR(frictionOfSegment(*S, 1), alpha, 1e-9);
    EXPECT_NEAR(frictionOfSegment(*S, 7), alpha, 1e-9);
    EXPECT_NEAR(S->FHWA_SKIN_CUMULATIVE[20], alpha * kPi * 20, 1e-9);
    EXPECT_EQ(S->FHWA_CASE, 3);
}

// Soft clay su 0.5 ksf: segment 1 chart C (0.984 + 0.016 / 3 at D/b 20); every
// segment below takes chart B from the soft clay above (0.84 at D/b >= 20).
TEST(Fhwa, SoftClayBelowSoftClayUsesChartB)
{
    Case c;
    c.layers = {Layer{30, 2, 0, 0.5}};
    const auto S = run(c);
    EXPECT_NEAR(frictionOfSegment(*S, 1), (0.984 + 0.016 / 3) * 0.5, 1e-9);
    EXPECT_NEAR(frictionOfSegment(*S, 2), 0.84 * 0.5, 1e-9);
    EXPECT_NEAR(frictionOfSegment(*S, 25), 0.84 * 0.5, 1e-9);
    EXPECT_EQ(S->FHWA_CASE, 2);
}

// Sand 0..10 ft over clay su 2.0 ksf to 40 ft, 30 ft embedded: D/b = (30 - 10) / 1 = 20.
// Chart A (sand above), D/b 20 curve at 2.0 ksf: 0.95. A layer naming chart B:
// 0.675 (chart B, D/b >= 20, at 2.0 ksf). A code of 4 counts as 0: chart A again.
TEST(Fhwa, ClayBelowSandUsesChartAUnlessTheLayerNamesOne)
{
    Case c;
    c.tl = 30;
    c.layers = {Layer{10, 1, 30}, Layer{40, 2, 0, 2.0}};
    EXPECT_NEAR(frictionOfSegment(*run(c), 15), 0.95 * 2.0, 1e-9);

    c.layers[1].adhesion = 2;
    auto S = run(c);
    EXPECT_NEAR(frictionOfSegment(*S, 15), 0.675 * 2.0, 1e-9);
    EXPECT_EQ(S->FHWA_CASE, 2);

    c.layers[1].adhesion = 4;
    EXPECT_NEAR(frictionOfSegment(*run(c), 15), 0.95 * 2.0, 1e-9);
}

// Clay su 0.5 over clay su 2.0 at 10 ft: the lower layer keeps chart B chosen
// under the soft clay; its D/b holds the upper layer left behind: (30 + 10 - 10) / 1
// = 30 -> chart B (D/b >= 20) at 2.0 ksf: 0.675. Upper layer D/b 10: chart B 0.519.
TEST(Fhwa, ClayBelowClayKeepsTheChartAbove)
{
    Case c;
    c.tl = 30;
    c.layers = {Layer{10, 2, 0, 0.5}, Layer{40, 2, 0, 2.0}};
    const auto S = run(c);
    EXPECT_NEAR(frictionOfSegment(*S, 1), 0.984 * 0.5, 1e-9);
    EXPECT_NEAR(frictionOfSegment(*S, 5), 0.519 * 0.5, 1e-9);
    EXPECT_NEAR(frictionOfSegment(*S, 20), 0.675 * 2.0, 1e-9);
    EXPECT_NEAR(S->PENETRATION_RATIO, 30.0, 1e-9);
}

// Two clay layers (0..12 and 12..40 ft, su 1.0 ksf, chart C), 30 ft embedded: the
// penetration ratio of a layer is fixed by the layers left behind, whatever the
// increment: upper D/b 12 -> 0.923 + 0.077 x 2 / 30; lower D/b (30 + 12 - 12) = 30
// -> 0.923 + 0.077 x 20 / 30.
TEST(Fhwa, PenetrationRatioIndependentOfIncrement)
{
    for (const double increment : {0.5, 0.2}) {
        Case c;
        c.tl = 30;
        c.increment = increment;
        c.layers = {Layer{12, 2, 0, 1.0}, Layer{40, 2, 0, 1.0}};
        const auto S = run(c);
        const auto segmentAt = [&](double depth) { return static_cast<int>(depth / increment + 1e-6); };
        EXPECT_NEAR(frictionOfSegment(*S, segmentAt(6)), 0.923 + 0.077 * 2 / 30, 1e-9) << increment;
        EXPECT_NEAR(frictionOfSegment(*S, segmentAt(12)), 0.923 + 0.077 * 2 / 30, 1e-9) << increment;
        EXPECT_NEAR(frictionOfSegment(*S, segmentAt(20)), 0.923 + 0.077 * 20 / 30, 1e-9) << increment;
        EXPECT_NEAR(S->PENETRATION_RATIO, 30.0, 1e-9) << increment;
    }
}

TEST(Fhwa, ClayEnglishAndSiAgree)
{
    Case c;
    c.tl = 30;
    c.layers = {Layer{10, 1, 30}, Layer{40, 2, 0, 1.2}};
    const auto en = run(c);
    c.english = false;
    const auto si = run(c);
    EXPECT_NEAR(si->ADHESION_FACTOR, en->ADHESION_FACTOR, 1e-6);
    EXPECT_NEAR(Units{false}.kips(si->FHWA_SKIN_CUMULATIVE[30]) / en->FHWA_SKIN_CUMULATIVE[30], 1.0, 0.005);
}

// Clay plug pair: alpha x remolded strength on top, alpha x su at the bottom; a
// silt segment (remolded column = blow count 15) hands its own end frictions.
TEST(Fhwa, PlugPairOfClayAndSilt)
{
    Case c;
    c.layers = {Layer{30, 2, 0, 1.0, 1.0, 0, 0.4}};
    const double alpha = 0.923 + 0.077 * 10 / 30;
    auto S = run(c);
    EXPECT_NEAR(S->FHWA_PLUG_FRICTION[2 * 5 - 1], alpha * 0.4, 1e-9);
    EXPECT_NEAR(S->FHWA_PLUG_FRICTION[2 * 5], alpha * 1.0, 1e-9);

    c.layers = {Layer{30, 3, 30, 1.0, 1.0, 0, 15}};
    S = run(c);
    EXPECT_NEAR(S->FHWA_PLUG_FRICTION[2 * 5 - 1], alpha * 1.0, 1e-9);
    EXPECT_NEAR(S->METHOD_PLUG_FRICTION[1][2 * 5], alpha * 1.0, 1e-9);
}

// Uniform clay, f = alpha at every node. Tension factor 0.7: node 0 keeps alpha,
// so Q(20) = alpha P (0.5 x (1 + 0.7) + 19 x 0.7). A limit of 0.5 ksf holds every
// node at 0.5 and each increment at 0.5 P; a side factor 0.5 halves the shown sum
// while the t-z hand-over keeps the unfactored one (option 0) or not (option 1).
TEST(Fhwa, TensionLimitAndSideFactor)
{
    Case c;
    c.layers = {Layer{30, 2, 0, 1.0}};
    const double alpha = 0.923 + 0.077 * 10 / 30;

    auto S = classiccase::build(c);
    S->LOADING = 1;
    S->TENSION_FACTOR = 0.7;
    CALC_FHWA_CAPACITY(*S);
    EXPECT_NEAR(S->FHWA_NODE_UNIT_FRICTION[0], alpha, 1e-9);
    EXPECT_NEAR(S->FHWA_NODE_UNIT_FRICTION[1], 0.7 * alpha, 1e-9);
    EXPECT_NEAR(S->FHWA_SKIN_CUMULATIVE[20], alpha * kPi * (0.85 + 19 * 0.7), 1e-9);

    c.layers[0].maxFriction = 0.5;
    S = run(c);
    EXPECT_NEAR(S->FHWA_NODE_UNIT_FRICTION[7], 0.5, 1e-12);
    EXPECT_NEAR(S->FHWA_INCREMENT_MAX[7], 0.5 * kPi, 1e-9);
    EXPECT_NEAR(S->FHWA_SKIN_CUMULATIVE[20], 0.5 * kPi * 20, 1e-9);

    c.layers[0].maxFriction = 9999999;
    for (const int option : {0, 1}) {
        S = classiccase::build(c);
        S->SIDE_FACTOR_FLAG = option;
        for (int i = 1; i <= S->SEG_COUNT; ++i)
            S->SEG_SIDE_FACTOR[i] = 0.5;
        CALC_FHWA_CAPACITY(*S);
        EXPECT_NEAR(S->FHWA_SKIN_CUMULATIVE[20], 0.5 * alpha * kPi * 20, 1e-9);
        EXPECT_NEAR(S->SKIN_FACTORED[20], 0.5 * alpha * kPi * 20, 1e-9);
        EXPECT_NEAR(S->FHWA_TZ_SKIN[20], (option == 0 ? 1.0 : 0.5) * alpha * kPi * 20, 1e-9);
        EXPECT_NEAR(S->METHOD_TZ_SKIN[1][20], S->FHWA_TZ_SKIN[20], 1e-12);
    }
}

// Zero-friction length 5 ft: nodes above carry nothing; the first increment below
// is half the node friction at 5 ft over the length.
TEST(Fhwa, ZeroFrictionLength)
{
    Case c;
    c.layers = {Layer{30, 2, 0, 1.0}};
    auto S = classiccase::build(c);
    S->ZFL = 5;
    CALC_FHWA_CAPACITY(*S);
    const double alpha = 0.923 + 0.077 * 10 / 30;
    EXPECT_DOUBLE_EQ(S->FHWA_NODE_UNIT_FRICTION[4], 0.0);
    EXPECT_NEAR(S->FHWA_NODE_UNIT_FRICTION[5], alpha, 1e-9);
    EXPECT_NEAR(S->FHWA_SKIN_CUMULATIVE[5], 0.5 * alpha * kPi, 1e-9);
    EXPECT_NEAR(S->FHWA_SKIN_CUMULATIVE[20], alpha * kPi * 15.5, 1e-9);
}

} // namespace
} // namespace veldo
