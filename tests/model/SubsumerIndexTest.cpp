#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <utility>
#include <vector>

#include "model/SubsumerIndex.h"

namespace {

// The index against a map from id to the first variable given for it, over
// random insertions and lookups of ids drawn from ranges small and large
// (many repeats and few): what it finds, whether an insertion is new and
// which variable it reports, its size, its entries in ascending id order,
// and a signature that never rules out an id it holds.
TEST(SubsumerIndexAgainstAMap, FindsAndInsertsAsTheMapDoes)
{
    std::mt19937 random(31);
    for (uint32_t range : {1u, 2u, 7u, 64u, 1000u, 4000000000u}) {
        for (int round = 0; round < 20; ++round) {
            SubsumerIndex index;
            std::map<uint32_t, uint32_t> model;
            std::uniform_int_distribution<uint32_t> ids(0, range - 1);
            const int steps = static_cast<int>(random() % 600);
            for (int step = 0; step < steps; ++step) {
                const uint32_t id = ids(random);
                if (random() % 2 == 0) {
                    const uint32_t variable = static_cast<uint32_t>(random());
                    const auto expected = model.insert({id, variable});
                    const std::pair<uint32_t, bool> got = index.insert(id, variable);
                    ASSERT_EQ(got.second, expected.second) << range << " " << id;
                    ASSERT_EQ(got.first, expected.first->second) << range << " " << id;
                } else {
                    const auto expected = model.find(id);
                    const uint32_t* got = index.find(id);
                    ASSERT_EQ(got != nullptr, expected != model.end()) << range << " " << id;
                    if (got != nullptr) {
                        ASSERT_EQ(*got, expected->second) << range << " " << id;
                    }
                }
            }
            ASSERT_EQ(index.size(), model.size());
            const std::vector<SubsumerIndex::Entry> entries(model.begin(), model.end());
            ASSERT_EQ(index.all(), entries);
            for (const auto& entry : model)
                ASSERT_TRUE(index.mayHold(entry.first)) << entry.first;
            index.clear();
            EXPECT_EQ(index.size(), 0u);
            EXPECT_EQ(index.find(entries.empty() ? 0 : entries.front().first), nullptr);
        }
    }
}

// The ends of the id range, where a lookup's halving stops.
TEST(SubsumerIndexAgainstAMap, FindsTheFirstAndLastIds)
{
    SubsumerIndex index;
    EXPECT_EQ(index.find(0), nullptr);
    EXPECT_TRUE(index.insert(5, 50).second);
    EXPECT_EQ(index.find(4), nullptr);
    EXPECT_EQ(index.find(6), nullptr);
    EXPECT_TRUE(index.insert(0, 1).second);
    EXPECT_TRUE(index.insert(0xFFFFFFFFu, 2).second);
    ASSERT_NE(index.find(0), nullptr);
    EXPECT_EQ(*index.find(0), 1u);
    ASSERT_NE(index.find(0xFFFFFFFFu), nullptr);
    EXPECT_EQ(*index.find(0xFFFFFFFFu), 2u);
    EXPECT_EQ(index.insert(5, 99), std::make_pair(50u, false));
}

}
