#include "model/LargePageHeap.h"

#include <climits>
#include <cstdint>
#include <cstdlib>

#if defined(__linux__) && defined(__GLIBC__)
#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>
#define KORVANE_LARGE_PAGES 1
#endif

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#undef KORVANE_LARGE_PAGES
#endif
#if defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer) || __has_feature(memory_sanitizer)
#undef KORVANE_LARGE_PAGES
#endif
#endif

#ifdef KORVANE_LARGE_PAGES
namespace {

// The allocator's own settings: a small pad, large blocks mapped apart, the
// top of the heap given back when it is large.
void restoreDefaults()
{
    mallopt(M_TOP_PAD, 128 * 1024);
    mallopt(M_MMAP_MAX, 65536);
    mallopt(M_TRIM_THRESHOLD, 128 * 1024);
}

} // namespace
#endif

bool LargePageHeap::reserve(std::size_t bytes)
{
#ifdef KORVANE_LARGE_PAGES
    // The allocator grows the heap by this much free space above what it
    // needs (the pad takes an int, the range may be larger), never gives
    // the heap's top back, so the range made here stays mapped for good;
    // and every block, however large, comes from the heap.
    const std::size_t largest = static_cast<std::size_t>(INT_MAX) & ~((std::size_t(1) << 21) - 1);
    const int pad = static_cast<int>(bytes < largest ? bytes : largest);
    if (mallopt(M_TOP_PAD, pad) == 0 || mallopt(M_MMAP_MAX, 0) == 0 || mallopt(M_TRIM_THRESHOLD, -1) == 0) {
        restoreDefaults();
        return false;
    }
    // Growing the heap past the block leaves the pad above it; giving the
    // block back leaves the whole range free above the heap's top.
    void* block = std::malloc(bytes);
    if (block == nullptr) {
        restoreDefaults();
        return false;
    }
    const std::uintptr_t page = static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
    const std::uintptr_t begin = reinterpret_cast<std::uintptr_t>(block) & ~(page - 1);
    std::free(block);
    const std::uintptr_t end = reinterpret_cast<std::uintptr_t>(sbrk(0));
    if (end > begin && madvise(reinterpret_cast<void*>(begin), end - begin, MADV_HUGEPAGE) == 0)
        return true;
    restoreDefaults();
    return false;
#else
    (void)bytes;
    return false;
#endif
}
