#include "ColumnTypes.h"
#include "MessageCatalogue.h"

#include "ColumnStream.h"
#include "Messages.h"
#include "MiscMath.h"
#include "NumText.h"
#include "TableErrors.h"
#include "UnitTemplate.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QPushButton>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

namespace veldo {
namespace {

const QString kFloatColumnMark = QStringLiteral("FLOATCOLUMN2");
const QString kTableColumnMark = QStringLiteral("FLEXCOLUMN2");
constexpr long double kIntMin = std::numeric_limits<int>::min();
constexpr long double kIntMax = std::numeric_limits<int>::max();

template <class T> void InsertValues(std::vector<T>& values, int index, int count, const T& value)
{
    if (index < 0 || index > static_cast<int>(values.size()))
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    if (count > 0)
        values.insert(values.begin() + index, static_cast<std::size_t>(count), value);
}

template <class T> void EraseValue(std::vector<T>& values, int index)
{
    if (index < 0 || index >= static_cast<int>(values.size()))
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    values.erase(values.begin() + index);
}

QString DecimalText(long long value) { return QString::fromStdString(std::to_string(value)); }

int AtLeast(int width, double inches, int pixelsPerInch)
{
    return std::max(width, static_cast<int>(std::lround(inches * pixelsPerInch)));
}

bool IsWhole32(long double value) { return value == std::trunc(value) && value >= kIntMin && value <= kIntMax; }

} // namespace

long double EvaluateCellText(const QString& text)
{
    if (text.trimmed().isEmpty())
        throw EAssignError(MsgStd(TMsg::EntryBlank));
    const std::string bad = text.toStdString() + " is not a valid number.";
    long double value = 0.0L;
    try {
        value = EvaluateEntry(text.toStdString());
    } catch (const EAssignError&) {
        throw;
    } catch (const std::exception&) {
        throw EAssignError(bad);
    }
    if (!std::isfinite(value))
        throw EAssignError(bad);
    return value;
}

void RegisterStandardColumnTypes()
{
    RegisterColumnType(kEnumColumnCode, typeid(TEnumColumn), &TEnumColumn::CreateFromReader);
    RegisterColumnType(kIntColumnCode, typeid(TIntColumn), &TIntColumn::CreateFromReader);
    RegisterColumnType(kFloatColumnCode, typeid(TFloatColumn), &TFloatColumn::CreateFromReader);
    RegisterColumnType(kTableColumnCode, typeid(TTableColumn), &TTableColumn::CreateFromReader);
    RegisterColumnType(kStringColumnCode, typeid(TStringColumn), &TStringColumn::CreateFromReader);
}

// ---------------------------------------------------------------- TIntegerCells

void TIntegerCells::InsertRows(int index, int count) { InsertValues(values_, index, count, NewCellValue()); }

void TIntegerCells::DeleteRow(int index) { EraseValue(values_, index); }

int TIntegerCells::AsInteger(int row) const
{
    CheckRow(row);
    return values_[static_cast<std::size_t>(row)];
}

void TIntegerCells::SetInteger(int row, int value)
{
    CheckRow(row);
    for (int r : RowsReached(row)) {
        if (onlyNewValues_ && values_[static_cast<std::size_t>(r)] == value)
            continue;
        values_[static_cast<std::size_t>(r)] = value;
        CellChanged(r);
    }
}

QString TIntegerCells::AsText(int row) const { return DecimalText(AsInteger(row)); }

// ---------------------------------------------------------------- TEnumColumn

std::unique_ptr<TColumn> TEnumColumn::CreateFromReader(TColumnStreamReader& reader, TGridTable&)
{
    auto column = std::make_unique<TEnumColumn>();
    column->ReadBase(reader);
    reader.ReadListBegin();
    while (!reader.EndOfList())
        column->items.append(reader.ReadString());
    reader.ReadListEnd();
    return column;
}

void TEnumColumn::SetText(int row, const QString& text)
{
    const long double value = EvaluateCellText(text);
    if (!IsWhole32(value))
        throw EAssignError(MsgStd(TMsg::ValueInteger));
    SetInteger(row, static_cast<int>(value));
}

int TEnumColumn::ColumnWidth(const QFontMetrics& metrics, int pixelsPerInch) const
{
    return AtLeast(TColumn::ColumnWidth(metrics, pixelsPerInch), 1.5, pixelsPerInch);
}

void TEnumColumn::WriteData(TColumnStreamWriter& writer) const
{
    TColumn::WriteData(writer);
    writer.WriteListBegin();
    for (const QString& item : items)
        writer.WriteString(item);
    writer.WriteListEnd();
}

QWidget* TEnumColumn::CreateControl(int row, QWidget* parent)
{
    auto* combo = new QComboBox(parent);
    combo->addItems(items);
    const int value = AsInteger(row);
    combo->setCurrentIndex(value >= 1 && value <= items.size() ? value - 1 : -1);
    ConnectReportingErrors(combo, &QComboBox::activated, combo, [this, row](int index) {
        if (AsInteger(row) == index + 1)
            return; // the current choice picked again
        if (Table())
            Table()->SetChanged(true);
        SetInteger(row, index + 1);
    });
    return combo;
}

std::unique_ptr<TColumn> TEnumColumn::Clone() const
{
    auto column = std::make_unique<TEnumColumn>();
    CopyDefinitionTo(*column);
    column->items = items;
    return column;
}

// ---------------------------------------------------------------- TIntColumn

std::unique_ptr<TColumn> TIntColumn::CreateFromReader(TColumnStreamReader& reader, TGridTable&)
{
    auto column = std::make_unique<TIntColumn>();
    column->ReadBase(reader);
    column->defaultValue = reader.ReadInteger();
    column->minimum = reader.ReadInteger();
    column->maximum = reader.ReadInteger();
    return column;
}

void TIntColumn::SetText(int row, const QString& text)
{
    const long double value = EvaluateCellText(text);
    const bool editing = Table() && Table()->EditorOpen();
    const long long low = editing ? minimum : std::numeric_limits<int>::min();
    const long long high = editing ? maximum : std::numeric_limits<int>::max();
    if (editing && std::fabs(value - std::trunc(value)) > 1e-10L)
        throw EAssignError(MsgStd(TMsg::EntryInteger));
    const long double rounded = std::round(value);
    if (rounded < low || rounded > high)
        throw EAssignError(MsgStd(TMsg::EntryBetween, DecimalText(low), DecimalText(high)));
    SetInteger(row, static_cast<int>(rounded));
}

int TIntColumn::ColumnWidth(const QFontMetrics& metrics, int pixelsPerInch) const
{
    return AtLeast(TColumn::ColumnWidth(metrics, pixelsPerInch), 0.5, pixelsPerInch);
}

void TIntColumn::WriteData(TColumnStreamWriter& writer) const
{
    TColumn::WriteData(writer);
    writer.WriteInteger(defaultValue);
    writer.WriteInteger(minimum);
    writer.WriteInteger(maximum);
}

std::unique_ptr<TColumn> TIntColumn::Clone() const
{
    auto column = std::make_unique<TIntColumn>();
    CopyDefinitionTo(*column);
    column->defaultValue = defaultValue;
    column->minimum = minimum;
    column->maximum = maximum;
    return column;
}

// ---------------------------------------------------------------- TFloatColumn

std::unique_ptr<TColumn> TFloatColumn::CreateFromReader(TColumnStreamReader& reader, TGridTable&)
{
    auto column = std::make_unique<TFloatColumn>();
    column->ReadBase(reader);
    column->topDepth = reader.ReadBoolean();
    const QString mark = reader.ReadString();
    if (mark == kFloatColumnMark) {
        column->unitTemplate = reader.ReadString();
        column->defaultValue = reader.ReadFloat();
    } else {
        column->unitTemplate = mark; // older layout: the template alone, default 0
    }
    return column;
}

TFloatColumn* TFloatColumn::NeighbourFloat(int offset) const
{
    const int index = IndexInTable();
    if (index < 0 || index + offset < 0 || index + offset >= Table()->ColumnCount())
        return nullptr;
    return dynamic_cast<TFloatColumn*>(&Table()->Column(index + offset));
}

void TFloatColumn::InsertRows(int index, int count)
{
    long double initial = defaultValue;
    if (topDepth) {
        const TFloatColumn* next = NeighbourFloat(1);
        if (!next)
            throw ETableError("If column if a topdepth then the next column must be a float column");
        if (index > 0 && index - 1 < next->CellCount())
            initial = next->AsFloat(index - 1);
    } else if (const TFloatColumn* previous = NeighbourFloat(-1); previous && previous->topDepth) {
        if (index + count < previous->CellCount())
            initial = previous->AsFloat(index + count);
    }
    InsertValues(values_, index, count, initial);
}

void TFloatColumn::DeleteRow(int index) { EraseValue(values_, index); }

QString TFloatColumn::GetHeading(int line) const
{
    const QString heading = TColumn::GetHeading(line);
    if (unitTemplate.isEmpty())
        return heading;
    const TUnitSystem units = Table() ? Table()->Units() : UnitSystem::English;
    return QStringLiteral("%1 (%2)  ").arg(heading, ExpandUnitTemplate(unitTemplate, units));
}

long double TFloatColumn::AsFloat(int row) const
{
    CheckRow(row);
    return values_[static_cast<std::size_t>(row)];
}

void TFloatColumn::Store(int row, long double value)
{
    values_[static_cast<std::size_t>(row)] = value;
    CellChanged(row);
}

void TFloatColumn::SetFloat(int row, long double value)
{
    CheckRow(row);
    for (int r : RowsReached(row)) {
        Store(r, value);
        // The top of a layer is the bottom of the layer above, and back.
        if (TFloatColumn* next = topDepth ? NeighbourFloat(1) : nullptr; next && r > 0 && r - 1 < next->CellCount())
            next->Store(r - 1, value);
        if (TFloatColumn* previous = NeighbourFloat(-1);
            previous && previous->topDepth && r + 1 < previous->CellCount())
            previous->Store(r + 1, value);
    }
}

QString TFloatColumn::AsText(int row) const { return QString::fromStdString(formatGeneral8(AsFloat(row))); }

void TFloatColumn::SetText(int row, const QString& text) { SetFloat(row, EvaluateCellText(text)); }

int TFloatColumn::ColumnWidth(const QFontMetrics& metrics, int pixelsPerInch) const
{
    return AtLeast(TColumn::ColumnWidth(metrics, pixelsPerInch), 0.5, pixelsPerInch);
}

void TFloatColumn::SetUnits(TUnitSystem fromUnits, TUnitSystem toUnits)
{
    const long double factor = UnitSwitchMultiplier(unitTemplate, fromUnits, toUnits);
    for (int r = 0; r < CellCount(); ++r)
        Store(r, values_[static_cast<std::size_t>(r)] * factor);
}

void TFloatColumn::WriteData(TColumnStreamWriter& writer) const
{
    TColumn::WriteData(writer);
    writer.WriteBoolean(topDepth);
    writer.WriteString(kFloatColumnMark);
    writer.WriteString(unitTemplate);
    writer.WriteFloat(defaultValue);
}

std::unique_ptr<TColumn> TFloatColumn::Clone() const
{
    auto column = std::make_unique<TFloatColumn>();
    CopyDefinitionTo(*column);
    column->topDepth = topDepth;
    column->unitTemplate = unitTemplate;
    column->defaultValue = defaultValue;
    return column;
}

// ---------------------------------------------------------------- TTableColumn

std::unique_ptr<TColumn> TTableColumn::CreateFromReader(TColumnStreamReader& reader, TGridTable& table)
{
    auto column = std::make_unique<TTableColumn>();
    column->ReadBase(reader);
    if (reader.NextValue() == TStreamValue::Kind::String && reader.ReadString() == kTableColumnMark) {
        reader.ReadListBegin();
        while (!reader.EndOfList())
            column->tables.AddIdentifier(reader.ReadInteger());
        reader.ReadListEnd();
    } else {
        // Older layout: one Identifier for every selector item.
        const int identifier = reader.ReadInteger();
        const int entries = table.ColumnCount() > 0 ? table.ChoiceCount() : 1;
        for (int i = 0; i < entries; ++i)
            column->tables.AddIdentifier(identifier);
    }
    return column;
}

TTableColumn::TNestedRow TTableColumn::MakeNested(int row) const
{
    TNestedRow nested;
    TGridTable* owner = Table();
    if (!owner)
        return nested;
    const int selector = owner->SelectorValue(row);
    const TGridTable* model = selector >= 1 && selector <= tables.Count() ? tables.Table(selector - 1) : nullptr;
    if (model)
        nested.table = std::make_unique<TGridTable>(*model, owner, row + 1);
    else if (owner->OnInitRow)
        nested.object = owner->OnInitRow(*owner, IndexInTable(), row);
    return nested;
}

void TTableColumn::NestedMade(int row) const
{
    QObject* object = nested_[static_cast<std::size_t>(row)].object.get();
    if (object && Table()->OnSetRow)
        Table()->OnSetRow(*Table(), IndexInTable(), row, object);
}

template <class F> void TTableColumn::ForEachObject(F&& f) const
{
    for (std::size_t r = 0; r < nested_.size(); ++r)
        if (QObject* object = nested_[r].object.get())
            f(static_cast<int>(r), object);
}

void TTableColumn::RenumberTitles()
{
    for (std::size_t r = 0; r < nested_.size(); ++r)
        if (TGridTable* t = nested_[r].table.get(); t && t->TitleNumber() != static_cast<int>(r) + 1)
            t->SetTitleNumber(static_cast<int>(r) + 1);
}

void TTableColumn::InsertRows(int index, int count)
{
    if (index < 0 || index > CellCount())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    for (int k = 0; k < count; ++k)
        nested_.insert(nested_.begin() + index + k, MakeNested(index + k));
    RenumberTitles();
    for (int k = 0; k < count; ++k)
        NestedMade(index + k);
}

void TTableColumn::DeleteRow(int index)
{
    EraseValue(nested_, index);
    RenumberTitles();
}

void TTableColumn::RebuildRow(int row)
{
    CheckRow(row);
    nested_[static_cast<std::size_t>(row)] = MakeNested(row);
    NestedMade(row);
}

TGridTable* TTableColumn::AsTable(int row) const
{
    CheckRow(row);
    return nested_[static_cast<std::size_t>(row)].table.get();
}

QObject* TTableColumn::AsObject(int row) const
{
    CheckRow(row);
    const TNestedRow& nested = nested_[static_cast<std::size_t>(row)];
    return nested.table ? nested.table.get() : nested.object.get();
}

QString TTableColumn::AsText(int row) const
{
    if (Table() && Table()->OnGetButtonCaption)
        return Table()->OnGetButtonCaption(*Table(), IndexInTable(), row);
    const TGridTable* nested = AsTable(row);
    return nested ? nested->WindowTitle().trimmed() : QString();
}

bool TTableColumn::IsChanged() const
{
    bool changed = std::any_of(nested_.begin(), nested_.end(),
                               [](const TNestedRow& n) { return n.table && n.table->IsChanged(); });
    if (!changed && Table() && Table()->OnGetChanged)
        ForEachObject([&](int row, QObject* object) {
            changed = changed || Table()->OnGetChanged(*Table(), IndexInTable(), row, object);
        });
    return changed;
}

void TTableColumn::Hide()
{
    for (const TNestedRow& n : nested_)
        if (n.table)
            n.table->Hide();
    if (Table() && Table()->OnHide)
        ForEachObject([&](int row, QObject* object) { Table()->OnHide(*Table(), IndexInTable(), row, object); });
}

void TTableColumn::ResetChanged()
{
    for (const TNestedRow& n : nested_)
        if (n.table)
            n.table->ResetChanged();
    if (Table() && Table()->OnResetChanged)
        ForEachObject(
            [&](int row, QObject* object) { Table()->OnResetChanged(*Table(), IndexInTable(), row, object); });
}

int TTableColumn::ColumnWidth(const QFontMetrics& metrics, int pixelsPerInch) const
{
    return AtLeast(TColumn::ColumnWidth(metrics, pixelsPerInch), 2.0, pixelsPerInch);
}

void TTableColumn::SetUnits(TUnitSystem, TUnitSystem toUnits)
{
    for (const TNestedRow& n : nested_)
        if (n.table)
            n.table->SetUnits(toUnits);
    if (Table() && Table()->OnSetUnits)
        ForEachObject(
            [&](int row, QObject* object) { Table()->OnSetUnits(*Table(), IndexInTable(), row, object, toUnits); });
}

void TTableColumn::WriteData(TColumnStreamWriter& writer) const
{
    TColumn::WriteData(writer);
    writer.WriteString(kTableColumnMark);
    writer.WriteListBegin();
    for (int i = 0; i < tables.Count(); ++i) {
        const TGridTable* table = tables.Table(i);
        writer.WriteInteger(table ? table->Identifier() : -1);
    }
    writer.WriteListEnd();
}

QWidget* TTableColumn::CreateControl(int row, QWidget* parent)
{
    auto* button = new QPushButton(AsText(row), parent);
    ConnectReportingErrors(button, &QPushButton::clicked, button, [this, row] {
        TGridTable* owner = Table();
        if (owner && owner->OnButtonClick) {
            owner->OnButtonClick(*owner, IndexInTable(), row);
            return;
        }
        if (row < CellCount())
            if (TGridTable* nested = AsTable(row))
                nested->ShowEditor();
    });
    return button;
}

std::unique_ptr<TColumn> TTableColumn::Clone() const
{
    auto column = std::make_unique<TTableColumn>();
    CopyDefinitionTo(*column);
    column->tables = tables;
    return column;
}

void TTableColumn::ResizeTableList(int count)
{
    while (tables.Count() < count)
        tables.AddTable(nullptr);
    while (tables.Count() > count)
        tables.Delete(tables.Count() - 1);
}

// ---------------------------------------------------------------- TStringColumn

std::unique_ptr<TColumn> TStringColumn::CreateFromReader(TColumnStreamReader& reader, TGridTable&)
{
    auto column = std::make_unique<TStringColumn>();
    column->ReadBase(reader);
    column->defaultText = reader.ReadString();
    column->minimumWidthInches = reader.ReadFloat();
    return column;
}

void TStringColumn::InsertRows(int index, int count) { InsertValues(values_, index, count, defaultText); }

void TStringColumn::DeleteRow(int index) { EraseValue(values_, index); }

QString TStringColumn::AsText(int row) const
{
    CheckRow(row);
    return values_[static_cast<std::size_t>(row)];
}

void TStringColumn::SetText(int row, const QString& text)
{
    CheckRow(row);
    for (int r : RowsReached(row)) {
        values_[static_cast<std::size_t>(r)] = text;
        CellChanged(r);
    }
}

int TStringColumn::ColumnWidth(const QFontMetrics& metrics, int pixelsPerInch) const
{
    return AtLeast(TColumn::ColumnWidth(metrics, pixelsPerInch), static_cast<double>(minimumWidthInches),
                   pixelsPerInch);
}

void TStringColumn::WriteData(TColumnStreamWriter& writer) const
{
    TColumn::WriteData(writer);
    writer.WriteString(defaultText);
    writer.WriteFloat(minimumWidthInches);
}

std::unique_ptr<TColumn> TStringColumn::Clone() const
{
    auto column = std::make_unique<TStringColumn>();
    CopyDefinitionTo(*column);
    column->defaultText = defaultText;
    column->minimumWidthInches = minimumWidthInches;
    return column;
}

} // namespace veldo
