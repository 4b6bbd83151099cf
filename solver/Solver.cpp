#include "solver/Solver.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "solver/reduceDB_lt.h"
#include "solver/sort.h"

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

Solver::Solver()
    : variableDecay(1 / 0.95),
      clauseDecay(1 / 0.999),
      randomDecisionFrequency(0.02),
      firstRestartLimit(100),
      restartGrowth(1.5),
      learntLimitFactor(1.0 / 3.0),
      learntLimitGrowth(1.1),
      expensiveMinimisation(true),
      polarityMode(1),
      verbosity(0),
      startCount(0),
      decisionCount(0),
      randomDecisionCount(0),
      propagationCount(0),
      conflictCount(0),
      problemLiteralCount(0),
      learntLiteralCount(0),
      maxLiteralCount(0),
      totalLiteralCount(0),
      ok(true),
      clauseIncrement(1.0),
      variableIncrement(1.0),
      queueHead(0),
      simplifiedAssignCount(-1),
      simplifyBudget(0),
      orderHeap(VarOrderLt(activity)),
      randomSeed(91648253.0),
      lastProgress(0.0),
      pruneSatisfied(true) {}

Solver::~Solver() {
    for (int i = 0; i < learntClauses.size(); i++) std::free(learntClauses[i]);
    for (int i = 0; i < problemClauses.size(); i++) std::free(problemClauses[i]);
}

// ---------------------------------------------------------------------------
// Variables

int Solver::newVar(double initialActivity, bool sign, bool decision) {
    int v = nVars();
    watchLists.push();
    watchLists.push();
    reasons.push(nullptr);
    assignments.push(static_cast<char>(toInt(l_Undef)));
    levels.push(-1);
    activity.push(initialActivity);
    seen.push(0);
    preferredPolarity.push(sign ? 1 : 0);
    decisionFlags.push(decision ? 1 : 0);
    insertVarOrder(v);
    return v;
}

void Solver::setDecisionVar(int v, bool b) {
    decisionFlags[v] = b ? 1 : 0;
    if (b) insertVarOrder(v);
}

void Solver::varBumpActivity(int v) {
    if ((activity[v] += variableIncrement) > 1e100) {
        for (int i = 0; i < nVars(); i++) activity[i] *= 1e-100;
        variableIncrement *= 1e-100;
    }
    if (orderHeap.inHeap(v)) orderHeap.decrease(v);
}

void Solver::claBumpActivity(Clause& c) {
    float& act = c.activity();
    act = static_cast<float>(static_cast<double>(act) + clauseIncrement);
    if (act > 1e20) {
        for (int i = 0; i < learntClauses.size(); i++) {
            float& a = learntClauses[i]->activity();
            a = static_cast<float>(static_cast<double>(a) * 1e-20);
        }
        clauseIncrement *= 1e-20;
    }
}

// ---------------------------------------------------------------------------
// Clause database

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

namespace {

// Removes the first occurrence of c, keeping the order of the others.
void removeWatch(vec<Clause*>& ws, const Clause* c) {
    int j = 0;
    while (j < ws.size() && ws[j] != c) j++;
    if (j == ws.size()) return;
    for (; j < ws.size() - 1; j++) ws[j] = ws[j + 1];
    ws.pop();
}

}  // namespace

void Solver::detachClause(Clause& c) {
    removeWatch(watchLists[toInt(~c[0])], &c);
    removeWatch(watchLists[toInt(~c[1])], &c);
    if (c.learnt()) {
        learntLiteralCount -= c.size();
    } else {
        problemLiteralCount -= c.size();
    }
}

void Solver::removeClause(Clause& c) {
    detachClause(c);
    std::free(&c);
}

bool Solver::satisfied(const Clause& c) const {
    for (int i = 0; i < c.size(); i++) {
        if (value(c[i]) == l_True) return true;
    }
    return false;
}

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

// ---------------------------------------------------------------------------
// Assignment and propagation

void Solver::uncheckedEnqueue(Lit p, Clause* from) {
    int v = var(p);
    assignments[v] = static_cast<char>(toInt(lbool(!sign(p))));
    levels[v] = decisionLevel();
    reasons[v] = from;
    trail.push(p);
}

Clause* Solver::propagate() {
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

// ---------------------------------------------------------------------------
// Conflict analysis

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

    seen[var(p)] = 1;
    for (int i = trail.size() - 1; i >= levelStarts[0]; i--) {
        int x = var(trail[i]);
        if (!seen[x]) continue;
        const Clause* r = reasons[x];
        if (r == nullptr) {
            out_conflict.push(~trail[i]);
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

// ---------------------------------------------------------------------------
// Search

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
        case 0:
            negative = false;
            break;
        case 2:
            negative = next != -1 && preferredPolarity[next] != 0;
            break;
        case 3:
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
            Lit p = assumptions[decisionLevel()];
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
            decisionCount++;
            next = pickBranchLit(polarityMode, randomDecisionFrequency, propagateOnly);
            if (next == lit_Undef) return l_True;
        }
        newDecisionLevel();
        uncheckedEnqueue(next);
    }
}

void Solver::dropStaleLevels() {
    int levelsNow = decisionLevel();
    for (int d = 0; d < levelsNow && d < assumptions.size(); d++) {
        Lit a = assumptions[d];
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

bool Solver::solve(const vec<Lit>& given, bool propagateOnly, bool keepTrail, bool keepAll) {
    (void)given;  // the search reads the public assumptions vector
    model.clear();
    conflict.clear();
    if (!ok) return false;

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

    if (status == l_True && !propagateOnly) {
        model.growTo(nVars());
        for (int i = 0; i < nVars(); i++) model[i] = value(i);
    }
    if (status != l_True && conflict.size() == 0) ok = false;

    if (!keepTrail) {
        cancelUntil(0);
    } else if (!keepAll) {
        cancelUntil(assumptions.size() - 2);
    }
    return status == l_True;
}

// ---------------------------------------------------------------------------
// Diagnostics

void Solver::printClause(const Clause& c) {
    for (int i = 0; i < c.size(); i++) {
        lbool v = value(c[i]);
        char shown = v == l_True ? '1' : v == l_False ? '0' : 'X';
        std::fprintf(stderr, "%s%d:%c ", sign(c[i]) ? "-" : "", var(c[i]) + 1, shown);
    }
}

void Solver::verifyModel() {
    for (int i = 0; i < problemClauses.size(); i++) {
        const Clause& c = *problemClauses[i];
        bool sat = false;
        for (int k = 0; k < c.size() && !sat; k++) {
            sat = var(c[k]) < model.size() && modelValue(c[k]) == l_True;
        }
        if (!sat) {
            std::fflush(stdout);
            std::fprintf(stderr, "unsatisfied clause: ");
            printClause(c);
            std::fprintf(stderr, "\n");
            std::fflush(stderr);
        }
    }
    std::fflush(stdout);
    std::fprintf(stderr, "Verified %d original clauses.\n", nClauses());
    std::fflush(stderr);
}

void Solver::checkLiteralCount() {
    int count = 0;
    for (int i = 0; i < problemClauses.size(); i++) {
        if (problemClauses[i]->mark() == 0) count += problemClauses[i]->size();
    }
    if (static_cast<uint64_t>(count) != problemLiteralCount) {
        std::fflush(stdout);
        std::fprintf(stderr, "literal count: %d, real value = %d\n", static_cast<int>(problemLiteralCount), count);
        std::fflush(stderr);
    }
}
