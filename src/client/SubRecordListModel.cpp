#include "client/SubRecordListModel.h"

#include "data/Database.h"

#include <QSqlError>
#include <QSqlQuery>

namespace ulk {

namespace {

// A stored ISO date as dd.mm.yyyy, empty when there is none.
QString dayLine(const char *column)
{
    return QStringLiteral("coalesce(strftime('%d.%m.%Y', %1), '')").arg(QLatin1String(column));
}

QString selectFor(SubRecordListModel::Kind kind, const char *table)
{
    using K = SubRecordListModel::Kind;
    switch (kind) {
    case K::Siblings:
        return QStringLiteral("SELECT id, meno FROM k_surodenci WHERE %1 ORDER BY meno COLLATE SK, id")
            .arg(keyMatch(QStringLiteral("idkod")));
    case K::Facilities:
        return QStringLiteral("SELECT id, %1 || ' - ' || %2 FROM k_zariad WHERE akronym = ? AND %3 "
                              "ORDER BY vzar_od, id")
            .arg(dayLine("vzar_od"), dayLine("vzar_do"), keyMatch(QStringLiteral("idkod")));
    default:
        return QStringLiteral("SELECT id, %1 FROM %2 WHERE %3 ORDER BY datum, id")
            .arg(dayLine("datum"), QLatin1String(table), keyMatch(QStringLiteral("idkod")));
    }
}

} // namespace

const QVector<SubRecordListModel::Definition> &SubRecordListModel::definitions()
{
    static const QVector<Definition> d = {
        {Kind::Siblings, "DBList1", 2, "k_surodenci"},
        {Kind::Facilities, "DBList2", 9, "k_zariad"},
        {Kind::Examinations, "DBList3", 10, "k_vysetrenie"},
        {Kind::ActivityRecords, "DBList5", 11, "k_zaznam_spc"},
        {Kind::ChangeRecords, "DBList4", 12, "k_zaznam_zmeny"},
        {Kind::Visits, "DBList6", 13, "k_navstevy"},
    };
    return d;
}

SubRecordListModel::SubRecordListModel(Kind kind, QObject *parent) : QAbstractListModel(parent), m_kind(kind) {}

const SubRecordListModel::Definition &SubRecordListModel::definition() const
{
    for (const Definition &d : definitions())
        if (d.kind == m_kind)
            return d;
    return definitions().first();
}

bool SubRecordListModel::reload(const QString &clientKey, QString *error)
{
    beginResetModel();
    m_key = clientKey;
    m_lines.clear();
    bool ok = true;
    if (!clientKey.trimmed().isEmpty()) {
        QVariantList values;
        if (m_kind == Kind::Facilities)
            values << m_facilityKind;
        values << keyMatchValues(clientKey);
        QString why;
        QSqlQuery q = runSql(selectFor(m_kind, definition().table), values, &why);
        ok = why.isEmpty();
        if (!ok && error)
            *error = why;
        while (ok && q.next())
            m_lines.append({q.value(0).toLongLong(), q.value(1).toString()});
    }
    endResetModel();
    return ok;
}

int SubRecordListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_lines.size());
}

QVariant SubRecordListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_lines.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_lines.at(index.row()).text;
    if (role == Qt::UserRole)
        return m_lines.at(index.row()).id;
    return {};
}

qint64 SubRecordListModel::rowId(int row) const
{
    return row >= 0 && row < m_lines.size() ? m_lines.at(row).id : -1;
}

QString SubRecordListModel::lineAt(int row) const
{
    return row >= 0 && row < m_lines.size() ? m_lines.at(row).text : QString();
}

} // namespace ulk
