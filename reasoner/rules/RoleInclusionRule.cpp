// r ⊑ s: every subsumee of ∃r.F is subsumed by ∃s.F.
#include <algorithm>
#include <utility>
#include <vector>

#include "reasoner/PassState.h"
#include "reasoner/TBox.h"
#include "reasoner/rules/RuleSupport.h"
#include "reasoner/rules/TargetExistentials.h"

int LibraryTBox::deduceRoleInclusion(Role* r, Role* s, int prevIt, int axIt, bool all, int index, PassState& pass)
{
    TargetExistentials targets(*this, s, pass);
    int count = 0;
    const int threshold = all ? 0 : std::max(prevIt, axIt);
    auto apply = [&](unsigned long fillerId, Concept* X) {
        if (X->lastDeductionIt < threshold)
            return;
        Concept* Y = targets.obtain(fillerId, X);
        if (Y == nullptr)
            return;
        // What X held when it was last passed over has reached Y then,
        // unless Y was made just now.
        const int since = targets.madeLast() ? 0 : threshold;
        std::vector<Concept*> records;
        count += Y->deduction.mergeFrom(X->deduction, since, pass.it, pass.notes, RuleSupport::deducedFor(*this, Y),
                                        RuleSupport::recordsOrNull(records));
        savePinpointingInfoRoleInclusion(X, Y, records, index, RuleSupport::saved(Y));
        pass.raise(RuleSupport::relevant(s), Y);
    };
    if (threshold == 0) {
        for (const auto& entry : *r->deduction.relatedMap())
            apply(entry.first, entry.second);
    } else {
        // Only the existentials over r changed since the threshold can pass:
        // the role's log of changes names them, in key order.
        std::vector<std::pair<unsigned long, Concept*>> changed;
        r->deduction.changedSince(threshold, changed);
        for (const auto& entry : changed)
            if (r->deduction.findRelated(entry.first) == entry.second)
                apply(entry.first, entry.second);
    }
    targets.finish();
    return count;
}
