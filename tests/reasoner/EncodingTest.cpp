#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "encoders/DimacsEncoder.h"
#include "model/Conjunction.h"
#include "model/ExistentialRestr.h"
#include "model/PrimitiveConcept.h"
#include "model/PrimitiveRole.h"
#include "reasoner/TBox.h"
#include "support/TestSupport.h"
#include "support/PeerInstalled.h"
#include "support/PeerSolver.h"

namespace {

using namespace korvane_test;

class Encoding : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetModel();
        TBox::CNF_SAT_Encoder = new DimacsEncoder(body.get(), header.get());
        tbox = TBox::getInstance();
    }

    void TearDown() override
    {
        delete TBox::CNF_SAT_Encoder;
        TBox::CNF_SAT_Encoder = nullptr;
    }

    // Clause lines may still be on their way to the stream.
    std::string bodyText()
    {
        TBox::CNF_SAT_Encoder->flushPending();
        return body.text();
    }
    std::string headerText() { return header.text(); }

    Concept* named(const char* name) { return tbox->insertConcept(new PrimitiveConcept(name), true); }
    Role* role(const char* name) { return tbox->insertRole(new PrimitiveRole(name)); }

    void input(Concept* lhs, Concept* rhs)
    {
        tbox->insertGCIAxiom(lhs, rhs, false)->originalNumber = ++Axiom::original_ax_counter;
    }

    TBox* tbox = nullptr;
    MemoryStream body;
    MemoryStream header;
};

TEST_F(Encoding, FreshRunStartsWithTheTrivialUnits)
{
    Concept* a = named("A");
    Concept* b = named("B");
    input(a, b);
    tbox->normalizeTBox();
    unsigned long variables = 0, clauses = 0;
    tbox->encodeIntoSat(false, &variables, &clauses);
    EXPECT_EQ(TrivialConcept::BOTTOM->encodingId, 1u);
    EXPECT_EQ(TrivialConcept::TOP->encodingId, 2u);
    EXPECT_EQ(a->encodingId, 3u);
    EXPECT_EQ(b->encodingId, 4u);
    EXPECT_EQ(bodyText(), "-1 0\n2 0\n-3 4 0\n");
    EXPECT_EQ(headerText(), "c axioms 3 deduced 0\np cnf 4 3\n");
    EXPECT_EQ(variables, 4u);
    EXPECT_EQ(clauses, 3u);
    EXPECT_TRUE(TBox::encoded);
}

TEST_F(Encoding, TrivialAxiomsMakeNoClauseAndNoVariable)
{
    Concept* a = named("A");
    EXPECT_EQ(tbox->encodeAxiom(a, a), 0);
    EXPECT_EQ(tbox->encodeAxiom(a, tbox->top), 0);
    EXPECT_EQ(tbox->encodeAxiom(tbox->bottom, a), 0);
    EXPECT_EQ(a->encodingId, 0u);
    EXPECT_EQ(Concept::encoding_id_counter, 0u);
    EXPECT_EQ(bodyText(), "");
}

TEST_F(Encoding, TopOperandsOfAConjunctionAreLeftOut)
{
    Concept* a = named("A");
    Concept* b = named("B");
    Concept* c = named("C");
    Concept* conj = tbox->insertConcept(new Conjunction(tbox->top, a), false);
    EXPECT_EQ(tbox->encodeAxiom(conj, b), 1);
    EXPECT_EQ(bodyText(), "-1 2 0");
    Concept* ac = tbox->insertConcept(new Conjunction(a, c), false);
    EXPECT_EQ(tbox->encodeAxiom(ac, b), 1);
    EXPECT_EQ(bodyText(), "-1 2 0\n-1 -3 2 0");
}

TEST_F(Encoding, LaterPassWithNothingNewWritesNoHeader)
{
    input(named("A"), named("B"));
    tbox->normalizeTBox();
    unsigned long variables = 0, clauses = 0;
    tbox->encodeIntoSat(false, &variables, &clauses);
    std::string headerBefore = headerText();
    unsigned long v2 = 99, c2 = 99;
    tbox->encodeIntoSat(false, &v2, &c2);
    EXPECT_EQ(headerText(), headerBefore);
    EXPECT_EQ(v2, 99u);
    EXPECT_EQ(c2, 99u);
}

TEST_F(Encoding, QueriesNumberNewConceptsSubFirst)
{
    Concept* a = named("A");
    Concept* b = named("B");
    EXPECT_TRUE(tbox->decideSubsumption(b, a));
    EXPECT_EQ(b->encodingId, 1u);
    EXPECT_EQ(a->encodingId, 2u);
    EXPECT_EQ(bodyText(), "1 0\n-2 0\n");
}

TEST_F(Encoding, ClauseHandOverCountsAcceptedClausesOnly)
{
    tbox->addUnitClauseToEncoder(-4);
    tbox->addClauseToEncoder(new LiteralList{-1, 3});
    tbox->addClauseToEncoder(new LiteralList());
    tbox->addClauseToEncoder(nullptr);
    EXPECT_EQ(TBox::clauses_counter, 2u);
    EXPECT_EQ(bodyText(), "-4 0\n-1 3 0");
}

TEST_F(Encoding, ListQueriesNumberSubsThenSupers)
{
    Concept* a = named("A");
    Concept* b = named("B");
    Concept* c = named("C");
    EXPECT_TRUE(tbox->decideSubsumptions({c, a}, {b}));
    EXPECT_EQ(c->encodingId, 1u);
    EXPECT_EQ(a->encodingId, 2u);
    EXPECT_EQ(b->encodingId, 3u);
    EXPECT_EQ(bodyText(), "1 0\n2 0\n-3 0\n");
}

// Small terminologies whose answers follow from the clauses alone: an
// independent solver reads the written text and answers UNSAT exactly for the
// subsumptions that hold.
TEST_F(Encoding, ExternalSolversDecideTheWrittenQueries)
{
    for (const char* solver : {"picosat", "cadical -q"})
        ASSERT_TRUE(peerInstalled(solver));
    // A ⊑ B ⊓ C, B ⊓ C ⊑ D, D ⊑ ∃r.E, ∃r.E ⊑ F, G ⊑ A
    Concept* a = named("A");
    Concept* b = named("B");
    Concept* c = named("C");
    Concept* d = named("D");
    Concept* e = named("E");
    Concept* f = named("F");
    Concept* g = named("G");
    Role* r = role("r");
    Concept* bc = tbox->insertConcept(new Conjunction(b, c), true);
    Concept* re = tbox->insertConcept(new ExistentialRestr(e, r), true);
    input(a, bc);
    input(bc, d);
    input(d, re);
    input(re, f);
    input(g, a);
    tbox->normalizeTBox();
    unsigned long variables = 0, clauses = 0;
    tbox->encodeIntoSat(false, &variables, &clauses);

    struct Query {
        Concept* sub;
        Concept* super;
        bool holds;
    };
    // Queries append to the body, so every query after a satisfiable one is
    // asked on a text that also holds the earlier units; ask the holding
    // ones first and each non-holding one on its own text.
    std::string base = bodyText();
    for (const Query& q : {Query{g, f, true}, Query{a, d, true}, Query{g, re, true}, Query{a, c, true},
                           Query{f, a, false}, Query{d, a, false}, Query{b, d, false}, Query{e, f, false}}) {
        std::size_t before = headerText().size();
        long sub = static_cast<long>(TBox::encodingVariable(q.sub));
        long super = static_cast<long>(TBox::encodingVariable(q.super));
        std::string cnf = "c axioms 0 deduced 2\np cnf " + std::to_string(Concept::encoding_id_counter) + " " +
                          std::to_string(TBox::clauses_counter + 2) + "\n" + base + std::to_string(sub) +
                          " 0\n-" + std::to_string(super) + " 0\n";
        tbox->decideSubsumption(q.sub, q.super);
        // The written query header is the one a user would take.
        EXPECT_EQ(headerText().substr(before),
                  "c axioms 0 deduced 2\np cnf " + std::to_string(Concept::encoding_id_counter) + " " +
                      std::to_string(TBox::clauses_counter + 2) + "\n");
        for (const char* solver : {"picosat", "cadical -q"})
            EXPECT_EQ(runPeerSolver(solver, cnf), q.holds ? 20 : 10)
                << solver << " on " << conceptText(q.sub) << " < " << conceptText(q.super);
    }
}

}
