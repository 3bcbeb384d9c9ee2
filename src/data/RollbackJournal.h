#pragma once
#include <QByteArray>
#include <QString>

namespace ulk {

// What SQLite would find in a rollback journal (a file "-journal" beside a
// database) when it opens the database: whether the journal is hot, which
// page size and database size it was written for, and the journal's copy of
// the database's first page as it was when the transaction began (segment by
// segment, each record's checksum seeded by its segment's nonce, up to the
// first record that fails).
class RollbackJournal {
public:
    enum class Kind {
        NotHot,     // empty, or its first byte zero: SQLite applies nothing
        Hot,        // a valid header: SQLite would play it back
        Invalid,    // hot to SQLite, but no header of a journal
        Unreadable  // cannot be read (errorNumber says why)
    };
    Kind kind = Kind::NotHot;
    int errorNumber = 0;
    int pageSize = 0;
    quint32 initialPages = 0; // pages of the database when its transaction began
    QByteArray firstPage;     // the copy of page 1, empty when the journal holds none
    bool firstPageSynced = false; // the copy is among the records SQLite plays back

    static RollbackJournal read(const QString &path);
};

} // namespace ulk
