// The table editor window driven with QTest on the offscreen platform: row buttons at
// the row limits, row groups, the shown rows, refusal to leave or close an invalid
// cell, leaving the grid, Enter navigation, in-place controls and opening as an MDI child.
#include "TableForm.h"
#include "ColumnTypes.h"
#include "Messages.h"
#include "TableErrors.h"
#include "TableTestSupport.h"
#include "UnitTemplate.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

namespace veldo::test {
namespace {

void ProcessDeferred()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// A table of `columns` float columns ("A", "B", ...) with `rows` rows.
void MakeFloatTable(TGridTable& table, int columns, int rows, int minRows = 1, int maxRows = 0)
{
    for (int c = 0; c < columns; ++c) {
        auto column = std::make_unique<TFloatColumn>();
        column->headings = QStringList{QString(QChar('A' + c))};
        table.AddColumn(std::move(column));
    }
    table.SetMinRows(minRows);
    table.SetMaxRows(maxRows);
    table.SetRowCount(rows);
    table.Caption = QStringLiteral("Test Table");
}

TTableForm& OpenEditor(TGridTable& table)
{
    table.ShowEditor();
    EXPECT_TRUE(table.EditorOpen());
    return *table.Editor();
}

// Opens the cell's editor and types the text into it, replacing what was there.
QLineEdit* TypeIntoCell(QTableWidget& grid, int row, int column, const QString& text)
{
    grid.setCurrentCell(row, column);
    grid.editItem(grid.item(row, column));
    auto* editor = grid.viewport()->findChild<QLineEdit*>();
    if (!editor)
        return nullptr;
    editor->selectAll();
    QTest::keyClicks(editor, text);
    return editor;
}

class TableForm : public ::testing::Test {
protected:
    void TearDown() override { ProcessDeferred(); }
    TScopedMessageRecorder messages;
};

TEST_F(TableForm, RowButtonsFollowMinAndMaxRows)
{
    TGridTable table;
    MakeFloatTable(table, 1, 1, 1, 3);
    TTableForm& form = OpenEditor(table);
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Test Table "));
    EXPECT_TRUE(form.BtnAdd()->isVisibleTo(&form));
    EXPECT_TRUE(form.BtnAdd()->isEnabled());
    EXPECT_TRUE(form.BtnIns()->isEnabled());
    EXPECT_FALSE(form.BtnDel()->isEnabled()); // row count = MinRows
    QTest::mouseClick(form.BtnAdd(), Qt::LeftButton);
    QTest::mouseClick(form.BtnAdd(), Qt::LeftButton);
    EXPECT_EQ(table.RowCount(), 3);
    EXPECT_TRUE(table.IsChanged());
    EXPECT_FALSE(form.BtnAdd()->isEnabled()); // row count = MaxRows
    EXPECT_FALSE(form.BtnIns()->isEnabled());
    EXPECT_TRUE(form.BtnDel()->isEnabled());
    form.Grid()->setCurrentCell(1, 0);
    QTest::mouseClick(form.BtnDel(), Qt::LeftButton);
    EXPECT_EQ(table.RowCount(), 2);
    EXPECT_EQ(form.Grid()->rowCount(), 2);
    EXPECT_TRUE(form.BtnAdd()->isEnabled());

    TGridTable fixed;
    MakeFloatTable(fixed, 1, 2, 2, 2);
    EXPECT_FALSE(OpenEditor(fixed).BtnAdd()->isVisibleTo(fixed.Editor()));
    EXPECT_FALSE(fixed.Editor()->BtnDel()->isVisibleTo(fixed.Editor()));

    TGridTable open;
    MakeFloatTable(open, 1, 30, 1, 0);
    TTableForm& unlimited = OpenEditor(open);
    EXPECT_TRUE(unlimited.BtnAdd()->isEnabled());
    EXPECT_TRUE(unlimited.BtnIns()->isEnabled());
}

TEST_F(TableForm, RowGroupsNumberAndMoveTogether)
{
    TGridTable table;
    table.SetRowGroup(2);
    MakeFloatTable(table, 1, 4);
    TTableForm& form = OpenEditor(table);
    QTableWidget& grid = *form.Grid();
    QStringList numbers;
    for (int r = 0; r < grid.rowCount(); ++r)
        numbers << grid.verticalHeaderItem(r)->text();
    EXPECT_EQ(numbers, (QStringList{"1", "1", "2", "2"}));
    QTest::mouseClick(form.BtnAdd(), Qt::LeftButton);
    EXPECT_EQ(grid.rowCount(), 6);
    EXPECT_EQ(grid.verticalHeaderItem(5)->text(), QStringLiteral("3"));
    table.Cell(0, 2).SetFloat(5);
    table.Cell(0, 3).SetFloat(6);
    table.Cell(0, 4).SetFloat(7);
    EXPECT_EQ(grid.item(3, 0)->text(), QStringLiteral("6")); // cells follow the table
    grid.setCurrentCell(3, 0);
    QTest::mouseClick(form.BtnDel(), Qt::LeftButton); // removes rows 2 and 3
    ASSERT_EQ(table.RowCount(), 4);
    EXPECT_EQ(table.Cell(0, 2).AsFloat(), 7.0L);
    EXPECT_EQ(grid.item(2, 0)->text(), QStringLiteral("7"));
}

TEST_F(TableForm, ShowsAtMostTenRows)
{
    TGridTable many;
    MakeFloatTable(many, 2, 25);
    TTableForm& big = OpenEditor(many);
    EXPECT_EQ(big.ShownRows(), 10);
    EXPECT_EQ(big.Grid()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

    TGridTable few;
    MakeFloatTable(few, 2, 3);
    TTableForm& small = OpenEditor(few);
    EXPECT_EQ(small.ShownRows(), 3);
    EXPECT_EQ(small.Grid()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
    EXPECT_EQ(small.HeaderRows(), 1);
    // Adding to a fully shown table shows the new row too.
    QTest::mouseClick(small.BtnAdd(), Qt::LeftButton);
    EXPECT_EQ(small.ShownRows(), 4);
}

TEST_F(TableForm, InvalidCellKeepsTheFocusAndTheOldValue)
{
    TGridTable table;
    MakeFloatTable(table, 2, 3);
    table.Cell(0, 0).SetFloat(1.5);
    TTableForm& form = OpenEditor(table);
    QTableWidget& grid = *form.Grid();
    QLineEdit* editor = TypeIntoCell(grid, 0, 0, QStringLiteral("2*x"));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Tab);
    ASSERT_EQ(messages->Entries().size(), 1U);
    EXPECT_EQ(messages->Entries()[0].kind, TMessageKind::Information);
    EXPECT_TRUE(messages->Entries()[0].text.startsWith(QStringLiteral("Entry could not be evaluated:\r")));
    EXPECT_EQ(grid.currentRow(), 0);
    EXPECT_EQ(grid.currentColumn(), 0);
    EXPECT_EQ(table.Cell(0, 0).AsFloat(), 1.5L);

    // Clicking another cell is refused the same way.
    const QPoint target = grid.visualItemRect(grid.item(2, 1)).center();
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, target);
    EXPECT_EQ(messages->Entries().size(), 2U);
    EXPECT_EQ(grid.currentRow(), 0);
    EXPECT_EQ(grid.currentColumn(), 0);

    // Closing and deactivating are refused while the cell is invalid.
    EXPECT_FALSE(form.Container()->close());
    EXPECT_TRUE(table.EditorOpen());
    form.FormDeactivate();
    EXPECT_EQ(messages->Entries().size(), 4U);

    grid.item(0, 0)->setText(QStringLiteral("3+4"));
    QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, target);
    EXPECT_EQ(grid.currentRow(), 2);
    EXPECT_EQ(grid.currentColumn(), 1);
    EXPECT_EQ(table.Cell(0, 0).AsFloat(), 7.0L);
    EXPECT_EQ(grid.item(0, 0)->text(), QStringLiteral("7"));
    EXPECT_TRUE(form.Container()->close());
    EXPECT_FALSE(table.EditorOpen());
}

TEST_F(TableForm, IntegerCellsCheckTheirRangeWhileEdited)
{
    TGridTable table;
    auto column = std::make_unique<TIntColumn>();
    column->headings = QStringList{"N"};
    column->minimum = 0;
    column->maximum = 100;
    table.AddColumn(std::move(column));
    table.AddColumn(std::make_unique<TStringColumn>());
    table.SetRowCount(2);
    TTableForm& form = OpenEditor(table);
    QLineEdit* editor = TypeIntoCell(*form.Grid(), 0, 0, QStringLiteral("101"));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Tab);
    ASSERT_EQ(messages->Entries().size(), 1U);
    EXPECT_EQ(messages->Entries()[0].text, QStringLiteral("Entry must be between 0 and 100."));
    form.Grid()->item(0, 0)->setText(QStringLiteral("2.5"));
    EXPECT_FALSE(form.CommitCurrentCell());
    EXPECT_EQ(messages->Entries()[1].text, QStringLiteral("Entry must be an integer."));
    EXPECT_EQ(table.Cell(0, 0).AsInteger(), 0);
}

TEST_F(TableForm, EnterMovesDownThenToTheNextColumnAndWraps)
{
    TGridTable table;
    MakeFloatTable(table, 2, 2);
    TTableForm& form = OpenEditor(table);
    QTableWidget& grid = *form.Grid();
    grid.setCurrentCell(0, 0);
    const auto at = [&grid] { return std::pair(grid.currentRow(), grid.currentColumn()); };
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(at(), std::pair(1, 0));
    QTest::keyClick(&grid, Qt::Key_Enter);
    EXPECT_EQ(at(), std::pair(0, 1));
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(at(), std::pair(1, 1));
    QTest::keyClick(&grid, Qt::Key_Return);
    EXPECT_EQ(at(), std::pair(0, 0));

    // Enter in a cell editor commits the typed expression and moves down.
    QLineEdit* editor = TypeIntoCell(grid, 0, 1, QStringLiteral("3*2"));
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(at(), std::pair(1, 1));
    EXPECT_EQ(table.Cell(1, 0).AsFloat(), 6.0L);
    EXPECT_TRUE(messages->Entries().empty());
}

TEST_F(TableForm, PassingThroughACellKeepsItsFullPrecision)
{
    TGridTable table;
    MakeFloatTable(table, 1, 2);
    table.Cell(0, 0).SetFloat(1.23456789012345L);
    TTableForm& form = OpenEditor(table);
    form.Grid()->setCurrentCell(0, 0);
    form.Grid()->setCurrentCell(1, 0);
    EXPECT_EQ(form.Grid()->item(0, 0)->text(), QStringLiteral("1.2345679"));
    EXPECT_EQ(table.Cell(0, 0).AsFloat(), 1.23456789012345L);
}

TEST_F(TableForm, RowCommandsNeedACurrentRow)
{
    TGridTable table;
    MakeFloatTable(table, 1, 2);
    TTableForm& form = OpenEditor(table);
    form.Grid()->setCurrentItem(nullptr);
    form.BtnInsClick();
    form.BtnDelClick();
    EXPECT_EQ(messages->Texts(), (std::vector<QString>{"Grid.Row not in valid range", "Grid.Row not in valid range"}));
    EXPECT_EQ(table.RowCount(), 2);
}

TEST_F(TableForm, SelectorListAndNestedTableButtons)
{
    TTestForm tables;
    tables.strata.SetRowCount(2);
    TTableForm& form = OpenEditor(tables.strata);
    QTableWidget& grid = *form.Grid();
    EXPECT_EQ(form.TopLeftLabel()->text(), QStringLiteral("Stratum"));
    EXPECT_EQ(form.HeaderRows(), 2);
    EXPECT_EQ(grid.horizontalHeaderItem(1)->text(), QStringLiteral("Depth at Bottom  (ft)  \nof each Stratum (ft)  "));
    auto* combo = qobject_cast<QComboBox*>(grid.cellWidget(1, 0));
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->currentIndex(), 0);
    combo->setCurrentIndex(1);
    emit combo->activated(1);
    ProcessDeferred();
    EXPECT_EQ(tables.strata.Cell(0, 1).AsInteger(), 2);
    auto* button = qobject_cast<QPushButton*>(grid.cellWidget(1, 2));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("Peat Properties  2"));

    QTest::mouseClick(button, Qt::LeftButton);
    TGridTable* nested = tables.strata.Cell(2, 1).AsTable();
    ASSERT_TRUE(nested->EditorOpen());
    EXPECT_EQ(nested->Editor()->windowTitle(), QStringLiteral("Peat Properties  2"));
    // Two fixed rows: no row buttons.
    EXPECT_FALSE(nested->Editor()->BtnAdd()->isVisibleTo(nested->Editor()));

    // A unit switch rebuilds the headings.
    tables.strata.SetUnits(UnitSystem::SI);
    EXPECT_EQ(grid.horizontalHeaderItem(1)->text(), QStringLiteral("Depth at Bottom  (m)  \nof each Stratum (m)  "));

    // Moving into a column edited by in-place controls is refused.
    grid.setCurrentCell(0, 1);
    grid.setCurrentCell(0, 0);
    EXPECT_EQ(grid.currentColumn(), 1);
}

// With the table's button events assigned, the nested-table buttons show the table's
// caption and a click goes to the table instead of opening the nested editor.
TEST_F(TableForm, NestedTableButtonsAskTheTable)
{
    TTestForm tables;
    tables.strata.SetRowCount(2);
    std::vector<std::string> log;
    tables.strata.OnGetButtonCaption = [&](TGridTable& table, int column, int row) {
        EXPECT_EQ(&table, &tables.strata);
        return QStringLiteral("Edit %1/%2").arg(column).arg(row);
    };
    tables.strata.OnButtonClick = [&](TGridTable& table, int column, int row) {
        EXPECT_EQ(&table, &tables.strata);
        log.push_back("click " + std::to_string(column) + " " + std::to_string(row));
    };
    TTableForm& form = OpenEditor(tables.strata);
    auto* button = qobject_cast<QPushButton*>(form.Grid()->cellWidget(1, 2));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->text(), QStringLiteral("Edit 2/1"));
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(log, std::vector<std::string>{"click 2 1"});
    EXPECT_FALSE(tables.strata.Cell(2, 1).AsTable()->EditorOpen());
}

TEST_F(TableForm, OpensAsAnMdiChildWhenTheProgramHasAnMdiArea)
{
    QMdiArea area;
    area.resize(900, 700);
    area.show();
    SetTableEditorMdiArea(&area);
    TGridTable table;
    MakeFloatTable(table, 1, 2);
    TTableForm& form = OpenEditor(table);
    SetTableEditorMdiArea(nullptr);
    auto* sub = qobject_cast<QMdiSubWindow*>(form.Container());
    ASSERT_NE(sub, nullptr);
    EXPECT_TRUE(area.subWindowList().contains(sub));
    EXPECT_EQ(sub->windowTitle(), QStringLiteral("Test Table "));

    form.Grid()->setCurrentCell(0, 0);
    form.Grid()->item(0, 0)->setText(QStringLiteral("oops"));
    EXPECT_FALSE(sub->close());
    EXPECT_EQ(messages->Entries().size(), 1U);
    form.Grid()->item(0, 0)->setText(QStringLiteral("2"));
    EXPECT_TRUE(sub->close());
    EXPECT_FALSE(table.EditorOpen());
    EXPECT_EQ(table.Cell(0, 0).AsFloat(), 2.0L);
}

TEST_F(TableForm, OpensInsideItsFormParentWithItsHelpPicture)
{
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::darkCyan);
    const QString path = QDir::temp().filePath(QStringLiteral("veldo-table-help.png"));
    ASSERT_TRUE(picture.save(path));
    QWidget host;
    host.resize(600, 500);
    host.show();
    TGridTable table;
    MakeFloatTable(table, 1, 2);
    table.FormParent = &host;
    table.SetHelpPicture(path);
    TTableForm& form = OpenEditor(table);
    EXPECT_EQ(form.parentWidget(), &host);
    EXPECT_EQ(form.Container(), &form);
    EXPECT_EQ(form.pos(), QPoint(0, 0));
    EXPECT_TRUE(form.imgHelp()->isVisibleTo(&form));
    EXPECT_EQ(form.imgHelp()->size(), QSize(40, 30));
    // A new picture rebuilds the open window.
    table.SetHelpPicture(QString());
    ProcessDeferred();
    ASSERT_TRUE(table.EditorOpen());
    EXPECT_FALSE(table.Editor()->imgHelp()->isVisibleTo(table.Editor()));
    QFile::remove(path);
}

// The focused edit box of a cell, when one is open.
QLineEdit* FocusedCellEditor(QTableWidget& grid)
{
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    return editor && grid.isAncestorOf(editor) ? editor : nullptr;
}

TEST_F(TableForm, LeavingTheGridCommitsTheCellAndARefusalTakesTheFocusBack)
{
    QWidget host;
    host.resize(700, 500);
    auto* other = new QLineEdit(&host);
    other->setGeometry(600, 450, 80, 24);
    TGridTable table;
    MakeFloatTable(table, 2, 3);
    table.Cell(0, 0).SetFloat(1.5);
    table.FormParent = &host;
    host.show();
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    TTableForm& form = OpenEditor(table);
    QTableWidget& grid = *form.Grid();

    // A click on another control of the window stores a valid entry.
    TypeIntoCell(grid, 1, 0, QStringLiteral("2*3"));
    QTest::mouseClick(other, Qt::LeftButton);
    EXPECT_EQ(table.Cell(0, 1).AsFloat(), 6.0L);
    EXPECT_TRUE(other->hasFocus());
    EXPECT_TRUE(messages->Entries().empty());
    ProcessDeferred(); // the closed edit box goes

    // A refused entry: one message, the old value kept, and the focus back in the cell
    // with the text open for correction.
    TypeIntoCell(grid, 0, 0, QStringLiteral("2*x"));
    QTest::mouseClick(other, Qt::LeftButton);
    ASSERT_EQ(messages->Entries().size(), 1U);
    EXPECT_TRUE(messages->Entries()[0].text.startsWith(QStringLiteral("Entry could not be evaluated:\r")));
    EXPECT_EQ(table.Cell(0, 0).AsFloat(), 1.5L);
    QLineEdit* editor = FocusedCellEditor(grid);
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->text(), QStringLiteral("2*x"));
    ProcessDeferred(); // the event loop runs between two clicks

    // A row command clicked next is refused with that click's one message.
    QTest::mouseClick(form.BtnAdd(), Qt::LeftButton);
    EXPECT_EQ(messages->Entries().size(), 2U);
    EXPECT_EQ(table.RowCount(), 3);
    ProcessDeferred();

    // Corrected, the same click stores the entry and adds the row.
    editor = FocusedCellEditor(grid);
    ASSERT_NE(editor, nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, QStringLiteral("4"));
    QTest::mouseClick(form.BtnAdd(), Qt::LeftButton);
    EXPECT_EQ(messages->Entries().size(), 2U);
    EXPECT_EQ(table.Cell(0, 0).AsFloat(), 4.0L);
    EXPECT_EQ(table.RowCount(), 4);
}

TEST_F(TableForm, InPlaceControlsAreAllocatedUnderOneParentAndFreedOnClosing)
{
    TTestForm tables;
    tables.strata.SetRowCount(2);
    TTableForm& form = OpenEditor(tables.strata);
    TColumn& selector = tables.strata.Column(0);
    ASSERT_TRUE(selector.HasControls());
    EXPECT_EQ(form.Grid()->cellWidget(1, 0), selector.Control(1));
    EXPECT_EQ(selector.Control(2), nullptr);

    QWidget elsewhere;
    const auto message = [](const std::function<void()>& call) {
        try {
            call();
        } catch (const ETableError& e) {
            return Text(e);
        }
        return QString();
    };
    EXPECT_EQ(message([&] { selector.AllocateControls(&elsewhere, 2); }),
              QStringLiteral("Error attempt to change parent with controls already allocated"));
    EXPECT_EQ(message([&] { selector.AllocateControls(nullptr, 2); }), QStringLiteral("null parent"));
    EXPECT_EQ(form.Grid()->cellWidget(1, 0), selector.Control(1)); // nothing changed
    // A column edited in its cells has no controls to allocate.
    TColumn& depth = tables.strata.Column(1);
    EXPECT_EQ(message([&] { depth.AllocateControls(nullptr, 2); }), QString());
    EXPECT_FALSE(depth.HasControls());

    // Closing the window frees the controls; another parent may then take new ones.
    ASSERT_TRUE(form.Container()->close());
    EXPECT_FALSE(selector.HasControls());
    selector.AllocateControls(&elsewhere, 1);
    ASSERT_NE(selector.Control(0), nullptr);
    EXPECT_EQ(selector.Control(0)->parentWidget(), &elsewhere);
    EXPECT_EQ(selector.Control(1), nullptr);
    selector.FreeControls();
}

TEST_F(TableForm, ResizedWindowSnapsToWholeRows)
{
    TGridTable table;
    MakeFloatTable(table, 2, 25);
    TTableForm& form = OpenEditor(table);
    QWidget* window = form.Container();
    const int rowHeight = form.Grid()->verticalHeader()->defaultSectionSize();
    const QRect before = window->geometry();
    // The user drags the bottom edge up by four and a half rows.
    window->resize(before.width(), before.height() - 4 * rowHeight - rowHeight / 2);
    form.ApplySnap();
    EXPECT_EQ(form.ShownRows(), 5);
    EXPECT_EQ(window->height(), before.height() - 5 * rowHeight);
    EXPECT_EQ(window->width(), before.width());
    EXPECT_EQ(form.Grid()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
}

TEST_F(TableForm, CommentsAndResizeEvent)
{
    TGridTable table;
    MakeFloatTable(table, 1, 2);
    table.Comments = QStringLiteral("Depths are measured from the ground surface");
    int resized = 0;
    table.OnResize = [&resized](TGridTable&) { ++resized; };
    TTableForm& form = OpenEditor(table);
    EXPECT_TRUE(form.lblComments()->isVisibleTo(&form));
    EXPECT_EQ(form.lblComments()->text(), table.Comments);
    EXPECT_FALSE(form.imgHelp()->isVisibleTo(&form));
    EXPECT_GT(resized, 0);
    EXPECT_GE(form.lblComments()->y(), form.BtnAdd()->geometry().bottom());
}

// A table frees its window while a button of the window has the focus: freeing the
// button moves the focus after the grid is gone, and nothing of the half-freed window
// may run then (the sanitizer build reports any use of it).
TEST_F(TableForm, FreeingTheWindowWithAButtonFocusedTouchesNothingOfIt)
{
    auto table = std::make_unique<TGridTable>();
    MakeFloatTable(*table, 1, 2);
    TTableForm& form = OpenEditor(*table);
    QTest::mouseClick(form.BtnAdd(), Qt::LeftButton);
    EXPECT_EQ(table->RowCount(), 3);
    table.reset();
    ProcessDeferred();
    QLineEdit later;
    later.show();
    later.activateWindow();
    later.setFocus(); // a later focus change reaches no freed window
    EXPECT_TRUE(messages->Texts().empty());
}

} // namespace
} // namespace veldo::test
