#include "client/SubRecordListModel.h"

namespace ulk {

SubRecordListModel::SubRecordListModel(Kind kind, QObject *parent) : QAbstractListModel(parent), m_rows(kind) {}

bool SubRecordListModel::reload(const QString &clientKey, QString *error)
{
    beginResetModel();
    const bool ok = m_rows.read(clientKey, m_facilityKind, error);
    endResetModel();
    return ok;
}

int SubRecordListModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : m_rows.size(); }

QVariant SubRecordListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_rows.size())
        return {};
    if (role == Qt::DisplayRole)
        return m_rows.line(index.row());
    if (role == Qt::UserRole)
        return m_rows.id(index.row());
    return {};
}

QString SubRecordListModel::lineAt(int row) const
{
    return row >= 0 && row < m_rows.size() ? m_rows.line(row) : QString();
}

} // namespace ulk
