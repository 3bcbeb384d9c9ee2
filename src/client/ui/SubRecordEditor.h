#pragma once
#include "common/CheckResult.h"

#include <QObject>
#include <functional>

class QFocusEvent;
class QKeyEvent;
class QWidget;

namespace ulk {

class SubRecordTab;

// The keyboard protocol of a sub-record tab's edit boxes:
// - a box that gets the focus loses its "BK" mark; on the facilities and
//   siblings tabs its text is also trimmed and selected (the year of birth
//   holding 0 shows empty);
// - Enter and Down move to the next box, Up to the previous one (from the
//   first box to the tab's long text where it has one), PgUp and PgDn to the
//   tab's Save button, each after the box's check has accepted the value; the
//   box is then marked "BK";
// - a box left otherwise is checked, unless it is disabled, the focus goes
//   to the box's own picker, or the box is marked "BK" (the year of birth is
//   checked on every leave); leaving for the tab's Storno checks nothing and
//   cancels the edit as Esc does. A refused value brings the focus back.
// - digits-only boxes refuse other characters with "Zadávaj len číselné
//   hodnoty !".
// Typing into a box takes back its mark, so that a changed value is checked
// when the box is left.
class SubRecordEditor : public QObject {
    Q_OBJECT
public:
    using CheckHook = std::function<CheckResult(int index, bool onKeyDown)>;

    explicit SubRecordEditor(SubRecordTab &tab);

    void setCheckHook(CheckHook hook) { m_check = std::move(hook); }

    // True once (then false) after a check on leaving a box refused its
    // value: the click that took the focus away saves nothing.
    bool takeRefusedLeave();
    // A new edit starts with no refused leave behind it.
    void clearRefusedLeave() { m_refusedLeave = false; }

    static QString digitsOnlyMessage() { return QStringLiteral("Zadávaj len číselné hodnoty !"); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void gotFocus(int i, QFocusEvent *event);
    bool keyDown(int i, QKeyEvent *event);
    bool keyPress(int i, QKeyEvent *event);
    void lostFocus(int i, QFocusEvent *event);
    CheckResult runCheck(int i, bool onKeyDown);
    QWidget *moveTarget(int i, int key) const;
    void returnFocus(int i);
    bool checkedOnEveryLeave(int i) const;

    SubRecordTab &m_tab;
    CheckHook m_check;
    bool m_checking = false;
    bool m_refusedLeave = false;
    int m_lastFocused = -1;
    int m_returningTo = -1;
};

} // namespace ulk
