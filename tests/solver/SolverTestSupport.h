#ifndef KORVANE_TESTS_SOLVER_SOLVERTESTSUPPORT_H
#define KORVANE_TESTS_SOLVER_SOLVERTESTSUPPORT_H

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "solver/Solver.h"

// A solver whose internals the tests may look at and drive.
class SolverProbe : public Solver {
public:
    using Solver::analyze;
    using Solver::analyzeFinal;
    using Solver::attachClause;
    using Solver::clauseIncrement;
    using Solver::learntClauses;
    using Solver::levelStarts;
    using Solver::newDecisionLevel;
    using Solver::orderHeap;
    using Solver::pickBranchLit;
    using Solver::problemClauses;
    using Solver::propagate;
    using Solver::pruneSatisfied;
    using Solver::queueHead;
    using Solver::randomSeed;
    using Solver::reasons;
    using Solver::reduceDB;
    using Solver::seen;
    using Solver::trail;
    using Solver::uncheckedEnqueue;
    using Solver::watchLists;

    // Adds a clause of the given literals without sorting or filtering.
    Clause* rawClause(const std::vector<Lit>& lits, bool learnt) {
        vec<Lit> ps;
        for (Lit p : lits) ps.push(p);
        Clause* c = Clause_new(ps, learnt);
        if (learnt) {
            learntClauses.push(c);
        } else {
            problemClauses.push(c);
        }
        attachClause(*c);
        return c;
    }

    // Opens a new level with p as its decision.
    void decide(Lit p) {
        newDecisionLevel();
        uncheckedEnqueue(p);
    }
};

// Every attached clause sits exactly once in the lists of the negations of its
// literals 0 and 1 and nowhere else, and the literal counters match. Probe is
// a solver class that shows its clause lists and watch lists.
template <class Probe>
void expectWatchesConsistent(Probe& s) {
    std::map<const Clause*, int> expected;
    uint64_t problemLits = 0;
    uint64_t learntLits = 0;
    for (int i = 0; i < s.problemClauses.size(); i++) {
        expected[s.problemClauses[i]] = 0;
        problemLits += s.problemClauses[i]->size();
    }
    for (int i = 0; i < s.learntClauses.size(); i++) {
        expected[s.learntClauses[i]] = 0;
        learntLits += s.learntClauses[i]->size();
    }
    EXPECT_EQ(s.problemLiteralCount, problemLits);
    EXPECT_EQ(s.learntLiteralCount, learntLits);
    int total = 0;
    for (int code = 0; code < s.watchLists.size(); code++) {
        const vec<Clause*>& ws = s.watchLists[code];
        for (int k = 0; k < ws.size(); k++) {
            const Clause* c = ws[k];
            ASSERT_TRUE(expected.count(c)) << "unknown clause in watch list " << code;
            bool watchedHere = toInt(~(*c)[0]) == code || toInt(~(*c)[1]) == code;
            EXPECT_TRUE(watchedHere) << "clause in the wrong watch list " << code;
            expected[c]++;
            total++;
        }
    }
    for (const auto& entry : expected) EXPECT_EQ(entry.second, 2) << "clause watched " << entry.second << " times";
    EXPECT_EQ(total, 2 * static_cast<int>(expected.size()));
}

inline vec<Lit>& fill(vec<Lit>& out, const std::vector<Lit>& lits) {
    out.clear();
    for (Lit p : lits) out.push(p);
    return out;
}

#endif
