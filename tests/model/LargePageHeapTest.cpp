// The heap reserved on large pages: blocks allocated afterwards, however
// large, lie in memory that the kernel backs with large pages; where the
// sanitizer's allocator or the kernel refuse, nothing changes.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

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

TEST(LargePageHeapTest, LaterLargeBlocksLieInLargePageMemory)
{
    if (sanitized()) {
        EXPECT_FALSE(LargePageHeap::reserve(std::size_t(256) << 20));
        GTEST_SKIP() << "the sanitizer's allocator keeps its own heap";
    }
    if (!std::ifstream("/sys/kernel/mm/transparent_hugepage/enabled")) {
        EXPECT_FALSE(LargePageHeap::reserve(std::size_t(256) << 20));
        GTEST_SKIP() << "this kernel has no large pages for the heap";
    }
    ASSERT_TRUE(LargePageHeap::reserve(std::size_t(256) << 20));
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

} // namespace
