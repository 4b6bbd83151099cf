#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <new>
#include <ostream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "model/Conjunction.h"
#include "model/ExistentialRestr.h"
#include "model/PrimitiveConcept.h"
#include "model/PrimitiveRole.h"
#include "model/SharedConceptSet.h"
#include "model/TrivialConcept.h"

using namespace korvane_test;

namespace {

// Shared leaves that the concepts of a case are built from; the objects of
// the cases themselves are made fresh for every run.
struct Leaves {
    Concept* a = new PrimitiveConcept(std::string("A"));
    Concept* b = new PrimitiveConcept(std::string("B"));
    Role* r = new PrimitiveRole(std::string("r"));
    Role* s = new PrimitiveRole(std::string("s"));
};

using Maker = std::function<Concept*(Leaves&)>;

struct SameStructureCase {
    const char* name;
    Maker first;
    Maker second;
    bool equal;
};

Concept* conjunction(Concept* x, Concept* y)
{
    // Operands in the order given (the two-operand constructor reverses them).
    return new Conjunction(new ConceptList{x, y});
}

const SameStructureCase kSameStructureCases[] = {
    {"NamedBySpelling", [](Leaves&) { return new PrimitiveConcept(std::string("A")); },
     [](Leaves&) { return new PrimitiveConcept(std::string("A")); }, true},
    {"NamedDifferent", [](Leaves&) { return new PrimitiveConcept(std::string("A")); },
     [](Leaves&) { return new PrimitiveConcept(std::string("B")); }, false},
    {"FreshWithoutNameBySerial", [](Leaves&) { return new PrimitiveConcept(); },
     [](Leaves&) { return new PrimitiveConcept(); }, false},
    {"FreshWithNumberBySpelling", [](Leaves&) { return new PrimitiveConcept(7, true); },
     [](Leaves&) { return new PrimitiveConcept(7, true); }, true},
    {"FreshAndNamedOfOneSpelling", [](Leaves&) { return new PrimitiveConcept(7, true); },
     [](Leaves&) { return new PrimitiveConcept(7, false); }, false},
    {"ExistentialSameRoleAndFiller", [](Leaves& l) { return new ExistentialRestr(l.a, l.r); },
     [](Leaves& l) { return new ExistentialRestr(l.a, l.r); }, true},
    {"ExistentialOtherRole", [](Leaves& l) { return new ExistentialRestr(l.a, l.r); },
     [](Leaves& l) { return new ExistentialRestr(l.a, l.s); }, false},
    {"ExistentialOtherFiller", [](Leaves& l) { return new ExistentialRestr(l.a, l.r); },
     [](Leaves& l) { return new ExistentialRestr(l.b, l.r); }, false},
    {"ConjunctionSameOperandList", [](Leaves& l) { return conjunction(l.a, l.b); },
     [](Leaves& l) { return conjunction(l.a, l.b); }, true},
    {"ConjunctionOtherOperandOrder", [](Leaves& l) { return conjunction(l.a, l.b); },
     [](Leaves& l) { return conjunction(l.b, l.a); }, false},
    {"ConjunctionOfEqualButUnsharedNames",
     [](Leaves&) { return conjunction(new PrimitiveConcept(std::string("A")), new PrimitiveConcept(std::string("B"))); },
     [](Leaves&) { return conjunction(new PrimitiveConcept(std::string("A")), new PrimitiveConcept(std::string("B"))); },
     false},
};

void PrintTo(const SameStructureCase& c, std::ostream* out)
{
    *out << c.name;
}

class SharedConceptSetSameStructure : public FreshModelTest, public ::testing::WithParamInterface<SameStructureCase> {};

// The set merges exactly the concepts that Concept::operator< calls equal.
TEST_P(SharedConceptSetSameStructure, MergesExactlyTheEqualConcepts)
{
    const SameStructureCase& c = GetParam();
    Leaves leaves;
    SharedConceptSet set;
    Concept* first = c.first(leaves);
    Concept* second = c.second(leaves);
    ASSERT_EQ(!(*first < *second) && !(*second < *first), c.equal) << "the case does not hold what it says";

    EXPECT_TRUE(set.insert(first).second);
    EXPECT_EQ(set.find(second), c.equal ? first : nullptr);
    auto inserted = set.insert(second);
    EXPECT_EQ(inserted.first, c.equal ? first : second);
    EXPECT_EQ(inserted.second, !c.equal);
    EXPECT_EQ(set.size(), c.equal ? 1u : 2u);
    EXPECT_EQ(set.count(second), 1u);
}

INSTANTIATE_TEST_SUITE_P(Cases, SharedConceptSetSameStructure, ::testing::ValuesIn(kSameStructureCases),
                         [](const ::testing::TestParamInfo<SameStructureCase>& info) { return info.param.name; });

class SharedConceptSetOrder : public FreshModelTest {
protected:
    // Concepts of every kind, with repeats of equal structure.
    std::vector<Concept*> mixedConcepts()
    {
        std::vector<Concept*> atoms;
        for (const char* name : {"Heart", "Aorta", "Valve", "Aorta", "Lung", "AbdominalCavityWall", "AbdominalCavity",
                                 "AbdominalCavityVein", "AbdominalCavityWall", "AbdominalCavityX", "AbdominalCavityWalls", "\xc3\xa9tat"})
            atoms.push_back(new PrimitiveConcept(std::string(name)));
        for (int i = 0; i < 4; ++i)
            atoms.push_back(new PrimitiveConcept());
        std::vector<Role*> roles{new PrimitiveRole(std::string("partOf")), new PrimitiveRole(std::string("hasPart"))};
        std::vector<Concept*> all = atoms;
        all.push_back(TrivialConcept::getTOP());
        all.push_back(TrivialConcept::getBOTTOM());
        for (Concept* x : atoms)
            for (Role* role : roles)
                all.push_back(new ExistentialRestr(x, role));
        for (std::size_t i = 0; i + 1 < atoms.size(); ++i) {
            all.push_back(conjunction(atoms[i], atoms[i + 1]));
            all.push_back(conjunction(atoms[i + 1], atoms[i]));
            all.push_back(conjunction(atoms[i], atoms[i + 1]));
        }
        for (std::size_t i = 0; i + 3 < atoms.size(); ++i) {
            all.push_back(new Conjunction(new ConceptList{atoms[0], atoms[1], atoms[i + 2]}));
            all.push_back(new Conjunction(new ConceptList{atoms[0], atoms[1], atoms[i + 3]}));
        }
        return all;
    }
};

// Walks in between insertions, and hinted insertions, give the order and the
// members of a tree set that took the same concepts one by one.
TEST_F(SharedConceptSetOrder, WalksInTheOrderOfTheTreeSet)
{
    std::vector<Concept*> all = mixedConcepts();
    std::shuffle(all.begin(), all.end(), std::mt19937(5));
    std::set<Concept*, ConceptComparator> oracle;
    SharedConceptSet set;
    std::vector<Concept*> stored;
    for (std::size_t i = 0; i < all.size(); ++i) {
        auto expected = oracle.insert(all[i]);
        auto inserted = set.insert(all[i]);
        ASSERT_EQ(inserted.second, expected.second) << i;
        ASSERT_EQ(inserted.first, *expected.first) << i;
        if (inserted.second)
            stored.push_back(all[i]);
        if (i % 7 == 3) {
            ASSERT_EQ(std::vector<Concept*>(set.begin(), set.end()),
                      std::vector<Concept*>(oracle.begin(), oracle.end()))
                << i;
        }
    }
    EXPECT_EQ(std::vector<Concept*>(set.begin(), set.end()), std::vector<Concept*>(oracle.begin(), oracle.end()));
    EXPECT_EQ(set.inInsertionOrder(), stored);

    Concept* late = conjunction(TrivialConcept::getTOP(), TrivialConcept::getBOTTOM());
    auto at = set.insert(set.lower_bound(late), late);
    oracle.insert(late);
    EXPECT_EQ(*at, late);
    EXPECT_EQ(set.find(late), late);
    EXPECT_EQ(std::vector<Concept*>(set.begin(), set.end()), std::vector<Concept*>(oracle.begin(), oracle.end()));

    set.clear();
    EXPECT_TRUE(set.empty());
    EXPECT_EQ(set.begin(), set.end());
    EXPECT_EQ(set.find(late), nullptr);
}

// Operands are ordered by when they were made, not by where they lie: the
// operands here are built back to front in one block, so that each one made
// later lies at a lower address. The order, the tree set's and the shared
// set's, is the one that the same operands get anywhere else.
TEST_F(SharedConceptSetOrder, OperandsOrderByCreationWhateverTheirAddresses)
{
    constexpr int kAtoms = 6;
    alignas(PrimitiveConcept) static unsigned char block[kAtoms][sizeof(PrimitiveConcept)];
    std::vector<Concept*> atoms;
    for (int i = kAtoms - 1; i >= 0; --i)
        atoms.push_back(new (block[i]) PrimitiveConcept());
    Role* r = new PrimitiveRole(std::string("r"));
    std::vector<Concept*> expected; // conjunctions come before existentials
    for (int i = 0; i + 1 < kAtoms; ++i)
        expected.push_back(conjunction(atoms[0], atoms[i + 1]));
    for (int i = 0; i + 1 < kAtoms; ++i)
        expected.push_back(conjunction(atoms[i + 1], atoms[0]));
    for (int i = 0; i < kAtoms; ++i)
        expected.push_back(new ExistentialRestr(atoms[i], r));

    std::vector<Concept*> shuffled = expected;
    std::shuffle(shuffled.begin(), shuffled.end(), std::mt19937(3));
    std::set<Concept*, ConceptComparator> tree(shuffled.begin(), shuffled.end());
    SharedConceptSet set;
    for (Concept* c : shuffled)
        set.insert(c);
    EXPECT_EQ(std::vector<Concept*>(tree.begin(), tree.end()), expected);
    EXPECT_EQ(std::vector<Concept*>(set.begin(), set.end()), expected);
}

// Concepts appended after a walk (known to be new, in any order) are found
// at once and take their places in the next walk.
TEST_F(SharedConceptSetOrder, AppendedMembersJoinTheNextWalk)
{
    std::vector<Concept*> all = mixedConcepts();
    std::shuffle(all.begin(), all.end(), std::mt19937(11));
    std::set<Concept*, ConceptComparator> oracle;
    SharedConceptSet set;
    std::vector<Concept*> fresh;
    for (std::size_t i = 0; i < all.size(); ++i) {
        if (i < all.size() / 2) {
            set.insert(all[i]);
            oracle.insert(all[i]);
        } else if (oracle.insert(all[i]).second && set.find(all[i]) == nullptr) {
            fresh.push_back(all[i]);
        }
    }
    ASSERT_FALSE(fresh.empty());
    set.settle();
    std::vector<Concept*> stored = set.inInsertionOrder();
    for (Concept* c : fresh) {
        set.append(c);
        stored.push_back(c);
        EXPECT_EQ(set.find(c), c);
    }
    EXPECT_EQ(set.size(), oracle.size());
    EXPECT_EQ(set.inInsertionOrder(), stored);
    EXPECT_EQ(std::vector<Concept*>(set.begin(), set.end()), std::vector<Concept*>(oracle.begin(), oracle.end()));
}

}
