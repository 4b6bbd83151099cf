// What a chain rule merges again and again: the offers of MergedSources,
// merged with mergeOffered, against the whole lists merged by mergeSubsumed.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <utility>
#include <vector>

#include "support/TestSupport.h"
#include "model/DeductionNotes.h"
#include "model/MergedSources.h"
#include "model/PrimitiveConcept.h"

using namespace korvane_test;

namespace {

using Records = std::vector<std::pair<unsigned long, unsigned long>>;

class MergedSourcesTest : public FreshModelTest {
protected:
    void SetUp() override
    {
        FreshModelTest::SetUp();
        concepts = numberedConcepts(80);
    }

    Concept* c(unsigned long id) { return concepts[id]; }

    // A list told before the run: not in the log of additions.
    void tell(unsigned long owner, const std::vector<unsigned long>& ids)
    {
        auto* list = new ConceptDeduction::SubsumedList();
        for (unsigned long id : ids)
            list->push_back(c(id));
        c(owner)->deduction.subsumed = list;
    }

    static std::vector<unsigned long> ids(const Concept* owner)
    {
        std::vector<unsigned long> result;
        for (const Concept* x : *owner->deduction.subsumed)
            result.push_back(x->id);
        return result;
    }

    static Records records(const std::vector<ConceptDeduction::SourceRecord>& added)
    {
        Records result;
        for (const auto& r : added)
            result.emplace_back(r.first->id, r.second->id);
        return result;
    }

    std::vector<Concept*> concepts;
    // The notes of the run that the merges tell.
    DeductionNotes notes;
};

// Sources 40 to 49 grow in rounds; target 60 merges a drawn list of them
// through the offers, target 70 the same list through mergeSubsumed. Both
// add the same concepts credited to the same sources, round after round.
TEST_F(MergedSourcesTest, OffersMergeWhatTheWholeListsWouldMerge)
{
    std::mt19937 rng(7);
    for (unsigned long s = 40; s < 50; ++s)
        tell(s, {s - 40, s - 30});
    tell(60, {0});
    tell(70, {0});
    MergedSources merges;
    for (int round = 1; round <= 300; ++round) {
        // Some sources gain, as the rules' merges do (logged).
        for (unsigned long s = 40; s < 50; ++s) {
            if (rng() % 3 != 0)
                continue;
            ConceptList gained;
            for (int k = rng() % 4; k > 0; --k)
                gained.push_back(c(rng() % 40));
            gained.sort([](const Concept* a, const Concept* b) { return a->id < b->id; });
            gained.unique();
            c(s)->deduction.mergeListInSubsumed(&gained, round, notes, nullptr, nullptr);
        }
        ConceptList sources;
        for (unsigned long s = 40; s < 50; ++s)
            if (rng() % 2 == 0)
                sources.push_back(c(s));
        std::vector<ConceptList::value_type> order(sources.begin(), sources.end());
        std::shuffle(order.begin(), order.end(), rng);
        sources.assign(order.begin(), order.end());

        std::vector<MergedSources::Offer> offered;
        for (Concept* s : sources)
            merges.offer(c(60), s, offered);
        std::vector<ConceptDeduction::SourceRecord> byOffers;
        std::vector<ConceptDeduction::SourceRecord> byLists;
        const int n = c(60)->deduction.mergeOffered(offered, round, notes, nullptr, &byOffers);
        ASSERT_EQ(n, c(70)->deduction.mergeSubsumed(&sources, round, notes, nullptr, &byLists)) << "round " << round;
        ASSERT_EQ(records(byOffers), records(byLists)) << "round " << round;
    }
    EXPECT_EQ(ids(c(60)), ids(c(70)));
    EXPECT_GT(ids(c(60)).size(), 30u);
}

TEST_F(MergedSourcesTest, OffersTheWholeListFirstThenOnlyWhatTheLogGained)
{
    tell(40, {1, 5});
    tell(41, {1});
    ConceptList merged{c(3)};
    c(40)->deduction.mergeListInSubsumed(&merged, 1, notes, nullptr, nullptr);
    MergedSources merges;
    std::vector<MergedSources::Offer> offered;
    auto offeredIds = [&] {
        std::vector<unsigned long> result;
        for (const auto& o : offered)
            result.push_back(o.first->id);
        offered.clear();
        return result;
    };
    merges.offer(c(60), c(40), offered);
    EXPECT_EQ(offeredIds(), (std::vector<unsigned long>{1, 3, 5}));
    // Nothing gained since: nothing offered; another target gets it all.
    merges.offer(c(60), c(40), offered);
    EXPECT_EQ(offeredIds(), (std::vector<unsigned long>{}));
    merges.offer(c(61), c(40), offered);
    EXPECT_EQ(offeredIds(), (std::vector<unsigned long>{1, 3, 5}));
    ConceptList gained{c(2), c(9)};
    c(40)->deduction.mergeListInSubsumed(&gained, 2, notes, nullptr, nullptr);
    merges.offer(c(60), c(40), offered);
    EXPECT_EQ(offeredIds(), (std::vector<unsigned long>{2, 9}));
    // The target's own list and a concept without a list offer nothing.
    merges.offer(c(41), c(41), offered);
    merges.offer(c(60), c(42), offered);
    EXPECT_EQ(offeredIds(), (std::vector<unsigned long>{}));
    // A new run: the logs start again, and so do the offers.
    merges.clear();
    merges.offer(c(60), c(40), offered);
    EXPECT_EQ(offeredIds(), (std::vector<unsigned long>{1, 2, 3, 5, 9}));
}

// Offers as the merges make them: a few runs, mostly ascending, from drawn
// sources that may offer the same concept. Into an empty list they add each
// concept once, in ascending id, credited to the first source offering it.
TEST_F(MergedSourcesTest, OffersAreAddedByIdCreditingTheFirstOffer)
{
    std::mt19937 rng(11);
    // Kept to the end: the notes name them.
    std::vector<std::unique_ptr<PrimitiveConcept>> targets;
    for (int round = 0; round < 300; ++round) {
        std::vector<ConceptDeduction::SourceRecord> offered;
        for (int runs = 1 + rng() % 6; runs > 0; --runs) {
            Concept* source = c(40 + rng() % 10);
            std::vector<unsigned long> run;
            for (int k = rng() % 12; k > 0; --k)
                run.push_back(rng() % 40);
            std::sort(run.begin(), run.end());
            run.erase(std::unique(run.begin(), run.end()), run.end());
            if (rng() % 4 == 0)
                std::shuffle(run.begin(), run.end(), rng);
            for (unsigned long id : run)
                offered.emplace_back(c(id), source);
        }
        Records expected;
        for (const auto& o : offered) {
            const bool seen = std::any_of(expected.begin(), expected.end(),
                                          [&](const auto& r) { return r.first == o.first->id; });
            if (!seen)
                expected.emplace_back(o.first->id, o.second->id);
        }
        std::sort(expected.begin(), expected.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        targets.push_back(std::make_unique<PrimitiveConcept>("T"));
        Concept& target = *targets.back();
        target.id = 100 + round;
        target.deduction.subsumed = new ConceptDeduction::SubsumedList();
        std::vector<ConceptDeduction::SourceRecord> added;
        const int n = target.deduction.mergeOffered(offered, 1, notes, nullptr, &added);
        ASSERT_EQ(n, static_cast<int>(expected.size())) << "round " << round;
        ASSERT_EQ(records(added), expected) << "round " << round;
    }
}

} // namespace
