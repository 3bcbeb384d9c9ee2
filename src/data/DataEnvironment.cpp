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
#include <condition_variable>
#include <mutex>
#include <optional>
#include <sqlite3.h>
#include <vector>

namespace ulk {

namespace {

// One value as SQLite gave it: a number, or where its text or bytes lie in
// the buffer of the read.
struct Cell {
    int type;
    int size = 0;
    union {
        qint64 integer;
        double real;
        qsizetype offset = 0;
    };
};

QVariant valueOf(const Cell &c, const QByteArray &buffer)
{
    switch (c.type) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(c.integer));
    case SQLITE_FLOAT:
        return QVariant(c.real);
    case SQLITE_NULL:
        return QVariant();
    case SQLITE_BLOB:
        return QVariant(buffer.mid(c.offset, c.size));
    default:
        return QVariant(QString::fromUtf8(buffer.constData() + c.offset, c.size));
    }
}

// Rows copied out of SQLite as it steps through them, waiting to be made
// into Qt values.
struct Batch {
    QByteArray buffer;
    std::vector<Cell> cells;
};

std::vector<QVariantList> convert(const Batch &batch, int count)
{
    std::vector<QVariantList> rows(count > 0 ? batch.cells.size() / count : 0);
    for (size_t r = 0; r < rows.size(); ++r) {
        rows[r].reserve(count);
        for (int c = 0; c < count; ++c)
            rows[r].append(valueOf(batch.cells[r * count + c], batch.buffer));
    }
    return rows;
}

// Batches handed from the thread that steps through the rows to the parts
// that make them into Qt values, and back in their order.
struct Pipeline {
    std::mutex lock;
    std::condition_variable changed;
    std::vector<Batch> waiting;                             // by batch number, taken by a part
    std::vector<std::optional<std::vector<QVariantList>>> made;  // by batch number
    bool finished = false;
};

// Every row of a query without parameters, read straight from SQLite: while
// SQLite steps through the rows, the rows copied out before are made into
// Qt values by parts on other threads, a few thousand at a time, so that a
// source of 200,000 clients is read in a fraction of the time a QSqlQuery
// takes. Values come as QSqlQuery gives them: integers as qlonglong, reals
// as double, texts as QString, nulls as null.
std::optional<RowSet> readWhole(const QSqlDatabase &db, const QString &sql, QString *error)
{
    sqlite3 *h = RegisterConnection::handleOf(db);
    if (!h) {
        *error = QStringLiteral("spojenie nie je SQLite");
        return std::nullopt;
    }
    sqlite3_stmt *stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(h, text.constData(), int(text.size()), &stmt, nullptr) != SQLITE_OK) {
        qWarning("ulk: %s", sqlite3_errmsg(h));
        *error = RegisterConnection::causeOf(h);
        sqlite3_finalize(stmt);
        return std::nullopt;
    }
    const int count = sqlite3_column_count(stmt);
    QStringList columns;
    for (int c = 0; c < count; ++c)
        columns << QString::fromUtf8(sqlite3_column_name(stmt, c));

    constexpr int kBatchRows = 4096;
    const int parts = Parts::machine();
    Pipeline p;
    RowSet rows(columns);
    size_t collected = 0;
    // Appends the batches made so far in their order; with wait, at least the next one.
    const auto collect = [&](bool wait) {
        for (;;) {
            std::vector<QVariantList> batch;
            {
                std::unique_lock guard(p.lock);
                if (wait)
                    p.changed.wait(guard, [&] { return p.made[collected].has_value(); });
                if (collected == p.made.size() || !p.made[collected])
                    return;
                batch = std::move(*p.made[collected]);
                p.made[collected++].reset();
            }
            wait = false;
            for (const QVariantList &row : batch)
                rows.append(row);
        }
    };
    const auto submit = [&](Batch &&batch) {
        {
            const std::lock_guard guard(p.lock);
            p.waiting.push_back(std::move(batch));
            p.made.emplace_back();
        }
        p.changed.notify_all();
        // No more than a few batches wait in memory.
        collect(p.made.size() - collected >= size_t(2 * parts));
    };
    const auto makeValues = [&](int part) {
        for (size_t i = size_t(part);; i += size_t(parts)) {
            Batch batch;
            {
                std::unique_lock guard(p.lock);
                p.changed.wait(guard, [&] { return p.waiting.size() > i || p.finished; });
                if (p.waiting.size() <= i)
                    return QString();
                batch = std::move(p.waiting[i]);
            }
            std::vector<QVariantList> made = convert(batch, count);
            {
                const std::lock_guard guard(p.lock);
                p.made[i] = std::move(made);
            }
            p.changed.notify_all();
        }
    };
    int rc = SQLITE_OK;
    const auto step = [&] {
        Batch batch;
        int inBatch = 0;
        while ((rc = sqlite3_step(stmt)) == SQLITE_ROW) {
            for (int c = 0; c < count; ++c) {
                Cell cell{sqlite3_column_type(stmt, c)};
                if (cell.type == SQLITE_INTEGER) {
                    cell.integer = sqlite3_column_int64(stmt, c);
                } else if (cell.type == SQLITE_FLOAT) {
                    cell.real = sqlite3_column_double(stmt, c);
                } else if (cell.type != SQLITE_NULL) {
                    const char *bytes = cell.type == SQLITE_BLOB
                        ? static_cast<const char *>(sqlite3_column_blob(stmt, c))
                        : reinterpret_cast<const char *>(sqlite3_column_text(stmt, c));
                    cell.size = sqlite3_column_bytes(stmt, c);
                    cell.offset = batch.buffer.size();
                    batch.buffer.append(bytes, cell.size);
                }
                batch.cells.push_back(cell);
            }
            if (++inBatch == kBatchRows) {
                submit(std::move(batch));
                batch = Batch();
                inBatch = 0;
            }
        }
        if (rc != SQLITE_DONE) {
            qWarning("ulk: %s", sqlite3_errmsg(h));
            *error = RegisterConnection::causeOf(h);
        }
        if (inBatch > 0)
            submit(std::move(batch));
        {
            const std::lock_guard guard(p.lock);
            p.finished = true;
        }
        p.changed.notify_all();
        while (collected < p.made.size())
            collect(true);
    };
    Parts::run(parts, makeValues, step);
    sqlite3_finalize(stmt);
    if (rc != SQLITE_DONE)
        return std::nullopt;
    return rows;
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
    } else {
        std::optional<RowSet> whole = readWhole(db, sql, &why);
        if (!whole)
            return fail(QStringLiteral("%1: %2").arg(cmd->source, why));
        rows = std::move(*whole);
    }
    if (cmd->source == ClientListQuery::viewName() && ClientListQuery::hasOwnSql(db))
        rows = ClientListQuery::arrange(rows);
    m_read.insert(cacheKey, rows);
    return rows;
}

} // namespace ulk
