#include "client/ui/SubRecordTabs.h"

#include "client/SubRecordListModel.h"
#include "client/subrecords/SubRecordCodeLists.h"
#include "client/subrecords/SubRecordRules.h"
#include "client/ui/ClientWindow.h"
#include "client/ui/SubRecordPage.h"
#include "client/ui/SubRecordTab.h"
#include "common/Prompter.h"
#include "common/SharedState.h"
#include "common/ui/CodePicker.h"

#include <QListView>
#include <QPushButton>
#include <QTabWidget>

namespace ulk {

namespace {

const char *const kWindowButtons[] = {"cmdzapNew", "cmdZap", "cmdStorno", "cmdTlac"};

} // namespace

SubRecordTabs::SubRecordTabs(ClientWindow &window, const std::array<QWidget *, 14> &pages)
    : QObject(&window)
    , m_window(window)
    , m_codeLists(std::make_unique<SubRecordCodeLists>())
    , m_selectedEmployeeId(SubRecordRules::noEmployee())
{
    int n = 0;
    for (const SubRecordFamilyDef &f : SubRecordFamilies::all())
        m_tabs[std::size_t(n++)] = std::make_unique<SubRecordTab>(f.kind, pages[std::size_t(f.tab)], *this);
}

SubRecordTabs::~SubRecordTabs() = default;

SubRecordTab *SubRecordTabs::tab(SubRecordKind kind) const
{
    for (const auto &t : m_tabs)
        if (t->family().kind == kind)
            return t.get();
    return nullptr;
}

SubRecordTab *SubRecordTabs::tabAt(int tabIndex) const
{
    for (const auto &t : m_tabs)
        if (t->family().tab == tabIndex)
            return t.get();
    return nullptr;
}

SubRecordListModel *SubRecordTabs::list(SubRecordKind kind) const
{
    SubRecordTab *t = tab(kind);
    return t ? t->model() : nullptr;
}

QPushButton *SubRecordTabs::windowButton(const char *name) const
{
    return m_window.button(QString::fromLatin1(name));
}

void SubRecordTabs::tellReadFailure(const QString &error) const
{
    tell(SubRecordRules::readFailedMessage(error), QStringLiteral("Chybová správa"), PromptIcon::Exclamation);
}

bool SubRecordTabs::fillCodeLists(QString *error)
{
    if (!m_codeLists->load(error))
        return false;
    for (const auto &t : m_tabs) {
        if (CodePicker *picker = t->page().codePicker())
            picker->setCodeList(t->family().kind == SubRecordKind::Facilities ? &facilities() : &employees());
    }
    return true;
}

void SubRecordTabs::openClientSubRecords(const QString &clientKey)
{
    for (const auto &t : m_tabs)
        t->readRows(clientKey);
}

void SubRecordTabs::showTab(int tabIndex)
{
    if (SubRecordTab *t = tabAt(tabIndex)) {
        t->setBrowseMode();
        t->lockFields();
    }
}

void SubRecordTabs::enterEditMode(SubRecordTab *tab)
{
    m_editing = tab;
    QTabWidget *tabs = m_window.tabs();
    for (int t = 0; t < tabs->count(); ++t)
        tabs->setTabEnabled(t, t == tab->family().tab);
    for (const char *name : kWindowButtons)
        if (QPushButton *b = windowButton(name))
            b->setEnabled(false);
    m_window.setCancelButton(tab->button(SubRecordButton::Cancel));
}

void SubRecordTabs::enterBrowseMode(SubRecordTab *tab)
{
    // The tabs that the edit closed open again. (A tab shown in browse mode
    // finds them open: only a client whose basic data were never stored has
    // closed tabs, and it keeps them closed.)
    if (m_editing == tab) {
        m_editing = nullptr;
        const bool stored = !clientKey().trimmed().isEmpty();
        QTabWidget *tabs = m_window.tabs();
        for (int t = 0; t < tabs->count(); ++t)
            tabs->setTabEnabled(t, t == 0 || stored);
    }
    for (const char *name : kWindowButtons)
        if (QPushButton *b = windowButton(name))
            b->setEnabled(true);
    m_window.setCancelButton(windowButton("cmdStorno"));
}

CodeList &SubRecordTabs::employees() const { return m_codeLists->employees(); }

CodeList &SubRecordTabs::facilities() const { return m_codeLists->facilities(); }

QString SubRecordTabs::facilityKind() const { return m_codeLists->facilityKind(); }

QString SubRecordTabs::clientKey() const { return m_window.storedRow().key; }

QString SubRecordTabs::clientMeno() const { return m_window.storedRow().meno(); }

QString SubRecordTabs::clientPriezv() const { return m_window.storedRow().priezv(); }

void SubRecordTabs::setSelectedEmployeeId(const QString &id)
{
    m_selectedEmployeeId = SubRecordRules::paddedEmployeeKey(id);
}

void SubRecordTabs::chooseFacilityKind(const QString &kind)
{
    QString error;
    if (!m_codeLists->chooseFacilityKind(kind, &error))
        tellReadFailure(error);
    SubRecordTab *facilitiesTab = tab(SubRecordKind::Facilities);
    facilitiesTab->page().codePicker()->setCodeList(&facilities());
    facilitiesTab->readRows(shared().currentRecordId);
    facilitiesTab->setBrowseMode();
    facilitiesTab->lockFields();
}

} // namespace ulk
