#include "data/ClientListQuery.h"

#include "data/Database.h"
#include "data/SavedQueries.h"

#include <QCollator>
#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>
#include <vector>

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

bool ClientListQuery::hasOwnSql(QSqlDatabase db)
{
    QString why;
    QSqlQuery q = runSql(db, QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'view' AND lower(name) = lower(?)"),
                         {viewName()}, &why);
    return why.isEmpty() && q.next() && q.value(0).toString().endsWith(QLatin1String(" AS ") + SavedQueries::zozKlient());
}

RowSet ClientListQuery::arrange(const RowSet &rows)
{
    QCollator slovak(QLocale(QLocale::Slovak, QLocale::Slovakia));
    slovak.setCaseSensitivity(Qt::CaseInsensitive);
    const int surname = rows.columnIndex(QStringLiteral("priezv"));
    const int first = rows.columnIndex(QStringLiteral("meno"));
    struct Keyed {
        bool null;
        QCollatorSortKey key;
        int index;
    };
    // One sort key per row: comparing keys is a byte comparison.
    std::vector<Keyed> keys;
    keys.reserve(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        const QVariant s = rows.value(r, surname), m = rows.value(r, first);
        const bool null = s.isNull() || m.isNull();
        keys.push_back({null, slovak.sortKey(null ? QString() : s.toString() + m.toString()), r});
    }
    std::stable_sort(keys.begin(), keys.end(), [](const Keyed &a, const Keyed &b) {
        if (a.null != b.null)
            return a.null;
        return a.key.compare(b.key) < 0;
    });
    RowSet out(rows.columns());
    for (const Keyed &k : keys)
        out.append(rows.row(k.index));
    return out;
}

} // namespace ulk
