// Construction, variables, clauses and the solve entry point of the
// simplifying solver.

#include "solver/SimpSolver.h"

#include <cstdlib>

SimpSolver::SimpSolver()
    : growthAllowance(0),
      asymmetricBranching(false),
      redundancyCheck(false),
      modelExtension(true),
      mergeCount(0),
      asymmetricLiteralCount(0),
      rememberedClauseCount(0),
      nextEliminationOrder(1),
      useSimplification(true),
      occurrencesIndexed(false),
      eliminationHeap(ElimLt(occurrenceCounts)),
      unitCursor(0) {
    vec<Lit> dummy;
    dummy.push(lit_Undef);
    scratchUnit = Clause_new(dummy, false);
    pruneSatisfied = false;
    hornCompletion = true;
}

SimpSolver::~SimpSolver() {
    std::free(scratchUnit);
    for (int v = 0; v < eliminationTable.size(); v++) {
        vec<Clause*>& cs = eliminationTable[v].eliminatedClauses;
        for (int i = 0; i < cs.size(); i++) releaseStored(cs[i]);
    }
}

int SimpSolver::newVar(double initialActivity, bool sign, bool decision) {
    int v = Solver::newVar(initialActivity, sign, decision);
    // The elimination table and the frozen marks outlive the simplification:
    // eliminated variables are brought back and frozen ones checked later.
    eliminationTable.push();
    frozen.push(0);
    staleWatches.push(0);
    staleWatches.push(0);
    if (useSimplification) {
        occurrenceCounts.push(0);
        occurrenceCounts.push(0);
        occurrences.push();
        removedOccurrences.push(0);
        touched.push(0);
        eliminationHeap.insert(v);
    }
    return v;
}

bool SimpSolver::addClause(vec<Lit>& ps) {
    // Until the first elimination no variable needs looking up.
    for (int i = 0; i < ps.size() && nextEliminationOrder > 1; i++) {
        if (isEliminated(var(ps[i]))) remember(var(ps[i]));
    }

    int before = nClauses();
    if (redundancyCheck && implied(ps)) return true;
    if (!Solver::addClause(ps)) return false;

    if (useSimplification && nClauses() == before + 1) {
        Clause& c = *problemClauses.last();
        subsumptionQueue.insert(&c);
        const uint64_t sig = occurrencesIndexed ? signature(c) : 0;
        for (int i = 0; i < c.size(); i++) {
            int v = var(c[i]);
            if (occurrencesIndexed) occurrences[v].push(Occurrence{&c, sig});
            occurrenceCounts[toInt(c[i])]++;
            touched[v] = 1;
            if (eliminationHeap.inHeap(v)) eliminationHeap.increase(v);
        }
    }
    return true;
}

void SimpSolver::releaseStored(Clause* c) {
    // Still listed (a simplification that found the clauses unsatisfiable
    // ends before its clean-up): the problem clauses' owner frees it.
    if (c->mark() == 3) {
        c->mark(1);
    } else {
        std::free(c);
    }
}

void SimpSolver::removeClause(Clause& c) {
    if (useSimplification) {
        for (int i = 0; i < c.size(); i++) {
            occurrenceCounts[toInt(c[i])]--;
            removedOccurrences[var(c[i])]++;
            updateElimHeap(var(c[i]));
        }
    }
    // Detached lazily: searching two watch lists for c, one removal after
    // the other, costs the length of those lists each time. Propagation
    // passes over a removed clause (dropping it from the list), and
    // cleanUpClauses drops the rest before freeing it; the other entries keep
    // their order either way.
    for (int k = 0; k < 2; k++) {
        int code = toInt(~c[k]);
        if (!staleWatches[code]) {
            staleWatches[code] = 1;
            staleWatchCodes.push(code);
        }
    }
    if (c.learnt()) {
        learntLiteralCount -= c.size();
    } else {
        problemLiteralCount -= c.size();
    }
    c.mark(1);
}

void SimpSolver::freeze(int v) {
    if (isEliminated(v)) remember(v);
    frozen[v] = 1;
    if (useSimplification) updateElimHeap(v);
}

bool SimpSolver::implied(const vec<Lit>& c) {
    newDecisionLevel();
    for (int i = 0; i < c.size(); i++) {
        if (value(c[i]) == l_True) {
            cancelUntil(0);
            return false;
        }
        if (value(c[i]) != l_False) uncheckedEnqueue(~c[i]);
    }
    bool result = propagate() != nullptr;
    cancelUntil(0);
    return result;
}

bool SimpSolver::solve(const vec<Lit>& assumps, bool doSimp, bool turnOffSimp) {
    doSimp = doSimp && useSimplification;
    vec<int> extra;
    bool result = true;

    // An assumption on an eliminated variable would be answered without the
    // clauses that were removed with it: bring them back first, whether
    // simplification is still on or not. Eliminated variables are non-decision
    // ones, so the model extension never touches an assumed value.
    for (int i = 0; i < assumps.size(); i++) {
        int v = var(assumps[i]);
        if (isEliminated(v)) remember(v);
        if (doSimp && !frozen[v]) {
            frozen[v] = 1;
            updateElimHeap(v);
            extra.push(v);
        }
    }
    if (doSimp) result = eliminate(turnOffSimp);

    if (result) {
        if (&assumps != &assumptions) assumps.copyTo(assumptions);
        result = Solver::solve(assumptions, false, false, false);
    } else {
        // The clause set is unsatisfiable: no search, and no model.
        model.clear();
        conflict.clear();
    }
    if (result && modelExtension) extendModel();

    for (int i = 0; i < extra.size(); i++) frozen[extra[i]] = 0;
    return result;
}
