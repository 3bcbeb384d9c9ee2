#pragma once
#include "data/RegisterSchema.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The record key in the tables: the first key of a stem that no row holds,
// and a changed key carried into every column that refers to it. The key
// rules themselves (stem, counter) are common/RecordKey.h.
namespace ulk::RecordKey {

// The first key stem + counter (from "00" on) that no row of table.idkod
// holds; ownKey (the record's own stored key) counts as free.
// Returns an empty text and sets *error when the table cannot be read.
QString firstFreeKey(QSqlDatabase db, const QString &table, const QString &stem,
                     const QString &ownKey = QString(), QString *error = nullptr);
// The same over several tables that share the key (a client's k_zaklad and
// k_memo rows): the key must be free in each of them.
QString firstFreeKey(QSqlDatabase db, const QStringList &tables, const QString &stem,
                     const QString &ownKey = QString(), QString *error = nullptr);

// A column that refers to the key.
using KeyReference = RegisterSchema::KeyColumn;

// Carries a changed key from oldKey to newKey into every referring column
// (rows compared without trailing blanks). Runs inside the caller's
// transaction; on the first failure it stops, sets *error and returns false,
// and the caller rolls back.
bool cascadeKeyChange(QSqlDatabase db, const QList<KeyReference> &references, const QString &oldKey,
                      const QString &newKey, QString *error = nullptr);

} // namespace ulk::RecordKey
