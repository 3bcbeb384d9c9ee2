#pragma once
#include "common/CheckResult.h"

namespace ulk {

class SubRecordTab;

// The check of each box of a sub-record tab, run by the tab's keyboard
// protocol on a move key (onKeyDown) or when the box is left: dates (and on
// the visits, examinations and the two records no other row of the tab with
// the same date), employee keys and facility codes looked up in their
// lists, hours cut to two characters, capitals, and the sibling's name,
// year of birth, sex and disability codes.
class SubRecordChecks {
public:
    explicit SubRecordChecks(SubRecordTab &tab);

    CheckResult check(int index, bool onKeyDown);

private:
    void capitals(int index);
    void firstCapital(int index);

    SubRecordTab &m_tab;
};

} // namespace ulk
