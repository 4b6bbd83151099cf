// The search: decisions, the restart loop and solving under assumptions.

#include <climits>
#include <cmath>
#include <cstdio>

#include "solver/Solver.h"

namespace {

// A limit kept as a double, as the int that a search run takes; a limit that
// has grown past the int range means "no limit reached in practice".
int truncateLimit(double limit) {
    if (limit >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (limit <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(limit);
}

const char* const kStatisticsRule =
    "===============================================================================\n";

}  // namespace

double Solver::drand(double& seed) {
    seed *= 1389796;
    int q = static_cast<int>(seed / 2147483647);
    seed -= static_cast<double>(q) * 2147483647;
    return seed / 2147483647;
}

Lit Solver::pickBranchLit(int mode, double randomFrequency, bool propagateOnly) {
    if (propagateOnly) return lit_Undef;

    int next = -1;
    if (drand(randomSeed) < randomFrequency && !orderHeap.empty()) {
        next = orderHeap[static_cast<int>(drand(randomSeed) * orderHeap.size())];
        if (value(next) == l_Undef && decisionFlags[next]) randomDecisionCount++;
    }

    while (next == -1 || value(next) != l_Undef || !decisionFlags[next]) {
        if (orderHeap.empty()) {
            next = -1;
            break;
        }
        next = orderHeap.removeMin();
    }

    bool negative;
    switch (mode) {
        case POLARITY_POSITIVE:
            negative = false;
            break;
        case POLARITY_PREFERRED:
            negative = next != -1 && preferredPolarity[next] != 0;
            break;
        case POLARITY_RANDOM:
            negative = static_cast<int>(drand(randomSeed) * 2) != 0;
            break;
        default:
            negative = true;
            break;
    }
    return next == -1 ? lit_Undef : Lit(next, negative);
}

double Solver::progressEstimate() const {
    if (nVars() == 0) return 0.0;
    double progress = 0.0;
    double F = 1.0 / nVars();
    for (int i = 0; i <= decisionLevel(); i++) {
        int beg = i == 0 ? 0 : levelStarts[i - 1];
        int end = i == decisionLevel() ? trail.size() : levelStarts[i];
        progress += std::pow(F, i) * (end - beg);
    }
    return progress / nVars();
}

void Solver::learn(vec<Lit>& learnt) {
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

lbool Solver::search(int conflictLimit, int learntLimit, bool propagateOnly) {
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
                analyzeFinal(~p, conflict);
                return l_False;
            } else {
                next = p;
                break;
            }
        }

        if (next == lit_Undef) {
            if (hornCompletion && hornOnly && polarityMode == POLARITY_NEGATIVE && !propagateOnly) {
                completeHornAssignment();
                return l_True;
            }
            decisionCount++;
            next = pickBranchLit(polarityMode, randomDecisionFrequency, propagateOnly);
            if (next == lit_Undef) return l_True;
        }
        newDecisionLevel();
        uncheckedEnqueue(next);
    }
}

// Every clause is Horn and propagation under the assumptions found no
// conflict, so each clause is satisfied or keeps an unassigned negative
// literal: making every open variable false satisfies them all. The search
// would go on with negative decisions only, each propagating literals of
// that very assignment, so it could meet no conflict and would end on it
// (variables that are no decision ones keep no value unless propagation
// gave them one). The decisions are taken at once, without propagation.
void Solver::completeHornAssignment() {
    newDecisionLevel();
    for (int i = 0; i < orderHeap.size(); i++) {
        int v = orderHeap[i];
        if (value(v) == l_Undef && decisionFlags[v]) uncheckedEnqueue(Lit(v, true));
    }
}

void Solver::dropStaleLevels() {
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

void Solver::printStatisticsRow(double learntLimit) {
    double perClause = nLearnts() == 0 ? 0.0 : static_cast<double>(learntLiteralCount) / nLearnts();
    std::fflush(stdout);
    std::fprintf(stderr, "| %9d | %7d %8d %8d | %8d %8d %6.0f | %6.3f %% |\n", static_cast<int>(conflictCount),
                 orderHeap.size(), nClauses(), static_cast<int>(problemLiteralCount), truncateLimit(learntLimit),
                 nLearnts(), perClause, lastProgress * 100);
    std::fflush(stderr);
}

bool Solver::beginSolve() {
    model.clear();
    conflict.clear();
    return ok;
}

lbool Solver::searchUntilAnswer(bool propagateOnly) {
    dropStaleLevels();

    double conflictLimit = firstRestartLimit;
    double learntLimit = nClauses() * learntLimitFactor;
    lbool status = l_Undef;

    if (verbosity >= 1) {
        std::fflush(stdout);
        std::fprintf(stderr,
                     "============================[ Search Statistics ]==============================\n"
                     "| Conflicts |          ORIGINAL         |          LEARNT          | Progress |\n"
                     "|           |    Vars  Clauses Literals |    Limit  Clauses Lit/Cl |          |\n"
                     "%s",
                     kStatisticsRule);
        std::fflush(stderr);
    }

    while (status == l_Undef) {
        if (verbosity >= 1) printStatisticsRow(learntLimit);
        status = search(truncateLimit(conflictLimit), truncateLimit(learntLimit), propagateOnly);
        conflictLimit *= restartGrowth;
        learntLimit *= learntLimitGrowth;
    }

    if (verbosity >= 1) {
        std::fflush(stdout);
        std::fputs(kStatisticsRule, stderr);
        std::fflush(stderr);
    }
    if (status != l_True && conflict.size() == 0) ok = false;
    return status;
}

void Solver::copyModel() {
    model.growTo(nVars());
    for (int i = 0; i < nVars(); i++) model[i] = value(i);
}

bool Solver::solve(const vec<Lit>& given, bool propagateOnly, bool keepTrail, bool keepAll) {
    (void)given;  // the search reads the public assumptions vector
    if (!beginSolve()) return false;

    lbool status = searchUntilAnswer(propagateOnly);
    if (status == l_True && !propagateOnly) copyModel();

    if (!keepTrail) {
        cancelUntil(0);
    } else if (!keepAll) {
        cancelUntil(assumptions.size() - 2);
    }
    return status == l_True;
}
