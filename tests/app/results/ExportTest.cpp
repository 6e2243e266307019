// The spreadsheet export: column letters, the workbook's sheets, legend table, data
// and charts (read back from the file's XML), the export window's check list, and the
// Graphics menu item on a real run.
#include "ExportDlg.h"

#include "Main.h"
#include "MainTestSupport.h"
#include "Messages.h"
#include "PlotScale.h"
#include "SafeWrite.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QLocale>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTimer>
#include <QXmlStreamReader>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <map>
#include <memory>

namespace veldo {
namespace {

using test::TRecordingShell;
using test::TScriptedFileDialogs;

void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

QByteArray ReadBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// ---- Reading a written workbook ------------------------------------------------------

// One member of the workbook (a zip of XML files); empty when it is not there.
QByteArray zipEntry(const QString& workbook, const QString& entry)
{
    QProcess unzip;
    unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), workbook, entry});
    if (!unzip.waitForFinished(30000) || unzip.exitCode() != 0)
        return {};
    return unzip.readAllStandardOutput();
}

// Values of the attribute `attribute` of every element `element`, in document order.
std::vector<QString> attributes(const QByteArray& xml, const QString& element, const QString& attribute)
{
    std::vector<QString> values;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == element)
            values.push_back(reader.attributes().value(attribute).toString());
    }
    return values;
}

std::vector<QString> sharedStrings(const QString& workbook)
{
    std::vector<QString> strings;
    QXmlStreamReader reader(zipEntry(workbook, QStringLiteral("xl/sharedStrings.xml")));
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QStringLiteral("t"))
            strings.push_back(reader.readElementText());
    }
    return strings;
}

// Cell reference ("B2") -> shown text: strings resolved, numbers as written.
std::map<QString, QString> sheetCells(const QString& workbook, int sheetNumber)
{
    const std::vector<QString> strings = sharedStrings(workbook);
    std::map<QString, QString> cells;
    QXmlStreamReader reader(zipEntry(workbook, QStringLiteral("xl/worksheets/sheet%1.xml").arg(sheetNumber)));
    QString ref;
    bool shared = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (!reader.isStartElement())
            continue;
        if (reader.name() == QStringLiteral("c")) {
            ref = reader.attributes().value(QStringLiteral("r")).toString();
            shared = reader.attributes().value(QStringLiteral("t")) == QStringLiteral("s");
        } else if (reader.name() == QStringLiteral("v")) {
            const QString v = reader.readElementText();
            cells[ref] = shared ? strings.at(v.toUInt()) : v;
        }
    }
    return cells;
}

std::vector<QString> sheetNames(const QString& workbook)
{
    return attributes(zipEntry(workbook, QStringLiteral("xl/workbook.xml")), QStringLiteral("sheet"),
                      QStringLiteral("name"));
}

// Hyperlink cell -> target location in a sheet.
std::map<QString, QString> hyperlinks(const QString& workbook, int sheetNumber)
{
    const QByteArray xml = zipEntry(workbook, QStringLiteral("xl/worksheets/sheet%1.xml").arg(sheetNumber));
    const std::vector<QString> refs = attributes(xml, QStringLiteral("hyperlink"), QStringLiteral("ref"));
    const std::vector<QString> locations = attributes(xml, QStringLiteral("hyperlink"), QStringLiteral("location"));
    std::map<QString, QString> links;
    for (std::size_t i = 0; i < refs.size() && i < locations.size(); ++i)
        links[refs[i]] = locations[i];
    return links;
}

// Texts of the <c:f> range formulas of a chart.
std::vector<QString> chartFormulas(const QByteArray& chartXml)
{
    std::vector<QString> formulas;
    QXmlStreamReader reader(chartXml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.qualifiedName() == QStringLiteral("c:f"))
            formulas.push_back(reader.readElementText());
    }
    return formulas;
}

// Line colour (RGB hex) of each series of a chart, in series order.
std::vector<QString> seriesLineColours(const QByteArray& chartXml)
{
    std::vector<QString> colours;
    std::vector<QString> open; // names of the enclosing elements
    QXmlStreamReader reader(chartXml);
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isEndElement()) {
            open.pop_back();
            continue;
        }
        if (!reader.isStartElement())
            continue;
        const QString name = reader.qualifiedName().toString();
        const std::vector<QString> lineColour{"c:ser", "c:spPr", "a:ln", "a:solidFill"};
        if (name == QStringLiteral("a:srgbClr") && open.size() >= 4 &&
            std::equal(lineColour.begin(), lineColour.end(), open.end() - 4))
            colours.push_back(reader.attributes().value(QStringLiteral("val")).toString());
        open.push_back(name);
    }
    return colours;
}

// ---- Plots made by hand ----------------------------------------------------------------

void setCurve(TGraphPlot& plot, int c, const QString& name, const std::vector<TFloatPoint>& points)
{
    plot.Curve(c).Name = name;
    plot.Curve(c).Points = points;
}

// SI capacity profile with two methods and three depths; English t-z curves; one
// load-settlement curve.
void fillPlots(TResultPlots& plots)
{
    TGraphPlot& skin = plots.pltSkin();
    skin.SetCurveCount(2);
    skin.SetUnits(2);
    // 0.1 + 0.2 is 0.30000000000000001665 in 80 bits: its 15-digit text is "0.3".
    setCurve(skin, 0, QStringLiteral("FHWA"), {{0, 0}, {0.1L + 0.2L, 1.5L}, {12.25L, 3}});
    // 1/3 gives the 15-digit text 0.333333333333333.
    setCurve(skin, 1, QStringLiteral("API"), {{0, 0}, {1.0L / 3.0L, 1.5L}, {-250, 3}});

    TGraphPlot& axial = plots.pltAxial();
    axial.SetCurveCount(1);
    axial.SetUnits(2);
    setCurve(axial, 0, QStringLiteral("API"), {{0, 0}, {100, 0.5L}});

    TGraphPlot& tz = plots.pltTZcurves();
    tz.SetCurveCount(3);
    tz.SetUnits(1);
    for (int c = 0; c < 3; ++c)
        setCurve(tz, c, QStringLiteral("%1 ft").arg(c + 1), {{0, 0}, {0.1L, 2}});
}

std::array<bool, ResultPlotCount> availability(std::initializer_list<TResultPlot> on)
{
    std::array<bool, ResultPlotCount> available{};
    for (TResultPlot which : on)
        available[static_cast<std::size_t>(which)] = true;
    return available;
}

class ExportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir_.isValid());
        fillPlots(plots_);
    }

    QString Path(const QString& name) const { return dir_.filePath(name); }

    QTemporaryDir dir_;
    TResultPlots plots_;
    TRecordingShell shell_;
    TScopedMessageRecorder messages_;
};

TEST(ExportColumnLetter, OneAndTwoLetterColumns)
{
    // 27: first (26 div 26) + 64 = "A", second 26 mod 26 + 65 = "A";
    // 702: 701 div 26 + 64 = 90 "Z", 701 mod 26 + 65 = 90 "Z". Beyond: three letters.
    EXPECT_EQ(ColumnLetter(1), "A");
    EXPECT_EQ(ColumnLetter(26), "Z");
    EXPECT_EQ(ColumnLetter(27), "AA");
    EXPECT_EQ(ColumnLetter(52), "AZ");
    EXPECT_EQ(ColumnLetter(53), "BA");
    EXPECT_EQ(ColumnLetter(702), "ZZ");
    EXPECT_EQ(ColumnLetter(703), "AAA");
}

// The workbook's axis titles are the plot window's.
TEST(ExportAxisTitle, UnitsExpandForThePlotsSystem)
{
    EXPECT_EQ(AxisTitle("Depth", "L2", 1), "Depth (ft)");
    EXPECT_EQ(AxisTitle("Depth", "L2", 2), "Depth (m)");
    EXPECT_EQ(AxisTitle("Unit Skin Friction", "F1/L2^2", 2), "Unit Skin Friction (kN/m^2)");
    EXPECT_EQ(AxisTitle("Settlement, in.", "", 1), "Settlement, in.");
}

TEST_F(ExportTest, WorkbookHoldsLegendDataAndChartSheets)
{
    const QString book = Path(QStringLiteral("plots.xlsx"));
    const TGraphPlot& skin = plots_.pltSkin();
    const TGraphPlot& axial = plots_.pltAxial();
    const TGraphPlot& tz = plots_.pltTZcurves();
    ASSERT_EQ(WriteExportWorkbook(book, {&skin, &axial, &tz}), QString());
    ASSERT_FALSE(zipEntry(book, QStringLiteral("xl/workbook.xml")).isEmpty()) << "unzip missing?";

    EXPECT_EQ(sheetNames(book),
              (std::vector<QString>{"Legend", "Page_1", "Plot_1", "Page_2", "Plot_2", "Page_3", "Plot_3"}));

    // Legend: header texts with their blanks, numbers, one row per plot, links to the pages.
    const std::map<QString, QString> legend = sheetCells(book, 1);
    const std::map<QString, QString> expected{
        {"B2", "     N    "},
        {"C2", "                             Plot Name                             "},
        {"D2", "  Sheet Name  "},
        {"E2", "  Chart Name  "},
        {"F2", "          Status          "},
        {"B3", "1"},
        {"C3", "Accumulated Skin Friction vs Depth"},
        {"D3", "Page_1"},
        {"E3", "Plot_1"},
        {"F3", "Complete"},
        {"B4", "2"},
        {"C4", "Axial Load vs Settlement"},
        {"D4", "Page_2"},
        {"E4", "Plot_2"},
        {"F4", "Complete"},
        {"B5", "3"},
        {"C5", "Internally-Generated t-z Curves"},
        {"D5", "Page_3"},
        {"E5", "Plot_3"},
        {"F5", "Complete"},
    };
    EXPECT_EQ(legend, expected);
    EXPECT_EQ(hyperlinks(book, 1),
              (std::map<QString, QString>{{"D3", "Page_1!A1"}, {"D4", "Page_2!A1"}, {"D5", "Page_3!A1"}}));

    // First data sheet: caption, axis titles in SI, two curves in columns A-B and C-D,
    // the points as their 15-digit texts give them.
    const std::map<QString, QString> page = sheetCells(book, 2);
    const std::map<QString, QString> data{
        {"G1", "Go to Legend Page"},
        {"A1", "Accumulated Skin Friction vs Depth"},
        {"A2", "X"},
        {"B2", "Accumulated Skin Friction (kN)"},
        {"A3", "Y"},
        {"B3", "Depth (m)"},
        {"A4", "FHWA"},
        {"C4", "API"},
        {"A5", "X"},
        {"B5", "Y"},
        {"C5", "X"},
        {"D5", "Y"},
        {"A6", "0"},
        {"B6", "0"},
        {"C6", "0"},
        {"D6", "0"},
        {"A7", "0.3"},
        {"B7", "1.5"},
        {"C7", "0.333333333333333"},
        {"D7", "1.5"},
        {"A8", "12.25"},
        {"B8", "3"},
        {"C8", "-250"},
        {"D8", "3"},
    };
    EXPECT_EQ(page, data);
    EXPECT_EQ(hyperlinks(book, 2), (std::map<QString, QString>{{"G1", "Legend!A1"}}));
    // The English t-z plot's titles.
    const std::map<QString, QString> tzPage = sheetCells(book, 4);
    EXPECT_EQ(tzPage.at("B2"), "Pile Movement (in)");
    EXPECT_EQ(tzPage.at("B3"), "Load Transfer (lbs/in^2)");
    EXPECT_EQ(tzPage.at("E4"), "3 ft");

    // Charts: one XY series per curve over rows 6 to the last point row; the depth
    // profile runs its value axis downwards, the t-z chart does not.
    const QByteArray chart1 = zipEntry(book, QStringLiteral("xl/charts/chart1.xml"));
    EXPECT_TRUE(chart1.contains("<c:scatterStyle val=\"lineMarker\"/>"));
    EXPECT_EQ(chartFormulas(chart1), (std::vector<QString>{"Page_1!$A$4", "Page_1!$A$6:$A$8", "Page_1!$B$6:$B$8",
                                                           "Page_1!$C$4", "Page_1!$C$6:$C$8", "Page_1!$D$6:$D$8"}));
    EXPECT_TRUE(chart1.contains("<c:orientation val=\"maxMin\"/>"));
    EXPECT_TRUE(chart1.contains("Accumulated Skin Friction (kN)"));
    EXPECT_TRUE(chart1.contains("<c:majorGridlines/>"));
    EXPECT_TRUE(chart1.contains("<c:autoTitleDeleted val=\"1\"/>"));
    const QByteArray chart3 = zipEntry(book, QStringLiteral("xl/charts/chart3.xml"));
    EXPECT_EQ(chartFormulas(chart3).size(), 9u);
    EXPECT_FALSE(chart3.contains("maxMin"));
}

// This suite's application object comes from the program's start-up (CreateApplication):
// under a comma-decimal user locale (the suite's de_DE.UTF-8 run) the C library formats
// numbers with "." again, so the spreadsheet library writes the number 0.3, not "0,3",
// while Qt keeps the user's locale for what the windows show.
TEST_F(ExportTest, StartUpKeepsTheWorkbooksNumbersFreeOfTheUsersLocale)
{
    EXPECT_STREQ(std::localeconv()->decimal_point, ".");
    if (std::getenv("VELDO_EXPECT_DECIMAL_COMMA")) {
        EXPECT_EQ(QLocale().decimalPoint(), QStringLiteral(","));
    }
    const QString book = Path(QStringLiteral("locale.xlsx"));
    ASSERT_EQ(WriteExportWorkbook(book, {&plots_.pltSkin()}), QString());
    const std::map<QString, QString> page = sheetCells(book, 2);
    EXPECT_EQ(page.at("A7"), "0.3");
    EXPECT_EQ(page.at("A8"), "12.25");
    EXPECT_EQ(page.at("C7"), "0.333333333333333");
}

TEST_F(ExportTest, PlotsWithoutCurvesOrWithManyCurves)
{
    // No curves: the plot keeps its number and legend row, with the status "No data",
    // no link and neither a data sheet nor a chart; the plots after it keep their numbers.
    const QString book = Path(QStringLiteral("edge.xlsx"));
    TGraphPlot& many = plots_.pltTZcurves();
    many.SetCurveCount(14);
    ASSERT_EQ(WriteExportWorkbook(book, {&plots_.pltAxial(), &plots_.PltExtraTZ(), &many}), QString());
    EXPECT_EQ(sheetNames(book), (std::vector<QString>{"Legend", "Page_1", "Plot_1", "Page_3", "Plot_3"}));
    const std::map<QString, QString> legend = sheetCells(book, 1);
    EXPECT_EQ(legend.at("B4"), "2");
    EXPECT_EQ(legend.at("C4"), "Extra t-z curves at User Specified Depths");
    EXPECT_EQ(legend.count("D4"), 0u);
    EXPECT_EQ(legend.count("E4"), 0u);
    EXPECT_EQ(legend.at("F4"), "No data");
    EXPECT_EQ(legend.at("F3"), "Complete");
    EXPECT_EQ(legend.at("D5"), "Page_3");
    EXPECT_EQ(legend.at("E5"), "Plot_3");
    EXPECT_EQ(legend.at("F5"), "Complete");
    EXPECT_EQ(hyperlinks(book, 1), (std::map<QString, QString>{{"D3", "Page_1!A1"}, {"D5", "Page_3!A1"}}));
    EXPECT_EQ(sheetCells(book, 3).at("A1"), "Internally-Generated t-z Curves");
    EXPECT_TRUE(zipEntry(book, QStringLiteral("xl/charts/chart3.xml")).isEmpty());

    // Curve 14 takes columns 27 and 28: "AA" and "AB"; two points end at row 7.
    const std::vector<QString> formulas = chartFormulas(zipEntry(book, QStringLiteral("xl/charts/chart2.xml")));
    ASSERT_EQ(formulas.size(), 14u * 3);
    EXPECT_EQ(formulas[39], "Page_3!$AA$4");
    EXPECT_EQ(formulas[40], "Page_3!$AA$6:$AA$7");
    EXPECT_EQ(formulas[41], "Page_3!$AB$6:$AB$7");
}

// Each series is drawn in its curve's colour on screen: black, blue, red, green,
// ... in turn over the curves the plot window shows (an inactive curve takes no
// turn), the twelfth shown curve black again.
TEST_F(ExportTest, ChartSeriesTakeTheScreenColoursOfTheirCurves)
{
    const QString book = Path(QStringLiteral("colours.xlsx"));
    TGraphPlot& many = plots_.pltTZcurves();
    many.SetCurveCount(13);
    for (int c = 3; c < 13; ++c)
        setCurve(many, c, QStringLiteral("%1 ft").arg(c + 1), {{0, 0}, {0.1L, 2}});
    many.Curve(1).Active = false;
    ASSERT_EQ(WriteExportWorkbook(book, {&plots_.pltSkin(), &many}), QString());
    EXPECT_EQ(seriesLineColours(zipEntry(book, QStringLiteral("xl/charts/chart1.xml"))),
              (std::vector<QString>{"000000", "0000FF"}));
    const std::vector<QString> colours = seriesLineColours(zipEntry(book, QStringLiteral("xl/charts/chart2.xml")));
    ASSERT_EQ(colours.size(), 13u);
    EXPECT_EQ(colours[0], "000000");
    EXPECT_EQ(colours[2], "0000FF");
    EXPECT_EQ(colours[3], "FF0000");
    EXPECT_EQ(colours[4], "008000");
    EXPECT_EQ(colours[11], "808080");
    EXPECT_EQ(colours[12], "000000");
}

TEST_F(ExportTest, WindowChoosesOnlyAvailablePlotsAndOpensTheWorkbook)
{
    TDlgExport dialog(plots_, shell_);
    EXPECT_EQ(dialog.windowTitle(), "Export to Excel");
    dialog.SetWorkbookPath(Path(QStringLiteral("out.xlsx")));
    dialog.FormActivate(availability({TResultPlot::Skin, TResultPlot::Axial, TResultPlot::TZcurves}));
    dialog.show();

    QListWidget* list = dialog.PlotList();
    ASSERT_EQ(list->count(), ResultPlotCount);
    EXPECT_EQ(list->item(0)->text(), "Unit Skin Friction vs Depth");
    EXPECT_EQ(list->item(9)->text(), "Internally-Generated Q-w Curve");
    for (int i = 0; i < ResultPlotCount; ++i) {
        const bool on = i == 1 || i == 6 || i == 7;
        EXPECT_EQ(list->item(i)->flags().testFlag(Qt::ItemIsEnabled), on) << i;
        EXPECT_EQ(list->item(i)->checkState() == Qt::Checked, on) << i;
    }

    // Unselect All disables Generate; Select All checks only the enabled entries.
    QTest::mouseClick(dialog.findChild<QPushButton*>("UnselectAll"), Qt::LeftButton);
    EXPECT_FALSE(dialog.GenerateButton()->isEnabled());
    EXPECT_TRUE(dialog.CheckedPlots().empty());
    QTest::mouseClick(dialog.findChild<QPushButton*>("SelectAll"), Qt::LeftButton);
    EXPECT_EQ(dialog.CheckedPlots().size(), 3u);
    EXPECT_EQ(list->item(0)->checkState(), Qt::Unchecked);

    // Unchecking the skin plot renumbers the rest 1, 2 without gaps.
    list->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_TRUE(dialog.GenerateButton()->isEnabled());
    QTest::mouseClick(dialog.GenerateButton(), Qt::LeftButton);
    EXPECT_TRUE(messages_->Entries().empty());
    ASSERT_EQ(shell_.urls.size(), 1u);
    EXPECT_EQ(shell_.urls[0], QUrl::fromLocalFile(Path(QStringLiteral("out.xlsx"))));
    EXPECT_EQ(sheetNames(Path(QStringLiteral("out.xlsx"))),
              (std::vector<QString>{"Legend", "Page_1", "Plot_1", "Page_2", "Plot_2"}));
    EXPECT_EQ(sheetCells(Path(QStringLiteral("out.xlsx")), 1).at("C3"), "Axial Load vs Settlement");

    // The window stays open until "Close Window".
    EXPECT_TRUE(dialog.isVisible());
    QTest::mouseClick(dialog.findChild<QPushButton*>("CloseWindow"), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
}

// A workbook that cannot be written is reported with its path and the reason and
// is not opened; a workbook no application opens is only said to be written.
TEST_F(ExportTest, AWorkbookThatCannotBeWrittenIsReportedAndNotOpened)
{
    WriteBytes(Path(QStringLiteral("notes.txt")), "x");
    const QString inFile = Path(QStringLiteral("notes.txt/out.xlsx")); // its "folder" is a regular file
    TDlgExport dialog(plots_, shell_);
    dialog.SetWorkbookPath(inFile);
    dialog.FormActivate(availability({TResultPlot::Skin}));
    EXPECT_FALSE(dialog.GenerateClick());
    ASSERT_EQ(messages_->Entries().size(), 1u);
    EXPECT_EQ(messages_->Entries()[0].kind, TMessageKind::Error);
    EXPECT_EQ(messages_->Texts()[0], "The workbook could not be written:\r" + inFile + "\rNot a directory");
    EXPECT_TRUE(shell_.urls.empty());

    messages_->Clear();
    shell_.succeed = false;
    const QString book = Path(QStringLiteral("out.xlsx"));
    dialog.SetWorkbookPath(book);
    EXPECT_TRUE(dialog.GenerateClick());
    EXPECT_TRUE(QFile::exists(book));
    ASSERT_EQ(messages_->Entries().size(), 1u);
    EXPECT_EQ(messages_->Entries()[0].kind, TMessageKind::Information);
    EXPECT_EQ(messages_->Texts()[0],
              "The workbook was written to " + book + ".\r" + book + ": xdg-open ended with exit code 3");
    EXPECT_EQ(QDir(dir_.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral("notes.txt"), QStringLiteral("out.xlsx")}));
}

// An existing workbook is replaced only on Yes; No writes nothing, and a replacement
// that fails part-way leaves the old workbook as it was.
TEST_F(ExportTest, AnExistingWorkbookIsReplacedOnlyWhenTheUserSaysYes)
{
    const QString book = Path(QStringLiteral("out.xlsx"));
    WriteBytes(book, "an earlier workbook");
    TDlgExport dialog(plots_, shell_);
    dialog.SetWorkbookPath(book);
    dialog.FormActivate(availability({TResultPlot::Skin}));
    dialog.show();
    const QString question = "The workbook " + book + " exists. Replace it?";

    messages_->QueueAnswer(TMessageAnswer::No);
    QTest::mouseClick(dialog.GenerateButton(), Qt::LeftButton);
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{question});
    EXPECT_EQ(ReadBytes(book), "an earlier workbook");
    EXPECT_TRUE(shell_.urls.empty());

    messages_->Clear();
    {
        const TScopedSafeWriteFaults refused({false, 1}); // the old workbook cannot be set aside
        messages_->QueueAnswer(TMessageAnswer::Yes);
        QTest::mouseClick(dialog.GenerateButton(), Qt::LeftButton);
    }
    EXPECT_EQ(messages_->Texts(),
              (std::vector<QString>{question, "The workbook could not be written:\r" + book + "\rInput/output error"}));
    EXPECT_EQ(ReadBytes(book), "an earlier workbook");

    messages_->Clear();
    messages_->QueueAnswer(TMessageAnswer::Yes);
    QTest::mouseClick(dialog.GenerateButton(), Qt::LeftButton);
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{question});
    EXPECT_EQ(sheetNames(book), (std::vector<QString>{"Legend", "Page_1", "Plot_1"}));
    EXPECT_EQ(shell_.urls.size(), 1u);
}

// The Graphics menu item after a run through the engine library: the window lists the
// plots whose items are enabled and writes the workbook beside the project.
TEST(ExportFromMainWindow, GraphicsItemExportsTheRunsPlots)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString startDir = QDir::currentPath();
    const QString example = QStringLiteral(VELDO_EXAMPLES_DIR "/PipeSandClay_English");
    const QString project = dir.filePath(QStringLiteral("pipe.vd7d"));
    ASSERT_TRUE(QFile::copy(example + QStringLiteral(".vd7d"), project));
    QFile::copy(example + QStringLiteral(".cpt"), dir.filePath(QStringLiteral("pipe.cpt")));

    TScopedMessageRecorder messages;
    TScriptedFileDialogs dialogs;
    TRecordingShell shell;
    TMainFormOptions options;
    options.settingsFile = dir.filePath(QStringLiteral("VELDO.ini"));
    options.programDir = QStringLiteral(VELDO_BIN_DIR);
    options.arguments = QStringList{project};
    options.fileDialogs = &dialogs;
    options.shell = &shell;
    auto form = std::make_unique<TMainForm>(std::move(options));
    form->show();

    form->GraphicsMenuClick();
    EXPECT_FALSE(form->Action("GraphExport")->isEnabled());
    form->Action("CompRun")->trigger();
    ASSERT_TRUE(form->ResultsFlag());
    form->GraphicsMenuClick();
    EXPECT_TRUE(form->Action("GraphExport")->isEnabled());

    int enabled = 0;
    QTimer::singleShot(0, [&] {
        auto* dialog = form->findChild<TDlgExport*>();
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(QApplication::activeModalWidget(), dialog);
        for (int i = 0; i < dialog->PlotList()->count(); ++i)
            enabled += dialog->PlotList()->item(i)->flags().testFlag(Qt::ItemIsEnabled) ? 1 : 0;
        dialog->GenerateClick();
        dialog->accept();
    });
    form->Action("GraphExport")->trigger();

    // Every Graphics item; the extra t-z curves only when the project prints them.
    const int available = form->Data().PrintTzAtDepths == 1 ? 10 : 9;
    EXPECT_EQ(enabled, available);
    const QString book = dir.filePath(QStringLiteral("pipe.xlsx"));
    ASSERT_EQ(shell.urls.size(), 1u);
    EXPECT_EQ(shell.urls[0], QUrl::fromLocalFile(book));
    EXPECT_EQ(sheetNames(book).size(), static_cast<std::size_t>(2 * available + 1));
    // The skin-friction page holds one curve per ticked method with the plot's points.
    const std::map<QString, QString> page2 = sheetCells(book, 3);
    EXPECT_EQ(page2.at("A4"), form->Plots().pltSkin().Curve(0).Name);
    const int lastRow = 5 + form->Plots().pltSkin().PointCount();
    EXPECT_EQ(page2.count(QStringLiteral("B%1").arg(lastRow)), 1u);
    EXPECT_EQ(page2.count(QStringLiteral("B%1").arg(lastRow + 1)), 0u);

    form.reset();
    QDir::setCurrent(startDir);
}

} // namespace
} // namespace veldo
