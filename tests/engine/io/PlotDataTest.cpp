#include <gtest/gtest.h>

#include <charconv>
#include <sstream>

#include "EngineTestSupport.h"
#include "PlotData.h"
#include "RunDriver.h"

using namespace veldo;

namespace {

std::vector<double> numbersOf(const std::string& line)
{
    std::vector<double> out;
    std::istringstream in(line);
    for (std::string word; in >> word;) {
        if (word == "*")
            continue;
        if (word.back() == '*')
            word.pop_back();
        double v = 0;
        const auto r = std::from_chars(word.data(), word.data() + word.size(), v);
        EXPECT_EQ(r.ec, std::errc()) << word;
        out.push_back(v);
    }
    return out;
}

class PlotDataRun : public test::TempDirTest {
protected:
    // English closed pipe OD 12 in, TL 10 ft, increment 1 ft, print step 3: P = 11,
    // printed points 1, 4, 7, 10, 11 (nRows 5). Clay su 1000 psf to 20 ft.
    test::ProjectBuilder project()
    {
        test::ProjectBuilder p;
        p.printStep = 3;
        p.tl = 10;
        p.ticked = {0, 0, 0, 1, 1, 0, 0, 0, 0};
        test::Layer clay;
        clay.type = 2;
        clay.bottom = 20;
        clay.unitWeight = 110;
        clay.su = 1000;
        clay.remolded = 500;
        p.layers = {clay};
        return p;
    }

    int run(const test::ProjectBuilder& p)
    {
        writeFile("job.vd7d", p.text());
        writeNames("2015.7.7", "");
        EngineState S;
        std::istringstream noConsole;
        AXIAL_CAPACITY_MAIN(S, noConsole);
        return S.STATUS;
    }

    // The rows of a report table below the line holding its title.
    std::vector<std::vector<double>> tableRows(const std::string& title, size_t count)
    {
        const auto r = lines("job.vd7o");
        std::vector<std::vector<double>> rows;
        for (size_t i = 0; i < r.size(); ++i) {
            if (r[i].find(title) == std::string::npos)
                continue;
            for (size_t j = i + 6; j < i + 6 + count && j < r.size(); ++j)
                rows.push_back(numbersOf(r[j]));
            break;
        }
        return rows;
    }
};

} // namespace

TEST(PlotData, FreeFormatIntegers) { EXPECT_EQ(freeFormatIntegers({2, 11, 1, 4}), " 2 11 1 4"); }

TEST_F(PlotDataRun, HeaderAndBlocksMatchTheTables)
{
    ASSERT_EQ(run(project()), 0);
    const auto p = lines("job.vd7p");
    ASSERT_GE(p.size(), 11u);
    // Header: two blocks (general method ticked with all-zero user values, API), 5 rows,
    // English, selected method 4.
    EXPECT_EQ(numbersOf(p[0]), (std::vector<double>{2, 5, 1, 4}));
    // General method block first: depths of the printed points, zero capacities.
    const std::vector<double> depths = {0, 3, 6, 9, 10};
    for (size_t r = 0; r < 5; ++r)
        EXPECT_EQ(numbersOf(p[1 + r]), (std::vector<double>{depths[r], 0, 0, 0, 0})) << r;
    // API block: values 1 to 4 equal the API table rows of the report.
    const auto table = tableRows("*  API RP-2A (1994)  *", 5);
    ASSERT_EQ(table.size(), 5u);
    for (size_t r = 0; r < 5; ++r) {
        const auto row = numbersOf(p[6 + r]);
        ASSERT_EQ(row.size(), 5u);
        ASSERT_EQ(table[r].size(), 4u);
        for (size_t c = 0; c < 4; ++c)
            EXPECT_DOUBLE_EQ(row[c], table[r][c]) << r << "," << c;
        EXPECT_DOUBLE_EQ(row[0], depths[r]);
    }
    // Hand check of the last API row: q = 9 x 1 ksf over 0.7853975 ft2 = 7.1 kips.
    EXPECT_DOUBLE_EQ(table[4][2], 7.1);
}

TEST_F(PlotDataRun, ReportSectionsInOrder)
{
    ASSERT_EQ(run(project()), 0);
    const std::string report = readFile("job.vd7o");
    const auto input = report.find("* INPUT INFORMATION *");
    const auto result = report.find("* COMPUTATION RESULT *");
    const auto general = report.find("* GENERAL METHOD *");
    const auto api = report.find("*  API RP-2A (1994)  *");
    ASSERT_NE(input, std::string::npos);
    EXPECT_LT(input, result);
    EXPECT_LT(result, general);
    EXPECT_LT(general, api);
    EXPECT_EQ(report.find("FED. HWY."), std::string::npos); // not ticked
}

TEST_F(PlotDataRun, TensionWritesSelfWeightAndOffshoreOffWritesNoOffshoreBlock)
{
    auto p = project();
    p.loading = 1;
    p.tensionFactor = 0.7;
    p.offshore = 0;
    p.ticked = {0, 0, 0, 1, 0, 1, 0, 0, 0}; // API and NGI; NGI needs the offshore flag
    ASSERT_EQ(run(p), 0);
    const auto lines_ = lines("job.vd7p");
    ASSERT_GE(lines_.size(), 6u);
    EXPECT_EQ(numbersOf(lines_[0]), (std::vector<double>{1, 5, 1, 4}));
    // Self weight of a solid 12-in steel pile at 10 ft: 0.7853975 x 0.49 x 10 = 3.8 kips.
    EXPECT_DOUBLE_EQ(numbersOf(lines_[5])[2], 3.8);
    const std::string report = readFile("job.vd7o");
    EXPECT_NE(report.find("SELF      ULTIMATE"), std::string::npos);
    EXPECT_EQ(report.find("NORWEIGIAN"), std::string::npos);
}

TEST_F(PlotDataRun, UntickedUserMethodRunsButWritesNothing)
{
    auto p = project();
    p.ticked = {0, 0, 0, 1, 0, 0, 0, 0, 0};
    p.selected = 5;
    p.layers[0].userFriction = 500;
    ASSERT_EQ(run(p), 0);
    EXPECT_EQ(numbersOf(lines("job.vd7p")[0]), (std::vector<double>{1, 5, 1, 5}));
    EXPECT_EQ(readFile("job.vd7o").find("* GENERAL METHOD *"), std::string::npos);
}

TEST(PlotData, RowsNeverHoldAsterisks)
{
    auto S = std::make_unique<EngineState>();
    S->INCREMENT = 1;
    S->METHOD_SKIN[4][3] = 123456789.0;
    S->METHOD_ULTIMATE[4][3] = -123456789.0;
    std::string path = ::testing::TempDir() + "veldo_plot_widen.txt";
    S->plot.open(path);
    WRITE_PLOT_ROW(*S, 4, 3);
    S->plot.close();
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    EXPECT_EQ(line.find('*'), std::string::npos);
    EXPECT_EQ(numbersOf(line), (std::vector<double>{3, 123456789.0, 0, -123456789.0, 0}));
    std::remove(path.c_str());
}
