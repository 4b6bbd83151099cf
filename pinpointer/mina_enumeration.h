#ifndef KORVANE_PINPOINTER_MINA_ENUMERATION_H
#define KORVANE_PINPOINTER_MINA_ENUMERATION_H

#include "pinpointer/MinAsComparator.h"
#include "pinpointer/PinpointingSolver.h"
#include "pinpointer/timer.h"

// MinA enumeration: three solvers cooperate. The candidate solver, over the
// selectors alone, proposes candidate sets (every decision makes a selector
// true); the test solver holds the whole encoding and decides each set with
// the query literal by unit propagation, explaining its failures; the
// found-set solver holds the blocking clauses of the MinAs found for the
// current query, so that a core containing one is not minimised again.
//
// Selectors are the 0-based solver variables of the assumption list, which
// must be 0 .. k-1 in ascending order.

// Loads the solvers once: one variable per selector in each, then every
// clause (in list order, literal order kept) into the test solver and, when
// given, the cone solver; empties the clause list; places all selectors in
// the test solver; prints "LOADING".
void prepare_pinpointing(vec<int>& assumptionList, vec<vec<Lit> >& clauses, PinpointingSolver& candidateSolver,
                         PinpointingSolver& testSolver, PinpointingSolver& foundSolver, PinpointingSolver* coneSolver,
                         int verbosity, timer& stopwatch);

// Readies freshly made candidate and found-set solvers and the test solver
// (which keeps its clauses, learnt ones included) for the next query; prints
// "RESETTING".
void reset_between_queries(vec<int>& assumptionList, PinpointingSolver& candidateSolver,
                           PinpointingSolver& testSolver, PinpointingSolver& foundSolver, timer& stopwatch);

// Enumerates the MinAs of the query literal, or the first minaLimit of them
// (0: all). With useCone the candidates are drawn from the cone selectors
// and the excluded selectors are assumed false. The MinAs go into results
// (except with the limit 1, where the first one is only printed) and are
// printed on standard output by verbosity.
void perform_pinpointing(PinpointingSolver& candidateSolver, PinpointingSolver& testSolver,
                         PinpointingSolver& foundSolver, vec<int>& assumptionList, vec<Lit>& excludedSelectors,
                         vec<int>& coneSelectors, bool useCone, Lit query, MinASet& results, long minaLimit,
                         int verbosity, timer& stopwatch);

#endif
