#include <cstdlib>

#include "model/chunk_memory.h"

namespace tv {

void* takeChunkMemory(size_t bytes) { return std::aligned_alloc(bytes, bytes); }

void giveChunkMemory(void* chunk) { std::free(chunk); }

}  // namespace tv
