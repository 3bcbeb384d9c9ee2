#pragma once
#include "common/CheckResult.h"

#include <QObject>
#include <QVariant>

namespace ulk {

class DisabilityEntry;
class SubRecordTab;

// What the siblings tab adds to the common sub-record boxes: the sex picker
// cmbSur0 (its letter goes into textSur2), the dominant and associated
// disability codes of the sibling (textSur4 with cmbSur1, textSur5 with
// cmbSek3, the slots textPosS0 to textPosS8), and the disability string of
// the row shown.
class SiblingFields : public QObject {
    Q_OBJECT
public:
    explicit SiblingFields(SubRecordTab &tab);

    DisabilityEntry *entry() const;

    // A sibling row became current: its stored postih fills the slots and
    // the list of free categories; while the row is edited the associated
    // controls follow the stored string.
    void showRow(const QVariant &postih, bool editing);
    // A new row: no disability codes.
    void showNewRow();
    // The associated code box and list.
    void setAssociatedEnabled(bool enabled);

    // The dominant code typed into textSur4 and confirmed by a move key or
    // by leaving the box: a digit other than 0 becomes the dominant code,
    // the box is emptied, and the associated controls open unless the
    // dominant picker's last pick was its first item.
    CheckResult enterDominantCode();
    // One associated code typed into textSur5 (see DisabilityEntry).
    CheckResult enterAssociatedCode();

    // The string that the save stores in postih.
    QString codeString() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void chooseSex(int index);

    SubRecordTab &m_tab;
};

} // namespace ulk
