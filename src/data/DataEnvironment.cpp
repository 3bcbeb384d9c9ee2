#include "data/DataEnvironment.h"

#include "data/ClientListQuery.h"
#include "data/Database.h"
#include "data/Parts.h"
#include "data/RegisterConnection.h"

#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <sqlite3.h>

namespace ulk {

namespace {

// Every row of a query without parameters, read straight from SQLite into
// the packed rows, without a QVariant made for any value: a source of a
// million clients is read in about the time SQLite takes to step through it.
// Values come as QSqlQuery gives them: integers as qlonglong, reals as
// double, texts as QString, nulls as null.
std::optional<RowSet> readWhole(const QSqlDatabase &db, const QString &sql, QString *error)
{
    sqlite3 *h = RegisterConnection::handleOf(db);
    if (!h) {
        *error = QStringLiteral("spojenie nie je SQLite");
        return std::nullopt;
    }
    sqlite3_stmt *stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(h, text.constData(), int(text.size()), &stmt, nullptr);
    RowSet rows = rc == SQLITE_OK ? RowSet::withColumnsOf(stmt) : RowSet();
    if (!Parts::stepAll(h, stmt, rc, [&rows](sqlite3_stmt *st) { rows.appendRow(st); }, error))
        return std::nullopt;
    return rows;
}

// Whether a file is the register the program has open.
bool isProgramRegister(const QString &file)
{
    return Database::isOpen() && !file.isEmpty()
        && QFileInfo(file).canonicalFilePath() == QFileInfo(Database::path()).canonicalFilePath();
}

} // namespace

DataEnvironment &DataEnvironment::denUlk()
{
    static DataEnvironment instance;
    return instance;
}

const QList<DataCommand> &DataEnvironment::commands()
{
    static const QList<DataCommand> list = {
        {QStringLiteral("cmdVek"), QStringLiteral("z_vek")},
        {QStringLiteral("cmdVzd"), QStringLiteral("z_vzdelavanie")},
        {QStringLiteral("cmdSurodenci"), QStringLiteral("vyp_surodenci")},
        {QStringLiteral("cmdNavstevy"), QStringLiteral("vyp_navstevy")},
        {QStringLiteral("cmdVysetrenie"), QStringLiteral("vyp_vysetrenie")},
        {QStringLiteral("cmdZazZmeny"), QStringLiteral("vyp_zazZmeny")},
        {QStringLiteral("cmdDemo"), QStringLiteral("vyp_memo")},
        {QStringLiteral("cmdUdajVV"), QStringLiteral("vyp_zariad")},
        {QStringLiteral("cmdZazSpc"), QStringLiteral("vyp_zazSpc")},
        {QStringLiteral("cmdZaklad"), QStringLiteral("vyp_zaklad")},
        {QStringLiteral("cmdRodicia"), QStringLiteral("vyp_rodicia")},
        {QStringLiteral("cmdZam"), QStringLiteral("z_zam")},
        {QStringLiteral("cmdDopUkaz"), QStringLiteral("dop_ukaz")},
        {QStringLiteral("CmdOdbStar"), QStringLiteral("odbstar")},
        {QStringLiteral("cmdZozKlient"), QStringLiteral("vyp_zoz_klient")},
    };
    return list;
}

std::optional<DataCommand> DataEnvironment::command(const QString &name)
{
    for (const DataCommand &c : commands())
        if (c.name.compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return std::nullopt;
}

DataEnvironment::~DataEnvironment() { unload(); }

void DataEnvironment::load()
{
    unload();
    m_loaded = true;
}

void DataEnvironment::unload()
{
    m_read.clear();
    if (m_connected) {
        Database::closeExtra(connectionName());
        m_connected = false;
    }
    m_file.clear();
    m_loaded = false;
}

void DataEnvironment::setDatabaseFile(const QString &path)
{
    if (m_connected) {
        Database::closeExtra(connectionName());
        m_connected = false;
    }
    m_read.clear();
    m_file = path;
}

bool DataEnvironment::isConnected() const { return m_connected; }

bool DataEnvironment::connect(QString *error)
{
    if (m_connected)
        return true;
    if (m_file.isEmpty() || !QFileInfo::exists(m_file)) {
        if (error)
            *error = QStringLiteral("súbor %1 neexistuje").arg(m_file.isEmpty() ? Database::fileName() : m_file);
        return false;
    }
    QString why;
    QSqlDatabase db = Database::openExtra(m_file, connectionName(), true, &why);
    if (!db.isOpen()) {
        Database::closeExtra(connectionName());
        if (error)
            *error = why;
        return false;
    }
    m_connected = true;
    return true;
}

std::optional<RowSet> DataEnvironment::read(const QString &commandName, QString *error)
{
    return readRows(commandName, nullptr, QString(), error);
}

std::optional<RowSet> DataEnvironment::readForKey(const QString &commandName, const QString &keyColumn,
                                                  const QString &key, QString *error)
{
    return readRows(commandName, &keyColumn, key, error);
}

std::optional<RowSet> DataEnvironment::readRows(const QString &commandName, const QString *keyColumn,
                                                const QString &key, QString *error)
{
    auto fail = [error](const QString &why) -> std::optional<RowSet> {
        if (error)
            *error = why;
        return std::nullopt;
    };
    if (!m_loaded)
        return fail(QStringLiteral("údajové prostredie nie je zavedené"));
    const std::optional<DataCommand> cmd = command(commandName);
    if (!cmd)
        return fail(QStringLiteral("neznámy príkaz %1").arg(commandName));
    QString cacheKey = cmd->name.toLower();
    if (keyColumn)
        cacheKey += QLatin1Char('\x1f') + keyColumn->toLower() + QLatin1Char('\x1f') + key.trimmed();
    if (auto it = m_read.constFind(cacheKey); it != m_read.constEnd())
        return *it;
    QString why;
    if (!connect(&why))
        return fail(why);
    // The source is one of the program's own names from the list above.
    const QSqlDatabase db = QSqlDatabase::database(connectionName(), false);
    QString sql = QStringLiteral("SELECT * FROM \"%1\"").arg(cmd->source);
    const bool ownList = cmd->source == ClientListQuery::viewName() && ClientListQuery::readsOwnSql(db);
    RowSet rows;
    if (keyColumn) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        // A bare name: a source without the column is an error, never a text literal.
        sql += QStringLiteral(" WHERE ? <> '' AND ") + keyMatch(*keyColumn);
        q.prepare(sql);
        q.addBindValue(key.trimmed());
        for (const QVariant &v : keyMatchValues(key))
            q.addBindValue(v);
        if (!q.exec())
            return fail(QStringLiteral("%1: %2").arg(cmd->source, RegisterConnection::causeOf(q.lastError())));
        rows = RowSet::fromQuery(q);
        if (q.lastError().isValid())
            return fail(QStringLiteral("%1: %2").arg(cmd->source, RegisterConnection::causeOf(q.lastError())));
        if (ownList) {
            std::optional<RowSet> arranged = ClientListQuery::arrange(rows, &why);
            if (!arranged)
                return fail(QStringLiteral("%1: %2").arg(cmd->source, why));
            rows = std::move(*arranged);
        }
    } else {
        // The program's own list query of the program's register is read in
        // parts side by side and arranged there; else (or when that cannot
        // be done) it is read without its ORDER BY, and arrange() puts the
        // rows in the order it means.
        std::optional<RowSet> arranged;
        if (ownList && isProgramRegister(m_file))
            arranged = ClientListQuery::readInParts(&why);
        if (!arranged && why.isEmpty()) {
            std::optional<RowSet> whole = readWhole(db, ownList ? ClientListQuery::unorderedSql() : sql, &why);
            if (whole && ownList)
                arranged = ClientListQuery::arrange(*whole, &why);
            else if (whole)
                arranged = std::move(whole);
        }
        if (!arranged)
            return fail(QStringLiteral("%1: %2").arg(cmd->source, why));
        rows = std::move(*arranged);
    }
    m_read.insert(cacheKey, rows);
    return rows;
}

} // namespace ulk
