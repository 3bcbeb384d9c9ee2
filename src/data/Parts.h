#pragma once
#include <QString>
#include <QStringList>
#include <functional>

struct sqlite3;
struct sqlite3_stmt;

// Work in parallel, the one way the program does it: a piece of work is cut
// into parts, each part runs on a thread of its own (and reads the register
// on a read-only connection of its own), the calling thread may do its own
// share meanwhile, and each part's failure comes back.
namespace ulk::Parts {

// How many parts the machine works on side by side: the one sizing rule of
// the program (its hardware threads, at most 8).
int machine();

// How many parts a reading of the program's register is cut into:
// machine(), or 1 when the reading must stay on the program's connection
// (no register is open, or the connection holds a change not committed yet
// that connections of their own would not see).
int ofRegister();

// Runs work(part) for every part 0..count-1, each on a thread of its own
// (LongWork), and meanwhile on the calling thread; returns when all are done,
// the window thread handling its events while it waits. Each part's failure,
// in part order: empty for a part that did its work, the Slovak cause for a
// part that threw. Once a part's thread cannot start, no other part starts
// and meanwhile does not run: the parts not started fail with
// LongWork::startFailure().
QStringList run(int count, const std::function<QString(int)> &work, const std::function<void()> &meanwhile = {});

// Reads the program's register in parts as run() does, each part on a
// read-only connection of its own (RegisterConnection). A connection that
// cannot be opened is written to the log and is that part's failure.
QStringList read(int count, const std::function<QString(int, sqlite3 *)> &readPart,
                 const std::function<void()> &meanwhile = {});

// The first failure of the parts, or an empty text when every part was done.
QString firstFailure(const QStringList &failures);
// Whether a part's thread could not start: the system has no room for
// threads, and what ran the parts ends with that cause instead of doing
// their work another way.
bool notStarted(const QStringList &failures);

// The program's own connection, as SQLite's handle; null when none is open.
sqlite3 *programHandle();

// Steps st to its end, giving each row to onRow, and finalizes it; rc is the
// result of preparing and binding. False, with the Slovak cause, on failure.
bool stepAll(sqlite3 *db, sqlite3_stmt *st, int rc, const std::function<void(sqlite3_stmt *)> &onRow,
             QString *error);

} // namespace ulk::Parts
