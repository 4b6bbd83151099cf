#ifndef KORVANE_MODEL_ASSERTIONSET_H
#define KORVANE_MODEL_ASSERTIONSET_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class Concept;

// One pair (X, w) of an assertion set: X ⊑ the owner, with variable w. The id
// of X is kept beside it, so that ordering the set reads no concept. Ids and
// variables (DIMACS numbers) fit 32 bits: an entry takes 16 bytes, and the
// rules that walk a set read four entries per cache line.
struct AssertionEntry {
    AssertionEntry(Concept* subsumed, unsigned long variable);
    Concept* first;
    uint32_t second;
    uint32_t id;
};

// Orders the pairs of an assertion set by the id of the subsumed concept only.
struct AssertionsComparator {
    bool operator()(const AssertionEntry& a, const AssertionEntry& b) const { return a.id < b.id; }
};

// The pairs (X, w) with X ⊑ the owner, at most one per X, visited by
// ascending id of X. Entries known to be new are appended and put in order
// only when the set is next visited, which keeps the many insertions of a
// classification cheap.
class AssertionSet {
public:
    using value_type = AssertionEntry;
    using const_iterator = std::vector<AssertionEntry>::const_iterator;

    // Inserts unless an entry for the same concept is present, which then stays.
    std::pair<const_iterator, bool> insert(const AssertionEntry& entry)
    {
        order();
        auto it = std::lower_bound(entries.begin(), entries.end(), entry, AssertionsComparator());
        if (it != entries.end() && it->id == entry.id)
            return {it, false};
        it = entries.insert(it, entry);
        ++orderedPrefix;
        return {it, true};
    }

    // Adds an entry for a concept that has none here yet (the caller knows).
    void append(const AssertionEntry& entry)
    {
        if (orderedPrefix == entries.size() && (entries.empty() || entries.back().id < entry.id))
            ++orderedPrefix;
        entries.push_back(entry);
    }

    const_iterator find(const AssertionEntry& entry) const
    {
        order();
        auto it = std::lower_bound(entries.cbegin(), entries.cend(), entry, AssertionsComparator());
        return it != entries.cend() && it->id == entry.id ? it : entries.cend();
    }

    std::size_t count(const AssertionEntry& entry) const { return find(entry) != end() ? 1 : 0; }
    std::size_t size() const { return entries.size(); }
    bool empty() const { return entries.empty(); }
    void clear()
    {
        entries.clear();
        orderedPrefix = 0;
    }

    const_iterator begin() const
    {
        order();
        return entries.cbegin();
    }
    const_iterator end() const
    {
        order();
        return entries.cend();
    }

    // Puts every entry in order; afterwards (*this)[i] is the i-th entry,
    // and stays so while entries are only appended.
    void order() const
    {
        if (orderedPrefix == entries.size())
            return;
        auto middle = entries.begin() + static_cast<std::ptrdiff_t>(orderedPrefix);
        std::sort(middle, entries.end(), AssertionsComparator());
        std::inplace_merge(entries.begin(), middle, entries.end(), AssertionsComparator());
        orderedPrefix = entries.size();
    }
    const AssertionEntry& operator[](std::size_t i) const { return entries[i]; }

private:
    mutable std::vector<AssertionEntry> entries;
    mutable std::size_t orderedPrefix = 0;
};

#endif
