// The classification loop: the first applications of the existential and
// binary-chain rules, then the iterations that a PassScheduler orders, each
// GCI and role axiom it visits handed to its rule when it is due. The loop
// only dispatches; the order of the passes is the scheduler's, the rules are
// in reasoner/rules/.
#include <algorithm>

#include "reasoner/GciStep.h"
#include "reasoner/PassScheduler.h"
#include "reasoner/PassState.h"
#include "reasoner/TBox.h"
#include "reasoner/rules/RuleSupport.h"

namespace {

bool isNew(const Axiom* a)
{
    return a->flags & Axiom::NEW_AXIOM;
}

bool isNew(const RoleAxiom* a)
{
    return a->flags & RoleAxiom::NEW_AXIOM;
}

}

LibraryTBox::DeducedList* LibraryTBox::performDeduction(int& conceptCount, int& roleCount)
{
    delete deducedAxioms;
    deducedAxioms = new DeducedList();
    conceptCount = 0;
    roleCount = 0;
    PassState pass(deductionIteration);
    const bool incremental = pass.first > 0;
    // The preparation opened the log of the concepts it touched.
    if (incremental)
        pass.notes.openTouchLog(&touchedInRun);
    // After the incremental preparation the kept steps take the GCIs stored
    // since the last run; any other run walks the GCI set.
    const bool prepared = incremental && incrementPrepared;
    incrementPrepared = false;
    passSteps.update(gcis, storedSinceRun, gcisNewToRun, prepared);
    std::vector<Axiom*>().swap(gcisNewToRun);
    PassScheduler schedule(passSteps, pass, useRoleAxiomsInDeduction && !roleAxioms.empty());
    conceptCount += applyFirstExistentialSteps(
        schedule.gciSteps(), incremental ? passSteps.newExistentialPositions() : passSteps.existentialPositions(), pass);
    if (useRoleAxiomsInDeduction)
        roleCount += applyFirstBinaryChainSteps(pass);
    // After the incremental preparation every stamp that is not 0 is on a
    // concept of the touch log; the rebuild after a reload stamps some
    // without logging them, and its run visits every GCI in its first pass.
    schedule.start(prepared ? &touchedInRun : nullptr);
    do {
        schedule.beginIteration();
        while (const GciStep* step = schedule.nextGci())
            conceptCount += applyGciStep(*step, schedule, pass);
        if (schedule.rolePassDue())
            for (RoleAxiom* a : roleAxioms)
                roleCount += applyRoleAxiom(a, schedule.roleThreshold(), pass);
    } while (schedule.iterationFollows());
    // The stamp log closes: the stamps are reset without being logged.
    schedule.finish();
    endDeduction(schedule, incremental);
    return deducedAxioms;
}

int LibraryTBox::applyGciStep(const GciStep& step, PassScheduler& schedule, PassState& pass)
{
    if (step.kind == EXISTENTIAL_RESTR)
        return applyExistentialStep(step, schedule, pass);
    Axiom* a = step.axiom;
    if (isNew(a) || std::max(schedule.gciThreshold(), a->lastDeductionIt) <= step.lhs->lastDeductionIt) {
        // An atomic or conjunctive left side is reconsidered only when it
        // changed since the GCI was last applied and not before the
        // threshold. What the left side held before this run has reached the
        // right side in an earlier run.
        const int since = isNew(a) ? 0 : std::max(a->lastDeductionIt, pass.first);
        schedule.stamp(a);
        // Their counts are not the loop's.
        if (step.kind == CONJUNCTION)
            applyConjunction(a, since, pass);
        else
            applyImplication(a, since, pass);
    }
    a->flags &= ~Axiom::NEW_AXIOM;
    return 0;
}

int LibraryTBox::applyExistentialStep(const GciStep& step, PassScheduler& schedule, PassState& pass)
{
    Axiom* a = step.axiom;
    int count = 0;
    // Most visits find nothing queued: the hints spare them the lists.
    if (schedule.mayHaveWork(step)) {
        if (step.filler->deduction.hasPending()) {
            schedule.stamp(a);
            count += mergeSubsumedFromNewChainedAndSubsumedAndClear(step.filler, step.rhs, step.role, true, a->index,
                                                                    pass);
        }
        if (step.rhs->deduction.hasNewSubsumed()) {
            schedule.stamp(a);
            count += mergeNewSubsumedAndClear(step.rhs, pass);
        }
        schedule.workLooked(step);
    }
    // Whether the right side can trigger a rule is asked only when the
    // answer can raise the marker.
    if (!pass.raised())
        pass.raise(RuleSupport::relevant(step.rhs), step.rhs);
    if (step.wasNew)
        a->flags &= ~Axiom::NEW_AXIOM;
    return count;
}

int LibraryTBox::applyRoleAxiom(RoleAxiom* a, int roleThreshold, PassState& pass)
{
    Role* L = a->lhs;
    int count = 0;
    if (L->kind == COMPOSITION && L->componentCount() == 2) {
        count = deduceBinaryRoleInclusion(a, pass);
    } else if (isNew(a) || std::max(roleThreshold, a->lastDeductionIt) <= L->lastDeductionIt) {
        const int oldStamp = a->lastDeductionIt;
        const bool all = isNew(a);
        a->lastDeductionIt = pass.it;
        count = L->kind == COMPOSITION
                    ? deduceRoleInclusionWithComposition(L, a->rhs, roleThreshold, oldStamp, all, a->index,
                                                         a->chainMerges(), pass)
                    : deduceRoleInclusion(L, a->rhs, roleThreshold, oldStamp, all, a->index, pass);
    }
    a->flags &= ~RoleAxiom::NEW_AXIOM;
    return count;
}

void LibraryTBox::endDeduction(const PassScheduler& schedule, bool incremental)
{
    deductionIteration = 0;
    // Every concept gets its slot, those that the rules added to the normal
    // form included: those are touched when they are made, the others of an
    // incremental run had theirs before.
    if (conceptsById == nullptr)
        conceptsById = new std::vector<Concept*>();
    conceptsById->resize(Concept::normal_id_counter, nullptr);
    auto reset = [this](Concept* c) {
        // A conjunction stamped through an operand is reset through that
        // operand, whose stamp is not 0 either.
        if (c->lastDeductionIt != 0)
            c->setLastDeductionIt(0);
        c->clearTemporaryStructures();
        c->flags &= ~Concept::NEW_OR_TOUCHED;
        (*conceptsById)[c->id] = c;
    };
    if (incremental)
        std::for_each(touchedInRun.begin(), touchedInRun.end(), reset);
    else {
        std::for_each(normalizedConcepts.begin(), normalizedConcepts.end(), reset);
        touchedSinceRun.clear();
    }
    std::vector<Concept*>().swap(touchedInRun);
    relevantRolesInDeduction.clear();
    for (Role* r : roles) {
        r->setLastDeductionIt(0);
        r->clearTemporaryStructures();
        if (r->flags & (Role::ON_LHS | Role::EXISTENTIAL_ON_LHS))
            relevantRolesInDeduction.insert(r);
    }
    // An incremental run knows the GCIs it stamped; a full run stamped
    // nearly all.
    if (incremental)
        for (Axiom* a : schedule.stamped())
            a->lastDeductionIt = 0;
    else
        for (const GciStep& step : schedule.gciSteps())
            step.axiom->lastDeductionIt = 0;
    for (RoleAxiom* a : roleAxioms) {
        if (useRoleAxiomsInDeduction)
            a->lastDeductionIt = 0;
        // The lists the chains read are gone with the temporary structures.
        a->endRun();
    }
    deduction_performed = true;
}
