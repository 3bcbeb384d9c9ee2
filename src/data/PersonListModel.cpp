#include "data/PersonListModel.h"

#include "data/Database.h"

#include <QCollator>
#include <QCollatorSortKey>
#include <QLocale>
#include <QSqlError>
#include <QSqlQuery>
#include <algorithm>

namespace ulk {

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

bool PersonListModel::reload(QString *error)
{
    QVector<Row> rows;
    QSqlQuery q(Database::connection());
    q.setForwardOnly(true);
    const QString sql = m_kind == Kind::Clients
        ? QStringLiteral("SELECT idkod, meno, priezv, datnar, katcis FROM k_zaklad")
        : QStringLiteral("SELECT z.idkod, z.meno, z.priezv, f.nazov FROM zamestnanci z "
                         "JOIN c_funkcie f ON z.prac_zar = f.fc_idkod");
    bool ok = q.exec(sql);
    if (ok) {
        while (q.next()) {
            Row r;
            r.idkod = q.value(0).toString();
            r.meno = q.value(1).toString();
            r.priezv = q.value(2).toString();
            if (m_kind == Kind::Clients) {
                r.datnar = QDate::fromString(q.value(3).toString(), Qt::ISODate);
                r.katcis = q.value(4).toString();
            } else {
                r.funkcia = q.value(3).toString();
            }
            rows.append(std::move(r));
        }
    } else if (error) {
        *error = q.lastError().text();
    }

    if (m_kind == Kind::Clients && m_order == Order::ByCatalogue) {
        std::stable_sort(rows.begin(), rows.end(), [](const Row &a, const Row &b) {
            return catalogueValue(a.katcis) < catalogueValue(b.katcis);
        });
    } else {
        QCollator collator(QLocale(QLocale::Slovak, QLocale::Slovakia));
        collator.setCaseSensitivity(Qt::CaseInsensitive);
        struct Keyed {
            QCollatorSortKey surname, first;
            int index;
        };
        std::vector<Keyed> keys;
        keys.reserve(rows.size());
        for (int i = 0; i < rows.size(); ++i)
            keys.push_back({collator.sortKey(rows[i].priezv), collator.sortKey(rows[i].meno), i});
        std::stable_sort(keys.begin(), keys.end(), [](const Keyed &a, const Keyed &b) {
            const int c = a.surname.compare(b.surname);
            if (c != 0)
                return c < 0;
            return a.first.compare(b.first) < 0;
        });
        QVector<Row> sorted;
        sorted.reserve(rows.size());
        for (const Keyed &k : keys)
            sorted.append(std::move(rows[k.index]));
        rows = std::move(sorted);
    }

    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
    return ok;
}

void PersonListModel::clear()
{
    beginResetModel();
    m_rows.clear();
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
