#ifndef KORVANE_MODEL_RELATEDMAP_H
#define KORVANE_MODEL_RELATEDMAP_H

#include <cstddef>
#include <map>

#include "model/IdPairMap.h"

class Concept;

// The normalised existentials over one role, keyed by the id of their
// filler: in key order for the walks of the rules and, once there are many,
// also in a hash index, which answers a lookup with about one read where the
// tree would be descended node by node. Every change goes through here, so
// the two agree.
class RelatedMap {
public:
    using Ordered = std::map<unsigned long, Concept*>;
    using const_iterator = Ordered::const_iterator;
    using value_type = Ordered::value_type;

    RelatedMap() = default;
    RelatedMap(const RelatedMap&) = delete;
    RelatedMap& operator=(const RelatedMap&) = delete;
    ~RelatedMap() { delete index; }

    const_iterator begin() const { return ordered.begin(); }
    const_iterator end() const { return ordered.end(); }
    std::size_t size() const { return ordered.size(); }
    bool empty() const { return ordered.empty(); }
    const_iterator find(unsigned long key) const { return ordered.find(key); }

    // The existential whose filler has the id key, or null.
    Concept* lookUp(unsigned long key) const;
    // Stores key → c unless key is present.
    void emplace(unsigned long key, Concept* c);
    const_iterator erase(const_iterator position);

private:
    Ordered ordered;
    // From a few dozen entries on (an index takes a thousand slots at
    // least); dropped by an erase and made again by a later insertion.
    IdPairMap<Concept*>* index = nullptr;
};

#endif
