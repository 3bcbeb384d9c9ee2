#include "data/RegisterConnection.h"

#include "common/FailureText.h"
#include "data/Database.h"
#include "data/JournalMark.h"

#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlError>
#include <QUrl>
#include <algorithm>
#include <limits>
#include <sqlite3.h>
#include <thread>

namespace ulk {

namespace {

using Clock = std::chrono::steady_clock;

constexpr qint64 kNoDeadline = std::numeric_limits<qint64>::max();

qint64 nanosOf(Clock::time_point t)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count();
}

} // namespace

RegisterConnection::RegisterConnection(const QString &file, Access access, Api api, const QString &namePrefix)
    : m_deadline(kNoDeadline)
{
    const bool readOnly = access != Access::ReadWrite;
    QString why;
    if (api == Api::QtSql) {
        // Unique while the object lives, which is as long as the connection.
        m_name = QStringLiteral("%1-%2").arg(namePrefix).arg(quintptr(this), 0, 16);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMs));
        db.setDatabaseName(uriOf(file, access));
        if (db.open()) {
            m_db = handleOf(db);
        } else {
            m_error = causeOf(db.lastError());
            why = db.lastError().text();
        }
    } else {
        const int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE) | SQLITE_OPEN_NOMUTEX
            | SQLITE_OPEN_URI;
        const int rc = sqlite3_open_v2(uriOf(file, access).toUtf8().constData(), &m_db, flags, nullptr);
        if (rc != SQLITE_OK) {
            m_error = m_db ? causeOf(m_db) : sqliteCause(rc);
            why = QString::fromUtf8(m_db ? sqlite3_errmsg(m_db) : sqlite3_errstr(rc));
            sqlite3_close(m_db);
            m_db = nullptr;
        }
    }
    if (m_db && (!configure(m_db, &m_error) || (!readOnly && !configureWriter(m_db, &m_error))))
        why = m_error;
    if (!why.isEmpty()) {
        qWarning("ulk: %s nie je možné otvoriť: %s", qUtf8Printable(file), qUtf8Printable(why));
        close();
        return;
    }
    // Its own wait, which a deadline can cut short.
    sqlite3_busy_handler(m_db, onBusy, this);
}

RegisterConnection::~RegisterConnection() { close(); }

void RegisterConnection::close()
{
    if (m_db) {
        // Nothing on the handle may call back into this object any more.
        sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
    }
    if (!m_name.isEmpty()) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_name, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_name);
        m_name.clear();
    } else if (m_db) {
        sqlite3_close_v2(m_db);
    }
    m_db = nullptr;
}

QSqlDatabase RegisterConnection::database() const
{
    return m_name.isEmpty() ? QSqlDatabase() : QSqlDatabase::database(m_name, false);
}

void RegisterConnection::setDeadline(std::chrono::steady_clock::time_point deadline)
{
    m_deadline = nanosOf(deadline);
}

bool RegisterConnection::pastDeadline() const
{
    const qint64 deadline = m_deadline;
    return deadline != kNoDeadline && nanosOf(Clock::now()) >= deadline;
}

int RegisterConnection::onBusy(void *self, int count)
{
    // As SQLite's own busy timeout waits, short at first, then longer.
    static constexpr int kDelays[] = {1, 2, 5, 10, 15, 20, 25, 25, 25, 50, 50, 100};
    auto *c = static_cast<RegisterConnection *>(self);
    const Clock::time_point now = Clock::now();
    if (count == 0)
        c->m_waitStarted = now;
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(now - c->m_waitStarted).count();
    if (waited >= kBusyTimeoutMs || c->pastDeadline())
        return 0;
    qint64 delay = kDelays[std::min<size_t>(size_t(count), std::size(kDelays) - 1)];
    delay = std::min<qint64>(delay, kBusyTimeoutMs - waited);
    const qint64 deadline = c->m_deadline;
    if (deadline != kNoDeadline)
        delay = std::clamp<qint64>((deadline - nanosOf(now)) / 1000000 + 1, 0, delay);
    std::this_thread::sleep_for(std::chrono::milliseconds(delay));
    return 1;
}

bool RegisterConnection::configure(sqlite3 *db, QString *error)
{
    const auto fail = [&](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    if (!db)
        return fail(sqliteCause(SQLITE_CANTOPEN));
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    // A file may come from elsewhere: its schema may not change what SQLite
    // itself guards, and the functions its views and triggers name run only
    // where they cannot harm.
    int defensive = 0;
    if (sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, &defensive) != SQLITE_OK || defensive != 1)
        return fail(causeOf(db));
    if (sqlite3_exec(db, "PRAGMA trusted_schema=OFF", nullptr, nullptr, nullptr) != SQLITE_OK)
        return fail(causeOf(db));
    if (!registerSkCollation(db))
        return fail(QStringLiteral("slovenské triedenie (SK) nie je k dispozícii"));
    return true;
}

bool RegisterConnection::configureWriter(sqlite3 *db, QString *error)
{
    // A journal removed without the folder written to the disk could come
    // back after a power cut and undo a commit the user was told of.
    if (sqlite3_exec(db, "PRAGMA synchronous=EXTRA", nullptr, nullptr, nullptr) != SQLITE_OK) {
        if (error)
            *error = causeOf(db);
        return false;
    }
    JournalMark::guard(db);
    return true;
}

QString RegisterConnection::uriOf(const QString &file, Access access)
{
    QString uri = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath()).toString(QUrl::FullyEncoded);
    switch (access) {
    case Access::ReadOnly: return uri + QStringLiteral("?mode=ro");
    case Access::ReadWrite: return uri + QStringLiteral("?mode=rw");
    case Access::Immutable: return uri + QStringLiteral("?mode=ro&immutable=1");
    }
    return uri;
}

sqlite3 *RegisterConnection::handleOf(const QSqlDatabase &db)
{
    if (!db.isValid() || !db.driver())
        return nullptr;
    const QVariant handle = db.driver()->handle();
    return handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0
        ? *static_cast<sqlite3 *const *>(handle.constData())
        : nullptr;
}

namespace {

// A trigger's RAISE passes on its own words, when they are words the program
// can tell (a cause it knows, or a sentence of its own); empty otherwise.
QString raisedCause(int code, const QString &raised)
{
    return code == SQLITE_CONSTRAINT_TRIGGER ? failureCause(raised) : QString();
}

} // namespace

QString RegisterConnection::causeOf(sqlite3 *db)
{
    if (!db)
        return sqliteCause(SQLITE_NOMEM);
    const int code = sqlite3_extended_errcode(db);
    const QString raised = raisedCause(code, QString::fromUtf8(sqlite3_errmsg(db)));
    return raised.isEmpty() ? sqliteCause(code) : raised;
}

QString RegisterConnection::causeOf(const QSqlError &error)
{
    const QString raised = raisedCause(error.nativeErrorCode().toInt(), error.databaseText());
    return raised.isEmpty() ? sqliteCause(error) : raised;
}

} // namespace ulk
