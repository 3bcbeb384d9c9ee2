#pragma once
#include <QString>

namespace ulk {

class FieldEdit;
class SubRecordTab;

// The window side of a sub-record tab's writes: reads the boxes for the
// save (the rules are SubRecordWrite's), tells what refused it and reads the
// rows again; asks before a delete; tells a duplicate date or sibling.
class SubRecordSaver {
public:
    explicit SubRecordSaver(SubRecordTab &tab);

    // What a save did: the row was written, or it was refused and the focus
    // belongs to focusBox (-1 the long text, noFocus where it is).
    struct Outcome {
        bool written = false;
        int focusBox = noFocus;
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
    SubRecordTab &m_tab;
};

} // namespace ulk
