#include "statement/CareRecords.h"

#include "common/LongWork.h"
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

namespace {

// Keys in the index's order, so that their ranges are read one after another.
std::vector<QByteArray> sortedKeys(const QSet<QString> &keys)
{
    std::vector<QByteArray> sorted;
    sorted.reserve(size_t(keys.size()));
    for (const QString &k : keys)
        sorted.push_back(k.toUtf8());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

// A part of at least this many keys is worth a connection of its own.
constexpr size_t kKeysPerPart = 2000;

} // namespace

QString CareRecords::text(sqlite3_stmt *row, int column)
{
    const auto *t = reinterpret_cast<const char *>(sqlite3_column_text(row, column));
    return t ? QString::fromUtf8(t, sqlite3_column_bytes(row, column)) : QString();
}

bool CareRecords::readRows(const KeyedRows &read, const QSet<QString> &keys, const std::function<void(int)> &start,
                           const std::function<void(int, sqlite3_stmt *)> &onRow, QString *error)
{
    // A stored key and the same key followed by blanks lie in the index
    // between the key and the key followed by '!' (blanks sort before it):
    // each key is one short range of the index, whose row ids then lead to
    // the rows in the order of the table.
    const QByteArray sql =
        QStringLiteral("SELECT %1 FROM %2 WHERE rowid IN (SELECT stored.rowid FROM json_each(?) AS wanted"
                       " JOIN %2 AS stored ON stored.idkod >= wanted.value AND stored.idkod < wanted.value || '!'"
                       " AND rtrim(stored.idkod, ' ') = wanted.value)%3")
            .arg(read.columns, read.table,
                 read.condition.isEmpty() ? QString() : QStringLiteral(" AND ") + read.condition)
            .toUtf8();
    const std::vector<QByteArray> sorted = sortedKeys(keys);
    QList<QByteArray> values;
    for (const QString &v : read.values)
        values << v.toUtf8();
    const auto readShare = [&](int part, int parts, sqlite3 *db) {
        QJsonArray share;
        for (size_t k = sorted.size() * size_t(part) / size_t(parts); k < sorted.size() * size_t(part + 1) / size_t(parts);
             ++k)
            share.append(QString::fromUtf8(sorted[k]));
        const QByteArray json = QJsonDocument(share).toJson(QJsonDocument::Compact);
        sqlite3_stmt *st = nullptr;
        int rc = sqlite3_prepare_v2(db, sql.constData(), int(sql.size()), &st, nullptr);
        if (rc == SQLITE_OK)
            rc = sqlite3_bind_text(st, 1, json.constData(), int(json.size()), SQLITE_STATIC);
        for (int v = 0; rc == SQLITE_OK && v < values.size(); ++v)
            rc = sqlite3_bind_text(st, v + 2, values[v].constData(), int(values[v].size()), SQLITE_STATIC);
        QString why;
        Parts::stepAll(db, st, rc, [&](sqlite3_stmt *row) { onRow(part, row); }, &why);
        return why;
    };
    const int parts = int(std::clamp<size_t>(sorted.size() / kKeysPerPart, 1, size_t(Parts::ofRegister())));
    if (parts > 1) {
        start(parts);
        const auto readPart = [&](int part, sqlite3 *db) { return readShare(part, parts, db); };
        const QStringList failures = Parts::read(parts, readPart);
        if (Parts::firstFailure(failures).isEmpty())
            return true;
        if (Parts::notStarted(failures)) {
            if (error)
                *error = readFailure(read.table, LongWork::startFailure());
            return false;
        }
        // A part that could not be read (its failure is in the log): all on
        // the program's connection, which tells its own failure.
    }
    start(1);
    sqlite3 *db = Parts::programHandle();
    const QString why = db ? readShare(0, 1, db) : QStringLiteral("databáza nie je otvorená");
    if (why.isEmpty())
        return true;
    if (error)
        *error = readFailure(read.table, why);
    return false;
}

bool CareRecords::readClients(const StatementPeriod &period, const QString &columns,
                              const std::function<void(int)> &start,
                              const std::function<void(int, sqlite3_stmt *)> &onRow, QString *error)
{
    const std::optional<QSet<QString>> withCare = clientsIn(period, error);
    if (!withCare)
        return false;
    if (withCare->isEmpty())
        return true;
    return readRows({QStringLiteral("k_zaklad"), columns, QString(), {}}, *withCare, start, onRow, error);
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
        const QStringList failures = Parts::read(parts, readPart);
        if (Parts::firstFailure(failures).isEmpty()) {
            QSet<QString> keys = std::move(found[0]);
            for (size_t i = 1; i < found.size(); ++i)
                keys.unite(found[i]);
            return keys;
        }
        if (Parts::notStarted(failures)) {
            if (error)
                *error = readFailure(QStringLiteral("k_zaznam_spc"), LongWork::startFailure());
            return std::nullopt;
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
