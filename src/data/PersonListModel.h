#pragma once
#include <QAbstractTableModel>
#include <QDate>
#include <QVector>

// The rows behind the main window's lists: clients or employees, read once
// each time the list is opened, then sorted, searched and re-selected in
// memory so that repaints never touch the database.
namespace ulk {

class PersonListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Kind { Clients, Employees };
    enum class Order { ByName, ByCatalogue };

    struct Row {
        QString idkod, meno, priezv;
        QDate datnar;       // clients
        QString katcis;     // clients
        QString funkcia;    // employees: name of the job function
    };

    explicit PersonListModel(Kind kind, QObject *parent = nullptr);

    Kind kind() const { return m_kind; }
    Order order() const { return m_order; }
    void setOrder(Order order) { m_order = order; }

    // Reads the list afresh from the program's connection in the current order.
    bool reload(QString *error = nullptr);
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
    Kind m_kind;
    Order m_order = Order::ByName;
    QVector<Row> m_rows;
};

} // namespace ulk
