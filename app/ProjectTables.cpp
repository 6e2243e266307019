#include "ProjectTables.h"

#include "ColumnStream.h"
#include "ColumnTypes.h"
#include "PltData.h"
#include "Table.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <stdexcept>

// Resources of a static library are linked only when asked for by name.
static void InitProjectTableResources()
{
    Q_INIT_RESOURCE(ProjectTables);
}

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
    for (const QJsonValue &table : document.object().value(QStringLiteral("Tables")).toArray())
        byName.insert(table.toObject().value(QStringLiteral("Name")).toString(), table);
    return byName;
}

std::unique_ptr<TGridTable> MakeTable(const QJsonObject &definitions, const QString &name)
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
void BindNestedTables(TGridTable &table, const std::vector<const TGridTable *> &models)
{
    for (int c = 0; c < table.ColumnCount(); ++c)
        if (auto *column = dynamic_cast<TTableColumn *>(&table.Column(c))) {
            while (column->tables.Count() > 0)
                column->tables.Delete(column->tables.Count() - 1);
            for (const TGridTable *model : models)
                column->tables.AddIdentifier(model->Identifier());
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
    Reset();
}

TProjectTables::~TProjectTables() = default;

std::vector<TGridTable *> TProjectTables::Tables() const
{
    return {sand_.get(), clay_.get(), silt_.get(), d_.get(), tzDepths_.get(), sections_.get()};
}

TGridTable *TProjectTables::LayerTable(int row) const
{
    return d_->Cell(kLayerProperties, row).AsTable();
}

void TProjectTables::SetUnits(int units)
{
    // A maximum unit side friction of 9999 asks API RP-2A for its own limits in either
    // unit system: a code, not a stress, so it keeps its number.
    std::vector<int> apiDefaultRows;
    for (int row = 0; row < d_->RowCount(); ++row)
        if (d_->Cell(kLayerMaxSide, row).AsFloat() == kApiDefaultLimitCode)
            apiDefaultRows.push_back(row);
    for (TGridTable *table : Tables())
        table->SetUnits(units);
    for (int row : apiDefaultRows)
        d_->Cell(kLayerMaxSide, row).SetFloat(kApiDefaultLimitCode);
    motionInput_->SetUnits(units);
}

void TProjectTables::EmptyAll()
{
    for (TGridTable *table : Tables())
        table->SetRowCount(0);
    motionInput_->SetCurveCount(0);
}

void TProjectTables::GiveMinimumRows()
{
    for (TGridTable *table : Tables())
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
    for (const TGridTable *table : Tables())
        if (table->IsChanged())
            return true;
    return false;
}

void TProjectTables::ResetChanged()
{
    for (TGridTable *table : Tables())
        table->ResetChanged();
}

} // namespace veldo
