#ifndef KORVANE_PINPOINTER_PINPOINTINGSOLVER_H
#define KORVANE_PINPOINTER_PINPOINTINGSOLVER_H

#include <set>

#include "pinpointer/ClauseArena.h"
#include "pinpointer/ClauseList.h"
#include "solver/Solver.h"

// The pinpointer's build of the conflict-driven solver. It is the system's
// Solver with these differences, which serve the MinA enumeration and the
// cone-of-influence walk:
//
// - clauses are stored as given (no sorting, no filtering), so a Horn clause
//   read with its head first is watched on its head and its first premise;
// - while the selector bound is set, every selector that propagation forces
//   false leaves an explanation (the selector and the assumptions that forced
//   it) on the explanation stack, and the search places the last assumption
//   (the query literal) first and the others after it in order;
// - a propagation-only flag and a keep-trail flag set once by the owner;
// - back-jumping on a set of false literals, and learning blocking clauses
//   with a back-jump to just below their lowest level;
// - the cone-of-influence walk over the watch lists.
//
// The search loop is the base solver's: this class supplies the assumption
// order and the explanation recording at the loop's virtual points, and adds
// its own entry points (newVar, addClause, solve) around it. The base's own
// solve, addClause and newVar are not reachable from outside, so a caller
// cannot bypass the differences by accident.
class PinpointingSolver : protected Solver {
public:
    PinpointingSolver();
    ~PinpointingSolver() override;

    // Results and input of solve.
    using Solver::assumptions;
    using Solver::conflict;
    using Solver::model;

    // Parameters, as in the base solver.
    using Solver::clauseDecay;
    using Solver::expensiveMinimisation;
    using Solver::firstRestartLimit;
    using Solver::learntLimitFactor;
    using Solver::learntLimitGrowth;
    using Solver::polarityMode;
    using Solver::randomDecisionFrequency;
    using Solver::restartGrowth;
    using Solver::variableDecay;
    using Solver::verbosity;

    // Statistics.
    using Solver::conflictCount;
    using Solver::decisionCount;
    using Solver::propagationCount;

    // Read access and backtracking.
    using Solver::cancelUntil;
    using Solver::decisionLevel;
    using Solver::level;
    using Solver::modelValue;
    using Solver::nAssigns;
    using Solver::nClauses;
    using Solver::nLearnts;
    using Solver::nVars;
    using Solver::okay;
    using Solver::value;
    using Solver::varActivity;

    bool propagationOnly;  // the search never decides: it places the assumptions, propagates and answers
    bool keepsTrail;       // solve never backtracks to level 0 at its end
    int expansionBound;    // cone walk: variables at or below it enter the cone but are not expanded
    int queryVariable;     // cone walk: clauses holding it negatively are not followed
    int twoLiteralBound;   // cone walk: two-literal clauses whose second variable lies above it are skipped (-1: none)
    int selectorBound;     // >= 0: explanations for variables at or below it, and the rotated assumption order
    // One entry per selector forced false while the selector bound was set:
    // the positive selector literal and the assumptions that forced it false.
    // The owner pops the entries.
    vec<vec<Lit> > explanations;

    // A new variable with activity 0, the given preferred sign (true:
    // negative) and decision flag.
    int newVar(bool sign = true, bool decision = true);

    // Adds a clause in the given literal order, watched on its first two
    // literals. A one-literal clause is assigned at the current level and
    // propagated (nothing happens when it is already true; when it is already
    // false the clause set is unsatisfiable). False once the clause set is
    // known unsatisfiable.
    bool addClause(vec<Lit>& ps);
    // Adds every clause of the list in order as addClause does, after
    // making the variables that the clauses need; the list keeps each clause
    // in the literal order that addClause left it in.
    void addClauses(ClauseList& list);

    // Solves under assumptionList, or, with keepAssumptions, under the kept
    // assumptions vector. Levels kept from the previous call are reused as far
    // as they hold the assumptions in the order the search places them now.
    // Unless keepTrail or the keep-trail flag is set, returns to level 0.
    bool solve(const vec<Lit>& assumptionList, bool keepAssumptions, bool keepTrail);

    // Which assumptions force the negation of p. Without explain: p followed
    // by the negations of those assumptions (the base form). With explain:
    // p together with the assumptions themselves, p placed before the first
    // of them that has a smaller variable (or last).
    void analyzeFinal(Lit p, vec<Lit>& out, bool explain);

    // lits must all be false: analyses them as a conflict, back-jumps and
    // learns the result. False at decision level 0 (nothing left to undo).
    // A set that is not all false leaves the solver unchanged.
    bool backjump(vec<Lit>& lits);

    // Learns a blocking clause as a problem clause: sorts lits by BJL_lt,
    // back-jumps to just below the level of the first literal and watches the
    // clause; the activities of its variables grow by factor times the
    // variable increment. A one-literal clause becomes a level-0 fact.
    void backjumpAndLearn(vec<Lit>& lits, double factor);
    // The same for several clauses with one common back-jump; false for an
    // empty list.
    bool backjumpAndLearn(vec<vec<Lit> >& clauses, double factor);

    // Walks the clauses backwards from the start literals (breadth first over
    // the watch lists) and adds every variable reached to cone.
    void coneOfInfluence(vec<Lit>& start, std::set<int>& cone);

protected:
    // Under the selector bound the last assumption (the query literal) is
    // placed first and the others follow in order.
    Lit placedAssumption(int d) const override {
        if (selectorBound < 0) return assumptions[d];
        return d == 0 ? assumptions.last() : assumptions[d - 1];
    }
    // Records the explanations of the selectors that the propagation forced
    // false while the selector bound is set.
    void propagated(int firstNew) override;
    // A clause of the arena stays where it is.
    void releaseClause(Clause& c) override;

private:
    ClauseArena arena;  // the problem clauses that addClauses made in one go

    // Room in the per-variable arrays for count variables.
    void reserveVariables(int count);
    // Orders a clause of two or more literals for watching: a watched
    // literal that is already false is replaced by a free one further on.
    void placeWatches(vec<Lit>& ps) const;
    // Watches the problem clauses from index first on, in order.
    void attachFrom(int first);
    void learnFact(Lit p);
    void addBlockingClause(vec<Lit>& lits, double factor);
    void scaleActivities(vec<Lit>& lits, double factor);
};

#endif
