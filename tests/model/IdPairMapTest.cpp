// The map from id pairs: every stored pair is found with its first value,
// every other pair is not, however the map has grown (its filter must never
// turn away a stored key).

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>

#include "model/IdPairMap.h"

namespace {

TEST(IdPairMapTest, FindsExactlyTheStoredPairsThroughGrowthAndClear)
{
    std::mt19937 random(31);
    for (uint32_t range : {40u, 3000u, 1u << 20}) {
        IdPairMap<uint32_t> map;
        std::map<uint64_t, uint32_t> stored;
        std::uniform_int_distribution<uint32_t> id(0, range);
        for (uint32_t value = 1; value <= 20000; ++value) {
            const uint64_t key = IdPairMap<uint32_t>::key(id(random), id(random));
            const auto inserted = map.insert(key, value);
            const auto expected = stored.emplace(key, value);
            EXPECT_EQ(inserted.second, expected.second);
            EXPECT_EQ(inserted.first, expected.first->second);
        }
        EXPECT_EQ(map.size(), stored.size());
        for (const auto& entry : stored) {
            const uint32_t* found = map.find(entry.first);
            ASSERT_NE(found, nullptr) << range;
            EXPECT_EQ(*found, entry.second);
        }
        for (int probe = 0; probe < 20000; ++probe) {
            const uint64_t key = IdPairMap<uint32_t>::key(id(random), id(random) + range + 1);
            EXPECT_EQ(map.find(key), nullptr);
        }
        map.clear();
        EXPECT_EQ(map.size(), 0u);
        EXPECT_EQ(map.find(stored.begin()->first), nullptr);
        EXPECT_TRUE(map.insert(stored.begin()->first, 7).second);
        EXPECT_EQ(*map.find(stored.begin()->first), 7u);
    }
}

// Keys that differ only in the first id, or only in the second, are told
// apart (the key packs both ids in one word).
TEST(IdPairMapTest, PairsDifferingInOneIdAreDifferentKeys)
{
    IdPairMap<int> map;
    EXPECT_TRUE(map.insert(IdPairMap<int>::key(1, 2), 12).second);
    EXPECT_TRUE(map.insert(IdPairMap<int>::key(2, 1), 21).second);
    EXPECT_TRUE(map.insert(IdPairMap<int>::key(1, 0xffffffffu), 13).second);
    EXPECT_EQ(*map.find(IdPairMap<int>::key(1, 2)), 12);
    EXPECT_EQ(*map.find(IdPairMap<int>::key(2, 1)), 21);
    EXPECT_EQ(*map.find(IdPairMap<int>::key(1, 0xffffffffu)), 13);
    EXPECT_EQ(map.find(IdPairMap<int>::key(2, 2)), nullptr);
    EXPECT_EQ(map.find(IdPairMap<int>::key(0, 1)), nullptr);
}

} // namespace
