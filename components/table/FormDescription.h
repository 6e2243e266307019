// Table definitions stored with a form: a JSON text (normally a resource compiled into
// the program) naming each table of the form with its published properties and its
// column stream ("Col"). Read at start-up onto the form's tables; written back from
// living tables so definitions round-trip.
#pragma once

#include "ColumnStream.h"

#include <QByteArray>
#include <QString>

#include <utility>
#include <vector>

namespace veldo {

class TGridTable;

struct TTableDefinition {
    QString name;
    int identifier = -1; // -1: the table keeps the Identifier it was given
    QString caption;
    QString comments;
    QString topLeft;
    QString helpPicture; // file or resource path, empty for none
    int minRows = 1;
    int maxRows = 0;
    int rowGroup = 1;
    bool hardwiredButton = false;
    TStreamValues columns; // the "Col" stream
};

struct TFormDescription {
    QString form;
    std::vector<TTableDefinition> tables;

    // nullptr when the form describes no table of that name.
    const TTableDefinition* Find(const QString& name) const;
};

// Raises ETableError "Form description is not valid: " + the reason.
TFormDescription ParseFormDescription(const QByteArray& json);
// Reads a file or a ":/" resource; raises ETableError when it cannot be read or parsed.
TFormDescription LoadFormDescription(const QString& path);
QByteArray WriteFormDescription(const TFormDescription& description);

// The definition of a living table (its properties and its column stream).
TTableDefinition DescribeTable(const QString& name, const TGridTable& table);
// Sets the table's properties and reads its columns from the stream, as a form does
// when it is loaded (MinRows below 1 becomes 1).
void ApplyTableDefinition(const TTableDefinition& definition, TGridTable& table);
// Applies the described definition to each named table; raises ETableError
// "Table <name> is not described in form <form>" for a table the form lacks.
void LoadFormTables(const QString& path, const std::vector<std::pair<QString, TGridTable*>>& tables);

} // namespace veldo
