// The circular and noncircular pile properties windows: loading from and committing
// to the project, unit words in English and SI, the enabling rules of the inner
// diameter and the lower end section, the stickup check, the pictures that focus
// their fields, the unit switch reload and the shape switch that frees the window
// of the other shape.
#include "Main.h"
#include "MainTestSupport.h"
#include "Messages.h"
#include "cpilepro.h"
#include "nPilePro.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
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

using test::Child;
using test::Click;
using test::Enter;
using test::Field;
using test::FlushDeletes;
using test::TRecordingShell;
using test::TScriptedFileDialogs;
using test::TypeOver;

// A window that, like the pile material window, makes the section noncircular when it
// commits and lets the main window sync the shape controls.
class TShapeChangingWindow final : public TInputWindow {
public:
    explicit TShapeChangingWindow(TMainForm& main) : TInputWindow(main, QStringLiteral("Shape")) {}

protected:
    void LoadFromProject() override {}
    void CommitToProject() override
    {
        Data().Circular = false;
        MainForm().UpdatePileShapeControls();
    }
};

class SectionWindowsTest : public test::TMainWindowTest {
protected:
    // A steel pipe (English): OD 24 in, ID 23 in, 60 ft long, 2 ft stickup, 5 ft
    // without friction, a 10 ft end section with a 22 in bore, unplugged.
    void SteelPipe()
    {
        TProgramData& d = Data();
        d.PileType = 1;
        d.Circular = true;
        d.ClosedEnded = false;
        d.OutsideDiameter = 24;
        d.InsideDiameter = 23;
        d.TotalLength = 60;
        d.StickupLength = 2;
        d.ZeroFrictionLength = 5;
        d.EndSectionInnerDiameter = 22;
        d.EndSectionLength = 10;
        d.PlugCondition = 2;
    }

    template <class TWindow> TWindow& Open(const QString& item)
    {
        return test::OpenByMenu<TWindow>(*form_, QStringLiteral("DataMenu"), item);
    }
    TfrmShaftpeneta& OpenCircular() { return Open<TfrmShaftpeneta>(QStringLiteral("DataCircular")); }
    TfrmNCsection& OpenNoncircular() { return Open<TfrmNCsection>(QStringLiteral("DataNoncircular")); }

    static QString Label(QWidget& window, const char* name) { return Field(window, name).EditLabel()->text(); }

    // File > Save commits the active window (the first save of a project, as Save As,
    // closes the input windows); the project is saved in the test folder.
    void Save() { EXPECT_TRUE(test::SaveByMenu(*form_, dialogs_, dir_.filePath(QStringLiteral("pile.vd7d")))); }
};

// ---- Circular window ------------------------------------------------------------------

TEST_F(SectionWindowsTest, CircularLoadsEveryFieldWithEnglishUnitWords)
{
    SteelPipe();
    TfrmShaftpeneta& w = OpenCircular();
    EXPECT_EQ(w.windowTitle(), "Circular Pile Properties");
    EXPECT_EQ(w.SubWindow()->y(), 20);
    EXPECT_EQ(Field(w, "DataEdit8").text(), "24");
    EXPECT_EQ(Field(w, "DataEdit9").text(), "23");
    EXPECT_EQ(Field(w, "DataEdit10").text(), "60");
    EXPECT_EQ(Field(w, "DataEdit1").text(), "2");
    EXPECT_EQ(Field(w, "DataEdit13").text(), "5");
    EXPECT_EQ(Field(w, "DataEdit12").text(), "22");
    EXPECT_EQ(Field(w, "DataEdit11").text(), "10");
    EXPECT_EQ(Label(w, "DataEdit8"), "&Outer Diameter, OD (in)");
    EXPECT_EQ(Label(w, "DataEdit9"), "&Inner Diameter, ID (in)");
    EXPECT_EQ(Label(w, "DataEdit10"), "&Total Length, TL (ft)");
    EXPECT_EQ(Label(w, "DataEdit1"), "&Pile Stickup Length, PSL (ft)");
    EXPECT_EQ(Label(w, "DataEdit13"), "Zero-&Friction Length from Ground, ZFL (ft)");
    EXPECT_EQ(Label(w, "DataEdit12"), "Inner &Diameter of Lower-End Section, EID (in)");
    EXPECT_EQ(Label(w, "DataEdit11"), "&Lower End Section Length, ESL (ft)");
    EXPECT_EQ(Child<QLabel>(w, "NoteLabel").text(), "(Note: leave values of end section as zero if none is present)");
    EXPECT_EQ(Child<QGroupBox>(w, "GroupBox4").title(), "Plugged / Unplugged Conditions ");
    EXPECT_EQ(Child<QRadioButton>(w, "OptIntPlug").text(), "Internal Pile Plug Calculated by Program");
    EXPECT_EQ(Child<QRadioButton>(w, "OptPlug").text(), "Plugged for open-ended pile");
    EXPECT_EQ(Child<QRadioButton>(w, "OptUnplug").text(), "Unplugged for open-ended pile");
    EXPECT_TRUE(Child<QRadioButton>(w, "OptUnplug").isChecked());
    EXPECT_TRUE(Child<QGroupBox>(w, "GroupBox4").isVisible());
    EXPECT_FALSE(form_->IsModified()); // loading is no edit
}

TEST_F(SectionWindowsTest, CircularShowsMillimetresAndMetresInSI)
{
    form_->UnitsClick(UnitSystem::SI);
    TfrmShaftpeneta& w = OpenCircular();
    EXPECT_EQ(Label(w, "DataEdit8"), "&Outer Diameter, OD (mm)");
    EXPECT_EQ(Label(w, "DataEdit12"), "Inner &Diameter of Lower-End Section, EID (mm)");
    EXPECT_EQ(Label(w, "DataEdit10"), "&Total Length, TL (m)");
    EXPECT_EQ(Label(w, "DataEdit11"), "&Lower End Section Length, ESL (m)");
}

TEST_F(SectionWindowsTest, CircularCommitsFieldsAndPlugConditionOnDeactivation)
{
    SteelPipe();
    TfrmShaftpeneta& w = OpenCircular();
    Enter(Field(w, "DataEdit8"), "30");
    EXPECT_TRUE(form_->IsModified());
    Enter(Field(w, "DataEdit9"), "29");
    Enter(Field(w, "DataEdit10"), "80");
    Enter(Field(w, "DataEdit1"), "3");
    Enter(Field(w, "DataEdit13"), "6");
    Enter(Field(w, "DataEdit12"), "27");
    Enter(Field(w, "DataEdit11"), "12");
    Click(Child<QRadioButton>(w, "OptPlug"));
    ASSERT_TRUE(messages_->Entries().empty());
    Save();
    const TProgramData& d = Data();
    EXPECT_EQ(d.OutsideDiameter, 30);
    EXPECT_EQ(d.InsideDiameter, 29);
    EXPECT_EQ(d.TotalLength, 80);
    EXPECT_EQ(d.StickupLength, 3);
    EXPECT_EQ(d.ZeroFrictionLength, 6);
    EXPECT_EQ(d.EndSectionInnerDiameter, 27);
    EXPECT_EQ(d.EndSectionLength, 12);
    EXPECT_EQ(d.PlugCondition, 1);

    Click(Child<QRadioButton>(OpenCircular(), "OptIntPlug"));
    Save();
    EXPECT_EQ(Data().PlugCondition, 0);
}

TEST_F(SectionWindowsTest, ClosedEndedSteelPipeHasNoEndSectionAndNoPlugGroup)
{
    SteelPipe();
    Data().ClosedEnded = true;
    TfrmShaftpeneta& w = OpenCircular();
    EXPECT_TRUE(Field(w, "DataEdit9").isEnabled());
    EXPECT_TRUE(Child<TPilePicture>(w, "Image3").isEnabled());
    EXPECT_FALSE(Field(w, "DataEdit12").isEnabled());
    EXPECT_FALSE(Field(w, "DataEdit11").isEnabled());
    EXPECT_FALSE(Field(w, "DataEdit11").EditLabel()->isEnabled());
    EXPECT_FALSE(Child<TPilePicture>(w, "Image6").isEnabled());
    EXPECT_FALSE(Child<TPilePicture>(w, "Image5").isEnabled());
    EXPECT_FALSE(Child<QLabel>(w, "NoteLabel").isEnabled());
    EXPECT_FALSE(Child<QGroupBox>(w, "GroupBox4").isVisible());
    // The end-section values stay as they are; only the controls are disabled.
    EXPECT_EQ(Field(w, "DataEdit11").text(), "10");
}

TEST_F(SectionWindowsTest, TimberPileClearsInnerDiameterAndEndSection)
{
    SteelPipe();
    Data().PileType = 2;
    TfrmShaftpeneta& w = OpenCircular();
    for (const char* name : {"DataEdit9", "DataEdit12", "DataEdit11"}) {
        EXPECT_FALSE(Field(w, name).isEnabled()) << name;
        EXPECT_EQ(Field(w, name).text(), "0") << name;
    }
    EXPECT_FALSE(Child<TPilePicture>(w, "Image3").isEnabled());
    EXPECT_FALSE(Child<QGroupBox>(w, "GroupBox4").isVisible());
    Save();
    EXPECT_EQ(Data().InsideDiameter, 0);
    EXPECT_EQ(Data().EndSectionInnerDiameter, 0);
    EXPECT_EQ(Data().EndSectionLength, 0);
    EXPECT_EQ(Data().OutsideDiameter, 24);
}

TEST_F(SectionWindowsTest, PrecastConcreteHasAnInnerDiameterOnlyWhenCircular)
{
    SteelPipe();
    Data().PileType = 3;
    TfrmShaftpeneta& w = OpenCircular();
    EXPECT_TRUE(Field(w, "DataEdit9").isEnabled());
    EXPECT_TRUE(Field(w, "DataEdit11").isEnabled());
    EXPECT_TRUE(Child<QGroupBox>(w, "GroupBox4").isVisible());

    // A square precast pile with the window reloaded (as on the next activation).
    Data().Circular = false;
    w.FormActivate();
    EXPECT_FALSE(Field(w, "DataEdit9").isEnabled());
    EXPECT_EQ(Field(w, "DataEdit9").text(), "0");
}

TEST_F(SectionWindowsTest, NegativeStickupBecomesZeroWithTheMessageWhenLeavingTheField)
{
    SteelPipe();
    TfrmShaftpeneta& w = OpenCircular();
    TDataEdit& stickup = Field(w, "DataEdit1");
    Enter(stickup, "-2");
    EXPECT_EQ(stickup.text(), "0");
    EXPECT_TRUE(stickup.hasFocus());
    ASSERT_EQ(messages_->Entries().size(), 1u);
    EXPECT_EQ(messages_->Entries()[0].kind, TMessageKind::Information);
    EXPECT_EQ(messages_->Entries()[0].text, "Pile Stickup Length should be a positive number\rIt will be set as 0");

    // An expression giving a negative length, confirmed with Enter.
    messages_->Clear();
    Enter(stickup, "1-3", Qt::Key_Return);
    EXPECT_EQ(stickup.text(), "0");
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{TStickupEdit::NegativeMessage});

    // Zero and positive lengths pass silently.
    messages_->Clear();
    Enter(stickup, "0");
    Enter(stickup, "4.5");
    EXPECT_TRUE(messages_->Entries().empty());
    EXPECT_EQ(stickup.text(), "4.5");
    Save();
    EXPECT_EQ(Data().StickupLength, 4.5L);
}

TEST_F(SectionWindowsTest, AnInvalidStickupEntryIsLeftToTheFieldsOwnValidation)
{
    TfrmShaftpeneta& w = OpenCircular();
    TDataEdit& stickup = Field(w, "DataEdit1");
    Enter(stickup, "2+");
    // One message, the evaluator's, and not the stickup message.
    ASSERT_EQ(messages_->Entries().size(), 1u);
    EXPECT_NE(messages_->Entries()[0].text, TStickupEdit::NegativeMessage);
    EXPECT_TRUE(stickup.hasFocus());
}

TEST_F(SectionWindowsTest, CircularPicturesPutTheFocusIntoTheirFields)
{
    SteelPipe();
    TfrmShaftpeneta& w = OpenCircular();
    const std::pair<const char*, const char*> pairs[] = {
        {"Image2", "DataEdit8"},  {"Image3", "DataEdit9"},  {"Image7", "DataEdit10"}, {"Image8", "DataEdit1"},
        {"Image4", "DataEdit13"}, {"Image6", "DataEdit12"}, {"Image5", "DataEdit11"}};
    for (const auto& [picture, field] : pairs) {
        QTest::mouseClick(&Child<TPilePicture>(w, picture), Qt::LeftButton);
        EXPECT_TRUE(Field(w, field).hasFocus()) << picture;
    }
}

TEST_F(SectionWindowsTest, CloseButtonCommitsAndFreesTheWindow)
{
    SteelPipe();
    TfrmShaftpeneta& w = OpenCircular();
    Enter(Field(w, "DataEdit8"), "36");
    QTest::mouseClick(&Child<QPushButton>(w, "Button1"), Qt::LeftButton);
    FlushDeletes();
    EXPECT_EQ(Data().OutsideDiameter, 36);
    EXPECT_FALSE(InputWindowCreated<TfrmShaftpeneta>(*form_));
    EXPECT_TRUE(form_->MdiArea()->subWindowList().isEmpty());

    TfrmShaftpeneta& again = OpenCircular();
    EXPECT_EQ(Field(again, "DataEdit8").text(), "36");
}

// Saving a new project names its file; the window closed by the save then commits
// the same values, which is no change.
TEST_F(SectionWindowsTest, FirstSaveWithTheWindowOpenLeavesTheProjectUnmodified)
{
    SteelPipe();
    TfrmShaftpeneta& w = OpenCircular();
    Enter(Field(w, "DataEdit8"), "30");
    ASSERT_TRUE(form_->IsModified());
    Save();
    EXPECT_EQ(Data().OutsideDiameter, 30);
    EXPECT_FALSE(form_->IsModified());
    EXPECT_TRUE(form_->MdiArea()->subWindowList().isEmpty());

    // A later save keeps the window open; closing it then changes nothing either.
    TfrmShaftpeneta& again = OpenCircular();
    Enter(Field(again, "DataEdit8"), "32");
    Save();
    EXPECT_FALSE(form_->IsModified());
    Click(Child<QPushButton>(again, "Button1"));
    EXPECT_EQ(Data().OutsideDiameter, 32);
    EXPECT_FALSE(form_->IsModified());
}

// ---- Noncircular window -----------------------------------------------------------------

TEST_F(SectionWindowsTest, NoncircularLoadsAndCommitsSectionAndLengths)
{
    TProgramData& d = Data();
    d.PileType = 6;
    d.Circular = false;
    d.TotalLength = 50;
    d.StickupLength = 1.5L;
    d.ZeroFrictionLength = 4;
    d.Perimeter = 48;
    d.TipArea = 144;
    form_->UpdatePileShapeControls();
    TfrmNCsection& w = OpenNoncircular();
    EXPECT_EQ(w.windowTitle(), "Noncircular Pile Properties");
    EXPECT_EQ(w.SubWindow()->y(), 30);
    EXPECT_EQ(Field(w, "DataEdit5").text(), "50");
    EXPECT_EQ(Field(w, "DataEdit1").text(), "1.5");
    EXPECT_EQ(Field(w, "DataEdit6").text(), "4");
    EXPECT_EQ(Field(w, "DataEdit3").text(), "48");
    EXPECT_EQ(Field(w, "DataEdit4").text(), "144");
    EXPECT_EQ(Label(w, "DataEdit5"), "&Total Length, TL (ft)");
    EXPECT_EQ(Label(w, "DataEdit1"), "&Pile Stickup Length, PSL (ft)");
    EXPECT_EQ(Label(w, "DataEdit6"), "Zero-&Friction Length from Ground, ZFL (ft)");
    EXPECT_EQ(Label(w, "DataEdit3"), "&Perimeter for Noncircular Section  (in)");
    EXPECT_EQ(Label(w, "DataEdit4"), QString::fromUtf8("Tip &Area for Noncircular Section  (in\u00b2)"));
    EXPECT_FALSE(form_->IsModified());

    Enter(Field(w, "DataEdit3"), "2*(10+14)"); // P = 2(L1+L2)
    EXPECT_TRUE(form_->IsModified());
    Enter(Field(w, "DataEdit4"), "140");
    Enter(Field(w, "DataEdit5"), "55");
    Enter(Field(w, "DataEdit1"), "2");
    Enter(Field(w, "DataEdit6"), "3");
    Save();
    EXPECT_EQ(d.Perimeter, 48);
    EXPECT_EQ(d.TipArea, 140);
    EXPECT_EQ(d.TotalLength, 55);
    EXPECT_EQ(d.StickupLength, 2);
    EXPECT_EQ(d.ZeroFrictionLength, 3);
}

TEST_F(SectionWindowsTest, NoncircularSIPerimeterIsStoredInMillimetresAndFollowsTheUnitSwitch)
{
    Data().Circular = false;
    form_->UnitsClick(UnitSystem::SI);
    TfrmNCsection& w = OpenNoncircular();
    EXPECT_EQ(Label(w, "DataEdit3"), "&Perimeter for Noncircular Section  (mm)");
    EXPECT_EQ(Label(w, "DataEdit4"), QString::fromUtf8("Tip &Area for Noncircular Section  (m\u00b2)"));
    EXPECT_EQ(Label(w, "DataEdit5"), "&Total Length, TL (m)");
    Enter(Field(w, "DataEdit3"), "1270");
    Enter(Field(w, "DataEdit4"), "0.1"); // a noncircular section needs a tip area
    Enter(Field(w, "DataEdit5"), "15");
    Save();
    EXPECT_EQ(Data().Perimeter, 1270);

    // Back to English with the window open: 1270 mm x 0.03937007874 = 50 in;
    // 15 m x 3.280839895 = 49.2126 ft.
    TfrmNCsection& again = OpenNoncircular();
    test::ChooseMenuItem(*form_, QStringLiteral("UnitsMenu"), QStringLiteral("OptionsEnglish"));
    EXPECT_NEAR(static_cast<double>(Field(again, "DataEdit3").Number()), 50.0, 1e-8);
    EXPECT_NEAR(static_cast<double>(Field(again, "DataEdit5").Number()), 49.21259843, 1e-7);
    EXPECT_EQ(Label(again, "DataEdit3"), "&Perimeter for Noncircular Section  (in)");
    EXPECT_EQ(Label(again, "DataEdit5"), "&Total Length, TL (ft)");
}

TEST_F(SectionWindowsTest, CircularReloadsConvertedValuesOnTheUnitSwitch)
{
    SteelPipe();
    TfrmShaftpeneta& w = OpenCircular();
    form_->UnitsClick(UnitSystem::SI);
    // 24 in x 25.4 = 609.6 mm; 60 ft x 0.3048 = 18.288 m.
    EXPECT_NEAR(static_cast<double>(Field(w, "DataEdit8").Number()), 609.6, 1e-6);
    EXPECT_NEAR(static_cast<double>(Field(w, "DataEdit10").Number()), 18.288, 1e-8);
    EXPECT_EQ(Label(w, "DataEdit8"), "&Outer Diameter, OD (mm)");
}

TEST_F(SectionWindowsTest, NoncircularPicturesPutTheFocusIntoTheirFields)
{
    Data().Circular = false;
    form_->UpdatePileShapeControls();
    TfrmNCsection& w = OpenNoncircular();
    const std::pair<const char*, const char*> pairs[] = {
        {"Image2", "DataEdit5"}, {"Image3", "DataEdit1"}, {"Image1", "DataEdit6"}};
    for (const auto& [picture, field] : pairs) {
        QTest::mouseClick(&Child<TPilePicture>(w, picture), Qt::LeftButton);
        EXPECT_TRUE(Field(w, field).hasFocus()) << picture;
    }
}

TEST_F(SectionWindowsTest, NoncircularStickupCheckMatchesTheCircularOne)
{
    Data().Circular = false;
    form_->UpdatePileShapeControls();
    TfrmNCsection& w = OpenNoncircular();
    TDataEdit& stickup = Field(w, "DataEdit1");
    Enter(stickup, "-2");
    EXPECT_EQ(stickup.text(), "0");
    EXPECT_TRUE(stickup.hasFocus());
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{TStickupEdit::NegativeMessage});
}

// ---- Pile shape ----------------------------------------------------------------------------

TEST_F(SectionWindowsTest, ShapeControlsFollowTheSection)
{
    form_->UpdatePileShapeControls();
    EXPECT_TRUE(form_->Action(QStringLiteral("DataCircular"))->isEnabled());
    EXPECT_TRUE(form_->Action(QStringLiteral("SpeedButton14"))->isEnabled());
    EXPECT_FALSE(form_->Action(QStringLiteral("DataNoncircular"))->isEnabled());
    EXPECT_FALSE(form_->Action(QStringLiteral("SpeedButton15"))->isEnabled());
    EXPECT_EQ(form_->Action(QStringLiteral("SpeedButton14"))->toolTip(), "Circular Section");
    EXPECT_EQ(form_->Action(QStringLiteral("SpeedButton15"))->toolTip(), "Non-Circular");

    form_->PileShapeClick(false);
    EXPECT_FALSE(form_->Action(QStringLiteral("DataCircular"))->isEnabled());
    EXPECT_FALSE(form_->Action(QStringLiteral("SpeedButton14"))->isEnabled());
    EXPECT_TRUE(form_->Action(QStringLiteral("DataNoncircular"))->isEnabled());
    EXPECT_TRUE(form_->Action(QStringLiteral("SpeedButton15"))->isEnabled());

    // The toolbar button opens the window once; a second click brings it forward.
    form_->Action(QStringLiteral("SpeedButton15"))->trigger();
    TfrmNCsection* window = FindInputWindow<TfrmNCsection>(*form_);
    ASSERT_NE(window, nullptr);
    form_->Action(QStringLiteral("SpeedButton15"))->trigger();
    EXPECT_EQ(FindInputWindow<TfrmNCsection>(*form_), window);
    EXPECT_EQ(form_->MdiArea()->subWindowList().size(), 1);
}

TEST_F(SectionWindowsTest, ChangingTheShapeFreesTheOtherWindowWithoutCommittingIt)
{
    SteelPipe();
    TfrmShaftpeneta& circular = OpenCircular();
    TypeOver(Field(circular, "DataEdit8"), "99"); // typed, not committed
    Data().Circular = false;
    form_->UpdatePileShapeControls();
    EXPECT_FALSE(circular.isVisible());
    FlushDeletes();
    EXPECT_FALSE(InputWindowCreated<TfrmShaftpeneta>(*form_));
    EXPECT_TRUE(form_->MdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(Data().OutsideDiameter, 24);

    // And the other way round through the Options menu, which commits the active
    // window first.
    TfrmNCsection& noncircular = OpenNoncircular();
    Enter(Field(noncircular, "DataEdit3"), "40");
    Enter(Field(noncircular, "DataEdit4"), "100");
    test::ChooseMenuItem(*form_, QStringLiteral("PileShapeMenu"), QStringLiteral("OptionsCircular"));
    FlushDeletes();
    EXPECT_FALSE(InputWindowCreated<TfrmNCsection>(*form_));
    EXPECT_EQ(Data().Perimeter, 40);
    EXPECT_TRUE(form_->Action(QStringLiteral("OptionsCircular"))->isChecked());
    OpenCircular();
    EXPECT_TRUE(InputWindowCreated<TfrmShaftpeneta>(*form_));
}

TEST_F(SectionWindowsTest, ShapeChangeWhileTheCircularWindowIsBeingActivatedFreesItSafely)
{
    SteelPipe();
    TfrmShaftpeneta& circular = OpenCircular();
    QMdiSubWindow* circularFrame = circular.SubWindow();
    ShowInputWindow<TShapeChangingWindow>(*form_);
    EXPECT_TRUE(Data().Circular);
    // Activating the circular window commits the other one, which changes the shape.
    form_->MdiArea()->setActiveSubWindow(circularFrame);
    EXPECT_FALSE(Data().Circular);
    FlushDeletes();
    EXPECT_FALSE(InputWindowCreated<TfrmShaftpeneta>(*form_));
    EXPECT_EQ(form_->MdiArea()->subWindowList().size(), 1);
    EXPECT_EQ(Data().OutsideDiameter, 24);
}

} // namespace
} // namespace veldo
