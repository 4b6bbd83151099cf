// Assignment, two-watched-literal unit propagation and backtracking.

#include "solver/Solver.h"

void Solver::uncheckedEnqueue(Lit p, Clause* from) {
    int v = var(p);
    assignments[v] = static_cast<char>(toInt(lbool(!sign(p))));
    levels[v] = decisionLevel();
    reasons[v] = from;
    trail.push(p);
}

Clause* Solver::propagate() {
    int firstNew = trail.size();
    Clause* confl = propagateWatches();
    propagated(firstNew);
    return confl;
}

Clause* Solver::propagateWatches() {
    Clause* confl = nullptr;
    int count = 0;

    while (queueHead < trail.size()) {
        Lit p = trail[queueHead++];
        vec<Clause*>& ws = watchLists[toInt(p)];
        Clause** i = ws.begin();
        Clause** j = i;
        Clause** end = ws.end();
        Lit false_lit = ~p;
        count++;

        while (i != end) {
            Clause& c = **i++;
            // A clause removed while simplifying leaves the list here.
            if (c.removed()) continue;
            if (c[0] == false_lit) {
                c[0] = c[1];
                c[1] = false_lit;
            }
            Lit first = c[0];
            if (value(first) == l_True) {
                *j++ = &c;
                continue;
            }

            bool moved = false;
            for (int k = 2; k < c.size(); k++) {
                if (value(c[k]) != l_False) {
                    c[1] = c[k];
                    c[k] = false_lit;
                    watchLists[toInt(~c[1])].push(&c);
                    moved = true;
                    break;
                }
            }
            if (moved) continue;

            *j++ = &c;
            if (value(first) == l_False) {
                confl = &c;
                queueHead = trail.size();
                while (i != end) *j++ = *i++;
            } else {
                uncheckedEnqueue(first, &c);
            }
        }
        ws.shrink(static_cast<int>(i - j));
    }

    propagationCount += count;
    simplifyBudget -= count;
    return confl;
}

void Solver::cancelUntil(int level) {
    if (level < 0) level = 0;
    if (decisionLevel() <= level) return;
    int start = levelStarts[level];
    for (int c = trail.size() - 1; c >= start; c--) {
        int x = var(trail[c]);
        assignments[x] = static_cast<char>(toInt(l_Undef));
        insertVarOrder(x);
    }
    queueHead = start;
    trail.shrink(trail.size() - start);
    levelStarts.shrink(levelStarts.size() - level);
}
