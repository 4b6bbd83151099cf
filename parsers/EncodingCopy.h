#ifndef KORVANE_PARSERS_ENCODINGCOPY_H
#define KORVANE_PARSERS_ENCODINGCOPY_H

#include <cstdint>

#include "reasoner/Encoder.h"

// A stored encoding, its header first, copied clause by clause into the
// installed encoder: what the simple encoding grammar does
// (el_dimacs_encoding_simple), and what the encoding grammar for pinpointing
// does around its control literals and clauses (PinpointingEncodingReader).
// The last problem line holds; clauses and variables beyond its counts are
// fatal errors.
class EncodingCopy {
public:
    EncodingCopy() = delete;

    // Before the first token: a new input, nothing declared.
    static void startOfInput();
    // "p cnf V C".
    static void problemLine(uint64_t variables, uint64_t clauses);
    // The first token of a clause has been seen.
    static void beforeClause();
    // A variable of a clause, as a positive literal.
    static long variable(uint64_t v);
    static void unitClause(long literal);
    // A Horn clause: premises negated, conclusion last (owned from here on).
    static void hornClause(LiteralList* clause);
    // After the last clause: the encoder's end of the encoding with the given
    // counts (0 for the variables or clauses in use so far).
    static void endOfCopy(unsigned long variables, unsigned long clauses);

    // The variable and clause counts of the last problem line.
    static unsigned long cnf_vars;
    static unsigned long cnf_cls;
    // Clauses read so far, units included.
    static unsigned long cl_counter;
};

#endif
