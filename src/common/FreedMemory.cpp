#include "common/FreedMemory.h"

#include <cstdlib>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace ulk::FreedMemory {

void returnLargeBlocks()
{
#if defined(__GLIBC__)
    ::mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
}

} // namespace ulk::FreedMemory
