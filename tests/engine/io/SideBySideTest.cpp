// Side-by-side table of the ultimate capacities of FHWA, USACE and Revised Lambda.
#include <gtest/gtest.h>

#include <charconv>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "EngineTestSupport.h"
#include "RunDriver.h"
#include "SideBySide.h"

namespace veldo {
namespace {

std::vector<std::string> linesOf(const std::filesystem::path& path)
{
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> printTable(EngineState& S)
{
    const auto path = std::filesystem::temp_directory_path() / "veldo_side_by_side_test.txt";
    S.report.open(path.string());
    PRINT_SIDE_BY_SIDE(S);
    S.report.close();
    auto lines = linesOf(path);
    std::filesystem::remove(path);
    return lines;
}

// 10 ft pile, increment 1, print step 3: points 1, 4, 7, 10 and the last point 11
// (nodes 0, 3, 6, 9, 10). Capacities k x 10.25, k x 20.5 and k x 100.05 per node.
std::unique_ptr<EngineState> tableState()
{
    auto S = std::make_unique<EngineState>();
    S->UNIT_SYSTEM = 1;
    S->TL = 10;
    S->INCREMENT = 1;
    S->PRINT_STEP = 3;
    S->LEN_LABEL = "FT.";
    S->FORCE_LABEL = "KIP";
    for (int k = 0; k <= 10; ++k) {
        S->METHOD_ULTIMATE[1][k] = k * 10.25;
        S->METHOD_ULTIMATE[2][k] = k * 20.5;
        S->METHOD_ULTIMATE[3][k] = k * 100.05;
    }
    return S;
}

TEST(SideBySide, LayoutAndPrintedPoints)
{
    auto S = tableState();
    S->MethodTicked[2] = 1;
    const std::vector<std::string> expected = {
        "",
        "",
        "",
        "                     ************************************",
        "                     *  SUMMARY OF ULTIMATE CAPACITIES  *",
        "                     ************************************",
        "",
        "             PILE      FED. HWY.    ARMY CORPS      LAMBDA 2",
        "          PENETRATION   CAPACITY      CAPACITY      CAPACITY",
        "              FT.          KIP           KIP           KIP",
        "              0.00           0.0           0.0           0.0",
        "              3.00          30.8          61.5         300.1",
        "              6.00          61.5         123.0         600.3",
        "              9.00          92.2         184.5         900.4",
        "             10.00         102.5         205.0        1000.5",
    };
    EXPECT_EQ(printTable(*S), expected);
}

TEST(SideBySide, NothingWhenNoneOfTheThreeIsTicked)
{
    auto S = tableState();
    S->MethodTicked[4] = 1;
    S->MethodTicked[5] = 1;
    EXPECT_TRUE(printTable(*S).empty());
    for (const int m : {1, 3}) {
        auto T = tableState();
        T->MethodTicked[m] = 1;
        EXPECT_EQ(printTable(*T).size(), 15u) << m;
    }
}

// A whole run: sand over clay, FHWA, USACE and Revised Lambda ticked (API too).
// The side-by-side table follows the Revised Lambda table and comes before the
// API table; each of its rows holds the ultimate capacities of the three tables'
// rows at the same depth.
class SideBySideRun : public test::TempDirTest {
protected:
    static double numberAt(const std::string& line, size_t first, size_t width)
    {
        const std::string text = line.substr(first, width);
        const size_t start = text.find_first_not_of(' ');
        double value = 0;
        std::from_chars(text.data() + start, text.data() + text.size(), value);
        return value;
    }
    static size_t find(const std::vector<std::string>& lines, const std::string& text, size_t from = 0)
    {
        for (size_t i = from; i < lines.size(); ++i)
            if (lines[i].find(text) != std::string::npos)
                return i;
        return lines.size();
    }
    // Ultimate capacities (columns 51..59) of the table rows after a title.
    static std::vector<double> ultimates(const std::vector<std::string>& lines, size_t title, size_t count)
    {
        std::vector<double> out;
        for (size_t i = title + 6; out.size() < count && i < lines.size(); ++i)
            out.push_back(numberAt(lines[i], 50, 9));
        return out;
    }
};

TEST_F(SideBySideRun, FollowsTheThreeTablesWithTheirCapacities)
{
    test::ProjectBuilder project;
    project.tl = 30;
    project.printStep = 5;
    project.layers = {test::Layer{.type = 1, .bottom = 15},
                      test::Layer{.type = 2, .bottom = 60, .unitWeight = 110, .su = 1200, .remolded = 600}};
    writeFile("job.vd7d", project.text());
    writeFile("job.cpt", "1 0\r\n");
    writeNames();
    auto S = std::make_unique<EngineState>();
    AXIAL_CAPACITY_MAIN(*S);
    ASSERT_EQ(S->STATUS, 0);
    const auto report = lines("job.vd7o");

    const size_t fhwa = find(report, "*  FED. HWY. METHOD  *");
    const size_t usace = find(report, "* ARMY CORPS METHOD  *");
    const size_t lambda = find(report, "*  LAMBDA 2 METHOD   *");
    const size_t side = find(report, "*  SUMMARY OF ULTIMATE CAPACITIES  *");
    const size_t api = find(report, "*  API RP-2A (1994)  *");
    ASSERT_LT(fhwa, usace);
    ASSERT_LT(usace, lambda);
    ASSERT_LT(lambda, side);
    ASSERT_LT(side, api);
    ASSERT_LT(api, report.size());

    // Points 1, 6, ..., 31: nodes 0, 5, ..., 30 (7 rows).
    const std::vector<std::vector<double>> tables = {ultimates(report, fhwa, 7), ultimates(report, usace, 7),
                                                     ultimates(report, lambda, 7)};
    for (size_t r = 0; r < 7; ++r) {
        const std::string& row = report[side + 6 + r];
        EXPECT_DOUBLE_EQ(numberAt(row, 11, 7), 5.0 * static_cast<double>(r)) << row;
        EXPECT_DOUBLE_EQ(numberAt(row, 23, 9), tables[0][r]) << row;
        EXPECT_DOUBLE_EQ(numberAt(row, 37, 9), tables[1][r]) << row;
        EXPECT_DOUBLE_EQ(numberAt(row, 51, 9), tables[2][r]) << row;
    }
    EXPECT_GT(tables[0][6], 0.0);
    EXPECT_GT(tables[1][6], 0.0);
    EXPECT_GT(tables[2][6], 0.0);
}

} // namespace
} // namespace veldo
