// Back-jumping and the learning of blocking clauses.

#include <cstdlib>

#include "pinpointer/BJL_lt.h"
#include "pinpointer/PinpointingSolver.h"
#include "solver/sort.h"

bool PinpointingSolver::backjump(vec<Lit>& lits) {
    if (decisionLevel() == 0) return false;
    if (lits.size() == 0) return true;
    int highest = 0;
    for (int i = 0; i < lits.size(); i++) {
        int v = var(lits[i]);
        if (v < 0 || v >= nVars() || value(lits[i]) != l_False) return true;
        if (levels[v] > highest) highest = levels[v];
    }
    // The analysis needs a literal of the current level.
    cancelUntil(highest);
    if (highest == 0) {
        ok = false;
        return false;
    }

    Clause* asConflict = Clause_new(lits, false);
    vec<Lit> learnt;
    int backtrackLevel;
    analyze(asConflict, learnt, backtrackLevel);
    std::free(asConflict);
    cancelUntil(backtrackLevel);
    learn(learnt);
    return true;
}

void PinpointingSolver::learnFact(Lit p) {
    cancelUntil(0);
    lbool current = value(p);
    if (current == l_False) {
        ok = false;
    } else if (current == l_Undef) {
        uncheckedEnqueue(p);
    }
}

void PinpointingSolver::scaleActivities(vec<Lit>& lits, double factor) {
    if (factor == 0) return;
    for (int i = 0; i < lits.size(); i++) {
        int v = var(lits[i]);
        if ((activity[v] += factor * variableIncrement) > 1e100) {
            for (int k = 0; k < nVars(); k++) activity[k] *= 1e-100;
            variableIncrement *= 1e-100;
        }
        if (orderHeap.inHeap(v)) orderHeap.decrease(v);
    }
}

// lits is sorted by BJL_lt and the solver has back-jumped below its lowest
// level, so every literal is unassigned unless it was assigned at level 0.
void PinpointingSolver::addBlockingClause(vec<Lit>& lits, double factor) {
    // Watch a literal true at level 0, or else the unassigned literals
    // first, so that no false literal is watched while another is free.
    int trueAt = -1;
    for (int i = 0; i < lits.size() && trueAt < 0; i++) {
        if (value(lits[i]) == l_True) trueAt = i;
    }
    int unassigned = 0;
    if (trueAt >= 0) {
        Lit t = lits[trueAt];
        for (int i = trueAt; i > 0; i--) lits[i] = lits[i - 1];
        lits[0] = t;
    } else {
        vec<Lit> falseLits;
        for (int i = 0; i < lits.size(); i++) {
            if (value(lits[i]) == l_Undef) {
                lits[unassigned++] = lits[i];
            } else {
                falseLits.push(lits[i]);
            }
        }
        for (int i = 0; i < falseLits.size(); i++) lits[unassigned + i] = falseLits[i];
        if (unassigned == 0) {
            ok = false;
            return;
        }
    }

    Clause* c = Clause_new(lits, false);
    problemClauses.push(c);
    attachClause(*c);
    scaleActivities(lits, factor);
    if (value((*c)[1]) == l_False && value((*c)[0]) == l_Undef) uncheckedEnqueue((*c)[0], c);
}

void PinpointingSolver::backjumpAndLearn(vec<Lit>& lits, double factor) {
    if (!ok) return;
    if (lits.size() == 0) {
        cancelUntil(0);
        ok = false;
        return;
    }
    if (lits.size() == 1) {
        learnFact(lits[0]);
        return;
    }
    BJL_lt order(levels, assignments);
    sort(lits, order);
    int lowest = order.levelOf(lits[0]);
    cancelUntil(lowest == 0 ? 0 : lowest - 1);
    addBlockingClause(lits, factor);
}

bool PinpointingSolver::backjumpAndLearn(vec<vec<Lit> >& clauses, double factor) {
    if (clauses.size() == 0) return false;
    if (!ok) return true;
    BJL_lt order(levels, assignments);
    int target = INT_MAX;
    for (int i = 0; i < clauses.size(); i++) {
        vec<Lit>& c = clauses[i];
        if (c.size() <= 1) {
            target = 0;  // a fact or the empty clause belongs to level 0
            continue;
        }
        sort(c, order);
        int lowest = order.levelOf(c[0]);
        int below = lowest == 0 ? 0 : lowest - 1;
        if (below < target) target = below;
    }
    cancelUntil(target);
    for (int i = 0; i < clauses.size() && ok; i++) {
        vec<Lit>& c = clauses[i];
        if (c.size() == 0) {
            ok = false;
        } else if (c.size() == 1) {
            learnFact(c[0]);
        } else {
            addBlockingClause(c, factor);
        }
    }
    return true;
}
