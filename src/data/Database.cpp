#include "data/Database.h"

#include "common/FailureText.h"
#include "data/JournalMark.h"
#include "data/RegisterCheck.h"
#include "data/RegisterConnection.h"
#include "data/RegisterSchema.h"
#include "data/SideFiles.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <QUrl>
#include <sqlite3.h>

namespace ulk {

namespace {
const QString kMain = QStringLiteral("ulk");
QString g_directory;
QHash<QString, QSet<qint64>> g_changed;

void onRowChanged(void *, int, const char *, const char *table, sqlite3_int64 rowid)
{
    // Only the tables behind the main window's lists are followed.
    if (qstrcmp(table, "k_zaklad") == 0 || qstrcmp(table, "zamestnanci") == 0 || qstrcmp(table, "c_funkcie") == 0)
        g_changed[QString::fromLatin1(table)].insert(rowid);
}

QCollator makeSlovakCollator()
{
    QCollator c(QLocale(QLocale::Slovak, QLocale::Slovakia));
    c.setCaseSensitivity(Qt::CaseInsensitive);
    c.setNumericMode(false);
    return c;
}

int skCompare(void *ctx, int la, const void *a, int lb, const void *b)
{
    auto *collator = static_cast<QCollator *>(ctx);
    const QString sa = QString::fromUtf8(static_cast<const char *>(a), la);
    const QString sb = QString::fromUtf8(static_cast<const char *>(b), lb);
    const int r = collator->compare(sa, sb);
    if (r != 0)
        return r;
    // Equal for the collation but different texts: keep a stable total order.
    return sa.compare(sb);
}

void skDestroy(void *ctx) { delete static_cast<QCollator *>(ctx); }

using Access = RegisterConnection::Access;

// A register kept in WAL mode elsewhere is brought to a rollback journal,
// the only one whose ownership the program can prove.
bool toRollbackJournal(QSqlDatabase &db, QString *error)
{
    QSqlQuery mode(db);
    if (mode.exec(QStringLiteral("PRAGMA journal_mode=DELETE")) && mode.next()
        && mode.value(0).toString() == QLatin1String("delete"))
        return true;
    if (error)
        *error = mode.lastError().isValid() ? sqliteCause(mode.lastError())
                                            : QStringLiteral("databázu nie je možné prepnúť na žurnál programu");
    return false;
}
} // namespace

QString Database::pathIn(const QString &directory)
{
    return QDir(directory).filePath(fileName());
}

const QStringList &Database::expectedTables() { return RegisterSchema::tableNames(); }

bool registerSkCollation(QSqlDatabase &db) { return registerSkCollation(RegisterConnection::handleOf(db)); }

bool registerSkCollation(sqlite3 *h)
{
    if (!h)
        return false;
    auto *collator = new QCollator(makeSlovakCollator());
    // The collation must really be Slovak: "ch" is a letter of its own after "h".
    if (collator->compare(QStringLiteral("chrapko"), QStringLiteral("hudák")) <= 0
        || collator->compare(QStringLiteral("Čierny"), QStringLiteral("Cibuľa")) <= 0) {
        delete collator;
        return false;
    }
    return sqlite3_create_collation_v2(h, "SK", SQLITE_UTF8, collator, skCompare, skDestroy) == SQLITE_OK;
}

bool Database::check(QSqlDatabase &db, bool fullCheck, QString *error)
{
    const RegisterCheck::Result result = RegisterCheck::run(db, fullCheck);
    if (!result.usable() && error)
        *error = result.cause;
    return result.usable();
}

Database::OpenResult Database::open(const QString &directory, QString *error, SideFiles::Finding *foreign)
{
    close();
    const QString file = pathIn(directory);
    if (!QFileInfo::exists(file))
        return OpenResult::Missing;
    // SQLite would play back what lies beside the file at its first read.
    const SideFiles::Finding side = SideFiles::check(file);
    if (!side.clear()) {
        if (foreign)
            *foreign = side;
        return OpenResult::ForeignSideFile;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kMain);
    db.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(RegisterConnection::kBusyTimeoutMs));
    db.setDatabaseName(RegisterConnection::uriOf(file, Access::ReadWrite));
    if (!db.open() || !RegisterConnection::configure(RegisterConnection::handleOf(db), error)
        || !check(db, false, error) || !toRollbackJournal(db, error)
        || !RegisterConnection::configureWriter(RegisterConnection::handleOf(db), error)) {
        if (error && error->isEmpty())
            *error = sqliteCause(db.lastError());
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(kMain);
        return OpenResult::Unusable;
    }
    QSqlQuery(db).exec(QStringLiteral("PRAGMA foreign_keys=OFF"));
    g_directory = directory;
    g_changed.clear();
    const QVariant handle = db.driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        sqlite3_update_hook(*static_cast<sqlite3 *const *>(handle.constData()), onRowChanged, nullptr);
    return OpenResult::Ok;
}

void Database::close()
{
    if (QSqlDatabase::contains(kMain)) {
        {
            QSqlDatabase db = QSqlDatabase::database(kMain, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(kMain);
    }
}

bool Database::isOpen()
{
    return QSqlDatabase::contains(kMain) && QSqlDatabase::database(kMain, false).isOpen();
}

QSqlDatabase Database::connection() { return QSqlDatabase::database(kMain, false); }

QSet<qint64> Database::takeChangedRows(const QString &table) { return g_changed.take(table); }

QString Database::directory() { return g_directory; }

QString Database::path() { return pathIn(g_directory); }

QSqlDatabase Database::openExtra(const QString &filePath, const QString &name, bool readOnly,
                                 QString *error)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setConnectOptions(
        QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(RegisterConnection::kBusyTimeoutMs));
    db.setDatabaseName(RegisterConnection::uriOf(filePath, readOnly ? Access::ReadOnly : Access::ReadWrite));
    if (!db.open()) {
        if (error)
            *error = RegisterConnection::causeOf(db.lastError());
        return db;
    }
    QString why;
    sqlite3 *handle = RegisterConnection::handleOf(db);
    if (!RegisterConnection::configure(handle, &why)
        || (!readOnly && !RegisterConnection::configureWriter(handle, &why))) {
        // Not usable as every connection must be: closed again.
        if (error)
            *error = why;
        db.close();
    }
    return db;
}

void Database::closeExtra(const QString &name)
{
    if (!QSqlDatabase::contains(name))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(name, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
}

bool Database::isUsableFile(const QString &filePath, QString *error, bool wholeFileCheck)
{
    if (!QFileInfo::exists(filePath)) {
        if (error)
            *error = QStringLiteral("file missing");
        return false;
    }
    const SideFiles::Finding side = SideFiles::check(filePath);
    if (!side.clear()) {
        if (error)
            *error = SideFiles::refusal(side, filePath);
        return false;
    }
    // Files are checked on any thread (the archive's check runs beside its
    // packing), each on a connection of its own.
    const RegisterConnection own(filePath, Access::ReadOnly, RegisterConnection::Api::QtSql,
                                 QStringLiteral("ulk-check"));
    if (!own.isOpen()) {
        if (error)
            *error = own.error();
        return false;
    }
    QSqlDatabase db = own.database();
    return check(db, wholeFileCheck, error);
}

QSqlQuery runSql(QSqlDatabase db, const QString &sql, const QVariantList &values, QString *error)
{
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(sql)) {
        if (error)
            *error = sqliteCause(q.lastError());
        return q;
    }
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec() && error)
        *error = sqliteCause(q.lastError());
    return q;
}

QSqlQuery runSql(const QString &sql, const QVariantList &values, QString *error)
{
    return runSql(Database::connection(), sql, values, error);
}

QString keyMatch(const QString &column)
{
    // Blanks sort before '!', so the key and the key followed by blanks lie
    // between the key and the key followed by '!'.
    return QStringLiteral("(%1 >= ? AND %1 < ? || '!' AND rtrim(%1) = ?)").arg(column);
}

QVariantList keyMatchValues(const QString &key)
{
    const QString k = key.trimmed();
    return {k, k, k};
}

bool isDuplicateKey(const QSqlQuery &query)
{
    const QSqlError e = query.lastError();
    if (e.type() == QSqlError::NoError)
        return false;
    const QString code = e.nativeErrorCode();
    // SQLITE_CONSTRAINT_PRIMARYKEY (1555) and SQLITE_CONSTRAINT_UNIQUE (2067);
    // older drivers give only the primary code 19 with the text.
    if (code == QLatin1String("1555") || code == QLatin1String("2067"))
        return true;
    return code == QLatin1String("19") && e.databaseText().contains(QLatin1String("UNIQUE"));
}

namespace {
// The driver's begin and commit keep the engine's words but drop its code:
// the code is taken from the handle right after the call that failed.
int lastCodeOf(const QSqlDatabase &db)
{
    sqlite3 *h = RegisterConnection::handleOf(db);
    return h ? sqlite3_extended_errcode(h) : 0;
}
} // namespace

Transaction::Transaction(QSqlDatabase db) : m_db(db)
{
    m_started = m_db.transaction();
    if (!m_started) {
        m_code = lastCodeOf(m_db);
        return;
    }
    m_failure = JournalMark::write(RegisterConnection::handleOf(m_db));
    if (!m_failure.isEmpty()) {
        m_db.rollback();
        m_started = false;
    }
}

Transaction::~Transaction()
{
    if (m_started && !m_done)
        m_db.rollback();
}

bool Transaction::commit()
{
    if (!m_started || m_done)
        return false;
    // A commit that fails leaves the transaction open: it is rolled back here.
    if (!m_db.commit()) {
        m_code = lastCodeOf(m_db);
        return false;
    }
    m_done = true;
    return true;
}

QString Transaction::cause() const
{
    if (!m_failure.isEmpty())
        return m_failure;
    if (m_code != SQLITE_OK && m_code != SQLITE_ROW && m_code != SQLITE_DONE)
        return sqliteCause(m_code);
    return sqliteCause(m_db.lastError());
}

bool writeInTransaction(QSqlDatabase db, const std::function<bool(QString *why)> &write, QString *error)
{
    QString why;
    Transaction t(db);
    if (!t.ok())
        why = t.cause();
    else if (!write(&why) && why.isEmpty())
        why = QStringLiteral("zápis sa nepodaril");
    else if (why.isEmpty() && !t.commit())
        why = t.cause();
    if (!why.isEmpty() && error)
        *error = why;
    return why.isEmpty();
}

} // namespace ulk
