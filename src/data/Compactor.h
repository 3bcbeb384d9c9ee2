#pragma once
#include <QString>

// Compaction of ulk.mdb at the regular exit: the database is copied without
// its free space into tmp.mdb, the copy is checked, and it then replaces
// ulk.mdb in one rename. Any failure leaves ulk.mdb as it was.
namespace ulk::Compactor {

// The program's own connection must be closed before this is called.
bool compact(const QString &programDirectory, QString *error = nullptr);

// Row counts of every table of a database file, for checking a copy.
bool tableCounts(const QString &filePath, QList<qint64> *counts, QString *error);

} // namespace ulk::Compactor
