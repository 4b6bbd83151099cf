// The classifier's normalisation: the normal form with the input axioms and
// the parent axioms that every normal-form axiom comes from.
#include <gtest/gtest.h>

#include <list>
#include <string>
#include <vector>

#include "ClassificationFixture.h"
#include "model/Conjunction.h"
#include "model/ExistentialRestr.h"

using namespace korvane_test;

namespace {

class Provenance : public ClassificationTest {
protected:
    // The first normal-form axiom whose sides print as given (fresh names
    // print as "#id", so such a side is matched by kind instead: "#"; "*"
    // matches any side).
    static Axiom* gciLike(const std::string& lhs, const std::string& rhs)
    {
        for (Axiom* a : TBox::getInstance()->gcis)
            if (sideLike(a->lhs, lhs) && sideLike(a->rhs, rhs))
                return a;
        return nullptr;
    }
    static bool sideLike(const Concept* side, const std::string& pattern)
    {
        return pattern == "*" || (pattern == "#" ? side->kind == FRESH_CONCEPT : conceptText(side) == pattern);
    }

    static std::vector<unsigned long> ids(const Axiom* a) { return {a->originalIds.begin(), a->originalIds.end()}; }
    static std::vector<Axiom*> parents(const Axiom* a) { return {a->generatedFrom.begin(), a->generatedFrom.end()}; }
};

TEST_F(Provenance, SharedNormalFormCollectsEveryInputNumberInInputOrder)
{
    TBox* tbox = normalize("(implies A B)\n(implies A (and B C))\n");
    ASSERT_EQ(tbox->gcis.size(), 2u);
    Axiom* ab = gciBetween("A", "B");
    Axiom* ac = gciBetween("A", "C");
    ASSERT_NE(ab, nullptr);
    ASSERT_NE(ac, nullptr);
    EXPECT_EQ(ids(ab), (std::vector<unsigned long>{1, 2}));
    EXPECT_EQ(ids(ac), (std::vector<unsigned long>{2}));
    EXPECT_EQ(ab->originalNumber, 1);
    EXPECT_EQ(ac->originalNumber, 2);
    EXPECT_EQ(ab->type, ORIGINAL);
    EXPECT_TRUE(tbox->inputAxioms.empty());
    EXPECT_TRUE(TBox::normalized);
}

TEST_F(Provenance, NestedConceptInTwoAxiomsHasOneDefinitionNamingBothParents)
{
    TBox* tbox = normalize("(implies (some r (and A B)) C)\n(implies (some s (and A B)) D)\n");
    ASSERT_EQ(tbox->gcis.size(), 3u);
    Axiom* definition = gciLike("(and A B)", "#");
    Axiom* first = gciLike("*", "C");
    Axiom* second = gciLike("*", "D");
    ASSERT_NE(definition, nullptr);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(parents(definition), (std::vector<Axiom*>{first, second}));
    EXPECT_TRUE(definition->originalIds.empty());
    EXPECT_EQ(definition->type, FW_NORMALIZED_AXIOM);
    EXPECT_EQ(definition->flags & (Axiom::FROM_EQUIVALENCE | Axiom::DEFINITION),
              Axiom::FROM_EQUIVALENCE | Axiom::DEFINITION);
    EXPECT_EQ(ids(first), (std::vector<unsigned long>{1}));
    EXPECT_EQ(ids(second), (std::vector<unsigned long>{2}));
    EXPECT_TRUE(first->generatedFrom.empty());
}

TEST_F(Provenance, BackwardDefinitionMadeOnceIsLinkedToEveryLaterParent)
{
    TBox* tbox = normalize("(implies A (some r (and B C)))\n(implies D (some s (and B C)))\n");
    ASSERT_EQ(tbox->gcis.size(), 4u);
    Axiom* toB = gciLike("#", "B");
    Axiom* toC = gciLike("#", "C");
    Axiom* viaR = gciLike("A", "*");
    Axiom* viaS = gciLike("D", "*");
    ASSERT_NE(toB, nullptr);
    ASSERT_NE(toC, nullptr);
    EXPECT_EQ(toB->lhs, toC->lhs);
    EXPECT_EQ(parents(toB), (std::vector<Axiom*>{viaR, viaS}));
    EXPECT_EQ(parents(toC), (std::vector<Axiom*>{viaR, viaS}));
    EXPECT_EQ(toB->type, BW_NORMALIZED_AXIOM);
}

TEST_F(Provenance, ComplexSidesAreJoinedByAMiddleAxiomThatBothDefinitionsNeed)
{
    TBox* tbox = normalize("(implies (some r A) (some s B))\n");
    ASSERT_EQ(tbox->gcis.size(), 3u);
    Axiom* middle = gciLike("#", "#");
    Axiom* forward = gciLike("(some r A)", "#");
    Axiom* backward = gciLike("#", "(some s B)");
    ASSERT_NE(middle, nullptr);
    ASSERT_NE(forward, nullptr);
    ASSERT_NE(backward, nullptr);
    EXPECT_EQ(middle->type, ORIGINAL);
    EXPECT_EQ(ids(middle), (std::vector<unsigned long>{1}));
    EXPECT_EQ(middle->flags & (Axiom::FROM_EQUIVALENCE | Axiom::DEFINITION), 0);
    EXPECT_EQ(parents(forward), (std::vector<Axiom*>{middle}));
    EXPECT_EQ(parents(backward), (std::vector<Axiom*>{middle}));
    EXPECT_TRUE(forward->originalIds.empty());
    EXPECT_EQ(forward->rhs, middle->lhs);
    EXPECT_EQ(backward->lhs, middle->rhs);
}

TEST_F(Provenance, ConjunctionOfOneConceptKeepsTheInputNumber)
{
    TBox* tbox = normalize("(implies (and C1 C1) C2)\n(implies A (some r C1))\n(implies (some r C2) B)\n"
                           "(implies (and C1 (and C1 C1)) C1)\n");
    ASSERT_EQ(tbox->gcis.size(), 4u);
    Axiom* told = gciBetween("C1", "C2");
    ASSERT_NE(told, nullptr);
    EXPECT_EQ(told->type, ORIGINAL);
    EXPECT_EQ(told->originalNumber, 1);
    EXPECT_EQ(ids(told), (std::vector<unsigned long>{1}));
    EXPECT_TRUE(told->generatedFrom.empty());
    // The side that becomes the other one leaves C1 ⊑ C1, with its number.
    Axiom* same = gciBetween("C1", "C1");
    ASSERT_NE(same, nullptr);
    EXPECT_EQ(ids(same), (std::vector<unsigned long>{4}));
    for (Axiom* a : tbox->gcis)
        EXPECT_NE(a->lhs->kind, CONJUNCTION);
}

TEST_F(Provenance, SameComplexConceptOnBothSidesHasNoMiddleAxiom)
{
    TBox* tbox = normalize("(implies (some r A) (some r A))\n");
    ASSERT_EQ(tbox->gcis.size(), 2u);
    for (Axiom* a : tbox->gcis) {
        EXPECT_NE(a->type, ORIGINAL);
        EXPECT_TRUE(a->generatedFrom.empty());
        EXPECT_TRUE(a->originalIds.empty());
    }
}

TEST_F(Provenance, EquivalenceMarksEverySplitConjunct)
{
    TBox* tbox = normalize("(equivalent A (and B C))\n");
    ASSERT_EQ(tbox->gcis.size(), 3u);
    const uint16_t marks = Axiom::FROM_EQUIVALENCE | Axiom::DEFINITION;
    for (Axiom* a : tbox->gcis) {
        EXPECT_EQ(a->flags & marks, marks);
        EXPECT_EQ(a->type, ORIGINAL);
        EXPECT_EQ(ids(a), (std::vector<unsigned long>{1}));
    }
    EXPECT_NE(gciBetween("A", "B"), nullptr);
    EXPECT_NE(gciBetween("A", "C"), nullptr);
    EXPECT_NE(gciBetween("(and B C)", "A"), nullptr);
}

TEST_F(Provenance, InputAxiomTableIsWrittenOnlyWithOriginalIds)
{
    MemoryStream inputs;
    TBox::getInstance()->deductionsTables.inputAxioms = inputs.get();
    normalize("(implies A (and B C))\n(equivalent D (some r E))\n");
    EXPECT_EQ(inputs.text(), "");

    SetUp();
    MemoryStream withIds;
    TBox::getInstance()->deductionsTables.inputAxioms = withIds.get();
    TBox::use_original_axioms_ids = true;
    normalize("(implies A (and B C))\n(equivalent D (some r E))\n");
    EXPECT_EQ(withIds.text(), "1 (implies A (and B C) )\n2 (implies D (some r E) )\n2 (implies (some r E) D )\n");
}

TEST_F(Provenance, SingleConceptsBringTheirOwnNamingAxioms)
{
    TBox* tbox = normalize("(implies A B)\n(implies C (some r D))\n");
    Concept* a = conceptNamed("A");
    Concept* b = conceptNamed("B");
    Concept* conjunction = tbox->insertConcept(new Conjunction(a, b), true);
    Concept* lhs = tbox->normalizeConceptFW(conjunction);
    EXPECT_EQ(lhs->kind, CONJUNCTION);
    EXPECT_TRUE(lhs->flags & Concept::NORMAL);
    Axiom* naming = gciLike("(and A B)", "#");
    ASSERT_NE(naming, nullptr);
    EXPECT_EQ(naming->lhs, lhs);
    EXPECT_EQ(naming->type, FW_NORMALIZED_AXIOM);
    EXPECT_TRUE(naming->originalIds.empty());

    Concept* some = tbox->insertConcept(new ExistentialRestr(conjunction, roleNamed("r")), true);
    Concept* rhs = tbox->normalizeConceptBW(some);
    EXPECT_EQ(rhs->kind, EXISTENTIAL_RESTR);
    EXPECT_NE(gciLike("#", conceptText(rhs)), nullptr);
    // The conjunction under the existential is split behind its name.
    EXPECT_NE(gciLike("#", "A"), nullptr);
    EXPECT_NE(gciLike("#", "B"), nullptr);
}

TEST_F(Provenance, FindAxiomLooksUpWithoutCreating)
{
    TBox* tbox = normalize("(implies A B)\n");
    std::size_t stored = tbox->gcis.size();
    Concept* a = conceptNamed("A");
    Concept* b = conceptNamed("B");
    EXPECT_EQ(tbox->findAxiom(a, b, ORIGINAL), gciBetween("A", "B"));
    EXPECT_EQ(tbox->findAxiom(a, b, FW_NORMALIZED_AXIOM), nullptr);
    EXPECT_EQ(tbox->findAxiom(b, a, ORIGINAL), nullptr);
    EXPECT_EQ(tbox->gcis.size(), stored);
    EXPECT_FALSE(b->flags & Concept::ON_LHS);
}

} // namespace
