#include <gtest/gtest.h>

#include "CommonCase.h"
#include "CommonSteps.h"
#include "General.h"

using namespace veldo;
using commoncase::build;
using commoncase::Pile;
using commoncase::SoilLayer;

namespace {

// English closed pile OD 12 in, increment 1 ft, TL 20 ft. Layer 1 (0..10 ft): user unit
// skin friction 1000 psf, unit end bearing 10000 psf, factors 1; layer 2 (10..30 ft):
// 2000 psf, 20000 psf, side factor 0.5, end-bearing factor 0.8.
std::unique_ptr<EngineState> userCase(int loading = 0, double tensionFactor = 1.0)
{
    SoilLayer a{.bottom = 10, .type = 2, .unitWeight = 100, .su = 1.0, .userFriction = 1000, .userBearing = 10000};
    SoilLayer b{.bottom = 30,
                .type = 1,
                .unitWeight = 100,
                .phi = 30,
                .nq = 20,
                .userFriction = 2000,
                .userBearing = 20000,
                .sideFactor = 0.5,
                .tipFactor = 0.8};
    auto S = build(Pile{.od = 12, .tl = 20}, {a, b});
    S->LOADING = loading;
    S->TENSION_FACTOR = tensionFactor;
    CALC_GENERAL_CAPACITY(*S);
    COMMON_STEPS(*S, 9);
    return S;
}

constexpr double kP = 3.14159;  // perimeter of a 1-ft pile
constexpr double kA = 0.785398; // its tip area

} // namespace

TEST(General, SkinWithSideFactorOfTheSegmentAtIndexK)
{
    auto S = userCase();
    ASSERT_TRUE(hasUserLoadTransfer(*S));
    // First increment: 1.0 ksf x P x 1 ft x side factor of segment 2 (1.0) = 3.14159.
    EXPECT_NEAR(S->METHOD_SKIN[9][1], kP, 1e-9);
    EXPECT_NEAR(S->METHOD_SKIN[9][9], 9 * kP, 1e-9);
    // Node 10: the segment ending there is in layer 1 (1 ksf), the segment at index 10
    // (segment 11) in layer 2: factor 0.5.
    EXPECT_NEAR(S->METHOD_SKIN[9][10], 9 * kP + 0.5 * kP, 1e-9);
    // Node 11: 2 ksf x P x 0.5.
    EXPECT_NEAR(S->METHOD_SKIN[9][11], 9.5 * kP + kP, 1e-9);
    // Plot column: user unit skin friction of the segment ending at the node.
    EXPECT_NEAR(S->METHOD_UNIT_FRICTION[9][10], 1.0, 1e-12);
    EXPECT_NEAR(S->METHOD_UNIT_FRICTION[9][11], 2.0, 1e-12);
    // t-z hand-over without factors (option 0): 10 x P + 2P.
    EXPECT_NEAR(S->METHOD_TZ_SKIN[9][11], 12 * kP, 1e-9);
}

TEST(General, EndBearingIsTheUsersForEverySoil)
{
    auto S = userCase();
    // Node 10: tip of the segment ending there (layer 1, 10 ksf) x area, times the
    // end-bearing factor of segment 11 (0.8).
    EXPECT_NEAR(S->GENERAL_TIP_RESISTANCE[10], 10 * kA, 1e-9);
    EXPECT_NEAR(S->METHOD_END_BEARING[9][10], 0.8 * 10 * kA, 1e-9);
    // Node 15 in the sand layer: the user's 20 ksf, not a sand rule.
    EXPECT_NEAR(S->METHOD_TIP[9][15], 20 * kA, 1e-9);
    EXPECT_NEAR(S->METHOD_ULTIMATE[9][15], S->METHOD_SKIN[9][15] + 0.8 * 20 * kA, 1e-9);
    EXPECT_EQ(S->PLUG_FLAG[9][15], 1);
    // A later method's common steps leave the user method's column alone.
    const double kept = S->METHOD_END_BEARING[9][15];
    COMMON_STEPS(*S, 4);
    EXPECT_DOUBLE_EQ(S->METHOD_END_BEARING[9][15], kept);
}

TEST(General, TensionReducesSideFrictionOnlyAndShowsSelfWeight)
{
    auto S = userCase(1, 0.6);
    EXPECT_NEAR(S->METHOD_SKIN[9][1], 0.6 * kP, 1e-9);
    EXPECT_NEAR(S->GENERAL_TIP_RESISTANCE[15], 20 * kA, 1e-9); // not reduced
    // Third column: self weight of a solid 12-in steel section, 0.7853975 x 0.49 x d.
    EXPECT_NEAR(S->METHOD_END_BEARING[9][15], 15 * 0.7853975 * 0.49, 1e-9);
}

TEST(General, NoncircularTipAreaBelowThresholdUsesCircle)
{
    SoilLayer a{.bottom = 30, .type = 2, .unitWeight = 100, .su = 1.0, .userFriction = 1000, .userBearing = 10000};
    auto S = build(Pile{.od = 12, .tl = 20}, {a});
    S->TIP_AREA = 0.0001;
    CALC_GENERAL_CAPACITY(*S);
    EXPECT_NEAR(S->GENERAL_TIP_RESISTANCE[5], 10 * kA, 1e-9);
    S->TIP_AREA = 0.5;
    CALC_GENERAL_CAPACITY(*S);
    EXPECT_NEAR(S->GENERAL_TIP_RESISTANCE[5], 5.0, 1e-9);
}

TEST(General, NoUserValues)
{
    SoilLayer a{.bottom = 30, .type = 2, .unitWeight = 100, .su = 1.0};
    auto S = build(Pile{.od = 12, .tl = 20}, {a});
    EXPECT_FALSE(hasUserLoadTransfer(*S));
    CALC_GENERAL_CAPACITY(*S);
    COMMON_STEPS(*S, 9);
    for (int k = 0; k <= 20; ++k) {
        EXPECT_EQ(S->METHOD_SKIN[9][k], 0.0);
        EXPECT_EQ(S->METHOD_ULTIMATE[9][k], 0.0);
    }
}
