// Memory for the objects of the menu tree. Objects of one size are kept together in large
// blocks and handed out from the first free place of the earliest block with room, so a
// tree built in one go (read from a file, pasted, created) lies in memory in the order in
// which its walks visit it, without the strings and lists of other sizes in between. Walks
// over a large tree then read memory at an even stride, which the processor fetches ahead;
// scattered over the general heap, every step of such a walk waited for memory.
#pragma once

#include <cstddef>
#include <mutex>
#include <vector>

namespace snippo {

class NodePool {
public:
    static constexpr std::size_t kBlockBytes = std::size_t{1} << 18;

    // Objects of `objectSize` bytes (at least 64, at most a block's room for one).
    explicit NodePool(std::size_t objectSize);
    NodePool(const NodePool&) = delete;
    NodePool& operator=(const NodePool&) = delete;
    ~NodePool();

    void* Allocate();
    // `p` came from Allocate of this pool.
    void Free(void* p) noexcept;

    std::size_t ObjectSize() const { return m_objectSize; }
    std::size_t ObjectsPerBlock() const { return m_perBlock; }
    std::size_t BlockCount() const;

private:
    struct Block;
    static constexpr std::size_t kMaxPerBlock = 4096;

    std::size_t m_objectSize;
    std::size_t m_perBlock;
    mutable std::mutex m_mutex;
    std::vector<Block*> m_blocks;     // in the order they were made
    std::size_t m_firstWithRoom = 0;  // no block before this one has a free place
};

// The pool for objects of `Size` bytes, shared by every thread; it lives to the end of the
// process, so that objects destroyed during exit still have it.
template <std::size_t Size> NodePool& PoolFor()
{
    static NodePool* pool = new NodePool(Size);
    return *pool;
}

// Base of a tree node class `T`: its objects come from the pool for its size; a class
// derived from `T`, of another size, goes to the general heap. Builds that check memory
// access use the general heap throughout, so that every object stays visible to the checker.
template <class T> class PooledNode {
public:
    static void* operator new(std::size_t size)
    {
#if !defined(__SANITIZE_ADDRESS__)
        if (size == sizeof(T))
            return PoolFor<sizeof(T)>().Allocate();
#endif
        return ::operator new(size);
    }
    static void operator delete(void* p, [[maybe_unused]] std::size_t size) noexcept
    {
#if !defined(__SANITIZE_ADDRESS__)
        if (size == sizeof(T)) {
            PoolFor<sizeof(T)>().Free(p);
            return;
        }
#endif
        ::operator delete(p);
    }
};

}  // namespace snippo
