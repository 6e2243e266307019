// Input window conventions: created once per class, loaded on activation,
// committed on deactivation and close, an invalid focused entry keeping the window
// active and open with the entry as typed, edits marking the project modified.
#include "InputWindow.h"
#include "DataEdit.h"
#include "Main.h"
#include "MainTestSupport.h"
#include "Messages.h"

#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace veldo {
namespace {

// A window with one numeric entry (total length, at most 100), one text (designer)
// and a Close button.
class TLengthWindow : public TInputWindow {
public:
    explicit TLengthWindow(TMainForm& main) : TInputWindow(main, QStringLiteral("Length"))
    {
        auto* layout = new QVBoxLayout(this);
        label = new QLabel(this);
        TDataEditDesign design;
        design.Caption = QStringLiteral("Total Length");
        design.UnitsString = QStringLiteral("L2");
        design.MinVal = 0;
        design.MaxVal = 100;
        length = new TDataEdit(this, design, label);
        designer = new QLineEdit(this);
        closeButton = new QPushButton(QStringLiteral("Close"), this);
        layout->addWidget(label);
        layout->addWidget(length);
        layout->addWidget(designer);
        layout->addWidget(closeButton);
        MarkModifiedOn(length);
        MarkModifiedOn(designer);
        connect(closeButton, &QPushButton::clicked, this, &TInputWindow::CloseClick);
    }

    QLabel* label = nullptr;
    TDataEdit* length = nullptr;
    QLineEdit* designer = nullptr;
    QPushButton* closeButton = nullptr;
    int loads = 0;
    int commits = 0;
    bool allowClose = true;

protected:
    void LoadFromProject() override
    {
        ++loads;
        LoadField(*length, Data().TotalLength);
        designer->setText(Data().Designer);
    }
    void CommitToProject() override
    {
        ++commits;
        Data().TotalLength = length->GetNumber();
        Data().Designer = designer->text();
    }
    bool CanClose() override { return allowClose; }
};

// A second window class to move the activation to.
class TOtherWindow final : public TInputWindow {
public:
    explicit TOtherWindow(TMainForm& main) : TInputWindow(main, QStringLiteral("Other"))
    {
        auto* layout = new QVBoxLayout(this);
        job = new QLineEdit(this);
        layout->addWidget(job);
    }
    QLineEdit* job = nullptr;

protected:
    void LoadFromProject() override { job->setText(Data().JobNumber); }
    void CommitToProject() override { Data().JobNumber = job->text(); }
};

class InputWindowTest : public test::TMainWindowTest {
protected:
    void SetUp() override
    {
        test::TMainWindowTest::SetUp();
        form_->Data().TotalLength = 60;
        form_->Data().Designer = QStringLiteral("A. Smith");
        form_->SetModified(false);
    }

    QMdiSubWindow* Active() { return form_->MdiArea()->activeSubWindow(); }

    static void TypeLength(TLengthWindow& window, const QString& text) { test::TypeOver(*window.length, text); }
};

TEST_F(InputWindowTest, LauncherCreatesOneWindowPerClassLoadedFromTheProject)
{
    EXPECT_FALSE(InputWindowCreated<TLengthWindow>(Form()));
    TLengthWindow& window = ShowInputWindow<TLengthWindow>(Form());
    EXPECT_TRUE(InputWindowCreated<TLengthWindow>(Form()));
    ASSERT_NE(window.SubWindow(), nullptr);
    EXPECT_EQ(Active(), window.SubWindow());
    EXPECT_EQ(window.windowTitle(), "Length");
    EXPECT_EQ(window.loads, 1);
    EXPECT_EQ(window.length->text(), "60");
    EXPECT_EQ(window.label->text(), "Total Length (ft)");
    EXPECT_EQ(window.designer->text(), "A. Smith");
    EXPECT_FALSE(Form().IsModified()); // loading marks nothing

    TOtherWindow& other = ShowInputWindow<TOtherWindow>(Form());
    EXPECT_EQ(Active(), other.SubWindow());
    // The second launch brings the same window forward and loads it again.
    TLengthWindow& again = ShowInputWindow<TLengthWindow>(Form());
    EXPECT_EQ(&again, &window);
    EXPECT_EQ(Active(), window.SubWindow());
    EXPECT_EQ(window.loads, 2);
    EXPECT_EQ(Form().MdiArea()->subWindowList().size(), 2);
    EXPECT_TRUE(messages_->Texts().empty());
}

TEST_F(InputWindowTest, EditsMarkTheProjectModifiedAndDeactivationCommits)
{
    TLengthWindow& window = ShowInputWindow<TLengthWindow>(Form());
    TypeLength(window, "2*20");
    EXPECT_TRUE(Form().IsModified());
    Form().DeactivateActiveChild(); // as every command does first
    EXPECT_EQ(Form().Data().TotalLength, 40.0L);
    test::TypeOver(*window.designer, "B. Jones");
    TOtherWindow& other = ShowInputWindow<TOtherWindow>(Form()); // another window activated
    EXPECT_EQ(Form().Data().Designer, "B. Jones");
    EXPECT_EQ(Active(), other.SubWindow());
    EXPECT_TRUE(messages_->Texts().empty());
}

TEST_F(InputWindowTest, UnitSystemOfTheProjectReachesTheFields)
{
    Form().Data().UnitSystem = 2;
    TLengthWindow& window = ShowInputWindow<TLengthWindow>(Form());
    EXPECT_EQ(window.length->Units(), 2);
    EXPECT_EQ(window.label->text(), "Total Length (m)");
    Form().Data().UnitSystem = 1;
    Form().Data().TotalLength = 12.5L;
    ReloadInputWindows(Form());
    EXPECT_EQ(window.label->text(), "Total Length (ft)");
    EXPECT_EQ(window.length->text(), "12.5");
}

TEST_F(InputWindowTest, InvalidEntryKeepsTheWindowActiveWithTheTextAsTyped)
{
    TLengthWindow& window = ShowInputWindow<TLengthWindow>(Form());
    TOtherWindow& other = ShowInputWindow<TOtherWindow>(Form());
    Form().MdiArea()->setActiveSubWindow(window.SubWindow());
    TypeLength(window, "150");
    const int commits = window.commits;
    const int loads = window.loads;
    // The user clicks the other window.
    Form().MdiArea()->setActiveSubWindow(other.SubWindow());
    EXPECT_EQ(window.loads, loads);
    EXPECT_EQ(Active(), window.SubWindow());
    EXPECT_EQ(window.length->text(), "150");
    EXPECT_EQ(Form().Data().TotalLength, 60.0L);
    EXPECT_EQ(window.commits, commits);
    EXPECT_EQ(messages_->Texts(), std::vector<QString>{"Entry must be less than or equal to 100"});
    EXPECT_EQ(QApplication::focusWidget(), window.length);
    // A command's deactivation stores nothing either.
    Form().DeactivateActiveChild();
    EXPECT_EQ(Form().Data().TotalLength, 60.0L);
    EXPECT_EQ(messages_->Texts().size(), 2u);
    // Corrected, the other window can be activated and the value is stored.
    TypeLength(window, "99");
    Form().MdiArea()->setActiveSubWindow(other.SubWindow());
    EXPECT_EQ(Active(), other.SubWindow());
    EXPECT_EQ(Form().Data().TotalLength, 99.0L);
}

TEST_F(InputWindowTest, CommandsStopWhileTheActiveWindowHoldsAnInvalidEntry)
{
    TLengthWindow& window = ShowInputWindow<TLengthWindow>(Form());
    TypeLength(window, "150");
    Form().Data().UnitSystem = 1;
    // A unit switch would reload the window over the typed text; saving would store
    // the project without it: both stop, and the entry stays as typed.
    Form().UnitsClick(2);
    EXPECT_EQ(Form().Data().UnitSystem, 1);
    EXPECT_FALSE(Form().FileSaveClick());
    EXPECT_EQ(window.length->text(), "150");
    EXPECT_EQ(messages_->Texts().size(), 2u); // the entry's message, once per command
    TypeLength(window, "99");
    Form().UnitsClick(2);
    EXPECT_EQ(Form().Data().UnitSystem, 2);
}

TEST_F(InputWindowTest, CloseIsRefusedWhileTheFocusedEntryIsInvalid)
{
    TLengthWindow* window = &ShowInputWindow<TLengthWindow>(Form());
    TypeLength(*window, "abc");
    window->closeButton->click();
    EXPECT_TRUE(InputWindowCreated<TLengthWindow>(Form()));
    EXPECT_EQ(window->length->text(), "abc");
    EXPECT_EQ(messages_->Texts(),
              std::vector<QString>{"Entry could not be evaluated:\rinvalid character(s) in expression"});
    // Corrected: closing stores the value, frees the window and clears the flag.
    TypeLength(*window, "75");
    QPointer<QMdiSubWindow> frame = window->SubWindow();
    window->closeButton->click();
    EXPECT_FALSE(InputWindowCreated<TLengthWindow>(Form()));
    EXPECT_EQ(Form().Data().TotalLength, 75.0L);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(frame.isNull());
    EXPECT_TRUE(Form().MdiArea()->subWindowList().isEmpty());
    // Opened again: a new window loaded from the project.
    window = &ShowInputWindow<TLengthWindow>(Form());
    EXPECT_EQ(window->length->text(), "75");
    EXPECT_EQ(window->loads, 1);
}

TEST_F(InputWindowTest, WindowOwnCloseCheckKeepsItOpen)
{
    TLengthWindow& window = ShowInputWindow<TLengthWindow>(Form());
    window.allowClose = false;
    EXPECT_FALSE(window.SubWindow()->close());
    EXPECT_TRUE(InputWindowCreated<TLengthWindow>(Form()));
    window.allowClose = true;
    EXPECT_TRUE(window.SubWindow()->close());
    EXPECT_FALSE(InputWindowCreated<TLengthWindow>(Form()));
}

TEST_F(InputWindowTest, ClosingTheActiveWindowLoadsTheNextOne)
{
    TOtherWindow& other = ShowInputWindow<TOtherWindow>(Form());
    test::TypeOver(*other.job, "stale");
    TLengthWindow& window = ShowInputWindow<TLengthWindow>(Form());
    Form().Data().JobNumber = QStringLiteral("J-17");
    test::TypeOver(*window.designer, "C. Brown");
    window.CloseClick();
    EXPECT_EQ(Form().Data().Designer, "C. Brown");
    EXPECT_EQ(Active(), other.SubWindow());
    EXPECT_EQ(other.job->text(), "J-17");
}

TEST_F(InputWindowTest, ClosingAllChildrenClearsEveryFlag)
{
    ShowInputWindow<TLengthWindow>(Form());
    ShowInputWindow<TOtherWindow>(Form());
    Form().CloseAllChildren();
    EXPECT_FALSE(InputWindowCreated<TLengthWindow>(Form()));
    EXPECT_FALSE(InputWindowCreated<TOtherWindow>(Form()));
}

// A window created before the others that edits the designer's name as well.
class TDesignerWindow final : public TInputWindow {
public:
    explicit TDesignerWindow(TMainForm& main) : TInputWindow(main, QStringLiteral("Designer"))
    {
        auto* layout = new QVBoxLayout(this);
        designer = new QLineEdit(this);
        layout->addWidget(designer);
    }
    QLineEdit* designer = nullptr;

protected:
    void LoadFromProject() override { designer->setText(Data().Designer); }
    void CommitToProject() override { Data().Designer = designer->text(); }
};

// The window left commits before the window chosen loads, whichever was created
// first: otherwise the chosen one shows the old value and its next commit writes the
// old value back over what was typed.
TEST_F(InputWindowTest, TheWindowLeftCommitsBeforeTheWindowChosenLoads)
{
    TDesignerWindow& first = ShowInputWindow<TDesignerWindow>(Form());
    TLengthWindow& second = ShowInputWindow<TLengthWindow>(Form());
    test::TypeOver(*second.designer, QStringLiteral("C. Brown"));
    Form().MdiArea()->setActiveSubWindow(first.SubWindow());
    EXPECT_EQ(Active(), first.SubWindow());
    EXPECT_EQ(first.designer->text(), "C. Brown");
    Form().MdiArea()->setActiveSubWindow(second.SubWindow());
    EXPECT_EQ(Form().Data().Designer, "C. Brown");
    EXPECT_EQ(second.designer->text(), "C. Brown");
}

// A window freed while one of its entries has the focus: freeing the entry moves the
// focus after the window's own part is gone, and nothing of the window may run then
// (the sanitizer build reports any use of it). The sub-window stays, empty.
TEST_F(InputWindowTest, FreeingAWindowWithAFocusedEntryTouchesNothingOfIt)
{
    TLengthWindow& window = ShowInputWindow<TLengthWindow>(Form());
    QTest::mouseClick(window.designer, Qt::LeftButton);
    ASSERT_TRUE(window.designer->hasFocus());
    QMdiSubWindow* sub = window.SubWindow();
    delete &window;
    EXPECT_FALSE(InputWindowCreated<TLengthWindow>(Form()));
    TOtherWindow& other = ShowInputWindow<TOtherWindow>(Form());
    QTest::mouseClick(other.job, Qt::LeftButton); // a later focus change reaches no freed window
    EXPECT_TRUE(other.job->hasFocus());
    delete sub;
    EXPECT_TRUE(messages_->Texts().empty());
}

} // namespace
} // namespace veldo
