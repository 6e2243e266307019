// Reading of the project file and the CPT file into the engine's input storage.
#include "InputRead.h"
#include "EngineTestSupport.h"

#include <clocale>
#include <memory>

namespace veldo::test {
namespace {

std::unique_ptr<EngineState> readProject(const ProjectBuilder& p)
{
    auto S = std::make_unique<EngineState>();
    READ_PROJECT_TEXT(*S, p.text(), "test.vd7d");
    return S;
}

TEST(InputRead, PileRecordsAndTheirSubstitutions)
{
    ProjectBuilder p;
    p.printStep = 0; // taken as 1
    p.id = 11;
    p.tipArea = 144; // English: in2 to ft2 = 1.0
    p.esl = 0;       // no end section: ESL = TL - 1e-7, EID = ID
    p.eid = 7;
    p.tl = 50;
    p.psl = 3;
    p.zfl = 4;
    p.increment = 0.5;
    p.pileType = 3;
    p.taper = 0.7;
    p.selected = 5;
    p.offshore = 1;
    p.sideFactorFlag = 1;
    p.ticked = {0, 1, 0, 1, 1, 0, 0, 1, 0};
    p.constantArea = 2.5;
    p.layers[0].bottom = 60;
    p.loading = 1;
    p.tensionFactor = 0.8;
    p.clayCondition = 1;
    p.plug = 2;
    p.sections = {{0, 10}, {25, 12}, {50, 14}};
    p.criticalOption = 2;
    p.criticalDepth = 17.5;
    p.tzDepths = {10, 20.5};
    const auto state = readProject(p);
    const EngineState& S = *state;
    EXPECT_EQ(S.TITLE, "TEST PROJECT" + std::string(60, ' '));
    EXPECT_EQ(S.TITLE.size(), 72u);
    EXPECT_EQ(S.UNIT_SYSTEM, 1);
    EXPECT_EQ(S.PRINT_STEP, 1);
    EXPECT_EQ(S.LAYER_END_COUNT, 2);
    EXPECT_EQ(S.PILE_END_FLAG, 1);
    EXPECT_DOUBLE_EQ(S.TIP_AREA, 1.0);
    EXPECT_DOUBLE_EQ(S.OD, 12);
    EXPECT_DOUBLE_EQ(S.ID, 11);
    EXPECT_DOUBLE_EQ(S.E_MODULUS, 29000000);
    EXPECT_DOUBLE_EQ(S.ESL, 50 - 1e-7);
    EXPECT_DOUBLE_EQ(S.EID, 11);
    EXPECT_DOUBLE_EQ(S.PSL, 3);
    EXPECT_DOUBLE_EQ(S.ZFL, 4);
    EXPECT_DOUBLE_EQ(S.INCREMENT, 0.5);
    EXPECT_EQ(S.PILE_TYPE, 3);
    EXPECT_DOUBLE_EQ(S.TAPER_ANGLE, 0.7);
    EXPECT_EQ(S.SELECTED_METHOD, 5);
    EXPECT_EQ(S.OFFSHORE_FLAG, 1);
    EXPECT_EQ(S.SIDE_FACTOR_FLAG, 1);
    EXPECT_EQ(S.MethodTicked, (std::array<int, 10>{0, 0, 1, 0, 1, 1, 0, 0, 1, 0}));
    EXPECT_DOUBLE_EQ(S.DEEPEST_SOIL_DEPTH, 60);
    EXPECT_DOUBLE_EQ(S.CONSTANT_AREA, 2.5);
    EXPECT_EQ(S.TZ_FLAG, 1);
    EXPECT_EQ(S.TZ_DEPTH_COUNT, 2);
    EXPECT_DOUBLE_EQ(S.TZ_DEPTHS[2], 20.5);
    EXPECT_EQ(S.LOADING, 1);
    EXPECT_DOUBLE_EQ(S.TENSION_FACTOR, 0.8);
    EXPECT_EQ(S.CLAY_CONDITION, 1);
    EXPECT_EQ(S.PLUG_CONDITION, 2);
    EXPECT_EQ(S.SECTION_COUNT, 3);
    EXPECT_DOUBLE_EQ(S.SECTION_DIST[2], 25);
    EXPECT_DOUBLE_EQ(S.SECTION_AREA[3], 14);
    EXPECT_EQ(S.CRITICAL_DEPTH_OPTION, 2);
    EXPECT_DOUBLE_EQ(S.USER_CRITICAL_DEPTH, 17.5);
}

TEST(InputRead, NoncircularSectionBecomesACircleOfTheSamePerimeter)
{
    ProjectBuilder p;
    p.perimeter = 48; // 48 / 3.1416 = 15.27887 in
    p.od = 30;
    p.id = 20;
    p.tipArea = 288;
    p.esl = 40;
    p.eid = 5;
    const auto state = readProject(p);
    const EngineState& S = *state;
    EXPECT_DOUBLE_EQ(S.OD, 48 / 3.1416);
    EXPECT_DOUBLE_EQ(S.ID, 0);
    EXPECT_DOUBLE_EQ(S.TIP_AREA, 2.0);
    EXPECT_DOUBLE_EQ(S.ESL, 40); // a given end section is kept
    EXPECT_DOUBLE_EQ(S.EID, 5);
}

TEST(InputRead, EnglishSoilRowsConvertOnlyWhatIsInPsf)
{
    ProjectBuilder p;
    Layer sand;
    sand.bottom = 10;
    sand.unitWeight = 120;
    sand.blowCount = 14;
    sand.maxFriction = 2000;  // 2.0 ksf
    sand.maxBearing = 0;      // no limit
    sand.qc = 80000;          // psf, kept
    sand.userFriction = 1500; // psf, kept
    sand.userBearing = 30000;
    Layer clay;
    clay.type = 2;
    clay.bottom = 30;
    clay.unitWeight = 55; // first light row: depth 10
    clay.su = 1200;
    clay.remolded = 600;
    clay.ysr = 1.8;
    clay.pi = 25;
    clay.qc = 20000;
    clay.maxFriction = 1e-11; // counts as 0: no limit
    clay.maxBearing = 50000;
    clay.adhesion = 3;
    Layer silt;
    silt.type = 3;
    silt.bottom = 60;
    silt.unitWeight = 60;
    silt.blowCount = 9;
    silt.su = 400;
    silt.maxFriction = 9999; // asks API RP-2A for its default limit
    p.layers = {sand, clay, silt};
    const auto state = readProject(p);
    const EngineState& S = *state;
    ASSERT_EQ(S.LAYER_END_COUNT, 6);
    const auto& r1 = S.SOIL[1];
    EXPECT_DOUBLE_EQ(r1[COL_MAX_UNIT_FRICTION], 2.0);
    EXPECT_DOUBLE_EQ(r1[COL_MAX_UNIT_BEARING], 9999999);
    EXPECT_EQ(S.NO_LIMIT_FRICTION[1], 0);
    EXPECT_EQ(S.NO_LIMIT_BEARING[1], 1);
    EXPECT_DOUBLE_EQ(r1[COL_REMOLDED_STRENGTH], 0);
    EXPECT_DOUBLE_EQ(r1[COL_BLOW_COUNT], 14);
    EXPECT_DOUBLE_EQ(r1[COL_QC], 80000);
    EXPECT_DOUBLE_EQ(r1[COL_USER_UNIT_FRICTION], 1500);
    EXPECT_DOUBLE_EQ(r1[COL_USER_UNIT_BEARING], 30000);
    EXPECT_DOUBLE_EQ(r1[COL_SIDE_FACTOR], 1);

    const auto& r3 = S.SOIL[3];
    EXPECT_DOUBLE_EQ(r3[COL_DEPTH], 10);
    EXPECT_DOUBLE_EQ(r3[COL_SOIL_TYPE], 2);
    EXPECT_DOUBLE_EQ(r3[COL_UNDRAINED_STRENGTH], 1.2);
    EXPECT_DOUBLE_EQ(r3[COL_REMOLDED_STRENGTH], 0.6);
    EXPECT_DOUBLE_EQ(r3[COL_BLOW_COUNT], 1.8); // yield stress ratio of clay
    EXPECT_DOUBLE_EQ(r3[COL_PI], 25);
    EXPECT_DOUBLE_EQ(r3[COL_QC], 20000);
    EXPECT_DOUBLE_EQ(S.SOIL_PI_READ[3], 25);
    EXPECT_DOUBLE_EQ(S.SOIL_QC_READ[3], 20000);
    EXPECT_DOUBLE_EQ(r3[COL_MAX_UNIT_FRICTION], 9999999);
    EXPECT_EQ(S.NO_LIMIT_FRICTION[3], 1);
    EXPECT_DOUBLE_EQ(r3[COL_MAX_UNIT_BEARING], 50);
    EXPECT_DOUBLE_EQ(r3[COL_ADHESION], 3);
    EXPECT_DOUBLE_EQ(S.LOW_WEIGHT_DEPTH, 10);

    // Silt: the blow count moves to column 11 like sand and is not divided.
    const auto& r5 = S.SOIL[5];
    EXPECT_DOUBLE_EQ(r5[COL_BLOW_COUNT], 9);
    EXPECT_DOUBLE_EQ(r5[COL_REMOLDED_STRENGTH], 0);
    EXPECT_DOUBLE_EQ(r5[COL_UNDRAINED_STRENGTH], 0.4);
    EXPECT_DOUBLE_EQ(r5[COL_MAX_UNIT_FRICTION], 9.999);
    EXPECT_EQ(S.API_DEFAULT_LIMIT[5], 1);
    EXPECT_EQ(S.API_DEFAULT_LIMIT[6], 1);
    EXPECT_EQ(S.API_DEFAULT_LIMIT[1], 0);
}

TEST(InputRead, SiSoilRowsStayAsRead)
{
    ProjectBuilder p;
    p.unitSystem = 2;
    p.od = 610;
    p.tl = 20;
    Layer clay;
    clay.type = 2;
    clay.bottom = 25;
    clay.unitWeight = 11.5; // below 12 kN/m3
    clay.su = 60;
    clay.remolded = 20;
    clay.maxFriction = 9999;
    clay.maxBearing = 4000;
    clay.userFriction = 45;
    p.layers = {clay};
    const auto state = readProject(p);
    const EngineState& S = *state;
    EXPECT_DOUBLE_EQ(S.TIP_AREA, 0);
    EXPECT_DOUBLE_EQ(S.SOIL[2][COL_UNDRAINED_STRENGTH], 60);
    EXPECT_DOUBLE_EQ(S.SOIL[2][COL_REMOLDED_STRENGTH], 20);
    EXPECT_DOUBLE_EQ(S.SOIL[2][COL_MAX_UNIT_FRICTION], 9999);
    EXPECT_EQ(S.API_DEFAULT_LIMIT[2], 1);
    EXPECT_DOUBLE_EQ(S.SOIL[2][COL_MAX_UNIT_BEARING], 4000);
    EXPECT_DOUBLE_EQ(S.SOIL[2][COL_USER_UNIT_FRICTION], 45);
    EXPECT_DOUBLE_EQ(S.LOW_WEIGHT_DEPTH, 0);
}

TEST(InputRead, LinesMayEndInLfAndNumbersTakeExponentsAndSigns)
{
    ProjectBuilder p;
    std::string text = p.text();
    std::erase(text, '\r');
    text.replace(text.find("0 0 12 0"), 8, "0 0 +1.2E1 0");
    auto SPtr = std::make_unique<EngineState>();
    EngineState& S = *SPtr;
    READ_PROJECT_TEXT(S, text, "lf.vd7d");
    EXPECT_DOUBLE_EQ(S.OD, 12);
    EXPECT_EQ(S.TITLE.substr(0, 13), "TEST PROJECT ");
}

// Spreadsheets and editors may write a UTF-8 byte-order mark before the first line.
TEST(InputRead, ProjectAndCptFilesMayStartWithAByteOrderMark)
{
    ProjectBuilder p;
    auto S = std::make_unique<EngineState>();
    READ_PROJECT_TEXT(*S, "\xEF\xBB\xBF" + p.text(), "bom.vd7d");
    EXPECT_EQ(S->TITLE.substr(0, 13), "TEST PROJECT ");
    EXPECT_DOUBLE_EQ(S->OD, 12);
    READ_CPT_TEXT(*S, "\xEF\xBB\xBF 1 2\r\n  0.00E+00  1.50E+04\r\n  5.00E-01  2.25E+04\r\n", "bom.cpt");
    ASSERT_EQ(S->CPT_COUNT, 2);
    EXPECT_DOUBLE_EQ(S->CPT_QC[2], 22500);
}

TEST(InputRead, TitleLinesKeepSeventyTwoCharacters)
{
    ProjectBuilder p;
    std::string text = p.text();
    text.replace(0, 12, std::string(80, 'T'));
    auto SPtr = std::make_unique<EngineState>();
    EngineState& S = *SPtr;
    READ_PROJECT_TEXT(S, text, "long.vd7d");
    EXPECT_EQ(S.TITLE, std::string(72, 'T'));
}

TEST(CptRead, PointsInTheProjectUnitsAndTheEmptyProfile)
{
    auto SPtr = std::make_unique<EngineState>();
    EngineState& S = *SPtr;
    READ_CPT_TEXT(S, " 1 3\r\n  0.00E+00  1.50E+04\r\n  5.00E-01  2.25E+04\r\n  1.00E+00  3.00E+04\r\n", "a.cpt");
    ASSERT_EQ(S.CPT_COUNT, 3);
    EXPECT_DOUBLE_EQ(S.CPT_DEPTH[2], 0.5);
    EXPECT_DOUBLE_EQ(S.CPT_QC[3], 30000); // English: psf as written
    READ_CPT_TEXT(S, " 2 0", "b.cpt");
    EXPECT_EQ(S.CPT_COUNT, 0);
    try {
        READ_CPT_TEXT(S, " 2 2\r\n  1.00E+00  2.00E+03\r\n", "short.cpt");
        FAIL() << "no failure";
    } catch (const RunStop& stop) {
        EXPECT_EQ(stop.status(), 2);
        ASSERT_EQ(stop.lines().size(), 5u);
        EXPECT_EQ(stop.lines()[2], "          ERROR READING FILE short.cpt");
        EXPECT_EQ(stop.lines()[3], "          LINE 3: THE LINE IS MISSING (END OF FILE).");
    }
}

} // namespace
} // namespace veldo::test

namespace veldo::test {
namespace {

TEST(InputRead, DecimalPointWhateverTheProcessLocale)
{
    const char* old = std::setlocale(LC_ALL, nullptr);
    const std::string saved = old ? old : "C";
    const bool commaLocale = std::setlocale(LC_ALL, "de_DE.UTF-8") || std::setlocale(LC_ALL, "fr_FR.UTF-8");
    ProjectBuilder p;
    p.od = 12.75;
    auto S = std::make_unique<EngineState>();
    READ_PROJECT_TEXT(*S, p.text(), "locale.vd7d");
    std::setlocale(LC_ALL, saved.c_str());
    EXPECT_DOUBLE_EQ(S->OD, 12.75) << (commaLocale ? "comma locale" : "no comma locale installed");
}

} // namespace
} // namespace veldo::test
