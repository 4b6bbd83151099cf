#ifndef KORVANE_PINPOINTER_MINA_ENUMERATION_H
#define KORVANE_PINPOINTER_MINA_ENUMERATION_H

#include "pinpointer/ClauseList.h"
#include "pinpointer/Verbosity.h"
#include "pinpointer/MinAsComparator.h"
#include "pinpointer/PinpointingSolver.h"
#include "pinpointer/RelevantClauses.h"
#include "pinpointer/SelectorNumbering.h"
#include "pinpointer/timer.h"

// MinA enumeration: three solvers cooperate. The candidate solver, over the
// selectors alone, proposes candidate sets (every decision makes a selector
// true); the test solver holds the whole encoding, or (with the cone of
// influence) only the query's relevant clauses, and decides each set with
// the query literal by unit propagation, explaining its failures; the
// found-set solver holds the blocking clauses of the MinAs found for the
// current query, so that a core containing one is not minimised again.
//
// Selectors are the 0-based solver variables of the assumption list, which
// must be 0 .. k-1 in ascending order.

// Loads the solvers once: every clause (in list order, literal order kept)
// into the test solver, or, with relevantClauses (under the cone of
// influence), there instead, and into the cone solver when given; empties
// the clause list; prints "LOADING". Without relevantClauses the candidate
// and found-set solvers get one variable per selector and the test solver
// keeps all selectors as the assumptions of its first test; with it the
// three enumeration solvers stay empty for load_cone_query.
void prepare_pinpointing(vec<int>& assumptionList, ClauseList& clauses, PinpointingSolver& candidateSolver,
                         PinpointingSolver& testSolver, PinpointingSolver& foundSolver, PinpointingSolver* coneSolver,
                         RelevantClauses* relevantClauses, int verbosity, usertime::timer& stopwatch);

// Readies freshly made candidate and found-set solvers and the test solver
// of the whole encoding (which keeps its clauses, learnt ones included) for
// the next query; prints "RESETTING".
void reset_between_queries(vec<int>& assumptionList, PinpointingSolver& candidateSolver,
                           PinpointingSolver& testSolver, PinpointingSolver& foundSolver, usertime::timer& stopwatch);

// Under the cone of influence, for every query: loads fresh candidate, test
// and found-set solvers over the query's selectors in play, numbered as
// numbering says (which it fills): the test solver with the clauses that can
// refute the query (see RelevantClauses), the other two with one variable
// per selector in play. The selectors of selectorList (the list that the
// cone was intersected with) that are in play but outside the cone become
// excluded selectors, as all the others of the list would be. With
// resetting (every query but the first) prints "RESETTING", as
// reset_between_queries does.
void load_cone_query(RelevantClauses& relevantClauses, Lit query, vec<int>& coneSelectors, vec<int>& selectorList,
                     int selectorCount, PinpointingSolver& candidateSolver, PinpointingSolver& testSolver,
                     PinpointingSolver& foundSolver, SelectorNumbering& numbering, bool resetting, usertime::timer& stopwatch);

// Enumerates the MinAs of the query literal, or the first minaLimit of them
// (0: all). With useCone the candidates are drawn from the cone selectors
// and the excluded selectors are assumed false. With a numbering (from
// load_cone_query) the selector lists and the query literal are given in
// the solvers' numbering, and the MinAs are stored and printed in the
// encoding's. The MinAs go into results (except with the limit 1, where the
// first one is only printed) and are printed on standard output by
// verbosity.
void perform_pinpointing(PinpointingSolver& candidateSolver, PinpointingSolver& testSolver,
                         PinpointingSolver& foundSolver, vec<int>& assumptionList, vec<Lit>& excludedSelectors,
                         vec<int>& coneSelectors, bool useCone, Lit query, MinASet& results, long minaLimit,
                         int verbosity, usertime::timer& stopwatch, const SelectorNumbering* numbering = nullptr);

#endif
