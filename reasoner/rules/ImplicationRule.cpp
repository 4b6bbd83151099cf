// A ⊑ D, A atomic: everything A subsumes, D subsumes.
#include "reasoner/TBox.h"
#include "reasoner/rules/RuleSupport.h"

int TBox::applyImplication(Axiom* a, int it, int& marker)
{
    Concept* A = a->lhs;
    Concept* D = a->rhs;
    std::vector<Concept*> records;
    int count = D->deduction.mergeListInSubsumed(A->deduction.subsumed, it, RuleSupport::deducedIf(*this, full_encoding),
                                                 RuleSupport::recordsOrNull(records));
    savePinpointingInfoImplication(A, D, records, a->index, full_encoding);
    // An existential right side ∃s.F matters when s can trigger a rule.
    bool relevant = D->kind == EXISTENTIAL_RESTR ? RuleSupport::relevant(RuleSupport::roleOf(D))
                                                 : RuleSupport::relevant(D);
    RuleSupport::raise(marker, it, relevant, D);
    return count;
}
