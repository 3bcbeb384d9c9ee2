#pragma once

namespace ulk {

// Large work (a million rows read in parts, their sort keys, a report's
// rows) frees blocks of many megabytes. The C library would keep each such
// block for later allocations, and take ever larger blocks from its pools
// after one was freed, so that the process would hold hundreds of megabytes
// it no longer uses. With returnLargeBlocks() set when the program starts,
// a block of a megabyte or more is always taken from the system on its own
// and goes back to it as soon as it is freed.
namespace FreedMemory {
void returnLargeBlocks();
} // namespace FreedMemory

} // namespace ulk
