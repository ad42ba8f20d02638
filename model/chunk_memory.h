// Whole chunks of memory for the item pool, aligned on their own size (a
// power of two), whose forms differ between Windows and POSIX. On Windows a
// chunk comes straight from the system's address space, so a released one is
// gone from the process whatever the heap around it holds.
#pragma once

#include <cstddef>

namespace tv {

// Null when the system has none left.
void* takeChunkMemory(size_t bytes);
void giveChunkMemory(void* chunk);

}  // namespace tv
