#include <gtest/gtest.h>

#include <cmath>

#include "Ngi.h"
#include "OffshoreCase.h"

using namespace veldo;
using namespace veldo::testcase;

namespace {

constexpr double kRel = 1e-6;

// NGI sand: Q0 = 22 sqrt(sigma x 100), Dr = max(0.4 ln(qc / Q0), 0.200001),
// F_Dr = 2.1 (Dr - 0.1)^1.7, F_sigma = (sigma / 100)^0.25,
// f = z/L x 100 x F_Dr x F_sigma x F_tip x F_load x F_mat.
double handSand(double sigma, double zOverL, double factors, double qc = 10000.0)
{
    const double dr = std::max(0.4 * std::log(qc / (22.0 * std::sqrt(sigma * 100.0))), 0.200001);
    return zOverL * 100.0 * 2.1 * std::pow(dr - 0.1, 1.7) * std::pow(sigma / 100.0, 0.25) * factors;
}

constexpr double kClosedCompression = 1.6 * 1.3; // F_tip closed, F_load compression

} // namespace

// Segment 11 (top 10 m, z/L = 0.5), bottom sigma 110 kPa: Q0 = 2307.38,
// Dr = 0.4 ln(10000 / 2307.38) = 0.58659, F_Dr = 2.1 x 0.48659^1.7 = 0.61716,
// F_sigma = 1.1^0.25 = 1.02411; f = 0.5 x 100 x 0.61716 x 1.02411 x 1.6 x 1.3 = 65.73 kPa.
TEST(NgiMethod, SandFrictionAtHalfTheLengthByHand)
{
    auto c = makeCase(false);
    CALC_NGI_CAPACITY(c.S());
    const auto& S = c.S();
    EXPECT_NEAR(S.SEG_END_FRICTION[22], 65.73, 0.005);
    EXPECT_LT(relDiff(S.SEG_END_FRICTION[22], handSand(110.0, 0.5, kClosedCompression)), kRel);
    EXPECT_LT(relDiff(S.SEG_END_FRICTION[21], handSand(100.0, 0.5, kClosedCompression)), kRel);
    EXPECT_EQ(S.NGI_PLUG_FRICTION[22], S.SEG_END_FRICTION[22]);
    EXPECT_EQ(S.METHOD_PLUG_FRICTION[5][21], S.SEG_END_FRICTION[21]);
    // The first segment has z/L = 0 at both ends.
    EXPECT_EQ(S.SEG_END_FRICTION[1], 0.0);
    EXPECT_EQ(S.SEG_END_FRICTION[2], 0.0);
}

TEST(NgiMethod, EnglishUnitsGiveTheSameFrictionAndCapacity)
{
    auto si = makeCase(false);
    auto en = makeCase(true);
    CALC_NGI_CAPACITY(si.S());
    CALC_NGI_CAPACITY(en.S());
    for (int j = 1; j <= 44; ++j)
        EXPECT_LT(relDiff(en.kpa(en.S().SEG_END_FRICTION[j]), si.S().SEG_END_FRICTION[j]), 1e-5) << j;
    for (int k = 1; k <= 20; ++k)
        EXPECT_LT(relDiff(en.kn(en.S().METHOD_SKIN[5][k]), si.S().METHOD_SKIN[5][k]), 1e-5) << k;
    EXPECT_LT(relDiff(en.kn(en.S().NGI_TZ_SKIN[20]), si.S().NGI_TZ_SKIN[20]), 1e-5);
    // The head stress is left as it is in both systems.
    EXPECT_EQ(en.S().SIGV_ENDS[1], 0.0);
}

TEST(NgiMethod, LoadingEndAndMaterialFactors)
{
    auto tension = makeCase(false);
    tension.S().LOADING = 1;
    CALC_NGI_CAPACITY(tension.S());
    EXPECT_LT(relDiff(tension.S().SEG_END_FRICTION[22], handSand(110.0, 0.5, 1.6)), kRel);

    auto open = makeCase(false);
    open.S().PILE_END_FLAG = 0; // EID 950 mm: open end, F_tip 1.0
    CALC_NGI_CAPACITY(open.S());
    EXPECT_LT(relDiff(open.S().SEG_END_FRICTION[22], handSand(110.0, 0.5, 1.3)), kRel);

    auto timber = makeCase(false);
    timber.S().PILE_TYPE = 2;
    CALC_NGI_CAPACITY(timber.S());
    EXPECT_LT(relDiff(timber.S().SEG_END_FRICTION[22], handSand(110.0, 0.5, kClosedCompression * 1.2)), kRel);
}

// qc 1000 kPa is below Q0 = 2307 at 11 m: Dr takes its lowest value and
// F_Dr = 2.1 x 0.100001^1.7 = 0.0419 in both unit systems (qc is not raised).
TEST(NgiMethod, LooseSandTakesTheLowestDensity)
{
    for (bool english : {false, true}) {
        auto c = makeCase(english, 1.0, 1000.0);
        CALC_NGI_CAPACITY(c.S());
        const double expected = 0.5 * 100.0 * 0.0419012 * std::pow(1.1, 0.25) * kClosedCompression;
        EXPECT_LT(relDiff(c.kpa(c.S().SEG_END_FRICTION[22]), expected), 1e-5);
        EXPECT_LT(relDiff(c.kpa(c.S().SEG_END_FRICTION[21]), 0.5 * 100.0 * 0.0419012 * kClosedCompression), 1e-5);
    }
}

TEST(NgiMethod, ZeroConeResistanceTakesTheLowestDensity)
{
    // No layer Qc, no CPT points, blow count 0: qc = 0 gives the lowest Dr, not a failure.
    auto c = makeCase(false, 1.0, 0.0);
    CALC_NGI_CAPACITY(c.S());
    EXPECT_LT(relDiff(c.S().SEG_END_FRICTION[22], 0.5 * 100.0 * 0.0419012 * std::pow(1.1, 0.25) * kClosedCompression),
              1e-5);
}

TEST(NgiMethod, WeightlessTopLayerKeepsTheDensity)
{
    // Segments 1 and 2 weightless: every stress there is 0, so Q0 = 0 and the
    // density is kept; nothing divides by zero.
    for (bool english : {false, true}) {
        auto c = makeCase(english);
        auto& S = c.S();
        for (int j = 1; j <= 44; ++j)
            S.SIGV_ENDS[j] = c.stress(std::max(0.0, 10.0 * ((j / 2) - 2)));
        CALC_NGI_CAPACITY(S);
        for (int j = 1; j <= 44; ++j)
            EXPECT_TRUE(std::isfinite(S.SEG_END_FRICTION[j])) << j;
        EXPECT_EQ(S.SEG_END_FRICTION[3], 0.0);
        EXPECT_EQ(S.SEG_END_FRICTION[4], 0.0);
        EXPECT_TRUE(std::isfinite(S.METHOD_SKIN[5][20]));
        EXPECT_GT(S.METHOD_SKIN[5][20], 0.0);
    }
}

TEST(NgiMethod, ClayBranches)
{
    // Segment 11, sigma 110 kPa, PI 20, closed end (F_tip 1).
    auto atOne = makeCase(false, 2.0);
    setClay(atOne, 110.0, 55.0, 1.0, 20.0); // psi = 1: alpha = 0.5
    CALC_NGI_CAPACITY(atOne.S());
    EXPECT_LT(relDiff(atOne.S().SEG_END_FRICTION[22], 0.5 * 110.0), kRel);
    EXPECT_EQ(atOne.S().SEG_END_FRICTION[21], atOne.S().SEG_END_FRICTION[22]);
    EXPECT_LT(relDiff(atOne.S().NGI_PLUG_FRICTION[21], 0.5 * 55.0), kRel);
    EXPECT_EQ(atOne.S().NGI_PLUG_FRICTION[22], atOne.S().SEG_END_FRICTION[22]);

    auto quarter = makeCase(false, 2.0);
    setClay(quarter, 27.5, 10.0, 1.0, 20.0); // psi = 0.25: alpha = 0.32 x 10^0.3
    CALC_NGI_CAPACITY(quarter.S());
    EXPECT_LT(relDiff(quarter.S().SEG_END_FRICTION[22], 0.32 * std::pow(10.0, 0.3) * 27.5), kRel);

    auto high = makeCase(false, 2.0);
    setClay(high, 220.0, 110.0, 1.0, 20.0); // psi = 2: alpha = 0.5 / 2^0.3
    CALC_NGI_CAPACITY(high.S());
    const double alpha = 0.5 / std::pow(2.0, 0.3);
    EXPECT_LT(relDiff(high.S().SEG_END_FRICTION[22], alpha * 220.0), kRel);
    // Outside 0.25..1 the plug entry keeps the ratio f / su: alpha x 110.
    EXPECT_LT(relDiff(high.S().NGI_PLUG_FRICTION[21], alpha * 110.0), kRel);

    // Open end: F_tip = 0.8 + 0.2 sqrt(2).
    auto highOpen = makeCase(false, 2.0);
    setClay(highOpen, 220.0, 110.0, 1.0, 20.0);
    highOpen.S().PILE_END_FLAG = 0;
    CALC_NGI_CAPACITY(highOpen.S());
    EXPECT_LT(relDiff(highOpen.S().SEG_END_FRICTION[22], alpha * 220.0 * (0.8 + 0.2 * std::sqrt(2.0))), kRel);
}

TEST(NgiMethod, LowPlasticityIsContinuousAtAQuarter)
{
    // PI 8 is raised to 12.000001 on both sides of psi = 0.25:
    // below: 0.08 x 2.000001^0.3 x 110 = 10.834; at 0.25: 0.32 x 2.000001^0.3 x 27.5, the same.
    auto below = makeCase(false, 2.0);
    setClay(below, 27.5 * (1.0 - 1e-9), 10.0, 1.0, 8.0);
    CALC_NGI_CAPACITY(below.S());
    auto at = makeCase(false, 2.0);
    setClay(at, 27.5, 10.0, 1.0, 8.0);
    CALC_NGI_CAPACITY(at.S());
    const double f = 0.08 * std::pow(2.000001, 0.3) * 110.0;
    EXPECT_LT(relDiff(below.S().SEG_END_FRICTION[22], f), kRel);
    EXPECT_LT(relDiff(at.S().SEG_END_FRICTION[22], f), kRel);
    // Below a quarter the plug entry is (f / su) x s_ur.
    EXPECT_LT(relDiff(below.S().NGI_PLUG_FRICTION[21], f / (27.5 * (1.0 - 1e-9)) * 10.0), kRel);
}

TEST(NgiMethod, ClayLowerBoundAndZeroStrength)
{
    // psi = 0.5, PI 80: alpha_B = 0.32 x 70^0.3 = 1.1644, alpha_A = 0.5 / 0.5^0.3 = 0.6156,
    // alpha = 1.1644 + 0.25 (0.6156 - 1.1644) / 0.75; f = alpha x 55, at least
    // fmin = 0.06 x 68^0.33 x 110.
    auto c = makeCase(false, 2.0);
    setClay(c, 55.0, 5.0, 1.0, 80.0);
    CALC_NGI_CAPACITY(c.S());
    const double aB = 0.32 * std::pow(70.0, 0.3);
    const double aA = 0.5 / std::pow(0.5, 0.3);
    const double alpha = aB + 0.25 * (aA - aB) / 0.75;
    const double fmin = 0.06 * std::pow(68.0, 0.33) * 110.0;
    EXPECT_LT(relDiff(c.S().SEG_END_FRICTION[22], std::max(alpha * 55.0, fmin)), kRel);
    // The remolded entry is raised to fmin: alpha x 5 is below it.
    EXPECT_LT(relDiff(c.S().NGI_PLUG_FRICTION[21], fmin), kRel);

    // No strength at all: psi = 1e-10, f from the plasticity index, plug entry 0.
    auto z = makeCase(false, 2.0);
    setClay(z, 0.0, 0.0, 1.0, 20.0);
    z.S().SIGV_ENDS[2] = 0.0;
    CALC_NGI_CAPACITY(z.S());
    EXPECT_EQ(z.S().SIGV_ENDS[2], 1e-10);
    EXPECT_LT(relDiff(z.S().SEG_END_FRICTION[22], 0.08 * std::pow(10.0, 0.3) * 110.0), kRel);
    EXPECT_EQ(z.S().NGI_PLUG_FRICTION[21], 0.0);
}

TEST(NgiMethod, HandOverFollowsTheTzOption)
{
    auto c = makeCase(false);
    for (int i = 1; i <= c.S().SEG_COUNT; ++i)
        c.S().SEG_SIDE_FACTOR[i] = 0.8;
    c.S().SIDE_FACTOR_FLAG = 0; // option 0: the unfactored sum
    CALC_NGI_CAPACITY(c.S());
    EXPECT_GT(c.S().METHOD_SKIN[5][20], 0.0);
    double sum = 0;
    for (int k = 1; k <= 20; ++k)
        sum += c.S().SKIN_INCREMENT[k];
    EXPECT_NEAR(c.S().NGI_TZ_SKIN[20], sum, 1e-9);
    EXPECT_NEAR(c.S().METHOD_SKIN[5][20], 0.8 * sum, 1e-9);
}
