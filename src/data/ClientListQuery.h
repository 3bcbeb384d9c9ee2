#pragma once
#include "data/RowSet.h"

#include <QSqlDatabase>
#include <QString>

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
    // as SQL orders a null; equal names keep their order.
    static RowSet arrange(const RowSet &rows);
};

} // namespace ulk
