#pragma once
#include <QColor>
#include <QMainWindow>
#include <memory>

class QAction;

namespace ulk {

class ListPanel;
class RegisterLock;
class PersonListModel;
class SideBar;

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

    int listMode() const;
    QString schoolYear() const;
    QColor tileColour(int tile) const;
    QColor labelColour(const QString &labelName) const;
    int chosenTile() const;
    bool skipNextHover() const;
    PersonListModel *clientList() const;
    PersonListModel *employeeList() const;
    // The current row of the visible list, or -1.
    int currentRow() const;

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

signals:
    // The window was closed for good: the program ends.
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void printSupplementarySection();
    void printCareSection();

private:
    void buildMenus();
    // Takes the register for this program, or tells why it cannot.
    bool takeRegister();
    void setAllEnabled(bool enabled);
    void openArchive();
    void openRestore();
    void openRestoreAtStart();
    void openDoUkazForm();
    void openOdbStarForm();
    void printClientList();

    QString m_dir;
    bool m_startFailed = false;
    std::unique_ptr<RegisterLock> m_lock;

    SideBar *m_sideBar = nullptr;
    ListPanel *m_list = nullptr;
    QAction *m_mniArchiv = nullptr;
    QAction *m_mniDearchiv = nullptr;
    QAction *m_mniZozKlient = nullptr;
};

} // namespace ulk
