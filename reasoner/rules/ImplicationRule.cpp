// A ⊑ D, A atomic: everything A subsumes, D subsumes.
#include "reasoner/PassState.h"
#include "reasoner/TBox.h"
#include "reasoner/rules/RuleSupport.h"

int LibraryTBox::applyImplication(Axiom* a, int since, PassState& pass)
{
    Concept* A = a->lhs;
    Concept* D = a->rhs;
    // Only what A gained since the last application can be new to D.
    std::vector<Concept*> records;
    int count = D->deduction.mergeFrom(A->deduction, since, pass.it, pass.notes,
                                       RuleSupport::deducedIf(*this, full_encoding),
                                       RuleSupport::recordsOrNull(records));
    savePinpointingInfoImplication(A, D, records, a->index, full_encoding);
    // An existential right side ∃s.F matters when s can trigger a rule.
    bool relevant = D->kind == EXISTENTIAL_RESTR ? RuleSupport::relevant(RuleSupport::roleOf(D))
                                                 : RuleSupport::relevant(D);
    pass.raise(relevant, D);
    return count;
}
