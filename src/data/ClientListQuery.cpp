#include "data/ClientListQuery.h"

#include "data/Database.h"
#include "data/SavedQueries.h"

#include <QSqlError>
#include <QSqlQuery>

namespace ulk {

ClientListQuery::Result ClientListQuery::ensure(QSqlDatabase db, QString *error)
{
    auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return Result::Failed;
    };
    if (!db.isOpen())
        return fail(QStringLiteral("databáza nie je otvorená"));
    QString why;
    // Names of saved queries are matched regardless of letter case.
    QSqlQuery exists = runSql(db, QStringLiteral("SELECT 1 FROM sqlite_master WHERE lower(name) = lower(?)"),
                              {viewName()}, &why);
    if (!why.isEmpty())
        return fail(why);
    if (exists.next())
        return Result::Existed;
    exists.finish();
    QSqlQuery create(db);
    if (!create.exec(QStringLiteral("CREATE VIEW \"%1\" AS %2").arg(viewName(), SavedQueries::zozKlient()))) {
        const QString text = create.lastError().text();
        if (text.contains(QLatin1String("already exists"), Qt::CaseInsensitive))
            return Result::Existed;
        return fail(text);
    }
    return Result::Created;
}

} // namespace ulk
