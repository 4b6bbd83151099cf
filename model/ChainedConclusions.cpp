#include "model/ChainedConclusions.h"

#include "model/Concept.h"

bool ChainedConclusions::addChained(Concept* d, Premise p)
{
    if (chained == nullptr)
        chained = new ChainedMap();
    return chained->try_emplace(d->id, Conclusion{d, p}).second;
}

void ChainedConclusions::passOn(Concept* existential, Concept* c, DeductionNotes& notes) const
{
    if (chained == nullptr)
        return;
    for (const auto& entry : *chained) {
        const Conclusion& conclusion = entry.second;
        conclusion.concept->deduction.addNewSubsumed(c, existential, conclusion.premise.second,
                                                     conclusion.premise.first, notes);
    }
}

void ChainedConclusions::clear()
{
    delete chained;
    chained = nullptr;
}
