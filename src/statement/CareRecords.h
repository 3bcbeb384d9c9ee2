#pragma once
#include "statement/StatementPeriod.h"

#include <QSet>
#include <QString>
#include <optional>

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

    // A condition on the rows of a table (one of the program's own names)
    // whose key column idkod holds one of the keys (as key() gives them),
    // trailing blanks of the stored key ignored. The rows are found through
    // the column's index and read in the table's order; bind keyValue(keys)
    // where it stands.
    static QString keyIn(const QString &table);
    static QString keyValue(const QSet<QString> &keys);
};

} // namespace ulk::statement
