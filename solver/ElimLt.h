#ifndef KORVANE_SOLVER_ELIMLT_H
#define KORVANE_SOLVER_ELIMLT_H

#include <cstdint>

#include "solver/Lit.h"
#include "solver/vec.h"

// Elimination order of the simplifying solver: the cheaper variable comes
// first, the cost of v being the number of clauses with its positive literal
// times the number with its negative literal (occurrence counts indexed by
// literal code). The product is taken in 64 bits so that large counts cannot
// overflow.
struct ElimLt {
    const vec<int>& occurrenceCounts;
    explicit ElimLt(const vec<int>& counts) : occurrenceCounts(counts) {}

    int64_t cost(int v) const {
        return static_cast<int64_t>(occurrenceCounts[toInt(Lit(v))]) * occurrenceCounts[toInt(Lit(v, true))];
    }
    bool operator()(int x, int y) const { return cost(x) < cost(y); }
};

#endif
