// The clause database: adding, watching and removing clauses.

#include <cstdlib>

#include "solver/Solver.h"
#include "solver/sort.h"

bool Solver::addClause(vec<Lit>& ps) {
    if (!ok) return false;
    if (decisionLevel() > 0) cancelUntil(0);

    sort(ps);
    Lit p = lit_Undef;
    int i, j;
    for (i = j = 0; i < ps.size(); i++) {
        lbool v = value(ps[i]);
        if (v == l_True || ps[i] == ~p) return true;
        if (v != l_False && ps[i] != p) {
            ps[j++] = ps[i];
            p = ps[i];
        }
    }
    ps.shrink(i - j);
    int positives = 0;
    for (i = 0; i < ps.size(); i++) positives += sign(ps[i]) ? 0 : 1;
    if (positives > 1) hornOnly = false;

    if (ps.size() == 0) {
        ok = false;
        return false;
    }
    if (ps.size() == 1) {
        uncheckedEnqueue(ps[0]);
        ok = propagate() == nullptr;
        return ok;
    }
    Clause* c = Clause_new(ps, false);
    problemClauses.push(c);
    attachClause(*c);
    return true;
}

void Solver::attachClause(Clause& c) {
    watchLists[toInt(~c[0])].push(&c);
    watchLists[toInt(~c[1])].push(&c);
    if (c.learnt()) {
        learntLiteralCount += c.size();
    } else {
        problemLiteralCount += c.size();
    }
}

void Solver::detachClause(Clause& c) {
    removeKeepingOrder(watchLists[toInt(~c[0])], &c);
    removeKeepingOrder(watchLists[toInt(~c[1])], &c);
    if (c.learnt()) {
        learntLiteralCount -= c.size();
    } else {
        problemLiteralCount -= c.size();
    }
}

void Solver::removeClause(Clause& c) {
    detachClause(c);
    releaseClause(c);
}

void Solver::releaseClause(Clause& c) { std::free(&c); }

bool Solver::satisfied(const Clause& c) const {
    for (int i = 0; i < c.size(); i++) {
        if (value(c[i]) == l_True) return true;
    }
    return false;
}
