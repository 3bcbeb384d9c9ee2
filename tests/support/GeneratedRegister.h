#pragma once
#include <QString>

namespace ulk::test {

// Puts a generated register of that many clients (ulk-generate's, seed 1) in
// place of the directory's ulk.mdb: a register large enough that its long
// work is seen while it runs. False, with a warning, when it cannot be made.
bool putGeneratedRegister(const QString &programDirectory, int clients);

} // namespace ulk::test
