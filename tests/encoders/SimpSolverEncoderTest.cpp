// The encoder over the simplifying solver: its own edge cases, and its
// answers against the in-process encoder over the plain solver, on random
// encodings shaped like a terminology's (selectors guarding Horn clauses)
// and on the encodings of shared ontologies.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/TestSupport.h"
#include "encoders/CoreSolverEncoder.h"
#include "encoders/DimacsEncoder.h"
#include "encoders/SimpSolverEncoder.h"
#include "reasoner/TBox.h"
#include "support/OntologyClassification.h"
#include "support/SanitizedBuild.h"

namespace {

using Clause = std::vector<long>;

// Hands a clause to an encoder with a kind for every literal.
bool add(Encoder& encoder, const Clause& clause)
{
    LiteralList literals(clause.begin(), clause.end());
    KindList kinds(clause.size(), PRIMITIVE_CONCEPT);
    return encoder.addClause(&literals, &kinds, 0);
}

TEST(SimpSolverEncoder, RefusesClausesWithoutMatchingKinds)
{
    SimpSolverEncoder encoder(nullptr, nullptr, nullptr);
    LiteralList literals{-1, 2};
    KindList shorter{PRIMITIVE_CONCEPT};
    KindList empty;
    LiteralList none;
    KindList one{PRIMITIVE_CONCEPT};
    EXPECT_FALSE(encoder.addClause(&literals, nullptr, 0));
    EXPECT_FALSE(encoder.addClause(&literals, &shorter, 0));
    EXPECT_FALSE(encoder.addClause(&literals, &empty, 0));
    EXPECT_FALSE(encoder.addClause(&none, &empty, 0));
    EXPECT_FALSE(encoder.addClause(nullptr, &one, 0));
    EXPECT_EQ(encoder.getSolver().nVars(), 0);
    EXPECT_EQ(encoder.getSolver().nClauses(), 0);
    EXPECT_TRUE(add(encoder, {-1, 2}));
    EXPECT_EQ(encoder.getSolver().nClauses(), 1);
}

// Selectors 1..3 guard a chain 4 -> 5 -> 6 -> 7.
class SmallPinpointing : public testing::Test {
protected:
    void SetUp() override
    {
        for (const Clause& c : std::vector<Clause>{{-1, -4, 5}, {-2, -5, 6}, {-3, -6, 7}, {-4, 8}})
            ASSERT_TRUE(add(encoder, c));
        ASSERT_TRUE(encoder.endEncoding(false, 8, 4, 0, 0));
    }
    SimpSolverEncoder encoder{nullptr, nullptr, nullptr};
    LiteralList axioms{1, 2, 3};
};

TEST_F(SmallPinpointing, PlaceholdersStandBetweenQueries)
{
    encoder.preparePinpointing(&axioms);
    for (auto [sub, super] : std::vector<std::pair<long, long>>{{4, 7}, {5, 7}, {7, 4}, {4, 8}}) {
        std::unique_ptr<LiteralList> found(encoder.checkSatisfiabilityAndPinpoint(sub, super, nullptr, false, 0, 0));
        const vec<Lit>& v = encoder.literals();
        ASSERT_EQ(v.size(), 5);
        EXPECT_EQ(v[0], Lit(0, true));
        EXPECT_EQ(v[1], Lit(1, false));
        if (sub == 4 && super == 7) {
            ASSERT_NE(found, nullptr);
            EXPECT_EQ(std::vector<long>(found->begin(), found->end()).size(), 3u);
        }
        if (sub == 7) {
            EXPECT_EQ(found, nullptr);
        }
        if (sub == 4 && super == 8) {
            ASSERT_NE(found, nullptr);
            EXPECT_TRUE(found->empty());
        }
    }
}

// Only the first check simplifies: kept on, every later check would bring
// back the clauses of its eliminated variables and eliminate them again.
TEST_F(SmallPinpointing, FirstSubsumptionCheckSwitchesSimplificationOff)
{
    EXPECT_TRUE(encoder.getSolver().simplificationOn());
    EXPECT_TRUE(encoder.checkSatisfiability(4, 7, 0, 0));
    EXPECT_FALSE(encoder.getSolver().simplificationOn());
    EXPECT_FALSE(encoder.checkSatisfiability(4, 8, 0, 0));
    EXPECT_TRUE(encoder.checkSatisfiability(7, 4, 0, 0));
}

TEST_F(SmallPinpointing, QueryWithoutPreparationAssumesItsTwoLiteralsAlone)
{
    // No axiom assumed: 4 < 7 does not follow, 4 < 8 does with no axiom.
    std::unique_ptr<LiteralList> chain(encoder.checkSatisfiabilityAndPinpoint(4, 7, nullptr, false, 0, 0));
    EXPECT_EQ(chain, nullptr);
    EXPECT_EQ(encoder.literals().size(), 2);
    std::unique_ptr<LiteralList> told(encoder.checkSatisfiabilityAndPinpoint(4, 8, nullptr, false, 0, 0));
    ASSERT_NE(told, nullptr);
    EXPECT_TRUE(told->empty());
    // A plain check in between leaves its own literals: the next pinpointing
    // query does not take them for axioms.
    EXPECT_TRUE(encoder.checkSatisfiability(5, 4, 0, 0));
    std::unique_ptr<LiteralList> again(encoder.checkSatisfiabilityAndPinpoint(4, 7, nullptr, false, 0, 0));
    EXPECT_EQ(again, nullptr);
}

TEST_F(SmallPinpointing, QueriesOnVariablesEliminatedBySolvingAtTheEnd)
{
    // Solving at the end eliminates with nothing frozen; the queries still
    // see every clause of their variables.
    korvane_test::MemoryStream out;
    SimpSolverEncoder solving(nullptr, out.get(), nullptr);
    for (const Clause& c : std::vector<Clause>{{-1, -4, 5}, {-2, -5, 6}, {-3, -6, 7}, {-4, 8}, {1}, {2}, {3}})
        ASSERT_TRUE(add(solving, c));
    ASSERT_TRUE(solving.endEncoding(true, 8, 7, 0, 0));
    // The model written covers the eliminated variables and satisfies every
    // clause: the selectors true, so 4 false (else 8 and the chain), or all true.
    std::string text = out.text();
    ASSERT_EQ(text.substr(0, 13), "SATISFIABLE\n\n");
    std::istringstream line(text.substr(13, text.find('\n', 13) - 13));
    std::vector<long> model{std::istream_iterator<long>(line), std::istream_iterator<long>()};
    ASSERT_EQ(model.size(), 8u);
    for (long v = 1; v <= 8; ++v)
        EXPECT_EQ(std::labs(model[v - 1]), v);
    EXPECT_GT(model[0], 0);
    EXPECT_GT(model[1], 0);
    EXPECT_GT(model[2], 0);
    if (model[3] > 0) {
        EXPECT_GT(model[4], 0);
        EXPECT_GT(model[5], 0);
        EXPECT_GT(model[6], 0);
        EXPECT_GT(model[7], 0);
    }
    EXPECT_FALSE(solving.checkSatisfiability(4, 7, 0, 0));
    EXPECT_FALSE(solving.checkSatisfiability(5, 7, 0, 0));
    EXPECT_TRUE(solving.checkSatisfiability(7, 4, 0, 0));
    LiteralList positives{4};
    LiteralList negatives{8};
    EXPECT_FALSE(solving.checkSatisfiability(&positives, &negatives, 0, 0));
    EXPECT_FALSE(solving.checkSatisfiability(6, 7, 0, 0));
}

// ---------------------------------------------------------------------------
// Agreement with the in-process encoder over the plain solver

// Feeds the same clauses to both encoders, then asks both the same queries.
class Pair {
public:
    Pair() : core(nullptr, nullptr, nullptr, false), simp(nullptr, nullptr, nullptr) {}

    void load(const std::vector<Clause>& clauses, long variables, bool solveAtTheEnd)
    {
        for (const Clause& c : clauses) {
            ASSERT_TRUE(add(core, c));
            ASSERT_TRUE(add(simp, c));
        }
        // Solving at the end eliminates with nothing frozen and switches
        // the simplification off.
        ASSERT_TRUE(simp.endEncoding(solveAtTheEnd, variables, clauses.size(), 0, 0));
        ASSERT_TRUE(core.endEncoding(false, variables, clauses.size(), 0, 0));
    }

    // Both answers of one subsumption query; true when it holds.
    bool subsumption(long sub, long super)
    {
        bool expected = core.checkSatisfiability(sub, super, 0, 0);
        EXPECT_EQ(simp.checkSatisfiability(sub, super, 0, 0), expected) << sub << " < " << super;
        return !expected;
    }

    // A pinpointing query: both find the subsumption or neither; the axioms
    // that the simplifying encoder names refute the query on their own.
    void pinpointing(long sub, long super, const LiteralList& axioms, bool refresh)
    {
        std::unique_ptr<LiteralList> expected(core.checkSatisfiabilityAndPinpoint(sub, super, &axioms, refresh, 0, 0));
        std::unique_ptr<LiteralList> found(simp.checkSatisfiabilityAndPinpoint(sub, super, &axioms, refresh, 0, 0));
        ASSERT_EQ(found == nullptr, expected == nullptr) << sub << " < " << super;
        if (found == nullptr)
            return;
        for (long a : *found)
            EXPECT_NE(std::find(axioms.begin(), axioms.end(), a), axioms.end()) << "not an axiom: " << a;
        std::unique_ptr<LiteralList> check(core.checkSatisfiabilityAndPinpoint(sub, super, found.get(), true, 0, 0));
        EXPECT_NE(check, nullptr) << "the pinpointed axioms do not refute " << sub << " < " << super;
    }

    CoreSolverEncoder core;
    SimpSolverEncoder simp;
};

// Selectors 1..S guard Horn clauses over concepts S+1..S+C; some clauses
// carry no selector; top (S+1) is a fact.
std::vector<Clause> terminologyLike(std::mt19937& random, int selectors, int concepts)
{
    std::vector<Clause> clauses;
    long top = selectors + 1;
    clauses.push_back({top});
    auto concept = [&]() { return static_cast<long>(selectors + 1 + random() % concepts); };
    int count = concepts + static_cast<int>(random() % concepts);
    for (int i = 0; i < count; ++i) {
        long s = 1 + static_cast<long>(random() % selectors);
        long a = concept(), b = concept(), c = concept();
        switch (random() % 5) {
        case 0:
        case 1:
            clauses.push_back({-s, -a, b});
            break;
        case 2:
            clauses.push_back({-s, -a, -b, c});
            break;
        case 3:
            clauses.push_back({-a, b});
            break;
        default:
            clauses.push_back({-s, -top, b});
            break;
        }
    }
    return clauses;
}

TEST(SimpSolverEncoderAgreement, TerminologyLikeEncodings)
{
    std::mt19937 random(20261209);
    int instances = sanitizedBuild() ? 20 : 60;
    for (int i = 0; i < instances && !testing::Test::HasFailure(); ++i) {
        int selectors = 3 + static_cast<int>(random() % 10);
        int concepts = 6 + static_cast<int>(random() % 30);
        std::vector<Clause> clauses = terminologyLike(random, selectors, concepts);
        Pair pair;
        pair.load(clauses, selectors + concepts, i % 2 == 1);
        LiteralList axioms;
        for (long s = 1; s <= selectors; ++s)
            axioms.push_back(s);
        for (int q = 0; q < 30; ++q) {
            long sub = selectors + 1 + static_cast<long>(random() % concepts);
            long super = selectors + 1 + static_cast<long>(random() % concepts);
            if (q % 3 == 0)
                pair.pinpointing(sub, super, axioms, true);
            else
                pair.subsumption(sub, super);
        }
    }
}

// The encoding of a shared ontology's axioms, as the DIMACS writer gives it.
struct Encoded {
    std::vector<Clause> clauses;
    unsigned long variables = 0;
    std::vector<std::pair<long, long>> told;  // told subsumptions between named concepts
    std::vector<long> atoms;                  // variables of named concepts
};

Encoded encodeOntology(const std::string& name)
{
    Encoded e;
    std::string path = std::string(KORVANE_DATA_DIR) + "/" + name + ".krss";
    EXPECT_EQ(korvane_test::readOntologyFile(path), 0);
    TBox* tbox = korvane_test::normalizeTerminology();
    korvane_test::MemoryStream body;
    TBox::CNF_SAT_Encoder = new DimacsEncoder(body.get(), nullptr);
    unsigned long clauseCount = 0;
    tbox->encodeIntoSat(false, &e.variables, &clauseCount);
    e.clauses = korvane_test::readDimacsClauses(body.text());
    EXPECT_EQ(e.clauses.size(), clauseCount);
    for (Concept* c : tbox->normalizedConcepts)
        if (c->isAtomic() && c->encodingId != 0)
            e.atoms.push_back(c->encodingId);
    for (Axiom* a : tbox->gcis)
        if (a->lhs->isAtomic() && a->rhs->isAtomic() && a->lhs->encodingId != 0 && a->rhs->encodingId != 0)
            e.told.emplace_back(a->lhs->encodingId, a->rhs->encodingId);
    return e;
}

// Each ontology is read into a fresh model: one process may run them all.
class SharedOntology : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override { korvane_test::resetModel(); }
};

// 200 queries per ontology: told subsumptions (they hold), subsumptions
// through a common told superconcept, and random pairs (mostly not).
TEST_P(SharedOntology, SubsumptionQueriesAgree)
{
    Encoded e = encodeOntology(GetParam());
    ASSERT_GT(e.atoms.size(), 50u);
    for (bool solveAtTheEnd : {false, true}) {
        SCOPED_TRACE(solveAtTheEnd ? "simplified by the end, then off" : "simplified by the first query, then off");
        Pair pair;
        pair.load(e.clauses, static_cast<long>(e.variables), solveAtTheEnd);
        std::mt19937 random(17);
        std::vector<std::pair<long, long>> queries;
        for (std::size_t i = 0; i < e.told.size() && queries.size() < 60; i += 1 + e.told.size() / 60)
            queries.push_back(e.told[i]);
        for (std::size_t i = 0; i + 1 < e.told.size() && queries.size() < 100; i += 1 + e.told.size() / 40) {
            for (std::size_t j = 0; j < e.told.size() && queries.size() < 100; ++j) {
                if (e.told[j].first == e.told[i].second) {
                    queries.emplace_back(e.told[i].first, e.told[j].second);
                    break;
                }
            }
        }
        while (queries.size() < 200)
            queries.emplace_back(e.atoms[random() % e.atoms.size()], e.atoms[random() % e.atoms.size()]);
        int holding = 0;
        for (auto [sub, super] : queries)
            holding += pair.subsumption(sub, super);
        EXPECT_GE(holding, 40);
        EXPECT_LT(holding, 200);
    }
}

INSTANTIATE_TEST_SUITE_P(Data, SharedOntology, testing::Values("pizza", "not-galen"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             std::string name = info.param;
                             for (char& c : name)
                                 if (c == '-')
                                     c = '_';
                             return name;
                         });

}
