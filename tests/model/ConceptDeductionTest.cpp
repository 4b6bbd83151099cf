// The deduction state of concepts, existentials and roles: recording,
// popping, merging, intersecting and stamping.
#include <gtest/gtest.h>

#include <map>
#include <algorithm>
#include <iterator>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "support/TestSupport.h"
#include "model/Composition.h"
#include "model/Conjunction.h"
#include "model/DeductionNotes.h"
#include "model/ExistentialRestr.h"
#include "model/PrimitiveConcept.h"
#include "model/PrimitiveRole.h"

using namespace korvane_test;

namespace {

using Ids = std::vector<unsigned long>;

// Atomic concepts with the ids 0 to 19, so that lists can be written as ids.
class ConceptDeductionTest : public FreshModelTest {
protected:
    void SetUp() override
    {
        FreshModelTest::SetUp();
        concepts = numberedConcepts(20);
    }

    Concept* c(unsigned long id) { return concepts[id]; }

    // The notes of the run that the merges and queues tell.
    DeductionNotes notes;

    ConceptDeduction::SubsumedList* list(const Ids& ids)
    {
        auto* l = new ConceptDeduction::SubsumedList();
        for (unsigned long id : ids)
            l->push_back(c(id));
        return l;
    }

    ConceptList pool(const Ids& ids)
    {
        ConceptList l;
        for (unsigned long id : ids)
            l.push_back(c(id));
        return l;
    }

    static Ids ids(const ConceptDeduction::SubsumedList* l)
    {
        Ids result;
        if (l != nullptr)
            for (const Concept* x : *l)
                result.push_back(x->id);
        return result;
    }

    static Ids ids(const ConceptList* l)
    {
        Ids result;
        for (const Concept* x : *l)
            result.push_back(x->id);
        return result;
    }

    std::vector<Concept*> concepts;
};

TEST_F(ConceptDeductionTest, RecordingComparesOnlyWithTheLastElement)
{
    Concept* owner = c(10);
    owner->deduction.recordSubsumed(c(1));
    owner->deduction.recordSubsumed(c(1));
    EXPECT_EQ(ids(owner->deduction.subsumed), (Ids{1}));
    owner->deduction.recordSubsumed(c(2));
    owner->deduction.recordSubsumed(c(1));
    EXPECT_EQ(ids(owner->deduction.subsumed), (Ids{1, 2, 1}));
}

TEST_F(ConceptDeductionTest, TakingTheListVisitsItInOrderAndFreesIt)
{
    Concept* owner = c(10);
    owner->deduction.recordSubsumer(c(3));
    owner->deduction.recordSubsumer(c(4));
    owner->deduction.recordSubsumer(c(3));
    std::vector<Concept*> visited;
    auto visit = [&visited](Concept* x) { visited.push_back(x); };
    owner->deduction.takeSubsumers(visit);
    EXPECT_EQ(visited, (std::vector<Concept*>{c(3), c(4), c(3)}));
    EXPECT_EQ(owner->deduction.subsumers, nullptr);
    owner->deduction.takeSubsumers(visit);
    owner->deduction.takeReachedByRole(visit);
    EXPECT_EQ(visited.size(), 3u);
}

struct MergeCase {
    const char* name;
    Ids before;
    Ids source;
    Ids after;
    Ids added;
};

class MergeListTest : public ConceptDeductionTest, public ::testing::WithParamInterface<MergeCase> {};

TEST_P(MergeListTest, AddsTheMissingConceptsInIdOrder)
{
    const MergeCase& m = GetParam();
    for (bool fromPoolList : {false, true}) {
        Concept* owner = new PrimitiveConcept(std::string("owner"));
        owner->id = 100;
        owner->deduction.subsumed = list(m.before);
        TBox::DeducedList deduced;
        std::vector<Concept*> added;
        int count;
        if (fromPoolList) {
            ConceptList source = pool(m.source);
            count = owner->deduction.mergeListInSubsumed(&source, 5, notes, &deduced, &added);
        } else {
            std::unique_ptr<ConceptDeduction::SubsumedList> source(list(m.source));
            count = owner->deduction.mergeListInSubsumed(source.get(), 5, notes, &deduced, &added);
        }
        EXPECT_EQ(ids(owner->deduction.subsumed), m.after);
        EXPECT_EQ(count, static_cast<int>(m.added.size()));
        Ids addedIds;
        for (Concept* x : added)
            addedIds.push_back(x->id);
        EXPECT_EQ(addedIds, m.added);
        ASSERT_EQ(deduced.size(), m.added.size());
        for (const auto& pair : deduced)
            EXPECT_EQ(pair.second, owner);
        // The stamp rises only when something was added.
        EXPECT_EQ(owner->lastDeductionIt, m.added.empty() ? 0 : 5);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MergeListTest,
    ::testing::Values(MergeCase{"IntoEmpty", {}, {2, 5}, {2, 5}, {2, 5}},
                      MergeCase{"NothingNew", {1, 3, 5}, {1, 5}, {1, 3, 5}, {}},
                      MergeCase{"Interleaved", {1, 4, 9}, {0, 4, 5, 10}, {0, 1, 4, 5, 9, 10}, {0, 5, 10}},
                      MergeCase{"AllAfter", {1, 2}, {7, 8, 9}, {1, 2, 7, 8, 9}, {7, 8, 9}},
                      MergeCase{"FromTheLast", {1, 2}, {2, 8}, {1, 2, 8}, {8}},
                      MergeCase{"AllBefore", {10, 11}, {0, 1}, {0, 1, 10, 11}, {0, 1}},
                      MergeCase{"EmptySource", {3}, {}, {3}, {}}),
    [](const ::testing::TestParamInfo<MergeCase>& info) { return std::string(info.param.name); });

// Random lists, the target's ids a run apart or close together, from a few
// ids to a few hundred, the target's list often much the shorter (as that of
// a concept just made): a merge adds the missing ones in ascending id (the
// union of the two lists, sorted, its ids alike), reacts to them in that
// order, logs them, and finds them again, by search or by the bits of a long
// list.
TEST_F(ConceptDeductionTest, MergesAddTheDifferenceWhereverItFalls)
{
    const unsigned long range = 3000;
    const std::vector<Concept*> numbered = numberedConcepts(range);
    std::mt19937 random(7);
    for (int round = 0; round < 300; ++round) {
        std::set<unsigned long> own;
        std::set<unsigned long> source;
        const unsigned long spread = round % 2 == 0 ? range : 90;
        for (int k = static_cast<int>(random() % (round % 3 == 0 ? 100 : 8)); k > 0; --k)
            own.insert(random() % spread);
        for (int k = static_cast<int>(random() % (round % 5 == 0 ? 60 : 500)); k > 0; --k)
            source.insert(random() % range);
        Concept& target = *new PrimitiveConcept(std::string("target"));
        target.id = 10000;
        auto& list = target.deduction.subsumedList();
        for (unsigned long id : own)
            list.push_back(numbered[id]);
        // Looked up once before the merge, so that a long list has its bits.
        std::size_t before = 0;
        target.deduction.subsumedIds().contains(before, 0);
        Concept& from = *new PrimitiveConcept(std::string("from"));
        from.id = 10001;
        for (unsigned long id : source)
            from.deduction.subsumedList().push_back(numbered[id]);
        std::vector<Concept*> added;
        ConceptDeduction::DeducedList deduced;
        const int count = target.deduction.mergeFrom(from.deduction, 0, 3, notes, &deduced, &added);
        std::vector<unsigned long> expectedAdded;
        std::set_difference(source.begin(), source.end(), own.begin(), own.end(), std::back_inserter(expectedAdded));
        std::set<unsigned long> both(own);
        both.insert(source.begin(), source.end());
        std::vector<unsigned long> listIds;
        for (const Concept* x : list)
            listIds.push_back(x->id);
        ASSERT_EQ(listIds, std::vector<unsigned long>(both.begin(), both.end())) << "round " << round;
        const SubsumedIds& known = target.deduction.subsumedIds();
        EXPECT_EQ(known.ids(), std::vector<std::uint32_t>(both.begin(), both.end()));
        std::size_t cursor = 0;
        for (std::uint32_t id = 0; id < range; ++id)
            ASSERT_EQ(known.contains(cursor, id), both.count(id) == 1) << "round " << round << " id " << id;
        std::vector<unsigned long> addedIds;
        std::vector<unsigned long> deducedIds;
        for (const Concept* x : added)
            addedIds.push_back(x->id);
        for (const auto& pair : deduced) {
            deducedIds.push_back(pair.first->id);
            EXPECT_EQ(pair.second, &target);
        }
        EXPECT_EQ(addedIds, expectedAdded);
        EXPECT_EQ(deducedIds, expectedAdded);
        EXPECT_EQ(count, static_cast<int>(expectedAdded.size()));
        EXPECT_EQ(target.deduction.countAddedSince(3), expectedAdded.size());
        EXPECT_EQ(target.lastDeductionIt, expectedAdded.empty() ? 0 : 3);
        EXPECT_EQ(target.deduction.mergeFrom(from.deduction, 0, 4, notes, nullptr, nullptr), 0);
    }
}

TEST_F(ConceptDeductionTest, MergeOfSeveralSourcesCreditsTheFirstSourceOfferingAConcept)
{
    Concept* owner = c(19);
    owner->deduction.subsumed = list({1, 6});
    c(15)->deduction.subsumed = list({2, 6, 8});
    c(16)->deduction.subsumed = list({2, 3, 8, 9});
    c(17)->deduction.subsumed = list({});
    ConceptList sources = pool({15, 16, 17});
    std::vector<ConceptDeduction::SourceRecord> added;
    EXPECT_EQ(owner->deduction.mergeSubsumed(&sources, 1, notes, nullptr, &added), 4);
    EXPECT_EQ(ids(owner->deduction.subsumed), (Ids{1, 2, 3, 6, 8, 9}));
    std::vector<std::pair<unsigned long, unsigned long>> records;
    for (const auto& r : added)
        records.emplace_back(r.first->id, r.second->id);
    EXPECT_EQ(records, (std::vector<std::pair<unsigned long, unsigned long>>{{2, 15}, {3, 16}, {8, 15}, {9, 16}}));
}

struct CommonCase {
    const char* name;
    std::vector<Ids> lists;
    Ids common;
};

class CommonSubsumedTest : public ConceptDeductionTest, public ::testing::WithParamInterface<CommonCase> {};

TEST_P(CommonSubsumedTest, KeepsTheConceptsInEveryList)
{
    const CommonCase& k = GetParam();
    ConceptList operands;
    for (std::size_t i = 0; i < k.lists.size(); ++i) {
        Concept* operand = c(10 + i);
        operand->deduction.subsumed = list(k.lists[i]);
        operands.push_back(operand);
    }
    std::unique_ptr<ConceptList> common(c(19)->deduction.getCommonSubsumed(&operands));
    EXPECT_EQ(ids(common.get()), k.common);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CommonSubsumedTest,
    ::testing::Values(CommonCase{"Two", {{1, 4, 6}, {4, 6, 9}}, {4, 6}},
                      CommonCase{"None", {}, {}},
                      CommonCase{"One", {{2, 3}}, {2, 3}},
                      CommonCase{"Three", {{0, 1, 2, 3, 4, 5, 6, 7}, {1, 3, 5, 7}, {3, 4, 5}}, {3, 5}},
                      CommonCase{"Disjoint", {{1, 2}, {3, 4}}, {}},
                      CommonCase{"OneEmpty", {{1, 2}, {}}, {}}),
    [](const ::testing::TestParamInfo<CommonCase>& info) { return std::string(info.param.name); });

TEST_F(ConceptDeductionTest, TheAdditionsOfLaterIterationsAreFoundAgain)
{
    Concept* a = c(10);
    Concept* b = c(11);
    a->deduction.subsumed = list({0, 1, 3, 6, 9, 12, 13, 14, 15, 16, 17});
    b->deduction.subsumed = list({0, 1, 3, 4, 6, 8, 12, 13});
    // a gains 7 and 4 in iteration 1, 2 in iteration 2, 8 and 5 in 3.
    for (const auto& step : std::vector<std::pair<int, Ids>>{{1, {4, 7}}, {2, {2}}, {3, {5, 8}}}) {
        ConceptList gained = pool(step.second);
        a->deduction.mergeListInSubsumed(&gained, step.first, notes, nullptr, nullptr);
    }
    EXPECT_EQ(a->deduction.countAddedSince(2), 3u);
    // A merge from a takes what it gained since, in ascending id, or with 0
    // the whole list.
    struct FromCase {
        int since;
        Ids merged;
    };
    for (const FromCase& k : {FromCase{2, {2, 5, 8}}, FromCase{4, {}}, FromCase{3, {5, 8}},
                              FromCase{0, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 12, 13, 14, 15, 16, 17}}}) {
        Concept* target = new PrimitiveConcept(std::string("target"));
        target->id = 100;
        std::vector<Concept*> added;
        EXPECT_EQ(target->deduction.mergeFrom(a->deduction, k.since, 5, notes, nullptr, &added),
                  static_cast<int>(k.merged.size()));
        EXPECT_EQ(ids(target->deduction.subsumed), k.merged) << "since " << k.since;
        EXPECT_EQ(added, std::vector<Concept*>(target->deduction.subsumed->begin(), target->deduction.subsumed->end()));
    }
    ConceptList both = pool({10, 11});
    std::unique_ptr<ConceptList> all(c(19)->deduction.getCommonSubsumed(&both));
    EXPECT_EQ(ids(all.get()), (Ids{0, 1, 3, 4, 6, 8, 12, 13}));
    // From iteration 2 on only 8 is new and common (4 came in iteration 1).
    std::unique_ptr<ConceptList> since(c(19)->deduction.getCommonSubsumedSince(&both, 2));
    EXPECT_EQ(ids(since.get()), (Ids{8}));
}

// The rules look concepts up by the ids kept beside each list; a list that
// grows in place or is replaced, as a reload's closure and the seeding do,
// is looked up and merged into as it now is.
TEST_F(ConceptDeductionTest, ListsChangedOutsideTheMergesAreLookedUpAsTheyAre)
{
    Concept* a = c(10);
    Concept* b = c(11);
    a->deduction.subsumed = list({1, 4});
    b->deduction.subsumed = list({4, 9});
    ConceptList both = pool({10, 11});
    std::unique_ptr<ConceptList> before(c(19)->deduction.getCommonSubsumed(&both));
    EXPECT_EQ(ids(before.get()), (Ids{4}));
    a->deduction.subsumed->push_back(c(9));
    b->deduction.recordSubsumed(c(12));
    std::unique_ptr<ConceptList> grown(c(19)->deduction.getCommonSubsumed(&both));
    EXPECT_EQ(ids(grown.get()), (Ids{4, 9}));
    ConceptList some = pool({2, 9, 12});
    EXPECT_EQ(b->deduction.mergeListInSubsumed(&some, 1, notes, nullptr, nullptr), 1);
    EXPECT_EQ(ids(b->deduction.subsumed), (Ids{2, 4, 9, 12}));
    // Replaced by a list of the same length.
    b->deduction.subsumed = list({1, 3, 9, 12});
    std::unique_ptr<ConceptList> replaced(c(19)->deduction.getCommonSubsumed(&both));
    EXPECT_EQ(ids(replaced.get()), (Ids{1, 9}));
    EXPECT_EQ(b->deduction.mergeListInSubsumed(&some, 2, notes, nullptr, nullptr), 1);
    EXPECT_EQ(ids(b->deduction.subsumed), (Ids{1, 2, 3, 9, 12}));
}

TEST_F(ConceptDeductionTest, CommonWithRoleRelatedReturnsTheExistentialsOverSubsumees)
{
    Role* r = new PrimitiveRole(std::string("r"));
    ConceptDeduction::RelatedMap related;
    std::map<unsigned long, Concept*> over;
    for (unsigned long filler : {2, 5, 7, 11}) {
        over[filler] = new ExistentialRestr(c(filler), r);
        related.emplace(filler, over[filler]);
    }
    // Both the walk over both sides and the look-ups of the shorter side.
    for (const Ids& subsumed : {Ids{1, 2, 7, 8}, Ids{0, 1, 2, 3, 4, 6, 7, 8, 9, 10, 12, 13, 14}}) {
        c(18)->deduction.subsumed = list(subsumed);
        std::unique_ptr<ConceptList> common(c(18)->deduction.getCommonSubsumedWithRoleRelated(&related, 0, false));
        EXPECT_EQ(std::vector<Concept*>(common->begin(), common->end()),
                  (std::vector<Concept*>{over[2], over[7]}));
        delete c(18)->deduction.subsumed;
        c(18)->deduction.subsumed = nullptr;
    }
    std::unique_ptr<ConceptList> none(c(18)->deduction.getCommonSubsumedWithRoleRelated(&related, 0, false));
    EXPECT_TRUE(none->empty());
}

TEST_F(ConceptDeductionTest, StampsRiseWithAnAdditionAndReachConjunctionsAndRoles)
{
    Role* r = new PrimitiveRole(std::string("r"));
    Role* s = new PrimitiveRole(std::string("s"));
    Role* chain = new Composition(r, s);
    r->addParent(chain, 0);
    ExistentialRestr* e = new ExistentialRestr(c(1), r);
    e->id = 50;
    Conjunction* conjunction = new Conjunction(e, c(2));
    e->addParent(conjunction, 0);
    Conjunction* outer = new Conjunction(conjunction, c(3));
    conjunction->addParent(outer, 0);

    struct StampCase {
        int before;
        int expected;
    };
    for (StampCase k : {StampCase{7, 7}, StampCase{3, 5}}) {
        for (Container* x : std::vector<Container*>{e, conjunction, outer, r, chain})
            x->lastDeductionIt = k.before;
        e->deduction.subsumed = list({});
        ConceptList one = pool({4});
        EXPECT_EQ(e->deduction.mergeListInSubsumed(&one, 5, notes, nullptr, nullptr), 1);
        for (Container* x : std::vector<Container*>{e, conjunction, outer, r, chain})
            EXPECT_EQ(x->lastDeductionIt, k.expected) << "stamp before " << k.before;
        delete e->deduction.subsumed;
        e->deduction.subsumed = nullptr;
    }
}

TEST_F(ConceptDeductionTest, FirstChainedConclusionAndFirstNewSubsumeeAreKept)
{
    Role* r = new PrimitiveRole(std::string("r"));
    ExistentialRestr* e = new ExistentialRestr(c(1), r);
    EXPECT_TRUE(e->chaining.addChained(c(9), {4, c(2)}));
    EXPECT_FALSE(e->chaining.addChained(c(9), {6, c(3)}));
    EXPECT_EQ(e->chaining.chained->at(9).concept, c(9));
    EXPECT_EQ(e->chaining.chained->at(9).premise, (ChainedConclusions::Premise{4, c(2)}));

    // Of the derivations of one concept queued before a merge, the merge
    // keeps the first; the merge adds in ascending id and empties the queue.
    c(9)->deduction.addNewSubsumed(c(7), e, c(3), 5, notes);
    c(9)->deduction.addNewSubsumed(c(5), e, c(2), 4, notes);
    c(9)->deduction.addNewSubsumed(c(5), e, c(3), 6, notes);
    c(9)->deduction.addNewSubsumed(c(7), e, c(2), 8, notes);
    EXPECT_TRUE(c(9)->deduction.hasNewSubsumed());
    c(9)->deduction.subsumed = list({7});
    std::vector<ConceptDeduction::NewSubsumedRecord> added;
    EXPECT_EQ(c(9)->deduction.mergeNewSubsumed(1, notes, nullptr, &added), 1);
    EXPECT_EQ(added, (std::vector<ConceptDeduction::NewSubsumedRecord>{{{c(5), 4}, {e, c(2)}}}));
    EXPECT_EQ(*c(9)->deduction.subsumed, (ConceptDeduction::SubsumedList{c(5), c(7)}));
    EXPECT_FALSE(c(9)->deduction.hasNewSubsumed());

    // A subsumee new to the existential reaches every chained conclusion.
    e->deduction.subsumed = list({});
    EXPECT_TRUE(e->chaining.addChained(c(8), {7, c(3)}));
    ConceptList one = pool({6});
    const std::size_t queued = notes.queuedCount();
    e->deduction.mergeListInSubsumed(&one, 1, notes, nullptr, nullptr);
    for (Concept* conclusion : {c(8), c(9)}) {
        added.clear();
        EXPECT_EQ(conclusion->deduction.mergeNewSubsumed(1, notes, nullptr, &added), 1);
        const int index = conclusion == c(8) ? 7 : 4;
        Concept* premise = conclusion == c(8) ? c(3) : c(2);
        EXPECT_EQ(added, (std::vector<ConceptDeduction::NewSubsumedRecord>{{{c(6), index}, {e, premise}}}));
    }
    EXPECT_EQ(notes.queuedCount(), queued + 2);
}

TEST_F(ConceptDeductionTest, AtomicConceptsWithExistentialPremisesKeepNewAtomicSubsumees)
{
    Role* r = new PrimitiveRole(std::string("r"));
    ExistentialRestr* e = new ExistentialRestr(c(2), r);
    e->id = 40;
    Concept* g = c(10);
    g->deduction.subsumed = list({});
    ConceptList first = pool({1});
    g->deduction.mergeListInSubsumed(&first, 1, notes, nullptr, nullptr);
    EXPECT_FALSE(g->deduction.hasPending());
    g->deduction.existentialPremises = new ConceptDeduction::PremiseMap{{3, {r, c(11)}}};
    ConceptList second = pool({4});
    g->deduction.mergeListInSubsumed(&second, 1, notes, nullptr, nullptr);
    g->deduction.subsumed->push_back(e);
    g->handleNewSubsumed(e, notes);
    ASSERT_TRUE(g->deduction.hasPending());
    EXPECT_EQ(ids(g->deduction.pending), (Ids{4}));
    // Each subsumee kept for the rule is noted as queued.
    EXPECT_EQ(notes.queuedCount(), 1u);
}

TEST_F(ConceptDeductionTest, AskingARoleForAnAbsentFillerMakesNoEntry)
{
    Role* r = new PrimitiveRole(std::string("r"));
    Concept* e = new ExistentialRestr(c(3), r);
    r->deduction.recordRelatedConcept(e, 3);
    r->deduction.recordRelatedConcept(new ExistentialRestr(c(3), r), 3);
    EXPECT_EQ(r->deduction.findRelated(3), e);
    EXPECT_EQ(r->deduction.findRelated(4), nullptr);
    EXPECT_EQ(r->deduction.related->size(), 1u);
    Role* s = new PrimitiveRole(std::string("s"));
    EXPECT_EQ(s->deduction.findRelated(1), nullptr);
    EXPECT_EQ(s->deduction.related, nullptr);
}

// The GCIs of an increment share the index -1: each must keep its entry.
TEST_F(ConceptDeductionTest, ExistentialPremisesKeepEveryGciOfAnIndexOnce)
{
    Role* r = new PrimitiveRole(std::string("r"));
    Role* s = new PrimitiveRole(std::string("s"));
    Concept* g = c(10);
    g->deduction.addExistentialPremise(-1, r, c(11));
    g->deduction.addExistentialPremise(-1, s, c(12));
    g->deduction.addExistentialPremise(-1, r, c(11));
    g->deduction.addExistentialPremise(3, r, c(13));
    g->deduction.addExistentialPremise(2, s, c(11));
    std::vector<std::pair<int, Concept*>> entries;
    for (const auto& premise : *g->deduction.existentialPremises)
        entries.emplace_back(premise.first, premise.second.second);
    EXPECT_EQ(entries, (std::vector<std::pair<int, Concept*>>{{-1, c(11)}, {-1, c(12)}, {2, c(11)}, {3, c(13)}}));
}

// A role tells which of its existentials changed from an iteration on, in
// ascending filler id, each once.
TEST_F(ConceptDeductionTest, ARoleLogsItsChangedExistentials)
{
    Role* r = new PrimitiveRole(std::string("r"));
    ExistentialRestr* e5 = new ExistentialRestr(c(5), r);
    ExistentialRestr* e2 = new ExistentialRestr(c(2), r);
    e5->id = 50;
    e2->id = 51;
    for (ExistentialRestr* e : {e5, e2})
        e->deduction.subsumed = list({});
    const std::vector<std::pair<int, std::pair<ExistentialRestr*, unsigned long>>> gains = {
        {2, {e5, 1}}, {3, {e2, 3}}, {4, {e5, 4}}, {4, {e5, 6}}};
    for (const auto& gain : gains) {
        ConceptList one = pool({gain.second.second});
        ASSERT_EQ(gain.second.first->deduction.mergeListInSubsumed(&one, gain.first, notes, nullptr, nullptr), 1);
    }
    using Changed = std::vector<std::pair<unsigned long, Concept*>>;
    Changed changed;
    r->deduction.changedSince(1, changed);
    EXPECT_EQ(changed, (Changed{{2, e2}, {5, e5}}));
    r->deduction.changedSince(4, changed);
    EXPECT_EQ(changed, (Changed{{5, e5}}));
    r->deduction.changedSince(5, changed);
    EXPECT_TRUE(changed.empty());
    r->deduction.clearTemporaryStructures();
    r->deduction.changedSince(1, changed);
    EXPECT_TRUE(changed.empty());
}

// A role that ends a chain logs each existential over it that gets work while
// it holds none; from given places in its logs it names those of its related
// map that changed or got work, in ascending filler id, each once. A role
// that ends no chain logs no work.
TEST_F(ConceptDeductionTest, ARoleEndingAChainLogsTheExistentialsThatGetWork)
{
    Role* r = new PrimitiveRole(std::string("r"));
    Role* q = new PrimitiveRole(std::string("q"));
    r->deduction.addChainPredecessor(r);
    ExistentialRestr* e5 = new ExistentialRestr(c(5), r);
    ExistentialRestr* e2 = new ExistentialRestr(c(2), r);
    ExistentialRestr* e7 = new ExistentialRestr(c(7), r);
    ExistentialRestr* overQ = new ExistentialRestr(c(5), q);
    e5->id = 50;
    e2->id = 51;
    e7->id = 52;
    overQ->id = 53;
    for (ExistentialRestr* e : {e5, e2, e7, overQ})
        e->deduction.subsumed = list({});
    r->deduction.recordRelatedConcept(e5, 5);
    r->deduction.recordRelatedConcept(e2, 2);
    // Not in the map: logged, never named.
    e7->deduction.addNewSubsumed(c(1), e2, e2, 0, notes);
    e5->deduction.addNewSubsumed(c(1), e2, e2, 0, notes);
    e5->deduction.addNewSubsumed(c(3), e2, e2, 0, notes);
    overQ->deduction.addNewSubsumed(c(1), e2, e2, 0, notes);
    EXPECT_EQ(q->deduction.logEnds().work, 0u);
    EXPECT_EQ(r->deduction.logEnds().work, 2u);
    // A subsumee added in iteration 3 is pending for the chain and stamps e2.
    ConceptList one = pool({3});
    ASSERT_EQ(e2->deduction.mergeListInSubsumed(&one, 3, notes, nullptr, nullptr), 1);
    EXPECT_EQ(r->deduction.logEnds().work, 3u);
    EXPECT_EQ(r->deduction.logEnds().changed, 1u);
    e2->deduction.appendPending(c(4), notes);
    EXPECT_EQ(r->deduction.logEnds().work, 3u);
    e2->deduction.pending->clear();
    e2->deduction.appendPending(c(4), notes);
    EXPECT_EQ(r->deduction.logEnds().work, 4u);

    using Named = std::vector<std::pair<unsigned long, Concept*>>;
    const std::vector<std::tuple<int, RoleDeduction::LogEnds, Named>> table = {
        {1, {0, 0}, {{2, e2}, {5, e5}}},
        {4, {0, 0}, {{2, e2}, {5, e5}}},
        {4, {0, 2}, {{2, e2}}},
        {4, {0, 4}, {}},
        {3, {0, 4}, {{2, e2}}},
        {1, {1, 4}, {}},
    };
    Named named;
    for (const auto& [since, from, expected] : table) {
        r->deduction.changedOrWorkedSince(since, from, named);
        EXPECT_EQ(named, expected) << "since " << since << ", from " << from.changed << "/" << from.work;
    }
    r->deduction.clearTemporaryStructures();
    EXPECT_EQ(r->deduction.logEnds().work, 0u);
}

} // namespace
