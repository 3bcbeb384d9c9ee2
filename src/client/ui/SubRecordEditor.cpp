#include "client/ui/SubRecordEditor.h"

#include "client/ui/ClientWindow.h"
#include "client/ui/SubRecordPage.h"
#include "client/ui/SubRecordTab.h"
#include "client/ui/SubRecordTabs.h"
#include <QComboBox>
#include "common/ui/FieldEdit.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

namespace ulk {

SubRecordEditor::SubRecordEditor(SubRecordTab &tab) : FieldEditor(&tab), m_tab(tab)
{
    SubRecordPage &page = m_tab.page();
    for (int i = 0; i < page.boxCount(); ++i) {
        FieldEdit *box = page.box(i);
        box->installEventFilter(this);
        connect(box, &QLineEdit::textEdited, this, [this, box] {
            box->setTag(QString());
            m_refusedLeave = false;
        });
    }
}

bool SubRecordEditor::takeRefusedLeave()
{
    const bool refused = m_refusedLeave;
    m_refusedLeave = false;
    return refused;
}

bool SubRecordEditor::checkedOnEveryLeave(int i) const
{
    return SubRecordFamilies::box(m_tab.family(), i).check == SubRecordCheck::SiblingYear;
}

int SubRecordEditor::boxIndex(const QObject *object) const
{
    return m_tab.page().indexOf(object);
}

void SubRecordEditor::gotFocus(int i, QFocusEvent *event)
{
    if (isPassing(event->reason()) && m_lastFocused == i)
        return;
    m_lastFocused = i;
    FieldEdit *box = m_tab.page().box(i);
    box->setTag(QString());
    if (!m_tab.family().trimOnEntry)
        return;
    // A year of birth of 0 shows empty while it is edited.
    selectTrimmed(box, checkedOnEveryLeave(i));
}

CheckResult SubRecordEditor::runCheck(int i, bool onKeyDown)
{
    m_checking = true;
    const CheckResult r = m_check ? m_check(i, onKeyDown) : CheckResult::Accepted;
    m_checking = false;
    if (!retry(r))
        m_refusedLeave = false;
    return r;
}

QWidget *SubRecordEditor::moveTarget(int i, int key) const
{
    SubRecordPage &page = m_tab.page();
    const int last = page.boxCount() - 1;
    switch (key) {
    case Qt::Key_Up:
        if (i > 0)
            return page.box(i - 1);
        return page.longText() ? static_cast<QWidget *>(page.longText()) : page.box(0);
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return m_tab.button(SubRecordButton::Save);
    default: {
        const int target = i < last ? i + 1 : i;
        // A closed associated-code box sends the focus back to the dominant one.
        if (!page.box(target)->isEnabled())
            return page.box(target - 1);
        return page.box(target);
    }
    }
}

bool SubRecordEditor::keyDown(int i, QKeyEvent *event)
{
    if (m_checking)
        return true;
    FieldEdit *box = m_tab.page().box(i);
    const CheckResult r = runCheck(i, true);
    if (!box->isEnabled())
        return true;
    if (keptAfterMoveKey(box, r))
        return true;
    if (QWidget *target = moveTarget(i, event->key()); target && target != box)
        target->setFocus(Qt::OtherFocusReason);
    else
        box->setFocus(Qt::OtherFocusReason);
    return true;
}

bool SubRecordEditor::keyPress(int i, QKeyEvent *event)
{
    if (!SubRecordFamilies::box(m_tab.family(), i).digitsOnly || !typesNonDigit(event))
        return false;
    refuseNonDigit(m_tab.page().box(i));
    return true;
}

void SubRecordEditor::lostFocus(int i, QFocusEvent *event)
{
    if (isPassing(event->reason()) || m_checking || m_tab.inRoad())
        return;
    SubRecordPage &page = m_tab.page();
    FieldEdit *box = page.box(i);
    if (!box->isEnabled() || !box->window()->isVisible())
        return;
    QWidget *receiver = QApplication::focusWidget();
    if (m_returningTo >= 0 && receiver == page.box(m_returningTo))
        return;
    if (receiver && receiver == m_tab.button(SubRecordButton::Cancel)) {
        // Nothing is checked: the edit is cancelled, as Esc cancels it, once
        // the press that took the focus has been handled (unless the click
        // has cancelled it already).
        QPointer<QPushButton> cancel = m_tab.button(SubRecordButton::Cancel);
        SubRecordTab *tab = &m_tab;
        const int session = m_tab.editSession();
        QTimer::singleShot(0, this, [tab, cancel, session] {
            ClientWindow &window = tab->hub().window();
            if (cancel && tab->isInEditMode() && tab->editSession() == session && window.cancelButton() == cancel)
                window.reject();
        });
        return;
    }
    if (receiver && receiver == static_cast<QWidget *>(page.pickerOf(i)))
        return;
    const bool toOtherPicker = m_tab.family().pickerLeaveChecks && page.isBoxPicker(receiver);
    if (!toOtherPicker && box->tag() == QLatin1String("BK") && !checkedOnEveryLeave(i))
        return;
    if (retry(runCheck(i, false))) {
        m_refusedLeave = true;
        returnFocus(i);
    }
}

void SubRecordEditor::returnFocus(int i)
{
    // The focus is on its way elsewhere: it comes back once it has arrived.
    m_returningTo = i;
    QPointer<FieldEdit> box = m_tab.page().box(i);
    QTimer::singleShot(0, this, [this, box] {
        if (box && box->isEnabled() && box->window()->isVisible()) {
            m_checking = true;
            box->setFocus(Qt::OtherFocusReason);
            m_checking = false;
        }
        m_returningTo = -1;
    });
}

} // namespace ulk
