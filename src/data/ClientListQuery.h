#pragma once
#include "data/RowSet.h"

#include <QSqlDatabase>
#include <QString>
#include <memory>
#include <optional>

// The saved query vyp_zoz_klient that the list of clients reads. The program
// creates it on the first list printed from a database file and never
// rewrites it afterwards: an existing one keeps the SQL it has.
namespace ulk {

namespace LongWork {
class Thread;
}

class ClientListQuery {
public:
    static QString viewName() { return QStringLiteral("vyp_zoz_klient"); }

    enum class Result { Created, Existed, Failed };
    // Creates the view, in a transaction, unless something of that name
    // exists. Failed (with *error) for any failure other than the name being
    // taken.
    static Result ensure(QSqlDatabase db, QString *error = nullptr);

    // The view made sure of as the first list printed from a file does,
    // without the list waiting for it: the list reads the program's own SQL
    // whether the view stands yet or not (readsOwnSql). A commit waits until
    // every page of the file that the system has not written yet is on the
    // disk, gigabytes after a register was copied into place: once the
    // list's rows are read (rowsRead), those pages are written out on a
    // thread of their own while the list is shown; finish() waits for them
    // (the window thread handling its events) and creates the view, whose
    // commit then writes only its own pages. A view that cannot be created
    // is written to the log only; the next list tries again.
    class Creation {
    public:
        // Nothing to do when something of the view's name stands, or when
        // the schema cannot be read (the list's reading tells that).
        explicit Creation(QSqlDatabase db);
        ~Creation();
        Creation(const Creation &) = delete;
        Creation &operator=(const Creation &) = delete;

        void rowsRead();
        void finish();

    private:
        QSqlDatabase m_db;
        bool m_needed = false;
        std::unique_ptr<LongWork::Thread> m_writing;
    };

    // Whether the list reads the program's own SQL: the view has it, or
    // there is none yet (the first list printed creates it so). Its ORDER
    // BY means surname and first name joined, in the register's Slovak
    // collation; SQLite orders that text by its bytes ("Chrapko" before
    // "Cibuľa", "Šimon" after "Zeman"), so the rows read are put in order by
    // arrange(). A view with other SQL (an older database) keeps its own order.
    static bool readsOwnSql(QSqlDatabase db);
    // The program's own SQL of the view without its ORDER BY: the rows are
    // put in order by arrange(), so SQLite's sort of them by their bytes is
    // skipped.
    static QString unorderedSql();
    // The rows of the view ordered by surname and first name joined, under
    // the Slovak collation (case ignored, "ch" after "h"), names that differ
    // in letter case only by their bytes; a row without one of them first,
    // as SQL orders a null; equal names keep their order. Nothing, with the
    // cause in *error, when a thread that arranges them cannot start.
    static std::optional<RowSet> arrange(const RowSet &rows, QString *error);
    // The rows of the program's own SQL of the view read from the program's
    // register and arranged, in parts side by side: each part reads a range
    // of the table on a connection of its own and keys its rows, and the
    // keys of all parts are ranked together. Nothing when the register is not read so:
    // a small one, one whose reading must stay on the program's connection,
    // or one of whose parts could not be read (written to the log); the rows
    // are read at once then. Nothing, with the cause in *error, when a
    // thread of its parts cannot start: the list cannot be read then.
    static std::optional<RowSet> readInParts(QString *error);
};

} // namespace ulk
