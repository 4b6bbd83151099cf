#ifndef KORVANE_TESTS_SOLVER_PEERSUPPORT_H
#define KORVANE_TESTS_SOLVER_PEERSUPPORT_H

// Random problems in DIMACS numbering, an independent SAT solver (picosat or
// cadical, through the shared peer wrapper) and the checks of one answer against
// it: every model satisfies every clause and the assumptions, every final
// conflict consists of negated assumptions and refutes the clauses.
//
// The number of instances is scaled down in sanitizer builds; the variable
// KORVANE_SOLVER_PEER_SCALE (a factor, e.g. 0.1 or 2) overrides the scale.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "solver/Solver.h"
#include "support/PeerInstalled.h"
#include "support/PeerSolver.h"
#include "support/SanitizedBuild.h"

// ---------------------------------------------------------------------------
// Problems in DIMACS numbering (variables from 1, negative = negated)

struct Cnf {
    int vars = 0;
    std::vector<std::vector<int> > clauses;
};

inline Lit toSolverLit(int dimacs) { return Lit((dimacs > 0 ? dimacs : -dimacs) - 1, dimacs < 0); }
inline int toDimacs(Lit p) { return sign(p) ? -(var(p) + 1) : var(p) + 1; }

inline double peerScale() {
    double scale = 1.0;
#ifdef KORVANE_SOLVER_TESTS_SANITIZED
    scale = 0.5;
#endif
    if (sanitizedBuild()) scale = 0.5;
    if (const char* env = std::getenv("KORVANE_SOLVER_PEER_SCALE")) scale = std::atof(env);
    return scale;
}

inline int scaled(int count) { return std::max(1, static_cast<int>(count * peerScale())); }

inline int uniform(std::mt19937_64& rng, int lo, int hi) {  // lo..hi inclusive
    return lo + static_cast<int>(rng() % static_cast<uint64_t>(hi - lo + 1));
}

// k distinct variables out of 1..n.
inline std::vector<int> distinctVars(std::mt19937_64& rng, int n, int k) {
    std::vector<int> out;
    while (static_cast<int>(out.size()) < k) {
        int v = uniform(rng, 1, n);
        if (std::find(out.begin(), out.end(), v) == out.end()) out.push_back(v);
    }
    return out;
}

inline std::vector<int> randomClause(std::mt19937_64& rng, int n, int k) {
    std::vector<int> clause = distinctVars(rng, n, k);
    for (int& l : clause) {
        if (rng() & 1) l = -l;
    }
    return clause;
}

inline Cnf random3Sat(std::mt19937_64& rng, int n, double ratio) {
    Cnf cnf;
    cnf.vars = n;
    int m = static_cast<int>(n * ratio + 0.5);
    for (int i = 0; i < m; i++) cnf.clauses.push_back(randomClause(rng, n, 3));
    return cnf;
}

// Facts, rules (one positive head, one to three negated premises) and a few
// purely negative goal clauses.
inline Cnf randomHorn(std::mt19937_64& rng, int n) {
    Cnf cnf;
    cnf.vars = n;
    int m = n * uniform(rng, 15, 30) / 10;
    for (int i = 0; i < m; i++) {
        int kind = uniform(rng, 0, 99);
        if (kind < 6) {
            cnf.clauses.push_back({uniform(rng, 1, n)});
        } else if (kind < 14) {
            std::vector<int> goal = distinctVars(rng, n, uniform(rng, 1, 3));
            for (int& l : goal) l = -l;
            cnf.clauses.push_back(goal);
        } else {
            std::vector<int> rule = distinctVars(rng, n, uniform(rng, 2, 4));
            for (size_t k = 1; k < rule.size(); k++) rule[k] = -rule[k];
            cnf.clauses.push_back(rule);
        }
    }
    return cnf;
}

inline std::vector<int> randomAssumptions(std::mt19937_64& rng, int n, int k) { return randomClause(rng, n, k); }

// ---------------------------------------------------------------------------
// The peer

class Peer {
public:
    explicit Peer(const std::string& name = "picosat") : name(name) {}

    ::testing::AssertionResult installed() const { return peerInstalled(name); }

    // 10 satisfiable, 20 unsatisfiable (the peer's exit codes); -1 on failure.
    int solve(const Cnf& cnf, const std::vector<int>& units = {}) {
        calls++;
        std::string text = "p cnf " + std::to_string(cnf.vars) + " " +
                           std::to_string(cnf.clauses.size() + units.size()) + "\n";
        for (const std::vector<int>& clause : cnf.clauses) {
            for (int l : clause) text += std::to_string(l) + " ";
            text += "0\n";
        }
        for (int l : units) text += std::to_string(l) + " 0\n";
        return runPeerSolver(name, text);
    }

    int calls = 0;

private:
    std::string name;
};

// ---------------------------------------------------------------------------
// Loading and checking

// Creates the variables of cnf and adds its clauses; false when the solver
// found the clauses unsatisfiable while adding them. Any solver class with
// newVar and addClause (the simplifying one indexes what it adds).
template <class S>
inline bool load(S& s, const Cnf& cnf, size_t from = 0) {
    while (s.nVars() < cnf.vars) s.newVar();
    vec<Lit> ps;
    bool ok = s.okay();
    for (size_t i = from; i < cnf.clauses.size(); i++) {
        ps.clear();
        for (int l : cnf.clauses[i]) ps.push(toSolverLit(l));
        ok = s.addClause(ps) && ok;
    }
    return ok;
}

inline void setAssumptions(Solver& s, const std::vector<int>& assumptions) {
    s.assumptions.clear();
    for (int l : assumptions) s.assumptions.push(toSolverLit(l));
}

// Checks one answer of s on cnf under the given assumptions against the peer.
inline void checkAnswer(Peer& peer, Solver& s, const Cnf& cnf, const std::vector<int>& assumptions, bool answer,
                 bool propagateOnly, const std::string& where) {
    SCOPED_TRACE(where);
    int expected = peer.solve(cnf, assumptions);
    ASSERT_NE(expected, -1) << "peer failed";
    ASSERT_EQ(answer, expected == 10);

    if (answer) {
        if (propagateOnly) {
            EXPECT_EQ(s.model.size(), 0);
            return;
        }
        ASSERT_EQ(s.model.size(), s.nVars());
        for (const std::vector<int>& clause : cnf.clauses) {
            bool sat = false;
            for (int l : clause) sat = sat || s.modelValue(toSolverLit(l)) == l_True;
            ASSERT_TRUE(sat) << "model falsifies a clause";
        }
        for (int l : assumptions) ASSERT_EQ(s.modelValue(toSolverLit(l)), l_True) << "model falsifies assumption " << l;
        return;
    }

    if (s.conflict.size() == 0) {
        EXPECT_FALSE(s.okay());
        EXPECT_EQ(peer.solve(cnf), 20) << "empty conflict on clauses that are satisfiable alone";
        return;
    }
    EXPECT_TRUE(s.okay());
    std::set<int> assumed(assumptions.begin(), assumptions.end());
    std::vector<int> negated;
    for (int i = 0; i < s.conflict.size(); i++) {
        int l = toDimacs(s.conflict[i]);
        ASSERT_TRUE(assumed.count(-l)) << "conflict literal " << l << " is not a negated assumption";
        negated.push_back(-l);
    }
    EXPECT_EQ(peer.solve(cnf, negated), 20) << "final conflict is not a refutation";
}

#endif
