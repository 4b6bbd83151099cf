#include "pinpointer/mina_enumeration.h"

#include <deque>
#include <iostream>
#include <set>

#include "pinpointer/literal_output.h"

namespace {

// Activity change given to the variables of a learnt blocking clause.
const double kBlockingActivityFactor = -0.5;

void negate_into(const vec<Lit>& lits, vec<Lit>& out) {
    out.clear();
    for (int i = 0; i < lits.size(); i++) out.push(~lits[i]);
}

void clear_explanations(PinpointingSolver& testSolver) { testSolver.explanations.clear(); }

// The state of one perform_pinpointing call.
class Enumeration {
public:
    Enumeration(PinpointingSolver& candidateSolver, PinpointingSolver& testSolver, PinpointingSolver& foundSolver,
                vec<int>& selectors, vec<Lit>& candidateAssumptions, Lit query, MinASet& results, long minaLimit,
                int verbosity, usertime::timer& stopwatch, const SelectorNumbering* numbering)
        : candidateSolver(candidateSolver),
          testSolver(testSolver),
          foundSolver(foundSolver),
          selectors(selectors),
          candidateAssumptions(candidateAssumptions),
          query(query),
          results(results),
          minaLimit(minaLimit),
          verbosity(verbosity),
          stopwatch(stopwatch),
          numbering(numbering) {}

    void run();

private:
    PinpointingSolver& candidateSolver;
    PinpointingSolver& testSolver;
    PinpointingSolver& foundSolver;
    vec<int>& selectors;
    vec<Lit>& candidateAssumptions;
    const Lit query;
    MinASet& results;
    const long minaLimit;
    const int verbosity;
    usertime::timer& stopwatch;
    const SelectorNumbering* numbering;  // null: the solvers number the selectors as the encoding does

    vec<Lit> candidate;         // the selector set under test, the query literal last when it is tested
    vec<vec<Lit> > cycleList;   // blocking clauses of the MinAs found in this cycle
    std::set<int> queued;       // selectors already put on the drop queue
    std::deque<int> dropQueue;  // selectors still to be dropped from a candidate
    bool firstPass = true;
    bool stackMode = false;
    bool fromQueue = false;
    bool passFromStack = false;  // the current test set came from the explanation stack
    long stored = 0;

    enum class Outcome { go_on, finished };

    void takeModelSelectors(int dropped);
    void buildTestSet();
    void learnOutsideOf(const vec<Lit>& consistent);
    Outcome onConsistent();
    Outcome onInconsistent();
    void minimise(vec<Lit>& core);
    Outcome store(vec<Lit>& mina, bool& alreadyFound);
    void printSelectors(const char* label, const vec<Lit>& lits, bool negated = false);
    void printTimedMinA(const vec<Lit>& mina);
    void endCycle();
    void selectorFreeQuery();
};

void Enumeration::takeModelSelectors(int dropped) {
    for (int i = 0; i < selectors.size(); i++) {
        int s = selectors[i];
        if (s != dropped && candidateSolver.model[s] != l_False) candidate.push(Lit(s));
    }
}

void Enumeration::buildTestSet() {
    passFromStack = stackMode;
    if (stackMode) {
        testSolver.selectorBound = -1;
        vec<Lit>& top = testSolver.explanations.last();
        for (int i = top.size() - 1; i >= 0; i--) candidate.push(top[i]);
        testSolver.explanations.pop();
        stackMode = testSolver.explanations.size() > 0;
        return;
    }
    if (candidate.size() == 0 && !dropQueue.empty()) {
        int m = dropQueue.front();
        dropQueue.pop_front();
        takeModelSelectors(m);
        fromQueue = true;
    } else {
        fromQueue = false;
    }
    testSolver.selectorBound = selectors.last();
    if (firstPass) testSolver.assumptions.push(query);
    candidate.push(query);
}

// The selectors of a set that is consistent with the query literal hold no
// MinA, so every MinA still to be found has a selector outside the set; the
// candidate solver learns that clause. Without it the candidate solver, which
// otherwise only learns that no later candidate may contain the whole set,
// would go on to propose every subset of the set, one at a time.
void Enumeration::learnOutsideOf(const vec<Lit>& consistent) {
    std::set<int> inside;
    for (int i = 0; i < consistent.size(); i++) inside.insert(var(consistent[i]));
    vec<Lit> outside;
    for (int i = 0; i < selectors.size(); i++) {
        if (!inside.count(selectors[i])) outside.push(Lit(selectors[i]));
    }
    candidateSolver.backjumpAndLearn(outside, 0);
}

Enumeration::Outcome Enumeration::onConsistent() {
    candidate.pop();
    if (!fromQueue) {
        vec<Lit> bad;
        negate_into(candidate, bad);
        if (verbosity >= VERBOSITY_TRACE) printSelectors("BAD: ", bad);
        if (!candidateSolver.backjump(bad)) {
            if (verbosity >= VERBOSITY_TRACE) std::cout << "DONE!\n";
            return Outcome::finished;
        }
    }
    // A set from the explanation stack may have been tested without the
    // query literal. The first test of the call is made on every selector,
    // so when it is consistent there is no MinA at all: nothing lies
    // outside it.
    if (firstPass) {
        vec<Lit> none;
        candidateSolver.backjumpAndLearn(none, 0);
    } else if (!passFromStack) {
        learnOutsideOf(candidate);
    }
    return Outcome::go_on;
}

// Deletion: each literal in turn is left out; when the rest with the query
// literal is still inconsistent, it goes for good.
void Enumeration::minimise(vec<Lit>& core) {
    vec<Lit> trial;
    int j = 0;
    while (j < core.size()) {
        trial.clear();
        for (int i = 0; i < core.size(); i++) {
            if (i != j) trial.push(core[i]);
        }
        trial.push(query);
        if (testSolver.solve(trial, false, false)) {
            j++;
        } else {
            for (int i = j; i + 1 < core.size(); i++) core[i] = core[i + 1];
            core.pop();
        }
    }
}

// Selector sets are printed in the encoding's numbering.
void Enumeration::printSelectors(const char* label, const vec<Lit>& lits, bool negated) {
    std::cout << label;
    if (numbering != nullptr) {
        vec<Lit> global;
        numbering->toGlobal(lits, global);
        print_literals(std::cout, global, negated);
    } else {
        print_literals(std::cout, lits, negated);
    }
    std::cout << "\n";
}

void Enumeration::printTimedMinA(const vec<Lit>& mina) {
    printSelectors("MinA AXIOMS: ", mina);
    std::cerr << "ELAPSED (CPU-sec): " << stopwatch.elapsed(true) << "\n";
    stopwatch.stop();
}

Enumeration::Outcome Enumeration::store(vec<Lit>& mina, bool& alreadyFound) {
    vec<Lit>* copy = new vec<Lit>();
    if (numbering != nullptr) {
        numbering->toGlobal(mina, *copy);
    } else {
        mina.copyTo(*copy);
    }
    if (!results.insert(copy).second) {
        if (verbosity >= VERBOSITY_TRACE) printSelectors("ALREADY FOUND: ", mina, true);
        delete copy;
        alreadyFound = true;
        return Outcome::go_on;
    }
    alreadyFound = false;

    cycleList.push();
    negate_into(mina, cycleList.last());
    if (mina.size() > 1) {
        for (int i = 0; i < mina.size(); i++) {
            if (queued.insert(var(mina[i])).second) dropQueue.push_back(var(mina[i]));
        }
    }
    if (verbosity >= VERBOSITY_MINAS) printTimedMinA(mina);
    vec<Lit> blocking;
    negate_into(mina, blocking);
    foundSolver.addClause(blocking);
    stored++;
    if (stored == minaLimit) {
        clear_explanations(testSolver);
        return Outcome::finished;
    }
    return Outcome::go_on;
}

Enumeration::Outcome Enumeration::onInconsistent() {
    testSolver.selectorBound = -1;
    vec<Lit> core;
    for (int i = 0; i < testSolver.conflict.size(); i++) {
        Lit p = testSolver.conflict[i];
        if (p != ~query) core.push(~p);
    }
    if (!foundSolver.solve(core, false, false)) {
        if (verbosity >= VERBOSITY_TRACE) printSelectors("ALREADY FOUND: ", foundSolver.conflict, true);
        return Outcome::go_on;
    }

    minimise(core);
    if (minaLimit == 1) {
        if (verbosity >= VERBOSITY_MINAS) {
            printTimedMinA(core);
        } else {
            std::cerr << "ELAPSED (CPU-sec): " << stopwatch.elapsed(true) << "\n";
            stopwatch.stop();
        }
        vec<Lit> blocking;
        negate_into(core, blocking);
        candidateSolver.backjumpAndLearn(blocking, kBlockingActivityFactor);
        return Outcome::finished;
    }
    bool alreadyFound;
    return store(core, alreadyFound);
}

void Enumeration::endCycle() {
    if (cycleList.size() == 1 && cycleList[0].size() == 1) {
        candidateSolver.cancelUntil(0);
        candidateSolver.addClause(cycleList[0]);
    } else {
        candidateSolver.backjumpAndLearn(cycleList, kBlockingActivityFactor);
    }
    cycleList.clear();
}

// With no selector to draw candidates from, the only possible MinA is the
// empty set, which is one when the query literal alone is refuted.
void Enumeration::selectorFreeQuery() {
    vec<Lit> alone;
    alone.push(query);
    testSolver.selectorBound = -1;
    if (testSolver.solve(alone, false, false)) return;
    vec<Lit> empty;
    if (minaLimit == 1) {
        if (verbosity >= VERBOSITY_MINAS) {
            printTimedMinA(empty);
        } else {
            std::cerr << "ELAPSED (CPU-sec): " << stopwatch.elapsed(true) << "\n";
            stopwatch.stop();
        }
        return;
    }
    bool alreadyFound;
    store(empty, alreadyFound);
    cycleList.clear();
}

void Enumeration::run() {
    if (selectors.size() == 0) {
        selectorFreeQuery();
        return;
    }
    for (;;) {
        if (!candidateSolver.solve(candidateAssumptions, false, false)) return;
        candidate.clear();
        takeModelSelectors(-1);
        if (candidate.size() == 0) return;
        stackMode = false;

        for (;;) {
            buildTestSet();
            bool consistent = testSolver.solve(candidate, firstPass, false);
            Outcome outcome = consistent ? onConsistent() : onInconsistent();
            if (outcome == Outcome::finished) return;
            candidate.clear();
            firstPass = false;
            if (dropQueue.empty()) {
                if (testSolver.explanations.size() > 0) {
                    stackMode = true;
                } else {
                    // (stack mode is on only while the stack holds entries)
                    stackMode = false;
                    break;
                }
            }
        }
        endCycle();
    }
}

}  // namespace

namespace {

// The first test of a query is made on the assumptions kept here: every
// selector (and then the query literal). Placing them needs no propagation
// now: that test puts the query literal first, so it starts from level 0 in
// any case.
void place_all_selectors(vec<int>& assumptionList, PinpointingSolver& testSolver) {
    testSolver.cancelUntil(0);
    testSolver.assumptions.clear();
    for (int i = 0; i < assumptionList.size(); i++) testSolver.assumptions.push(Lit(assumptionList[i]));
}

void add_selector_variables(int count, PinpointingSolver& candidateSolver, PinpointingSolver& foundSolver) {
    candidateSolver.polarityMode = Solver::POLARITY_POSITIVE;
    candidateSolver.keepsTrail = true;
    for (int i = 0; i < count; i++) {
        candidateSolver.newVar(true, true);
        foundSolver.newVar(true, true);
    }
}

void print_resetting(usertime::timer& stopwatch) {
    std::cerr << "RESETTING (CPU-sec): " << stopwatch.elapsed(true) << "\n";
    stopwatch.stop();
}

}  // namespace

void prepare_pinpointing(vec<int>& assumptionList, ClauseList& clauses, PinpointingSolver& candidateSolver,
                         PinpointingSolver& testSolver, PinpointingSolver& foundSolver, PinpointingSolver* coneSolver,
                         RelevantClauses* relevantClauses, int /*verbosity*/, usertime::timer& stopwatch) {
    // The solver that takes the whole encoding.
    PinpointingSolver& whole = relevantClauses == nullptr ? testSolver : *coneSolver;
    if (relevantClauses == nullptr) {
        add_selector_variables(assumptionList.size(), candidateSolver, foundSolver);
        testSolver.propagationOnly = true;
    }
    if (relevantClauses == nullptr || coneSolver != nullptr) {
        for (int i = 0; i < assumptionList.size(); i++) whole.newVar(true, true);
        whole.addClauses(clauses);
    }
    if (relevantClauses != nullptr) {
        // The cone solver has a variable for each selector and for every
        // variable of the clauses.
        int variables = assumptionList.size();
        if (coneSolver != nullptr) {
            variables = coneSolver->nVars();
        } else {
            for (int c = 0; c < clauses.size(); c++) {
                for (int k = 0; k < clauses.clauseSize(c); k++) {
                    if (var(clauses.clause(c)[k]) >= variables) variables = var(clauses.clause(c)[k]) + 1;
                }
            }
        }
        relevantClauses->adopt(clauses, variables);
    } else {
        clauses.release();
        place_all_selectors(assumptionList, testSolver);
    }

    std::cerr << "LOADING (CPU-sec): " << stopwatch.elapsed(false) << "\n";
    stopwatch.stop();
}

void reset_between_queries(vec<int>& assumptionList, PinpointingSolver& candidateSolver,
                           PinpointingSolver& testSolver, PinpointingSolver& foundSolver, usertime::timer& stopwatch) {
    add_selector_variables(assumptionList.size(), candidateSolver, foundSolver);
    clear_explanations(testSolver);
    place_all_selectors(assumptionList, testSolver);
    print_resetting(stopwatch);
}

void load_cone_query(RelevantClauses& relevantClauses, Lit query, vec<int>& coneSelectors, vec<int>& selectorList,
                     int selectorCount, PinpointingSolver& candidateSolver, PinpointingSolver& testSolver,
                     PinpointingSolver& foundSolver, SelectorNumbering& numbering, bool resetting, usertime::timer& stopwatch) {
    numbering.query = relevantClauses.loadTestSolver(query, coneSelectors, selectorCount, testSolver, numbering.global);
    numbering.splitByCone(coneSelectors, selectorList);
    add_selector_variables(numbering.global.size(), candidateSolver, foundSolver);
    if (resetting) print_resetting(stopwatch);
}

void perform_pinpointing(PinpointingSolver& candidateSolver, PinpointingSolver& testSolver,
                         PinpointingSolver& foundSolver, vec<int>& assumptionList, vec<Lit>& excludedSelectors,
                         vec<int>& coneSelectors, bool useCone, Lit query, MinASet& results, long minaLimit,
                         int verbosity, usertime::timer& stopwatch, const SelectorNumbering* numbering) {
    vec<Lit> candidateAssumptions;
    if (useCone) excludedSelectors.copyTo(candidateAssumptions);
    Enumeration enumeration(candidateSolver, testSolver, foundSolver, useCone ? coneSelectors : assumptionList,
                            candidateAssumptions, query, results, minaLimit, verbosity, stopwatch, numbering);
    enumeration.run();
}
