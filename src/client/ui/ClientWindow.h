#pragma once
#include "client/ClientRecord.h"
#include "client/ClientSaveCheck.h"
#include "client/SubRecordListModel.h"

#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <array>
#include <memory>

class QPlainTextEdit;

class QTabWidget;

namespace ulk {

class BasicDataEditor;
class BasicDataPages;
class ClientFieldChecks;
class ClientPickers;
class FieldEdit;
class SubRecordTabs;

// frmKlientUdaj: the client record window. Fourteen tabs: the basic data of
// the client and of the parents, the six long texts, and the six lists of
// the client's sub-records. Opened modally for a new client (recordMode 1)
// or for the client currentRecordId (recordMode 2); its buttons save the
// basic data, save and start the next client, save and return, or cancel.
class ClientWindow : public QDialog {
    Q_OBJECT
public:
    static constexpr int tabCount = 14;
    static constexpr int subRecordListCount = 6;

    explicit ClientWindow(const QString &programDirectory, QWidget *parent = nullptr);
    ~ClientWindow() override;

    // exec() returns at once when the window could not open its client (it
    // has said so).
    int exec() override;

    QString programDirectory() const { return m_dir; }
    QTabWidget *tabs() const { return m_tabs; }
    BasicDataPages &pages() const { return *m_pages; }
    BasicDataEditor &editor() const { return *m_editor; }
    FieldEdit *field(int index) const;
    QPlainTextEdit *memoField(int index) const { return m_memo.at(std::size_t(index)); }
    SubRecordListModel *subRecordList(SubRecordListModel::Kind kind) const;
    // The six sub-record tabs (siblings, facilities, examinations, records
    // of special-education care, recorded changes, visits).
    SubRecordTabs &subRecords() const { return *m_subRecords; }
    QPushButton *button(const QString &objectName) const;
    // The rows as last read from or written to the database.
    const ClientRow &storedRow() const { return m_stored; }

    // The button that Esc and the close box press: cmdStorno, or while a
    // sub-record is edited that tab's own cancel button.
    void setCancelButton(QPushButton *button);
    QPushButton *cancelButton() const { return m_cancelButton; }

    // What the window does each time it becomes active again after a window
    // that it opened has closed (and at its first showing): tab 0 in front,
    // the focus in the first name.
    void activate();
    void printCurrentTab();
    // Reads the six sub-record lists afresh for currentRecordId.
    void openClientSubRecords();
    // Saves the basic data and the long texts when the save's checks let
    // it; a refusal is told and the focus goes to the field concerned.
    bool saveClient();

    // Whether the catalogue number in field belongs to another client; when
    // it does, the user is told so and the result is true.
    bool kon_katCislo(FieldEdit *field);

public slots:
    void reject() override;

signals:
    // A sub-record tab came to the front.
    void subRecordTabShown(int tab);

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildTabs();
    void buildButtons();
    bool openClientRecord();
    bool fillCodeLists();
    void lockTabsForNewClient();
    void showClient(const ClientRow &row);
    ClientRow clientFromControls() const;
    void showTab(int index);
    void focusField(int index);
    void startNewClient();
    // optKrz 4 "matka", 5 "otec", 6 "iný": the legal representative's fields
    // take the parent's texts as the screen shows them, or become empty.
    void fillRepresentative(int option);

    void saveBasicData();      // cmdZaklUd
    void saveAndNewClient();   // cmdzapNew
    void saveAndReturn();      // cmdZap
    void cancel();             // cmdStorno

    QString m_dir;
    bool m_opened = false;
    bool m_activatedOnce = false;
    QTabWidget *m_tabs = nullptr;
    std::unique_ptr<BasicDataPages> m_pages;
    BasicDataEditor *m_editor = nullptr;
    std::unique_ptr<ClientFieldChecks> m_checks;
    ClientPickers *m_pickers = nullptr;
    std::array<QPlainTextEdit *, 6> m_memo{};
    SubRecordTabs *m_subRecords = nullptr;
    QPushButton *m_cmdZaklUd = nullptr;
    QPushButton *m_cmdzapNew = nullptr;
    QPushButton *m_cmdZap = nullptr;
    QPushButton *m_cmdStorno = nullptr;
    QPushButton *m_cmdTlac = nullptr;
    QPointer<QPushButton> m_cancelButton;
    ClientRow m_stored;
};

} // namespace ulk
