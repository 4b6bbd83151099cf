// The classification loop: the first applications of the existential and
// binary-chain rules, then iterations of a GCI pass and, when that changed
// nothing that can trigger a rule, a role pass, until an iteration changes
// nothing that can and queues nothing for a rule. The loop only chooses
// which rule runs where; the rules are in reasoner/rules/.
#include <algorithm>
#include <optional>
#include <vector>

#include "model/ExistentialRestr.h"
#include "model/QueuedRuleWork.h"
#include "reasoner/PassCandidates.h"
#include "reasoner/TBox.h"

namespace {

bool isNew(const Axiom* a)
{
    return a->flags & Axiom::NEW_AXIOM;
}

bool isNew(const RoleAxiom* a)
{
    return a->flags & RoleAxiom::NEW_AXIOM;
}

// A GCI as the passes read it, its parts looked up once.
struct GciStep {
    Axiom* axiom;
    Concept* lhs;
    Concept* rhs;
    // For an existential left side ∃r.G.
    Concept* filler;
    Role* role;
    concept_t kind;
};

std::vector<GciStep> gciSteps(const TBox::AxiomSet& gcis)
{
    std::vector<GciStep> steps;
    steps.reserve(gcis.size());
    for (Axiom* a : gcis) {
        GciStep step{a, a->lhs, a->rhs, nullptr, nullptr, a->lhs->kind};
        if (step.kind == EXISTENTIAL_RESTR) {
            step.filler = static_cast<ExistentialRestr*>(a->lhs)->getFiller();
            step.role = static_cast<ExistentialRestr*>(a->lhs)->role;
        }
        steps.push_back(step);
    }
    return steps;
}

}

TBox::DeducedList* TBox::performDeduction(int& conceptCount, int& roleCount)
{
    delete deducedAxioms;
    deducedAxioms = new DeducedList();
    int it = deductionIteration;
    const int firstIt = it;
    int& marker = deductionIteration;
    conceptCount = 0;
    roleCount = 0;
    const std::vector<GciStep> steps = gciSteps(gcis);

    for (const GciStep& step : steps)
        if (step.kind == EXISTENTIAL_RESTR && (it == 0 || isNew(step.axiom)))
            conceptCount += applyFirstExistentialStep(step.axiom, it);
    if (useRoleAxiomsInDeduction)
        roleCount += applyFirstBinaryChainSteps(it, marker);

    // The first pass looks at every GCI; later passes at the existential
    // ones and at the candidates whose left side was stamped since the
    // threshold, in the same order.
    std::vector<Concept*> leftSides;
    std::vector<std::size_t> existentialPositions;
    leftSides.reserve(steps.size());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const bool existential = steps[i].kind == EXISTENTIAL_RESTR;
        leftSides.push_back(existential ? nullptr : steps[i].lhs);
        if (existential)
            existentialPositions.push_back(i);
    }
    std::optional<PassCandidates> candidates(std::in_place, leftSides);
    bool firstPass = true;

    int gciThreshold = it;
    int roleThreshold = it;
    for (;;) {
        ++it;
        candidates->beginIteration(it);
        // Work queued in this iteration (a new existential that no merge
        // made relevant, a subsumee handed on after its rule was visited)
        // is taken by the next one.
        const std::size_t queuedBefore = QueuedRuleWork::count();
        auto visit = [&](const GciStep& step) {
            Axiom* a = step.axiom;
            if (step.kind == EXISTENTIAL_RESTR) {
                if (step.filler->deduction.hasPending()) {
                    a->lastDeductionIt = it;
                    conceptCount += mergeSubsumedFromNewChainedAndSubsumedAndClear(step.filler, step.rhs, step.role,
                                                                                   it, marker, true, a->index);
                }
                if (step.rhs->deduction.hasNewSubsumed()) {
                    a->lastDeductionIt = it;
                    conceptCount += mergeNewSubsumedAndClear(step.rhs, it);
                }
                if (marker < it && (step.rhs->flags & Concept::ON_LHS))
                    marker = step.rhs->lastDeductionIt;
            } else if (isNew(a) || std::max(gciThreshold, a->lastDeductionIt) <= step.lhs->lastDeductionIt) {
                // An atomic or conjunctive left side is reconsidered only
                // when it changed since the GCI was last applied and not
                // before the threshold.
                // What the left side held before this run has reached the
                // right side in an earlier run.
                const int since = isNew(a) ? 0 : std::max(a->lastDeductionIt, firstIt);
                a->lastDeductionIt = it;
                if (step.kind == CONJUNCTION)
                    applyConjunction(a, it, since, marker);
                else
                    applyImplication(a, it, since, marker);
            }
            a->flags &= ~Axiom::NEW_AXIOM;
        };
        if (firstPass) {
            for (const GciStep& step : steps)
                visit(step);
            firstPass = false;
        } else {
            candidates->beginPass(gciThreshold);
            std::size_t e = 0;
            for (;;) {
                const std::size_t existential =
                    e < existentialPositions.size() ? existentialPositions[e] : PassCandidates::none;
                const std::size_t position = std::min(existential, candidates->next());
                if (position == PassCandidates::none)
                    break;
                if (position == existential)
                    ++e;
                else
                    candidates->pop();
                visit(steps[position]);
                candidates->admitStampedAfter(position);
            }
        }
        if (marker == it) {
            gciThreshold = it;
            continue;
        }
        if (!useRoleAxiomsInDeduction || roleAxioms.empty()) {
            if (QueuedRuleWork::count() == queuedBefore)
                break;
            continue;
        }
        for (RoleAxiom* a : roleAxioms) {
            Role* L = a->lhs;
            if (L->kind == COMPOSITION && L->componentCount() == 2) {
                roleCount += deduceBinaryRoleInclusion(L, a->rhs, it, marker, a->index, a->pendingRelatedRead);
            } else if (isNew(a) || std::max(roleThreshold, a->lastDeductionIt) <= L->lastDeductionIt) {
                const int oldStamp = a->lastDeductionIt;
                const bool all = isNew(a);
                a->lastDeductionIt = it;
                roleCount += L->kind == COMPOSITION
                                 ? deduceRoleInclusionWithComposition(L, a->rhs, it, roleThreshold, oldStamp, marker,
                                                                      all, a->index, a->chainMerges())
                                 : deduceRoleInclusion(L, a->rhs, it, roleThreshold, oldStamp, marker, all, a->index);
            }
            a->flags &= ~RoleAxiom::NEW_AXIOM;
        }
        roleThreshold = marker;
        if (marker != it && QueuedRuleWork::count() == queuedBefore)
            break;
    }

    // The stamps are reset below without being logged.
    candidates.reset();
    deductionIteration = 0;
    // Every concept gets its slot, those that the rules added to the normal
    // form included.
    if (conceptsById == nullptr)
        conceptsById = new std::vector<Concept*>();
    conceptsById->resize(Concept::normal_id_counter, nullptr);
    for (Concept* c : normalizedConcepts) {
        // A conjunction stamped through an operand is reset through that
        // operand, whose stamp is not 0 either.
        if (c->lastDeductionIt != 0)
            c->setLastDeductionIt(0);
        c->clearTemporaryStructures();
        c->flags &= ~Concept::NEW_OR_TOUCHED;
        (*conceptsById)[c->id] = c;
    }
    relevantRolesInDeduction.clear();
    for (Role* r : roles) {
        r->setLastDeductionIt(0);
        r->clearTemporaryStructures();
        if (r->flags & (Role::ON_LHS | Role::EXISTENTIAL_ON_LHS))
            relevantRolesInDeduction.insert(r);
    }
    for (const GciStep& step : steps)
        step.axiom->lastDeductionIt = 0;
    if (useRoleAxiomsInDeduction)
        for (RoleAxiom* a : roleAxioms)
            a->lastDeductionIt = 0;
    // The lists the chains read are gone with the temporary structures.
    for (RoleAxiom* a : roleAxioms)
        a->endRun();
    deduction_performed = true;
    return deducedAxioms;
}
