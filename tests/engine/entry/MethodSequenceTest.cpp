#include <gtest/gtest.h>

#include <sstream>

#include "CommonCase.h"
#include "CommonSteps.h"
#include "EngineTestSupport.h"
#include "MethodSequence.h"
#include "PlotData.h"
#include "RunDriver.h"

using namespace veldo;
using commoncase::build;
using commoncase::Pile;
using commoncase::SoilLayer;

namespace {

// 23 points (TL 22 ft, increment 1 ft), print step 5.
std::unique_ptr<EngineState> tableCase(int loading)
{
    SoilLayer clay{.bottom = 30, .type = 2, .unitWeight = 100, .su = 1.0};
    auto S = build(Pile{.od = 12, .tl = 22}, {clay});
    S->PRINT_STEP = 5;
    S->LOADING = loading;
    for (int k = 0; k <= 22; ++k) {
        S->METHOD_SKIN[4][k] = k;
        S->METHOD_END_BEARING[4][k] = 0.5 * k;
        S->METHOD_ULTIMATE[4][k] = 1.5 * k;
        S->PLUG_FLAG[4][k] = 1;
    }
    S->METHOD_SKIN[4][5] = 12.345;
    S->METHOD_END_BEARING[4][5] = 6.78;
    S->METHOD_ULTIMATE[4][5] = 19.125;
    S->METHOD_UNIT_FRICTION[4][5] = 0.4567;
    S->PLUG_FLAG[4][5] = 2;
    return S;
}

class CapacityTable : public test::TempDirTest {
protected:
    std::vector<std::string> printTable(EngineState& S, int method)
    {
        S.report.open(path("r.txt"));
        S.plot.open(path("p.txt"));
        PRINT_CAPACITY_TABLE(S, method);
        S.report.close();
        S.plot.close();
        return lines("r.txt");
    }
};

const std::string kRule28 = std::string(28, ' ') + std::string(22, '*');

} // namespace

TEST(MethodSequence, PrintedPoints)
{
    auto S = tableCase(0);
    // Print step 5, 23 points: points 1, 6, 11, 16, 21, 23 (nodes 0, 5, 10, 15, 20, 22).
    EXPECT_EQ(printedNodes(*S), (std::vector<int>{0, 5, 10, 15, 20, 22}));
    // Print step 3, P = 11: points 1, 4, 7, 10, 11.
    S->TL = 10;
    S->PRINT_STEP = 3;
    EXPECT_EQ(printedNodes(*S), (std::vector<int>{0, 3, 6, 9, 10}));
    // Print step 1: every point; a step below 1 counts as 1.
    S->PRINT_STEP = 0;
    EXPECT_EQ(printedNodes(*S).size(), 11u);
    // The last point is printed once when it falls on the step.
    S->TL = 20;
    S->PRINT_STEP = 5;
    EXPECT_EQ(printedNodes(*S), (std::vector<int>{0, 5, 10, 15, 20}));
}

TEST_F(CapacityTable, CompressionLayoutAndPlugMarker)
{
    auto S = tableCase(0);
    const auto r = printTable(*S, 4);
    ASSERT_EQ(r.size(), 10u + 6u);
    EXPECT_EQ(r[0], "");
    EXPECT_EQ(r[2], "");
    EXPECT_EQ(r[3], kRule28);
    EXPECT_EQ(r[4], std::string(28, ' ') + "*  API RP-2A (1994)  *");
    EXPECT_EQ(r[5], kRule28);
    EXPECT_EQ(r[6], "");
    EXPECT_EQ(r[7], "             PILE       TOTAL SKIN       END       ULTIMATE");
    EXPECT_EQ(r[8], "          PENETRATION   FRICTION       BEARING     CAPACITY");
    const std::string b10(10, ' '), b11(11, ' ');
    EXPECT_EQ(r[9], std::string(14, ' ') + "FT." + b10 + "KIP" + b11 + "KIP" + b10 + "KIP");
    EXPECT_EQ(r[10], "              0.00           0.0           0.0          0.0");
    // 11X, F7.2, 6X, F8.1, 6X, F8.1, then "*" and 3 blanks in place of 4X, F9.1.
    EXPECT_EQ(r[11], b11 + "   5.00" + std::string(6, ' ') + "    12.3" + std::string(6, ' ') + "     6.8" + "*   " +
                         "     19.1");
    EXPECT_EQ(r[12], "             10.00          10.0           5.0         15.0");
    EXPECT_EQ(r[15], "             22.00          22.0          11.0         33.0");
    // Each table row is followed by its plot row: same points, same numbers.
    const auto p = lines("p.txt");
    ASSERT_EQ(p.size(), 6u);
    EXPECT_EQ(p[1], "     5.00      12.3       6.8       19.1      0.457");
    EXPECT_EQ(p[5], "    22.00      22.0      11.0       33.0      0.000");
}

TEST_F(CapacityTable, TensionHeadingsAndGeneralTitle)
{
    auto S = tableCase(1);
    S->METHOD_SKIN[9] = S->METHOD_SKIN[4];
    const auto r = printTable(*S, 5);
    EXPECT_EQ(r[3], std::string(29, ' ') + std::string(18, '*'));
    EXPECT_EQ(r[4], std::string(29, ' ') + "* GENERAL METHOD *");
    EXPECT_EQ(r[7], "             PILE       TOTAL SKIN       SELF      ULTIMATE");
    EXPECT_EQ(r[8], "          PENETRATION   FRICTION        WEIGHT     CAPACITY");
    EXPECT_EQ(r[11], "              5.00          12.3           0.0          0.0");
}

TEST_F(CapacityTable, OffshoreTitlesAndSiLabels)
{
    auto S = tableCase(0);
    S->UNIT_SYSTEM = 2;
    SET_UNIT_LABELS(*S);
    const auto r = printTable(*S, 6);
    EXPECT_EQ(r[3], std::string(10, ' ') + std::string(52, '*'));
    EXPECT_EQ(r[4], std::string(10, ' ') + "*  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *");
    EXPECT_EQ(r[9], std::string(14, ' ') + "M. " + std::string(10, ' ') + "KN." + std::string(11, ' ') + "KN." +
                        std::string(10, ' ') + "KN.");
}

TEST(MethodSequence, WhichMethodsWriteOutput)
{
    auto S = tableCase(0);
    S->MethodTicked = {0, 0, 0, 0, 1, 1, 1, 1, 1, 1};
    S->OFFSHORE_FLAG = 0;
    EXPECT_TRUE(methodWritesOutput(*S, 4));
    EXPECT_TRUE(methodWritesOutput(*S, 5));
    for (int m = 6; m <= 9; ++m)
        EXPECT_FALSE(methodWritesOutput(*S, m)) << m; // offshore flag 0
    EXPECT_EQ(plotSeriesCount(*S), 2);
    S->OFFSHORE_FLAG = 1;
    for (int m = 6; m <= 9; ++m)
        EXPECT_TRUE(methodWritesOutput(*S, m)) << m;
    EXPECT_EQ(plotSeriesCount(*S), 6);
    S->MethodTicked[4] = 0;
    EXPECT_FALSE(methodWritesOutput(*S, 4));
}

TEST(MethodSequence, LoadSettlementInputTakesThePrintedPointsOfTheSelectedMethod)
{
    auto S = tableCase(0);
    for (int k = 0; k <= 22; ++k) {
        S->METHOD_TZ_SKIN[4][k] = 2.0 * k;
        S->METHOD_TIP[4][k] = 10.0 + k;
        S->METHOD_END_BEARING[4][k] = 0.5 * (10.0 + k); // end-bearing factor 0.5
    }
    S->SELECTED_METHOD = 4;
    COPY_LOAD_SETTLEMENT_INPUT(*S);
    EXPECT_EQ(S->LS_METHOD_INDEX, 4);
    ASSERT_EQ(S->LS_POINT_COUNT, 6);
    EXPECT_EQ(S->LS_NODE[2], 5);
    EXPECT_DOUBLE_EQ(S->LS_DEPTH[6], 22.0);
    EXPECT_DOUBLE_EQ(S->LS_SKIN[3], 20.0);
    EXPECT_DOUBLE_EQ(S->LS_TIP[3], 20.0); // unfactored with option 0
    S->SIDE_FACTOR_FLAG = 1;
    COPY_LOAD_SETTLEMENT_INPUT(*S);
    EXPECT_DOUBLE_EQ(S->LS_TIP[3], 10.0); // the printed END BEARING column
    // The user method (5) reads column 9.
    S->SELECTED_METHOD = 5;
    COPY_LOAD_SETTLEMENT_INPUT(*S);
    EXPECT_EQ(S->LS_METHOD_INDEX, 9);
}

namespace {

class ExampleRun : public test::TempDirTest {
protected:
    // Runs an example project; returns the state after the run.
    std::unique_ptr<EngineState> runExample(const std::string& name)
    {
        const std::string base = std::string(VELDO_EXAMPLES_DIR) + "/" + name;
        writeFile("names.dat", "2015.7.7\r\n\r\n\r\n0\r\n" + base + ".vd7d\r\n" + path("job.vd7o") + "\r\n" +
                                   path("job.vd7p") + "\r\n" + base + ".cpt\r\n");
        auto S = std::make_unique<EngineState>();
        std::istringstream noConsole;
        AXIAL_CAPACITY_MAIN(*S, noConsole);
        return S;
    }

    void checkOrder(const EngineState& S)
    {
        EXPECT_EQ(S.STATUS, 0);
        const std::string report = readFile("job.vd7o");
        auto last = report.find("* COMPUTATION RESULT *");
        ASSERT_NE(report.find("* INPUT INFORMATION *"), std::string::npos);
        EXPECT_LT(report.find("* INPUT INFORMATION *"), last);
        static const std::pair<int, const char*> kTitles[] = {
            {5, "* GENERAL METHOD *"},
            {1, "*  FED. HWY. METHOD  *"},
            {2, "* ARMY CORPS METHOD  *"},
            {3, "*  LAMBDA 2 METHOD   *"},
            {4, "*  API RP-2A (1994)  *"},
            {6, "*  NORWEIGIAN GEOTECHNICAL INSTITUTE (NGI) METHOD  *"},
            {7, "*  IMPERIAL COLLEGE (MTD) METHOD  *"},
            {8, "*    FUGRO 2004 (FUGRO) METHOD    *"},
            {9, "*  UNIV. OF WESTERN AUSTRALIA (UWA) METHOD  *"},
        };
        int tables = 0;
        for (const auto& [method, title] : kTitles) {
            const auto at = report.find(title);
            if (!methodWritesOutput(S, method)) {
                EXPECT_EQ(at, std::string::npos) << title;
                continue;
            }
            ASSERT_NE(at, std::string::npos) << title;
            EXPECT_GT(at, last) << title; // pass-1 methods before pass-2 methods
            last = at;
            ++tables;
        }
        // Plot-data header: one block per table, rows as printed.
        const auto p = lines("job.vd7p");
        ASSERT_FALSE(p.empty());
        std::istringstream header(p[0]);
        int series = -1, rows = -1, units = -1, selected = -1;
        header >> series >> rows >> units >> selected;
        EXPECT_EQ(series, tables);
        EXPECT_EQ(rows, static_cast<int>(printedNodes(S).size()));
        EXPECT_EQ(units, S.UNIT_SYSTEM);
        EXPECT_EQ(selected, S.SELECTED_METHOD);
        ASSERT_GE(p.size(), static_cast<size_t>(1 + series * rows));
        for (int r = 1; r <= series * rows; ++r) {
            std::istringstream row(p[static_cast<size_t>(r)]);
            int count = 0;
            for (double v; row >> v;)
                ++count;
            EXPECT_EQ(count, 5) << p[static_cast<size_t>(r)];
        }
    }
};

} // namespace

TEST_F(ExampleRun, EnglishPipeInSandAndClay) { checkOrder(*runExample("PipeSandClay_English")); }

TEST_F(ExampleRun, OffshoreCptSi) { checkOrder(*runExample("OffshoreCpt_SI")); }

namespace {

// A project run through the whole engine; the printed columns of every method
// are kept as they stand when its table prints.
class ProjectRun : public test::TempDirTest {
protected:
    std::array<std::vector<double>, 10> printedBearing;

    std::unique_ptr<EngineState> run(const test::ProjectBuilder& p)
    {
        writeFile("job.vd7d", p.text());
        writeFile("job.cpt", " 1 0\r\n");
        writeNames();
        auto state = std::make_unique<EngineState>();
        EngineState& S = *state;
        S.RESULTS_FINAL = [this, &S](int method) {
            const auto& column = S.METHOD_END_BEARING[static_cast<size_t>(methodIndexOf(method))];
            printedBearing[static_cast<size_t>(method)].assign(column.begin(), column.end());
        };
        std::istringstream noConsole;
        AXIAL_CAPACITY_MAIN(S, noConsole);
        EXPECT_EQ(S.STATUS, 0);
        return state;
    }

    // The END BEARING field (F8.1 after depth and skin friction) of the row at the
    // depth text in the table of a method.
    std::string printedBearingField(const std::string& title, const std::string& depth)
    {
        const std::string report = readFile("job.vd7o");
        const size_t table = report.find(title);
        const size_t row = report.find("\n             " + depth, table);
        return table == std::string::npos || row == std::string::npos ? "" : report.substr(row + 1 + 38, 8);
    }
};

} // namespace

// The tip window (1.5 OD above and below the tip) reaches below the segment table,
// which ends at int(32.5 / 3) x 3 = 30 ft: below it the end bearing holds its value
// at 30 ft. Closed pipe OD 12 in, TL 30.5 ft, uniform clay su 1 ksf down to 32.5 ft:
// every method's end bearing at 30 ft is 9 x 1 x 0.7853975 = 7.0686 kips (was 3.5).
TEST_F(ProjectRun, EndBearingWindowBelowTheSegmentTable)
{
    test::ProjectBuilder p;
    p.tl = 30.5;
    p.increment = 3;
    p.layers[0].type = 2;
    p.layers[0].su = 1000;
    p.layers[0].bottom = 32.5;
    const auto S = run(p);
    for (int method = 1; method <= 4; ++method) {
        EXPECT_NEAR(printedBearing[static_cast<size_t>(method)][10], 9 * 0.7853975, 1e-9) << method;
        EXPECT_NEAR(printedBearing[static_cast<size_t>(method)][9], 9 * 0.7853975, 1e-9) << method;
    }
    EXPECT_EQ(printedBearingField("*  API RP-2A (1994)  *", "30.00"), "     7.1");
}

// USACE under critical-depth option 1: sand 0-20 ft (120 pcf, phi 30), clay 20-40 ft
// (90 pcf), sand 40-70 ft (120 pcf, phi 30); closed pipe OD 12 in, TL 43 ft.
// sigma'v: 2.4 ksf at 20 ft, 4.2 at 40, 4.32 at 41. The USACE rule finds its
// critical depth in sand at 41 ft; the soil profile's own search (any soil) finds
// 33 ft (3.57 ksf), which is also the limited stress. The printed tip at 43 ft
// averages 41.5-44.5 ft: unlimited 41.5-42 ft (mean 4.41 ksf), limited 3.57 beyond:
// (0.5 x 4.41 + 2.5 x 3.57) / 3 = 3.71 ksf x Nq 23 x 0.7853975 ft2 = 67.0189 kips.
// The second pass runs the common steps again with the 33 ft depth (3.57 x 23 x
// 0.7853975 = 64.4891 kips): the load-settlement tip is the printed one.
TEST_F(ProjectRun, LoadSettlementTipIsThePrintedEndBearing)
{
    test::ProjectBuilder p;
    p.tl = 43;
    p.selected = 2;
    p.criticalOption = 1;
    test::Layer upper;
    upper.bottom = 20;
    test::Layer clay;
    clay.type = 2;
    clay.bottom = 40;
    clay.unitWeight = 90;
    clay.su = 1000;
    test::Layer lower;
    lower.bottom = 70;
    p.layers = {upper, clay, lower};
    const double printed = 3.71 * 23 * 0.7853975;

    auto S = run(p);
    EXPECT_NEAR(printedBearing[2][43], printed, 1e-9);
    ASSERT_GT(S->LS_POINT_COUNT, 0);
    EXPECT_NEAR(S->LS_TIP[S->LS_POINT_COUNT], printed, 1e-9);
    EXPECT_EQ(printedBearingField("* ARMY CORPS METHOD  *", "43.00"), "    67.0");

    // End-bearing factor 0.8: printed 53.6 kips; the t-z option 0 hands over the
    // unfactored tip, option 1 the printed one.
    p.layers[2].tipFactor = 0.8;
    S = run(p);
    EXPECT_NEAR(printedBearing[2][43], 0.8 * printed, 1e-9);
    EXPECT_NEAR(S->LS_TIP[S->LS_POINT_COUNT], printed, 1e-9);
    p.sideFactorFlag = 1;
    S = run(p);
    EXPECT_NEAR(S->LS_TIP[S->LS_POINT_COUNT], 0.8 * printed, 1e-9);

    // Tension: the self weight 43 x 0.7853975 x 0.49 = 16.5482 kips is a weight, no
    // resistance factor touches it.
    p.loading = 1;
    S = run(p);
    EXPECT_NEAR(printedBearing[2][43], 43 * 0.7853975 * 0.49, 1e-9);
    EXPECT_NEAR(S->LS_TIP[S->LS_POINT_COUNT], 43 * 0.7853975 * 0.49, 1e-9);
}

namespace {

int countLines(const std::string& text, const std::string& line)
{
    int count = 0;
    for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + line.size()))
        ++count;
    return count;
}

const std::string kHOverR = " WARNING - h/R SHOULD BE GREATER THAN 8.";
const std::string kNoPi = " ERROR - NO DATA FOUND FOR PLASTIC INDEX.";

} // namespace

// ICP/MTD, Fugro and UWA run whenever the offshore methods are on; their warnings
// and errors reach the report only for the methods whose table it prints. Clay with
// no plasticity index (-1) down to 60 ft, closed pipe OD 12 in, TL 50 ft: h/R falls
// below 8 within 4 ft of the tip.
TEST_F(ProjectRun, OffshoreNotesOnlyForPrintedMethods)
{
    test::ProjectBuilder p;
    p.offshore = 1;
    p.layers[0].type = 2;
    p.layers[0].su = 1000;
    p.layers[0].remolded = 500;
    p.layers[0].pi = -1;
    p.layers[0].bottom = 60;
    const std::vector<int> classic = {1, 1, 1, 1, 0, 0, 0, 0, 0};

    p.ticked = classic;
    run(p);
    const std::string quiet = readFile("job.vd7o");
    EXPECT_EQ(countLines(quiet, kHOverR), 0);
    EXPECT_EQ(countLines(quiet, kNoPi), 0);
    const std::string quietPlot = readFile("job.vd7p");

    std::array<int, 10> warnings{};
    int sum = 0;
    for (int method : {Method::IcpMtd, Method::Fugro, Method::Uwa}) {
        p.ticked = classic;
        p.ticked[static_cast<size_t>(method - 1)] = 1;
        run(p);
        const std::string report = readFile("job.vd7o");
        warnings[static_cast<size_t>(method)] = countLines(report, kHOverR);
        sum += warnings[static_cast<size_t>(method)];
    }
    EXPECT_GT(warnings[Method::IcpMtd], 0);
    EXPECT_GT(warnings[Method::Fugro], 0);
    p.ticked = {1, 1, 1, 1, 0, 0, 1, 1, 1};
    run(p);
    EXPECT_EQ(countLines(readFile("job.vd7o"), kHOverR), sum);
    EXPECT_GT(countLines(readFile("job.vd7o"), kNoPi), 0);

    // The values are the same whether the notes are written or not.
    p.ticked = classic;
    run(p);
    EXPECT_EQ(readFile("job.vd7p"), quietPlot);
}
