#include "pinpointer/PinpointingSolver.h"

#include <vector>

PinpointingSolver::PinpointingSolver()
    : propagationOnly(false),
      keepsTrail(false),
      expansionBound(-1),
      queryVariable(-1),
      twoLiteralBound(-1),
      selectorBound(-1) {}

PinpointingSolver::~PinpointingSolver() {
    // The base frees the problem clauses with free(): not those of the
    // arena, which go with it.
    int j = 0;
    for (int i = 0; i < problemClauses.size(); i++) {
        if (!arena.holds(problemClauses[i])) problemClauses[j++] = problemClauses[i];
    }
    problemClauses.shrink(problemClauses.size() - j);
}

void PinpointingSolver::releaseClause(Clause& c) {
    if (!arena.holds(&c)) Solver::releaseClause(c);
}

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
    placeWatches(ps);
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

void PinpointingSolver::placeWatches(vec<Lit>& ps) const {
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
}

void PinpointingSolver::addClauses(ClauseList& list) {
    // The variables of all clauses are made first, and every watch list
    // gets room for the clauses that will watch it: each clause of two or
    // more literals is watched on its first two, unless facts already
    // falsify one of them (then the list grows as usual).
    int variables = nVars();
    for (int c = 0; c < list.size(); c++) {
        const Lit* lits = list.clause(c);
        for (int k = 0; k < list.clauseSize(c); k++) {
            if (var(lits[k]) >= variables) variables = var(lits[k]) + 1;
        }
    }
    reserveVariables(variables);
    while (nVars() < variables) newVar(true, true);
    std::vector<int> watchers(static_cast<std::size_t>(variables) * 2, 0);
    std::size_t bytes = 0;
    for (int c = 0; c < list.size(); c++) {
        if (list.clauseSize(c) < 2) continue;
        const Lit* lits = list.clause(c);
        watchers[toInt(~lits[0])]++;
        watchers[toInt(~lits[1])]++;
        bytes += Clause_bytes(list.clauseSize(c));
    }
    arena.reserve(bytes);
    for (int code = 0; code < variables * 2; code++) {
        watchLists[code].capacity(watchLists[code].size() + watchers[code]);
    }
    std::vector<int>().swap(watchers);

    // A clause that propagation does not touch is made now (in the arena)
    // and watched later, together with the others before the next one that
    // propagates: until then nothing reads the watch lists, and the clauses
    // made one after the other are attached in one sweep.
    vec<Lit> clause;
    int unattached = problemClauses.size();
    for (int c = 0; c < list.size() && ok; c++) {
        Lit* lits = list.clause(c);
        const int size = list.clauseSize(c);
        clause.clear();
        for (int k = 0; k < size; k++) clause.push(lits[k]);
        if (size >= 2) {
            placeWatches(clause);
            if (value(clause[1]) != l_False) {
                problemClauses.push(arena.place(clause));
                for (int k = 0; k < size; k++) lits[k] = clause[k];
                continue;
            }
            for (int k = 0; k < size; k++) clause[k] = lits[k];
        }
        attachFrom(unattached);
        addClause(clause);
        unattached = problemClauses.size();
        for (int k = 0; k < size; k++) lits[k] = clause[k];
    }
    attachFrom(unattached);
}

void PinpointingSolver::attachFrom(int first) {
    for (int i = first; i < problemClauses.size(); i++) attachClause(*problemClauses[i]);
}

void PinpointingSolver::reserveVariables(int count) {
    watchLists.capacity(count * 2);
    reasons.capacity(count);
    assignments.capacity(count);
    levels.capacity(count);
    activity.capacity(count);
    seen.capacity(count);
    preferredPolarity.capacity(count);
    decisionFlags.capacity(count);
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
        visitDecisionsBehind(p, [&](Lit d) {
            if (!placed && var(d) < var(p)) {
                out.push(p);
                placed = true;
            }
            out.push(d);
        });
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
