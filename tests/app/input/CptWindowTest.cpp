// The CPT data window: reading CPT text files (header lines, counted values, the rest
// of a line skipped), the conversions to blow counts and undrained strength, the
// profile replaced only by a complete read, the messages of missing and malformed
// files, the saved CPT file, and the window's loading, commit and buttons.
#include "CPTOptions.h"
#include "DataEdit.h"
#include "Main.h"
#include "MainTestSupport.h"
#include "Messages.h"
#include "PlotForm.h"
#include "WordRead.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>

#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <memory>

namespace veldo {
namespace {

using test::Click;
using test::Enter;
using test::TypeOver;

QString DataFile(const char* name) { return QDir(QStringLiteral(VELDO_TEST_DATA_DIR)).filePath(QLatin1String(name)); }

std::filesystem::path DataPath(const char* name) { return std::filesystem::path(DataFile(name).toStdString()); }

std::string ReadError(const std::filesystem::path& file, const TCptReadSettings& settings)
{
    try {
        ReadCptPoints(file, settings, TCptConversion::Qc);
    } catch (const EInOutError& e) {
        return e.what();
    }
    return "no error";
}

TCptReadSettings Settings(int dataLines, int headerLines, int valuesPerLine, long double ua = 1.0L,
                          int units = UnitSystem::English)
{
    TCptReadSettings s;
    s.dataLines = dataLines;
    s.headerLines = headerLines;
    s.valuesPerLine = valuesPerLine;
    s.ua = ua;
    s.units = units;
    return s;
}

// ---- Reading and converting -------------------------------------------------------

TEST(CptFileRead, HeaderLinesAreSkippedAndOnlyTheCountedValuesOfTheCountedLinesAreRead)
{
    // cpt_sample.txt: 2 header lines, then "1.0 40.0 0.52 0.10", "2.0 80.0 0.95 0.20 loose",
    // "3.5 120.0 1.40 0.30" and a last line of words. With 4 values per line, values 3
    // and 4 are read and dropped, "loose" is skipped with its line, the last line is
    // never read.
    const auto points = ReadCptPoints(DataPath("cpt_sample.txt"), Settings(3, 2, 4), TCptConversion::Qc);
    ASSERT_EQ(points.size(), 3u);
    const long double depths[] = {1.0L, 2.0L, 3.5L};
    const long double cones[] = {40.0L, 80.0L, 120.0L};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(points[i].Y, depths[i]) << i;
        EXPECT_EQ(points[i].X, cones[i]) << i;
    }
    // Two values per line: the rest of each line is skipped just the same.
    const auto two = ReadCptPoints(DataPath("cpt_sample.txt"), Settings(2, 2, 2), TCptConversion::Qc);
    ASSERT_EQ(two.size(), 2u);
    EXPECT_EQ(two[1].Y, 2.0L);
    EXPECT_EQ(two[1].X, 80.0L);
}

// cpt_bom.txt starts with the UTF-8 byte-order mark that spreadsheets write, directly
// before the first depth.
TEST(CptFileRead, AByteOrderMarkIsNotPartOfTheFirstValue)
{
    const auto points = ReadCptPoints(DataPath("cpt_bom.txt"), Settings(2, 0, 2), TCptConversion::Qc);
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0].Y, 1.0L);
    EXPECT_EQ(points[1].X, 80.0L);
}

TEST(CptFileRead, ConversionsOfTheConeResistance)
{
    const TCptReadSettings english = Settings(2, 0, 2);
    const TCptReadSettings si = Settings(2, 0, 2, 1.0L, UnitSystem::SI);
    const TCptReadSettings mpa = Settings(2, 0, 2, 1000.0L, UnitSystem::SI);
    // Qc: Ua x qc; 2.5 MPa x 1000 = 2500 kPa.
    EXPECT_EQ(CptProfileValue(40.0L, TCptConversion::Qc, english), 40.0L);
    EXPECT_EQ(CptProfileValue(2.5L, TCptConversion::Qc, mpa), 2500.0L);
    // SPT, English: 40 ksf x 47.875 / 280 = 1915 / 280 = 6.8392857142857...
    EXPECT_NEAR(static_cast<double>(CptProfileValue(40.0L, TCptConversion::Spt, english)), 6.839285714285714, 1e-12);
    // SPT, SI: 4000 kPa / 280 = 14.285714285714...; 2.5 MPa x 1000 / 280 = 8.9285714...
    EXPECT_NEAR(static_cast<double>(CptProfileValue(4000.0L, TCptConversion::Spt, si)), 14.285714285714286, 1e-12);
    EXPECT_NEAR(static_cast<double>(CptProfileValue(2.5L, TCptConversion::Spt, mpa)), 8.928571428571429, 1e-12);
    // Su: Ua x qc / 15: 120 ksf / 15 = 8 ksf; 5 MPa x 1000 / 15 = 333.33... kPa.
    EXPECT_EQ(CptProfileValue(120.0L, TCptConversion::Su, english), 8.0L);
    EXPECT_NEAR(static_cast<double>(CptProfileValue(5.0L, TCptConversion::Su, mpa)), 333.3333333333333, 1e-10);
}

TEST(CptFileRead, PlotTextsInEnglishAndSI)
{
    const TCptPlotTexts qc = CptPlotTexts(TCptConversion::Qc, UnitSystem::English);
    EXPECT_EQ(qc.caption, "CPT Profile");
    EXPECT_EQ(qc.xCaption, "Qc, ksf");
    EXPECT_EQ(qc.yCaption, "Depth, ft");
    EXPECT_EQ(qc.curveName, "CPT Data");
    EXPECT_EQ(CptPlotTexts(TCptConversion::Qc, UnitSystem::SI).xCaption, "Qc, kPa");
    EXPECT_EQ(CptPlotTexts(TCptConversion::Qc, UnitSystem::SI).yCaption, "Depth, m");

    for (int units : {UnitSystem::English, UnitSystem::SI}) {
        const TCptPlotTexts spt = CptPlotTexts(TCptConversion::Spt, units);
        EXPECT_EQ(spt.caption, "Converted SPT from CPT Data");
        EXPECT_EQ(spt.xCaption, "SPT, N");
        EXPECT_EQ(spt.curveName, "Converted SPT");
    }
    const TCptPlotTexts su = CptPlotTexts(TCptConversion::Su, UnitSystem::English);
    EXPECT_EQ(su.caption, "Converted Undrained Shear Strength Su from CPT Data");
    EXPECT_EQ(su.xCaption, "Undrained Shear Strength Su, k/ft^2");
    EXPECT_EQ(su.curveName, "Converted Su");
    EXPECT_EQ(CptPlotTexts(TCptConversion::Su, UnitSystem::SI).xCaption, "Undrained Shear Strength Su, kPa");
}

TEST(CptFileRead, ErrorsNameTheLineAndTheItem)
{
    // "2.0 8O.0" (a letter O) on line 3.
    EXPECT_EQ(ReadError(DataPath("cpt_malformed.txt"), Settings(2, 1, 2)),
              "Error on Line 3 Item 2\rA floating point number was expected but not found.");
    // A fourth data line asked of cpt_sample.txt: line 6 starts with "end".
    EXPECT_EQ(ReadError(DataPath("cpt_sample.txt"), Settings(4, 2, 4)),
              "Error on Line 6 Item 1\rA floating point number was expected but not found.");
    // cpt_mpa.txt has 3 lines: a third data line would be line 4.
    EXPECT_EQ(ReadError(DataPath("cpt_mpa.txt"), Settings(3, 1, 2)),
              "Error on Line 4 Item 1\rThis file either invalid or incomplete.");
    // More header lines than the file has.
    EXPECT_EQ(ReadError(DataPath("cpt_mpa.txt"), Settings(2, 50, 2)),
              "Error on Line 4 Item 1\rThis file either invalid or incomplete.");
    // Counted values running past the end of the last line.
    EXPECT_EQ(ReadError(DataPath("cpt_mpa.txt"), Settings(2, 1, 3)),
              "Error on Line 4 Item 1\rThis file either invalid or incomplete.");
}

// ---- The window --------------------------------------------------------------------

class CptWindowTest : public test::TMainWindowTest {
protected:
    void TearDown() override
    {
        form_.reset();
        QDir::setCurrent(workingDir_); // opening a project makes its folder current
    }

    TGraphPlot& Profile() { return form_->Tables().MotionInput(); }

    TDlgInputMotion& Open()
    {
        return test::OpenByMenu<TDlgInputMotion>(Form(), QStringLiteral("DataMenu"), QStringLiteral("DataCpt"));
    }

    // Types the file name, the counts and Ua into the window, each field left with Tab.
    static void TypeSettings(TDlgInputMotion& w, const QString& file, int dataLines, int headerLines, int values,
                             const QString& ua = "1")
    {
        Enter(w.FileNameEdit(), file);
        Enter(w.DataLinesEdit(), QString::number(dataLines));
        Enter(w.HeaderLinesEdit(), QString::number(headerLines));
        Enter(w.ValuesPerLineEdit(), QString::number(values));
        Enter(w.UaEdit(), ua);
    }
    // The window opened and set to read `file` with the given counts and Ua.
    TDlgInputMotion& OpenFor(const QString& file, int dataLines, int headerLines, int values, const QString& ua = "1")
    {
        TDlgInputMotion& w = Open();
        TypeSettings(w, file, dataLines, headerLines, values, ua);
        return w;
    }

    // File > Save of the project as Site.vd7d in the test folder (a project with a
    // file of its own, so the open window commits and stays open); the project is
    // then no longer modified.
    void Save() { ASSERT_TRUE(test::SaveNamedByMenu(Form(), dir_.filePath(QStringLiteral("Site.vd7d")))); }

    std::vector<TFloatPoint> Points()
    {
        return Profile().CurveCount() ? Profile().Curve(0).Points : std::vector<TFloatPoint>{};
    }

    QByteArray ReadBytes(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    const QString workingDir_ = QDir::currentPath();
};

QStringList Texts(const QWidget& window)
{
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>())
        texts.push_back(label->text());
    for (const QPushButton* button : window.findChildren<QPushButton*>())
        texts.push_back(button->text());
    return texts;
}

TEST_F(CptWindowTest, TheMenuItemOpensOneWindowLoadedFromTheProject)
{
    Data().CptDataFileName = QStringLiteral("c12.txt");
    Data().Integers[kCptDataLinesEntry] = 120;
    Data().Integers[kCptHeaderLinesEntry] = 3;
    Data().Integers[kCptValuesPerLineEntry] = 5;
    ASSERT_TRUE(Form().Action(QStringLiteral("DataCpt"))->isEnabled());
    EXPECT_EQ(Form().Action(QStringLiteral("DataCpt"))->text(), "CPT Data File (optional for cone-based method)");

    TDlgInputMotion& w = Open();
    EXPECT_EQ(w.windowTitle(), "Data of Cone Penetration Test");
    EXPECT_EQ(w.FileNameEdit().text(), "c12.txt");
    EXPECT_EQ(w.DataLinesEdit().text(), "120");
    EXPECT_EQ(w.HeaderLinesEdit().text(), "3");
    EXPECT_EQ(w.ValuesPerLineEdit().text(), "5");
    EXPECT_EQ(w.UaEdit().text(), "1");
    EXPECT_TRUE(w.EditFileButton().isEnabled());
    const QStringList texts = Texts(w);
    for (const char* text :
         {"Name of file for input cone data", "Number of data lines to be read from the file",
          "Number of header lines in file containing cone data",
          "Number of data columns per line to be read from the data file", "Unit conversion factor for stress, Ua",
          "( ksf is required for English units and kPa is used for S.I. units)",
          "(Ex. Ua=1000 if MPa instead of kPa is used in the field CPT data.)",
          "( The first two columns are reserved for Depth and  Qc )", "&Browse...", "Edit File", "Qc versus depth",
          "Converted SPT versus depth", "Converted Su versus depth", "Close"})
        EXPECT_TRUE(texts.contains(QLatin1String(text))) << text;
    EXPECT_FALSE(Form().IsModified());

    // A second click brings the same window forward.
    EXPECT_EQ(&Open(), &w);

    // Edit File is enabled only while a file name is entered.
    TypeOver(w.FileNameEdit(), QString());
    EXPECT_FALSE(w.EditFileButton().isEnabled());
    TypeOver(w.FileNameEdit(), QStringLiteral("a.acc"));
    EXPECT_TRUE(w.EditFileButton().isEnabled());
}

// The name and the counts say how to read a text file: stored for the next read, never
// a change of the project.
TEST_F(CptWindowTest, CommitStoresTheNameAndRoundedCountsWithoutMarkingTheProject)
{
    TDlgInputMotion& w = Open();
    // A new project's entries are 0: the fields show their lower bounds.
    EXPECT_EQ(w.DataLinesEdit().text(), "2");
    EXPECT_EQ(w.ValuesPerLineEdit().text(), "2");
    EXPECT_EQ(w.HeaderLinesEdit().text(), "0");
    Save();

    // The stored value typed again, and the factor Ua (not stored), change nothing.
    Enter(w.DataLinesEdit(), QStringLiteral("2"));
    Enter(w.UaEdit(), QStringLiteral("1000"));
    EXPECT_FALSE(Form().IsModified());

    Enter(w.DataLinesEdit(), QStringLiteral("24.6"));
    Enter(w.HeaderLinesEdit(), QStringLiteral("2.4"));
    Enter(w.ValuesPerLineEdit(), QStringLiteral("3"));
    Enter(w.FileNameEdit(), QStringLiteral("site/c12.acc"));
    EXPECT_FALSE(Form().IsModified()); // how to read a file is not part of the project
    Save();
    EXPECT_EQ(Data().Integers[kCptDataLinesEntry], 25);
    EXPECT_EQ(Data().Integers[kCptHeaderLinesEntry], 2);
    EXPECT_EQ(Data().Integers[kCptValuesPerLineEntry], 3);
    EXPECT_EQ(Data().CptDataFileName, "site/c12.acc");

    Enter(w.FileNameEdit(), QStringLiteral("site/c13.acc"));
    EXPECT_FALSE(Form().IsModified());

    // An entry above its bound in the focused field is neither committed nor closed.
    TypeOver(w.HeaderLinesEdit(), QStringLiteral("51"));
    ASSERT_TRUE(test::ChooseMenuItem(Form(), QStringLiteral("FileMenu"), QStringLiteral("FileSave")));
    QTest::keyClick(&w.HeaderLinesEdit(), Qt::Key_F4, Qt::ControlModifier); // the window's Close
    EXPECT_EQ(messages_->Texts(), (std::vector<QString>{QStringLiteral("Entry must be less than or equal to 50"),
                                                        QStringLiteral("Entry must be less than or equal to 50")}));
    EXPECT_EQ(Data().Integers[kCptHeaderLinesEntry], 2);
    ASSERT_EQ(FindInputWindow<TDlgInputMotion>(Form()), &w);
    EXPECT_EQ(w.HeaderLinesEdit().text(), "51");
    TypeOver(w.HeaderLinesEdit(), QStringLiteral("4"));
    messages_->Clear();

    // Closed and opened again: a new window loaded from the project; Ua starts at 1.
    Click(w.CloseButton());
    EXPECT_EQ(FindInputWindow<TDlgInputMotion>(Form()), nullptr);
    TDlgInputMotion& again = Open();
    EXPECT_EQ(again.FileNameEdit().text(), "site/c13.acc");
    EXPECT_EQ(again.DataLinesEdit().text(), "25");
    EXPECT_EQ(again.HeaderLinesEdit().text(), "4");
    EXPECT_EQ(again.UaEdit().text(), "1");
    EXPECT_TRUE(messages_->Entries().empty());
}

TEST_F(CptWindowTest, QcReadFillsTheProfileAndShowsItsPlotWindow)
{
    TDlgInputMotion& w = OpenFor(DataFile("cpt_sample.txt"), 3, 2, 4);
    Save();
    Click(w.QcButton());
    EXPECT_TRUE(messages_->Entries().empty()) << messages_->Texts().front().toStdString();

    const auto points = Points();
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[2].Y, 3.5L);
    EXPECT_EQ(points[2].X, 120.0L);
    EXPECT_EQ(Profile().CurveCount(), 1);
    EXPECT_EQ(Profile().Caption, "CPT Profile");
    EXPECT_EQ(Profile().XCaption, "Qc, ksf");
    EXPECT_EQ(Profile().YCaption, "Depth, ft");
    EXPECT_EQ(Profile().Curve(0).Name, "CPT Data");
    EXPECT_EQ(Data().CptPointCount(), 3);
    EXPECT_EQ(Data().Integers[kCptDataLinesEntry], 3); // the settings were committed
    EXPECT_TRUE(Form().IsModified());

    // The profile's plot window is a child of the main window's MDI area.
    TPlotForm* plot = Profile().PlotWindow();
    ASSERT_NE(plot, nullptr);
    auto* frame = qobject_cast<QMdiSubWindow*>(plot->parentWidget());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->mdiArea(), Form().MdiArea());
    EXPECT_EQ(plot->Legend()->Items, std::vector<QString>{QStringLiteral("CPT Data")});

    // A converted view gets a window of its own; the profile keeps its window.
    Click(w.SuButton());
    TGraphPlot& view = Form().Tables().CptView();
    ASSERT_NE(view.PlotWindow(), nullptr);
    EXPECT_EQ(view.PlotWindow()->Legend()->Items, std::vector<QString>{QStringLiteral("Converted Su")});
    EXPECT_EQ(Profile().PlotWindow()->Legend()->Items, std::vector<QString>{QStringLiteral("CPT Data")});
    EXPECT_EQ(Form().MdiArea()->subWindowList().size(), 3); // the input window and two plots
}

// Viewing the profile as blow counts or undrained strength replaced the cone
// resistances that are saved and that the engine reads (and a unit switch then
// scaled blow counts as a stress). The profile stays cone resistance; the views are
// computed from it, and again after a unit switch.
TEST_F(CptWindowTest, ConvertedViewsLeaveTheSavedConeResistance)
{
    TDlgInputMotion& w = OpenFor(DataFile("cpt_sample.txt"), 3, 2, 4);
    for (QPushButton* view : {&w.SptButton(), &w.SuButton()})
        Click(*view);
    ASSERT_TRUE(messages_->Entries().empty());
    EXPECT_EQ(Profile().XCaption, "Qc, ksf");
    EXPECT_EQ(Points().at(2).X, 120.0L);
    TGraphPlot& view = Form().Tables().CptView();
    EXPECT_EQ(view.Caption, "Converted Undrained Shear Strength Su from CPT Data");
    EXPECT_EQ(view.Curve(0).Point(2).X, 8.0L); // 120 / 15
    ASSERT_NE(view.PlotWindow(), nullptr);

    const QString project = dir_.filePath(QStringLiteral("Pier.vd7d"));
    dialogs_.saveAnswers.push_back(project);
    Form().Action(QStringLiteral("FileSave"))->trigger();
    // English profiles are written in psf.
    EXPECT_EQ(ReadBytes(dir_.filePath(QStringLiteral("Pier.cpt"))), " 1 3\r\n"
                                                                    "  1.000000000E+00  4.000000000E+04\r\n"
                                                                    "  2.000000000E+00  8.000000000E+04\r\n"
                                                                    "  3.500000000E+00  1.200000000E+05\r\n");

    // To SI: depth x 0.3048, cone resistance x 47.880259 kPa per ksf; the view follows.
    Form().Action(QStringLiteral("OptionsSI"))->trigger();
    Form().Action(QStringLiteral("FileSave"))->trigger();
    EXPECT_EQ(ReadBytes(dir_.filePath(QStringLiteral("Pier.cpt"))), " 2 3\r\n"
                                                                    "  3.048000000E-01  1.915210359E+03\r\n"
                                                                    "  6.096000000E-01  3.830420718E+03\r\n"
                                                                    "  1.066800000E+00  5.745631078E+03\r\n");
    EXPECT_EQ(view.XCaption, "Undrained Shear Strength Su, kPa");
    EXPECT_EQ(view.Curve(0).Point(2).X, Points().at(2).X / 15);
    EXPECT_NEAR(static_cast<double>(view.Curve(0).Point(2).X), 383.0420718, 1e-6);
}

TEST_F(CptWindowTest, AReadProfileComesBackWhenTheProjectIsOpenedAgain)
{
    TDlgInputMotion& w = OpenFor(DataFile("cpt_sample.txt"), 3, 2, 4);
    Click(w.QcButton());
    const QString path = dir_.filePath(QStringLiteral("Quay.vd7d"));
    ASSERT_TRUE(test::SaveByMenu(Form(), dialogs_, path));
    // ksf kept, psf written: 40 ksf -> 4.000000000E+04.
    EXPECT_EQ(ReadBytes(dir_.filePath(QStringLiteral("Quay.cpt"))), " 1 3\r\n"
                                                                    "  1.000000000E+00  4.000000000E+04\r\n"
                                                                    "  2.000000000E+00  8.000000000E+04\r\n"
                                                                    "  3.500000000E+00  1.200000000E+05\r\n");

    ASSERT_TRUE(Form().OpenFileName(path, 1));
    EXPECT_EQ(Data().CptPointCount(), 3);
    const auto points = Points();
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[1].Y, 2.0L);
    EXPECT_EQ(points[1].X, 80.0L);
    EXPECT_EQ(Profile().XCaption, "Qc, ksf");
    EXPECT_TRUE(messages_->Entries().empty());
}

TEST_F(CptWindowTest, SIUndrainedStrengthFromMegapascalData)
{
    Form().UnitsClick(UnitSystem::SI);
    // cpt_mpa.txt: 1 header line, then 0.5 m 2.5 MPa and 1.0 m 5.0 MPa; Ua = 1000.
    TDlgInputMotion& w = OpenFor(DataFile("cpt_mpa.txt"), 2, 1, 2, QStringLiteral("1000"));
    Click(w.SuButton());
    ASSERT_TRUE(messages_->Entries().empty());
    const std::vector<TFloatPoint>& points = Form().Tables().CptView().Curves.at(0).Points;
    ASSERT_EQ(points.size(), 2u);
    // 2500 kPa / 15 = 166.666...; 5000 kPa / 15 = 333.333...
    EXPECT_EQ(points[0].Y, 0.5L);
    EXPECT_NEAR(static_cast<double>(points[0].X), 166.66666666666666, 1e-10);
    EXPECT_NEAR(static_cast<double>(points[1].X), 333.3333333333333, 1e-10);
    EXPECT_EQ(Form().Tables().CptView().XCaption, "Undrained Shear Strength Su, kPa");
    EXPECT_EQ(Form().Tables().CptView().YCaption, "Depth, m");
    EXPECT_EQ(Points()[1].X, 5000.0L); // the profile itself is cone resistance

    // The same data as Qc in kPa: 2.5 MPa x 1000.
    ASSERT_TRUE(w.ReadMotionData(DataFile("cpt_mpa.txt"), true));
    EXPECT_EQ(Points()[1].X, 5000.0L);
    EXPECT_EQ(Profile().XCaption, "Qc, kPa");
}

TEST_F(CptWindowTest, AFailedReadKeepsTheProfileAndNamesFileLineAndItem)
{
    TDlgInputMotion& w = OpenFor(DataFile("cpt_sample.txt"), 3, 2, 4);
    Click(w.QcButton());
    ASSERT_EQ(Points().size(), 3u);

    const QString malformed = DataFile("cpt_malformed.txt");
    TypeSettings(w, malformed, 2, 1, 2);
    Save(); // the new settings are an edit of their own
    Click(w.SptButton());
    ASSERT_EQ(messages_->Entries().size(), 1u);
    EXPECT_EQ(messages_->Entries()[0].kind, TMessageKind::Information);
    EXPECT_EQ(messages_->Entries()[0].text,
              "There was an error reading the input CPT file.\r" + malformed +
                  "\rError on Line 3 Item 2\rA floating point number was expected but not found.");
    // Everything as before the failed read.
    const auto points = Points();
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[0].X, 40.0L);
    EXPECT_EQ(Profile().Caption, "CPT Profile");
    EXPECT_EQ(Profile().Curve(0).Name, "CPT Data");
    EXPECT_EQ(Data().CptPointCount(), 3);
    EXPECT_FALSE(Form().IsModified());

    // Without messages the failure is only the result.
    messages_->Clear();
    EXPECT_FALSE(w.ReadMotionDataSu(malformed, false));
    EXPECT_TRUE(messages_->Entries().empty());
    EXPECT_EQ(Points().size(), 3u);
}

TEST_F(CptWindowTest, AMissingFileIsNamedAndNothingIsRead)
{
    const QString missing = dir_.filePath(QStringLiteral("none.txt"));
    TDlgInputMotion& w = OpenFor(missing, 3, 2, 4);
    Click(w.QcButton());
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{"File " + missing + " does not exist"});
    EXPECT_EQ(Profile().PointCount(), 0);
    EXPECT_EQ(Data().CptPointCount(), 0);
    EXPECT_EQ(Profile().PlotWindow(), nullptr);

    // No name at all.
    messages_->Clear();
    TypeOver(w.FileNameEdit(), QString());
    Click(w.SptButton());
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{"No CPT data file is named."});
    EXPECT_EQ(Profile().PointCount(), 0);
}

TEST_F(CptWindowTest, MoreDataLinesThanTheEngineHoldsAreRefused)
{
    TDlgInputMotion& w = OpenFor(DataFile("cpt_sample.txt"), 3, 2, 4);
    Enter(w.DataLinesEdit(), QStringLiteral("1001"), Qt::Key_Return);
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{QStringLiteral("Entry must be less than or equal to 1000")});
    EXPECT_EQ(Profile().PointCount(), 0);
    EXPECT_EQ(w.DataLinesEdit().text(), "1000");
    EXPECT_TRUE(w.DataLinesEdit().hasFocus());

    messages_->Clear();
    Enter(w.DataLinesEdit(), QStringLiteral("1"));
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{QStringLiteral("Entry must be greater than or equal to 2")});
    EXPECT_EQ(Profile().PointCount(), 0);
    EXPECT_EQ(w.DataLinesEdit().text(), "2");
    EXPECT_TRUE(w.DataLinesEdit().hasFocus());
    // The bound the field now shows is what the read uses.
    messages_->Clear();
    Click(w.QcButton());
    EXPECT_TRUE(messages_->Entries().empty());
    EXPECT_EQ(Profile().PointCount(), 2);
}

TEST_F(CptWindowTest, BrowseStartsAtTheNameAndEditFileStartsTheEditor)
{
    TDlgInputMotion& w = OpenFor(QStringLiteral("old.txt"), 3, 2, 4);
    QString startedAt;
    w.SetBrowser([&](QWidget*, const QString& fileName) -> std::optional<QString> {
        startedAt = fileName;
        return QStringLiteral("/data/c14.acc");
    });
    Form().SetModified(false);
    Click(w.BrowseButton());
    // A name without a folder is taken in the project's folder (home: never saved).
    EXPECT_EQ(startedAt, QDir::home().filePath(QStringLiteral("old.txt")));
    EXPECT_EQ(w.FileNameEdit().text(), "/data/c14.acc");
    EXPECT_FALSE(Form().IsModified()); // how to read a file is not part of the project

    // Cancel keeps the name.
    w.SetBrowser([](QWidget*, const QString&) -> std::optional<QString> { return std::nullopt; });
    Click(w.BrowseButton());
    EXPECT_EQ(w.FileNameEdit().text(), "/data/c14.acc");

    Form().SetEditorPath(QStringLiteral("/usr/bin/kate"));
    Click(w.EditFileButton());
    ASSERT_EQ(shell_.started.size(), 1u);
    EXPECT_EQ(shell_.started[0].first, "/usr/bin/kate");
    EXPECT_EQ(shell_.started[0].second, QStringList{QStringLiteral("/data/c14.acc")});
    EXPECT_TRUE(messages_->Entries().empty());

    shell_.succeed = false;
    shell_.reason = QStringLiteral("/usr/bin/kate ended with exit code 1");
    Click(w.EditFileButton());
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{QStringLiteral("An error occurred in running the Word "
                                                                      "Processor\r/data/c14.acc: /usr/bin/kate ended "
                                                                      "with exit code 1")});
}

} // namespace
} // namespace veldo
