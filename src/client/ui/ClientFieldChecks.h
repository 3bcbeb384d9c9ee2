#pragma once
#include "common/CheckResult.h"

namespace ulk {

class BasicDataPages;
class DisabilityEntry;
class BasicDataEditor;

// The check of each basic-data field, run by the field protocol when a move
// key is pressed in the field (onKeyDown) or when the field is left.
// Fields without a check pass.
class ClientFieldChecks {
public:
    ClientFieldChecks(BasicDataPages &pages, BasicDataEditor &editor);

    CheckResult checkField(int index, bool onKeyDown);

private:
    // Capital first letter of the field's text.
    void capitaliseFirst(int index);
    // Capital first letters of the first two words.
    void capitaliseTwoWords(int index);
    CheckResult checkCodeField(int index);
    // The disability entry of the person whose code box this is.
    DisabilityEntry *disability(int index) const;

    BasicDataPages &m_pages;
    BasicDataEditor &m_editor;
};

} // namespace ulk
