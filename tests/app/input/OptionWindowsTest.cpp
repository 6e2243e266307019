// The Control Options, critical-depth and t-z print windows: loading, the bounds of
// the print interval, the rounding of stored integers, the editor path with its
// browse dialog, the depth field that follows the user option, and the enabling of
// the t-z depth editor.
#include "Block.h"
#include "CPTOptions.h"
#include "DataEdit.h"
#include "FileDialogs.h"
#include "Main.h"
#include "MainTestSupport.h"
#include "Messages.h"
#include "Options.h"
#include "TZPrint.h"
#include "Table.h"
#include "compmeth.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <memory>

namespace veldo {
namespace {

class OptionWindowsTest : public test::TMainWindowTest {
protected:
    template <class TWindow> TWindow& Open(const char* item)
    {
        Form().Action(QLatin1String(item))->trigger();
        auto* window = FindInputWindow<TWindow>(Form());
        EXPECT_NE(window, nullptr) << item;
        return *window;
    }
    // File > Save of the project, named in the test folder: the window commits and stays open.
    void Save() { EXPECT_TRUE(test::SaveNamedByMenu(Form(), dir_.filePath(QStringLiteral("pile.vd7d")))); }
    TDlgOptions& OpenOptions() { return Open<TDlgOptions>("OptionsControl"); }
    TDlgBlock& OpenBlock() { return Open<TDlgBlock>("OptionsCriticalDepth"); }
    TDlgTZPrint& OpenTZPrint() { return Open<TDlgTZPrint>("OptionsPrintTz"); }

    // Types into a field as the user does before leaving it.
    static void Type(TDataEdit& field, const QString& text) { test::TypeOver(field, text); }
};

QStringList Titles(const QWidget& window)
{
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>())
        texts.push_back(label->text());
    for (const QGroupBox* group : window.findChildren<QGroupBox*>())
        texts.push_back(group->title());
    return texts;
}

// ---- Control Options ----------------------------------------------------------------

TEST_F(OptionWindowsTest, ControlOptionsLoadTheProjectWithEnglishAndSIUnitWords)
{
    Data().PrintInterval = 5;
    Data().IncrementLength = 0.5L;
    TDlgOptions& w = OpenOptions();
    EXPECT_EQ(w.windowTitle(), "Control Options");
    EXPECT_EQ(w.DataEdit2().text(), "5");
    EXPECT_EQ(w.DataEdit3().text(), "0.5");
    EXPECT_EQ(w.IncrementLabel().text(), "Length of each computation &increment  (ft)");
    EXPECT_EQ(w.EdtWord().text(), Form().EditorPath());
    EXPECT_EQ(w.BtnBrowse().text(), "&Browse...");
    EXPECT_EQ(w.Button4().text(), "Close");
    const QStringList titles = Titles(w);
    for (const char* text : {"Print Controls", "Text Editor", "&Print only every ", "computation increment(s)"})
        EXPECT_TRUE(titles.contains(QLatin1String(text))) << text;
    EXPECT_FALSE(Form().IsModified());
    w.CloseClick();

    // SI: 0.5 ft x 0.3048000000012192 m/ft = 0.1524000000006096 m.
    Form().UnitsClick(UnitSystem::SI);
    TDlgOptions& si = OpenOptions();
    EXPECT_EQ(si.IncrementLabel().text(), "Length of each computation &increment  (m)");
    EXPECT_NEAR(static_cast<double>(si.DataEdit3().Number()), 0.1524000000006096, 1e-15);
}

TEST_F(OptionWindowsTest, OpenWindowsFollowAUnitChange)
{
    TDlgOptions& options = OpenOptions();
    TDlgBlock& block = OpenBlock();
    Form().UnitsClick(UnitSystem::SI);
    // 1 ft x 0.3048000000012192 m/ft.
    EXPECT_EQ(options.IncrementLabel().text(), "Length of each computation &increment  (m)");
    EXPECT_NEAR(static_cast<double>(options.DataEdit3().Number()), 0.3048000000012192, 1e-15);
    EXPECT_EQ(block.DepthLabel().text(), " (m)");
    Form().UnitsClick(UnitSystem::English);
    EXPECT_EQ(options.IncrementLabel().text(), "Length of each computation &increment  (ft)");
    EXPECT_NEAR(static_cast<double>(options.DataEdit3().Number()), 1.0, 1e-12);
    EXPECT_EQ(block.DepthLabel().text(), " (ft)");
}

TEST_F(OptionWindowsTest, AnIncrementOfZeroShowsAsOne)
{
    Data().IncrementLength = 0;
    TDlgOptions& w = OpenOptions();
    EXPECT_EQ(w.DataEdit3().text(), "1");
    Save();
    EXPECT_EQ(Data().IncrementLength, 1.0L);
}

TEST_F(OptionWindowsTest, ThePrintIntervalIsRoundedAndKeptWithinOneTo500)
{
    TDlgOptions& w = OpenOptions();
    Type(w.DataEdit2(), QStringLiteral("2.6"));
    Type(w.DataEdit3(), QStringLiteral("0.25*2"));
    EXPECT_TRUE(Form().IsModified()); // typing is an edit
    Save();
    EXPECT_EQ(Data().PrintInterval, 3);
    EXPECT_EQ(Data().IncrementLength, 0.5L);

    struct Case {
        const char* typed;
        const char* message;
    };
    for (const Case c : {Case{"0", "Entry must be greater than or equal to 1"},
                         Case{"501", "Entry must be less than or equal to 500"}}) {
        messages_->Clear();
        Type(w.DataEdit2(), QLatin1String(c.typed));
        test::ChooseMenuItem(Form(), QStringLiteral("FileMenu"), QStringLiteral("FileSave")); // refused
        EXPECT_EQ(messages_->Texts(), std::vector<QString>{QLatin1String(c.message)});
        EXPECT_EQ(w.DataEdit2().text(), QLatin1String(c.typed));          // kept as typed
        EXPECT_EQ(Data().PrintInterval, 3);                               // nothing stored
        QTest::keyClick(&w.DataEdit2(), Qt::Key_F4, Qt::ControlModifier); // the window's Close
        EXPECT_EQ(FindInputWindow<TDlgOptions>(Form()), &w);
    }
    Type(w.DataEdit2(), QStringLiteral("500"));
    QTest::keyClick(&w.DataEdit2(), Qt::Key_F4, Qt::ControlModifier);
    EXPECT_EQ(FindInputWindow<TDlgOptions>(Form()), nullptr);
    EXPECT_EQ(Data().PrintInterval, 500);
}

TEST_F(OptionWindowsTest, BrowseStartsAtTheEditorPathAndStoresTheChoice)
{
    TDlgOptions& w = OpenOptions();
    std::vector<QString> startedAt;
    std::optional<QString> answer = QStringLiteral("/usr/bin/kate");
    w.SetBrowser([&](QWidget*, const QString& fileName) {
        startedAt.push_back(fileName);
        return answer;
    });
    test::TypeOver(w.EdtWord(), QStringLiteral("/usr/bin/gedit"));
    test::Click(w.BtnBrowse());
    EXPECT_EQ(startedAt, std::vector<QString>{"/usr/bin/gedit"});
    EXPECT_EQ(w.EdtWord().text(), "/usr/bin/kate");

    answer.reset(); // Cancel keeps the text
    test::Click(w.BtnBrowse());
    EXPECT_EQ(w.EdtWord().text(), "/usr/bin/kate");

    // The editor path is the program's, not the project's.
    EXPECT_FALSE(Form().IsModified());
    Save();
    EXPECT_EQ(Form().EditorPath(), "/usr/bin/kate");
    EXPECT_FALSE(Form().IsModified());
    EXPECT_EQ(TDlgOptions::BrowserFilter, "Programs|*|All Files (*)|*");
}

TEST_F(OptionWindowsTest, AnIntervalAbove500KeepsControlOptionsActiveWhenAnotherWindowIsChosen)
{
    TDlgTZPrint& tz = OpenTZPrint();
    TDlgOptions& options = OpenOptions();
    Type(options.DataEdit2(), QStringLiteral("501"));
    Form().MdiArea()->setActiveSubWindow(tz.SubWindow());
    EXPECT_EQ(Form().MdiArea()->activeSubWindow(), options.SubWindow());
    EXPECT_EQ(options.DataEdit2().text(), "501");
    EXPECT_EQ(Data().PrintInterval, 1);
    ASSERT_FALSE(messages_->Texts().empty());
    EXPECT_EQ(messages_->Texts().front(), "Entry must be less than or equal to 500");

    // Corrected, the choice of the other window commits it.
    messages_->Clear();
    Type(options.DataEdit2(), QStringLiteral("4"));
    Form().MdiArea()->setActiveSubWindow(tz.SubWindow());
    EXPECT_EQ(Form().MdiArea()->activeSubWindow(), tz.SubWindow());
    EXPECT_EQ(Data().PrintInterval, 4);
    EXPECT_TRUE(messages_->Texts().empty());
}

// ---- Critical depths ----------------------------------------------------------------

TEST_F(OptionWindowsTest, TheUserDepthIsShownOnlyForTheUserOption)
{
    Data().UserCriticalDepth = 12.5L;
    TDlgBlock& w = OpenBlock();
    EXPECT_EQ(w.windowTitle(), "Critical Depths Used by US Army Method");
    EXPECT_TRUE(Titles(w).contains("User Options"));
    EXPECT_EQ(w.Radio(0).text(), "Original Recommendations (10 to 20 Pile Diameter based on the Density).");
    EXPECT_EQ(w.Radio(1).text(), "Critical Depth at the  Effective Stress Reaching 3500 psf or 167.6 kPa.");
    EXPECT_EQ(w.Radio(2).text(), "User-Specified Critical Depth");
    EXPECT_TRUE(w.Radio(0).isChecked());
    EXPECT_TRUE(w.DataEdit1().isHidden());
    EXPECT_TRUE(w.DepthLabel().isHidden());
    EXPECT_EQ(w.DepthLabel().text(), " (ft)");
    EXPECT_FALSE(Form().IsModified());

    test::Click(w.Radio(2));
    EXPECT_FALSE(w.DataEdit1().isHidden());
    EXPECT_FALSE(w.DepthLabel().isHidden());
    EXPECT_TRUE(Form().IsModified());
    EXPECT_EQ(w.DataEdit1().text(), "12.5");
    Type(w.DataEdit1(), QStringLiteral("30"));
    test::Click(w.Radio(1));
    EXPECT_TRUE(w.DataEdit1().isHidden());
    test::Click(w.Radio(2));
    EXPECT_EQ(w.DataEdit1().text(), "30"); // the typed depth survives
    Save();
    EXPECT_EQ(Data().CriticalDepthOption, 2);
    EXPECT_EQ(Data().UserCriticalDepth, 30.0L);

    test::Click(w.Radio(1));
    w.CloseClick();
    EXPECT_EQ(FindInputWindow<TDlgBlock>(Form()), nullptr);
    EXPECT_EQ(Data().CriticalDepthOption, 1);
    EXPECT_EQ(Data().UserCriticalDepth, 30.0L);
}

TEST_F(OptionWindowsTest, CriticalDepthWindowLoadsTheUserOptionInSIUnits)
{
    Form().UnitsClick(UnitSystem::SI);
    Data().CriticalDepthOption = 2;
    Data().UserCriticalDepth = 9; // kept as it stands on a unit change
    TDlgBlock& w = OpenBlock();
    EXPECT_TRUE(w.Radio(2).isChecked());
    EXPECT_FALSE(w.DataEdit1().isHidden());
    EXPECT_EQ(w.DepthLabel().text(), " (m)");
    EXPECT_EQ(w.DataEdit1().text(), "9");
}

TEST_F(OptionWindowsTest, AnUnknownCriticalDepthOptionChecksNoRadioAndIsKept)
{
    Data().CriticalDepthOption = 7;
    TDlgBlock& w = OpenBlock();
    EXPECT_EQ(w.CheckedOption(), -1);
    EXPECT_TRUE(w.DataEdit1().isHidden());
    Save();
    EXPECT_EQ(Data().CriticalDepthOption, 7);
}

TEST_F(OptionWindowsTest, AnInvalidUserDepthKeepsTheCriticalDepthWindowOpen)
{
    TDlgBlock& w = OpenBlock();
    test::Click(w.Radio(2));
    Type(w.DataEdit1(), QStringLiteral("3+"));
    w.CloseClick();
    ASSERT_EQ(messages_->Texts().size(), 1u);
    EXPECT_TRUE(messages_->Texts().front().startsWith("Entry could not be evaluated:\r"))
        << messages_->Texts().front().toStdString();
    EXPECT_EQ(FindInputWindow<TDlgBlock>(Form()), &w);
    EXPECT_EQ(Data().CriticalDepthOption, 0);
    Type(w.DataEdit1(), QStringLiteral("3+4"));
    w.CloseClick();
    EXPECT_EQ(FindInputWindow<TDlgBlock>(Form()), nullptr);
    EXPECT_EQ(Data().CriticalDepthOption, 2);
    EXPECT_EQ(Data().UserCriticalDepth, 7.0L);
}

// ---- t-z print --------------------------------------------------------------------

TEST_F(OptionWindowsTest, TheCheckBoxEnablesTheDepthEditorAndIsStored)
{
    TDlgTZPrint& w = OpenTZPrint();
    EXPECT_EQ(w.windowTitle(), "Option of Printing t-z Curves");
    EXPECT_EQ(w.ChkPrint().text(), "&Print Internally-Generated");
    EXPECT_TRUE(Titles(w).contains("t-z Curves for Verification"));
    EXPECT_EQ(w.EditDepths().text(), "Edit Depths");
    EXPECT_EQ(w.Button1().text(), "Close");
    EXPECT_FALSE(w.ChkPrint().isChecked());
    EXPECT_FALSE(w.EditDepths().isEnabled());
    EXPECT_FALSE(Form().IsModified());

    test::Click(w.ChkPrint());
    EXPECT_TRUE(w.EditDepths().isEnabled());
    EXPECT_TRUE(Form().IsModified());
    Save();
    EXPECT_EQ(Data().PrintTzAtDepths, 1);

    test::Click(w.ChkPrint()); // unchecking disables at once
    EXPECT_FALSE(w.EditDepths().isEnabled());
    w.CloseClick();
    EXPECT_EQ(FindInputWindow<TDlgTZPrint>(Form()), nullptr);
    EXPECT_EQ(Data().PrintTzAtDepths, 0);

    Data().PrintTzAtDepths = 1;
    TDlgTZPrint& again = OpenTZPrint();
    EXPECT_TRUE(again.ChkPrint().isChecked());
    EXPECT_TRUE(again.EditDepths().isEnabled());
}

TEST_F(OptionWindowsTest, EditDepthsOpensTheTzDepthTable)
{
    Data().PrintTzAtDepths = 1;
    TDlgTZPrint& w = OpenTZPrint();
    EXPECT_FALSE(Form().Tables().TblTZDepth().EditorOpen());
    test::Click(w.EditDepths());
    EXPECT_TRUE(Form().Tables().TblTZDepth().EditorOpen());
}

TEST_F(OptionWindowsTest, ControlOptionsAndTzPrintWindowsKeepFlagsOfTheirOwn)
{
    for (const char* item : {"OptionsControl", "OptionsPrintTz", "OptionsCriticalDepth"})
        EXPECT_TRUE(Form().Action(QLatin1String(item))->isEnabled()) << item;
    TDlgOptions& options = OpenOptions();
    TDlgTZPrint& tz = OpenTZPrint();
    EXPECT_EQ(FindInputWindow<TDlgOptions>(Form()), &options);
    EXPECT_EQ(FindInputWindow<TDlgTZPrint>(Form()), &tz);
    tz.CloseClick();
    EXPECT_EQ(FindInputWindow<TDlgTZPrint>(Form()), nullptr);
    EXPECT_EQ(FindInputWindow<TDlgOptions>(Form()), &options);
    // The menu brings the open window forward instead of making a second one.
    EXPECT_EQ(&OpenOptions(), &options);
}

// The Computation Methods window edits the same two settings: a depth chosen there
// reaches the critical-depth window opened before it and is not overwritten by it.
TEST_F(OptionWindowsTest, CriticalDepthChosenInTheMethodsWindowReachesTheOpenCriticalDepthWindow)
{
    TDlgBlock& block = OpenBlock();
    Form().Action(QStringLiteral("DataMethods"))->trigger();
    auto* methods = FindInputWindow<TfrmWaterDepth>(Form());
    ASSERT_NE(methods, nullptr);
    test::Click(*methods->findChild<QCheckBox*>(QStringLiteral("CheckBox2"))); // USACE
    test::Click(*methods->findChild<QRadioButton*>(QStringLiteral("RadioButton3")));
    test::TypeOver(test::Field(*methods, QStringLiteral("DataEdit1")), QStringLiteral("14"));
    Form().MdiArea()->setActiveSubWindow(block.SubWindow());
    EXPECT_TRUE(block.Radio(2).isChecked());
    EXPECT_EQ(block.DataEdit1().text(), "14");
    Form().MdiArea()->setActiveSubWindow(methods->SubWindow());
    EXPECT_EQ(Data().CriticalDepthOption, 2);
    EXPECT_EQ(Data().UserCriticalDepth, 14.0L);
}

// A depth refused as it was left and then hidden by another option is neither
// stored nor raised out of the main window's command; the option is not stored
// either until the depth is corrected.
TEST_F(OptionWindowsTest, AnInvalidDepthHiddenByAnotherOptionIsNotStored)
{
    TDlgBlock& w = OpenBlock();
    test::Click(w.Radio(2));
    Type(w.DataEdit1(), QStringLiteral("3+"));
    w.Radio(1).setFocus();
    test::Click(w.Radio(1));
    ASSERT_TRUE(w.DataEdit1().isHidden());
    messages_->Clear();
    EXPECT_NO_THROW(Form().DeactivateActiveChild());
    ASSERT_EQ(messages_->Texts().size(), 1u);
    EXPECT_TRUE(messages_->Texts().front().startsWith("Entry could not be evaluated:\r"));
    EXPECT_EQ(Data().CriticalDepthOption, 0);
    EXPECT_EQ(w.DataEdit1().text(), "3+");
    test::Click(w.Radio(2));
    Type(w.DataEdit1(), QStringLiteral("3+4"));
    w.CloseClick();
    EXPECT_EQ(FindInputWindow<TDlgBlock>(Form()), nullptr);
    EXPECT_EQ(Data().CriticalDepthOption, 2);
    EXPECT_EQ(Data().UserCriticalDepth, 7.0L);
}

// The filters of the program's file dialogs as Qt shows them: the patterns stand in
// the description's last parentheses, separated by blanks.
TEST(FileDialogFiltersTest, EveryFilterOfTheProgramNamesItsPatterns)
{
    EXPECT_EQ(QtFilters(TMainForm::OpenFilter),
              QStringList({"VELDO 2015(*.vd7d)", "VELDO 2014(*.vd6d)", "VELDO Plus 5(*.vdd)", "All Files(*.*)"}));
    EXPECT_EQ(QtFilters(TMainForm::SaveFilter), QStringList({"VELDO 2015(*.vd7d)", "All files (*.*)"}));
    EXPECT_EQ(QtFilters(TDlgOptions::BrowserFilter), QStringList({"Programs (*)", "All Files (*)"}));
    EXPECT_EQ(QtFilters(TDlgInputMotion::BrowseFilter), QStringList({"CPT records (*.txt *.acc)", "All Files (*.*)"}));
}

} // namespace
} // namespace veldo
