#ifndef KORVANE_MODEL_GCIINDEX_H
#define KORVANE_MODEL_GCIINDEX_H

#include <cstdint>

#include "model/Axiom.h"
#include "model/Concept.h"
#include "model/HashIndex.h"

// The GCIs of an ordered GCI set by their sides and type. When the sides of
// every GCI in the set and of a probe are shared concepts, the set holds a
// GCI equal to the probe only if it holds one with the same two sides and
// type, so a probe that this index does not know needs no search of the set.
class GCIIndex {
public:
    void add(Axiom* a)
    {
        if (shared(a))
            index.add(a, hashOf(a));
        else
            complete = false;
    }

    // Whether the set surely holds no GCI equal to a.
    bool rulesOut(const Axiom* a) const
    {
        return complete && shared(a) && index.find(hashOf(a), [a](const Axiom* s) {
            return s->lhs == a->lhs && s->rhs == a->rhs && s->type == a->type;
        }) == nullptr;
    }

    void clear()
    {
        index.clear();
        complete = true;
    }

private:
    static bool shared(const Axiom* a) { return (a->lhs->flags & a->rhs->flags & Concept::IN_DAG) != 0; }

    static uint64_t hashOf(const Axiom* a)
    {
        uint64_t h = HashIndex<Axiom>::mix(static_cast<uint64_t>(a->type), reinterpret_cast<uintptr_t>(a->lhs));
        return HashIndex<Axiom>::finish(HashIndex<Axiom>::mix(h, reinterpret_cast<uintptr_t>(a->rhs)));
    }

    HashIndex<Axiom> index;
    // Every GCI of the set is in the index.
    bool complete = true;
};

#endif
