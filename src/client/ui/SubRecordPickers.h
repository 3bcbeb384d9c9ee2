#pragma once
#include <QObject>

namespace ulk {

class CodePicker;
class SubRecordTab;

// The code-list picker of a sub-record tab beyond what CodePicker does:
// - the employee pickers DBCPza, DBCZsc and DBCZaz: with no employees a
//   click or Enter says "Chýba zoznam zamestnancov ! " and goes back to the
//   box; a line chosen from the list (or Enter on the chosen line) makes
//   that employee the list's current row and selectedEmployeeId, and the box
//   receives the key padded to ten characters; Esc goes back to the box so
//   that its next check copies nothing;
// - the facility picker dbcZar opens on the facility whose code the box
//   begins with (else on the first one) and copies the two-digit code.
class SubRecordPickers : public QObject {
    Q_OBJECT
public:
    explicit SubRecordPickers(SubRecordTab &tab);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    CodePicker *picker() const;
    // False (after the message) when there are no employees.
    bool employeesListed();
    void pickEmployee(int row);
    void positionFacilityList();
    void focusBox();

    SubRecordTab &m_tab;
    bool m_employee = false;
};

} // namespace ulk
