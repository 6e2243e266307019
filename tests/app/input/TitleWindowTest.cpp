// The Project Title window: loading, the one-line title memo of at most 80
// characters, and the commit that marks the project modified only for a new title.
#include "Main.h"
#include "MainTestSupport.h"
#include "Messages.h"
#include "Title.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <memory>

namespace veldo {
namespace {

class TitleWindowTest : public test::TMainWindowTest {
protected:
    TdlgTitle& Open()
    {
        return test::OpenByMenu<TdlgTitle>(Form(), QStringLiteral("DataMenu"), QStringLiteral("DataTitle"));
    }
    // Another window chosen from the Data menu: the title window commits as it is
    // left; then it is chosen again.
    void LeaveAndReturn()
    {
        test::ChooseMenuItem(Form(), QStringLiteral("DataMenu"), QStringLiteral("DataMethods"));
        Open();
    }
};

QStringList LabelTexts(const QWidget& window)
{
    QStringList texts;
    for (const QLabel* label : window.findChildren<QLabel*>())
        texts.push_back(label->text());
    return texts;
}

TEST_F(TitleWindowTest, MenuAndToolbarOpenOneWindowLoadedFromTheProject)
{
    Data().Title = QStringLiteral("Pier 7, pile B2");
    Data().Designer = QStringLiteral("R. Ortega");
    Data().JobNumber = QStringLiteral("J-2231");
    EXPECT_TRUE(Form().Action(QStringLiteral("DataTitle"))->isEnabled());
    EXPECT_TRUE(Form().Action(QStringLiteral("SpeedButton11"))->isEnabled());

    TdlgTitle& w = Open();
    EXPECT_EQ(w.windowTitle(), "Project Title");
    EXPECT_EQ(w.TitleMemo().toPlainText(), "Pier 7, pile B2");
    EXPECT_EQ(w.DataEdit1().text(), "R. Ortega");
    EXPECT_EQ(w.DataEdit2().text(), "J-2231");
    EXPECT_EQ(w.Button1().text(), "Close");
    const QStringList labels = LabelTexts(w);
    EXPECT_TRUE(labels.contains("Enter line of text for project description:"));
    EXPECT_TRUE(labels.contains("Name of the Designer : "));
    EXPECT_TRUE(labels.contains("Job Number : "));
    EXPECT_FALSE(Form().IsModified());

    // The toolbar button brings the same window forward.
    Form().Action(QStringLiteral("SpeedButton11"))->trigger();
    EXPECT_EQ(FindInputWindow<TdlgTitle>(Form()), &w);
}

// The designer's name and the job number are edits like the title: each marks the
// project modified (they were stored without the mark, and lost without a prompt).
TEST_F(TitleWindowTest, EveryChangedLineMarksTheProjectModified)
{
    TdlgTitle& w = Open();
    // The same title typed again is no change.
    test::TypeOver(w.TitleMemo(), QStringLiteral("New Pile"));
    LeaveAndReturn();
    EXPECT_FALSE(Form().IsModified());

    test::TypeOver(w.DataEdit2(), QStringLiteral("J-9"));
    LeaveAndReturn();
    EXPECT_EQ(Data().JobNumber, "J-9");
    EXPECT_TRUE(Form().IsModified());
    Form().SetModified(false);
    test::TypeOver(w.DataEdit1(), QStringLiteral("M. Lind"));
    LeaveAndReturn();
    EXPECT_EQ(Data().Designer, "M. Lind");
    EXPECT_TRUE(Form().IsModified());
    Form().SetModified(false);

    test::TypeOver(w.TitleMemo(), QStringLiteral("Test pile TP-1"));
    LeaveAndReturn();
    EXPECT_EQ(Data().Title, "Test pile TP-1");
    EXPECT_TRUE(Form().IsModified());
}

TEST_F(TitleWindowTest, ClosingWithoutAChangeKeepsTheModifiedFlag)
{
    Data().JobNumber = QStringLiteral("B-2");
    for (const bool modified : {false, true}) {
        Form().SetModified(modified);
        TdlgTitle& w = Open();
        w.CloseClick();
        EXPECT_EQ(FindInputWindow<TdlgTitle>(Form()), nullptr);
        EXPECT_EQ(Data().JobNumber, "B-2");
        EXPECT_EQ(Form().IsModified(), modified);
    }
    // Opened again: a new window loaded from the project.
    EXPECT_EQ(Open().DataEdit2().text(), "B-2");
    EXPECT_TRUE(messages_->Entries().empty());
}

TEST_F(TitleWindowTest, TheTitleIsOneLineOfAtMost80Characters)
{
    TdlgTitle& w = Open();
    TTitleMemo& memo = w.TitleMemo();
    memo.clear();
    QTest::keyClicks(&memo, QString(78, QLatin1Char('a')));
    QTest::keyClick(&memo, Qt::Key_Return);
    QTest::keyClick(&memo, Qt::Key_Enter);
    QTest::keyClicks(&memo, QStringLiteral("bcdef"));
    EXPECT_EQ(memo.toPlainText(), QString(78, QLatin1Char('a')) + "bc");

    // With part of the text selected, typing replaces it within the limit.
    memo.selectAll();
    QTest::keyClicks(&memo, QStringLiteral("xy"));
    EXPECT_EQ(memo.toPlainText(), "xy");

    // Pasted line breaks become blanks; what does not fit is dropped.
    QApplication::clipboard()->setText(QStringLiteral("Line one\r\nLine two\n") + QString(80, QLatin1Char('z')));
    if (QApplication::clipboard()->text().isEmpty())
        GTEST_SKIP() << "no clipboard on this platform";
    memo.moveCursor(QTextCursor::End);
    memo.paste();
    const QString expected = QStringLiteral("xyLine one Line two ") + QString(60, QLatin1Char('z'));
    EXPECT_EQ(memo.toPlainText(), expected);
    EXPECT_EQ(memo.toPlainText().size(), TTitleMemo::MaxLength);
}

} // namespace
} // namespace veldo
