// The active child commits once per command, whether the command comes from a menu
// item, a toolbar button or a direct call, and its refusal stops the command.
#include "InputCodes.h"
#include "Main.h"
#include "MainTestSupport.h"
#include "Messages.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace veldo {
namespace {

// An input window that counts its commits and refuses them when told to.
class TCountingChild final : public QWidget, public IInputWindow {
public:
    TCountingChild(int& commits, const bool& refuse) : commits_(commits), refuse_(refuse) {}
    bool FormDeactivate() override
    {
        ++commits_;
        return !refuse_;
    }
    bool EntriesAcceptable() const override { return !refuse_; }

private:
    int& commits_;
    const bool& refuse_;
};

// Opening a project makes its folder the current one: the test puts it back.
class CommandCommit : public ::testing::Test {
protected:
    void TearDown() override { QDir::setCurrent(startDir_); }

private:
    QString startDir_ = QDir::currentPath();
};

TEST_F(CommandCommit, EachCommandCommitsTheActiveChildOnce)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString project = dir.filePath(QStringLiteral("pipe.vd7d"));
    ASSERT_TRUE(QFile::copy(QStringLiteral(VELDO_EXAMPLES_DIR "/PipeSandClay_English.vd7d"), project));
    test::TScriptedFileDialogs dialogs;
    test::TRecordingShell shell;
    TScopedMessageRecorder messages;
    TMainFormOptions options = test::TestFormOptions(dir, dialogs, shell);
    options.arguments = QStringList{project};
    TMainForm form(std::move(options));
    form.show();

    int commits = 0;
    bool refuse = false;
    QMdiSubWindow* child = form.MdiArea()->addSubWindow(new TCountingChild(commits, refuse));
    child->show();
    form.MdiArea()->setActiveSubWindow(child);

    form.Action(QStringLiteral("OptionsSI"))->trigger();
    EXPECT_EQ(commits, 1);
    EXPECT_EQ(form.Data().UnitSystem, UnitSystem::SI);
    form.Action(QStringLiteral("OptionsNonCircular"))->trigger();
    EXPECT_EQ(commits, 2);
    form.Action(QStringLiteral("SpeedButton3"))->trigger(); // Save
    EXPECT_EQ(commits, 3);
    EXPECT_FALSE(form.IsModified());
    form.UnitsClick(UnitSystem::English); // a direct call commits too
    EXPECT_EQ(commits, 4);
    EXPECT_EQ(form.Data().UnitSystem, UnitSystem::English);

    // A refusal stops the command, from a menu item and from a direct call.
    refuse = true;
    form.Action(QStringLiteral("OptionsSI"))->trigger();
    EXPECT_EQ(commits, 5);
    EXPECT_EQ(form.Data().UnitSystem, UnitSystem::English);
    EXPECT_FALSE(form.FileSaveClick());
    EXPECT_EQ(commits, 6);
    EXPECT_TRUE(form.IsModified());

    // New asks to save first and saves: still one commit.
    refuse = false;
    messages->QueueAnswer(TMessageAnswer::Yes);
    form.Action(QStringLiteral("FileNew"))->trigger();
    EXPECT_EQ(commits, 7);
    EXPECT_FALSE(form.IsModified());
    EXPECT_TRUE(form.MdiArea()->subWindowList().isEmpty());
    EXPECT_EQ(messages->Texts(), std::vector<QString>{TMainForm::SaveChangesText});
}

} // namespace
} // namespace veldo
