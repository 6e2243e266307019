// Chart lookups against values read off the chart tables by hand: end points,
// points between, and arguments beyond both ends (held at the end values).
#include <gtest/gtest.h>

#include <memory>

#include "Charts.h"
#include "EngineState.h"
#include "UnitConversions.h"

using namespace veldo;

namespace {
constexpr double kTol = 1e-9;
}

TEST(ChartsTest, NqChartsInterpolateAndHoldEnds)
{
    EXPECT_NEAR(LOOKUP_NQ_A(0), 1, kTol);
    EXPECT_NEAR(LOOKUP_NQ_A(50), 415.1, kTol);
    EXPECT_NEAR(LOOKUP_NQ_A(36), 56, kTol);
    EXPECT_NEAR(LOOKUP_NQ_A(33), 36.5, kTol); // 30 + (56 - 30) * 1/4
    EXPECT_NEAR(LOOKUP_NQ_A(31), 26.5, kTol); // (23 + 30) / 2
    EXPECT_NEAR(LOOKUP_NQ_A(60), 415.1, kTol);
    EXPECT_NEAR(LOOKUP_NQ_A(-5), 1, kTol);

    EXPECT_NEAR(LOOKUP_NQ_B(15), 4.8, kTol);
    EXPECT_NEAR(LOOKUP_NQ_B(45), 475, kTol);
    EXPECT_NEAR(LOOKUP_NQ_B(26.25), 18, kTol); // (15 + 21) / 2
    EXPECT_NEAR(LOOKUP_NQ_B(10), 4.8, kTol);
    EXPECT_NEAR(LOOKUP_NQ_B(50), 475, kTol);

    EXPECT_NEAR(LOOKUP_NQ_C(30), 6.66, kTol);
    EXPECT_NEAR(LOOKUP_NQ_C(43.75), 368.8, kTol);
    EXPECT_NEAR(LOOKUP_NQ_C(30.625), 8.955, kTol); // (6.66 + 11.25) / 2
    EXPECT_NEAR(LOOKUP_NQ_C(29), 6.66, kTol);
    EXPECT_NEAR(LOOKUP_NQ_C(50), 368.8, kTol);
}

TEST(ChartsTest, PlasticityIndexCharts)
{
    EXPECT_NEAR(LOOKUP_PI_CHART_A(0), 40, kTol);
    EXPECT_NEAR(LOOKUP_PI_CHART_A(80), 17, kTol);
    EXPECT_NEAR(LOOKUP_PI_CHART_A(45), 20, kTol);
    EXPECT_NEAR(LOOKUP_PI_CHART_A(7.5), 33.5, kTol); // (36 + 31) / 2
    EXPECT_NEAR(LOOKUP_PI_CHART_A(-3), 40, kTol);
    EXPECT_NEAR(LOOKUP_PI_CHART_A(90), 17, kTol);

    EXPECT_NEAR(LOOKUP_PI_CHART_B(0), 34, kTol);
    EXPECT_NEAR(LOOKUP_PI_CHART_B(80), 8.5, kTol);
    EXPECT_NEAR(LOOKUP_PI_CHART_B(2.5), 33, kTol);    // (34 + 32) / 2
    EXPECT_NEAR(LOOKUP_PI_CHART_B(62.5), 11.9, kTol); // (12.3 + 11.5) / 2
    EXPECT_NEAR(LOOKUP_PI_CHART_B(100), 8.5, kTol);
}

TEST(ChartsTest, AlphaChartInterpolatesBetweenCurves)
{
    EXPECT_NEAR(LOOKUP_ALPHA_CHART(30, 25), 0.55, kTol);     // 0.58 + (0.52 - 0.58) * 0.5
    EXPECT_NEAR(LOOKUP_ALPHA_CHART(30, 10), 0.58, kTol);     // p = 20 curve alone
    EXPECT_NEAR(LOOKUP_ALPHA_CHART(30, 60), 0.49, kTol);     // p = 45 curve alone
    EXPECT_NEAR(LOOKUP_ALPHA_CHART(21.5, 20), 0.3955, kTol); // (0.375 + 0.416) / 2
    EXPECT_NEAR(LOOKUP_ALPHA_CHART(25, 37.5), 0.3535, kTol); // (0.389 + 0.318) / 2
    EXPECT_NEAR(LOOKUP_ALPHA_CHART(27.5, 30), 0.4, kTol);    // the off-trend point kept
    EXPECT_NEAR(LOOKUP_ALPHA_CHART(10, 30), 0.256, kTol);
    EXPECT_NEAR(LOOKUP_ALPHA_CHART(50, 37.5), 0.8, kTol);
    EXPECT_NEAR(LOOKUP_ALPHA_CHART(20, 45), 0.177, kTol);
}

TEST(ChartsTest, KdeltaCharts)
{
    EXPECT_NEAR(LOOKUP_KDELTA_25(1.5, 1), 3.558, kTol); // (3.383 + 3.733) / 2
    for (double p : {0.05, 0.1, 1.0, 3.0, 10.0, 20.0})
        EXPECT_NEAR(LOOKUP_KDELTA_25(2.5, p), 4.072, kTol);
    EXPECT_NEAR(LOOKUP_KDELTA_25(0, 0.05), 0.7, kTol);
    EXPECT_NEAR(LOOKUP_KDELTA_25(0, 5.5), 0.925, kTol); // (0.85 + 1.0) / 2
    EXPECT_NEAR(LOOKUP_KDELTA_25(-1, 20), 1.0, kTol);

    EXPECT_NEAR(LOOKUP_KDELTA_30(0.05, 0.1), 0.9465, kTol); // (0.85 + 1.043) / 2
    EXPECT_NEAR(LOOKUP_KDELTA_30(0.5, 10), 3.18, kTol);
    EXPECT_NEAR(LOOKUP_KDELTA_30(1.9, 1), 6.494, kTol);

    EXPECT_NEAR(LOOKUP_KDELTA_35(0.225, 1), 2.785, kTol); // (2.59 + 2.98) / 2
    EXPECT_NEAR(LOOKUP_KDELTA_35(3, 0.1), 10.34, kTol);
    EXPECT_NEAR(LOOKUP_KDELTA_35(0, 10), 2.35, kTol);

    EXPECT_NEAR(LOOKUP_KDELTA_40(0.125, 10), 7.76, kTol);  // (7.04 + 8.48) / 2
    EXPECT_NEAR(LOOKUP_KDELTA_40(0.1, 0.55), 5.736, kTol); // (5.12 + 6.352) / 2
    EXPECT_NEAR(LOOKUP_KDELTA_40(5, 1), 17.54, kTol);
}

TEST(ChartsTest, KdeltaCorrectionHasSevenCurves)
{
    EXPECT_NEAR(LOOKUP_KDELTA_CORRECTION(0.2, 14), 0.83, kTol);
    EXPECT_NEAR(LOOKUP_KDELTA_CORRECTION(0.1, 45), 0.24, kTol);  // held at the 0.2 curve
    EXPECT_NEAR(LOOKUP_KDELTA_CORRECTION(1.5, 45), 1.16, kTol);  // held at the 1.4 curve
    EXPECT_NEAR(LOOKUP_KDELTA_CORRECTION(0.3, 30), 0.635, kTol); // (0.58 + 0.69) / 2
    EXPECT_NEAR(LOOKUP_KDELTA_CORRECTION(1.0, 20), 1.0, kTol);
    EXPECT_NEAR(LOOKUP_KDELTA_CORRECTION(0.9, 16), 0.9925, kTol); // ((0.99+0.98)/2 + 1) / 2
    EXPECT_NEAR(LOOKUP_KDELTA_CORRECTION(0.6, 50), 0.62, kTol);
    EXPECT_NEAR(LOOKUP_KDELTA_CORRECTION(1.3, 10), 1.015, kTol); // (1.01 + 1.02) / 2
}

TEST(ChartsTest, DeltaRatioByPileType)
{
    EXPECT_NEAR(LOOKUP_DELTA_RATIO(1.5, 6), 0.98, kTol);
    EXPECT_NEAR(LOOKUP_DELTA_RATIO(0.05, 1), 0.342, kTol);
    EXPECT_NEAR(LOOKUP_DELTA_RATIO(2, 5), 1.27, kTol);
    EXPECT_NEAR(LOOKUP_DELTA_RATIO(0.25, 6), 0.85725, kTol); // (0.827 + 0.8875) / 2
    EXPECT_NEAR(LOOKUP_DELTA_RATIO(0.46, 3), 0.5575, kTol);  // (0.525 + 0.59) / 2
    EXPECT_NEAR(LOOKUP_DELTA_RATIO(1.9, 7), 1.062, kTol);
    EXPECT_NEAR(LOOKUP_DELTA_RATIO(1, 2), 0.693, kTol);
    EXPECT_NEAR(LOOKUP_DELTA_RATIO(1, 4), 0.873, kTol);
}

TEST(ChartsTest, AdhesionCharts)
{
    // A: curves for D/b 10, 20, 40.
    EXPECT_NEAR(LOOKUP_ADHESION_A(3, 10, 1), 1.0, kTol);
    EXPECT_NEAR(LOOKUP_ADHESION_A(2, 30, 1), 0.815, kTol);      // (0.95 + 0.68) / 2
    EXPECT_NEAR(LOOKUP_ADHESION_A(2.25, 15, 1), 0.95625, kTol); // (1 + (0.95+0.875)/2) / 2
    EXPECT_NEAR(LOOKUP_ADHESION_A(5, 50, 1), 0.4, kTol);
    EXPECT_NEAR(LOOKUP_ADHESION_A(2 * units::kKpaPerKsf, 40, 2), 0.68, kTol); // SI: 95.76 kPa = 2 ksf
    // B: curves for D/b 10 and 20.
    EXPECT_NEAR(LOOKUP_ADHESION_B(0, 10, 1), 0.7, kTol);
    EXPECT_NEAR(LOOKUP_ADHESION_B(0.25, 15, 1), 0.75725, kTol); // ((0.7+0.519)/2 + (0.97+0.84)/2) / 2
    EXPECT_NEAR(LOOKUP_ADHESION_B(10, 25, 1), 0.54, kTol);
    EXPECT_NEAR(LOOKUP_ADHESION_B(-1, 0, 1), 0.7, kTol);
    // C: curves for D/b 10 and 40, weight (D/b - 10) / 30.
    EXPECT_NEAR(LOOKUP_ADHESION_C(2, 25, 1), 0.794, kTol); // (0.688 + 0.9) / 2
    EXPECT_NEAR(LOOKUP_ADHESION_C(4.5, 40, 1), 0.299, kTol);
    EXPECT_NEAR(LOOKUP_ADHESION_C(4.5 * units::kKpaPerKsf, 100, 2), 0.299, kTol);
    EXPECT_NEAR(LOOKUP_ADHESION_C(1.5, 5, 1), 0.829, kTol);
}

TEST(ChartsTest, FrictionAngleFromBlowCount)
{
    EXPECT_NEAR(LOOKUP_FRICTION_ANGLE(15, 0), 42, kTol);
    EXPECT_NEAR(LOOKUP_FRICTION_ANGLE(3, 0), 33, kTol);    // (32 + 34) / 2
    EXPECT_NEAR(LOOKUP_FRICTION_ANGLE(10, 10), 35, kTol);  // 38 - 10 * (38 - 32) / 20
    EXPECT_NEAR(LOOKUP_FRICTION_ANGLE(3, 10), 31.5, kTol); // 33 - (33 - 30) * 10 / 20
    EXPECT_NEAR(LOOKUP_FRICTION_ANGLE(20, 20), 36, kTol);
    EXPECT_NEAR(LOOKUP_FRICTION_ANGLE(30, 10), 42, kTol); // 39 + (45 - 39) * 10 / 20
    EXPECT_NEAR(LOOKUP_FRICTION_ANGLE(5, 30), 30, kTol);
    EXPECT_NEAR(LOOKUP_FRICTION_ANGLE(8, 30), 31, kTol);    // 30 + 0.5 * (8 - 6)
    EXPECT_NEAR(LOOKUP_FRICTION_ANGLE(20, 30), 35, kTol);   // 36 - (36 - 34) * 10 / 20
    EXPECT_NEAR(LOOKUP_FRICTION_ANGLE(70, 30), 43.5, kTol); // 42 + (45 - 42) * 10 / 20
    EXPECT_NEAR(LOOKUP_FRICTION_ANGLE(50, 50), 39, kTol);
    EXPECT_NEAR(LOOKUP_FRICTION_ANGLE(12, 40), 31.4, kTol); // 31 + (32 - 31) * 2 / 5
    // Beyond the chart: N held at 0..90, stress at 0..40 psi.
    EXPECT_NEAR(LOOKUP_FRICTION_ANGLE(100, 0), 45, kTol);
    EXPECT_NEAR(LOOKUP_FRICTION_ANGLE(-5, 0), 0, kTol);
    EXPECT_NEAR(LOOKUP_FRICTION_ANGLE(15, -10), 42, kTol);
    EXPECT_NEAR(LOOKUP_FRICTION_ANGLE(5, 60), 30, kTol);
    EXPECT_NEAR(LOOKUP_FRICTION_ANGLE(120, 60), 44, kTol);
}

TEST(ChartsTest, DepthProfile)
{
    auto S = std::make_unique<EngineState>();
    EXPECT_EQ(INTERP_DEPTH_PROFILE(*S, 3.0), 0.0); // empty before the first result
    S->CPT_COUNT = 4;
    const double depths[] = {0, 1, 2, 2, 4};
    const double values[] = {0, 10, 20, 25, 45};
    for (int k = 1; k <= 4; ++k) {
        S->CPT_DEPTH[k] = depths[k];
        S->CPT_QC[k] = values[k];
    }
    EXPECT_NEAR(INTERP_DEPTH_PROFILE(*S, 0.5), 10, kTol);
    EXPECT_NEAR(INTERP_DEPTH_PROFILE(*S, 1.5), 15, kTol);
    // A depth within 1e-6 of two points at one depth (a jump) reads the first in
    // the file, from above and from below, in either lookup.
    for (bool ascending : {true, false}) {
        S->CPT_ASCENDING = ascending;
        for (double z : {2.0 - 9e-7, 2.0, 2.0 + 9e-7})
            EXPECT_EQ(INTERP_DEPTH_PROFILE(*S, z), 20.0) << z << " " << ascending;
        EXPECT_NEAR(INTERP_DEPTH_PROFILE(*S, 2.0 + 2e-6), 25.0 + 2e-6 * 10.0, 1e-12) << ascending;
    }
    EXPECT_NEAR(INTERP_DEPTH_PROFILE(*S, 3.0), 35, kTol); // 45 - (4 - 3) * (45 - 25) / 2
    EXPECT_NEAR(INTERP_DEPTH_PROFILE(*S, 9.0), 45, kTol);
    S->CPT_COUNT = 0;
    EXPECT_NEAR(INTERP_DEPTH_PROFILE(*S, 1.0), 45, kTol); // the last result again
}

// A sounding with a jump at 12 ft (3.6576 m), read at the top of segment 13 of
// 1-ft (0.3048 m) segments. In SI that depth is 12 x 0.3048 = 3.6576000000000004 m,
// or 3.657600000000001 m summed segment by segment: both read the first of the two
// points, 60 ksf (2872.8156 kPa), as the English run reads it at 12 ft. One foot
// below: 250 + (300 - 250) x 1 / 28 = 251.7857 ksf.
TEST(DepthProfile, JumpOnASegmentTopReadsTheFirstPointInBothUnitSystems)
{
    for (bool english : {true, false}) {
        auto S = std::make_unique<EngineState>();
        S->CPT_COUNT = 4;
        S->CPT_ASCENDING = true;
        const double depthsFt[] = {0, 0, 12, 12, 40};
        const double ksfs[] = {0, 40, 60, 250, 300};
        for (int k = 1; k <= 4; ++k) {
            S->CPT_DEPTH[k] = units::feet(english, depthsFt[k]);
            S->CPT_QC[k] = units::ksf(english, ksfs[k]);
        }
        const double segment = units::feet(english, 1.0);
        double summed = 0;
        for (int i = 0; i < 12; ++i)
            summed += segment;
        for (double top : {12 * segment, summed}) {
            EXPECT_NEAR(INTERP_DEPTH_PROFILE(*S, top), units::ksf(english, 60.0), kTol) << english << " " << top;
            EXPECT_NEAR(INTERP_DEPTH_PROFILE(*S, top + segment), units::ksf(english, 251.7857142857143), 1e-9 * 14364)
                << english;
        }
    }
}

TEST(DepthProfile, BisectionOfAnAscendingProfileMatchesTheScan)
{
    auto S = std::make_unique<veldo::EngineState>();
    S->CPT_COUNT = 7;
    const double depths[] = {0.0, 1.0, 1.0, 2.5, 4.0, 7.0, 7.5};
    const double qcs[] = {100, 300, 350, 900, 1200, 2000, 2100};
    for (int i = 1; i <= 7; ++i) {
        S->CPT_DEPTH[i] = depths[i - 1];
        S->CPT_QC[i] = qcs[i - 1];
    }
    for (double z : {-1.0, 0.0, 0.5, 1.0, 1.2, 2.5, 3.0, 6.99, 7.5, 9.0}) {
        S->CPT_ASCENDING = false;
        const double scanned = veldo::INTERP_DEPTH_PROFILE(*S, z);
        S->CPT_ASCENDING = true;
        EXPECT_DOUBLE_EQ(veldo::INTERP_DEPTH_PROFILE(*S, z), scanned) << z;
    }
    // 3.0 m lies between 2.5 (900) and 4.0 (1200): 900 + 300 x 0.5 / 1.5 = 1000.
    EXPECT_DOUBLE_EQ(veldo::INTERP_DEPTH_PROFILE(*S, 3.0), 1000.0);
}
