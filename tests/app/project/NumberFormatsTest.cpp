// Number texts of the project, CPT and wave-equation files.
#include "NumberFormats.h"

#include <gtest/gtest.h>

namespace veldo::test {
namespace {

TEST(NumberFormats, General10)
{
    EXPECT_EQ(FormatGeneral10(0), "0");
    EXPECT_EQ(FormatGeneral10(1.5L), "1.5");
    EXPECT_EQ(FormatGeneral10(1E-5L), "1E-5");
    EXPECT_EQ(FormatGeneral10(2.5E12L), "2.5E12");
    EXPECT_EQ(FormatGeneral10(2), "2"); // integers come out without a point
    EXPECT_EQ(FormatGeneral10(-0.045L), "-0.045");
    EXPECT_EQ(FormatGeneral10(1234567890.4L), "1234567890");
    EXPECT_EQ(FormatGeneral10(1.0L / 3), "0.3333333333");
}

TEST(NumberFormats, Exp3D2)
{
    EXPECT_EQ(FormatExp3D2(12.3L), "1.23E+01");
    EXPECT_EQ(FormatExp3D2(0), "0.00E+00");
    EXPECT_EQ(FormatExp3D2(-0.045L), "-4.50E-02");
    EXPECT_EQ(FormatExp3D2(1.5L), "1.50E+00");
    EXPECT_EQ(FormatExp3D2(1E-5L), "1.00E-05");
    EXPECT_EQ(FormatExp3D2(2.5E12L), "2.50E+12");
    EXPECT_EQ(FormatExp3D2(1E123L), "1.00E+123");
    EXPECT_EQ(FormatExp3D2(9.996L), "1.00E+01"); // rounding carries into the exponent
    EXPECT_EQ(FormatExp3D2(-0.0L), "0.00E+00");
}

TEST(NumberFormats, Exp3D1)
{
    EXPECT_EQ(FormatExp3D1(12.3L), "1.23E+1");
    EXPECT_EQ(FormatExp3D1(0), "0.00E+0");
    EXPECT_EQ(FormatExp3D1(-0.045L), "-4.50E-2");
    EXPECT_EQ(FormatExp3D1(2.5E12L), "2.50E+12");
    EXPECT_EQ(FormatExp3D1(10), "1.00E+1");
}

TEST(NumberFormats, TenDigitExponentFormOfTheCptFile)
{
    EXPECT_EQ(FormatExp(12.3456789012L, 10, 2), "1.234567890E+01");
    EXPECT_EQ(FormatExp(85125, 10, 2), "8.512500000E+04");
    EXPECT_EQ(FormatExp(0, 10, 2), "0.000000000E+00");
}

} // namespace
} // namespace veldo::test
