#pragma once
#include <QString>

// The program's figures on the register in directory dir, measured through
// its main window and public classes in this process, each beside its anchor.
// The register is changed (ages written, a key changed, compacted, archived
// and restored): dir holds a copy.
namespace bench {

void measureProgram(const QString &dir);

// The first run after a start of one group's action ("preview": the printed
// client list; "statement": section I), as the first thing the program does
// on dir, a register just put in place (a fresh copy, not yet all on the
// disk), in a process of its own.
void measureFirstRun(const QString &dir, const QString &group);

} // namespace bench
