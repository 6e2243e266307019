// Reading project files of the three generations and their CPT files.
#include "ProjectTestSupport.h"

#include "Messages.h"

namespace veldo::test {
namespace {

// The layered project as each generation holds it: what generation 1 writes, minus
// the values the older generations lack.
std::string ExpectedLayered(int generation)
{
    TProjectTables tables;
    TProgramData d = MakeLayeredProject(tables);
    if (generation >= 2)
        for (int j = 0; j < 2; ++j)
            tables.LayerTable(1)->Cell(kClayAdhesion, j).SetInteger(0);
    if (generation == 3) {
        d.ClosedEnded = false; // record 4 of the fixture holds three words
        d.StickupLength = 0;
        d.TzFactors = 0;
        // 1-4 and 5 (selected); the file cannot hold the CPT methods 6-9: unticked.
        for (int m = 1; m <= 9; ++m)
            d.SetMethodTicked(m, m <= 5);
        for (int row = 0; row < 2; ++row) {
            tables.D().Cell(kLayerSideFactor, row).SetFloat(1);
            tables.D().Cell(kLayerEndFactor, row).SetFloat(1);
        }
        d.CriticalDepthOption = 0;
        d.UserCriticalDepth = 0;
    }
    return DumpProject(d, tables);
}

std::string Replace(std::string text, const std::string& from, const std::string& to)
{
    const auto at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

class ProjectReadTest : public ProjectFileTest {
protected:
    // The layered project saved in generation 1; its text.
    std::string SaveLayered(const QString& name)
    {
        TProjectTables tables;
        TProgramData data = MakeLayeredProject(tables);
        data.ProjectPath = Path(name);
        data.SaveToFile(tables);
        return ReadBytes(data.ProjectPath);
    }

    TProjectRead Open(const QString& path) { return TProgramData::CreateFromFile(path, ProjectGeneration(path)); }

    TScopedMessageRecorder messages_;
};

TEST_F(ProjectReadTest, Generation1RoundTrip)
{
    SaveLayered(QStringLiteral("Layered.vd7d"));
    const TProjectRead read = Open(Path(QStringLiteral("Layered.vd7d")));
    EXPECT_TRUE(read.Complete());
    EXPECT_TRUE(messages_->Entries().empty());
    EXPECT_EQ(read.data.ProjectPath, Path(QStringLiteral("Layered.vd7d")));
    EXPECT_EQ(DumpProject(read.data, *read.tables), ExpectedLayered(1));
    EXPECT_FALSE(read.tables->IsChanged());
    // The CPT profile came back in ksf with its plot titles.
    EXPECT_EQ(read.tables->MotionInput().XCaption, QStringLiteral("Qc, ksf"));

    // Saving what was read writes the same file again.
    TProgramData again = read.data;
    again.ProjectPath = Path(QStringLiteral("Again.vd7d"));
    again.SaveToFile(*read.tables);
    EXPECT_EQ(ReadBytes(again.ProjectPath), ReadBytes(Path(QStringLiteral("Layered.vd7d"))));
    EXPECT_EQ(ReadBytes(again.CptPath), ReadBytes(Path(QStringLiteral("Layered.cpt"))));
}

// Editors may save the file with a UTF-8 byte-order mark before the title.
TEST_F(ProjectReadTest, AByteOrderMarkIsNotPartOfTheTitle)
{
    const std::string text = SaveLayered(QStringLiteral("bom.vd7d"));
    WriteBytes(Path(QStringLiteral("bom.vd7d")), "\xEF\xBB\xBF" + text);
    const TProjectRead read = Open(Path(QStringLiteral("bom.vd7d")));
    EXPECT_TRUE(read.Complete()) << read.error.toStdString();
    EXPECT_EQ(DumpProject(read.data, *read.tables), ExpectedLayered(1));
}

TEST_F(ProjectReadTest, Generation2FileWithoutAdhesionMethods)
{
    const TProjectRead read = Open(QString::fromStdString(TestDataPath("Layered.vd6d")));
    EXPECT_TRUE(read.Complete()) << read.error.toStdString();
    EXPECT_EQ(DumpProject(read.data, *read.tables), ExpectedLayered(2));
}

TEST_F(ProjectReadTest, Generation3FileWithoutFactorsMethodsAndCriticalDepth)
{
    const TProjectRead read = Open(QString::fromStdString(TestDataPath("Layered.vdd")));
    EXPECT_TRUE(read.Complete()) << read.error.toStdString();
    EXPECT_EQ(DumpProject(read.data, *read.tables), ExpectedLayered(3));
    EXPECT_EQ(read.data.AreaMode, 2); // one word on record 15: taken from the 3 table rows
}

TEST_F(ProjectReadTest, SiProjectRoundTrip)
{
    TProjectTables tables;
    TProgramData data = MakeLayeredProject(tables);
    data.SetUnits(UnitSystem::SI, tables);
    data.ProjectPath = Path(QStringLiteral("si.vd7d"));
    data.SaveToFile(tables);
    const TProjectRead read = Open(data.ProjectPath);
    EXPECT_TRUE(read.Complete());
    EXPECT_EQ(read.data.UnitSystem, UnitSystem::SI);
    EXPECT_EQ(read.tables->D().Units(), UnitSystem::SI);
    EXPECT_EQ(DumpProject(read.data, *read.tables, 10), DumpProject(data, tables, 10));
}

// A project named with accents: saved beside its CPT file, read back whole (CPT
// points included), and a failed save names the file as the user typed it.
TEST_F(ProjectReadTest, AccentedFileNamesRoundTripAndAppearInMessages)
{
    TProjectTables tables;
    TProgramData data = MakeLayeredProject(tables);
    data.ProjectPath = Path(QString::fromUtf8("Pf\u00e4hle S\u00fcd.vd7d"));
    data.SaveToFile(tables);
    EXPECT_EQ(data.CptPath, Path(QString::fromUtf8("Pf\u00e4hle S\u00fcd.cpt")));
    const TProjectRead read = Open(data.ProjectPath);
    EXPECT_TRUE(read.Complete()) << read.error.toStdString();
    EXPECT_EQ(read.data.CptPointCount(), 3);
    EXPECT_EQ(DumpProject(read.data, *read.tables), DumpProject(data, tables));

    data.ProjectPath = Path(QString::fromUtf8("fehlt/Pf\u00e4hle.vd7d"));
    try {
        data.SaveToFile(tables);
        ADD_FAILURE() << "no error reported";
    } catch (const EWriteError& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).startsWith(data.ProjectPath + QLatin1Char('\r'))) << e.what();
    }
}

TEST_F(ProjectReadTest, AreaModeFromTheTableOrTheConstantArea)
{
    const std::string text = SaveLayered(QStringLiteral("a.vd7d"));
    // One section row and no area mode: constant area 12.5 is not 0, so mode 1.
    WriteBytes(Path(QStringLiteral("b.vd7d")),
               Replace(Replace(text, "3 2\r\n0 50.5\r\n30 45.25\r\n60 40\r\n", "1\r\n"), "90 12.5", "90 12.5"));
    TProjectRead read = Open(Path(QStringLiteral("b.vd7d")));
    EXPECT_TRUE(read.Complete()) << read.error.toStdString();
    EXPECT_EQ(read.data.AreaMode, 1);
    EXPECT_EQ(read.tables->Sectionaldata().RowCount(), 2); // its minimum
    EXPECT_EQ(read.data.CriticalDepthOption, 2);

    WriteBytes(Path(QStringLiteral("c.vd7d")),
               Replace(Replace(text, "3 2\r\n0 50.5\r\n30 45.25\r\n60 40\r\n", "1\r\n"), "90 12.5", "90 0"));
    read = Open(Path(QStringLiteral("c.vd7d")));
    EXPECT_EQ(read.data.AreaMode, 0);
}

TEST_F(ProjectReadTest, ReadingNeverTouchesTheOpenProject)
{
    TProjectTables open;
    const TProgramData openData = MakeLayeredProject(open);
    const std::string before = DumpProject(openData, open);
    const TProjectRead read = Open(QString::fromStdString(TestDataPath("Layered.vdd")));
    const TProjectRead failed = Open(Path(QStringLiteral("none.vd7d")));
    EXPECT_EQ(DumpProject(openData, open), before);
    EXPECT_NE(read.tables.get(), &open);
    // A missing file is a read error: a default project without a file name.
    EXPECT_EQ(failed.error, QStringLiteral("File not found"));
    EXPECT_TRUE(failed.data.ProjectPath.isEmpty());
    EXPECT_EQ(failed.tables->D().RowCount(), 1);
}

struct MalformedCase {
    const char* name;
    const char* from;
    const char* to;
    const char* message;
    int layersKept;     // rows of D after reading
    int sandBottomKept; // depth at the bottom of layer 1 (0 when not read)
};

// CTest lists each case by its name rather than by its bytes.
void PrintTo(const MalformedCase& c, std::ostream* out) { *out << c.name; }

class MalformedProjectTest : public ProjectReadTest, public ::testing::WithParamInterface<MalformedCase> {};

TEST_P(MalformedProjectTest, ShowsTheReadersMessageAndKeepsTheEarlierPart)
{
    const MalformedCase& c = GetParam();
    const std::string text = SaveLayered(QStringLiteral("good.vd7d"));
    const QString path = Path(QStringLiteral("bad.vd7d"));
    const std::string cut = "\r\n1\r\n3\r\n10 \r\n"; // the rest after the last layer
    WriteBytes(path,
               std::string(c.from) == "<cut>" ? text.substr(0, text.find(cut) - 40) : Replace(text, c.from, c.to));
    const TProjectRead read = Open(path);
    ASSERT_EQ(messages_->Entries().size(), 1u);
    EXPECT_EQ(messages_->Entries()[0].kind, TMessageKind::Information);
    EXPECT_EQ(messages_->Entries()[0].text.toStdString(), c.message);
    EXPECT_EQ(read.error.toStdString(), c.message);
    EXPECT_TRUE(read.data.ProjectPath.isEmpty()); // the next save asks for a name
    // The earlier part is kept.
    EXPECT_EQ(read.data.Title, QStringLiteral("LAYERED TEST PILE"));
    EXPECT_EQ(read.data.PrintInterval, 2);
    EXPECT_EQ(read.tables->D().RowCount(), c.layersKept);
    EXPECT_EQ(read.tables->D().Cell(kLayerBottom, 0).AsFloat(), c.sandBottomKept);
    EXPECT_GE(read.tables->Sectionaldata().RowCount(), 2);
    EXPECT_FALSE(read.tables->IsChanged());
}

INSTANTIATE_TEST_SUITE_P(
    ProjectFile, MalformedProjectTest,
    ::testing::Values(
        MalformedCase{"NotANumber", "0 0 18 17.25", "0 0 18 x",
                      "Error on Line 5 Item 4\rA floating point number was expected but not found.", 3, 0},
        MalformedCase{"NotAnInteger", "2 0.5 1 0 5", "2 0.5 1.5 0 5",
                      "Error on Line 7 Item 3\rAn integer was expected but not found.", 3, 0},
        MalformedCase{"EndsEarly", "<cut>", "", "This file either invalid or incomplete.", 3, 20},
        MalformedCase{"MoreThan40Layers", "1 2 6 1 ", "1 2 82 1 ",
                      "Error on Line 4 Item 3\rThe number of layer ends must be an even number from 0 to 80.", 1, 0},
        MalformedCase{"OddLayerEnds", "1 2 6 1 ", "1 2 5 1 ",
                      "Error on Line 4 Item 3\rThe number of layer ends must be an even number from 0 to 80.", 1, 0},
        MalformedCase{"SoilTypeOutside1To3", "20 2 0.0 55", "20 4 0.0 55",
                      "Error on Line 14 Item 2\rThe soil type must be 1 (Sand), 2 (Clay) or 3 (Silt).", 3, 20},
        MalformedCase{"MoreThan100TzDepths", "\r\n1\r\n3\r\n10 \r\n", "\r\n1\r\n101\r\n10 \r\n",
                      "Error on Line 23 Item 1\rThe number of t-z depths must be from 0 to 100.", 3, 20},
        MalformedCase{"MoreThan100SectionRows", "3 2\r\n0 50.5", "101 2\r\n0 50.5",
                      "Error on Line 29 Item 1\rThe number of cross-section rows must be from 0 to 100.", 3, 20}),
    [](const ::testing::TestParamInfo<MalformedCase>& info) { return std::string(info.param.name); });

// Opening, saving, reopening and saving again keep the project and the file's bytes,
// also after a read that stopped part-way or from a file whose words disagree.
TEST_F(ProjectReadTest, SaveAndReopenKeepTheProject)
{
    const std::string layered = SaveLayered(QStringLiteral("layered.vd7d"));
    const std::string cpt = ReadBytes(Path(QStringLiteral("layered.cpt")));
    const struct {
        const char* name;
        std::string project;
    } cases[] = {
        {"as written", layered},
        // The file's deepest depth (90) is not the bottom of the last layer read.
        {"read stops in a layer", Replace(layered, "20 2 0.0 55", "20 4 0.0 55")},
        {"deepest depth is not the last bottom", Replace(layered, "\r\n90 12.5", "\r\n95 12.5")},
        // A method flag other than 0 or 1 ticks nothing.
        {"method flag 55", Replace(layered, "\r\n1 1 0 1 1 0 1 0 0 \r\n", "\r\n1 55 0 1 1 0 1 0 0 \r\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QTemporaryDir dir;
        EXPECT_EQ(SaveReopenMismatch(dir.path(), 1, c.project, cpt), "");
    }
}

TEST_F(ProjectReadTest, OversizedCptFileKeepsTheProjectButNotItsName)
{
    SaveLayered(QStringLiteral("cpt.vd7d"));
    WriteBytes(Path(QStringLiteral("cpt.cpt")), " 1 1001\r\n  1.0E+00  2.0E+03\r\n");
    const TProjectRead read = Open(Path(QStringLiteral("cpt.vd7d")));
    // The message names the CPT file: its line 1 is not the project's.
    EXPECT_EQ(read.error,
              Path(QStringLiteral("cpt.cpt")) +
                  QStringLiteral("\rError on Line 1 Item 2\rThe number of CPT points must be from 0 to 1000."));
    EXPECT_TRUE(read.data.ProjectPath.isEmpty());
    EXPECT_EQ(read.tables->D().RowCount(), 3);
    EXPECT_EQ(read.data.CriticalDepthOption, 2);
    EXPECT_EQ(read.data.CptPointCount(), 0);
}

TEST_F(ProjectReadTest, BrokenCptFileKeepsThePointsRead)
{
    SaveLayered(QStringLiteral("cpt.vd7d"));
    WriteBytes(Path(QStringLiteral("cpt.cpt")), " 1 3\r\n  1.0E+00  2.0E+03\r\n  2.0E+00  x\r\n");
    const TProjectRead read = Open(Path(QStringLiteral("cpt.vd7d")));
    EXPECT_EQ(read.error,
              Path(QStringLiteral("cpt.cpt")) +
                  QStringLiteral("\rError on Line 3 Item 2\rA floating point number was expected but not found."));
    ASSERT_EQ(read.data.CptPointCount(), 1);
    EXPECT_EQ(read.tables->MotionInput().Curve(0).PointCount(), 1);
    EXPECT_EQ(read.tables->MotionInput().Curve(0).Point(0).X, 2.0L); // 2000 psf = 2 ksf
    EXPECT_EQ(read.tables->MotionInput().Curve(0).Point(0).Y, 1.0L);
}

TEST_F(ProjectReadTest, MissingCptFileMeansNoPoints)
{
    SaveLayered(QStringLiteral("nocpt.vd7d"));
    QFile::remove(Path(QStringLiteral("nocpt.cpt")));
    const TProjectRead read = Open(Path(QStringLiteral("nocpt.vd7d")));
    EXPECT_TRUE(read.Complete());
    EXPECT_EQ(read.data.CptPointCount(), 0);
    EXPECT_EQ(read.tables->MotionInput().CurveCount(), 0);
}

} // namespace
} // namespace veldo::test

namespace veldo::test {
namespace {

// The hand-written example projects read completely and survive a save and reopen.
TEST_F(ProjectReadTest, ExampleProjectsReadSaveAndReopen)
{
    for (const char* name : {"PipeSandClay_English.vd7d", "OffshoreCpt_SI.vd7d"}) {
        SCOPED_TRACE(name);
        const QString example = QString::fromLatin1(VELDO_EXAMPLES_DIR "/") + QString::fromLatin1(name);
        TProjectRead read = Open(example);
        ASSERT_TRUE(read.Complete()) << read.error.toStdString();
        EXPECT_GE(read.tables->D().RowCount(), 1);
        read.data.ProjectPath = Path(QString::fromLatin1(name));
        read.data.SaveToFile(*read.tables);
        const TProjectRead again = Open(read.data.ProjectPath);
        ASSERT_TRUE(again.Complete()) << again.error.toStdString();
        EXPECT_EQ(DumpProject(again.data, *again.tables), DumpProject(read.data, *read.tables));
    }
    EXPECT_TRUE(messages_->Entries().empty());
}

} // namespace
} // namespace veldo::test
