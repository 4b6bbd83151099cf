#ifndef KORVANE_SOLVER_REDUCEDB_LT_H
#define KORVANE_SOLVER_REDUCEDB_LT_H

#include "solver/Clause.h"

// Order of the learnt clauses when the database is reduced: clauses of more
// than two literals by ascending activity, two-literal clauses last.
struct reduceDB_lt {
    bool operator()(const Clause* x, const Clause* y) const {
        return x->size() > 2 && (y->size() == 2 || x->activity() < y->activity());
    }
};

#endif
