// Menu items come and go by the hundred thousand when a big data file is read or
// dropped, so their blocks (item and shared count in one) are carved from large
// chunks instead of going one by one through the heap. The model is used from
// one thread only.
#pragma once

#include <cstddef>
#include <memory>

namespace tv {

// Blocks of one size. Each chunk keeps its own freed blocks, and a chunk whose
// blocks have all come back goes back to the system at once: a second copy of
// a big menu, read and dropped while the first stays, leaves nothing behind.
class blockPool {
public:
    explicit constexpr blockPool(size_t blockSize) : blockSize_(blockSize) {}

    void* take();
    void give(void* block);

    size_t blocksInUse() const { return inUse_; }
    size_t chunkCount() const { return chunkCount_; }

private:
    struct chunk;
    chunk* addChunk();
    void releaseChunk(chunk* emptied);
    void keepRoomIn(chunk* roomy);
    void forgetRoomIn(chunk* full);
    bool blocksAlone() const;

    // Plain members with no destructor: blocks may come back while static objects
    // are destroyed at exit, in any order.
    chunk* withRoom_ = nullptr;  // the chunks that can serve a block, newest first
    size_t blockSize_;
    size_t inUse_ = 0;
    size_t chunkCount_ = 0;
};

// The pool for blocks of `Size` bytes: each size has its own, so a block always
// goes back where it came from.
template <size_t Size>
blockPool& poolOfSize() {
    static blockPool pool(Size);
    return pool;
}

// The allocator std::allocate_shared uses for menu items.
template <class T>
struct itemAllocator {
    using value_type = T;
    itemAllocator() = default;
    template <class U>
    itemAllocator(const itemAllocator<U>&) {}

    T* allocate(size_t n) {
        if (n != 1) return std::allocator<T>().allocate(n);
        return static_cast<T*>(poolOfSize<sizeof(T)>().take());
    }
    void deallocate(T* block, size_t n) {
        if (n != 1) return std::allocator<T>().deallocate(block, n);
        poolOfSize<sizeof(T)>().give(block);
    }
};

template <class T, class U>
bool operator==(const itemAllocator<T>&, const itemAllocator<U>&) { return true; }
template <class T, class U>
bool operator!=(const itemAllocator<T>&, const itemAllocator<U>&) { return false; }

}  // namespace tv
