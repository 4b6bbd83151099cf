// The classification loop: the first applications of the existential and
// binary-chain rules, then iterations of a GCI pass and, when that changed
// nothing that can trigger a rule, a role pass, until an iteration changes
// nothing that can. The loop only chooses which rule runs where; the rules
// are in reasoner/rules/.
#include "model/ExistentialRestr.h"
#include "reasoner/TBox.h"

namespace {

bool isNew(const Container* axiom)
{
    return axiom->flags & Axiom::NEW_AXIOM;
}

// An atomic or conjunctive left side is reconsidered only when it changed
// since the GCI was last applied and not before the threshold.
bool unchangedSince(const Axiom* a, int threshold)
{
    return std::max(threshold, a->lastDeductionIt) > a->lhs->lastDeductionIt;
}

}

TBox::DeducedList* TBox::performDeduction(int& conceptCount, int& roleCount)
{
    delete deducedAxioms;
    deducedAxioms = new DeducedList();
    int it = deductionIteration;
    int& marker = deductionIteration;
    conceptCount = 0;
    roleCount = 0;

    for (Axiom* a : gcis)
        if (a->lhs->kind == EXISTENTIAL_RESTR && (it == 0 || isNew(a)))
            conceptCount += applyFirstExistentialStep(a, it);
    if (useRoleAxiomsInDeduction)
        roleCount += applyFirstBinaryChainSteps(it, marker);

    int gciThreshold = it;
    int roleThreshold = it;
    for (;;) {
        ++it;
        for (Axiom* a : gcis) {
            Concept* L = a->lhs;
            if (L->kind == EXISTENTIAL_RESTR) {
                Concept* G = static_cast<ExistentialRestr*>(L)->getFiller();
                Concept* D = a->rhs;
                if (G->deduction.hasPending()) {
                    a->lastDeductionIt = it;
                    conceptCount += mergeSubsumedFromNewChainedAndSubsumedAndClear(
                        G, D, static_cast<ExistentialRestr*>(L)->role, it, marker, true, a->index);
                }
                if (D->deduction.hasNewSubsumed()) {
                    a->lastDeductionIt = it;
                    conceptCount += mergeNewSubsumedAndClear(D, it);
                }
                if (marker < it && (D->flags & Concept::ON_LHS))
                    marker = D->lastDeductionIt;
            } else if (isNew(a) || !unchangedSince(a, gciThreshold)) {
                a->lastDeductionIt = it;
                if (L->kind == CONJUNCTION)
                    applyConjunction(a, it, marker);
                else
                    applyImplication(a, it, marker);
            }
            a->flags &= ~Axiom::NEW_AXIOM;
        }
        if (marker == it) {
            gciThreshold = it;
            continue;
        }
        if (!useRoleAxiomsInDeduction || roleAxioms.empty())
            break;
        for (RoleAxiom* a : roleAxioms) {
            Role* L = a->lhs;
            if (L->kind == COMPOSITION && L->componentCount() == 2) {
                roleCount += deduceBinaryRoleInclusion(L, a->rhs, it, marker, a->index);
            } else if (isNew(a) || std::max(roleThreshold, a->lastDeductionIt) <= L->lastDeductionIt) {
                const int oldStamp = a->lastDeductionIt;
                const bool all = isNew(a);
                a->lastDeductionIt = it;
                roleCount += L->kind == COMPOSITION
                                 ? deduceRoleInclusionWithComposition(L, a->rhs, it, roleThreshold, oldStamp, marker,
                                                                      all, a->index)
                                 : deduceRoleInclusion(L, a->rhs, it, roleThreshold, oldStamp, marker, all, a->index);
            }
            a->flags &= ~RoleAxiom::NEW_AXIOM;
        }
        roleThreshold = marker;
        if (marker != it)
            break;
    }

    deductionIteration = 0;
    for (Concept* c : normalizedConcepts) {
        c->setLastDeductionIt(0);
        c->clearTemporaryStructures();
        c->flags &= ~Concept::NEW_OR_TOUCHED;
    }
    for (Role* r : roles) {
        r->setLastDeductionIt(0);
        r->clearTemporaryStructures();
    }
    for (Axiom* a : gcis)
        a->lastDeductionIt = 0;
    if (useRoleAxiomsInDeduction)
        for (RoleAxiom* a : roleAxioms)
            a->lastDeductionIt = 0;
    deduction_performed = true;
    return deducedAxioms;
}
