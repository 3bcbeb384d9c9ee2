#include "statement/CareRecords.h"

#include "data/Database.h"
#include "data/Parts.h"
#include "statement/ReadFailure.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSqlError>
#include <algorithm>
#include <sqlite3.h>
#include <vector>

namespace ulk::statement {

QString CareRecords::key(const QString &stored)
{
    qsizetype n = stored.size();
    while (n > 0 && stored.at(n - 1) == QLatin1Char(' '))
        --n;
    return stored.left(n);
}

QString CareRecords::keyIn(const QString &table)
{
    // A stored key and the same key followed by blanks lie in the index
    // between the key and the key followed by '!' (blanks sort before it):
    // each key is one short range of the index, whose row ids then lead to
    // the rows in the order of the table.
    return QStringLiteral("rowid IN (SELECT stored.rowid FROM json_each(?) AS wanted JOIN %1 AS stored"
                          " ON stored.idkod >= wanted.value AND stored.idkod < wanted.value || '!'"
                          " AND rtrim(stored.idkod, ' ') = wanted.value)")
        .arg(table);
}

QString CareRecords::keyValue(const QSet<QString> &keys)
{
    // In the index's order, so that the ranges are read one after another.
    std::vector<QByteArray> sorted;
    sorted.reserve(size_t(keys.size()));
    for (const QString &k : keys)
        sorted.push_back(k.toUtf8());
    std::sort(sorted.begin(), sorted.end());
    QJsonArray a;
    for (const QByteArray &k : sorted)
        a.append(QString::fromUtf8(k));
    return QString::fromUtf8(QJsonDocument(a).toJson(QJsonDocument::Compact));
}

std::optional<QSet<QString>> CareRecords::clientsIn(const StatementPeriod &period, QString *error)
{
    // The range reads the date index; each date is then checked as a day.
    const char *sql = "SELECT idkod, datum FROM k_zaznam_spc WHERE datum >= ? AND datum < ?";
    // The records of a school year lie all over the table, each read on its
    // own: the year is read in parts of its days side by side.
    const int parts = Parts::ofRegister();
    if (parts > 1) {
        const qint64 days = period.firstDay().daysTo(period.lastDay()) + 1;
        std::vector<QSet<QString>> found(static_cast<size_t>(parts));
        const auto bound = [&](int part) {
            return part == 0 ? period.from()
                : part == parts ? period.until()
                                : period.firstDay().addDays(days * part / parts).toString(Qt::ISODate);
        };
        const auto readPart = [&](int part, sqlite3 *own) {
            const QByteArray from = bound(part).toUtf8(), until = bound(part + 1).toUtf8();
            sqlite3_stmt *st = nullptr;
            int rc = sqlite3_prepare_v2(own, sql, -1, &st, nullptr);
            if (rc == SQLITE_OK)
                rc = sqlite3_bind_text(st, 1, from.constData(), int(from.size()), SQLITE_STATIC);
            if (rc == SQLITE_OK)
                rc = sqlite3_bind_text(st, 2, until.constData(), int(until.size()), SQLITE_STATIC);
            const auto text = [](sqlite3_stmt *s, int c) {
                return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, c)),
                                         sqlite3_column_bytes(s, c));
            };
            QString why;
            Parts::stepAll(
                own, st, rc,
                [&](sqlite3_stmt *s) {
                    if (period.containsStored(text(s, 1)))
                        found[size_t(part)].insert(key(text(s, 0)));
                },
                &why);
            return why;
        };
        if (Parts::firstFailure(Parts::read(parts, readPart)).isEmpty()) {
            QSet<QString> keys = std::move(found[0]);
            for (size_t i = 1; i < found.size(); ++i)
                keys.unite(found[i]);
            return keys;
        }
        // A part that could not be read (its failure is in the log): all on
        // the program's connection, which tells its own failure.
    }
    QString why;
    QSqlQuery q = runSql(QString::fromLatin1(sql), {period.from(), period.until()}, &why);
    if (!why.isEmpty()) {
        if (error)
            *error = readFailure(QStringLiteral("k_zaznam_spc"), q.lastError());
        return std::nullopt;
    }
    QSet<QString> keys;
    while (q.next())
        if (period.containsStored(q.value(1).toString()))
            keys.insert(key(q.value(0).toString()));
    if (q.lastError().type() != QSqlError::NoError) {
        if (error)
            *error = readFailure(QStringLiteral("k_zaznam_spc"), q.lastError());
        return std::nullopt;
    }
    return keys;
}

} // namespace ulk::statement
