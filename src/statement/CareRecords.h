#pragma once
#include "statement/StatementPeriod.h"

#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

struct sqlite3_stmt;

// The records of special-education care (k_zaznam_spc) as the statement
// reads them: a client belongs to a school year when at least one of the
// client's care records is dated within it.
namespace ulk::statement {

class CareRecords {
public:
    // The keys of the clients with a care record in the period, without
    // trailing blanks. Nothing (and *error) when the records cannot be read.
    static std::optional<QSet<QString>> clientsIn(const StatementPeriod &period, QString *error);

    // A key as the register compares it: trailing blanks do not count.
    static QString key(const QString &stored);

    // A reading of the rows of a table whose key column idkod holds one of
    // a set of keys (as key() gives them), trailing blanks of the stored key
    // ignored. The rows are found through the column's index.
    struct KeyedRows {
        QString table;       // one of the program's own names
        QString columns;     // the select list, of the program's own names
        QString condition;   // a further condition, or empty
        QStringList values;  // the values bound in the condition
    };
    // Reads the rows, many keys in parts side by side, each part a share of
    // the keys on a connection of its own: start(parts) first tells how many
    // parts the rows come in, then onRow(part, row) gets each row on its
    // part's thread. A reading that fails on the connections of their own
    // is read again on the program's connection in one part (after
    // start(1)). False, with *error, when the rows cannot be read.
    static bool readRows(const KeyedRows &read, const QSet<QString> &keys, const std::function<void(int)> &start,
                         const std::function<void(int, sqlite3_stmt *)> &onRow, QString *error);

    // Reads columns of k_zaklad, the rows of the clients with a care record
    // in the period, as readRows() does. No row (and no start) when no
    // client has one. False, with *error, when the rows cannot be read.
    static bool readClients(const StatementPeriod &period, const QString &columns,
                            const std::function<void(int)> &start,
                            const std::function<void(int, sqlite3_stmt *)> &onRow, QString *error);

    // The text of a column of a row; a null text for Null.
    static QString text(sqlite3_stmt *row, int column);
};

} // namespace ulk::statement
