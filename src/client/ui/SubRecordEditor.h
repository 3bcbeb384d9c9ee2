#pragma once
#include "client/ui/FieldEditor.h"

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
class SubRecordEditor : public FieldEditor {
    Q_OBJECT
public:
    explicit SubRecordEditor(SubRecordTab &tab);

    // True once (then false) after a check on leaving a box refused its
    // value: the click that took the focus away saves nothing.
    bool takeRefusedLeave();
    // A new edit starts with no refused leave behind it.
    void clearRefusedLeave() { m_refusedLeave = false; }

protected:
    int boxIndex(const QObject *object) const override;
    void gotFocus(int i, QFocusEvent *event) override;
    bool keyDown(int i, QKeyEvent *event) override;
    bool keyPress(int i, QKeyEvent *event) override;
    void lostFocus(int i, QFocusEvent *event) override;

private:
    CheckResult runCheck(int i, bool onKeyDown);
    QWidget *moveTarget(int i, int key) const;
    void returnFocus(int i);
    bool checkedOnEveryLeave(int i) const;

    SubRecordTab &m_tab;
    bool m_refusedLeave = false;
};

} // namespace ulk
