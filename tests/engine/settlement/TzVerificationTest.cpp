// t-z verification printout, and whole runs whose plot-data file must read the
// way the program's reader takes it (counts and order of the numbers).
#include <gtest/gtest.h>

#include <charconv>
#include <sstream>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "LoadSettlement.h"
#include "RunDriver.h"
#include "SettlementCase.h"
#include "TzCurves.h"
#include "TzVerification.h"

namespace veldo {
namespace {

using settlementcase::expectRel;
using settlementcase::linearInput;
using settlementcase::pile;

// Sand 0-30 ft (phi 30 to 36), clay 30-60 ft; stick-up 2 ft; 11 points of skin 2 kips/ft.
std::unique_ptr<EngineState> twoLayers(const std::vector<double>& depths)
{
    auto S = pile(true, 24, 0, 29e6, 50, 2, {{0, 1, 30}, {30, 1, 36}, {30, 2}, {60, 2}});
    linearInput(*S, 11, 2, 100);
    S->TZ_FLAG = 1;
    S->TZ_DEPTH_COUNT = static_cast<int>(depths.size());
    for (size_t i = 0; i < depths.size(); ++i)
        S->TZ_DEPTHS[i + 1] = depths[i];
    return S;
}

TEST(TzVerification, KindAngleAndResistanceAtEachDepth)
{
    auto S = twoLayers({10, 45, 0, 60});
    PRINT_TZ_CURVES(*S, 0);
    ASSERT_EQ(S->TZNODE_COUNT, 4);
    // 10 ft in the sand: phi = 30 + 10 / 30 x 6 = 32; 45 ft clay; 0 and 60 (the ends) in range.
    EXPECT_EQ(S->TZNODE_KIND[1], 1);
    EXPECT_NEAR(S->TZNODE_PHI[1], 32.0, 1e-12);
    EXPECT_EQ(S->TZNODE_KIND[2], 2);
    EXPECT_EQ(S->TZNODE_KIND[3], 1);
    EXPECT_EQ(S->TZNODE_KIND[4], 2);
    // Skin rising 2 kips/ft everywhere: fs = 2000 / 24 / 12 / 3.1416 psi at every depth.
    const double fs = 2000.0 / 24 / 12 / static_cast<double>(3.1416f);
    for (int i = 1; i <= 4; ++i)
        expectRel(S->TZNODE_FSIDE[i], fs);
    // The same curves as the sand and clay curves of the solver (API: t = 0.1 fs at 0.01 in; clay 0.3 fs at 0.0384 in).
    expectRel(S->TZCURVE_T[1][2], 0.1 * fs);
    expectRel(S->TZCURVE_Z[2][2], 0.0384);
    expectRel(S->TZCURVE_T[2][2], 0.3 * fs);
}

TEST(TzVerification, SameCurveAsTheSolverBuilds)
{
    // Without stick-up the solver's node 1 lies at the ground in the sand; the
    // verification curve at depth 0 must be the same curve.
    auto S = twoLayers({0});
    S->PSL = 0;
    SOLVE_LOAD_SETTLEMENT(*S, 0);
    const CurvePoints t = S->TZCURVE_T[1], z = S->TZCURVE_Z[1];
    ASSERT_EQ(S->TZNODE_KIND[1], 1);
    PRINT_TZ_CURVES(*S, 0);
    for (int j = 1; j <= 10; ++j) {
        EXPECT_DOUBLE_EQ(S->TZCURVE_T[1][j], t[j]);
        EXPECT_DOUBLE_EQ(S->TZCURVE_Z[1][j], z[j]);
    }
}

class TzVerificationFiles : public test::TempDirTest {
protected:
    std::vector<std::string> report, plot;
    void run(EngineState& S)
    {
        ASSERT_TRUE(S.report.open(path("job.vd7o")));
        ASSERT_TRUE(S.plot.open(path("job.vd7p")));
        TZ_VERIFICATION(S);
        S.report.close();
        S.plot.close();
        report = lines("job.vd7o");
        plot = lines("job.vd7p");
        for (std::string& l : report)
            l.erase(l.find_last_not_of(' ') + 1);
    }
};

TEST_F(TzVerificationFiles, NumbersSkipOutOfRangeDepthsPrintedAsGiven)
{
    // Depth 2 (500 ft) lies below the soil: curves 1, 3, 4 are written, the count is 3.
    // The stick-up (2 ft) is not subtracted: 20 ft prints as 0.2000E+02.
    auto S = twoLayers({20, 500, 40, 60});
    run(*S);
    const std::string stars = std::string(16, ' ') + std::string(49, '*');
    const std::vector<std::string> head = {
        "",
        "",
        stars,
        "                * COMPUTE INTERNALLY-GENERATED LOAD-TRANSFER    *",
        "                * (t-z) CURVES FOR VERIFICATION                 *",
        stars,
        "",
        "",
        "        T-Z CURVE   NO. OF   DEPTH TO CURVE   LOAD TRANSFER   PILE MOVEMENT",
        "           NO.      POINTS        FT.              PSI             IN.",
        "",
        "            1         10      0.2000E+02",
        "                                               0.0000E+00      0.0000E+00",
    };
    ASSERT_EQ(report.size(), 11u + 3 * 11 + 2);
    for (size_t i = 0; i < head.size(); ++i)
        EXPECT_EQ(report[i], head[i]) << "line " << i;
    EXPECT_EQ(report[22], "            2         10      0.5000E+03");
    EXPECT_EQ(report[23], "               CURVE NOT PRINTED SINCE DEPTH OUTSIDE SOIL RANGE");
    EXPECT_EQ(report[24], "            3         10      0.4000E+02");
    EXPECT_EQ(report[35], "            4         10      0.6000E+02");

    ASSERT_EQ(plot.size(), 1u + 3 * 11);
    EXPECT_EQ(plot[0], " 3");
    EXPECT_EQ(plot[1], "            1         10      0.2000E+02");
    EXPECT_EQ(plot[12], "            3         10      0.4000E+02");
    EXPECT_EQ(plot[23], "            4         10      0.6000E+02");
}

TEST_F(TzVerificationFiles, SiUnitsLine)
{
    auto S = pile(false, 600, 0, 2e8, 10, 0, {{0, 2}, {20, 2}});
    linearInput(*S, 3, 20, 300);
    S->TZ_DEPTH_COUNT = 1;
    S->TZ_DEPTHS[1] = -1; // above the ground: out of range
    run(*S);
    EXPECT_EQ(report[9], "           NO.      POINTS        M.               KPA             M.");
    EXPECT_EQ(report[11], "            1         10     -0.1000E+01");
    ASSERT_EQ(plot.size(), 1u);
    EXPECT_EQ(plot[0], " 0");
}

// ---- Whole runs read as the program's reader reads the plot-data file.

// Numbers of a plot-data file in reading order.
std::vector<double> numbers(const std::string& text)
{
    std::vector<double> out;
    std::istringstream in(text);
    for (std::string word; in >> word;) {
        double v = 0;
        const auto r = std::from_chars(word.data(), word.data() + word.size(), v);
        EXPECT_TRUE(r.ec == std::errc() && r.ptr == word.data() + word.size()) << word;
        out.push_back(v);
    }
    return out;
}

struct ReadResult {
    int series = 0, rows = 0, tzCurves = 0, extraCurves = -1;
    std::vector<double> extraDepths;
    size_t used = 0;
};

// Follows the reader: header, method blocks, t-z block, load distribution,
// load-settlement, and the extra t-z block when the project asks for it.
ReadResult readLikeProgram(const std::vector<double>& v, bool extra)
{
    ReadResult r;
    size_t p = 0;
    const auto take = [&]() { return p < v.size() ? v[p++] : (ADD_FAILURE() << "ran out at " << p, 0.0); };
    r.series = static_cast<int>(take());
    r.rows = static_cast<int>(take());
    take();
    take();
    p += static_cast<size_t>(r.series * r.rows * 5);
    r.tzCurves = static_cast<int>(take());
    p += static_cast<size_t>(r.tzCurves) * 23;
    p += static_cast<size_t>(9 * r.rows * 3 + 9 * 4);
    if (extra) {
        r.extraCurves = static_cast<int>(take());
        for (int c = 0; c < r.extraCurves; ++c) {
            p += 2;
            r.extraDepths.push_back(take());
            p += 20;
        }
    }
    r.used = p;
    return r;
}

class WholeRun : public test::TempDirTest {
protected:
    int run(const test::ProjectBuilder& b)
    {
        writeNames("2015.7.7", "");
        writeFile("job.vd7d", b.text());
        return RunEngine(7);
    }
};

TEST_F(WholeRun, FortyLayersWithStickUpAndHundredDepths)
{
    test::ProjectBuilder b;
    b.od = 24;
    b.id = 22.5;
    b.pileEnd = 0;
    b.tl = 80;
    b.psl = 5;
    b.increment = 0.5;
    b.printStep = 3;
    b.layers.clear();
    for (int i = 1; i <= 40; ++i) {
        test::Layer l;
        l.type = i % 2 == 1 ? 1 : 2;
        l.bottom = 2.5 * i;
        l.phi = 30 + i % 5;
        l.su = 800 + 40 * i;
        b.layers.push_back(l);
    }
    // Depths from -5 to 114 ft: the first five lie above the ground, the last 14 below the soil.
    for (int i = 0; i < 100; ++i)
        b.tzDepths.push_back(-5 + 1.2 * i);
    ASSERT_EQ(run(b), 0);
    const ReadResult r = readLikeProgram(numbers(readFile("job.vd7p")), true);
    const auto v = numbers(readFile("job.vd7p"));
    EXPECT_EQ(r.used, v.size());
    EXPECT_EQ(r.tzCurves, 120); // 40 layers x 3 nodes; the 3 stick-up nodes are not written
    int inRange = 0;
    for (double d : b.tzDepths)
        inRange += d >= 0 && d <= 100 ? 1 : 0;
    EXPECT_EQ(r.extraCurves, inRange);
    ASSERT_FALSE(r.extraDepths.empty());
    EXPECT_NEAR(r.extraDepths.front(), 1.0, 1e-9); // -5 + 1.2 x 5, as given
    const std::string report = readFile("job.vd7o");
    EXPECT_NE(report.find("CURVE NOT PRINTED SINCE DEPTH OUTSIDE SOIL RANGE"), std::string::npos);
    EXPECT_EQ(report.find("ITERATION LIMIT"), std::string::npos);
}

TEST_F(WholeRun, TzFlagWithoutDepthsKeepsReaderAligned)
{
    test::ProjectBuilder b;
    b.tl = 40;
    b.layers = {test::Layer{}};
    b.layers[0].bottom = 50;
    std::string text = b.text();
    // Record 11 = 1 with a count of 0.
    const std::string flag = "\r\n0\r\n0 1\r\n";
    const auto at = text.find(flag);
    ASSERT_NE(at, std::string::npos);
    text.replace(at, flag.size(), "\r\n1\r\n0\r\n0 1\r\n");
    writeNames("2015.7.7", "");
    writeFile("job.vd7d", text);
    ASSERT_EQ(RunEngine(7), 0);
    const auto v = numbers(readFile("job.vd7p"));
    const ReadResult r = readLikeProgram(v, true);
    EXPECT_EQ(r.used, v.size());
    EXPECT_EQ(r.extraCurves, 0);
}

TEST_F(WholeRun, ZeroFrictionLengthBelowTipGivesTipPlusShortening)
{
    // ZFL deeper than the tip: no side friction; head movement - tip movement
    // = P L / (E A) with P the tip load, L = 40 ft = 480 in, A = (24^2 - 22^2) x 3.1416 / 4.
    test::ProjectBuilder b;
    b.od = 24;
    b.id = 22;
    b.tl = 40;
    b.zfl = 45;
    b.layers = {test::Layer{}};
    b.layers[0].bottom = 50;
    ASSERT_EQ(run(b), 0);
    const auto v = numbers(readFile("job.vd7p"));
    const ReadResult r = readLikeProgram(v, false);
    ASSERT_EQ(r.used, v.size());
    const double ea = (24.0 * 24 - 22.0 * 22) * static_cast<double>(3.1416f) * 0.25 * 29e6;
    for (int s = 0; s < 9; ++s) {
        const double* row = &v[v.size() - 36 + static_cast<size_t>(4 * s)];
        SCOPED_TRACE(s);
        EXPECT_NEAR(row[0], row[2], 1e-3 * std::fabs(row[2]) + 1e-12); // head load = tip load (kips)
        // Four printed digits (0.dddd): each value is off by up to 5e-4 of itself.
        const double printed = 5e-4 * (std::fabs(row[1]) + std::fabs(row[3]));
        EXPECT_NEAR(row[1] - row[3], row[2] * 1000 * 480 / ea, printed + 1e-3 * (row[1] - row[3]));
    }
}

} // namespace
} // namespace veldo
