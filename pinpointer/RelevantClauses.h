#ifndef KORVANE_PINPOINTER_RELEVANTCLAUSES_H
#define KORVANE_PINPOINTER_RELEVANTCLAUSES_H

#include "pinpointer/ClauseList.h"
#include "pinpointer/PinpointingSolver.h"

// Every clause of the encoding, in file order, indexed by the variables that
// it holds positively; for one query it loads a test solver with only the
// clauses that can take part in refuting the query.
//
// The tests of the MinA enumeration assume selectors true and the query
// literal, and nothing else false. The closure of a query starts from the
// variable of a negative query and from the clauses without a positive
// literal, and takes every clause all of whose positive literals are in it,
// with its variables. Only a variable of the closure can ever turn false:
// a clause forces a literal false, or conflicts, only when all its positive
// literals are false. A clause outside the closure has a positive literal
// outside it, which never turns false; so the clause neither conflicts nor
// forces anything false, and all it can force true is such a literal,
// which no clause of the closure holds (the closure holds every variable
// of its clauses). So under any such assumptions the closure's clauses give
// the same conflicts and force the same selectors false, level by level, as
// the whole encoding; a query's closure is usually a few thousand clauses
// out of millions.
class RelevantClauses {
public:
    RelevantClauses() {}
    RelevantClauses(const RelevantClauses&) = delete;
    RelevantClauses& operator=(const RelevantClauses&) = delete;

    // Appends a clause (literal order kept).
    void add(const vec<Lit>& clause);
    // Takes over the clauses of list while none were added yet, and leaves
    // list empty; variables lies above every variable of the list.
    void adopt(ClauseList& list, int variables);
    // Makes sure that the variables 0 .. count-1 exist.
    void reserveVariables(int count);
    int nVars() const { return variableCount; }
    int nClauses() const { return clauses.size(); }

    // Loads the fresh solver with the clauses of the closure of the query
    // literal, in file order and literal order, set up as the enumeration's
    // test solver, and numbers its variables: first the selectors in play
    // (those of the closure, the given cone selectors and the query's
    // variable when it is a selector; fewer than selectorCount), ascending,
    // then the other variables of the closure and the query's, ascending.
    // Fills selectorsInPlay with the selector variable of each solver
    // variable below their count, and the solver's assumptions with the
    // selectors of the closure, ascending: its first test then places what
    // placing every selector would (a selector without clauses there forces
    // nothing). Returns the query literal in the solver's numbering.
    Lit loadTestSolver(Lit query, const vec<int>& coneSelectors, int selectorCount, PinpointingSolver& solver,
                       vec<int>& selectorsInPlay);

    // The clauses of the closure of the query literal, ascending (file
    // order).
    void closure(Lit query, vec<int>& clauseIds);

private:
    ClauseList clauses;
    int variableCount = 0;

    // The index, made on first use: the clauses holding variable v
    // positively are headClauses[headStarts[v]] .. headClauses[headStarts[v + 1] - 1].
    bool indexed = false;
    vec<int> headStarts;
    vec<int> headClauses;
    vec<int> headless;  // clauses without a positive literal

    // Per-query marks, cleared after each use.
    vec<char> insideVariable;
    vec<char> takenClause;
    vec<int> local;  // solver variable of each variable of the closure

    void buildIndex();
    // The closure of the query literal, its clauses ascending; leaves the
    // marks of the closure set.
    void collect(Lit query, vec<int>& clauseIds, vec<int>& variables);
    void clearMarks(const vec<int>& clauseIds, const vec<int>& variables);
    bool positivesInside(int clause) const;
    void take(int clause, vec<int>& clauseIds, vec<int>& variables);
    void enter(int v, vec<int>& variables);
};

#endif
