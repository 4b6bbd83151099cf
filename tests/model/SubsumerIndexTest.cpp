#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <random>
#include <utility>
#include <vector>

#include "model/SubsumerIndex.h"

namespace {

std::map<uint32_t, uint32_t> entriesOf(const SubsumerIndex& index)
{
    std::map<uint32_t, uint32_t> entries;
    index.forEach([&entries](const SubsumerIndex::Entry& entry) {
        EXPECT_TRUE(entries.insert(entry).second) << "id " << entry.first << " twice";
    });
    return entries;
}

// The index against a map from id to the first variable given for it, over
// random insertions and lookups of ids drawn from ranges small and large
// (many repeats and few; the tables grow through many sizes): what it
// finds, whether an insertion is new and which variable it reports, its
// size, its entries (each once), a signature that never rules out an id it
// holds, and a copy that holds the same and stays apart from the original.
TEST(SubsumerIndexAgainstAMap, FindsAndInsertsAsTheMapDoes)
{
    std::mt19937 random(31);
    for (uint32_t range : {1u, 2u, 7u, 64u, 1000u, 4000000000u}) {
        for (int round = 0; round < 20; ++round) {
            SubsumerIndex index;
            std::map<uint32_t, uint32_t> model;
            std::uniform_int_distribution<uint32_t> ids(0, range - 1);
            const int steps = static_cast<int>(random() % 1200);
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
                index.prefetch(id);
            }
            ASSERT_EQ(index.size(), model.size());
            ASSERT_EQ(entriesOf(index), model);
            for (const auto& entry : model)
                ASSERT_TRUE(index.mayHold(entry.first)) << entry.first;

            SubsumerIndex copy(index);
            ASSERT_EQ(entriesOf(copy), model);
            copy.insert(range, 1);
            EXPECT_EQ(index.find(range), nullptr);
            SubsumerIndex assigned;
            assigned.insert(0, 0);
            assigned = index;
            ASSERT_EQ(entriesOf(assigned), model);

            index.clear();
            EXPECT_EQ(index.size(), 0u);
            EXPECT_TRUE(entriesOf(index).empty());
            EXPECT_EQ(index.find(model.empty() ? 0 : model.begin()->first), nullptr);
            EXPECT_TRUE(index.insert(3, 4).second);
            EXPECT_EQ(*index.find(3), 4u);
        }
    }
}

// The inverse of an odd number modulo 2^32 (each step doubles the bits
// that are right).
uint32_t inverse(uint32_t odd)
{
    uint32_t x = odd;
    for (int k = 0; k < 5; ++k)
        x *= 2 - odd * x;
    return x;
}

// Ids that share their first slot, the last one of the table: the lookups
// walk past the taken slots and on from the start of the table, and stop
// at the first free one.
TEST(SubsumerIndexAgainstAMap, WalksPastCollidingIds)
{
    // The slot comes from the top bits of the id times an odd constant: ids
    // whose products are 0xFFFFFFF0 + k share the last slot of every table
    // of fewer than 2^28 slots.
    const uint32_t unit = inverse(0x9E3779B9u);
    ASSERT_EQ(unit * 0x9E3779B9u, 1u);
    std::vector<uint32_t> ids;
    for (uint32_t k = 0; k < 12; ++k) {
        ids.push_back((0xFFFFFFF0u + k) * unit);
        ASSERT_NE(ids.back(), SubsumerIndex::NoId);
    }
    SubsumerIndex index;
    for (uint32_t k = 0; k < ids.size(); ++k) {
        EXPECT_TRUE(index.insert(ids[k], k + 10).second) << k;
        for (uint32_t j = 0; j <= k; ++j) {
            ASSERT_NE(index.find(ids[j]), nullptr) << k << " " << j;
            EXPECT_EQ(*index.find(ids[j]), j + 10);
        }
        if (k + 1 < ids.size()) {
            EXPECT_EQ(index.find(ids[k + 1]), nullptr) << k;
        }
    }
    EXPECT_EQ(index.insert(ids[1], 99), std::make_pair(11u, false));
    EXPECT_EQ(index.size(), ids.size());
    // The largest id that the index takes, and the smallest.
    EXPECT_TRUE(index.insert(SubsumerIndex::NoId - 1, 2).second);
    EXPECT_TRUE(index.insert(0, 1).second);
    EXPECT_EQ(*index.find(SubsumerIndex::NoId - 1), 2u);
    EXPECT_EQ(*index.find(0), 1u);
}

}
