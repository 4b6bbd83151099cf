// X ⊑ A and A ⊑ B give X ⊑ B. Index: the atomic rules of A (one record per
// axiom with A on its left, compiled by the preparation).
#include "reasoner/TBox.h"

void ClassifierTBox::applyImplicationRule(const AtomicPremise& premise, const AtomicRule& rule)
{
    const unsigned long premises[1] = {premise.item.variable};
    conclude(premise.item.sub, rule.rhs, rule.selector, premises, 1);
}
