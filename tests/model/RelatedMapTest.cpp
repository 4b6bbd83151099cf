// The existentials over a role by filler id: lookups agree with the ordered
// walk, for few and for many entries, after insertions and erasures.
#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "support/TestSupport.h"
#include "model/RelatedMap.h"

using namespace korvane_test;

namespace {

class RelatedMapTest : public FreshModelTest, public ::testing::WithParamInterface<unsigned long> {};

TEST_P(RelatedMapTest, LookupsAgreeWithTheWalkAfterInsertionsAndErasures)
{
    const unsigned long count = GetParam();
    const std::vector<Concept*> concepts = numberedConcepts(3 * count + 3);
    RelatedMap related;
    std::map<unsigned long, Concept*> expected;
    auto agree = [&]() {
        ASSERT_EQ(std::vector<RelatedMap::value_type>(related.begin(), related.end()),
                  std::vector<RelatedMap::value_type>(expected.begin(), expected.end()));
        for (unsigned long key = 0; key < 3 * count + 3; ++key) {
            auto found = expected.find(key);
            ASSERT_EQ(related.lookUp(key), found == expected.end() ? nullptr : found->second) << "key " << key;
        }
    };
    // Every third key, from the back; a second entry for a key is refused.
    for (unsigned long key = 3 * count; key > 0; key -= 3) {
        related.emplace(key, concepts[key]);
        related.emplace(key, concepts[key - 1]);
        expected.emplace(key, concepts[key]);
    }
    agree();
    // Erasing every other entry, then storing other concepts under them.
    for (unsigned long key = 3; key <= 3 * count; key += 6) {
        related.erase(related.find(key));
        expected.erase(key);
    }
    agree();
    for (unsigned long key = 3; key <= 3 * count; key += 6) {
        related.emplace(key, concepts[key + 1]);
        expected.emplace(key, concepts[key + 1]);
    }
    agree();
}

INSTANTIATE_TEST_SUITE_P(Sizes, RelatedMapTest, ::testing::Values(5ul, 40ul, 300ul));

}
