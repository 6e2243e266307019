// The table editor as a child of the program's MDI area: the child window wraps the
// whole editor (grid, buttons, comments) on the first show, and comments written
// with CR line breaks are shown line by line.
#include "ColumnTypes.h"
#include "Table.h"
#include "TableForm.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace veldo;

namespace {

QLabel* CommentLabel(const TTableForm& form)
{
    for (QLabel* label : form.findChildren<QLabel*>())
        if (label->text().startsWith(QStringLiteral("first line")))
            return label;
    return nullptr;
}

} // namespace

TEST(TableFormMdiLayout, TheChildWindowWrapsTheEditorOnItsFirstShow)
{
    QMdiArea area;
    area.resize(900, 700);
    area.show();
    SetTableEditorMdiArea(&area);
    TGridTable table;
    for (const char* heading : {"A", "B"}) {
        auto column = std::make_unique<TFloatColumn>();
        column->headings = QStringList{QString::fromLatin1(heading)};
        table.AddColumn(std::move(column));
    }
    table.SetMinRows(1);
    table.SetRowCount(3);
    table.Caption = QStringLiteral("Layout Table");
    table.Comments = QStringLiteral("first line\rsecond line\r\nthird line");
    table.ShowEditor();
    SetTableEditorMdiArea(nullptr);
    ASSERT_TRUE(table.EditorOpen());
    TTableForm& form = *table.Editor();
    auto* sub = qobject_cast<QMdiSubWindow*>(form.Container());
    ASSERT_NE(sub, nullptr);
    QCoreApplication::processEvents();

    // The child is the editor plus its frame and title bar, nothing less.
    const QMargins border = sub->contentsMargins();
    EXPECT_EQ(sub->width(), form.width() + border.left() + border.right());
    EXPECT_EQ(sub->height(), form.height() + border.top() + border.bottom());
    EXPECT_TRUE(sub->isVisible());

    // The editor holds the grid, the buttons below it and the comments below them.
    const auto* button = form.findChild<QPushButton*>();
    ASSERT_NE(button, nullptr);
    EXPECT_GT(form.Grid()->height(), 0);
    EXPECT_GT(button->geometry().top(), form.Grid()->geometry().bottom());
    QLabel* comments = CommentLabel(form);
    ASSERT_NE(comments, nullptr);
    EXPECT_EQ(comments->text(), QStringLiteral("first line\nsecond line\nthird line"));
    EXPECT_GT(comments->geometry().top(), button->geometry().bottom());
    EXPECT_GE(form.height(), comments->geometry().bottom());
    // Three short lines: no wider than the grid and the buttons need.
    EXPECT_LT(form.width(), 600);
    sub->close();
}
