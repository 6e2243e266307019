// The run driver: hand-over file, banner, file header, date block, the two input
// checks, the capacity refusals and the failures of input and output.
#include <algorithm>
#include <functional>
#include <memory>
#include <sstream>

#include "EngineTestSupport.h"
#include "InputRead.h"
#include "RunDriver.h"
#include "UnitLabels.h"

namespace veldo::test {
namespace {

const std::string kRule5 = std::string(5, ' ') + std::string(73, '=');

class RunDriverTest : public TempDirTest {
protected:
    // Runs the engine on the project with names.dat pointing at job.* files.
    int run(const ProjectBuilder& p, const std::string& version = "2015.7.7")
    {
        writeFile("job.vd7d", p.text());
        writeFile("job.cpt", " 1 0\r\n");
        writeNames(version);
        return RunEngine(7);
    }
    std::string lastLines(size_t n)
    {
        const auto l = lines("job.vd7o");
        std::string out;
        for (size_t i = l.size() >= n ? l.size() - n : 0; i < l.size(); ++i)
            out += l[i] + "\n";
        return out;
    }
    bool reportHas(const std::string& text) { return readFile("job.vd7o").find(text) != std::string::npos; }
    // Runs the engine on names.dat (no console answers); its status and console text.
    static std::pair<int, std::string> runCapturingConsole(const std::string& answers = "")
    {
        auto SPtr = std::make_unique<EngineState>();
        std::istringstream in(answers);
        testing::internal::CaptureStdout();
        AXIAL_CAPACITY_MAIN(*SPtr, in);
        return {SPtr->STATUS, testing::internal::GetCapturedStdout()};
    }
};

TEST_F(RunDriverTest, BannerAndFileHeaderAreExact)
{
    // The version text is cut to its first 12 characters.
    ASSERT_EQ(run(ProjectBuilder{}, "2015.7.7-LONG-VERSION"), 1); // soil only to TL: stops at the check
    const auto l = lines("job.vd7o");
    const std::vector<std::string> expected = {
        kRule5,
        "",
        std::string(20, ' ') + "  VELDO for Windows, Version 2015.7.7-LON",
        "",
        std::string(20, ' ') + "   A Program for Analyzing the Axial Capacity ",
        std::string(20, ' ') + "   and Short-term Settlement of Driven Piles ",
        std::string(20, ' ') + "             under Axial Loading. ",
        "",
        kRule5,
        "",
        "     Path to file locations      : " + dir_.string() + "/",
        "     Name of input data file     : job.vd7d",
        "     Name of output file         : job.vd7o",
        "     Name of plot output file    : job.vd7p",
        "",
        "     " + std::string(73, '-'),
        std::string(26, ' ') + "Time and Date of Analysis",
        "     " + std::string(73, '-'),
        "",
    };
    ASSERT_GE(l.size(), expected.size() + 1);
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(l[i], expected[i]) << "line " << i + 1;
    EXPECT_EQ(l[expected.size()].substr(0, 22), std::string(15, ' ') + "Date:  ");
}

TEST_F(RunDriverTest, ShortVersionIsPaddedToTwelve)
{
    run(ProjectBuilder{}, "1.0");
    EXPECT_EQ(lines("job.vd7o")[2], std::string(20, ' ') + "  VELDO for Windows, Version 1.0         ");
}

TEST(DateBlock, DateAndTimeLineWithLeadingZeros)
{
    const std::string file = (std::filesystem::temp_directory_path() / "veldo_date_block.txt").string();
    {
        auto SPtr = std::make_unique<EngineState>();
        EngineState& S = *SPtr;
        ASSERT_TRUE(S.report.open(file));
        PRINT_DATE_TIME(S, DateTime{2017, 3, 5, 9, 7, 3});
        PRINT_DATE_TIME(S, DateTime{2026, 12, 31, 23, 59, 58});
        PRINT_DATE_TIME(S, DateTime{2026, 13, 1, 0, 0, 0}); // no date line for a bad month
    }
    std::ifstream in(file);
    std::vector<std::string> l;
    for (std::string s; std::getline(in, s);)
        l.push_back(s);
    std::filesystem::remove(file);
    ASSERT_EQ(l.size(), 14u);
    EXPECT_EQ(l[4], std::string(15, ' ') + "Date:  March 05, 2017     Time:  09:07:03");
    EXPECT_EQ(l[9], std::string(15, ' ') + "Date:  December 31, 2026     Time:  23:59:58");
    EXPECT_EQ(l[13], "");
}

TEST(UnitLabels, EnglishAndEveryOtherFlagSi)
{
    auto SPtr = std::make_unique<EngineState>();
    EngineState& S = *SPtr;
    S.UNIT_SYSTEM = 1;
    SET_UNIT_LABELS(S);
    EXPECT_EQ(S.LEN_LABEL + S.DIAM_LABEL + S.FORCE_LABEL + S.STRESS_LABEL + S.UNIT_WEIGHT_LABEL + S.AREA_LABEL,
              "FT.IN.KIPKSFLB/CFIN2");
    for (int flag : {2, 0, 3}) {
        S.UNIT_SYSTEM = flag;
        SET_UNIT_LABELS(S);
        EXPECT_EQ(S.LEN_LABEL + S.DIAM_LABEL + S.FORCE_LABEL + S.STRESS_LABEL + S.UNIT_WEIGHT_LABEL + S.AREA_LABEL,
                  "M. MM.KN.KPAKN/CMM2 ");
    }
}

// Whether the text is well-formed UTF-8 (no lone lead or continuation bytes).
bool validUtf8(const std::string& text)
{
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t length = lead < 0x80           ? 1
                              : (lead >> 5) == 0x6  ? 2
                              : (lead >> 4) == 0xE  ? 3
                              : (lead >> 3) == 0x1E ? 4
                                                    : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        i += length;
    }
    return true;
}

// The header keeps the first 70 characters of the title and 60 of the designer
// and the job number, and the reader the first 72 of each line: a two-byte
// letter at the cut is kept whole, never cut to its first byte.
TEST_F(RunDriverTest, TitleLinesAreCutByCharactersNotBytes)
{
    ProjectBuilder p;
    p.layers[0].bottom = 60;
    std::string text = p.text();
    const std::string title = std::string(69, 'A') + "\u00e4";
    const std::string designer = std::string(59, 'D') + "\u00e9";
    const std::string job = std::string(59, 'J') + "\u00fc";
    text.replace(0, text.find("JOB 1") + 5, title + "BCDEF\r\n" + designer + "XYZ\r\n" + job + "123");
    writeFile("job.vd7d", text);
    writeFile("job.cpt", " 1 0\r\n");
    writeNames();
    ASSERT_EQ(RunEngine(7), 0);
    const std::string report = readFile("job.vd7o");
    EXPECT_TRUE(validUtf8(report));
    EXPECT_NE(report.find("\n          " + title + "\n"), std::string::npos) << report;
    EXPECT_NE(report.find("\n          DESIGNER   : " + designer + "\n"), std::string::npos);
    EXPECT_NE(report.find("\n          JOB NUMBER : " + job + "\n"), std::string::npos);

    // The reader: 71 letters and a two-byte letter make the 72 characters kept;
    // a shorter line is padded to 72 characters.
    text.replace(0, text.find("\r\n"), std::string(71, 'T') + "\u00e4" + "ZZ");
    auto S = std::make_unique<EngineState>();
    READ_PROJECT_TEXT(*S, text, "utf8.vd7d");
    EXPECT_EQ(S->TITLE, std::string(71, 'T') + "\u00e4");
    EXPECT_EQ(S->DESIGNER, designer + "XYZ" + std::string(9, ' '));
}

TEST_F(RunDriverTest, SoilDepthCheckRequiresTotalLengthPlusTwoDiameters)
{
    // English closed pipe OD 12 in, TL 50 ft, stick-up 5 ft, soil to 50 ft:
    // required depth 50 + 2 x 12 / 12 = 52.00 FT (the stick-up does not reduce it).
    ProjectBuilder p;
    p.psl = 5;
    writeFile("job.vd7p", "old results\n");
    testing::internal::CaptureStdout();
    EXPECT_EQ(run(p), 1);
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_EQ(lastLines(4),
              "\n\n"
              "          COMPUTATION DOES NOT PROCEED BECAUSE THE DEEPEST SOIL PROFILE   50.00 FT.\n"
              "          IS LESS THAN PILE EMBEDDED LENGTH PLUS TWO TIMES THE PILE DIAMETER      52.00 FT.\n");
    EXPECT_FALSE(reportHas("INPUT INFORMATION"));
    EXPECT_NE(console.find("\n\n\n          COMPUTATION DOES NOT PROCEED BECAUSE NO SOIL INFORMATION\n"
                           "          WAS PROVIDED AT THE DEPTH      52.00 FT.\n"
                           "          PLEASE NOTE THAT SOIL SHOULD EXTEND AT LEAST THE \n"
                           "           PILE LENGTH PLUS TWO PILE DIAMETERS\n"),
              std::string::npos)
        << console;
    EXPECT_EQ(readFile("job.vd7p"), "");
}

TEST_F(RunDriverTest, SoilDepthCheckPassesAtTheRequiredDepth)
{
    // SI: OD 610 mm, TL 20 m: required 21.22 m; soil to exactly 21.22 m passes.
    ProjectBuilder p;
    p.unitSystem = 2;
    p.od = 610;
    p.tl = 20;
    p.layers[0].bottom = 21.22;
    p.layers[0].unitWeight = 19;
    EXPECT_EQ(run(p), 0);
    EXPECT_TRUE(reportHas("* COMPUTATION RESULT *"));
}

TEST_F(RunDriverTest, ShortLastLayerWithDeepRecordNineOnlyWarnsOnTheConsole)
{
    ProjectBuilder p;
    p.deepest = 60; // the table's last row stays at 50 ft
    testing::internal::CaptureStdout();
    EXPECT_EQ(run(p), 0);
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_NE(console.find("WAS PROVIDED AT THE DEPTH      52.00 FT."), std::string::npos);
    EXPECT_NE(console.find("         COMPUTATION IS PROCEEDING........"), std::string::npos);
    EXPECT_FALSE(reportHas("COMPUTATION DOES NOT PROCEED"));
}

TEST_F(RunDriverTest, SegmentCountAboveFiveHundredStopsAfterTheResultHeading)
{
    // 100 ft of soil: increment 0.19 gives int(526.3) = 526 segments.
    ProjectBuilder p;
    p.layers[0].bottom = 100;
    p.increment = 0.19;
    EXPECT_EQ(run(p), 1);
    EXPECT_EQ(lastLines(5), "\n\n"
                            " YOUR NUMBERS OF SEGMENT  526 IS LARGER THAN\n"
                            " DEFAULT VALUE 500. YOU MIGHT WANT TO CHANGE THE LENGTH OF \n"
                            " SEGMENT OR CONSULT BRISLO, INC. FOR CHANGING THE DEFAULT VALUE\n");
    const auto l = lines("job.vd7o");
    ASSERT_GE(l.size(), 9u);
    EXPECT_EQ(l[l.size() - 6], "          **********************");
    EXPECT_EQ(l[l.size() - 7], "          * COMPUTATION RESULT *");
    EXPECT_EQ(l[l.size() - 9], "1");
}

TEST_F(RunDriverTest, FiveHundredSegmentsProceed)
{
    ProjectBuilder p;
    p.layers[0].bottom = 100;
    p.increment = 0.2;
    EXPECT_EQ(run(p), 0);
    EXPECT_FALSE(reportHas("YOUR NUMBERS OF SEGMENT"));
}

TEST_F(RunDriverTest, MalformedNumberNamesFileLineAndItemAndEmptiesThePlotFile)
{
    ProjectBuilder p;
    std::string text = p.text();
    // Record 5 (line 5): a "," decimal in the outside diameter, item 3.
    const auto pos = text.find("0 0 12 0");
    ASSERT_NE(pos, std::string::npos);
    text.replace(pos, 8, "0 0 12,5 0");
    writeFile("job.vd7d", text);
    writeFile("job.cpt", " 1 0\r\n");
    writeFile("job.vd7p", "old results from an earlier run\n");
    writeNames();
    EXPECT_EQ(RunEngine(7), 2);
    EXPECT_EQ(lastLines(3), "          ERROR READING FILE " + path("job.vd7d") +
                                "\n"
                                "          LINE 5, ITEM 3: A REAL NUMBER WAS EXPECTED BUT \"12,5\" WAS FOUND.\n"
                                "          COMPUTATION DOES NOT PROCEED.\n");
    EXPECT_TRUE(exists("job.vd7p"));
    EXPECT_EQ(readFile("job.vd7p"), "");
}

TEST_F(RunDriverTest, ReadFailuresOfEveryKind)
{
    struct Case {
        std::string from, to, message;
    };
    const std::vector<Case> cases = {
        {"1 1 2 1 \r\n", "1.0 1 2 1 \r\n", "LINE 4, ITEM 1: AN INTEGER WAS EXPECTED BUT \"1.0\" WAS FOUND."},
        {"0 1 1 0 4 0 0\r\n", "0 1 1 0 4 0\r\n",
         "LINE 7, ITEM 7: AN INTEGER WAS EXPECTED BUT THE LINE HOLDS ONLY 6 VALUE(S)."},
        {"0 0\r\n", "", "LINE 20: THE LINE IS MISSING (END OF FILE)."}, // record 17 (line 20) cut off
    };
    for (const Case& c : cases) {
        std::string text = ProjectBuilder{}.text();
        const auto pos = c.from == "0 0\r\n" ? text.rfind(c.from) : text.find(c.from);
        ASSERT_NE(pos, std::string::npos) << c.from;
        text.replace(pos, c.from.size(), c.to);
        writeFile("job.vd7d", text);
        writeFile("job.cpt", " 1 0\r\n");
        writeNames();
        EXPECT_EQ(RunEngine(7), 2) << c.message;
        EXPECT_TRUE(reportHas("          " + c.message + "\n")) << c.message << "\n" << lastLines(3);
        EXPECT_EQ(readFile("job.vd7p"), "");
    }
}

TEST_F(RunDriverTest, MissingFilesAndAnUncreatableReport)
{
    writeFile("job.vd7d", ProjectBuilder{}.text());
    writeNames("2015.7.7", "missing.cpt");
    EXPECT_EQ(RunEngine(7), 2);
    EXPECT_TRUE(reportHas("          ERROR OPENING FILE " + path("missing.cpt") + "\n"));
    EXPECT_EQ(readFile("job.vd7p"), "");

    std::filesystem::remove(dir_ / "job.vd7d");
    writeNames();
    EXPECT_EQ(RunEngine(7), 2);
    EXPECT_TRUE(reportHas("          ERROR OPENING FILE " + path("job.vd7d") + "\n"));

    // A report in a folder that does not exist: status 2, the plot-data file stays empty.
    writeFile("job.vd7d", ProjectBuilder{}.text());
    writeFile("job.vd7p", "old");
    writeFile("names.dat", "2015.7.7\n\n\n0\n" + path("job.vd7d") + "\n" + path("nofolder/job.vd7o") + "\n" +
                               path("job.vd7p") + "\n\n");
    EXPECT_EQ(RunEngine(7), 2);
    EXPECT_EQ(readFile("job.vd7p"), "");

    std::filesystem::remove(dir_ / "names.dat");
    EXPECT_EQ(RunEngine(7), 2);
}

TEST_F(RunDriverTest, EmptyCptPathMeansNoPoints)
{
    writeFile("job.vd7d", ProjectBuilder{}.text());
    writeNames("2015.7.7", "");
    auto SPtr = std::make_unique<EngineState>();
    EngineState& S = *SPtr;
    std::istringstream noInput;
    ProjectBuilder p;
    p.layers[0].bottom = 60;
    writeFile("job.vd7d", p.text());
    AXIAL_CAPACITY_MAIN(S, noInput);
    EXPECT_EQ(S.STATUS, 0);
    EXPECT_EQ(S.CPT_COUNT, 0);
}

TEST_F(RunDriverTest, MissingPathLinesArePromptedOnTheConsole)
{
    ProjectBuilder p;
    p.layers[0].bottom = 60;
    writeFile("job.vd7d", p.text());
    writeFile("names.dat", "2015.7.7\nr\nr\n0\n"); // lines 5 to 8 missing
    auto SPtr = std::make_unique<EngineState>();
    EngineState& S = *SPtr;
    std::istringstream answers(path("job.vd7d") + "\n" + path("job.vd7o") + "\r\n" + path("job.vd7p") + "\n");
    testing::internal::CaptureStdout();
    AXIAL_CAPACITY_MAIN(S, answers);
    const std::string console = testing::internal::GetCapturedStdout();
    EXPECT_EQ(S.STATUS, 0);
    EXPECT_TRUE(exists("job.vd7o"));
    EXPECT_NE(console.find("\n\n       ENTER A FILE NAME FOR YOUR INPUT FILE.\n ENTER >\n"
                           "\n\n       ENTER A FILE NAME FOR YOUR OUTPUT FILE.\n ENTER >\n"
                           "\n\n       ENTER A FILE NAME FOR YOUR GRAPHIC DATA FILE.\n ENTER >\n"),
              std::string::npos)
        << console;

    // A failure at line 8 asks for all three again; the CPT path keeps its (empty) value.
    writeFile("names.dat",
              "2015.7.7\nr\nr\n0\n" + path("x.vd7d") + "\n" + path("x.vd7o") + "\n" + path("x.vd7p") + "\n");
    auto TPtr = std::make_unique<EngineState>();
    EngineState& T = *TPtr;
    std::istringstream again(path("job.vd7d") + "\n" + path("job2.vd7o") + "\n" + path("job2.vd7p") + "\n");
    testing::internal::CaptureStdout();
    AXIAL_CAPACITY_MAIN(T, again);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(T.STATUS, 0);
    EXPECT_TRUE(exists("job2.vd7o"));
    EXPECT_FALSE(exists("x.vd7o"));

    // End of the console input: status 2 instead of waiting.
    auto UPtr = std::make_unique<EngineState>();
    EngineState& U = *UPtr;
    std::istringstream ended(path("job.vd7d") + "\n");
    testing::internal::CaptureStdout();
    AXIAL_CAPACITY_MAIN(U, ended);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(U.STATUS, 2);
}

TEST_F(RunDriverTest, CapacityRefusalsStopWithStatusOne)
{
    struct Case {
        std::function<void(ProjectBuilder&)> change;
        std::string message;
    };
    const std::vector<Case> cases = {
        {[](ProjectBuilder& p) {
             p.layers.assign(41, Layer{});
             for (size_t i = 0; i < 41; ++i)
                 p.layers[i].bottom = 2.0 * (i + 1);
         },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE NUMBER OF LAYER-END RECORDS = 82\n"
         "          IS NOT AN EVEN NUMBER FROM 2 TO 80 (TWO RECORDS PER SOIL LAYER, AT MOST 40 LAYERS)\n"},
        {[](ProjectBuilder& p) { p.unitSystem = 3; },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE UNIT SYSTEM = 3\n"
         "          IS OUTSIDE THE ALLOWED RANGE 1 TO 2\n"},
        {[](ProjectBuilder& p) { p.pileType = 8; }, "          COMPUTATION DOES NOT PROCEED BECAUSE THE PILE TYPE = 8\n"
                                                    "          IS OUTSIDE THE ALLOWED RANGE 1 TO 7\n"},
        {[](ProjectBuilder& p) { p.selected = 0; },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE SELECTED LOAD-TRANSFER METHOD = 0\n"
         "          IS OUTSIDE THE ALLOWED RANGE 1 TO 9\n"},
        {[](ProjectBuilder& p) { p.layers[0].type = 4; },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE SOIL TYPE OF LAYER-END RECORD 1 = 4\n"
         "          IS NOT 1 (SAND), 2 (CLAY) OR 3 (SILT)\n"},
        {[](ProjectBuilder& p) { p.increment = 0; },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE INCREMENT OF PILE LENGTH = 0\n"
         "          IS NOT GREATER THAN 0\n"},
        {[](ProjectBuilder& p) { p.od = -1; },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE OUTSIDE DIAMETER = -1\n"
         "          IS NOT GREATER THAN 0\n"},
        {[](ProjectBuilder& p) { p.e = 0; },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE MODULUS OF ELASTICITY = 0\n"
         "          IS NOT GREATER THAN 0\n"},
        // An inside diameter typed larger than the outside one (a negative wall area):
        // the results would be NaN.
        {[](ProjectBuilder& p) { p.id = 16; },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE INSIDE DIAMETER = 16\n"
         "          IS NOT LESS THAN THE OUTSIDE DIAMETER\n"},
        {[](ProjectBuilder& p) { p.id = -100; },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE INSIDE DIAMETER = -100\n"
         "          IS LESS THAN 0\n"},
        {[](ProjectBuilder& p) {
             p.id = 11;
             p.esl = 5;
             p.eid = 12;
         },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE INSIDE DIAMETER OF THE END SECTION = 12\n"
         "          IS NOT LESS THAN THE OUTSIDE DIAMETER\n"},
        // Soil values that no soil has (typed without their decimal point or sign
        // slips): the results would be NaN.
        {[](ProjectBuilder& p) { p.layers[0].phi = 341; },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE FRICTION ANGLE OF LAYER-END RECORD 1 = 341\n"
         "          IS OUTSIDE THE ALLOWED RANGE 0 TO 90\n"},
        {[](ProjectBuilder& p) { p.layers[0].ko = -0.5; },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE COEFFICIENT OF LATERAL EARTH PRESSURE"
         " OF LAYER-END RECORD 1 = -0.5\n"
         "          IS LESS THAN 0\n"},
        {[](ProjectBuilder& p) { p.layers[0].unitWeight = -110; },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE UNIT WEIGHT OF LAYER-END RECORD 1 = -110\n"
         "          IS NOT GREATER THAN 0\n"},
        // A layer left empty (what Add Layer gives): no weight at its bottom.
        {[](ProjectBuilder& p) {
             p.layers = {Layer{}, Layer{}};
             p.layers[0].bottom = 20;
             p.layers[1].bottom = 60;
             p.layers[1].unitWeight = 0;
         },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE UNIT WEIGHT OF LAYER-END RECORD 3 = 0\n"
         "          IS NOT GREATER THAN 0\n"},
        // Layer bottoms 8, 5, 60: the soil profile would fold back.
        {[](ProjectBuilder& p) {
             p.layers = {Layer{}, Layer{}, Layer{}};
             p.layers[0].bottom = 8;
             p.layers[1].bottom = 5;
             p.layers[2].bottom = 60;
         },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE BOTTOM OF LAYER 2 = 5\n"
         "          IS ABOVE THE BOTTOM OF LAYER 1 = 8\n"},
        {[](ProjectBuilder& p) {
             p.layers = {Layer{}, Layer{}};
             p.layers[0].bottom = -2;
             p.layers[1].bottom = 60;
         },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE BOTTOM OF LAYER 1 = -2\n"
         "          IS NOT BELOW THE GROUND SURFACE\n"},
        {[](ProjectBuilder& p) { p.tl = -5; },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE TOTAL LENGTH OF THE PILE = -5\n"
         "          IS NOT GREATER THAN 0\n"},
        {[](ProjectBuilder& p) { p.tl = 0; },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE TOTAL LENGTH OF THE PILE = 0\n"
         "          IS NOT GREATER THAN 0\n"},
        // The same refusals of an SI project: the lengths as the file holds them, in m.
        {[](ProjectBuilder& p) {
             p.unitSystem = 2;
             p.layers = {Layer{}, Layer{}, Layer{}};
             p.layers[0].bottom = 2.4384;
             p.layers[1].bottom = 1.524;
             p.layers[2].bottom = 18.288;
         },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE BOTTOM OF LAYER 2 = 1.524\n"
         "          IS ABOVE THE BOTTOM OF LAYER 1 = 2.4384\n"},
        {[](ProjectBuilder& p) {
             p.unitSystem = 2;
             p.layers = {Layer{}, Layer{}};
             p.layers[0].bottom = -0.6096;
             p.layers[1].bottom = 18.288;
         },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE BOTTOM OF LAYER 1 = -0.6096\n"
         "          IS NOT BELOW THE GROUND SURFACE\n"},
        {[](ProjectBuilder& p) {
             p.unitSystem = 2;
             p.tl = -1.524;
         },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE TOTAL LENGTH OF THE PILE = -1.524\n"
         "          IS NOT GREATER THAN 0\n"},
        {[](ProjectBuilder& p) {
             p.unitSystem = 2;
             p.layers[0].unitWeight = 0;
         },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE UNIT WEIGHT OF LAYER-END RECORD 1 = 0\n"
         "          IS NOT GREATER THAN 0\n"},
        {[](ProjectBuilder& p) { p.selected = 7; },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE SELECTED LOAD-TRANSFER METHOD = 7\n"
         "          IS AN OFFSHORE METHOD, BUT THE OFFSHORE METHODS ARE NOT ENABLED\n"},
        {[](ProjectBuilder& p) { p.tzDepths.assign(101, 5.0); },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE NUMBER OF USER T-Z DEPTHS = 101\n"
         "          IS OUTSIDE THE ALLOWED RANGE 0 TO 100\n"},
        {[](ProjectBuilder& p) {
             p.sections.assign(101, {0.0, 1.0});
         },
         "          COMPUTATION DOES NOT PROCEED BECAUSE THE NUMBER OF CROSS-SECTION ROWS = 101\n"
         "          IS OUTSIDE THE ALLOWED RANGE 0 TO 100\n"},
    };
    for (const Case& c : cases) {
        ProjectBuilder p;
        p.layers[0].bottom = 60;
        c.change(p);
        EXPECT_EQ(run(p), 1) << c.message;
        EXPECT_EQ(lastLines(4), "\n\n" + c.message);
        EXPECT_EQ(readFile("job.vd7p"), "");
    }
}

// A layer of no thickness (its bottom at the bottom of the layer before) still runs.
TEST_F(RunDriverTest, LayerOfNoThicknessRuns)
{
    ProjectBuilder p;
    p.layers = {Layer{}, Layer{}, Layer{}};
    p.layers[0].bottom = 20;
    p.layers[1].bottom = 20;
    p.layers[2].bottom = 60;
    EXPECT_EQ(run(p), 0);
    EXPECT_NE(readFile("job.vd7p"), "");
}

// Every option code is refused just outside each end of its range: no code falls
// back to a default the user did not choose.
TEST_F(RunDriverTest, OptionCodesOutsideTheirRangeAreRefusedAtBothEnds)
{
    struct Code {
        const char* name;
        int ProjectBuilder::*field;
        int lo, hi;
    };
    const Code codes[] = {
        {"CRITICAL-DEPTH OPTION", &ProjectBuilder::criticalOption, 0, 2},
        {"PLUG CONDITION", &ProjectBuilder::plug, 0, 2},
        {"CROSS-SECTION AREA MODE", &ProjectBuilder::areaMode, 0, 2},
        {"LOADING FLAG", &ProjectBuilder::loading, 0, 1},
        {"CLAY CONDITION", &ProjectBuilder::clayCondition, 0, 1},
        {"T-Z FACTOR OPTION", &ProjectBuilder::sideFactorFlag, 0, 1},
    };
    for (const Code& code : codes) {
        for (const int value : {code.lo - 1, code.hi + 1}) {
            ProjectBuilder p;
            p.layers[0].bottom = 60;
            p.*code.field = value;
            EXPECT_EQ(run(p), 1) << code.name << " " << value;
            EXPECT_EQ(lastLines(2), "          COMPUTATION DOES NOT PROCEED BECAUSE THE " + std::string(code.name) +
                                        " = " + std::to_string(value) + "\n          IS OUTSIDE THE ALLOWED RANGE " +
                                        std::to_string(code.lo) + " TO " + std::to_string(code.hi) + "\n");
            EXPECT_EQ(readFile("job.vd7p"), "");
        }
        // Both ends themselves run.
        for (const int value : {code.lo, code.hi}) {
            ProjectBuilder p;
            p.layers[0].bottom = 60;
            p.*code.field = value;
            EXPECT_EQ(run(p), 0) << code.name << " " << value;
        }
    }
}

TEST_F(RunDriverTest, OddLayerEndCountAndTooManyCptPoints)
{
    ProjectBuilder p;
    p.layers[0].bottom = 60;
    std::string text = p.text();
    text.replace(text.find("1 1 2 1 "), 8, "1 1 3 1 ");
    writeFile("job.vd7d", text);
    writeFile("job.cpt", " 1 0\r\n");
    writeNames();
    EXPECT_EQ(RunEngine(7), 1);
    EXPECT_TRUE(reportHas("NUMBER OF LAYER-END RECORDS = 3\n"));

    writeFile("job.vd7d", p.text());
    std::string cpt = " 1 1001\r\n";
    for (int i = 0; i < 1001; ++i)
        cpt += "  1.00E+00  2.00E+03\r\n";
    writeFile("job.cpt", cpt);
    EXPECT_EQ(RunEngine(7), 1);
    EXPECT_EQ(lastLines(2), "          COMPUTATION DOES NOT PROCEED BECAUSE THE NUMBER OF CPT POINTS = 1001\n"
                            "          IS OUTSIDE THE ALLOWED RANGE 0 TO 1000\n");
}

TEST_F(RunDriverTest, ExamplesRunToTheEnd)
{
    for (const std::string name : {"PipeSandClay_English", "OffshoreCpt_SI"}) {
        const std::string base = std::string(VELDO_EXAMPLES_DIR) + "/" + name;
        writeFile("names.dat", "2015.7.7\r\n\r\n\r\n0\r\n" + base + ".vd7d\r\n" + path("job.vd7o") + "\r\n" +
                                   path("job.vd7p") + "\r\n" + base + ".cpt\r\n");
        auto SPtr = std::make_unique<EngineState>();
        EngineState& S = *SPtr;
        std::istringstream none;
        AXIAL_CAPACITY_MAIN(S, none);
        EXPECT_EQ(S.STATUS, 0) << name << "\n" << lastLines(5);
        EXPECT_TRUE(reportHas("* COMPUTATION RESULT *")) << name;
    }
}

// A path longer than its 255 characters is refused before any file is touched: cut,
// it would name another file, and the report would be written over that file.
TEST_F(RunDriverTest, OverlongPathsAreRefusedBeforeAnyFileIsWritten)
{
    ProjectBuilder p;
    p.layers[0].bottom = 60;
    writeFile("job.vd7d", p.text());
    const std::string longReport = path("job" + std::string(240, 'o') + ".vd7o"); // > 255 characters
    writeFile("names.dat",
              "2015.7.7\n\n\n0\n" + path("job.vd7d") + "\n" + longReport + "\n" + path("job.vd7p") + "\n\n");
    const auto [status, console] = runCapturingConsole();
    EXPECT_EQ(status, 2);
    EXPECT_NE(console.find("          ERROR READING FILE names.dat\n"
                           "          LINE 6: THE PATH IS LONGER THAN 255 CHARACTERS.\n"),
              std::string::npos)
        << console;
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(dir_))
        files.push_back(entry.path().filename().string());
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"job.vd7d", "names.dat"}));

    // Trailing blanks do not count; an overlong answer on the console is refused too.
    writeFile("names.dat", "2015.7.7\n\n\n0\n");
    auto TPtr = std::make_unique<EngineState>();
    std::istringstream answers(path("job.vd7d") + std::string(300, ' ') + "\n" + longReport + "\n");
    testing::internal::CaptureStdout();
    AXIAL_CAPACITY_MAIN(*TPtr, answers);
    const std::string prompted = testing::internal::GetCapturedStdout();
    EXPECT_EQ(TPtr->STATUS, 2);
    EXPECT_NE(prompted.find("          ERROR READING THE CONSOLE INPUT\n"
                            "          THE PATH IS LONGER THAN 255 CHARACTERS.\n"),
              std::string::npos)
        << prompted;
    EXPECT_FALSE(exists("job.vd7p"));
}

// A hand-over line that cannot be a path is refused before any file is opened: a path
// broken by a line break shifts the lines, so that each names some other file.
TEST_F(RunDriverTest, HandOverLinesThatAreNoPathsAreRefusedBeforeAnyFileIsTouched)
{
    ProjectBuilder p;
    p.layers[0].bottom = 60;
    writeFile("job.vd7d", p.text());
    writeFile("x", "keep me\n");
    std::filesystem::create_directory(dir_ / "folder");
    const std::string head = "2015.7.7\n\n\n0\n";
    // The project "x<LF>y/job.vd7d" as the hand-over file held it before the program refused it.
    const std::string broken = path("x") + "\ny/job.vd7d\n" + path("x") + "\ny/job.vd7o\n" + path("x") +
                               "\ny/job.vd7p\n" + path("x") + "\ny/job.cpt\n";
    const struct {
        std::string names;
        std::string reason;
    } cases[] = {
        {head + path("job.vd7d") + "\n" + path("job\x01.vd7o") + "\n" + path("job.vd7p") + "\n\n",
         "LINE 6: THE PATH HOLDS A CONTROL CHARACTER."},
        {head + path("job.vd7d") + "\n" + path("job.vd7o") + "\n" + path("folder") + "\n\n",
         "LINE 7: THE PATH NAMES A FOLDER."},
        {head + broken, "LINE 9: A LINE FOLLOWS THE FOUR PATHS."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reason);
        writeFile("names.dat", c.names);
        const auto [status, console] = runCapturingConsole();
        EXPECT_EQ(status, 2);
        EXPECT_NE(console.find("          ERROR READING FILE names.dat\n          " + c.reason + "\n"),
                  std::string::npos)
            << console;
        EXPECT_EQ(readFile("x"), "keep me\n");
        EXPECT_FALSE(exists("job.vd7o"));
        EXPECT_FALSE(exists("job.vd7p"));
    }
    // Blank lines after the paths are no paths and do no harm.
    writeFile("names.dat", head + path("job.vd7d") + "\n" + path("job.vd7o") + "\n" + path("job.vd7p") + "\n\n\n \n");
    EXPECT_EQ(RunEngine(7), 0);
}

// Every stop ends the report with its reason: one block of non-blank lines after two
// blank lines, the last thing in the file (the program shows that block).
TEST_F(RunDriverTest, EveryStopEndsTheReportWithOneFinalBlock)
{
    const auto expectFinalBlock = [this](const std::string& first, const std::string& what) {
        const auto l = lines("job.vd7o");
        const auto blank = [](const std::string& line) { return line.find_first_not_of(' ') == std::string::npos; };
        ASSERT_FALSE(l.empty()) << what;
        std::size_t begin = l.size();
        while (begin > 0 && !blank(l[begin - 1]))
            --begin;
        ASSERT_GE(begin, 2u) << what;
        EXPECT_LT(begin, l.size()) << what;
        EXPECT_TRUE(blank(l[begin - 1]) && blank(l[begin - 2])) << what;
        EXPECT_EQ(l[begin], first) << what;
    };
    ProjectBuilder p;
    p.layers[0].bottom = 60;
    ProjectBuilder refused = p;
    refused.unitSystem = 3;
    EXPECT_EQ(run(refused), 1);
    expectFinalBlock("          COMPUTATION DOES NOT PROCEED BECAUSE THE UNIT SYSTEM = 3", "refusal");

    testing::internal::CaptureStdout();
    EXPECT_EQ(run(ProjectBuilder{}), 1); // soil to 50 ft: shorter than the pile plus two diameters
    testing::internal::GetCapturedStdout();
    expectFinalBlock("          COMPUTATION DOES NOT PROCEED BECAUSE THE DEEPEST SOIL PROFILE   50.00 FT.",
                     "soil depth");

    ProjectBuilder manySegments = p;
    manySegments.layers[0].bottom = 100;
    manySegments.increment = 0.19;
    EXPECT_EQ(run(manySegments), 1);
    expectFinalBlock(" YOUR NUMBERS OF SEGMENT  526 IS LARGER THAN", "segment count");

    writeFile("job.vd7d", p.text());
    writeNames("2015.7.7", "missing.cpt");
    EXPECT_EQ(RunEngine(7), 2);
    expectFinalBlock("          ERROR OPENING FILE " + path("missing.cpt"), "missing CPT file");

    // A plot-data file whose writes fail (a full device) after the whole computation.
    writeFile("job.cpt", " 1 0\r\n");
    writeFile("names.dat", "2015.7.7\n\n\n0\n" + path("job.vd7d") + "\n" + path("job.vd7o") + "\n/dev/full\n" +
                               path("job.cpt") + "\n");
    testing::internal::CaptureStdout();
    EXPECT_EQ(RunEngine(7), 2);
    testing::internal::GetCapturedStdout();
    EXPECT_TRUE(reportHas("* COMPUTATION RESULT *"));
    EXPECT_EQ(lastLines(4), "\n\n"
                            "          ERROR WRITING FILE /dev/full\n"
                            "          THE PLOT-DATA FILE IS INCOMPLETE.\n");
}

} // namespace
} // namespace veldo::test
