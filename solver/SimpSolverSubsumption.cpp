// Backward subsumption and strengthening (self-subsuming resolution) over
// the occurrence lists, driven by the subsumption queue, and the clean-up of
// removed clauses.

#include <cstdio>
#include <cstdlib>

#include "solver/SimpSolver.h"

uint64_t SimpSolver::signature(const Clause& c) {
    uint64_t sig = 0;
    for (int i = 0; i < c.size(); i++) sig |= uint64_t{1} << (var(c[i]) & 63);
    return sig;
}

void SimpSolver::indexOccurrences() {
    vec<int> lengths(nVars(), 0);
    for (int i = 0; i < problemClauses.size(); i++) {
        const Clause& c = *problemClauses[i];
        for (int k = 0; k < c.size(); k++) lengths[var(c[k])]++;
    }
    for (int v = 0; v < nVars(); v++) occurrences[v].capacity(occurrences[v].size() + lengths[v]);
    for (int i = 0; i < problemClauses.size(); i++) {
        Clause& c = *problemClauses[i];
        const uint64_t sig = signature(c);
        for (int k = 0; k < c.size(); k++) occurrences[var(c[k])].push(Occurrence{&c, sig});
    }
    occurrencesIndexed = true;
}

void SimpSolver::purgeOccurrences(int v) {
    vec<Occurrence>& os = occurrences[v];
    // The entries after the last removed one stay where they are: the walk
    // stops once it has dropped as many as the list holds.
    int& removed = removedOccurrences[v];
    int i = 0;
    while (removed > 0 && i < os.size()) {
        if (os[i].clause->removed()) {
            os[i] = os.last();
            os.pop();
            removed--;
        } else {
            i++;
        }
    }
    removed = 0;
}

void SimpSolver::occurringClauses(int v, vec<Clause*>& out) const {
    const vec<Occurrence>& os = occurrences[v];
    out.clear();
    for (int i = 0; i < os.size(); i++) out.push(os[i].clause);
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
        removeKeepingOrder(occurrences[var(l)], &c, [](const Occurrence& o) { return o.clause; });
        // A removed two-literal clause had its counts taken off already,
        // and its entry in this list was one of the removed ones.
        if (removed) {
            removedOccurrences[var(l)]--;
        } else {
            occurrenceCounts[toInt(l)]--;
        }
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
        const vec<Occurrence>& os = occurrences[best];
        const uint64_t sig = signature(c);
        for (int j = 0; j < os.size(); j++) {
            if (c.mark() != 0) break;
            // Most candidates are ruled out by their entry alone.
            if ((sig & ~os[j].signature) != 0) continue;
            Clause& d = *os[j].clause;
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
        const vec<Occurrence>& os = occurrences[v];
        for (int i = 0; i < os.size(); i++) {
            Clause* c = os[i].clause;
            if (c->mark() == 0) {
                subsumptionQueue.insert(c);
                c->mark(2);
            }
        }
        touched[v] = 0;
    }
    for (int i = 0; i < subsumptionQueue.size(); i++) {
        if (subsumptionQueue[i]->mark() == 2) subsumptionQueue[i]->mark(0);
    }
}

void SimpSolver::purgeWatches() {
    for (int i = 0; i < staleWatchCodes.size(); i++) {
        int code = staleWatchCodes[i];
        vec<Clause*>& ws = watchLists[code];
        int j = 0;
        for (int k = 0; k < ws.size(); k++) {
            if (!ws[k]->removed()) ws[j++] = ws[k];
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
        if (!c.removed()) continue;
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

    // A clause kept by an eliminated variable is its own from here on.
    int i, j;
    for (i = j = 0; i < problemClauses.size(); i++) {
        Clause* c = problemClauses[i];
        if (c->mark() == 1) {
            std::free(c);
        } else if (c->mark() == 3) {
            c->mark(0);
        } else {
            problemClauses[j++] = c;
        }
    }
    problemClauses.shrink(i - j);
}
