// Conflict analysis: the first-UIP learnt clause with its minimisation, and
// the final conflict of a failed assumption.

#include "solver/Solver.h"

void Solver::analyze(Clause* confl, vec<Lit>& out_learnt, int& out_btlevel) {
    int pathC = 0;
    Lit p = lit_Undef;
    out_learnt.push();  // room for the asserting literal
    int index = trail.size() - 1;
    out_btlevel = 0;

    do {
        Clause& c = *confl;
        if (c.learnt()) claBumpActivity(c);

        for (int j = (p == lit_Undef) ? 0 : 1; j < c.size(); j++) {
            Lit q = c[j];
            int v = var(q);
            if (!seen[v] && levels[v] > 0) {
                varBumpActivity(v);
                seen[v] = 1;
                if (levels[v] >= decisionLevel()) {
                    pathC++;
                } else {
                    out_learnt.push(q);
                }
            }
        }

        while (!seen[var(trail[index])]) index--;
        p = trail[index];
        index--;
        confl = reasons[var(p)];
        seen[var(p)] = 0;
        pathC--;
    } while (pathC > 0);
    out_learnt[0] = ~p;

    int i, j;
    if (expensiveMinimisation) {
        unsigned abstract_levels = 0;
        for (i = 1; i < out_learnt.size(); i++) abstract_levels |= abstractLevel(var(out_learnt[i]));
        out_learnt.copyTo(analyzeToClear);
        for (i = j = 1; i < out_learnt.size(); i++) {
            if (reasons[var(out_learnt[i])] == nullptr || !litRedundant(out_learnt[i], abstract_levels)) {
                out_learnt[j++] = out_learnt[i];
            }
        }
    } else {
        out_learnt.copyTo(analyzeToClear);
        for (i = j = 1; i < out_learnt.size(); i++) {
            const Clause* r = reasons[var(out_learnt[i])];
            if (r == nullptr) {
                out_learnt[j++] = out_learnt[i];
                continue;
            }
            for (int k = 1; k < r->size(); k++) {
                int v = var((*r)[k]);
                if (!seen[v] && levels[v] > 0) {
                    out_learnt[j++] = out_learnt[i];
                    break;
                }
            }
        }
    }
    maxLiteralCount += out_learnt.size();
    out_learnt.shrink(i - j);
    totalLiteralCount += out_learnt.size();

    if (out_learnt.size() == 1) {
        out_btlevel = 0;
    } else {
        int max_i = 1;
        for (int k = 2; k < out_learnt.size(); k++) {
            if (levels[var(out_learnt[k])] > levels[var(out_learnt[max_i])]) max_i = k;
        }
        Lit tmp = out_learnt[max_i];
        out_learnt[max_i] = out_learnt[1];
        out_learnt[1] = tmp;
        out_btlevel = levels[var(tmp)];
    }

    for (int k = 0; k < analyzeToClear.size(); k++) seen[var(analyzeToClear[k])] = 0;
}

bool Solver::litRedundant(Lit p, unsigned abstract_levels) {
    analyzeStack.clear();
    analyzeStack.push(p);
    int top = analyzeToClear.size();
    while (analyzeStack.size() > 0) {
        const Clause& c = *reasons[var(analyzeStack.last())];
        analyzeStack.pop();
        for (int i = 1; i < c.size(); i++) {
            Lit q = c[i];
            int v = var(q);
            if (seen[v] || levels[v] <= 0) continue;
            if (reasons[v] != nullptr && (abstractLevel(v) & abstract_levels) != 0) {
                seen[v] = 1;
                analyzeStack.push(q);
                analyzeToClear.push(q);
            } else {
                for (int j = top; j < analyzeToClear.size(); j++) seen[var(analyzeToClear[j])] = 0;
                analyzeToClear.shrink(analyzeToClear.size() - top);
                return false;
            }
        }
    }
    return true;
}

void Solver::analyzeFinal(Lit p, vec<Lit>& out_conflict) {
    out_conflict.clear();
    out_conflict.push(p);
    if (decisionLevel() == 0) return;
    visitDecisionsBehind(p, [&out_conflict](Lit d) { out_conflict.push(~d); });
}
