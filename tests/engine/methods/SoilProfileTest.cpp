// Effective stress, fill-ins and the critical depth by its three options on
// segment tables filled by hand.
#include <gtest/gtest.h>

#include <memory>
#include <tuple>
#include <utility>

#include "EngineState.h"
#include "InputRead.h"
#include "SoilProfile.h"

using namespace veldo;

namespace {

constexpr double kTol = 1e-9;

struct Layer {
    double type, unitWeight, phi;
};

// n segments of the given increment, every one with the same soil.
std::unique_ptr<EngineState> uniformProfile(int units, int n, double increment, double od, Layer soil)
{
    auto S = std::make_unique<EngineState>();
    S->UNIT_SYSTEM = units;
    S->OD = od;
    S->INCREMENT = increment;
    S->SEG_COUNT = n;
    for (int i = 1; i <= n; ++i) {
        S->SEG_TOP[i] = (i - 1) * increment;
        S->SEG_BOTTOM[i] = i * increment;
        S->SEG_SOIL_TYPE[i] = soil.type;
        S->SEG_UNIT_WEIGHT[i] = soil.unitWeight;
        S->SEG_FRICTION_ANGLE[i] = soil.phi;
        S->SEG_UNDRAINED_STRENGTH[i] = 1.0;
    }
    return S;
}

// Limited stress at the bottom of segment i.
double limited(const EngineState& S, int i) { return S.SIGV_LIMITED[2 * i + 1]; }

// English uniform sand: 120 pcf, phi 30, OD 12 in, 1 ft segments, 40 ft.
// Bottom stress of segment i = 0.12 i ksf.
std::unique_ptr<EngineState> englishSand() { return uniformProfile(1, 40, 1.0, 12.0, {1, 120, 30}); }

} // namespace

TEST(SoilProfileTest, EffectiveStressAtSegmentEnds)
{
    auto S = englishSand();
    PREPARE_SOIL_PROFILE(*S);
    EXPECT_EQ(S->SIGV_ENDS[1], 0.0);
    EXPECT_NEAR(S->SIGV_ENDS[2], 0.12, kTol);
    EXPECT_NEAR(S->SIGV_ENDS[3], 0.12, kTol);
    EXPECT_NEAR(S->SIGV_ENDS[20], 1.20, kTol); // bottom of segment 10
    EXPECT_NEAR(S->SIGV_ENDS[21], 1.20, kTol);
    EXPECT_NEAR(S->SIGV_ENDS[80], 4.80, kTol);
    EXPECT_NEAR(S->SIGV_ENDS[81], 4.80, kTol);
    EXPECT_NEAR(limited(*S, 1), 0.12, kTol); // segment 1 is never limited
}

TEST(SoilProfileTest, CriticalDepthByDensity)
{
    auto S = englishSand();
    S->CRITICAL_DEPTH_OPTION = 0;
    PREPARE_SOIL_PROFILE(*S);
    // 10 diameters of 1 ft; stress at 10 ft = 0.96 (top of segment 9) + 2 x 0.12.
    EXPECT_NEAR(S->CRITICAL_DEPTH, 10.0, kTol);
    EXPECT_NEAR(limited(*S, 9), 1.08, kTol);
    EXPECT_NEAR(limited(*S, 10), 1.20, kTol);
    EXPECT_NEAR(limited(*S, 11), 1.20, kTol);
    EXPECT_NEAR(limited(*S, 40), 1.20, kTol);
}

TEST(SoilProfileTest, CriticalDepthAtStressLimit)
{
    auto S = englishSand();
    S->CRITICAL_DEPTH_OPTION = 1;
    S->USER_CRITICAL_DEPTH = 7.0; // replaced by the depth found
    PREPARE_SOIL_PROFILE(*S);
    // 29 x 0.12 = 3.48 <= 3.5 < 30 x 0.12 = 3.60: the bottom of segment 30.
    EXPECT_NEAR(S->USER_CRITICAL_DEPTH, 30.0, kTol);
    EXPECT_NEAR(limited(*S, 29), 3.48, kTol);
    EXPECT_NEAR(limited(*S, 30), 3.60, kTol);
    EXPECT_NEAR(limited(*S, 40), 3.60, kTol);
}

TEST(SoilProfileTest, CriticalDepthByUser)
{
    auto S = englishSand();
    S->CRITICAL_DEPTH_OPTION = 2;
    S->USER_CRITICAL_DEPTH = 15.0;
    PREPARE_SOIL_PROFILE(*S);
    EXPECT_NEAR(limited(*S, 14), 1.68, kTol);
    EXPECT_NEAR(limited(*S, 15), 1.80, kTol); // 15 x 0.12
    EXPECT_NEAR(limited(*S, 33), 1.80, kTol);
    EXPECT_NEAR(S->USER_CRITICAL_DEPTH, 15.0, kTol);
}

TEST(SoilProfileTest, CriticalDepthBetweenSegmentEnds)
{
    auto S = englishSand();
    S->CRITICAL_DEPTH_OPTION = 2;
    S->USER_CRITICAL_DEPTH = 12.5;
    PREPARE_SOIL_PROFILE(*S);
    // First bottom at or below 12.5 is segment 13; base segment 12 (top 11 ft):
    // 11 x 0.12 + 1.5 x 0.12 = 1.50.
    EXPECT_NEAR(limited(*S, 12), 1.44, kTol);
    EXPECT_NEAR(limited(*S, 13), 1.50, kTol);
    EXPECT_NEAR(limited(*S, 20), 1.50, kTol);
}

TEST(SoilProfileTest, SiCriticalDepths)
{
    // 10 kN/m3, phi 37, OD 300 mm, 0.5 m segments: 20 diameters = 6 m, 60 kPa.
    auto S = uniformProfile(2, 40, 0.5, 300.0, {1, 10, 37});
    PREPARE_SOIL_PROFILE(*S);
    EXPECT_NEAR(S->CRITICAL_DEPTH, 6.0, kTol);
    EXPECT_NEAR(S->SIGV_ENDS[2], 5.0, kTol);
    EXPECT_NEAR(limited(*S, 11), 55.0, kTol);
    EXPECT_NEAR(limited(*S, 12), 60.0, kTol);
    EXPECT_NEAR(limited(*S, 40), 60.0, kTol);

    // Option 1 in SI: 33 x 5 = 165 <= 167.58 < 34 x 5 = 170: found at 17 m.
    S->CRITICAL_DEPTH_OPTION = 1;
    PREPARE_SOIL_PROFILE(*S);
    EXPECT_NEAR(S->USER_CRITICAL_DEPTH, 17.0, kTol);
    EXPECT_NEAR(limited(*S, 34), 170.0, kTol);
    EXPECT_NEAR(limited(*S, 40), 170.0, kTol);
}

TEST(SoilProfileTest, DensityRuleBands)
{
    // Friction angle 33 gives 15 diameters, 36 gives 20, just below 33 gives 10.
    for (auto [phi, depth] : {std::pair{32.99, 10.0}, {33.0, 15.0}, {35.99, 15.0}, {36.0, 20.0}}) {
        auto S = englishSand();
        for (int i = 1; i <= S->SEG_COUNT; ++i)
            S->SEG_FRICTION_ANGLE[i] = phi;
        PREPARE_SOIL_PROFILE(*S);
        EXPECT_NEAR(S->CRITICAL_DEPTH, depth, kTol) << "phi " << phi;
    }
}

TEST(SoilProfileTest, CriticalDepthZeroLeavesStressUnlimited)
{
    auto expectUnlimited = [](const EngineState& S) {
        for (int i = 1; i <= S.SEG_COUNT; ++i)
            EXPECT_NEAR(limited(S, i), S.SIGV_ENDS[2 * i], kTol) << "segment " << i;
    };
    // Option 0 without any sand segment.
    auto clay = uniformProfile(1, 30, 1.0, 12.0, {2, 110, 0});
    PREPARE_SOIL_PROFILE(*clay);
    EXPECT_EQ(clay->CRITICAL_DEPTH, 0.0);
    expectUnlimited(*clay);
    EXPECT_NEAR(limited(*clay, 30), 3.30, kTol);

    // Option 1 never reaching 3.5 ksf (20 x 0.12 = 2.4).
    auto shortPile = uniformProfile(1, 20, 1.0, 12.0, {1, 120, 30});
    shortPile->CRITICAL_DEPTH_OPTION = 1;
    PREPARE_SOIL_PROFILE(*shortPile);
    EXPECT_EQ(shortPile->USER_CRITICAL_DEPTH, 0.0);
    expectUnlimited(*shortPile);

    // Option 2 with a user depth of 0 or below.
    for (double depth : {0.0, -3.0}) {
        auto S = englishSand();
        S->CRITICAL_DEPTH_OPTION = 2;
        S->USER_CRITICAL_DEPTH = depth;
        PREPARE_SOIL_PROFILE(*S);
        expectUnlimited(*S);
    }
}

TEST(SoilProfileTest, ClayAboveSandUsesDeepestSandCriticalDepth)
{
    // Clay segments 1..15 over sand 16..30 (phi 30, OD 12 in): the first pass
    // leaves 10 ft, so clay below 10 ft gets the stress at 10 ft.
    auto S = uniformProfile(1, 30, 1.0, 12.0, {2, 120, 0});
    for (int i = 16; i <= 30; ++i) {
        S->SEG_SOIL_TYPE[i] = 1;
        S->SEG_FRICTION_ANGLE[i] = 30;
    }
    PREPARE_SOIL_PROFILE(*S);
    EXPECT_NEAR(limited(*S, 5), 0.60, kTol);
    EXPECT_NEAR(limited(*S, 12), 1.20, kTol);
    EXPECT_NEAR(limited(*S, 25), 1.20, kTol);
}

TEST(SoilProfileTest, FrictionAngleFillIn)
{
    auto S = uniformProfile(1, 6, 1.0, 12.0, {1, 120, 0});
    S->PHI_ESTIMATE = 40; // left from an earlier call: reset on entry
    // Segment 1: sand without blow count -> no estimate yet -> 0.
    // Segment 2: sand N = 10 at 0.24 ksf = 1.6667 psi: 38 - 1.6667 x 6 / 20 = 37.5.
    // Segment 3: sand without blow count -> the last estimate, 37.5.
    // Segment 4: clay with a yield stress ratio in the blow-count field -> stays 0.
    // Segment 5: silt N = 10 at 0.60 ksf = 4.1667 psi: 38 - 4.1667 x 6 / 20 = 36.75.
    // Segment 6: sand with a friction angle of its own keeps it.
    S->SEG_BLOW_COUNT[2] = 10;
    S->SEG_SOIL_TYPE[4] = 2;
    S->SEG_BLOW_COUNT[4] = 2;
    S->SEG_SOIL_TYPE[5] = 3;
    S->SEG_BLOW_COUNT[5] = 10;
    S->SEG_FRICTION_ANGLE[6] = 31;
    PREPARE_SOIL_PROFILE(*S);
    EXPECT_NEAR(S->SEG_FRICTION_ANGLE[1], 0, kTol);
    EXPECT_NEAR(S->SEG_FRICTION_ANGLE[2], 37.5, kTol);
    EXPECT_NEAR(S->SEG_FRICTION_ANGLE[3], 37.5, kTol);
    EXPECT_NEAR(S->SEG_FRICTION_ANGLE[4], 0, kTol);
    EXPECT_NEAR(S->SEG_FRICTION_ANGLE[5], 36.75, kTol);
    EXPECT_NEAR(S->SEG_FRICTION_ANGLE[6], 31, kTol);
    EXPECT_NEAR(S->PHI_ESTIMATE, 36.75, kTol);
}

TEST(SoilProfileTest, UndrainedStrengthFromConeResistance)
{
    // English: Qc 30000 psf -> 30 ksf / 15 = 2.0 ksf. SI: 1500 kPa / 15 = 100 kPa.
    for (auto [units, qc, su] : {std::tuple{1, 30000.0, 2.0}, {2, 1500.0, 100.0}}) {
        auto S = uniformProfile(units, 3, 1.0, 12.0, {2, 110, 0});
        S->SEG_UNDRAINED_STRENGTH[2] = 0;
        S->SEG_QC[2] = qc;
        S->SEG_QC[3] = qc; // a given strength is kept
        PREPARE_SOIL_PROFILE(*S);
        EXPECT_NEAR(S->SEG_UNDRAINED_STRENGTH[2], su, kTol);
        EXPECT_NEAR(S->SEG_UNDRAINED_STRENGTH[3], 1.0, kTol);
    }
}

TEST(SoilProfileTest, FullSegmentCountFitsTheStressArrays)
{
    auto S = uniformProfile(1, MAX_SEGMENTS, 0.2, 12.0, {1, 100, 30});
    PREPARE_SOIL_PROFILE(*S);
    EXPECT_NEAR(S->SIGV_ENDS[2 * MAX_SEGMENTS + 1], 10.0, 1e-9); // 100 ft x 0.1 ksf/ft
    EXPECT_NEAR(limited(*S, MAX_SEGMENTS), 1.0, 1e-9);           // 10 ft critical depth
}

TEST(SoilProfileTest, RepeatedCallGivesTheSameProfile)
{
    // The profile is prepared in every pass; methods may raise stresses in
    // between, and a second call rebuilds everything from the segment table.
    auto S = englishSand();
    S->CRITICAL_DEPTH_OPTION = 1;
    PREPARE_SOIL_PROFILE(*S);
    const auto ends = S->SIGV_ENDS;
    const auto limitedStress = S->SIGV_LIMITED;
    const double depth = S->USER_CRITICAL_DEPTH;
    S->SIGV_ENDS[2] = 1e-10;
    S->USER_CRITICAL_DEPTH = 12.0; // as another method may leave it
    S->PHI_ESTIMATE = 44;
    PREPARE_SOIL_PROFILE(*S);
    EXPECT_EQ(S->SIGV_ENDS, ends);
    EXPECT_EQ(S->SIGV_LIMITED, limitedStress);
    EXPECT_EQ(S->USER_CRITICAL_DEPTH, depth);
    EXPECT_EQ(S->PHI_ESTIMATE, 0.0);
}

TEST(SoilProfileTest, FromProjectTextThroughTheSegmentTable)
{
    // English: 10 ft of silt (blow count 10, no friction angle) over clay whose
    // strength comes from Qc = 30000 psf; OD 12 in, 1 ft increment, soil to 30 ft.
    const std::string project = "PROFILE\nDESIGNER\nJOB\n"
                                "1 1 4 0\n"
                                "0 0 12 0 29000000 20 0\n"
                                "0 0\n"
                                "0 1 2 0 4 0 0\n"
                                "0 1 0 0 0 0 0 0 0\n"
                                "30 0\n"
                                "0 3 1 120 0 0\n"
                                "0 0 0 10 0 0 0 0 0 1 1 0\n"
                                "10 3 1 120 0 0\n"
                                "0 0 0 10 0 0 0 0 0 1 1 0\n"
                                "10 2 1 110 0 0\n"
                                "0 0 0 0 1.5 20 30000 0 0 1 1 0\n"
                                "30 2 1 110 0 0\n"
                                "0 0 0 0 1.5 20 30000 0 0 1 1 0\n"
                                "0\n"
                                "0 1\n"
                                "0 0\n"
                                "0 0\n"
                                "0 0\n";
    auto S = std::make_unique<EngineState>();
    READ_PROJECT_TEXT(*S, project, "profile.vd7d");
    ASSERT_TRUE(SEGMENT_COUNT_CHECK(*S));
    BUILD_SEGMENT_TABLE(*S);
    ASSERT_EQ(S->SEG_COUNT, 30);
    PREPARE_SOIL_PROFILE(*S);
    // Silt segment 1: 0.12 ksf = 0.8333 psi: 38 - 0.8333 x 6 / 20 = 37.75.
    EXPECT_NEAR(S->SEG_FRICTION_ANGLE[1], 37.75, 1e-9);
    // Silt segment 5: 0.60 ksf = 4.1667 psi: 38 - 4.1667 x 6 / 20 = 36.75.
    EXPECT_NEAR(S->SEG_FRICTION_ANGLE[5], 36.75, 1e-9);
    // Clay keeps its friction angle of 0 and gets su = 30 ksf / 15.
    EXPECT_EQ(S->SEG_FRICTION_ANGLE[11], 0.0);
    EXPECT_NEAR(S->SEG_UNDRAINED_STRENGTH[11], 2.0, 1e-9);
    // 10 ft x 0.12 + 20 ft x 0.11 = 3.40 ksf at 30 ft; no sand: no limit.
    EXPECT_NEAR(S->SIGV_ENDS[60], 3.40, 1e-9);
    EXPECT_NEAR(S->SIGV_LIMITED[61], 3.40, 1e-9);
}
