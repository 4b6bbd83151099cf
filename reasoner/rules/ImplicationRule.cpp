// A ⊑ D, A atomic: everything A subsumes, D subsumes.
#include "reasoner/PassState.h"
#include "reasoner/TBox.h"
#include "reasoner/rules/RuleSupport.h"

int LibraryTBox::applyImplication(Axiom* a, int since, PassState& pass)
{
    Concept* A = a->lhs;
    Concept* D = a->rhs;
    // Only what A gained since the last application can be new to D; when
    // that is much of A's list, the whole list is as cheap.
    ConceptDeduction::SubsumedList recent;
    const bool whole = since == 0 || 4 * A->deduction.countAddedSince(since) > A->deduction.subsumed->size();
    const ConceptDeduction::SubsumedList* source =
        whole ? A->deduction.subsumed : A->deduction.addedSince(since, recent);
    std::vector<Concept*> records;
    int count = D->deduction.mergeListInSubsumed(source, pass.it, pass.notes,
                                                 RuleSupport::deducedIf(*this, full_encoding),
                                                 RuleSupport::recordsOrNull(records));
    savePinpointingInfoImplication(A, D, records, a->index, full_encoding);
    // An existential right side ∃s.F matters when s can trigger a rule.
    bool relevant = D->kind == EXISTENTIAL_RESTR ? RuleSupport::relevant(RuleSupport::roleOf(D))
                                                 : RuleSupport::relevant(D);
    pass.raise(relevant, D);
    return count;
}
