#ifndef KORVANE_MODEL_POOL_ALLOCATOR_H
#define KORVANE_MODEL_POOL_ALLOCATOR_H

#include <cstddef>
#include <cstdlib>
#include <limits>
#include <new>

#include "model/MemoryPool.h"

// Standard allocator over one process-wide pool per element type: single
// elements (list and tree nodes, one-element vectors) come from the pool,
// larger blocks from the system.
template <typename T>
class pool_allocator {
public:
    using value_type = T;
    using pointer = T*;
    using const_pointer = const T*;
    using reference = T&;
    using const_reference = const T&;
    using size_type = std::size_t;
    using difference_type = std::ptrdiff_t;

    template <typename U>
    struct rebind {
        using other = pool_allocator<U>;
    };

    static constexpr unsigned long ItemsPerChunk = 16376;

    // The pool is made on first use and deliberately outlives every static
    // container that may still give nodes back while the process exits.
    static MemoryPool<sizeof(T)>& pool()
    {
        static MemoryPool<sizeof(T)>* thePool = new MemoryPool<sizeof(T)>(ItemsPerChunk);
        return *thePool;
    }

    pool_allocator() noexcept = default;
    template <typename U>
    pool_allocator(const pool_allocator<U>&) noexcept
    {
    }

    T* allocate(std::size_t n)
    {
        if (n == 1)
            return static_cast<T*>(pool().allocate());
        if (n > max_size())
            throw std::bad_alloc();
        void* p = std::malloc(n * sizeof(T));
        if (p == nullptr)
            throw std::bad_alloc();
        return static_cast<T*>(p);
    }

    void deallocate(T* p, std::size_t n) noexcept
    {
        if (p == nullptr)
            return;
        if (n == 1)
            pool().deallocate(p);
        else
            std::free(p);
    }

    std::size_t max_size() const noexcept { return std::numeric_limits<std::size_t>::max() / sizeof(T); }

    template <typename U, typename... Args>
    void construct(U* p, Args&&... args)
    {
        ::new (static_cast<void*>(p)) U(std::forward<Args>(args)...);
    }

    template <typename U>
    void destroy(U* p)
    {
        p->~U();
    }
};

template <typename T, typename U>
bool operator==(const pool_allocator<T>&, const pool_allocator<U>&) noexcept
{
    return true;
}

template <typename T, typename U>
bool operator!=(const pool_allocator<T>&, const pool_allocator<U>&) noexcept
{
    return false;
}

#endif
