// Revised Lambda method: total side friction from the mean strength and mean
// effective stress over the embedded length.
#include <gtest/gtest.h>

#include <cmath>

#include "ClassicCase.h"
#include "Lambda.h"

namespace veldo {
namespace {

using classiccase::Case;
using classiccase::Layer;
using classiccase::Units;

constexpr double kPi = 3.14159;

// Closed steel pipe OD 24 in, ID 0, E 4.0e6 psi, 40 ft embedded, clay su 1 ksf,
// sigma' = 0.05 z ksf. A = pi 24^2 / 4 in2, C = pi 24 in, K = E A 0.1.
Case clayCase(bool english, double su = 1.0)
{
    Case c;
    c.english = english;
    c.od = 24;
    c.tl = 40;
    c.gamma = 0.05;
    c.eModulus = 4.0e6;
    c.layers = {Layer{50, 2, 0, su}};
    return c;
}

std::unique_ptr<EngineState> run(const Case& c)
{
    auto S = classiccase::build(c);
    CALC_LAMBDA2_CAPACITY(*S);
    return S;
}

// pi2 = C z^2 s 1000 / K; lambda = 0.232 - 0.032 ln pi2 (s / sigma' >= 0.4), at
// least 0.14; Q = (2 s + sigma'mean) lambda P z with P = pi 24 / 12 ft.
double handQ(double z, double su, double meanStress, double e = 4.0e6)
{
    const double k = e * kPi * 24 * 24 / 4 * 0.1;
    const double pi2 = kPi * 24 * z * z * su * 1000 / k;
    double lambda = su / meanStress < 0.4 ? 0.178 - 0.016 * std::log(pi2) : 0.232 - 0.032 * std::log(pi2);
    lambda = std::max(lambda, 0.14);
    return (2 * su + meanStress) * lambda * kPi * 2 * z;
}

// At 20 ft: sigma'mean 0.5 ksf, pi2 = 0.1667, lambda = 0.232 - 0.032 ln 0.1667,
// Q = 2.5 x lambda x 2 pi x 20 = about 90.9 kips; at 40 ft about 184.7 kips.
TEST(Lambda, ClayByHand)
{
    const auto S = run(clayCase(true));
    EXPECT_NEAR(handQ(20, 1.0, 0.5), 90.9, 0.05);
    EXPECT_NEAR(handQ(40, 1.0, 1.0), 184.7, 0.05);
    EXPECT_NEAR(S->LAMBDA_MEAN_STRESS[20], 0.5, 1e-9);
    EXPECT_NEAR(S->LAMBDA_MEAN_STRENGTH[20], 1.0, 1e-9);
    EXPECT_NEAR(S->LAMBDA_NODE_STRESS[20], 1.0, 1e-9);
    EXPECT_NEAR(S->LAMBDA_SKIN_CUMULATIVE[20], handQ(20, 1.0, 0.5), 1e-9);
    EXPECT_NEAR(S->LAMBDA_SKIN_CUMULATIVE[40], handQ(40, 1.0, 1.0), 1e-9);
    EXPECT_NEAR(S->LAMBDA_TZ_SKIN[40], handQ(40, 1.0, 1.0), 1e-9);
    EXPECT_NEAR(S->METHOD_SKIN[3][40], handQ(40, 1.0, 1.0), 1e-9);
    EXPECT_DOUBLE_EQ(S->LAMBDA_SKIN_CUMULATIVE[0], 0.0);
    // Unit friction from the differences of the sums.
    const double p = kPi * 2;
    EXPECT_NEAR(S->LAMBDA_UNIT_FRICTION[20], (handQ(20, 1.0, 0.5) - handQ(19, 1.0, 0.475)) / p, 1e-9);
    EXPECT_NEAR(S->METHOD_UNIT_FRICTION[3][20], S->LAMBDA_UNIT_FRICTION[20], 1e-12);
}

TEST(Lambda, ClayEnglishAndSiAgree)
{
    const auto en = run(clayCase(true));
    const auto si = run(clayCase(false));
    for (int k : {5, 20, 40})
        EXPECT_NEAR(Units{false}.kips(si->LAMBDA_SKIN_CUMULATIVE[k]) / en->LAMBDA_SKIN_CUMULATIVE[k], 1.0, 0.005) << k;
}

// Very soft clay su 0.005 ksf: s / sigma'mean < 0.4 from node 1 on, so the
// normally consolidated line 0.178 - 0.016 ln pi2 holds throughout. A very
// flexible pile (E 4000 psi, pi2 = 166.7 at 20 ft) holds lambda at 0.14.
TEST(Lambda, NormallyConsolidatedBranchAndFloor)
{
    EXPECT_NEAR(run(clayCase(true, 0.005))->LAMBDA_SKIN_CUMULATIVE[20], handQ(20, 0.005, 0.5), 1e-9);
    Case c = clayCase(true);
    c.eModulus = 4000;
    EXPECT_NEAR(run(c)->LAMBDA_SKIN_CUMULATIVE[20], 2.5 * 0.14 * kPi * 2 * 20, 1e-9);
}

// Clay su 0.1 ksf: the formula's sum drops where the ratio s / sigma'mean falls
// below 0.4 (10 ft to 11 ft); a node whose difference is below 1e-7 takes the
// unit friction of the node above, so the sums never fall.
TEST(Lambda, FallingFormulaKeepsTheUnitFrictionAbove)
{
    const auto S = run(clayCase(true, 0.1));
    EXPECT_LT(handQ(11, 0.1, 0.275), handQ(10, 0.1, 0.25));
    EXPECT_NEAR(S->LAMBDA_UNIT_FRICTION[11], S->LAMBDA_UNIT_FRICTION[10], 1e-12);
    EXPECT_GT(S->LAMBDA_UNIT_FRICTION[11], 0.0);
    for (int k = 1; k <= 40; ++k)
        EXPECT_GT(S->LAMBDA_SKIN_CUMULATIVE[k], S->LAMBDA_SKIN_CUMULATIVE[k - 1]) << k;
}

// Tension factor 0.5: every sum is half the formula's value.
TEST(Lambda, TensionScalesTheSums)
{
    auto S = classiccase::build(clayCase(true));
    S->LOADING = 1;
    S->TENSION_FACTOR = 0.5;
    CALC_LAMBDA2_CAPACITY(*S);
    EXPECT_NEAR(S->LAMBDA_SKIN_CUMULATIVE[20], 0.5 * handQ(20, 1.0, 0.5), 1e-9);
    EXPECT_NEAR(S->LAMBDA_SKIN_CUMULATIVE[40], 0.5 * handQ(40, 1.0, 1.0), 1e-9);
    EXPECT_NEAR(S->LAMBDA_UNIT_FRICTION[20], 0.5 * (handQ(20, 1.0, 0.5) - handQ(19, 1.0, 0.475)) / (kPi * 2), 1e-9);
}

// Zero-friction length 10 ft: segments 1..10 carry no strength, so at 20 ft the
// mean strength is 10 x 1 / 20 = 0.5 while the mean stress stays 0.5.
TEST(Lambda, ZeroFrictionLengthLowersTheMeanStrength)
{
    auto S = classiccase::build(clayCase(true));
    S->ZFL = 10;
    CALC_LAMBDA2_CAPACITY(*S);
    EXPECT_DOUBLE_EQ(S->LAMBDA_SEG_STRENGTH[10], 0.0);
    EXPECT_DOUBLE_EQ(S->LAMBDA_SEG_STRENGTH[11], 1.0);
    EXPECT_NEAR(S->LAMBDA_MEAN_STRENGTH[20], 0.5, 1e-9);
    EXPECT_NEAR(S->LAMBDA_SKIN_CUMULATIVE[20], handQ(20, 0.5, 0.5), 1e-9);
}

// A unit limit of 0.5 ksf holds every node's unit friction at 0.5 and the sum
// at 0.5 P per foot once the formula asks for more.
TEST(Lambda, UnitLimitAndIncrementLimit)
{
    Case c = clayCase(true);
    c.layers[0].maxFriction = 0.5;
    const auto S = run(c);
    const double p = kPi * 2;
    for (int k = 1; k <= 40; ++k) {
        EXPECT_LE(S->LAMBDA_UNIT_FRICTION[k], 0.5 + 1e-12) << k;
        EXPECT_LE(S->LAMBDA_SKIN_CUMULATIVE[k] - S->LAMBDA_SKIN_CUMULATIVE[k - 1], 0.5 * p + 1e-9) << k;
    }
    EXPECT_NEAR(S->LAMBDA_INCREMENT_MAX[7], 0.5 * p, 1e-9);
    EXPECT_NEAR(S->LAMBDA_SKIN_CUMULATIVE[40], 0.5 * p * 40, 1e-9); // the formula asks > 0.5 at every node
}

// Sand: s = Ko x mean end stress x tan phi (Ko 0 becomes 1.0); with no effective
// stress at all the ratio s / sigma' is not formed and the sums stay finite.
TEST(Lambda, SandStrengthAndNoStress)
{
    Case c = clayCase(true);
    c.layers = {Layer{50, 1, 30, 0, 0.0}};
    auto S = run(c);
    EXPECT_DOUBLE_EQ(S->SEG_KO[7], 1.0);
    EXPECT_NEAR(S->LAMBDA_SEG_STRENGTH[7], 0.05 * 6.5 * std::tan(30 / 57.2958), 1e-9);

    c = clayCase(true);
    c.gamma = 0;
    S = run(c);
    for (int k = 0; k <= 40; ++k)
        EXPECT_TRUE(std::isfinite(S->LAMBDA_SKIN_CUMULATIVE[k])) << k;
    EXPECT_NEAR(S->LAMBDA_SKIN_CUMULATIVE[20], handQ(20, 1.0, 1.0) * 2 / 3, 1e-9); // (2 s + 0) lambda P z
}

// Side factor 0.5: the shown sum is halved; the t-z hand-over keeps the
// unfactored sum under option 0 and takes the factored one under option 1.
TEST(Lambda, SideFactorAndTzOption)
{
    for (const int option : {0, 1}) {
        auto S = classiccase::build(clayCase(true));
        S->SIDE_FACTOR_FLAG = option;
        for (int i = 1; i <= S->SEG_COUNT; ++i)
            S->SEG_SIDE_FACTOR[i] = 0.5;
        CALC_LAMBDA2_CAPACITY(*S);
        const double q = handQ(40, 1.0, 1.0);
        EXPECT_NEAR(S->LAMBDA_SKIN_CUMULATIVE[40], 0.5 * q, 1e-9);
        EXPECT_NEAR(S->LAMBDA_TZ_SKIN[40], option == 0 ? q : 0.5 * q, 1e-9);
        EXPECT_NEAR(S->METHOD_TZ_SKIN[3][40], S->LAMBDA_TZ_SKIN[40], 1e-12);
    }
}

// The noncircular tip area (stored in ft2) enters the stiffness in in2 like the
// circular section: an area equal to the circle gives the circle's sums. With no
// modulus at all the pile counts as infinitely flexible: lambda held at 0.14.
TEST(Lambda, NoncircularAreaAndZeroModulus)
{
    auto S = classiccase::build(clayCase(true));
    S->TIP_AREA = kPi * 24 * 24 / 4 / 144;
    CALC_LAMBDA2_CAPACITY(*S);
    EXPECT_NEAR(S->LAMBDA_SKIN_CUMULATIVE[20], handQ(20, 1.0, 0.5), 1e-9);

    Case c = clayCase(true);
    c.eModulus = 0;
    EXPECT_NEAR(run(c)->LAMBDA_SKIN_CUMULATIVE[20], 2.5 * 0.14 * kPi * 2 * 20, 1e-9);
}

} // namespace
} // namespace veldo
