#include "encoders/InProcessEncoder.h"

#include "encoders/DimacsText.h"

#include "solver/SimpSolver.h"
#include "solver/Solver.h"

namespace {

const char* const TrivialConflictMessage = "Solved by trivial conflicts between clauses\n";
const char* const PropagationConflictMessage = "Solved by unit propagation\n";
const char* const QueryIndexWarning = "WARNING: possible error in index conversion setting the variables polarity\n";

// A variable further above the solver's variables than their count and this
// starts the sparse tail.
const long DenseGap = 65536;

}

template <class S>
void InProcessEncoder<S>::createVariablesUpTo(int x, double fillActivity, double ownActivity)
{
    while (solver.nVars() < x)
        solver.newVar(fillActivity, true, true);
    if (solver.nVars() == x)
        solver.newVar(ownActivity, true, true);
}

template <class S>
int InProcessEncoder<S>::solverVariable(long v, double fillActivity, double ownActivity)
{
    int x = static_cast<int>(v - 1);
    if (sparseStart < 0) {
        const int n = solver.nVars();
        if (x < n)
            return x;
        if (!sparseTail || x - n <= n + DenseGap) {
            createVariablesUpTo(x, fillActivity, ownActivity);
            return x;
        }
        sparseStart = n;
    }
    if (x < sparseStart)
        return x;
    auto known = sparseVariables.find(v);
    if (known != sparseVariables.end())
        return known->second;
    int y = solver.nVars();
    solver.newVar(ownActivity, true, true);
    sparseVariables.emplace(v, y);
    sparseNames.push_back(v);
    return y;
}

template <class S>
bool InProcessEncoder<S>::hasSolverVariable(long v) const
{
    if (sparseStart < 0 || v - 1 < sparseStart)
        return v - 1 < solver.nVars();
    return sparseVariables.count(v) != 0;
}

template <class S>
int InProcessEncoder<S>::queryVariable(long variable)
{
    if (variable < 1 || variable > MaxVariable) {
        std::fputs(QueryIndexWarning, stderr);
        return -1;
    }
    return solverVariable(variable, 0.0, 0.0);
}

template <class S>
bool InProcessEncoder<S>::pushVariables(const LiteralList* variables, bool negative)
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
        buffer.push(Lit(x, negative));
    }
    return all;
}

template <class S>
bool InProcessEncoder<S>::addClauseWithKinds(const LiteralList* literals, const KindList* kinds, unsigned level)
{
    for (long literal : *literals) {
        if (!mappable(literal))
            return false;
    }
    startBuffer();
    auto kind = kinds->begin();
    for (long literal : *literals) {
        long v = literal > 0 ? literal : -literal;
        int x = static_cast<int>(v - 1);
        if (!hasSolverVariable(v)) {
            double fill = x > solver.nVars() ? generator->calculateActivity(CONCEPT, level) : 0.0;
            x = solverVariable(v, fill, generator->calculateActivity(*kind, level));
        } else {
            x = solverVariable(v, 0.0, 0.0);
        }
        buffer.push(Lit(x, literal < 0));
        ++kind;
    }
    return addBufferedClause();
}

template <class S>
bool InProcessEncoder<S>::addBufferedClause()
{
    if (!solver.addClause(buffer))
        abortForUnsatisfiability(TrivialConflictMessage);
    return true;
}

template <class S>
void InProcessEncoder<S>::writeHeader(unsigned long variables, unsigned long clauseCount, unsigned long axiomClauses,
                                      unsigned long deducedClauses)
{
    DimacsText::writeEncodingHeader(header, variables, clauseCount, axiomClauses, deducedClauses);
}

template <class S>
bool InProcessEncoder<S>::simplifyAtEnd(bool solve)
{
    if (solver.simplify())
        return true;
    if (solve)
        abortForUnsatisfiability(PropagationConflictMessage);
    return false;
}

template <class S>
void InProcessEncoder<S>::writeAnswer(bool satisfiable)
{
    if (clauses != nullptr)
        std::fprintf(clauses, "%s\n", satisfiable ? "SATISFIABLE" : "UNSATISFIABLE");
}

template <class S>
void InProcessEncoder<S>::writeModel()
{
    if (clauses == nullptr)
        return;
    std::fputc('\n', clauses);
    const vec<lbool>& model = solver.model;
    for (int i = 0; i < model.size(); ++i) {
        if (model[i] == l_Undef)
            continue;
        std::fprintf(clauses, "%s%s%ld", i == 0 ? "" : " ", model[i] == l_False ? "-" : "", dimacsVariable(i));
    }
    std::fputc('\n', clauses);
}

template <class S>
LiteralList* InProcessEncoder<S>::pinpointedList(int s, int t) const
{
    LiteralList* pinpointed = new LiteralList;
    const vec<Lit>& conflict = solver.conflict;
    for (int i = 0; i < conflict.size(); ++i) {
        int x = var(conflict[i]);
        if (x != s && x != t)
            pinpointed->push_front(dimacsVariable(x));
    }
    return pinpointed;
}

template class InProcessEncoder<Solver>;
template class InProcessEncoder<SimpSolver>;
