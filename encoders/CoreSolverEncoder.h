#ifndef KORVANE_ENCODERS_CORESOLVERENCODER_H
#define KORVANE_ENCODERS_CORESOLVERENCODER_H

#include "encoders/ActivityGenerator.h"
#include "reasoner/Encoder.h"
#include "solver/Solver.h"

// The clause sink that loads every clause into an embedded solver and
// answers the queries itself. DIMACS variable v is solver variable v - 1;
// solver variables are made on demand, in order, seeded with the activity
// that the generator gives the kind of concept behind them.
//
// Clauses and assumptions are built in the solver's own assumptions vector
// (the literal buffer). After preparePinpointing it holds the axiom
// assumptions, which the solver places at decision levels 1..n and keeps
// between pinpointing queries, so that a query only propagates what its two
// literals imply. A pinpointing query assumes the prepared axioms and nothing
// else: when another operation has used the buffer since, the query loads
// the axioms it is given again, or assumes no axiom when given none.
class CoreSolverEncoder : public Encoder {
public:
    // Largest DIMACS variable: the codes of both literals of its solver
    // variable must fit an int.
    static constexpr long MaxVariable = 1073741823L;

    // Takes ownership of the generator; null gives the base generator.
    CoreSolverEncoder(ActivityGenerator* generator, FILE* clauses, FILE* header, bool propagateOnly);
    ~CoreSolverEncoder() override;

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

    const Solver& getSolver() const { return solver; }
    bool isPropagateOnly() const { return propagateOnly; }
    // Number of variables whose polarity the last solving endEncoding took from its model.
    unsigned long getSavedModelCount() const { return savedModelCount; }

private:
    static bool mappable(long literal) { return literal != 0 && literal >= -MaxVariable && literal <= MaxVariable; }
    // Solver literal of a DIMACS literal that is mappable.
    static Lit toSolverLit(long literal)
    {
        return literal > 0 ? Lit(static_cast<int>(literal - 1), false) : Lit(static_cast<int>(-literal - 1), true);
    }
    // Makes solver variables up to x; the ones below x that are missing get
    // the fill activity, x itself (when missing) its own.
    void createVariablesUpTo(int x, double fillActivity, double ownActivity);
    // The solver variable of a query variable, or -1 (with a warning on
    // standard error) when it is not a DIMACS variable this encoder can hold.
    int queryVariable(long variable) const;
    // Appends a literal (negative when asked) of every variable of the list;
    // false when some number was no variable (it is left out).
    bool pushVariables(const LiteralList* variables, bool negative);
    bool addBufferedClause();
    void saveModelPolarities();
    void printModel();

    Solver solver;
    ActivityGenerator* generator;
    bool propagateOnly;
    vec<Lit>& buffer;
    unsigned long savedModelCount = 0;
    // True while the buffer holds the axiom assumptions of pinpointing and
    // nothing else (every other operation leaves its own literals there).
    bool pinpointingPrepared = false;
};

#endif
