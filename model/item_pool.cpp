#include "model/item_pool.h"

#include <cstddef>
#include <cstdint>
#include <new>

#include "model/chunk_memory.h"

namespace tv {

namespace {

// Under AddressSanitizer every block comes from the heap on its own, so that a
// use after free of an item is still caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool eachBlockFromTheHeap = true;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool eachBlockFromTheHeap = true;
#else
constexpr bool eachBlockFromTheHeap = false;
#endif
#else
constexpr bool eachBlockFromTheHeap = false;
#endif

// A chunk starts on a multiple of its own size, so a block finds its chunk by
// its address. 64 KB is also the system's unit of address space on Windows,
// where chunks come straight from it and a released one is gone from the
// process, whatever the heap around it holds.
constexpr size_t chunkBytes = 64 * 1024;
constexpr size_t blockAlignment = alignof(std::max_align_t);

constexpr size_t roundedUp(size_t size) { return (size + blockAlignment - 1) / blockAlignment * blockAlignment; }

}  // namespace

struct blockPool::chunk {
    chunk* previous;  // in withRoom_, when listed there
    chunk* next;
    bool listed;
    void* freeList;  // blocks given back
    char* fresh;     // the first block never handed out
    size_t inUse;
};

bool blockPool::blocksAlone() const {
    return eachBlockFromTheHeap || roundedUp(sizeof(chunk)) + roundedUp(blockSize_) > chunkBytes;
}

void* blockPool::take() {
    if (blocksAlone()) {
        void* block = ::operator new(roundedUp(blockSize_));
        ++inUse_;
        return block;
    }
    chunk* from = withRoom_ ? withRoom_ : addChunk();
    void* block;
    if (from->freeList) {
        block = from->freeList;
        from->freeList = *static_cast<void**>(block);
    } else {
        block = from->fresh;
        from->fresh += roundedUp(blockSize_);
    }
    ++from->inUse;
    ++inUse_;
    const char* end = reinterpret_cast<const char*>(from) + chunkBytes;
    if (!from->freeList && static_cast<size_t>(end - from->fresh) < roundedUp(blockSize_)) forgetRoomIn(from);
    return block;
}

void blockPool::give(void* block) {
    if (!block) return;
    --inUse_;
    if (blocksAlone()) return ::operator delete(block);
    auto* to = reinterpret_cast<chunk*>(reinterpret_cast<uintptr_t>(block) & ~static_cast<uintptr_t>(chunkBytes - 1));
    *static_cast<void**>(block) = to->freeList;
    to->freeList = block;
    --to->inUse;
    // The last chunk with room stays, so that one item made and dropped over
    // and over does not take and return a chunk each time.
    if (to->inUse == 0 && (to->listed ? withRoom_->next != nullptr : withRoom_ != nullptr))
        releaseChunk(to);
    else
        keepRoomIn(to);
}

blockPool::chunk* blockPool::addChunk() {
    auto* made = static_cast<chunk*>(takeChunkMemory(chunkBytes));
    if (!made) throw std::bad_alloc();
    made->previous = made->next = nullptr;
    made->listed = false;
    made->freeList = nullptr;
    made->fresh = reinterpret_cast<char*>(made) + roundedUp(sizeof(chunk));
    made->inUse = 0;
    ++chunkCount_;
    keepRoomIn(made);
    return made;
}

void blockPool::releaseChunk(chunk* emptied) {
    forgetRoomIn(emptied);
    --chunkCount_;
    giveChunkMemory(emptied);
}

void blockPool::keepRoomIn(chunk* roomy) {
    if (roomy->listed) return;
    roomy->listed = true;
    roomy->previous = nullptr;
    roomy->next = withRoom_;
    if (withRoom_) withRoom_->previous = roomy;
    withRoom_ = roomy;
}

void blockPool::forgetRoomIn(chunk* full) {
    if (!full->listed) return;
    full->listed = false;
    if (full->previous) full->previous->next = full->next;
    else withRoom_ = full->next;
    if (full->next) full->next->previous = full->previous;
    full->previous = full->next = nullptr;
}

}  // namespace tv
