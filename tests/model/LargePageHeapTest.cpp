// The heap reserved on large pages: blocks allocated afterwards, however
// large, lie in memory that the kernel backs with large pages; where the
// sanitizer's allocator or the kernel refuse, nothing changes.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "model/LargePageHeap.h"

namespace {

// The VmFlags line of the mapping that holds the address, from the
// process's own memory map; empty when no mapping holds it.
std::string mappingFlags(const void* address)
{
    const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(address);
    std::ifstream smaps("/proc/self/smaps");
    std::string line;
    bool inside = false;
    while (std::getline(smaps, line)) {
        std::uintptr_t from = 0;
        std::uintptr_t to = 0;
        char dash = 0;
        std::istringstream range(line);
        if (range >> std::hex >> from >> dash >> to && dash == '-' && line.find(':') > line.find(' ')) {
            inside = from <= at && at < to;
            continue;
        }
        if (inside && line.compare(0, 8, "VmFlags:") == 0)
            return line;
    }
    return "";
}

bool sanitized()
{
    const char* value = std::getenv("KORVANE_SANITIZED");
    return value != nullptr && value[0] == '1';
}

// Reserves the range, or tells why the test cannot run here.
bool reserveOrSkip(std::size_t bytes, std::string& why)
{
    if (sanitized()) {
        EXPECT_FALSE(LargePageHeap::reserve(bytes));
        why = "the sanitizer's allocator keeps its own heap";
        return false;
    }
    if (!std::ifstream("/sys/kernel/mm/transparent_hugepage/enabled")) {
        EXPECT_FALSE(LargePageHeap::reserve(bytes));
        why = "this kernel has no large pages for the heap";
        return false;
    }
    EXPECT_TRUE(LargePageHeap::reserve(bytes));
    return true;
}

TEST(LargePageHeapTest, LaterLargeBlocksLieInLargePageMemory)
{
    std::string why;
    if (!reserveOrSkip(std::size_t(256) << 20, why))
        GTEST_SKIP() << why;
    // Blocks well above the size that would otherwise get a mapping of its
    // own; small blocks may still reuse free space from below the range.
    for (std::size_t size : {std::size_t(1) << 20, std::size_t(8) << 20, std::size_t(64) << 20}) {
        void* block = std::malloc(size);
        ASSERT_NE(block, nullptr);
        const std::string flags = mappingFlags(block);
        EXPECT_NE(flags.find(" hg"), std::string::npos) << size << " bytes: " << flags;
        std::free(block);
    }
}

// A range larger than the allocator's pad (an int) lies in large-page
// memory to its end: blocks held at once up to most of it (address space
// only, nothing but their headers is touched).
TEST(LargePageHeapTest, ARangeBeyondTwoGigabytesLiesInLargePageMemory)
{
    std::string why;
    if (!reserveOrSkip(std::size_t(3) << 30, why))
        GTEST_SKIP() << why;
    const std::size_t size = std::size_t(256) << 20;
    std::vector<void*> blocks;
    for (int i = 0; i < 11; ++i) {
        void* block = std::malloc(size);
        ASSERT_NE(block, nullptr);
        blocks.push_back(block);
        const std::string flags = mappingFlags(block);
        EXPECT_NE(flags.find(" hg"), std::string::npos) << "block " << i << ": " << flags;
    }
    for (void* block : blocks)
        std::free(block);
}

} // namespace
