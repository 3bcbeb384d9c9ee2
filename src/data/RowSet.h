#pragma once
#include <QByteArray>
#include <QList>
#include <QSharedDataPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <vector>

class QSqlQuery;

namespace ulk {

// Rows read whole from a table, a view or a query, kept in memory: what a
// report prints. Column names are found regardless of letter case.
//
// The values are held packed: texts as UTF-8 bytes in one buffer, numbers
// beside them, each value a small cell pointing into the buffer, so that a
// list of a million clients takes a few hundred bytes a client; a value is
// made into a QVariant when it is read. Copies share the rows until one of
// them is changed.
class RowSet {
public:
    RowSet();
    RowSet(const QStringList &columns, const QList<QVariantList> &rows = {});
    RowSet(const RowSet &other);
    RowSet &operator=(const RowSet &other);
    ~RowSet();

    // Reads every remaining row of an executed query.
    static RowSet fromQuery(QSqlQuery &query);

    const QStringList &columns() const { return m_columns; }
    // Index of a column, or -1.
    int columnIndex(const QString &name) const;
    bool hasColumn(const QString &name) const { return columnIndex(name) >= 0; }

    int size() const;
    bool isEmpty() const { return size() == 0; }
    QVariantList row(int r) const;
    QVariant value(int row, int column) const;
    QVariant value(int row, const QString &column) const;

    void append(const QVariantList &row);

    // A value as a reader takes it straight from its source: texts as UTF-8
    // bytes (read as a QString, as SQLite's texts are), bytes as a
    // QByteArray, numbers as qlonglong or double.
    struct RawValue {
        enum Kind { Null, Integer, Real, Text, Bytes } kind = Null;
        qlonglong integer = 0;
        double real = 0;
        const char *data = nullptr;
        qsizetype size = 0;
    };
    // Appends a row of one raw value a column, without making QVariants.
    void appendRaw(const RawValue *values);

    // The same rows in another order: order[i] is the row that comes i-th.
    // The values are not copied.
    RowSet reordered(const std::vector<int> &order) const;

private:
    struct Data;
    QStringList m_columns;
    QSharedDataPointer<Data> d;
};

} // namespace ulk
