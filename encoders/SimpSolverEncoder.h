#ifndef KORVANE_ENCODERS_SIMPSOLVERENCODER_H
#define KORVANE_ENCODERS_SIMPSOLVERENCODER_H

#include "encoders/ActivityGenerator.h"
#include "encoders/InProcessEncoder.h"
#include "solver/SimpSolver.h"

// The in-process clause sink over the simplifying solver: every solve asks
// for simplification (variable elimination and subsumption) and switches it
// off afterwards, so only the first one simplifies. An eliminated variable that a
// later query assumes is brought back with its clauses by the solver, so no
// query is answered without the clauses of its variables. Only the solve of
// endEncoding, whose model is written, extends its model to the eliminated
// variables; the checks need their answers alone.
//
// Clauses and assumptions are built in a literal vector of the encoder's own.
// After preparePinpointing it holds two slots for the query literals (the
// placeholders -1 and 2: BOTTOM false and TOP true) followed by the axiom
// assumptions; a pinpointing query writes its two literals into the slots
// and puts the placeholders back afterwards. A pinpointing query with no
// prepared axioms to reuse and none given assumes its two literals alone.
class SimpSolverEncoder : public InProcessEncoder<SimpSolver> {
public:
    // Takes ownership of the generator; null gives the base generator.
    SimpSolverEncoder(ActivityGenerator* generator, FILE* clauses, FILE* header);

    // Refuses (false, nothing added) a clause without kinds or with a kind
    // list of another length, a literal 0 and a variable above MaxVariable.
    using Encoder::addClause;
    bool addClause(const LiteralList* literals, const KindList* kinds, unsigned level) override;
    bool endEncoding(bool solve, unsigned long variables, unsigned long clauseCount, unsigned long axiomClauses,
                     unsigned long deducedClauses) override;
    bool checkSatisfiability(const LiteralList* positives, const LiteralList* negatives, unsigned long variables,
                             unsigned long clauseCount) override;
    bool checkSatisfiability(long sub, long super, unsigned long variables, unsigned long clauseCount) override;
    LiteralList* checkSatisfiabilityAndPinpoint(long sub, long super, const LiteralList* assumptions, bool refresh,
                                                unsigned long variables, unsigned long clauseCount) override;
    void preparePinpointing(const LiteralList* assumptions) override;

    // The literal vector as the last operation left it.
    const vec<Lit>& literals() const { return buffer; }

private:
    // Empties the vector and puts the two placeholder slots first.
    void startPinpointing() override;
};

#endif
