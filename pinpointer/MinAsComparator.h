#ifndef KORVANE_PINPOINTER_MINASCOMPARATOR_H
#define KORVANE_PINPOINTER_MINASCOMPARATOR_H

#include <set>

#include "solver/Lit.h"
#include "solver/vec.h"

// Order of the MinAs of a query, by their literal sequences as stored: at
// the first position where the variables differ the smaller variable comes
// first (signs are ignored); a prefix comes before the longer sequence.
struct MinAsComparator {
    bool operator()(const vec<Lit>* a, const vec<Lit>* b) const {
        int n = a->size() < b->size() ? a->size() : b->size();
        for (int i = 0; i < n; i++) {
            if (var((*a)[i]) != var((*b)[i])) return var((*a)[i]) < var((*b)[i]);
        }
        return a->size() < b->size();
    }
};

// The MinAs found for one query; the owner frees the vectors.
using MinASet = std::set<vec<Lit>*, MinAsComparator>;

#endif
