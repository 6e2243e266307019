// The engine's fast paths against the straightforward computations they replace:
// the segment and CPT lookups from an estimated index against a bisection, the
// formatter's integer paths against the library's correctly rounded conversions,
// and the gathered file output against the records written.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <stdexcept>
#include <string>

#include "Charts.h"
#include "CommonSteps.h"
#include "EngineRules.h"
#include "EngineState.h"
#include "FixedFormat.h"
#include "TextOut.h"

using namespace veldo;

namespace {

struct Lcg {
    std::uint64_t seed;
    std::uint64_t next()
    {
        seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
        return seed >> 11;
    }
    double unit() { return static_cast<double>(next() % 1000000) / 1000000.0; } // [0, 1)
};

// The first segment whose bottom is not more than 1e-6 above z, or the last one.
int bisectSegment(const EngineState& S, double z)
{
    const int n = std::max(S.SEG_COUNT, 1);
    const auto first = S.SEG_BOTTOM.begin() + 1;
    const auto it = std::partition_point(first, first + n, [z](double bottom) { return z - bottom > 1e-6; });
    return std::min(static_cast<int>(it - first) + 1, n);
}

} // namespace

TEST(FastPath, SegmentFromEstimateAgreesWithBisection)
{
    // Uniform tables (with a short last segment) and irregular ones, probed at
    // random depths, exactly at the segment ends and 1e-6 around them, above the
    // top and below the bottom.
    Lcg rng{20260901};
    for (int table = 0; table < 200; ++table) {
        auto S = std::make_unique<EngineState>();
        const int n = 1 + static_cast<int>(rng.next() % MAX_SEGMENTS);
        const bool uniform = table % 2 == 0;
        const double step = 0.1 + 3.0 * rng.unit();
        double depth = table % 3 == 0 ? 0.0 : 5.0 * rng.unit();
        for (int i = 1; i <= n; ++i) {
            S->SEG_TOP[i] = depth;
            double h = uniform ? step : 0.01 + 4.0 * rng.unit();
            if (uniform && i == n)
                h *= 0.3 + 0.7 * rng.unit();
            if (!uniform && rng.next() % 10 == 0)
                h = 0.0; // zero-length segments at a boundary
            depth += h;
            S->SEG_BOTTOM[i] = depth;
        }
        S->SEG_COUNT = n;
        for (int probe = 0; probe < 300; ++probe) {
            const double z = S->SEG_TOP[1] - 2.0 + (depth - S->SEG_TOP[1] + 4.0) * rng.unit();
            ASSERT_EQ(segmentHolding(*S, z), bisectSegment(*S, z)) << "n=" << n << " z=" << z;
        }
        for (int i = 1; i <= n; ++i)
            for (double dz : {-2e-6, -1e-6, 0.0, 1e-6, 2e-6}) {
                const double z = S->SEG_BOTTOM[i] + dz;
                ASSERT_EQ(segmentHolding(*S, z), bisectSegment(*S, z)) << "n=" << n << " z=" << z;
            }
    }
    auto empty = std::make_unique<EngineState>();
    EXPECT_EQ(segmentHolding(*empty, 3.0), 1);
    EXPECT_EQ(segmentHolding(*empty, std::nan("")), 1);
}

TEST(FastPath, FixedPointOfWideRangeAgreesWithLibrary)
{
    // Values spread over the whole exponent range, subnormal ones included,
    // against std::to_chars rounded to d decimals.
    Lcg rng{77};
    for (int n = 0; n < 20000; ++n) {
        const double x = std::ldexp(static_cast<double>(rng.next()), static_cast<int>(rng.next() % 1200) - 1150);
        for (int d = 0; d <= 8; ++d) {
            char buf[2000];
            const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, d);
            std::string expected(buf, r.ptr);
            if (d == 0)
                expected += '.';
            const std::string got = fmtF(x, static_cast<int>(expected.size()), d);
            ASSERT_EQ(got, expected) << x << " d=" << d;
        }
    }
}

TEST(FastPath, ExponentFormNearPowersOfTenAndOverTheWholeRange)
{
    // The decimal exponent is estimated from the binary one; values right at,
    // just below and just above each power of ten, random values of every
    // magnitude (subnormal ones included) and up to 15 digits must give the
    // library's correctly rounded scientific digits.
    const auto expected = [](double x, int d) {
        char buf[96];
        const auto r = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific, d - 1);
        const std::string sci(buf, r.ptr);
        const auto e = sci.find('e');
        std::string mantissa = sci.substr(0, e);
        mantissa.erase(std::remove(mantissa.begin(), mantissa.end(), '.'), mantissa.end());
        const int exponent = std::stoi(sci.substr(e + 1)) + 1;
        const int ae = std::abs(exponent);
        std::string text = "0." + mantissa;
        if (ae <= 99)
            text += 'E';
        text += exponent < 0 ? '-' : '+';
        if (ae < 10)
            text += '0';
        return text + std::to_string(ae);
    };
    const auto check = [&](double x, int d) {
        std::string got = fmtE(x, 60, d);
        got.erase(0, got.find_first_not_of(' '));
        ASSERT_EQ(got, expected(x, d)) << x << " d=" << d;
    };
    for (int p = -300; p <= 300; ++p) {
        double ten = 0;
        const std::string text = "1e" + std::to_string(p);
        std::from_chars(text.data(), text.data() + text.size(), ten);
        for (double x :
             {ten, std::nextafter(ten, 0.0), std::nextafter(ten, 1e308), 9.5 * ten / 10, 9.9999999 * ten / 10})
            for (int d = 1; d <= 15; ++d)
                check(x, d);
    }
    Lcg rng{4242};
    for (int n = 0; n < 20000; ++n) {
        const double x = std::ldexp(static_cast<double>(rng.next()), static_cast<int>(rng.next() % 2100) - 1150);
        if (x > 0 && std::isfinite(x))
            check(x, 1 + static_cast<int>(rng.next() % 15));
    }
}

TEST(FastPath, FileRecordsGatheredInLargePiecesKeepTheirOrder)
{
    // A file stream gathers its records and writes them in pieces of 64 KiB;
    // the file must hold every record in order, and a record whose format is
    // malformed must leave nothing behind.
    const std::filesystem::path path = std::filesystem::temp_directory_path() / "veldo_fastpath_textout.txt";
    std::string expected;
    {
        TextOut out;
        ASSERT_TRUE(out.open(path.string()));
        out.line("FIRST");
        expected += "FIRST\n";
        EXPECT_THROW(out.write("I5,F8.2", {1, "NOT A NUMBER"}), std::invalid_argument); // fails after I5
        for (int i = 0; i < 20000; ++i) {                                               // about 400 KB: several pieces
            out.write("2X,I6,F10.3,/,1X,A", {i, i * 0.5, "ROW"});
            out.line();
            const std::string number = std::to_string(i);
            char value[32];
            const auto r = std::to_chars(value, value + sizeof value, i * 0.5, std::chars_format::fixed, 3);
            const std::string fixed(value, r.ptr);
            expected += "  " + std::string(6 - number.size(), ' ') + number + std::string(10 - fixed.size(), ' ') +
                        fixed + "\n ROW\n\n";
        }
        out.close();
        EXPECT_TRUE(out.good());
    }
    std::ifstream in(path, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text.size(), expected.size());
    EXPECT_TRUE(text == expected);
    std::filesystem::remove(path);
}

TEST(FastPath, CptLookupFromEstimateAgreesWithBisection)
{
    // Ascending soundings, evenly and unevenly spaced, with repeated depths,
    // probed at random depths, at every point and just around it, above the
    // first and below the last: the same value as the bisection and
    // interpolation between the neighbouring points (a depth within the depth
    // tolerance of a point reads that point).
    Lcg rng{5150};
    for (int sounding = 0; sounding < 100; ++sounding) {
        auto S = std::make_unique<EngineState>();
        const int n = 1 + static_cast<int>(rng.next() % MAX_CPT_POINTS);
        const bool even = sounding % 2 == 0;
        double depth = 3.0 * rng.unit();
        for (int i = 1; i <= n; ++i) {
            S->CPT_DEPTH[i] = depth;
            S->CPT_QC[i] = 100.0 * rng.unit();
            depth += even ? 0.05 : (rng.next() % 8 == 0 ? 0.0 : 0.5 * rng.unit());
        }
        S->CPT_COUNT = n;
        S->CPT_ASCENDING = true;
        const auto expected = [&S, n](double z) {
            const auto first = S->CPT_DEPTH.begin() + 1;
            const auto k = static_cast<std::size_t>(
                std::partition_point(first, first + n, [z](double d) { return z > d + kDepthTol; }) - first);
            const auto& D = S->CPT_DEPTH;
            const auto& Q = S->CPT_QC;
            if (k == 0)
                return Q[1];
            if (k == static_cast<std::size_t>(n))
                return Q[k];
            if (std::abs(D[k + 1] - z) <= kDepthTol)
                return Q[k + 1];
            return Q[k + 1] - (Q[k + 1] - Q[k]) * (D[k + 1] - z) / (D[k + 1] - D[k]);
        };
        const double top = S->CPT_DEPTH[1];
        const double bottom = S->CPT_DEPTH[static_cast<std::size_t>(n)];
        for (int probe = 0; probe < 300; ++probe) {
            const double z = top - 1.0 + (bottom - top + 2.0) * rng.unit();
            ASSERT_EQ(INTERP_DEPTH_PROFILE(*S, z), expected(z)) << "n=" << n << " z=" << z;
        }
        for (int i = 1; i <= n; ++i)
            for (double dz : {-2e-6, -1e-9, 0.0, 1e-9, 2e-6}) {
                const double z = S->CPT_DEPTH[static_cast<std::size_t>(i)] + dz;
                ASSERT_EQ(INTERP_DEPTH_PROFILE(*S, z), expected(z)) << "n=" << n << " z=" << z;
            }
    }
}
