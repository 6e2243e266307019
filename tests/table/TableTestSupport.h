// Shared helpers of the table tests: the test form's tables loaded from the compiled-in
// form description, and stream values written compactly.
#pragma once

#include "ColumnStream.h"
#include "FormDescription.h"
#include "Table.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <memory>

namespace veldo::test {

inline const QString kTestFormResource = QStringLiteral(":/forms/TableTestForm.json");

// The four tables of the test form: two property tables (Identifiers 501 and 502), the
// strata table nesting them by material (510) and a one-column depth table (500).
struct TTestForm {
    TGridTable gravel;
    TGridTable peat;
    TGridTable strata;
    TGridTable depths;

    TTestForm()
    {
        LoadFormTables(kTestFormResource, {{QStringLiteral("tblGravel"), &gravel},
                                           {QStringLiteral("tblPeat"), &peat},
                                           {QStringLiteral("tblStrata"), &strata},
                                           {QStringLiteral("tblPrintDepths"), &depths}});
    }
};

inline QByteArray CompactJson(const TStreamValues& values)
{
    return QJsonDocument(StreamToJson(values)).toJson(QJsonDocument::Compact);
}

inline TStreamValues ValuesFromJson(const char* json)
{
    return StreamFromJson(QJsonDocument::fromJson(QByteArray(json)).array());
}

// Reads a column stream given as JSON into a fresh table.
inline void ReadInto(TGridTable& table, const char* json)
{
    TColumnStreamReader reader(ValuesFromJson(json));
    table.ReadColumns(reader);
}

inline QString Text(const std::exception& e) { return QString::fromStdString(e.what()); }

} // namespace veldo::test
