// The result plots filled from plot-data files written by hand.
#include "PlotResults.h"

#include "Messages.h"
#include "PlotForm.h"
#include "PlotScale.h"
#include "ProjectTestSupport.h"
#include "RunProject.h"

#include <QImage>
#include <QPixmap>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fstream>
#include <string>

namespace veldo {
namespace {

const QString ReadError = QStringLiteral("An error occurred in running the main program.");

std::filesystem::path dataFile(const char* name) { return std::filesystem::path(VELDO_TEST_DATA_DIR) / name; }

// FHWA and API ticked, API selected, compression, t-z print at depths: the project
// that PlotResults_FhwaApi.vd7p belongs to. Layers: sand to 10, clay to 25, silt to 40.
TPlotFileContext fhwaApiContext()
{
    TPlotFileContext c;
    c.ticked[1] = true;
    c.ticked[4] = true;
    c.printTzAtDepths = 1;
    c.layers = {{1, 10}, {2, 25}, {3, 40}};
    return c;
}

std::vector<QString> curveNames(TGraphPlot& plot)
{
    std::vector<QString> names;
    for (int i = 0; i < plot.CurveCount(); ++i)
        names.push_back(plot.Curve(i).Name);
    return names;
}

void expectPoint(const TFloatPoint& p, long double x, long double y)
{
    EXPECT_NEAR(static_cast<double>(p.X), static_cast<double>(x), 1e-12);
    EXPECT_NEAR(static_cast<double>(p.Y), static_cast<double>(y), 1e-12);
}

std::filesystem::path writeText(const QTemporaryDir& dir, const char* name, const std::string& text)
{
    const std::filesystem::path p = std::filesystem::path(dir.path().toStdString()) / name;
    std::ofstream(p, std::ios::binary) << text;
    return p;
}

std::string fileText(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TEST(PlotResultsTest, PlotsHaveTheirNamesAndCaptions)
{
    TResultPlots plots;
    EXPECT_EQ(plots.pltSkin().objectName(), "pltSkin");
    EXPECT_EQ(plots.PltQw().objectName(), "PltQw");
    EXPECT_EQ(plots.PltExtraTZ().objectName(), "PltExtraTZ");
    EXPECT_EQ(plots.pltSkin().Caption, "Accumulated Skin Friction vs Depth");
    EXPECT_EQ(plots.pltUSkin().Caption, "Unit Skin Friction vs Depth");
    EXPECT_EQ(plots.PltQw().Caption, "Internally-Generated Q-w Curve");
    EXPECT_EQ(plots.pltTZcurves().Caption, "Internally-Generated t-z Curves");
    EXPECT_EQ(&plots.Plot(TResultPlot::Combine), &plots.pltCombine());
    for (int i = 0; i < ResultPlotCount; ++i)
        EXPECT_EQ(plots.Plot(static_cast<TResultPlot>(i)).parent(), &plots);
}

TEST(PlotResultsTest, MethodCurvesFollowTheFileOrder)
{
    TPlotFileContext c;
    for (int m : {9, 4, 1, 5, 6})
        c.ticked[static_cast<std::size_t>(m)] = true;
    std::vector<QString> names;
    for (const TMethodCurve& curve : MethodCurves(c))
        names.push_back(curve.name);
    EXPECT_EQ(names, (std::vector<QString>{"User Spec.", "FHWA", "API", "NGI", "UWA"}));
    // Without the offshore flag methods 6-9 give no curve.
    c.offshoreMethods = 0;
    EXPECT_EQ(MethodCurves(c).size(), 3u);
    EXPECT_EQ(MethodCurveName(2), "USACE");
    EXPECT_EQ(MethodCurveName(3), "Lambda");
    EXPECT_EQ(MethodCurveName(7), "MTD");
    EXPECT_EQ(MethodCurveName(8), "FUGRO");
}

TEST(PlotResultsTest, ReadsEveryBlockOfAHandWrittenFile)
{
    TScopedMessageRecorder messages;
    TResultPlots plots;
    ASSERT_TRUE(plots.ReadPlotFile(dataFile("PlotResults_FhwaApi.vd7p"), fhwaApiContext(), true));
    EXPECT_TRUE(messages->Texts().empty());
    EXPECT_EQ(plots.FileUnits(), 1);

    // Header " 2 3 1 4": two methods, three points, English, API selected.
    for (TGraphPlot* p : {&plots.pltSkin(), &plots.pltUSkin(), &plots.pltTip(), &plots.pltTotal()}) {
        EXPECT_EQ(curveNames(*p), (std::vector<QString>{"FHWA", "API"}));
        EXPECT_EQ(p->PointCount(), 3);
    }
    // Row "10.00 25.5 40.2 65.7 0.812" of FHWA: depth in Y of all four plots.
    expectPoint(plots.pltSkin().CurvePoint(0, 1), 25.5L, 10);
    expectPoint(plots.pltTip().CurvePoint(0, 1), 40.2L, 10);
    expectPoint(plots.pltTotal().CurvePoint(0, 1), 65.7L, 10);
    expectPoint(plots.pltUSkin().CurvePoint(0, 1), 0.812L, 10);
    expectPoint(plots.pltTotal().CurvePoint(1, 2), 166.5L, 20);

    // The combined plot copies the selected (second) curve.
    EXPECT_EQ(curveNames(plots.pltCombine()),
              (std::vector<QString>{"Skin Friction", "Tip Resistance", "Total Capacity"}));
    expectPoint(plots.pltCombine().CurvePoint(0, 2), 95.7L, 20);
    expectPoint(plots.pltCombine().CurvePoint(1, 2), 70.8L, 20);
    expectPoint(plots.pltCombine().CurvePoint(2, 1), 75.4L, 10);

    // t-z curves: named by depth, first value Y (t), second X (z).
    EXPECT_EQ(curveNames(plots.pltTZcurves()), (std::vector<QString>{"5 ft", "15 ft"}));
    EXPECT_EQ(plots.pltTZcurves().PointCount(), 10);
    expectPoint(plots.pltTZcurves().CurvePoint(0, 0), 0.01L, 0.1L);
    expectPoint(plots.pltTZcurves().CurvePoint(1, 9), 0.2L, 2.0L);

    // Load distribution: 9 curves of 3 rows, depth in Y, load in X; each curve is named
    // by the movement of its last row, the tip.
    EXPECT_EQ(plots.pltLoad().CurveCount(), 9);
    EXPECT_EQ(plots.pltLoad().Curve(0).Name, "Tip Movement 0.001 in");
    EXPECT_EQ(plots.pltLoad().Curve(8).Name, "Tip Movement 0.009 in");
    EXPECT_EQ(plots.PltQw().Curve(0).Name, "Tip Load (API)");
    EXPECT_EQ(plots.pltLoad().PointCount(), 3);
    expectPoint(plots.pltLoad().CurvePoint(0, 0), 10, 19.5L);
    expectPoint(plots.pltLoad().CurvePoint(8, 2), 92, 0.5L);

    // Load-settlement: point 0 is the origin, then 9 rows.
    EXPECT_EQ(plots.pltAxial().PointCount(), 10);
    EXPECT_EQ(plots.pltAxial().Curve(0).Name, "API");
    expectPoint(plots.pltAxial().CurvePoint(0, 0), 0, 0);
    expectPoint(plots.pltAxial().CurvePoint(0, 1), 20, 0.05L);
    expectPoint(plots.pltAxial().CurvePoint(0, 9), 180, 0.45L);
    expectPoint(plots.PltQw().CurvePoint(0, 0), 0, 0);
    expectPoint(plots.PltQw().CurvePoint(0, 9), 45, 0.36L);
    EXPECT_TRUE(plots.pltAxial().XOnTop);
    EXPECT_EQ(plots.pltAxial().YCaption, "Settlement, in.");
    EXPECT_EQ(plots.PltQw().YCaption, "Settlement, in.");

    // Extra t-z block.
    EXPECT_EQ(curveNames(plots.PltExtraTZ()), (std::vector<QString>{"8 ft"}));
    expectPoint(plots.PltExtraTZ().CurvePoint(0, 9), 0.3L, 3.0L);

    // The selected method's profile for the wave-equation file.
    const TSelectedProfile& profile = plots.SelectedProfile();
    EXPECT_EQ(profile.pointCount, 3);
    ASSERT_EQ(profile.depth.size(), 3u);
    EXPECT_DOUBLE_EQ(static_cast<double>(profile.depth[2]), 20.0);
    EXPECT_DOUBLE_EQ(static_cast<double>(profile.unitSkin[1]), 0.95);
    EXPECT_DOUBLE_EQ(static_cast<double>(profile.tip[2]), 70.8);
}

TEST(PlotResultsTest, LayerBandsGoToTheDepthPlots)
{
    TResultPlots plots;
    ASSERT_TRUE(plots.ReadPlotFile(dataFile("PlotResults_FhwaApi.vd7p"), fhwaApiContext(), false));
    for (TResultPlot which : {TResultPlot::USkin, TResultPlot::Skin, TResultPlot::Tip, TResultPlot::Total,
                              TResultPlot::Load, TResultPlot::Combine}) {
        TGraphPlot& p = plots.Plot(which);
        ASSERT_EQ(p.LayerCurveCount(), 3);
        EXPECT_EQ(p.LayerCurve(0).Name, " SAND ");
        EXPECT_EQ(p.LayerCurve(1).Name, " CLAY ");
        EXPECT_EQ(p.LayerCurve(2).Name, "LAYER 3");
        expectPoint(p.LayerPoint(0, 0), 7, 10);
        expectPoint(p.LayerPoint(1, 0), 1, 25);
        expectPoint(p.LayerPoint(2, 0), 0, 40);
    }
    EXPECT_EQ(plots.pltAxial().LayerCurveCount(), 0);
    EXPECT_EQ(plots.pltTZcurves().LayerCurveCount(), 0);

    // Read again after the first layer became silt and the third sand: the silt band
    // loses the sand pattern of the earlier read (no fill, code 0).
    TPlotFileContext changed = fhwaApiContext();
    changed.layers = {{3, 10}, {2, 25}, {1, 40}};
    ASSERT_TRUE(plots.ReadPlotFile(dataFile("PlotResults_FhwaApi.vd7p"), changed, false));
    EXPECT_EQ(plots.pltSkin().LayerCurve(0).Name, "LAYER 1");
    expectPoint(plots.pltSkin().LayerPoint(0, 0), 0, 10);
    EXPECT_EQ(plots.pltSkin().LayerCurve(2).Name, " SAND ");
    expectPoint(plots.pltSkin().LayerPoint(2, 0), 7, 40);

    // A plot without curves gets no bands.
    TGraphPlot empty;
    TResultPlots::AddLayersGraphPlot(empty, {{1, 5}});
    EXPECT_EQ(empty.LayerCurveCount(), 0);
}

TEST(PlotResultsTest, TensionNamesSelfWeightAndUplift)
{
    TPlotFileContext c = fhwaApiContext();
    c.loading = 1;
    TResultPlots plots;
    ASSERT_TRUE(plots.ReadPlotFile(dataFile("PlotResults_FhwaApi.vd7p"), c, false));
    EXPECT_EQ(plots.pltCombine().Curve(1).Name, "Self Weight");
    EXPECT_EQ(plots.pltAxial().YCaption, "Uplift, in.");
    EXPECT_EQ(plots.PltQw().YCaption, "Settlement, in.");
    EXPECT_FALSE(plots.pltAxial().XOnTop);
    EXPECT_FALSE(plots.PltQw().XOnTop);
}

// One method (API), one point, SI; one t-z curve at 2.5 m; no extra block.
std::string siFileText()
{
    std::string text = " 1 1 2 4\n     0.00       0.0      12.0       12.0      0.000\n 1\n 1 10 0.2500E+01\n";
    for (int i = 0; i < 10; ++i)
        text += " 0.1E+01 0.2E-02\n";
    for (int i = 0; i < 9; ++i)
        text += " 0.5E+01 0.6E+02 0.1E-01\n";
    for (int i = 0; i < 9; ++i)
        text += " 0.1E+03 0.1E-01 0.5E+02 0.8E-02\n";
    return text;
}

TPlotFileContext apiContext()
{
    TPlotFileContext c;
    c.ticked[4] = true;
    return c;
}

TEST(PlotResultsTest, SiFileNamesCurvesInMetres)
{
    QTemporaryDir dir;
    TResultPlots plots;
    ASSERT_TRUE(plots.ReadPlotFile(writeText(dir, "si.vd7p", siFileText()), apiContext(), true));
    EXPECT_EQ(plots.pltTZcurves().Curve(0).Name, "2.5 m");
    EXPECT_EQ(plots.pltAxial().YCaption, "Settlement, m");
    for (int i = 0; i < ResultPlotCount; ++i)
        EXPECT_EQ(plots.Plot(static_cast<TResultPlot>(i)).Units(), 2);
}

// The axis titles as the plot window builds them from caption and unit codes.
std::pair<QString, QString> axisTitles(TGraphPlot& p)
{
    const auto title = [&p](const QString& caption, const QString& units) {
        return units.isEmpty() ? caption : caption + " (" + ExpandUnitCodes(units, p.Units()) + ")";
    };
    return {title(p.XCaption, p.XUnits), title(p.YCaption, p.YUnits)};
}

TEST(PlotResultsTest, AxisTitlesNameTheEnginesUnits)
{
    // What each block holds: depths ft / m; capacities, loads kips / kN; unit skin
    // friction ksf / kPa; t-z load transfer psi / kPa and movement in / m;
    // settlements in / m.
    using Titles = std::vector<std::pair<QString, QString>>;
    const auto titles = [](TResultPlots& plots) {
        Titles all;
        for (int i = 0; i < ResultPlotCount; ++i)
            all.push_back(axisTitles(plots.Plot(static_cast<TResultPlot>(i))));
        return all;
    };
    TResultPlots english;
    ASSERT_TRUE(english.ReadPlotFile(dataFile("PlotResults_FhwaApi.vd7p"), fhwaApiContext(), false));
    EXPECT_EQ(titles(english), (Titles{{"Unit Skin Friction (kips/ft^2)", "Depth (ft)"},
                                       {"Accumulated Skin Friction (kips)", "Depth (ft)"},
                                       {"Tip Resistance (kips)", "Depth (ft)"},
                                       {"Total Capacity (kips)", "Depth (ft)"},
                                       {"Axial Load (kips)", "Depth (ft)"},
                                       {"Capacity (kips)", "Depth (ft)"},
                                       {"Load at Pile Top (kips)", "Settlement, in."},
                                       {"Pile Movement (in)", "Load Transfer (lbs/in^2)"},
                                       {"Pile Movement (in)", "Load Transfer (lbs/in^2)"},
                                       {"Tip Load (kips)", "Settlement, in."}}));
    QTemporaryDir dir;
    TResultPlots si;
    ASSERT_TRUE(si.ReadPlotFile(writeText(dir, "si.vd7p", siFileText()), apiContext(), false));
    EXPECT_EQ(titles(si), (Titles{{"Unit Skin Friction (kN/m^2)", "Depth (m)"},
                                  {"Accumulated Skin Friction (kN)", "Depth (m)"},
                                  {"Tip Resistance (kN)", "Depth (m)"},
                                  {"Total Capacity (kN)", "Depth (m)"},
                                  {"Axial Load (kN)", "Depth (m)"},
                                  {"Capacity (kN)", "Depth (m)"},
                                  {"Load at Pile Top (kN)", "Settlement, m"},
                                  {"Pile Movement (m)", "Load Transfer (kN/m^2)"},
                                  {"Pile Movement (m)", "Load Transfer (kN/m^2)"},
                                  {"Tip Load (kN)", "Settlement, m"}}));
}

TEST(PlotResultsTest, StaleFileIsRefusedAndLeavesThePlots)
{
    TScopedMessageRecorder messages;
    TResultPlots plots;
    ASSERT_TRUE(plots.ReadPlotFile(dataFile("PlotResults_FhwaApi.vd7p"), fhwaApiContext(), true));

    // The project now ticks USACE as well: three series expected, the file has two.
    TPlotFileContext more = fhwaApiContext();
    more.ticked[2] = true;
    EXPECT_FALSE(plots.ReadPlotFile(dataFile("PlotResults_FhwaApi.vd7p"), more, true));
    EXPECT_FALSE(plots.HeaderRead());
    // Same count, but API (the file's selected method) is no longer ticked.
    TPlotFileContext other;
    other.ticked[1] = true;
    other.ticked[3] = true;
    EXPECT_FALSE(plots.ReadPlotFile(dataFile("PlotResults_FhwaApi.vd7p"), other, true));
    EXPECT_EQ(messages->Texts(), (std::vector<QString>{ReadError, ReadError}));
    // Nothing was relabelled.
    EXPECT_EQ(curveNames(plots.pltSkin()), (std::vector<QString>{"FHWA", "API"}));
}

TEST(PlotResultsTest, TruncatedFileKeepsWhatWasRead)
{
    QTemporaryDir dir;
    const std::string full = fileText(dataFile("PlotResults_FhwaApi.vd7p"));
    // Cut inside the t-z block: method blocks complete, second t-z curve incomplete.
    const std::string cut = full.substr(0, full.find("0.1400E+01"));
    TScopedMessageRecorder messages;
    TResultPlots plots;
    EXPECT_FALSE(plots.ReadPlotFile(writeText(dir, "cut.vd7p", cut), fhwaApiContext(), true));
    EXPECT_EQ(messages->Texts(), (std::vector<QString>{ReadError}));
    EXPECT_TRUE(plots.HeaderRead());
    expectPoint(plots.pltCombine().CurvePoint(2, 2), 166.5L, 20);
    EXPECT_EQ(plots.pltTZcurves().Curve(1).Name, "15 ft");
    // Messages off: nothing shown.
    messages->Clear();
    EXPECT_FALSE(plots.ReadPlotFile(writeText(dir, "bad.vd7p", " 2 x 1 4\n"), fhwaApiContext(), false));
    EXPECT_FALSE(plots.ReadPlotFile(writeText(dir, "neg.vd7p", " 2 -3 1 4\n"), fhwaApiContext(), false));
    EXPECT_FALSE(plots.ReadPlotFile(dataFile("NoSuchFile.vd7p"), fhwaApiContext(), false));
    EXPECT_TRUE(messages->Texts().empty());
}

TEST(PlotResultsTest, ProfileKeepsAtMost501Points)
{
    QTemporaryDir dir;
    // One method (FHWA), 600 points; the tables after it are all zeros.
    std::string text = " 1 600 1 1\n";
    for (int j = 0; j < 600; ++j)
        text += std::to_string(j) + " 1 2 3 4\n";
    text += " 0\n";
    for (int i = 0; i < 9 * 600 * 3 + 9 * 4; ++i)
        text += "0\n";
    TPlotFileContext c;
    c.ticked[1] = true;
    TResultPlots plots;
    ASSERT_TRUE(plots.ReadPlotFile(writeText(dir, "long.vd7p", text), c, false));
    EXPECT_EQ(plots.pltSkin().PointCount(), 600);
    EXPECT_EQ(plots.SelectedProfile().pointCount, 600);
    ASSERT_EQ(plots.SelectedProfile().depth.size(), 501u);
    EXPECT_EQ(plots.SelectedProfile().depth[500], 500);
}

TEST(PlotResultsTest, FilledPlotRendersIntoAnImage)
{
    TResultPlots plots;
    ASSERT_TRUE(plots.ReadPlotFile(dataFile("PlotResults_FhwaApi.vd7p"), fhwaApiContext(), false));
    TGraphPlot& combine = plots.pltCombine();
    ASSERT_TRUE(combine.Execute());
    ASSERT_NE(combine.PlotWindow(), nullptr);
    combine.PlotWindow()->resize(800, 600);
    const QImage image = combine.PlotWindow()->grab().toImage();
    ASSERT_FALSE(image.isNull());
    // Something is drawn: the picture is not one flat colour.
    const QRgb first = image.pixel(image.width() / 2, image.height() / 2);
    bool varied = false;
    for (int y = 0; y < image.height() && !varied; y += 3)
        for (int x = 0; x < image.width() && !varied; x += 3)
            varied = image.pixel(x, y) != first;
    EXPECT_TRUE(varied);
    EXPECT_EQ(combine.PlotWindow()->windowTitle(), "Combined Plot");
}

TEST(PlotResultsTest, LoadDistributionBandsStartAtTheGround)
{
    // The load distribution's depths run from the pile head, the layers' from the
    // ground: with 2 ft of stick-up the sand band ends at 10 + 2 = 12 ft and the strip
    // begins at 2 ft; the capacity plots keep 10.
    TPlotFileContext c = fhwaApiContext();
    c.stickup = 2;
    TResultPlots plots;
    ASSERT_TRUE(plots.ReadPlotFile(dataFile("PlotResults_FhwaApi.vd7p"), c, false));
    expectPoint(plots.pltLoad().LayerPoint(0, 0), 7, 12);
    expectPoint(plots.pltLoad().LayerPoint(2, 0), 0, 42);
    EXPECT_EQ(plots.pltLoad().LayerTop, 2);
    expectPoint(plots.pltSkin().LayerPoint(0, 0), 7, 10);
    EXPECT_EQ(plots.pltSkin().LayerTop, 0);

    // A project switched to SI after the run (file in English): 0.6096 m of stick-up
    // and the 3.048 m sand bottom are 2 ft and 10 ft: the band ends at 12 ft.
    c.units = 2;
    c.stickup = 0.6096L;
    c.layers = {{1, 3.048L}};
    ASSERT_TRUE(plots.ReadPlotFile(dataFile("PlotResults_FhwaApi.vd7p"), c, false));
    EXPECT_NEAR(static_cast<double>(plots.pltLoad().LayerPoint(0, 0).Y), 12.0, 1e-9);
    EXPECT_NEAR(static_cast<double>(plots.pltLoad().LayerTop), 2.0, 1e-9);

    // The project's stick-up goes into the reader's context.
    TProjectTables tables;
    const TProgramData data = test::MakeLayeredProject(tables);
    EXPECT_EQ(PlotFileContextOf(data, tables).stickup, 1.5L);
}

} // namespace
} // namespace veldo
