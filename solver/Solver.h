#ifndef KORVANE_SOLVER_SOLVER_H
#define KORVANE_SOLVER_SOLVER_H

#include <cstdint>

#include "solver/Clause.h"
#include "solver/Heap.h"
#include "solver/Lit.h"
#include "solver/VarOrderLt.h"
#include "solver/lbool.h"
#include "solver/vec.h"

// Conflict-driven SAT solver: two-watched-literal propagation, first-UIP
// learning with clause minimisation, activity-ordered decisions seeded by
// the caller, geometric restarts and solving under assumptions, with a
// propagation-only mode and the option to keep the assumption levels for the
// next call.
//
// The sources are split by job: SolverClauses.cpp (the clause database),
// SolverPropagation.cpp, SolverAnalysis.cpp, SolverSearch.cpp (decisions,
// restarts, solve), SolverReduction.cpp (learnt-clause reduction and
// top-level simplification) and SolverDiagnostics.cpp.
//
// Variants of the solver (the pinpointer's and the simplifying solver) run
// this one search loop. They differ from it only at the virtual points below
// (which assumption a decision level holds, what follows a propagation) and
// by what they add around the loop; everything they work on is therefore
// protected rather than private.
class Solver {
public:
    Solver();
    virtual ~Solver();

    Solver(const Solver&) = delete;
    Solver& operator=(const Solver&) = delete;

    // Results and input of solve.
    vec<lbool> model;      // the assignment of the last satisfiable solve (empty in propagation-only mode)
    vec<Lit> conflict;     // the final conflict of the last solve that failed under assumptions
    vec<Lit> assumptions;  // the literals that solve places first, one decision level each

    // Parameters.
    double variableDecay;            // variableIncrement is multiplied by it after every conflict
    double clauseDecay;              // clauseIncrement is multiplied by it after every conflict
    double randomDecisionFrequency;  // probability of trying a random decision variable
    int firstRestartLimit;           // conflicts allowed in the first search run (negative: none)
    double restartGrowth;            // factor on the conflict limit after each run
    double learntLimitFactor;        // initial learnt-clause limit per problem clause
    double learntLimitGrowth;        // factor on the learnt limit after each run
    bool expensiveMinimisation;      // recursive minimisation of learnt clauses
    // The sign of a decision: positive, negative, as preferredPolarity says,
    // or at random.
    enum PolarityMode : int { POLARITY_POSITIVE = 0, POLARITY_NEGATIVE = 1, POLARITY_PREFERRED = 2, POLARITY_RANDOM = 3 };
    int polarityMode;                // a PolarityMode
    int verbosity;                   // 1 or more prints the search statistics

    // Statistics.
    uint64_t startCount;
    uint64_t decisionCount;
    uint64_t randomDecisionCount;
    uint64_t propagationCount;
    uint64_t conflictCount;
    uint64_t problemLiteralCount;
    uint64_t learntLiteralCount;
    uint64_t maxLiteralCount;
    uint64_t totalLiteralCount;

    // Problem construction.

    // Creates the next variable with the given initial activity, preferred
    // sign (true: negative) and decision flag; returns its index.
    int newVar(double activity = 0.0, bool sign = true, bool decision = true);
    // Sets the decision flag of v; with b true also enters v into the
    // decision order when it is absent.
    void setDecisionVar(int v, bool b);
    // Adds a problem clause; ps is sorted and filtered in place. False when
    // the clause set is (or becomes) unsatisfiable. Works at level 0: kept
    // assumption levels are dropped first.
    bool addClause(vec<Lit>& ps);
    // Top-level propagation and removal of satisfied clauses; false when the
    // clause set is unsatisfiable. Like addClause it drops kept levels first.
    bool simplify();

    // Solving. The search places the public assumptions vector (the argument
    // is not read; callers usually pass that very vector). propagateOnly
    // answers from unit propagation under the assumptions, with no decision
    // on free variables. keepTrail keeps all levels but the last two
    // assumption levels, and with keepAll the whole trail, for the next call;
    // that call must start its assumptions with the same literals.
    bool solve(const vec<Lit>& given, bool propagateOnly = false, bool keepTrail = false, bool keepAll = false);
    bool okay() const { return ok; }

    // Backtracks to the given decision level (nothing when already at or
    // below it); undoes kept levels when called with 0.
    void cancelUntil(int level);

    // Read access.
    int nVars() const { return assignments.size(); }
    int nClauses() const { return problemClauses.size(); }
    int nLearnts() const { return learntClauses.size(); }
    int nAssigns() const { return trail.size(); }
    int decisionLevel() const { return levelStarts.size(); }
    lbool value(int v) const { return toLbool(assignments[v]); }
    lbool value(Lit p) const { return toLbool(assignments[var(p)]) ^ sign(p); }
    lbool modelValue(Lit p) const { return model[var(p)] ^ sign(p); }
    int level(int v) const { return levels[v]; }
    double varActivity(int v) const { return activity[v]; }
    bool isDecisionVar(int v) const { return decisionFlags[v] != 0; }
    // The sign that a POLARITY_PREFERRED decision on v takes (true: negative).
    bool preferredSign(int v) const { return preferredPolarity[v] != 0; }
    void setPreferredSign(int v, bool negative) { preferredPolarity[v] = negative ? 1 : 0; }

    // Fraction of the search space covered by the current trail.
    double progressEstimate() const;
    // Pseudo-random number in [0, 1); advances seed.
    static double drand(double& seed);

    // Diagnostics (standard error).
    void verifyModel();
    void checkLiteralCount();
    void printClause(const Clause& c);

protected:
    // Reports c on standard error when model does not satisfy it.
    void checkAgainstModel(const Clause& c);

    bool ok;
    vec<Clause*> problemClauses;
    vec<Clause*> learntClauses;
    double clauseIncrement;
    vec<double> activity;
    double variableIncrement;
    vec<vec<Clause*> > watchLists;  // by literal code: clauses to visit when that literal becomes true
    vec<char> assignments;          // lbool byte per variable
    vec<char> preferredPolarity;    // 1: decide the negative literal (POLARITY_PREFERRED)
    vec<char> decisionFlags;
    vec<Lit> trail;
    vec<int> levelStarts;           // trail index where each decision level >= 1 begins
    vec<Clause*> reasons;
    vec<int> levels;
    int queueHead;
    int simplifiedAssignCount;
    int64_t simplifyBudget;
    Heap<VarOrderLt> orderHeap;
    double randomSeed;
    double lastProgress;
    bool pruneSatisfied;
    // Set by a variant: a search over Horn clauses finishes at once once its
    // assumptions stand (completeHornAssignment).
    bool hornCompletion;
    // No clause with two positive literals was ever added.
    bool hornOnly;
    vec<char> seen;
    vec<Lit> analyzeStack;
    vec<Lit> analyzeToClear;

    // Clause database.
    void attachClause(Clause& c);
    void detachClause(Clause& c);
    // Detaches c and gives its memory back through releaseClause.
    void removeClause(Clause& c);
    // Gives back the memory of a clause that removeClause dropped: free().
    // A variant that places clauses in memory of its own overrides it; the
    // destructor frees the clauses still listed with free().
    virtual void releaseClause(Clause& c);
    bool satisfied(const Clause& c) const;
    bool locked(const Clause& c) const {
        return reasons[var(c[0])] == &c && value(c[0]) == l_True;
    }
    void removeSatisfied(vec<Clause*>& cs);
    void reduceDB();

    // Assignment, propagation and analysis.
    void newDecisionLevel() { levelStarts.push(trail.size()); }
    void uncheckedEnqueue(Lit p, Clause* from = nullptr);
    // Unit propagation of the queued trail literals, followed by the
    // variant's propagated hook; returns the conflicting clause or null.
    Clause* propagate();
    void analyze(Clause* confl, vec<Lit>& out_learnt, int& out_btlevel);
    bool litRedundant(Lit p, unsigned abstract_levels);
    void analyzeFinal(Lit p, vec<Lit>& out_conflict);
    // Visits, latest first, each assigned literal without a reason (an
    // assumption or a decision) on which the assignment of p rests.
    template <typename Visit>
    void visitDecisionsBehind(Lit p, Visit visit);
    unsigned abstractLevel(int v) const { return 1u << (levels[v] & 31); }

    // Activities.
    void insertVarOrder(int v) {
        if (!orderHeap.inHeap(v) && decisionFlags[v]) orderHeap.insert(v);
    }
    void varBumpActivity(int v);
    void varDecayActivity() { variableIncrement *= variableDecay; }
    void claBumpActivity(Clause& c);
    void claDecayActivity() { clauseIncrement *= clauseDecay; }

    // Search.
    lbool search(int conflictLimit, int learntLimit, bool propagateOnly);
    Lit pickBranchLit(int mode, double randomFrequency, bool propagateOnly);
    // Stores a learnt clause (a one-literal clause becomes a fact at the
    // current level), assigns its first literal and decays the activities.
    void learn(vec<Lit>& learnt);
    // With every clause Horn, the assumptions placed and no conflict, the
    // assignment that the remaining negative decisions would reach: every
    // open decision variable false, on one new level.
    void completeHornAssignment();
    // Keeps the leading decision levels that hold the leading assumptions,
    // as a kept trail from the previous call should; drops the rest.
    void dropStaleLevels();

    // The pieces of a solve: beginSolve empties model and conflict and tells
    // whether the clause set may still be satisfiable; searchUntilAnswer runs
    // the restart loop under the assumptions (a failure without a final
    // conflict makes the solver unsatisfiable for good); copyModel takes the
    // current assignment as the model.
    bool beginSolve();
    lbool searchUntilAnswer(bool propagateOnly);
    void copyModel();

    // Where a variant differs from the plain search.
    // The assumption that the search places at decision level d + 1.
    virtual Lit placedAssumption(int d) const { return assumptions[d]; }
    // Called after every propagation with the trail index of the first
    // literal that it assigned.
    virtual void propagated(int firstNew) { (void)firstNew; }

private:
    Clause* propagateWatches();
    void printStatisticsRow(double learntLimit);
};

template <typename Visit>
void Solver::visitDecisionsBehind(Lit p, Visit visit) {
    seen[var(p)] = 1;
    for (int i = trail.size() - 1; i >= levelStarts[0]; i--) {
        int x = var(trail[i]);
        if (!seen[x]) continue;
        const Clause* r = reasons[x];
        if (r == nullptr) {
            visit(trail[i]);
        } else {
            for (int j = 1; j < r->size(); j++) {
                int v = var((*r)[j]);
                if (levels[v] > 0) seen[v] = 1;
            }
        }
        seen[x] = 0;
    }
    seen[var(p)] = 0;
}

#endif
