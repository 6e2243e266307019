#include "Table.h"

#include "ColumnStream.h"
#include "ColumnTypes.h"
#include "Misc.h"
#include "TableErrors.h"
#include "TableForm.h"
#include "UnitTemplate.h"

#include <QFontMetrics>
#include <QWidget>

#include <algorithm>
#include <string>

namespace veldo {
namespace {

const char* const kWrongType = "Data of wrong type";

std::vector<TGridTable*>& TableList()
{
    static std::vector<TGridTable*> tables;
    return tables;
}

int& IdentifierCounter()
{
    static int counter = 0;
    return counter;
}

// The next counter value that no living table holds.
int NextFreeIdentifier()
{
    int& counter = IdentifierCounter();
    while (TableIndexOfIdentifier(counter) >= 0)
        ++counter;
    return counter++;
}

struct TColumnTypeStorage {
    int code;
    std::type_index type;
    TColumnFactory factory;
};

std::vector<TColumnTypeStorage>& ColumnTypes()
{
    static std::vector<TColumnTypeStorage> types;
    return types;
}

bool& StandardColumnTypesRegistered()
{
    static bool registered = false;
    return registered;
}

void EnsureStandardColumnTypes()
{
    if (!StandardColumnTypesRegistered()) {
        StandardColumnTypesRegistered() = true;
        RegisterStandardColumnTypes();
    }
}

std::string ErrorText(const std::exception& e) { return e.what(); }

} // namespace

// ---------------------------------------------------------------- TColumn

QString TColumn::GetHeading(int line) const { return line >= 0 && line < headings.size() ? headings[line] : QString(); }

TGridTable* TColumn::AsTable(int) const { throw EInvalidCast(kWrongType); }
QObject* TColumn::AsObject(int) const { throw EInvalidCast(kWrongType); }
long double TColumn::AsFloat(int) const { throw EInvalidCast(kWrongType); }
void TColumn::SetFloat(int, long double) { throw EInvalidCast(kWrongType); }
int TColumn::AsInteger(int) const { throw EInvalidCast(kWrongType); }
void TColumn::SetInteger(int, int) { throw EInvalidCast(kWrongType); }
QString TColumn::AsText(int) const { return {}; }
void TColumn::SetText(int, const QString&) {}
void TColumn::SetUnits(TUnitSystem, TUnitSystem) {}
QWidget* TColumn::CreateControl(int, QWidget*) { return nullptr; }

TColumn::~TColumn() { FreeControls(); }

void TColumn::AllocateControls(QWidget* parent, int count)
{
    if (!NeedsControls())
        return;
    if (!parent)
        throw ETableError("null parent");
    if (HasControls() && parent != controlParent_)
        throw ETableError("Error attempt to change parent with controls already allocated");
    // Each control is bound to its row and shows the row's value when made: all are
    // made again rather than kept across inserted or deleted rows.
    FreeControls();
    controlParent_ = parent;
    for (int row = 0; row < count && row < CellCount(); ++row)
        controls_.emplace_back(CreateControl(row, parent));
}

void TColumn::FreeControls()
{
    // A control may be the one whose signal is being handled, or still be placed in the
    // editor's grid until the grid is rebuilt: it is cut off from the column at once and
    // deleted once control returns to the event loop.
    for (QPointer<QWidget>& control : controls_) {
        if (!control)
            continue;
        control->disconnect();
        control->hide();
        control->deleteLater();
    }
    controls_.clear();
    controlParent_ = nullptr;
}

bool TColumn::HasControls() const
{
    return std::ranges::any_of(controls_, [](const QPointer<QWidget>& control) { return !control.isNull(); });
}

QWidget* TColumn::Control(int row) const
{
    return row >= 0 && row < static_cast<int>(controls_.size()) ? controls_[static_cast<std::size_t>(row)].data()
                                                                : nullptr;
}

int TColumn::ColumnWidth(const QFontMetrics& metrics, int) const
{
    int width = 0;
    for (int line = 0; line < HeadingCount(); ++line)
        width = std::max(width, metrics.horizontalAdvance(GetHeading(line) + QStringLiteral("  ")));
    return width;
}

void TColumn::WriteData(TColumnStreamWriter& writer) const
{
    writer.WriteListBegin();
    for (const QString& line : headings)
        writer.WriteString(line);
    writer.WriteListEnd();
    writer.WriteBoolean(visible);
    writer.WriteBoolean(groupWide);
}

void TColumn::ReadBase(TColumnStreamReader& reader)
{
    reader.ReadListBegin();
    headings.clear();
    while (!reader.EndOfList())
        headings.append(reader.ReadString());
    reader.ReadListEnd();
    visible = reader.ReadBoolean();
    groupWide = reader.ReadBoolean();
}

void TColumn::CopyDefinitionTo(TColumn& other) const
{
    other.headings = headings;
    other.visible = visible;
    other.groupWide = groupWide;
}

std::vector<int> TColumn::RowsReached(int row) const
{
    if (!groupWide)
        return {row};
    const int group = RowGroup();
    const int first = group * (row / group);
    std::vector<int> rows;
    for (int r = first; r < std::min(first + group, CellCount()); ++r)
        rows.push_back(r);
    return rows;
}

int TColumn::RowGroup() const { return table_ ? table_->RowGroup() : 1; }

void TColumn::CellChanged(int row)
{
    if (table_)
        table_->ColumnCellChanged(*this, row);
}

int TColumn::IndexInTable() const { return table_ ? table_->IndexOfColumn(this) : -1; }

void TColumn::CheckRow(int row) const
{
    if (row < 0 || row >= CellCount())
        throw EListError("List index out of bounds (" + std::to_string(row) + ")");
}

// ---------------------------------------------------------------- TGridTable

TGridTable::TGridTable(QObject* parent) : QObject(parent), owner_(qobject_cast<TGridTable*>(parent))
{
    identifier_ = NextFreeIdentifier();
    units_ = owner_ ? owner_->Units() : UnitSystem::English;
    TableList().push_back(this);
}

TGridTable::TGridTable(const TGridTable& model, TGridTable* owner, int titleNumber)
    : QObject(nullptr), Comments(model.Comments), Caption(model.Caption), TopLeft(model.TopLeft), owner_(owner),
      helpPicture_(model.helpPicture_), helpPictureSource_(model.helpPictureSource_), maxRows_(model.maxRows_),
      minRows_(model.minRows_)
{
    identifier_ = NextFreeIdentifier();
    units_ = owner_ ? owner_->Units() : UnitSystem::English;
    TableList().push_back(this);
    for (const auto& column : model.columns_) {
        columns_.push_back(column->Clone());
        WireColumn(*columns_.back());
        ResizeNestedLists();
    }
    titleNumber_ = titleNumber;
    SetRowCount(minRows_);
}

TGridTable::~TGridTable()
{
    if (editor_)
        editor_->Discard();
    editor_ = nullptr;
    rowsChangedNotify_ = nullptr;
    cellChangedNotify_ = nullptr;
    SetRowCount(0);
    columns_.clear();
    auto& tables = TableList();
    tables.erase(std::remove(tables.begin(), tables.end(), this), tables.end());
}

void TGridTable::SetIdentifier(int value)
{
    if (value < 0)
        return;
    for (TGridTable* other : TableList())
        if (other != this && other->identifier_ == value)
            other->identifier_ = identifier_;
    identifier_ = value;
}

void TGridTable::SetMinRows(int value)
{
    if (value <= 0)
        throw ETableError("Value must be greater than 0");
    minRows_ = value;
}

void TGridTable::SetHelpPicture(const QString& source)
{
    helpPictureSource_ = source;
    helpPicture_ = source.isEmpty() ? QImage() : QImage(source);
    OpenTableEditor(*this);
}

TColumn& TGridTable::Column(int index) const
{
    if (index < 0 || index >= ColumnCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return *columns_[static_cast<std::size_t>(index)];
}

int TGridTable::IndexOfColumn(const TColumn* column) const
{
    for (int i = 0; i < ColumnCount(); ++i)
        if (columns_[static_cast<std::size_t>(i)].get() == column)
            return i;
    return -1;
}

TColumn& TGridTable::AppendWired(std::unique_ptr<TColumn> column)
{
    columns_.push_back(std::move(column));
    try {
        WireColumn(*columns_.back());
    } catch (...) {
        columns_.pop_back();
        throw;
    }
    return *columns_.back();
}

TColumn& TGridTable::AddColumn(std::unique_ptr<TColumn> column)
{
    AppendWired(std::move(column));
    ResizeNestedLists();
    RowsChanged();
    return *columns_.back();
}

int TGridTable::VisibleColumnCount() const
{
    return static_cast<int>(std::count_if(columns_.begin(), columns_.end(), [](const auto& c) { return c->visible; }));
}

TColumn& TGridTable::VisibleColumn(int index) const
{
    int seen = 0;
    for (const auto& column : columns_)
        if (column->visible && seen++ == index)
            return *column;
    throw EListError("Index out of bounds");
}

int TGridTable::HeaderRows() const
{
    int rows = 0;
    for (const auto& column : columns_)
        if (column->visible)
            rows = std::max(rows, column->HeadingCount());
    return rows;
}

bool TGridTable::IsChanged() const
{
    return changed_ || std::any_of(columns_.begin(), columns_.end(), [](const auto& c) { return c->IsChanged(); });
}

void TGridTable::SetChanged(bool value)
{
    if (value)
        changed_ = true;
    else
        ResetChanged();
}

void TGridTable::ResetChanged()
{
    changed_ = false;
    for (const auto& column : columns_)
        column->ResetChanged();
}

void TGridTable::SetRowCount(int count)
{
    rowCount_ = std::max(count, 0);
    for (const auto& column : columns_) {
        while (column->CellCount() > rowCount_)
            column->DeleteRow(column->CellCount() - 1);
        if (column->CellCount() < rowCount_)
            column->InsertRows(column->CellCount(), rowCount_ - column->CellCount());
    }
    RowsChanged();
}

void TGridTable::AppendRowGroup()
{
    rowCount_ += rowGroup_;
    for (const auto& column : columns_)
        column->InsertRows(column->CellCount(), rowGroup_);
    RowsChanged();
}

void TGridTable::InsertRowGroup(int row)
{
    const int at = std::clamp(rowGroup_ * (row / rowGroup_), 0, rowCount_);
    rowCount_ += rowGroup_;
    for (const auto& column : columns_)
        column->InsertRows(at, rowGroup_);
    RowsChanged();
}

void TGridTable::DeleteRowGroup(int row)
{
    if (row < 0 || row >= rowCount_)
        throw EListError("List index out of bounds (" + std::to_string(row) + ")");
    const int at = rowGroup_ * (row / rowGroup_);
    const int count = std::min(rowGroup_, rowCount_ - at);
    rowCount_ -= count;
    for (const auto& column : columns_)
        for (int k = 0; k < count; ++k)
            column->DeleteRow(at);
    RowsChanged();
}

void TGridTable::SetUnits(TUnitSystem units)
{
    if (units < UnitSystem::English || units > kRawUnits)
        throw ERangeError("Range check error");
    if (units == units_)
        return;
    const TUnitSystem from = units_;
    units_ = units;
    for (const auto& column : columns_)
        column->SetUnits(from, units);
    RowsChanged();
}

void TGridTable::SetTitleNumber(int number)
{
    titleNumber_ = number;
    if (editor_)
        editor_->Retitle();
}

QString TGridTable::TitleText() const
{
    QString text = owner_ ? owner_->TitleText() : QString();
    if (titleNumber_ != 0)
        text += QLatin1Char(' ') + QString::fromStdString(std::to_string(titleNumber_));
    return text;
}

QString TGridTable::WindowTitle() const { return Caption + QLatin1Char(' ') + TitleText(); }

void TGridTable::ShowEditor()
{
    if (VisibleColumnCount() == 0)
        return;
    if (!editor_)
        TTableForm::Open(*this);
    else
        editor_->ShowWindow();
}

void TGridTable::Hide()
{
    if (editor_)
        editor_->Discard();
    for (const auto& column : columns_)
        column->Hide();
}

void TGridTable::AttachEditor(TTableForm* editor, std::function<void()> rowsChanged,
                              std::function<void(int, int)> cellChanged)
{
    editor_ = editor;
    rowsChangedNotify_ = std::move(rowsChanged);
    cellChangedNotify_ = std::move(cellChanged);
}

void TGridTable::DetachEditor()
{
    editor_ = nullptr;
    rowsChangedNotify_ = nullptr;
    cellChangedNotify_ = nullptr;
}

void TGridTable::ReadColumns(TColumnStreamReader& reader)
{
    columns_.clear();
    int count = 0;
    try {
        count = reader.ReadInteger();
    } catch (const std::exception&) {
        throw ETableError("Error reading column count");
    }
    for (int i = 0; i < count; ++i) {
        try {
            const TColumnFactory* factory = ColumnTypeFactory(reader.ReadInteger());
            if (!factory)
                throw ETableError("Error Column Class not defined");
            AppendWired((*factory)(reader, *this));
        } catch (const std::exception& e) {
            throw ETableError("Error occured when creating column " + std::to_string(i) + ": " + ErrorText(e));
        }
        ResizeNestedLists();
    }
    RowsChanged();
}

void TGridTable::WriteColumns(TColumnStreamWriter& writer) const
{
    writer.WriteInteger(ColumnCount());
    for (const auto& column : columns_) {
        writer.WriteInteger(ColumnTypeCode(*column));
        column->WriteData(writer);
    }
}

void TGridTable::ColumnCellChanged(TColumn& column, int row)
{
    const int index = IndexOfColumn(&column);
    if (index == 0 && dynamic_cast<TEnumColumn*>(&column)) {
        for (const auto& c : columns_)
            if (auto* nested = dynamic_cast<TTableColumn*>(c.get())) {
                nested->RebuildRow(row);
                break;
            }
    }
    if (cellChangedNotify_)
        cellChangedNotify_(index, row);
}

int TGridTable::SelectorValue(int row) const
{
    if (!columns_.empty())
        if (auto* selector = dynamic_cast<const TEnumColumn*>(columns_.front().get()))
            return selector->AsInteger(row);
    return 1;
}

int TGridTable::ChoiceCount() const
{
    if (!columns_.empty())
        if (auto* selector = dynamic_cast<const TEnumColumn*>(columns_.front().get()))
            return static_cast<int>(selector->items.size());
    return 1;
}

void TGridTable::WireColumn(TColumn& column)
{
    column.SetTable(this);
    if (column.CellCount() < rowCount_)
        column.InsertRows(column.CellCount(), rowCount_ - column.CellCount());
}

void TGridTable::ResizeNestedLists()
{
    const int choices = ChoiceCount();
    for (const auto& column : columns_)
        if (auto* nested = dynamic_cast<TTableColumn*>(column.get()))
            nested->ResizeTableList(choices);
}

void TGridTable::RowsChanged()
{
    if (rowsChangedNotify_)
        rowsChangedNotify_();
}

void OpenTableEditor(TGridTable& table)
{
    if (table.EditorOpen()) {
        table.Hide();
        table.ShowEditor();
    }
}

// ---------------------------------------------------------------- registries

int TableCount() { return static_cast<int>(TableList().size()); }

int TableIndexOfIdentifier(int identifier)
{
    if (identifier < 0)
        return -1;
    const auto& tables = TableList();
    for (std::size_t i = 0; i < tables.size(); ++i)
        if (tables[i]->Identifier() == identifier)
            return static_cast<int>(i);
    return -1;
}

TGridTable* TableAt(int index)
{
    const auto& tables = TableList();
    if (index < 0 || index >= static_cast<int>(tables.size()))
        return nullptr;
    return tables[static_cast<std::size_t>(index)];
}

int IndexOfTable(const TGridTable* table)
{
    if (!table)
        return -1;
    const auto& tables = TableList();
    const auto it = std::find(tables.begin(), tables.end(), table);
    return it == tables.end() ? -1 : static_cast<int>(it - tables.begin());
}

void RegisterColumnType(int code, std::type_index type, TColumnFactory factory)
{
    EnsureStandardColumnTypes();
    UnregisterColumnType(code);
    ColumnTypes().push_back({code, type, std::move(factory)});
}

void UnregisterColumnType(int code)
{
    auto& types = ColumnTypes();
    types.erase(
        std::remove_if(types.begin(), types.end(), [code](const TColumnTypeStorage& t) { return t.code == code; }),
        types.end());
}

void ShutDownColumnTypes()
{
    if (StandardColumnTypesRegistered())
        for (int code : {kEnumColumnCode, kIntColumnCode, kFloatColumnCode, kTableColumnCode, kStringColumnCode})
            UnregisterColumnType(code);
    StandardColumnTypesRegistered() = false;
    const bool empty = ColumnTypes().empty();
    ColumnTypes().clear();
    Require<ETableError>(empty, "Column Type list not empty");
}

int ColumnTypeCode(const TColumn& column)
{
    EnsureStandardColumnTypes();
    for (const TColumnTypeStorage& t : ColumnTypes())
        if (t.type == std::type_index(typeid(column)))
            return t.code;
    return -1;
}

const TColumnFactory* ColumnTypeFactory(int code)
{
    EnsureStandardColumnTypes();
    for (const TColumnTypeStorage& t : ColumnTypes())
        if (t.code == code)
            return &t.factory;
    return nullptr;
}

} // namespace veldo
