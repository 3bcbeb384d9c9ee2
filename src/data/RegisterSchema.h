#pragma once
#include <QString>
#include <QStringList>

// The register's own shape: every table the program uses, with its columns
// and the indexes beside it. The new-database tool creates a register from
// these definitions, and every file the program is given is held against
// them before it is used (RegisterCheck).
namespace ulk::RegisterSchema {

// The tables, in the order they are created.
const QStringList &tableNames();
// The columns of a table of the register (empty for a name it does not have).
QStringList columnsOf(const QString &table);
// The column a table is keyed by (its PRIMARY KEY), or empty.
QString keyColumnOf(const QString &table);
// The tables whose rows are people keyed by idkod, the record key.
const QStringList &recordKeyTables();
// The statements that create the tables and their indexes, in order.
QStringList createStatements();

} // namespace ulk::RegisterSchema
