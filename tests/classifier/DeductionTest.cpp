// The classification with on-the-fly encoding: numbering, rule clauses, the
// clauses written after the saturation, and what the switches change.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "ClassificationFixture.h"
#include "support/HornOracle.h"
#include "model/ExistentialRestr.h"
#include "model/TrivialConcept.h"

using namespace korvane_test;

namespace {

class Deduction : public ClassificationTest {
protected:
    // Holds when propagation from the given selectors makes the variable true.
    bool follows(long variable, const std::set<long>& selectors)
    {
        return HornOracle(clauses()).consequences({selectors.begin(), selectors.end()}).count(variable) != 0;
    }

    bool subsumed(const std::string& sub, const std::string& super)
    {
        return assertionVariable(conceptNamed(sub), conceptNamed(super)) >= 0;
    }
};

TEST_F(Deduction, SingleToldAxiomIsEncodedAfterTheSaturation)
{
    MemoryStream assumptionList;
    TBox::pinpointing_f = assumptionList.get();
    TBox* tbox = classify("(implies A B)\n");
    EXPECT_EQ(gciBetween("A", "B")->selector, 1);
    EXPECT_EQ(body.text(), "-2 0\n3 0\n-1 -4 5 0\n");
    EXPECT_EQ(header.text(), "c axioms 3 deduced 0\np cnf 5 3\n");
    EXPECT_EQ(assumptionList.text(), "1\n");
    EXPECT_EQ(conceptNamed("A")->encodingId, 4u);
    EXPECT_EQ(tbox->bottom->encodingId, 2u);
    EXPECT_TRUE(TBox::deduction_performed);
    EXPECT_TRUE(TBox::encoded);
    EXPECT_TRUE(tbox->encodingMap->empty());
    // A later concept variable does not meet any variable of the encoding.
    EXPECT_EQ(Concept::encoding_id_counter, 5u);
}

TEST_F(Deduction, ChainOfTwoToldAxiomsGivesOneRuleClause)
{
    TBox* tbox = classify("(implies A B)\n(implies B C)\n");
    const long a = gciBetween("A", "B")->selector;
    const long b = gciBetween("B", "C")->selector;
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, 2);
    EXPECT_EQ(assertionVariable(conceptNamed("A"), conceptNamed("C")), 3);
    ClauseLines expected = {{-b, -a, 3}, {-4}, {5}, {-1, -6, 7}, {-2, -7, 8}, {-3, -6, 8}};
    EXPECT_EQ(clauses(), expected);
    EXPECT_EQ(header.text(), "c axioms 4 deduced 1\np cnf 8 6\n");
    EXPECT_EQ(TBox::clauses_counter, 6u);
    // Reflexive and top pairs count too: bottom, top, A, B, C, plus A ⊑ B,
    // B ⊑ C and A ⊑ C.
    EXPECT_EQ(tbox->getSubsumptionsNumber(), 5u + 4u + 3u);
}

TEST_F(Deduction, DerivingAToldPairConcludesItsSelector)
{
    classify("(implies A B)\n(implies B C)\n(implies A C)\n");
    const long ab = gciBetween("A", "B")->selector;
    const long ac = gciBetween("A", "C")->selector;
    const long bc = gciBetween("B", "C")->selector;
    EXPECT_EQ(assertionVariable(conceptNamed("A"), conceptNamed("C")), ac);
    ClauseLines expected = {{-bc, -ab, ac}, {-4}, {5}, {-1, -6, 7}, {-2, -6, 8}, {-3, -7, 8}};
    EXPECT_EQ(clauses(), expected);
    EXPECT_EQ(header.text(), "c axioms 5 deduced 0\np cnf 8 6\n");
}

TEST_F(Deduction, AClauseThatWouldConcludeItsOwnSelectorIsNotWritten)
{
    TBox::initializeNonPrimitive = true;
    classify("(implies (and A B) C)\n");
    Axiom* told = nullptr;
    for (Axiom* a : TBox::getInstance()->gcis)
        told = a;
    ASSERT_NE(told, nullptr);
    ASSERT_EQ(told->lhs->kind, CONJUNCTION);
    // The conjunction by itself meets the rule of its own axiom.
    EXPECT_EQ(assertionVariable(told->lhs, conceptNamed("C")), told->selector);
    for (const auto& clause : clauses())
        EXPECT_FALSE(clause.size() > 1 && clause.back() == told->selector) << clause.size();
}

TEST_F(Deduction, WithoutEncodingOnlyRuleClausesAreWritten)
{
    classify("(implies A B)\n(implies B C)\n", false);
    EXPECT_EQ(body.text(), "-2 -1 3 0\n");
    EXPECT_EQ(header.text(), "p cnf 3 1\n");
    EXPECT_EQ(conceptNamed("A")->encodingId, 0u);
}

TEST_F(Deduction, WithoutPinpointingConceptVariablesStartAtOne)
{
    TBox::pinpointing = false;
    MemoryStream assumptionList;
    TBox::pinpointing_f = assumptionList.get();
    classify("(implies A B)\n(implies B C)\n");
    ClauseLines expected = {{-1}, {2}, {-3, 4}, {-4, 5}, {-3, 5}};
    EXPECT_EQ(clauses(), expected);
    EXPECT_EQ(header.text(), "c axioms 4 deduced 1\np cnf 5 5\n");
    EXPECT_EQ(assumptionList.text(), "");
}

// A ⊑ ∃r.B, r ⊑ s, ∃s.B ⊑ C: the role inclusion reaches the stored ∃s.B.
TEST_F(Deduction, RoleInclusionAndExistentialOnTheLeft)
{
    MemoryStream assumptionList;
    TBox::pinpointing_f = assumptionList.get();
    TBox* tbox = classify("(implies A (some r B))\n(role-inclusion r s)\n(implies (some s B) C)\n");
    ClauseLines expected = {{-3, -1, 4}, {-2, -4, 5},     {-6},           {7},
                            {-1, -8, 9}, {-2, -10, 11}, {-4, -8, 10}, {-5, -8, 11}};
    EXPECT_EQ(clauses(), expected);
    EXPECT_EQ(assumptionList.text(), "1\n2\n3\n");
    EXPECT_TRUE(subsumed("A", "C"));
    // No existential was made: ∃s.B was stored by the normalisation.
    for (Concept* c : tbox->normalizedConcepts)
        EXPECT_FALSE(c->flags & Concept::CREATED_BY_CLASSIFICATION);
    EXPECT_TRUE(follows(11, {1, 2, 3, 8}));
    EXPECT_FALSE(follows(11, {1, 2, 8}));
}

TEST_F(Deduction, WithoutRoleAxiomsNoneIsNumberedOrUsed)
{
    TBox::useRoleAxiomsInDeduction = false;
    MemoryStream assumptionList;
    TBox::pinpointing_f = assumptionList.get();
    TBox* tbox = classify("(implies A (some r B))\n(role-inclusion r s)\n(implies (some s B) C)\n");
    EXPECT_FALSE(subsumed("A", "C"));
    EXPECT_EQ(assumptionList.text(), "1\n2\n");
    RoleAxiom* ra = *tbox->roleAxioms.begin();
    EXPECT_EQ(ra->index, -1);
    EXPECT_EQ(ra->selector, 0);
}

TEST_F(Deduction, ExistentialsMadeDuringClassificationAreRegistered)
{
    TBox* tbox = classify("(implies A (some r B))\n(role-inclusion r s)\n(implies B C)\n");
    Concept* made = nullptr;
    for (Concept* c : tbox->normalizedConcepts)
        if (c->flags & Concept::CREATED_BY_CLASSIFICATION)
            made = c;
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(conceptText(made), "(some s B)");
    EXPECT_TRUE(made->flags & Concept::BW_NORMALIZED);
    EXPECT_EQ(made->getBWNormalization(), made);
    EXPECT_GE(assertionVariable(conceptNamed("A"), made), 1);
    // Without initialising complex concepts the new one gets no entries of
    // its own.
    EXPECT_EQ(assertionVariable(made, made), -1);
}

TEST_F(Deduction, WithInitialisedComplexConceptsANewExistentialGetsItsOwnEntries)
{
    TBox::initializeNonPrimitive = true;
    TBox* tbox = classify("(implies A (some r B))\n(role-inclusion r s)\n");
    Concept* made = nullptr;
    for (Concept* c : tbox->normalizedConcepts)
        if (c->flags & Concept::CREATED_BY_CLASSIFICATION)
            made = c;
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(assertionVariable(made, made), 0);
    EXPECT_EQ(assertionVariable(made, tbox->top), 0);
}

TEST_F(Deduction, WithoutNewConceptsARoleInclusionNeedsAStoredTarget)
{
    TBox::createNewConceptsInDeduction = false;
    TBox* tbox = classify("(implies A (some r B))\n(role-inclusion r s)\n(implies B C)\n");
    for (Concept* c : tbox->normalizedConcepts) {
        EXPECT_FALSE(c->flags & Concept::CREATED_BY_CLASSIFICATION);
        EXPECT_FALSE(c->kind == EXISTENTIAL_RESTR && static_cast<ExistentialRestr*>(c)->role == roleNamed("s"));
    }
}

TEST_F(Deduction, TransitiveRoleChainsExistentials)
{
    classify("(implies A (some r B))\n(implies B (some r C))\n(implies C (some r D))\n(transitive r)\n"
             "(implies (some r D) E)\n");
    EXPECT_TRUE(subsumed("A", "E"));
    EXPECT_TRUE(subsumed("B", "E"));
    EXPECT_TRUE(subsumed("C", "E"));
    EXPECT_FALSE(subsumed("D", "E"));
    RoleAxiom* transitive = *TBox::getInstance()->roleAxioms.begin();
    long e = assertionVariable(conceptNamed("A"), conceptNamed("E"));
    std::set<long> selectors;
    for (Axiom* a : TBox::getInstance()->gcis)
        selectors.insert(a->selector);
    EXPECT_FALSE(follows(e, selectors));
    selectors.insert(transitive->selector);
    EXPECT_TRUE(follows(e, selectors));
}

TEST_F(Deduction, RoleChainAppliesFromEitherEnd)
{
    // The two links are found in both orders: r-link first for A, s-link
    // first for X.
    classify("(implies A (some r B))\n(implies B (some s C))\n(implies Y (some s Z))\n(implies X (some r Y))\n"
             "(role-inclusion (compose r s) t)\n(implies (some t C) D)\n(implies (some t Z) W)\n");
    EXPECT_TRUE(subsumed("A", "D"));
    EXPECT_TRUE(subsumed("X", "W"));
    EXPECT_FALSE(subsumed("B", "D"));
    EXPECT_FALSE(subsumed("A", "W"));
}

// ∃r.C is stored only as a left side; the chain makes it the target of
// A ⊑ ∃r.C before C ⊑ ∃s.D is known, and the chain must find it again then.
TEST_F(Deduction, StoredExistentialReachedAsATargetJoinsTheRelatedSet)
{
    classify("(implies C C2)\n(implies C2 C3)\n(implies A (some r B))\n(implies B (some s C))\n"
             "(implies C3 (some s D))\n(role-inclusion (compose r s) r)\n(implies (some r C) X)\n"
             "(implies (some r D) Y)\n");
    EXPECT_TRUE(subsumed("A", "X"));
    EXPECT_TRUE(subsumed("A", "Y"));
    EXPECT_FALSE(subsumed("B", "Y"));
}

TEST_F(Deduction, ChainOfThreeRolesNeedsAllThreeLinks)
{
    classify("(implies A (some r1 B))\n(implies B (some r2 C))\n(implies C (some r3 D))\n"
             "(implies P (some r1 Q))\n(implies Q (some r2 R))\n"
             "(role-inclusion (compose r1 r2 r3) t)\n(implies (some t *top*) X)\n");
    EXPECT_TRUE(subsumed("A", "X"));
    EXPECT_FALSE(subsumed("P", "X"));
    EXPECT_FALSE(subsumed("B", "X"));
    // Every step of the chain answers to the selector of the chain axiom.
    RoleAxiom* chain = *TBox::getInstance()->roleAxioms.begin();
    long x = assertionVariable(conceptNamed("A"), conceptNamed("X"));
    std::set<long> selectors;
    for (Axiom* a : TBox::getInstance()->gcis)
        selectors.insert(a->selector);
    EXPECT_FALSE(follows(x, selectors));
    selectors.insert(chain->selector);
    EXPECT_TRUE(follows(x, selectors));
}

TEST_F(Deduction, ConjunctionOnTheLeftNeedsEveryConjunct)
{
    classify("(implies A B)\n(implies A C)\n(implies (and B C) D)\n(implies E B)\n");
    EXPECT_TRUE(subsumed("A", "D"));
    EXPECT_FALSE(subsumed("E", "D"));
    long d = assertionVariable(conceptNamed("A"), conceptNamed("D"));
    std::set<long> selectors;
    for (Axiom* a : TBox::getInstance()->gcis)
        selectors.insert(a->selector);
    EXPECT_TRUE(follows(d, selectors));
    selectors.erase(gciBetween("A", "C")->selector);
    EXPECT_FALSE(follows(d, selectors));
}

// (and C1 C1) is C1: the subsumption through the existentials needs C1 ⊑ C2.
TEST_F(Deduction, ConjunctionOfOneConceptIsUsedAsThatConcept)
{
    for (const char* lhs : {"(and C1 C1)", "(and (and C1 C1) C1)", "(and C1 (and C1 C1))"}) {
        SetUp();
        SCOPED_TRACE(lhs);
        classify(std::string("(implies ") + lhs + " C2)\n(implies A (some r C1))\n(implies (some r C2) B)\n");
        ASSERT_NE(gciBetween("C1", "C2"), nullptr);
        EXPECT_TRUE(subsumed("A", "B"));
        long ab = assertionVariable(conceptNamed("A"), conceptNamed("B"));
        std::set<long> selectors;
        for (Axiom* a : TBox::getInstance()->gcis)
            selectors.insert(a->selector);
        EXPECT_TRUE(follows(ab, selectors));
        selectors.erase(gciBetween("C1", "C2")->selector);
        EXPECT_FALSE(follows(ab, selectors));
    }
}

TEST_F(Deduction, TopOnTheLeftReachesEveryConcept)
{
    classify("(implies *top* A)\n(implies B C)\n(implies (some r *top*) D)\n(implies E (some r F))\n");
    EXPECT_TRUE(subsumed("B", "A"));
    EXPECT_TRUE(subsumed("E", "D"));
    EXPECT_FALSE(subsumed("F", "D"));
}

TEST_F(Deduction, SecondRunDoesNothing)
{
    TBox* tbox = classify("(implies A B)\n(implies B C)\n");
    std::string before = body.text();
    EXPECT_FALSE(tbox->prepareDeductionAndEncode(true, true));
    tbox->performDeductionAndEncode(true, true);
    EXPECT_EQ(body.text(), before);
}

} // namespace
