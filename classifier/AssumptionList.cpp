// The classifier's assumption list, the mapping of pinpointed selectors back
// to axiom numbers, and the listing of the classification state.
#include "reasoner/TBox.h"

void ClassifierTBox::saveAssumptions(FILE* out)
{
    for (long selector : assumptions)
        std::fprintf(out, "%ld\n", selector);
}

LiteralList* ClassifierTBox::convertAssumptionsInAxiomsIds(LiteralList* ids)
{
    auto* roleIds = new LiteralList();
    for (auto it = ids->begin(); it != ids->end();) {
        long x = *it;
        if (static_cast<unsigned long>(x) > last_gci_axiom_id) {
            if (use_original_axioms_ids)
                x = x - static_cast<long>(last_gci_axiom_id) + static_cast<long>(last_gci_pinpointing_id);
            roleIds->push_back(x);
            it = ids->erase(it);
        } else {
            if (use_original_axioms_ids)
                *it -= 1;
            ++it;
        }
    }
    return roleIds;
}

unsigned long ClassifierTBox::getSubsumptionsNumber()
{
    unsigned long total = 0;
    for (Concept* c : normalizedConcepts)
        total += c->assertions.size();
    return total;
}
