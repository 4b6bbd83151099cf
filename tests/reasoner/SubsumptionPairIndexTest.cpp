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

    std::vector<std::pair<unsigned long, unsigned long>> byNumber = index.pairsByNumber(pairs.size() + 1);
    EXPECT_EQ(byNumber[0], std::make_pair(0UL, 0UL));
    byNumber.erase(byNumber.begin());
    EXPECT_EQ(byNumber, pairs);
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

} // namespace
