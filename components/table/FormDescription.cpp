#include "FormDescription.h"

#include "Table.h"
#include "TableErrors.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <array>
#include <utility>

namespace veldo {
namespace {

const QString kForm = QStringLiteral("Form");
const QString kTables = QStringLiteral("Tables");
const QString kName = QStringLiteral("Name");
const QString kIdentifier = QStringLiteral("Identifier");
const QString kHardwired = QStringLiteral("HardwiredButton");
const QString kColumns = QStringLiteral("Col");

// The texts and the whole numbers of a definition under their keys, in the order they
// are read; a missing key leaves the definition's default.
const std::array<std::pair<QString, QString TTableDefinition::*>, 4> kTextFields{{
    {QStringLiteral("Caption"), &TTableDefinition::caption},
    {QStringLiteral("Comments"), &TTableDefinition::comments},
    {QStringLiteral("TopLeft"), &TTableDefinition::topLeft},
    {QStringLiteral("HelpPicture"), &TTableDefinition::helpPicture},
}};
const std::array<std::pair<QString, int TTableDefinition::*>, 3> kIntegerFields{{
    {QStringLiteral("MinRows"), &TTableDefinition::minRows},
    {QStringLiteral("MaxRows"), &TTableDefinition::maxRows},
    {QStringLiteral("RowGroup"), &TTableDefinition::rowGroup},
}};

[[noreturn]] void Invalid(const QString& reason)
{
    throw ETableError(("Form description is not valid: " + reason).toStdString());
}

int IntegerOf(const QJsonObject& object, const QString& key, int fallback)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return fallback;
    if (!value.isDouble() || value.toDouble() != value.toInt())
        Invalid(key + " must be an integer");
    return value.toInt();
}

QString TextOf(const QJsonObject& object, const QString& key)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined())
        return {};
    if (!value.isString())
        Invalid(key + " must be a text");
    return value.toString();
}

TTableDefinition ParseTable(const QJsonObject& object)
{
    TTableDefinition t;
    t.name = TextOf(object, kName);
    if (t.name.isEmpty())
        Invalid(QStringLiteral("a table has no Name"));
    t.identifier = IntegerOf(object, kIdentifier, t.identifier);
    for (const auto& [key, field] : kTextFields)
        t.*field = TextOf(object, key);
    for (const auto& [key, field] : kIntegerFields)
        t.*field = IntegerOf(object, key, t.*field);
    t.hardwiredButton = object.value(kHardwired).toBool(false);
    if (!object.value(kColumns).isArray())
        Invalid(t.name + " has no Col array");
    try {
        t.columns = StreamFromJson(object.value(kColumns).toArray());
    } catch (const EReadError& e) {
        Invalid(t.name + ": " + QString::fromStdString(e.what()));
    }
    return t;
}

} // namespace

const TTableDefinition* TFormDescription::Find(const QString& name) const
{
    const auto it =
        std::find_if(tables.begin(), tables.end(), [&name](const TTableDefinition& t) { return t.name == name; });
    return it == tables.end() ? nullptr : &*it;
}

TFormDescription ParseFormDescription(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        Invalid(error.errorString() + " at offset " + QString::number(error.offset));
    if (!document.isObject() || !document.object().value(kTables).isArray())
        Invalid(QStringLiteral("no Tables array"));
    TFormDescription description;
    description.form = TextOf(document.object(), kForm);
    for (const QJsonValue& table : document.object().value(kTables).toArray()) {
        if (!table.isObject())
            Invalid(QStringLiteral("a table is not an object"));
        description.tables.push_back(ParseTable(table.toObject()));
    }
    return description;
}

TFormDescription LoadFormDescription(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw ETableError(("Form description " + path + " could not be read").toStdString());
    return ParseFormDescription(file.readAll());
}

QByteArray WriteFormDescription(const TFormDescription& description)
{
    QJsonArray tables;
    for (const TTableDefinition& t : description.tables) {
        QJsonObject object{{kName, t.name}};
        if (t.identifier >= 0)
            object.insert(kIdentifier, t.identifier);
        for (const auto& [key, field] : kTextFields)
            object.insert(key, t.*field);
        for (const auto& [key, field] : kIntegerFields)
            object.insert(key, t.*field);
        object.insert(kHardwired, t.hardwiredButton);
        object.insert(kColumns, StreamToJson(t.columns));
        tables.append(object);
    }
    const QJsonObject root{{kForm, description.form}, {kTables, tables}};
    return QJsonDocument(root).toJson(QJsonDocument::Indented);
}

TTableDefinition DescribeTable(const QString& name, const TGridTable& table)
{
    TTableDefinition t;
    t.name = name;
    t.identifier = table.Identifier();
    t.caption = table.Caption;
    t.comments = table.Comments;
    t.topLeft = table.TopLeft;
    t.helpPicture = table.HelpPictureSource();
    t.minRows = table.MinRows();
    t.maxRows = table.MaxRows();
    t.rowGroup = table.RowGroup();
    t.hardwiredButton = table.HardwiredButton;
    TColumnStreamWriter writer;
    table.WriteColumns(writer);
    t.columns = writer.Values();
    return t;
}

void ApplyTableDefinition(const TTableDefinition& definition, TGridTable& table)
{
    table.Comments = definition.comments;
    table.SetIdentifier(definition.identifier);
    table.Caption = definition.caption;
    table.SetMaxRows(definition.maxRows);
    table.SetMinRows(std::max(definition.minRows, 1));
    table.SetHelpPicture(definition.helpPicture);
    table.HardwiredButton = definition.hardwiredButton;
    table.SetRowGroup(definition.rowGroup);
    table.TopLeft = definition.topLeft;
    TColumnStreamReader reader(definition.columns);
    table.ReadColumns(reader);
}

void LoadFormTables(const QString& path, const std::vector<std::pair<QString, TGridTable*>>& tables)
{
    const TFormDescription description = LoadFormDescription(path);
    for (const auto& [name, table] : tables) {
        const TTableDefinition* definition = description.Find(name);
        if (!definition)
            throw ETableError(("Table " + name + " is not described in form " + description.form).toStdString());
        ApplyTableDefinition(*definition, *table);
    }
}

} // namespace veldo
