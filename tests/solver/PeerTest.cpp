// The solver against an independent SAT solver (picosat, run as a separate
// program) on seeded random problems: random 3-SAT near the satisfiability
// threshold, random Horn sets, solving under assumptions, the propagation-only
// mode, the kept-trail pattern of pinpointing queries and clauses added
// between solves. Every model is checked against every clause, and every
// final conflict must consist of negated assumptions and be unsatisfiable
// together with the clauses.

#include <gtest/gtest.h>

#include <ostream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "PeerSupport.h"
#include "SolverTestSupport.h"
#include "solver/Solver.h"

namespace {

class SolverPeer : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(peer.installed());
    }
    Peer peer;
};

// ---------------------------------------------------------------------------
// Plain solving

// `count` seeded random 3-SAT instances of lo..hi variables and `ratio`
// clauses per variable, each handed to check(instance, variables, clauses,
// generator) until a fatal failure.
template <typename Check>
void eachRandom3Sat(uint64_t seed, int count, int lo, int hi, double ratio, Check check) {
    std::mt19937_64 rng(seed);
    for (int i = 0; i < count; i++) {
        int n = uniform(rng, lo, hi);
        Cnf cnf = random3Sat(rng, n, ratio);
        check(i, n, cnf, rng);
        if (testing::Test::HasFatalFailure()) return;
    }
}

// Loads cnf into s, solves it without assumptions and checks the answer
// against the peer.
bool solveChecked(Peer& peer, Solver& s, const Cnf& cnf, const std::string& where) {
    load(s, cnf);
    bool answer = s.solve(s.assumptions);
    checkAnswer(peer, s, cnf, {}, answer, false, where);
    return answer;
}

void random3SatBand(Peer& peer, uint64_t seed, int lo, int hi, int count) {
    int sat = 0;
    eachRandom3Sat(seed, count, lo, hi, 4.26, [&](int i, int, const Cnf& cnf, std::mt19937_64&) {
        SolverProbe s;
        bool answer = solveChecked(peer, s, cnf, "instance " + std::to_string(i));
        if (testing::Test::HasFatalFailure()) return;
        if (i % 25 == 0) expectWatchesConsistent(s);
        sat += answer;
    });
    if (testing::Test::HasFatalFailure()) return;
    // Near the threshold both answers must turn up.
    if (count >= 50) {
        EXPECT_GT(sat, count / 10);
        EXPECT_LT(sat, count - count / 10);
    }
}

TEST_F(SolverPeer, Random3SatSmall) { random3SatBand(peer, 1001, 20, 60, scaled(800)); }
TEST_F(SolverPeer, Random3SatMedium) { random3SatBand(peer, 1002, 61, 110, scaled(450)); }
TEST_F(SolverPeer, Random3SatLarge) { random3SatBand(peer, 1003, 111, 150, scaled(250)); }

TEST_F(SolverPeer, RandomHorn) {
    std::mt19937_64 rng(2001);
    int count = scaled(400);
    for (int i = 0; i < count; i++) {
        Cnf cnf = randomHorn(rng, uniform(rng, 20, 150));
        Solver s;
        solveChecked(peer, s, cnf, "instance " + std::to_string(i));
        if (testing::Test::HasFatalFailure()) return;
    }
}

// Every parameter that changes the search, on small instances.
TEST_F(SolverPeer, ParameterVariants) {
    eachRandom3Sat(3001, scaled(360), 20, 80, 4.26, [&](int i, int n, const Cnf& cnf, std::mt19937_64& rng) {
        SolverProbe s;
        int variant = i % 6;
        switch (variant) {
            case 0:
                s.expensiveMinimisation = false;
                break;
            case 1:
                s.polarityMode = 0;
                break;
            case 2:
                s.polarityMode = 2;
                break;
            case 3:
                s.polarityMode = 3;
                s.randomDecisionFrequency = 0.3;
                break;
            case 4:  // frequent restarts and learnt-clause reductions
                s.firstRestartLimit = 2;
                s.restartGrowth = 1.05;
                s.learntLimitFactor = 0.02;
                s.learntLimitGrowth = 1.0;
                break;
            default:  // no restarts, seeded activities
                s.firstRestartLimit = -1;
                s.variableDecay = 1 / 0.8;
                break;
        }
        while (s.nVars() < n) {
            int v = s.newVar(variant == 5 ? static_cast<double>(uniform(rng, 0, 100)) : 0.0, (rng() & 1) != 0);
            (void)v;
        }
        solveChecked(peer, s, cnf, "instance " + std::to_string(i) + " variant " + std::to_string(variant));
        if (testing::Test::HasFatalFailure()) return;
        expectWatchesConsistent(s);
    });
}

// ---------------------------------------------------------------------------
// Solving under assumptions, repeatedly on one solver

// Random instances, each solved for several sets of assumptions on one
// solver. On Horn clauses unit propagation is complete, so the
// propagation-only answers must agree with the peer exactly, and no decision
// is drawn.
struct AssumptionsCase {
    const char* title;
    uint64_t seed;
    int instances;
    bool horn;             // random Horn sets, else random 3-SAT
    int queries;           // per instance
    int mostAssumptions;   // 0: a fifth of the variables
    bool propagateOnly;
    bool expectRefutations;  // some final conflict must be non-empty
};

void PrintTo(const AssumptionsCase& t, std::ostream* out) { *out << t.title; }

class SolverPeerAssumptions : public testing::TestWithParam<AssumptionsCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(peer.installed());
    }
    Peer peer;
};

TEST_P(SolverPeerAssumptions, AnswersAgreeWithThePeer) {
    const AssumptionsCase& t = GetParam();
    std::mt19937_64 rng(t.seed);
    int refuted = 0;
    for (int i = 0, count = scaled(t.instances); i < count; i++) {
        int n = t.horn ? uniform(rng, 20, 150) : uniform(rng, 20, 100);
        Cnf cnf = t.horn ? randomHorn(rng, n) : random3Sat(rng, n, 2.5 + uniform(rng, 0, 15) / 10.0);
        SolverProbe s;
        load(s, cnf);
        uint64_t seedBefore = static_cast<uint64_t>(s.randomSeed);
        for (int query = 0; query < t.queries; query++) {
            int most = t.mostAssumptions > 0 ? t.mostAssumptions : std::max(1, n / 5);
            std::vector<int> assumptions = randomAssumptions(rng, n, uniform(rng, 1, most));
            setAssumptions(s, assumptions);
            bool answer = s.solve(s.assumptions, t.propagateOnly);
            checkAnswer(peer, s, cnf, assumptions, answer, t.propagateOnly,
                        "instance " + std::to_string(i) + " query " + std::to_string(query));
            if (testing::Test::HasFatalFailure()) return;
            refuted += !answer && s.conflict.size() > 0;
            ASSERT_EQ(s.decisionLevel(), 0);
        }
        if (t.propagateOnly) {
            EXPECT_EQ(static_cast<uint64_t>(s.randomSeed), seedBefore) << "a decision was drawn";
        }
        expectWatchesConsistent(s);
    }
    if (t.expectRefutations) {
        EXPECT_GT(refuted, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    SolverPeer, SolverPeerAssumptions,
    testing::Values(AssumptionsCase{"AssumptionsOnRandom3Sat", 4001, 220, false, 6, 0, false, true},
                    AssumptionsCase{"HornUnderAssumptions", 5001, 300, true, 4, 6, false, false},
                    AssumptionsCase{"HornPropagationOnly", 6001, 300, true, 5, 8, true, false}),
    [](const testing::TestParamInfo<AssumptionsCase>& info) { return std::string(info.param.title); });

// The pinpointing pattern: Horn axioms guarded by selector variables, the
// selectors placed once with the whole trail kept, then queries (sub true,
// super false) appended and solved keeping the selector levels.
TEST_F(SolverPeer, KeptSelectorLevelsAcrossQueries) {
    std::mt19937_64 rng(7001);
    int count = scaled(160);
    int subsumed = 0;
    for (int i = 0; i < count; i++) {
        int concepts = uniform(rng, 20, 120);
        int axioms = uniform(rng, concepts / 2, concepts * 2);
        bool propagateOnly = i % 3 != 2;
        Cnf cnf;
        cnf.vars = concepts + axioms;
        std::vector<int> selectors;
        for (int k = 0; k < axioms; k++) {
            int selector = concepts + k + 1;
            selectors.push_back(selector);
            std::vector<int> rule = distinctVars(rng, concepts, uniform(rng, 2, 3));
            for (size_t j = 1; j < rule.size(); j++) rule[j] = -rule[j];
            rule.push_back(-selector);
            cnf.clauses.push_back(rule);
        }
        Solver s;
        load(s, cnf);
        setAssumptions(s, selectors);
        ASSERT_TRUE(s.solve(s.assumptions, propagateOnly, true, true));
        ASSERT_GE(s.decisionLevel(), axioms);

        for (int query = 0; query < 8; query++) {
            std::vector<int> pair = distinctVars(rng, concepts, 2);
            std::vector<int> assumptions = selectors;
            assumptions.push_back(pair[0]);
            assumptions.push_back(-pair[1]);
            s.assumptions.push(toSolverLit(pair[0]));
            s.assumptions.push(toSolverLit(-pair[1]));
            bool answer = s.solve(s.assumptions, propagateOnly, true, false);
            checkAnswer(peer, s, cnf, assumptions, answer, propagateOnly,
                        "instance " + std::to_string(i) + " query " + std::to_string(query));
            if (testing::Test::HasFatalFailure()) return;
            EXPECT_LE(s.decisionLevel(), axioms);
            s.assumptions.shrink(2);
            subsumed += !answer;
        }
    }
    EXPECT_GT(subsumed, 0);
}

// Clauses added in batches between solves on one solver.
TEST_F(SolverPeer, ClausesAddedBetweenSolves) {
    eachRandom3Sat(8001, scaled(150), 20, 80, 4.6, [&](int i, int n, const Cnf& all, std::mt19937_64& rng) {
        Cnf prefix;
        prefix.vars = n;
        SolverProbe s;
        size_t batch = all.clauses.size() / 4 + 1;
        for (size_t from = 0; from < all.clauses.size(); from += batch) {
            size_t to = std::min(all.clauses.size(), from + batch);
            prefix.clauses.insert(prefix.clauses.end(), all.clauses.begin() + from, all.clauses.begin() + to);
            load(s, prefix, from);
            std::vector<int> assumptions;
            if (rng() & 1) assumptions = randomAssumptions(rng, n, uniform(rng, 1, 4));
            setAssumptions(s, assumptions);
            bool answer = s.solve(s.assumptions);
            checkAnswer(peer, s, prefix, assumptions, answer, false,
                        "instance " + std::to_string(i) + " clauses " + std::to_string(to));
            if (testing::Test::HasFatalFailure()) return;
        }
        expectWatchesConsistent(s);
    });
}

}  // namespace
