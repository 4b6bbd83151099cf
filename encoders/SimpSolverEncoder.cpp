#include "encoders/SimpSolverEncoder.h"

namespace {

// The placeholders of the two query slots: BOTTOM (variable 1) false and TOP
// (variable 2) true.
const Lit BottomFalse = Lit(0, true);
const Lit TopTrue = Lit(1, false);

}

SimpSolverEncoder::SimpSolverEncoder(ActivityGenerator* generator, FILE* clauses, FILE* header)
    : InProcessEncoder<SimpSolver>(generator, clauses, header, false)
{
    // The checks read answers and final conflicts only; the one solve whose
    // model is written switches the extension on for itself.
    solver.modelExtension = false;
}

bool SimpSolverEncoder::addClause(const LiteralList* literals, const KindList* kinds, unsigned level)
{
    if (literals == nullptr || kinds == nullptr || literals->empty() || kinds->size() != literals->size())
        return false;
    return addClauseWithKinds(literals, kinds, level);
}

bool SimpSolverEncoder::endEncoding(bool solve, unsigned long variables, unsigned long clauseCount,
                                    unsigned long axiomClauses, unsigned long deducedClauses)
{
    writeHeader(variables, clauseCount, axiomClauses, deducedClauses);
    if (!simplifyAtEnd(solve))
        return false;
    if (!solve)
        return true;

    startBuffer();
    solver.modelExtension = true;
    bool satisfiable = solver.solve(buffer, true, true);
    solver.modelExtension = false;
    writeAnswer(satisfiable);
    if (satisfiable)
        writeModel();
    return true;
}

bool SimpSolverEncoder::checkSatisfiability(long sub, long super, unsigned long, unsigned long)
{
    int s, t;
    if (!queryVariables(sub, super, s, t))
        return true;
    startBuffer();
    createVariablesUpTo(s, 0.0, 0.0);
    buffer.push(Lit(s, false));
    createVariablesUpTo(t, 0.0, 0.0);
    buffer.push(Lit(t, true));
    // The first check simplifies and switches simplification off, as every
    // other solve does. Kept on, each later check would bring back the
    // clauses of its eliminated variables (and of the variables they name,
    // nearly the whole clause set) and eliminate them all over again.
    return solver.solve(buffer, true, true);
}

bool SimpSolverEncoder::checkSatisfiability(const LiteralList* positives, const LiteralList* negatives,
                                            unsigned long, unsigned long)
{
    startBuffer();
    bool placed = pushVariables(positives, false);
    placed = pushVariables(negatives, true) && placed;
    // A query over a number that is no variable claims nothing.
    if (!placed)
        return true;
    return solver.solve(buffer, true, true);
}

void SimpSolverEncoder::startPinpointing()
{
    startBuffer();
    createVariablesUpTo(1, 0.0, 0.0);
    buffer.push(BottomFalse);
    buffer.push(TopTrue);
}

void SimpSolverEncoder::preparePinpointing(const LiteralList* assumptions)
{
    startPinpointing();
    pushVariables(assumptions, false);
    solver.solve(buffer, true, true);
    pinpointingPrepared = true;
}

LiteralList* SimpSolverEncoder::checkSatisfiabilityAndPinpoint(long sub, long super, const LiteralList* assumptions,
                                                               bool refresh, unsigned long, unsigned long)
{
    int s, t;
    if (!queryVariables(sub, super, s, t))
        return nullptr;
    // The vector holds the two slots and the axiom assumptions (none
    // without a list to load: the query assumes its two literals alone).
    loadPinpointingAxioms(assumptions, refresh);

    createVariablesUpTo(s, 0.0, 0.0);
    createVariablesUpTo(t, 0.0, 0.0);
    buffer[0] = Lit(s, false);
    buffer[1] = Lit(t, true);
    bool satisfiable = solver.solve(buffer, true, true);
    buffer[0] = BottomFalse;
    buffer[1] = TopTrue;
    return satisfiable ? nullptr : pinpointedList(s, t);
}
