#include "data/JournalMark.h"

#include "common/FailureText.h"
#include "data/RegisterConnection.h"

#include <QFile>
#include <QtEndian>
#include <cerrno>
#include <mutex>
#include <sqlite3.h>
#include <unordered_set>

namespace ulk {

namespace {

// The connections whose open transaction carries its mark.
std::mutex g_mutex;
std::unordered_set<sqlite3 *> g_marked;

bool execOn(sqlite3 *db, const QByteArray &sql) { return sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr) == SQLITE_OK; }

int onCommit(void *handle)
{
    auto *db = static_cast<sqlite3 *>(handle);
    // A transaction that wrote only into the temporary database leaves no
    // journal beside the register.
    if (sqlite3_txn_state(db, "main") != SQLITE_TXN_WRITE)
        return 0;
    const std::lock_guard lock(g_mutex);
    return g_marked.erase(db) == 1 ? 0 : 1;
}

void onRollback(void *handle)
{
    const std::lock_guard lock(g_mutex);
    g_marked.erase(static_cast<sqlite3 *>(handle));
}

} // namespace

QString JournalMark::write(sqlite3 *db)
{
    // Page 1 first: the journal is created with its first header, and its
    // first record is the copy of page 1.
    if (!execOn(db, "PRAGMA main.user_version = 0"))
        return RegisterConnection::causeOf(db);
    const char *file = sqlite3_db_filename(db, "main");
    const char *journal = file && *file ? sqlite3_filename_journal(file) : nullptr;
    QFile f(QFile::decodeName(journal ? journal : ""));
    errno = 0;
    const QByteArray header = f.open(QIODevice::ReadOnly | QIODevice::Unbuffered) ? f.read(28) : QByteArray();
    if (header.size() < 28) {
        const int error = errno;
        return QStringLiteral("žurnál databázy nie je možné prečítať: ")
            + (error != 0 ? systemCause(error) : QStringLiteral("nemá hlavičku"));
    }
    const auto nonce = qFromBigEndian<qint32>(header.constData() + 12);
    if (!execOn(db, "PRAGMA main.user_version = " + QByteArray::number(nonce)))
        return RegisterConnection::causeOf(db);
    const std::lock_guard lock(g_mutex);
    g_marked.insert(db);
    return QString();
}

void JournalMark::guard(sqlite3 *db)
{
    {
        const std::lock_guard lock(g_mutex);
        g_marked.erase(db);
    }
    sqlite3_commit_hook(db, onCommit, db);
    sqlite3_rollback_hook(db, onRollback, db);
}

} // namespace ulk
