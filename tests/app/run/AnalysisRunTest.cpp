// The analysis run: input checks, the hand-over file, the guards, and whole runs
// through a scripted host, with the real engine library and without it.
#include "AnalysisRun.h"

#include "DataUnit.h"
#include "Messages.h"
#include "NumText.h"
#include "PlotResults.h"
#include "ProjectTables.h"
#include "RunProject.h"
#include "Table.h"
#include "WordRead.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <clocale>
#include <dlfcn.h>
#include <fstream>
#include <functional>
#include <string>

namespace veldo {
namespace {

namespace fs = std::filesystem;

const QString Completed =
    QStringLiteral("Computations are completed. Please, check output file for results or error messages.");

std::string fileText(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeText(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

// A layer of the checks: type, remolded strength at top and bottom, end-bearing
// factor, bottom; unit weight 110 at both ends.
TValidationLayer layer(int type, long double remoldedTop, long double remoldedBottom, long double endFactor,
                       long double bottom)
{
    return {type, remoldedTop, remoldedBottom, endFactor, 110, 110, bottom};
}

// What the system loader says of a library it cannot load, without the path it
// starts with (in the user's language, as the run shows it).
QString loaderReason(const fs::path& library)
{
    dlerror();
    if (void* handle = dlopen(library.c_str(), RTLD_NOW | RTLD_LOCAL)) {
        dlclose(handle);
        return {};
    }
    const QString text = QString::fromLocal8Bit(dlerror());
    const QString prefix = QString::fromStdString(library.string()) + ": ";
    return text.startsWith(prefix) ? text.mid(prefix.size()) : text;
}

// A project that passes every check: FHWA ticked, steel pipe, one sand layer.
TValidationData validProject()
{
    TValidationData d;
    d.ticked[1] = true;
    d.pileType = 1;
    d.totalLength = 50;
    d.outsideDiameter = 12;
    d.modulus = 29000000;
    d.layers = {layer(1, 0, 0, 1, 60)};
    return d;
}

// ---- Input checks -------------------------------------------------------------

TEST(ValidateInputTest, MessageTexts)
{
    EXPECT_EQ(TaperAngleMessage(0.5730434L),
              "Taper angle is large since it generates a negative diameter at tip of pile.\r"
              "Taper angle should be smaller than 0.573 degrees.\r"
              "Please check input data (Pile Material Window)");
    EXPECT_EQ(ModulusMessage(), "Modulus of Elasticity should be greater than zero.\r"
                                "Please check input data (Pile Material Window)");
    EXPECT_EQ(RemoldedStrengthMessage(3, 7), "Remolded Shear Strength for layer 3 should be greater than zero \r"
                                             "while using ICP/MTD Method.\r"
                                             "Please check input data (Soils/Clay Window)");
    EXPECT_TRUE(RemoldedStrengthMessage(1, 8).contains("\rwhile using Fugro Method.\r"));
    EXPECT_TRUE(RemoldedStrengthMessage(1, 9).contains("\rwhile using UWA Method.\r"));
    EXPECT_EQ(EndBearingFactorMessage(2), "Reduction/Resistance Factor on End Bearing for layer 2 should be "
                                          "greater than zero.\r"
                                          "Please check input data (Soils Window)");
}

TEST(ValidateInputTest, TaperAngleOfATimberPile)
{
    TScopedMessageRecorder messages;
    TValidationData d = validProject();
    d.pileType = 2; // timber, 50 ft, OD 12 in: L = 600 in
    // 0.5 degrees: tip = 12 - tan(0.5 x 0.01745) x 2 x 600 = 12 - 10.470 = 1.53 in.
    d.taperAngle = 0.5L;
    EXPECT_TRUE(ValidateInput(d));
    // 1 degree: tip = 12 - 20.94 < 0; largest angle atan(12 / 2 / 600) / 0.01745 = 0.573.
    d.taperAngle = 1;
    EXPECT_FALSE(ValidateInput(d));
    EXPECT_EQ(messages->Texts(), (std::vector<QString>{TaperAngleMessage(0.573L)}));
    EXPECT_EQ(messages->Entries().front().kind, TMessageKind::Warning);
    EXPECT_TRUE(messages->Texts().front().contains("smaller than 0.573 degrees."));

    // Only FHWA and the tapered types 2, 4, 5, 7 are checked.
    messages->Clear();
    d.ticked[1] = false;
    d.ticked[4] = true;
    EXPECT_TRUE(ValidateInput(d));
    d.ticked[1] = true;
    d.pileType = 3;
    EXPECT_TRUE(ValidateInput(d));
    for (int type : {4, 5, 7}) {
        d.pileType = type;
        EXPECT_FALSE(ValidateInput(d));
    }
    // SI: L = 15.24 m x 1000 = 15240 mm, OD 304.8 mm: the same largest angle.
    messages->Clear();
    d.units = 2;
    d.totalLength = 15.24L;
    d.outsideDiameter = 304.8L;
    EXPECT_FALSE(ValidateInput(d));
    EXPECT_EQ(messages->Texts(), (std::vector<QString>{TaperAngleMessage(0.573L)}));

    // The engine tapers from the pile head: 10 ft of stick-up makes L = 720 in, and
    // 0.5 degrees gives a tip of 12 - tan(0.5 x 0.01745) x 2 x 720 = -0.56 in; the
    // largest angle is atan(12 / 2 / 720) / 0.01745 = 0.478.
    messages->Clear();
    d = validProject();
    d.pileType = 2;
    d.stickup = 10;
    d.taperAngle = 0.5L;
    EXPECT_FALSE(ValidateInput(d));
    ASSERT_EQ(messages->Texts().size(), 1u);
    EXPECT_TRUE(messages->Texts().front().contains("smaller than 0.478 degrees."))
        << messages->Texts().front().toStdString();
    d.taperAngle = 0.47L;
    EXPECT_TRUE(ValidateInput(d));
}

TEST(ValidateInputTest, EveryCheckShowsItsMessage)
{
    TScopedMessageRecorder messages;
    TValidationData d = validProject();
    d.pileType = 2;
    d.taperAngle = 1;
    d.modulus = 0;
    d.layers = {layer(1, 0, 0, 0, 60)};
    EXPECT_FALSE(ValidateInput(d));
    EXPECT_EQ(messages->Texts(),
              (std::vector<QString>{TaperAngleMessage(0.573L), ModulusMessage(), EndBearingFactorMessage(1)}));
    messages->Clear();
    d = validProject();
    d.modulus = -5;
    EXPECT_FALSE(ValidateInput(d));
    EXPECT_EQ(messages->Texts(), (std::vector<QString>{ModulusMessage()}));
}

TEST(ValidateInputTest, LayersStopAtTheFirstFailure)
{
    TScopedMessageRecorder messages;
    TValidationData d = validProject();
    // Layer 2 clay without remolded strength, layer 3 without end-bearing factor.
    d.layers = {layer(1, 0, 0, 1, 10), layer(2, 0, 0, 1, 20), layer(1, 0, 0, 0, 60)};
    // No method of 7-9 ticked: the clay passes, layer 3 fails.
    EXPECT_FALSE(ValidateInput(d));
    EXPECT_EQ(messages->Texts(), (std::vector<QString>{EndBearingFactorMessage(3)}));
    // Fugro and UWA ticked: Fugro names the message, layer 3 is not reached.
    messages->Clear();
    d.ticked[8] = d.ticked[9] = true;
    EXPECT_FALSE(ValidateInput(d));
    EXPECT_EQ(messages->Texts(), (std::vector<QString>{RemoldedStrengthMessage(2, 8)}));
    messages->Clear();
    d.ticked[7] = true;
    EXPECT_FALSE(ValidateInput(d));
    EXPECT_EQ(messages->Texts(), (std::vector<QString>{RemoldedStrengthMessage(2, 7)}));
    // A remolded strength at either end is enough.
    messages->Clear();
    d.layers = {layer(2, 0, 5, 1, 30), layer(2, 5, 0, 1, 60)};
    EXPECT_TRUE(ValidateInput(d));
    EXPECT_TRUE(messages->Texts().empty());
}

TEST(ValidateInputTest, PileLengthLayerOrderAndUnitWeight)
{
    TScopedMessageRecorder messages;
    TValidationData d = validProject();
    d.totalLength = 0;
    d.circular = false;
    EXPECT_FALSE(ValidateInput(d));
    EXPECT_EQ(messages->Texts(), std::vector<QString>{"Total length of the pile should be greater than zero.\r"
                                                      "Please check input data (Noncircular Pile Properties Window)"});

    // Bottoms 8, 5, 30 m; a layer of no thickness passes.
    messages->Clear();
    d = validProject();
    d.units = 2;
    d.layers = {layer(1, 0, 0, 1, 8), layer(1, 0, 0, 1, 5), layer(1, 0, 0, 1, 30)};
    EXPECT_FALSE(ValidateInput(d));
    EXPECT_EQ(messages->Texts(), std::vector<QString>{"Bottom of layer 2 (5 m) should be deeper than the bottom of "
                                                      "layer 1 (8 m).\rPlease check input data (Soil Layers Window)"});
    d.layers[1].bottom = 8;
    messages->Clear();
    EXPECT_TRUE(ValidateInput(d));
    EXPECT_TRUE(messages->Texts().empty());
    d.layers[0].bottom = -1.25L;
    EXPECT_FALSE(ValidateInput(d));
    EXPECT_EQ(messages->Texts(), std::vector<QString>{"Bottom of layer 1 (-1.25 m) should be deeper than the ground "
                                                      "surface.\rPlease check input data (Soil Layers Window)"});

    // A unit weight of 0 at either end of a layer.
    for (bool top : {true, false}) {
        messages->Clear();
        d = validProject();
        d.layers = {layer(1, 0, 0, 1, 10), layer(2, 0, 0, 1, 60)};
        (top ? d.layers[1].unitWeightTop : d.layers[1].unitWeightBottom) = 0;
        EXPECT_FALSE(ValidateInput(d));
        EXPECT_EQ(messages->Texts(), std::vector<QString>{"Unit Weight for layer 2 should be greater than zero.\r"
                                                          "Please check input data (Soils Window)"});
    }
}

TEST(ValidateInputTest, TablesEndingAboveTheTip)
{
    TValidationData d = validProject(); // 50 ft in steps of 1 ft
    d.increment = 1;
    EXPECT_TRUE(TipNotInTablesQuestion(d).isEmpty());
    // 50.5 ft: the tables end at 50.00 ft.
    d.totalLength = 50.5L;
    EXPECT_EQ(TipNotInTablesQuestion(d), "The total length (50.5 ft) is not a whole multiple of the increment (1 "
                                         "ft): the results end at 50.00 ft, above the pile tip. Run anyway? (The "
                                         "increment is set in the Control Options window.)");
    // Within the tolerance of the engine's row count: no question.
    d.totalLength = 50 + 5e-7L;
    EXPECT_TRUE(TipNotInTablesQuestion(d).isEmpty());
    d.totalLength = 50 - 5e-7L;
    EXPECT_TRUE(TipNotInTablesQuestion(d).isEmpty());
    // 40 ft in steps of 3 ft: 13 x 3 = 39.
    d.totalLength = 40;
    d.increment = 3;
    EXPECT_TRUE(TipNotInTablesQuestion(d).contains("the results end at 39.00 ft"));
}

// ---- Hand-over file and guards -------------------------------------------------

TEST(AnalysisRunFilesTest, CompanionPathsAndHandOverFile)
{
    const TRunPaths paths = TRunPaths::ForProject("/data/jobs/Pile A.vd7d");
    EXPECT_EQ(paths.report, fs::path("/data/jobs/Pile A.vd7o"));
    EXPECT_EQ(paths.plotData, fs::path("/data/jobs/Pile A.vd7p"));
    EXPECT_EQ(paths.cpt, fs::path("/data/jobs/Pile A.cpt"));

    QTemporaryDir dir;
    const fs::path file = fs::path(dir.path().toStdString()) / HandOverFileName;
    ASSERT_TRUE(WriteHandOverFile(file, paths));
    EXPECT_EQ(fileText(file), "2015.7.7\n\n\n0\n/data/jobs/Pile A.vd7d\n/data/jobs/Pile A.vd7o\n"
                              "/data/jobs/Pile A.vd7p\n/data/jobs/Pile A.cpt\n");
    EXPECT_FALSE(WriteHandOverFile(fs::path(dir.path().toStdString()) / "missing" / "names.dat", paths));
}

TEST(AnalysisRunFilesTest, GuardsRestoreLocaleAndDirectory)
{
    const std::string before = std::setlocale(LC_NUMERIC, nullptr);
    ASSERT_NE(std::setlocale(LC_NUMERIC, "C.utf8"), nullptr);
    {
        const TNumericLocaleGuard guard;
        EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C");
    }
    EXPECT_STREQ(std::setlocale(LC_NUMERIC, nullptr), "C.utf8");
    std::setlocale(LC_NUMERIC, before.c_str());

    QTemporaryDir dir;
    const fs::path start = fs::current_path();
    {
        const TCurrentDirGuard guard(dir.path().toStdString());
        EXPECT_EQ(fs::current_path(), fs::path(dir.path().toStdString()));
    }
    EXPECT_EQ(fs::current_path(), start);
}

// ---- Whole runs ---------------------------------------------------------------

// A host whose every answer a test sets; it logs the calls it gets.
class TScriptedHost : public IAnalysisHost {
public:
    TSaveResult saveResult = TSaveResult::Saved;
    fs::path projectPath;
    TValidationData validation = validProject();
    bool readResult = true;
    std::optional<bool> results;
    std::vector<std::string> calls;
    std::function<void()> onCheckSpeedButtons;

    TSaveResult SaveForRun() override
    {
        calls.push_back("save");
        return saveResult;
    }
    fs::path ProjectPath() const override { return projectPath; }
    TValidationData ValidationData() const override { return validation; }
    bool ReadPlotFile(const fs::path& plotFile, bool showMessages) override
    {
        calls.push_back("read " + plotFile.filename().string() + (showMessages ? " on" : " off"));
        return readResult;
    }
    void SetResultsFlag(bool r) override
    {
        calls.push_back(r ? "results on" : "results off");
        results = r;
    }
    void CheckSpeedButtons() override
    {
        calls.push_back("buttons");
        if (onCheckSpeedButtons)
            onCheckSpeedButtons();
    }
    void CloseInputWindows() override { calls.push_back("close"); }
    void CloseResultPlots() override { calls.push_back("plots closed"); }
    QString SaveErrorDetail() const override { return saveError; }
    void WriteWaveEquationFile() override { calls.push_back("gwi"); }

    QString saveError;
};

class AnalysisRunTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        host_.projectPath = folder() / "Job.vd7d";
        writeText(host_.projectPath, "not read by a run that stops early\n");
    }
    fs::path folder() const { return fs::path(dir_.path().toStdString()); }
    fs::path plotFile() const { return folder() / "Job.vd7p"; }

    QTemporaryDir dir_;
    TScriptedHost host_;
    TScopedMessageRecorder messages_;
};

TEST_F(AnalysisRunTest, StopsBeforeTheEngineWhenSavingOrCheckingFails)
{
    writeText(plotFile(), "old results\n");
    TAnalysisRun run(host_);
    run.SetProgramFolder(VELDO_BIN_DIR);

    host_.saveResult = TSaveResult::Cancelled;
    run.Run();
    EXPECT_TRUE(messages_->Texts().empty());

    host_.saveResult = TSaveResult::Failed;
    host_.saveError = QStringLiteral("/x/Job.cpt\rNo space left on device");
    run.Run();
    EXPECT_EQ(messages_->Texts(),
              (std::vector<QString>{"An error occurred during saving\r/x/Job.cpt\rNo space left on device"}));

    messages_->Clear();
    host_.saveResult = TSaveResult::Saved;
    host_.projectPath = "NewVELDO.vd7d";
    run.Run();
    EXPECT_TRUE(messages_->Texts().empty());

    host_.projectPath = folder() / "Job.vd7d";
    host_.validation.modulus = 0;
    run.Run();
    EXPECT_EQ(messages_->Texts(), (std::vector<QString>{ModulusMessage()}));

    EXPECT_EQ(host_.calls, (std::vector<std::string>{"save", "save", "save", "save"}));
    EXPECT_TRUE(fs::exists(plotFile())); // no run reached the engine
    EXPECT_FALSE(TAnalysisRun::EngineLoaded());
}

TEST_F(AnalysisRunTest, MissingLibraryGivesNoResults)
{
    writeText(plotFile(), fileText(fs::path(VELDO_TEST_DATA_DIR) / "PlotResults_FhwaApi.vd7p"));
    QTemporaryDir emptyFolder;
    const fs::path start = fs::current_path();
    TAnalysisRun run(host_);
    run.SetProgramFolder(emptyFolder.path().toStdString());
    run.Run();
    const fs::path library = fs::path(emptyFolder.path().toStdString()) / EngineLibraryName;
    EXPECT_EQ(messages_->Texts(),
              (std::vector<QString>{"Attempt to initialize DLL failed\r" + QString::fromStdString(library.string()) +
                                    ": " + loaderReason(library)}));
    EXPECT_TRUE(messages_->Texts().front().contains("No such file") ||
                messages_->Texts().front().contains(QStringLiteral("nicht gefunden")));
    EXPECT_EQ(messages_->Entries().front().kind, TMessageKind::Information);
    // The old results are gone and never read as new ones.
    EXPECT_FALSE(fs::exists(plotFile()));
    EXPECT_EQ(host_.calls, (std::vector<std::string>{"save", "results off", "plots closed", "buttons"}));
    EXPECT_EQ(fs::current_path(), start);
    EXPECT_FALSE(TAnalysisRun::EngineLoaded());
}

TEST_F(AnalysisRunTest, LibraryWithoutTheEntryOrNotALibrary)
{
    QTemporaryDir programFolder;
    const fs::path library = fs::path(programFolder.path().toStdString()) / EngineLibraryName;
    const QString failed = "Attempt to initialize DLL failed\r" + QString::fromStdString(library.string()) + ": ";
    TAnalysisRun run(host_);
    run.SetProgramFolder(programFolder.path().toStdString());

    writeText(library, "this is not a shared library\n");
    run.Run();
    ASSERT_EQ(messages_->Texts().size(), 1u);
    EXPECT_EQ(messages_->Texts()[0], failed + loaderReason(library));
    // A library whose own symbols do not resolve: the loader names the symbol.
    fs::remove(library);
    fs::create_symlink(fs::path(VELDO_BIN_DIR) / "loader_unresolved_lib.so", library);
    messages_->Clear();
    run.Run();
    ASSERT_EQ(messages_->Texts().size(), 1u);
    EXPECT_EQ(messages_->Texts()[0], failed + loaderReason(library));
    EXPECT_TRUE(messages_->Texts()[0].contains("veldo_symbol_that_does_not_exist"))
        << messages_->Texts()[0].toStdString();
    // A loadable library without "_IVELDO": the C math library.
    fs::remove(library);
    fs::create_symlink("/lib/x86_64-linux-gnu/libm.so.6", library);
    messages_->Clear();
    if (fs::exists(library)) {
        run.Run();
        EXPECT_EQ(messages_->Texts(), std::vector<QString>{failed + "undefined symbol: _IVELDO"});
    }
    EXPECT_FALSE(TAnalysisRun::EngineLoaded());
}

TEST_F(AnalysisRunTest, SecondRunDuringARunIsRefused)
{
    // The first run's engine stops at once (the project file is no project), then
    // the host starts a second run while the library is still bound.
    TAnalysisRun run(host_);
    run.SetProgramFolder(VELDO_BIN_DIR);
    bool nested = false;
    host_.onCheckSpeedButtons = [&] {
        if (nested)
            return;
        nested = true;
        EXPECT_TRUE(TAnalysisRun::EngineLoaded());
        run.Run();
    };
    run.Run();
    ASSERT_EQ(messages_->Texts().size(), 2u);
    EXPECT_TRUE(messages_->Texts()[0].startsWith("The analysis could not read or write its files:\r"));
    EXPECT_EQ(messages_->Texts()[1], "Attempt to reinitialize DLL");
    EXPECT_FALSE(TAnalysisRun::EngineLoaded());
}

// ---- Runs through the real engine ----------------------------------------------

// The main window's part of a run, on a project read from a file.
class TProjectHost : public IAnalysisHost {
public:
    explicit TProjectHost(const fs::path& projectFile)
    {
        TProjectRead read = TProgramData::CreateFromFile(QString::fromStdString(projectFile.string()), 1);
        EXPECT_TRUE(read.Complete()) << read.error.toStdString();
        data = read.data;
        tables = std::move(read.tables);
    }

    TSaveResult SaveForRun() override
    {
        try {
            data.SaveToFile(*tables);
            return TSaveResult::Saved;
        } catch (const EWriteError&) {
            return TSaveResult::Failed;
        }
    }
    fs::path ProjectPath() const override { return data.ProjectPath.toStdString(); }
    TValidationData ValidationData() const override { return ValidationDataOf(data, *tables); }
    bool ReadPlotFile(const fs::path& plotFile, bool showMessages) override
    {
        return ReadProjectPlotFile(plots, data, *tables, plotFile, showMessages);
    }
    void SetResultsFlag(bool r) override { results = r; }
    void CheckSpeedButtons() override {}
    void CloseInputWindows() override {}
    void WriteWaveEquationFile() override { ++waveEquationCalls; }

    TProgramData data;
    std::unique_ptr<TProjectTables> tables;
    TResultPlots plots;
    bool results = false;
    int waveEquationCalls = 0;
};

// Every number of a plot-data file, in order.
std::vector<long double> fileNumbers(const fs::path& file)
{
    TWordReader reader(file);
    std::vector<long double> numbers;
    while (true) {
        try {
            numbers.push_back(reader.ReadFloat());
        } catch (const EInOutError&) {
            break;
        }
    }
    return numbers;
}

void expectPoint(const TFloatPoint& p, long double x, long double y)
{
    EXPECT_EQ(p.X, x);
    EXPECT_EQ(p.Y, y);
}

// Copies an example project with its CPT file into `folder`.
fs::path copyExample(const std::string& name, const fs::path& folder)
{
    const fs::path examples(VELDO_EXAMPLES_DIR);
    fs::copy_file(examples / (name + ".vd7d"), folder / (name + ".vd7d"));
    fs::copy_file(examples / (name + ".cpt"), folder / (name + ".cpt"));
    return folder / (name + ".vd7d");
}

// Runs an example through the real engine library and checks the plots against the
// plot-data file it wrote: curve counts and names, first and last points.
void runExample(const std::string& name, const std::vector<QString>& methodNames, int selectedCurve, bool extraTz)
{
    QTemporaryDir dir;
    const fs::path project = copyExample(name, dir.path().toStdString());
    TScopedMessageRecorder messages;
    TProjectHost host(project);
    ASSERT_TRUE(host.tables);
    const fs::path start = fs::current_path();
    TAnalysisRun run(host);
    run.SetProgramFolder(VELDO_BIN_DIR);
    run.Run();

    EXPECT_EQ(messages->Texts(), (std::vector<QString>{Completed}));
    EXPECT_EQ(fs::current_path(), start);
    EXPECT_FALSE(fs::exists(start / HandOverFileName));
    const TRunPaths paths = TRunPaths::ForProject(project);
    ASSERT_TRUE(fs::exists(paths.report));
    ASSERT_TRUE(fs::exists(paths.plotData));
    EXPECT_TRUE(host.results);
    EXPECT_EQ(host.waveEquationCalls, 1);
    // A circular section's perimeter becomes 3.1416 x OD, in the diameter's unit.
    const long double od = host.data.OutsideDiameter;
    EXPECT_EQ(host.data.Perimeter, 3.1416L * od); // in or mm, like the diameter
    EXPECT_EQ(host.plots.pltSkin().LayerCurveCount(), host.tables->D().RowCount());

    const std::vector<long double> n = fileNumbers(paths.plotData);
    ASSERT_GE(n.size(), 4u);
    const auto series = static_cast<std::size_t>(n[0]);
    const auto rows = static_cast<std::size_t>(n[1]);
    TResultPlots& plots = host.plots;
    std::vector<QString> names;
    for (int i = 0; i < plots.pltSkin().CurveCount(); ++i)
        names.push_back(plots.pltSkin().Curve(i).Name);
    EXPECT_EQ(names, methodNames);
    ASSERT_EQ(series, methodNames.size());
    EXPECT_EQ(plots.pltSkin().PointCount(), static_cast<int>(rows));
    EXPECT_EQ(host.data.Integers[kResultPointCountEntry], static_cast<int>(rows));

    // Method blocks: depth, skin, tip, total, unit skin.
    std::size_t at = 4;
    const auto row = [&](std::size_t curve, std::size_t point) { return at + (curve * rows + point) * 5; };
    expectPoint(plots.pltSkin().CurvePoint(0, 0), n[row(0, 0) + 1], n[row(0, 0)]);
    const std::size_t last = row(series - 1, rows - 1);
    const int lc = static_cast<int>(series) - 1;
    const int lp = static_cast<int>(rows) - 1;
    expectPoint(plots.pltSkin().CurvePoint(lc, lp), n[last + 1], n[last]);
    expectPoint(plots.pltTip().CurvePoint(lc, lp), n[last + 2], n[last]);
    expectPoint(plots.pltTotal().CurvePoint(lc, lp), n[last + 3], n[last]);
    expectPoint(plots.pltUSkin().CurvePoint(lc, lp), n[last + 4], n[last]);
    const std::size_t sel = row(static_cast<std::size_t>(selectedCurve), rows - 1);
    expectPoint(plots.pltCombine().CurvePoint(2, lp), n[sel + 3], n[sel]);
    EXPECT_EQ(host.data.Results[kResultDepthBase + rows - 1], n[sel]);
    at = row(series, 0);

    // t-z curves: count, then per curve 2 integers, depth and 10 pairs (t, z).
    const auto tzCount = static_cast<int>(n[at]);
    EXPECT_GT(tzCount, 0);
    EXPECT_EQ(plots.pltTZcurves().CurveCount(), tzCount);
    expectPoint(plots.pltTZcurves().CurvePoint(0, 0), n[at + 5], n[at + 4]);
    at += 1 + static_cast<std::size_t>(tzCount) * 23;
    expectPoint(plots.pltTZcurves().CurvePoint(tzCount - 1, 9), n[at - 1], n[at - 2]);

    // Load distribution: 9 curves of the method rows (depth, load, movement).
    EXPECT_EQ(plots.pltLoad().CurveCount(), 9);
    expectPoint(plots.pltLoad().CurvePoint(0, 0), n[at + 1], n[at]);
    at += 9 * rows * 3;
    expectPoint(plots.pltLoad().CurvePoint(8, lp), n[at - 2], n[at - 3]);

    // Load-settlement: 9 rows of top load, top movement, tip load, tip movement.
    expectPoint(plots.pltAxial().CurvePoint(0, 0), 0, 0);
    expectPoint(plots.pltAxial().CurvePoint(0, 1), n[at], n[at + 1]);
    expectPoint(plots.PltQw().CurvePoint(0, 9), n[at + 8 * 4 + 2], n[at + 8 * 4 + 3]);
    at += 9 * 4;
    if (extraTz) {
        const auto extra = static_cast<int>(n[at]);
        EXPECT_EQ(plots.PltExtraTZ().CurveCount(), extra);
        at += 1 + static_cast<std::size_t>(extra) * 23;
    }
    EXPECT_EQ(at, n.size()); // every number of the file was accounted for
}

TEST(AnalysisRunEngineTest, EnglishExampleFillsThePlots)
{
    runExample("PipeSandClay_English", {"FHWA", "USACE", "Lambda", "API"}, 3, true);
}

TEST(AnalysisRunEngineTest, ProjectValuesForTheChecksAndTheReader)
{
    QTemporaryDir dir;
    TProjectHost host(copyExample("PipeSandClay_English", dir.path().toStdString()));
    ASSERT_TRUE(host.tables);
    const TValidationData v = host.ValidationData();
    EXPECT_EQ(v.units, 1);
    EXPECT_EQ(v.pileType, 1);
    EXPECT_EQ(v.totalLength, 80);
    EXPECT_EQ(v.outsideDiameter, 24);
    EXPECT_EQ(v.modulus, 29000000);
    EXPECT_TRUE(v.ticked[1] && v.ticked[2] && v.ticked[3] && v.ticked[4]);
    EXPECT_FALSE(v.ticked[5] || v.ticked[7]);
    // Layers: sand, clay (remolded 400 at the top, 700 at the bottom), sand, clay.
    ASSERT_EQ(v.layers.size(), 4u);
    EXPECT_EQ(v.layers[1].soilType, 2);
    EXPECT_EQ(v.layers[1].remoldedTop, 400);
    EXPECT_EQ(v.layers[1].remoldedBottom, 700);
    EXPECT_EQ(v.layers[3].endBearingFactor, 1);

    const TPlotFileContext c = PlotFileContextOf(host.data, *host.tables);
    EXPECT_EQ(c.printTzAtDepths, 1);
    EXPECT_EQ(c.offshoreMethods, 1); // the program always offers methods 6-9
    ASSERT_EQ(c.layers.size(), 4u);
    EXPECT_EQ(c.layers[0].soilType, 1);
    EXPECT_EQ(c.layers[0].bottomDepth, 15);
    EXPECT_EQ(c.layers[3].bottomDepth, 120);

    // Reading the hand-written file of another project is refused: nothing changes.
    host.data.Perimeter = 0;
    EXPECT_FALSE(host.ReadPlotFile(fs::path(VELDO_TEST_DATA_DIR) / "PlotResults_FhwaApi.vd7p", false));
    EXPECT_EQ(host.data.Perimeter, 0);
}

TEST(AnalysisRunEngineTest, OffshoreSiExampleFillsThePlots)
{
    runExample("OffshoreCpt_SI", {"API", "NGI", "MTD", "FUGRO", "UWA"}, 2, false);
}

// Old results never pass for new ones: the previous report, plot-data and wave-equation
// files go before the engine runs, and a run the engine stops (a check of the input:
// status 1) shows the engine's own reason from the report's last block.
TEST(AnalysisRunEngineTest, StaleResultsAreNeverShownAsNew)
{
    QTemporaryDir dir;
    const fs::path project = copyExample("PipeSandClay_English", dir.path().toStdString());
    TScopedMessageRecorder messages;
    TProjectHost host(project);
    ASSERT_TRUE(host.tables);
    const TRunPaths paths = TRunPaths::ForProject(project);
    const std::string oldPlot = fileText(fs::path(VELDO_TEST_DATA_DIR) / "PlotResults_FhwaApi.vd7p");
    writeText(paths.plotData, oldPlot);
    writeText(paths.report, "REPORT OF AN EARLIER RUN\n");
    fs::path gwi = project;
    writeText(gwi.replace_extension(".gwi"), "old\n");
    host.data.TotalLength = 500; // the soil profile is shorter than the pile
    host.results = true;
    TAnalysisRun run(host);
    run.SetProgramFolder(VELDO_BIN_DIR);
    run.Run();
    EXPECT_FALSE(host.results);
    EXPECT_EQ(host.waveEquationCalls, 0);
    EXPECT_EQ(
        messages->Texts(),
        (std::vector<QString>{"The analysis stopped on a check of the input:\r"
                              "COMPUTATION DOES NOT PROCEED BECAUSE THE DEEPEST SOIL PROFILE  120.00 FT.\r"
                              "IS LESS THAN PILE EMBEDDED LENGTH PLUS TWO TIMES THE PILE DIAMETER     504.00 FT."}));
    EXPECT_EQ(fileText(paths.plotData), "");
    EXPECT_EQ(fileText(paths.report).find("EARLIER"), std::string::npos);
    EXPECT_FALSE(fs::exists(gwi));
}

// Before the engine is called: a path the engine would refuse, a folder where nothing
// can be made (its "folder" is a regular file) and an old output that cannot be
// removed stop the run with the path and the reason; nothing is run.
TEST_F(AnalysisRunTest, PathsTheEngineWouldRefuseStopTheRun)
{
    writeText(plotFile(), "old results\n");
    TAnalysisRun run(host_);
    run.SetProgramFolder(VELDO_BIN_DIR);
    const fs::path longProject = folder() / (std::string(250, 'j') + ".vd7d"); // > 255 bytes
    host_.projectPath = longProject;
    run.Run();
    host_.projectPath = folder() / "Job.vd7p" / "Job.vd7d";
    run.Run();
    EXPECT_EQ(messages_->Texts(),
              (std::vector<QString>{"The analysis cannot start:\r" + QString::fromStdString(longProject.string()) +
                                        "\rThe path is longer than 255 bytes.",
                                    "The analysis cannot start:\r" + QString::fromStdString(plotFile().string()) +
                                        "\rNot a directory"}));
    EXPECT_EQ(host_.calls, (std::vector<std::string>{"save", "save"}));
    EXPECT_EQ(fileText(plotFile()), "old results\n");

    // A report that is a folder with a file in it cannot be removed.
    messages_->Clear();
    host_.calls.clear();
    host_.projectPath = folder() / "Job.vd7d";
    fs::create_directory(folder() / "Job.vd7o");
    writeText(folder() / "Job.vd7o" / "notes.txt", "x");
    run.Run();
    EXPECT_EQ(messages_->Texts(),
              (std::vector<QString>{"The analysis cannot start:\r" +
                                    QString::fromStdString((folder() / "Job.vd7o").string()) + "\rIs a directory"}));
    EXPECT_EQ(host_.calls, (std::vector<std::string>{"save", "results off", "plots closed", "buttons"}));
    EXPECT_FALSE(fs::exists(plotFile()));
}

// An input the engine cannot read (status 2) with an old report and plot-data file
// present: the message carries the engine's lines, and no old file survives.
TEST_F(AnalysisRunTest, UnreadableInputShowsTheEnginesErrorLines)
{
    writeText(plotFile(), fileText(fs::path(VELDO_TEST_DATA_DIR) / "PlotResults_FhwaApi.vd7p"));
    writeText(folder() / "Job.vd7o", "REPORT OF AN EARLIER RUN\n");
    writeText(folder() / "Job.cpt", " 1 0\r\n");
    TAnalysisRun run(host_);
    run.SetProgramFolder(VELDO_BIN_DIR);
    run.Run();
    const QString project = QString::fromStdString(host_.projectPath.string());
    ASSERT_EQ(messages_->Texts().size(), 1u);
    EXPECT_TRUE(messages_->Texts()[0].startsWith("The analysis could not read or write its files:\r"
                                                 "ERROR READING FILE " +
                                                 project + "\rLINE 2: THE LINE IS MISSING"))
        << messages_->Texts()[0].toStdString();
    EXPECT_TRUE(messages_->Texts()[0].endsWith("\rCOMPUTATION DOES NOT PROCEED."));
    EXPECT_EQ(host_.calls, (std::vector<std::string>{"save", "results off", "plots closed", "buttons", "close"}));
    EXPECT_EQ(fileText(plotFile()), "");
    EXPECT_EQ(fileText(folder() / "Job.vd7o").find("EARLIER"), std::string::npos);

    // A report without a final block: the message says no report was written.
    EXPECT_EQ(EngineStopMessage(2, folder() / "none.vd7o"),
              "No report was written: " + QString::fromStdString((folder() / "none.vd7o").string()));
}

} // namespace
} // namespace veldo
