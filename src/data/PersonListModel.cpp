#include "data/PersonListModel.h"

#include "data/Database.h"

#include <QCollator>
#include <QHash>
#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

namespace ulk {

namespace {
QCollator &slovak()
{
    static QCollator c = [] {
        QCollator k(QLocale(QLocale::Slovak, QLocale::Slovakia));
        k.setCaseSensitivity(Qt::CaseInsensitive);
        return k;
    }();
    return c;
}
} // namespace

PersonListModel::PersonListModel(Kind kind, QObject *parent) : QAbstractTableModel(parent), m_kind(kind) {}

qint64 PersonListModel::catalogueValue(const QString &katcis)
{
    const QString t = katcis.trimmed();
    qint64 v = 0;
    int i = 0;
    while (i < t.size() && t.at(i).isDigit() && v < (qint64(1) << 50))
        v = v * 10 + t.at(i++).digitValue();
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

PersonListModel::Row PersonListModel::readRow(const QSqlQuery &q) const
{
    Row r;
    r.rowid = q.value(0).toLongLong();
    r.idkod = q.value(1).toString();
    r.meno = q.value(2).toString();
    r.priezv = q.value(3).toString();
    if (m_kind == Kind::Clients) {
        r.datnar = QDate::fromString(q.value(4).toString(), Qt::ISODate);
        r.katcis = q.value(5).toString();
    } else {
        r.funkcia = q.value(4).toString();
    }
    return r;
}

bool PersonListModel::lessThan(const Row &a, const Row &b) const
{
    if (m_kind == Kind::Clients && m_order == Order::ByCatalogue) {
        const qint64 x = catalogueValue(a.katcis), y = catalogueValue(b.katcis);
        if (x != y)
            return x < y;
    } else {
        int c = slovak().compare(a.priezv, b.priezv);
        if (c == 0)
            c = slovak().compare(a.meno, b.meno);
        if (c != 0)
            return c < 0;
    }
    return a.rowid < b.rowid;
}

void PersonListModel::sortAll()
{
    if (m_kind == Kind::Clients && m_order == Order::ByCatalogue) {
        std::sort(m_rows.begin(), m_rows.end(), [this](const Row &a, const Row &b) { return lessThan(a, b); });
        return;
    }
    // Names repeat: rank each distinct text once by the collation, then sort
    // the rows by their ranks.
    QHash<QString, int> rank;
    {
        QStringList distinct;
        QHash<QString, bool> seen;
        for (const Row &r : std::as_const(m_rows))
            for (const QString *s : {&r.priezv, &r.meno})
                if (!seen.contains(*s)) {
                    seen.insert(*s, true);
                    distinct << *s;
                }
        std::sort(distinct.begin(), distinct.end(),
                  [](const QString &a, const QString &b) { return slovak().compare(a, b) < 0; });
        int n = 0;
        for (int i = 0; i < distinct.size(); ++i) {
            if (i > 0 && slovak().compare(distinct.at(i - 1), distinct.at(i)) != 0)
                ++n;
            rank.insert(distinct.at(i), n);
        }
    }
    struct Keyed {
        int surname, first;
        qint64 rowid;
        int index;
    };
    std::vector<Keyed> keys;
    keys.reserve(m_rows.size());
    for (int i = 0; i < m_rows.size(); ++i)
        keys.push_back({rank.value(m_rows[i].priezv), rank.value(m_rows[i].meno), m_rows[i].rowid, i});
    std::sort(keys.begin(), keys.end(), [](const Keyed &a, const Keyed &b) {
        return std::tie(a.surname, a.first, a.rowid) < std::tie(b.surname, b.first, b.rowid);
    });
    QVector<Row> sorted;
    sorted.reserve(m_rows.size());
    for (const Keyed &k : keys)
        sorted.append(std::move(m_rows[k.index]));
    m_rows = std::move(sorted);
}

void PersonListModel::setOrder(Order order)
{
    if (order == m_order)
        return;
    m_order = order;
    if (!m_loaded)
        return;
    beginResetModel();
    sortAll();
    endResetModel();
}

bool PersonListModel::reload(QString *error)
{
    QVector<Row> rows;
    QSqlQuery q(Database::connection());
    q.setForwardOnly(true);
    Database::takeChangedRows(table());
    const bool ok = q.exec(selectSql());
    if (ok) {
        while (q.next())
            rows.append(readRow(q));
    } else if (error) {
        *error = q.lastError().text();
    }
    beginResetModel();
    m_rows = std::move(rows);
    sortAll();
    m_loaded = ok;
    endResetModel();
    return ok;
}

bool PersonListModel::refresh(QString *error)
{
    if (!m_loaded)
        return reload(error);
    QSet<qint64> changed = Database::takeChangedRows(table());
    if (m_kind == Kind::Employees && !Database::takeChangedRows(QStringLiteral("c_funkcie")).isEmpty())
        return reload(error);
    if (changed.isEmpty())
        return true;
    // Take the changed rows out, then put back what the database now holds.
    beginResetModel();
    m_rows.erase(std::remove_if(m_rows.begin(), m_rows.end(),
                                [&](const Row &r) { return changed.contains(r.rowid); }),
                 m_rows.end());
    bool ok = true;
    const QList<qint64> ids(changed.begin(), changed.end());
    const QString rowidColumn = m_kind == Kind::Clients ? QStringLiteral("rowid") : QStringLiteral("z.rowid");
    for (int start = 0; ok && start < ids.size(); start += 500) {
        const int n = std::min<int>(500, int(ids.size()) - start);
        QStringList marks;
        for (int i = 0; i < n; ++i)
            marks << QStringLiteral("?");
        QSqlQuery q(Database::connection());
        q.setForwardOnly(true);
        q.prepare(selectSql() + QStringLiteral(" WHERE %1 IN (%2)").arg(rowidColumn, marks.join(QLatin1Char(','))));
        for (int i = 0; i < n; ++i)
            q.addBindValue(ids.at(start + i));
        ok = q.exec();
        if (!ok && error)
            *error = q.lastError().text();
        while (ok && q.next()) {
            const Row r = readRow(q);
            const auto at = std::upper_bound(m_rows.begin(), m_rows.end(), r,
                                             [this](const Row &a, const Row &b) { return lessThan(a, b); });
            m_rows.insert(at, r);
        }
    }
    endResetModel();
    if (!ok)
        return reload(error);
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
    const QString k = idkod.trimmed();
    for (int i = 0; i < m_rows.size(); ++i)
        if (m_rows.at(i).idkod.trimmed() == k)
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
