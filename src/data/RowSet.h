#pragma once
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

class QSqlQuery;

namespace ulk {

// Rows read whole from a table, a view or a query, kept in memory: what a
// report prints. Column names are found regardless of letter case.
class RowSet {
public:
    RowSet() = default;
    RowSet(const QStringList &columns, const QList<QVariantList> &rows = {});

    // Reads every remaining row of an executed query.
    static RowSet fromQuery(QSqlQuery &query);

    const QStringList &columns() const { return m_columns; }
    // Index of a column, or -1.
    int columnIndex(const QString &name) const;
    bool hasColumn(const QString &name) const { return columnIndex(name) >= 0; }

    int size() const { return int(m_rows.size()); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    const QVariantList &row(int r) const { return m_rows.at(r); }
    QVariant value(int row, int column) const;
    QVariant value(int row, const QString &column) const;

    void append(const QVariantList &row);

private:
    QStringList m_columns;
    QList<QVariantList> m_rows;
};

} // namespace ulk
