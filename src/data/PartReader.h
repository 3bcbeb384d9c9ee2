#pragma once
#include <QString>
#include <functional>

struct sqlite3;
struct sqlite3_stmt;

// The largest readings of the register (the client list, the care records of
// a school year) are read in parts side by side: each part on a thread and a
// read-only connection of its own to the register the program has open.
namespace ulk::PartReader {

// The program's own connection, as SQLite's handle; null when none is open.
sqlite3 *programHandle();

// How many parts the machine reads side by side (at most 4); 1 when the
// reading must stay on the program's connection: no register is open, or the
// connection holds a change not committed yet that the others would not see.
int parts();

// Runs readPart(part, connection, error) for every part 0..count-1, each on a
// thread and a connection of its own; meanwhile runs on the calling thread.
// False, with the first failure's text, when a part could not be read.
bool run(int count, const std::function<bool(int, sqlite3 *, QString *)> &readPart, QString *error,
         const std::function<void()> &meanwhile = {});

// Steps st to its end, giving each row to onRow, and finalizes it; rc is the
// result of preparing and binding. False, with SQLite's message, on failure.
bool stepAll(sqlite3 *db, sqlite3_stmt *st, int rc, const std::function<void(sqlite3_stmt *)> &onRow,
             QString *error);

} // namespace ulk::PartReader
