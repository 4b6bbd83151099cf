#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "ModelOrder.h"
#include "support/TestSupport.h"
#include "model/Conjunction.h"
#include "model/ExistentialRestr.h"
#include "model/PrimitiveConcept.h"
#include "model/PrimitiveRole.h"
#include "model/TrivialConcept.h"

using namespace korvane_test;

namespace {

// A complex concept whose normal forms are whatever the test says.
class ProbeConcept : public Concept {
public:
    ProbeConcept() { kind = CONJUNCTION; }
    void printConcept(FILE* out) const override { std::fputs("probe", out); }
    void printTextDescription(FILE* out) const override { std::fputs("probe", out); }
    Concept* forwardNormalization() override
    {
        ++forwardCalls;
        return forwardResult;
    }
    Concept* backwardNormalization() override
    {
        ++backwardCalls;
        return backwardResult;
    }
    Concept* createCopy() override { return nullptr; }

    Concept* forwardResult = nullptr;
    Concept* backwardResult = nullptr;
    int forwardCalls = 0;
    int backwardCalls = 0;
};

class ConceptTest : public FreshModelTest {
protected:
    static PrimitiveConcept* named(const std::string& name) { return new PrimitiveConcept(name); }
};

TEST_F(ConceptTest, EveryConstructorTakesTheNextSerialAsSerialAndId)
{
    PrimitiveConcept* a = named("A");
    PrimitiveConcept* fresh = new PrimitiveConcept();
    Conjunction* c = new Conjunction(a, fresh);
    EXPECT_EQ(a->serial, 1u);
    EXPECT_EQ(a->id, 1u);
    EXPECT_EQ(fresh->serial, 2u);
    EXPECT_EQ(c->serial, 3u);
    EXPECT_EQ(c->id, 3u);
    EXPECT_EQ(Concept::id_counter, 3u);

    EXPECT_EQ(c->flags, 0);
    EXPECT_EQ(c->lastDeductionIt, 0);
    EXPECT_EQ(c->occurrences, 1u);
    EXPECT_EQ(c->encodingId, 0u);
    EXPECT_EQ(c->parents, nullptr);
    EXPECT_EQ(c->forwardNormalForm, nullptr);
    EXPECT_EQ(c->backwardName, nullptr);
}

TEST_F(ConceptTest, AtomicConceptsAreTheirOwnNormalFormsAndNames)
{
    char* buffer = static_cast<char*>(std::malloc(4));
    std::strcpy(buffer, "Dog");
    std::vector<PrimitiveConcept*> atoms{named("A"), new PrimitiveConcept(buffer), new PrimitiveConcept(),
                                         new PrimitiveConcept(42, true), new PrimitiveConcept(42, false)};
    for (PrimitiveConcept* p : atoms) {
        EXPECT_EQ(p->flags, Concept::FW_NORMALIZED | Concept::BW_NORMALIZED);
        EXPECT_EQ(p->forwardNormalForm, p);
        EXPECT_EQ(p->backwardNormalForm, p);
        EXPECT_EQ(p->forwardName, p);
        EXPECT_EQ(p->backwardName, p);
        EXPECT_TRUE(p->isAtomic());
    }
    EXPECT_EQ(atoms[1]->name, "Dog");
    EXPECT_EQ(atoms[1]->kind, PRIMITIVE_CONCEPT);
    EXPECT_EQ(atoms[2]->kind, FRESH_CONCEPT);
    EXPECT_EQ(atoms[2]->name, "");
    EXPECT_EQ(atoms[3]->kind, FRESH_CONCEPT);
    EXPECT_EQ(atoms[3]->name, "42");
    EXPECT_EQ(atoms[4]->kind, PRIMITIVE_CONCEPT);
    EXPECT_EQ(atoms[4]->name, "42");

    TrivialConcept* top = TrivialConcept::getTOP();
    TrivialConcept* bottom = TrivialConcept::getBOTTOM();
    EXPECT_EQ(TrivialConcept::getTOP(), top);
    EXPECT_EQ(TrivialConcept::getBOTTOM(), bottom);
    EXPECT_TRUE(top->top);
    EXPECT_FALSE(bottom->top);
    EXPECT_EQ(top->kind, TRIVIAL_CONCEPT);
    EXPECT_EQ(bottom->flags, Concept::FW_NORMALIZED | Concept::BW_NORMALIZED);
    EXPECT_EQ(bottom->backwardName, bottom);
}

TEST_F(ConceptTest, OperandsArePutAtTheFront)
{
    Concept* a = named("A");
    Concept* b = named("B");
    Conjunction* c = new Conjunction(a, b);
    EXPECT_EQ(c->kind, CONJUNCTION);
    EXPECT_EQ(operandsOf(c), (std::vector<Concept*>{b, a}));
    Concept* d = named("D");
    c->addChild(d);
    EXPECT_EQ(operandsOf(c), (std::vector<Concept*>{d, b, a}));

    EXPECT_EQ(operandsOf(new Conjunction(a, nullptr)), (std::vector<Concept*>{a}));
    EXPECT_EQ(operandsOf(new Conjunction(nullptr, b)), (std::vector<Concept*>{b}));

    Role* r = new PrimitiveRole(std::string("r"));
    ExistentialRestr* e = new ExistentialRestr(a, r);
    EXPECT_EQ(e->kind, EXISTENTIAL_RESTR);
    EXPECT_EQ(operandsOf(e), (std::vector<Concept*>{a}));
    EXPECT_EQ(e->getFiller(), a);
    EXPECT_EQ(e->role, r);
    EXPECT_EQ(e->flags, 0);

    c->addParent(e, 2);
    c->addParent(a, 0);
    ASSERT_NE(c->parents, nullptr);
    EXPECT_EQ(*c->parents, (ConceptParentList{{e, 2}, {a, 0}}));
}

TEST_F(ConceptTest, KindDecidesFirst)
{
    Concept* top = TrivialConcept::getTOP();
    Concept* zzz = named("zzz");
    Concept* fresh = new PrimitiveConcept();
    Concept* conj = new Conjunction(new ConceptList{});
    Concept* exists = new ExistentialRestr(nullptr, new PrimitiveRole(std::string("r")));
    std::vector<Concept*> ascending{top, zzz, fresh, conj, exists};
    for (std::size_t i = 0; i < ascending.size(); ++i)
        for (std::size_t j = 0; j < ascending.size(); ++j)
            EXPECT_EQ(less(ascending[i], ascending[j]), i < j) << i << " vs " << j;
}

TEST_F(ConceptTest, AtomicConceptsOrderByKindSpecificComparison)
{
    expectBefore(TrivialConcept::getBOTTOM(), TrivialConcept::getTOP());

    EXPECT_TRUE(same(named("A"), named("A")));
    EXPECT_TRUE(less(named("A"), named("B")));
    EXPECT_TRUE(less(named("A"), named("AB")));
    EXPECT_TRUE(less(named("Z"), named("a"))); // byte-wise, upper case first

    // Fresh concepts without a name follow their creation, whatever their ids.
    Concept* older = new PrimitiveConcept();
    Concept* newer = new PrimitiveConcept();
    older->id = 100;
    newer->id = 1;
    expectBefore(older, newer);

    // Numbered fresh concepts compare their names, not their serials.
    Concept* ten = new PrimitiveConcept(10, true);
    Concept* nine = new PrimitiveConcept(9, true);
    EXPECT_TRUE(less(ten, nine));
    EXPECT_TRUE(same(new PrimitiveConcept(5, true), new PrimitiveConcept(5, true)));
}

TEST_F(ConceptTest, OperandCountComesBeforeOperandIdentity)
{
    Concept* lo = named("X"); // made first, so the smaller serial
    Concept* hi = named("Y");
    EXPECT_TRUE(less(new Conjunction(new ConceptList{hi}), new Conjunction(new ConceptList{lo, lo})));
    EXPECT_TRUE(less(new Conjunction(new ConceptList{}), new Conjunction(new ConceptList{lo})));
}

TEST_F(ConceptTest, EqualOperandListsMeanTheVerySameOperands)
{
    Concept* a = named("A");
    Concept* b = named("B");
    EXPECT_TRUE(same(new Conjunction(a, b), new Conjunction(a, b)));
    // Structurally equal but not shared: two different objects.
    Concept* otherA = named("A");
    EXPECT_FALSE(same(new Conjunction(a, b), new Conjunction(otherA, b)));

    // The first differing pair decides by serial: a was made before otherA.
    Concept* lo = a;
    Concept* hi = otherA;
    expectBefore(new Conjunction(new ConceptList{b, lo}), new Conjunction(new ConceptList{b, hi}));
    EXPECT_TRUE(less(new Conjunction(new ConceptList{lo, hi}), new Conjunction(new ConceptList{hi, lo})));
    // Order of operands matters: no sorting happens here.
    EXPECT_FALSE(same(new Conjunction(a, b), new Conjunction(b, a)));
}

TEST_F(ConceptTest, ExistentialsOrderByRoleSerialBeforeFiller)
{
    Role* z = new PrimitiveRole(std::string("z")); // made first, so the smaller serial
    Role* a = new PrimitiveRole(std::string("a"));
    Concept* x = named("X");
    Concept* y = named("Y");
    Concept* lo = x;
    Concept* hi = y;

    EXPECT_TRUE(less(new ExistentialRestr(x, z), new ExistentialRestr(x, a)));
    EXPECT_TRUE(less(new ExistentialRestr(hi, z), new ExistentialRestr(lo, a)));
    // Same role: the filler objects decide.
    EXPECT_TRUE(less(new ExistentialRestr(lo, a), new ExistentialRestr(hi, a)));
    EXPECT_TRUE(same(new ExistentialRestr(x, a), new ExistentialRestr(x, a)));
}

TEST_F(ConceptTest, TextFormsOfAtomicConcepts)
{
    Concept* fresh = new PrimitiveConcept();
    fresh->id = 7;
    Concept* numbered = new PrimitiveConcept(12, true);
    numbered->id = 7;
    Concept* numberName = new PrimitiveConcept(12, false);
    numberName->id = 7;
    expectTextForms({{TrivialConcept::getTOP(), "*top*", "*top*"},
                     {TrivialConcept::getBOTTOM(), "*bottom*", "*bot*"},
                     {named("Heart"), "Heart", "Heart"},
                     {fresh, "#7", "_7"},
                     // A numbered fresh concept prints its id, not its name; a
                     // numbered named one its name.
                     {numbered, "#7", "_7"},
                     {numberName, "12", "12"}});
}

TEST_F(ConceptTest, TextFormsOfComplexConcepts)
{
    Concept* a = named("A");
    Concept* b = named("B");
    Concept* fresh = new PrimitiveConcept();
    fresh->id = 3;
    Role* r = new PrimitiveRole(std::string("r"));
    Role* anonymous = new PrimitiveRole();
    anonymous->id = 4;

    Concept* ab = new Conjunction(new ConceptList{a, b});
    expectTextForms({{ab, "(and A B)", "(A ^ B)"},
                     {new Conjunction(new ConceptList{a, fresh, TrivialConcept::getTOP()}), "(and A #3 *top*)",
                      "(A ^ _3 ^ *top*)"},
                     {new ExistentialRestr(ab, r), "(some r (and A B))", "#r.((A ^ B))"},
                     {new ExistentialRestr(fresh, anonymous), "(some #4 #3)", "#_4.(_3)"},
                     {new Conjunction(new ConceptList{}), "(and)", "()"}});
}

TEST_F(ConceptTest, CopiesGetAFreshSerialAndKeepTheSharedFields)
{
    Concept* a = named("A");
    Concept* b = named("B");
    Conjunction* c = new Conjunction(a, b);
    c->id = 50;
    c->encodingId = 9;
    c->occurrences = 4;
    c->lastDeductionIt = 3;
    c->flags = 0x1C5;
    c->addParent(a, 1);
    c->forwardName = b;
    c->forwardNormalForm = c;

    Concept* copy = c->createCopy();
    ASSERT_NE(dynamic_cast<Conjunction*>(copy), nullptr);
    EXPECT_EQ(copy->serial, Concept::id_counter);
    EXPECT_NE(copy->serial, c->serial);
    EXPECT_EQ(copy->id, 50u);
    EXPECT_EQ(copy->encodingId, 9u);
    EXPECT_EQ(copy->occurrences, 4u);
    EXPECT_EQ(copy->lastDeductionIt, 3);
    EXPECT_EQ(copy->kind, CONJUNCTION);
    EXPECT_EQ(copy->flags, 0);
    ASSERT_NE(copy->operands, c->operands);
    EXPECT_EQ(operandsOf(copy), operandsOf(c));
    ASSERT_NE(copy->parents, c->parents);
    EXPECT_EQ(*copy->parents, *c->parents);
    EXPECT_EQ(copy->forwardNormalForm, nullptr);
    EXPECT_EQ(copy->forwardName, nullptr);
    // The lists are independent.
    copy->addChild(b);
    EXPECT_EQ(c->operandCount(), 2u);

    PrimitiveConcept* p = named("P");
    p->id = 8;
    auto* pc = dynamic_cast<PrimitiveConcept*>(p->createCopy());
    ASSERT_NE(pc, nullptr);
    EXPECT_EQ(pc->name, "P");
    EXPECT_EQ(pc->id, 8u);
    EXPECT_EQ(pc->flags, 0);
    EXPECT_EQ(pc->forwardNormalForm, pc);
    EXPECT_EQ(pc->backwardNormalForm, pc);
    EXPECT_EQ(pc->forwardName, pc);
    EXPECT_EQ(pc->backwardName, pc);

    Role* r = new PrimitiveRole(std::string("r"));
    auto* e = dynamic_cast<ExistentialRestr*>((new ExistentialRestr(a, r))->createCopy());
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->role, r);
    EXPECT_EQ(e->getFiller(), a);

    auto* bottom = dynamic_cast<TrivialConcept*>(TrivialConcept::getBOTTOM()->createCopy());
    ASSERT_NE(bottom, nullptr);
    EXPECT_FALSE(bottom->top);
    EXPECT_NE(bottom, TrivialConcept::getBOTTOM());
}

TEST_F(ConceptTest, JoinWithAConjunctionAppendsItsOperands)
{
    Concept* a = named("A");
    Concept* b = named("B");
    Concept* c = named("C");
    Concept* d = named("D");
    bool joinedDeleted, otherDeleted;
    auto* joined = new Tracked<Conjunction>(&joinedDeleted, new ConceptList{a, b});
    auto* other = new Tracked<Conjunction>(&otherDeleted, new ConceptList{c, d});
    ConceptList* list = joined->join(other);
    EXPECT_TRUE(joinedDeleted);
    EXPECT_TRUE(otherDeleted);
    EXPECT_EQ(std::vector<Concept*>(list->begin(), list->end()), (std::vector<Concept*>{a, b, c, d}));
}

TEST_F(ConceptTest, JoinWithAnotherConceptPutsItFirst)
{
    Concept* a = named("A");
    Concept* b = named("B");
    Concept* e = new ExistentialRestr(a, new PrimitiveRole(std::string("r")));
    bool joinedDeleted;
    auto* joined = new Tracked<Conjunction>(&joinedDeleted, new ConceptList{a, b});
    ConceptList* list = joined->join(e);
    EXPECT_TRUE(joinedDeleted);
    EXPECT_EQ(std::vector<Concept*>(list->begin(), list->end()), (std::vector<Concept*>{e, a, b}));

    auto* alone = new Tracked<Conjunction>(&joinedDeleted, new ConceptList{b});
    list = alone->join(static_cast<Concept*>(nullptr));
    EXPECT_TRUE(joinedDeleted);
    EXPECT_EQ(std::vector<Concept*>(list->begin(), list->end()), (std::vector<Concept*>{b}));
}

TEST_F(ConceptTest, JoinIntoAListAppendsTheOperands)
{
    Concept* a = named("A");
    Concept* b = named("B");
    Concept* x = named("X");
    bool deleted;
    auto* joined = new Tracked<Conjunction>(&deleted, new ConceptList{a, b});
    ConceptList* target = new ConceptList{x};
    EXPECT_EQ(joined->join(target), target);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(std::vector<Concept*>(target->begin(), target->end()), (std::vector<Concept*>{x, a, b}));
}

TEST_F(ConceptTest, NormalFormsAreComputedOnceAndMarkTheResult)
{
    ProbeConcept* c = new ProbeConcept();
    ProbeConcept* n = new ProbeConcept();
    Concept* name = new PrimitiveConcept();
    c->forwardResult = n;
    c->forwardName = name;

    EXPECT_EQ(c->getFWNormalization(), n);
    EXPECT_TRUE(c->flags & Concept::FW_NORMALIZED);
    EXPECT_EQ(c->forwardNormalForm, n);
    EXPECT_TRUE(n->flags & Concept::FW_NORMALIZED);
    EXPECT_EQ(n->forwardNormalForm, n);
    EXPECT_EQ(n->forwardName, name);
    EXPECT_FALSE(n->flags & Concept::BW_NORMALIZED);

    EXPECT_EQ(c->getFWNormalization(), n);
    EXPECT_EQ(n->getFWNormalization(), n);
    EXPECT_EQ(c->forwardCalls, 1);
    EXPECT_EQ(n->forwardCalls, 0);

    Concept* atom = named("A");
    EXPECT_EQ(atom->getFWNormalization(), atom);
    EXPECT_EQ(atom->getBWNormalization(), atom);
}

TEST_F(ConceptTest, BackwardNormalFormMirrorsTheForwardOne)
{
    ProbeConcept* c = new ProbeConcept();
    ProbeConcept* n = new ProbeConcept();
    Concept* name = new PrimitiveConcept();
    c->backwardResult = n;
    c->backwardName = name;
    EXPECT_EQ(c->getBWNormalization(), n);
    EXPECT_EQ(c->getBWNormalization(), n);
    EXPECT_EQ(c->backwardCalls, 1);
    EXPECT_EQ(c->forwardCalls, 0);
    EXPECT_TRUE(c->flags & Concept::BW_NORMALIZED);
    EXPECT_FALSE(c->flags & Concept::FW_NORMALIZED);
    EXPECT_EQ(c->backwardNormalForm, n);
    EXPECT_EQ(n->backwardNormalForm, n);
    EXPECT_EQ(n->backwardName, name);
    EXPECT_EQ(n->forwardName, nullptr);
}

TEST_F(ConceptTest, NamesAreMadeOnceAndSharedOnlyForEquivalences)
{
    ProbeConcept* c = new ProbeConcept();
    Concept* fw = c->getFWName();
    ASSERT_NE(fw, nullptr);
    EXPECT_EQ(fw->kind, FRESH_CONCEPT);
    EXPECT_EQ(static_cast<PrimitiveConcept*>(fw)->name, "");
    EXPECT_EQ(c->getFWName(), fw);
    EXPECT_EQ(c->backwardName, nullptr);
    Concept* bw = c->getBWName();
    EXPECT_NE(bw, fw);
    EXPECT_EQ(c->getBWName(), bw);

    Concept::EquivalenceNames = true;
    ProbeConcept* d = new ProbeConcept();
    Concept* both = d->getFWName();
    EXPECT_EQ(d->backwardName, both);
    EXPECT_EQ(d->getBWName(), both);

    ProbeConcept* e = new ProbeConcept();
    Concept* bwFirst = e->getBWName();
    EXPECT_EQ(e->getFWName(), bwFirst);

    // An existing name on the other side is kept.
    ProbeConcept* f = new ProbeConcept();
    Concept* kept = new PrimitiveConcept();
    f->backwardName = kept;
    EXPECT_NE(f->getFWName(), kept);
    EXPECT_EQ(f->backwardName, kept);
}

TEST_F(ConceptTest, NewNamesAreGivenToTheNormalFormsWithoutOne)
{
    ProbeConcept* c = new ProbeConcept();
    ProbeConcept* n = new ProbeConcept();
    c->forwardNormalForm = n;
    c->backwardNormalForm = n;
    Concept* fw = c->getFWName();
    EXPECT_EQ(n->forwardName, fw);
    Concept* bw = c->getBWName();
    EXPECT_EQ(n->backwardName, bw);
    EXPECT_EQ(n->forwardName, fw);

    ProbeConcept* d = new ProbeConcept();
    ProbeConcept* named = new ProbeConcept();
    Concept* old = new PrimitiveConcept();
    named->forwardName = old;
    d->forwardNormalForm = named;
    EXPECT_NE(d->getFWName(), old);
    EXPECT_EQ(named->forwardName, old);
}

TEST_F(ConceptTest, DestroyDeletesTheOperandsButNotTheirOperands)
{
    bool aDeleted, existsDeleted, conjDeleted, fillerDeleted;
    Concept* filler = new Tracked<PrimitiveConcept>(&fillerDeleted, std::string("F"));
    Concept* exists = new Tracked<ExistentialRestr>(&existsDeleted, filler, new PrimitiveRole(std::string("r")));
    Concept* a = new Tracked<PrimitiveConcept>(&aDeleted, std::string("A"));
    Concept* conj = new Tracked<Conjunction>(&conjDeleted, a, exists);
    conj->destroy();
    EXPECT_TRUE(conjDeleted);
    EXPECT_TRUE(aDeleted);
    EXPECT_TRUE(existsDeleted);
    EXPECT_FALSE(fillerDeleted);
    EXPECT_EQ(static_cast<PrimitiveConcept*>(filler)->name, "F");
}

TEST_F(ConceptTest, DestroyNotSharedSparesTheMaskedOperands)
{
    bool sharedDeleted, normalDeleted, plainDeleted, conjDeleted;
    Concept* shared = new Tracked<PrimitiveConcept>(&sharedDeleted, std::string("S"));
    Concept* normal = new Tracked<PrimitiveConcept>(&normalDeleted, std::string("N"));
    Concept* plain = new Tracked<PrimitiveConcept>(&plainDeleted, std::string("P"));
    shared->flags |= Concept::IN_DAG;
    normal->flags |= Concept::NORMAL;
    Concept* conj = new Tracked<Conjunction>(&conjDeleted, new ConceptList{shared, normal, plain});
    conj->destroyNotShared(Concept::IN_DAG | Concept::NORMAL);
    EXPECT_TRUE(conjDeleted);
    EXPECT_TRUE(plainDeleted);
    EXPECT_FALSE(sharedDeleted);
    EXPECT_FALSE(normalDeleted);

    conj = new Tracked<Conjunction>(&conjDeleted, new ConceptList{shared, normal});
    conj->destroyNotShared(Concept::IN_DAG);
    EXPECT_TRUE(conjDeleted);
    EXPECT_FALSE(sharedDeleted);
    EXPECT_TRUE(normalDeleted);
    EXPECT_EQ(static_cast<PrimitiveConcept*>(shared)->name, "S");
}

TEST_F(ConceptTest, SideFlagsOfTheConceptKinds)
{
    Concept* a = named("A");
    a->setFWConceptFlag();
    EXPECT_EQ(a->flags, 0xC | Concept::ON_LHS);
    a->setBWConceptFlag();
    EXPECT_EQ(a->flags, 0xC | Concept::ON_LHS | Concept::ON_RHS);

    Concept* filler = named("F");
    Concept* e = new ExistentialRestr(filler, new PrimitiveRole(std::string("r")));
    e->setFWConceptFlag();
    EXPECT_EQ(e->flags, 0x80);
    EXPECT_EQ(filler->flags, 0xC | 0x280);

    Concept* x = named("X");
    Concept* y = named("Y");
    Concept* conj = new Conjunction(x, y);
    conj->setBWConceptFlag();
    EXPECT_EQ(conj->flags, 0x100);
    EXPECT_EQ(x->flags, 0xC);
    conj->setFWConceptFlag();
    EXPECT_EQ(conj->flags, 0x180);
    EXPECT_EQ(x->flags, 0xC | 0x80);
    EXPECT_EQ(y->flags, 0xC | 0x80);
}

} // namespace
