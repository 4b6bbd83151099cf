#include "reasoner/PassScheduler.h"

#include "reasoner/rules/RuleSupport.h"

bool PassScheduler::visitEveryExistential = false;
std::vector<int>* PassScheduler::markers = nullptr;

PassScheduler::PassScheduler(const PassSteps& steps, PassState& pass, bool rolePasses)
    : pass(pass), kept(steps), steps(steps.steps()), existentialPositions(steps.existentialPositions()),
      rolePasses(rolePasses), incremental(pass.first > 0), gciThresholdIt(pass.it), roleThresholdIt(pass.it)
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
    candidates.emplace(kept.leftIds(), pass.notes);
    for (std::size_t k = existentialPositions.size(); k-- > 0;)
        if (RuleSupport::relevant(steps[existentialPositions[k]].rhs)) {
            lastRelevant = existentialPositions[k];
            break;
        }
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
    stampsOffered = candidates->stampLog().size();
}

void PassScheduler::raiseForRightSidesAfter(std::size_t position)
{
    const std::vector<Concept*>& log = candidates->stampLog();
    // The first pass visits every existential step.
    for (std::size_t i = stampsOffered; i < log.size() && !firstPass && !pass.raised(); ++i) {
        const Concept* c = log[i];
        const std::size_t last = kept.lastWithRhs(c->id);
        if (c->lastDeductionIt == pass.it && last != PassCandidates::none && last > position)
            pass.raise(RuleSupport::relevant(c), c);
    }
    stampsOffered = log.size();
}

bool PassScheduler::rolePassDue()
{
    gciPassRaised = pass.raised();
    if (markers != nullptr)
        markers->push_back(pass.marker);
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
    if (markers != nullptr)
        markers->push_back(pass.marker);
    return pass.raised() || queued;
}
