#ifndef KORVANE_TESTS_PEERSOLVER_H
#define KORVANE_TESTS_PEERSOLVER_H

#include <string>
#include <vector>

// Independent programs run as oracles: SAT solvers (picosat, cadical) and
// the OWL reasoner (Konclude).

// The path of a program on the PATH, or "" when there is none; the variable
// KORVANE_PICOSAT, when it names an executable, stands for picosat.
std::string peerProgram(const std::string& name);

// Whether the program of a peer command (its first word) is installed.
bool peerAvailable(const std::string& command);

// Runs an independent SAT solver on a DIMACS text fed on its standard input:
// 10 satisfiable, 20 unsatisfiable, anything else -1 (the solver rejected
// the text or is missing). `solver` is the program's name followed by its
// options, separated by blanks (such as "cadical -q").
int runPeerSolver(const std::string& solver, const std::string& cnf);

// The same with the text given in pieces, fed in order without a copy.
int runPeerSolver(const std::string& solver, const std::vector<const std::string*>& cnf);

#endif
