#pragma once
#include <QString>

namespace ulk {

// What lies beside a register before SQLite opens it. At its first read of a
// file SQLite plays back a hot rollback journal ("-journal") or a WAL file
// ("-wal" with its "-shm") lying beside it, without asking whose it is: a
// journal left by another register, or by this register before a backup was
// copied over it, would mix foreign pages into the file. Only the register's
// own crash journal may be played back: a hot journal whose copy of page 1
// agrees with the file (the file's page 1 unchanged and equal to the copy, or
// written once by the journal's own transaction, which raised its change
// counter by one and left the page count), or, where the journal holds no
// page 1, one written for the file's page size and page count. What cannot
// be shown to be the file's own is refused, even where it may be. A WAL file beside a file in rollback
// mode, a side file that is a link or no plain file, is never the register's.
// Every road that opens a register (start-up, compaction, restore) asks here
// first and leaves everything as it is when something foreign lies there.
class SideFiles {
public:
    struct Finding {
        QString file;  // the side file that is not the register's own; empty when none
        QString cause; // Slovak: why it is not
        bool clear() const { return file.isEmpty(); }
        // What lies there and that nothing was used or changed, then on a line
        // of its own what the user can do.
        QString text() const;
    };

    // databaseFile is the path the program opens (a link is followed to the
    // file beside which SQLite looks); the file may be missing, and then no
    // journal or WAL file beside it can be its own.
    static Finding check(const QString &databaseFile);
};

} // namespace ulk
