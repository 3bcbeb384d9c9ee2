#include "data/PartReader.h"

#include "data/Database.h"

#include <QSqlDriver>
#include <algorithm>
#include <sqlite3.h>
#include <thread>
#include <vector>

namespace ulk::PartReader {

sqlite3 *programHandle()
{
    if (!Database::isOpen())
        return nullptr;
    const QVariant handle = Database::connection().driver()->handle();
    return handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0
        ? *static_cast<sqlite3 *const *>(handle.constData())
        : nullptr;
}

int parts()
{
    sqlite3 *db = programHandle();
    const char *file = db ? sqlite3_db_filename(db, "main") : nullptr;
    if (!file || !*file || sqlite3_get_autocommit(db) == 0)
        return 1;
    return int(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
}

bool run(int count, const std::function<bool(int, sqlite3 *, QString *)> &readPart, QString *error,
         const std::function<void()> &meanwhile)
{
    sqlite3 *db = programHandle();
    const QByteArray file(db ? sqlite3_db_filename(db, "main") : nullptr);
    if (file.isEmpty()) {
        if (error)
            *error = QStringLiteral("databáza nie je otvorená");
        return false;
    }
    struct Outcome {
        bool ok = false;
        QString error;
    };
    std::vector<Outcome> outcomes(size_t(std::max(count, 0)));
    const auto work = [&](int part) {
        Outcome &out = outcomes[size_t(part)];
        sqlite3 *own = nullptr;
        if (sqlite3_open_v2(file.constData(), &own, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
            out.error = QString::fromUtf8(own ? sqlite3_errmsg(own) : "out of memory");
        } else {
            sqlite3_busy_timeout(own, 2000);
            out.ok = readPart(part, own, &out.error);
        }
        sqlite3_close(own);
    };
    {
        std::vector<std::thread> threads;
        for (int part = 0; part < count; ++part)
            threads.emplace_back(work, part);
        if (meanwhile)
            meanwhile();
        for (std::thread &t : threads)
            t.join();
    }
    for (const Outcome &out : outcomes)
        if (!out.ok) {
            if (error)
                *error = out.error;
            return false;
        }
    return true;
}

bool stepAll(sqlite3 *db, sqlite3_stmt *st, int rc, const std::function<void(sqlite3_stmt *)> &onRow,
             QString *error)
{
    while (rc == SQLITE_OK || rc == SQLITE_ROW) {
        rc = sqlite3_step(st);
        if (rc == SQLITE_ROW)
            onRow(st);
    }
    if (rc != SQLITE_DONE && error)
        *error = QString::fromUtf8(sqlite3_errmsg(db));
    sqlite3_finalize(st);
    return rc == SQLITE_DONE;
}

} // namespace ulk::PartReader
