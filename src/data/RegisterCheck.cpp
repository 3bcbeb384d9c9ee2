#include "data/RegisterCheck.h"

#include "common/FailureText.h"
#include "data/Database.h"
#include "data/Parts.h"
#include "data/RegisterConnection.h"
#include "data/RegisterSchema.h"

#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QUrl>
#include <sqlite3.h>
#include <vector>

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

// One table and its indexes (every b-tree of them, page by page) checked on
// a read-only connection of its own.
Result tableChecked(const QString &file, const QString &table)
{
    const RegisterConnection own(file, RegisterConnection::Access::ReadOnly);
    if (!own.isOpen())
        return {Verdict::Failed, own.error()};
    QString quoted = table;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    const QByteArray sql = QStringLiteral("PRAGMA quick_check(\"%1\")").arg(quoted).toUtf8();
    sqlite3_stmt *st = nullptr;
    int rc = sqlite3_prepare_v2(own.handle(), sql.constData(), int(sql.size()), &st, nullptr);
    bool ok = false;
    if (rc == SQLITE_OK && (rc = sqlite3_step(st)) == SQLITE_ROW)
        ok = qstrcmp(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)), "ok") == 0;
    sqlite3_finalize(st);
    if (rc != SQLITE_ROW)
        return failedWith(rc, RegisterConnection::causeOf(own.handle()));
    return ok ? Result() : damaged();
}

// Every table of the file with its indexes, and the schema, checked side by
// side, each on a connection of its own: the check of a large register takes
// the time of its largest table. The schema's check (of sqlite_master, the
// b-tree on the first page) checks the free list as well. A page that
// neither a table nor the free list holds is not looked for: it holds
// nothing the program reads or writes.
Result tablesSideBySide(QSqlDatabase &db)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    QStringList tables{QStringLiteral("sqlite_master")};
    if (!q.exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'")))
        return queryFailed(q);
    while (q.next())
        tables << q.value(0).toString();
    if (q.lastError().isValid())
        return queryFailed(q);
    q.finish();
    const QString file = localFileOf(db);
    std::vector<Result> results(size_t(tables.size()));
    Parts::run(int(tables.size()), [&](int i) {
        results[size_t(i)] = tableChecked(file, tables.at(i));
        return QString();
    });
    // A damaged file is told before a check that could not be made.
    for (const Result &r : results)
        if (r.verdict == Verdict::NotARegister)
            return r;
    for (const Result &r : results)
        if (!r.usable())
            return r;
    return Result();
}

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
    for (Result (*step)(QSqlDatabase &) : {wholeFile, tablesAndTriggers, collation}) {
        const Result r = step(db);
        if (!r.usable())
            return r;
    }
    return {};
}

Result RegisterCheck::pages(QSqlDatabase &db)
{
    return tablesSideBySide(db);
}

Result RegisterCheck::run(QSqlDatabase &db, bool wholeFileCheck)
{
    const Result r = shape(db);
    if (!r.usable() || !wholeFileCheck)
        return r;
    return pages(db);
}

} // namespace ulk
