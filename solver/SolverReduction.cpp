// Removing clauses that are no longer needed: the learnt-clause reduction and
// the top-level simplification.

#include "solver/Solver.h"
#include "solver/reduceDB_lt.h"
#include "solver/sort.h"

void Solver::removeSatisfied(vec<Clause*>& cs) {
    int i, j;
    for (i = j = 0; i < cs.size(); i++) {
        if (satisfied(*cs[i])) {
            removeClause(*cs[i]);
        } else {
            cs[j++] = cs[i];
        }
    }
    cs.shrink(i - j);
}

void Solver::reduceDB() {
    int n = learntClauses.size();
    if (n == 0) return;
    double limit = clauseIncrement / n;

    sort(learntClauses, reduceDB_lt());
    int i, j;
    for (i = j = 0; i < n / 2; i++) {
        Clause& c = *learntClauses[i];
        if (c.size() > 2 && !locked(c)) {
            removeClause(c);
        } else {
            learntClauses[j++] = &c;
        }
    }
    for (; i < n; i++) {
        Clause& c = *learntClauses[i];
        if (c.size() > 2 && !locked(c) && c.activity() < limit) {
            removeClause(c);
        } else {
            learntClauses[j++] = &c;
        }
    }
    learntClauses.shrink(i - j);
}

bool Solver::simplify() {
    if (decisionLevel() > 0) cancelUntil(0);
    if (!ok || propagate() != nullptr) {
        ok = false;
        return false;
    }
    if (nAssigns() == simplifiedAssignCount || simplifyBudget > 0) return true;

    removeSatisfied(learntClauses);
    if (pruneSatisfied) removeSatisfied(problemClauses);

    orderHeap.filter([this](int v) { return value(v) == l_Undef && decisionFlags[v]; });

    simplifiedAssignCount = nAssigns();
    simplifyBudget = static_cast<int64_t>(problemLiteralCount + learntLiteralCount);
    return true;
}
