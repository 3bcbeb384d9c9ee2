#pragma once
#include <QList>
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
// The key of a client, in k_zaklad and in every table of the client's rows.
QString clientKey();
// The tables that hold rows of a client under the client's key, besides the
// client's own row in k_zaklad: k_memo and the sub-record tables, by name.
// A deleted client's rows go in this order, the k_zaklad row after them.
const QStringList &clientDetailTables();
// The tables of a client's sub-records (any number of rows per client), by
// name: the order in which a changed client key reaches them.
const QStringList &subRecordTables();

// A column that names an employee by the employee's key (zamestnanci.idkod).
struct KeyColumn {
    QString table;
    QString column;
};
// Every such column (idkod_p, idkod_P), in the order the tables are created:
// the examinations first, then the recorded changes and the records of care.
const QList<KeyColumn> &employeeKeyColumns();

// The statements that create the tables and their indexes, in order.
QStringList createStatements();

} // namespace ulk::RegisterSchema
