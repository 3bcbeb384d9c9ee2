#include "client/ui/SubRecordTabs.h"

#include "client/SubRecordListModel.h"
#include "client/subrecords/SubRecordRules.h"
#include "client/ui/ClientWindow.h"
#include "client/ui/SubRecordPage.h"
#include "client/ui/SubRecordTab.h"
#include "common/Prompter.h"
#include "common/SharedState.h"
#include "common/ui/CodePicker.h"
#include "data/CodeList.h"

#include <QListView>
#include <QPushButton>
#include <QTabWidget>

namespace ulk {

namespace {

// Every employee by surname and first name: "spolu" is the surname, a blank
// and the first name; the picker line "roleta" the key in nine places, "|",
// the surname, two blanks and the first name.
const char *const kEmployeesSql =
    "SELECT idkod, trim(coalesce(priezv, '')) || ' ' || trim(coalesce(meno, '')) AS spolu, "
    "substr(idkod || '         ', 1, max(9, length(idkod))) || '|' || trim(coalesce(priezv, '')) || '  ' "
    "|| trim(coalesce(meno, '')) AS roleta "
    "FROM zamestnanci ORDER BY priezv COLLATE SK, meno COLLATE SK";

// The facilities of one kind by code; the line is the code in two digits,
// two blanks, "|", two blanks and the name.
const char *const kFacilitiesSql =
    "SELECT kod, nazov, CASE WHEN length(kod) < 2 THEN substr('00' || kod, -2) ELSE kod END "
    "|| '  |  ' || coalesce(nazov, '') AS roleta FROM c_zariad WHERE akronym = ? ORDER BY kod";

const char *const kWindowButtons[] = {"cmdzapNew", "cmdZap", "cmdStorno", "cmdTlac"};

} // namespace

SubRecordTabs::SubRecordTabs(ClientWindow &window, const std::array<QWidget *, 14> &pages)
    : QObject(&window)
    , m_window(window)
    , m_employees(std::make_unique<CodeList>(QStringLiteral("zamestnanci"), QStringLiteral("idkod"),
                                             QStringLiteral("spolu")))
    , m_facilities(
          std::make_unique<CodeList>(QStringLiteral("c_zariad"), QStringLiteral("kod"), QStringLiteral("nazov")))
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

QListView *SubRecordTabs::view(int n) const
{
    return n >= 0 && n < familyCount ? m_tabs.at(std::size_t(n))->page().list() : nullptr;
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
    if (!m_employees->load(QString::fromLatin1(kEmployeesSql), {}, error)
        || !m_facilities->load(QString::fromLatin1(kFacilitiesSql), {m_facilityKind}, error))
        return false;
    for (const auto &t : m_tabs) {
        if (CodePicker *picker = t->page().codePicker())
            picker->setCodeList(t->family().kind == SubRecordKind::Facilities ? m_facilities.get()
                                                                              : m_employees.get());
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

QString SubRecordTabs::clientKey() const { return m_window.storedRow().key; }

QString SubRecordTabs::clientMeno() const { return m_window.storedRow().meno(); }

QString SubRecordTabs::clientPriezv() const { return m_window.storedRow().priezv(); }

void SubRecordTabs::setSelectedEmployeeId(const QString &id)
{
    m_selectedEmployeeId = SubRecordRules::paddedEmployeeKey(id);
}

void SubRecordTabs::chooseFacilityKind(const QString &kind)
{
    m_facilityKind = kind;
    QString error;
    if (!m_facilities->load(QString::fromLatin1(kFacilitiesSql), {kind}, &error))
        tellReadFailure(error);
    SubRecordTab *facilities = tab(SubRecordKind::Facilities);
    facilities->page().codePicker()->setCodeList(m_facilities.get());
    facilities->readRows(shared().currentRecordId);
    facilities->setBrowseMode();
    facilities->lockFields();
}

} // namespace ulk
