#include "data/ClientListQuery.h"

#include "common/FailureText.h"
#include "data/Database.h"
#include "data/Parts.h"
#include "data/SavedQueries.h"
#include "data/SlovakSortKey.h"

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
        return fail(sqliteCause(create.lastError()));
    }
    return Result::Created;
}

QString ClientListQuery::unorderedSql()
{
    const QString sql = SavedQueries::zozKlient();
    return sql.left(sql.indexOf(QLatin1String(" ORDER BY"))).trimmed();
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
    const int surname = rows.columnIndex(QStringLiteral("priezv"));
    const int first = rows.columnIndex(QStringLiteral("meno"));
    struct Keyed {
        bool null = false;
        QByteArray key;
    };
    // One sort key per row; comparing keys is a byte comparison. The rows
    // are cut into parts, each part keyed and sorted on a thread of its own
    // with a collator of its own, and the sorted parts merged: a register of
    // 200,000 clients is put in order within a fraction of a second.
    std::vector<Keyed> keys(rows.size());
    std::vector<int> order(rows.size());
    auto less = [&keys](int a, int b) {
        if (keys[a].null != keys[b].null)
            return keys[a].null;
        return keys[a].key < keys[b].key;
    };
    const int chunk = std::max(1, (rows.size() + Parts::machine() - 1) / Parts::machine());
    Parts::run((rows.size() + chunk - 1) / chunk, [&](int part) {
        SlovakSortKey slovak;
        const int from = part * chunk;
        const int to = std::min(rows.size(), from + chunk);
        for (int r = from; r < to; ++r) {
            const QVariant s = rows.value(r, surname), m = rows.value(r, first);
            keys[r].null = s.isNull() || m.isNull();
            const QString joined = keys[r].null ? QString() : s.toString() + m.toString();
            // Names the collation holds equal (they differ in letter case
            // only) follow in the order of their bytes, as SQLite orders
            // them: a Slovak sort key ends in its only zero byte.
            keys[r].key = slovak.of(joined) + joined.toUtf8();
            order[r] = r;
        }
        std::stable_sort(order.begin() + from, order.begin() + to, less);
        return QString();
    });
    // Merging keeps equal names in the order read.
    for (int width = chunk; width < rows.size(); width *= 2)
        for (int from = 0; from + width < rows.size(); from += 2 * width)
            std::inplace_merge(order.begin() + from, order.begin() + from + width,
                               order.begin() + std::min(rows.size(), from + 2 * width), less);
    return rows.reordered(order);
}

} // namespace ulk
