// The flat table of (sub id, super id) pairs: every pair entered is found
// again with its number through the growths of the table, a repeated pair is
// refused, and pairs that differ only in one component, or that swap them,
// stay apart.

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "reasoner/SubsumptionPairIndex.h"

namespace {

TEST(SubsumptionPairIndex, FindsEveryPairThroughTheGrowthsOfTheTable)
{
    SubsumptionPairIndex index;
    // Many pairs on few subs and on few supers, ids far apart as well.
    std::vector<std::pair<unsigned long, unsigned long>> pairs;
    for (unsigned long sub = 0; sub < 60; ++sub)
        for (unsigned long super = 0; super < 60; ++super)
            pairs.push_back({sub * 1000003UL, super});
    pairs.push_back({~0UL, 0});
    pairs.push_back({0, ~0UL});
    unsigned long number = 0;
    for (const auto& p : pairs)
        ASSERT_TRUE(index.insert(p.first, p.second, ++number));
    EXPECT_EQ(index.size(), pairs.size());
    number = 0;
    for (const auto& p : pairs)
        EXPECT_EQ(index.find(p.first, p.second), ++number);
    EXPECT_EQ(index.find(1, 0), 0u);
    EXPECT_EQ(index.find(0, 60), 0u);
}

// Sizing the table ahead (as for a file of known size) rehashes what is
// there; a smaller size than the table has changes nothing.
TEST(SubsumptionPairIndex, SizingAheadKeepsThePairsEnteredBeforeAndAfter)
{
    SubsumptionPairIndex index;
    for (unsigned long k = 1; k <= 2000; ++k)
        ASSERT_TRUE(index.insert(k, k * 7, k));
    index.expect(100000);
    index.expect(10);
    for (unsigned long k = 2001; k <= 4000; ++k)
        ASSERT_TRUE(index.insert(k, k * 7, k));
    EXPECT_FALSE(index.insert(1500, 1500 * 7, 1));
    EXPECT_EQ(index.size(), 4000u);
    for (unsigned long k = 1; k <= 4000; ++k)
        ASSERT_EQ(index.find(k, k * 7), k);
    EXPECT_EQ(index.find(7, 1), 0u);
}

TEST(SubsumptionPairIndex, ARepeatedPairKeepsItsFirstNumber)
{
    SubsumptionPairIndex index;
    EXPECT_EQ(index.find(3, 4), 0u);
    EXPECT_TRUE(index.insert(3, 4, 1));
    EXPECT_FALSE(index.insert(3, 4, 2));
    EXPECT_TRUE(index.insert(4, 3, 2));
    EXPECT_EQ(index.find(3, 4), 1u);
    EXPECT_EQ(index.find(4, 3), 2u);
    EXPECT_EQ(index.size(), 2u);
    index.clear();
    EXPECT_EQ(index.find(3, 4), 0u);
    EXPECT_TRUE(index.insert(3, 4, 5));
    EXPECT_EQ(index.find(3, 4), 5u);
}

// Ids of 32 bits and ids beyond them: a pair is never taken for the pair of
// the low halves of its ids, nor for one whose ids share their bits otherwise.
TEST(SubsumptionPairIndex, IdsBeyond32BitsStayApartFromTheirLowHalves)
{
    const unsigned long high = 1UL << 32;
    const std::vector<std::pair<unsigned long, unsigned long>> pairs = {
        {1, 5}, {0, high + 5}, {high + 1, 5}, {1, high + 5}, {high - 1, high - 1}, {high, 0}, {0, high}, {0, 0}};
    SubsumptionPairIndex index;
    unsigned long number = 0;
    for (const auto& p : pairs)
        ASSERT_TRUE(index.insert(p.first, p.second, ++number)) << p.first << " " << p.second;
    EXPECT_EQ(index.size(), pairs.size());
    number = 0;
    for (const auto& p : pairs)
        EXPECT_EQ(index.find(p.first, p.second), ++number) << p.first << " " << p.second;
    EXPECT_FALSE(index.insert(high + 1, 5, 99));
    EXPECT_EQ(index.find(high + 1, 6), 0u);
    EXPECT_EQ(index.find(2, 5), 0u);
}

} // namespace
