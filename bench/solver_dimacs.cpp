// DIMACS front end over the solver, for benchmarks and debugging.
//
//   korvane_solver_dimacs FILE            solve FILE; prints "s SATISFIABLE" or
//                                         "s UNSATISFIABLE", exit status 10 or 20
//   korvane_solver_dimacs -v FILE         the same with the search statistics
//   korvane_solver_dimacs -m FILE         the same with a "v ..." model line
//   korvane_solver_dimacs -s FILE         solve with the simplifying solver
//                                         (elimination and subsumption first)
//   korvane_solver_dimacs gen3 V C SEED FILE
//                                         writes a random 3-SAT instance with V
//                                         variables and C clauses (three distinct
//                                         variables per clause, random signs)
//   korvane_solver_dimacs split3 V C SEED FILE
//                                         the same instance with every clause
//                                         (a b c) split into (a t1) (-t1 b t2)
//                                         (-t2 c) over two fresh variables: a
//                                         structured instance whose fresh
//                                         variables elimination removes

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "solver/SimpSolver.h"
#include "solver/Solver.h"

namespace {

uint64_t nextRandom(uint64_t& state) {
    uint64_t z = (state += 0x9e3779b97f4a7c15ULL);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ULL;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebULL;
    return z ^ (z >> 31);
}

int generate3Sat(int vars, int clauses, uint64_t seed, const char* path, bool split) {
    FILE* out = std::fopen(path, "w");
    if (out == nullptr) {
        std::fprintf(stderr, "cannot write %s: %s\n", path, std::strerror(errno));
        return 1;
    }
    if (split) {
        std::fprintf(out, "p cnf %d %d\n", vars + 2 * clauses, 3 * clauses);
    } else {
        std::fprintf(out, "p cnf %d %d\n", vars, clauses);
    }
    for (int c = 0; c < clauses; c++) {
        int picked[3];
        for (int k = 0; k < 3; k++) {
            bool fresh;
            do {
                picked[k] = static_cast<int>(nextRandom(seed) % static_cast<uint64_t>(vars)) + 1;
                fresh = true;
                for (int l = 0; l < k; l++) fresh = fresh && picked[l] != picked[k];
            } while (!fresh);
            bool negative = (nextRandom(seed) & 1) != 0;
            if (negative) picked[k] = -picked[k];
            if (!split) std::fprintf(out, "%d ", picked[k]);
        }
        if (split) {
            int t1 = vars + 2 * c + 1;
            int t2 = t1 + 1;
            std::fprintf(out, "%d %d 0\n%d %d %d 0\n%d %d 0\n", picked[0], t1, -t1, picked[1], t2, -t2, picked[2]);
        } else {
            std::fprintf(out, "0\n");
        }
    }
    std::fclose(out);
    return 0;
}

// Reads the clauses of a DIMACS file into the solver; false on a syntax error.
template <class S>
bool readDimacs(FILE* in, S& solver) {
    vec<Lit> lits;
    int c;
    while ((c = std::fgetc(in)) != EOF) {
        if (c == 'c' || c == 'p') {
            while (c != '\n' && c != EOF) c = std::fgetc(in);
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r') continue;
        std::ungetc(c, in);
        int lit;
        if (std::fscanf(in, "%d", &lit) != 1) return false;
        if (lit == 0) {
            solver.addClause(lits);
            lits.clear();
            continue;
        }
        int v = (lit > 0 ? lit : -lit) - 1;
        while (solver.nVars() <= v) solver.newVar();
        lits.push(Lit(v, lit < 0));
    }
    if (lits.size() > 0) solver.addClause(lits);
    return true;
}

bool solveAll(Solver& solver) { return solver.solve(solver.assumptions); }
bool solveAll(SimpSolver& solver) { return solver.solve(solver.assumptions, true, true); }

// Reads and solves one file; the exit status of the program.
template <class S>
int run(FILE* in, const char* name, bool verbose, bool printModel) {
    S solver;
    if (verbose) solver.verbosity = 1;
    if (!readDimacs(in, solver)) {
        std::fprintf(stderr, "syntax error in %s\n", name);
        return 1;
    }
    std::fclose(in);

    bool sat = solver.okay() && solver.simplify() && solveAll(solver);
    std::printf("s %s\n", sat ? "SATISFIABLE" : "UNSATISFIABLE");
    if (sat && printModel) {
        std::printf("v");
        for (int i = 0; i < solver.nVars(); i++) {
            std::printf(" %d", solver.model[i] == l_False ? -(i + 1) : i + 1);
        }
        std::printf(" 0\n");
    }
    if (verbose) {
        std::fprintf(stderr, "restarts %llu conflicts %llu decisions %llu propagations %llu\n",
                     static_cast<unsigned long long>(solver.startCount),
                     static_cast<unsigned long long>(solver.conflictCount),
                     static_cast<unsigned long long>(solver.decisionCount),
                     static_cast<unsigned long long>(solver.propagationCount));
    }
    return sat ? 10 : 20;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 6 && (std::strcmp(argv[1], "gen3") == 0 || std::strcmp(argv[1], "split3") == 0)) {
        return generate3Sat(std::atoi(argv[2]), std::atoi(argv[3]), std::strtoull(argv[4], nullptr, 10), argv[5],
                            argv[1][0] == 's');
    }
    bool verbose = false;
    bool printModel = false;
    bool simplifying = false;
    int arg = 1;
    for (; arg < argc - 1; arg++) {
        if (std::strcmp(argv[arg], "-v") == 0) {
            verbose = true;
        } else if (std::strcmp(argv[arg], "-m") == 0) {
            printModel = true;
        } else if (std::strcmp(argv[arg], "-s") == 0) {
            simplifying = true;
        } else {
            break;
        }
    }
    if (arg != argc - 1) {
        std::fprintf(stderr, "usage: %s [-v] [-m] [-s] FILE | gen3|split3 VARS CLAUSES SEED FILE\n", argv[0]);
        return 1;
    }
    FILE* in = std::fopen(argv[arg], "r");
    if (in == nullptr) {
        std::fprintf(stderr, "cannot read %s: %s\n", argv[arg], std::strerror(errno));
        return 1;
    }
    int status = simplifying ? run<SimpSolver>(in, argv[arg], verbose, printModel)
                             : run<Solver>(in, argv[arg], verbose, printModel);
    return status;
}
