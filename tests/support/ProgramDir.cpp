#include "support/ProgramDir.h"

#include "NewDatabase.h"
#include "common/SharedState.h"
#include "data/Database.h"
#include "data/RegisterConnection.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlResult>
#include <QTest>
#include <sqlite3.h>

namespace ulk::test {

ProgramDir::ProgramDir(bool withDatabase)
{
    if (!m_dir.isValid())
        return;
    if (!withDatabase) {
        m_ok = true;
        return;
    }
    QString error;
    m_ok = createNewDatabase(m_dir.path(), &error);
    if (!m_ok)
        qWarning("cannot create test database: %s", qPrintable(error));
}

QString ProgramDir::file(const QString &name) const { return QDir(m_dir.path()).filePath(name); }

void ProgramDir::openRegister() const
{
    QString error;
    const Database::OpenResult opened = Database::open(path(), &error);
    QVERIFY2(opened == Database::OpenResult::Ok, qPrintable(QStringLiteral("the register did not open: ") + error));
}

void closeProgram()
{
    Database::close();
    shared() = SharedState();
}

OpenRegister::OpenRegister() { openRegister(); }

OpenRegister::~OpenRegister()
{
    if (Database::isOpen() && Database::directory() == path())
        Database::close();
}

void sql(const QString &statement, const QVariantList &values)
{
    // A fixture writes as the program does: in a transaction of its own
    // unless the test has one open.
    QString error;
    QSqlQuery probe(Database::connection());
    const QVariant handle = probe.prepare(statement) ? probe.result()->handle() : QVariant();
    const bool writes = qstrcmp(handle.typeName(), "sqlite3_stmt*") == 0
        && !sqlite3_stmt_readonly(*static_cast<sqlite3_stmt *const *>(handle.constData()));
    probe.finish();
    if (writes && sqlite3_get_autocommit(RegisterConnection::handleOf(Database::connection())))
        writeInTransaction(
            Database::connection(),
            [&](QString *why) {
                runSql(statement, values, why);
                return why->isEmpty();
            },
            &error);
    else
        runSql(statement, values, &error);
    if (!error.isEmpty())
        QFAIL(qPrintable(error + QStringLiteral(" in: ") + statement));
}

QVariant scalar(const QString &query, const QVariantList &values)
{
    QString error;
    QSqlQuery q = runSql(query, values, &error);
    if (!error.isEmpty()) {
        qWarning("%s in: %s", qPrintable(error), qPrintable(query));
        return {};
    }
    return q.next() ? q.value(0) : QVariant();
}

int rowCount(const QString &table, const QString &where, const QVariantList &values)
{
    return scalar(QStringLiteral("SELECT count(*) FROM %1 %2").arg(table, where), values).toInt();
}

QStringList tablesWithColumn(const QString &column)
{
    QStringList tables;
    QSqlQuery q = runSql(QStringLiteral("SELECT m.name FROM sqlite_master m JOIN pragma_table_info(m.name) c "
                                        "WHERE m.type = 'table' AND c.name = ? COLLATE NOCASE ORDER BY m.rowid"),
                         {column});
    while (q.next())
        tables << q.value(0).toString();
    return tables;
}

QStringList placesHolding(const QString &value)
{
    QStringList places;
    QSqlQuery q = runSql(QStringLiteral("SELECT m.name, c.name FROM sqlite_master m JOIN pragma_table_info(m.name) c "
                                        "WHERE m.type = 'table' ORDER BY m.rowid, c.cid"));
    while (q.next()) {
        const QString table = q.value(0).toString();
        const QString column = q.value(1).toString();
        if (rowCount(table, QStringLiteral("WHERE rtrim(\"%1\") = rtrim(?)").arg(column), {value}) > 0)
            places << table + QLatin1Char('.') + column;
    }
    return places;
}

void addRowsEverywhere(const QString &idkod)
{
    for (const QString &table : tablesWithColumn(QStringLiteral("idkod")))
        if (table != QLatin1String("zamestnanci") && rowCount(table, QStringLiteral("WHERE idkod = ?"), {idkod}) == 0)
            sql(QStringLiteral("INSERT INTO %1 (idkod) VALUES (?)").arg(table), {idkod});
}

void addClient(const QString &idkod, const QString &meno, const QString &priezv,
               const QString &katcis, const QString &datnar)
{
    sql(QStringLiteral("INSERT INTO k_zaklad (idkod, meno, priezv, katcis, datnar) VALUES (?,?,?,?,?)"),
        {idkod, meno, priezv, katcis.isNull() ? QVariant() : QVariant(katcis),
         datnar.isNull() ? QVariant() : QVariant(datnar)});
    sql(QStringLiteral("INSERT INTO k_memo (idkod) VALUES (?)"), {idkod});
}

void addEmployee(const QString &idkod, const QString &meno, const QString &priezv, int pracZar,
                 const QString &pohlavie, const QString &intExt, const QString &kvalifikacia)
{
    sql(QStringLiteral("INSERT INTO zamestnanci (idkod, meno, priezv, prac_zar, pohlavie, \"int-ext\", "
                       "kvalifikacia) VALUES (?,?,?,?,?,?,?)"),
        {idkod, meno, priezv, pracZar, pohlavie, intExt, kvalifikacia});
}

bool putInWalMode(const QString &path)
{
    sqlite3 *db = nullptr;
    const bool ok = sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK
        && sqlite3_exec(db, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return ok;
}

} // namespace ulk::test
