#include "encoders/CoreSolverEncoder.h"

#include "encoders/DimacsText.h"

namespace {

const char* const TrivialConflictMessage = "Solved by trivial conflicts between clauses\n";
const char* const PropagationConflictMessage = "Solved by unit propagation\n";
const char* const QueryIndexWarning = "WARNING: possible error in index conversion setting the variables polarity\n";

}

CoreSolverEncoder::CoreSolverEncoder(ActivityGenerator* generator, FILE* clauses, FILE* header, bool propagateOnly)
    : Encoder(clauses, header, SOLVER),
      generator(generator != nullptr ? generator : new ActivityGenerator(0)),
      propagateOnly(propagateOnly),
      buffer(solver.assumptions)
{
}

CoreSolverEncoder::~CoreSolverEncoder()
{
    delete generator;
}

void CoreSolverEncoder::createVariablesUpTo(int x, double fillActivity, double ownActivity)
{
    while (solver.nVars() < x)
        solver.newVar(fillActivity, true, true);
    if (solver.nVars() == x)
        solver.newVar(ownActivity, true, true);
}

int CoreSolverEncoder::queryVariable(long variable) const
{
    if (variable < 1 || variable > MaxVariable) {
        std::fputs(QueryIndexWarning, stderr);
        return -1;
    }
    return static_cast<int>(variable - 1);
}

bool CoreSolverEncoder::pushVariables(const LiteralList* variables, bool negative)
{
    if (variables == nullptr)
        return true;
    bool all = true;
    for (long variable : *variables) {
        int x = queryVariable(variable);
        if (x < 0) {
            all = false;
            continue;
        }
        createVariablesUpTo(x, 0.0, 0.0);
        buffer.push(Lit(x, negative));
    }
    return all;
}

bool CoreSolverEncoder::addBufferedClause()
{
    if (!solver.addClause(buffer))
        abortForUnsatisfiability(TrivialConflictMessage);
    return true;
}

bool CoreSolverEncoder::addClause(const LiteralList* literals, const KindList* kinds, unsigned level)
{
    if (literals == nullptr || literals->empty())
        return false;
    if (kinds == nullptr)
        return addClauseFast(literals);
    if (kinds->size() != literals->size())
        return false;
    for (long literal : *literals) {
        if (!mappable(literal))
            return false;
    }
    buffer.clear();
    pinpointingPrepared = false;
    auto kind = kinds->begin();
    for (long literal : *literals) {
        Lit p = toSolverLit(literal);
        int x = var(p);
        int n = solver.nVars();
        if (x >= n) {
            double fill = x > n ? generator->calculateActivity(CONCEPT, level) : 0.0;
            createVariablesUpTo(x, fill, generator->calculateActivity(*kind, level));
        }
        buffer.push(p);
        ++kind;
    }
    return addBufferedClause();
}

bool CoreSolverEncoder::addClauseFast(const LiteralList* literals)
{
    if (literals == nullptr || literals->empty())
        return false;
    for (long literal : *literals) {
        if (!mappable(literal))
            return false;
    }
    buffer.clear();
    pinpointingPrepared = false;
    for (long literal : *literals) {
        Lit p = toSolverLit(literal);
        createVariablesUpTo(var(p), 0.0, 0.0);
        buffer.push(p);
    }
    return addBufferedClause();
}

bool CoreSolverEncoder::endEncoding(bool solve, unsigned long variables, unsigned long clauseCount,
                                   unsigned long axiomClauses, unsigned long deducedClauses)
{
    DimacsText::writeEncodingHeader(header, variables, clauseCount, axiomClauses, deducedClauses);

    if (!solver.simplify()) {
        if (!solve)
            return false;
        abortForUnsatisfiability(PropagationConflictMessage);
    }
    if (!solve)
        return true;

    buffer.clear();
    pinpointingPrepared = false;
    bool satisfiable = solver.solve(buffer, false, false, false);
    if (clauses != nullptr)
        std::fprintf(clauses, "%s\n", satisfiable ? "SATISFIABLE" : "UNSATISFIABLE");
    saveModelPolarities();
    if (clauses != nullptr && satisfiable)
        printModel();
    return true;
}

// From now on a decision on a variable takes the opposite of its value in
// the model, and only the query variables are decided.
void CoreSolverEncoder::saveModelPolarities()
{
    solver.polarityMode = 2;
    int n = solver.nVars();
    savedModelCount = static_cast<unsigned long>(n);
    const vec<lbool>& model = solver.model;
    for (int i = 0; i < n; ++i) {
        solver.setDecisionVar(i, false);
        if (i < model.size() && model[i] != l_Undef)
            solver.setPreferredSign(i, model[i] == l_True);
    }
}

void CoreSolverEncoder::printModel()
{
    std::fputc('\n', clauses);
    const vec<lbool>& model = solver.model;
    for (int i = 0; i < model.size(); ++i) {
        if (model[i] == l_Undef)
            continue;
        std::fprintf(clauses, "%s%s%d", i == 0 ? "" : " ", model[i] == l_False ? "-" : "", i + 1);
    }
    std::fputc('\n', clauses);
}

bool CoreSolverEncoder::checkSatisfiability(long sub, long super, unsigned long, unsigned long)
{
    int s = queryVariable(sub);
    int t = queryVariable(super);
    if (s < 0 || t < 0)
        return true;

    buffer.clear();
    pinpointingPrepared = false;
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
    buffer.clear();
    pinpointingPrepared = false;
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
    int s = queryVariable(sub);
    int t = queryVariable(super);
    if (s < 0 || t < 0)
        return nullptr;

    // The buffer must hold the axiom assumptions and nothing else: reload
    // them when asked to, when too few are left, or when another operation
    // left its own literals there; without a list to reload, the query
    // assumes no axiom at all.
    if (assumptions != nullptr && (refresh || !pinpointingPrepared || buffer.size() < 2)) {
        preparePinpointing(assumptions);
    } else if (!pinpointingPrepared) {
        buffer.clear();
        pinpointingPrepared = true;
    }

    createVariablesUpTo(s, 0.0, 0.0);
    buffer.push(Lit(s, false));
    createVariablesUpTo(t, 0.0, 0.0);
    buffer.push(Lit(t, true));
    bool satisfiable = solver.solve(buffer, propagateOnly, true, false);
    buffer.shrink(2);
    if (satisfiable)
        return nullptr;

    LiteralList* pinpointed = new LiteralList;
    const vec<Lit>& conflict = solver.conflict;
    for (int i = 0; i < conflict.size(); ++i) {
        int x = var(conflict[i]);
        if (x != s && x != t)
            pinpointed->push_front(x + 1);
    }
    return pinpointed;
}
