#include "data/ClientListQuery.h"

#include "common/FailureText.h"
#include "common/LongWork.h"
#include "data/ClientRowids.h"
#include "data/Database.h"
#include "data/Parts.h"
#include "data/PendingPages.h"
#include "data/RegisterConnection.h"
#include "data/SavedQueries.h"
#include "data/SlovakSortKey.h"

#include <QHash>
#include <QSqlError>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QSqlQuery>
#include <algorithm>
#include <cstring>
#include <sqlite3.h>
#include <vector>

namespace ulk {

namespace {

// Whether something of the view's name stands in the schema (names of saved
// queries are matched regardless of letter case); nothing, with *why, when
// the schema cannot be read.
std::optional<bool> nameTaken(QSqlDatabase db, QString *why)
{
    QSqlQuery q = runSql(db, QStringLiteral("SELECT 1 FROM sqlite_master WHERE lower(name) = lower(?)"),
                         {ClientListQuery::viewName()}, why);
    if (!why->isEmpty())
        return std::nullopt;
    return q.next();
}

} // namespace

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
    const std::optional<bool> taken = nameTaken(db, &why);
    if (!taken)
        return fail(why);
    if (*taken)
        return Result::Existed;
    Transaction t(db);
    if (!t.ok())
        return fail(t.cause());
    QSqlQuery create(db);
    if (!create.exec(QStringLiteral("CREATE VIEW \"%1\" AS %2").arg(viewName(), SavedQueries::zozKlient()))) {
        const QString text = create.lastError().text();
        if (text.contains(QLatin1String("already exists"), Qt::CaseInsensitive))
            return Result::Existed;
        return fail(sqliteCause(create.lastError()));
    }
    if (!t.commit())
        return fail(t.cause());
    return Result::Created;
}

ClientListQuery::Creation::Creation(QSqlDatabase db) : m_db(db)
{
    QString why;
    m_needed = !nameTaken(db, &why).value_or(true);
}

ClientListQuery::Creation::~Creation() = default;

void ClientListQuery::Creation::rowsRead()
{
    if (!m_needed || m_writing)
        return;
    const QString file = QString::fromUtf8(sqlite3_db_filename(RegisterConnection::handleOf(m_db), "main"));
    m_writing = std::make_unique<LongWork::Thread>([file] {
        PendingPages::writeOut(file);
        return QString();
    });
}

void ClientListQuery::Creation::finish()
{
    if (!m_needed)
        return;
    m_needed = false;
    if (m_writing) {
        const LongWork::Action waiting(QStringLiteral("Zoznam klientov"),
                                       QStringLiteral("Register sa zapisuje na disk …"));
        m_writing->wait();
    }
    QString why;
    if (ensure(m_db, &why) == Result::Failed)
        qWarning("ulk: dotaz %s sa nepodarilo vytvoriť: %s", qUtf8Printable(viewName()), qUtf8Printable(why));
}

QString ClientListQuery::unorderedSql()
{
    const QString sql = SavedQueries::zozKlient();
    return sql.left(sql.indexOf(QLatin1String(" ORDER BY"))).trimmed();
}

bool ClientListQuery::readsOwnSql(QSqlDatabase db)
{
    QString why;
    QSqlQuery q = runSql(db, QStringLiteral("SELECT type, sql FROM sqlite_master WHERE lower(name) = lower(?)"),
                         {viewName()}, &why);
    if (!why.isEmpty())
        return false;
    if (!q.next())
        return true;
    return q.value(0).toString() == QLatin1String("view")
        && q.value(1).toString().endsWith(QLatin1String(" AS ") + SavedQueries::zozKlient());
}

namespace {

// The sort keys of a run of rows: surname and first name joined, under the
// Slovak collation, then the bytes of the names (a Slovak sort key ends in
// its only zero byte), so that names the collation holds equal (they differ
// in letter case only) follow in the order of their bytes, as SQLite orders
// them. Names repeat: each distinct text is keyed once, and the distinct
// keys are put in order.
class NameKeys {
public:
    // The keys of the rows from..to-1 of rows.
    void make(const RowSet &rows, int from, int to)
    {
        const int surname = rows.columnIndex(QStringLiteral("priezv"));
        const int first = rows.columnIndex(QStringLiteral("meno"));
        const SlovakSortKey slovak;
        // A name's text is made as a QVariant's toString() would make it,
        // in a buffer used again for every row.
        QStringDecoder decode(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QStringEncoder encode(QStringEncoder::Utf8, QStringEncoder::Flag::Stateless);
        QString joined;
        const auto add = [&](int r, int column) {
            if (const std::optional<QByteArrayView> bytes = rows.text(r, column)) {
                const qsizetype at = joined.size();
                joined.resize(at + bytes->size());
                joined.truncate(decode.appendToBuffer(joined.data() + at, *bytes) - joined.constData());
                return true;
            }
            const QVariant v = rows.value(r, column);
            joined += v.toString();
            return !v.isNull();
        };
        QHash<QString, int> seen;
        m_rowKey.reserve(size_t(std::max(0, to - from)));
        for (int r = from; r < to; ++r) {
            joined.resize(0);
            const bool hasSurname = add(r, surname);
            if (!add(r, first) || !hasSurname) {
                m_rowKey.push_back(-1);
                continue;
            }
            if (const auto known = seen.constFind(joined); known != seen.constEnd()) {
                m_rowKey.push_back(*known);
                continue;
            }
            Key k;
            k.at = quint32(m_bytes.size());
            slovak.appendTo(m_bytes, joined);
            const qsizetype at = m_bytes.size();
            m_bytes.resize(at + encode.requiredSpace(joined.size()));
            m_bytes.truncate(encode.appendToBuffer(m_bytes.data() + at, joined) - m_bytes.constData());
            k.size = quint32(m_bytes.size() - k.at);
            const auto *key = reinterpret_cast<const uchar *>(m_bytes.constData()) + k.at;
            for (quint32 i = 0; i < 8; ++i)
                k.prefix = k.prefix << 8 | (i < k.size ? key[i] : 0);
            seen.insert(joined, int(m_keys.size()));
            m_rowKey.push_back(int(m_keys.size()));
            m_keys.push_back(k);
        }
        m_sorted.resize(m_keys.size());
        for (size_t i = 0; i < m_sorted.size(); ++i)
            m_sorted[i] = int(i);
        std::sort(m_sorted.begin(), m_sorted.end(),
                  [this](int a, int b) { return compare(m_keys[size_t(a)], *this, m_keys[size_t(b)]) < 0; });
    }

    // The rows keyed, and the distinct key of each; -1 for a row without
    // one of the names (it comes first, as SQL orders a null).
    int rows() const { return int(m_rowKey.size()); }
    int keyOfRow(int i) const { return m_rowKey[size_t(i)]; }
    // The distinct keys, and the one that comes i-th.
    int size() const { return int(m_keys.size()); }
    int keyAt(int i) const { return m_sorted[size_t(i)]; }
    // The key that comes i-th here against the one that comes j-th in
    // another run: less than, equal to or greater than 0.
    int compare(int i, const NameKeys &other, int j) const
    {
        return compare(m_keys[size_t(keyAt(i))], other, other.m_keys[size_t(other.keyAt(j))]);
    }

private:
    struct Key {
        quint64 prefix = 0; // the key's first eight bytes, for most comparisons
        quint32 at = 0;     // where the key lies in m_bytes
        quint32 size = 0;
    };

    int compare(const Key &a, const NameKeys &other, const Key &b) const
    {
        if (a.prefix != b.prefix)
            return a.prefix < b.prefix ? -1 : 1;
        const int c = std::memcmp(m_bytes.constData() + a.at, other.m_bytes.constData() + b.at,
                                  std::min(a.size, b.size));
        return c != 0 ? c : (a.size < b.size ? -1 : a.size > b.size ? 1 : 0);
    }

    std::vector<int> m_rowKey;
    std::vector<Key> m_keys;
    std::vector<int> m_sorted;
    QByteArray m_bytes;
};

struct Place {
    int run, at; // the key that comes at-th in a run
};

// The distinct keys of runs merged into one order; of equal keys, the
// earlier run's comes first. The merged order is cut into pieces at keys
// sampled from the runs, and the pieces are merged side by side. Nothing,
// with the cause in *error, when a piece's thread cannot start.
std::optional<std::vector<Place>> merged(const std::vector<NameKeys> &runs, QString *error)
{
    const size_t count = runs.size();
    // The order merged: by key, then run, then place in the run.
    const auto before = [&runs](const Place &a, const Place &b) {
        const int c = runs[size_t(a.run)].compare(a.at, runs[size_t(b.run)], b.at);
        return c != 0 ? c < 0 : a.run != b.run ? a.run < b.run : a.at < b.at;
    };
    size_t total = 0;
    for (const NameKeys &run : runs)
        total += size_t(run.size());
    const int pieces = total >= size_t(ClientRowids::kRowsPerPart) ? Parts::machine() : 1;
    std::vector<Place> sample;
    for (size_t k = 0; k < count; ++k)
        for (int s = 1; s <= 4 * pieces; ++s)
            if (runs[k].size() > 0)
                sample.push_back({int(k), int(qint64(runs[k].size()) * s / (4 * pieces + 1))});
    std::sort(sample.begin(), sample.end(), before);
    // Where each piece begins in each run: the keys of the run that come
    // before the piece's first sampled key.
    std::vector<std::vector<int>> cut(size_t(pieces) + 1, std::vector<int>(count, 0));
    for (size_t k = 0; k < count; ++k)
        cut[size_t(pieces)][k] = runs[k].size();
    for (int p = 1; p < pieces && !sample.empty(); ++p) {
        const Place splitter = sample[sample.size() * size_t(p) / size_t(pieces)];
        for (size_t k = 0; k < count; ++k) {
            int low = 0, high = runs[k].size();
            while (low < high) {
                const int mid = low + (high - low) / 2;
                if (before({int(k), mid}, splitter))
                    low = mid + 1;
                else
                    high = mid;
            }
            cut[size_t(p)][k] = low;
        }
    }
    std::vector<Place> order(total);
    const QString failure = Parts::firstFailure(Parts::run(pieces, [&](int p) {
        std::vector<int> next = cut[size_t(p)];
        const std::vector<int> &end = cut[size_t(p) + 1];
        size_t to = 0;
        for (size_t k = 0; k < count; ++k)
            to += size_t(next[k]);
        for (;;) {
            size_t from = count;
            for (size_t k = 0; k < count; ++k)
                if (next[k] < end[k]
                    && (from == count || runs[k].compare(next[k], runs[from], next[from]) < 0))
                    from = k;
            if (from == count)
                break;
            order[to++] = {int(from), next[from]++};
        }
        return QString();
    }));
    if (!failure.isEmpty()) {
        *error = failure;
        return std::nullopt;
    }
    return order;
}

// The rows keyed in runs, counted through the runs one after another, in
// the order of their keys; rows of equal keys keep their order. Each
// distinct key gets its rank among all, and the rows are placed by rank.
std::optional<std::vector<int>> ordered(const std::vector<NameKeys> &runs, QString *error)
{
    std::vector<std::vector<int>> rankOf(runs.size());
    for (size_t k = 0; k < runs.size(); ++k)
        rankOf[k].resize(size_t(runs[k].size()));
    // Rank 0 is the rows without a name.
    int rank = 0;
    const std::optional<std::vector<Place>> mergedKeys = merged(runs, error);
    if (!mergedKeys)
        return std::nullopt;
    const std::vector<Place> &keys = *mergedKeys;
    for (size_t i = 0; i < keys.size(); ++i) {
        const Place &p = keys[i];
        if (i == 0 || runs[size_t(keys[i - 1].run)].compare(keys[i - 1].at, runs[size_t(p.run)], p.at) != 0)
            ++rank;
        rankOf[size_t(p.run)][size_t(runs[size_t(p.run)].keyAt(p.at))] = rank;
    }
    const auto rankOfRow = [&](size_t k, int i) {
        const int key = runs[k].keyOfRow(i);
        return key < 0 ? 0 : rankOf[k][size_t(key)];
    };
    // Where the rows of each rank begin.
    std::vector<int> start(size_t(rank) + 2, 0);
    for (size_t k = 0; k < runs.size(); ++k)
        for (int i = 0; i < runs[k].rows(); ++i)
            ++start[size_t(rankOfRow(k, i)) + 1];
    for (size_t r = 1; r < start.size(); ++r)
        start[r] += start[r - 1];
    std::vector<int> order(size_t(start.back()));
    int row = 0;
    for (size_t k = 0; k < runs.size(); ++k)
        for (int i = 0; i < runs[k].rows(); ++i)
            order[size_t(start[size_t(rankOfRow(k, i))]++)] = row++;
    return order;
}

} // namespace

std::optional<RowSet> ClientListQuery::arrange(const RowSet &rows, QString *error)
{
    // The rows are cut into parts, each part keyed on a thread of its own,
    // and the keys of the parts ranked together.
    const int chunk = std::max(1, (rows.size() + Parts::machine() - 1) / Parts::machine());
    const int count = (rows.size() + chunk - 1) / chunk;
    std::vector<NameKeys> runs(static_cast<size_t>(count));
    const QString failure = Parts::firstFailure(Parts::run(count, [&](int part) {
        runs[size_t(part)].make(rows, part * chunk, std::min(rows.size(), (part + 1) * chunk));
        return QString();
    }));
    std::optional<std::vector<int>> order;
    if (failure.isEmpty())
        order = ordered(runs, error);
    else
        *error = failure;
    if (!order)
        return std::nullopt;
    return rows.reordered(*order);
}

std::optional<RowSet> ClientListQuery::readInParts(QString *error)
{
    // Reading the rows and making their sort keys is most of the time a
    // long list takes: each part reads a range of rowids on a connection of
    // its own and keys its rows, and the keys of the parts are ranked
    // together.
    sqlite3 *db = Parts::programHandle();
    if (!db || Parts::ofRegister() < 2)
        return std::nullopt;
    const ClientRowids rowids(db);
    const int parts = rowids.parts();
    if (parts < 2)
        return std::nullopt;
    const QByteArray sql = (unorderedSql() + QStringLiteral(" WHERE k_zaklad.rowid BETWEEN ? AND ?")).toUtf8();
    std::vector<RowSet> read(static_cast<size_t>(parts));
    std::vector<NameKeys> runs(static_cast<size_t>(parts));
    const QStringList failures = Parts::read(parts, [&](int part, sqlite3 *own) {
        sqlite3_stmt *st = nullptr;
        const int rc = rowids.prepare(own, sql, part, &st);
        RowSet &rows = read[size_t(part)];
        if (rc == SQLITE_OK) {
            rows = RowSet::withColumnsOf(st);
            rows.reserve(int(std::min<qint64>(rowids.to(part) - rowids.from(part) + 1, qint64(1) << 18)));
        }
        QString why;
        if (Parts::stepAll(own, st, rc, [&](sqlite3_stmt *s) { rows.appendRow(s); }, &why)) {
            // The rows are kept while the list is shown; the room that
            // reading reserved ahead of them is not.
            rows.squeeze();
            runs[size_t(part)].make(rows, 0, rows.size());
        }
        return why;
    });
    const QString failure = Parts::firstFailure(failures);
    if (Parts::notStarted(failures)) {
        *error = failure;
        return std::nullopt;
    }
    if (!failure.isEmpty()) {
        qWarning("ulk: zoznam klientov sa nepodarilo prečítať po častiach (%s), číta sa naraz",
                 qPrintable(failure));
        return std::nullopt;
    }
    const std::optional<std::vector<int>> order = ordered(runs, error);
    if (!order)
        return std::nullopt;
    return RowSet::joined(read, *order);
}

} // namespace ulk
