#ifndef KORVANE_ENCODERS_CORESOLVERENCODER_H
#define KORVANE_ENCODERS_CORESOLVERENCODER_H

#include "encoders/ActivityGenerator.h"
#include "encoders/InProcessEncoder.h"
#include "solver/Solver.h"

// The clause sink that loads every clause into an embedded solver and
// answers the queries itself (the mapping and the shared steps are
// InProcessEncoder's).
//
// Clauses and assumptions are built in the solver's own assumptions vector
// (the literal buffer). After preparePinpointing it holds the axiom
// assumptions, which the solver places at decision levels 1..n and keeps
// between pinpointing queries, so that a query only propagates what its two
// literals imply. A pinpointing query assumes the prepared axioms and nothing
// else: when another operation has used the buffer since, the query loads
// the axioms it is given again, or assumes no axiom when given none.
class CoreSolverEncoder : public InProcessEncoder<Solver> {
public:
    // Takes ownership of the generator; null gives the base generator.
    CoreSolverEncoder(ActivityGenerator* generator, FILE* clauses, FILE* header, bool propagateOnly);

    // Refuses (false, nothing added) a clause with a literal 0 or a variable
    // above MaxVariable, and a kind list of another length.
    using Encoder::addClause;
    bool addClause(const LiteralList* literals, const KindList* kinds, unsigned level) override;
    // addClause without kinds: missing variables start with activity 0.0.
    bool addClauseFast(const LiteralList* literals);
    bool endEncoding(bool solve, unsigned long variables, unsigned long clauseCount, unsigned long axiomClauses,
                     unsigned long deducedClauses) override;
    bool checkSatisfiability(const LiteralList* positives, const LiteralList* negatives, unsigned long variables,
                             unsigned long clauseCount) override;
    bool checkSatisfiability(long sub, long super, unsigned long variables, unsigned long clauseCount) override;
    LiteralList* checkSatisfiabilityAndPinpoint(long sub, long super, const LiteralList* assumptions, bool refresh,
                                                unsigned long variables, unsigned long clauseCount) override;
    void preparePinpointing(const LiteralList* assumptions) override;

    bool isPropagateOnly() const { return propagateOnly; }
    // Number of variables whose polarity the last solving endEncoding took from its model.
    unsigned long getSavedModelCount() const { return savedModelCount; }

private:
    void saveModelPolarities();

    bool propagateOnly;
    unsigned long savedModelCount = 0;
};

#endif
