#include "ProjectTables.h"

#include "ColumnStream.h"
#include "ColumnTypes.h"
#include "PltData.h"
#include "Table.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <utility>

// Resources of a static library are linked only when asked for by name.
static void InitProjectTableResources() { Q_INIT_RESOURCE(ProjectTables); }

namespace veldo {
namespace {

const QString kDefinitionPath = QStringLiteral(":/forms/ProjectTables.json");

QJsonObject LoadDefinitions()
{
    InitProjectTableResources();
    QFile file(kDefinitionPath);
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("Missing table definitions " + kDefinitionPath.toStdString());
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (error.error != QJsonParseError::NoError)
        throw std::runtime_error("Malformed table definitions: " + error.errorString().toStdString());
    QJsonObject byName;
    for (const QJsonValue& table : document.object().value(QStringLiteral("Tables")).toArray())
        byName.insert(table.toObject().value(QStringLiteral("Name")).toString(), table);
    return byName;
}

std::unique_ptr<TGridTable> MakeTable(const QJsonObject& definitions, const QString& name)
{
    const QJsonObject def = definitions.value(name).toObject();
    if (def.isEmpty())
        throw std::runtime_error("No definition of table " + name.toStdString());
    auto table = std::make_unique<TGridTable>();
    table->setObjectName(name);
    table->Caption = def.value(QStringLiteral("Caption")).toString();
    table->Comments = def.value(QStringLiteral("Comments")).toString();
    table->TopLeft = def.value(QStringLiteral("TopLeft")).toString();
    table->SetMinRows(def.value(QStringLiteral("MinRows")).toInt(1));
    table->SetMaxRows(def.value(QStringLiteral("MaxRows")).toInt(0));
    table->SetRowGroup(def.value(QStringLiteral("RowGroup")).toInt(1));
    TColumnStreamReader reader(StreamFromJson(def.value(QStringLiteral("Col")).toArray()));
    table->ReadColumns(reader);
    return table;
}

// Points the nested-table column of `table` at the given models, one per selector item.
void BindNestedTables(TGridTable& table, const std::vector<const TGridTable*>& models)
{
    for (int c = 0; c < table.ColumnCount(); ++c)
        if (auto* column = dynamic_cast<TTableColumn*>(&table.Column(c))) {
            while (column->tables.Count() > 0)
                column->tables.Delete(column->tables.Count() - 1);
            for (const TGridTable* model : models)
                column->tables.AddIdentifier(model->Identifier());
        }
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
        cell.SetInteger(static_cast<int>(
            std::clamp<long double>(rounded, std::numeric_limits<int>::min(), std::numeric_limits<int>::max())));
    } else {
        cell.SetFloat(value);
    }
}

// Property pairs (old type's column, new type's column) kept by a change of type.
std::vector<std::pair<int, int>> CarriedProperties(int oldType, int newType)
{
    std::vector<std::pair<int, int>> carried{{0, 0},
                                             {UserSkinColumn(oldType), UserSkinColumn(newType)},
                                             {UserBearingColumn(oldType), UserBearingColumn(newType)}};
    const bool sandSilt = (oldType == SoilType::Sand && newType == SoilType::Silt) ||
                          (oldType == SoilType::Silt && newType == SoilType::Sand);
    if (sandSilt)
        carried.insert(carried.end(), {{1, 1}, {2, 2}, {3, 3}});
    if (oldType == SoilType::Silt && newType == SoilType::Clay)
        carried.emplace_back(kSiltUndrained, kClayUndrained);
    if (oldType == SoilType::Clay && newType == SoilType::Silt)
        carried.emplace_back(kClayUndrained, kSiltUndrained);
    return carried;
}

// Every value of a table, nested tables included, in column and row order.
void AppendState(const TGridTable& table, TTablesState& state)
{
    state.numbers.push_back(table.RowCount());
    for (int c = 0; c < table.ColumnCount(); ++c) {
        const TColumn& column = table.Column(c);
        for (int r = 0; r < table.RowCount(); ++r) {
            const TData cell = table.Cell(c, r);
            if (dynamic_cast<const TFloatColumn*>(&column))
                state.numbers.push_back(cell.AsFloat());
            else if (dynamic_cast<const TIntColumn*>(&column) || dynamic_cast<const TEnumColumn*>(&column))
                state.numbers.push_back(cell.AsInteger());
            else if (dynamic_cast<const TTableColumn*>(&column)) {
                if (const TGridTable* nested = cell.AsTable())
                    AppendState(*nested, state);
                else
                    state.numbers.push_back(-1);
            } else
                state.texts.push_back(cell.AsText());
        }
    }
}

} // namespace

TProjectTables::TProjectTables()
{
    const QJsonObject definitions = LoadDefinitions();
    sand_ = MakeTable(definitions, QStringLiteral("tblDataSand"));
    clay_ = MakeTable(definitions, QStringLiteral("tblDataClay"));
    silt_ = MakeTable(definitions, QStringLiteral("tblDataSilt"));
    d_ = MakeTable(definitions, QStringLiteral("D"));
    BindNestedTables(*d_, {sand_.get(), clay_.get(), silt_.get()});
    tzDepths_ = MakeTable(definitions, QStringLiteral("TblTZDepth"));
    sections_ = MakeTable(definitions, QStringLiteral("Sectionaldata"));
    motionInput_ = std::make_unique<TGraphPlot>();
    motionInput_->setObjectName(QStringLiteral("MotionInput"));
    cptView_ = std::make_unique<TGraphPlot>();
    cptView_->setObjectName(QStringLiteral("CptView"));
    Reset();
}

TProjectTables::~TProjectTables() = default;

std::vector<TGridTable*> TProjectTables::Tables() const
{
    return {sand_.get(), clay_.get(), silt_.get(), d_.get(), tzDepths_.get(), sections_.get()};
}

TGridTable* TProjectTables::LayerTable(int row) const { return d_->Cell(kLayerProperties, row).AsTable(); }

void TProjectTables::SetUnits(int units)
{
    // A maximum unit side friction of 9999 asks API RP-2A for its own limits in either
    // unit system: a code, not a stress, so it keeps its number.
    std::vector<int> apiDefaultRows;
    for (int row = 0; row < d_->RowCount(); ++row)
        if (d_->Cell(kLayerMaxSide, row).AsFloat() == kApiDefaultLimitCode)
            apiDefaultRows.push_back(row);
    for (TGridTable* table : Tables())
        table->SetUnits(units);
    for (int row : apiDefaultRows)
        d_->Cell(kLayerMaxSide, row).SetFloat(kApiDefaultLimitCode);
    motionInput_->SetUnits(units);
}

void TProjectTables::RefreshCptView(int units)
{
    if (cptView_->CurveCount() > 0)
        ShowCptAs(cptViewConversion_, units);
}

void TProjectTables::ShowCptAs(TCptConversion conversion, int units)
{
    cptViewConversion_ = conversion;
    FillCptView(*cptView_, *motionInput_, conversion, units);
}

void TProjectTables::EmptyAll()
{
    for (TGridTable* table : Tables())
        table->SetRowCount(0);
    motionInput_->SetCurveCount(0);
    cptView_->SetCurveCount(0);
}

void TProjectTables::GiveMinimumRows()
{
    for (TGridTable* table : Tables())
        if (table->RowCount() < table->MinRows())
            table->SetRowCount(table->MinRows());
}

void TProjectTables::Reset()
{
    EmptyAll();
    GiveMinimumRows();
}

bool TProjectTables::IsChanged() const
{
    for (const TGridTable* table : Tables())
        if (table->IsChanged())
            return true;
    return false;
}

void TProjectTables::ResetChanged()
{
    for (TGridTable* table : Tables())
        table->ResetChanged();
}

} // namespace veldo

namespace veldo {

TTablesState TProjectTables::State() const
{
    TTablesState state;
    for (const TGridTable* table : {d_.get(), tzDepths_.get(), sections_.get()})
        AppendState(*table, state);
    for (const TLine& curve : motionInput_->Curves) {
        state.numbers.push_back(curve.PointCount());
        for (const TFloatPoint& point : curve.Points) {
            state.numbers.push_back(point.X);
            state.numbers.push_back(point.Y);
        }
    }
    return state;
}

void TProjectTables::ChangeLayerType(int row, int newType) const
{
    const TData type = d_->Cell(kLayerSoilType, row);
    const int oldType = type.AsInteger();
    if (oldType == newType)
        return;
    struct TValue {
        int column;
        std::array<long double, 2> ends;
    };
    std::vector<TValue> values;
    if (const TGridTable* old = LayerTable(row)) {
        for (const auto& [from, to] : CarriedProperties(oldType, newType))
            if (from < old->ColumnCount())
                values.push_back({to, {PropertyValue(*old, from, 0), PropertyValue(*old, from, 1)}});
    }
    type.SetInteger(newType); // the layer gets a property table of the new layout
    const TGridTable* now = LayerTable(row);
    if (!now)
        return;
    for (const TValue& value : values)
        if (value.column < now->ColumnCount())
            for (int end = 0; end < 2; ++end)
                SetPropertyValue(*now, value.column, end, value.ends[static_cast<std::size_t>(end)]);
}

void TProjectTables::ConvertSiltToSand() const
{
    for (int row = 0; row < d_->RowCount(); ++row)
        if (d_->Cell(kLayerSoilType, row).AsInteger() == SoilType::Silt)
            ChangeLayerType(row, SoilType::Sand);
}

void ChooseFrictionOrBlowCounts(const TGridTable& layer, int soilType, bool byFriction)
{
    if (soilType != SoilType::Sand && soilType != SoilType::Silt)
        return;
    static_assert(int{kSandFriction} == int{kSiltFriction} && int{kSandBlowCount} == int{kSiltBlowCount});
    for (int row = 0; row < std::min(2, layer.RowCount()); ++row) {
        if (byFriction)
            layer.Cell(kSandBlowCount, row).SetInteger(0);
        else
            layer.Cell(kSandFriction, row).SetFloat(0);
    }
}

} // namespace veldo
