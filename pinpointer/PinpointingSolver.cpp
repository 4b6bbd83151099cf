#include "pinpointer/PinpointingSolver.h"

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

void PinpointingSolver::propagated(int firstNew) {
    // Every literal that the propagation assigned has a reason clause; the
    // explanations are taken now, which gives what they were when each
    // literal was assigned, since the later trail entries are never marked.
    if (selectorBound < 0) return;
    for (int i = firstNew; i < trail.size(); i++) {
        Lit a = trail[i];
        if (!sign(a) || var(a) > selectorBound) continue;
        explanations.push();
        analyzeFinal(~a, explanations.last(), true);
    }
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

bool PinpointingSolver::solve(const vec<Lit>& assumptionList, bool keepAssumptions, bool keepTrail) {
    if (!beginSolve()) return false;
    if (!keepAssumptions && &assumptionList != &assumptions) assumptionList.copyTo(assumptions);

    // A kept trail is only valid as far as its levels hold the assumptions
    // in the order placed now (the selector bound may have rotated it); the
    // search drops the rest first.
    lbool status = searchUntilAnswer(propagationOnly);
    if (status == l_True) copyModel();
    if (!keepsTrail && !keepTrail) cancelUntil(0);
    return status == l_True;
}
