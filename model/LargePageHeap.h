#ifndef KORVANE_MODEL_LARGEPAGEHEAP_H
#define KORVANE_MODEL_LARGEPAGEHEAP_H

#include <cstddef>

// The classification touches a few scattered cache lines of its heap per
// rule application; with 4 KiB pages most of those touches also miss the
// TLB. reserve() grows the process heap once by a large address range (no
// memory is touched) and asks the kernel to back that range with 2 MiB
// pages, so the model and the classification tables allocated afterwards
// live on large pages. Blocks too big for the heap are taken from the
// heap as well while the range lasts. Does nothing, and reports false,
// where the allocator or the kernel refuses (or under a sanitizer, whose
// allocator keeps its own heap).
class LargePageHeap {
public:
    static constexpr std::size_t DefaultRange = std::size_t(1) << 32;

    static bool reserve(std::size_t bytes = DefaultRange);
};

#endif
