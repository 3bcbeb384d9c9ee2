#pragma once
#include <QString>

namespace ulk {

// What lies beside a register before SQLite opens it. At its first read of a
// file SQLite plays back a hot rollback journal ("-journal") or a WAL file
// ("-wal" with its "-shm") lying beside it, without asking whose it is: a
// journal left by another register, or by this register before a backup was
// copied over it, would mix foreign pages into the file. Only the register's
// own crash journal may be played back, and it is told by the mark that every
// write transaction of the program leaves (JournalMark): its first record is
// page 1 as the transaction found it, and the file's page 1 is either still
// that copy or carries the journal's nonce. What cannot be shown to be the
// file's own is refused, even where it may be, and so is a journal that
// cannot be read. The program never writes a WAL file: a WAL file that holds
// anything, a WAL file beside a file in rollback mode, a side file that is a
// link or no plain file, is never the register's. Every road that opens a
// register (start-up, compaction, restore) asks here first and leaves
// everything as it is when something foreign lies there.
class SideFiles {
public:
    struct Finding {
        QString file;  // the side file that is not the register's own; empty when none
        QString cause; // Slovak: why it is not
        bool clear() const { return file.isEmpty(); }
        // What lies there and that nothing was used or changed, then on a line
        // of its own what the user can do. damage is empty when the database,
        // read alone, is whole (moving the side file away is then safe), and
        // otherwise says why it is not (it then needs its side file or an
        // archive, and no step is advised that leaves a damaged file).
        QString text(const QString &damage) const;
    };

    // databaseFile is the path the program opens (a link is followed to the
    // file beside which SQLite looks); the file may be missing, and then no
    // journal or WAL file beside it can be its own.
    static Finding check(const QString &databaseFile);

    // The finding's text, the database first checked alone, as it lies and
    // without anything beside it (SQLite's immutable mode, which never
    // touches a journal), on a thread of its own, the window thread waiting
    // with its current action shown.
    static QString refusal(const Finding &finding, const QString &databaseFile);
};

} // namespace ulk
