#include "data/LockWaitBound.h"

#include "data/RegisterConnection.h"

#include <sqlite3.h>

namespace ulk {

LockWaitBound::LockWaitBound(const QSqlDatabase &db, std::chrono::milliseconds bound) : m_db(db)
{
    if (sqlite3 *h = RegisterConnection::handleOf(m_db))
        sqlite3_busy_timeout(h, int(bound.count()));
}

LockWaitBound::~LockWaitBound()
{
    if (sqlite3 *h = RegisterConnection::handleOf(m_db))
        sqlite3_busy_timeout(h, RegisterConnection::kBusyTimeoutMs);
}

} // namespace ulk
