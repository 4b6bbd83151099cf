#include "model/RelatedMap.h"

namespace {

constexpr std::size_t indexFromSize = 64;

}

Concept* RelatedMap::lookUp(unsigned long key) const
{
    if (index != nullptr) {
        Concept* const* found = index->find(key);
        return found == nullptr ? nullptr : *found;
    }
    auto found = ordered.find(key);
    return found == ordered.end() ? nullptr : found->second;
}

void RelatedMap::emplace(unsigned long key, Concept* c)
{
    if (!ordered.emplace(key, c).second)
        return;
    if (index != nullptr) {
        index->insert(key, c);
    } else if (ordered.size() >= indexFromSize) {
        index = new IdPairMap<Concept*>();
        for (const auto& entry : ordered)
            index->insert(entry.first, entry.second);
    }
}

RelatedMap::const_iterator RelatedMap::erase(const_iterator position)
{
    delete index;
    index = nullptr;
    return ordered.erase(position);
}
