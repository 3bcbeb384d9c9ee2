#include "data/RegisterCheck.h"

#include "common/FailureText.h"
#include "data/Database.h"
#include "data/RegisterSchema.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <sqlite3.h>

namespace ulk {

namespace {

using Result = RegisterCheck::Result;
using Verdict = RegisterCheck::Verdict;

Result notARegister(const QString &why) { return {Verdict::NotARegister, why}; }

QString localFileOf(const QSqlDatabase &db)
{
    const QString file = db.databaseName();
    return file.startsWith(QLatin1String("file:")) ? QUrl(file.section(QLatin1Char('?'), 0, 0)).toLocalFile()
                                                   : file;
}

// A statement that failed with SQLite's result code: the file is no register
// when the engine finds it damaged or not a database of its kind, and the
// check failed when the engine could not read it at all.
Result failedWith(int code, const QString &cause)
{
    switch (code & 0xff) {
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_ERROR:
    case SQLITE_FORMAT:
    case SQLITE_RANGE:
    case SQLITE_MISMATCH: return notARegister(cause);
    default: return {Verdict::Failed, cause};
    }
}

Result queryFailed(const QSqlQuery &q)
{
    bool numeric = false;
    const int code = q.lastError().nativeErrorCode().toInt(&numeric);
    const QString cause = sqliteCause(q.lastError());
    return numeric ? failedWith(code, cause) : Result{Verdict::Failed, cause};
}

Result damaged() { return notARegister(QStringLiteral("súbor databázy je poškodený")); }

// A file cut short is damaged: the pages the header counts must all be there.
Result wholeFile(QSqlDatabase &db)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA page_count")) || !q.next())
        return queryFailed(q);
    const qint64 pages = q.value(0).toLongLong();
    q.finish();
    if (!q.exec(QStringLiteral("PRAGMA page_size")) || !q.next())
        return queryFailed(q);
    const qint64 pageSize = q.value(0).toLongLong();
    if (QFileInfo(localFileOf(db)).size() < pages * pageSize)
        return notARegister(QStringLiteral("súbor je kratší, ako udávajú jeho stránky"));
    return {};
}

Result tablesAndTriggers(QSqlDatabase &db)
{
    // The kind of every name the file holds; nothing else of it is read.
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT type, lower(name), substr(ltrim(sql), 1, 20) FROM sqlite_master "
                               "WHERE type IN ('table', 'view', 'trigger')")))
        return queryFailed(q);
    QHash<QString, QString> kinds;
    while (q.next()) {
        const QString type = q.value(0).toString();
        const QString name = q.value(1).toString();
        if (type == QLatin1String("trigger"))
            return notARegister(QStringLiteral("databáza obsahuje spúšťač %1").arg(name));
        const bool virtualTable = q.value(2).toString().simplified().startsWith(
            QLatin1String("create virtual"), Qt::CaseInsensitive);
        kinds.insert(name, virtualTable ? QStringLiteral("virtual") : type);
    }
    if (q.lastError().isValid())
        return queryFailed(q);
    q.finish();

    QSqlQuery columns(db);
    columns.setForwardOnly(true);
    if (!columns.prepare(QStringLiteral("SELECT lower(name) FROM pragma_table_info(?)")))
        return queryFailed(columns);
    for (const QString &table : RegisterSchema::tableNames()) {
        const QString kind = kinds.value(table.toLower());
        if (kind.isEmpty())
            return notARegister(QStringLiteral("chýba tabuľka %1").arg(table));
        if (kind != QLatin1String("table"))
            return notARegister(QStringLiteral("%1 nie je tabuľka").arg(table));
        columns.addBindValue(table);
        if (!columns.exec())
            return queryFailed(columns);
        QSet<QString> present;
        while (columns.next())
            present.insert(columns.value(0).toString());
        if (columns.lastError().isValid())
            return queryFailed(columns);
        for (const QString &column : RegisterSchema::columnsOf(table))
            if (!present.contains(column.toLower()))
                return notARegister(QStringLiteral("tabuľke %1 chýba stĺpec %2").arg(table, column));
    }
    return {};
}

// Rows are read and written by their rowid: every table of the register has
// its own, neither left out (WITHOUT ROWID) nor hidden behind a column of
// that name.
Result rowids(QSqlDatabase &db)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(QStringLiteral("SELECT lower(name) FROM pragma_table_list WHERE schema = 'main' AND wr")))
        return queryFailed(q);
    QSet<QString> withoutRowid;
    while (q.next())
        withoutRowid.insert(q.value(0).toString());
    if (q.lastError().isValid())
        return queryFailed(q);
    if (!q.prepare(QStringLiteral("SELECT lower(name) FROM pragma_table_info(?) "
                                  "WHERE lower(name) IN ('rowid', '_rowid_', 'oid')")))
        return queryFailed(q);
    for (const QString &table : RegisterSchema::tableNames()) {
        if (withoutRowid.contains(table.toLower()))
            return notARegister(QStringLiteral("tabuľka %1 je vytvorená bez čísel riadkov").arg(table));
        q.addBindValue(table);
        if (!q.exec())
            return queryFailed(q);
        if (q.next())
            return notARegister(
                QStringLiteral("tabuľka %1 má stĺpec %2 na mieste čísel riadkov").arg(table, q.value(0).toString()));
    }
    return {};
}

// The only unique index a table may have is the one on its own key, whole
// (a save tells a taken key by the engine's refusal: another unique index
// would be taken for the key). A table keyed by idkod must have that index,
// no row without a key, and no two keys that differ only by trailing blanks,
// as the register compares keys.
Result uniqueKeys(QSqlDatabase &db)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    QSqlQuery info(db);
    info.setForwardOnly(true);
    if (!q.prepare(QStringLiteral("SELECT name, partial FROM pragma_index_list(?) WHERE \"unique\""))
        || !info.prepare(QStringLiteral("SELECT lower(name) FROM pragma_index_info(?) ORDER BY seqno")))
        return queryFailed(q.lastError().isValid() ? q : info);
    for (const QString &table : RegisterSchema::tableNames()) {
        const QString key = RegisterSchema::keyColumnOf(table).toLower();
        q.addBindValue(table);
        if (!q.exec())
            return queryFailed(q);
        bool keyIndexed = false;
        while (q.next()) {
            // Its columns; an expression has no name.
            const QString index = q.value(0).toString();
            info.addBindValue(index);
            if (!info.exec())
                return queryFailed(info);
            QStringList columns;
            while (info.next())
                columns << info.value(0).toString();
            if (key.isEmpty() || columns != QStringList{key} || q.value(1).toBool())
                return notARegister(QStringLiteral("tabuľka %1 má jedinečný index %2, ktorý register nemá")
                                        .arg(table, index));
            keyIndexed = true;
        }
        if (q.lastError().isValid())
            return queryFailed(q);
        if (!RegisterSchema::recordKeyTables().contains(table))
            continue;
        if (!keyIndexed)
            return notARegister(QStringLiteral("kľúč idkod tabuľky %1 nie je jedinečný").arg(table));
        // Through the key's index: the rows without a key sort first; the
        // keys that end in a blank are found in one pass over the index, and
        // each is looked for without its blanks through a range of it.
        QSqlQuery keys(db);
        keys.setForwardOnly(true);
        if (!keys.exec(QStringLiteral("SELECT 1 FROM %1 WHERE idkod IS NULL LIMIT 1").arg(table)))
            return queryFailed(keys);
        if (keys.next())
            return notARegister(QStringLiteral("tabuľka %1 má riadok bez kľúča idkod").arg(table));
        keys.finish();
        // A memo row follows its client's key: two that differ only by
        // blanks are refused by the save's own write of the memo, which tells
        // it, so their table is not read through again.
        if (table == QLatin1String("k_memo"))
            continue;
        if (!keys.exec(QStringLiteral("SELECT rtrim(a.idkod) FROM %1 a WHERE substr(a.idkod, -1) = ' ' AND EXISTS "
                                      "(SELECT 1 FROM %1 b WHERE b.idkod >= rtrim(a.idkod) AND b.idkod < rtrim(a.idkod) "
                                      "|| '!' AND rtrim(b.idkod) = rtrim(a.idkod) AND b.rowid <> a.rowid) LIMIT 1")
                           .arg(table)))
            return queryFailed(keys);
        if (keys.next())
            return notARegister(
                QStringLiteral("tabuľka %1 má dva riadky s kľúčom %2").arg(table, keys.value(0).toString()));
    }
    return {};
}

Result collation(QSqlDatabase &db)
{
    const Result unavailable{Verdict::Failed, QStringLiteral("slovenské triedenie (SK) nie je k dispozícii")};
    if (!registerSkCollation(db))
        return unavailable;
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("SELECT 'b' < 'ch' COLLATE SK")) || !q.next())
        return unavailable;
    return {};
}

} // namespace

Result RegisterCheck::shape(QSqlDatabase &db)
{
    for (Result (*step)(QSqlDatabase &) : {wholeFile, tablesAndTriggers, rowids, uniqueKeys, collation}) {
        const Result r = step(db);
        if (!r.usable())
            return r;
    }
    return {};
}

Result RegisterCheck::pages(QSqlDatabase &db)
{
    // The whole file (a page two tables share or none holds is found), then
    // the schema's b-tree on its own: the whole file's check lets a free list
    // that counts more pages than its trunk can hold pass, this one does not.
    for (const QString &check :
         {QStringLiteral("PRAGMA quick_check"), QStringLiteral("PRAGMA quick_check(sqlite_master)")}) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        if (!q.exec(check) || !q.next())
            return queryFailed(q);
        if (q.value(0).toString() != QLatin1String("ok"))
            return damaged();
    }
    return Result();
}

Result RegisterCheck::run(QSqlDatabase &db, bool wholeFileCheck)
{
    const Result r = shape(db);
    if (!r.usable() || !wholeFileCheck)
        return r;
    return pages(db);
}

} // namespace ulk
