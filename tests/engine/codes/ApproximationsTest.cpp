#include <gtest/gtest.h>

#include "DiameterUnits.h"
#include "PiApproximations.h"

using namespace veldo;

// Reports, plot data and saved files depend on these to the last digit: each keeps
// the value its routines have always used, however rough.
TEST(Approximations, EachKeepsItsValueAndPrecision)
{
    EXPECT_EQ(DiameterUnitsPerDepthUnit(true), 12.0);
    EXPECT_EQ(DiameterUnitsPerDepthUnit(false), 1000.0);
    EXPECT_EQ(kPi3_1416, 3.1416);
    EXPECT_EQ(kPi3_14159, 3.14159);
    EXPECT_EQ(static_cast<double>(kPi3_1416F), static_cast<double>(3.1416f));
    EXPECT_NE(static_cast<double>(kPi3_1416F), 3.1416); // single precision, widened as it is
    EXPECT_EQ(static_cast<double>(kPi3_14159F), static_cast<double>(3.14159f));
    EXPECT_EQ(kPi3_1416L, 3.1416L);
    EXPECT_EQ(kQuarterPi0_7853975, 0.7853975);
    EXPECT_EQ(kQuarterPi0_785398, 0.785398);
    EXPECT_EQ(kQuarterPi0_7854L, 0.7854L);
    EXPECT_EQ(kDegreesPerRadian57_2958, 57.2958);
    EXPECT_EQ(static_cast<double>(kDegreesPerRadian57_2958F), static_cast<double>(57.2958f));
    EXPECT_EQ(kRadiansPerDegree0_01745, 0.01745);
    EXPECT_EQ(kRadiansPerDegree0_01745L, 0.01745L);
}
