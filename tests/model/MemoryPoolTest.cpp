#include <gtest/gtest.h>

#include <functional>
#include <list>
#include <vector>

#include "model/Concept.h"
#include "model/Conjunction.h"
#include "model/MemoryPool.h"
#include "model/PrimitiveConcept.h"
#include "model/Role.h"
#include "model/pool_allocator.h"

namespace {

constexpr unsigned long kItemsPerChunk = 16376;

// True when p lies inside the data of one of the pool's chunks.
template <std::size_t ItemSize>
bool fromPool(const MemoryPool<ItemSize>& pool, const void* p)
{
    std::less_equal<const void*> le;
    std::less<const void*> lt;
    for (auto* chunk = pool.getFirstChunk(); chunk != nullptr; chunk = chunk->next) {
        const void* begin = chunk->data;
        const void* end = chunk->data + chunk->capacity * ItemSize;
        if (le(begin, p) && lt(p, end))
            return true;
    }
    return false;
}

TEST(MemoryPoolTest, ConstructorMakesTheFirstChunk)
{
    MemoryPool<8> pool(kItemsPerChunk);
    const auto* chunk = pool.getFirstChunk();
    ASSERT_NE(chunk, nullptr);
    EXPECT_EQ(pool.getCurrentChunk(), chunk);
    EXPECT_EQ(chunk->capacity, kItemsPerChunk);
    EXPECT_EQ(chunk->used, 0u);
    EXPECT_EQ(chunk->next, nullptr);
    EXPECT_EQ(pool.getItemsPerChunk(), kItemsPerChunk);
}

TEST(MemoryPoolTest, ItemsAreCutOneAfterAnother)
{
    MemoryPool<24> pool(kItemsPerChunk);
    unsigned char* data = pool.getFirstChunk()->data;
    EXPECT_EQ(pool.allocate(), data);
    EXPECT_EQ(pool.allocate(), data + 24);
    EXPECT_EQ(pool.allocate(), data + 48);
    EXPECT_EQ(pool.getFirstChunk()->used, 3u);
}

TEST(MemoryPoolTest, AllocationBeyondTheCapacityMakesASecondChunk)
{
    MemoryPool<8> pool(kItemsPerChunk);
    const auto* first = pool.getFirstChunk();
    for (unsigned long i = 0; i < kItemsPerChunk; ++i)
        pool.allocate();
    EXPECT_EQ(pool.getCurrentChunk(), first);
    EXPECT_EQ(first->used, kItemsPerChunk);
    EXPECT_EQ(first->next, nullptr);

    void* item = pool.allocate(); // the 16377th
    const auto* second = pool.getCurrentChunk();
    ASSERT_NE(second, first);
    EXPECT_EQ(first->next, second);
    EXPECT_EQ(first->used, kItemsPerChunk);
    EXPECT_EQ(second->capacity, kItemsPerChunk);
    EXPECT_EQ(second->used, 1u);
    EXPECT_EQ(second->next, nullptr);
    EXPECT_EQ(item, second->data);
}

TEST(MemoryPoolTest, FreedItemsComeBackLastInFirstOut)
{
    MemoryPool<8> pool(kItemsPerChunk);
    void* a = pool.allocate();
    void* b = pool.allocate();
    void* c = pool.allocate();
    pool.deallocate(a);
    pool.deallocate(c);
    // Freed items stay counted in their chunk.
    EXPECT_EQ(pool.getFirstChunk()->used, 3u);
    EXPECT_EQ(pool.allocate(), c);
    EXPECT_EQ(pool.allocate(), a);
    // With the free list empty again, the chunk is cut further.
    EXPECT_EQ(pool.allocate(), pool.getFirstChunk()->data + 3 * 8);
    EXPECT_NE(b, nullptr);
}

TEST(MemoryPoolTest, FreeListIsUsedBeforeANewChunkIsMade)
{
    MemoryPool<8> pool(kItemsPerChunk);
    void* last = nullptr;
    for (unsigned long i = 0; i < kItemsPerChunk; ++i)
        last = pool.allocate();
    pool.deallocate(last);
    EXPECT_EQ(pool.allocate(), last);
    EXPECT_EQ(pool.getCurrentChunk(), pool.getFirstChunk());
    EXPECT_EQ(pool.getFirstChunk()->next, nullptr);
}

TEST(PoolAllocatorTest, SingleElementsComeFromThePool)
{
    pool_allocator<unsigned long> alloc;
    auto& pool = pool_allocator<unsigned long>::pool();
    EXPECT_EQ(pool.getItemsPerChunk(), kItemsPerChunk);
    unsigned long* p = alloc.allocate(1);
    EXPECT_TRUE(fromPool(pool, p));
    alloc.deallocate(p, 1);
    EXPECT_EQ(alloc.allocate(1), p);
    alloc.deallocate(p, 1);
}

TEST(PoolAllocatorTest, LargerBlocksComeFromTheSystem)
{
    pool_allocator<unsigned long> alloc;
    auto& pool = pool_allocator<unsigned long>::pool();
    // Put a known item on top of the free list: a pool allocation would take it.
    unsigned long* top = alloc.allocate(1);
    alloc.deallocate(top, 1);
    const auto* current = pool.getCurrentChunk();
    const unsigned long used = current->used;

    std::vector<unsigned long, pool_allocator<unsigned long>> v{1, 2, 3};
    EXPECT_FALSE(fromPool(pool, v.data()));
    EXPECT_EQ(pool.getCurrentChunk(), current);
    EXPECT_EQ(current->used, used);
    EXPECT_EQ(alloc.allocate(1), top);
    alloc.deallocate(top, 1);
}

TEST(PoolAllocatorTest, VectorMovesFromThePoolToTheSystemAsItGrows)
{
    pool_allocator<unsigned long> alloc;
    auto& pool = pool_allocator<unsigned long>::pool();
    std::vector<unsigned long, pool_allocator<unsigned long>> v;
    v.push_back(1);
    unsigned long* single = v.data();
    EXPECT_TRUE(fromPool(pool, single));
    v.push_back(2);
    EXPECT_FALSE(fromPool(pool, v.data()));
    // The one-element block went back onto the free list.
    EXPECT_EQ(alloc.allocate(1), single);
    alloc.deallocate(single, 1);
}

#ifdef __GLIBCXX__
TEST(PoolAllocatorTest, OperandAndComponentListNodesComeFromTheirPools)
{
    using ConceptNode = std::_List_node<Concept*>;
    using RoleNode = std::_List_node<Role*>;
    ASSERT_EQ(sizeof(ConceptNode), 24u);
    auto& conceptNodes = pool_allocator<ConceptNode>::pool();
    auto& roleNodes = pool_allocator<RoleNode>::pool();

    Concept* a = new PrimitiveConcept(std::string("A"));
    Concept* b = new PrimitiveConcept(std::string("B"));
    Conjunction* c = new Conjunction(a, b);
    for (Concept*& operand : *c->operands)
        EXPECT_TRUE(fromPool(conceptNodes, &operand));

    RoleList components;
    components.push_back(nullptr);
    EXPECT_TRUE(fromPool(roleNodes, &components.front()));
    EXPECT_FALSE(fromPool(conceptNodes, &components.front()));
    delete c;
    delete a;
    delete b;
}
#endif

} // namespace
