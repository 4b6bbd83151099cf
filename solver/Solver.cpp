// Construction, variables and their activities.

#include "solver/Solver.h"

#include <cstdlib>

Solver::Solver()
    : variableDecay(1 / 0.95),
      clauseDecay(1 / 0.999),
      randomDecisionFrequency(0.02),
      firstRestartLimit(100),
      restartGrowth(1.5),
      learntLimitFactor(1.0 / 3.0),
      learntLimitGrowth(1.1),
      expensiveMinimisation(true),
      polarityMode(POLARITY_NEGATIVE),
      verbosity(0),
      startCount(0),
      decisionCount(0),
      randomDecisionCount(0),
      propagationCount(0),
      conflictCount(0),
      problemLiteralCount(0),
      learntLiteralCount(0),
      maxLiteralCount(0),
      totalLiteralCount(0),
      ok(true),
      clauseIncrement(1.0),
      variableIncrement(1.0),
      queueHead(0),
      simplifiedAssignCount(-1),
      simplifyBudget(0),
      orderHeap(VarOrderLt(activity)),
      randomSeed(91648253.0),
      lastProgress(0.0),
      pruneSatisfied(true),
      hornCompletion(false),
      hornOnly(true) {}

Solver::~Solver() {
    for (int i = 0; i < learntClauses.size(); i++) std::free(learntClauses[i]);
    for (int i = 0; i < problemClauses.size(); i++) std::free(problemClauses[i]);
}


int Solver::newVar(double initialActivity, bool sign, bool decision) {
    int v = nVars();
    watchLists.push();
    watchLists.push();
    reasons.push(nullptr);
    assignments.push(static_cast<char>(toInt(l_Undef)));
    levels.push(-1);
    activity.push(initialActivity);
    seen.push(0);
    preferredPolarity.push(sign ? 1 : 0);
    decisionFlags.push(decision ? 1 : 0);
    insertVarOrder(v);
    return v;
}

void Solver::setDecisionVar(int v, bool b) {
    decisionFlags[v] = b ? 1 : 0;
    if (b) insertVarOrder(v);
}

void Solver::varBumpActivity(int v) {
    if ((activity[v] += variableIncrement) > 1e100) {
        for (int i = 0; i < nVars(); i++) activity[i] *= 1e-100;
        variableIncrement *= 1e-100;
    }
    if (orderHeap.inHeap(v)) orderHeap.decrease(v);
}

void Solver::claBumpActivity(Clause& c) {
    float& act = c.activity();
    act = static_cast<float>(static_cast<double>(act) + clauseIncrement);
    if (act > 1e20) {
        for (int i = 0; i < learntClauses.size(); i++) {
            float& a = learntClauses[i]->activity();
            a = static_cast<float>(static_cast<double>(a) * 1e-20);
        }
        clauseIncrement *= 1e-20;
    }
}
