#include "reasoner/PassScheduler.h"

PassScheduler::PassScheduler(const PassSteps& steps, PassState& pass, bool rolePasses)
    : pass(pass), kept(steps), steps(steps.steps().begin(), steps.steps().end()), rolePasses(rolePasses), incremental(pass.first > 0), gciThresholdIt(pass.it),
      roleThresholdIt(pass.it)
{
    workHints.assign(kept.hintIds(), 1);
    pass.notes.openWorkHints(&workHints);
}

void PassScheduler::workLooked(const GciStep& step)
{
    for (const Concept* c : {step.filler, step.rhs})
        if (!c->deduction.hasPending() && !c->deduction.hasNewSubsumed())
            workHints[c->id] = 0;
}

void PassScheduler::start(const std::vector<Concept*>* touched)
{
    this->touched = touched;
    walkAll = touched == nullptr;
    leftIds.reserve(steps.size());
    for (const PassSteps::Ids& ids : kept.ids())
        leftIds.push_back(ids.left);
    for (std::size_t i = 0; i < steps.size(); ++i)
        if (steps[i].kind == EXISTENTIAL_RESTR)
            existentialPositions.push_back(i);
    candidates.emplace(leftIds, pass.notes);
}

void PassScheduler::beginIteration()
{
    ++pass.it;
    candidates->beginIteration(pass.it);
    // Work queued in this iteration (a new existential that no merge made
    // relevant, a subsumee handed on after its rule was visited) is taken
    // by the next one.
    queuedBefore = pass.notes.queuedCount();
    if (firstPass && walkAll)
        return;
    if (firstPass)
        candidates->beginFirstPass(*touched, kept.newPositions());
    else
        candidates->beginPass(gciThresholdIt);
    nextExistential = 0;
    visited = PassCandidates::none;
}

bool PassScheduler::rolePassDue()
{
    gciPassRaised = pass.raised();
    if (gciPassRaised) {
        gciThresholdIt = pass.it;
        return false;
    }
    return rolePasses;
}

bool PassScheduler::iterationFollows()
{
    if (gciPassRaised)
        return true;
    const bool queued = pass.notes.queuedCount() != queuedBefore;
    if (!rolePasses)
        return queued;
    roleThresholdIt = pass.marker;
    return pass.raised() || queued;
}
