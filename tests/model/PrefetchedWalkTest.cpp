// The prefetched walk visits as a plain loop would: every item once, in
// order; `ask` sees every item once before `follow` does, and `follow` sees
// it once before its visit.

#include <gtest/gtest.h>

#include <list>
#include <vector>

#include "model/PrefetchedWalk.h"

namespace {

template <typename Sequence>
void checkWalk(const Sequence& items, std::size_t size)
{
    std::vector<const int*> asked;
    std::vector<const int*> followed;
    std::vector<const int*> visited;
    bool inTurn = true;
    PrefetchedWalk::each(
        items, [&](const int* item) { asked.push_back(item); },
        [&](const int* item) {
            followed.push_back(item);
            inTurn = inTurn && asked.size() >= followed.size() && asked[followed.size() - 1] == item;
        },
        [&](const int* item) {
            visited.push_back(item);
            inTurn = inTurn && followed.size() >= visited.size() && followed[visited.size() - 1] == item;
        });
    const std::vector<const int*> expected(items.begin(), items.end());
    EXPECT_EQ(visited, expected) << size << " items";
    EXPECT_EQ(followed, expected) << size << " items";
    EXPECT_EQ(asked, expected) << size << " items";
    EXPECT_TRUE(inTurn) << size << " items";
}

TEST(PrefetchedWalkTest, AsksFollowsAndVisitsEveryItemOnceInOrder)
{
    std::vector<int> values(100);
    for (std::size_t size : {0, 1, 7, 8, 9, 15, 16, 17, 40, 100}) {
        std::vector<const int*> items;
        for (std::size_t i = 0; i < size; ++i)
            items.push_back(&values[i]);
        checkWalk(items, size);
        checkWalk(std::list<const int*>(items.begin(), items.end()), size);
    }
    // The walk without a second step visits the same.
    std::vector<const int*> items{&values[3], &values[1], &values[2]};
    std::vector<const int*> visited;
    PrefetchedWalk::each(
        items, [](const int* item) { PrefetchedWalk::prefetch(item); },
        [&](const int* item) { visited.push_back(item); });
    EXPECT_EQ(visited, items);
}

} // namespace
