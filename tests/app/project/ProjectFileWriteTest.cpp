// Writing the project file (generation 1) and the CPT file.
#include "ProjectTestSupport.h"
#include "SafeWrite.h"

#include <QDir>
#include <QFileInfo>

#include <csignal>
#include <sys/resource.h>

namespace veldo::test {
namespace {

using Lines = std::vector<std::string>;

TEST_F(ProjectFileTest, NewDefaultProjectFileLineByLine)
{
    TProjectTables tables;
    TProgramData data = TProgramData::CreateDefault(tables);
    EXPECT_EQ(data.ProjectPath, QStringLiteral("NewVELDO.vd7d"));
    data.ProjectPath = Path(QStringLiteral("NewVELDO.vd7d"));
    tables.D().SetChanged(true);
    data.SaveToFile(tables);

    // 9 + 4 x 1 layer + 1 + 3 + 2 section rows + 1 = 20 lines.
    const Lines expected = {
        "New Pile",
        "",
        "",
        "1 1 2 0 ",
        "0 0 0 0 0 0 0",
        "0 0",
        "0 1 1 0 4 1 0",
        "0 0 0 1 0 0 0 0 0 ",
        "0 0",
        "0.0 1 0 0 0 0 ",
        "0 0 0.0 0 0.0 0.0 0 0 0 1 1 0 ",
        "0 1 0 0 0 0 ",
        "0 0 0.0 0 0.0 0.0 0 0 0 1 1 0 ",
        "0",
        "0 1",
        "0 0",
        "2 0",
        "0 0",
        "0 0",
        "0 0",
    };
    EXPECT_EQ(CrLfLines(ReadBytes(data.ProjectPath)), expected);
    EXPECT_EQ(data.CptPath, Path(QStringLiteral("NewVELDO.cpt")));
    EXPECT_EQ(ReadBytes(data.CptPath), " 1 0\r\n");
    EXPECT_FALSE(tables.IsChanged());
}

TEST_F(ProjectFileTest, LayeredProjectRecordsAndCptFile)
{
    TProjectTables tables;
    TProgramData data = MakeLayeredProject(tables);
    data.ProjectPath = Path(QStringLiteral("Layered.VD7D"));
    data.SaveToFile(tables);

    const Lines expected = {
        "LAYERED TEST PILE",
        "Q. A. Tester",
        "T-11",
        "1 2 6 1 ",
        "0 0 18 17.25 29000000 60 1.5",
        "3 16.5",
        "2 0.5 1 0 5 1 1",
        "1 1 0 1 1 0 1 0 0 ",
        "90 12.5",
        // sand: A depth type Ko weight phi Nq; B limits 0.0 N 0.0 0.0 Qc user user factors 0
        "0.0 1 0.8 115 30 20 ",
        "2000 80000 0.0 12 0.0 0.0 150000 500 60000 0.9 0.8 0 ",
        "20 1 0.85 118 32 25 ",
        "2000 80000 0.0 15 0.0 0.0 160000 600 70000 0.9 0.8 0 ",
        // clay: A depth type 0.0 weight 0.0 0.0; B limits su remolded YSR PI Qc user user factors adhesion
        "20 2 0.0 55 0.0 0.0 ",
        "0 0 800 400 1.5 25 20000 300 9000 1 0.95 2 ",
        "45 2 0.0 58 0.0 0.0 ",
        "0 0 1200 600 1.3 30 25000 350 9500 1 0.95 2 ",
        // silt: A depth type Ko weight phi 0.0; B limits su N five zeros factors 0
        "45 3 1.25 60 28 0.0 ",
        "1500 40000 500 8 0.0 0.0 0.0 0.0 0.0 0.7 0.75 0 ",
        "90 3 1.2 62 29 0.0 ",
        "1500 40000 650 10 0.0 0.0 0.0 0.0 0.0 0.7 0.75 0 ",
        "1",
        "3",
        "10 ",
        "25.5 ",
        "40 ",
        "1 0.7",
        "1 2",
        "3 2",
        "0 50.5",
        "30 45.25",
        "60 40",
        "2 35",
    };
    EXPECT_EQ(CrLfLines(ReadBytes(data.ProjectPath)), expected);
    // English cone resistance is kept in ksf and written in psf (x 1000).
    EXPECT_EQ(data.CptPath, Path(QStringLiteral("Layered.cpt")));
    EXPECT_EQ(ReadBytes(data.CptPath), " 1 3\r\n"
                                       "  0.000000000E+00  0.000000000E+00\r\n"
                                       "  5.000000000E+00  4.050000000E+04\r\n"
                                       "  1.025000000E+01  8.512500000E+04\r\n");
}

TEST_F(ProjectFileTest, SiCptValuesAreWrittenAsKept)
{
    TProjectTables tables;
    TProgramData data = TProgramData::CreateDefault(tables);
    data.SetUnits(UnitSystem::SI, tables);
    tables.MotionInput().SetCurveCount(1);
    tables.MotionInput().Curve(0).Points = {{1939.5L, 2.5L}, {2000, 3}};
    data.Integers[kCptPointCountEntry] = 5; // more than the plot holds: only the points written
    data.ProjectPath = Path(QStringLiteral("si.vd7d"));
    data.SaveToFile(tables);
    EXPECT_EQ(ReadBytes(data.CptPath), " 2 2\r\n"
                                       "  2.500000000E+00  1.939500000E+03\r\n"
                                       "  3.000000000E+00  2.000000000E+03\r\n");
    EXPECT_EQ(CrLfLines(ReadBytes(data.ProjectPath)).at(3), "2 1 2 0 ");
}

TEST_F(ProjectFileTest, ValuesTheFileCannotHoldAreFixedInTheProjectFirst)
{
    TProjectTables tables;
    TProgramData data = TProgramData::CreateDefault(tables);
    data.ProjectPath = Path(QStringLiteral("fix.vd7d"));
    data.Title = QStringLiteral("Two\r\nlines");
    data.Designer = QStringLiteral("A\nB");
    data.JobNumber = QStringLiteral("J\r1");
    data.PrintInterval = 0;
    data.IncrementLength = 0;
    data.TipArea = 7; // circular: no tip area
    tables.Sectionaldata().SetRowCount(1);
    // Perimeter of a noncircular section is written as it stands.
    TProgramData square = data;
    data.SaveToFile(tables);
    const Lines lines = CrLfLines(ReadBytes(data.ProjectPath));
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0], "Twolines");
    EXPECT_EQ(lines[1], "AB");
    EXPECT_EQ(lines[2], "J1");
    EXPECT_EQ(lines[3], "1 1 2 0 ");
    EXPECT_EQ(lines[4], "0 0 0 0 0 0 0");
    EXPECT_EQ(lines[6], "0 1 1 0 4 1 0");
    EXPECT_EQ(lines[16], "2 0"); // the section table keeps its 2 rows
    EXPECT_EQ(data.Title, QStringLiteral("Twolines"));
    EXPECT_EQ(data.PrintInterval, 1);
    EXPECT_EQ(data.IncrementLength, 1.0L);
    EXPECT_EQ(data.TipArea, 0);
    EXPECT_EQ(tables.Sectionaldata().RowCount(), 2);

    square.ProjectPath = Path(QStringLiteral("square.vd7d"));
    square.Circular = false;
    square.Perimeter = 48;
    square.TipArea = 144;
    square.SaveToFile(tables);
    EXPECT_EQ(CrLfLines(ReadBytes(square.ProjectPath)).at(4), "48 144 0 0 0 0 0");
}

// The user load transfers are written whatever the selected method (the engine uses
// them only with the user-specified method); they were cleared from the tables.
TEST_F(ProjectFileTest, UserLoadTransfersAreWrittenWhateverTheMethod)
{
    TProjectTables tables;
    TProgramData data = MakeLayeredProject(tables);
    data.SelectedMethod = 4;
    data.ProjectPath = Path(QStringLiteral("api.vd7d"));
    const TTablesState before = tables.State();
    data.SaveToFile(tables);
    const Lines lines = CrLfLines(ReadBytes(data.ProjectPath));
    EXPECT_EQ(lines[10], "2000 80000 0.0 12 0.0 0.0 150000 500 60000 0.9 0.8 0 ");
    EXPECT_EQ(lines[14], "0 0 800 400 1.5 25 20000 300 9000 1 0.95 2 ");
    EXPECT_TRUE(tables.State() == before);
}

TEST_F(ProjectFileTest, FailedSaveReportsTheErrorNamingTheFile)
{
    TProjectTables tables;
    TProgramData data = MakeLayeredProject(tables);
    data.ProjectPath = Path(QStringLiteral("missing/folder.vd7d"));
    tables.D().SetChanged(true);
    try {
        data.SaveToFile(tables);
        ADD_FAILURE() << "no error reported";
    } catch (const EWriteError& e) {
        EXPECT_NE(std::string(e.what()).find("folder.vd7d"), std::string::npos) << e.what();
    }
    EXPECT_TRUE(tables.IsChanged()); // not saved: still changed
}

// A save that fails anywhere leaves the project file and the CPT file as they were,
// byte for byte: a full device while writing, or a refused rename at any of the four
// steps (both old files to backups, then both new ones in place), also after the
// project file was already replaced. Nothing else is left in the folder.
TEST_F(ProjectFileTest, FailedSaveKeepsTheExistingFiles)
{
    TProjectTables tables;
    TProgramData data = MakeLayeredProject(tables);
    data.ProjectPath = Path(QStringLiteral("keep.vd7d"));
    data.SaveToFile(tables);
    const QString cpt = Path(QStringLiteral("keep.cpt"));
    const std::string project = ReadBytes(data.ProjectPath);
    const std::string profile = ReadBytes(cpt);
    data.SetUnits(UnitSystem::SI, tables); // both files would change
    tables.D().SetChanged(true);

    const auto expectKept = [&](const TSafeWriteFaults& faults, const QString& file, const char* reason) {
        const TScopedSafeWriteFaults simulated(faults);
        try {
            data.SaveToFile(tables);
            ADD_FAILURE() << "no error reported";
        } catch (const EWriteError& e) {
            EXPECT_EQ(QString::fromStdString(e.what()), file + QStringLiteral("\r") + QLatin1String(reason));
        }
        EXPECT_EQ(ReadBytes(data.ProjectPath), project);
        EXPECT_EQ(ReadBytes(cpt), profile);
        EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden),
                  (QStringList{QStringLiteral("keep.cpt"), QStringLiteral("keep.vd7d")}));
        EXPECT_TRUE(tables.IsChanged()); // not saved: still changed
    };
    expectKept({true, 0}, data.ProjectPath, "No space left on device");
    expectKept({false, 1}, data.ProjectPath, "Input/output error");
    expectKept({false, 2}, cpt, "Input/output error");
    expectKept({false, 3}, data.ProjectPath, "Input/output error");
    expectKept({false, 4}, cpt, "Input/output error"); // the project file was in place

    // A folder that is a regular file: nothing can be made there.
    data.ProjectPath = Path(QStringLiteral("keep.vd7d/job.vd7d"));
    try {
        data.SaveToFile(tables);
        ADD_FAILURE() << "no error reported";
    } catch (const EWriteError& e) {
        EXPECT_EQ(QString::fromStdString(e.what()), data.ProjectPath + QStringLiteral("\rNot a directory"));
    }
    EXPECT_EQ(ReadBytes(Path(QStringLiteral("keep.vd7d"))), project);
}

TEST(ProjectFileNames, GenerationByExtensionIgnoringCase)
{
    EXPECT_EQ(ProjectGeneration(QStringLiteral("/a/b.vd7d")), 1);
    EXPECT_EQ(ProjectGeneration(QStringLiteral("/a/b.VD7D")), 1);
    EXPECT_EQ(ProjectGeneration(QStringLiteral("/a/b.Vd6D")), 2);
    EXPECT_EQ(ProjectGeneration(QStringLiteral("/a/b.vdd")), 3);
    EXPECT_EQ(ProjectGeneration(QStringLiteral("/a/b.txt")), 3);
    EXPECT_EQ(ReplaceExtension(QStringLiteral("/a/b.c/job.vd7d"), QStringLiteral(".cpt")),
              QStringLiteral("/a/b.c/job.cpt"));
    EXPECT_EQ(ReplaceExtension(QStringLiteral("/a/b.c/job"), QStringLiteral(".cpt")), QStringLiteral("/a/b.c/job.cpt"));
}

} // namespace
} // namespace veldo::test

namespace veldo::test {
namespace {

// The CPT file is the project path with ".cpt": a project saved under that name would be
// replaced by its own profile, so the save is refused and nothing is written.
TEST_F(ProjectFileTest, ProjectNamedLikeItsCptFileIsNotOverwritten)
{
    TProjectTables tables;
    TProgramData data = MakeLayeredProject(tables);
    data.ProjectPath = Path(QStringLiteral("job.cpt"));
    WriteBytes(data.ProjectPath, "earlier\r\n");
    tables.D().SetChanged(true);
    EXPECT_THROW(data.SaveToFile(tables), EWriteError);
    EXPECT_EQ(ReadBytes(data.ProjectPath), "earlier\r\n");
    EXPECT_TRUE(tables.IsChanged());
}

} // namespace
} // namespace veldo::test

namespace veldo::test {
namespace {

// A save that fails part-way (here: the file-size limit, which holds for every user)
// leaves the earlier project file whole and reports the error.
TEST_F(ProjectFileTest, SaveFailingPartWayKeepsTheExistingFile)
{
    TProjectTables tables;
    TProgramData data = MakeLayeredProject(tables);
    data.ProjectPath = Path(QStringLiteral("partway.vd7d"));
    data.SaveToFile(tables);
    const std::string before = ReadBytes(data.ProjectPath);
    ASSERT_GT(before.size(), 300u);

    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 200; // room for the CPT file, not for the project file
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    data.Title = QStringLiteral("CHANGED");
    tables.D().SetChanged(true);
    bool thrown = false;
    try {
        data.SaveToFile(tables);
    } catch (const EWriteError&) {
        thrown = true;
    }
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_TRUE(thrown);
    EXPECT_EQ(ReadBytes(data.ProjectPath), before);
    EXPECT_TRUE(tables.IsChanged());
}

} // namespace
} // namespace veldo::test
