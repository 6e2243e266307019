// The editor window of one grid table: a grid of the visible columns with row numbers
// and heading rows, in-place drop-down lists and nested-table buttons, the row buttons,
// comments and help picture; every cell is committed through its column's parser when
// the user leaves it, and the window refuses to move on or close while a cell is invalid.
#pragma once

#include "TableSnap.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QPushButton;
class QTableWidget;

namespace veldo {

class TColumn;
class TGridTable;
class TTableGrid;

// The program's MDI area: editor windows open as its children when it is set.
void SetTableEditorMdiArea(QMdiArea* area);
QMdiArea* TableEditorMdiArea();

class TTableForm : public QWidget {
    Q_OBJECT
public:
    // Creates the window of a table (inside the table's FormParent, else as a child of
    // the MDI area when one is set, else as a top-level window) and shows it.
    static TTableForm* Open(TGridTable& table);
    ~TTableForm() override;

    TGridTable* Table() const { return table_; }
    QTableWidget* Grid() const;
    QPushButton* BtnAdd() const { return btnAdd_; }
    QPushButton* BtnIns() const { return btnIns_; }
    QPushButton* BtnDel() const { return btnDel_; }
    QLabel* lblComments() const { return lblComments_; }
    QLabel* imgHelp() const { return imgHelp_; }
    QLabel* TopLeftLabel() const { return topLeft_; }
    // The window the user moves and closes: the MDI sub-window or this form.
    QWidget* Container() const;
    int HeaderRows() const { return headerRows_; }
    int ShownColumns() const { return shownColumns_; }
    int ShownRows() const { return shownRows_; }

    // Hands the current cell's text to its column; false (after the parser's message)
    // when the text is refused.
    bool CommitCurrentCell();
    void Rebuild();
    void LayOut();
    void Retitle();
    void ShowWindow();
    // Shows fewer columns and rows (the grid scrolls) until the child window fits the
    // visible part of its window area, and moves it inside that part.
    void FitToArea();
    // Detaches from the table and frees the window without committing.
    void Discard();

    void BtnAddClick();
    void BtnInsClick();
    void BtnDelClick();
    void GridEnter();
    void FormDeactivate();
    // The focus went from the grid (or its open cell) to `now`: the cell is committed,
    // and a refused entry takes the focus back to the grid unless the window is modal.
    void GridExit(QWidget* now);
    // Snaps the window to whole columns and rows after the user's resize settled.
    void ApplySnap();

    // Used by the grid when an edit box closes without a move: Escape (`reverted`)
    // shows the stored value again; otherwise a valid entry is stored at once.
    void EditorClosed(bool reverted);

    // Used by the grid: may the current cell move from `from` to `to`?
    bool AllowMove(int fromRow, int fromColumn, int toRow, int toColumn);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    explicit TTableForm(TGridTable& table, QWidget* parent);
    void Initialise();
    void Detach();
    void CellChanged(int column, int row);
    void RefreshCells();
    void RebuildControls();
    // Takes the in-place controls of a grid column out of the grid (their column frees them).
    void RemoveControlsFromGrid(int column);
    void ShowButtons();
    // The comments label below the row buttons, at `top`.
    void LayOutComments(int top);
    bool RowCommandAllowed(int& row);
    // Rows a window opens with at most, and grows to: 10, or as many as the window
    // area has room for when the window is its child.
    int MaxShownRows() const;
    void GrowShownRows();
    void ShowError(const QString& text);
    // Commits on leaving the grid or the window; a refusal is then reported once for the
    // whole user action (a command started by the same click says nothing more).
    bool CommitOnExit();
    bool IsGridFocus(const QWidget* widget) const;
    // The current cell's text when its column has not taken it (a refused entry), so
    // that a rebuild of the grid shows it again instead of dropping it.
    struct TPendingCell {
        const TColumn* column = nullptr;
        int row = 0;
        QString text;
    };
    TPendingCell PendingCell() const;
    void RestorePendingCell(const TPendingCell& pending);
    TSnapInput SnapInput() const;
    int Margin() const;

    TGridTable* table_ = nullptr;
    TTableGrid* grid_ = nullptr;
    QPushButton* btnAdd_ = nullptr;
    QPushButton* btnIns_ = nullptr;
    QPushButton* btnDel_ = nullptr;
    QLabel* lblComments_ = nullptr;
    QLabel* imgHelp_ = nullptr;
    QLabel* topLeft_ = nullptr;
    QPointer<QMdiSubWindow> subWindow_;
    QTimer snapTimer_;
    QMetaObject::Connection focusConnection_;
    QRect laidOutGeometry_;
    QSize snapChrome_;
    int snapMinimumWidth_ = 0;
    int headerRows_ = 0;
    int shownColumns_ = 0;
    int shownRows_ = 0;
    bool rebuilding_ = false;
    bool suspendRebuild_ = false;
    bool layingOut_ = false;
    bool inMessage_ = false;
    bool discarding_ = false;
    bool controlsPending_ = false;
    // A refused cell was reported on leaving the grid or the window during the user's
    // current click or key press; cleared when the next one starts.
    bool exitRefusalReported_ = false;
};

} // namespace veldo
