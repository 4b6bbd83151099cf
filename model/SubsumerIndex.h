#ifndef KORVANE_MODEL_SUBSUMERINDEX_H
#define KORVANE_MODEL_SUBSUMERINDEX_H

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

// The assertion sets seen from the subsumed side: the ids of a concept's
// subsumers found so far, each with the variable of its entry, by ascending
// id; and 512 bits, one set for each subsumer by a hash of its id, so that
// a clear bit tells at once that a concept is no subsumer (the usual answer
// when the conjunction rules look for their operands). The rules look up
// many subsumers of one concept in a row, so these lookups stay in one
// small, warm list kept with the concept. Ids and variables (DIMACS
// numbers) fit 32 bits.
class SubsumerIndex {
public:
    using Entry = std::pair<uint32_t, uint32_t>;

    // The variable of the entry for the id, or null.
    const uint32_t* find(uint32_t id) const
    {
        auto it = std::lower_bound(entries.begin(), entries.end(), id, byId);
        return it != entries.end() && it->first == id ? &it->second : nullptr;
    }

    // Adds an entry unless the id has one; returns the entry's variable and
    // whether it was added now.
    std::pair<uint32_t, bool> insert(uint32_t id, uint32_t variable)
    {
        auto it = std::lower_bound(entries.begin(), entries.end(), id, byId);
        if (it != entries.end() && it->first == id)
            return {it->second, false};
        entries.insert(it, {id, variable});
        signature[bit(id) >> 6] |= uint64_t(1) << (bit(id) & 63);
        return {variable, true};
    }

    bool mayHold(uint32_t id) const { return (signature[bit(id) >> 6] >> (bit(id) & 63)) & 1; }

    const std::vector<Entry>& all() const { return entries; }
    std::size_t size() const { return entries.size(); }

    void clear()
    {
        entries.clear();
        std::fill(std::begin(signature), std::end(signature), 0);
    }

private:
    static bool byId(const Entry& entry, uint32_t id) { return entry.first < id; }
    static unsigned bit(uint32_t id) { return static_cast<unsigned>((id * 0x9E3779B9u) >> 23); }

    std::vector<Entry> entries;
    uint64_t signature[8] = {0, 0, 0, 0, 0, 0, 0, 0};
};

#endif
