#pragma once
#include <QString>

// The program's figures on the register in directory dir, measured through
// its main window and public classes in this process, each beside its anchor.
// The register is changed (ages written, a key changed, compacted, archived
// and restored): dir holds a copy.
namespace bench {

void measureProgram(const QString &dir);

} // namespace bench
