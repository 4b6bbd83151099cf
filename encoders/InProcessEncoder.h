#ifndef KORVANE_ENCODERS_INPROCESSENCODER_H
#define KORVANE_ENCODERS_INPROCESSENCODER_H

#include <cstdio>
#include <unordered_map>
#include <vector>

#include "encoders/ActivityGenerator.h"
#include "reasoner/Encoder.h"
#include "solver/Lit.h"
#include "solver/vec.h"

// What the clause sinks over an embedded solver have in common, whatever the
// solver class S (the plain solver or the simplifying one): DIMACS variable
// v is solver variable v - 1; solver variables are made on demand, in order,
// seeded with the activity that the generator gives the kind of concept
// behind them. An encoder that allows a sparse tail stops there when a
// variable lies far above all others: from then on every variable above the
// ones made so far gets the next solver variable when it is first met, so
// that a few large numbers cost a few solver variables. Clauses and
// assumptions are built in one literal buffer; an unsatisfiable clause set
// ends the process with the abort texts; answers, models and pinpointed axiom
// lists are written and built the same way.
// The derived encoders decide how they solve.
template <class S>
class InProcessEncoder : public Encoder {
public:
    // Largest DIMACS variable: the codes of both literals of its solver
    // variable must fit an int.
    static constexpr long MaxVariable = 1073741823L;

    ~InProcessEncoder() override { delete generator; }

    const S& getSolver() const { return solver; }

protected:
    // Takes ownership of the generator; null gives the base generator. The
    // buffer is the solver's assumptions vector when bufferInSolver is set,
    // else a vector of the encoder's own.
    InProcessEncoder(ActivityGenerator* generator, FILE* clauses, FILE* header, bool bufferInSolver)
        : Encoder(clauses, header, SOLVER),
          generator(generator != nullptr ? generator : new ActivityGenerator(0)),
          buffer(bufferInSolver ? solver.assumptions : ownBuffer)
    {
    }

    static bool mappable(long literal) { return literal != 0 && literal >= -MaxVariable && literal <= MaxVariable; }

    // The solver variable of DIMACS variable v (1 .. MaxVariable), made when
    // it is missing: with the fill activity for the ones skipped below it and
    // its own activity for itself.
    int solverVariable(long v, double fillActivity, double ownActivity);
    // Whether DIMACS variable v has its solver variable already.
    bool hasSolverVariable(long v) const;
    // The DIMACS variable of solver variable x.
    long dimacsVariable(int x) const
    {
        return sparseStart >= 0 && x >= sparseStart ? sparseNames[static_cast<std::size_t>(x - sparseStart)] : x + 1;
    }

    // Empties the buffer for an operation's own literals: it no longer holds
    // prepared axiom assumptions.
    void startBuffer()
    {
        buffer.clear();
        pinpointingPrepared = false;
    }
    // Makes solver variables up to x; the ones below x that are missing get
    // the fill activity, x itself (when missing) its own.
    void createVariablesUpTo(int x, double fillActivity, double ownActivity);
    // The solver variable of a query variable, made when missing, or -1
    // (with a warning on standard error) when it is not a DIMACS variable this
    // encoder can hold.
    int queryVariable(long variable);
    // Looks up the solver variables of a query's two variables; false (with
    // the warning) when one is no variable.
    bool queryVariables(long sub, long super, int& s, int& t)
    {
        s = queryVariable(sub);
        t = queryVariable(super);
        return s >= 0 && t >= 0;
    }
    // Makes the buffer hold what a pinpointing query reuses: the axiom
    // assumptions are loaded again (preparePinpointing) when asked to, when
    // too few literals are left, or when another operation left its own
    // literals there; without a list to load, the query assumes no axiom.
    void loadPinpointingAxioms(const LiteralList* assumptions, bool refresh)
    {
        if (assumptions != nullptr && (refresh || !pinpointingPrepared || buffer.size() < 2)) {
            preparePinpointing(assumptions);
        } else if (!pinpointingPrepared) {
            startPinpointing();
            pinpointingPrepared = true;
        }
    }
    // The buffer of pinpointing queries before any axiom is added.
    virtual void startPinpointing() { buffer.clear(); }
    // Appends a literal (negative when asked) of every variable of the list;
    // false when some number was no variable (it is left out).
    bool pushVariables(const LiteralList* variables, bool negative);
    // Adds a clause whose kinds list has the same length: refused (false,
    // nothing added) when a literal is 0 or above MaxVariable.
    bool addClauseWithKinds(const LiteralList* literals, const KindList* kinds, unsigned level);
    // Adds the buffer as a clause; an unsatisfiable clause set ends the process.
    bool addBufferedClause();

    // The header lines of an encoding pass; ends the open clause line.
    void writeHeader(unsigned long variables, unsigned long clauseCount, unsigned long axiomClauses,
                     unsigned long deducedClauses);
    // Top-level simplification at the end of an encoding: false when it
    // finds the clauses unsatisfiable and solve is false; with solve set
    // that ends the process.
    bool simplifyAtEnd(bool solve);
    // "SATISFIABLE" or "UNSATISFIABLE" on the clause stream.
    void writeAnswer(bool satisfiable);
    // An empty line and the model line on the clause stream.
    void writeModel();
    // The final conflict's variables + 1 other than the query variables s and
    // t, each put at the front (so in the reverse of the conflict's order).
    LiteralList* pinpointedList(int s, int t) const;

    S solver;
    ActivityGenerator* generator;
    vec<Lit> ownBuffer;
    vec<Lit>& buffer;
    // Set by an encoder whose variables may be numbered with large gaps.
    bool sparseTail = false;
    // The first solver variable of the sparse tail, -1 while there is none;
    // the DIMACS variable of each tail variable, and the way back.
    int sparseStart = -1;
    std::vector<long> sparseNames;
    std::unordered_map<long, int> sparseVariables;
    // True while the buffer holds the axiom assumptions of pinpointing (and
    // whatever the derived encoder keeps beside them), set by the derived
    // encoder; every other use of the buffer clears it.
    bool pinpointingPrepared = false;
};

#endif
