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
    TProgramData SaveForRun(TProjectTables &tables)
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
    EngineState &S = *state;
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
    const auto file = [&](const char *extension) {
        return ReplaceExtension(data.ProjectPath, QString::fromLatin1(extension)).toStdString();
    };
    // The hand-over file: version, three reserved lines, project, report, plot data, CPT.
    WriteBytes(Path(QStringLiteral("names.dat")),
               "2015.7.7\r\n\r\n\r\n0\r\n" + file(".vd7d") + "\r\n" + file(".vd7o") + "\r\n"
                   + file(".vd7p") + "\r\n" + file(".cpt") + "\r\n");
    std::filesystem::current_path(dir_.path().toStdString());
    EXPECT_EQ(RunEngine(7), 0);
    const std::string report = ReadBytes(QString::fromStdString(file(".vd7o")));
    EXPECT_NE(report.find("LAYERED TEST PILE"), std::string::npos);
    EXPECT_EQ(report.find("COMPUTATION DOES NOT PROCEED"), std::string::npos);
    EXPECT_FALSE(ReadBytes(QString::fromStdString(file(".vd7p"))).empty());
}

} // namespace
} // namespace veldo::test
