#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <set>
#include <vector>

#include "model/Conjunction.h"
#include "model/ExistentialRestr.h"
#include "model/PrimitiveConcept.h"
#include "model/PrimitiveRole.h"
#include "reasoner/TBox.h"
#include "support/TestSupport.h"

namespace {

using namespace korvane_test;

class Normalization : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetModel();
        tbox = TBox::getInstance();
    }

    Concept* named(const char* name) { return tbox->insertConcept(new PrimitiveConcept(name), true); }
    Role* role(const char* name) { return tbox->insertRole(new PrimitiveRole(name)); }
    Concept* conj(Concept* a, Concept* b) { return tbox->insertConcept(new Conjunction(a, b), true); }
    Concept* some(Role* r, Concept* filler) { return tbox->insertConcept(new ExistentialRestr(filler, r), true); }

    // An input GCI numbered as the ontology reader numbers it.
    Axiom* input(Concept* lhs, Concept* rhs)
    {
        Axiom* a = tbox->insertGCIAxiom(lhs, rhs, false);
        a->originalNumber = ++Axiom::original_ax_counter;
        return a;
    }

    void equivalence(Concept* lhs, Concept* rhs)
    {
        Axiom* a = tbox->insertGCIAxiom(lhs, rhs, true);
        a->originalNumber = ++Axiom::original_ax_counter;
        tbox->insertGCIAxiom(rhs, lhs, true)->originalNumber = a->originalNumber;
    }

    std::vector<Axiom*> gcis() const { return std::vector<Axiom*>(tbox->gcis.begin(), tbox->gcis.end()); }

    std::vector<Axiom*> ofType(axiom_t type) const
    {
        std::vector<Axiom*> result;
        for (Axiom* a : tbox->gcis)
            if (a->type == type)
                result.push_back(a);
        return result;
    }

    Axiom* find(Concept* lhs, Concept* rhs) const
    {
        for (Axiom* a : tbox->gcis)
            if (a->lhs == lhs && a->rhs == rhs)
                return a;
        return nullptr;
    }

    // The input ∃r.A ⊑ ∃s.B, normalised; its two sides.
    std::pair<Concept*, Concept*> existentialInclusion()
    {
        Role* r = role("r");
        Role* s = role("s");
        Concept* lhs = some(r, named("A"));
        Concept* rhs = some(s, named("B"));
        input(lhs, rhs);
        tbox->normalizeTBox();
        return {lhs, rhs};
    }

    // The normal-form axiom lhs ⊑ rhs, of the given type and input number;
    // null (and a failure) when there is none.
    Axiom* expectAxiom(Concept* lhs, Concept* rhs, axiom_t type, int originalNumber) const
    {
        Axiom* a = find(lhs, rhs);
        EXPECT_NE(a, nullptr) << "no normal-form axiom " << lhs->id << " < " << rhs->id;
        if (a != nullptr) {
            EXPECT_EQ(a->type, type);
            EXPECT_EQ(a->originalNumber, originalNumber);
        }
        return a;
    }

    TBox* tbox = nullptr;
};

// Every normalised GCI has one of the four normal shapes over normal concepts.
void expectNormalShapes(const TBox* tbox)
{
    for (const Axiom* a : tbox->gcis) {
        ASSERT_TRUE(a->lhs->flags & Concept::NORMAL);
        ASSERT_TRUE(a->rhs->flags & Concept::NORMAL);
        if (a->lhs->isAtomic() && a->rhs->isAtomic())
            continue;
        if (a->lhs->kind == CONJUNCTION && a->rhs->isAtomic()) {
            for (const Concept* o : *a->lhs->operands)
                EXPECT_TRUE(o->isAtomic());
            continue;
        }
        if (a->lhs->kind == EXISTENTIAL_RESTR && a->rhs->isAtomic()) {
            EXPECT_TRUE(a->lhs->operands->front()->isAtomic());
            continue;
        }
        if (a->lhs->isAtomic() && a->rhs->kind == EXISTENTIAL_RESTR) {
            EXPECT_TRUE(a->rhs->operands->front()->isAtomic());
            continue;
        }
        ADD_FAILURE() << "not a normal shape: " << conceptText(a->lhs) << " < " << conceptText(a->rhs);
    }
}

TEST_F(Normalization, AtomicInclusionKeepsItsNumber)
{
    Concept* a = named("A");
    Concept* b = named("B");
    input(a, b);
    tbox->normalizeTBox();
    ASSERT_EQ(gcis().size(), 1u);
    Axiom* n = gcis()[0];
    EXPECT_EQ(n->lhs, a);
    EXPECT_EQ(n->rhs, b);
    EXPECT_EQ(n->type, ORIGINAL);
    EXPECT_EQ(n->originalNumber, 1);
    EXPECT_TRUE(tbox->inputAxioms.empty());
    EXPECT_TRUE(TBox::normalized);
}

TEST_F(Normalization, RightConjunctionIsSplitWithTheInputNumber)
{
    Concept* a = named("A");
    Concept* b = named("B");
    Concept* c = named("C");
    input(named("Z"), named("Y"));
    input(a, conj(b, c));
    tbox->normalizeTBox();
    expectAxiom(a, b, ORIGINAL, 2);
    expectAxiom(a, c, ORIGINAL, 2);
    // The conjunction itself and nothing fresh enter the normal form.
    EXPECT_EQ(ofType(FW_NORMALIZED_AXIOM).size() + ofType(BW_NORMALIZED_AXIOM).size(), 0u);
    expectNormalShapes(tbox);
}

TEST_F(Normalization, SplitConjunctsOfAnEquivalenceCarryNoEquivalenceMark)
{
    Concept* a = named("A");
    Concept* b = named("B");
    Concept* c = named("C");
    equivalence(a, conj(b, c));
    tbox->normalizeTBox();
    Axiom* ab = find(a, b);
    Axiom* ac = find(a, c);
    ASSERT_NE(ab, nullptr);
    ASSERT_NE(ac, nullptr);
    EXPECT_FALSE(ab->flags & Axiom::FROM_EQUIVALENCE);
    EXPECT_FALSE(ac->flags & Axiom::FROM_EQUIVALENCE);
    // The other direction B ⊓ C ⊑ A keeps both marks (an equivalence with an atomic side).
    bool found = false;
    for (Axiom* x : gcis()) {
        if (x->lhs->kind == CONJUNCTION && x->rhs == a) {
            found = true;
            EXPECT_EQ(x->type, ORIGINAL);
            EXPECT_EQ(x->originalNumber, 1);
            EXPECT_TRUE(x->flags & Axiom::FROM_EQUIVALENCE);
            EXPECT_TRUE(x->flags & Axiom::DEFINITION);
        }
    }
    EXPECT_TRUE(found);
}

TEST_F(Normalization, ExistentialWithAtomicFillerNeedsNoFreshConcept)
{
    Concept* a = named("A");
    Concept* b = named("B");
    Concept* rb = some(role("r"), b);
    uint64_t serials = Concept::id_counter;
    input(rb, a);
    tbox->normalizeTBox();
    ASSERT_EQ(gcis().size(), 1u);
    EXPECT_EQ(gcis()[0]->lhs, rb);
    EXPECT_EQ(gcis()[0]->rhs, a);
    EXPECT_EQ(gcis()[0]->type, ORIGINAL);
    EXPECT_EQ(Concept::id_counter, serials) << "no concept was made";
}

TEST_F(Normalization, SharedNestedLeftPartGetsOneNameAndOneNamingAxiom)
{
    Role* r = role("r");
    Concept* b = named("B");
    Concept* c = named("C");
    Concept* bc = conj(b, c);
    Concept* rbc = some(r, bc);
    input(rbc, named("A"));
    Concept* d = named("D");
    input(conj(d, rbc), named("E"));
    tbox->normalizeTBox();
    // B ⊓ C ⊑ X once, ∃r.X ⊑ A, and D ⊓ Y ⊑ E with ∃r.X ⊑ Y.
    std::vector<Axiom*> naming = ofType(FW_NORMALIZED_AXIOM);
    int conjunctionNamings = 0;
    for (Axiom* a : naming)
        if (a->lhs->kind == CONJUNCTION && a->lhs->operandCount() == 2 && conceptText(a->lhs) == "(and B C)")
            ++conjunctionNamings;
    EXPECT_EQ(conjunctionNamings, 1);
    EXPECT_EQ(bc->forwardName, bc->forwardNormalForm->forwardName);
    expectNormalShapes(tbox);
}

TEST_F(Normalization, ComplexSidesAreCutAtOneFreshConcept)
{
    auto [lhs, rhs] = existentialInclusion();
    Concept* x = lhs->forwardName;
    ASSERT_NE(x, nullptr);
    EXPECT_EQ(x->kind, FRESH_CONCEPT);
    ASSERT_EQ(gcis().size(), 2u);
    // The half from the cut to the right side is the input axiom; the other
    // half names the left side.
    expectAxiom(lhs, x, FW_NORMALIZED_AXIOM, 0);
    expectAxiom(x, rhs, BW_NORMALIZED_AXIOM, 1);
    // The cut stands for the left side only: the right side has no name yet.
    EXPECT_EQ(rhs->backwardName, nullptr);
}

// L ⊑ R cut at X, then ∃s.L on a left side and ∃s.R on a right side: the
// two use a name each, so that ∃s.R ⊑ ∃s.L does not follow (one shared name
// would make it a told subsumption: ∃s.R ⊑ ∃s.X ⊑ ∃s.L).
TEST_F(Normalization, TheCutOfAGciIsNoNameOfItsRightSide)
{
    Role* r = role("r");
    Role* s = role("s");
    Concept* l = some(r, named("A"));
    Concept* rhs = some(role("t"), named("B"));
    input(l, rhs);
    input(some(s, l), named("C"));
    input(named("D"), some(s, rhs));
    tbox->normalizeTBox();
    ASSERT_NE(l->forwardName, nullptr);
    ASSERT_NE(rhs->backwardName, nullptr);
    EXPECT_NE(l->forwardName, rhs->backwardName);
    expectAxiom(l, l->forwardName, FW_NORMALIZED_AXIOM, 0);
    expectAxiom(rhs->backwardName, rhs, BW_NORMALIZED_AXIOM, 0);
    expectNormalShapes(tbox);
}

TEST_F(Normalization, EquivalenceNamesGiveEachSideItsOwnNameAndALink)
{
    Concept::EquivalenceNames = true;
    auto [lhs, rhs] = existentialInclusion();
    Concept* x = lhs->forwardName;
    Concept* y = rhs->backwardName;
    ASSERT_NE(x, y);
    EXPECT_EQ(lhs->backwardName, x);
    EXPECT_EQ(rhs->forwardName, y);
    ASSERT_NE(expectAxiom(x, y, ORIGINAL, 1), nullptr);
    Axiom* fw = find(lhs, x);
    Axiom* bw = find(y, rhs);
    ASSERT_NE(fw, nullptr);
    ASSERT_NE(bw, nullptr);
    for (Axiom* naming : {fw, bw}) {
        EXPECT_TRUE(naming->flags & Axiom::FROM_EQUIVALENCE);
        EXPECT_TRUE(naming->flags & Axiom::DEFINITION);
    }
}

TEST_F(Normalization, WorkedExampleOfAComplexInclusion)
{
    // A ⊓ ∃r.(B ⊓ C) ⊑ ∃s.D
    Concept* a = named("A");
    Concept* b = named("B");
    Concept* c = named("C");
    Concept* bc = conj(b, c);
    Concept* rbc = some(role("r"), bc);
    Concept* lhs = conj(a, rbc);
    Concept* sd = some(role("s"), named("D"));
    input(lhs, sd);
    tbox->normalizeTBox();

    Concept* x = lhs->forwardName;
    Concept* x1 = rbc->forwardName;
    Concept* x2 = bc->forwardName;
    ASSERT_NE(x, nullptr);
    ASSERT_NE(x1, nullptr);
    ASSERT_NE(x2, nullptr);
    std::set<Concept*> fresh{x, x1, x2};
    EXPECT_EQ(fresh.size(), 3u);

    ASSERT_EQ(gcis().size(), 4u);
    EXPECT_TRUE(ofType(ORIGINAL).empty());
    EXPECT_EQ(ofType(FW_NORMALIZED_AXIOM).size(), 3u);
    ASSERT_EQ(ofType(BW_NORMALIZED_AXIOM).size(), 1u);
    Axiom* last = ofType(BW_NORMALIZED_AXIOM)[0];
    EXPECT_EQ(last->lhs, x);
    EXPECT_EQ(last->rhs, sd);

    std::map<std::string, Concept*> rhsByLhs;
    for (Axiom* g : ofType(FW_NORMALIZED_AXIOM))
        rhsByLhs[conceptText(g->lhs)] = g->rhs;
    EXPECT_EQ(rhsByLhs["(and B C)"], x2);
    // The forward normal form of A ⊓ ∃r.(B ⊓ C) is a conjunction of A and X1 (in serial order).
    std::string ax1 = "(and A " + conceptText(x1) + ")";
    std::string x1a = "(and " + conceptText(x1) + " A)";
    EXPECT_TRUE(rhsByLhs[ax1] == x || rhsByLhs[x1a] == x);
    EXPECT_EQ(rhsByLhs["(some r " + conceptText(x2) + ")"], x1);
    expectNormalShapes(tbox);
}

// Inputs written with conjunctions of one repeated concept normalise as if
// that concept were written: one axiom each, numbered as the input, with no
// fresh concept; a side that becomes the other one gives A ⊑ A.
TEST_F(Normalization, ConjunctionOfOneConceptNormalisesAsThatConcept)
{
    struct Case {
        const char* shape;
        std::function<void()> build;
        std::vector<std::string> expected; // "lhs < rhs type number", in any order
        bool equivalence = false;          // every axiom then carries both marks
    };
    const Case cases[] = {
        {"(C1 and C1) < C2", [this] { input(conj(named("C1"), named("C1")), named("C2")); },
         {"C1 < C2 1 1"}},
        {"X = (C1 and C1)", [this] { equivalence(named("X"), conj(named("C1"), named("C1"))); },
         {"C1 < X 1 1", "X < C1 1 1"},
         true},
        {"r.(C1 and C1) < C2",
         [this] { input(some(role("r"), conj(named("C1"), named("C1"))), named("C2")); },
         {"(some r C1) < C2 1 1"}},
        {"C2 < r.((C1 and C1) and C1)",
         [this] {
             Concept* c1 = named("C1");
             input(named("C2"), some(role("r"), conj(conj(c1, c1), c1)));
         },
         {"C2 < (some r C1) 1 1"}},
        {"(C1 and C1) < C1", [this] { input(conj(named("C1"), named("C1")), named("C1")); },
         {"C1 < C1 1 1"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.shape);
        resetModel();
        tbox = TBox::getInstance();
        c.build();
        const uint64_t serials = Concept::id_counter;
        tbox->normalizeTBox();
        std::multiset<std::string> made;
        for (Axiom* a : tbox->gcis) {
            made.insert(conceptText(a->lhs) + " < " + conceptText(a->rhs) + " " + std::to_string(a->type) + " " +
                        std::to_string(a->originalNumber));
            if (c.equivalence) {
                EXPECT_EQ(a->flags & (Axiom::FROM_EQUIVALENCE | Axiom::DEFINITION),
                          Axiom::FROM_EQUIVALENCE | Axiom::DEFINITION);
            }
        }
        EXPECT_EQ(made, std::multiset<std::string>(c.expected.begin(), c.expected.end()));
        EXPECT_EQ(Concept::id_counter, serials) << "no concept was made";
        expectNormalShapes(tbox);
    }
}

TEST_F(Normalization, InputAxiomsAreConsumed)
{
    input(named("A"), named("B"));
    input(some(role("r"), named("C")), named("D"));
    tbox->normalizeTBox();
    EXPECT_TRUE(tbox->inputAxioms.empty());
    EXPECT_EQ(gcis().size(), 2u);
}

TEST_F(Normalization, QueryConceptsBringTheirOwnNamingAxioms)
{
    input(named("A"), named("B"));
    tbox->normalizeTBox();
    Concept* a = named("A");
    Concept* b = named("B");
    Concept* query = some(role("r"), conj(a, b));
    Concept* fw = tbox->normalizeConceptFW(query);
    EXPECT_EQ(fw->kind, EXISTENTIAL_RESTR);
    EXPECT_TRUE(fw->flags & Concept::NORMAL);
    // (A ⊓ B) ⊑ X and ∃r.X ⊑ name of the query
    EXPECT_EQ(ofType(FW_NORMALIZED_AXIOM).size(), 2u);
    EXPECT_EQ(tbox->convertToFWNormalizedConcept(named("A")), named("A"));
    expectNormalShapes(tbox);
}

TEST_F(Normalization, ConvertFindsExistingNormalFormsOnly)
{
    Concept* a = named("A");
    Concept* b = named("B");
    Concept* ab = conj(a, b);
    input(ab, named("C"));
    tbox->normalizeTBox();
    EXPECT_EQ(tbox->convertToFWNormalizedConcept(ab), ab->forwardNormalForm);
    Concept* q = named("Q");
    Concept* unknown = conj(a, q);
    EXPECT_EQ(tbox->convertToFWNormalizedConcept(unknown), nullptr);
}

}
