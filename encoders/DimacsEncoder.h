#ifndef KORVANE_ENCODERS_DIMACSENCODER_H
#define KORVANE_ENCODERS_DIMACSENCODER_H

#include "encoders/ClauseWriter.h"
#include "reasoner/Encoder.h"

// Writes the clauses as DIMACS CNF text: clause lines to the clause stream,
// the "c axioms" and "p cnf" lines to the header stream after the clauses
// they count. Queries become unit clauses appended to the text; every check
// answers satisfiable and leaves the decision to an external solver.
//
// A query's problem line counts the CNF that decides it: the encoding (the
// caller's clauses), the axiom assumptions written before the queries, and
// the query's own units, over every variable that the encoding declared or
// the units name. With one query that is the whole text; with several, the
// units of the other queries are not counted.
class DimacsEncoder : public Encoder {
public:
    DimacsEncoder(FILE* clauses, FILE* header) : Encoder(clauses, header, DIMACS), writer(clauses) {}

    bool addClause(const LiteralList* literals, const KindList* kinds, unsigned level) override;
    // Clause lines are held back until the next call of any other operation.
    bool addClause(const long* literals, std::size_t count) override;
    void flushPending() override;
    bool endEncoding(bool solve, unsigned long variables, unsigned long clauseCount, unsigned long axiomClauses,
                     unsigned long deducedClauses) override;
    bool checkSatisfiability(const LiteralList* positives, const LiteralList* negatives, unsigned long variables,
                             unsigned long clauseCount) override;
    bool checkSatisfiability(long sub, long super, unsigned long variables, unsigned long clauseCount) override;
    LiteralList* checkSatisfiabilityAndPinpoint(long sub, long super, const LiteralList* assumptions, bool refresh,
                                                unsigned long variables, unsigned long clauseCount) override;
    void preparePinpointing(const LiteralList* assumptions) override;
    void reportUnsatisfiability() override;

private:
    // One unit clause line per variable, positive or negated; the count.
    unsigned long writeUnits(const LiteralList* variables, bool negated);
    void writeQueryUnits(long sub, long super);
    // The header pair of a query that wrote `written` units, `queryUnits` of
    // them its own, over the caller's counts.
    void writeQueryHeader(unsigned long written, unsigned long queryUnits, unsigned long variables,
                          unsigned long callerClauses);

    ClauseWriter writer;
    // The largest variable that a problem line declared or a unit named.
    unsigned long variablesSoFar = 0;
    // The axiom assumptions in force: the units of the last set written.
    unsigned long assumptionUnits = 0;
};

#endif
