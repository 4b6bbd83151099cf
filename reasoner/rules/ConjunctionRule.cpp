// C1 ⊓ ... ⊓ Cn ⊑ D: what every Ci subsumes, D subsumes.
#include "reasoner/PassState.h"
#include "reasoner/TBox.h"
#include "reasoner/rules/RuleSupport.h"

int LibraryTBox::applyConjunction(Axiom* a, int since, PassState& pass)
{
    Concept* C = a->lhs;
    Concept* D = a->rhs;
    // Only a concept that some conjunct gained since the last application
    // can be common and new to D.
    ConceptList* common = since == 0 ? C->deduction.getCommonSubsumed(C->operands)
                                     : C->deduction.getCommonSubsumedSince(C->operands, since);
    int count = 0;
    if (!common->empty()) {
        std::vector<Concept*> records;
        count = D->deduction.mergeListInSubsumed(common, pass.it, pass.notes,
                                                 RuleSupport::deducedIf(*this, full_encoding),
                                                 RuleSupport::recordsOrNull(records));
        savePinpointingInfoConjunction(C, D, records, a->index, full_encoding);
    }
    delete common;
    pass.raise(RuleSupport::relevant(D), D);
    return count;
}
