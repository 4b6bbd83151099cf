// The ids kept beside a subsumed list: membership and positions, with and
// without the bits of a long list, before and after insertions, and after
// ids worked out with a list are handed over.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <utility>
#include <vector>

#include "support/TestSupport.h"
#include "model/SubsumedIds.h"

using namespace korvane_test;

namespace {

struct IdsCase {
    const char* name;
    unsigned long universe;
    std::size_t length;
    SubsumedIds::Lookup lookup;
};

class SubsumedIdsTest : public FreshModelTest, public ::testing::WithParamInterface<IdsCase> {};

TEST_P(SubsumedIdsTest, AnswersAsTheListBeforeAndAfterInsertions)
{
    const IdsCase& k = GetParam();
    const std::vector<Concept*> concepts = numberedConcepts(k.universe);
    std::mt19937 random(7);
    std::set<unsigned long> members;
    while (members.size() < k.length)
        members.insert(random() % k.universe);
    SubsumedIds::List list;
    for (unsigned long id : members)
        list.push_back(concepts[id]);
    SubsumedIds ids;
    // Every lookup of the ids against the list and its members.
    auto answersAsTheList = [&](SubsumedIds::Lookup lookup) {
        EXPECT_EQ(ids.lookup(), lookup);
        ASSERT_EQ(ids.size(), list.size());
        std::size_t cursor = 0;
        std::size_t place = 0;
        for (unsigned long id = 0; id < k.universe; ++id) {
            const std::size_t lower = static_cast<std::size_t>(
                std::lower_bound(list.begin(), list.end(), id, [](const Concept* c, unsigned long v) { return c->id < v; }) -
                list.begin());
            ASSERT_EQ(ids.seek(lower > 3 ? lower - 3 : 0, id), lower) << "id " << id;
            ASSERT_EQ(ids.contains(cursor, static_cast<std::uint32_t>(id)), members.count(id) == 1) << "id " << id;
            // A merge's lookup: where an absent id goes.
            const bool located = ids.locate(place, static_cast<std::uint32_t>(id));
            ASSERT_EQ(located, members.count(id) == 1) << "id " << id;
            if (!located) {
                ASSERT_EQ(place, lower) << "id " << id;
            }
        }
    };
    // Some absent ids, with the places where they go in the list.
    auto absentIds = [&]() {
        std::vector<std::pair<std::size_t, std::uint32_t>> fresh;
        for (unsigned long id = random() % 7; id < k.universe && fresh.size() < 20; id += 1 + random() % 50) {
            if (members.count(id) == 1)
                continue;
            const std::size_t at = static_cast<std::size_t>(
                std::lower_bound(list.begin(), list.end(), id, [](const Concept* c, unsigned long v) { return c->id < v; }) -
                list.begin());
            fresh.emplace_back(at, static_cast<std::uint32_t>(id));
        }
        for (std::size_t n = fresh.size(); n > 0; --n)
            list.insert(list.begin() + static_cast<std::ptrdiff_t>(fresh[n - 1].first), concepts[fresh[n - 1].second]);
        for (const auto& entry : fresh)
            members.insert(entry.second);
        return fresh;
    };
    auto listIds = [&]() {
        std::vector<std::uint32_t> expected;
        for (const Concept* c : list)
            expected.push_back(static_cast<std::uint32_t>(c->id));
        return expected;
    };
    // Twice: after the insertions of the first round the list has grown.
    for (int round = 0; round < 2; ++round) {
        ids.sync(list);
        answersAsTheList(k.lookup);
        // Inserted as a merge inserts them into the list.
        ids.insert(absentIds());
        ASSERT_EQ(ids.ids(), listIds());
    }
    // The list grown by other means, its ids handed over with it: the bits
    // of the ids before are no guide; the lookup is the one a sync of the
    // whole list would choose.
    absentIds();
    SubsumedIds synced;
    synced.sync(list);
    std::vector<std::uint32_t> handed = listIds();
    ids.adopt(list, handed);
    answersAsTheList(synced.lookup());
    ids.sync(list);
    ASSERT_EQ(ids.ids(), listIds());
}

INSTANTIATE_TEST_SUITE_P(Cases, SubsumedIdsTest,
                         ::testing::Values(IdsCase{"Short", 400, 40, SubsumedIds::Lookup::search},
                                           IdsCase{"LongAndDense", 1000, 400, SubsumedIds::Lookup::bits},
                                           IdsCase{"LongAndSparse", 12000, 300, SubsumedIds::Lookup::filter}),
                         [](const ::testing::TestParamInfo<IdsCase>& info) { return std::string(info.param.name); });

}
