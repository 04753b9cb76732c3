#include "widget/model/node_pool.h"

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <new>

namespace snippo {

namespace {

constexpr std::size_t kAlign = 64;  // the first object starts where a cache line starts

constexpr std::size_t RoundUp(std::size_t n, std::size_t to)
{
    return (n + to - 1) / to * to;
}

}  // namespace

// A block starts with this header; its objects follow. A set bit marks a place in use.
struct NodePool::Block {
    std::uint64_t used[kMaxPerBlock / 64];
    std::size_t free;
    std::size_t index;  // in m_blocks

    static constexpr std::size_t kHeader = RoundUp(sizeof(used) + 2 * sizeof(std::size_t), kAlign);

    char* Objects() { return reinterpret_cast<char*>(this) + kHeader; }
};

NodePool::NodePool(std::size_t objectSize)
    : m_objectSize(RoundUp(objectSize < 64 ? 64 : objectSize, 16)),
      m_perBlock((kBlockBytes - Block::kHeader) / m_objectSize)
{
    if (m_perBlock == 0 || m_perBlock > kMaxPerBlock)
        throw std::bad_alloc();
}

NodePool::~NodePool()
{
    for (Block* b : m_blocks)
        std::free(b);
}

std::size_t NodePool::BlockCount() const
{
    std::lock_guard lock(m_mutex);
    return m_blocks.size();
}

void* NodePool::Allocate()
{
    std::lock_guard lock(m_mutex);
    while (m_firstWithRoom < m_blocks.size() && m_blocks[m_firstWithRoom]->free == 0)
        ++m_firstWithRoom;
    if (m_firstWithRoom == m_blocks.size()) {
        // Aligned to its own size, so that an object's block follows from its address.
        void* memory = std::aligned_alloc(kBlockBytes, kBlockBytes);
        if (!memory)
            throw std::bad_alloc();
        Block* b = new (memory) Block{};
        b->free = m_perBlock;
        b->index = m_blocks.size();
        try {
            m_blocks.push_back(b);
        } catch (...) {
            std::free(memory);
            throw;
        }
    }
    Block* b = m_blocks[m_firstWithRoom];
    for (std::size_t w = 0;; ++w) {
        const std::uint64_t open = ~b->used[w];
        if (open == 0)
            continue;
        const std::size_t slot = w * 64 + static_cast<std::size_t>(std::countr_zero(open));
        b->used[w] |= std::uint64_t{1} << (slot % 64);
        --b->free;
        return b->Objects() + slot * m_objectSize;
    }
}

void NodePool::Free(void* p) noexcept
{
    if (!p)
        return;
    auto* b = reinterpret_cast<Block*>(reinterpret_cast<std::uintptr_t>(p) & ~(kBlockBytes - 1));
    const std::size_t slot = static_cast<std::size_t>(static_cast<char*>(p) - b->Objects()) / m_objectSize;
    std::lock_guard lock(m_mutex);
    b->used[slot / 64] &= ~(std::uint64_t{1} << (slot % 64));
    ++b->free;
    if (b->index < m_firstWithRoom)
        m_firstWithRoom = b->index;
}

}  // namespace snippo
