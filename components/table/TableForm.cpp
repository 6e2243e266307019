#include "TableForm.h"

#include "Messages.h"
#include "MiscMath.h"
#include "Table.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTableWidget>

#include <algorithm>
#include <limits>

namespace veldo {
namespace {

constexpr int kMaxShownRows = 10;

QPointer<QMdiArea>& MdiArea()
{
    static QPointer<QMdiArea> area;
    return area;
}

bool IsEnterKey(const QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<const QKeyEvent*>(event)->key();
    return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Asks the window before the current cell moves; a refused move leaves the cell (and
// the selection) where it is.
class TVetoSelectionModel final : public QItemSelectionModel {
public:
    TVetoSelectionModel(QAbstractItemModel* model, TTableForm& form) : QItemSelectionModel(model), form_(form) {}

    void setCurrentIndex(const QModelIndex& index, QItemSelectionModel::SelectionFlags command) override
    {
        const QModelIndex from = currentIndex();
        if (from != index && !form_.AllowMove(from.row(), from.column(), index.row(), index.column())) {
            refused_ = true;
            return;
        }
        refused_ = false;
        QItemSelectionModel::setCurrentIndex(index, command);
    }

    void select(const QItemSelection& selection, QItemSelectionModel::SelectionFlags command) override
    {
        if (!refused_)
            QItemSelectionModel::select(selection, command);
    }

private:
    TTableForm& form_;
    bool refused_ = false;
};

// Remembers the open cell editor and turns Enter into the window's Enter navigation.
class TCellDelegate final : public QStyledItemDelegate {
public:
    TCellDelegate(TTableForm& form, QObject* parent) : QStyledItemDelegate(parent), form_(form) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        editor_ = editor;
        return editor;
    }

    QWidget* OpenEditor() const { return editor_; }
    bool IsEditor(const QWidget* widget) const
    {
        return editor_ && (widget == editor_ || editor_->isAncestorOf(widget));
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && IsEnterKey(event)) {
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::NoHint);
            form_.GridEnter();
            return true;
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    TTableForm& form_;
    mutable QPointer<QWidget> editor_;
};

} // namespace

// The grid of the window: in-place editing, Enter navigation, editor access.
class TTableGrid final : public QTableWidget {
public:
    TTableGrid(TTableForm& form, QWidget* parent) : QTableWidget(parent), form_(form)
    {
        delegate_ = new TCellDelegate(form, this);
        setItemDelegate(delegate_);
        QItemSelectionModel* old = selectionModel();
        setSelectionModel(new TVetoSelectionModel(model(), form));
        delete old;
        setSelectionMode(QAbstractItemView::SingleSelection);
        setEditTriggers(QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked |
                        QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
        setHorizontalScrollMode(QAbstractItemView::ScrollPerItem);
        setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
        horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }

    // Pushes the open editor's text into its cell.
    void CommitEditor()
    {
        if (QWidget* editor = delegate_->OpenEditor(); editor && state() == EditingState)
            commitData(editor);
    }

    bool IsCellEditor(const QWidget* widget) const { return delegate_->IsEditor(widget); }

    void CloseEditor()
    {
        if (QWidget* editor = delegate_->OpenEditor(); editor && state() == EditingState)
            closeEditor(editor, QAbstractItemDelegate::NoHint);
    }

protected:
    // Tab and Backtab in an open cell move on only when the cell commits; the next
    // cell opens for editing only when the move took place, so that no edit box shows
    // a text that would never be stored.
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override
    {
        const bool move =
            hint == QAbstractItemDelegate::EditNextItem || hint == QAbstractItemDelegate::EditPreviousItem;
        QTableWidget::closeEditor(editor, move ? QAbstractItemDelegate::NoHint : hint);
        if (!move) {
            form_.EditorClosed(hint == QAbstractItemDelegate::RevertModelCache);
            return;
        }
        const QModelIndex next =
            moveCursor(hint == QAbstractItemDelegate::EditNextItem ? MoveNext : MovePrevious, Qt::NoModifier);
        if (!next.isValid())
            return;
        selectionModel()->setCurrentIndex(next, QItemSelectionModel::ClearAndSelect);
        if (currentIndex() == next && (next.flags() & Qt::ItemIsEditable))
            edit(next);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        if (IsEnterKey(event)) {
            form_.GridEnter();
            event->accept();
            return;
        }
        QTableWidget::keyPressEvent(event);
    }

private:
    TTableForm& form_;
    TCellDelegate* delegate_ = nullptr;
};

void SetTableEditorMdiArea(QMdiArea* area) { MdiArea() = area; }

QMdiArea* TableEditorMdiArea() { return MdiArea(); }

// ---------------------------------------------------------------- opening

TTableForm* TTableForm::Open(TGridTable& table)
{
    QWidget* host = table.FormParent;
    auto* form = new TTableForm(table, host);
    if (host) {
        form->move(0, 0);
    } else if (QMdiArea* area = MdiArea()) {
        form->subWindow_ = area->addSubWindow(form, Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                                        Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        ConnectReportingErrors(form->subWindow_.data(), &QMdiSubWindow::windowStateChanged, form,
                               [form](Qt::WindowStates before, Qt::WindowStates now) {
                                   if ((before & Qt::WindowActive) && !(now & Qt::WindowActive))
                                       form->FormDeactivate();
                               });
    } else {
        form->setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                             Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    }
    form->Initialise();
    form->ShowWindow();
    form->FitToArea();
    return form;
}

TTableForm::TTableForm(TGridTable& table, QWidget* parent) : QWidget(parent), table_(&table)
{
    setAttribute(Qt::WA_DeleteOnClose);
    grid_ = new TTableGrid(*this, this);
    btnAdd_ = new QPushButton(QStringLiteral("&Add Row"), this);
    btnIns_ = new QPushButton(QStringLiteral("&Insert Row"), this);
    btnDel_ = new QPushButton(QStringLiteral("&Delete Row"), this);
    lblComments_ = new QLabel(this);
    imgHelp_ = new QLabel(this);
    topLeft_ = new QLabel(grid_);
    topLeft_->setAlignment(Qt::AlignCenter);
    ConnectReportingErrors(btnAdd_, &QPushButton::clicked, this, &TTableForm::BtnAddClick);
    ConnectReportingErrors(btnIns_, &QPushButton::clicked, this, &TTableForm::BtnInsClick);
    ConnectReportingErrors(btnDel_, &QPushButton::clicked, this, &TTableForm::BtnDelClick);
    ConnectReportingErrors(grid_->horizontalScrollBar(), &QScrollBar::valueChanged, this, &TTableForm::LayOut);
    ConnectReportingErrors(grid_->verticalScrollBar(), &QScrollBar::valueChanged, this, &TTableForm::LayOut);
    snapTimer_.setSingleShot(true);
    snapTimer_.setInterval(250);
    ConnectReportingErrors(&snapTimer_, &QTimer::timeout, this, &TTableForm::ApplySnap);
    focusConnection_ =
        ConnectReportingErrors(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
            if (IsGridFocus(old) && now && !IsGridFocus(now))
                GridExit(now);
        });
    qApp->installEventFilter(this);
}

TTableForm::~TTableForm()
{
    // The application's signals must not reach the form while ~QWidget frees its
    // children (a focused button's clearFocus emits focusChanged then).
    disconnect(focusConnection_);
    if (qApp)
        qApp->removeEventFilter(this);
    Detach();
}

void TTableForm::Initialise()
{
    table_->AttachEditor(this, nullptr, nullptr);
    table_->SetRowCount(std::max(table_->RowCount(), table_->MinRows()));
    Retitle();
    topLeft_->setText(table_->TopLeft);
    const int ppi = logicalDpiX();
    grid_->verticalHeader()->setFixedWidth(
        std::max(fontMetrics().horizontalAdvance(table_->TopLeft + QStringLiteral("  ")), ppi / 3));
    // Comments break their lines with CR (or CR LF); the label breaks on LF.
    QString comments = table_->Comments;
    comments.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    lblComments_->setText(comments);
    lblComments_->setVisible(!table_->Comments.isEmpty());
    imgHelp_->setPixmap(QPixmap::fromImage(table_->HelpPicture()));
    imgHelp_->setVisible(!table_->HelpPicture().isNull());
    shownColumns_ = table_->VisibleColumnCount();
    shownRows_ = std::min(table_->RowCount(), MaxShownRows());
    table_->AttachEditor(
        this,
        [this] {
            if (!suspendRebuild_)
                Rebuild();
        },
        [this](int column, int row) { CellChanged(column, row); });
    Rebuild();
}

QTableWidget* TTableForm::Grid() const { return grid_; }

QWidget* TTableForm::Container() const
{
    if (subWindow_)
        return subWindow_;
    return const_cast<TTableForm*>(this);
}

int TTableForm::Margin() const { return logicalDpiX() / 20; }

void TTableForm::Retitle()
{
    if (table_)
        setWindowTitle(table_->WindowTitle());
}

void TTableForm::ShowWindow()
{
    QWidget* window = Container();
    window->show();
    if (subWindow_ && subWindow_->mdiArea())
        subWindow_->mdiArea()->setActiveSubWindow(subWindow_);
    window->raise();
    window->activateWindow();
}

void TTableForm::FitToArea()
{
    QMdiArea* area = subWindow_ ? subWindow_->mdiArea() : nullptr;
    if (!area)
        return;
    const QSize visible = area->viewport()->size();
    while (subWindow_->width() > visible.width() && shownColumns_ > 1) {
        --shownColumns_;
        LayOut();
    }
    while (subWindow_->height() > visible.height() && shownRows_ > 1) {
        --shownRows_;
        LayOut();
    }
    layingOut_ = true;
    subWindow_->move(std::clamp(subWindow_->x(), 0, std::max(0, visible.width() - subWindow_->width())),
                     std::clamp(subWindow_->y(), 0, std::max(0, visible.height() - subWindow_->height())));
    layingOut_ = false;
    laidOutGeometry_ = subWindow_->geometry();
}

void TTableForm::Detach()
{
    if (!table_)
        return;
    TGridTable* table = table_;
    table_ = nullptr;
    if (table->Editor() != this)
        return;
    table->DetachEditor();
    for (int c = 0; c < grid_->columnCount(); ++c)
        RemoveControlsFromGrid(c);
    for (int c = 0; c < table->ColumnCount(); ++c)
        table->Column(c).FreeControls();
}

void TTableForm::Discard()
{
    discarding_ = true;
    Detach();
    Container()->hide();
    Container()->deleteLater();
}

// ---------------------------------------------------------------- grid content

void TTableForm::Rebuild()
{
    if (!table_)
        return;
    rebuilding_ = true;
    grid_->CommitEditor();
    grid_->CloseEditor();
    const TPendingCell pending = PendingCell();
    const int visible = table_->VisibleColumnCount();
    const int rows = table_->RowCount();
    shownColumns_ = std::min(shownColumns_, visible);
    shownRows_ = std::min(shownRows_, rows);
    headerRows_ = table_->HeaderRows();
    grid_->setColumnCount(visible);
    grid_->setRowCount(rows);
    for (int r = 0; r < rows; ++r)
        grid_->setVerticalHeaderItem(r, new QTableWidgetItem(QString::number(r / table_->RowGroup() + 1)));
    const int ppi = logicalDpiX();
    for (int c = 0; c < visible; ++c) {
        TColumn& column = table_->VisibleColumn(c);
        grid_->setColumnWidth(c, column.ColumnWidth(grid_->fontMetrics(), ppi));
        QStringList lines;
        for (int line = 0; line < headerRows_; ++line)
            lines.append(column.GetHeading(line));
        grid_->setHorizontalHeaderItem(c, new QTableWidgetItem(lines.join(QLatin1Char('\n'))));
        for (int r = 0; r < rows; ++r) {
            auto* item = new QTableWidgetItem(column.NeedsControls() ? QString() : column.AsText(r));
            if (column.NeedsControls())
                item->setFlags(item->flags() & ~Qt::ItemIsEditable);
            grid_->setItem(r, c, item);
        }
    }
    RestorePendingCell(pending);
    RebuildControls();
    ShowButtons();
    rebuilding_ = false;
    LayOut();
}

TTableForm::TPendingCell TTableForm::PendingCell() const
{
    TPendingCell pending;
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid() || current.row() >= table_->RowCount() || current.column() >= table_->VisibleColumnCount() ||
        current.column() >= grid_->columnCount())
        return pending;
    const TColumn& column = table_->VisibleColumn(current.column());
    const QTableWidgetItem* item = grid_->item(current.row(), current.column());
    if (column.NeedsControls() || !item || item->text() == column.AsText(current.row()))
        return pending;
    pending.column = &column;
    pending.row = current.row();
    pending.text = item->text();
    return pending;
}

void TTableForm::RestorePendingCell(const TPendingCell& pending)
{
    if (!pending.column || pending.row >= grid_->rowCount())
        return;
    for (int c = 0; c < grid_->columnCount(); ++c) {
        if (&table_->VisibleColumn(c) != pending.column)
            continue;
        if (QTableWidgetItem* item = grid_->item(pending.row, c))
            item->setText(pending.text);
        grid_->setCurrentCell(pending.row, c);
    }
}

void TTableForm::RebuildControls()
{
    controlsPending_ = false;
    if (!table_)
        return;
    for (int c = 0; c < grid_->columnCount() && c < table_->VisibleColumnCount(); ++c) {
        TColumn& column = table_->VisibleColumn(c);
        if (!column.NeedsControls())
            continue;
        RemoveControlsFromGrid(c);
        column.AllocateControls(grid_->viewport(), grid_->rowCount());
        for (int r = 0; r < grid_->rowCount(); ++r)
            grid_->setCellWidget(r, c, column.Control(r));
    }
}

void TTableForm::RemoveControlsFromGrid(int column)
{
    for (int r = 0; r < grid_->rowCount(); ++r)
        if (grid_->cellWidget(r, column))
            grid_->removeCellWidget(r, column);
}

void TTableForm::RefreshCells()
{
    if (!table_)
        return;
    for (int c = 0; c < grid_->columnCount(); ++c) {
        TColumn& column = table_->VisibleColumn(c);
        if (column.NeedsControls())
            continue;
        for (int r = 0; r < grid_->rowCount() && r < column.CellCount(); ++r)
            if (QTableWidgetItem* item = grid_->item(r, c))
                item->setText(column.AsText(r));
    }
}

void TTableForm::CellChanged(int column, int row)
{
    if (!table_ || rebuilding_)
        return;
    int visibleIndex = -1;
    if (column >= 0 && column < table_->ColumnCount() && table_->Column(column).visible) {
        visibleIndex = 0;
        for (int i = 0; i < column; ++i)
            if (table_->Column(i).visible)
                ++visibleIndex;
    }
    const bool controls = visibleIndex >= 0 && table_->VisibleColumn(visibleIndex).NeedsControls();
    if (visibleIndex >= 0 && !controls) {
        if (QTableWidgetItem* item = grid_->item(row, visibleIndex))
            item->setText(table_->VisibleColumn(visibleIndex).AsText(row));
    }
    // Controls (and nested-table buttons after a selector change) are made again once
    // the control that reported the change has returned.
    if ((controls || column == 0) && !controlsPending_) {
        controlsPending_ = true;
        QTimer::singleShot(0, this, [this] {
            if (controlsPending_)
                RunReportingErrors([this] { RebuildControls(); });
        });
    }
}

void TTableForm::ShowButtons()
{
    const bool shown = table_->MinRows() != table_->MaxRows();
    for (QPushButton* b : {btnAdd_, btnIns_, btnDel_})
        b->setVisible(shown);
    btnAdd_->setEnabled(table_->RowCount() != table_->MaxRows());
    btnIns_->setEnabled(table_->RowCount() != table_->MaxRows());
    btnDel_->setEnabled(table_->MinRows() < table_->RowCount());
}

// ---------------------------------------------------------------- layout

void TTableForm::LayOut()
{
    if (!table_ || rebuilding_ || layingOut_)
        return;
    layingOut_ = true;
    const int m = Margin();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid_);
    const bool vertical = shownRows_ < grid_->rowCount();
    const bool horizontal = shownColumns_ < grid_->columnCount();
    grid_->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    grid_->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);

    const int frame = 2 * grid_->frameWidth();
    const int left = grid_->horizontalScrollBar()->value();
    int width = frame + grid_->verticalHeader()->width() + (vertical ? bar : 0);
    for (int c = left; c < std::min(left + shownColumns_, grid_->columnCount()); ++c)
        width += grid_->columnWidth(c);
    const int headerHeight = grid_->horizontalHeader()->sizeHint().height();
    const int rowHeight = grid_->verticalHeader()->defaultSectionSize();
    const int height = frame + headerHeight + shownRows_ * rowHeight + (horizontal ? bar : 0);
    grid_->setGeometry(m, m, width, height);
    topLeft_->setGeometry(grid_->frameWidth(), grid_->frameWidth(), grid_->verticalHeader()->width(), headerHeight);
    topLeft_->raise();

    int x = m;
    const int buttonTop = m + height + m;
    for (QPushButton* b : {btnAdd_, btnIns_, btnDel_}) {
        const QSize hint = b->sizeHint();
        b->setGeometry(x, buttonTop, std::max(81, hint.width()), std::max(21, hint.height()));
        x += b->width() + m;
    }
    const int labelTop = btnAdd_->isVisibleTo(this) ? buttonTop + btnAdd_->height() + m : buttonTop;
    LayOutComments(labelTop);
    const int imageTop = lblComments_->isVisibleTo(this) ? labelTop + lblComments_->height() + m : labelTop;
    imgHelp_->adjustSize();
    imgHelp_->move(m, imageTop);
    const int imageHeight = imgHelp_->isVisibleTo(this) ? imgHelp_->height() : 0;

    const int clientWidth = std::max({grid_->geometry().right() + 1, btnDel_->geometry().right() + 1,
                                      lblComments_->isVisibleTo(this) ? lblComments_->geometry().right() + 1 : 0,
                                      imgHelp_->isVisibleTo(this) ? imgHelp_->geometry().right() + 1 : 0}) +
                            m;
    const int clientHeight = imageTop + (imageHeight > 0 ? m + imageHeight : 0);
    QWidget* window = Container();
    // The frame and title bar of the child window; its current size says nothing
    // before the child has been laid out once.
    const QMargins border = window == this ? QMargins() : window->contentsMargins();
    const QSize chrome(border.left() + border.right(), border.top() + border.bottom());
    window->resize(QSize(clientWidth, clientHeight) + chrome);
    resize(clientWidth, clientHeight);
    laidOutGeometry_ = window->geometry();
    // What the window needs besides its data columns, rows and scroll bars.
    int columnsWidth = 0;
    for (int c = left; c < std::min(left + shownColumns_, grid_->columnCount()); ++c)
        columnsWidth += grid_->columnWidth(c);
    snapChrome_ = QSize(laidOutGeometry_.width() - columnsWidth - (vertical ? bar : 0),
                        laidOutGeometry_.height() - shownRows_ * rowHeight - (horizontal ? bar : 0));
    snapMinimumWidth_ = laidOutGeometry_.width() - clientWidth + btnDel_->geometry().right() + 1 + m;
    layingOut_ = false;
    if (table_->OnResize)
        table_->OnResize(*table_);
}

void TTableForm::LayOutComments(int top)
{
    const int m = Margin();
    lblComments_->setWordWrap(false);
    const QSize natural = lblComments_->sizeHint();
    // In a window area the comments break their lines rather than widen the window
    // beyond the area (which would leave no room for the columns).
    int limit = std::numeric_limits<int>::max();
    if (subWindow_ && subWindow_->mdiArea()) {
        const QMargins border = subWindow_->contentsMargins();
        limit = std::max(btnDel_->geometry().right() + 1 - m,
                         subWindow_->mdiArea()->viewport()->width() - border.left() - border.right() - 2 * m);
    }
    if (natural.width() > limit) {
        lblComments_->setWordWrap(true);
        lblComments_->resize(limit, lblComments_->heightForWidth(limit));
    } else {
        lblComments_->resize(natural);
    }
    lblComments_->move(m, top);
}

void TTableForm::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!layingOut_ && table_ && isVisible())
        snapTimer_.start();
}

TSnapInput TTableForm::SnapInput() const
{
    TSnapInput in;
    in.chromeWidth = snapChrome_.width();
    in.chromeHeight = snapChrome_.height();
    in.minimumWidth = snapMinimumWidth_;
    for (int c = 0; c < grid_->columnCount(); ++c)
        in.columnWidths.push_back(grid_->columnWidth(c));
    in.rowHeight = grid_->verticalHeader()->defaultSectionSize();
    in.headerRows = 0; // the heading rows are one header band of the grid, in the chrome
    in.dataRows = grid_->rowCount();
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid_);
    in.verticalBarWidth = bar;
    in.horizontalBarHeight = bar;
    in.leftColumn = grid_->horizontalScrollBar()->value();
    in.topRow = grid_->verticalScrollBar()->value();
    in.shownColumns = shownColumns_;
    in.shownRows = shownRows_;
    const QRect now = Container()->geometry();
    in.dragged = {now.x(), now.y(), now.width(), now.height()};
    in.edges.left = now.left() != laidOutGeometry_.left();
    in.edges.top = now.top() != laidOutGeometry_.top();
    in.edges.right = now.right() != laidOutGeometry_.right();
    in.edges.bottom = now.bottom() != laidOutGeometry_.bottom();
    return in;
}

void TTableForm::ApplySnap()
{
    if (!table_ || grid_->columnCount() == 0)
        return;
    const TSnapResult snap = SnapTableWindow(SnapInput());
    shownColumns_ = snap.shownColumns;
    shownRows_ = snap.shownRows;
    LayOut();
    grid_->horizontalScrollBar()->setValue(snap.leftColumn);
    grid_->verticalScrollBar()->setValue(snap.topRow);
    QWidget* window = Container();
    layingOut_ = true;
    window->move(snap.rect.x, snap.rect.y);
    layingOut_ = false;
    laidOutGeometry_ = window->geometry();
}

// ---------------------------------------------------------------- committing

void TTableForm::ShowError(const QString& text)
{
    inMessage_ = true;
    Messages().Information(text);
    inMessage_ = false;
}

bool TTableForm::CommitCurrentCell()
{
    if (!table_)
        return true;
    grid_->CommitEditor();
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid() || current.row() >= table_->RowCount() || current.column() >= table_->VisibleColumnCount())
        return true;
    TColumn& column = table_->VisibleColumn(current.column());
    if (column.NeedsControls())
        return true;
    const QTableWidgetItem* item = grid_->item(current.row(), current.column());
    const QString text = item ? item->text() : QString();
    // An untouched cell keeps its value at full precision rather than its display
    // text, and is no change.
    if (text == column.AsText(current.row()))
        return true;
    try {
        column.SetText(current.row(), text);
        table_->SetChanged(true);
    } catch (const std::exception& e) {
        if (!exitRefusalReported_)
            ShowError(QString::fromStdString(e.what()));
        return false;
    }
    return true;
}

void TTableForm::EditorClosed(bool reverted)
{
    if (!table_ || rebuilding_ || inMessage_)
        return;
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid() || current.row() >= table_->RowCount() || current.column() >= table_->VisibleColumnCount())
        return;
    TColumn& column = table_->VisibleColumn(current.column());
    QTableWidgetItem* item = grid_->item(current.row(), current.column());
    if (column.NeedsControls() || !item)
        return;
    if (reverted) {
        item->setText(column.AsText(current.row())); // Escape: back to the stored value
        return;
    }
    // The edit box closed because another control of the window took the focus (an
    // in-place list, a nested-table button): a valid entry is stored before that
    // control acts. A refused one stays in the cell for the next commit to report.
    try {
        if (item->text() != column.AsText(current.row())) {
            column.SetText(current.row(), item->text());
            table_->SetChanged(true);
        }
    } catch (const std::exception&) {
    }
}

bool TTableForm::AllowMove(int fromRow, int fromColumn, int, int toColumn)
{
    if (!table_ || rebuilding_)
        return true;
    bool allowed = false;
    RunReportingErrors([&] {
        if (fromRow >= 0 && fromColumn >= 0 && !CommitCurrentCell())
            return;
        if (toColumn >= 0 && toColumn < table_->VisibleColumnCount() && table_->VisibleColumn(toColumn).NeedsControls())
            return;
        RefreshCells();
        allowed = true;
    });
    return allowed;
}

void TTableForm::GridEnter()
{
    const QModelIndex current = grid_->currentIndex();
    if (!current.isValid())
        return;
    const TGridCell next = NextCellOnEnter({current.row(), current.column()}, grid_->rowCount(), grid_->columnCount());
    grid_->setCurrentCell(next.row, next.column);
}

// ---------------------------------------------------------------- row commands

int TTableForm::MaxShownRows() const
{
    // A child of the window area shows every row the area has room for (FitToArea).
    return subWindow_ ? std::numeric_limits<int>::max() : kMaxShownRows;
}

void TTableForm::GrowShownRows()
{
    if (shownRows_ == table_->RowCount())
        shownRows_ = std::min(shownRows_ + table_->RowGroup(), MaxShownRows());
}

bool TTableForm::RowCommandAllowed(int& row)
{
    if (!table_ || !CommitCurrentCell())
        return false;
    row = grid_->currentRow();
    if (row < 0 || row >= table_->RowCount()) {
        ShowError(QStringLiteral("Grid.Row not in valid range"));
        return false;
    }
    return true;
}

void TTableForm::BtnAddClick()
{
    if (!table_ || !CommitCurrentCell())
        return;
    table_->SetChanged(true);
    GrowShownRows();
    suspendRebuild_ = true;
    table_->AppendRowGroup();
    suspendRebuild_ = false;
    Rebuild();
    FitToArea();
    const int last = table_->RowCount() - 1;
    QScrollBar* scroll = grid_->verticalScrollBar();
    if (last >= scroll->value() + shownRows_)
        scroll->setValue(last - shownRows_ + 1);
}

void TTableForm::BtnInsClick()
{
    int row = 0;
    if (!RowCommandAllowed(row))
        return;
    table_->SetChanged(true);
    GrowShownRows();
    table_->InsertRowGroup(row);
    FitToArea();
}

void TTableForm::BtnDelClick()
{
    int row = 0;
    if (!RowCommandAllowed(row))
        return;
    table_->SetChanged(true);
    table_->DeleteRowGroup(row);
}

// ---------------------------------------------------------------- closing

void TTableForm::closeEvent(QCloseEvent* event)
{
    if (!discarding_ && table_ && !CommitCurrentCell()) {
        event->ignore();
        return;
    }
    Detach();
    event->accept();
}

void TTableForm::FormDeactivate()
{
    if (discarding_ || inMessage_ || !table_)
        return;
    if (!CommitOnExit())
        ShowWindow();
}

bool TTableForm::IsGridFocus(const QWidget* widget) const
{
    return widget && (widget == grid_ || grid_->IsCellEditor(widget));
}

void TTableForm::GridExit(QWidget* now)
{
    if (discarding_ || inMessage_ || !table_)
        return;
    // A dialog opened over the window (a message, a file dialog of a command) does not
    // leave the cell: the command that opened it has committed it already.
    if (QWidget* top = now->window(); top != window() && top->isModal())
        return;
    if (CommitOnExit() || Container()->windowModality() != Qt::NonModal)
        return;
    grid_->setFocus(Qt::OtherFocusReason);
    const QModelIndex current = grid_->currentIndex();
    if (current.isValid() && (current.flags() & Qt::ItemIsEditable))
        grid_->edit(current); // the refused text, open for correction
}

bool TTableForm::CommitOnExit()
{
    if (CommitCurrentCell())
        return true;
    exitRefusalReported_ = true;
    return false;
}

bool TTableForm::eventFilter(QObject* watched, QEvent* event)
{
    // The focus moves while a press is delivered, and the click's command runs while
    // its release is delivered: the action is over once the release has been handled.
    // A key press starts a new action (its focus change comes after this filter).
    if (event->type() == QEvent::KeyPress)
        exitRefusalReported_ = false;
    else if (event->type() == QEvent::MouseButtonRelease && exitRefusalReported_)
        QTimer::singleShot(0, this, [this] { exitRefusalReported_ = false; });
    return QWidget::eventFilter(watched, event);
}

void TTableForm::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && !subWindow_ && isWindow() && !isActiveWindow())
        FormDeactivate();
}

} // namespace veldo
