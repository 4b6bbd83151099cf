#ifndef KORVANE_PINPOINTER_SELECTORNUMBERING_H
#define KORVANE_PINPOINTER_SELECTORNUMBERING_H

#include "solver/Lit.h"
#include "solver/vec.h"

// The numbering of one query's enumeration solvers under the cone of
// influence: they hold only the selectors in play for the query, numbered
// 0 .. m-1 in the ascending order of the selector variables they stand for,
// so that every comparison of selectors comes out as it would on the
// encoding's own numbering.
class SelectorNumbering {
public:
    vec<int> global;             // the selector variable of each solver variable 0 .. m-1, ascending
    vec<int> coneSelectors;      // the cone selectors, in the solvers' numbering
    vec<Lit> excludedSelectors;  // negative literals of the listed selectors in play outside the cone
    Lit query;                   // the query literal in the test solver's numbering

    // Picks out of the selectors in play the cone selectors and the excluded
    // ones: those of the selector list that the cone leaves out (a selector
    // outside the list is neither). Both lists are in the encoding's
    // numbering, ascending.
    void splitByCone(const vec<int>& coneSelectorsGlobal, const vec<int>& selectorList);
    // The same literals in the encoding's numbering.
    void toGlobal(const vec<Lit>& lits, vec<Lit>& out) const;
};

#endif
