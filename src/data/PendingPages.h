#pragma once
#include <QString>

// Pages of the register that the system holds in memory and has not written
// to the disk yet: a register copied into place just before the program
// started may leave gigabytes of them. A commit makes the system write every
// such page of the file before it returns, not only its own, so the next
// commit on the window thread would freeze the window meanwhile. Written out
// beforehand on a thread of their own, they leave that commit its own pages.
namespace ulk::PendingPages {

// Writes out the file's pending pages, through a read-only connection of its
// own that holds no lock of the register meanwhile (any thread; the system
// takes as long as the disk needs). A failure is written to the log: the
// commit that follows meets it again and tells it.
void writeOut(const QString &registerFile);

} // namespace ulk::PendingPages
