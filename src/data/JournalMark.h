#pragma once
#include <QString>

struct sqlite3;

// The mark that proves a rollback journal to be the register's own. SQLite
// plays back any journal it finds beside a file; two transactions that began
// from the same state leave journals that agree in every page, so nothing in
// a journal alone says whether the file beside it is the one it was written
// for. Every write transaction of the program therefore begins by changing
// page 1, so that the journal's first record is page 1 as the transaction
// found it, and then writes the nonce of the journal's first header (random
// for every transaction) into page 1's header field user_version, which the
// program uses for nothing else. After a crash the journal is the file's own
// exactly when the file's page 1 is still the journal's copy (the crash came
// before page 1 was written) or carries the journal's nonce (page 1 was
// written by that transaction).
namespace ulk {

class JournalMark {
public:
    // Where the mark lies in page 1 (the header's user_version), and its size.
    static constexpr int kOffset = 60;
    static constexpr int kBytes = 4;

    // Marks the write transaction just begun on db. The Slovak cause when it
    // cannot (the caller then rolls the transaction back), empty when done.
    static QString write(sqlite3 *db);

    // From now on a commit on db whose transaction was not marked is refused
    // and rolled back: no write leaves a journal that cannot be shown to be
    // the register's own.
    static void guard(sqlite3 *db);
};

} // namespace ulk
