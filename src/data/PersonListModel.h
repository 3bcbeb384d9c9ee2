#pragma once
#include "data/SlovakSortKey.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QVector>

struct sqlite3_stmt;

namespace ulk {

// One row of a list, with what orders it.
struct PersonListRow {
    qint64 rowid = 0;
    QString idkod, meno, priezv;
    QDate datnar;       // clients
    QString katcis;     // clients
    QString funkcia;    // employees: name of the job function
    // Order: the Slovak sort keys of the names, the catalogue number's value.
    QByteArray surnameKey, firstNameKey;
    qint64 catalogue = 0;
};

} // namespace ulk

// Rows move in memory as plain bytes when the list grows or is merged.
Q_DECLARE_TYPEINFO(ulk::PersonListRow, Q_RELOCATABLE_TYPE);

namespace ulk {

// The rows behind the main window's lists: clients or employees. The list is
// read whole when it is first opened; afterwards it reads again only the rows
// that the program changed (Database::takeChangedRows), in one query, and
// merges those whose shown values changed; it sorts, searches and re-selects
// in memory, so that repaints never touch the database. Each row carries its
// sort keys, computed once when it is read.
class PersonListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Kind { Clients, Employees };
    enum class Order { ByName, ByCatalogue };

    using Row = PersonListRow;

    explicit PersonListModel(Kind kind, QObject *parent = nullptr);

    Kind kind() const { return m_kind; }
    Order order() const { return m_order; }
    // Sorts the rows in memory in the new order.
    void setOrder(Order order);

    // Reads the whole list afresh from the program's connection. A list that
    // cannot be read whole leaves the rows as they were (false, *error).
    bool reload(QString *error = nullptr);
    // Brings the list up to date with the database: the first time the
    // whole list is read, later only the rows changed since.
    bool refresh(QString *error = nullptr);
    // Empties the list (the database is being closed).
    void clear();

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation o, int role = Qt::DisplayRole) const override;

    const Row &row(int r) const { return m_rows.at(r); }
    bool isEmpty() const { return m_rows.isEmpty(); }
    // Row of a key, or -1.
    int rowOfKey(const QString &idkod) const;
    // First row, in list order, whose surname begins with surnamePrefix and,
    // with withFirstName, whose first name (not missing) begins with
    // firstNamePrefix; letter case is ignored and every character is taken
    // literally. -1 when none.
    int findPrefix(const QString &surnamePrefix, const QString &firstNamePrefix,
                   bool withFirstName) const;

    // Numeric value of a catalogue number as the list sorts it (leading digits).
    static qint64 catalogueValue(const QString &katcis);

private:
    QString selectSql() const;
    Row readRow(sqlite3_stmt *st, SlovakSortKey &keys) const;
    bool lessThan(const Row &a, const Row &b) const;
    static bool sameShownValues(const Row &a, const Row &b);
    void sortRows(QVector<Row> &rows) const;
    // Appends the rows of sql, with value (unless null) bound to its one parameter.
    bool readRows(const QString &sql, const QString &value, QVector<Row> &rows, QString *error);
    // Appends the whole list, sorted in the list's order.
    bool readSortedList(QVector<Row> &rows, QString *error);
    QString table() const;

    Kind m_kind;
    Order m_order = Order::ByName;
    bool m_loaded = false;
    QVector<Row> m_rows;
    SlovakSortKey m_keys;
};

} // namespace ulk
