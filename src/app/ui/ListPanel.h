#pragma once
#include "data/PersonListModel.h"

#include <QWidget>

class QPushButton;
class QTableView;

namespace ulk {

// The list side of the main window: the client and the employee list, one of
// them shown, with the buttons new, edit, search, delete and the client sort.
class ListPanel : public QWidget {
    Q_OBJECT
public:
    ListPanel(const QString &programDirectory, QWidget *parent);

    enum class Mode { None = 0, Clients = 1, Employees = 2 };
    // 0 no list shown, 1 clients, 2 employees.
    int listMode() const { return int(m_mode); }
    PersonListModel *clientList() const { return m_clients; }
    PersonListModel *employeeList() const { return m_employees; }
    // The current row of the visible list, or -1.
    int currentRow() const;

    void showClients();
    void showEmployees();
    // Reads the visible list anew and puts the cursor on its first row.
    bool reopenList();
    // At start: only "Nový" waits for a list to be chosen, and it is disabled too.
    void disableButtons();
    // Back to the design state: no list shown, captions as designed, lists emptied.
    void reset();

public slots:
    void newRecord();
    void editRecord();
    void toggleSort();
    void search();
    void deleteRecord();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    // A record window opened from the list `mode` was closed.
    void recordWindowClosed(int mode);

private:
    PersonListModel *visibleModel() const;
    QTableView *visibleGrid() const;
    // Brings a list up to date; a list that cannot be read is told, not shown short.
    bool refreshList(PersonListModel *model);
    void showGrid(PersonListModel *model, QTableView *grid, QTableView *other);
    // The sort button's caption, which names the order its next click gives.
    void setSortTarget(PersonListModel::Order order);
    void enableListButtons();
    void disableListButtons();
    void focusList();
    void openRecord(bool employee);
    void searchBySurname(bool clients);
    void deleteClient();
    void deleteEmployee();

    QString m_dir;
    Mode m_mode = Mode::None;
    // The order the sort button's next click gives the client list. Only
    // that click changes it: the list itself goes back to name order when it
    // is shown again or after an edit.
    PersonListModel::Order m_sortTarget = PersonListModel::Order::ByCatalogue;
    PersonListModel *m_clients = nullptr;
    PersonListModel *m_employees = nullptr;
    QTableView *m_gridClients = nullptr;
    QTableView *m_gridEmployees = nullptr;
    QPushButton *m_new = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_search = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_sort = nullptr;
};

} // namespace ulk
