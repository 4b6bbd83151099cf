#ifndef KORVANE_TESTS_REASONER_NAMEDSUBSUMPTIONS_H
#define KORVANE_TESTS_REASONER_NAMEDSUBSUMPTIONS_H

#include <string>

#include "model/PrimitiveConcept.h"
#include "reasoner/TBox.h"
#include "support/SharedOntologies.h"

namespace korvane_test {

// Named-concept pairs (A, B), A ≠ B, A in B's subsumed list.
inline shared_ontologies::Pairs subsumedPairs(TBox* tbox)
{
    shared_ontologies::Pairs pairs;
    for (Concept* super : tbox->normalizedConcepts) {
        if (super->kind != PRIMITIVE_CONCEPT || super->deduction.subsumed == nullptr)
            continue;
        const std::string& b = static_cast<PrimitiveConcept*>(super)->name;
        for (Concept* sub : *super->deduction.subsumed)
            if (sub->kind == PRIMITIVE_CONCEPT && sub != super)
                pairs.insert({static_cast<PrimitiveConcept*>(sub)->name, b});
    }
    return pairs;
}

// The lengths of the subsumed lists of all normalised concepts.
inline int subsumedTotal(TBox* tbox)
{
    int count = 0;
    for (Concept* c : tbox->normalizedConcepts)
        if (c->deduction.subsumed != nullptr)
            count += static_cast<int>(c->deduction.subsumed->size());
    return count;
}

} // namespace korvane_test

#endif
