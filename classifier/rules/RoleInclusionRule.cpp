// X ⊑ ∃r.F and r ⊑ s give X ⊑ ∃s.F (∃s.F stored or made now). Index: the
// role axioms of r (ChainRule.cpp indexes them all).
#include "reasoner/TBox.h"

void ClassifierTBox::applyRoleInclusionRule(RoleAxiom* ra, const QueuedSubsumption& item)
{
    Concept* target = obtainExistential(ra->rhs, partsOf(item.superId));
    if (target == nullptr)
        return;
    const unsigned long premises[1] = {item.variable};
    conclude(item.sub, target, ra->selector, premises, 1);
}
