// t-z curves, tip Q-w curve and unit side resistance, checked against hand values.
#include <gtest/gtest.h>

#include "SettlementCase.h"
#include "TzCurves.h"

namespace veldo {
namespace {

using settlementcase::expectRel;
using settlementcase::pile;

// One node with side resistance fs (psi or kPa) and friction angle phi.
std::unique_ptr<EngineState> oneNode(bool english, double od, int method, double fs, double phi = 0)
{
    auto S = pile(english, od, 0, 29e6, 50, 0, {{0, 2}, {60, 2}});
    S->SELECTED_METHOD = method;
    RESIZE_TZ_STORE(*S, 1);
    S->TZNODE_FSIDE[1] = fs;
    S->TZNODE_PHI[1] = phi;
    return S;
}

void expectCurve(const EngineState& S, int k, const std::vector<std::pair<double, double>>& zt)
{
    ASSERT_EQ(zt.size(), 10u);
    for (int j = 1; j <= 10; ++j) {
        SCOPED_TRACE(j);
        expectRel(S.TZCURVE_Z[k][j], zt[j - 1].first);
        expectRel(S.TZCURVE_T[k][j], zt[j - 1].second);
    }
}

TEST(TzCurves, ApiClayCurveEnglishAndSi)
{
    // fs = 10 psi, OD = 24 in: z = ratio x 24 in, t = ratio x 10 psi.
    auto S = oneNode(true, 24, 4, 10);
    BUILD_CLAY_TZ_CURVE(*S, 1);
    expectCurve(*S, 1,
                {{0, 0},
                 {0.0384, 3},
                 {0.0744, 5},
                 {0.1368, 7.5},
                 {0.192, 9},
                 {0.24, 10},
                 {0.48, 9},
                 {0.72, 9},
                 {1.2, 9},
                 {4.8, 9}});
    // SI: OD 609.6 mm, fs 68.948 kPa: movements in m (0.0016 x 0.6096 m ...).
    auto si = oneNode(false, 609.6, 4, 68.948);
    BUILD_CLAY_TZ_CURVE(*si, 1);
    expectRel(si->TZCURVE_Z[1][2], 0.0016 * 0.6096);
    expectRel(si->TZCURVE_T[1][2], 0.3 * 68.948);
    expectRel(si->TZCURVE_Z[1][6], 0.01 * 0.6096);
    expectRel(si->TZCURVE_T[1][10], 0.9 * 68.948);
}

TEST(TzCurves, ApiSandCurveAndZeroResistance)
{
    // Movements fixed in inch, t rises linearly to fs at 0.1 in.
    auto S = oneNode(true, 24, 4, 10);
    BUILD_SAND_TZ_CURVE(*S, 1);
    expectCurve(
        *S, 1,
        {{0, 0}, {0.01, 1}, {0.02, 2}, {0.04, 4}, {0.06, 6}, {0.08, 8}, {0.09, 9}, {0.1, 10}, {0.5, 10}, {2.0, 10}});
    // SI: the movements times 0.0254 m per inch.
    auto si = oneNode(false, 609.6, 4, 68.948);
    BUILD_SAND_TZ_CURVE(*si, 1);
    expectRel(si->TZCURVE_Z[1][8], 0.1 * 0.0254);
    expectRel(si->TZCURVE_Z[1][10], 2.0 * 0.0254);
    // A sand node without resistance: zero load transfer on the same movements.
    auto zero = oneNode(true, 24, 4, 0);
    BUILD_SAND_TZ_CURVE(*zero, 1);
    for (int j = 1; j <= 10; ++j)
        EXPECT_EQ(zero->TZCURVE_T[1][j], 0.0);
    expectRel(zero->TZCURVE_Z[1][10], 2.0);
}

TEST(TzCurves, UsaceSandHyperbola)
{
    // fs = 10 psi -> tmax = 1440 psf; phi = 30 -> K = 6000 + 2 x 1333.3 = 8666.6.
    // t(z) = z / (z / 1440 + 1 / 8666.6) psf, then / 144 to psi:
    // z = 0.01 in: 0.01 / (6.94444e-6 + 1.153857e-4) = 81.7461 psf = 0.567681 psi.
    auto S = oneNode(true, 24, 2, 10, 30);
    BUILD_SAND_TZ_CURVE(*S, 1);
    const double zs[10] = {0, 0.01, 0.02, 0.04, 0.06, 0.08, 0.12, 0.16, 0.5, 10.0};
    for (int j = 1; j <= 10; ++j) {
        const double z = zs[j - 1];
        const double t = j == 1 ? 0.0 : z / (z / 1440.0 + 1.0 / (6000.0 + 2.0 * 1333.3)) / 144.0;
        expectRel(S->TZCURVE_Z[1][j], z);
        expectRel(S->TZCURVE_T[1][j], t);
    }
    EXPECT_NEAR(S->TZCURVE_T[1][2], 0.567681, 1e-5);

    // Subgrade factor ranges; a boundary angle takes the lower range.
    const std::pair<double, double> phiK[] = {
        {28, 6000},  {31, 6000 + 3 * 1333.3},  {32, 10000},   {34, 10000 + 2 * 1333.3},
        {35, 14000}, {38, 14000 + 3 * 1333.3}, {38.5, 18000}, {20, 6000}};
    for (const auto& [phi, k] : phiK) {
        SCOPED_TRACE(phi);
        auto N = oneNode(true, 24, 2, 10, phi);
        BUILD_SAND_TZ_CURVE(*N, 1);
        expectRel(N->TZCURVE_T[1][5], 0.06 / (0.06 / 1440.0 + 1.0 / k) / 144.0);
    }

    // SI: tmax = fs x 1000 / 47.880259 = fs x 20.885434 psf; movements x 0.0254,
    // t back / 20.885434.
    auto si = oneNode(false, 609.6, 2, 50, 30);
    BUILD_SAND_TZ_CURVE(*si, 1);
    const double psfPerKpa = 20.885434;
    const double tmax = 50 * psfPerKpa;
    expectRel(si->TZCURVE_Z[1][3], 0.02 * 0.0254);
    expectRel(si->TZCURVE_T[1][3], 0.02 / (0.02 / tmax + 1.0 / (6000.0 + 2.0 * 1333.3)) / psfPerKpa);
}

TEST(TzCurves, UsaceClayCurvePeaksAtEightHundredthsInch)
{
    auto S = oneNode(true, 24, 2, 10);
    BUILD_CLAY_TZ_CURVE(*S, 1);
    expectCurve(*S, 1,
                {{0, 0},
                 {0.01, 1.8},
                 {0.02, 3.8},
                 {0.04, 7.9},
                 {0.06, 9.7},
                 {0.08, 10},
                 {0.12, 9.7},
                 {0.16, 9.3},
                 {0.5, 9.3},
                 {10.0, 9.3}});
}

TEST(TzCurves, ApiTipCurve)
{
    // Qtip = 100 kips = 100000 lb, D = 24 in: w = ratio x 24, Q = ratio x Qtip.
    auto S = pile(true, 24, 0, 29e6, 50, 0, {{0, 1, 30}, {60, 1, 30}});
    S->TIP_CAPACITY = 100000;
    BUILD_TIP_CURVE(*S);
    const double w[10] = {0, 0.012, 0.024, 0.048, 0.312, 1.008, 1.752, 2.4, 3.6, 4.8};
    const double q[10] = {0, 6250, 12500, 25000, 50000, 75000, 90000, 100000, 100000, 100000};
    for (int j = 1; j <= 10; ++j) {
        expectRel(S->TIP_W[j], w[j - 1]);
        expectRel(S->TIP_Q[j], q[j - 1]);
    }
}

TEST(TzCurves, UsaceSandTipCappedWithTipLayerAngle)
{
    // Tip at 50 ft in the upper layer (phi 30, power 0.5); the deeper layer's 40
    // must not be used. s = 0.05 x 24 = 1.2 in; Q = Qtip x sqrt(w / 1.2), at most Qtip.
    auto S = pile(true, 24, 0, 29e6, 50, 0, {{0, 1, 30}, {55, 1, 30}, {55, 1, 40}, {80, 1, 40}});
    S->SELECTED_METHOD = 2;
    S->TIP_CAPACITY = 1000;
    BUILD_TIP_CURVE(*S);
    const double w[10] = {0, 0.0001, 0.005, 0.01, 0.05, 0.1, 0.2, 0.5, 1.0, 2.0};
    for (int j = 2; j <= 10; ++j) {
        SCOPED_TRACE(j);
        expectRel(S->TIP_W[j], w[j - 1]);
        expectRel(S->TIP_Q[j], std::min(1000 * std::sqrt(w[j - 1] / 1.2), 1000.0), 1e-6);
    }
    EXPECT_DOUBLE_EQ(S->TIP_Q[10], 1000.0); // (2.0 / 1.2)^0.5 > 1: capped
    // Powers by the angle at the tip: up to 31 (31 included) 0.5, up to 38 0.333, above 0.25.
    const std::pair<double, double> anglePower[] = {
        {31, 0.5}, {35, static_cast<double>(0.333f)}, {38, static_cast<double>(0.333f)}, {39, 0.25}};
    for (const auto& [phi, power] : anglePower) {
        SCOPED_TRACE(phi);
        S->SOIL[1][COL_FRICTION_ANGLE] = S->SOIL[2][COL_FRICTION_ANGLE] = phi;
        BUILD_TIP_CURVE(*S);
        expectRel(S->TIP_Q[5], 1000 * std::pow(0.05 / 1.2, power));
    }
}

TEST(TzCurves, UsaceClayTip)
{
    // r = sqrt(2 x 0.005 x 24) = sqrt(0.24); k = 0.5 x Qtip / r; Q = min(k sqrt(w), Qtip).
    auto S = pile(true, 24, 0, 29e6, 50, 0, {{0, 2}, {60, 2}});
    S->SELECTED_METHOD = 2;
    S->TIP_CAPACITY = 1000;
    BUILD_TIP_CURVE(*S);
    const double k = 0.5 * 1000 / std::sqrt(0.24);
    expectRel(S->TIP_Q[5], k * std::sqrt(0.05)); // 0.05 in: 228.2
    expectRel(S->TIP_Q[8], k * std::sqrt(0.5));  // 0.5 in: 721.7
    expectRel(S->TIP_Q[9], 1000.0);              // 1.0 in: k = 1020.6 > Qtip, capped
    expectRel(S->TIP_Q[7], k * std::sqrt(0.2));  // 456.4
    EXPECT_EQ(tipSoilType(*S), 2);
}

TEST(TzCurves, UnitSideResistanceSlopes)
{
    // Table: depth 0, 5, 10, 12 ft (last interval shorter), skin 0, 10, 30, 40 kips.
    // psi = slope (kips/ft) x 1000 / OD / 12 / 3.1416, OD = 24 in.
    auto S = pile(true, 24, 0, 29e6, 12, 0, {{0, 2}, {20, 2}});
    S->LS_POINT_COUNT = 4;
    const double depth[5] = {0, 0, 5, 10, 12}, skin[5] = {0, 0, 10, 30, 40};
    for (int r = 1; r <= 4; ++r) {
        S->LS_DEPTH[r] = depth[r];
        S->LS_SKIN[r] = skin[r];
    }
    const double toPsi = 1000.0 / 24.0 / 12.0 / static_cast<double>(3.1416f);
    expectRel(UNIT_SIDE_RESISTANCE(*S, 2 * 12.0), 20.0 / 5 * toPsi);  // F(1) = 0: forward (30-10)/5
    expectRel(UNIT_SIDE_RESISTANCE(*S, 7 * 12.0), 30.0 / 7 * toPsi);  // centred (40-10)/(12-5)
    expectRel(UNIT_SIDE_RESISTANCE(*S, 11 * 12.0), 10.0 / 2 * toPsi); // last: (40-30)/2
    expectRel(UNIT_SIDE_RESISTANCE(*S, 30 * 12.0), 10.0 / 2 * toPsi); // below the table: last
    // SI: kN/m / OD(m) / 3.1416 -> kPa.
    S->UNIT_SYSTEM = 2;
    S->OD = 500;
    expectRel(UNIT_SIDE_RESISTANCE(*S, 11.0), 5.0 / 0.5 / static_cast<double>(3.1416f));
    // Fewer than two points: no resistance.
    S->LS_POINT_COUNT = 1;
    EXPECT_EQ(UNIT_SIDE_RESISTANCE(*S, 1.0), 0.0);
}

TEST(TzCurves, ReadCurveHoldsLastValue)
{
    CurvePoints x{}, y{};
    for (int j = 1; j <= 10; ++j) {
        x[j] = j - 1;
        y[j] = 10.0 * (j - 1);
    }
    EXPECT_DOUBLE_EQ(readCurve(x, y, 2.0), 20.0);
    EXPECT_DOUBLE_EQ(readCurve(x, y, 2.25), 22.5);
    EXPECT_DOUBLE_EQ(readCurve(x, y, 50.0), 90.0);
    EXPECT_DOUBLE_EQ(readCurve(x, y, -1.0), 0.0);
}

} // namespace
} // namespace veldo
