// Backward subsumption and strengthening (self-subsuming resolution) over
// the occurrence lists, driven by the subsumption queue, and the clean-up of
// removed clauses.

#include <cstdio>
#include <cstdlib>

#include "solver/SimpSolver.h"

void SimpSolver::purgeOccurrences(int v) {
    vec<Clause*>& cs = occurrences[v];
    int i = 0;
    while (i < cs.size()) {
        if (cs[i]->mark() == 1) {
            cs[i] = cs.last();
            cs.pop();
        } else {
            i++;
        }
    }
}

bool SimpSolver::strengthenClause(Clause& c, Lit l) {
    subsumptionQueue.insert(&c);

    bool removed = false;
    if (c[0] == l || c[1] == l) {
        if (c.size() == 2) {
            removeClause(c);
            removed = true;
            c.strengthen(l);
        } else {
            Lit other = c[0] == l ? c[1] : c[0];
            c.strengthen(l);
            removeKeepingOrder(watchLists[toInt(~l)], &c);
            Lit fresh = c[0] == other ? c[1] : c[0];
            watchLists[toInt(~fresh)].push(&c);
            problemLiteralCount--;
        }
    } else {
        c.strengthen(l);
        problemLiteralCount--;
    }

    if (useSimplification) {
        removeKeepingOrder(occurrences[var(l)], &c);
        // A removed two-literal clause had its counts taken off already.
        if (!removed) occurrenceCounts[toInt(l)]--;
        updateElimHeap(var(l));
    }

    if (c.size() == 1) {
        if (value(c[0]) == l_False) {
            ok = false;
            return false;
        }
        if (value(c[0]) == l_Undef) {
            uncheckedEnqueue(c[0]);
            if (propagate() != nullptr) {
                ok = false;
                return false;
            }
        }
    }
    return true;
}

bool SimpSolver::backwardSubsumptionCheck(bool verbose) {
    int cnt = 0;
    int subsumed = 0;
    int deleted = 0;

    while (subsumptionQueue.size() > 0 || unitCursor < trail.size()) {
        if (subsumptionQueue.size() == 0) {
            Lit l = trail[unitCursor++];
            (*scratchUnit)[0] = l;
            scratchUnit->calcAbstraction();
            subsumptionQueue.insert(scratchUnit);
        }
        Clause& c = *subsumptionQueue.peek();
        subsumptionQueue.pop();
        if (c.mark() != 0) continue;

        if (verbose && verbosity >= 2 && cnt++ % 1000 == 0) {
            std::fflush(stdout);
            std::fprintf(stderr, "subsumption left: %10d (%10d subsumed, %10d deleted literals)\r",
                         subsumptionQueue.size(), subsumed, deleted);
            std::fflush(stderr);
        }

        int best = var(c[0]);
        for (int i = 1; i < c.size(); i++) {
            if (occurrences[var(c[i])].size() < occurrences[best].size()) best = var(c[i]);
        }

        purgeOccurrences(best);
        vec<Clause*>& cs = occurrences[best];
        for (int j = 0; j < cs.size(); j++) {
            if (c.mark() != 0) break;
            Clause& d = *cs[j];
            if (d.mark() != 0 || &d == &c) continue;
            Lit r = c.subsumes(d);
            if (r == lit_Undef) {
                subsumed++;
                removeClause(d);
            } else if (r != lit_Error) {
                deleted++;
                if (!strengthenClause(d, ~r)) return false;
                // d left this list: the next entry has moved into j.
                if (var(r) == best) j--;
            }
        }
    }
    return true;
}

void SimpSolver::gatherTouchedClauses() {
    for (int v = 0; v < touched.size(); v++) {
        if (!touched[v]) continue;
        purgeOccurrences(v);
        const vec<Clause*>& cs = occurrences[v];
        for (int i = 0; i < cs.size(); i++) {
            if (cs[i]->mark() == 0) {
                subsumptionQueue.insert(cs[i]);
                cs[i]->mark(2);
            }
        }
        touched[v] = 0;
    }
    for (int i = 0; i < subsumptionQueue.size(); i++) subsumptionQueue[i]->mark(0);
}

void SimpSolver::purgeWatches() {
    for (int i = 0; i < staleWatchCodes.size(); i++) {
        int code = staleWatchCodes[i];
        vec<Clause*>& ws = watchLists[code];
        int j = 0;
        for (int k = 0; k < ws.size(); k++) {
            if (ws[k]->mark() != 1) ws[j++] = ws[k];
        }
        ws.shrink(ws.size() - j);
        staleWatches[code] = 0;
    }
    staleWatchCodes.clear();
}

void SimpSolver::cleanUpClauses() {
    // No queue entry may outlive the clauses freed here.
    subsumptionQueue.clear();

    vec<int> dirty;
    for (int i = 0; i < problemClauses.size(); i++) {
        const Clause& c = *problemClauses[i];
        if (c.mark() != 1) continue;
        for (int k = 0; k < c.size(); k++) {
            int v = var(c[k]);
            if (!seen[v]) {
                seen[v] = 1;
                dirty.push(v);
            }
        }
    }
    for (int i = 0; i < dirty.size(); i++) {
        purgeOccurrences(dirty[i]);
        seen[dirty[i]] = 0;
    }

    purgeWatches();

    int i, j;
    for (i = j = 0; i < problemClauses.size(); i++) {
        if (problemClauses[i]->mark() == 1) {
            std::free(problemClauses[i]);
        } else {
            problemClauses[j++] = problemClauses[i];
        }
    }
    problemClauses.shrink(i - j);
}
