#ifndef KORVANE_MODEL_IDPAIRMAP_H
#define KORVANE_MODEL_IDPAIRMAP_H

#include <cstddef>
#include <cstdint>
#include <vector>

// A hash map from a pair of 32-bit ids to a value, with open addressing and
// linear probing: one cache line per lookup on average. It indexes ordered
// sets whose lookups would otherwise walk a tree. Most lookups of the
// classification find nothing, and on a large terminology the slots lie far
// beyond the caches: a filter of eight bits per slot (two of them set per
// key, in one word), a twenty-fourth of the slots' size, answers most such
// lookups without touching the slots.
template <typename Value>
class IdPairMap {
public:
    static uint64_t key(uint64_t first, uint64_t second) { return (first << 32) ^ (second & 0xffffffffu); }

    // The value stored under the key, or null.
    const Value* find(uint64_t key) const
    {
        if (count == 0 || !mayHold(key))
            return nullptr;
        for (std::size_t i = slotOf(key);; i = (i + 1) & mask) {
            const Slot& slot = slots[i];
            if (!slot.used)
                return nullptr;
            if (slot.key == key)
                return &slot.value;
        }
    }

    // Stores the value unless the key is present; returns the stored value
    // and whether it was inserted now.
    std::pair<Value, bool> insert(uint64_t key, Value value)
    {
        if ((count + 1) * 4 > slots.size() * 3)
            grow();
        for (std::size_t i = slotOf(key);; i = (i + 1) & mask) {
            Slot& slot = slots[i];
            if (!slot.used) {
                slot = Slot{key, value, true};
                ++count;
                const uint64_t h = filterHash(key);
                filter[h >> filterShift] |= filterBits(h);
                return {value, true};
            }
            if (slot.key == key)
                return {slot.value, false};
        }
    }

    void clear()
    {
        slots.clear();
        filter.clear();
        mask = 0;
        count = 0;
    }

    std::size_t size() const { return count; }

private:
    struct Slot {
        uint64_t key;
        Value value;
        bool used;
    };

    std::size_t slotOf(uint64_t key) const
    {
        return static_cast<std::size_t>((key * 0x9E3779B97F4A7C15ull) >> shift) & mask;
    }

    // The filter's word comes from the top bits of this hash, its two bits
    // from the lowest twelve.
    static uint64_t filterHash(uint64_t key)
    {
        key ^= key >> 31;
        key *= 0xBF58476D1CE4E5B9ull;
        key ^= key >> 29;
        key *= 0x94D049BB133111EBull;
        return key ^ (key >> 32);
    }

    static uint64_t filterBits(uint64_t h) { return (uint64_t(1) << (h & 63)) | (uint64_t(1) << ((h >> 6) & 63)); }

    bool mayHold(uint64_t key) const
    {
        const uint64_t h = filterHash(key);
        const uint64_t bits = filterBits(h);
        return (filter[h >> filterShift] & bits) == bits;
    }

    void grow()
    {
        std::vector<Slot> old;
        old.swap(slots);
        std::size_t capacity = old.empty() ? 1024 : old.size() * 2;
        slots.assign(capacity, Slot{0, Value(), false});
        mask = capacity - 1;
        shift = 64;
        for (std::size_t c = capacity; c > 1; c >>= 1)
            --shift;
        // Eight bits per slot: capacity / 8 words, a power of two.
        filter.assign(capacity / 8, 0);
        filterShift = shift + 3;
        count = 0;
        for (const Slot& slot : old)
            if (slot.used)
                insert(slot.key, slot.value);
    }

    std::vector<Slot> slots;
    std::vector<uint64_t> filter;
    std::size_t mask = 0;
    unsigned shift = 64;
    unsigned filterShift = 64;
    std::size_t count = 0;
};

#endif
