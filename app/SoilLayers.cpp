#include "SoilLayers.h"

#include "ColumnTypes.h"
#include "DataEdit.h"
#include "Messages.h"
#include "NumText.h"
#include "Table.h"
#include "soils.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QFontMetrics>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableWidget>
#include <QVBoxLayout>

#include <cmath>
#include <limits>
#include <utility>
#include <vector>

namespace veldo {
namespace {

constexpr int TypeColumn = 1;
constexpr int FirstValueColumn = 2;
constexpr int EndFactorColumn = 6;
constexpr int TagsPerLayer = 100;
constexpr int RowHeight = 25;
constexpr int DesignGridHeight = 186;
constexpr std::array<int, TDlgSoilLayers::ColumnCount> DesignWidths{131, 72, 94, 106, 106, 135, 135};
// D columns of grid columns 2 to 6.
constexpr std::array<int, 5> ValueColumns{kLayerBottom, kLayerMaxSide, kLayerMaxEnd, kLayerSideFactor,
                                          kLayerEndFactor};
// The property that holds a numeric field's tag.
constexpr const char* FieldTag = "tag";

QString NumberText(long double value)
{
    return QString::fromStdString(formatGeneral18(value));
}

// Property values read and written whatever the column's class: blow counts and
// the adhesion method are whole numbers, the rest reals.
bool IsIntegerColumn(const TGridTable& table, int column)
{
    return dynamic_cast<const TIntColumn*>(&table.Column(column)) != nullptr;
}

long double PropertyValue(const TGridTable& table, int column, int row)
{
    const TData cell = table.Cell(column, row);
    return IsIntegerColumn(table, column) ? cell.AsInteger() : cell.AsFloat();
}

void SetPropertyValue(const TGridTable& table, int column, int row, long double value)
{
    const TData cell = table.Cell(column, row);
    if (IsIntegerColumn(table, column)) {
        const long double rounded = std::round(value);
        cell.SetInteger(static_cast<int>(std::clamp<long double>(
            rounded, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())));
    } else {
        cell.SetFloat(value);
    }
}

// Property pairs (old type's column, new type's column) kept by a change of type.
std::vector<std::pair<int, int>> CarriedProperties(int oldType, int newType)
{
    std::vector<std::pair<int, int>> carried{{0, 0}, {6, 6}, {7, 7}};
    const bool sandSilt = (oldType == kSand && newType == kSilt) || (oldType == kSilt && newType == kSand);
    if (sandSilt)
        carried.insert(carried.end(), {{1, 1}, {2, 2}, {3, 3}});
    if (oldType == kSilt && newType == kClay)
        carried.emplace_back(kSiltUndrained, kClayUndrained);
    if (oldType == kClay && newType == kSilt)
        carried.emplace_back(kClayUndrained, kSiltUndrained);
    return carried;
}

} // namespace

void ChangeLayerType(TGridTable& d, int row, int newType)
{
    const TData type = d.Cell(kLayerSoilType, row);
    const int oldType = type.AsInteger();
    if (oldType == newType)
        return;
    struct TValue {
        int column;
        std::array<long double, 2> ends;
    };
    std::vector<TValue> values;
    const std::vector<std::pair<int, int>> carried = CarriedProperties(oldType, newType);
    if (const TGridTable* old = d.Cell(kLayerProperties, row).AsTable()) {
        for (const auto& [from, to] : carried)
            if (from < old->ColumnCount())
                values.push_back({to, {PropertyValue(*old, from, 0), PropertyValue(*old, from, 1)}});
    }
    type.SetInteger(newType); // the layer gets a property table of the new layout
    const TGridTable* now = d.Cell(kLayerProperties, row).AsTable();
    if (!now)
        return;
    for (const TValue& value : values)
        if (value.column < now->ColumnCount())
            for (int end = 0; end < 2; ++end)
                SetPropertyValue(*now, value.column, end, value.ends[static_cast<std::size_t>(end)]);
}

TDlgSoilLayers::TDlgSoilLayers(TMainForm& main) : TInputWindow(main, QStringLiteral("Soill Layers"))
{
    setObjectName(QStringLiteral("DlgSoilLayers"));
    auto* layout = new QVBoxLayout(this);

    group_ = new QGroupBox(QStringLiteral("Layers Definition"), this);
    group_->setObjectName(QStringLiteral("GroupBoxLayer"));
    auto* groupLayout = new QVBoxLayout(group_);
    grid_ = new QTableWidget(0, ColumnCount, group_);
    grid_->setObjectName(QStringLiteral("LayerGrid"));
    grid_->verticalHeader()->hide();
    grid_->verticalHeader()->setDefaultSectionSize(RowHeight);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionMode(QAbstractItemView::NoSelection);
    grid_->setFixedHeight(DesignGridHeight);
    groupLayout->addWidget(grid_);

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
    layout->addWidget(group_);

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

    const auto run = [this](void (TDlgSoilLayers::*command)()) {
        return [this, command] { RunReportingErrors([this, command] { (this->*command)(); }); };
    };
    connect(add_, &QPushButton::clicked, this, run(&TDlgSoilLayers::ButtonAddClick));
    connect(insert_, &QPushButton::clicked, this, run(&TDlgSoilLayers::ButtonInsClick));
    connect(delete_, &QPushButton::clicked, this, run(&TDlgSoilLayers::ButtonDelClick));
    connect(close_, &QPushButton::clicked, this, run(&TDlgSoilLayers::Button1Click));
    headerTop_ = {QStringLiteral("  Layer "), QStringLiteral(" Soil Type "),
                  QStringLiteral(" Depth at Bottom * "), QStringLiteral(" Max. Side Friction ** "),
                  QStringLiteral(" Max. End Bearing ** "), QStringLiteral(" Reduction/Resistance *** "),
                  QStringLiteral(" Reduction/Resistance *** ")};
}

TDlgSoilLayers::~TDlgSoilLayers() = default;

TGridTable& TDlgSoilLayers::D() const
{
    return MainForm().Tables().D();
}

// ---- Grid cells ------------------------------------------------------------------

QString TDlgSoilLayers::Cells(int column, int row) const
{
    if (column < 0 || column >= ColumnCount || row < 0)
        return {};
    if (row == 0)
        return headerTop_[static_cast<std::size_t>(column)];
    if (row == 1)
        return headerUnits_[static_cast<std::size_t>(column)];
    const QTableWidgetItem* item = grid_->item(row - FixedRows, column);
    return item ? item->text() : QString();
}

long double TDlgSoilLayers::CellNumber(int column, int row) const
{
    return EvaluateCellText(Cells(column, row));
}

int TDlgSoilLayers::CellInteger(int column, int row) const
{
    return static_cast<int>(std::lround(CellNumber(column, row)));
}

int TDlgSoilLayers::RowCount() const
{
    return grid_->rowCount() + FixedRows;
}

void TDlgSoilLayers::SetCell(int column, int row, const QString& text)
{
    const int tableRow = row - FixedRows;
    if (QTableWidgetItem* item = grid_->item(tableRow, column))
        item->setText(text);
    else
        grid_->setItem(tableRow, column, new QTableWidgetItem(text));
}

void TDlgSoilLayers::SetLayerTexts(int row, const std::array<QString, ColumnCount>& texts)
{
    for (int column = TypeColumn; column < ColumnCount; ++column)
        SetCell(column, row, texts[static_cast<std::size_t>(column)]);
}

void TDlgSoilLayers::CopyRowTexts(int toRow, int fromRow)
{
    std::array<QString, ColumnCount> texts;
    for (int column = TypeColumn; column < ColumnCount; ++column)
        texts[static_cast<std::size_t>(column)] = Cells(column, fromRow);
    SetLayerTexts(toRow, texts);
}

// Sand, depth 0, no limits, factors 1.
void TDlgSoilLayers::SetDefaultRow(int row)
{
    SetLayerTexts(row, {QString(), QStringLiteral("1"), QStringLiteral("0"), QStringLiteral("0"),
                        QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1")});
}

void TDlgSoilLayers::SetHeaders()
{
    const bool english = Data().UnitSystem == kEnglish;
    const QString stress = english ? QStringLiteral("       (lb/ft^2)    ") : QStringLiteral("       (kN/m^2)    ");
    headerUnits_ = {QStringLiteral("        "), QStringLiteral("           "),
                    english ? QStringLiteral(" of each layer (ft) ") : QStringLiteral(" of each layer (m) "),
                    stress, stress, QStringLiteral(" Factors on Side Friction "),
                    QStringLiteral("  Factors on End Bearing ")};
    QStringList labels;
    for (int column = 0; column < ColumnCount; ++column)
        labels << Cells(column, 0) + QLatin1Char('\n') + Cells(column, 1);
    grid_->setHorizontalHeaderLabels(labels);
}

// Each column is as wide as its design width or as its header text in the header's
// font (units and note marks included), whichever is more; the grid follows.
void TDlgSoilLayers::SetColumnWidths()
{
    const QFontMetrics metrics(grid_->horizontalHeader()->font());
    const int padding = 2 * metrics.averageCharWidth();
    int total = 0;
    for (int column = 0; column < ColumnCount; ++column) {
        const int text = std::max(metrics.horizontalAdvance(Cells(column, 0)),
                                  metrics.horizontalAdvance(Cells(column, 1))) + padding;
        const int width = std::max(DesignWidths[static_cast<std::size_t>(column)], text);
        grid_->setColumnWidth(column, width);
        total += width;
    }
    grid_->setFixedSize(total + 2 * grid_->frameWidth(), DesignGridHeight);
}

// ---- Activation and commit --------------------------------------------------------

void TDlgSoilLayers::LoadFromProject()
{
    const TProgramData& data = Data();
    int ticked = 0;
    for (int method = 1; method <= 9; ++method)
        ticked += data.Integers[static_cast<std::size_t>(method)];
    siltAllowed_ = data.MethodTicked(2) && ticked == 1;
    SetHeaders();
    SetColumnWidths();

    const TGridTable& d = D();
    grid_->setRowCount(d.RowCount());
    for (int layer = 0; layer < d.RowCount(); ++layer) {
        const int row = layer + FixedRows;
        SetCell(0, row, QStringLiteral("Layer ") + QString::number(layer + 1));
        SetCell(TypeColumn, row, d.Cell(kLayerSoilType, layer).AsText());
        for (std::size_t k = 0; k < ValueColumns.size(); ++k)
            SetCell(FirstValueColumn + static_cast<int>(k), row,
                    NumberText(d.Cell(ValueColumns[k], layer).AsFloat()));
    }
    if (Layers() > 0) {
        PositionControls();
        currentRow_ = FixedRows;
    }
    ShowButtons();
}

void TDlgSoilLayers::CommitToProject()
{
    TGridTable& d = D();
    if (d.RowCount() != Layers())
        d.SetRowCount(Layers());
    for (int layer = 0; layer < Layers(); ++layer) {
        const int row = layer + FixedRows;
        ChangeLayerType(d, layer, CellInteger(TypeColumn, row));
        for (std::size_t k = 0; k < ValueColumns.size(); ++k)
            d.Cell(ValueColumns[k], layer).SetFloat(CellNumber(FirstValueColumn + static_cast<int>(k), row));
    }
    if (Layers() > 0) {
        PositionControls();
        currentRow_ = FixedRows;
    }
    MainForm().SetModified(true);
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
        connect(button, &QPushButton::clicked, this,
                [this, layer] { RunReportingErrors([this, layer] { ButtonClick(layer); }); });
        grid_->setCellWidget(layer, 0, button);
    }
    button->setText(QStringLiteral("Edit Layer ") + QString::number(layer + 1));
}

// The list offers "Silt" only while silt is allowed; it shows the row's type.
void TDlgSoilLayers::PlaceCombo(int layer)
{
    QComboBox* combo = LayerCombo(layer);
    if (!combo) {
        combo = new QComboBox;
        combo->setFocusPolicy(Qt::StrongFocus);
        combo->installEventFilter(this); // the wheel scrolls the grid, see eventFilter
        connect(combo, &QComboBox::currentIndexChanged, this, [this, layer] {
            if (!placing_)
                RunReportingErrors([this, layer] { ComboChange(layer); });
        });
        grid_->setCellWidget(layer, TypeColumn, combo);
    }
    QStringList items{QStringLiteral("Sand"), QStringLiteral("Clay")};
    if (siltAllowed_)
        items << QStringLiteral("Silt");
    if (combo->count() != items.size()) {
        combo->clear();
        combo->addItems(items);
        combo->setMaxVisibleItems(static_cast<int>(items.size()));
    }
    const int type = CellInteger(TypeColumn, layer + FixedRows);
    combo->setCurrentIndex(type == 0 ? 0 : type - 1);
}

void TDlgSoilLayers::PlaceEdit(int layer, int offset)
{
    TDataEdit* field = LayerEdit(layer, offset);
    if (!field) {
        const int tag = offset + TagsPerLayer * layer;
        field = new TDataEdit;
        field->setProperty(FieldTag, tag);
        field->installEventFilter(this);
        connect(field, &QLineEdit::textChanged, this, [this, tag] {
            if (!placing_)
                EditChange(tag);
        });
        grid_->setCellWidget(layer, FirstValueColumn + offset, field);
    }
    field->SetNumber(CellNumber(FirstValueColumn + offset, layer + FixedRows));
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
    if (!field)
        return;
    // Only a valid entry reaches the cell; the field refuses others when it is left.
    if (field->EntryProblem().isEmpty())
        SetCell(FirstValueColumn + offset, layer + FixedRows, NumberText(field->Number()));
    currentRow_ = layer + FixedRows;
}

void TDlgSoilLayers::ComboChange(int tag)
{
    const QComboBox* combo = LayerCombo(tag);
    if (!combo || combo->currentIndex() < 0)
        return;
    const int type = combo->currentIndex() + 1;
    SetCell(TypeColumn, tag + FixedRows, QString::number(type));
    ChangeLayerType(D(), tag, type);
    currentRow_ = tag + FixedRows;
}

// ---- Layer commands ---------------------------------------------------------------------

void TDlgSoilLayers::InitSoilLayerValues(int layer)
{
    TGridTable& d = D();
    ChangeLayerType(d, layer, kSand);
    d.Cell(kLayerBottom, layer).SetFloat(0);
    d.Cell(kLayerMaxSide, layer).SetFloat(0);
    d.Cell(kLayerMaxEnd, layer).SetFloat(0);
    d.Cell(kLayerSideFactor, layer).SetFloat(1);
    d.Cell(kLayerEndFactor, layer).SetFloat(1);
}

void TDlgSoilLayers::ButtonAddClick()
{
    if (RowCount() >= MaxLayers + FixedRows)
        return;
    const int layer = Layers();
    grid_->setRowCount(layer + 1);
    const int row = layer + FixedRows;
    SetCell(0, row, QStringLiteral("Layer ") + QString::number(layer + 1));
    SetDefaultRow(row);
    currentRow_ = row;
    D().SetRowCount(Layers());
    InitSoilLayerValues(layer);
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
    grid_->setRowCount(Layers() + 1);
    const int last = RowCount() - 1;
    SetCell(0, last, QStringLiteral("Layer ") + QString::number(Layers()));
    for (int row = last; row > currentRow_; --row)
        CopyRowTexts(row, row - 1);
    SetDefaultRow(currentRow_);
    // The layers below move down with their property tables.
    D().InsertRowGroup(layer);
    InitSoilLayerValues(layer);
    PositionControls();
    ShowButtons();
    MainForm().SetModified(true);
}

void TDlgSoilLayers::ButtonDelClick()
{
    const int layer = currentRow_ - FixedRows;
    const bool confirmed = !confirm_->isChecked()
        || Messages().Question(QStringLiteral("Do you want to delete soil layer in row ")
                                   + QString::number(currentRow_ - 1),
                               TQuestionButtons::YesNo) == TMessageAnswer::Yes;
    if (confirmed && layer >= 0 && layer < Layers()) {
        for (int row = currentRow_; row < RowCount() - 1; ++row)
            CopyRowTexts(row, row + 1);
        grid_->setRowCount(Layers() - 1);
        D().DeleteRowGroup(layer);
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
    layerWindow_->SetLayer(tag + 1, CellInteger(TypeColumn, currentRow_));
    layerWindow_->exec();
    PositionControls();
}

void TDlgSoilLayers::Button1Click()
{
    for (int layer = 0; layer < Layers(); ++layer) {
        if (!(CellNumber(EndFactorColumn, layer + FixedRows) > 0)) {
            Messages().Warning(QStringLiteral("Reduction/Resistance Factor on End Bearing for layer ")
                               + QString::number(layer + 1) + QStringLiteral(" should be greater than zero.")
                               + QLatin1Char('\r') + QStringLiteral("Please check"));
            return;
        }
    }
    CloseClick();
}

} // namespace veldo
