#include "model/MergedSources.h"

#include "model/Concept.h"

void MergedSources::offer(const Concept* target, Concept* source, std::vector<Offer>& offered)
{
    const ConceptDeduction& from = source->deduction;
    if (from.subsumed == nullptr || from.subsumed == target->deduction.subsumed)
        return;
    const std::size_t length = from.additions == nullptr ? 0 : from.additions->size();
    auto [entry, first] = logged.try_emplace({target->id, source->id}, length);
    if (first) {
        for (Concept* c : *from.subsumed)
            offered.emplace_back(c, source);
        return;
    }
    for (std::size_t k = entry->second; k < length; ++k)
        offered.emplace_back((*from.additions)[k].concept, source);
    entry->second = length;
}
