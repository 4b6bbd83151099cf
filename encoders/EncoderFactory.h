// encoders/: the clause sinks behind the Encoder interface. DimacsEncoder
// writes DIMACS text (its lines through a ClauseWriter, formatted by
// DimacsText.h); CoreSolverEncoder and SimpSolverEncoder load the clauses
// into the solver or the simplifying solver of solver/ and decide queries in
// process (both on InProcessEncoder); ActivityGenerator seeds the solvers'
// variable activities. EncoderFactory, below, is where a driver gets the sink
// its options ask for.

#ifndef KORVANE_ENCODERS_ENCODERFACTORY_H
#define KORVANE_ENCODERS_ENCODERFACTORY_H

#include <cstdio>

#include "encoders/ActivityGenerator.h"
#include "reasoner/Encoder.h"

// The clause sink of a run, as a driver chooses it from its options: the
// DIMACS writer, or an in-process encoder over the plain or the simplifying
// solver. Every sink writes its clauses (or answers) to `clauses` and its
// header lines to `header`.
class EncoderFactory {
public:
    enum Sink { DIMACS_WRITER, CORE_SOLVER, SIMP_SOLVER };

    EncoderFactory() = delete;

    // The in-process encoders take over the generator (null: the base
    // generator); the DIMACS writer has no use for it and deletes it.
    // `propagateOnly` is the plain solver's mode of deciding queries.
    static Encoder* make(Sink sink, FILE* clauses, FILE* header, bool propagateOnly = true,
                         ActivityGenerator* generator = nullptr);
};

#endif
