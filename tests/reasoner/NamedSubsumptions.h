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

} // namespace korvane_test

#endif
