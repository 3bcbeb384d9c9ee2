#pragma once
#include <QByteArray>
#include <QtGlobal>

struct sqlite3;
struct sqlite3_stmt;

// The rowids of the client table k_zaklad cut into ranges, one a part, for
// a client list read side by side (Parts::read): each part reads the rows of
// its range on a connection of its own.
namespace ulk {

// The one number a query gives; -1 when it gives none, or Null.
qint64 singleNumber(sqlite3 *db, const char *sql);

class ClientRowids {
public:
    // A client list smaller than this is read in one piece.
    static constexpr qint64 kRowsPerPart = 25000;

    // The rowids of k_zaklad on db (none when db is null), in as many parts
    // as the register is read in, each part at least kRowsPerPart rowids.
    explicit ClientRowids(sqlite3 *db);

    // Fewer than two: the list is read in one piece.
    int parts() const { return m_parts; }
    // The first and the last rowid of a part's range.
    qint64 from(int part) const;
    qint64 to(int part) const;
    // Prepares sql on own, its two parameters bound to the part's first and
    // last rowid: SQLite's result, as Parts::stepAll takes it.
    int prepare(sqlite3 *own, const QByteArray &sql, int part, sqlite3_stmt **st) const;

private:
    qint64 m_first = -1;
    qint64 m_last = -1;
    int m_parts = 0;
};

} // namespace ulk
