#ifndef KORVANE_PINPOINTER_LITERAL_OUTPUT_H
#define KORVANE_PINPOINTER_LITERAL_OUTPUT_H

#include <ostream>

#include "solver/Lit.h"
#include "solver/vec.h"

// Writes each literal as its CNF number, "-" first when negative, followed
// by a blank; with negated every literal is written negated.
void print_literals(std::ostream& out, const vec<Lit>& lits, bool negated = false);

#endif
