// r ⊑ s: every subsumee of ∃r.F is subsumed by ∃s.F.
#include "reasoner/TBox.h"
#include "reasoner/rules/RuleSupport.h"
#include "reasoner/rules/TargetExistentials.h"

int TBox::deduceRoleInclusion(Role* r, Role* s, int& it, int prevIt, int axIt, int& marker, bool all, int index)
{
    TargetExistentials targets(*this, s, it, marker);
    int count = 0;
    for (const auto& entry : *r->deduction.relatedMap()) {
        Concept* X = entry.second;
        if (!all && (X->lastDeductionIt < prevIt || X->lastDeductionIt < axIt))
            continue;
        Concept* Y = targets.obtain(RuleSupport::fillerOf(X));
        if (Y == nullptr)
            continue;
        std::vector<Concept*> records;
        count += Y->deduction.mergeListInSubsumed(X->deduction.subsumed, it, RuleSupport::deducedFor(*this, Y),
                                                  RuleSupport::recordsOrNull(records));
        savePinpointingInfoRoleInclusion(X, Y, records, index, RuleSupport::saved(Y));
        RuleSupport::raise(marker, it, RuleSupport::relevant(s), Y);
    }
    targets.finish();
    return count;
}
