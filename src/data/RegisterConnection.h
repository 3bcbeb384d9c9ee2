#pragma once
#include <QSqlDatabase>
#include <QString>
#include <atomic>
#include <chrono>

class QSqlError;
struct sqlite3;

// A connection of its own to a register file, for work beside the program's
// connection (a part read on a thread, compaction, the archive's check, the
// age write, a report's rows). Every connection of the program is configured
// the one way that configure() gives: the same wait for a lock held by
// another connection, SQLite's defensive mode, a schema that is not trusted
// (a file may come from elsewhere), and the collation SK. The connection
// closes itself when it goes.
namespace ulk {

class RegisterConnection {
public:
    // Immutable reads the file as it lies, never looking at a journal beside
    // it (and so never playing one back).
    enum class Access { ReadOnly, ReadWrite, Immutable };
    // Through SQLite's own API only, or also as a Qt SQL connection under a
    // name of its own (for work that runs QSqlQuery on it).
    enum class Api { Sqlite, QtSql };

    // How long any connection of the program waits for a lock that another
    // connection holds before it gives up.
    static constexpr int kBusyTimeoutMs = 2000;

    // Opens the file, never creating it. A Qt SQL connection is named
    // namePrefix followed by a suffix of its own; it belongs to the thread
    // that opens it.
    RegisterConnection(const QString &file, Access access, Api api = Api::Sqlite,
                       const QString &namePrefix = QStringLiteral("ulk-part"));
    ~RegisterConnection();
    RegisterConnection(const RegisterConnection &) = delete;
    RegisterConnection &operator=(const RegisterConnection &) = delete;

    bool isOpen() const { return m_db != nullptr; }
    // Why the connection could not be opened, in Slovak (the log has SQLite's words).
    QString error() const { return m_error; }
    // SQLite's handle, for stepping statements directly; null when not open.
    sqlite3 *handle() const { return m_db; }
    // The Qt SQL connection (Api::QtSql); invalid otherwise.
    QSqlDatabase database() const;
    QString name() const { return m_name; }
    void close();

    // From the moment given on, a wait for a lock that another connection
    // holds ends at once: work that cannot get its lock fails then. Any
    // thread may set it.
    void setDeadline(std::chrono::steady_clock::time_point deadline);
    bool pastDeadline() const;

    // Configures a connection opened elsewhere (the program's own, Qt SQL's
    // further connections) as every connection is. False, with *error, when
    // the collation cannot be had or the settings are refused.
    static bool configure(sqlite3 *db, QString *error);
    // Configures a connection that writes: a commit is on the disk, the
    // journal's removal included, before it returns, and only a transaction
    // that carries the journal's mark (JournalMark) may commit.
    static bool configureWriter(sqlite3 *db, QString *error);
    // The URI that opens a file through Qt SQL, never creating it.
    static QString uriOf(const QString &file, Access access);
    // SQLite's handle of a Qt SQL connection, or null.
    static sqlite3 *handleOf(const QSqlDatabase &db);

    // The Slovak cause of the last failure on a handle, from its result code;
    // SQLite's own English words belong in the log only.
    static QString causeOf(sqlite3 *db);
    // The Slovak cause of a failed Qt SQL statement or connection: the cause
    // of its code as sqliteCause() tells it, except that a trigger's RAISE
    // passes on its own words where they say a cause (as causeOf(sqlite3 *)).
    static QString causeOf(const QSqlError &error);

private:
    static int onBusy(void *self, int count);

    sqlite3 *m_db = nullptr;
    QString m_name;
    QString m_error;
    std::chrono::steady_clock::time_point m_waitStarted;
    std::atomic<qint64> m_deadline;  // steady clock nanoseconds; max: none
};

} // namespace ulk
