// Menu items come and go by the hundred thousand when a big data file is read or
// dropped, so their blocks (item and shared count in one) are carved from large
// chunks and kept on a free list instead of going one by one through the heap.
// The model is used from one thread only.
#pragma once

#include <cstddef>
#include <memory>

namespace tv {

// Blocks of one size. The chunks all go back to the heap once no block is in use,
// so a menu that shrinks does not keep its old peak.
class blockPool {
public:
    explicit constexpr blockPool(size_t blockSize) : blockSize_(blockSize) {}

    void* take();
    void give(void* block);

    size_t blocksInUse() const { return inUse_; }

private:
    void addChunk();
    void releaseChunks();

    // Plain members with no destructor: blocks may come back while static objects
    // are destroyed at exit, in any order.
    struct chunk;
    chunk* chunks_ = nullptr;
    void* freeList_ = nullptr;
    char* next_ = nullptr;
    char* end_ = nullptr;
    size_t blockSize_;
    size_t inUse_ = 0;
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
