#include <gtest/gtest.h>

#include <string>

#include "support/TestSupport.h"
#include "model/PrimitiveConcept.h"
#include "model/PrimitiveRole.h"
#include "model/RoleAxiom.h"
#include "reasoner/TBox.h"

using namespace korvane_test;

namespace {

class ClassifierModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetModel();
    }

    static Concept* named(const std::string& name) { return new PrimitiveConcept(name); }
};

TEST_F(ClassifierModelTest, AssertionSetHoldsOnePairPerSubsumedConcept)
{
    Concept* c = named("C");
    Concept* a = named("A");
    Concept* b = named("B");
    a->id = 20;
    b->id = 10;
    EXPECT_TRUE(c->assertions.insert({a, 5}).second);
    auto again = c->assertions.insert({a, 9});
    EXPECT_FALSE(again.second);
    EXPECT_EQ(again.first->second, 5u);

    // Another object with the same id counts as the same subsumed concept.
    Concept* sameId = named("A'");
    sameId->id = 20;
    EXPECT_FALSE(c->assertions.insert({sameId, 5}).second);

    EXPECT_TRUE(c->assertions.insert({b, 5}).second);
    ASSERT_EQ(c->assertions.size(), 2u);
    // Ordered by id alone: b (id 10) before a (id 20) although made later.
    EXPECT_EQ(c->assertions.begin()->first, b);
    EXPECT_EQ(c->assertions.count({a, 123}), 1u);

    c->assertions.clear();
    EXPECT_TRUE(c->assertions.empty());
}

TEST_F(ClassifierModelTest, ClassificationMembersStartEmpty)
{
    Axiom empty;
    EXPECT_TRUE(empty.originalIds.empty());
    EXPECT_TRUE(empty.generatedFrom.empty());
    EXPECT_EQ(empty.selector, 0);
    EXPECT_EQ(empty.index, -1);
    EXPECT_EQ(empty.originalNumber, 0);

    Concept* a = named("A");
    Concept* b = named("B");
    Axiom* ab = new Axiom(a, b, FW_NORMALIZED_AXIOM);
    EXPECT_TRUE(ab->originalIds.empty());
    EXPECT_TRUE(ab->generatedFrom.empty());
    EXPECT_EQ(ab->selector, 0);
    EXPECT_EQ(ab->index, -1);
    EXPECT_EQ(ab->originalNumber, 0);

    Role* r = new PrimitiveRole(std::string("r"));
    Role* s = new PrimitiveRole(std::string("s"));
    RoleAxiom rs(r, s, ROLE_INCLUSION);
    EXPECT_EQ(rs.selector, 0);
    EXPECT_EQ(rs.index, -1);
    EXPECT_TRUE(r->flags & Role::ON_LHS);
    EXPECT_TRUE(s->flags & Role::ON_RHS);
    RoleAxiom none;
    EXPECT_EQ(none.selector, 0);
    EXPECT_EQ(none.index, -1);

    EXPECT_TRUE(a->assertions.empty());
    EXPECT_TRUE(a->lhsAxioms.empty());
    EXPECT_TRUE(r->roleAxioms.empty());
    EXPECT_TRUE(r->existentialLhs.empty());
}

// Nothing of the classifier's build climbs from a concept to the concepts
// over it, so it keeps no parents, not even for the concepts that the
// normal form shares.
TEST_F(ClassifierModelTest, ConceptsKeepNoParents)
{
    TBox* tbox = TBox::getInstance();
    Concept* a = tbox->insertNormalizedConcept(named("A"));
    Concept* b = tbox->insertNormalizedConcept(named("B"));
    Concept* both = tbox->normalConjunction(new ConceptList{a, b});
    EXPECT_EQ(both->operandCount(), 2u);
    EXPECT_EQ(a->parents, nullptr);
    EXPECT_EQ(b->parents, nullptr);
    a->addParent(both, 0);
    EXPECT_EQ(a->parents, nullptr);
}

TEST_F(ClassifierModelTest, CopiesTakeTheModelFieldsOnly)
{
    Concept* a = named("A");
    Concept* b = named("B");
    Axiom* ab = new Axiom(a, b, FW_NORMALIZED_AXIOM);
    b->assertions.insert({a, 4});
    b->lhsAxioms.push_back(ab);
    b->id = 31;
    Concept* copy = b->createCopy();
    EXPECT_EQ(copy->id, 31u);
    EXPECT_TRUE(copy->assertions.empty());
    EXPECT_TRUE(copy->lhsAxioms.empty());

    Role* r = new PrimitiveRole(std::string("r"));
    r->existentialLhs.push_back(ab);
    Role* rc = r->createCopy();
    EXPECT_TRUE(rc->existentialLhs.empty());
    EXPECT_EQ(rc->id, r->id);
}

TEST_F(ClassifierModelTest, StoreStartsLikeTheLibraryStoreWithEmptyEncodingState)
{
    TBox* tbox = TBox::getInstance();
    EXPECT_EQ(tbox->bottom->id, 0u);
    EXPECT_EQ(tbox->top->id, 1u);
    EXPECT_EQ(tbox->emptyRole->id, 1u);
    EXPECT_EQ(tbox->fullRole->id, 2u);
    EXPECT_EQ(tbox->normalizedConcepts.size(), 2u);
    EXPECT_EQ(tbox->encodingMap, nullptr);
    EXPECT_TRUE(tbox->assumptions.empty());
    EXPECT_TRUE(tbox->deductionQueue.empty());
    delete tbox;
    EXPECT_EQ(TBox::Instance, nullptr);
}

} // namespace
