#pragma once
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
};

} // namespace ulk
