#include "model/ChainedConclusions.h"

#include "model/Concept.h"

bool ChainedConclusions::addChained(Concept* d, Premise p)
{
    if (chained == nullptr) {
        chained = new ChainedMap();
        chainedPremises = new PremiseMap();
    }
    if (!chained->emplace(d->id, d).second)
        return false;
    chainedPremises->emplace(d->id, p);
    return true;
}

void ChainedConclusions::passOn(Concept* existential, Concept* c, DeductionNotes& notes) const
{
    if (chained == nullptr)
        return;
    auto premise = chainedPremises->begin();
    for (const auto& conclusion : *chained) {
        conclusion.second->deduction.addNewSubsumed(c, existential, premise->second.second, premise->second.first,
                                                    notes);
        ++premise;
    }
}

void ChainedConclusions::clear()
{
    delete chained;
    chained = nullptr;
    delete chainedPremises;
    chainedPremises = nullptr;
}
