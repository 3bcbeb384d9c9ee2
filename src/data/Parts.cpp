#include "data/Parts.h"

#include "common/LongWork.h"
#include "data/Database.h"
#include "data/RegisterConnection.h"

#include <algorithm>
#include <sqlite3.h>
#include <memory>
#include <thread>
#include <vector>

namespace ulk::Parts {

int machine() { return int(std::clamp(std::thread::hardware_concurrency(), 1u, 8u)); }

sqlite3 *programHandle()
{
    return Database::isOpen() ? RegisterConnection::handleOf(Database::connection()) : nullptr;
}

int ofRegister()
{
    sqlite3 *db = programHandle();
    const char *file = db ? sqlite3_db_filename(db, "main") : nullptr;
    if (!file || !*file || sqlite3_get_autocommit(db) == 0)
        return 1;
    return machine();
}

QStringList run(int count, const std::function<QString(int)> &work, const std::function<void()> &meanwhile)
{
    std::vector<std::unique_ptr<LongWork::Thread>> threads;
    threads.reserve(size_t(std::max(count, 0)));
    bool allStarted = true;
    for (int part = 0; part < count && allStarted; ++part) {
        threads.push_back(std::make_unique<LongWork::Thread>([&work, part] { return work(part); }));
        allStarted = threads.back()->started();
    }
    if (meanwhile && allStarted)
        meanwhile();
    QStringList failures;
    for (const auto &thread : threads)
        failures << thread->wait();
    while (failures.size() < count)
        failures << LongWork::startFailure();
    return failures;
}

QStringList read(int count, const std::function<QString(int, sqlite3 *)> &readPart,
                 const std::function<void()> &meanwhile)
{
    sqlite3 *db = programHandle();
    const QString file = QString::fromUtf8(db ? sqlite3_db_filename(db, "main") : nullptr);
    if (file.isEmpty()) {
        QStringList failures;
        for (int part = 0; part < count; ++part)
            failures << QStringLiteral("databáza nie je otvorená");
        if (meanwhile)
            meanwhile();
        return failures;
    }
    return run(
        count,
        [&](int part) {
            // The constructor writes a connection that cannot be opened to the log.
            const RegisterConnection own(file, RegisterConnection::Access::ReadOnly);
            return own.isOpen() ? readPart(part, own.handle()) : own.error();
        },
        meanwhile);
}

bool notStarted(const QStringList &failures) { return failures.contains(LongWork::startFailure()); }

QString firstFailure(const QStringList &failures)
{
    for (const QString &f : failures)
        if (!f.isEmpty())
            return f;
    return QString();
}

bool stepAll(sqlite3 *db, sqlite3_stmt *st, int rc, const std::function<void(sqlite3_stmt *)> &onRow,
             QString *error)
{
    while (rc == SQLITE_OK || rc == SQLITE_ROW) {
        rc = sqlite3_step(st);
        if (rc == SQLITE_ROW)
            onRow(st);
    }
    if (rc != SQLITE_DONE) {
        qWarning("ulk: %s", sqlite3_errmsg(db));
        if (error)
            *error = RegisterConnection::causeOf(db);
    }
    sqlite3_finalize(st);
    return rc == SQLITE_DONE;
}

} // namespace ulk::Parts
