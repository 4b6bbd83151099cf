#include "pinpointer/PinpointingSolver.h"

#include <climits>

namespace {

// A restart limit kept as a double, as the int that a search run takes.
int truncateLimit(double limit) {
    if (limit >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (limit <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(limit);
}

}  // namespace

PinpointingSolver::PinpointingSolver()
    : propagationOnly(false),
      keepsTrail(false),
      expansionBound(-1),
      queryVariable(-1),
      twoLiteralBound(-1),
      selectorBound(-1) {}

int PinpointingSolver::newVar(bool sign, bool decision) { return Solver::newVar(0.0, sign, decision); }

bool PinpointingSolver::addClause(vec<Lit>& ps) {
    if (!ok) return false;
    if (ps.size() == 0) {
        ok = false;
        return false;
    }
    if (ps.size() == 1) {
        lbool current = value(ps[0]);
        if (current == l_False) {
            ok = false;
        } else if (current == l_Undef) {
            uncheckedEnqueue(ps[0]);
            ok = propagate() == nullptr;
        }
        return ok;
    }
    // A watched literal that is already false is replaced by a free one
    // further on, as propagation would have done had the clause come before
    // the facts that falsified it; otherwise the order stays as given.
    for (int w = 0; w < 2; w++) {
        if (value(ps[w]) != l_False) continue;
        for (int k = 2; k < ps.size(); k++) {
            if (value(ps[k]) != l_False) {
                Lit t = ps[w];
                ps[w] = ps[k];
                ps[k] = t;
                break;
            }
        }
    }
    if (value(ps[0]) == l_False) {
        Lit t = ps[0];
        ps[0] = ps[1];
        ps[1] = t;
    }
    Clause* c = Clause_new(ps, false);
    problemClauses.push(c);
    attachClause(*c);
    if (value(ps[1]) == l_False) {
        // Every literal but the first is false: the clause is unit, or
        // false altogether.
        if (value(ps[0]) == l_False) {
            ok = false;
        } else if (value(ps[0]) == l_Undef) {
            uncheckedEnqueue(ps[0], c);
            ok = propagate() == nullptr;
        }
    }
    return ok;
}

Clause* PinpointingSolver::propagate() {
    int firstNew = trail.size();
    Clause* confl = Solver::propagate();
    // Every literal that the propagation assigned has a reason clause; the
    // explanations are taken now, which gives what they were when each
    // literal was assigned, since the later trail entries are never marked.
    if (selectorBound >= 0) {
        for (int i = firstNew; i < trail.size(); i++) {
            Lit a = trail[i];
            if (!sign(a) || var(a) > selectorBound) continue;
            explanations.push();
            analyzeFinal(~a, explanations.last(), true);
        }
    }
    return confl;
}

void PinpointingSolver::analyzeFinal(Lit p, vec<Lit>& out, bool explain) {
    if (!explain) {
        Solver::analyzeFinal(p, out);
        return;
    }
    out.clear();
    bool placed = false;
    if (decisionLevel() > 0) {
        seen[var(p)] = 1;
        for (int i = trail.size() - 1; i >= levelStarts[0]; i--) {
            int x = var(trail[i]);
            if (!seen[x]) continue;
            const Clause* r = reasons[x];
            if (r == nullptr) {
                if (!placed && x < var(p)) {
                    out.push(p);
                    placed = true;
                }
                out.push(trail[i]);
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
    if (!placed) out.push(p);
}

Lit PinpointingSolver::pickBranchLit(int mode, double randomFrequency) {
    return Solver::pickBranchLit(mode, randomFrequency, propagationOnly);
}

void PinpointingSolver::learn(vec<Lit>& learnt) {
    if (learnt.size() == 1) {
        uncheckedEnqueue(learnt[0]);
    } else {
        Clause* c = Clause_new(learnt, true);
        learntClauses.push(c);
        attachClause(*c);
        claBumpActivity(*c);
        uncheckedEnqueue(learnt[0], c);
    }
    varDecayActivity();
    claDecayActivity();
}

lbool PinpointingSolver::search(int conflictLimit, int learntLimit) {
    startCount++;
    int runConflicts = 0;
    vec<Lit> learnt;

    for (;;) {
        Clause* confl = propagate();
        if (confl != nullptr) {
            conflictCount++;
            runConflicts++;
            if (decisionLevel() == 0) return l_False;
            learnt.clear();
            int backtrackLevel;
            analyze(confl, learnt, backtrackLevel);
            cancelUntil(backtrackLevel);
            learn(learnt);
            continue;
        }

        if (conflictLimit >= 0 && runConflicts >= conflictLimit) {
            lastProgress = progressEstimate();
            cancelUntil(0);
            return l_Undef;
        }
        if (decisionLevel() == 0 && !simplify()) return l_False;
        if (learntLimit >= 0 && nLearnts() - nAssigns() >= learntLimit) reduceDB();

        Lit next = lit_Undef;
        while (decisionLevel() < assumptions.size()) {
            Lit p = placedAssumption(decisionLevel());
            if (value(p) == l_True) {
                newDecisionLevel();
            } else if (value(p) == l_False) {
                analyzeFinal(~p, conflict, false);
                return l_False;
            } else {
                next = p;
                break;
            }
        }

        if (next == lit_Undef) {
            decisionCount++;
            next = pickBranchLit(polarityMode, randomDecisionFrequency);
            if (next == lit_Undef) return l_True;
        }
        newDecisionLevel();
        uncheckedEnqueue(next);
    }
}

void PinpointingSolver::dropStaleLevels() {
    int levelsNow = decisionLevel();
    for (int d = 0; d < levelsNow && d < assumptions.size(); d++) {
        Lit a = placedAssumption(d);
        int start = levelStarts[d];
        int end = d + 1 < levelsNow ? levelStarts[d + 1] : trail.size();
        bool holds = start == end ? value(a) == l_True && levels[var(a)] <= d : trail[start] == a;
        if (!holds) {
            cancelUntil(d);
            return;
        }
    }
}

bool PinpointingSolver::solve(const vec<Lit>& assumptionList, bool keepAssumptions, bool keepTrail) {
    model.clear();
    conflict.clear();
    if (!ok) return false;
    if (!keepAssumptions && &assumptionList != &assumptions) assumptionList.copyTo(assumptions);

    // A kept trail is only valid as far as its levels hold the assumptions
    // in the order placed now (the selector bound may have rotated it).
    dropStaleLevels();

    double conflictLimit = firstRestartLimit;
    double learntLimit = nClauses() * learntLimitFactor;
    lbool status = l_Undef;
    while (status == l_Undef) {
        status = search(truncateLimit(conflictLimit), truncateLimit(learntLimit));
        conflictLimit *= restartGrowth;
        learntLimit *= learntLimitGrowth;
    }

    if (status == l_True) {
        model.growTo(nVars());
        for (int i = 0; i < nVars(); i++) model[i] = value(i);
    } else if (conflict.size() == 0) {
        ok = false;
    }
    if (!keepsTrail && !keepTrail) cancelUntil(0);
    return status == l_True;
}
