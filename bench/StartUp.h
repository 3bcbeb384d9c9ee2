#pragma once
#include <QString>

namespace bench {

// Starts the program (a copy beside the register in dir) as its own process,
// as a user does, and returns the milliseconds from the start of the process
// until its main window has been painted and handed to the screen; *peakKb
// gets the process's peak memory by then. Negative when it did not show.
double startUp(const QString &program, const QString &dir, long *peakKb);

} // namespace bench
