#ifndef KORVANE_REASONER_STOREDPAIRS_H
#define KORVANE_REASONER_STOREDPAIRS_H

#include <algorithm>
#include <utility>
#include <vector>

#include "model/Concept.h"

// The subsumptions of a deduced-axioms list (pairs of normal-form concepts)
// by the ids of their sides, sorted: which pairs of another list are among
// them, as an encoding pass asks of the subsumptions an earlier pass wrote.
class StoredPairs {
public:
    template <class Pairs>
    explicit StoredPairs(const Pairs* pairs)
    {
        if (pairs == nullptr)
            return;
        ids.reserve(pairs->size());
        for (const auto& p : *pairs)
            ids.emplace_back(p.first->id, p.second->id);
        std::sort(ids.begin(), ids.end());
    }
    bool holds(const std::pair<Concept*, Concept*>& p) const
    {
        return std::binary_search(ids.begin(), ids.end(), std::make_pair(p.first->id, p.second->id));
    }
    bool empty() const { return ids.empty(); }

private:
    std::vector<std::pair<unsigned long, unsigned long>> ids;
};

#endif
