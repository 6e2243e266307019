// Load distribution and load-settlement: closed-form cases, English against SI,
// node layout, stiffness table, iteration cap, report and plot-data layout.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "LoadSettlement.h"
#include "SettlementCase.h"
#include "TzCurves.h"

namespace veldo {
namespace {

using settlementcase::expectRel;
using settlementcase::linearInput;
using settlementcase::pile;

constexpr double kPi = 3.1416f;
const double kSteps[10] = {0, 0.0001, 0.001, 0.005, 0.01, 0.05, 0.1, 0.5, 1.0, 2.0};

// Solid 24 in pile, 50 ft long, in one clay layer to 60 ft; 11 points, tip 100 kips.
std::unique_ptr<EngineState> clayPile(double e, double skinSlope, double psl = 0)
{
    auto S = pile(true, 24, 0, e, 50, psl, {{0, 2}, {60, 2}});
    linearInput(*S, 11, skinSlope, 100);
    return S;
}

// The API tip curve (D = 24 in, Qtip = 100000 lb) read at w, by hand.
double apiTip(double w)
{
    const double ws[] = {0, 0.012, 0.024, 0.048, 0.312, 1.008, 1.752, 2.4, 3.6, 4.8};
    const double qs[] = {0, 6250, 12500, 25000, 50000, 75000, 90000, 100000, 100000, 100000};
    for (int j = 1; j < 10; ++j)
        if (w <= ws[j])
            return qs[j - 1] + (w - ws[j - 1]) * (qs[j] - qs[j - 1]) / (ws[j] - ws[j - 1]);
    return qs[9];
}

TEST(LoadSettlement, NoSideFrictionIsTipPlusElasticShortening)
{
    // No skin friction: the load is the tip load all the way up, and the head
    // moves w_tip + Qt L / (E A), A = 24^2 x 3.1416 / 4 = 452.39 in2.
    for (double psl : {0.0, 5.0}) {
        SCOPED_TRACE(psl);
        auto S = clayPile(4e6, 0, psl);
        SOLVE_LOAD_SETTLEMENT(*S, 0);
        const double ea = 24.0 * 24.0 * kPi * 0.25 * 4e6;
        const double length = (50 + psl) * 12;
        ASSERT_EQ(S->STEP_COUNT, 9);
        for (int s = 1; s <= 9; ++s) {
            SCOPED_TRACE(s);
            const double qt = apiTip(kSteps[s]);
            expectRel(S->TIP_MOVEMENT_STEPS[s], kSteps[s]);
            expectRel(S->STEP_TIP_LOAD[s], qt);
            expectRel(S->STEP_HEAD_LOAD[s], qt);
            expectRel(S->STEP_HEAD_MOVEMENT[s], kSteps[s] + qt * length / ea);
            EXPECT_FALSE(S->STEP_ITERATION_LIMIT[s]);
        }
    }
    // Step 5 by hand: w = 0.05 in between (0.048, 25000) and (0.312, 50000):
    // 25000 + 0.002 x 25000 / 0.264 = 25189.39 lb.
    EXPECT_NEAR(apiTip(0.05), 25189.39, 0.01);
}

TEST(LoadSettlement, ConstantAreaReplacesSection)
{
    // Area mode 1 with a constant area of 30 in2: the section and the tip area are ignored.
    auto S = clayPile(4e6, 0);
    S->AREA_MODE = 1;
    S->TIP_AREA = 2.0; // ft2
    S->CONSTANT_AREA = 30;
    SOLVE_LOAD_SETTLEMENT(*S, 0);
    expectRel(S->STEP_HEAD_MOVEMENT[6], kSteps[6] + apiTip(kSteps[6]) * 600 / (30 * 4e6));
    // Without it the noncircular tip area (2 ft2 = 288 in2) counts.
    S->CONSTANT_AREA = 0;
    SOLVE_LOAD_SETTLEMENT(*S, 0);
    expectRel(S->STEP_HEAD_MOVEMENT[6], kSteps[6] + apiTip(kSteps[6]) * 600 / (288 * 4e6));
}

TEST(LoadSettlement, AreaTableHoldsLastRow)
{
    // Rows (0 ft, 10 in2) and (25 ft, 20 in2); 10 segments of 60 in with centres
    // 30, 90, ..., 570 in: areas 11, 13, 15, 17, 19, then 20 held below 300 in.
    // Head movement = w_tip + Qt x 60 / E x (1/11 + 1/13 + 1/15 + 1/17 + 1/19 + 5/20).
    auto S = clayPile(1e6, 0);
    linearInput(*S, 10, 0, 100);
    S->AREA_MODE = 2;
    S->SECTION_COUNT = 2;
    S->SECTION_DIST[1] = 0;
    S->SECTION_AREA[1] = 10;
    S->SECTION_DIST[2] = 25;
    S->SECTION_AREA[2] = 20;
    SOLVE_LOAD_SETTLEMENT(*S, 0);
    const double sum = 1.0 / 11 + 1.0 / 13 + 1.0 / 15 + 1.0 / 17 + 1.0 / 19 + 5.0 / 20;
    for (int s : {1, 5, 9})
        expectRel(S->STEP_HEAD_MOVEMENT[s], kSteps[s] + apiTip(kSteps[s]) * 60 / 1e6 * sum);
}

TEST(LoadSettlement, RigidPileAgainstHandSum)
{
    // Skin 10 kips/ft: fs = 10 x 1000 / 24 / 12 / 3.1416 = 11.052 psi at every node.
    // Rigid pile: every segment moves w_tip; clay curve point 2 is (0.0384 in, 0.3 fs),
    // so t = 0.3 fs w / 0.0384 for w below 0.0384 in, fs at 0.24 .. 0.48 in falling to 0.9 fs.
    // Head load = Qt + t x 24 x 3.1416 x 600 in.
    auto S = clayPile(1e20, 10);
    SOLVE_LOAD_SETTLEMENT(*S, 0);
    const double fs = 10 * 1000.0 / 24 / 12 / kPi;
    const double side = 24 * kPi * 600;
    const double tSmall = 0.3 * fs * 0.001 / 0.0384;
    expectRel(S->STEP_HEAD_LOAD[2], apiTip(0.001) + tSmall * side);
    expectRel(S->STEP_HEAD_LOAD[9], apiTip(2.0) + 0.9 * fs * side);
    EXPECT_NEAR(S->STEP_HEAD_MOVEMENT[9], 2.0, 1e-9);
    for (int k = 1; k <= S->TZNODE_COUNT; ++k)
        expectRel(S->TZNODE_FSIDE[k], fs);
}

TEST(LoadSettlement, EnglishAndSiGiveTheSameCurve)
{
    // One clay layer, OD 24 in, ID 22 in, E 29e6 psi, TL 50 ft, 26 points, skin
    // 3 kips/ft, tip 150 kips; the SI case is the same pile converted with
    // 39.3701 in per m and X kN per lb (so 1 psi = X x 39.3701^2 kPa).
    const double in = 1 / 39.3701, ft = 12 * in, lb = 4.44822e-3, psi = lb / (in * in);
    auto E = pile(true, 24, 22, 29e6, 50, 0, {{0, 2}, {60, 2}});
    auto M = pile(false, 24 * in * 1000, 22 * in * 1000, 29e6 * psi, 50 * ft, 0, {{0, 2}, {60 * ft, 2}});
    linearInput(*E, 26, 3, 150);
    linearInput(*M, 26, 3 * 1000 * lb / ft, 150 * 1000 * lb);
    SOLVE_LOAD_SETTLEMENT(*E, 0);
    SOLVE_LOAD_SETTLEMENT(*M, 0);
    for (int s = 1; s <= 9; ++s) {
        SCOPED_TRACE(s);
        expectRel(M->STEP_HEAD_LOAD[s], E->STEP_HEAD_LOAD[s] * lb);
        expectRel(M->STEP_HEAD_MOVEMENT[s], E->STEP_HEAD_MOVEMENT[s] * in);
        expectRel(M->STEP_TIP_LOAD[s], E->STEP_TIP_LOAD[s] * lb);
        expectRel(M->TIP_MOVEMENT_STEPS[s], E->TIP_MOVEMENT_STEPS[s] * in);
    }
    // The curves carry real side load: the head takes more than the tip.
    EXPECT_GT(E->STEP_HEAD_LOAD[9], 1.5 * E->STEP_TIP_LOAD[9]);
}

TEST(LoadSettlement, LayeredUsaceAgainstIndependentSolution)
{
    // USACE, clay 0-10 ft over sand 10-60 ft (phi 30 to 36), stick-up 2 ft, solid
    // 18 in pile, E 4e6 psi, TL 40 ft; 9 points 5 ft apart, skin 0.3 x + 0.02 x^2
    // kips, tip 200 kips. Head values from a separate step-by-step computation of
    // the same rules. By hand: tip phi 30 + 6 x 30 / 50 = 33.6 (power 0.333),
    // s = 0.05 x 18 = 0.9 in: Q(0.0001 in) = 200000 x (0.0001 / 0.9)^0.333 = 9644.2 lb;
    // skin F = 0, 2, 5, 9, 14 kips at 0, 5, 10, 15, 20 ft: the clay node 84.3 in below
    // the head (5.025 ft below the ground) takes the centred quotient (9 - 2) / 10
    // = 0.7 kips/ft -> 0.7 x 1000 / 18 / 12 / 3.1416 = 1.0316 psi.
    auto S = pile(true, 18, 0, 4e6, 40, 2, {{0, 2}, {10, 2}, {10, 1, 30}, {60, 1, 36}});
    S->SELECTED_METHOD = 2;
    S->LS_POINT_COUNT = 9;
    for (int r = 1; r <= 9; ++r) {
        const double x = 5.0 * (r - 1);
        S->LS_DEPTH[r] = x;
        S->LS_SKIN[r] = 0.3 * x + 0.02 * x * x;
        S->LS_TIP[r] = 200;
    }
    SOLVE_LOAD_SETTLEMENT(*S, 0);
    ASSERT_EQ(S->TZNODE_COUNT, 9);
    expectRel(S->TZNODE_FSIDE[5], 0.7 * 1000 / 18 / 12 / kPi);
    expectRel(S->TIP_Q[2], 9644.22241);
    const double head[10] = {0,          12056.736,  19089.0858, 49637.0323, 64935.3175,
                             112919.753, 137176.301, 211660.114, 247332.941, 247568.932};
    const double move[10] = {0,           0.00541303549, 0.00925083014, 0.026111799, 0.0372956716, 0.0978875559,
                             0.159439648, 0.59551368,    1.11316009,    2.11324361};
    for (int s = 1; s <= 9; ++s) {
        SCOPED_TRACE(s);
        expectRel(S->STEP_HEAD_LOAD[s], head[s]);
        expectRel(S->STEP_HEAD_MOVEMENT[s], move[s]);
    }
}

TEST(LoadSettlement, NodesOfLayersAndStickUp)
{
    // Sand 0-10 ft (phi 30 to 34), a 0.05 ft layer (no nodes), silt 10.05-30 ft;
    // stick-up 2 ft = 24 in. English nodes below the head (inch):
    // stick-up 0, 12, 23.9; sand 24, (0 + 119.5 + 1.1) / 2 + 24 = 84.3, 143.5;
    // silt 144.6, (120.6 + 359.5 + 1.1) / 2 + 24 = 264.6, 383.5.
    auto S = pile(true, 24, 0, 29e6, 25, 2, {{0, 1, 30}, {10, 1, 34}, {10, 2}, {10.05, 2}, {10.05, 3}, {30, 3}});
    linearInput(*S, 6, 2, 50);
    SOLVE_LOAD_SETTLEMENT(*S, 0);
    ASSERT_EQ(S->TZNODE_COUNT, 9);
    const double depth[] = {0, 12, 23.9, 24, 84.3, 143.5, 144.6, 264.6, 383.5};
    const int kind[] = {2, 2, 2, 1, 1, 1, 2, 2, 2};
    const double phi[] = {0, 0, 0, 30, 32, 34, 0, 0, 0};
    for (int k = 1; k <= 9; ++k) {
        SCOPED_TRACE(k);
        EXPECT_NEAR(S->TZNODE_DEPTH[k], depth[k - 1], 1e-5);
        EXPECT_EQ(S->TZNODE_KIND[k], kind[k - 1]);
        EXPECT_NEAR(S->TZNODE_PHI[k], phi[k - 1], 1e-12);
    }
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(S->TZNODE_FSIDE[k], 0.0);
    // SI: the same offsets in metres: stick-up 0, 0.5, 1 - 0.00254; layer top,
    // (0 + 9.9873 + 0.02794) / 2 = 5.00762 and bottom - 0.0127 m, plus the stick-up.
    auto M = pile(false, 600, 0, 2e8, 8, 1, {{0, 2}, {10, 2}});
    linearInput(*M, 5, 20, 300);
    SOLVE_LOAD_SETTLEMENT(*M, 0);
    ASSERT_EQ(M->TZNODE_COUNT, 6);
    const double si[] = {0, 0.5, 0.99746, 1.0, 6.00762, 10.9873};
    for (int k = 1; k <= 6; ++k)
        EXPECT_NEAR(M->TZNODE_DEPTH[k], si[k - 1], 1e-6);
}

// Report and plot-data files of one load-settlement section.
class LoadSettlementFiles : public test::TempDirTest {
protected:
    std::vector<std::string> report, plot;

    void run(EngineState& S)
    {
        ASSERT_TRUE(S.report.open(path("job.vd7o")));
        ASSERT_TRUE(S.plot.open(path("job.vd7p")));
        S.plot.setOverflow(Overflow::Widen);
        LOAD_SETTLEMENT_ANALYSIS(S);
        S.report.close();
        S.plot.close();
        report = trimmed(lines("job.vd7o"));
        plot = lines("job.vd7p");
    }
    static std::vector<std::string> trimmed(std::vector<std::string> v)
    {
        for (std::string& l : v)
            l.erase(l.find_last_not_of(' ') + 1);
        return v;
    }
};

TEST_F(LoadSettlementFiles, ReportSectionAndPlotBlocks)
{
    auto S = clayPile(29e6, 3, 2);
    SOLVE_LOAD_SETTLEMENT(*S, 0);
    const int curves = S->TZNODE_COUNT - 3; // stick-up curves are not written
    ASSERT_EQ(curves, 3);
    run(*S);
    const std::string stars = std::string(16, ' ') + std::string(49, '*');
    const std::vector<std::string> head = {
        "",
        "",
        "            NOTES:",
        "            - AN ASTERISK IS PLACED IN THE END-BEARING COLUMN",
        "              IF THE TIP RESISTANCE IS CONTROLLED BY THE FRICTION",
        "              OF SOIL PLUG INSIDE AN OPEN-ENDED PIPE PILE.",
        "",
        "",
        "",
        stars,
        "                * COMPUTE LOAD-DISTRIBUTION AND LOAD-SETTLEMENT *",
        "                * CURVES FOR AXIAL LOADING                      *",
        stars,
        "",
        "",
        "        T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD TRANSFER   PILE MOVEMENT",
        "           NO.      POINTS        FT.              PSI             IN.",
        "",
        "            1         10      0.0000E+00",
        "                                               0.0000E+00      0.0000E+00",
    };
    ASSERT_GE(report.size(), head.size());
    for (size_t i = 0; i < head.size(); ++i)
        EXPECT_EQ(report[i], head[i]) << "line " << i;
    const size_t tip = head.size() - 2 + 11 * curves;
    ASSERT_EQ(report.size(), tip + 6 + 10 + 10 + 9);
    EXPECT_EQ(report[tip - 11], "            3         10      0.5996E+02");
    const std::vector<std::string> tipHead = {
        "", "", "", "        TIP   LOAD        TIP MOVEMENT", "            KIP               IN.", ""};
    for (size_t i = 0; i < tipHead.size(); ++i)
        EXPECT_EQ(report[tip + i], tipHead[i]);
    EXPECT_EQ(report[tip + 7], "        0.6250E+01         0.1200E-01");
    const size_t ls = tip + 16;
    const std::vector<std::string> lsHead = {"",
                                             "",
                                             "",
                                             "                      LOAD VERSUS SETTLEMENT CURVE",
                                             "                      ****************************",
                                             "",
                                             "",
                                             "",
                                             "        TOP  LOAD     TOP MOVEMENT       TIP  LOAD      TIP MOVEMENT",
                                             "           KIP             IN.              KIP            IN."};
    for (size_t i = 0; i < lsHead.size(); ++i)
        EXPECT_EQ(report[ls + i], lsHead[i]);
    // Last row: tip load at 2.0 in between (1.752, 90000) and (2.4, 100000): 93827 lb.
    EXPECT_EQ(report.back().substr(33), "      0.9383E+02      0.2000E+01");

    // Plot data: the curve count, 11 lines per curve, 9 x 11 load-distribution
    // rows, 9 load-settlement rows.
    ASSERT_EQ(plot.size(), 1u + 11 * curves + 9 * 11 + 9);
    EXPECT_EQ(plot[0], " 3");
    EXPECT_EQ(plot[1], "            1         10      0.0000E+00");
    const std::string& firstLoad = plot[1 + 11 * curves];
    // Centre of the lowest segment: 624 in - 624 / 11 / 2 = 595.6 in = 49.64 ft.
    EXPECT_EQ(firstLoad.substr(0, 13), "    0.496E+02");
    EXPECT_EQ(firstLoad.size(), 39u);
    EXPECT_EQ(plot.back().size(), 17u + 3 * 16);
}

TEST_F(LoadSettlementFiles, SiLabelsTensionNoteAndIterationCap)
{
    // E = 0: the shortening is unbounded and never settles; every step reaches the cap.
    auto S = pile(false, 600, 0, 0, 10, 0, {{0, 2}, {20, 2}});
    linearInput(*S, 3, 20, 300);
    S->LOADING = 1;
    run(*S);
    ASSERT_GT(report.size(), 20u);
    EXPECT_EQ(report[8], "            - A NEGATIVE SELF-WEIGHT VALUE IS DUE TO THE");
    EXPECT_EQ(report[9], "              BOUYANCY EFFECT.");
    EXPECT_EQ(report[20], "           NO.      POINTS        M.               KPA             M.");
    const std::vector<std::string> last(report.end() - 10, report.end());
    for (int s = 1; s <= 9; ++s)
        EXPECT_EQ(last[static_cast<size_t>(s)], "        ITERATION LIMIT REACHED AT LOAD STEP " + std::to_string(s));
    bool kn = false;
    for (const std::string& l : report)
        kn = kn || l == "           KN.             M.               KN.            M.";
    EXPECT_TRUE(kn);
}

TEST_F(LoadSettlementFiles, LoneZeroWhenTzDepthsAskedButNone)
{
    auto S = clayPile(29e6, 3);
    S->TZ_FLAG = 1;
    S->TZ_DEPTH_COUNT = 0;
    run(*S);
    EXPECT_EQ(plot.back(), " 0");
    S->TZ_FLAG = 0;
    run(*S);
    EXPECT_NE(plot.back(), " 0");
}

} // namespace
} // namespace veldo
