// Diagnostics on standard error: clause printing, the model check and the
// literal-count check.

#include <cstdio>

#include "solver/Solver.h"

void Solver::printClause(const Clause& c) {
    for (int i = 0; i < c.size(); i++) {
        lbool v = value(c[i]);
        char shown = v == l_True ? '1' : v == l_False ? '0' : 'X';
        std::fprintf(stderr, "%s%d:%c ", sign(c[i]) ? "-" : "", var(c[i]) + 1, shown);
    }
}

void Solver::checkAgainstModel(const Clause& c) {
    bool sat = false;
    for (int k = 0; k < c.size() && !sat; k++) {
        sat = var(c[k]) < model.size() && modelValue(c[k]) == l_True;
    }
    if (!sat) {
        std::fflush(stdout);
        std::fprintf(stderr, "unsatisfied clause: ");
        printClause(c);
        std::fprintf(stderr, "\n");
        std::fflush(stderr);
    }
}

void Solver::verifyModel() {
    for (int i = 0; i < problemClauses.size(); i++) checkAgainstModel(*problemClauses[i]);
    std::fflush(stdout);
    std::fprintf(stderr, "Verified %d original clauses.\n", nClauses());
    std::fflush(stderr);
}

void Solver::checkLiteralCount() {
    int count = 0;
    for (int i = 0; i < problemClauses.size(); i++) {
        if (problemClauses[i]->mark() == 0) count += problemClauses[i]->size();
    }
    if (static_cast<uint64_t>(count) != problemLiteralCount) {
        std::fflush(stdout);
        std::fprintf(stderr, "literal count: %d, real value = %d\n", static_cast<int>(problemLiteralCount), count);
        std::fflush(stderr);
    }
}
