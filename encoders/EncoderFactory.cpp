#include "encoders/EncoderFactory.h"

#include "encoders/CoreSolverEncoder.h"
#include "encoders/DimacsEncoder.h"
#include "encoders/SimpSolverEncoder.h"

Encoder* EncoderFactory::make(Sink sink, FILE* clauses, FILE* header, bool propagateOnly,
                              ActivityGenerator* generator)
{
    switch (sink) {
    case CORE_SOLVER: return new CoreSolverEncoder(generator, clauses, header, propagateOnly);
    case SIMP_SOLVER: return new SimpSolverEncoder(generator, clauses, header);
    case DIMACS_WRITER: break;
    }
    delete generator;
    return new DimacsEncoder(clauses, header);
}
