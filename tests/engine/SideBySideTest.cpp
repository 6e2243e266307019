// Side-by-side table of the ultimate capacities of FHWA, USACE and Revised Lambda.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "SideBySide.h"

namespace veldo {
namespace {

std::vector<std::string> linesOf(const std::filesystem::path &path)
{
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> printTable(EngineState &S)
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

} // namespace
} // namespace veldo
