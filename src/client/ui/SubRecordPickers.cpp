#include "client/ui/SubRecordPickers.h"

#include "client/subrecords/SubRecordRules.h"
#include "client/ui/SubRecordPage.h"
#include "client/ui/SubRecordTab.h"
#include "client/ui/SubRecordTabs.h"
#include "common/Prompter.h"
#include "common/ui/CodePicker.h"
#include "common/ui/FieldEdit.h"
#include "data/CodeList.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace ulk {

SubRecordPickers::SubRecordPickers(SubRecordTab &tab) : QObject(&tab), m_tab(tab)
{
    m_employee = m_tab.family().employeeBox >= 0;
    CodePicker *p = picker();
    if (!p)
        return;
    p->installEventFilter(this);
    if (m_employee)
        connect(p, &CodePicker::picked, this, &SubRecordPickers::pickEmployee);
}

CodePicker *SubRecordPickers::picker() const { return m_tab.page().codePicker(); }

void SubRecordPickers::focusBox()
{
    if (FieldEdit *box = picker()->field(); box && box->isEnabled())
        box->setFocus(Qt::OtherFocusReason);
}

bool SubRecordPickers::employeesListed()
{
    if (m_tab.hub().employees().size() > 0)
        return true;
    tell(SubRecordRules::missingEmployeesMessage(), QString(), PromptIcon::Exclamation);
    focusBox();
    return false;
}

void SubRecordPickers::pickEmployee(int row)
{
    CodeList &employees = m_tab.hub().employees();
    if (row < 0 || row >= employees.size())
        return;
    employees.setCurrent(row);
    const QString id = SubRecordRules::paddedEmployeeKey(employees.code(row));
    m_tab.hub().setSelectedEmployeeId(id);
    // The box holds the ten characters as the pick of that row.
    picker()->writePick(row, id);
    focusBox();
}

void SubRecordPickers::positionFacilityList()
{
    CodeList &facilities = m_tab.hub().facilities();
    const QString code = picker()->field() ? picker()->field()->text().left(2) : QString();
    int row = -1;
    for (int r = 0; r < facilities.size() && row < 0; ++r)
        if (facilities.code(r) == code)
            row = r;
    if (row < 0)
        row = facilities.size() > 0 ? 0 : -1;
    facilities.setCurrent(row);
    if (row >= 0 && picker()->pickedRow() < 0) {
        // The list opens on that facility; nothing is copied yet.
        const QSignalBlocker block(picker());
        picker()->setCurrentIndex(row);
    }
}

bool SubRecordPickers::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != picker())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent *>(event)->button() != Qt::LeftButton || !picker()->isEnabled())
            break;
        if (m_employee && !employeesListed())
            return true;
        if (!m_employee)
            positionFacilityList();
        break;
    case QEvent::KeyPress: {
        if (!m_employee)
            break;
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            break;
        if (employeesListed()) {
            if (picker()->currentIndex() >= 0)
                pickEmployee(picker()->currentIndex());
            else
                focusBox();
        }
        return true;
    }
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace ulk
