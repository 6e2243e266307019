#include <gtest/gtest.h>

#include <cmath>

#include "OffshoreCase.h"
#include "Uwa.h"

using namespace veldo;
using namespace veldo::testcase;

namespace {

constexpr double kRel = 1e-6;

// UWA sand: sigma'rc = 0.03 qc Ar^0.3 (h/D)^-0.5; at each end sn = max(sigma / 100, 1e-7),
// qn = qc / 100, G = 185 qc / (qn / sqrt(sn))^0.75, dsigma'rd = 4 G 0.02 / OD,
// f = (sigma'rc + dsigma'rd) tan(phi - 5).
double handSand(double sigma, double hOverD, double ar = 1.0, double qc = 10000.0, double od = 1000.0,
                double tension = 1.0)
{
    const double rc = 0.03 * qc * std::pow(ar, 0.3) * std::pow(std::max(hOverD, 2.0), -0.5);
    const double sn = std::max(sigma / 100.0, 1e-7);
    const double g = 185.0 * qc / std::pow(qc / 100.0 / std::sqrt(sn), 0.75);
    return (rc + 4.0 * g * 0.02 / od) * tension * std::tan(30.0 / kDegPerRad);
}

} // namespace

// Segment 11: h/D = 10000 / 1000 = 10, sigma'rc = 0.03 x 10000 x 10^-0.5 = 94.87;
// bottom: qn / sqrt(sn) = 100 / 1.0488 = 95.35, G = 1850000 / 95.35^0.75 = 60631,
// dsigma'rd = 4 x 60631 x 0.02 / 1000 = 4.85; f = 99.72 x tan 30 = 57.57 kPa.
TEST(UwaMethod, SandFrictionByHand)
{
    auto c = makeCase(false);
    CALC_UWA_CAPACITY(c.S());
    const auto& S = c.S();
    EXPECT_NEAR(S.SEG_END_FRICTION[22], 57.57, 0.005);
    EXPECT_LT(relDiff(S.SEG_END_FRICTION[22], handSand(110.0, 10.0)), kRel);
    EXPECT_LT(relDiff(S.SEG_END_FRICTION[21], handSand(100.0, 10.0)), kRel);
    EXPECT_EQ(S.UWA_SEG_FRICTION_COPY[22], S.SEG_END_FRICTION[22]);
    EXPECT_EQ(S.METHOD_PLUG_FRICTION[8][22], S.SEG_END_FRICTION[22]);
}

TEST(UwaMethod, EnglishUnitsGiveTheSameFrictionAndCapacity)
{
    auto si = makeCase(false);
    auto en = makeCase(true);
    CALC_UWA_CAPACITY(si.S());
    CALC_UWA_CAPACITY(en.S());
    for (int j = 1; j <= 44; ++j)
        EXPECT_LT(relDiff(en.kpa(en.S().SEG_END_FRICTION[j]), si.S().SEG_END_FRICTION[j]), 1e-5) << j;
    for (int k = 1; k <= 20; ++k)
        EXPECT_LT(relDiff(en.kn(en.S().METHOD_SKIN[8][k]), si.S().METHOD_SKIN[8][k]), 1e-5) << k;
    EXPECT_LT(relDiff(en.kn(en.S().UWA_TZ_SKIN[20]), si.S().UWA_TZ_SKIN[20]), 1e-5);
}

TEST(UwaMethod, HeadCarriesFrictionFromTheLowestStress)
{
    // Top of segment 1: sn is raised to 1e-7, h/D = 20.
    auto c = makeCase(false);
    CALC_UWA_CAPACITY(c.S());
    EXPECT_LT(relDiff(c.S().SEG_END_FRICTION[1], handSand(0.0, 20.0)), kRel);
    EXPECT_GT(c.S().SEG_END_FRICTION[1], 0.0);
}

TEST(UwaMethod, NearTheTipHOverDIsTwo)
{
    auto c = makeCase(false);
    CALC_UWA_CAPACITY(c.S());
    // Segment 20: h/D = 1 is raised to 2.
    EXPECT_LT(relDiff(c.S().SEG_END_FRICTION[40], handSand(200.0, 2.0)), kRel);
}

TEST(UwaMethod, TensionIsThreeQuarters)
{
    auto c = makeCase(false);
    c.S().LOADING = 1;
    CALC_UWA_CAPACITY(c.S());
    EXPECT_LT(relDiff(c.S().SEG_END_FRICTION[22], handSand(110.0, 10.0, 1.0, 10000.0, 1000.0, 0.75)), kRel);
    EXPECT_LT(relDiff(c.S().SEG_END_FRICTION[21], handSand(100.0, 10.0, 1.0, 10000.0, 1000.0, 0.75)), kRel);
}

TEST(UwaMethod, AreaRatioOfOpenAndClosedSections)
{
    // Open OD 2000 mm, EID 1800 mm: Di = 1.8 m, IFR = (1.8 / 1.5)^0.2 held at 1,
    // Ar = 1 - 0.81 = 0.19; segment 11: h/D = 5.
    auto o = makeCase(false);
    o.S().OD = 2000.0;
    o.S().EID = 1800.0;
    o.S().PILE_END_FLAG = 0;
    CALC_UWA_CAPACITY(o.S());
    EXPECT_LT(relDiff(o.S().SEG_END_FRICTION[22], handSand(110.0, 5.0, 0.19, 10000.0, 2000.0)), kRel);

    // Open OD 1000 mm, EID 950 mm: IFR = (0.95 / 1.5)^0.2, Ar = 1 - IFR x 0.9025.
    auto s = makeCase(false);
    s.S().PILE_END_FLAG = 0;
    CALC_UWA_CAPACITY(s.S());
    const double ar = 1.0 - std::pow(0.95 / 1.5, 0.2) * 0.9025;
    EXPECT_LT(relDiff(s.S().SEG_END_FRICTION[22], handSand(110.0, 10.0, ar)), kRel);

    // The same section closed-ended: Ar = 1.
    auto c = makeCase(false);
    c.S().OD = 2000.0;
    c.S().EID = 1800.0;
    CALC_UWA_CAPACITY(c.S());
    EXPECT_LT(relDiff(c.S().SEG_END_FRICTION[22], handSand(110.0, 5.0, 1.0, 10000.0, 2000.0)), kRel);
}

TEST(UwaMethod, ZeroConeResistanceGivesNoFriction)
{
    auto c = makeCase(false, 1.0, 0.0);
    CALC_UWA_CAPACITY(c.S());
    for (int j = 1; j <= 44; ++j)
        EXPECT_EQ(c.S().SEG_END_FRICTION[j], 0.0) << j;
    EXPECT_EQ(c.S().METHOD_SKIN[8][20], 0.0);
}

TEST(UwaMethod, ClayUsesTheIcpRuleWithItsLines)
{
    auto c = makeCase(false, 2.0);
    setClay(c, 50.0, 25.0, 2.0, -1.0);
    c.S().SEG_COUNT = 18;
    const auto lines = runWithReport(c.S(), CALC_UWA_CAPACITY);
    // 18 errors; segment 18 (h/R = 6) adds the warning after its error.
    ASSERT_EQ(lines.size(), 19u);
    EXPECT_EQ(lines[17], " ERROR - NO DATA FOUND FOR PLASTIC INDEX.");
    EXPECT_EQ(lines[18], " WARNING - h/R SHOULD BE GREATER THAN 8.");
    const double kc = (2.0 - 0.625 * std::log10(2.0)) * std::pow(2.0, 0.42) * std::pow(20.0, -0.2);
    EXPECT_LT(relDiff(c.S().SEG_END_FRICTION[22], 0.8 * 110.0 * kc * std::tan(34.0 / kDegPerRad)), kRel);
}
