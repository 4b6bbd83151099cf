#ifndef KORVANE_REASONER_RELOADEDNAMES_H
#define KORVANE_REASONER_RELOADEDNAMES_H

#include <unordered_map>

#include "model/Concept.h"

// Which fresh concept of a stored encoding's axiom clauses stands for which
// concept. A fresh concept F names C on left sides when C ⊑ F is the only
// inclusion into F from a concept not fresh, and D on right sides when
// F ⊑ D is the only inclusion out of F to a concept not fresh (the link
// X ⊑ Y between the names of a GCI's two sides counts for neither). What
// else normalisation leaves there is no name: F ⊑ D1, F ⊑ D2 name a
// conjunction that is not in the normal form, and the fresh concept that
// cuts a GCI C ⊑ D between two complex sides stands for C only (were it D's
// name too, a concept with C in it on the left and one with D in it on the
// right would share it, and D ⊑ C would follow).
class ReloadedNames {
public:
    // Counts the axiom clause c ⊑ d; every clause before the questions.
    void count(Concept* c, Concept* d);

    // Whether the fresh f names, on left sides, the concept of the one
    // inclusion into it.
    bool namesForward(Concept* f) const;
    // Whether the fresh f names d on right sides (f ⊑ d is an inclusion).
    bool namesBackward(Concept* f, Concept* d) const;

private:
    static unsigned number(const std::unordered_map<Concept*, unsigned>& counts, Concept* f);

    std::unordered_map<Concept*, unsigned> into;
    std::unordered_map<Concept*, unsigned> outOf;
    std::unordered_map<Concept*, Concept*> namedBy;
};

#endif
