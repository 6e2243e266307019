// "Do you want to save any changes?" comes only after a value changed: a save (Save,
// Save As, the save of a run) leaves nothing to ask about, whatever windows were open,
// and looking at a window or a table cell changes nothing. The CPT window's import
// settings say how to read a text file and are not part of the project.
#include "CPTOptions.h"
#include "DataEdit.h"
#include "Main.h"
#include "MainTestSupport.h"
#include "Messages.h"
#include "Table.h"
#include "TableForm.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTableWidget>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace veldo {
namespace {

class SaveQuestionTest : public test::TMainWindowTest {
protected:
    void SetUp() override
    {
        TMainWindowTest::SetUp();
        StartOnExample(QStringLiteral("PipeSandClay_English"));
    }

    // Opens a window from its menu item and clicks into its first line edit.
    QWidget* OpenAndClickIn(const char* item)
    {
        Choose("DataMenu", item);
        QApplication::processEvents();
        QMdiSubWindow* active = form_->MdiArea()->activeSubWindow();
        if (!active)
            return nullptr;
        if (auto* edit = active->widget()->findChild<QLineEdit*>())
            QTest::mouseClick(edit, Qt::LeftButton);
        return active->widget();
    }

    // Closes the main window as the user does; true when it closed. Every message
    // shown on the way is in messages_.
    bool CloseMainWindow()
    {
        const bool closed = form_->close();
        QApplication::processEvents();
        return closed;
    }

    bool Asked()
    {
        for (const QString& text : messages_->Texts())
            if (text == TMainForm::SaveChangesText)
                return true;
        return false;
    }
};

TEST_F(SaveQuestionTest, ARunSavesAndLeavesNothingToAskAbout)
{
    ASSERT_NE(OpenAndClickIn("DataTitle"), nullptr);
    ASSERT_NE(OpenAndClickIn("DataSoilLayers"), nullptr);
    Choose("ComputationMenu", "CompRun");
    ASSERT_EQ(messages_->Texts(),
              std::vector<QString>{"Computations are completed. Please, check output file for results or "
                                   "error messages."});
    EXPECT_FALSE(form_->IsModified());
    EXPECT_TRUE(CloseMainWindow());
    EXPECT_FALSE(Asked());
}

TEST_F(SaveQuestionTest, SaveAsLeavesNothingToAskAbout)
{
    ASSERT_NE(OpenAndClickIn("DataMaterial"), nullptr);
    ASSERT_NE(OpenAndClickIn("DataSoilLayers"), nullptr);
    dialogs_.saveAnswers.push_back(dir_.filePath(QStringLiteral("copy.vd7d")));
    Choose("FileMenu", "FileSaveAs");
    ASSERT_TRUE(QFile::exists(dir_.filePath(QStringLiteral("copy.vd7d"))));
    EXPECT_FALSE(form_->IsModified());
    EXPECT_TRUE(CloseMainWindow());
    EXPECT_FALSE(Asked());
}

// A window loaded before another window's change was saved compares with the saved
// project, not with what it loaded.
TEST_F(SaveQuestionTest, AWindowOpenWhileAnotherSavesItsChangeAddsNone)
{
    ASSERT_NE(OpenAndClickIn("DataMaterial"), nullptr);
    QWidget* title = OpenAndClickIn("DataTitle");
    ASSERT_NE(title, nullptr);
    auto* designer = title->findChild<QLineEdit*>(QStringLiteral("DataEdit1"));
    ASSERT_NE(designer, nullptr);
    test::TypeOver(*designer, QStringLiteral("J. Smith"));
    Choose("FileMenu", "FileSave");
    EXPECT_FALSE(form_->IsModified());
    EXPECT_EQ(form_->Data().Designer.toStdString(), "J. Smith");
    EXPECT_TRUE(CloseMainWindow());
    EXPECT_FALSE(Asked());
}

// Clicking into a cell of the table editor and leaving it is no change; typing a new
// value is.
TEST_F(SaveQuestionTest, TableEditorCellsMarkOnlyChangedValues)
{
    Choose("DataMenu", "DataSoilTable");
    QApplication::processEvents();
    auto* editor = qobject_cast<TTableForm*>(form_->MdiArea()->activeSubWindow()->widget());
    ASSERT_NE(editor, nullptr);
    QTableWidget* grid = editor->Grid();
    const QRect cell = grid->visualRect(grid->model()->index(0, 1));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    QTest::keyClick(grid, Qt::Key_Tab);
    EXPECT_TRUE(form_->DeactivateActiveChild());
    EXPECT_FALSE(form_->IsModified());

    QTest::keyClicks(grid, QStringLiteral("77"));
    QTest::keyClick(grid->focusWidget(), Qt::Key_Return);
    EXPECT_TRUE(form_->DeactivateActiveChild());
    EXPECT_TRUE(form_->IsModified());
    messages_->QueueAnswer(TMessageAnswer::Cancel);
    EXPECT_FALSE(CloseMainWindow());
    EXPECT_TRUE(Asked());
}

} // namespace
} // namespace veldo
