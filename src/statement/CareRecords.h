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

    // A condition on a key column that holds for the keys (as key() gives
    // them), so that SQLite picks the clients' rows while it reads the table;
    // bind keyValue(keys) where it stands.
    static QString keyIn(const QString &column);
    static QString keyValue(const QSet<QString> &keys);
};

} // namespace ulk::statement
