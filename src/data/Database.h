#pragma once
#include "data/SideFiles.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QSet>
#include <QVariantList>
#include <functional>

struct sqlite3;

// The program's one connection to ulk.mdb (an SQLite file that keeps the old
// name), its checks at opening, and small helpers for bound statements.
namespace ulk {

class Database {
public:
    enum class OpenResult {
        Ok,
        Missing,
        Unusable,
        // A journal or WAL file beside ulk.mdb is not the register's own
        // (SideFiles): nothing was opened, *foreign tells what lies there.
        ForeignSideFile
    };

    static QString fileName() { return QStringLiteral("ulk.mdb"); }
    static QString pathIn(const QString &directory);

    // Opens <directory>/ulk.mdb read-write, never creating it. The file must be
    // a whole SQLite database (its header and its size agree), hold every table
    // of the register and accept the SK collation; otherwise it is left
    // untouched. (The full integrity check, which reads the whole file, is made
    // on the files that replace ulk.mdb: restored archives and compacted copies.)
    static OpenResult open(const QString &directory, QString *error = nullptr,
                           SideFiles::Finding *foreign = nullptr);
    static void close();
    static bool isOpen();
    static QSqlDatabase connection();
    static QString directory();
    static QString path();

    // A further connection on a file, for work that must not use the program's
    // connection (compaction, checking an archive). The caller removes it with
    // closeExtra().
    static QSqlDatabase openExtra(const QString &filePath, const QString &connectionName,
                                  bool readOnly, QString *error);
    static void closeExtra(const QString &connectionName);

    // Whether a file is a usable register, checked on a short-lived connection
    // (and never opened while a side file that is not its own lies beside it).
    // Without wholeFileCheck the b-trees are not read (the caller checks them
    // another way); everything else is checked as at start-up.
    static bool isUsableFile(const QString &filePath, QString *error = nullptr, bool wholeFileCheck = true);

    // Rows of a table (by rowid) that the program's connection inserted,
    // changed or deleted since the last call for that table; the lists read
    // them again instead of the whole table. Empty after the database is
    // opened: a list opened afresh reads everything anyway.
    static QSet<qint64> takeChangedRows(const QString &table);

    static const QStringList &expectedTables();

private:
    static bool check(QSqlDatabase &db, bool fullCheck, QString *error);
};

// Registers the collation SK (Slovak, case-insensitive) on a connection.
bool registerSkCollation(QSqlDatabase &db);
bool registerSkCollation(sqlite3 *db);

// Runs one statement with bound values on the program's connection (or db).
// Returns the executed query; on failure sets *error and returns an inactive one.
QSqlQuery runSql(const QString &sql, const QVariantList &values = {}, QString *error = nullptr);
QSqlQuery runSql(QSqlDatabase db, const QString &sql, const QVariantList &values, QString *error);

// A condition that matches a key column to a key, ignoring trailing blanks
// as the register always has, through a range of the column's index (so it
// never reads the whole table). Bind keyMatchValues(key) where it stands.
QString keyMatch(const QString &column);
QVariantList keyMatchValues(const QString &key);

// True when the last error of a query was a duplicate primary or unique key.
bool isDuplicateKey(const QSqlQuery &query);

// A write transaction on the program's connection that rolls back unless
// committed. It begins with the mark that ties its journal to the register
// (JournalMark): a crash at any moment of it leaves a journal that the next
// start proves to be the register's own and plays back.
class Transaction {
public:
    explicit Transaction(QSqlDatabase db = Database::connection());
    ~Transaction();
    bool ok() const { return m_started; }
    bool commit();
    // Why the transaction could not begin or commit, in Slovak: the cause of
    // the engine's own (extended) result code, a disk's error at the commit
    // told as the disk error it is.
    QString cause() const;
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;

private:
    QSqlDatabase m_db;
    bool m_started = false;
    bool m_done = false;
    int m_code = 0;    // the result code of a failed begin or commit
    QString m_failure; // why the transaction could not be marked
};

// Runs write in one Transaction on db: false, with the Slovak cause in
// *error, when the transaction cannot begin, write fails (its cause left in
// its argument) or the commit fails.
bool writeInTransaction(QSqlDatabase db, const std::function<bool(QString *why)> &write, QString *error);

} // namespace ulk
