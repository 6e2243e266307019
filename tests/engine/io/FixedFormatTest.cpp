#include "FixedFormat.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <gtest/gtest.h>

using namespace veldo;

TEST(FixedFormat, FixedPoint)
{
    EXPECT_EQ(fmtF(3.14159, 8, 2), "    3.14");
    EXPECT_EQ(fmtF(-3.14159, 8, 2), "   -3.14");
    EXPECT_EQ(fmtF(0.5, 5, 2), " 0.50");
    EXPECT_EQ(fmtF(0.5, 3, 2), ".50");       // leading zero dropped when tight
    EXPECT_EQ(fmtF(2.675, 6, 2), "  2.67");  // binary value of 2.675 lies below the half
    EXPECT_EQ(fmtF(0.125, 6, 2), "  0.12");  // exact half: round half to even
    EXPECT_EQ(fmtF(-0.001, 6, 2), "  0.00"); // negative zero prints unsigned
    EXPECT_EQ(fmtF(-0.0, 6, 2), "  0.00");
    EXPECT_EQ(fmtF(12345.678, 7, 2), "*******");
    EXPECT_EQ(fmtF(12345.678, 7, 2, Overflow::Widen), "12345.68");
    EXPECT_EQ(fmtF(99.996, 5, 2), "*****"); // rounds up to 100.00
    EXPECT_EQ(fmtF(52.0, 10, 2), "     52.00");
}

TEST(FixedFormat, Exponent)
{
    EXPECT_EQ(fmtE(9999999, 8, 2), "0.10E+08");
    EXPECT_EQ(fmtE(2.9e7, 10, 3), " 0.290E+08");
    EXPECT_EQ(fmtE(0, 10, 3), " 0.000E+00");
    EXPECT_EQ(fmtE(-1.5e-3, 11, 3), " -0.150E-02");
    EXPECT_EQ(fmtE(-1.5e-3, 9, 3), "-.150E-02");
    EXPECT_EQ(fmtE(1.5e-3, 7, 3), "*******");
    EXPECT_EQ(fmtE(1.0e150, 10, 3), " 0.100+151");
}

TEST(FixedFormat, IntegerAndText)
{
    EXPECT_EQ(fmtI(526, 4), " 526");
    EXPECT_EQ(fmtI(-12, 4), " -12");
    EXPECT_EQ(fmtI(12345, 4), "****");
    EXPECT_EQ(fmtI(12345, 4, 0, Overflow::Widen), "12345");
    EXPECT_EQ(fmtI(7, 5, 3), "  007");
    EXPECT_EQ(fmtA("ABCDEF", 3), "ABC");
    EXPECT_EQ(fmtA("AB", 4), "  AB");
}

TEST(FixedFormat, WholeFormats)
{
    EXPECT_EQ(fmt("5X,'DEPTH ',F7.2,1X,A", {12.5, "FT"}), "     DEPTH   12.50 FT");
    EXPECT_EQ(fmt("3I4", {1, 2, 3}), "   1   2   3");
    EXPECT_EQ(fmt("2(F5.1,1X),'|'", {1.0, 2.0}), "  1.0   2.0 |");
    EXPECT_EQ(fmt("'A',/,'B'", {}), "A\nB");
    EXPECT_EQ(fmt("'IT''S'", {}), "IT'S");
    // More values than descriptors: new line, format reused.
    EXPECT_EQ(fmt("2I3", {1, 2, 3}), "  1  2\n  3");
    // Fewer values: output stops at the first data descriptor without a value.
    EXPECT_EQ(fmt("I3,' X',I3,' Y'", {1}), "  1 X");
    EXPECT_THROW(fmt("Q5", {1}), std::invalid_argument);
    EXPECT_THROW(fmt("I5", {"text"}), std::invalid_argument);
}

TEST(FixedFormat, IgnoresProcessLocale)
{
    const char* old = std::setlocale(LC_NUMERIC, nullptr);
    std::string saved = old ? old : "C";
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "fr_FR.UTF-8")) {
        EXPECT_EQ(fmtF(1.5, 5, 2), " 1.50");
        EXPECT_EQ(fmtE(1.5, 9, 2), " 0.15E+01");
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(FixedFormat, EdgeCasesOfTheReportColumns)
{
    // Mantissa rounding carries into the exponent: 0.995E+06 -> 0.10E+07.
    EXPECT_EQ(fmtE(995000.0, 8, 2), "0.10E+07");
    EXPECT_EQ(fmtE(-0.0, 9, 2), " 0.00E+00");
    EXPECT_EQ(fmtE(9999999, 9, 2), " 0.10E+08"); // the no-limit value in E9.2
    EXPECT_EQ(fmtE(1.234e-7, 10, 3), " 0.123E-06");
    EXPECT_EQ(fmtE(-2.5e12, 8, 2), "-.25E+13"); // the optional leading zero goes first
    EXPECT_EQ(fmtE(-2.5e12, 7, 2), "*******");
    EXPECT_EQ(fmtE(-2.5e12, 7, 2, Overflow::Widen), "-.25E+13");
    EXPECT_EQ(fmtF(2.0, 4, 0), "  2."); // Fw.0 keeps the point
    EXPECT_EQ(fmtF(-0.4, 4, 0), "  0.");
    EXPECT_EQ(fmtF(-99.996, 7, 2), "-100.00"); // rounding adds a digit
    EXPECT_EQ(fmtF(-999.999, 7, 2), "*******");
    EXPECT_EQ(fmtF(1e300, 10, 2), "**********");
    EXPECT_EQ(fmtI(0, 2, 2), "00"); // I2.2 of the clock values
    EXPECT_EQ(fmtI(9, 2, 2), "09");
    EXPECT_EQ(fmtI(2026, 4), "2026");
    EXPECT_EQ(fmtI(-5, 4, 2), " -05");
    EXPECT_EQ(fmt("1X,'YOUR NUMBERS OF SEGMENT ',I4,' IS LARGER THAN'", {526}),
              " YOUR NUMBERS OF SEGMENT  526 IS LARGER THAN");
    EXPECT_EQ(fmt("5X,73('-'),/,26X,'T'", {}), "     " + std::string(73, '-') + "\n" + std::string(26, ' ') + "T");
}

TEST(FixedFormat, FixedPointAgreesWithCorrectRoundingEverywhere)
{
    // Short fields take an integer path; it must round exactly like the library's
    // correctly rounded conversion, exact halves (to even) included.
    std::uint64_t seed = 12345;
    auto next = [&seed] {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        return seed >> 11;
    };
    for (int n = 0; n < 20000; ++n) {
        const double magnitude = std::ldexp(static_cast<double>(next()), -static_cast<int>(next() % 90));
        const double v = (n % 2 ? -1 : 1) * magnitude;
        const double halves[] = {0.125, 2.5, 0.5, 1.0005, 0.00005, 99999999999999.0, 12345.675};
        const double x = n < 7 ? halves[n] : v;
        for (int d = 0; d <= 9; ++d) {
            char buf[400];
            const auto r = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::fixed, d);
            std::string expected(buf, r.ptr);
            if (d == 0)
                expected += '.';
            const bool zero = expected.find_first_not_of("0.") == std::string::npos;
            if (x < 0 && !zero)
                expected.insert(0, 1, '-');
            std::string got = fmtF(x, 400, d);
            got.erase(0, got.find_first_not_of(' '));
            EXPECT_EQ(got, expected) << x << " d=" << d;
        }
    }
}

TEST(FixedFormat, ExponentAgreesWithCorrectRoundingEverywhere)
{
    // The exponent form takes an exact integer path; it must give the digits and
    // exponent of the library's correctly rounded scientific conversion.
    std::uint64_t seed = 987654321;
    auto next = [&seed] {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        return seed >> 11;
    };
    for (int n = 0; n < 20000; ++n) {
        const int shift = static_cast<int>(next() % 200) - 100;
        const double special[] = {9999999.0, 0.125, 9.995, 0.000999949, 1e-30, 3e30, 2.5, 1.5e-3};
        const double x = n < 8 ? special[n] : std::ldexp(static_cast<double>(next()), shift);
        for (int d = 1; d <= 8; ++d) {
            char buf[96];
            const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, d - 1);
            const std::string sci(buf, r.ptr);
            const auto e = sci.find('e');
            std::string mantissa = sci.substr(0, e);
            mantissa.erase(std::remove(mantissa.begin(), mantissa.end(), '.'), mantissa.end());
            const int exponent = std::stoi(sci.substr(e + 1)) + 1;
            const int ae = std::abs(exponent);
            std::string expected = "0.";
            expected.append(mantissa);
            if (ae <= 99)
                expected.push_back('E');
            expected.push_back(exponent < 0 ? '-' : '+');
            if (ae < 10)
                expected.push_back('0');
            expected.append(std::to_string(ae));
            std::string got = fmtE(x, 60, d);
            got.erase(0, got.find_first_not_of(' '));
            EXPECT_EQ(got, expected) << x << " d=" << d;
        }
    }
}
