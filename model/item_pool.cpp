#include "model/item_pool.h"

#include <cstdlib>
#include <new>

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

constexpr size_t chunkBytes = 64 * 1024;
constexpr size_t blockAlignment = alignof(std::max_align_t);

size_t roundedUp(size_t size) { return (size + blockAlignment - 1) / blockAlignment * blockAlignment; }

}  // namespace

struct blockPool::chunk {
    chunk* next;
};

void* blockPool::take() {
    void* block;
    if (eachBlockFromTheHeap) {
        block = ::operator new(roundedUp(blockSize_));
    } else if (freeList_) {
        block = freeList_;
        freeList_ = *static_cast<void**>(block);
    } else {
        size_t step = roundedUp(blockSize_);
        if (next_ == nullptr || static_cast<size_t>(end_ - next_) < step) addChunk();
        block = next_;
        next_ += step;
    }
    // Counted once the block is there: a failed allocation throws before.
    ++inUse_;
    return block;
}

void blockPool::give(void* block) {
    if (!block) return;
    --inUse_;
    if (eachBlockFromTheHeap) return ::operator delete(block);
    *static_cast<void**>(block) = freeList_;
    freeList_ = block;
    if (inUse_ == 0) releaseChunks();
}

void blockPool::addChunk() {
    // A chunk holds its link and at least one block.
    size_t bytes = roundedUp(sizeof(chunk)) + (roundedUp(blockSize_) > chunkBytes ? roundedUp(blockSize_) : chunkBytes);
    auto* fresh = static_cast<chunk*>(std::malloc(bytes));
    if (!fresh) throw std::bad_alloc();
    fresh->next = chunks_;
    chunks_ = fresh;
    next_ = reinterpret_cast<char*>(fresh) + roundedUp(sizeof(chunk));
    end_ = reinterpret_cast<char*>(fresh) + bytes;
}

void blockPool::releaseChunks() {
    while (chunks_) {
        chunk* next = chunks_->next;
        std::free(chunks_);
        chunks_ = next;
    }
    freeList_ = nullptr;
    next_ = end_ = nullptr;
}

}  // namespace tv
