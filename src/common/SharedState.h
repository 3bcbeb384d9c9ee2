#pragma once
#include <QString>

// Values that the windows hand to each other: which record a record window
// opens, in which mode, and the caption it appends to its title.
namespace ulk {

struct SharedState {
    quint8 recordMode = 0;        // 0 idle, 1 new record, 2 edit the chosen record
    QString currentRecordId;      // key of the record to open, empty for a new one
    QString recordCaption;        // "KEY : first  surname", empty for a new one
    bool comboEscPressed = false; // Esc left a code-list picker: next check copies nothing
};

SharedState &shared();

} // namespace ulk
