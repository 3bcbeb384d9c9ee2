#pragma once
#include "data/RowSet.h"

#include <QSqlDatabase>
#include <QString>
#include <optional>

// The saved query vyp_zoz_klient that the list of clients reads. The program
// creates it on the first list printed from a database file and never
// rewrites it afterwards: an existing one keeps the SQL it has.
namespace ulk {

class ClientListQuery {
public:
    static QString viewName() { return QStringLiteral("vyp_zoz_klient"); }

    enum class Result { Created, Existed, Failed };
    // Creates the view unless something of that name exists. Failed (with
    // *error) for any failure other than the name being taken.
    static Result ensure(QSqlDatabase db, QString *error = nullptr);

    // Whether the view in the database has the program's own SQL. Its ORDER
    // BY means surname and first name joined, in the register's Slovak
    // collation; SQLite orders that text by its bytes ("Chrapko" before
    // "Cibuľa", "Šimon" after "Zeman"), so the rows read are put in order by
    // arrange(). A view with other SQL (an older database) keeps its own order.
    static bool hasOwnSql(QSqlDatabase db);
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
