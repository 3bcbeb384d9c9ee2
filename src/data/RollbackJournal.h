#pragma once
#include <QByteArray>
#include <QString>

class QIODevice;

namespace ulk {

// What SQLite would find in a rollback journal (a file "-journal" beside a
// database) when it opens the database: whether the journal is hot, the
// sizes, page count and nonce of its first header, and the first record that
// SQLite would play back, when that record is a valid copy of page 1 (the
// page every write transaction of the program journals first).
class RollbackJournal {
public:
    enum class Kind {
        NotHot,     // empty, or its first byte zero: SQLite applies nothing
        Hot,        // a valid first header: SQLite would play it back
        Invalid,    // hot to SQLite, but no header of a journal
        Unreadable  // a read failed (errorNumber says why)
    };
    Kind kind = Kind::NotHot;
    int errorNumber = 0;
    int pageSize = 0;
    quint32 initialPages = 0; // pages of the database when its transaction began
    QByteArray nonce;         // the 4 bytes that seed the first segment's checksums
    // The first record SQLite plays back when it is page 1 with a valid
    // checksum: page 1 as the transaction found it. Empty otherwise.
    QByteArray firstPage;
    // The journal ends with the name of a super-journal, which the program
    // never writes.
    bool namesSuperJournal = false;

    static RollbackJournal read(const QString &path);
    // The same from an open device (a test gives one whose reads fail).
    static RollbackJournal read(QIODevice &journal);
};

} // namespace ulk
