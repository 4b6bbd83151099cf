#ifndef KORVANE_REASONER_MAPPEDALLOCATOR_H
#define KORVANE_REASONER_MAPPEDALLOCATOR_H

#include <cstddef>
#include <new>
#include <vector>

#include <sys/mman.h>

// An allocator whose blocks are pages mapped apart from the heap. What the
// classification keeps from one run to the next, or notes beside the heap's
// own pattern of a run, lives there: the heap that the concepts come from is
// left as a run without it leaves it, and some orders of concepts (the
// existentials of one role in the normalisation map) follow their
// addresses.
template <typename T>
class MappedAllocator {
public:
    using value_type = T;

    MappedAllocator() = default;
    template <typename U>
    MappedAllocator(const MappedAllocator<U>&) noexcept
    {
    }

    T* allocate(std::size_t n)
    {
        void* block = mmap(nullptr, n * sizeof(T), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (block == MAP_FAILED)
            throw std::bad_alloc();
        return static_cast<T*>(block);
    }
    void deallocate(T* p, std::size_t n) noexcept { munmap(p, n * sizeof(T)); }

    template <typename U>
    bool operator==(const MappedAllocator<U>&) const noexcept
    {
        return true;
    }
    template <typename U>
    bool operator!=(const MappedAllocator<U>&) const noexcept
    {
        return false;
    }
};

template <typename T>
using MappedVector = std::vector<T, MappedAllocator<T>>;

#endif
