#include "reasoner/PassScheduler.h"

namespace {

std::vector<GciStep> stepsOf(const TBoxCore::AxiomSet& gcis)
{
    std::vector<GciStep> steps;
    steps.reserve(gcis.size());
    for (Axiom* a : gcis)
        steps.emplace_back(a);
    return steps;
}

}

PassScheduler::PassScheduler(const TBoxCore::AxiomSet& gcis, PassState& pass, bool rolePasses)
    : pass(pass), steps(stepsOf(gcis)), rolePasses(rolePasses), gciThresholdIt(pass.it), roleThresholdIt(pass.it)
{
    std::size_t ids = 0;
    for (const GciStep& step : steps)
        if (step.kind == EXISTENTIAL_RESTR)
            ids = std::max<std::size_t>(ids, std::max(step.filler->id, step.rhs->id) + 1);
    workHints.assign(ids, 1);
    pass.notes.openWorkHints(&workHints);
}

void PassScheduler::workLooked(const GciStep& step)
{
    for (const Concept* c : {step.filler, step.rhs})
        if (!c->deduction.hasPending() && !c->deduction.hasNewSubsumed())
            workHints[c->id] = 0;
}

void PassScheduler::start()
{
    leftSides.reserve(steps.size());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const bool existential = steps[i].kind == EXISTENTIAL_RESTR;
        leftSides.push_back(existential ? nullptr : steps[i].lhs);
        if (existential)
            existentialPositions.push_back(i);
    }
    candidates.emplace(leftSides, pass.notes);
}

void PassScheduler::beginIteration()
{
    ++pass.it;
    candidates->beginIteration(pass.it);
    // Work queued in this iteration (a new existential that no merge made
    // relevant, a subsumee handed on after its rule was visited) is taken
    // by the next one.
    queuedBefore = pass.notes.queuedCount();
    if (!firstPass) {
        candidates->beginPass(gciThresholdIt);
        nextExistential = 0;
        visited = PassCandidates::none;
    }
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
