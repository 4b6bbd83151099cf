#ifndef KORVANE_MODEL_SUBSUMERINDEX_H
#define KORVANE_MODEL_SUBSUMERINDEX_H

#include <algorithm>
#include <cstddef>
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
        const std::size_t at = position(id);
        return at != entries.size() && entries[at].first == id ? &entries[at].second : nullptr;
    }

    // Adds an entry unless the id has one; returns the entry's variable and
    // whether it was added now.
    std::pair<uint32_t, bool> insert(uint32_t id, uint32_t variable)
    {
        const std::size_t at = position(id);
        if (at != entries.size() && entries[at].first == id)
            return {entries[at].second, false};
        entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(at), {id, variable});
        signature[bit(id) >> 6] |= uint64_t(1) << (bit(id) & 63);
        return {variable, true};
    }

    bool mayHold(uint32_t id) const { return mayHoldBit(bit(id)); }

    // The same through the bit of the id, worked out beforehand.
    static unsigned bit(uint32_t id) { return static_cast<unsigned>((id * 0x9E3779B9u) >> 23); }
    bool mayHoldBit(unsigned b) const { return (signature[b >> 6] >> (b & 63)) & 1; }

    const std::vector<Entry>& all() const { return entries; }
    std::size_t size() const { return entries.size(); }

    void clear()
    {
        entries.clear();
        std::fill(std::begin(signature), std::end(signature), 0);
    }

private:
    // The place of the first entry whose id is not below the given one. The
    // halving takes no branch on the ids (the step is masked by the
    // compare): subsumers come in no order that a branch predictor could
    // learn, and a wrong guess per halving costs more than the compare.
    std::size_t position(uint32_t id) const
    {
        const Entry* data = entries.data();
        std::size_t length = entries.size();
        if (length == 0)
            return 0;
        std::size_t at = 0;
        while (length > 1) {
            const std::size_t half = length / 2;
            at += half & (std::size_t(0) - static_cast<std::size_t>(data[at + half - 1].first < id));
            length -= half;
        }
        return at + static_cast<std::size_t>(data[at].first < id);
    }

    std::vector<Entry> entries;
    uint64_t signature[8] = {0, 0, 0, 0, 0, 0, 0, 0};
};

#endif
