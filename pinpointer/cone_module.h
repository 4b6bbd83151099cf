#ifndef KORVANE_PINPOINTER_CONE_MODULE_H
#define KORVANE_PINPOINTER_CONE_MODULE_H

#include <set>

#include "pinpointer/Verbosity.h"
#include "pinpointer/PinpointingSolver.h"
#include "pinpointer/timer.h"

// Intersects the selector list (ascending) with a variable set: the listed
// selectors inside go to the module set and the module vector, the others,
// as negative literals, to the excluded selectors (all three are appended
// to). Prints the cone and module lines on standard output by verbosity.
void from_cone_to_module(vec<int>& selectorList, const std::set<int>& cone, std::set<int>& moduleSet,
                         vec<int>& moduleSelectors, vec<Lit>& excludedSelectors, int verbosity);

// The cone of influence of one query on the cone solver and the module that
// it gives within the selector list. With expand (-r) selectors are entered
// but not expanded; with boundTwoLiteral (no -e) two-literal clauses whose
// second variable is not a selector are not followed. Prints "CONE OF
// INFLUENCE" with its time. The cone lines name the query's variable
// shownQueryVariable (when the query literal is on a spare variable that
// stands for one that no clause holds), or by default its own.
void compute_module(PinpointingSolver& coneSolver, vec<int>& selectorList, vec<int>& assumptionList, bool expand,
                    bool boundTwoLiteral, Lit query, std::set<int>& moduleSet, vec<int>& coneSelectors,
                    vec<Lit>& excludedSelectors, int verbosity, usertime::timer& stopwatch, int shownQueryVariable = -1);

#endif
