// Diagnostics of the simplifying solver: the check of the eliminated
// clauses against the model and the dump of the simplified clause set.

#include <cstdio>

#include "solver/SimpSolver.h"

void SimpSolver::verifyModel() {
    int count = 0;
    for (int v = 0; v < eliminationTable.size(); v++) {
        if (eliminationTable[v].order == 0) continue;
        const vec<Clause*>& cs = eliminationTable[v].eliminatedClauses;
        for (int i = 0; i < cs.size(); i++) checkAgainstModel(*cs[i]);
        count += cs.size();
    }
    std::fflush(stdout);
    std::fprintf(stderr, "Verified %d eliminated clauses.\n", count);
    std::fflush(stderr);
}

void SimpSolver::toDimacs(const char* file) {
    FILE* f = std::fopen(file, "w");
    if (f == nullptr) {
        std::fprintf(stderr, "could not open file %s\n", file);
        return;
    }
    int unsatisfied = 0;
    for (int i = 0; i < nClauses(); i++) {
        if (!satisfied(*problemClauses[i])) unsatisfied++;
    }
    std::fprintf(f, "p cnf %d %d\n", nVars(), unsatisfied);
    for (int i = 0; i < nClauses(); i++) toDimacs(f, *problemClauses[i]);
    // The dump is complete once the file is closed.
    std::fclose(f);
    std::fprintf(stderr, "Wrote %d clauses...\n", nClauses());
}

void SimpSolver::toDimacs(FILE* f, Clause& c) {
    if (satisfied(c)) return;
    for (int i = 0; i < c.size(); i++) {
        if (value(c[i]) != l_False) std::fprintf(f, "%s%d ", sign(c[i]) ? "-" : "", var(c[i]) + 1);
    }
    std::fprintf(f, "0\n");
}
