#include "statement/CareRecords.h"

#include "data/Database.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlError>

namespace ulk::statement {

QString CareRecords::key(const QString &stored)
{
    qsizetype n = stored.size();
    while (n > 0 && stored.at(n - 1) == QLatin1Char(' '))
        --n;
    return stored.left(n);
}

QString CareRecords::keyIn(const QString &column)
{
    return QStringLiteral("rtrim(%1, ' ') IN (SELECT value FROM json_each(?))").arg(column);
}

QString CareRecords::keyValue(const QSet<QString> &keys)
{
    QJsonArray a;
    for (const QString &k : keys)
        a.append(k);
    return QString::fromUtf8(QJsonDocument(a).toJson(QJsonDocument::Compact));
}

std::optional<QSet<QString>> CareRecords::clientsIn(const StatementPeriod &period, QString *error)
{
    QString why;
    // The range reads the date index; each date is then checked as a day.
    QSqlQuery q = runSql(QStringLiteral("SELECT idkod, datum FROM k_zaznam_spc WHERE datum >= ? AND datum < ?"),
                         {period.from(), period.until()}, &why);
    if (!why.isEmpty()) {
        if (error)
            *error = why;
        return std::nullopt;
    }
    QSet<QString> keys;
    while (q.next())
        if (period.containsStored(q.value(1).toString()))
            keys.insert(key(q.value(0).toString()));
    if (q.lastError().type() != QSqlError::NoError) {
        if (error)
            *error = q.lastError().text();
        return std::nullopt;
    }
    return keys;
}

} // namespace ulk::statement
