// The number<->text path: general format with N significant digits and parsing.
#include "NumText.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

using namespace veldo;

TEST(NumText, GeneralFormat)
{
    const struct {
        long double value;
        int digits;
        const char* text;
    } cases[] = {
        {0, 10, "0"},
        {1.5L, 10, "1.5"},
        {-2, 10, "-2"},
        {1e-5L, 10, "1E-5"},     // decimal exponent -5: exponent form
        {0.0001L, 10, "0.0001"}, // exponent -4: still fixed
        {2.5e12L, 10, "2.5E12"}, // 13 integer digits > 10
        {1234567890, 10, "1234567890"},
        {12345678901.0L, 10, "1.23456789E10"}, // rounded to 1.234567890 x 10^10
        {1.0L / 3, 18, "0.333333333333333333"},
        {2.0L / 3, 8, "0.66666667"},
        {123.456L, 4, "123.5"},
        {99999.6L, 5, "1E5"}, // rounds up to 1.0000 x 10^5, exponent 5 = digits
        {1000, 4, "1000"},
        {10000, 4, "1E4"},
        {-1.5e-7L, 5, "-1.5E-7"},
        {1e300L, 18, "1E300"},
        {1e-300L, 18, "1E-300"},
        {std::numeric_limits<long double>::infinity(), 10, "INF"},
        {-std::numeric_limits<long double>::infinity(), 10, "-INF"},
        {std::numeric_limits<long double>::quiet_NaN(), 10, "NAN"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(formatGeneral(c.value, c.digits), c.text);
    }
    EXPECT_EQ(formatGeneral10(0.5L), "0.5");
    EXPECT_EQ(formatGeneral8(1.0L / 3), "0.33333333");
    EXPECT_EQ(formatGeneral5(1.0L / 3), "0.33333");
    EXPECT_EQ(formatGeneral4(1.0L / 3), "0.3333");
    EXPECT_EQ(formatGeneral18(1e-5L), "1E-5");
}

TEST(NumText, ParseFloat)
{
    const struct {
        const char* text;
        long double value;
    } good[] = {
        {"1.5", 1.5L}, {"+2", 2},      {"-0.5", -0.5L},    {".5", 0.5L},   {"5.", 5},
        {"1e3", 1000}, {"1E+3", 1000}, {"2.5E-2", 0.025L}, {"1e-5000", 0},
    };
    for (const auto& c : good) {
        SCOPED_TRACE(c.text);
        const auto v = parseFloat(c.text);
        ASSERT_TRUE(v.has_value());
        EXPECT_EQ(*v, c.value);
    }
    for (const char* bad : {"", ".", "+", "-", "1,5", "e5", "1e", "1e+", "inf", "nan", " 1", "1 ", "0x10", "1e5000",
                            "+-1", "--1", "1.2.3"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(parseFloat(bad).has_value());
    }
    EXPECT_TRUE(hasDecimalSyntax("1e5000"));
    EXPECT_FALSE(hasDecimalSyntax("1,5"));
}

TEST(NumText, ParseInteger)
{
    EXPECT_EQ(parseInteger("12"), 12);
    EXPECT_EQ(parseInteger("-5"), -5);
    EXPECT_EQ(parseInteger("+7"), 7);
    for (const char* bad : {"", "+", "1.0", "+-1", " 1", "99999999999999999999", "1e2"}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(parseInteger(bad).has_value());
    }
}

TEST(NumText, RoundTripOf18Digits)
{
    // Writing, reading and writing again gives the same text.
    for (long double v : {1.0L / 3, 2.0L / 7, -123456.789L, 6.02214076e23L, 1.5e-9L, 0.1L}) {
        const std::string text = formatGeneral(v, 18);
        SCOPED_TRACE(text);
        const auto back = parseFloat(text);
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(formatGeneral(*back, 18), text);
    }
}
