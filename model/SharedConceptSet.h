#ifndef KORVANE_MODEL_SHAREDCONCEPTSET_H
#define KORVANE_MODEL_SHAREDCONCEPTSET_H

#include <cstddef>
#include <cstdint>
#include <set>
#include <utility>
#include <vector>

#include "model/Concept.h"
#include "model/HashIndex.h"

// A set of concepts, one per structure under Concept::operator<, built for
// the many lookups and insertions of parsing and normalisation: a hash index
// over the structures answers them, and the ordered set is brought up to
// date only when it is walked or searched in order. Members are sorted then
// in one go, which gives the order that inserting them one by one would
// have given, since a member's structure does not change once it is stored.
class SharedConceptSet {
public:
    using Ordered = std::set<Concept*, ConceptComparator>;
    using const_iterator = Ordered::const_iterator;
    using iterator = Ordered::iterator;

    SharedConceptSet() = default;
    SharedConceptSet(const SharedConceptSet&) = delete;
    SharedConceptSet& operator=(const SharedConceptSet&) = delete;

    // Stores c unless an equal concept is stored; returns the stored equal
    // concept (c itself when it was stored now) and whether c was stored.
    std::pair<Concept*, bool> insert(Concept* c);
    // The stored concept equal to c, or null.
    Concept* find(const Concept* c) const;
    std::size_t count(const Concept* c) const { return find(c) == nullptr ? 0 : 1; }
    std::size_t size() const { return members.size(); }
    bool empty() const { return members.empty(); }
    void clear();

    // Every member in the order of its insertion (no sorting needed).
    const std::vector<Concept*>& inInsertionOrder() const { return members; }

    // The members in the order of Concept::operator<.
    const_iterator begin() const { return ordered().begin(); }
    const_iterator end() const { return ordered().end(); }
    iterator lower_bound(Concept* c) { return ordered().lower_bound(c); }
    // Brings the ordered set up to date with every member.
    void settle() const { ordered(); }
    // Stores c, which no member equals, near the position hint.
    iterator insert(iterator hint, Concept* c);
    // Stores c, which no member equals; the ordered set takes it in when it
    // is next walked.
    void append(Concept* c);

    // The hash of c's structure: equal concepts have equal hashes.
    static uint64_t structureHash(const Concept* c);

private:
    Ordered& ordered() const;

    HashIndex<Concept> index;
    // Members in insertion order; the first `sorted` of them are in the
    // ordered set.
    std::vector<Concept*> members;
    mutable std::size_t sorted = 0;
    mutable Ordered orderedMembers;
};

#endif
