#include <gtest/gtest.h>

#include <set>
#include <string>

#include "ModelOrder.h"
#include "support/TestSupport.h"
#include "model/Axiom.h"
#include "model/Composition.h"
#include "model/Conjunction.h"
#include "model/ExistentialRestr.h"
#include "model/PrimitiveConcept.h"
#include "model/PrimitiveRole.h"
#include "model/RoleAxiom.h"

using namespace korvane_test;

namespace {

class AxiomTest : public FreshModelTest {
protected:
    static Concept* named(const std::string& name) { return new PrimitiveConcept(name); }
    static Concept* sharedNamed(const std::string& name)
    {
        Concept* c = named(name);
        c->flags |= Concept::IN_DAG;
        return c;
    }
    static Role* role(const std::string& name) { return new PrimitiveRole(name); }
    static Role* sharedRole(const std::string& name)
    {
        Role* r = role(name);
        r->flags |= Role::IN_DAG;
        return r;
    }
};

Axiom* gci(Concept* lhs, Concept* rhs, axiom_t type = ORIGINAL)
{
    return new Axiom(lhs, rhs, type);
}

RoleAxiom* ri(Role* lhs, Role* rhs)
{
    return new RoleAxiom(lhs, rhs, ROLE_INCLUSION);
}

TEST_F(AxiomTest, ConstructionMarksTheSides)
{
    Axiom empty;
    EXPECT_EQ(empty.type, NO_AXIOM_TYPE);
    EXPECT_EQ(empty.lhs, nullptr);
    EXPECT_EQ(empty.rhs, nullptr);
    EXPECT_EQ(empty.index, -1);
    EXPECT_EQ(empty.originalNumber, 0);
    EXPECT_EQ(empty.flags, 0);

    Concept* filler = named("F");
    Concept* some = new ExistentialRestr(filler, role("r"));
    Concept* c = named("C");
    Axiom a(some, c, FW_NORMALIZED_AXIOM);
    EXPECT_EQ(a.type, FW_NORMALIZED_AXIOM);
    EXPECT_EQ(a.lhs, some);
    EXPECT_EQ(a.rhs, c);
    EXPECT_EQ(a.index, -1);
    EXPECT_EQ(a.originalNumber, 0);
    EXPECT_EQ(a.flags, 0);
    EXPECT_EQ(some->flags, Concept::ON_LHS);
    EXPECT_EQ(filler->flags, 0xC | Concept::ON_LHS | Concept::FILLER_ON_LHS);
    EXPECT_EQ(c->flags, 0xC | Concept::ON_RHS);

    a.flags = 0x13;
    a.index = 5;
    a.originalNumber = 8;
    a.lastDeductionIt = 2;
    Axiom copy(a);
    EXPECT_EQ(copy.flags, 0x13);
    EXPECT_EQ(copy.index, 5);
    EXPECT_EQ(copy.originalNumber, 8);
    EXPECT_EQ(copy.lastDeductionIt, 2);
    EXPECT_EQ(copy.type, FW_NORMALIZED_AXIOM);
    EXPECT_EQ(copy.lhs, some);
    EXPECT_EQ(copy.rhs, c);
}

TEST_F(AxiomTest, KindsOfTheSidesComeFirst)
{
    Concept* a = sharedNamed("A");
    Concept* b = sharedNamed("B");
    Concept* c = sharedNamed("C");
    Concept* ab = new Conjunction(a, b);
    ab->flags |= Concept::IN_DAG;
    Concept* someC = new ExistentialRestr(c, role("r"));
    someC->flags |= Concept::IN_DAG;

    // Atomic left-hand sides before conjunctions, whatever the types.
    expectBefore(gci(c, someC, DEDUCED), gci(ab, a));
    // Then atomic right-hand sides before existentials.
    expectBefore(gci(c, a, DEDUCED), gci(a, someC));

    // The original-first rule does not override the kinds: someC now also
    // occurs on a left-hand side.
    someC->setFWConceptFlag();
    expectBefore(gci(c, a, FW_NORMALIZED_AXIOM), gci(a, someC));
    EXPECT_FALSE(less(gci(ab, c), gci(a, b, FW_NORMALIZED_AXIOM)));
}

TEST_F(AxiomTest, OriginalComesFirstWhenItsRightSideAlsoOccursOnTheLeft)
{
    Concept* a = sharedNamed("A");
    Concept* b = sharedNamed("B");
    Concept* c = sharedNamed("C");
    Axiom* original = new Axiom(b, c, ORIGINAL);
    Axiom* normalised = new Axiom(a, c, FW_NORMALIZED_AXIOM);
    // C is only a right-hand side: the serials of the left sides decide.
    expectBefore(normalised, original);

    c->setFWConceptFlag();
    expectBefore(original, normalised);

    // Between two originals the rule does not apply.
    Axiom* otherOriginal = new Axiom(a, c, ORIGINAL);
    expectBefore(otherOriginal, original);
}

TEST_F(AxiomTest, SharedSidesAscendBySerial)
{
    Concept* z = sharedNamed("Z"); // smallest serial
    Concept* a = sharedNamed("A");
    Concept* b = sharedNamed("B");
    Concept* c = sharedNamed("C");
    expectBefore(gci(z, c), gci(a, c));
    expectBefore(gci(a, c), gci(b, c));
    // Same left side: right sides ascend too.
    expectBefore(gci(a, b), gci(a, c));
    expectBefore(gci(a, z), gci(a, b));
}

TEST_F(AxiomTest, UnsharedSidesUseTheConceptOrderWithRightSidesDescending)
{
    Concept* z = named("Z"); // smallest serial, greatest name
    Concept* a = named("A");
    Concept* c = named("C");
    Concept* d = named("D");
    // Left sides ascend by the concept order (names), not by serial.
    expectBefore(gci(a, c), gci(z, c));
    // Same left side: the greater right side comes first.
    expectBefore(gci(a, d), gci(a, c));

    // One unshared concept among the four is enough for this branch.
    Concept* sa = sharedNamed("A2");
    Concept* sc = sharedNamed("C2");
    Concept* sd = sharedNamed("D2");
    expectBefore(gci(sa, sc), gci(sa, sd));
    Concept* ud = named("D2");
    expectBefore(gci(sa, ud), gci(sa, sc));
}

TEST_F(AxiomTest, TypeTellsApartTheSameInclusion)
{
    Concept* a = sharedNamed("A");
    Concept* c = sharedNamed("C");
    Axiom* original = new Axiom(a, c, ORIGINAL);
    Axiom* forward = new Axiom(a, c, FW_NORMALIZED_AXIOM);
    Axiom* backward = new Axiom(a, c, BW_NORMALIZED_AXIOM);
    Axiom* deduced = new Axiom(a, c, DEDUCED);
    expectBefore(original, forward);
    expectBefore(forward, backward);
    expectBefore(backward, deduced);
    EXPECT_FALSE(less(deduced, original));

    std::set<Axiom*, AxiomComparator> gcis{original, forward};
    EXPECT_FALSE(gcis.insert(new Axiom(a, c, ORIGINAL)).second);
    EXPECT_TRUE(gcis.insert(deduced).second);
    EXPECT_EQ(gcis.size(), 3u);
}

TEST_F(AxiomTest, RoleAxiomConstructionMarksTheRoles)
{
    RoleAxiom empty;
    EXPECT_EQ(empty.type, NO_ROLE_AXIOM_TYPE);
    EXPECT_EQ(empty.index, -1);
    EXPECT_EQ(empty.flags, 0);
    EXPECT_EQ(empty.lhs, nullptr);

    Role* r = role("r");
    Role* s = role("s");
    Role* t = role("t");
    Role* chain = new Composition(r, s);
    RoleAxiom ax(chain, t, ROLE_INCLUSION);
    EXPECT_EQ(ax.type, ROLE_INCLUSION);
    EXPECT_EQ(ax.index, -1);
    EXPECT_EQ(ax.flags, 0);
    EXPECT_EQ(chain->flags, Role::ON_LHS);
    EXPECT_EQ(r->flags, Role::ON_LHS);
    EXPECT_EQ(s->flags, Role::ON_LHS);
    EXPECT_EQ(t->flags, Role::ON_RHS);

    ax.flags = RoleAxiom::TRANSITIVE | RoleAxiom::IN_STORE;
    ax.index = 3;
    RoleAxiom copy(ax);
    EXPECT_EQ(copy.flags, 0x5);
    EXPECT_EQ(copy.index, 3);
    EXPECT_EQ(copy.lhs, chain);
    EXPECT_EQ(copy.rhs, t);
    EXPECT_TRUE(copy.isTransitive());
}

TEST_F(AxiomTest, RoleAxiomsOrderByLeftKindThenTransitivity)
{
    Role* r = sharedRole("r");
    Role* s = sharedRole("s");
    Role* t = sharedRole("t");
    Role* chain = new Composition(r, s);
    chain->flags |= Role::IN_DAG;

    RoleAxiom* transitive = new RoleAxiom(t, t, ROLE_INCLUSION);
    transitive->flags |= RoleAxiom::TRANSITIVE;
    RoleAxiom* plain = new RoleAxiom(r, t, ROLE_INCLUSION);
    // t has the greater serial, yet the transitive axiom comes first.
    expectBefore(transitive, plain);

    RoleAxiom* transitiveChain = new RoleAxiom(chain, t, ROLE_INCLUSION);
    transitiveChain->flags |= RoleAxiom::TRANSITIVE;
    expectBefore(plain, transitiveChain);
}

TEST_F(AxiomTest, RoleAxiomRightSidesAscendInBothBranches)
{
    Role* t = sharedRole("t"); // smaller serial than s
    Role* s = sharedRole("s");
    Role* r = sharedRole("r");
    expectBefore(ri(r, t), ri(r, s));
    expectBefore(ri(t, r), ri(s, r));

    Role* ut = role("t");
    Role* us = role("s");
    Role* ur = role("r");
    expectBefore(ri(ur, us), ri(ur, ut));
    expectBefore(ri(ur, ut), ri(us, ut));

    RoleAxiom* untyped = new RoleAxiom(r, s, ROLE_INCLUSION);
    untyped->type = NO_ROLE_AXIOM_TYPE;
    expectBefore(untyped, ri(r, s));

    std::set<RoleAxiom*, RoleAxiomComparator> axioms{new RoleAxiom(r, s, ROLE_INCLUSION)};
    EXPECT_FALSE(axioms.insert(new RoleAxiom(r, s, ROLE_INCLUSION)).second);
}

} // namespace
