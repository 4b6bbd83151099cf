// The solver's clause database, propagation, conflict analysis and search on
// small hand-made cases.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "SolverTestSupport.h"
#include "solver/Solver.h"

namespace {

using Lits = std::vector<Lit>;

bool add(Solver& s, const Lits& lits) {
    vec<Lit> ps;
    return s.addClause(fill(ps, lits));
}

void makeVars(Solver& s, int n) {
    while (s.nVars() < n) s.newVar();
}

std::vector<Lit> toStd(const vec<Lit>& v) {
    std::vector<Lit> out;
    for (int i = 0; i < v.size(); i++) out.push_back(v[i]);
    return out;
}

// Literal shorthands over variables 0..9.
const Lit a(0), b(1), c(2), d(3), e(4), x(5), y(6), z(7);

// ---------------------------------------------------------------------------
// Adding clauses

TEST(SolverAddClause, TautologyIsNotAdded) {
    SolverProbe s;
    makeVars(s, 3);
    EXPECT_TRUE(add(s, {a, b, ~a}));
    EXPECT_EQ(s.nClauses(), 0);
    EXPECT_EQ(s.nAssigns(), 0);
    expectWatchesConsistent(s);
}

TEST(SolverAddClause, ClauseSatisfiedAtTopLevelIsNotAdded) {
    SolverProbe s;
    makeVars(s, 3);
    EXPECT_TRUE(add(s, {b}));
    EXPECT_TRUE(add(s, {a, b, c}));
    EXPECT_EQ(s.nClauses(), 0);
    EXPECT_TRUE(s.okay());
}

TEST(SolverAddClause, AllLiteralsFalseMakesTheSolverUnsatisfiable) {
    SolverProbe s;
    makeVars(s, 4);
    EXPECT_TRUE(add(s, {~a}));
    EXPECT_TRUE(add(s, {~b}));
    EXPECT_FALSE(add(s, {a, b}));
    EXPECT_FALSE(s.okay());
    // Final: nothing is added any more and every solve fails.
    EXPECT_FALSE(add(s, {c, d}));
    EXPECT_EQ(s.nClauses(), 0);
    EXPECT_FALSE(s.solve(s.assumptions));
    EXPECT_FALSE(s.simplify());
}

TEST(SolverAddClause, EmptyClauseMakesTheSolverUnsatisfiable) {
    SolverProbe s;
    makeVars(s, 1);
    EXPECT_FALSE(add(s, {}));
    EXPECT_FALSE(s.okay());
}

TEST(SolverAddClause, DuplicatesAreStoredOnceInCodeOrder) {
    SolverProbe s;
    makeVars(s, 3);
    vec<Lit> ps;
    fill(ps, {c, ~b, a, c, ~b, a});
    EXPECT_TRUE(s.addClause(ps));
    // ps itself is sorted and filtered in place.
    EXPECT_EQ(toStd(ps), (Lits{a, ~b, c}));
    ASSERT_EQ(s.nClauses(), 1);
    const Clause& stored = *s.problemClauses[0];
    ASSERT_EQ(stored.size(), 3);
    EXPECT_EQ(stored[0], a);
    EXPECT_EQ(stored[1], ~b);
    EXPECT_EQ(stored[2], c);
    EXPECT_EQ(s.problemLiteralCount, 3u);
    expectWatchesConsistent(s);
}

TEST(SolverAddClause, ClauseReducedToOneLiteralIsAssignedAndPropagated) {
    SolverProbe s;
    makeVars(s, 3);
    EXPECT_TRUE(add(s, {~b, c}));
    EXPECT_TRUE(add(s, {~a}));
    // a is false at level 0, so (a, b) is the unit b, which implies c.
    EXPECT_TRUE(add(s, {a, b}));
    EXPECT_EQ(s.nClauses(), 1);
    EXPECT_EQ(s.value(b), l_True);
    EXPECT_EQ(s.value(c), l_True);
    EXPECT_EQ(s.level(var(c)), 0);
    EXPECT_EQ(s.queueHead, s.nAssigns());
}

TEST(SolverAddClause, ConflictingUnitsEndTheSolver) {
    SolverProbe s;
    makeVars(s, 3);
    EXPECT_TRUE(add(s, {~a, b}));
    EXPECT_TRUE(add(s, {~a, ~b}));
    EXPECT_FALSE(add(s, {a}));
    EXPECT_FALSE(s.okay());
}

// ---------------------------------------------------------------------------
// Propagation and watch lists

TEST(SolverPropagate, ConflictKeepsEveryWatchListComplete) {
    SolverProbe s;
    makeVars(s, 8);
    // Three clauses watching b, all in the list visited when b becomes false.
    Clause* c0 = s.rawClause({b, x}, false);
    Clause* c1 = s.rawClause({b, ~a}, false);
    Clause* c2 = s.rawClause({b, y}, false);
    s.rawClause({~a, z, c}, false);
    ASSERT_EQ(s.watchLists[toInt(~b)].size(), 3);

    // Two decisions queued before any propagation: b false, then a true.
    s.decide(~b);
    s.decide(a);
    Clause* confl = s.propagate();

    EXPECT_EQ(confl, c1);
    EXPECT_EQ(s.value(x), l_True);  // c0 was visited before the conflict
    EXPECT_EQ(s.reasons[var(x)], c0);
    EXPECT_EQ(s.value(y), l_Undef);  // c2 was not
    EXPECT_EQ(s.value(z), l_Undef);
    EXPECT_EQ(s.queueHead, s.nAssigns());
    const vec<Clause*>& ws = s.watchLists[toInt(~b)];
    ASSERT_EQ(ws.size(), 3);
    EXPECT_EQ(ws[0], c0);
    EXPECT_EQ(ws[1], c1);
    EXPECT_EQ(ws[2], c2);
    expectWatchesConsistent(s);
}

TEST(SolverPropagate, FalseLiteralMovesToPositionOneAndWatchesMove) {
    SolverProbe s;
    makeVars(s, 5);
    Clause* cl = s.rawClause({~a, b, c, d}, false);
    s.decide(a);
    EXPECT_EQ(s.propagate(), nullptr);
    // ~a was watched at 0: it moves to 1, then swaps with the first non-false
    // literal from position 2 on (c), whose negation's list takes the clause.
    EXPECT_EQ((*cl)[0], b);
    EXPECT_EQ((*cl)[1], c);
    EXPECT_EQ((*cl)[2], ~a);
    EXPECT_EQ((*cl)[3], d);
    EXPECT_EQ(s.watchLists[toInt(a)].size(), 0);
    EXPECT_EQ(s.watchLists[toInt(~c)].size(), 1);
    expectWatchesConsistent(s);

    s.decide(~c);
    s.decide(~b);
    EXPECT_EQ(s.propagate(), nullptr);
    EXPECT_EQ(s.value(d), l_True);
    EXPECT_EQ(s.reasons[var(d)], cl);
    EXPECT_EQ((*cl)[0], d);
    expectWatchesConsistent(s);
}

TEST(SolverPropagate, CountsTrailLiteralsNotClauseVisits) {
    SolverProbe s;
    makeVars(s, 4);
    add(s, {~a, b});
    add(s, {~a, c});
    add(s, {~b, d});
    add(s, {~c, d});
    uint64_t before = s.propagationCount;
    s.decide(a);
    EXPECT_EQ(s.propagate(), nullptr);
    EXPECT_EQ(s.propagationCount - before, 4u);  // a, b, c, d
    EXPECT_EQ(s.nAssigns(), 4);
    for (Lit p : {a, b, c, d}) EXPECT_EQ(s.level(var(p)), 1);
}

// ---------------------------------------------------------------------------
// Conflict analysis

bool allUnseen(const SolverProbe& s) {
    for (int v = 0; v < s.seen.size(); v++) {
        if (s.seen[v]) return false;
    }
    return true;
}

// A conflict reached by deciding the given literals in turn (each but the
// last propagates without a conflict, the last one conflicts) and what its
// analysis learns; -1 for a count that the case does not check.
struct AnalyzeCase {
    const char* title;
    int vars;
    std::vector<Lits> clauses;
    Lits decisions;
    bool expensiveMinimisation;
    Lits learnt;
    int backjumpLevel;
    long maxLiterals;
    long totalLiterals;
};

void PrintTo(const AnalyzeCase& t, std::ostream* out) { *out << t.title; }

class SolverAnalyze : public testing::TestWithParam<AnalyzeCase> {};

TEST_P(SolverAnalyze, LearntClauseAndBackjumpLevel) {
    const AnalyzeCase& t = GetParam();
    SolverProbe s;
    s.expensiveMinimisation = t.expensiveMinimisation;
    makeVars(s, t.vars);
    for (const Lits& clause : t.clauses) s.rawClause(clause, false);
    Clause* confl = nullptr;
    for (size_t i = 0; i < t.decisions.size(); i++) {
        s.decide(t.decisions[i]);
        confl = s.propagate();
        if (i + 1 < t.decisions.size()) {
            ASSERT_EQ(confl, nullptr) << "decision " << i;
        }
    }
    ASSERT_NE(confl, nullptr);
    vec<Lit> learnt;
    int level = -1;
    s.analyze(confl, learnt, level);
    EXPECT_EQ(toStd(learnt), t.learnt);
    EXPECT_EQ(level, t.backjumpLevel);
    if (t.maxLiterals >= 0) {
        EXPECT_EQ(s.maxLiteralCount, static_cast<uint64_t>(t.maxLiterals));
    }
    if (t.totalLiterals >= 0) {
        EXPECT_EQ(s.totalLiteralCount, static_cast<uint64_t>(t.totalLiterals));
    }
    EXPECT_TRUE(allUnseen(s));
}

// The minimisation cases: x implies z, z implies y at level 1; a implies b
// (with y) at level 2, and (~a, ~x, ~b) conflicts. The first-UIP clause is
// (~a, ~x, ~y); y follows from x through z, which only the recursive
// minimisation sees. Without z (x implies y directly) the local one drops y
// as well.
const std::vector<Lits> throughZ = {{~x, z}, {~z, y}, {~a, ~y, b}, {~a, ~x, ~b}};

INSTANTIATE_TEST_SUITE_P(
    Cases, SolverAnalyze,
    testing::Values(
        // c is an unrelated decision at level 1.
        AnalyzeCase{"OnlyCurrentLevelGivesAUnitAndLevelZero", 3, {{~a, b}, {~a, ~b}}, {c, a}, true, {~a}, 0, -1, -1},
        AnalyzeCase{"LowerLevelLiteralSetsTheBackjumpLevel", 3, {{~b, ~a, c}, {~b, ~c}}, {a, b}, true, {~b, ~a}, 1,
                    -1, -1},
        AnalyzeCase{"RecursiveMinimisationDropsImpliedLiterals", 8, throughZ, {x, a}, true, {~a, ~x}, 1, 3, 2},
        AnalyzeCase{"LocalMinimisationOnlyLooksOneStepBack", 8, throughZ, {x, a}, false, {~a, ~x, ~y}, 1, 3, 3},
        AnalyzeCase{"LocalMinimisationDropsALiteralWhoseReasonIsInTheClause", 8,
                    {{~x, y}, {~a, ~y, b}, {~a, ~x, ~b}}, {x, a}, false, {~a, ~x}, 1, -1, -1}),
    [](const testing::TestParamInfo<AnalyzeCase>& info) { return std::string(info.param.title); });

TEST(SolverAnalyzeFinal, AtLevelZeroOnlyTheGivenLiteral) {
    SolverProbe s;
    makeVars(s, 2);
    add(s, {a});
    vec<Lit> out;
    out.push(b);
    s.analyzeFinal(~a, out);
    EXPECT_EQ(toStd(out), (Lits{~a}));
}

TEST(SolverAnalyzeFinal, NegatedAssumptionsInReverseTrailOrder) {
    Solver s;
    makeVars(s, 6);
    add(s, {~a, ~b, ~c});
    fill(s.assumptions, {x, a, b, c});
    EXPECT_FALSE(s.solve(s.assumptions, true));
    // c is false because of a and b; x played no part.
    EXPECT_EQ(toStd(s.conflict), (Lits{~c, ~b, ~a}));
    EXPECT_TRUE(s.okay());
}

TEST(SolverAnalyzeFinal, ContradictoryAssumptions) {
    Solver s;
    makeVars(s, 1);
    fill(s.assumptions, {a, ~a});
    EXPECT_FALSE(s.solve(s.assumptions));
    EXPECT_EQ(toStd(s.conflict), (Lits{a, ~a}));
    EXPECT_TRUE(s.okay());
}

// ---------------------------------------------------------------------------
// Backtracking, reduction and simplification

TEST(SolverCancelUntil, RestoresTheAssignmentAndTheDecisionOrder) {
    SolverProbe s;
    makeVars(s, 4);
    s.setDecisionVar(var(d), false);
    add(s, {~a, b});
    add(s, {~b, d});
    s.decide(a);
    ASSERT_EQ(s.propagate(), nullptr);
    s.decide(c);
    ASSERT_EQ(s.propagate(), nullptr);
    while (!s.orderHeap.empty()) s.orderHeap.removeMin();

    s.cancelUntil(1);
    EXPECT_EQ(s.decisionLevel(), 1);
    EXPECT_EQ(s.value(c), l_Undef);
    EXPECT_EQ(s.value(d), l_True);
    EXPECT_TRUE(s.orderHeap.inHeap(var(c)));
    EXPECT_FALSE(s.orderHeap.inHeap(var(a)));

    s.cancelUntil(3);  // above the current level: nothing
    EXPECT_EQ(s.decisionLevel(), 1);

    s.cancelUntil(0);
    EXPECT_EQ(s.decisionLevel(), 0);
    EXPECT_EQ(s.nAssigns(), 0);
    EXPECT_EQ(s.queueHead, 0);
    for (int v = 0; v < 4; v++) EXPECT_EQ(s.value(v), l_Undef);
    EXPECT_TRUE(s.orderHeap.inHeap(var(a)));
    EXPECT_TRUE(s.orderHeap.inHeap(var(b)));
    EXPECT_FALSE(s.orderHeap.inHeap(var(d)));  // not a decision variable
}

struct ReduceCase {
    SolverProbe s;
    Clause* binary;
    Clause* low;
    Clause* high;
    Clause* locked;

    ReduceCase() {
        makeVars(s, 10);
        binary = s.rawClause({Lit(0), Lit(1)}, true);
        low = s.rawClause({Lit(2), Lit(3), Lit(4)}, true);
        high = s.rawClause({Lit(5), Lit(6), Lit(7)}, true);
        locked = s.rawClause({Lit(8), Lit(1), Lit(2)}, true);
        binary->activity() = 0.0f;
        low->activity() = 1.0f;
        high->activity() = 5.0f;
        locked->activity() = 0.0f;
        s.uncheckedEnqueue(Lit(8), locked);  // locked is the reason of its literal 0
    }
};

TEST(SolverReduceDB, FirstHalfGoesExceptLockedAndBinary) {
    // Sorted: locked (0), low (1), high (5), binary. The first half loses low
    // (locked stays); high is kept since 5 is not below 1/4.
    ReduceCase rc;
    rc.s.reduceDB();
    ASSERT_EQ(rc.s.nLearnts(), 3);
    EXPECT_EQ(rc.s.learntClauses[0], rc.locked);
    EXPECT_EQ(rc.s.learntClauses[1], rc.high);
    EXPECT_EQ(rc.s.learntClauses[2], rc.binary);
    expectWatchesConsistent(rc.s);
}

TEST(SolverReduceDB, SecondHalfLosesClausesBelowTheActivityLimit) {
    // With clauseIncrement 40 the limit is 10, so high (5) goes as well.
    ReduceCase rc;
    rc.s.clauseIncrement = 40.0;
    rc.s.reduceDB();
    ASSERT_EQ(rc.s.nLearnts(), 2);
    EXPECT_EQ(rc.s.learntClauses[0], rc.locked);
    EXPECT_EQ(rc.s.learntClauses[1], rc.binary);
    expectWatchesConsistent(rc.s);
}

TEST(SolverReduceDB, SingleClauseHasAnEmptyFirstHalf) {
    SolverProbe kept;
    makeVars(kept, 3);
    Clause* cl = kept.rawClause({a, b, c}, true);
    cl->activity() = 2.0f;  // not below 1/1
    kept.reduceDB();
    EXPECT_EQ(kept.nLearnts(), 1);

    SolverProbe dropped;
    makeVars(dropped, 3);
    dropped.rawClause({a, b, c}, true);  // activity 0 < 1
    dropped.reduceDB();
    EXPECT_EQ(dropped.nLearnts(), 0);
    EXPECT_EQ(dropped.learntLiteralCount, 0u);
    expectWatchesConsistent(dropped);

    SolverProbe none;
    none.reduceDB();
    EXPECT_EQ(none.nLearnts(), 0);
}

TEST(SolverSimplify, CleansUpOnlyWhenTheTrailGrew) {
    SolverProbe s;
    makeVars(s, 4);
    add(s, {a, b});
    add(s, {a});
    EXPECT_TRUE(s.simplify());
    EXPECT_EQ(s.nClauses(), 0);  // (a, b) was satisfied

    // A satisfied clause slipped in without new assignments stays.
    s.rawClause({a, c}, false);
    EXPECT_TRUE(s.simplify());
    EXPECT_EQ(s.nClauses(), 1);

    // A new top-level assignment (and the budget spent) brings the clean-up back.
    add(s, {d});
    EXPECT_TRUE(s.simplify());
    EXPECT_EQ(s.nClauses(), 0);
    expectWatchesConsistent(s);
    for (int v : {var(a), var(d)}) EXPECT_FALSE(s.orderHeap.inHeap(v));
    EXPECT_TRUE(s.orderHeap.inHeap(var(b)));
}

TEST(SolverSimplify, SatisfiedProblemClausesStayWithoutPruning) {
    SolverProbe s;
    s.pruneSatisfied = false;
    makeVars(s, 3);
    add(s, {a, b});
    add(s, {a});
    s.rawClause({a, b, c}, true);
    EXPECT_TRUE(s.simplify());
    EXPECT_EQ(s.nClauses(), 1);
    EXPECT_EQ(s.nLearnts(), 0);  // learnt clauses are always cleaned
}

TEST(SolverSimplify, TopLevelConflictIsFinal) {
    SolverProbe s;
    makeVars(s, 2);
    s.rawClause({a, b}, false);
    s.uncheckedEnqueue(~a);
    s.uncheckedEnqueue(~b);
    EXPECT_FALSE(s.simplify());
    EXPECT_FALSE(s.okay());
}

// ---------------------------------------------------------------------------
// Variables, decisions and the random generator

TEST(SolverDecisions, RandomGeneratorFromItsFixedSeed) {
    // 91648253 * 1389796 mod 2147483647 = 825355524, then 1710755348.
    double seed = 91648253.0;
    EXPECT_DOUBLE_EQ(Solver::drand(seed), 825355524.0 / 2147483647.0);
    EXPECT_EQ(seed, 825355524.0);
    EXPECT_DOUBLE_EQ(Solver::drand(seed), 1710755348.0 / 2147483647.0);
    SolverProbe s;
    EXPECT_EQ(s.randomSeed, 91648253.0);
}

TEST(SolverDecisions, SeededActivityOrdersTheDecisions) {
    Solver s;
    s.randomDecisionFrequency = 0.0;
    s.polarityMode = 0;
    s.newVar(1.0);
    s.newVar(3.0);
    s.newVar(2.0);
    EXPECT_TRUE(s.solve(s.assumptions, false, true, true));
    EXPECT_EQ(s.level(1), 1);
    EXPECT_EQ(s.level(2), 2);
    EXPECT_EQ(s.level(0), 3);
    EXPECT_EQ(s.varActivity(1), 3.0);
}

TEST(SolverDecisions, PolarityModes) {
    for (int mode = 0; mode < 3; mode++) {
        Solver s;
        s.polarityMode = mode;
        s.newVar(0.0, true);
        s.newVar(0.0, false);
        ASSERT_TRUE(s.solve(s.assumptions));
        ASSERT_EQ(s.model.size(), 2);
        if (mode == 0) {
            EXPECT_EQ(s.model[0], l_True);
            EXPECT_EQ(s.model[1], l_True);
        } else if (mode == 1) {
            EXPECT_EQ(s.model[0], l_False);
            EXPECT_EQ(s.model[1], l_False);
        } else {
            // Entry 1 (the sign given to newVar) decides the variable false.
            EXPECT_EQ(s.model[0], l_False);
            EXPECT_EQ(s.model[1], l_True);
        }
    }
}

TEST(SolverDecisions, PreferredSignIsWritable) {
    Solver s;
    s.polarityMode = 2;
    makeVars(s, 2);
    EXPECT_TRUE(s.preferredSign(0));
    s.setPreferredSign(0, false);
    s.setPreferredSign(1, true);
    ASSERT_TRUE(s.solve(s.assumptions));
    EXPECT_EQ(s.model[0], l_True);
    EXPECT_EQ(s.model[1], l_False);
}

TEST(SolverDecisions, RandomPolarityStillFindsModels) {
    Solver s;
    s.polarityMode = 3;
    s.randomDecisionFrequency = 0.5;
    makeVars(s, 6);
    add(s, {a, b});
    add(s, {~a, c});
    add(s, {~c, ~b, d});
    ASSERT_TRUE(s.solve(s.assumptions));
    EXPECT_TRUE(s.model[0] == l_True || s.model[1] == l_True);
    EXPECT_TRUE(s.model[0] == l_False || s.model[2] == l_True);
    EXPECT_GT(s.decisionCount, 0u);
}

TEST(SolverDecisions, NonDecisionVariableIsOnlyAssignedByPropagation) {
    Solver s;
    s.polarityMode = 0;
    s.newVar(0.0, true, true);    // a
    s.newVar(5.0, true, false);   // b: never decided, however active
    s.newVar(9.0, true, false);   // c: never decided, in no clause
    add(s, {~a, b});
    EXPECT_FALSE(s.isDecisionVar(1));
    ASSERT_TRUE(s.solve(s.assumptions));
    ASSERT_EQ(s.model.size(), 3);
    EXPECT_EQ(s.model[0], l_True);
    EXPECT_EQ(s.model[1], l_True);
    EXPECT_EQ(s.model[2], l_Undef);

    s.setDecisionVar(2, true);
    ASSERT_TRUE(s.solve(s.assumptions));
    EXPECT_EQ(s.model[2], l_True);
}

// ---------------------------------------------------------------------------
// Solving

TEST(SolverSolve, EmptyProblem) {
    SolverProbe s;
    EXPECT_TRUE(s.solve(s.assumptions, true));
    EXPECT_EQ(s.model.size(), 0);
    EXPECT_EQ(s.randomSeed, 91648253.0);  // no decision, no random draw
    EXPECT_TRUE(s.solve(s.assumptions));
    EXPECT_EQ(s.model.size(), 0);
    EXPECT_EQ(s.randomSeed, 825355524.0);  // one draw for the random-decision test
}

TEST(SolverSolve, FirstAssumptionFalseAtTopLevel) {
    Solver s;
    makeVars(s, 2);
    add(s, {~a});
    fill(s.assumptions, {a, b});
    EXPECT_FALSE(s.solve(s.assumptions));
    EXPECT_EQ(toStd(s.conflict), (Lits{~a}));
    EXPECT_TRUE(s.okay());
    s.assumptions.clear();
    EXPECT_TRUE(s.solve(s.assumptions));
    EXPECT_EQ(s.conflict.size(), 0);
}

TEST(SolverSolve, UnsatisfiableWithoutAssumptionsIsFinal) {
    // Three pigeons in two holes: variable 2p + h says pigeon p sits in hole h.
    Solver s;
    makeVars(s, 6);
    for (int p = 0; p < 3; p++) add(s, {Lit(2 * p), Lit(2 * p + 1)});
    for (int h = 0; h < 2; h++) {
        for (int p = 0; p < 3; p++) {
            for (int q = p + 1; q < 3; q++) add(s, {~Lit(2 * p + h), ~Lit(2 * q + h)});
        }
    }
    EXPECT_TRUE(s.okay());
    EXPECT_FALSE(s.solve(s.assumptions));
    EXPECT_EQ(s.conflict.size(), 0);
    EXPECT_FALSE(s.okay());
    EXPECT_GT(s.conflictCount, 0u);
    EXPECT_EQ(s.decisionLevel(), 0);
    EXPECT_FALSE(add(s, {Lit(0)}));
    EXPECT_FALSE(s.solve(s.assumptions, true));
}

TEST(SolverSolve, PropagationOnlyMakesNoDecision) {
    // Every assignment of a and b falsifies one clause, but no clause is unit.
    Solver s;
    makeVars(s, 3);
    add(s, {a, b});
    add(s, {a, ~b});
    add(s, {~a, b});
    add(s, {~a, ~b});
    EXPECT_TRUE(s.solve(s.assumptions, true));
    EXPECT_EQ(s.model.size(), 0);
    EXPECT_EQ(s.decisionLevel(), 0);
    EXPECT_TRUE(s.okay());

    fill(s.assumptions, {c});
    EXPECT_TRUE(s.solve(s.assumptions, true, true, true));
    EXPECT_EQ(s.decisionLevel(), 1);
    EXPECT_EQ(s.value(a), l_Undef);
    EXPECT_EQ(s.value(b), l_Undef);
    s.cancelUntil(0);

    s.assumptions.clear();
    EXPECT_FALSE(s.solve(s.assumptions));
    EXPECT_FALSE(s.okay());
}

TEST(SolverSolve, PropagationOnlyFindsConflictsUnderAssumptions) {
    Solver s;
    makeVars(s, 4);
    add(s, {~a, b});
    add(s, {~b, c});
    add(s, {~c, ~d});
    fill(s.assumptions, {a, d});
    EXPECT_FALSE(s.solve(s.assumptions, true));
    EXPECT_EQ(toStd(s.conflict), (Lits{~d, ~a}));
    fill(s.assumptions, {a, ~d});
    EXPECT_TRUE(s.solve(s.assumptions, true));
}

TEST(SolverSolve, TrueAssumptionOpensAnEmptyLevel) {
    Solver s;
    makeVars(s, 3);
    add(s, {~a, b});
    fill(s.assumptions, {a, b, c});
    EXPECT_TRUE(s.solve(s.assumptions, true, true, true));
    EXPECT_EQ(s.decisionLevel(), 3);
    EXPECT_EQ(s.level(var(a)), 1);
    EXPECT_EQ(s.level(var(b)), 1);  // implied by a; level 2 is empty
    EXPECT_EQ(s.level(var(c)), 3);
}

TEST(SolverSolve, KeepTrailDropsTheLastTwoAssumptionLevels) {
    Solver s;
    makeVars(s, 5);
    fill(s.assumptions, {a, b, c});
    EXPECT_TRUE(s.solve(s.assumptions, false, true, false));
    EXPECT_EQ(s.decisionLevel(), 1);
    EXPECT_EQ(s.value(a), l_True);
    EXPECT_EQ(s.value(b), l_Undef);
    EXPECT_EQ(s.value(d), l_Undef);  // free decisions went too
    EXPECT_EQ(s.model.size(), 5);
}

TEST(SolverSolve, KeepTrailStaysBelowAfterAnEarlierStop) {
    // b is false as soon as a stands, so the search stops at level 1, below
    // the size of the assumptions minus two.
    Solver s;
    makeVars(s, 4);
    add(s, {~a, ~b});
    fill(s.assumptions, {a, b, c, d});
    EXPECT_FALSE(s.solve(s.assumptions, true, true, false));
    EXPECT_EQ(s.decisionLevel(), 1);
    EXPECT_EQ(toStd(s.conflict), (Lits{~b, ~a}));
}

TEST(SolverSolve, KeepTrailWithFewerThanTwoAssumptions) {
    Solver s;
    makeVars(s, 2);
    fill(s.assumptions, {a});
    EXPECT_TRUE(s.solve(s.assumptions, true, true, false));
    EXPECT_EQ(s.decisionLevel(), 0);
}

TEST(SolverSolve, KeptLevelsAreNotPlacedAgain) {
    // The pinpointing pattern: place the axiom assumptions once, then query
    // with two more literals and return to the axiom levels.
    Solver s;
    makeVars(s, 5);
    add(s, {~a, e});
    add(s, {~c, ~b, d});
    fill(s.assumptions, {a, b});
    ASSERT_TRUE(s.solve(s.assumptions, true, true, true));
    ASSERT_EQ(s.decisionLevel(), 2);
    uint64_t before = s.propagationCount;

    s.assumptions.push(c);
    s.assumptions.push(~d);
    EXPECT_FALSE(s.solve(s.assumptions, true, true, false));
    EXPECT_EQ(toStd(s.conflict), (Lits{d, ~c, ~b}));
    EXPECT_EQ(s.propagationCount - before, 2u);  // c and d only
    EXPECT_EQ(s.decisionLevel(), 2);
    s.assumptions.shrink(2);

    s.assumptions.push(c);
    s.assumptions.push(d);
    EXPECT_TRUE(s.solve(s.assumptions, true, true, false));
    EXPECT_EQ(s.decisionLevel(), 2);
    EXPECT_EQ(s.value(e), l_True);
}

TEST(SolverSolve, StaleKeptLevelsAreDropped) {
    // Levels kept for [a, b] do not hold the assumptions [c, ~d]; placing
    // those must still find that c forces d.
    Solver s;
    makeVars(s, 4);
    add(s, {~c, d});
    fill(s.assumptions, {a, b});
    ASSERT_TRUE(s.solve(s.assumptions, true, true, true));
    ASSERT_EQ(s.decisionLevel(), 2);
    fill(s.assumptions, {c, ~d});
    EXPECT_FALSE(s.solve(s.assumptions, true));
    EXPECT_EQ(toStd(s.conflict), (Lits{d, ~c}));
    EXPECT_EQ(s.decisionLevel(), 0);
}

TEST(SolverSolve, AddingClausesDropsKeptLevels) {
    Solver s;
    makeVars(s, 3);
    fill(s.assumptions, {a, b});
    ASSERT_TRUE(s.solve(s.assumptions, true, true, true));
    // Under the kept levels ~a would be false; at level 0 the clause is a unit.
    EXPECT_TRUE(add(s, {~a, c}));
    EXPECT_EQ(s.decisionLevel(), 0);
    EXPECT_EQ(s.nClauses(), 1);
    EXPECT_TRUE(add(s, {~a}));
    EXPECT_EQ(s.value(a), l_False);
    EXPECT_FALSE(s.solve(s.assumptions));
    EXPECT_EQ(toStd(s.conflict), (Lits{~a}));
}

TEST(SolverSolve, KeepAllKeepsAFullModelForTheSameAssumptions) {
    Solver s;
    makeVars(s, 4);
    add(s, {a, b, c});
    add(s, {~a, d});
    fill(s.assumptions, {~b});
    ASSERT_TRUE(s.solve(s.assumptions, false, true, true));
    EXPECT_EQ(s.nAssigns(), 4);
    int levels = s.decisionLevel();
    ASSERT_TRUE(s.solve(s.assumptions, false, true, true));
    EXPECT_EQ(s.decisionLevel(), levels);
    EXPECT_EQ(s.model[1], l_False);
}

// ---------------------------------------------------------------------------
// Diagnostics

TEST(SolverDiagnostics, SilentAtVerbosityZero) {
    Solver s;
    makeVars(s, 3);
    add(s, {a, b});
    testing::internal::CaptureStderr();
    s.solve(s.assumptions);
    s.checkLiteralCount();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(SolverDiagnostics, StatisticsTable) {
    Solver s;
    s.verbosity = 1;
    makeVars(s, 3);
    add(s, {a, b});
    add(s, {~a, c});
    testing::internal::CaptureStderr();
    ASSERT_TRUE(s.solve(s.assumptions));
    std::string out = testing::internal::GetCapturedStderr();
    const std::string rule = "===============================================================================\n";
    std::string expected =
        "============================[ Search Statistics ]==============================\n"
        "| Conflicts |          ORIGINAL         |          LEARNT          | Progress |\n"
        "|           |    Vars  Clauses Literals |    Limit  Clauses Lit/Cl |          |\n" +
        rule +
        // conflicts 0, heap 3, 2 clauses, 4 literals, limit 2/3 -> 0, no learnt clauses
        "|         0 |       3        2        4 |        0        0      0 |  0.000 % |\n" + rule;
    EXPECT_EQ(out, expected);
}

TEST(SolverDiagnostics, VerifyModelReportsUnsatisfiedClauses) {
    Solver s;
    makeVars(s, 3);
    add(s, {b, a});
    add(s, {~a, c});
    ASSERT_TRUE(s.solve(s.assumptions));
    testing::internal::CaptureStderr();
    s.verifyModel();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Verified 2 original clauses.\n");

    s.model[0] = l_False;
    s.model[1] = l_False;
    testing::internal::CaptureStderr();
    s.verifyModel();
    // The clause is shown in its current literal order: the search decided a
    // false first, which moved b to the front as the watch. The values are
    // the solver's own assignment, empty after the solve.
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "unsatisfied clause: 2:X 1:X \nVerified 2 original clauses.\n");

    s.model.clear();
    testing::internal::CaptureStderr();
    s.verifyModel();
    std::string out = testing::internal::GetCapturedStderr();
    EXPECT_NE(out.find("Verified 2 original clauses.\n"), std::string::npos);
}

TEST(SolverDiagnostics, PrintClauseShowsTheCurrentValues) {
    SolverProbe s;
    makeVars(s, 3);
    add(s, {~a, b, c});
    s.decide(a);
    s.decide(~b);
    testing::internal::CaptureStderr();
    s.printClause(*s.problemClauses[0]);
    // The value shown is the literal's: -1 is false while variable 1 is true.
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "-1:0 2:0 3:X ");
}

TEST(SolverDiagnostics, LiteralCountCheck) {
    Solver s;
    makeVars(s, 4);
    add(s, {a, b});
    add(s, {b, c, d});
    testing::internal::CaptureStderr();
    s.checkLiteralCount();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    s.problemLiteralCount = 7;
    testing::internal::CaptureStderr();
    s.checkLiteralCount();
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "literal count: 7, real value = 5\n");
}

}  // namespace
