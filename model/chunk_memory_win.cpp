#include <windows.h>

#include "model/chunk_memory.h"

namespace tv {

// VirtualAlloc hands out whole 64 KB units of address space, each aligned on 64 KB.
void* takeChunkMemory(size_t bytes) { return VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE); }

void giveChunkMemory(void* chunk) { VirtualFree(chunk, 0, MEM_RELEASE); }

}  // namespace tv
