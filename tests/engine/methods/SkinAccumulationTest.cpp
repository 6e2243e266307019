#include <gtest/gtest.h>

#include <memory>

#include "SkinAccumulation.h"

using namespace veldo;

namespace {

// Two 1-ft increments (nodes 0..2) with a perimeter of 2 ft; the segment at node 1
// has a side factor of 1, the one at node 2 a side factor of 0.5. Node frictions
// 1, 3 and 5 ksf.
struct Case {
    std::unique_ptr<EngineState> S = std::make_unique<EngineState>();
    NodeArray friction{1, 3, 5}, limit{}, increment{}, incrementMax{}, cumulative{}, tz{}, perimeter{};

    explicit Case(std::initializer_list<double> limits)
    {
        S->INCREMENT = 1.0;
        S->SEG_COUNT = 3;
        S->SEG_SIDE_FACTOR[2] = 1.0;
        S->SEG_SIDE_FACTOR[3] = 0.5;
        std::copy(limits.begin(), limits.end(), limit.begin());
        perimeter.fill(2.0);
    }
    void run(NodeFrictionRule rule)
    {
        accumulateSkin(*S, {friction, limit, increment, incrementMax, cumulative, tz}, perimeter, 2, rule);
    }
};

} // namespace

TEST(SkinAccumulation, TrapezoidIncrementsBoundedByTheLimitsIncrementsAndFactoredBySegment)
{
    Case c({10, 1, 10});
    c.run(NodeFrictionRule::AsGiven);
    // (1 + 3) / 2 x 2 x 1 = 4 and (3 + 5) / 2 x 2 x 1 = 8, below (10 + 1) / 2 x 2 = 11.
    EXPECT_DOUBLE_EQ(c.increment[1], 4.0);
    EXPECT_DOUBLE_EQ(c.increment[2], 8.0);
    EXPECT_DOUBLE_EQ(c.incrementMax[1], 11.0);
    // Factored: 4 x 1 + 8 x 0.5; the load-settlement gets the unfactored sum (option 0).
    EXPECT_DOUBLE_EQ(c.cumulative[2], 8.0);
    EXPECT_DOUBLE_EQ(c.S->SKIN_FACTORED[2], 8.0);
    EXPECT_DOUBLE_EQ(c.tz[2], 12.0);
    // The node frictions stay as given, also above their limit.
    EXPECT_DOUBLE_EQ(c.friction[1], 3.0);

    Case low({1, 1, 1});
    low.S->SIDE_FACTOR_FLAG = TzFactorOption::Factored;
    low.run(NodeFrictionRule::AsGiven);
    // Each increment is bounded by (1 + 1) / 2 x 2 x 1 = 2.
    EXPECT_DOUBLE_EQ(low.increment[1], 2.0);
    EXPECT_DOUBLE_EQ(low.increment[2], 2.0);
    EXPECT_DOUBLE_EQ(low.cumulative[2], 3.0);
    EXPECT_DOUBLE_EQ(low.tz[2], 3.0);
}

TEST(SkinAccumulation, ReducedThenLimitedNodesEnterTheNextIncrementLimited)
{
    Case c({10, 1, 10});
    c.S->LOADING = Loading::Tension;
    c.S->TENSION_FACTOR = 0.5;
    c.run(NodeFrictionRule::ReducedThenLimited);
    // Node 1: 3 x 0.5 = 1.5, increment (1 + 1.5) / 2 x 2 = 2.5, then limited to 1.
    // Node 2: 5 x 0.5 = 2.5, increment (1 + 2.5) / 2 x 2 = 3.5. Node 0 is never reduced.
    EXPECT_DOUBLE_EQ(c.increment[1], 2.5);
    EXPECT_DOUBLE_EQ(c.friction[1], 1.0);
    EXPECT_DOUBLE_EQ(c.increment[2], 3.5);
    EXPECT_DOUBLE_EQ(c.friction[0], 1.0);
    EXPECT_DOUBLE_EQ(c.cumulative[2], 2.5 + 3.5 * 0.5);
    EXPECT_DOUBLE_EQ(c.tz[2], 6.0);
    EXPECT_DOUBLE_EQ(c.tz[0], 0.0);
}
