#include "pinpointer/RelevantClauses.h"

#include "solver/sort.h"

void RelevantClauses::add(const vec<Lit>& clause) {
    for (int i = 0; i < clause.size(); i++) {
        literals.push(clause[i]);
        if (var(clause[i]) >= variableCount) variableCount = var(clause[i]) + 1;
    }
    starts.push(literals.size());
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
        for (int i = starts[c]; i < starts[c + 1]; i++) {
            if (sign(literals[i])) continue;
            headStarts[var(literals[i]) + 1]++;
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
        for (int i = starts[c]; i < starts[c + 1]; i++) {
            if (!sign(literals[i])) headClauses[next[var(literals[i])]++] = c;
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
    for (int i = starts[clause]; i < starts[clause + 1]; i++) {
        if (!sign(literals[i]) && !insideVariable[var(literals[i])]) return false;
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
    for (int i = starts[clause]; i < starts[clause + 1]; i++) enter(var(literals[i]), variables);
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
        for (int k = starts[c]; k < starts[c + 1]; k++) clause.push(Lit(local[var(literals[k])], sign(literals[k])));
        solver.addClause(clause);
    }
    solver.assumptions.clear();
    for (int i = 0; i < relevantSelectors.size(); i++) solver.assumptions.push(Lit(local[relevantSelectors[i]]));
    Lit localQuery = Lit(local[var(query)], sign(query));

    clearMarks(clauseIds, variables);
    return localQuery;
}
