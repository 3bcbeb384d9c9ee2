#include "data/ClientRowids.h"

#include "data/Parts.h"

#include <algorithm>
#include <sqlite3.h>

namespace ulk {

qint64 singleNumber(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *st = nullptr;
    qint64 v = -1;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW
        && sqlite3_column_type(st, 0) != SQLITE_NULL)
        v = sqlite3_column_int64(st, 0);
    sqlite3_finalize(st);
    return v;
}

ClientRowids::ClientRowids(sqlite3 *db)
{
    if (db) {
        m_first = singleNumber(db, "SELECT min(rowid) FROM k_zaklad");
        m_last = singleNumber(db, "SELECT max(rowid) FROM k_zaklad");
    }
    const qint64 span = m_first >= 0 && m_last >= m_first ? m_last - m_first : 0;
    m_parts = int(std::min<qint64>(Parts::ofRegister(), span / kRowsPerPart));
}

qint64 ClientRowids::from(int part) const
{
    const qint64 step = (m_last - m_first) / m_parts + 1;
    return m_first + step * part;
}

qint64 ClientRowids::to(int part) const
{
    const qint64 step = (m_last - m_first) / m_parts + 1;
    return part + 1 < m_parts ? from(part) + step - 1 : m_last;
}

int ClientRowids::prepare(sqlite3 *own, const QByteArray &sql, int part, sqlite3_stmt **st) const
{
    int rc = sqlite3_prepare_v2(own, sql.constData(), int(sql.size()), st, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_bind_int64(*st, 1, from(part));
    if (rc == SQLITE_OK)
        rc = sqlite3_bind_int64(*st, 2, to(part));
    return rc;
}

} // namespace ulk
