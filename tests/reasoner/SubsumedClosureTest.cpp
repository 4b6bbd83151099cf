// The closure of the subsumed lists that a reload runs before its first
// classification, against a plain fixpoint of its two rules on small random
// graphs: lists with cycles, bottom and top in them, concepts without a list,
// conjunctions (also of operands that share a list or are bottom or top) and
// GCIs ⊥ ⊑ D.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "model/Axiom.h"
#include "model/Conjunction.h"
#include "model/TrivialConcept.h"
#include "reasoner/SubsumedClosure.h"

using namespace korvane_test;

namespace {

using Ids = std::set<std::size_t>;

// Bottom has the id 0, top the id 1, the atomic concepts the ids after.
struct Graph {
    std::vector<Concept*> byId;
    std::vector<Axiom*> gcis;
};

Ids idsOf(const std::vector<Concept*>& list)
{
    Ids ids;
    for (const Concept* c : list)
        ids.insert(c->id);
    return ids;
}

// What the lists hold once no rule adds anything: a concept X (not bottom,
// not D itself) in the list of D brings X's list, a GCI ⊥ ⊑ D brings bottom's,
// a GCI C1 ⊓ ... ⊓ Cn ⊑ D what every Ci's list holds; top's list stays.
std::map<std::size_t, Ids> fixpoint(const Graph& g)
{
    std::map<std::size_t, Ids> lists;
    for (const Concept* c : g.byId)
        if (c != nullptr && c->deduction.subsumed != nullptr)
            lists[c->id] = idsOf(*c->deduction.subsumed);
    auto joins = [&](std::size_t d, const Ids& more) {
        Ids& list = lists[d];
        const std::size_t before = list.size();
        list.insert(more.begin(), more.end());
        return list.size() != before;
    };
    bool changed = true;
    while (changed) {
        changed = false;
        for (auto& entry : lists) {
            if (entry.first == 1)
                continue;
            const Ids members = entry.second;
            for (std::size_t x : members)
                if (x != entry.first && x != 0 && lists.count(x) != 0)
                    changed = joins(entry.first, lists.at(x)) || changed;
        }
        for (const Axiom* a : g.gcis) {
            const std::size_t d = a->rhs->id;
            if (d == 1 || lists.count(d) == 0)
                continue;
            if (a->lhs->id == 0 && d != 0 && lists.count(0) != 0) {
                changed = joins(d, lists.at(0)) || changed;
            } else if (a->lhs->kind == CONJUNCTION) {
                std::vector<const Ids*> operands;
                for (const Concept* o : *a->lhs->operands)
                    if (lists.count(o->id) != 0)
                        operands.push_back(&lists.at(o->id));
                if (operands.size() != a->lhs->operands->size())
                    continue;
                Ids common;
                for (std::size_t c : *operands.front())
                    if (std::all_of(operands.begin(), operands.end(), [c](const Ids* l) { return l->count(c) != 0; }))
                        common.insert(c);
                changed = joins(d, common) || changed;
            }
        }
    }
    return lists;
}

// A random graph of up to 14 atomic concepts: a few told lists, chains and
// cycles among them, and GCIs. The objects live as long as the test.
Graph randomGraph(std::mt19937& random, std::vector<std::unique_ptr<Concept>>& owned,
                  std::vector<std::unique_ptr<Axiom>>& axioms)
{
    auto chance = [&](int percent) { return static_cast<int>(random() % 100) < percent; };
    const std::size_t atomic = 2 + random() % 13;
    const std::size_t n = atomic + 2;
    Graph g;
    g.byId.assign(n, nullptr);
    std::vector<Concept*> all;
    for (std::size_t id = 0; id < n; ++id) {
        Concept* c = id == 0 ? TrivialConcept::getBOTTOM() : id == 1 ? TrivialConcept::getTOP() : nullptr;
        if (c == nullptr) {
            owned.emplace_back(numberedConcepts(1).front());
            c = owned.back().get();
        }
        c->id = id;
        all.push_back(c);
        // Some concepts have no list, a few are not even in the table.
        if (id > 1 && chance(8))
            continue;
        g.byId[id] = c;
        if (id == 1 || !chance(8))
            c->deduction.subsumedList();
    }
    const int density = 5 + static_cast<int>(random() % 30);
    for (Concept* d : g.byId) {
        if (d == nullptr || d->deduction.subsumed == nullptr)
            continue;
        std::vector<Concept*>& list = *d->deduction.subsumed;
        for (Concept* c : all) {
            const bool in = d->id == 1 || (c == d && chance(85)) || (c->id == 0 && chance(80)) ||
                            (c->id == 1 && chance(3)) || (c->id > 1 && chance(density));
            if (in)
                list.push_back(c);
        }
    }
    auto withList = [&]() {
        std::vector<Concept*> candidates;
        for (Concept* c : all)
            if (c->deduction.subsumed != nullptr || chance(10))
                candidates.push_back(c);
        return candidates[random() % candidates.size()];
    };
    const std::size_t gciCount = random() % 7;
    for (std::size_t i = 0; i < gciCount; ++i) {
        Concept* rhs = all[random() % n];
        Concept* lhs = nullptr;
        if (chance(25)) {
            lhs = TrivialConcept::getBOTTOM();
        } else {
            auto* operands = new ConceptList();
            const std::size_t count = 2 + random() % 2;
            for (std::size_t k = 0; k < count; ++k)
                operands->push_back(withList());
            owned.emplace_back(new Conjunction(operands));
            lhs = owned.back().get();
            lhs->id = n + i;
        }
        axioms.emplace_back(new Axiom(lhs, rhs, ORIGINAL));
        g.gcis.push_back(axioms.back().get());
    }
    return g;
}

class SubsumedClosureTest : public FreshModelTest {};

TEST_F(SubsumedClosureTest, ClosesTheListsAsTheFixpointOfItsRules)
{
    for (unsigned seed = 1; seed <= 400; ++seed) {
        resetModelStatics();
        std::mt19937 random(seed);
        std::vector<std::unique_ptr<Concept>> owned;
        std::vector<std::unique_ptr<Axiom>> axioms;
        Graph g = randomGraph(random, owned, axioms);
        // Sorted by id without repeats, as the lists are kept.
        std::size_t before = 0;
        for (Concept* c : g.byId)
            if (c != nullptr && c->deduction.subsumed != nullptr) {
                std::vector<Concept*>& list = *c->deduction.subsumed;
                std::sort(list.begin(), list.end(), [](Concept* a, Concept* b) { return a->id < b->id; });
                list.erase(std::unique(list.begin(), list.end()), list.end());
                before += list.size();
            }
        const std::map<std::size_t, Ids> expected = fixpoint(g);
        const std::size_t added = SubsumedClosure(g.byId, g.gcis).close();

        std::size_t after = 0;
        for (Concept* c : g.byId) {
            if (c == nullptr || c->deduction.subsumed == nullptr)
                continue;
            const std::vector<Concept*>& list = *c->deduction.subsumed;
            after += list.size();
            std::vector<std::size_t> ids;
            for (const Concept* x : list)
                ids.push_back(x->id);
            const Ids& want = expected.at(c->id);
            EXPECT_EQ(ids, std::vector<std::size_t>(want.begin(), want.end()))
                << "seed " << seed << ", the list of concept " << c->id;
            // The ids that the closure hands over with the list.
            const std::vector<std::uint32_t>& kept = c->deduction.subsumedIds().ids();
            EXPECT_EQ(std::vector<std::size_t>(kept.begin(), kept.end()), ids)
                << "seed " << seed << ", the ids of concept " << c->id;
        }
        EXPECT_EQ(added, after - before) << "seed " << seed;
        delete TrivialConcept::getBOTTOM();
        delete TrivialConcept::getTOP();
        if (HasFailure())
            break;
    }
}

}
