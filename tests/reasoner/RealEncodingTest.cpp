// The encoding of a real ontology's normal form, decided by two independent
// solvers and by forward chaining over its Horn clauses: all three must agree on
// every sampled query.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "encoders/DimacsEncoder.h"
#include "reasoner/TBox.h"
#include "support/HornOracle.h"
#include "support/OntologyClassification.h"
#include "support/PeerInstalled.h"
#include "support/PeerSolver.h"


namespace {

using Clause = std::vector<long>;

TEST(RealEncoding, PizzaQueriesAgreeWithIndependentSolvers)
{
    ASSERT_TRUE(peerInstalled("picosat"));
    ASSERT_TRUE(peerInstalled("cadical"));
    std::string path = std::string(KORVANE_DATA_DIR) + "/pizza.krss";
    ASSERT_EQ(korvane_test::readOntologyFile(path), 0);
    TBox* tbox = korvane_test::normalizeTerminology();

    korvane_test::MemoryStream body;
    TBox::CNF_SAT_Encoder = new DimacsEncoder(body.get(), nullptr);
    unsigned long variables = 0, clauseCount = 0;
    tbox->encodeIntoSat(false, &variables, &clauseCount);
    std::string text = body.text();
    std::vector<Clause> clauses = korvane_test::readDimacsClauses(text);
    ASSERT_EQ(clauses.size(), clauseCount);
    HornOracle oracle;
    for (const Clause& c : clauses)
        ASSERT_TRUE(oracle.add(c)) << "clause with two positive literals";

    std::vector<Concept*> atoms;
    for (Concept* c : tbox->normalizedConcepts)
        if (c->isAtomic() && c->encodingId != 0)
            atoms.push_back(c);
    ASSERT_GT(atoms.size(), 50u);

    // Told subsumptions first (they hold), then seeded random pairs.
    std::vector<std::pair<long, long>> queries;
    for (Axiom* a : tbox->gcis)
        if (a->lhs->isAtomic() && a->rhs->isAtomic() && queries.size() < 20)
            queries.emplace_back(a->lhs->encodingId, a->rhs->encodingId);
    std::mt19937 random(20261209);
    std::uniform_int_distribution<std::size_t> pick(0, atoms.size() - 1);
    while (queries.size() < 60)
        queries.emplace_back(atoms[pick(random)]->encodingId, atoms[pick(random)]->encodingId);

    int holding = 0;
    for (auto [sub, super] : queries) {
        std::string cnf = "p cnf " + std::to_string(variables) + " " + std::to_string(clauseCount + 2) + "\n" +
                          text + std::to_string(sub) + " 0\n-" + std::to_string(super) + " 0\n";
        bool holds = oracle.refutes({sub}, {super});
        holding += holds;
        int expected = holds ? 20 : 10;
        EXPECT_EQ(runPeerSolver("picosat", cnf), expected) << sub << " < " << super;
        EXPECT_EQ(runPeerSolver("cadical -q", cnf), expected) << sub << " < " << super;
    }
    EXPECT_GE(holding, 20);
    EXPECT_LT(holding, 60);
}

}
