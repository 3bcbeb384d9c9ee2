#include "data/RowSet.h"

#include <QSqlQuery>
#include <QSqlRecord>

namespace ulk {

RowSet::RowSet(const QStringList &columns, const QList<QVariantList> &rows)
    : m_columns(columns)
{
    for (const QVariantList &r : rows)
        append(r);
}

RowSet RowSet::fromQuery(QSqlQuery &query)
{
    const QSqlRecord rec = query.record();
    QStringList columns;
    for (int c = 0; c < rec.count(); ++c)
        columns << rec.fieldName(c);
    RowSet rows(columns);
    while (query.next()) {
        QVariantList values;
        values.reserve(rec.count());
        for (int c = 0; c < rec.count(); ++c)
            values << query.value(c);
        rows.m_rows.append(values);
    }
    return rows;
}

int RowSet::columnIndex(const QString &name) const
{
    for (int c = 0; c < m_columns.size(); ++c)
        if (m_columns.at(c).compare(name, Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

QVariant RowSet::value(int row, int column) const
{
    if (row < 0 || row >= m_rows.size() || column < 0)
        return {};
    const QVariantList &r = m_rows.at(row);
    return column < r.size() ? r.at(column) : QVariant();
}

QVariant RowSet::value(int row, const QString &column) const { return value(row, columnIndex(column)); }

void RowSet::append(const QVariantList &row)
{
    QVariantList r = row;
    while (r.size() < m_columns.size())
        r << QVariant();
    m_rows.append(r);
}

} // namespace ulk
