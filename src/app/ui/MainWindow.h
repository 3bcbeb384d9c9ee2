#pragma once
#include <QColor>
#include <QMainWindow>
#include <array>

class QAction;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QTableView;

namespace ulk {

class PersonListModel;
class Tile;

// FrmUvod: the main window with its side bar, the client and employee
// lists, the menus, and the start-up and exit of the program.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(const QString &programDirectory, QWidget *parent = nullptr);
    ~MainWindow() override;

    QString programDirectory() const { return m_dir; }

    // Form Load: finds and opens ulk.mdb. Returns false when the start failed
    // (the file was handed to the restore, or it is unusable): the program
    // must then end, without compaction.
    bool load();
    // Closes the database and every list; the window goes back to its design state.
    void unload();
    bool startFailed() const { return m_startFailed; }

    // Opens a new report connection on ulk.mdb, replacing (and closing) the
    // one held before. The statement prints read their rows through it.
    void connectDB();
    QString reportConnectionName() const { return m_reportConnection; }
    void releaseReportConnection();

    int listMode() const { return m_listMode; }
    QString schoolYear() const;
    QColor tileColour(int tile) const;
    QColor labelColour(const QString &labelName) const;
    int hoveredTile() const { return m_hoveredTile; }
    int chosenTile() const { return m_chosenTile; }
    bool skipNextHover() const { return m_skipNextHover; }
    PersonListModel *clientList() const { return m_clients; }
    PersonListModel *employeeList() const { return m_employees; }
    // The current row of the visible list, or -1.
    int currentRow() const;

    static QColor normalColour() { return {255, 255, 217}; }
    static QColor hoverColour() { return {255, 255, 168}; }
    static QColor chosenColour() { return {185, 255, 185}; }

public slots:
    void setClientMode();
    void setEmployeeMode();
    void newRecord();
    void editRecord();
    void toggleSort();
    void search();
    void deleteRecord();
    void changeSchoolYear();
    void computeSchoolYear();
    void compactAndExit();

private slots:
    void printAgeSection();
    void printEducationSection();
    void printEmployeeSection();

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void printSupplementarySection();
    void printCareSection();

private:
    void buildMenus();
    void buildSideBar();
    void buildList();
    void hoverTile(int k);
    void restoreSidebarColour();
    void setRestColours(int chosen);
    void showClientGrid();
    void showEmployeeGrid();
    void enableListButtons();
    void disableListButtons();
    bool reopenList();
    void focusList();
    QTableView *visibleGrid() const;
    void searchBySurname(bool clients);
    void deleteClient();
    void deleteEmployee();
    void setAllEnabled(bool enabled);
    void openClientRecord();
    void openEmployeeRecord();
    void openArchive();
    void openRestore();
    void openRestoreAtStart();
    void openDoUkazForm();
    void openOdbStarForm();
    void printClientList();

    QString m_dir;
    QString m_reportConnection;
    int m_reportSerial = 0;
    bool m_startFailed = false;
    int m_listMode = 0;
    int m_hoveredTile = 0;
    int m_chosenTile = 0;
    bool m_skipNextHover = false;
    std::array<QColor, 7> m_tileRest; // index 1..6

    QFrame *m_sideBar = nullptr;
    std::array<Tile *, 7> m_tiles{};
    QLabel *m_schoolYear = nullptr;
    QTableView *m_gridClients = nullptr;
    QTableView *m_gridEmployees = nullptr;
    PersonListModel *m_clients = nullptr;
    PersonListModel *m_employees = nullptr;
    QPushButton *m_new = nullptr;
    QPushButton *m_edit = nullptr;
    QPushButton *m_search = nullptr;
    QPushButton *m_delete = nullptr;
    QPushButton *m_sort = nullptr;
    QAction *m_mniArchiv = nullptr;
    QAction *m_mniDearchiv = nullptr;
    QAction *m_mniZozKlient = nullptr;
};

} // namespace ulk
