// The pinpointer's solver variant on small hand-made clause sets.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <random>
#include <vector>

#include "PinpointingSolverProbe.h"
#include "pinpointer/BJL_lt.h"
#include "solver/sort.h"

namespace {

using Lits = std::vector<Lit>;

const Lit s0(0), s1(1), s2(2), s3(3), x4(4), x5(5), x6(6);

// ---------------------------------------------------------------------------
// Adding clauses

TEST(PinpointingSolverAddClause, KeepsTheGivenOrderAndWatchesTheFirstTwo) {
    PinpointingSolverProbe s(6);
    EXPECT_TRUE(s.add({x5, ~s2, ~s0}));
    ASSERT_EQ(s.nClauses(), 1);
    const Clause& c = *s.problemClauses[0];
    EXPECT_EQ((Lits{c[0], c[1], c[2]}), (Lits{x5, ~s2, ~s0}));
    EXPECT_EQ(s.watchLists[toInt(~x5)].size(), 1);
    EXPECT_EQ(s.watchLists[toInt(s2)].size(), 1);
    EXPECT_EQ(s.watchLists[toInt(s0)].size(), 0);
}

TEST(PinpointingSolverAddClause, UnitClauses) {
    PinpointingSolverProbe s(3);
    EXPECT_TRUE(s.add({s0, ~s1}));
    EXPECT_TRUE(s.add({s1}));  // assigned and propagated at once
    EXPECT_EQ(s.value(s0), l_True);
    EXPECT_TRUE(s.add({s1}));  // already true: nothing changes
    EXPECT_EQ(s.nAssigns(), 2);
    EXPECT_FALSE(s.add({~s0}));  // already false: the clause set is unsatisfiable
    EXPECT_FALSE(s.okay());
}

TEST(PinpointingSolverAddClause, EmptyClauseMakesEverySolveFalse) {
    PinpointingSolverProbe s(2);
    vec<Lit> none;
    EXPECT_FALSE(s.addClause(none));
    EXPECT_FALSE(s.solve(none, false, false));
    EXPECT_FALSE(s.solve(fillLits(none, {s0}), false, false));
    EXPECT_EQ(s.conflict.size(), 0);
}

// A fact written before the clause it falsifies a watched literal of must not
// stop the clause from propagating (as it would, had it been read first).
TEST(PinpointingSolverAddClause, FactBeforeClauseStillPropagates) {
    PinpointingSolverProbe s(7);
    EXPECT_TRUE(s.add({x6}));                 // top
    EXPECT_TRUE(s.add({x5, ~x6, ~s0}));       // s0 and top give x5
    EXPECT_TRUE(s.add({~x4}));                // bottom is false
    EXPECT_TRUE(s.add({x4, ~x5, ~s1}));       // s1 and x5 give bottom
    s.propagationOnly = true;
    vec<Lit> a;
    EXPECT_TRUE(s.solve(fillLits(a, {s0}), false, false));
    EXPECT_FALSE(s.solve(fillLits(a, {s0, s1}), false, false));
    EXPECT_EQ(toStd(s.conflict), (Lits{~s1, ~s0}));
}

TEST(PinpointingSolverAddClause, ClauseFalseOrUnitAtLevelZero) {
    PinpointingSolverProbe s(4);
    EXPECT_TRUE(s.add({~s0}));
    EXPECT_TRUE(s.add({~s1}));
    EXPECT_TRUE(s.add({s0, s2, s1}));  // unit on s2
    EXPECT_EQ(s.value(s2), l_True);
    EXPECT_FALSE(s.add({s0, s1}));
    EXPECT_FALSE(s.okay());
}

// Loading a whole clause list at once must leave the solver as adding its
// clauses one by one does: the same facts, the same watch lists in the same
// order, the same literal order in every clause and in the list, the same
// verdict. The lists mix facts among the clauses, so that watched literals
// are already false, clauses turn unit and propagate through the clauses
// before them, and some lists end in a conflict.
struct LoadedState {
    bool ok;
    std::vector<Lit> trail;
    std::vector<std::vector<int> > clauses;  // literal codes of the problem clauses
    std::vector<std::vector<int> > watches;  // per literal code: indices of the watching clauses
    std::vector<std::vector<int> > list;     // literal codes of the list after loading

    bool operator==(const LoadedState& o) const {
        return ok == o.ok && trail == o.trail && clauses == o.clauses && watches == o.watches && list == o.list;
    }
};

LoadedState loadedState(PinpointingSolverProbe& s, const ClauseList& list) {
    LoadedState state;
    state.ok = s.okay();
    state.trail = s.trailLits();
    std::map<const Clause*, int> index;
    for (int i = 0; i < s.problemClauses.size(); i++) {
        const Clause& c = *s.problemClauses[i];
        index[&c] = i;
        state.clauses.emplace_back();
        for (int k = 0; k < c.size(); k++) state.clauses.back().push_back(toInt(c[k]));
    }
    for (int code = 0; code < s.watchLists.size(); code++) {
        state.watches.emplace_back();
        for (int i = 0; i < s.watchLists[code].size(); i++) state.watches.back().push_back(index.at(s.watchLists[code][i]));
    }
    for (int c = 0; c < list.size(); c++) {
        state.list.emplace_back();
        for (int k = 0; k < list.clauseSize(c); k++) state.list.back().push_back(toInt(list.clause(c)[k]));
    }
    return state;
}

TEST(PinpointingSolverAddClauses, LoadsAListAsAddingItsClausesOneByOneWould) {
    std::mt19937 random(20261209);
    const int variables = 12;
    int conflicts = 0;
    int propagating = 0;
    for (int round = 0; round < 300; round++) {
        ClauseList one;
        ClauseList all;
        const int count = 1 + static_cast<int>(random() % 40);
        for (int c = 0; c < count; c++) {
            // Mostly Horn clauses of two to four literals, now and then a fact.
            int size = random() % 8 == 0 ? 1 : 2 + static_cast<int>(random() % 3);
            vec<Lit> clause;
            for (int k = 0; k < size; k++) {
                clause.push(Lit(static_cast<int>(random() % variables), k > 0 || random() % 4 == 0));
            }
            one.add(clause);
            all.add(clause);
        }
        PinpointingSolverProbe sequential(variables);
        vec<Lit> clause;
        for (int c = 0; c < one.size(); c++) {
            clause.clear();
            for (int k = 0; k < one.clauseSize(c); k++) clause.push(one.clause(c)[k]);
            sequential.addClause(clause);
            for (int k = 0; k < one.clauseSize(c); k++) one.clause(c)[k] = clause[k];
        }
        PinpointingSolverProbe loaded(variables);
        loaded.addClauses(all);
        ASSERT_TRUE(loadedState(sequential, one) == loadedState(loaded, all)) << "round " << round;
        if (!sequential.okay()) conflicts++;
        if (sequential.nAssigns() > 1) propagating++;
    }
    // The rounds cover both verdicts and facts that propagate.
    EXPECT_GT(conflicts, 10);
    EXPECT_GT(propagating, 10);
}

// Clauses that a load makes in one go lie in the solver's own memory: one
// that the top-level simplification drops later is not given back on its
// own (the sanitizer build and the C allocator would stop the run).
TEST(PinpointingSolverAddClauses, LoadedClausesThatTheSimplificationDropsStayInPlace) {
    PinpointingSolverProbe s(4);
    ClauseList list;
    vec<Lit> clause;
    list.add(fillLits(clause, {s2, ~s0}));
    list.add(fillLits(clause, {s3, ~s1, ~s2}));
    list.add(fillLits(clause, {s0}));  // makes s2 true: the first clause is satisfied
    s.addClauses(list);
    EXPECT_EQ(s.value(s2), l_True);
    ASSERT_EQ(s.nClauses(), 2);
    vec<Lit> none;
    EXPECT_TRUE(s.solve(none, false, false));
    EXPECT_EQ(s.nClauses(), 1);
    const Clause& kept = *s.problemClauses[0];  // (the search may have turned its literals)
    EXPECT_EQ((std::set<Lit>{kept[0], kept[1], kept[2]}), (std::set<Lit>{s3, ~s1, ~s2}));
}

// ---------------------------------------------------------------------------
// Solving under assumptions

TEST(PinpointingSolverSolve, SelectorBoundPlacesTheLastAssumptionFirst) {
    PinpointingSolverProbe s(5);
    s.propagationOnly = true;
    vec<Lit> a;
    fillLits(a, {s0, s1, s2, x4});
    s.selectorBound = 4;
    EXPECT_TRUE(s.solve(a, false, true));
    EXPECT_EQ(s.trailLits(), (Lits{x4, s0, s1, s2}));

    PinpointingSolverProbe t(5);
    t.propagationOnly = true;
    EXPECT_TRUE(t.solve(a, false, true));
    EXPECT_EQ(t.trailLits(), (Lits{s0, s1, s2, x4}));
}

TEST(PinpointingSolverSolve, KeepAssumptionsIgnoresTheArgument) {
    PinpointingSolverProbe s(3);
    EXPECT_TRUE(s.add({~s0, ~s1}));
    s.propagationOnly = true;
    vec<Lit> a;
    EXPECT_FALSE(s.solve(fillLits(a, {s0, s1}), false, false));
    EXPECT_FALSE(s.solve(fillLits(a, {s0}), true, false));  // still under s0 and s1
    EXPECT_EQ(s.assumptions.size(), 2);
    EXPECT_TRUE(s.solve(a, false, false));
    EXPECT_EQ(s.decisionLevel(), 0);
}

TEST(PinpointingSolverSolve, PropagationOnlyDecidesNothing) {
    PinpointingSolverProbe s(4);
    EXPECT_TRUE(s.add({s2, ~s0}));
    s.propagationOnly = true;
    vec<Lit> a;
    EXPECT_TRUE(s.solve(fillLits(a, {s0}), false, false));
    ASSERT_EQ(s.model.size(), 4);
    EXPECT_EQ(s.model[2], l_True);
    EXPECT_EQ(s.model[1], l_Undef);
    EXPECT_EQ(s.model[3], l_Undef);
}

TEST(PinpointingSolverSolve, KeepTrailFlagKeepsTheDecisions) {
    PinpointingSolverProbe s(3);
    s.keepsTrail = true;
    s.polarityMode = 0;
    vec<Lit> none;
    EXPECT_TRUE(s.solve(none, false, false));
    EXPECT_EQ(s.nAssigns(), 3);
    EXPECT_EQ(s.decisionLevel(), 3);
    for (int v = 0; v < 3; v++) EXPECT_EQ(s.model[v], l_True);
}

// The first test of a query solves on the levels kept from placing every
// selector, now with the query literal appended and placed first: the kept
// levels no longer hold the assumptions in that order and must not hide the
// query literal.
TEST(PinpointingSolverSolve, KeptLevelsInAnotherOrderAreDropped) {
    PinpointingSolverProbe s(6);
    EXPECT_TRUE(s.add({x5, ~s1}));
    s.propagationOnly = true;
    vec<Lit> a;
    EXPECT_TRUE(s.solve(fillLits(a, {s0, s1, s2}), false, true));
    EXPECT_EQ(s.decisionLevel(), 3);
    s.selectorBound = 2;
    s.assumptions.push(~x5);
    EXPECT_FALSE(s.solve(a, true, false));
    EXPECT_EQ(toStd(s.conflict), (Lits{~s1, x5}));
}

TEST(PinpointingSolverSolve, KeptLevelsInTheSameOrderAreReused) {
    PinpointingSolverProbe s(4);
    s.propagationOnly = true;
    vec<Lit> a;
    EXPECT_TRUE(s.solve(fillLits(a, {s0, s1}), false, true));
    s.assumptions.push(s2);
    uint64_t before = s.propagationCount;
    EXPECT_TRUE(s.solve(a, true, true));
    EXPECT_EQ(s.trailLits(), (Lits{s0, s1, s2}));
    EXPECT_EQ(s.propagationCount - before, 1u);  // only s2 was placed and propagated
}

// ---------------------------------------------------------------------------
// Final conflicts and explanations

TEST(PinpointingSolverAnalyzeFinal, ExplanationAtLevelZeroIsTheLiteral) {
    PinpointingSolverProbe s(3);
    vec<Lit> out;
    s.analyzeFinal(s1, out, true);
    EXPECT_EQ(toStd(out), (Lits{s1}));
    s.analyzeFinal(s1, out, false);
    EXPECT_EQ(toStd(out), (Lits{s1}));
}

TEST(PinpointingSolverAnalyzeFinal, ExplanationPlacesTheLiteralBeforeTheFirstSmallerDecision) {
    PinpointingSolverProbe s(7);
    EXPECT_TRUE(s.add({~s2, ~x6, ~s0, ~s3}));
    s.decide(s0);
    s.decide(x6);
    s.decide(s3);  // forces ~s2
    ASSERT_EQ(s.value(s2), l_False);
    vec<Lit> out;
    s.analyzeFinal(s2, out, true);
    EXPECT_EQ(toStd(out), (Lits{s3, x6, s2, s0}));
    s.analyzeFinal(s2, out, false);
    EXPECT_EQ(toStd(out), (Lits{s2, ~s3, ~x6, ~s0}));
}

TEST(PinpointingSolverPropagate, RecordsSelectorsForcedFalseUnderTheBound) {
    PinpointingSolverProbe s(6);
    EXPECT_TRUE(s.add({x5, ~s0, ~s1}));
    EXPECT_TRUE(s.add({x4, ~s2}));
    s.propagationOnly = true;
    vec<Lit> a;
    fillLits(a, {s1, s2, ~x5});
    EXPECT_TRUE(s.solve(a, false, false));
    EXPECT_EQ(s.explanations.size(), 0);  // no bound, no explanations

    s.selectorBound = 3;
    EXPECT_TRUE(s.solve(a, false, false));  // places ~x5, s1, s2
    ASSERT_EQ(s.explanations.size(), 1);    // ~s0 by ~x5 and s1; x4 is no selector and true
    EXPECT_EQ(toStd(s.explanations[0]), (Lits{s1, ~x5, s0}));
}

// ---------------------------------------------------------------------------
// Back-jumping and learning

// A solver over four selectors with s0, s1 and s2 decided true at levels 1-3.
void decideThree(PinpointingSolverProbe& s) {
    s.decide(s0);
    s.decide(s1);
    s.decide(s2);
}

TEST(PinpointingSolverBackjump, AtLevelZeroAnswersFalse) {
    PinpointingSolverProbe s(2);
    vec<Lit> lits;
    EXPECT_FALSE(s.backjump(fillLits(lits, {~s0})));
}

TEST(PinpointingSolverBackjump, LearnsFromFalseLiteralsAsFromAConflict) {
    PinpointingSolverProbe s(4);
    decideThree(s);
    vec<Lit> lits;
    EXPECT_TRUE(s.backjump(fillLits(lits, {~s0, ~s2})));
    EXPECT_EQ(s.decisionLevel(), 1);
    EXPECT_EQ(s.value(s2), l_False);
    EXPECT_EQ(s.nLearnts(), 1);
    EXPECT_EQ(s.nClauses(), 0);
}

TEST(PinpointingSolverBackjump, LiteralsBelowTheCurrentLevel) {
    PinpointingSolverProbe s(4);
    decideThree(s);
    vec<Lit> lits;
    EXPECT_TRUE(s.backjump(fillLits(lits, {~s1})));
    EXPECT_EQ(s.decisionLevel(), 0);
    EXPECT_EQ(s.value(s1), l_False);
}

TEST(PinpointingSolverBackjump, SetThatIsNotAllFalseChangesNothing) {
    PinpointingSolverProbe s(5);
    decideThree(s);
    vec<Lit> lits;
    EXPECT_TRUE(s.backjump(fillLits(lits, {~s0, ~s3})));
    EXPECT_TRUE(s.backjump(fillLits(lits, {~s0, Lit(9, true)})));
    EXPECT_EQ(s.decisionLevel(), 3);
    EXPECT_EQ(s.nLearnts(), 0);
}

TEST(PinpointingSolverBJL, OrdersByLevelThenVariable) {
    PinpointingSolverProbe s(5);
    s.decide(s3);
    s.decide(s1);
    s.decide(s0);
    // s2 and x4 unassigned: they come last, by variable.
    vec<Lit> lits;
    fillLits(lits, {~x4, ~s0, ~s2, ~s1, ~s3});
    sort(lits, BJL_lt(s.levels, s.assignments));
    EXPECT_EQ(toStd(lits), (Lits{~s3, ~s1, ~s0, ~s2, ~x4}));
}

TEST(PinpointingSolverBackjumpAndLearn, BacktracksBelowTheLowestLevelAndStoresAProblemClause) {
    PinpointingSolverProbe s(4);
    decideThree(s);
    vec<Lit> lits;
    s.backjumpAndLearn(fillLits(lits, {~s2, ~s1}), 0);
    EXPECT_EQ(s.decisionLevel(), 1);
    ASSERT_EQ(s.nClauses(), 1);
    EXPECT_EQ(s.nLearnts(), 0);
    const Clause& c = *s.problemClauses[0];
    EXPECT_EQ((Lits{c[0], c[1]}), (Lits{~s1, ~s2}));
    for (int v = 0; v < 4; v++) EXPECT_EQ(s.varActivity(v), 0.0);
}

TEST(PinpointingSolverBackjumpAndLearn, FactorChangesTheActivities) {
    PinpointingSolverProbe s(4);
    decideThree(s);
    vec<Lit> lits;
    s.backjumpAndLearn(fillLits(lits, {~s2, ~s1}), -0.5);
    EXPECT_EQ(s.varActivity(0), 0.0);
    EXPECT_EQ(s.varActivity(1), -0.5);
    EXPECT_EQ(s.varActivity(2), -0.5);
}

TEST(PinpointingSolverBackjumpAndLearn, ClauseUnitAtLevelZeroIsPropagated) {
    PinpointingSolverProbe s(4);
    EXPECT_TRUE(s.add({~s0}));
    s.decide(s1);
    s.decide(s2);
    vec<Lit> lits;
    s.backjumpAndLearn(fillLits(lits, {s0, ~s1}), 0);
    EXPECT_EQ(s.decisionLevel(), 0);
    EXPECT_EQ(s.value(s1), l_False);
    EXPECT_TRUE(s.okay());
}

// A one-literal blocking clause is a fact: it must outlive any later
// backtracking to level 0, and a fact already false leaves nothing to find.
TEST(PinpointingSolverBackjumpAndLearn, OneLiteralBecomesALevelZeroFact) {
    PinpointingSolverProbe s(4);
    decideThree(s);
    vec<Lit> lits;
    s.backjumpAndLearn(fillLits(lits, {~s2}), -0.5);
    EXPECT_EQ(s.decisionLevel(), 0);
    EXPECT_EQ(s.value(s2), l_False);
    EXPECT_EQ(s.level(2), 0);
    s.backjumpAndLearn(fillLits(lits, {~s2}), -0.5);  // already true
    EXPECT_TRUE(s.okay());
    s.backjumpAndLearn(fillLits(lits, {s2}), -0.5);  // already false
    EXPECT_FALSE(s.okay());
}

TEST(PinpointingSolverBackjumpAndLearn, ListFormBacktracksOnceBelowTheLowestFirstLiteral) {
    PinpointingSolverProbe s(4);
    decideThree(s);
    vec<vec<Lit> > clauses;
    EXPECT_FALSE(s.backjumpAndLearn(clauses, -0.5));
    clauses.push();
    fillLits(clauses[0], {~s2, ~s1});
    clauses.push();
    fillLits(clauses[1], {~s2, ~s0});
    EXPECT_TRUE(s.backjumpAndLearn(clauses, -0.5));
    EXPECT_EQ(s.decisionLevel(), 0);
    EXPECT_EQ(s.nClauses(), 2);
    EXPECT_EQ(s.varActivity(2), -1.0);

    clauses.clear();
    clauses.push();
    fillLits(clauses[0], {~s3});
    clauses.push();
    EXPECT_TRUE(s.backjumpAndLearn(clauses, 0));  // a fact, then the empty clause
    EXPECT_EQ(s.value(s3), l_False);
    EXPECT_FALSE(s.okay());
}

}  // namespace
