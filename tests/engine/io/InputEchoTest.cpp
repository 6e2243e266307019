// The input echo compared line by line (right-trimmed) with texts laid out by
// hand from the section's layout: an English and an SI project, and the
// variants of the pile and loading blocks.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "EngineState.h"
#include "InputEcho.h"
#include "UnitLabels.h"

using namespace veldo;

namespace {

using Row = std::array<double, SOIL_COLUMNS>;

std::string padded(std::string text, std::size_t width = 72)
{
    text.resize(std::max(width, text.size()), ' ');
    return text;
}

void setRows(EngineState& S, const std::vector<Row>& rows)
{
    S.LAYER_END_COUNT = static_cast<int>(rows.size());
    for (std::size_t r = 0; r < rows.size(); ++r)
        S.SOIL[r + 1] = rows[r];
}

// Runs the echo into a scratch report and returns its lines, right-trimmed.
std::vector<std::string> echo(EngineState& S)
{
    const auto* info = testing::UnitTest::GetInstance()->current_test_info();
    const auto path = std::filesystem::temp_directory_path() / (std::string("engb_echo_") + info->name() + ".txt");
    EXPECT_TRUE(S.report.open(path.string()));
    INPUT_ECHO(S);
    S.report.close();
    std::ifstream in(path);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        line.erase(line.find_last_not_of(' ') + 1);
        lines.push_back(line);
    }
    std::filesystem::remove(path);
    return lines;
}

void expectLines(const std::vector<std::string>& actual, const std::vector<std::string>& expected)
{
    for (std::size_t k = 0; k < std::min(actual.size(), expected.size()); ++k)
        EXPECT_EQ(actual[k], expected[k]) << "line " << k + 1;
    EXPECT_EQ(actual.size(), expected.size());
}

bool hasLine(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

bool anyLineContains(const std::vector<std::string>& lines, const std::string& part)
{
    return std::any_of(lines.begin(), lines.end(),
                       [&](const std::string& l) { return l.find(part) != std::string::npos; });
}

// English project as the reader leaves it: stresses in ksf, the user unit
// values, plasticity index and Qc as read (psf) in their own columns.
std::unique_ptr<EngineState> englishProject()
{
    auto S = std::make_unique<EngineState>();
    S->TITLE = padded("TEST PILE ONE");
    S->DESIGNER = padded("A. ENGINEER");
    S->JOB_NUMBER = padded("J-100");
    S->UNIT_SYSTEM = 1;
    SET_UNIT_LABELS(*S);
    S->SELECTED_METHOD = 4;
    S->SIDE_FACTOR_FLAG = 0;
    S->MethodTicked[2] = S->MethodTicked[4] = S->MethodTicked[7] = 1;
    S->CRITICAL_DEPTH_OPTION = 2;
    S->USER_CRITICAL_DEPTH = 15;
    S->CLAY_CONDITION = 1;
    S->LOADING = 1;
    S->TENSION_FACTOR = 0.7;
    S->PILE_TYPE = 1;
    S->PILE_END_FLAG = 0;
    S->OD = 12;
    S->ID = 11;
    S->E_MODULUS = 2.9e7;
    S->TL = 50;
    S->PSL = 2;
    S->ZFL = 3;
    S->INCREMENT = 1;
    S->ESL = 5;
    S->EID = 10.5;
    S->PLUG_CONDITION = 0;
    S->AREA_MODE = 0;
    S->OFFSHORE_FLAG = 1;
    const Row sand{0, 0, 1, 1.0, 120, 30, 0, 2.0, 9999999, 0, 0, 15, 0, 0, 500, 0, 0.8, 0.75, 0};
    const Row clay{20, 0, 2, 0.8, 55, 0, 0, 9999999, 40, 1.5, 0.75, 1.2, 25, 30000, 0, 2000, 0.7, 0.7, 1};
    Row sandBottom = sand, clayBottom = clay;
    sandBottom[COL_DEPTH] = 20;
    clayBottom[COL_DEPTH] = 60;
    setRows(*S, {sand, sandBottom, clay, clayBottom});
    S->NO_LIMIT_BEARING[1] = S->NO_LIMIT_BEARING[2] = 1;
    S->NO_LIMIT_FRICTION[3] = S->NO_LIMIT_FRICTION[4] = 1;
    return S;
}

std::unique_ptr<EngineState> siProject()
{
    auto S = std::make_unique<EngineState>();
    S->TITLE = "ABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJKL";
    S->DESIGNER = std::string(60, 'D') + "EEEEEEEEEEEE";
    S->JOB_NUMBER = padded("SI-2");
    S->UNIT_SYSTEM = 2;
    SET_UNIT_LABELS(*S);
    S->SELECTED_METHOD = 1;
    S->SIDE_FACTOR_FLAG = 1;
    for (int m : {1, 2, 3, 6, 8, 9})
        S->MethodTicked[m] = 1;
    S->CRITICAL_DEPTH_OPTION = 1;
    S->LOADING = 0;
    S->PILE_TYPE = 6;
    S->PERIMETER = 1400;
    S->TIP_AREA = 0.75;
    S->OD = 1400 / 3.1416;
    S->ID = 0;
    S->E_MODULUS = 2.0e8;
    S->TL = 30;
    S->PSL = 1;
    S->ZFL = 0;
    S->INCREMENT = 0.5;
    S->AREA_MODE = 2;
    S->SECTION_COUNT = 2;
    S->SECTION_DIST[1] = 0;
    S->SECTION_AREA[1] = 1.25;
    S->SECTION_DIST[2] = 12.5;
    S->SECTION_AREA[2] = 1.5;
    S->OFFSHORE_FLAG = 1;
    const Row sand{0, 0, 1, 1.2, 9.5, 32, 20, 95, 9600, 0, 0, 25, 0, 12000, 10, 0, 1, 1, 0};
    const Row clay{10, 0, 2, 0.9, 8, 0, 0, 60, 9999999, 75, 30, 1.5, 35, 900, 0, 0, 0.9, 0.85, 2};
    Row sandBottom = sand, clayBottom = clay;
    sandBottom[COL_DEPTH] = 10;
    clayBottom[COL_DEPTH] = 40;
    setRows(*S, {sand, sandBottom, clay, clayBottom});
    S->NO_LIMIT_BEARING[3] = S->NO_LIMIT_BEARING[4] = 1;
    return S;
}

const std::vector<std::string> kEnglishEcho{
    "",
    "",
    "",
    "1",
    "          *********************",
    "          * INPUT INFORMATION *",
    "          *********************",
    "",
    "",
    "",
    "          TEST PILE ONE",
    "",
    "          DESIGNER   : A. ENGINEER",
    "",
    "          JOB NUMBER : J-100",
    "",
    "",
    "          METHOD FOR UNIT LOAD TRANSFERS :",
    "",
    "          - API RP 2A (American Petroleum Institute)",
    "            Unfactored Unit Side Friction and Unit Side Resistance are used.",
    "",
    "",
    "",
    "          COMPUTATION METHOD(S) FOR PILE CAPACITY :",
    "",
    "          - USACE (U.S. Army Corps of Engineers)",
    "            # Critical Depth Method for Sand:",
    "              At User-Specified Critical Depth =     15.00 FT.",
    "          - API RP 2A (American Petroleum Institute)",
    "          - ICP/MTD (Imperial College of London)",
    "            # Use Drained Condition for Clay",
    "",
    "",
    "          TYPE OF LOADING :",
    "          - TENSION",
    "            REDUCTION FACTOR FOR TENSION LOADING =      0.70",
    "",
    "",
    "          PILE TYPE :",
    "",
    "          Steel pipe pile or non-tapered portion of monotube pile",
    "          - Open-Ended Pile",
    "",
    "",
    "          DATA FOR AXIAL STIFFNESS :",
    "",
    "          - MODULUS OF ELASTICITY     = 0.290E+08 PSI",
    "          - CROSS SECTION AREA        =     18.06 IN2",
    "",
    "",
    "          CIRCULAR PILE PROPERTIES :",
    "",
    "          - OUTSIDE DIAMETER, OD      =     12.00 IN.",
    "          - INTERNAL DIAMETER, ID     =     11.00 IN.",
    "          - TOTAL PILE LENGTH, TL     =     50.00 FT.",
    "          - PILE STICKUP LENGTH, PSL  =      2.00 FT.",
    "          - ZERO FRICTION LENGTH, ZFL =      3.00 FT.",
    "          - INCREMENT OF PILE LENGTH",
    "            USED IN COMPUTATION       =      1.00 FT.",
    "          - LENGTH OF ENHANCED",
    "            END SECTION               =      5.00 FT.",
    "          - INTERNAL DIAMETER OF",
    "            ENHANCED END SECTION      =     10.50 IN.",
    "",
    "",
    "          PLUGGED/UNPLUGGED CONDITIONS :",
    "          Internal Pile Plug Calculated by Program",
    "",
    "",
    "",
    "          SOIL INFORMATIONS :",
    "",
    "",
    "",
    "                            LATERAL    EFFECTIVE    FRICTION   BEARING",
    "                    SOIL    EARTH      UNIT         ANGLE      CAPACITY",
    "           DEPTH    TYPE    PRESSURE   WEIGHT       DEGREES    FACTOR",
    "            FT.                        LB/CF",
    "             0.00   SAND      1.00       120.00        30.00      0.00",
    "            20.00   SAND      1.00       120.00        30.00      0.00",
    "            20.00   CLAY      0.80        55.00         0.00      0.00",
    "            60.00   CLAY      0.80        55.00         0.00      0.00",
    "",
    "",
    "",
    "          MAXIMUM   MAXIMUM   UNDISTURB  REMOLDED",
    "          UNIT      UNIT      SHEAR      SHEAR     BLOW   UNIT SKIN  UNIT END",
    "          FRICTION  BEARING   STRENGTH   STRENGTH  COUNT  FRICTION   BEARING",
    "            KSF       KSF        KSF       KSF               KSF       KSF",
    "          0.20E+01  0.10E+08*       0.00      0.00  15.00       0.50      0.00",
    "          0.20E+01  0.10E+08*       0.00      0.00  15.00       0.50      0.00",
    "          0.10E+08* 0.40E+02        1.50      0.75   1.20       0.00      2.00",
    "          0.10E+08* 0.40E+02        1.50      0.75   1.20       0.00      2.00",
    "",
    "          * MAXIMUM UNIT FRICTION AND/OR MAXIMUM UNIT BEARING",
    "            WERE SET TO BE 0.10E+08 BECAUSE THE USER DOES NOT",
    "            PLAN TO LIMIT THE COMPUTED DATA.",
    "",
    "",
    "",
    "                   LRFD FACTOR  LRFD FACTOR",
    "                    ON UNIT      ON UNIT",
    "           DEPTH    FRICTION     BEARING",
    "            FT.",
    "             0.00    0.800       0.750",
    "            20.00    0.800       0.750",
    "            20.00    0.700       0.700",
    "            60.00    0.700       0.700",
    "",
    "",
    "",
    "",
    "                  PLASTIC    YIELD      Qc",
    "                   INDEX    STRESS     FROM",
    "           DEPTH     PI      RATIO     CPT",
    "            FT.      %                 KSF",
    "             0.00   0.00    15.00    0.000E+00",
    "            20.00   0.00    15.00    0.000E+00",
    "            20.00  25.00     1.20    0.300E+02",
    "            60.00  25.00     1.20    0.300E+02",
};

const std::vector<std::string> kSiEcho{
    "",
    "",
    "",
    "1",
    "          *********************",
    "          * INPUT INFORMATION *",
    "          *********************",
    "",
    "",
    "",
    "          ABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJ",
    "",
    "          DESIGNER   : DDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDDD",
    "",
    "          JOB NUMBER : SI-2",
    "",
    "",
    "          METHOD FOR UNIT LOAD TRANSFERS :",
    "",
    "          - FHWA (Federal Highway Administration)",
    "            Reduced Unit Side Friction and Unit Side Resistance are used.",
    "",
    "",
    "",
    "          COMPUTATION METHOD(S) FOR PILE CAPACITY :",
    "",
    "          - FHWA (Federal Highway Administration)",
    "          - USACE (U.S. Army Corps of Engineers)",
    "            # Critical Depth Method for Sand:",
    "              At Effective Stress Reaching 3,500 psf (167.6 kPa)",
    "          - Revised Lambda",
    "          - NGI (Norwegian Geotechnical Institute)",
    "          - FUGRO (Offshore Driven Piles in Sand)",
    "          - UWA (University of Western Australia)",
    "",
    "",
    "          TYPE OF LOADING :",
    "          - COMPRESSION",
    "",
    "",
    "          PILE TYPE :",
    "",
    "          H-Pile/Steel Pile",
    "",
    "",
    "          DATA FOR AXIAL STIFFNESS :",
    "",
    "          - MODULUS OF ELASTICITY     = 0.200E+09 KPA",
    "          - CROSS SECTION AREA ALONG DEPTH",
    "           DEPTH,M.            AREA,M2",
    "                0.00                1.25",
    "               12.50                1.50",
    "",
    "",
    "          NONCIRCULAR PILE PROPERTIES :",
    "",
    "          - TOTAL PILE LENGTH, TL     =     30.00 M.",
    "          - PILE STICKUP LENGTH, PSL  =      1.00 M.",
    "          - ZERO FRICTION LENGTH, ZFL =      0.00 M.",
    "          - PERIMETER OF PILE         =   1400.00 MM.",
    "          - TIP AREA OF PILE          =      0.75 M2",
    "          - INCREMENT OF PILE LENGTH",
    "            USED IN COMPUTATION       =      0.50 M.",
    "",
    "",
    "",
    "          SOIL INFORMATIONS :",
    "",
    "",
    "",
    "                            LATERAL    EFFECTIVE    FRICTION   BEARING",
    "                    SOIL    EARTH      UNIT         ANGLE      CAPACITY",
    "           DEPTH    TYPE    PRESSURE   WEIGHT       DEGREES    FACTOR",
    "            M.                         KN/CM",
    "             0.00   SAND      1.20         9.50        32.00     20.00",
    "            10.00   SAND      1.20         9.50        32.00     20.00",
    "            10.00   CLAY      0.90         8.00         0.00      0.00",
    "            40.00   CLAY      0.90         8.00         0.00      0.00",
    "",
    "",
    "",
    "          MAXIMUM   MAXIMUM   UNDISTURB  REMOLDED",
    "          UNIT      UNIT      SHEAR      SHEAR     BLOW   UNIT SKIN  UNIT END",
    "          FRICTION  BEARING   STRENGTH   STRENGTH  COUNT  FRICTION   BEARING",
    "            KPA       KPA        KPA       KPA               KPA       KPA",
    "          0.95E+02  0.96E+04        0.00      0.00  25.00      10.00      0.00",
    "          0.95E+02  0.96E+04        0.00      0.00  25.00      10.00      0.00",
    "          0.60E+02  0.10E+08*      75.00     30.00   1.50       0.00      0.00",
    "          0.60E+02  0.10E+08*      75.00     30.00   1.50       0.00      0.00",
    "",
    "          * MAXIMUM UNIT FRICTION AND/OR MAXIMUM UNIT BEARING",
    "            WERE SET TO BE 0.10E+08 BECAUSE THE USER DOES NOT",
    "            PLAN TO LIMIT THE COMPUTED DATA.",
    "",
    "",
    "",
    "                   LRFD FACTOR  LRFD FACTOR",
    "                    ON UNIT      ON UNIT",
    "           DEPTH    FRICTION     BEARING",
    "            M.",
    "             0.00    1.000       1.000",
    "            10.00    1.000       1.000",
    "            10.00    0.900       0.850",
    "            40.00    0.900       0.850",
    "",
    "",
    "",
    "",
    "                  PLASTIC    YIELD      Qc",
    "                   INDEX    STRESS     FROM",
    "           DEPTH     PI      RATIO     CPT",
    "            M.       %                 KPA",
    "             0.00   0.00    25.00    0.120E+05",
    "            10.00   0.00    25.00    0.120E+05",
    "            10.00  35.00     1.50    0.900E+03",
    "            40.00  35.00     1.50    0.900E+03",
};

} // namespace

TEST(InputEchoTest, EnglishProject)
{
    auto S = englishProject();
    const auto before = S->SOIL;
    expectLines(echo(*S), kEnglishEcho);
    EXPECT_EQ(S->SOIL, before); // the echo only prints
}

TEST(InputEchoTest, SiProject)
{
    auto S = siProject();
    expectLines(echo(*S), kSiEcho);
}

TEST(InputEchoTest, TimberPileShowsNoInsideDiameterAndNoPlug)
{
    auto S = englishProject();
    S->PILE_TYPE = 2;
    S->TAPER_ANGLE = 1.5;
    S->OFFSHORE_FLAG = 0;
    const auto lines = echo(*S);
    EXPECT_TRUE(hasLine(lines, "          Timber pile"));
    EXPECT_TRUE(hasLine(lines, "          Angle of taper for a tapered pile  (degrees) =      1.50"));
    // 12^2 x 3.1416 / 4 = 113.097
    EXPECT_TRUE(hasLine(lines, "          - CROSS SECTION AREA        =    113.10 IN2"));
    EXPECT_TRUE(hasLine(lines, "          - OUTSIDE DIAMETER, OD      =     12.00 IN."));
    EXPECT_FALSE(anyLineContains(lines, "INTERNAL DIAMETER"));
    EXPECT_FALSE(anyLineContains(lines, "PLUGGED/UNPLUGGED"));
    EXPECT_FALSE(anyLineContains(lines, "PLASTIC"));
}

TEST(InputEchoTest, EndSectionLinesOnlyWhenItDiffersFromTheLength)
{
    auto S = englishProject();
    S->ESL = S->TL - 1.0e-7; // the reader's default: the end section spans the pile
    S->PLUG_CONDITION = 2;
    const auto lines = echo(*S);
    EXPECT_FALSE(anyLineContains(lines, "ENHANCED"));
    EXPECT_TRUE(hasLine(lines, "          Unplugged for open-ended pile"));
}

TEST(InputEchoTest, TensionWithoutApiHasNoReductionLine)
{
    auto S = englishProject();
    S->MethodTicked[4] = 0;
    const auto lines = echo(*S);
    EXPECT_TRUE(hasLine(lines, "          - TENSION"));
    EXPECT_FALSE(anyLineContains(lines, "REDUCTION FACTOR"));
}

TEST(InputEchoTest, ConcretePiles)
{
    auto S = englishProject();
    S->PILE_TYPE = 3;
    S->PILE_END_FLAG = 1;
    S->ID = 6;
    auto lines = echo(*S);
    EXPECT_TRUE(hasLine(lines, "          Precast concrete pile (Circular/Tubular)"));
    EXPECT_TRUE(hasLine(lines, "          - Close-Ended Pile"));
    // (144 - 36) x 3.1416 / 4 = 84.823
    EXPECT_TRUE(hasLine(lines, "          - CROSS SECTION AREA        =     84.82 IN2"));
    EXPECT_TRUE(hasLine(lines, "          - INTERNAL DIAMETER, ID     =      6.00 IN."));
    EXPECT_FALSE(anyLineContains(lines, "PLUGGED/UNPLUGGED")); // closed-ended

    // Square section: perimeter 48 in, tip area 144 in2 (kept as 1 ft2 by the reader).
    S->PERIMETER = 48;
    S->TIP_AREA = 1.0;
    S->AREA_MODE = 1;
    S->CONSTANT_AREA = 150;
    lines = echo(*S);
    EXPECT_TRUE(hasLine(lines, "          Precast concrete pile (Square/Rectangular/Orthogonal)"));
    EXPECT_TRUE(hasLine(lines, "          - CROSS SECTION AREA        =    150.00 IN2"));
    EXPECT_TRUE(hasLine(lines, "          NONCIRCULAR PILE PROPERTIES :"));
    EXPECT_TRUE(hasLine(lines, "          - PERIMETER OF PILE         =     48.00 IN."));
    EXPECT_TRUE(hasLine(lines, "          - TIP AREA OF PILE          =    144.00 IN2"));
    EXPECT_FALSE(hasLine(lines, "          CIRCULAR PILE PROPERTIES :"));
}

TEST(InputEchoTest, SiPipeAreaInSquareMetres)
{
    auto S = siProject();
    S->PILE_TYPE = 1;
    S->PERIMETER = 0;
    S->OD = 2000;
    S->ID = 1800;
    S->AREA_MODE = 0;
    S->ESL = S->TL;
    S->PLUG_CONDITION = 1;
    const auto lines = echo(*S);
    // (2000^2 - 1800^2) x 3.1416 / 4 / 10^6 = 0.59690 m2
    EXPECT_TRUE(hasLine(lines, "          - CROSS SECTION AREA        =      0.60 M2"));
    EXPECT_TRUE(hasLine(lines, "          - OUTSIDE DIAMETER, OD      =   2000.00 MM."));
    EXPECT_TRUE(hasLine(lines, "          Plugged for open-ended pile"));
}
