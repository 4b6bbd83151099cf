// r1 ∘ r2 ⊑ s: W ⊑ ∃r1.Z and Z ⊑ ∃r2.F give W ⊑ ∃s.F. Seen from each
// X = ∃r2.F: the existentials ∃r1.Z over X's subsumees Z pass their
// subsumees on to Y = ∃s.F (X itself when s is r2), through the existential
// rule's bulk step, so that Y is chained to them. Later applications take
// only what is new: existentials over r1 (r2's pendingRelated), subsumees of
// X (X's pending), and subsumees of the chained existentials (Y's
// newSubsumed).
#include <map>

#include "reasoner/TBox.h"
#include "reasoner/rules/RuleSupport.h"
#include "reasoner/rules/TargetExistentials.h"

namespace {

bool isBinaryChain(const RoleAxiom* a)
{
    return a->lhs->kind == COMPOSITION && a->lhs->componentCount() == 2;
}

Role* firstOf(const Role* chain)
{
    return chain->components->front();
}

Role* secondOf(const Role* chain)
{
    return chain->components->back();
}

bool takesPart(const RoleAxiom* a, int it)
{
    return isBinaryChain(a) && (it == 0 || (a->flags & RoleAxiom::NEW_AXIOM));
}

}

int TBox::applyFirstBinaryChainSteps(int it, int& marker)
{
    for (RoleAxiom* a : roleAxioms) {
        if (!takesPart(a, it))
            continue;
        firstOf(a->lhs)->deduction.addDependent(secondOf(a->lhs), nullptr);
        secondOf(a->lhs)->deduction.addChainPredecessor(firstOf(a->lhs));
    }
    int count = 0;
    for (RoleAxiom* a : roleAxioms) {
        if (!takesPart(a, it))
            continue;
        Role* r1 = firstOf(a->lhs);
        Role* r2 = secondOf(a->lhs);
        Role* s = a->rhs;
        TargetExistentials targets(*this, s, it, marker);
        for (const auto& entry : *r2->deduction.relatedMap()) {
            Concept* X = entry.second;
            ConceptList* common = X->deduction.getCommonSubsumedWithRoleRelated(r1->deduction.relatedMap(), 0, false);
            if (common->empty()) {
                delete common;
                continue;
            }
            Concept* Y = s == r2 ? X : targets.obtain(RuleSupport::fillerOf(X));
            if (Y == nullptr) {
                delete common;
                continue;
            }
            count += useCommonForChainedAndMerge(X, Y, common, it, RuleSupport::saved(Y), a->index);
        }
        targets.finish();
    }
    return count;
}

int TBox::deduceBinaryRoleInclusion(Role* chain, Role* s, int& it, int& marker, int index)
{
    Role* r1 = firstOf(chain);
    Role* r2 = secondOf(chain);
    std::map<unsigned long, Concept*> overR1;
    if (ConceptList* pendingRelated = r2->deduction.pendingRelated) {
        for (auto p = pendingRelated->begin(); p != pendingRelated->end();) {
            if (RuleSupport::roleOf(*p) != r1) {
                ++p;
                continue;
            }
            overR1[RuleSupport::fillerOf(*p)->id] = *p;
            p = pendingRelated->erase(p);
        }
    }
    TargetExistentials targets(*this, s, it, marker);
    int count = 0;
    for (const auto& entry : *r2->deduction.relatedMap()) {
        Concept* X = entry.second;
        Concept* Y = s == r2 ? X : targets.obtain(RuleSupport::fillerOf(X));
        if (Y == nullptr)
            continue;
        const bool save = RuleSupport::saved(Y);
        if (Y->deduction.hasNewSubsumed())
            count += mergeNewSubsumedAndClear(Y, it);
        if (!overR1.empty()) {
            ConceptList* common = X->deduction.getCommonSubsumedWithRoleRelated(&overR1, 0, false);
            count += useCommonForChainedAndMerge(X, Y, common, it, save, index);
        }
        if (X->deduction.hasPending()) {
            ConceptList collected;
            for (Concept* Z : *X->deduction.pending) {
                Concept* E = r1->deduction.findRelated(Z->id);
                if (E != nullptr && static_cast<ExistentialRestr*>(E)->chaining.addChained(Y, {index, X}))
                    collected.push_back(E);
            }
            if (!collected.empty()) {
                std::vector<ConceptDeduction::SourceRecord> records;
                count += Y->deduction.mergeSubsumed(&collected, it, RuleSupport::deducedFor(*this, Y),
                                                    RuleSupport::recordsOrNull(records));
                savePinpointingInfoBinaryExistential(X, Y, records, index, save);
            }
            // Kept while other chains ending in r2 still have to see it.
            if (r2->deduction.chainPredecessorCount() <= 1)
                X->deduction.pending->clear();
        }
        RuleSupport::raise(marker, it, RuleSupport::relevant(s), Y);
    }
    targets.finish();
    return count;
}
