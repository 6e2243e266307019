// Segment count, snapping of layer boundaries to the increment, and the segment table.
#include "EngineTestSupport.h"
#include "InputRead.h"

#include <memory>

namespace veldo::test {
namespace {

// Soil table with the given layer-end depths (types and values set by the test).
void setDepths(EngineState& S, const std::vector<double>& depths)
{
    S.LAYER_END_COUNT = static_cast<int>(depths.size());
    for (size_t i = 0; i < depths.size(); ++i)
        S.SOIL[i + 1][COL_DEPTH] = depths[i];
}

std::vector<double> depths(const EngineState& S)
{
    std::vector<double> d;
    for (int i = 1; i <= S.LAYER_END_COUNT; ++i)
        d.push_back(S.SOIL[i][COL_DEPTH]);
    return d;
}

TEST(Snapping, ThinLayersCollapseOrGrowToOneIncrement)
{
    auto SPtr = std::make_unique<EngineState>();
    EngineState& S = *SPtr;
    S.INCREMENT = 1.0;
    // A 0.4 layer below 5 vanishes; the next top follows it up to 5.
    setDepths(S, {0, 5, 5, 5.4, 5.4, 10});
    SNAP_LAYER_BOUNDARIES(S);
    EXPECT_EQ(depths(S), (std::vector<double>{0, 5, 5, 5, 5, 10}));
    // A 0.7 layer becomes 1.0; the next top (0.3 above the new bottom) moves down to 6.
    setDepths(S, {0, 5, 5, 5.7, 5.7, 10});
    SNAP_LAYER_BOUNDARIES(S);
    EXPECT_EQ(depths(S), (std::vector<double>{0, 5, 5, 6, 6, 10}));
    // Exactly half an increment grows to a whole one; a chain of changes is seen in order.
    setDepths(S, {0, 0.5, 0.5, 0.8, 0.8, 3});
    SNAP_LAYER_BOUNDARIES(S);
    EXPECT_EQ(depths(S), (std::vector<double>{0, 1, 1, 1, 1, 3}));
    // Gaps of a whole increment or more are kept, also off the increment grid.
    setDepths(S, {0, 1.3, 1.3, 2.3});
    SNAP_LAYER_BOUNDARIES(S);
    EXPECT_EQ(depths(S), (std::vector<double>{0, 1.3, 1.3, 2.3}));
}

TEST(SegmentCount, FiveHundredIsTheLimit)
{
    auto SPtr = std::make_unique<EngineState>();
    EngineState& S = *SPtr;
    setDepths(S, {0, 100});
    S.DEEPEST_SOIL_DEPTH = 100;
    S.INCREMENT = 0.2; // 500 segments
    EXPECT_TRUE(SEGMENT_COUNT_CHECK(S));
    EXPECT_EQ(S.SEG_COUNT, 500);
    EXPECT_EQ(S.STATUS, 0);
    S.INCREMENT = 0.19; // int(526.3) = 526
    EXPECT_FALSE(SEGMENT_COUNT_CHECK(S));
    EXPECT_EQ(S.STATUS, 1);
    // 10 / 0.1 lies a hair below 100 in binary: the 1e-6 allowance still gives 100.
    auto TPtr = std::make_unique<EngineState>();
    EngineState& T = *TPtr;
    setDepths(T, {0, 10});
    T.DEEPEST_SOIL_DEPTH = 10;
    T.INCREMENT = 0.1;
    EXPECT_TRUE(SEGMENT_COUNT_CHECK(T));
    EXPECT_EQ(T.SEG_COUNT, 100);
}

// Sand 0-10 (Ko 0.5 -> 1.5, unit weight 100 -> 120), clay 10-20 (su 1 -> 2, user
// unit friction 500 -> 1500), increment 1.
std::unique_ptr<EngineState> twoLayers(int units)
{
    auto state = std::make_unique<EngineState>();
    EngineState& S = *state;
    S.UNIT_SYSTEM = units;
    S.INCREMENT = 1.0;
    S.TENSION_FACTOR = 0.7;
    setDepths(S, {0, 10, 10, 20});
    S.SOIL[1][COL_SOIL_TYPE] = S.SOIL[2][COL_SOIL_TYPE] = 1;
    S.SOIL[3][COL_SOIL_TYPE] = S.SOIL[4][COL_SOIL_TYPE] = 2;
    S.SOIL[1][COL_KO] = 0.5;
    S.SOIL[2][COL_KO] = 1.5;
    S.SOIL[1][COL_UNIT_WEIGHT] = 100;
    S.SOIL[2][COL_UNIT_WEIGHT] = 120;
    S.SOIL[3][COL_UNDRAINED_STRENGTH] = 1;
    S.SOIL[4][COL_UNDRAINED_STRENGTH] = 2;
    S.SOIL[3][COL_USER_UNIT_FRICTION] = 500;
    S.SOIL[4][COL_USER_UNIT_FRICTION] = 1500;
    S.SOIL[3][COL_ADHESION] = S.SOIL[4][COL_ADHESION] = 2;
    S.DEEPEST_SOIL_DEPTH = 20;
    return state;
}

TEST(SegmentTable, MidDepthInterpolationAndRowSearch)
{
    auto state = twoLayers(1);
    EngineState& S = *state;
    ASSERT_TRUE(SEGMENT_COUNT_CHECK(S));
    BUILD_SEGMENT_TABLE(S);
    ASSERT_EQ(S.SEG_COUNT, 20);
    EXPECT_DOUBLE_EQ(S.SEG_TOP[1], 0);
    EXPECT_DOUBLE_EQ(S.SEG_BOTTOM[1], 1);
    EXPECT_DOUBLE_EQ(S.SEG_TOP[20], 19);
    EXPECT_DOUBLE_EQ(S.SEG_BOTTOM[20], 20);
    EXPECT_DOUBLE_EQ(S.SEG_THICKNESS[7], 1);
    // Segment 1, mid 0.5: Ko = 0.5 + 1.0 x 0.05 = 0.55, unit weight 101.
    EXPECT_DOUBLE_EQ(S.SEG_SOIL_TYPE[1], 1);
    EXPECT_DOUBLE_EQ(S.SEG_KO[1], 0.55);
    EXPECT_DOUBLE_EQ(S.SEG_UNIT_WEIGHT[1], 101);
    // Segment 10, mid 9.5: Ko 1.45, still sand.
    EXPECT_DOUBLE_EQ(S.SEG_SOIL_TYPE[10], 1);
    EXPECT_DOUBLE_EQ(S.SEG_KO[10], 1.45);
    // Segment 11 starts at the boundary: rows 3 and 4 (clay), mid 10.5: su 1.05.
    EXPECT_DOUBLE_EQ(S.SEG_SOIL_TYPE[11], 2);
    EXPECT_DOUBLE_EQ(S.SEG_UNDRAINED_STRENGTH[11], 1.05);
    EXPECT_DOUBLE_EQ(S.SEG_KO[11], 0);
    EXPECT_DOUBLE_EQ(S.SEG_ADHESION[11], 2);
    EXPECT_DOUBLE_EQ(S.SEG_UNDRAINED_STRENGTH[20], 1.95);
    // English user unit friction: (500 + 1000 x 0.05) psf / 1000 = 0.55 ksf, no tension factor.
    EXPECT_DOUBLE_EQ(S.SEG_USER_UNIT_FRICTION[11], 0.55);
    EXPECT_DOUBLE_EQ(S.SEG_USER_UNIT_FRICTION[10], 0);
}

TEST(SegmentTable, SiUserValuesStayAsInterpolatedAndRebuildIsIdentical)
{
    auto state = twoLayers(2);
    EngineState& S = *state;
    ASSERT_TRUE(SEGMENT_COUNT_CHECK(S));
    BUILD_SEGMENT_TABLE(S);
    EXPECT_DOUBLE_EQ(S.SEG_USER_UNIT_FRICTION[11], 550);
    const SegArray first = S.SEG_USER_UNIT_FRICTION;
    S.SEG_KO[3] = -1; // a pass may change values; the next build restores them
    BUILD_SEGMENT_TABLE(S);
    EXPECT_EQ(S.SEG_USER_UNIT_FRICTION, first);
    EXPECT_DOUBLE_EQ(S.SEG_KO[3], 0.75);
}

TEST(SegmentTable, CollapsedLayerIsSkippedAndTheLastLayerIsHeldBelowTheTable)
{
    auto SPtr = std::make_unique<EngineState>();
    EngineState& S = *SPtr;
    S.UNIT_SYSTEM = 2;
    S.INCREMENT = 1.0;
    // Sand 0-5, clay 5-5.4 (collapses), silt 5.4-10; record 9 goes to 12.
    setDepths(S, {0, 5, 5, 5.4, 5.4, 10});
    const double types[] = {1, 1, 2, 2, 3, 3};
    for (int i = 1; i <= 6; ++i) {
        S.SOIL[i][COL_SOIL_TYPE] = types[i - 1];
        S.SOIL[i][COL_UNIT_WEIGHT] = 10 * i;
    }
    S.DEEPEST_SOIL_DEPTH = 12;
    ASSERT_TRUE(SEGMENT_COUNT_CHECK(S));
    BUILD_SEGMENT_TABLE(S);
    ASSERT_EQ(S.SEG_COUNT, 12);
    EXPECT_DOUBLE_EQ(S.SEG_SOIL_TYPE[5], 1);
    // Segment 6 (5-6) lies in the silt, rows 5 (depth 5 after snapping) and 6 (10):
    // unit weight 50 + 10 x 0.5 / 5 = 51.
    EXPECT_DOUBLE_EQ(S.SEG_SOIL_TYPE[6], 3);
    EXPECT_DOUBLE_EQ(S.SEG_UNIT_WEIGHT[6], 51);
    EXPECT_DOUBLE_EQ(S.SEG_UNIT_WEIGHT[10], 59);
    // Below the last row (10 m) the last layer's bottom values are held.
    EXPECT_DOUBLE_EQ(S.SEG_SOIL_TYPE[11], 3);
    EXPECT_DOUBLE_EQ(S.SEG_UNIT_WEIGHT[11], 60);
    EXPECT_DOUBLE_EQ(S.SEG_UNIT_WEIGHT[12], 60);
}

} // namespace
} // namespace veldo::test
