// A project file written by the program, read by the engine and run through it.
#include "ProjectTestSupport.h"

#include "EngineState.h"
#include "InputRead.h"

#include <QDir>

#include <filesystem>
#include <memory>

namespace veldo {
// The engine's entry logic (declared here to keep the engine's header names apart from
// the program's).
int RunEngine(int request);
} // namespace veldo

namespace veldo::test {
namespace {

class ProjectEngineTest : public ProjectFileTest {
protected:
    void SetUp() override { oldDir_ = std::filesystem::current_path(); }
    void TearDown() override { std::filesystem::current_path(oldDir_); }

    // The layered project saved as the program does before a run.
    TProgramData SaveForRun(TProjectTables& tables)
    {
        TProgramData data = MakeLayeredProject(tables);
        data.ProjectPath = Path(QStringLiteral("run.vd7d"));
        data.SaveToFile(tables);
        return data;
    }

    std::filesystem::path oldDir_;
};

TEST_F(ProjectEngineTest, EngineReaderTakesTheProgramsFileWithTheSameNumbers)
{
    TProjectTables tables;
    const TProgramData data = SaveForRun(tables);
    auto state = std::make_unique<EngineState>();
    EngineState& S = *state;
    S.INPUT_PATH = data.ProjectPath.toStdString();
    S.CPT_PATH = data.CptPath.toStdString();
    READ_PROJECT_FILE(S);
    READ_CPT_FILE(S);
    EXPECT_EQ(S.TITLE.substr(0, 17), "LAYERED TEST PILE");
    EXPECT_EQ(S.UNIT_SYSTEM, 1);
    EXPECT_EQ(S.PRINT_STEP, 2);
    EXPECT_EQ(S.LAYER_END_COUNT, 6);
    EXPECT_EQ(S.PILE_END_FLAG, 1);
    EXPECT_DOUBLE_EQ(S.OD, 18);
    EXPECT_DOUBLE_EQ(S.ID, 17.25);
    EXPECT_DOUBLE_EQ(S.TL, 60);
    EXPECT_DOUBLE_EQ(S.PSL, 1.5);
    EXPECT_DOUBLE_EQ(S.ESL, 3);
    EXPECT_DOUBLE_EQ(S.INCREMENT, 0.5);
    EXPECT_EQ(S.SELECTED_METHOD, 5);
    EXPECT_EQ(S.SIDE_FACTOR_FLAG, 1);
    EXPECT_EQ(S.MethodTicked[7], 1);
    EXPECT_EQ(S.MethodTicked[3], 0);
    EXPECT_DOUBLE_EQ(S.DEEPEST_SOIL_DEPTH, 90);
    // Sand top: Ko 0.8, unit weight 115, blow count 12 (moved to column 11),
    // 2000 psf = 2 ksf; user values kept in psf.
    EXPECT_DOUBLE_EQ(S.SOIL[1][COL_KO], 0.8);
    EXPECT_DOUBLE_EQ(S.SOIL[1][COL_UNIT_WEIGHT], 115);
    EXPECT_DOUBLE_EQ(S.SOIL[1][COL_BLOW_COUNT], 12);
    EXPECT_DOUBLE_EQ(S.SOIL[1][COL_MAX_UNIT_FRICTION], 2);
    EXPECT_DOUBLE_EQ(S.SOIL[1][COL_USER_UNIT_FRICTION], 500);
    EXPECT_DOUBLE_EQ(S.SOIL[2][COL_DEPTH], 20);
    // Clay bottom: su 1200 psf = 1.2 ksf, YSR 1.3, adhesion method 2, no limits.
    EXPECT_DOUBLE_EQ(S.SOIL[4][COL_SOIL_TYPE], 2);
    EXPECT_DOUBLE_EQ(S.SOIL[4][COL_UNDRAINED_STRENGTH], 1.2);
    EXPECT_DOUBLE_EQ(S.SOIL[4][COL_BLOW_COUNT], 1.3);
    EXPECT_DOUBLE_EQ(S.SOIL[4][COL_ADHESION], 2);
    EXPECT_EQ(S.NO_LIMIT_FRICTION[4], 1);
    EXPECT_DOUBLE_EQ(S.SOIL[4][COL_TIP_FACTOR], 0.95);
    // Silt bottom: blow count 10, factors 0.7 / 0.75.
    EXPECT_DOUBLE_EQ(S.SOIL[6][COL_BLOW_COUNT], 10);
    EXPECT_DOUBLE_EQ(S.SOIL[6][COL_SIDE_FACTOR], 0.7);
    EXPECT_DOUBLE_EQ(S.SOIL[6][COL_DEPTH], 90);
    EXPECT_EQ(S.TZ_DEPTH_COUNT, 3);
    EXPECT_DOUBLE_EQ(S.TZ_DEPTHS[2], 25.5);
    EXPECT_EQ(S.SECTION_COUNT, 3);
    EXPECT_DOUBLE_EQ(S.SECTION_AREA[2], 45.25);
    EXPECT_EQ(S.CRITICAL_DEPTH_OPTION, 2);
    EXPECT_DOUBLE_EQ(S.USER_CRITICAL_DEPTH, 35);
    // The CPT profile in psf, as the engine reads English profiles.
    EXPECT_EQ(S.CPT_COUNT, 3);
    EXPECT_DOUBLE_EQ(S.CPT_QC[2], 40500);
    EXPECT_DOUBLE_EQ(S.CPT_DEPTH[3], 10.25);
}

TEST_F(ProjectEngineTest, ProgramWrittenFileRunsThroughTheEngine)
{
    TProjectTables tables;
    const TProgramData data = SaveForRun(tables);
    const auto file = [&](const char* extension) {
        return ReplaceExtension(data.ProjectPath, QString::fromLatin1(extension)).toStdString();
    };
    // The hand-over file: version, three reserved lines, project, report, plot data, CPT.
    WriteBytes(Path(QStringLiteral("names.dat")), "2015.7.7\r\n\r\n\r\n0\r\n" + file(".vd7d") + "\r\n" + file(".vd7o") +
                                                      "\r\n" + file(".vd7p") + "\r\n" + file(".cpt") + "\r\n");
    std::filesystem::current_path(dir_.path().toStdString());
    EXPECT_EQ(RunEngine(7), 0);
    const std::string report = ReadBytes(QString::fromStdString(file(".vd7o")));
    EXPECT_NE(report.find("LAYERED TEST PILE"), std::string::npos);
    EXPECT_EQ(report.find("COMPUTATION DOES NOT PROCEED"), std::string::npos);
    EXPECT_FALSE(ReadBytes(QString::fromStdString(file(".vd7p"))).empty());
}

} // namespace
} // namespace veldo::test

namespace veldo::test {
namespace {

// Every value of an SI project (SI values reach the engine's storage unconverted), each
// distinct, so that a value written one place off lands visibly in the wrong field.
TEST_F(ProjectEngineTest, EngineReaderPlacesEveryValueOfTheProgramsFile)
{
    TProjectTables tables;
    TProgramData d = TProgramData::CreateDefault(tables);
    d.SetUnits(UnitSystem::SI, tables);
    d.Title = QStringLiteral("EVERY VALUE");
    d.Designer = QStringLiteral("Designer D");
    d.JobNumber = QStringLiteral("Job 7");
    d.PrintInterval = 3;
    d.ClosedEnded = true;
    d.Circular = false;
    d.Perimeter = 1256.6L;
    d.TipArea = 0.125L;
    d.OutsideDiameter = 406.4L;
    d.InsideDiameter = 381;
    d.Modulus = 2.0E8L;
    d.TotalLength = 15.5L;
    d.StickupLength = 0.75L;
    d.EndSectionLength = 1.25L;
    d.EndSectionInnerDiameter = 370.5L;
    d.ZeroFrictionLength = 0.5L;
    d.IncrementLength = 0.25L;
    d.PileType = 6;
    d.TaperAngle = 0.35L;
    d.SelectedMethod = 5;
    d.TzFactors = 1;
    for (int m = 1; m <= 9; ++m)
        d.SetMethodTicked(m, m % 2 == 1);
    d.ConstantArea = 0.0375L;
    d.PrintTzAtDepths = 1;
    d.Loading = 1;
    d.TensionFactor = 0.65L;
    d.ClayCondition = 1;
    d.PlugCondition = 1;
    d.AreaMode = 2;
    d.CriticalDepthOption = 2;
    d.UserCriticalDepth = 8.5L;

    TGridTable& D = tables.D();
    D.SetRowCount(3);
    const int types[3] = {SoilType::Sand, SoilType::Clay, SoilType::Silt};
    for (int row = 0; row < 3; ++row) {
        D.Cell(kLayerSoilType, row).SetInteger(types[row]);
        D.Cell(kLayerBottom, row).SetFloat(6 * (row + 1)); // 6, 12, 18
        D.Cell(kLayerMaxSide, row).SetFloat(101 + row);    // 101, 102, 103
        D.Cell(kLayerMaxEnd, row).SetFloat(2001 + row);    // 2001, 2002, 2003
        D.Cell(kLayerSideFactor, row).SetFloat(0.91L + row / 100.0L);
        D.Cell(kLayerEndFactor, row).SetFloat(0.81L + row / 100.0L);
        TGridTable& p = *tables.LayerTable(row);
        // Property c of end j: 10 x (c + 1) + j + row / 10, integers where the column is.
        for (int j = 0; j < 2; ++j)
            for (int c = 0; c < p.ColumnCount(); ++c) {
                if (dynamic_cast<TIntColumn*>(&p.Column(c)))
                    p.Cell(c, j).SetInteger(c == kClayAdhesion ? 1 + j : 10 * (c + 1) + j);
                else
                    p.Cell(c, j).SetFloat(10 * (c + 1) + j + row / 10.0L);
            }
    }
    tables.TblTZDepth().SetRowCount(2);
    tables.TblTZDepth().Cell(0, 0).SetFloat(2.5L);
    tables.TblTZDepth().Cell(0, 1).SetFloat(7.25L);
    tables.Sectionaldata().SetRowCount(3);
    for (int r = 0; r < 3; ++r) {
        tables.Sectionaldata().Cell(0, r).SetFloat(5 * r + 0.5L);
        tables.Sectionaldata().Cell(1, r).SetFloat(0.05L - r / 100.0L);
    }
    tables.MotionInput().SetCurveCount(1);
    tables.MotionInput().Curve(0).Points = {{1500.5L, 1.5L}, {2500.25L, 3.75L}};
    d.Integers[kCptPointCountEntry] = 2;
    d.ProjectPath = Path(QStringLiteral("every.vd7d"));
    d.SaveToFile(tables);

    auto state = std::make_unique<EngineState>();
    EngineState& S = *state;
    S.INPUT_PATH = d.ProjectPath.toStdString();
    S.CPT_PATH = d.CptPath.toStdString();
    READ_PROJECT_FILE(S);
    READ_CPT_FILE(S);
    EXPECT_EQ(S.TITLE.substr(0, 12), "EVERY VALUE ");
    EXPECT_EQ(S.DESIGNER.substr(0, 11), "Designer D ");
    EXPECT_EQ(S.JOB_NUMBER.substr(0, 6), "Job 7 ");
    EXPECT_EQ(S.UNIT_SYSTEM, 2);
    EXPECT_EQ(S.PRINT_STEP, 3);
    EXPECT_EQ(S.LAYER_END_COUNT, 6);
    EXPECT_EQ(S.PILE_END_FLAG, 1);
    EXPECT_DOUBLE_EQ(S.PERIMETER, 1256.6);
    EXPECT_DOUBLE_EQ(S.TIP_AREA, 0.125);
    EXPECT_DOUBLE_EQ(S.OD, 1256.6 / 3.1416); // a noncircular pile as a circle of its perimeter
    EXPECT_DOUBLE_EQ(S.ID, 0);
    EXPECT_DOUBLE_EQ(S.E_MODULUS, 2.0E8);
    EXPECT_DOUBLE_EQ(S.TL, 15.5);
    EXPECT_DOUBLE_EQ(S.PSL, 0.75);
    EXPECT_DOUBLE_EQ(S.ESL, 1.25);
    EXPECT_DOUBLE_EQ(S.EID, 370.5);
    EXPECT_DOUBLE_EQ(S.ZFL, 0.5);
    EXPECT_DOUBLE_EQ(S.INCREMENT, 0.25);
    EXPECT_EQ(S.PILE_TYPE, 6);
    EXPECT_DOUBLE_EQ(S.TAPER_ANGLE, 0.35);
    EXPECT_EQ(S.SELECTED_METHOD, 5);
    EXPECT_EQ(S.OFFSHORE_FLAG, 1);
    EXPECT_EQ(S.SIDE_FACTOR_FLAG, 1);
    for (int m = 1; m <= 9; ++m)
        EXPECT_EQ(S.MethodTicked[static_cast<std::size_t>(m)], m % 2) << m;
    EXPECT_DOUBLE_EQ(S.DEEPEST_SOIL_DEPTH, 18);
    EXPECT_DOUBLE_EQ(S.CONSTANT_AREA, 0.0375);

    // Soil rows 1..6: layer `row` gives rows 2 row + 1 (top, j = 0) and 2 row + 2 (bottom).
    const auto v = [](int c, int j, int row) { return 10.0 * (c + 1) + j + row / 10.0; };
    for (int row = 0; row < 3; ++row)
        for (int j = 0; j < 2; ++j) {
            SCOPED_TRACE("layer " + std::to_string(row) + " end " + std::to_string(j));
            const auto& r = S.SOIL[static_cast<std::size_t>(2 * row + 1 + j)];
            EXPECT_DOUBLE_EQ(r[COL_DEPTH], j == 0 ? 6.0 * row : 6.0 * (row + 1));
            EXPECT_DOUBLE_EQ(r[COL_SOIL_TYPE], types[row]);
            EXPECT_DOUBLE_EQ(r[COL_MAX_UNIT_FRICTION], 101 + row);
            EXPECT_DOUBLE_EQ(r[COL_MAX_UNIT_BEARING], 2001 + row);
            EXPECT_DOUBLE_EQ(r[COL_SIDE_FACTOR], 0.91 + row / 100.0);
            EXPECT_DOUBLE_EQ(r[COL_TIP_FACTOR], 0.81 + row / 100.0);
            // Property columns: unit weight 0, then by type.
            EXPECT_DOUBLE_EQ(r[COL_UNIT_WEIGHT], v(0, j, row));
            if (types[row] == SoilType::Sand) {
                EXPECT_DOUBLE_EQ(r[COL_FRICTION_ANGLE], v(kSandFriction, j, row));
                EXPECT_DOUBLE_EQ(r[COL_BLOW_COUNT], 10 * (kSandBlowCount + 1) + j);
                EXPECT_DOUBLE_EQ(r[COL_KO], v(kSandKo, j, row));
                EXPECT_DOUBLE_EQ(r[COL_NQ], v(kSandNq, j, row));
                EXPECT_DOUBLE_EQ(r[COL_QC], v(kSandQc, j, row));
                EXPECT_DOUBLE_EQ(r[COL_USER_UNIT_FRICTION], v(kSandUserSkin, j, row));
                EXPECT_DOUBLE_EQ(r[COL_USER_UNIT_BEARING], v(kSandUserBearing, j, row));
                EXPECT_DOUBLE_EQ(r[COL_UNDRAINED_STRENGTH], 0);
                EXPECT_DOUBLE_EQ(r[COL_REMOLDED_STRENGTH], 0);
                EXPECT_DOUBLE_EQ(r[COL_PI], 0);
                EXPECT_DOUBLE_EQ(r[COL_ADHESION], 0);
            } else if (types[row] == SoilType::Clay) {
                EXPECT_DOUBLE_EQ(r[COL_UNDRAINED_STRENGTH], v(kClayUndrained, j, row));
                EXPECT_DOUBLE_EQ(r[COL_REMOLDED_STRENGTH], v(kClayRemolded, j, row));
                EXPECT_DOUBLE_EQ(r[COL_BLOW_COUNT], v(kClayYsr, j, row)); // the yield stress ratio
                EXPECT_DOUBLE_EQ(r[COL_PI], v(kClayPI, j, row));
                EXPECT_DOUBLE_EQ(r[COL_QC], v(kClayQc, j, row));
                EXPECT_DOUBLE_EQ(r[COL_USER_UNIT_FRICTION], v(kClayUserSkin, j, row));
                EXPECT_DOUBLE_EQ(r[COL_USER_UNIT_BEARING], v(kClayUserBearing, j, row));
                EXPECT_DOUBLE_EQ(r[COL_ADHESION], 1 + j);
                EXPECT_DOUBLE_EQ(r[COL_KO], 0);
                EXPECT_DOUBLE_EQ(r[COL_FRICTION_ANGLE], 0);
                EXPECT_DOUBLE_EQ(r[COL_NQ], 0);
            } else {
                EXPECT_DOUBLE_EQ(r[COL_FRICTION_ANGLE], v(kSiltFriction, j, row));
                EXPECT_DOUBLE_EQ(r[COL_BLOW_COUNT], 10 * (kSiltBlowCount + 1) + j);
                EXPECT_DOUBLE_EQ(r[COL_KO], v(kSiltKo, j, row));
                EXPECT_DOUBLE_EQ(r[COL_UNDRAINED_STRENGTH], v(kSiltUndrained, j, row));
                EXPECT_DOUBLE_EQ(r[COL_NQ], 0);
                EXPECT_DOUBLE_EQ(r[COL_PI], 0);
                EXPECT_DOUBLE_EQ(r[COL_QC], 0);
                EXPECT_DOUBLE_EQ(r[COL_USER_UNIT_FRICTION], 0);
                EXPECT_DOUBLE_EQ(r[COL_USER_UNIT_BEARING], 0);
                EXPECT_DOUBLE_EQ(r[COL_ADHESION], 0);
            }
        }
    EXPECT_EQ(S.TZ_FLAG, 1);
    EXPECT_EQ(S.TZ_DEPTH_COUNT, 2);
    EXPECT_DOUBLE_EQ(S.TZ_DEPTHS[1], 2.5);
    EXPECT_DOUBLE_EQ(S.TZ_DEPTHS[2], 7.25);
    EXPECT_EQ(S.LOADING, 1);
    EXPECT_DOUBLE_EQ(S.TENSION_FACTOR, 0.65);
    EXPECT_EQ(S.CLAY_CONDITION, 1);
    EXPECT_EQ(S.PLUG_CONDITION, 1);
    EXPECT_EQ(S.SECTION_COUNT, 3);
    EXPECT_EQ(S.AREA_MODE, 2);
    for (int r = 0; r < 3; ++r) {
        EXPECT_DOUBLE_EQ(S.SECTION_DIST[static_cast<std::size_t>(r + 1)], 5 * r + 0.5);
        EXPECT_DOUBLE_EQ(S.SECTION_AREA[static_cast<std::size_t>(r + 1)], 0.05 - r / 100.0);
    }
    EXPECT_EQ(S.CRITICAL_DEPTH_OPTION, 2);
    EXPECT_DOUBLE_EQ(S.USER_CRITICAL_DEPTH, 8.5);
    EXPECT_EQ(S.CPT_COUNT, 2);
    EXPECT_DOUBLE_EQ(S.CPT_DEPTH[1], 1.5);
    EXPECT_DOUBLE_EQ(S.CPT_QC[1], 1500.5);
    EXPECT_DOUBLE_EQ(S.CPT_DEPTH[2], 3.75);
    EXPECT_DOUBLE_EQ(S.CPT_QC[2], 2500.25);
}

} // namespace
} // namespace veldo::test
