#include "SoilLayers.h"
#include "MessageCatalogue.h"

#include "DataEdit.h"
#include "Messages.h"
#include "NumText.h"
#include "Table.h"
#include "UnitWords.h"
#include "soils.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace veldo {
namespace {

constexpr int TypeColumn = 1;
constexpr int FirstValueColumn = 2;
constexpr int TagsPerLayer = 100;
constexpr int RowHeight = 25;
// Rows the grid keeps when the window area is small.
constexpr int MinimumShownRows = 3;
constexpr std::array<int, TDlgSoilLayers::ColumnCount> DesignWidths{131, 72, 94, 106, 106, 135, 135};
// D columns of grid columns 2 to 6.
constexpr std::array<int, 5> ValueColumns{kLayerBottom, kLayerMaxSide, kLayerMaxEnd, kLayerSideFactor, kLayerEndFactor};
// The property that holds a numeric field's tag.
constexpr const char* FieldTag = "tag";

QString NumberText(long double value) { return QString::fromStdString(formatGeneral18(value)); }

// The words of `text` in lines no wider than `width` (a longer word stands alone).
QStringList WrappedLines(const QString& text, const QFontMetrics& metrics, int width)
{
    QStringList lines;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (!lines.isEmpty() && metrics.horizontalAdvance(lines.back() + QLatin1Char(' ') + word) <= width)
            lines.back() += QLatin1Char(' ') + word;
        else
            lines << word;
    }
    return lines;
}

// The layer grid asks for room for every column and every row; when the window area is
// smaller the window's layout gives it less and the grid scrolls, so that the notes
// and the Close button below it stay in view.
class TLayerGrid final : public QTableWidget {
public:
    using QTableWidget::QTableWidget;

    void SetSizes(QSize wanted, QSize minimum)
    {
        wanted_ = wanted;
        minimum_ = minimum;
        updateGeometry();
    }
    QSize sizeHint() const override { return wanted_; }
    QSize minimumSizeHint() const override { return minimum_; }

private:
    QSize wanted_;
    QSize minimum_;
};

} // namespace

TDlgSoilLayers::TDlgSoilLayers(TMainForm& main) : TInputWindow(main, QStringLiteral("Soil Layers"))
{
    setObjectName(QStringLiteral("DlgSoilLayers"));
    auto* layout = new QVBoxLayout(this);

    group_ = new QGroupBox(QStringLiteral("Layers Definition"), this);
    group_->setObjectName(QStringLiteral("GroupBoxLayer"));
    auto* groupLayout = new QVBoxLayout(group_);
    grid_ = new TLayerGrid(0, ColumnCount, group_);
    grid_->setObjectName(QStringLiteral("LayerGrid"));
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(RowHeight);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    grid_->horizontalHeader()->setStretchLastSection(true);
    groupLayout->addWidget(grid_, 1);

    auto* buttons = new QHBoxLayout;
    add_ = new QPushButton(QStringLiteral("Add Layer"), group_);
    add_->setObjectName(QStringLiteral("ButtonAdd"));
    insert_ = new QPushButton(QStringLiteral("Insert Layer"), group_);
    insert_->setObjectName(QStringLiteral("ButtonIns"));
    delete_ = new QPushButton(QStringLiteral("Delete Layer"), group_);
    delete_->setObjectName(QStringLiteral("ButtonDel"));
    confirm_ = new QCheckBox(QStringLiteral("Confirm Deletion"), group_);
    confirm_->setObjectName(QStringLiteral("CheckBoxDel"));
    confirm_->setChecked(true);
    for (QWidget* widget : std::initializer_list<QWidget*>{add_, insert_, delete_, confirm_})
        buttons->addWidget(widget);
    buttons->addStretch();
    groupLayout->addLayout(buttons);
    layout->addWidget(group_, 1);

    auto* notes = new QLabel(QStringLiteral("Notes:"), this);
    QFont underlined = notes->font();
    underlined.setUnderline(true);
    notes->setFont(underlined);
    layout->addWidget(notes);
    for (const char* note :
         {"* Bottom of last layer must be deeper than the pile tip plus two pile diameters.",
          "** If entries are left as zero, the program assumes no limits in Side/End Transfers.",
          "** Use a very small number (e.g. 0.001) for layers where load transfer should be ignored.",
          "*** Reduction factors can be specified for LRFD requirement or for other design "
          "considerations such as driving strength loss."})
        layout->addWidget(new QLabel(QString::fromLatin1(note), this));

    close_ = new QPushButton(QStringLiteral("Close"), this);
    close_->setObjectName(QStringLiteral("Button1"));
    layout->addWidget(close_, 0, Qt::AlignRight);

    ConnectReportingErrors(add_, &QPushButton::clicked, this, &TDlgSoilLayers::ButtonAddClick);
    ConnectReportingErrors(insert_, &QPushButton::clicked, this, &TDlgSoilLayers::ButtonInsClick);
    ConnectReportingErrors(delete_, &QPushButton::clicked, this, &TDlgSoilLayers::ButtonDelClick);
    ConnectReportingErrors(close_, &QPushButton::clicked, this, &TDlgSoilLayers::Button1Click);
    headerTop_ = {QStringLiteral("  Layer "),
                  QStringLiteral(" Soil Type "),
                  QStringLiteral(" Depth at Bottom * "),
                  QStringLiteral(" Max. Side Friction ** "),
                  QStringLiteral(" Max. End Bearing ** "),
                  QStringLiteral(" Reduction/Resistance *** "),
                  QStringLiteral(" Reduction/Resistance *** ")};
}

TDlgSoilLayers::~TDlgSoilLayers() = default;

TGridTable& TDlgSoilLayers::D() const { return MainForm().Tables().D(); }

// ---- Grid cells ------------------------------------------------------------------

QString TDlgSoilLayers::Cells(int column, int row) const
{
    if (column < 0 || column >= ColumnCount || row < 0)
        return {};
    if (row == 0)
        return headerTop_[static_cast<std::size_t>(column)];
    if (row == 1)
        return headerUnits_[static_cast<std::size_t>(column)];
    const int layer = row - FixedRows;
    if (layer >= Layers() || layer >= D().RowCount())
        return {};
    if (column == 0)
        return QStringLiteral("Layer ") + QString::number(layer + 1);
    if (column == TypeColumn)
        return D().Cell(kLayerSoilType, layer).AsText();
    return NumberText(D().Cell(ValueColumns[static_cast<std::size_t>(column - FirstValueColumn)], layer).AsFloat());
}

int TDlgSoilLayers::RowCount() const { return grid_->rowCount() + FixedRows; }

void TDlgSoilLayers::SetHeaders()
{
    const bool english = Data().UnitSystem == UnitSystem::English;
    const QString stress = english ? QStringLiteral("       (lb/ft^2)    ") : QStringLiteral("       (kN/m^2)    ");
    headerUnits_ = {QStringLiteral("        "),
                    QStringLiteral("           "),
                    QStringLiteral(" of each layer (") + UnitWord("L2", Data().UnitSystem) + QStringLiteral(") "),
                    stress,
                    stress,
                    QStringLiteral(" Factors on Side Friction "),
                    QStringLiteral("  Factors on End Bearing ")};
}

// Each column is as wide as its design width, its header lines broken at blanks to fit
// it; a word wider than that widens the column. The grid asks for every column and row
// (with room for a vertical scroll bar, for when the rows do not fit) and keeps at
// least two columns and a few rows.
void TDlgSoilLayers::SetColumnWidths()
{
    const QFontMetrics metrics(grid_->horizontalHeader()->font());
    const int padding = 2 * metrics.averageCharWidth();
    QStringList labels;
    int total = 0;
    for (int column = 0; column < ColumnCount; ++column) {
        const int design = DesignWidths[static_cast<std::size_t>(column)];
        QStringList lines;
        for (int row = 0; row < FixedRows; ++row)
            lines << WrappedLines(Cells(column, row), metrics, design - padding);
        int width = design;
        for (const QString& line : lines)
            width = std::max(width, metrics.horizontalAdvance(line) + padding);
        grid_->setColumnWidth(column, width);
        labels << lines.join(QLatin1Char('\n'));
        total += width;
    }
    grid_->setHorizontalHeaderLabels(labels);
    const int frame = 2 * grid_->frameWidth();
    const int bar = grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid_);
    const int header = grid_->horizontalHeader()->sizeHint().height();
    const auto height = [&](int rows) { return frame + header + rows * RowHeight; };
    static_cast<TLayerGrid*>(grid_)->SetSizes(
        QSize(total + frame + bar, height(std::max(grid_->rowCount(), 1))),
        QSize(grid_->columnWidth(0) + grid_->columnWidth(1) + frame + bar, height(MinimumShownRows) + bar));
}

// ---- Activation and commit --------------------------------------------------------

void TDlgSoilLayers::LoadFromProject()
{
    siltAllowed_ = Data().SiltAllowed();
    SetHeaders();
    grid_->setRowCount(D().RowCount());
    SetColumnWidths();
    if (Layers() > 0) {
        PositionControls();
        currentRow_ = FixedRows;
    }
    ShowButtons();
}

// The fields write into D as they are edited; an entry that is only being finished
// when the window is left reaches D here. A field left as loaded keeps its value.
void TDlgSoilLayers::CommitToProject()
{
    for (int layer = 0; layer < Layers(); ++layer)
        for (int offset = 0; offset < static_cast<int>(ValueColumns.size()); ++offset)
            EditChange(offset + TagsPerLayer * layer);
    if (Layers() > 0) {
        PositionControls();
        currentRow_ = FixedRows;
    }
}

// ---- Controls over the grid ----------------------------------------------------------

QPushButton* TDlgSoilLayers::LayerButton(int layer) const
{
    return qobject_cast<QPushButton*>(grid_->cellWidget(layer, 0));
}

QComboBox* TDlgSoilLayers::LayerCombo(int layer) const
{
    return qobject_cast<QComboBox*>(grid_->cellWidget(layer, TypeColumn));
}

TDataEdit* TDlgSoilLayers::LayerEdit(int layer, int offset) const
{
    return qobject_cast<TDataEdit*>(grid_->cellWidget(layer, FirstValueColumn + offset));
}

void TDlgSoilLayers::PositionControls()
{
    const bool wasPlacing = std::exchange(placing_, true);
    for (int layer = 0; layer < Layers(); ++layer)
        PlaceRowControls(layer);
    placing_ = wasPlacing;
}

// Makes the row's button, soil-type list and numeric fields when missing and gives
// them the row's values. Controls of removed rows go with their rows.
void TDlgSoilLayers::PlaceRowControls(int layer)
{
    PlaceButton(layer);
    PlaceCombo(layer);
    for (int offset = 0; offset < static_cast<int>(ValueColumns.size()); ++offset)
        PlaceEdit(layer, offset);
}

void TDlgSoilLayers::PlaceButton(int layer)
{
    QPushButton* button = LayerButton(layer);
    if (!button) {
        button = new QPushButton;
        button->setFixedHeight(RowHeight);
        ConnectReportingErrors(button, &QPushButton::clicked, this, [this, layer] { ButtonClick(layer); });
        grid_->setCellWidget(layer, 0, button);
    }
    button->setText(QStringLiteral("Edit Layer ") + QString::number(layer + 1));
}

// The list offers "Silt" while silt is allowed, and to a silt layer in any case so
// that it shows the layer's type until another type is picked.
void TDlgSoilLayers::PlaceCombo(int layer)
{
    QComboBox* combo = LayerCombo(layer);
    if (!combo) {
        combo = new QComboBox;
        combo->setFocusPolicy(Qt::StrongFocus);
        combo->installEventFilter(this); // the wheel scrolls the grid, see eventFilter
        ConnectReportingErrors(combo, &QComboBox::currentIndexChanged, this, [this, layer] {
            if (!placing_)
                ComboChange(layer);
        });
        grid_->setCellWidget(layer, TypeColumn, combo);
    }
    const int type = D().Cell(kLayerSoilType, layer).AsInteger();
    QStringList items{QStringLiteral("Sand"), QStringLiteral("Clay")};
    if (siltAllowed_ || type == SoilType::Silt)
        items << QStringLiteral("Silt");
    const bool wasPlacing = std::exchange(placing_, true);
    if (combo->count() != items.size()) {
        combo->clear();
        combo->addItems(items);
        combo->setMaxVisibleItems(static_cast<int>(items.size()));
    }
    combo->setCurrentIndex(type == 0 ? 0 : type - SoilType::Sand); // Sand, Clay, Silt
    placing_ = wasPlacing;
}

void TDlgSoilLayers::PlaceEdit(int layer, int offset)
{
    TDataEdit* field = LayerEdit(layer, offset);
    if (!field) {
        const int tag = offset + TagsPerLayer * layer;
        field = new TDataEdit;
        field->setProperty(FieldTag, tag);
        field->installEventFilter(this);
        ConnectReportingErrors(field, &QLineEdit::textChanged, this, [this, tag] {
            if (!placing_)
                EditChange(tag);
        });
        grid_->setCellWidget(layer, FirstValueColumn + offset, field);
    }
    const bool wasPlacing = std::exchange(placing_, true);
    field->SetNumber(D().Cell(ValueColumns[static_cast<std::size_t>(offset)], layer).AsFloat());
    placing_ = wasPlacing;
}

bool TDlgSoilLayers::eventFilter(QObject* watched, QEvent* event)
{
    // A soil-type list that the pointer passes over while the wheel scrolls the grid
    // keeps its type: only a list that has the focus takes the wheel.
    if (event->type() == QEvent::Wheel) {
        const auto* combo = qobject_cast<QComboBox*>(watched);
        if (combo && !combo->hasFocus()) {
            QCoreApplication::sendEvent(grid_->viewport(), event);
            return true;
        }
    }
    if (event->type() == QEvent::FocusIn) {
        const QVariant tag = watched->property(FieldTag);
        if (tag.isValid())
            EditChange(tag.toInt());
    }
    return TInputWindow::eventFilter(watched, event);
}

void TDlgSoilLayers::ShowButtons()
{
    add_->setEnabled(RowCount() < MaxLayers + FixedRows);
    // Insert stops at the table's maximum of 40 layers, as Add does.
    insert_->setEnabled(Layers() >= 1 && Layers() < MaxLayers);
    delete_->setEnabled(Layers() >= 1);
}

void TDlgSoilLayers::KeepCurrentRowInGrid()
{
    currentRow_ = std::clamp(currentRow_, FixedRows, std::max(FixedRows, RowCount() - 1));
}

// ---- Cell edits -------------------------------------------------------------------------

void TDlgSoilLayers::EditChange(int tag)
{
    const int layer = static_cast<int>(std::lround(double(tag) / TagsPerLayer));
    const int offset = tag - TagsPerLayer * layer;
    TDataEdit* field = LayerEdit(layer, offset);
    if (!field || layer >= D().RowCount())
        return;
    // Only a valid entry reaches the table; the field refuses others when it is left.
    if (field->EntryProblem().isEmpty())
        D().Cell(ValueColumns[static_cast<std::size_t>(offset)], layer).SetFloat(field->Number());
    currentRow_ = layer + FixedRows;
}

void TDlgSoilLayers::ComboChange(int tag)
{
    const QComboBox* combo = LayerCombo(tag);
    if (!combo || combo->currentIndex() < 0 || tag >= D().RowCount())
        return;
    MainForm().Tables().ChangeLayerType(tag, SoilType::Sand + combo->currentIndex());
    currentRow_ = tag + FixedRows;
    PlaceCombo(tag); // a layer that left silt loses "Silt" unless silt is allowed
}

// ---- Layer commands ---------------------------------------------------------------------

void TDlgSoilLayers::InitSoilLayerValues(int layer)
{
    TGridTable& d = D();
    MainForm().Tables().ChangeLayerType(layer, SoilType::Sand);
    d.Cell(kLayerBottom, layer).SetFloat(0);
    d.Cell(kLayerMaxSide, layer).SetFloat(0);
    d.Cell(kLayerMaxEnd, layer).SetFloat(0);
    d.Cell(kLayerSideFactor, layer).SetFloat(1);
    d.Cell(kLayerEndFactor, layer).SetFloat(1);
}

void TDlgSoilLayers::ButtonAddClick()
{
    if (Layers() >= MaxLayers)
        return;
    const int layer = Layers();
    D().SetRowCount(layer + 1);
    InitSoilLayerValues(layer);
    grid_->setRowCount(layer + 1);
    currentRow_ = layer + FixedRows;
    grid_->scrollToBottom();
    PositionControls();
    ShowButtons();
    MainForm().SetModified(true);
}

void TDlgSoilLayers::ButtonInsClick()
{
    const int layer = currentRow_ - FixedRows;
    if (Layers() < 1 || Layers() >= MaxLayers || layer < 0 || layer >= Layers())
        return;
    // The layers below move down with their property tables.
    D().InsertRowGroup(layer);
    InitSoilLayerValues(layer);
    grid_->setRowCount(Layers() + 1);
    PositionControls();
    ShowButtons();
    MainForm().SetModified(true);
}

void TDlgSoilLayers::ButtonDelClick()
{
    const int layer = currentRow_ - FixedRows;
    const bool confirmed =
        !confirm_->isChecked() || Messages().Question(Msg(TMsg::DeleteLayerQuestion, QString::number(currentRow_ - 1)),
                                                      TQuestionButtons::YesNo) == TMessageAnswer::Yes;
    if (confirmed && layer >= 0 && layer < Layers()) {
        D().DeleteRowGroup(layer);
        grid_->setRowCount(Layers() - 1);
        MainForm().SetModified(true);
    }
    PositionControls();
    ShowButtons();
    KeepCurrentRowInGrid();
}

void TDlgSoilLayers::ButtonClick(int tag)
{
    currentRow_ = tag + FixedRows;
    if (!layerWindow_)
        layerWindow_ = new TDlgSoils(MainForm(), this);
    layerWindow_->SetLayer(tag + 1, D().Cell(kLayerSoilType, tag).AsInteger());
    layerWindow_->exec();
    PositionControls();
}

void TDlgSoilLayers::Button1Click()
{
    for (int layer = 0; layer < Layers(); ++layer) {
        if (!(D().Cell(kLayerEndFactor, layer).AsFloat() > 0)) {
            Messages().Warning(Msg(TMsg::EndBearingFactorCheck, QString::number(layer + 1)));
            return;
        }
    }
    CloseClick();
}

} // namespace veldo
