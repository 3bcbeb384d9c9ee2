#pragma once
#include <QString>

namespace ulk {

// The regular end of the program, after the main window closed the register:
// ulk.mdb is compacted and the temporary archive removed. A failed step is
// told and stops the steps after it, leaving ulk.mdb as it was.
class ProgramExit {
public:
    static void compactRegister(const QString &programDirectory);
};

} // namespace ulk
