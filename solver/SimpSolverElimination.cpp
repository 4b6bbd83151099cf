// Bounded variable elimination by clause distribution, asymmetric
// branching, the simplification loop, bringing eliminated variables back and
// extending models to them.

#include <cstdio>
#include <cstdlib>

#include "solver/SimpSolver.h"

bool SimpSolver::merge(const Clause& ps, const Clause& qs, int v, vec<Lit>& out) {
    out.clear();
    return resolve(ps, qs, v, &out);
}

bool SimpSolver::merge(const Clause& ps, const Clause& qs, int v) { return resolve(ps, qs, v, nullptr); }

bool SimpSolver::resolve(const Clause& ps, const Clause& qs, int v, vec<Lit>* out) {
    mergeCount++;
    bool psSmaller = ps.size() < qs.size();
    const Clause& scanned = psSmaller ? ps : qs;
    const Clause& probed = psSmaller ? qs : ps;

    for (int i = 0; i < scanned.size(); i++) {
        Lit x = scanned[i];
        if (var(x) == v) continue;
        bool present = false;
        for (int j = 0; j < probed.size(); j++) {
            if (var(probed[j]) != var(x)) continue;
            if (probed[j] == ~x) return false;
            present = true;
            break;
        }
        if (!present && out != nullptr) out->push(x);
    }
    if (out != nullptr) {
        for (int j = 0; j < probed.size(); j++) {
            if (var(probed[j]) != v) out->push(probed[j]);
        }
    }
    return true;
}

bool SimpSolver::asymm(int v, Clause& c) {
    if (c.mark() != 0 || satisfied(c)) return true;

    newDecisionLevel();
    Lit l = lit_Undef;
    for (int i = 0; i < c.size(); i++) {
        if (var(c[i]) != v && value(c[i]) != l_False) {
            uncheckedEnqueue(~c[i]);
        } else {
            l = c[i];
        }
    }
    if (propagate() != nullptr) {
        cancelUntil(0);
        asymmetricLiteralCount++;
        return strengthenClause(c, l);
    }
    cancelUntil(0);
    return true;
}

bool SimpSolver::asymmVar(int v) {
    purgeOccurrences(v);
    if (value(v) != l_Undef || occurrences[v].size() == 0) return true;
    // Strengthening changes the list: work on a copy of it.
    vec<Clause*> cls;
    occurringClauses(v, cls);
    for (int i = 0; i < cls.size(); i++) {
        if (!asymm(v, *cls[i])) return false;
    }
    return backwardSubsumptionCheck(false);
}

bool SimpSolver::eliminateVar(int v, bool fail) {
    if (!fail && asymmetricBranching && !asymmVar(v)) return false;

    purgeOccurrences(v);
    if (value(v) != l_Undef) return true;

    // The list changes as the clauses are removed: work on a copy of it.
    vec<Clause*> cls;
    occurringClauses(v, cls);
    vec<Clause*> pos;
    vec<Clause*> neg;
    for (int i = 0; i < cls.size(); i++) {
        Clause& c = *cls[i];
        bool positive = false;
        for (int k = 0; k < c.size(); k++) {
            if (c[k] == Lit(v)) {
                positive = true;
                break;
            }
        }
        (positive ? pos : neg).push(&c);
    }

    int cnt = 0;
    for (int i = 0; i < pos.size(); i++) {
        for (int j = 0; j < neg.size(); j++) {
            if (merge(*pos[i], *neg[j], v) && ++cnt > cls.size() + growthAllowance) return true;
        }
    }

    setDecisionVar(v, false);
    eliminationTable[v].order = nextEliminationOrder;
    eliminationSequence.push(v);
    eliminationSequenceOrders.push(nextEliminationOrder++);
    // The removed clauses themselves are kept: nothing changes a removed
    // clause, and the clean-up leaves them to the table (mark 3).
    for (int i = 0; i < cls.size(); i++) {
        Clause& c = *cls[i];
        removeClause(c);
        c.mark(3);
        eliminationTable[v].eliminatedClauses.push(&c);
    }
    // Every entry of v's list is a removed clause now: the purge would drop
    // them all. No clause will name v while it stays eliminated.
    occurrences[v].clear(true);
    removedOccurrences[v] = 0;

    int top = nClauses();
    vec<Lit> resolvent;
    for (int i = 0; i < pos.size(); i++) {
        for (int j = 0; j < neg.size(); j++) {
            if (merge(*pos[i], *neg[j], v, resolvent) && !addClause(resolvent)) return false;
        }
    }

    if (fail) {
        std::fflush(stdout);
        std::fprintf(stderr, "eliminated var %d, %d <= %d\n", v + 1, cnt, cls.size());
        std::fprintf(stderr, "previous clauses:\n");
        for (int i = 0; i < cls.size(); i++) {
            printClause(*cls[i]);
            std::fprintf(stderr, "\n");
        }
        std::fprintf(stderr, "new clauses:\n");
        for (int i = top; i < nClauses(); i++) {
            printClause(*problemClauses[i]);
            std::fprintf(stderr, "\n");
        }
        std::fflush(stderr);
    }

    return backwardSubsumptionCheck(false);
}

bool SimpSolver::eliminate(bool turnOff) {
    if (!ok || !useSimplification) return ok;
    if (!occurrencesIndexed) indexOccurrences();

    while (subsumptionQueue.size() > 0 || eliminationHeap.size() > 0) {
        if (!backwardSubsumptionCheck(true)) return false;
        for (int cnt = 0; !eliminationHeap.empty(); cnt++) {
            int v = eliminationHeap.removeMin();
            if (verbosity >= 2 && cnt % 100 == 0) {
                std::fflush(stdout);
                std::fprintf(stderr, "elimination left: %10d\r", eliminationHeap.size());
                std::fflush(stderr);
            }
            if (!frozen[v] && !eliminateVar(v, false)) return false;
        }
        gatherTouchedClauses();
    }

    cleanUpClauses();
    orderHeap.filter([this](int v) { return value(v) == l_Undef && decisionFlags[v]; });

    if (turnOff) clearSimplification();
    return true;
}

void SimpSolver::clearSimplification() {
    useSimplification = false;
    touched.clear(true);
    occurrences.clear(true);
    removedOccurrences.clear(true);
    occurrenceCounts.clear(true);
    subsumptionQueue.clear(true);
    eliminationHeap.clear(true);
    pruneSatisfied = true;
}

void SimpSolver::remember(int v) {
    eliminationTable[v].order = 0;
    setDecisionVar(v, true);
    if (useSimplification) updateElimHeap(v);

    // Take the stored clauses out of the table before adding them: adding
    // may bring back further variables.
    vec<Clause*> stored;
    eliminationTable[v].eliminatedClauses.copyTo(stored);
    eliminationTable[v].eliminatedClauses.clear();

    vec<Lit> lits;
    for (int i = 0; i < stored.size(); i++) {
        const Clause& c = *stored[i];
        lits.clear();
        for (int k = 0; k < c.size(); k++) lits.push(c[k]);
        rememberedClauseCount++;
        addClause(lits);
        releaseStored(stored[i]);
    }
}

void SimpSolver::compactEliminationSequence() {
    int j = 0;
    for (int i = 0; i < eliminationSequence.size(); i++) {
        int v = eliminationSequence[i];
        if (eliminationTable[v].order != eliminationSequenceOrders[i]) continue;
        eliminationSequence[j] = v;
        eliminationSequenceOrders[j++] = eliminationSequenceOrders[i];
    }
    eliminationSequence.shrink(eliminationSequence.size() - j);
    eliminationSequenceOrders.shrink(eliminationSequenceOrders.size() - j);
}

void SimpSolver::extendModel() {
    // The eliminated variables, the last eliminated first: the sequence
    // holds them in ascending order numbers.
    vec<int> eliminated;
    for (int i = eliminationSequence.size() - 1; i >= 0; i--) {
        int v = eliminationSequence[i];
        if (eliminationTable[v].order == eliminationSequenceOrders[i]) eliminated.push(v);
    }
    if (eliminated.size() * 2 < eliminationSequence.size()) compactEliminationSequence();

    for (int i = 0; i < eliminated.size(); i++) {
        int v = eliminated[i];
        const vec<Clause*>& cs = eliminationTable[v].eliminatedClauses;
        bool set = false;
        for (int j = 0; j < cs.size() && !set; j++) {
            const Clause& c = *cs[j];
            Lit onV = lit_Undef;
            bool othersFalse = true;
            for (int k = 0; k < c.size() && othersFalse; k++) {
                if (var(c[k]) == v) {
                    onV = c[k];
                } else if (modelValue(c[k]) != l_False) {
                    othersFalse = false;
                }
            }
            if (othersFalse && onV != lit_Undef) {
                model[v] = lbool(!sign(onV));
                set = true;
            }
        }
        if (!set && model[v] == l_Undef) model[v] = l_True;
    }
}
