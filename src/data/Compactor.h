#pragma once
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// Compaction of ulk.mdb at the regular exit: the database is copied without
// its free space into tmp.mdb on a fresh connection, the copy is checked and
// flushed to disk, and it then replaces ulk.mdb in one rename. Any failure
// leaves ulk.mdb as it was and removes tmp.mdb. Where ulk.mdb is a symbolic
// link, the file it leads to is compacted through a copy in that file's own
// folder and the link stays.
namespace ulk::Compactor {

// Every connection of the program on ulk.mdb must be closed before this is
// called; compaction refuses to run while one is still open.
bool compact(const QString &programDirectory, QString *error = nullptr);

// What a copy must share with its original: the row count of every table and
// the definition of every table, index and view.
struct Contents {
    QList<qint64> rowCounts;
    QStringList schema;
    bool operator==(const Contents &o) const { return rowCounts == o.rowCounts && schema == o.schema; }
};
bool readContents(const QString &filePath, Contents *contents, QString *error);
bool readContents(QSqlDatabase db, Contents *contents, QString *error);

// Names of the program's open connections that hold the given file.
QStringList connectionsOn(const QString &filePath);

} // namespace ulk::Compactor
