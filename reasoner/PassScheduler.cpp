#include "reasoner/PassScheduler.h"

#include <algorithm>

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

const GciStep* PassScheduler::nextGci()
{
    if (firstPass) {
        if (nextInFirstPass < steps.size())
            return &steps[nextInFirstPass++];
        firstPass = false;
        return nullptr;
    }
    // What was stamped while the last GCI was applied joins this pass
    // behind it.
    if (visited != PassCandidates::none)
        candidates->admitStampedAfter(visited);
    const std::size_t existential = nextExistential < existentialPositions.size()
                                        ? existentialPositions[nextExistential]
                                        : PassCandidates::none;
    visited = std::min(existential, candidates->next());
    if (visited == PassCandidates::none)
        return nullptr;
    if (visited == existential)
        ++nextExistential;
    else
        candidates->pop();
    return &steps[visited];
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
