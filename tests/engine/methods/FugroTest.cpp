#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "Fugro.h"
#include "Ngi.h"
#include "OffshoreCase.h"

using namespace veldo;
using namespace veldo::testcase;

namespace {

constexpr double kRel = 1e-6;

// Fugro sand in compression: f = 0.08 qc (sigma / 100)^0.05 (h/R)^-0.90; when
// h/R <= 4 the power term is held at 4^-0.90 and f is tapered by h / (4 R*).
double handCompression(double sigma, double h, double rStar, double qc = 10000.0)
{
    const double hr = h / rStar;
    const double f = 0.08 * qc * std::pow(sigma / 100.0, 0.05) * std::pow(std::max(hr, 4.0), -0.90);
    return hr <= 4.0 ? f * h / (4.0 * rStar) : f;
}

} // namespace

// Segment 11 of the closed pipe: h = 10000 mm, R* = 500 mm, h/R = 20;
// bottom: 0.08 x 10000 x 1.1^0.05 x 20^-0.9 = 800 x 1.004777 x 0.067468 = 54.23 kPa.
TEST(FugroMethod, SandFrictionAtHOverR20ByHand)
{
    auto c = makeCase(false);
    CALC_FUGRO_CAPACITY(c.S());
    const auto& S = c.S();
    EXPECT_NEAR(S.SEG_END_FRICTION[22], 54.23, 0.005);
    EXPECT_LT(relDiff(S.SEG_END_FRICTION[22], handCompression(110.0, 10000.0, 500.0)), kRel);
    EXPECT_LT(relDiff(S.SEG_END_FRICTION[21], handCompression(100.0, 10000.0, 500.0)), kRel);
    EXPECT_EQ(S.FUGRO_SEG_FRICTION_COPY[22], S.SEG_END_FRICTION[22]);
    EXPECT_EQ(S.METHOD_PLUG_FRICTION[7][21], S.SEG_END_FRICTION[21]);
    // The head carries no friction (sigma = 0).
    EXPECT_EQ(S.SEG_END_FRICTION[1], 0.0);
}

TEST(FugroMethod, EnglishUnitsGiveTheSameFrictionAndCapacity)
{
    auto si = makeCase(false);
    auto en = makeCase(true);
    CALC_FUGRO_CAPACITY(si.S());
    CALC_FUGRO_CAPACITY(en.S());
    // Segments along the pile (below the tip h is held at 1e-5 in or mm, which
    // touches no result at a penetration point).
    for (int j = 1; j <= 40; ++j)
        EXPECT_LT(relDiff(en.kpa(en.S().SEG_END_FRICTION[j]), si.S().SEG_END_FRICTION[j]), 1e-5) << j;
    for (int k = 1; k <= 20; ++k)
        EXPECT_LT(relDiff(en.kn(en.S().METHOD_SKIN[7][k]), si.S().METHOD_SKIN[7][k]), 1e-5) << k;
    EXPECT_LT(relDiff(en.kn(en.S().FUGRO_TZ_SKIN[20]), si.S().FUGRO_TZ_SKIN[20]), 1e-5);
}

TEST(FugroMethod, CompressionNearTheTip)
{
    for (bool english : {false, true}) {
        auto c = makeCase(english);
        CALC_FUGRO_CAPACITY(c.S());
        const auto& S = c.S();
        // Segment 19: h = 2000 mm, h/R = 4 exactly takes the reduced branch, whose
        // factor h / (4 R*) is 1 there: both branches agree.
        const double atFour = 0.08 * 10000.0 * std::pow(1.9, 0.05) * std::pow(4.0, -0.9);
        EXPECT_LT(relDiff(c.kpa(S.SEG_END_FRICTION[38]), atFour), 1e-5) << english;
        // Segment 20: h/R = 2 holds the power term at 4^-0.9 and tapers by 0.5:
        // 800 x 2^0.05 x 0.287175 x 0.5 = 118.92 kPa.
        const double atTwo = 0.08 * 10000.0 * std::pow(2.0, 0.05) * std::pow(4.0, -0.9) * 0.5;
        EXPECT_NEAR(atTwo, 118.92, 0.005);
        EXPECT_LT(relDiff(c.kpa(S.SEG_END_FRICTION[40]), atTwo), 1e-5) << english;
        // Segment 21 (top at the tip): h is raised to 1e-5 mm (in).
        const double hTipMm = english ? 1e-5 * kMmPerIn : 1e-5;
        EXPECT_LT(relDiff(c.kpa(S.SEG_END_FRICTION[42]), handCompression(210.0, hTipMm, 500.0)), 1e-5) << english;
        EXPECT_TRUE(std::isfinite(S.SEG_END_FRICTION[44]));
    }
}

TEST(FugroMethod, TensionHoldsHOverRAtFour)
{
    auto c = makeCase(false);
    c.S().LOADING = 1;
    CALC_FUGRO_CAPACITY(c.S());
    const auto& S = c.S();
    // Segment 11: 0.045 qc sn^0.15 20^-0.85.
    EXPECT_LT(relDiff(S.SEG_END_FRICTION[22], 0.045 * 10000.0 * std::pow(1.1, 0.15) * std::pow(20.0, -0.85)), kRel);
    // Segment 20 (h/R = 2): 0.045 qc sn^0.15 4^-0.85.
    EXPECT_LT(relDiff(S.SEG_END_FRICTION[40], 0.045 * 10000.0 * std::pow(2.0, 0.15) * std::pow(4.0, -0.85)), kRel);
}

TEST(FugroMethod, OpenSectionRadius)
{
    // EID = 0.9 OD, open: R* = 500 sqrt(0.19) = 217.94 mm, h/R = 45.88 at segment 11.
    auto c = makeCase(false);
    c.S().PILE_END_FLAG = 0;
    c.S().EID = 900.0;
    CALC_FUGRO_CAPACITY(c.S());
    EXPECT_LT(relDiff(c.S().SEG_END_FRICTION[22], handCompression(110.0, 10000.0, 500.0 * std::sqrt(0.19))), kRel);

    // The same EID on a closed-ended pile counts as solid: R* = 500.
    auto d = makeCase(false);
    d.S().EID = 900.0;
    CALC_FUGRO_CAPACITY(d.S());
    EXPECT_LT(relDiff(d.S().SEG_END_FRICTION[22], handCompression(110.0, 10000.0, 500.0)), kRel);
}

// NGI runs before Fugro in the same pass; the head stress it sees stays 0 in
// both unit systems, so Fugro's head carries no friction in English units either.
TEST(FugroMethod, HeadFrictionAfterNgiIsZeroInBothUnitSystems)
{
    for (bool english : {false, true}) {
        auto c = makeCase(english);
        CALC_NGI_CAPACITY(c.S());
        CALC_FUGRO_CAPACITY(c.S());
        EXPECT_EQ(c.S().SIGV_ENDS[1], 0.0);
        EXPECT_EQ(c.S().SEG_END_FRICTION[1], 0.0);
    }
}

TEST(FugroMethod, ClayUsesTheIcpRuleWithItsLines)
{
    auto c = makeCase(false, 3.0); // silt follows the clay rule
    setClay(c, 50.0, 25.0, 2.0, 20.0);
    const auto lines = runWithReport(c.S(), CALC_FUGRO_CAPACITY);
    const double kc = (2.0 - 0.625 * std::log10(2.0)) * std::pow(2.0, 0.42) * std::pow(20.0, -0.2);
    EXPECT_LT(relDiff(c.S().SEG_END_FRICTION[22], 0.8 * 110.0 * kc * std::tan(24.5 / kDegPerRad)), kRel);
    EXPECT_EQ(c.S().FUGRO_SEG_FRICTION_COPY[22], c.S().SEG_END_FRICTION[22]);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], " WARNING - h/R SHOULD BE GREATER THAN 8.");
}

TEST(FugroMethod, ZeroConeResistanceGivesNoFriction)
{
    auto c = makeCase(false, 1.0, 0.0);
    CALC_FUGRO_CAPACITY(c.S());
    for (int j = 1; j <= 44; ++j)
        EXPECT_EQ(c.S().SEG_END_FRICTION[j], 0.0);
}
