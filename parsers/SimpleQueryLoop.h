#ifndef KORVANE_PARSERS_SIMPLEQUERYLOOP_H
#define KORVANE_PARSERS_SIMPLEQUERYLOOP_H

#include <cstdio>

#include "reasoner/Encoder.h"

class Concept;

// The query loop of the simple-query language: its state and everything the
// grammar and the query actions of every program do the same way (the prompt,
// the name lookup, the checks, the answer lines and the timing lines).
class SimpleQueryLoop {
public:
    SimpleQueryLoop() = delete;

    // Number of the last query answered (queries count from 1); never reset.
    static int i_simpquery;
    // The answer stream and the debug stream (null: no debug lines), both
    // taken at the start of the input.
    static FILE* sol_out_f;
    static FILE* dbg_f;
    // The axiom assumptions handed to the sink before the first query; null
    // once they are handed over.
    static LiteralList* axiom_assumptions;

    // The queries come from standard input and the sink solves in process.
    static bool interactive();
    // "<korvane>$ " on standard output when interactive.
    static void prompt();
    // The query in printed form on standard output when interactive.
    static void echoQuery(const Concept* a, const Concept* b);

    // The normal-form concept of a named concept; takes and frees the name.
    // A name not in the normal form is a fatal error.
    static Concept* lookupConcept(char* name);
    static Concept* trivialConcept(bool top);
    // "quit": the process ends at once with status 0.
    [[noreturn]] static void quit();

    // The start check: queries need an encoded or loaded terminology (or the
    // assumption data of a pinpointing encoding, `assumptionsReady`) and an
    // installed sink; otherwise a fatal error.
    static void requireEncoding(bool assumptionsReady);
    // The input context of the queries and the two streams.
    static void beginQueries();

    // Runs the preparation of pinpointing queries (the axiom assumptions
    // loaded into the sink) and writes its CPU time, "QUERIES PREPROCESSING
    // (CPU-sec): %g", on standard error.
    static void timePreprocessing(void (*prepare)());
    // Counts the query just decided and writes "S [n]: seconds" on standard error.
    static void reportQueryTime(float seconds);

    // Decides b ⊑ a, timed as one query, and prints the answer. With
    // pinpointing (under `assumptions`, null for the terminology's own) it
    // also prints the pinpointed assumption variables and returns them (the
    // caller deletes them); it returns null when the subsumption does not
    // hold and always without pinpointing.
    static LiteralList* decideAndPrint(Concept* a, Concept* b, LiteralList* assumptions);
    // "SAT" (satisfiable: the subsumption does not hold) or "U", flushed.
    static void printAnswer(bool satisfiable);
    // Debug line of the pinpointed assumption variables.
    static void printPinpointedAssumptions(const LiteralList& variables);
    // Debug line of the pinpointed axioms, then the answer line of their
    // numbers: the GCIs', then the role axioms'.
    static void printPinpointedAxioms(const LiteralList& gcis, const LiteralList& roleAxioms, bool original);
};

#endif
