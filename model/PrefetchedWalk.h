#ifndef KORVANE_MODEL_PREFETCHEDWALK_H
#define KORVANE_MODEL_PREFETCHEDWALK_H

#include <cstddef>

// A walk over a sequence of pointers to objects that lie scattered over the
// heap (the GCIs in the order of their set, the normalised concepts): once
// the terminology outgrows the caches, every visit would wait for its object
// and then for what the object points to. The walk lets `ask` ask for the
// parts of the object that the visit reads a few places ahead (the object's
// fields, which can lie a few cache lines into it) and, when those have had
// time to arrive, lets `follow` ask for what they point to, so that each
// visit finds both in cache. The visits run in the order of the sequence,
// which they must not change.
class PrefetchedWalk {
public:
    static constexpr std::size_t Far = 16;
    static constexpr std::size_t Near = 8;

    template <typename Iterator, typename Ask, typename Follow, typename Visit>
    static void each(Iterator begin, Iterator end, Ask ask, Follow follow, Visit visit)
    {
        Iterator far = begin;
        for (std::size_t k = 0; k < Far && far != end; ++k, ++far)
            ask(*far);
        Iterator near = begin;
        for (std::size_t k = 0; k < Near && near != end; ++k, ++near)
            follow(*near);
        for (Iterator it = begin; it != end; ++it) {
            if (far != end)
                ask(*far++);
            if (near != end)
                follow(*near++);
            visit(*it);
        }
    }

    template <typename Sequence, typename Ask, typename Follow, typename Visit>
    static void each(const Sequence& items, Ask ask, Follow follow, Visit visit)
    {
        each(items.begin(), items.end(), ask, follow, visit);
    }

    // The walk for visits that read only the objects themselves.
    template <typename Sequence, typename Ask, typename Visit>
    static void each(const Sequence& items, Ask ask, Visit visit)
    {
        each(items.begin(), items.end(), ask, [](const void*) {}, visit);
    }

    // Asks for the cache line at the address (none for null).
    static void prefetch(const void* address)
    {
        if (address != nullptr)
            __builtin_prefetch(address);
    }
};

#endif
