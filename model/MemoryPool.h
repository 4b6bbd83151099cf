#ifndef KORVANE_MODEL_MEMORYPOOL_H
#define KORVANE_MODEL_MEMORYPOOL_H

#include <cstddef>
#include <cstdlib>
#include <new>

// Fixed-size block allocator. Items come from chunks of a fixed capacity;
// freed items go on a LIFO free list and are never returned to the system
// before the pool itself is destroyed.
template <std::size_t ItemSize, bool Unused = false>
class MemoryPool {
public:
    struct Chunk {
        unsigned long capacity;
        unsigned long used;
        Chunk* next;
        unsigned char* data;
    };

    explicit MemoryPool(unsigned long itemsPerChunk)
        : itemsPerChunk(itemsPerChunk), freeList(nullptr), firstChunk(makeChunk()), currentChunk(firstChunk)
    {
    }

    MemoryPool(const MemoryPool&) = delete;
    MemoryPool& operator=(const MemoryPool&) = delete;

    ~MemoryPool()
    {
        currentChunk = firstChunk;
        while (currentChunk != nullptr) {
            Chunk* next = currentChunk->next;
            std::free(currentChunk->data);
            delete currentChunk;
            currentChunk = next;
        }
    }

    void* allocate()
    {
        if (freeList != nullptr) {
            void* item = freeList;
            freeList = *static_cast<void**>(item);
            return item;
        }
        if (currentChunk->used >= currentChunk->capacity) {
            Chunk* chunk = makeChunk();
            currentChunk->next = chunk;
            currentChunk = chunk;
        }
        void* item = currentChunk->data + currentChunk->used * itemSize;
        currentChunk->used += 1;
        return item;
    }

    void deallocate(void* item)
    {
        *static_cast<void**>(item) = freeList;
        freeList = item;
    }

    unsigned long getItemsPerChunk() const { return itemsPerChunk; }
    const Chunk* getFirstChunk() const { return firstChunk; }
    const Chunk* getCurrentChunk() const { return currentChunk; }

private:
    // Every item must be able to hold the free-list link and keep pointer alignment.
    static constexpr std::size_t itemSize =
        ItemSize < sizeof(void*) ? sizeof(void*) : (ItemSize + alignof(void*) - 1) / alignof(void*) * alignof(void*);

    Chunk* makeChunk()
    {
        void* data = std::malloc(itemsPerChunk * itemSize);
        if (data == nullptr)
            throw std::bad_alloc();
        return new Chunk{itemsPerChunk, 0, nullptr, static_cast<unsigned char*>(data)};
    }

    unsigned long itemsPerChunk;
    void* freeList;
    Chunk* firstChunk;
    Chunk* currentChunk;
};

#endif
