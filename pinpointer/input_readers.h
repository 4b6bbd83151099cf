#ifndef KORVANE_PINPOINTER_INPUT_READERS_H
#define KORVANE_PINPOINTER_INPUT_READERS_H

#include <istream>
#include <set>
#include <string>

#include "pinpointer/ClauseList.h"
#include "solver/Lit.h"
#include "solver/vec.h"

// The pinpointer's readers. Each takes the stream and a name for it in
// messages, and throws InputError for text it cannot use; nothing is
// skipped silently. A CNF variable number v >= 1 becomes solver variable
// v - 1.

// The largest CNF variable number accepted anywhere (its literal codes must
// fit in an int).
const int kMaxCnfVariable = 1073741823;

// The assumption list: CNF variable numbers separated by white space. The
// result is ascending and holds the solver variables 0 .. k-1, each once
// (variable 0 is added when no 1 was read; an entry listed twice is kept
// once). A list that misses a number below its largest entry, as the
// classifier writes with original axiom numbers, is refused.
void read_assumption_list(std::istream& in, const std::string& source, vec<int>& assumptionList);

// The encoding body: clause lines of signed CNF variable numbers ended by 0,
// with comment and problem lines ("c ...", "p cnf V C") anywhere between
// clauses. Each clause is stored with its positive literals moved to the
// front as they come (so the head of a Horn clause is first), appended to
// clauses. Returns the largest variable count of the problem lines, or -1
// when there are none; a literal beyond that count is refused. The solvers
// make room for every variable up to the largest of the clauses (never for
// the count of a problem line), so a variable number out of all proportion
// to the selectorCount selectors and the literals read is refused too.
// The three file readers take their stream in large blocks and read it to
// its end (or to the first fault).
int read_encoding(std::istream& in, const std::string& source, int selectorCount, ClauseList& clauses);

// A module file: CNF variable numbers separated by white space, any order;
// the solver variables go into module.
void read_module_file(std::istream& in, const std::string& source, std::set<int>& module);

// The next literal query (a signed CNF variable number). False at the end
// of the input and, when interactive, at the value 0; from a file a 0 is
// refused.
bool read_query(std::istream& in, const std::string& source, bool interactive, int& query);

// The solver literal of a signed CNF variable number.
inline Lit cnf_literal(int number) { return number > 0 ? Lit(number - 1) : Lit(-number - 1, true); }

#endif
