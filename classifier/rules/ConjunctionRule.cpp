// X ⊑ A1, ..., X ⊑ An and A1 ⊓ ... ⊓ An ⊑ B give X ⊑ B, tried when X ⊑ Ai is
// taken from the queue, with every X ⊑ Aj known by then. Index: the atomic
// rules of each Ai, the conjuncts' ids in one flat array. A conclusion that
// is one of its own premises (B is a conjunct) gets no clause.
#include <vector>

#include "reasoner/TBox.h"

void ClassifierTBox::applyConjunctionRule(const AtomicPremise& premise, const AtomicRule& rule)
{
    Concept* sub = premise.item.sub;
    const uint32_t superId = premise.item.superId;
    const uint32_t* operands = ruleOperandIds.data() + rule.firstOperand;
    // Most tries end here: a conjunct that is surely no subsumer of sub.
    for (uint32_t k = 0; k < rule.operandCount; ++k)
        if (operands[k] != superId && !sub->subsumerIndex.mayHold(operands[k]))
            return;
    std::vector<unsigned long>& premises = scratchPremises;
    premises.clear();
    for (uint32_t k = 0; k < rule.operandCount; ++k) {
        const uint32_t x = operands[k];
        const uint32_t* found = x == superId                    ? (premise.ownPresent ? &premise.ownVariable : nullptr)
                                : sub->subsumerIndex.mayHold(x) ? findAssertion(sub, x)
                                                                : nullptr;
        if (found == nullptr || *found > premise.processed)
            return;
        premises.push_back(static_cast<unsigned long>(*found));
    }
    conclude(sub, rule.rhs, rule.selector, premises.data(), premises.size(), true);
}
