#include "data/PersonListModel.h"

#include "common/LongWork.h"
#include "data/ClientRowids.h"
#include "data/Database.h"
#include "data/Parts.h"

#include <QHash>
#include <algorithm>
#include <cstring>
#include <sqlite3.h>
#include <tuple>
#include <vector>

namespace ulk {

namespace {
// Sort keys compare as unsigned bytes; equal texts share one key.
int compareKeys(QByteArrayView a, QByteArrayView b)
{
    if (a.data() == b.data() && a.size() == b.size())
        return 0;
    const int c = std::memcmp(a.data(), b.data(), size_t(std::min(a.size(), b.size())));
    return c != 0 ? c : (a.size() < b.size() ? -1 : a.size() > b.size() ? 1 : 0);
}
// A stored date (yyyy-MM-dd) read without a text in between; any other form
// is left to QDate's own reading.
QDate storedDay(const char *t, int n)
{
    if (!t)
        return {};
    const auto digits = [t](int from, int count) {
        int v = 0;
        for (int i = from; i < from + count; ++i) {
            if (t[i] < '0' || t[i] > '9')
                return -1;
            v = v * 10 + (t[i] - '0');
        }
        return v;
    };
    if (n == 10 && t[4] == '-' && t[7] == '-') {
        const int y = digits(0, 4), m = digits(5, 2), d = digits(8, 2);
        if (y >= 0 && m >= 0 && d >= 0)
            return QDate(y, m, d);
    }
    return QDate::fromString(QString::fromUtf8(t, n), Qt::ISODate);
}

} // namespace

PersonListModel::PersonListModel(Kind kind, QObject *parent) : QAbstractTableModel(parent), m_kind(kind) {}

qint64 PersonListModel::catalogueValue(const QString &katcis)
{
    // Blanks before the number do not count; the number ends at the first
    // character that is not a digit.
    qsizetype i = 0;
    while (i < katcis.size() && katcis.at(i).isSpace())
        ++i;
    qint64 v = 0;
    while (i < katcis.size() && katcis.at(i).isDigit() && v < (qint64(1) << 50))
        v = v * 10 + katcis.at(i++).digitValue();
    return v;
}

QString PersonListModel::table() const
{
    return m_kind == Kind::Clients ? QStringLiteral("k_zaklad") : QStringLiteral("zamestnanci");
}

QString PersonListModel::selectSql() const
{
    return m_kind == Kind::Clients
        ? QStringLiteral("SELECT rowid, idkod, meno, priezv, datnar, katcis FROM k_zaklad")
        : QStringLiteral("SELECT z.rowid, z.idkod, z.meno, z.priezv, f.nazov FROM zamestnanci z "
                         "JOIN c_funkcie f ON z.prac_zar = f.fc_idkod");
}

PersonListModel::Row PersonListModel::readRow(sqlite3_stmt *st, SlovakSortKey &keys) const
{
    const auto text = [st](int c) {
        const auto *t = reinterpret_cast<const char *>(sqlite3_column_text(st, c));
        return t ? QString::fromUtf8(t, sqlite3_column_bytes(st, c)) : QString();
    };
    Row r;
    r.rowid = sqlite3_column_int64(st, 0);
    r.idkod = text(1);
    r.meno = text(2);
    r.priezv = text(3);
    if (m_kind == Kind::Clients) {
        r.datnar = storedDay(reinterpret_cast<const char *>(sqlite3_column_text(st, 4)), sqlite3_column_bytes(st, 4));
        r.katcis = text(5);
        r.catalogue = catalogueValue(r.katcis);
    } else {
        r.funkcia = text(4);
    }
    r.surnameKey = keys.ofShared(r.priezv);
    r.firstNameKey = keys.ofShared(r.meno);
    return r;
}

bool PersonListModel::readRows(const QString &sql, const QString &value, QVector<Row> &rows, QString *error)
{
    // The list is the largest reading of the program: it goes straight to
    // SQLite on the program's connection, without a variant per value.
    sqlite3 *db = Parts::programHandle();
    if (!db) {
        if (error)
            *error = QStringLiteral("databáza nie je otvorená");
        return false;
    }
    sqlite3_stmt *st = nullptr;
    int rc = sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &st, nullptr);
    if (rc == SQLITE_OK && !value.isNull()) {
        const QByteArray bound = value.toUtf8();
        rc = sqlite3_bind_text(st, 1, bound.constData(), int(bound.size()), SQLITE_TRANSIENT);
    }
    return Parts::stepAll(db, st, rc, [&](sqlite3_stmt *s) { rows.append(readRow(s, m_keys)); }, error);
}

bool PersonListModel::readSortedList(QVector<Row> &rows, QString *error)
{
    // A large client list is read in parts by rowid, side by side, each part
    // on a read-only connection of its own with its own sort keys, and sorted
    // there: reading the rows and making their keys is most of the time a
    // list takes. The sorted parts are then merged.
    sqlite3 *db = Parts::programHandle();
    const ClientRowids rowids(db);
    const int parts = rowids.parts();
    const auto inOnePiece = [&] {
        rows.clear();
        const bool ok = readRows(selectSql(), QString(), rows, error);
        sortRows(rows);
        return ok;
    };
    if (m_kind != Kind::Clients || parts < 2)
        return inOnePiece();

    std::vector<QVector<Row>> sorted(static_cast<size_t>(parts));
    const QByteArray sql = (selectSql() + QStringLiteral(" WHERE rowid BETWEEN ? AND ?")).toUtf8();
    const auto readPart = [&](int part, sqlite3 *own) {
        QVector<Row> &mine = sorted[size_t(part)];
        mine.reserve(std::min<qint64>(rowids.to(part) - rowids.from(part) + 1, 4 * ClientRowids::kRowsPerPart));
        SlovakSortKey keys;
        sqlite3_stmt *st = nullptr;
        const int rc = rowids.prepare(own, sql, part, &st);
        QString why;
        if (Parts::stepAll(own, st, rc, [&](sqlite3_stmt *s) { mine.append(readRow(s, keys)); }, &why))
            sortRows(mine);
        return why;
    };
    // Beside the parts the memory of the merged list is made ready, counted
    // on a connection of its own: the system gives a new allocation page by
    // page at its first use, and a list of this size would otherwise wait for
    // that during the merge.
    const auto prepareMemory = [&](sqlite3 *own) {
        const qint64 count = singleNumber(own, "SELECT count(*) FROM k_zaklad");
        if (count <= 0)
            return;
        rows.reserve(rows.size() + count);
        auto *spare = reinterpret_cast<unsigned char *>(rows.data() + rows.size());
        const size_t bytes = size_t(rows.capacity() - rows.size()) * sizeof(Row);
        for (size_t at = 0; at < bytes; at += 4096)
            spare[at] = 0;
    };
    // A part that could not be read (its failure is in the log): the whole
    // list on the program's own connection, which reports its own failure.
    const QStringList failures = Parts::read(parts + 1, [&](int part, sqlite3 *own) {
        if (part < parts)
            return readPart(part, own);
        prepareMemory(own);
        return QString();
    });
    if (Parts::notStarted(failures)) {
        if (error)
            *error = LongWork::startFailure();
        return false;
    }
    if (!Parts::firstFailure(failures.mid(0, parts)).isEmpty())
        return inOnePiece();

    qsizetype total = 0;
    for (const QVector<Row> &part : sorted)
        total += part.size();
    rows.reserve(rows.size() + total);
    std::vector<qsizetype> next(sorted.size(), 0);
    for (qsizetype n = 0; n < total; ++n) {
        size_t from = sorted.size();
        for (size_t i = 0; i < sorted.size(); ++i)
            if (next[i] < sorted[i].size()
                && (from == sorted.size() || lessThan(sorted[i].at(next[i]), sorted[from].at(next[from]))))
                from = i;
        rows.append(std::move(sorted[from][next[from]++]));
    }
    return true;
}

bool PersonListModel::lessThan(const Row &a, const Row &b) const
{
    if (m_kind == Kind::Clients && m_order == Order::ByCatalogue) {
        if (a.catalogue != b.catalogue)
            return a.catalogue < b.catalogue;
    } else {
        int c = compareKeys(a.surnameKey, b.surnameKey);
        if (c == 0)
            c = compareKeys(a.firstNameKey, b.firstNameKey);
        if (c != 0)
            return c < 0;
    }
    return a.rowid < b.rowid;
}

bool PersonListModel::sameShownValues(const Row &a, const Row &b)
{
    const auto same = [](const QString &x, const QString &y) { return x == y && x.isNull() == y.isNull(); };
    return same(a.idkod, b.idkod) && same(a.meno, b.meno) && same(a.priezv, b.priezv) && a.datnar == b.datnar
        && same(a.katcis, b.katcis) && same(a.funkcia, b.funkcia);
}

void PersonListModel::sortRows(QVector<Row> &rows) const
{
    // Sort the positions, then move each row once to its place (in place:
    // a second copy of a large list costs more than the sort).
    // What orders a row, side by side: the sort compares these alone. Names
    // repeat and equal texts share their key, so each distinct key is ranked
    // once and the rows are sorted by the ranks of their keys.
    struct Item {
        qint64 first, second, rowid;
        int at;
    };
    std::vector<Item> items;
    items.reserve(rows.size());
    if (m_kind == Kind::Clients && m_order == Order::ByCatalogue) {
        for (int i = 0; i < int(rows.size()); ++i)
            items.push_back({rows.at(i).catalogue, 0, rows.at(i).rowid, i});
    } else {
        QHash<const char *, qint64> rankOf;
        std::vector<QByteArrayView> distinct;
        for (const Row &r : std::as_const(rows))
            for (const QByteArray *key : {&r.surnameKey, &r.firstNameKey})
                if (!rankOf.contains(key->constData())) {
                    rankOf.insert(key->constData(), 0);
                    distinct.push_back(*key);
                }
        std::sort(distinct.begin(), distinct.end(),
                  [](QByteArrayView a, QByteArrayView b) { return compareKeys(a, b) < 0; });
        qint64 rank = 0;
        for (size_t i = 0; i < distinct.size(); ++i) {
            if (i > 0 && compareKeys(distinct[i - 1], distinct[i]) != 0)
                ++rank;
            rankOf[distinct[i].data()] = rank;
        }
        for (int i = 0; i < int(rows.size()); ++i) {
            const Row &r = rows.at(i);
            items.push_back({rankOf.value(r.surnameKey.constData()), rankOf.value(r.firstNameKey.constData()), r.rowid, i});
        }
    }
    std::sort(items.begin(), items.end(), [](const Item &a, const Item &b) {
        return std::tie(a.first, a.second, a.rowid) < std::tie(b.first, b.second, b.rowid);
    });
    std::vector<int> order(items.size());
    for (size_t i = 0; i < items.size(); ++i)
        order[i] = items[i].at;
    std::vector<bool> placed(order.size(), false);
    for (int start = 0; start < int(order.size()); ++start) {
        if (placed[start] || order[start] == start)
            continue;
        Row held = std::move(rows[start]);
        int to = start;
        for (;;) {
            placed[to] = true;
            const int from = order[to];
            if (from == start) {
                rows[to] = std::move(held);
                break;
            }
            rows[to] = std::move(rows[from]);
            to = from;
        }
    }
}

void PersonListModel::setOrder(Order order)
{
    if (order == m_order)
        return;
    m_order = order;
    if (!m_loaded)
        return;
    beginResetModel();
    sortRows(m_rows);
    endResetModel();
}

bool PersonListModel::reload(QString *error)
{
    Database::takeChangedRows(table());
    if (m_kind == Kind::Employees)
        Database::takeChangedRows(QStringLiteral("c_funkcie"));
    m_keys.clear();
    QVector<Row> rows;
    if (!readSortedList(rows, error)) {
        // A list that could not be read whole is never shown: the rows shown
        // before stay, and the next refresh reads the whole list again.
        m_loaded = false;
        return false;
    }
    beginResetModel();
    m_rows = std::move(rows);
    m_loaded = true;
    endResetModel();
    return true;
}

bool PersonListModel::refresh(QString *error)
{
    if (!m_loaded)
        return reload(error);
    const QSet<qint64> changed = Database::takeChangedRows(table());
    if (m_kind == Kind::Employees && !Database::takeChangedRows(QStringLiteral("c_funkcie")).isEmpty())
        return reload(error);
    if (changed.isEmpty())
        return true;
    // The changed rows as the database now holds them, in one query; past
    // half of the list, the whole list (cheaper than finding each row).
    const bool whole = changed.size() > m_rows.size() / 2;
    QStringList ids;
    if (!whole) {
        ids.reserve(changed.size());
        for (qint64 id : changed)
            ids << QString::number(id);
    }
    const QString rowid = m_kind == Kind::Clients ? QStringLiteral("rowid") : QStringLiteral("z.rowid");
    QVector<Row> now;
    const bool read = whole ? readSortedList(now, error)
                            : readRows(selectSql() + QStringLiteral(" WHERE %1 IN (SELECT value FROM json_each(?))").arg(rowid),
                                       QLatin1Char('[') + ids.join(QLatin1Char(',')) + QLatin1Char(']'), now, error);
    if (!read)
        return reload(error);
    QHash<qint64, qsizetype> nowAt;
    nowAt.reserve(now.size());
    for (qsizetype i = 0; i < now.size(); ++i)
        nowAt.insert(now.at(i).rowid, i);

    // A row whose shown values are the same (another column changed) stays
    // where it is; the others leave the list and come back in their place.
    std::vector<bool> placed(now.size(), false);
    QSet<qint64> leaving;
    for (const Row &r : std::as_const(m_rows)) {
        if (!whole && !changed.contains(r.rowid))
            continue;
        const auto at = nowAt.constFind(r.rowid);
        if (at != nowAt.constEnd() && sameShownValues(r, now.at(*at)))
            placed[*at] = true;
        else
            leaving.insert(r.rowid);
    }
    QVector<Row> arriving;
    for (qsizetype i = 0; i < now.size(); ++i)
        if (!placed[i])
            arriving.append(std::move(now[i]));
    if (leaving.isEmpty() && arriving.isEmpty())
        return true;

    // All in place: a new copy of a large list costs more than the change.
    const auto less = [this](const Row &a, const Row &b) { return lessThan(a, b); };
    beginResetModel();
    m_rows.erase(std::remove_if(m_rows.begin(), m_rows.end(), [&](const Row &r) { return leaving.contains(r.rowid); }),
                 m_rows.end());
    sortRows(arriving);
    if (arriving.size() <= 16) {
        for (Row &r : arriving)
            m_rows.insert(std::upper_bound(m_rows.begin(), m_rows.end(), r, less), std::move(r));
    } else {
        const qsizetype middle = m_rows.size();
        m_rows.reserve(middle + arriving.size());
        for (Row &r : arriving)
            m_rows.append(std::move(r));
        std::inplace_merge(m_rows.begin(), m_rows.begin() + middle, m_rows.end(), less);
    }
    endResetModel();
    return true;
}

void PersonListModel::clear()
{
    beginResetModel();
    m_rows.clear();
    m_loaded = false;
    endResetModel();
}

int PersonListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_rows.size());
}

int PersonListModel::columnCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    return m_kind == Kind::Clients ? 4 : 3;
}

QVariant PersonListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || role != Qt::DisplayRole || index.row() >= m_rows.size())
        return {};
    const Row &r = m_rows.at(index.row());
    switch (index.column()) {
    case 0: return r.meno;
    case 1: return r.priezv;
    case 2:
        if (m_kind == Kind::Employees)
            return r.funkcia;
        return r.datnar.isValid() ? r.datnar.toString(QStringLiteral("d.M.yyyy")) : QString();
    case 3: return r.katcis;
    }
    return {};
}

QVariant PersonListModel::headerData(int section, Qt::Orientation o, int role) const
{
    if (o != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, o, role);
    if (m_kind == Kind::Clients) {
        static const char *c[] = {"Meno", "Priezvisko", "Dát.nar.", "Kat.číslo"};
        return section < 4 ? QString::fromUtf8(c[section]) : QVariant();
    }
    static const char *e[] = {"Meno", "Priezvisko", "Pracovné zaradenie"};
    return section < 3 ? QString::fromUtf8(e[section]) : QVariant();
}

int PersonListModel::rowOfKey(const QString &idkod) const
{
    const QStringView k = QStringView(idkod).trimmed();
    for (int i = 0; i < m_rows.size(); ++i)
        if (QStringView(m_rows.at(i).idkod).trimmed() == k)
            return i;
    return -1;
}

int PersonListModel::findPrefix(const QString &surnamePrefix, const QString &firstNamePrefix,
                                bool withFirstName) const
{
    const QString s = surnamePrefix.trimmed();
    const QString f = firstNamePrefix.trimmed();
    for (int i = 0; i < m_rows.size(); ++i) {
        const Row &r = m_rows.at(i);
        if (!r.priezv.startsWith(s, Qt::CaseInsensitive))
            continue;
        if (withFirstName && (r.meno.isNull() || !r.meno.startsWith(f, Qt::CaseInsensitive)))
            continue;
        return i;
    }
    return -1;
}

} // namespace ulk
