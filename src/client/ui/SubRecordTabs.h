#pragma once
#include "client/subrecords/SubRecordFamilies.h"

#include <QObject>
#include <QString>
#include <array>
#include <memory>

class QPushButton;
class QWidget;

namespace ulk {

class ClientWindow;
class CodeList;
class SubRecordCodeLists;
class SubRecordListModel;
class SubRecordTab;

// The six sub-record tabs of the client record window and what they share:
// the employee list (datZamestnanci) of the three employee pickers, the
// facility list (DatCisZar) of the chosen facility kind, selectedEmployeeId,
// and the window-wide side of the two modes. While one tab edits a row,
// every other tab and the window's buttons cmdzapNew, cmdZap, cmdStorno and
// cmdTlac are disabled and the tab's own Storno is the window's cancel
// button; its browse mode gives them back.
class SubRecordTabs : public QObject {
    Q_OBJECT
public:
    static constexpr int familyCount = 6;

    // pages: the window's fourteen tab pages; the sub-record tabs are built
    // on the pages of their families.
    SubRecordTabs(ClientWindow &window, const std::array<QWidget *, 14> &pages);
    ~SubRecordTabs() override;

    ClientWindow &window() const { return m_window; }
    SubRecordTab *tab(SubRecordKind kind) const;
    // The tab shown on a tab index of the window, or nullptr.
    SubRecordTab *tabAt(int tabIndex) const;
    // The n-th family in the order of the family table.
    SubRecordTab *tabNumber(int n) const { return m_tabs.at(std::size_t(n)).get(); }
    SubRecordListModel *list(SubRecordKind kind) const;

    // Reads the employee list and the facility list of the chosen kind.
    bool fillCodeLists(QString *error);
    // Every tab reads the rows of the client with this key (facilities of
    // the chosen kind); nothing is edited afterwards.
    void openClientSubRecords(const QString &clientKey);
    // The window's tab index came to the front: a sub-record tab goes into
    // browse mode with its list on the current row.
    void showTab(int tabIndex);

    // The window-wide side of a tab's modes.
    void enterEditMode(SubRecordTab *tab);
    void enterBrowseMode(SubRecordTab *tab);

    // The client as the window last stored it: the key that new rows get,
    // the names that the delete prompts show. Empty while never stored.
    QString clientKey() const;
    QString clientMeno() const;
    QString clientPriezv() const;

    CodeList &employees() const;
    CodeList &facilities() const;

    // The employee chosen in a picker during the current edit, ten
    // characters; ten blanks when none was.
    QString selectedEmployeeId() const { return m_selectedEmployeeId; }
    void setSelectedEmployeeId(const QString &id);

    // "VYCH" (optZarVv, educational facilities) or "ULK" (optZarUlk).
    QString facilityKind() const;
    // The click of a kind option: the facility list and the client's
    // facilities of that kind are read; the facilities tab browses.
    void chooseFacilityKind(const QString &kind);

private:
    QPushButton *windowButton(const char *name) const;
    void tellReadFailure(const QString &error) const;

    ClientWindow &m_window;
    std::array<std::unique_ptr<SubRecordTab>, familyCount> m_tabs;
    std::unique_ptr<SubRecordCodeLists> m_codeLists;
    QString m_selectedEmployeeId;
    SubRecordTab *m_editing = nullptr;
};

} // namespace ulk
