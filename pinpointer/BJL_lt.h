#ifndef KORVANE_PINPOINTER_BJL_LT_H
#define KORVANE_PINPOINTER_BJL_LT_H

#include <climits>

#include "solver/Lit.h"
#include "solver/lbool.h"
#include "solver/vec.h"

// Order of the literals of a clause learnt by back-jumping: the literal whose
// variable was assigned at the lower decision level first, and among equal
// levels the smaller variable first. An unassigned variable counts as lying
// above every level (its recorded level is stale).
struct BJL_lt {
    const vec<int>& levels;
    const vec<char>& assignments;

    BJL_lt(const vec<int>& lv, const vec<char>& as) : levels(lv), assignments(as) {}

    int levelOf(Lit p) const {
        int v = var(p);
        return toLbool(assignments[v]) == l_Undef ? INT_MAX : levels[v];
    }
    bool operator()(Lit a, Lit b) const {
        int la = levelOf(a);
        int lb = levelOf(b);
        return la < lb || (la == lb && var(a) < var(b));
    }
};

#endif
