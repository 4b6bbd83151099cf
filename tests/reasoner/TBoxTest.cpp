#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "model/Composition.h"
#include "model/Conjunction.h"
#include "model/ExistentialRestr.h"
#include "model/PrimitiveConcept.h"
#include "model/PrimitiveRole.h"
#include "reasoner/TBox.h"

using namespace korvane_test;

namespace {

using Concepts = std::vector<Concept*>;
using Roles = std::vector<Role*>;

class TBoxTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetModel();
        TBox::clearNonNormalConcepts = true;
        tbox = TBox::getInstance();
    }

    // A named concept or role in the DAG.
    Concept* concept(const std::string& name) { return tbox->insertConcept(new PrimitiveConcept(name), true); }
    Role* role(const std::string& name) { return tbox->insertRole(new PrimitiveRole(name)); }
    // A named concept in the DAG and in the normal form.
    Concept* normal(const std::string& name) { return tbox->insertNormalizedConcept(concept(name)); }

    static std::vector<std::pair<Concept*, unsigned int>> parentsOf(const Concept* c)
    {
        return c->parents == nullptr ? ConceptParentList() : *c->parents;
    }
    static RoleParentList parentsOf(const Role* r) { return r->parents == nullptr ? RoleParentList() : *r->parents; }

    TBox* tbox = nullptr;
};

TEST_F(TBoxTest, ConstructorNumbersTheTrivialConceptsAndRoles)
{
    EXPECT_EQ(TBox::Instance, tbox);
    EXPECT_EQ(TBox::getInstance(), tbox);
    EXPECT_EQ(tbox->bottom, TrivialConcept::BOTTOM);
    EXPECT_EQ(tbox->top, TrivialConcept::TOP);
    EXPECT_EQ(tbox->bottom->serial, 1u);
    EXPECT_EQ(tbox->top->serial, 2u);
    EXPECT_EQ(tbox->bottom->id, 0u);
    EXPECT_EQ(tbox->top->id, 1u);
    EXPECT_EQ(Concept::dag_id_counter, 2u);
    EXPECT_EQ(Concept::normal_id_counter, 2u);
    for (Concept* c : {tbox->bottom, tbox->top})
        EXPECT_EQ(c->flags & 0x41, 0x41);
    EXPECT_EQ(tbox->concepts.size(), 2u);
    EXPECT_EQ(tbox->normalizedConcepts.size(), 2u);

    EXPECT_EQ(tbox->emptyRole, TrivialRole::EMPTY);
    EXPECT_EQ(tbox->fullRole, TrivialRole::FULL);
    EXPECT_FALSE(TrivialRole::EMPTY->full);
    EXPECT_TRUE(TrivialRole::FULL->full);
    EXPECT_EQ(tbox->emptyRole->id, 1u);
    EXPECT_EQ(tbox->fullRole->id, 2u);
    EXPECT_EQ(tbox->emptyRole->flags & Role::IN_DAG, Role::IN_DAG);
    EXPECT_EQ(tbox->roles.size(), 2u);

    EXPECT_EQ(tbox->conceptsById, nullptr);
    EXPECT_EQ(tbox->deducedAxioms, nullptr);
    EXPECT_EQ(tbox->deductionIteration, 0);
    EXPECT_TRUE(tbox->inputAxioms.empty());
    EXPECT_TRUE(tbox->gcis.empty());
    EXPECT_TRUE(tbox->roleAxioms.empty());
}

TEST_F(TBoxTest, DagAndNormalIdsComeFromSeparateCounters)
{
    resetModelStatics();
    Concept::normal_id_counter = 10;
    TBox::concept_dag_matchings = TBox::conj_dag_matchings = TBox::exist_dag_matchings = 7;
    TBox* other = new TBox();
    EXPECT_EQ(other->bottom->id, 10u);
    EXPECT_EQ(other->top->id, 11u);
    EXPECT_EQ(Concept::dag_id_counter, 2u);
    EXPECT_EQ(TBox::concept_dag_matchings, 0u);
    EXPECT_EQ(TBox::conj_dag_matchings, 0u);
    EXPECT_EQ(TBox::exist_dag_matchings, 0u);
    delete other;
    EXPECT_EQ(TBox::Instance, tbox); // not the deleted one
    delete tbox;
    EXPECT_EQ(TBox::Instance, nullptr);
    EXPECT_TRUE(TrivialConcept::TOP->top); // objects outlive the store
}

TEST_F(TBoxTest, EqualConjunctionIsTheFirstObject)
{
    Concept* a = concept("A");
    Concept* b = concept("B");
    EXPECT_EQ(a->id, 2u);
    EXPECT_EQ(b->id, 3u);
    Concept* ab = new Conjunction(a, b); // operands [B, A]
    EXPECT_EQ(tbox->insertConcept(ab, true), ab);
    EXPECT_EQ(ab->id, 4u);
    EXPECT_TRUE(ab->flags & Concept::IN_DAG);
    EXPECT_EQ(operandsOf(ab), (Concepts{a, b}));
    EXPECT_EQ(TBox::concept_dag_matchings, 0u);

    bool deleted;
    Concept* ba = new Tracked<Conjunction>(&deleted, b, a);
    EXPECT_EQ(tbox->insertConcept(ba, true), ab);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(TBox::concept_dag_matchings, 1u);
    EXPECT_EQ(TBox::conj_dag_matchings, 1u);
    EXPECT_EQ(TBox::exist_dag_matchings, 0u);
    EXPECT_EQ(tbox->concepts.size(), 5u);
    EXPECT_EQ(Concept::dag_id_counter, 5u);
    // The shared operands survive the deletion.
    EXPECT_EQ(static_cast<PrimitiveConcept*>(a)->name, "A");
    EXPECT_EQ(tbox->insertConcept(ab, false), ab);
}

TEST_F(TBoxTest, EqualAtomsAndExistentialsAreMerged)
{
    Concept* a = concept("A");
    Role* r = role("r");
    bool atomDeleted;
    EXPECT_EQ(tbox->insertConcept(new Tracked<PrimitiveConcept>(&atomDeleted, std::string("A")), true), a);
    EXPECT_TRUE(atomDeleted);
    EXPECT_EQ(TBox::concept_dag_matchings, 1u);
    EXPECT_EQ(TBox::conj_dag_matchings, 0u);

    Concept* some = tbox->insertConcept(new ExistentialRestr(a, r), true);
    bool fillerDeleted, someDeleted;
    Concept* filler = new Tracked<PrimitiveConcept>(&fillerDeleted, std::string("A"));
    Concept* again = new Tracked<ExistentialRestr>(&someDeleted, filler, r);
    EXPECT_EQ(tbox->insertConcept(again, true), some);
    EXPECT_TRUE(fillerDeleted);
    EXPECT_TRUE(someDeleted);
    // The filler and the restriction both matched.
    EXPECT_EQ(TBox::concept_dag_matchings, 3u);
    EXPECT_EQ(TBox::exist_dag_matchings, 1u);
    EXPECT_EQ(TBox::conj_dag_matchings, 0u);

    Concept* otherRole = tbox->insertConcept(new ExistentialRestr(a, role("s")), true);
    EXPECT_NE(otherRole, some);
    EXPECT_EQ(static_cast<ExistentialRestr*>(some)->getFiller(), a);
}

TEST_F(TBoxTest, ConjunctsAreSortedBySerialOfTheSharedObjects)
{
    Concept* z = concept("Z");
    Concept* a = concept("A");
    Concept* m = new PrimitiveConcept(std::string("M")); // adopted while the conjunction is shared
    Concept* c = tbox->insertConcept(new Conjunction(new ConceptList{m, a, z}), true);
    EXPECT_EQ(operandsOf(c), (Concepts{z, a, m}));
    EXPECT_TRUE(m->flags & Concept::IN_DAG);
}

TEST_F(TBoxTest, RepeatedConjunctsAreDroppedOnRequest)
{
    Concept* a = concept("A");
    Concept* b = concept("B");
    Concept* kept = tbox->insertConcept(new Conjunction(new ConceptList{b, a, a}), false);
    EXPECT_EQ(operandsOf(kept), (Concepts{a, a, b}));
    Concept* dropped = tbox->insertConcept(new Conjunction(new ConceptList{a, b, a}), true);
    EXPECT_EQ(operandsOf(dropped), (Concepts{a, b}));
    EXPECT_NE(kept, dropped);

    // Nested operands always lose their repeats.
    Concept* c = concept("C");
    Concept* outer =
        tbox->insertConcept(new Conjunction(new ConceptList{c, new Conjunction(new ConceptList{b, c, b})}), false);
    ASSERT_EQ(outer->operandCount(), 2u);
    Concept* inner = operandsOf(outer)[1];
    EXPECT_EQ(operandsOf(inner), (Concepts{b, c}));
    Concept* some = tbox->insertConcept(new ExistentialRestr(new Conjunction(new ConceptList{a, a, b}), role("r")), false);
    EXPECT_EQ(operandsOf(static_cast<ExistentialRestr*>(some)->getFiller()), (Concepts{a, b}));
}

// Conjunctions whose conjuncts are all one concept, however repeated or
// nested, share as that concept: no conjunction of one operand is stored.
TEST_F(TBoxTest, ConjunctionOfOneConceptIsThatConcept)
{
    Concept* a = concept("A");
    Role* r = role("r");
    Concept* ra = tbox->insertConcept(new ExistentialRestr(a, r), true);
    auto unshared = [] { return new PrimitiveConcept(std::string("A")); };
    auto conj = [](std::initializer_list<Concept*> operands) { return new Conjunction(new ConceptList(operands)); };
    const std::size_t stored = tbox->concepts.size();
    struct Case {
        const char* shape;
        Concept* built;
        Concept* expected;
    };
    const Case cases[] = {
        {"A and A", conj({a, a}), a},
        {"A and A, both unshared", conj({unshared(), unshared()}), a},
        {"A and A and A", conj({a, unshared(), a}), a},
        {"(A and A) and A", conj({conj({a, a}), a}), a},
        {"A and (A and A)", conj({a, conj({unshared(), a})}), a},
        {"one operand", conj({a}), a},
        {"r.A and r.A", conj({new ExistentialRestr(a, r), new ExistentialRestr(unshared(), r)}), ra},
        {"r.(A and A)", new ExistentialRestr(conj({a, a}), r), ra},
        {"r.((A and A) and A)", new ExistentialRestr(conj({conj({a, a}), a}), r), ra},
    };
    for (const Case& c : cases)
        EXPECT_EQ(tbox->insertConcept(c.built, true), c.expected) << c.shape;
    EXPECT_EQ(tbox->concepts.size(), stored);
}

// In the normal form a conjunction of one operand stands for that operand too.
TEST_F(TBoxTest, NormalisedConjunctionOfOneOperandIsThatOperand)
{
    Concept* a = normal("A");
    const std::size_t stored = tbox->normalizedConcepts.size();
    Conjunction probe(new ConceptList{a});
    EXPECT_EQ(tbox->findNormalizedConcept(&probe), a);
    Conjunction one(new ConceptList{concept("A")});
    EXPECT_EQ(tbox->insertNormalizedConcept(&one), a);
    EXPECT_EQ(tbox->normalizedConcepts.size(), stored);
    EXPECT_FALSE(one.flags & Concept::NORMAL);
}

TEST_F(TBoxTest, RoleChainsAreOrderedAndSetTheirParents)
{
    Role* r = role("r");
    Role* s = role("s");
    EXPECT_EQ(r->id, 3u);
    EXPECT_EQ(s->id, 4u);
    Role* rs = tbox->insertRole(new Composition(r, s));
    Role* sr = tbox->insertRole(new Composition(s, r));
    Role* rr = tbox->insertRole(new Composition(r, r));
    EXPECT_NE(rs, sr);
    EXPECT_EQ(rs->id, 5u);
    EXPECT_EQ(sr->id, 6u);
    EXPECT_EQ(componentsOf(sr), (Roles{s, r}));
    EXPECT_EQ(componentsOf(rr), (Roles{r, r}));
    EXPECT_EQ(rr->sameChildrenRoles(), r);
    EXPECT_TRUE(rr->flags & Role::IN_DAG);
    EXPECT_EQ(parentsOf(r), (RoleParentList{{rs, 0}, {sr, 1}, {rr, 0}, {rr, 1}}));
    EXPECT_EQ(parentsOf(s), (RoleParentList{{rs, 1}, {sr, 0}}));

    // The same chain again, over an unshared copy of r: nothing new.
    bool chainDeleted, copyDeleted;
    Role* copyOfR = new Tracked<PrimitiveRole>(&copyDeleted, std::string("r"));
    EXPECT_EQ(tbox->insertRole(new Tracked<Composition>(&chainDeleted, copyOfR, s)), rs);
    EXPECT_TRUE(chainDeleted);
    EXPECT_TRUE(copyDeleted);
    EXPECT_EQ(parentsOf(r).size(), 4u);
    EXPECT_EQ(tbox->roles.size(), 7u);
    EXPECT_EQ(Role::dag_id_counter, 7u);
}

TEST_F(TBoxTest, RoleInclusionsAreStoredOnce)
{
    Role* r = role("r");
    Role* s = role("s");
    RoleAxiom* first = tbox->insertRIAxiom(r, s, false);
    EXPECT_EQ(first->flags, RoleAxiom::IN_STORE);
    EXPECT_EQ(first->type, ROLE_INCLUSION);
    EXPECT_EQ(first->lhs, r);
    EXPECT_TRUE(r->flags & Role::ON_LHS);
    EXPECT_TRUE(s->flags & Role::ON_RHS);

    // An unshared copy of r is shared before the axiom is made.
    EXPECT_EQ(tbox->insertRIAxiom(new PrimitiveRole(std::string("r")), s, false), first);
    bool deleted;
    EXPECT_EQ(tbox->insertRoleAxiom(new Tracked<RoleAxiom>(&deleted, r, s, ROLE_INCLUSION)), first);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(tbox->roleAxioms.size(), 1u);
    EXPECT_EQ(tbox->insertRoleAxiom(first), first);

    Role* chain = new Composition(new PrimitiveRole(std::string("r")), s);
    RoleAxiom* chained = tbox->insertRIAxiom(chain, s, false);
    EXPECT_TRUE(chained->lhs->flags & Role::IN_DAG);
    EXPECT_EQ(componentsOf(chained->lhs), (Roles{r, s}));

    TBox::deduction_performed = true;
    RoleAxiom* late = tbox->insertRIAxiom(s, r, false);
    EXPECT_EQ(late->flags, RoleAxiom::IN_STORE | RoleAxiom::NEW_AXIOM);
}

TEST_F(TBoxTest, TransitivityMarksTheAxiomAndTheRole)
{
    Role* r = role("r");
    Role* s = role("s");
    RoleAxiom* plain = tbox->insertRIAxiom(s, r, false);
    EXPECT_FALSE(r->flags & Role::TRANSITIVE);
    RoleAxiom* transitive = tbox->insertRIAxiom(r, r, true);
    EXPECT_EQ(transitive->flags, RoleAxiom::IN_STORE | RoleAxiom::TRANSITIVE);
    EXPECT_TRUE(r->flags & Role::TRANSITIVE);
    EXPECT_FALSE(s->flags & Role::TRANSITIVE);
    EXPECT_NE(tbox->insertRIAxiom(r, r, false), transitive);
    EXPECT_EQ(tbox->roleAxioms.size(), 3u);
    EXPECT_EQ(*tbox->roleAxioms.begin(), transitive);
    EXPECT_NE(plain, transitive);
}

TEST_F(TBoxTest, InputInclusionsAreListedWithTheirFlags)
{
    Concept* a = concept("A");
    Concept* b = concept("B");
    Concept* ab = tbox->insertConcept(new Conjunction(a, b), true);
    Concept* some = tbox->insertConcept(new ExistentialRestr(b, role("r")), true);

    Axiom* plain = tbox->insertGCIAxiom(a, b, false);
    EXPECT_EQ(plain->type, ORIGINAL);
    EXPECT_EQ(plain->flags, 0);
    EXPECT_EQ(plain->index, -1);
    EXPECT_EQ(plain->originalNumber, 0);
    EXPECT_TRUE(a->flags & Concept::ON_LHS);
    EXPECT_TRUE(b->flags & Concept::ON_RHS);

    Axiom* definition = tbox->insertGCIAxiom(ab, a, true);
    EXPECT_EQ(definition->flags, Axiom::FROM_EQUIVALENCE | Axiom::DEFINITION);
    Axiom* complexEquivalence = tbox->insertGCIAxiom(ab, some, true);
    EXPECT_EQ(complexEquivalence->flags, Axiom::FROM_EQUIVALENCE);

    TBox::deduction_performed = true;
    Axiom* late = tbox->insertGCIAxiom(a, ab, true);
    EXPECT_EQ(late->flags, Axiom::FROM_EQUIVALENCE | Axiom::DEFINITION | Axiom::NEW_AXIOM);
    // The same inclusion twice is listed twice; the GCI set is not touched.
    Axiom* repeated = tbox->insertGCIAxiom(a, b, false);
    EXPECT_EQ(tbox->inputAxioms, (std::list<Axiom*>{plain, definition, complexEquivalence, late, repeated}));
    EXPECT_TRUE(tbox->gcis.empty());
}

TEST_F(TBoxTest, NormalisedInclusionsAreStoredOnce)
{
    Concept* a = normal("A");
    Concept* b = normal("B");
    Concept* c = normal("C");
    Axiom* ab = new Axiom(a, b, FW_NORMALIZED_AXIOM);
    EXPECT_EQ(tbox->insertAxiom(ab), ab);
    EXPECT_EQ(ab->flags, Axiom::IN_STORE);
    bool deleted;
    EXPECT_EQ(tbox->insertAxiom(new Tracked<Axiom>(&deleted, a, b, FW_NORMALIZED_AXIOM)), ab);
    EXPECT_TRUE(deleted);
    Axiom* backward = tbox->insertAxiom(new Axiom(a, b, BW_NORMALIZED_AXIOM));
    EXPECT_NE(backward, ab);
    EXPECT_EQ(tbox->gcis.size(), 2u);

    TBox::deduction_performed = true;
    Axiom* ac = tbox->insertAxiom(new Axiom(a, c, FW_NORMALIZED_AXIOM));
    EXPECT_EQ(ac->flags, Axiom::IN_STORE | Axiom::NEW_AXIOM | Axiom::NOT_ENCODED);
    EXPECT_EQ(tbox->insertAxiom(new Axiom(a, b, FW_NORMALIZED_AXIOM)), ab);
    EXPECT_EQ(ab->flags, Axiom::IN_STORE | Axiom::NEW_AXIOM);
    backward->flags = Axiom::IN_STORE;
    EXPECT_EQ(tbox->insertAxiom(backward), backward);
    EXPECT_EQ(backward->flags, Axiom::IN_STORE | Axiom::NEW_AXIOM);
    EXPECT_EQ(tbox->gcis.size(), 3u);

    // Every GCI marked new since the classification is in the record once,
    // stored before or after it, in the order of the GCI set; a second mark
    // adds nothing. Taking the record empties it and leaves the marks.
    EXPECT_EQ(tbox->insertAxiom(new Axiom(a, c, FW_NORMALIZED_AXIOM)), ac);
    EXPECT_EQ(tbox->insertAxiom(ab), ab);
    const std::vector<Axiom*> inSetOrder(tbox->gcis.begin(), tbox->gcis.end());
    EXPECT_EQ(tbox->takeNewGcis(), inSetOrder);
    EXPECT_TRUE(tbox->takeNewGcis().empty());
    EXPECT_TRUE(ab->flags & Axiom::NEW_AXIOM);
    // Before a classification nothing is recorded.
    TBox::deduction_performed = false;
    tbox->insertAxiom(new Axiom(b, c, FW_NORMALIZED_AXIOM));
    EXPECT_TRUE(tbox->takeNewGcis().empty());
}

// GCIs arriving in the set's order, against it, and mixed: each is stored
// once, a repeat of any (the greatest stored included) finds it, and the set
// walks them in its order.
TEST_F(TBoxTest, NormalisedInclusionsAreStoredOnceInAnyOrder)
{
    const Concepts named{normal("A"), normal("B"), normal("C"), normal("D")};
    std::vector<Axiom*> ordered;
    for (Concept* c : named)
        for (Concept* d : named)
            if (c != d)
                ordered.push_back(new Axiom(c, d, FW_NORMALIZED_AXIOM));
    std::sort(ordered.begin(), ordered.end(), AxiomComparator());
    // Every other one from the greatest down, then each in ascending order
    // followed by its own repeat.
    std::vector<Axiom*> stored(ordered.size(), nullptr);
    for (std::size_t k = ordered.size(); k-- > 0;)
        if (k % 2 == 1)
            stored[k] = tbox->insertAxiom(ordered[k]);
    for (std::size_t k = 0; k < ordered.size(); ++k) {
        if (k % 2 == 0)
            stored[k] = tbox->insertAxiom(ordered[k]);
        bool deleted = false;
        EXPECT_EQ(tbox->insertAxiom(new Tracked<Axiom>(&deleted, ordered[k]->lhs, ordered[k]->rhs, FW_NORMALIZED_AXIOM)),
                  ordered[k])
            << k;
        EXPECT_TRUE(deleted) << k;
    }
    EXPECT_EQ(stored, ordered);
    EXPECT_EQ(std::vector<Axiom*>(tbox->gcis.begin(), tbox->gcis.end()), ordered);
}

TEST_F(TBoxTest, NormalisedConceptsGetNormalIdsAndParents)
{
    Concept* a = concept("A");
    Concept* b = concept("B");
    EXPECT_EQ(tbox->insertNormalizedConcept(b), b);
    EXPECT_EQ(tbox->insertNormalizedConcept(a), a);
    EXPECT_EQ(b->id, 2u);
    EXPECT_EQ(a->id, 3u);
    EXPECT_EQ(a->flags & 0x41, 0x41);
    EXPECT_EQ(tbox->insertNormalizedConcept(a), a);
    EXPECT_EQ(Concept::normal_id_counter, 4u);

    Concept* conj = new Conjunction(new ConceptList{b, a});
    EXPECT_EQ(tbox->insertNormalizedConcept(conj), conj);
    EXPECT_EQ(conj->id, 4u);
    EXPECT_EQ(operandsOf(conj), (Concepts{a, b}));
    EXPECT_EQ(parentsOf(a), (ConceptParentList{{conj, 0}}));
    EXPECT_EQ(parentsOf(b), (ConceptParentList{{conj, 1}}));

    Concept* twice = tbox->insertNormalizedConcept(new Conjunction(new ConceptList{a, b, a}));
    EXPECT_EQ(operandsOf(twice), (Concepts{a, a, b}));
    EXPECT_EQ(parentsOf(a), (ConceptParentList{{conj, 0}, {twice, 0}, {twice, 1}}));

    // An operand never normalised before is normalised with the conjunction.
    Concept* x = new PrimitiveConcept(std::string("X"));
    Concept* withX = tbox->insertNormalizedConcept(new Conjunction(new ConceptList{x, a}));
    EXPECT_TRUE(x->flags & Concept::NORMAL);
    EXPECT_EQ(parentsOf(x), (ConceptParentList{{withX, 1}}));
    EXPECT_FALSE(TBox::deduction_performed);
    EXPECT_FALSE(withX->flags & Concept::NEW_OR_TOUCHED);
}

TEST_F(TBoxTest, NormalisedInsertionNeverDeletes)
{
    Concept* a = normal("A");
    Concept* b = normal("B");
    Concept* conj = tbox->insertNormalizedConcept(new Conjunction(a, b));
    const std::size_t stored = tbox->normalizedConcepts.size();

    bool atomDeleted, conjDeleted;
    Concept* otherA = new Tracked<PrimitiveConcept>(&atomDeleted, std::string("A"));
    EXPECT_EQ(tbox->insertNormalizedConcept(otherA), a);
    Concept* otherConj = new Tracked<Conjunction>(&conjDeleted, b, a);
    EXPECT_EQ(tbox->insertNormalizedConcept(otherConj), conj);
    EXPECT_FALSE(atomDeleted);
    EXPECT_FALSE(conjDeleted);
    EXPECT_FALSE(otherA->flags & Concept::NORMAL);
    EXPECT_FALSE(otherConj->flags & Concept::NORMAL);
    EXPECT_EQ(tbox->normalizedConcepts.size(), stored);
    EXPECT_EQ(parentsOf(a).size(), 1u);
}

TEST_F(TBoxTest, NormalisedInsertionMarksTouchedConceptsAfterClassification)
{
    Concept* a = normal("A");
    Concept* conj = tbox->insertNormalizedConcept(new Conjunction(a, normal("B")));
    TBox::deduction_performed = true;
    Concept* fresh = new PrimitiveConcept();
    EXPECT_EQ(tbox->insertNormalizedConcept(fresh), fresh);
    EXPECT_TRUE(fresh->flags & Concept::NEW_OR_TOUCHED);

    EXPECT_FALSE(conj->flags & Concept::NEW_OR_TOUCHED);
    EXPECT_FALSE(a->flags & Concept::NEW_OR_TOUCHED);
    Concept* equal = new Conjunction(operandsOf(conj)[1], operandsOf(conj)[0]);
    EXPECT_EQ(tbox->insertNormalizedConcept(equal), conj);
    EXPECT_TRUE(conj->flags & Concept::NEW_OR_TOUCHED);
    EXPECT_TRUE(equal->flags & Concept::NEW_OR_TOUCHED);
    // The operands went through the normalised insertion too.
    EXPECT_TRUE(a->flags & Concept::NEW_OR_TOUCHED);

    Concept* b = operandsOf(conj)[1];
    b->flags &= static_cast<uint16_t>(~Concept::NEW_OR_TOUCHED);
    EXPECT_EQ(tbox->insertNormalizedConcept(b), b);
    EXPECT_TRUE(b->flags & Concept::NEW_OR_TOUCHED);
}

TEST_F(TBoxTest, FindNormalisedConceptRewritesOperandsOnSuccess)
{
    Concept* a = normal("A");
    Concept* b = normal("B");
    Role* r = role("r");
    Concept* conj = tbox->insertNormalizedConcept(new Conjunction(a, b));
    Concept* some = tbox->insertNormalizedConcept(new ExistentialRestr(a, r));
    EXPECT_EQ(tbox->findNormalizedConcept(conj), conj);

    Concept* queryA = new PrimitiveConcept(std::string("A"));
    Concept* queryB = new PrimitiveConcept(std::string("B"));
    Concept* query = new Conjunction(new ConceptList{queryB, queryA});
    const std::size_t stored = tbox->normalizedConcepts.size();
    EXPECT_EQ(tbox->findNormalizedConcept(query), conj);
    EXPECT_EQ(operandsOf(query), (Concepts{a, b}));
    EXPECT_FALSE(query->flags & Concept::NORMAL);
    EXPECT_EQ(tbox->normalizedConcepts.size(), stored);

    Concept* querySome = new ExistentialRestr(new PrimitiveConcept(std::string("A")), r);
    EXPECT_EQ(tbox->findNormalizedConcept(querySome), some);
    EXPECT_EQ(operandsOf(querySome), (Concepts{a}));
    // Not normalised as a whole: found nothing, though the operands are normal now.
    Concept* aa = new Conjunction(new ConceptList{a, a});
    EXPECT_EQ(tbox->findNormalizedConcept(aa), nullptr);
    EXPECT_EQ(tbox->normalizedConcepts.size(), stored);
}

TEST_F(TBoxTest, FindNormalisedConceptFailureLeavesTheOperands)
{
    normal("A");
    Role* r = role("r");
    Concept* queryA = new PrimitiveConcept(std::string("A"));
    Concept* unknown = new PrimitiveConcept(std::string("Unknown"));
    Concept* query = new Conjunction(new ConceptList{queryA, unknown});
    EXPECT_EQ(tbox->findNormalizedConcept(query), nullptr);
    EXPECT_EQ(operandsOf(query), (Concepts{queryA, unknown}));

    Concept* someUnknown = new ExistentialRestr(unknown, r);
    EXPECT_EQ(tbox->findNormalizedConcept(someUnknown), nullptr);
    EXPECT_EQ(operandsOf(someUnknown), (Concepts{unknown}));
    EXPECT_FALSE(unknown->flags & Concept::NORMAL);
}

TEST_F(TBoxTest, ClearingDropsTheConceptsThatAreNotNormal)
{
    bool dagOnlyDeleted, normalDeleted;
    Concept* dagOnly = tbox->insertConcept(new Tracked<PrimitiveConcept>(&dagOnlyDeleted, std::string("D")), true);
    Concept* kept = tbox->insertNormalizedConcept(
        tbox->insertConcept(new Tracked<PrimitiveConcept>(&normalDeleted, std::string("N")), true));

    TBox::clearNonNormalConcepts = false;
    tbox->clearNonNormalAndSharedConcepts();
    EXPECT_EQ(tbox->concepts.size(), 4u);
    EXPECT_FALSE(dagOnlyDeleted);
    EXPECT_EQ(dagOnly->id, 2u);

    TBox::clearNonNormalConcepts = true;
    tbox->clearNonNormalAndSharedConcepts();
    EXPECT_TRUE(dagOnlyDeleted);
    EXPECT_FALSE(normalDeleted);
    EXPECT_TRUE(tbox->concepts.empty());
    EXPECT_EQ(tbox->normalizedConcepts.size(), 3u);
    EXPECT_EQ(tbox->normalizedConcepts.count(kept), 1u);
    EXPECT_TRUE(tbox->top->flags & Concept::NORMAL);
}

} // namespace
