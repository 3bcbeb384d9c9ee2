#pragma once
#include <QSqlDatabase>
#include <QString>

// Whether a database file is a register the program can work with, told on a
// connection open on the file. A file from elsewhere (put in the folder,
// unpacked from an archive) is never trusted: it must have the program's own
// shape (RegisterSchema): each table the program uses is a table with every
// column the program reads or writes, and there is no trigger anywhere, so
// that nothing but the program's own statements ever changes the register;
// every table has its rowid, no unique index but its key's, and the people's
// keys (idkod) are each there and each once, trailing blanks not counting.
// Tables and views the program does not know are left alone: their names and
// kinds are read, their contents and definitions never.
namespace ulk {

class RegisterCheck {
public:
    enum class Verdict {
        Usable,
        NotARegister, // the file is not a whole register of the program's shape
        Failed        // the check itself could not be made (a disk error, no memory, ...)
    };
    struct Result {
        Verdict verdict = Verdict::Usable;
        QString cause; // Slovak, empty when usable
        bool usable() const { return verdict == Verdict::Usable; }
    };

    // The file holds every page its header counts, has the program's shape,
    // and sorts with the SK collation (registered on db here).
    static Result shape(QSqlDatabase &db);
    // Every b-tree and page of the file is sound (SQLite's quick_check of the
    // whole file: a page two tables share or none holds is found too).
    static Result pages(QSqlDatabase &db);
    // Both: the pages only with wholeFile.
    static Result run(QSqlDatabase &db, bool wholeFile);
};

} // namespace ulk
