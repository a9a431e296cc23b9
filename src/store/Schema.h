#pragma once

#include <QStringList>

// The three tables with their keys (Key1, Key3, Key4), column types, ranges and lengths enforced by the
// database itself, and the indexes of the program's lookups.
namespace schema {

QString categoriesTable();
QString urlsTable();
QString pwsTable();
QStringList indexes();

// Tables and the columns each must have for a file to count as a Dorvu store.
struct TableColumns {
    const char* table;
    QStringList columns;
};
QList<TableColumns> requiredColumns();

} // namespace schema
