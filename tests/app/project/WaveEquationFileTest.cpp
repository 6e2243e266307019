// The GRLWeap input file (".gwi"): the fixed template, the pile line, the segment
// lines of the selected profile with the soil walk and the thinning of long
// profiles, writing beside the project, and the file after a real run.
#include "WaveEquationFile.h"

#include "Main.h"
#include "MainTestSupport.h"
#include "Messages.h"
#include "NumberFormats.h"
#include "ProjectTestSupport.h"

#include <QAction>
#include <QDir>

#include <memory>

namespace veldo::test {
namespace {

using Lines = std::vector<std::string>;

// Template lines, as the file must carry them.
const std::string Control = "-100   0   1   0   1   0   0   0   0   3   0   0   0   0   0   0   0   0     0.000";
const std::string Zero4 = "      0.00      0.00      0.00    0.0000    0.0000    0.0100      0.00";
const std::string Hammer = "   3600.00    207.00    0.0000    0.5000    3.0000         0";
const std::string Zero8 = "     0.000     0.000       0.0    0.0000    0.0000     0.000     0.000     0.000";
const std::string Zero4Wide = "    0.0000    0.0000    0.0000    0.0000";
const std::string Factors1 = "  1.0000  0.9000  0.8000  0.7000  0.6000  0.5000  0.0000  0.0000  0.0000  0.0000";
const std::string Factors2 = "  1.0000  1.0000  1.0000  1.0000  1.0000  0.0000  0.0000  0.0000  0.0000  0.0000";
const std::string DepthEnd = "      0.00      0.00     0.000      0.00    0.0000    0.0000    0.0000";
const std::string Last = "      0.00      0.00      0.00     0.000      0.00    0.0000    0.0000    0.0000";

struct TPoint {
    long double depth, skin, tip;
};

void SetProfile(TProgramData& data, const std::vector<TPoint>& points)
{
    data.Integers[kResultPointCountEntry] = static_cast<int>(points.size());
    for (std::size_t j = 0; j < points.size(); ++j) {
        data.Results[kResultDepthBase + j] = points[j].depth;
        data.Results[kResultSkinBase + j] = points[j].skin;
        data.Results[kResultTipBase + j] = points[j].tip;
    }
}

// A circular steel pipe OD 12 in, ID 11 in, modulus 4000 ksi, three points to 50 ft,
// sand to 20 ft over clay to 60 ft.
TProgramData EnglishPipe()
{
    TProgramData data;
    data.Title = QStringLiteral("Pile 001");
    data.OutsideDiameter = 12;
    data.InsideDiameter = 11;
    data.Modulus = 4000;
    SetProfile(data, {{10, 0.5L, 20}, {30, 1.0L, 40}, {50, 2.5L, 60}});
    return data;
}
const std::vector<TWaveEquationLayer> EnglishLayers = {{20, SoilType::Sand}, {60, SoilType::Clay}};

// The same pile and profile in SI: 1 in = 25.4 mm, 1 ft = 0.3048 m, 1 ksi = 6.894757 MPa,
// 1 ksf = 47.88 kPa.
TProgramData SiPipe()
{
    TProgramData data = EnglishPipe();
    data.UnitSystem = UnitSystem::SI;
    data.OutsideDiameter = 304.8L;
    data.InsideDiameter = 279.4L;
    data.Modulus = 27579.028L;
    SetProfile(data, {{3.048L, 23.94L, 957.6L}, {9.144L, 47.88L, 1915.2L}, {15.24L, 119.7L, 2872.8L}});
    return data;
}
const std::vector<TWaveEquationLayer> SiLayers = {{6.096L, SoilType::Sand}, {18.288L, SoilType::Clay}};

Lines FileLines(const TProgramData& data, const std::vector<TWaveEquationLayer>& layers)
{
    return CrLfLines(WaveEquationFileText(data, layers));
}

// Field k (from 0) of the pile line: five values of 8 characters, each after two blanks.
std::string PileValue(const TProgramData& data, int k)
{
    return FileLines(data, EnglishLayers).at(5).substr(static_cast<std::size_t>(10 * k + 2), 8);
}

// Soil coefficient and soil factor of a segment line.
std::string SoilOf(const std::string& segmentLine)
{
    return segmentLine.substr(43, 7) + " " + segmentLine.substr(61, 7);
}
const std::string SandEnglish = "5.00E-2 1.20E+0";
const std::string ClayEnglish = "2.00E-1 2.00E+0";

// Segment lines of a file (lines 11 to 10 + S).
Lines Segments(const Lines& file) { return Lines(file.begin() + 10, file.end() - 7); }

TEST(WaveEquationFileTest, EnglishPipeLineByLine)
{
    // Pile line: L = 50; area (144 - 121) x 0.7854 = 18.0642; 4000 / 1000 = 4;
    // steel 492 pcf; perimeter 3.1416 x 12 / 12 = 3.1416 ft.
    // Depth lines: 50 / 4 = 12.5, 25, 37.5, 50.
    const Lines expected = {
        "Pile 001                                  VER. 2000 1 0",
        Control,
        "   32.1700   32.1700",
        Zero4,
        Hammer,
        "  5.00E+01  1.81E+01  4.00E+00  4.92E+02  3.14E+00     4.000     1.000     0.010",
        Zero8,
        Zero8,
        Zero4Wide,
        Zero4Wide,
        " 1.00E+1 5.00E-1 2.00E+1   0.100   0.100   5.00E-2   0.150   1.20E+0    6.56    1.00",
        " 3.00E+1 1.00E+0 4.00E+1   0.100   0.100   2.00E-1   0.150   2.00E+0    6.56    1.00",
        " 5.00E+1 2.50E+0 6.00E+1   0.100   0.100   2.00E-1   0.150   2.00E+0    6.56    1.00",
        Factors1,
        Factors2,
        "  1.25E+01" + DepthEnd,
        "  2.50E+01" + DepthEnd,
        "  3.75E+01" + DepthEnd,
        "  5.00E+01" + DepthEnd,
        Last,
    };
    const Lines lines = FileLines(EnglishPipe(), EnglishLayers);
    EXPECT_EQ(lines, expected);
    // Widths of the template.
    const std::vector<std::size_t> widths = {55, 82, 20, 70, 60, 80, 80, 80, 40, 40,
                                             84, 84, 84, 80, 80, 80, 80, 80, 80, 80};
    ASSERT_EQ(lines.size(), widths.size());
    for (std::size_t i = 0; i < lines.size(); ++i)
        EXPECT_EQ(lines[i].size(), widths[i]) << "line " << i + 1;
}

TEST(WaveEquationFileTest, SamePileInSi)
{
    // Area (304.8^2 - 279.4^2) x 0.7854 / 100 = 14838.68 x 0.7854 / 100 = 116.54 cm2
    // (18.0642 in2); 27579.028 / 1000 = 27.58; steel 77.28 kN/m3; perimeter
    // 3.1416 x 304.8 / 1000 = 0.95756 m; L = 15.24 m; depth lines 3.81, 7.62, 11.43, 15.24.
    const Lines expected = {
        "Pile 001                                  VER. 2000 0 0",
        Control,
        "    9.8100    9.8100",
        Zero4,
        Hammer,
        "  1.52E+01  1.17E+02  2.76E+01  7.73E+01  9.58E-01     4.000     1.000     0.010",
        Zero8,
        Zero8,
        Zero4Wide,
        Zero4Wide,
        " 3.05E+0 2.39E+1 9.58E+2   2.540   2.500   1.60E-1   0.150   1.20E+0    1.50    1.00",
        " 9.14E+0 4.79E+1 1.92E+3   2.540   2.500   6.50E-1   0.150   2.00E+0    1.50    1.00",
        " 1.52E+1 1.20E+2 2.87E+3   2.540   2.500   6.50E-1   0.150   2.00E+0    1.50    1.00",
        Factors1,
        Factors2,
        "  3.81E+00" + DepthEnd,
        "  7.62E+00" + DepthEnd,
        "  1.14E+01" + DepthEnd,
        "  1.52E+01" + DepthEnd,
        Last,
    };
    EXPECT_EQ(FileLines(SiPipe(), SiLayers), expected);
}

TEST(WaveEquationFileTest, TitleFieldIsFortyCharacters)
{
    TProgramData data = EnglishPipe();
    data.Title = QStringLiteral("ABCDEFGHIJ").repeated(5);
    EXPECT_EQ(FileLines(data, EnglishLayers)[0], "ABCDEFGHIJABCDEFGHIJABCDEFGHIJABCDEFGHIJ  VER. 2000 1 0");
    data.Title.clear();
    EXPECT_EQ(FileLines(data, EnglishLayers)[0], std::string(40, ' ') + "  VER. 2000 1 0");
    data.Title = QStringLiteral("Pile 001");
    data.UnitSystem = UnitSystem::SI;
    EXPECT_EQ(FileLines(data, EnglishLayers)[0], "Pile 001" + std::string(32, ' ') + "  VER. 2000 0 0");
}

TEST(WaveEquationFileTest, UnitWeightByPileType)
{
    TProgramData data = EnglishPipe();
    const auto weight = [&](int units, int pileType) {
        data.UnitSystem = units;
        data.PileType = pileType;
        return PileValue(data, 3);
    };
    EXPECT_EQ(weight(UnitSystem::English, 2), "5.00E+01"); // timber
    EXPECT_EQ(weight(UnitSystem::English, 3), "1.50E+02"); // precast concrete
    for (int type : {1, 4, 5, 6, 7})
        EXPECT_EQ(weight(UnitSystem::English, type), "4.92E+02") << type;
    EXPECT_EQ(weight(UnitSystem::SI, 2), "7.90E+00");
    EXPECT_EQ(weight(UnitSystem::SI, 3), "2.36E+01");
    for (int type : {1, 4, 5, 6, 7})
        EXPECT_EQ(weight(UnitSystem::SI, type), "7.73E+01") << type;
}

TEST(WaveEquationFileTest, NoncircularSectionUsesItsPerimeterAndTheDiameters)
{
    TProgramData data = EnglishPipe();
    data.Circular = false;
    data.Perimeter = 48;                       // in: 48 / 12 = 4 ft
    EXPECT_EQ(PileValue(data, 1), "1.81E+01"); // area still from OD and ID
    EXPECT_EQ(PileValue(data, 4), "4.00E+00");
    data.UnitSystem = UnitSystem::SI;
    data.Perimeter = 1200; // mm: 1.2 m
    EXPECT_EQ(PileValue(data, 4), "1.20E+00");
    EXPECT_EQ(WaveEquationPerimeter(data), 1200);

    // An H-pile (OD = ID = 0) gives its tip area: 15.5 in2, and in SI the same
    // 0.01 m2 as 100 cm2, the unit of the circular area there (SamePileInSi).
    TProgramData hPile = EnglishPipe();
    hPile.PileType = PileType::HPile;
    hPile.Circular = false;
    hPile.OutsideDiameter = hPile.InsideDiameter = 0;
    hPile.Perimeter = 48;
    hPile.TipArea = 15.5L;
    EXPECT_EQ(PileValue(hPile, 1), "1.55E+01");
    hPile.UnitSystem = UnitSystem::SI;
    hPile.Perimeter = 1219.2L;
    hPile.TipArea = 0.01L;
    EXPECT_EQ(PileValue(hPile, 1), "1.00E+02");
    EXPECT_EQ(PileValue(hPile, 4), "1.22E+00");
    // Equal diameters give no area either.
    hPile.OutsideDiameter = hPile.InsideDiameter = 300;
    EXPECT_EQ(PileValue(hPile, 1), "1.00E+02");
}

TEST(WaveEquationFileTest, SoilWalk)
{
    TProgramData data = EnglishPipe();
    const auto soils = [&](const std::vector<TPoint>& points, const std::vector<TWaveEquationLayer>& layers) {
        SetProfile(data, points);
        Lines result;
        for (const std::string& line : Segments(FileLines(data, layers)))
            result.push_back(SoilOf(line));
        return result;
    };
    // Bottoms 1.5 sand and 10 clay; points 0, 1, 2: sand, sand, clay.
    EXPECT_EQ(soils({{0, 0, 0}, {1, 0, 0}, {2, 0, 0}}, {{1.5L, SoilType::Sand}, {10, SoilType::Clay}}),
              (Lines{SandEnglish, SandEnglish, ClayEnglish}));
    // A point exactly at a layer's bottom stays in that layer; silt counts as clay.
    EXPECT_EQ(soils({{1.5L, 0, 0}, {2, 0, 0}}, {{1.5L, SoilType::Sand}, {10, SoilType::Silt}}),
              (Lines{SandEnglish, ClayEnglish}));
    // Thin layers: one row per point, so the walk catches up only slowly.
    // Point 5: row 0 (bottom 1) is above it, row 1 clay; point 6: row 2 sand;
    // point 7: row 3 clay; point 8 stays in row 3.
    EXPECT_EQ(soils({{5, 0, 0}, {6, 0, 0}, {7, 0, 0}, {8, 0, 0}},
                    {{1, SoilType::Sand}, {2, SoilType::Clay}, {3, SoilType::Sand}, {100, SoilType::Clay}}),
              (Lines{ClayEnglish, SandEnglish, ClayEnglish, ClayEnglish}));
    // Points below the last layer keep it.
    EXPECT_EQ(soils({{10, 0, 0}, {20, 0, 0}, {30, 0, 0}}, {{5, SoilType::Clay}, {8, SoilType::Sand}}),
              (Lines{SandEnglish, SandEnglish, SandEnglish}));
    // SI coefficients.
    data.UnitSystem = UnitSystem::SI;
    EXPECT_EQ(soils({{1, 0, 0}, {2, 0, 0}}, {{1, SoilType::Sand}, {5, SoilType::Clay}}),
              (Lines{"1.60E-1 1.20E+0", "6.50E-1 2.00E+0"}));
}

TEST(WaveEquationFileTest, LongProfilesAreThinned)
{
    // Point i at depth i + 1 so that every segment line names its point.
    const auto segmentDepths = [](int n, const std::vector<TWaveEquationLayer>& layers) {
        TProgramData data = EnglishPipe();
        std::vector<TPoint> points;
        for (int i = 0; i < n; ++i)
            points.push_back({static_cast<long double>(i + 1), 0, 0});
        SetProfile(data, points);
        const Lines file = FileLines(data, layers);
        Lines depths;
        for (const std::string& line : Segments(file))
            depths.push_back(line.substr(1, 7));
        EXPECT_EQ(file.size(), 17 + depths.size()) << n;
        return depths;
    };
    const std::vector<TWaveEquationLayer> deep = {{1000, SoilType::Clay}};
    const auto name = [](int depth) { return FormatExp3D1(depth); };

    EXPECT_EQ(segmentDepths(99, deep).size(), 99u);
    EXPECT_EQ(segmentDepths(199, deep).size(), 100u); // step 2, 99 points and the end line
    // n = 100: step 2, points 0, 2, ..., 98 and the end line for point 99.
    Lines expected;
    for (int i = 0; i < 100; i += 2)
        expected.push_back(name(i + 1));
    expected.push_back(name(100));
    EXPECT_EQ(segmentDepths(100, deep), expected);
    // n = 501: step 6, points 0 to 492 (83 lines), end line for point 500.
    const Lines full = segmentDepths(501, deep);
    ASSERT_EQ(full.size(), 84u);
    EXPECT_EQ(full[82], name(493));
    EXPECT_EQ(full[83], "5.01E+2");
}

TEST(WaveEquationFileTest, EndLineTakesTheSoilOfTheLastChosenPoint)
{
    // n = 250: step 3, points 0 to 246 (83 lines), end line for point 249 (depth 250).
    // Sand to 247.5: point 246 (depth 247) is sand, the points after it clay; the end
    // line carries point 249's values with point 246's sand coefficients.
    TProgramData data = EnglishPipe();
    std::vector<TPoint> points;
    for (int i = 0; i < 250; ++i)
        points.push_back({static_cast<long double>(i + 1), 0.001L * i, 2.0L * i});
    SetProfile(data, points);
    const Lines segments = Segments(FileLines(data, {{247.5L, SoilType::Sand}, {1000, SoilType::Clay}}));
    ASSERT_EQ(segments.size(), 84u);
    EXPECT_EQ(segments[82].substr(0, 24), " 2.47E+2 2.46E-1 4.92E+2");
    EXPECT_EQ(segments[83], " 2.50E+2 2.49E-1 4.98E+2   0.100   0.100   5.00E-2   0.150   1.20E+0    6.56    1.00");
}

TEST(WaveEquationFileTest, EmptyAndOversizedProfiles)
{
    TProgramData data = EnglishPipe();
    SetProfile(data, {});
    const Lines empty = FileLines(data, EnglishLayers);
    ASSERT_EQ(empty.size(), 17u);
    EXPECT_EQ(empty[5].substr(0, 10), "  0.00E+00");
    EXPECT_EQ(empty[10], Factors1);
    EXPECT_EQ(empty[12], "  0.00E+00" + DepthEnd);

    // A point count beyond the table's 501 points is taken as 501 (the values
    // beyond would be the next column of the table).
    std::vector<TPoint> points;
    for (int i = 0; i < 501; ++i)
        points.push_back({static_cast<long double>(i + 1), 1, 2});
    SetProfile(data, points);
    const std::string full = WaveEquationFileText(data, EnglishLayers);
    data.Integers[kResultPointCountEntry] = 2000;
    EXPECT_EQ(WaveEquationFileText(data, EnglishLayers), full);
}

TEST_F(ProjectFileTest, LayersComeFromTheCellTexts)
{
    TProjectTables tables;
    TGridTable& D = tables.D();
    D.SetRowCount(2);
    D.Cell(kLayerSoilType, 0).SetInteger(SoilType::Sand);
    D.Cell(kLayerBottom, 0).SetFloat(9.999999999L); // text at 8 digits: "10"
    D.Cell(kLayerSoilType, 1).SetInteger(SoilType::Clay);
    D.Cell(kLayerBottom, 1).SetFloat(20);
    const std::vector<TWaveEquationLayer> layers = WaveEquationLayersOf(tables);
    ASSERT_EQ(layers.size(), 2u);
    EXPECT_EQ(layers[0].bottom, 10);
    EXPECT_EQ(layers[0].soilType, SoilType::Sand);
    EXPECT_EQ(layers[1].bottom, 20);
    EXPECT_EQ(layers[1].soilType, SoilType::Clay);

    // So a point at depth 10 stays in the sand.
    TProgramData data = EnglishPipe();
    SetProfile(data, {{10, 0, 0}, {11, 0, 0}});
    EXPECT_EQ(SoilOf(Segments(FileLines(data, layers))[0]), SandEnglish);
}

TEST_F(ProjectFileTest, WritesBesideTheProjectAndKeepsTheCircularPerimeter)
{
    TProjectTables tables;
    TGridTable& D = tables.D();
    D.SetRowCount(2);
    D.Cell(kLayerSoilType, 0).SetInteger(SoilType::Sand);
    D.Cell(kLayerBottom, 0).SetFloat(20);
    D.Cell(kLayerSoilType, 1).SetInteger(SoilType::Clay);
    D.Cell(kLayerBottom, 1).SetFloat(60);
    TProgramData data = EnglishPipe();
    data.ProjectPath = Path(QStringLiteral("pier.vd7d"));
    WriteBytes(Path(QStringLiteral("pier.gwi")), "an older file\r\n");

    WriteWaveEquationFile(data, tables);
    EXPECT_EQ(data.WaveEquationPath, Path(QStringLiteral("pier.gwi")));
    EXPECT_EQ(data.Perimeter, 3.1416L * 12);
    EXPECT_EQ(ReadBytes(data.WaveEquationPath), WaveEquationFileText(EnglishPipe(), EnglishLayers));

    // A noncircular section keeps its perimeter.
    data.Circular = false;
    data.Perimeter = 48;
    WriteWaveEquationFile(data, tables);
    EXPECT_EQ(data.Perimeter, 48);
}

TEST_F(ProjectFileTest, FailureNamesTheFile)
{
    TProjectTables tables;
    TProgramData data = EnglishPipe();
    data.ProjectPath = Path(QStringLiteral("missing/pier.vd7d"));
    const QString target = Path(QStringLiteral("missing/pier.gwi"));
    try {
        WriteWaveEquationFile(data, tables);
        ADD_FAILURE() << "no error";
    } catch (const EWriteError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Cannot write the GRLWeap data file " + target.toStdString() + ": ", 0),
                  0u)
            << e.what();
    }
    EXPECT_EQ(data.WaveEquationPath, target);
    EXPECT_FALSE(QFile::exists(target));
}

std::string TitleFieldOf(const QString& title)
{
    return title.left(40).leftJustified(40, QLatin1Char(' ')).toStdString();
}

// The file after a run of an example project through the main window and the engine.
class WaveEquationRunTest : public ProjectFileTest {
protected:
    void SetUp() override { startDir_ = QDir::currentPath(); }
    void TearDown() override
    {
        form_.reset();
        QDir::setCurrent(startDir_);
    }

    TMainForm& Start(const QString& example)
    {
        const QString source = QStringLiteral(VELDO_EXAMPLES_DIR "/") + example;
        EXPECT_TRUE(QFile::copy(source + QStringLiteral(".vd7d"), Path(QStringLiteral("pipe.vd7d"))));
        QFile::copy(source + QStringLiteral(".cpt"), Path(QStringLiteral("pipe.cpt")));
        TMainFormOptions options;
        options.settingsFile = Path(QStringLiteral("VELDO.ini"));
        options.programDir = QStringLiteral(VELDO_BIN_DIR);
        options.arguments = {Path(QStringLiteral("pipe.vd7d"))};
        options.fileDialogs = &dialogs_;
        options.shell = &shell_;
        form_ = std::make_unique<TMainForm>(std::move(options));
        form_->show();
        return *form_;
    }

    QString startDir_;
    TScriptedFileDialogs dialogs_;
    TRecordingShell shell_;
    TScopedMessageRecorder messages_;
    std::unique_ptr<TMainForm> form_;
};

TEST_F(WaveEquationRunTest, RunWritesTheFile)
{
    TMainForm& form = Start(QStringLiteral("PipeSandClay_English"));
    const QString gwi = Path(QStringLiteral("pipe.gwi"));
    EXPECT_FALSE(QFile::exists(gwi));
    form.ComputationMenuClick();
    EXPECT_FALSE(form.Action("CompEditGrlweap")->isEnabled());

    form.CompRunClick();
    ASSERT_TRUE(form.ResultsFlag());
    EXPECT_EQ(messages_->Texts().size(), 1u); // the completion message only
    const Lines lines = CrLfLines(ReadBytes(gwi));
    const TProgramData& data = form.Data();
    const int n = data.Integers[kResultPointCountEntry];
    ASSERT_GT(n, 1);
    const std::size_t segments = n < 100 ? n : n / (n / 100 + 1) + 1;
    ASSERT_EQ(lines.size(), 17 + segments);
    EXPECT_EQ(lines[0], TitleFieldOf(data.Title) + "  VER. 2000 1 0");
    EXPECT_EQ(lines[1], Control);
    EXPECT_EQ(lines[5].substr(0, 10), "  " + FormatExp3D2(data.Results[static_cast<std::size_t>(n)]));
    EXPECT_EQ(lines.back(), Last);
    EXPECT_EQ(data.WaveEquationPath, gwi);
    form.ComputationMenuClick();
    EXPECT_TRUE(form.Action("CompEditGrlweap")->isEnabled());

    // An old file that cannot be removed before the run (a folder of that name): the
    // run stops naming it, and the earlier results are no longer offered.
    ASSERT_TRUE(QFile::remove(gwi));
    ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("pipe.gwi")));
    messages_->Clear();
    form.CompRunClick();
    EXPECT_FALSE(form.ResultsFlag());
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{QStringLiteral("The analysis cannot start:\r") + gwi +
                                                       QStringLiteral("\rIs a directory")});
}

} // namespace
} // namespace veldo::test
