#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QSharedDataPointer>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>
#include <vector>

class QSqlQuery;
struct sqlite3_stmt;

namespace ulk {

// Rows read whole from a table, a view or a query, kept in memory: what a
// report prints. Column names are found regardless of letter case.
//
// The values are held packed: texts as UTF-8 bytes in a buffer, numbers
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
    // The UTF-8 bytes of a text value as held, without a copy; nothing for
    // a value of any other kind (a null one too). The bytes live as long as
    // the set or a copy of it.
    std::optional<QByteArrayView> text(int row, int column) const;

    void append(const QVariantList &row);

    // An empty set with the columns of a prepared SQLite statement.
    static RowSet withColumnsOf(sqlite3_stmt *statement);
    // Appends the row a statement has stepped to, the values as SQLite
    // holds them (texts as UTF-8 bytes, read as a QString; numbers as
    // qlonglong or double; bytes as a QByteArray), without a QVariant made.
    void appendRow(sqlite3_stmt *statement);
    // Room for so many rows more, made at once.
    void reserve(int rows);
    // Gives back the room made beyond the rows and bytes held.
    void squeeze();

    // The same rows in another order: order[i] is the row that comes i-th.
    // Neither the values nor their cells are copied.
    RowSet reordered(const std::vector<int> &order) const;
    // The rows of parts read side by side (the same columns), as one set in
    // the order given: order[i] is the row, counted through the parts one
    // after another, that comes i-th. The values are not copied (each part's
    // bytes stay where they are), only their small cells. Nothing when the
    // parts hold more bytes together than one set can point at.
    static std::optional<RowSet> joined(const std::vector<RowSet> &parts, const std::vector<int> &order);

private:
    struct Data;
    QStringList m_columns;
    QSharedDataPointer<Data> d;
};

} // namespace ulk
