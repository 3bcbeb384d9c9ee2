#pragma once
#include <QString>
#include <QVariantMap>

namespace ulk {

class FieldEdit;
class SubRecordTab;

// The write side of a sub-record tab: the save of the row being added or
// edited (required boxes, the columns the save sets itself, one statement,
// the rows read again and the row that is current afterwards), the delete of
// the current row after its question, and the duplicate checks of a date and
// of a sibling's name.
class SubRecordSaver {
public:
    explicit SubRecordSaver(SubRecordTab &tab);

    // What a save did: the row was written, or it was refused and the focus
    // belongs to focusBox (-1 the long text, noFocus where it is).
    struct Outcome {
        bool written = false;
        int focusBox = noFocus;
        int requiredFailed = 0; // 1 or 2: the first or second required box was empty
    };
    static constexpr int noFocus = -2;
    Outcome save();

    // Asks, and deletes the current row on Yes; the rows are read again.
    void remove();

    // True when another row of the tab has the date of the box (reported).
    bool checkDuplicateDate(FieldEdit *dateBox);
    // True when another sibling of the client has the name of the box (reported).
    bool checkDuplicateSibling(FieldEdit *nameBox);

private:
    // Whether a row found by a search is another row than the one edited.
    bool isOtherRow(int found) const;
    // The column values of the boxes; false when a date box holds no date
    // (its box in *badBox).
    bool valuesFromBoxes(QVariantMap &values, int *badBox) const;
    // The employee key that a new row stores; empty when there is none.
    QString employeeOfNewRow() const;

    SubRecordTab &m_tab;
};

} // namespace ulk
