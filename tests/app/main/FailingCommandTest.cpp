// A command or a close whose work throws shows the failure in one message box and
// leaves the program running, the project file on disk unchanged and the window
// open. The fault: a layer whose property table lost its bottom row, so that the
// project writer's cell read throws (not the write error it reports itself).
#include "MainTestSupport.h"
#include "Messages.h"
#include "ProjectTables.h"
#include "Table.h"

#include <QAction>
#include <QFile>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace veldo {
namespace {

QByteArray Bytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class FailingCommandTest : public test::TMainWindowTest {
protected:
    void SetUp() override
    {
        TMainWindowTest::SetUp();
        StartOnExample(QStringLiteral("PipeSandClay_English"));
        project_ = dir_.filePath(QStringLiteral("job.vd7d"));
        saved_ = Bytes(project_);
        ASSERT_FALSE(saved_.isEmpty());
    }
    void TearDown() override
    {
        // The window closes without a question once the fault is mended.
        form_->Tables().LayerTable(1)->SetRowCount(2);
        form_->SetModified(false);
        TMainWindowTest::TearDown();
    }

    // The user switches to SI (an edit), then layer 2's table loses its bottom row.
    void EditAndBreak()
    {
        ASSERT_TRUE(Choose("UnitsMenu", "OptionsSI"));
        ASSERT_TRUE(form_->IsModified());
        form_->Tables().LayerTable(1)->SetRowCount(1);
        messages_->Clear();
    }

    // One error box, the file as it was, the project still edited and the window open.
    void ExpectOneFailureNothingLost()
    {
        ASSERT_EQ(messages_->Entries().size(), 1u) << messages_->Texts().back().toStdString();
        EXPECT_EQ(messages_->Texts()[0], "List index out of bounds (1)");
        EXPECT_EQ(Bytes(project_), saved_);
        EXPECT_EQ(form_->Data().UnitSystem, UnitSystem::SI);
        EXPECT_TRUE(form_->IsModified());
        EXPECT_TRUE(form_->isVisible());
    }

    QString project_;
    QByteArray saved_;
};

TEST_F(FailingCommandTest, AMenuItemAndAToolbarButtonThatThrow)
{
    EditAndBreak();
    Choose("FileMenu", "FileSave");
    ExpectOneFailureNothingLost();
    EXPECT_EQ(messages_->Entries()[0].kind, TMessageKind::Error);

    // The run reports what stops it in its own information box.
    messages_->Clear();
    test::ClickToolButton(Form(), 4); // Run Data File saves first
    ExpectOneFailureNothingLost();
    EXPECT_FALSE(QFile::exists(dir_.filePath(QStringLiteral("job.vd7o"))));

    // The program goes on: once the table is whole again, Save writes the file.
    messages_->Clear();
    form_->Tables().LayerTable(1)->SetRowCount(2);
    Choose("FileMenu", "FileSave");
    EXPECT_TRUE(messages_->Entries().empty());
    EXPECT_NE(Bytes(project_), saved_);
    EXPECT_FALSE(form_->IsModified());
}

TEST_F(FailingCommandTest, ACloseWhoseSaveThrowsKeepsTheWindowOpen)
{
    EditAndBreak();
    messages_->QueueAnswer(TMessageAnswer::Yes); // "Do you want to save any changes?"
    EXPECT_FALSE(form_->close());
    ASSERT_EQ(messages_->Texts().size(), 2u);
    EXPECT_EQ(messages_->Texts()[0], "Do you want to save any changes?");
    EXPECT_EQ(messages_->Entries()[1].kind, TMessageKind::Error);
    EXPECT_EQ(messages_->Texts()[1], "List index out of bounds (1)");
    EXPECT_EQ(Bytes(project_), saved_);
    EXPECT_EQ(form_->Data().UnitSystem, UnitSystem::SI);
    EXPECT_TRUE(form_->IsModified());
    EXPECT_TRUE(form_->isVisible());
}

// Save As under a new name that fails for a fault keeps the project's name.
TEST_F(FailingCommandTest, ASaveAsThatThrowsKeepsTheName)
{
    EditAndBreak();
    const QString other = dir_.filePath(QStringLiteral("other.vd7d"));
    dialogs_.saveAnswers.push_back(other);
    Choose("FileMenu", "FileSaveAs");
    ExpectOneFailureNothingLost();
    EXPECT_EQ(form_->Data().ProjectPath, project_);
    EXPECT_FALSE(QFile::exists(other));
}

} // namespace
} // namespace veldo
