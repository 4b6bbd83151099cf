#include "encoders/CoreSolverEncoder.h"

CoreSolverEncoder::CoreSolverEncoder(ActivityGenerator* generator, FILE* clauses, FILE* header, bool propagateOnly)
    : InProcessEncoder<Solver>(generator, clauses, header, true), propagateOnly(propagateOnly)
{
    // The pinpointing encoding numbers its control variables above every
    // axiom index, however few of them there are.
    sparseTail = true;
}

bool CoreSolverEncoder::addClause(const LiteralList* literals, const KindList* kinds, unsigned level)
{
    if (literals == nullptr || literals->empty())
        return false;
    if (kinds == nullptr)
        return addClauseFast(literals);
    if (kinds->size() != literals->size())
        return false;
    return addClauseWithKinds(literals, kinds, level);
}

bool CoreSolverEncoder::addClauseFast(const LiteralList* literals)
{
    if (literals == nullptr || literals->empty())
        return false;
    for (long literal : *literals) {
        if (!mappable(literal))
            return false;
    }
    startBuffer();
    for (long literal : *literals)
        buffer.push(Lit(solverVariable(literal > 0 ? literal : -literal, 0.0, 0.0), literal < 0));
    return addBufferedClause();
}

bool CoreSolverEncoder::endEncoding(bool solve, unsigned long variables, unsigned long clauseCount,
                                   unsigned long axiomClauses, unsigned long deducedClauses)
{
    writeHeader(variables, clauseCount, axiomClauses, deducedClauses);
    if (!simplifyAtEnd(solve))
        return false;
    if (!solve)
        return true;

    startBuffer();
    bool satisfiable = solver.solve(buffer, false, false, false);
    writeAnswer(satisfiable);
    saveModelPolarities();
    if (satisfiable)
        writeModel();
    return true;
}

// From now on a decision on a variable takes the opposite of its value in
// the model, and only the query variables are decided.
void CoreSolverEncoder::saveModelPolarities()
{
    solver.polarityMode = Solver::POLARITY_PREFERRED;
    int n = solver.nVars();
    savedModelCount = static_cast<unsigned long>(n);
    const vec<lbool>& model = solver.model;
    for (int i = 0; i < n; ++i) {
        solver.setDecisionVar(i, false);
        if (i < model.size() && model[i] != l_Undef)
            solver.setPreferredSign(i, model[i] == l_True);
    }
}

bool CoreSolverEncoder::checkSatisfiability(long sub, long super, unsigned long, unsigned long)
{
    int s, t;
    if (!queryVariables(sub, super, s, t))
        return true;

    startBuffer();
    // The two query variables are decision variables during this call, sub
    // decided negative and super positive; their flags and polarities come
    // back afterwards (after a solving endEncoding: not decided, the
    // polarity of the model).
    bool subDecision = false;
    bool subSign = false;
    bool superDecision = false;
    bool superSign = false;
    createVariablesUpTo(s, 0.0, 0.0);
    if (!propagateOnly) {
        subDecision = solver.isDecisionVar(s);
        subSign = solver.preferredSign(s);
        solver.setDecisionVar(s, true);
        solver.setPreferredSign(s, true);
    }
    buffer.push(Lit(s, false));
    createVariablesUpTo(t, 0.0, 0.0);
    if (!propagateOnly) {
        superDecision = solver.isDecisionVar(t);
        superSign = solver.preferredSign(t);
        solver.setDecisionVar(t, true);
        solver.setPreferredSign(t, false);
    }
    buffer.push(Lit(t, true));

    bool satisfiable = solver.solve(buffer, propagateOnly, false, false);

    if (!propagateOnly) {
        // In reverse order, so that sub == super gets its own entries back.
        solver.setDecisionVar(t, superDecision);
        solver.setPreferredSign(t, superSign);
        solver.setDecisionVar(s, subDecision);
        solver.setPreferredSign(s, subSign);
    }
    return satisfiable;
}

bool CoreSolverEncoder::checkSatisfiability(const LiteralList* positives, const LiteralList* negatives,
                                            unsigned long, unsigned long)
{
    startBuffer();
    bool placed = pushVariables(positives, false);
    placed = pushVariables(negatives, true) && placed;
    // A query over a number that is no variable claims nothing.
    if (!placed)
        return true;
    return solver.solve(buffer, propagateOnly, false, false);
}

void CoreSolverEncoder::preparePinpointing(const LiteralList* assumptions)
{
    buffer.clear();
    pushVariables(assumptions, false);
    solver.solve(buffer, propagateOnly, true, true);
    pinpointingPrepared = true;
}

LiteralList* CoreSolverEncoder::checkSatisfiabilityAndPinpoint(long sub, long super, const LiteralList* assumptions,
                                                               bool refresh, unsigned long, unsigned long)
{
    int s, t;
    if (!queryVariables(sub, super, s, t))
        return nullptr;
    // The buffer holds the axiom assumptions and nothing else.
    loadPinpointingAxioms(assumptions, refresh);

    createVariablesUpTo(s, 0.0, 0.0);
    buffer.push(Lit(s, false));
    createVariablesUpTo(t, 0.0, 0.0);
    buffer.push(Lit(t, true));
    bool satisfiable = solver.solve(buffer, propagateOnly, true, false);
    buffer.shrink(2);
    return satisfiable ? nullptr : pinpointedList(s, t);
}
