#include "pinpointer/RelevantClauses.h"

#include "solver/sort.h"

void RelevantClauses::add(const vec<Lit>& clause) {
    for (int i = 0; i < clause.size(); i++) {
        if (var(clause[i]) >= variableCount) variableCount = var(clause[i]) + 1;
    }
    clauses.add(clause);
    indexed = false;
}

void RelevantClauses::adopt(ClauseList& list, int variables) {
    clauses.swap(list);
    list.release();
    if (variables > variableCount) variableCount = variables;
    indexed = false;
}

void RelevantClauses::reserveVariables(int count) {
    if (count <= variableCount) return;
    variableCount = count;
    indexed = false;
}

void RelevantClauses::buildIndex() {
    headStarts.clear(true);
    headStarts.growTo(variableCount + 1, 0);
    headless.clear(true);
    for (int c = 0; c < nClauses(); c++) {
        bool positive = false;
        const Lit* lits = clauses.clause(c);
        for (int i = 0; i < clauses.clauseSize(c); i++) {
            if (sign(lits[i])) continue;
            headStarts[var(lits[i]) + 1]++;
            positive = true;
        }
        if (!positive) headless.push(c);
    }
    for (int v = 0; v < variableCount; v++) headStarts[v + 1] += headStarts[v];

    headClauses.clear(true);
    headClauses.growTo(headStarts[variableCount], 0);
    vec<int> next;
    headStarts.copyTo(next);
    for (int c = 0; c < nClauses(); c++) {
        const Lit* lits = clauses.clause(c);
        for (int i = 0; i < clauses.clauseSize(c); i++) {
            if (!sign(lits[i])) headClauses[next[var(lits[i])]++] = c;
        }
    }

    insideVariable.clear(true);
    insideVariable.growTo(variableCount, 0);
    local.clear(true);
    local.growTo(variableCount, -1);
    takenClause.clear(true);
    takenClause.growTo(nClauses(), 0);
    indexed = true;
}

bool RelevantClauses::positivesInside(int clause) const {
    const Lit* lits = clauses.clause(clause);
    for (int i = 0; i < clauses.clauseSize(clause); i++) {
        if (!sign(lits[i]) && !insideVariable[var(lits[i])]) return false;
    }
    return true;
}

void RelevantClauses::enter(int v, vec<int>& variables) {
    if (insideVariable[v]) return;
    insideVariable[v] = 1;
    variables.push(v);
}

void RelevantClauses::take(int clause, vec<int>& clauseIds, vec<int>& variables) {
    takenClause[clause] = 1;
    clauseIds.push(clause);
    const Lit* lits = clauses.clause(clause);
    for (int i = 0; i < clauses.clauseSize(clause); i++) enter(var(lits[i]), variables);
}

void RelevantClauses::collect(Lit query, vec<int>& clauseIds, vec<int>& variables) {
    if (!indexed) buildIndex();
    if (sign(query)) enter(var(query), variables);
    for (int i = 0; i < headless.size(); i++) take(headless[i], clauseIds, variables);
    // variables doubles as the work list: each variable is looked at once,
    // and a clause is taken when the last of its positive literals enters.
    for (int next = 0; next < variables.size(); next++) {
        int v = variables[next];
        for (int i = headStarts[v]; i < headStarts[v + 1]; i++) {
            int c = headClauses[i];
            if (!takenClause[c] && positivesInside(c)) take(c, clauseIds, variables);
        }
    }
    sort(clauseIds);
}

void RelevantClauses::clearMarks(const vec<int>& clauseIds, const vec<int>& variables) {
    for (int i = 0; i < clauseIds.size(); i++) takenClause[clauseIds[i]] = 0;
    for (int i = 0; i < variables.size(); i++) {
        insideVariable[variables[i]] = 0;
        local[variables[i]] = -1;
    }
}

void RelevantClauses::closure(Lit query, vec<int>& clauseIds) {
    clauseIds.clear();
    vec<int> variables;
    collect(query, clauseIds, variables);
    clearMarks(clauseIds, variables);
}

Lit RelevantClauses::loadTestSolver(Lit query, const vec<int>& coneSelectors, int selectorCount,
                                    PinpointingSolver& solver, vec<int>& selectorsInPlay) {
    vec<int> clauseIds;
    vec<int> variables;
    collect(query, clauseIds, variables);
    int closureSize = variables.size();
    for (int i = 0; i < coneSelectors.size(); i++) enter(coneSelectors[i], variables);
    enter(var(query), variables);

    selectorsInPlay.clear();
    vec<int> others;
    vec<int> relevantSelectors;
    for (int i = 0; i < variables.size(); i++) {
        int v = variables[i];
        if (v >= selectorCount) {
            others.push(v);
        } else {
            selectorsInPlay.push(v);
            if (i < closureSize) relevantSelectors.push(v);
        }
    }
    sort(selectorsInPlay);
    sort(others);
    sort(relevantSelectors);

    solver.propagationOnly = true;
    for (int i = 0; i < selectorsInPlay.size(); i++) local[selectorsInPlay[i]] = solver.newVar(true, true);
    for (int i = 0; i < others.size(); i++) local[others[i]] = solver.newVar(true, true);

    vec<Lit> clause;
    for (int i = 0; i < clauseIds.size(); i++) {
        int c = clauseIds[i];
        clause.clear();
        const Lit* lits = clauses.clause(c);
        for (int k = 0; k < clauses.clauseSize(c); k++) clause.push(Lit(local[var(lits[k])], sign(lits[k])));
        solver.addClause(clause);
    }
    solver.assumptions.clear();
    for (int i = 0; i < relevantSelectors.size(); i++) solver.assumptions.push(Lit(local[relevantSelectors[i]]));
    Lit localQuery = Lit(local[var(query)], sign(query));

    clearMarks(clauseIds, variables);
    return localQuery;
}
