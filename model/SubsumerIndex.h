#ifndef KORVANE_MODEL_SUBSUMERINDEX_H
#define KORVANE_MODEL_SUBSUMERINDEX_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <new>
#include <utility>

// The assertion sets seen from the subsumed side: the ids of a concept's
// subsumers found so far, each with the variable of its entry, in a table
// of open addressing; and 512 bits, one set for each subsumer by a hash of
// its id, so that a clear bit tells at once that a concept is no subsumer
// (the usual answer when the conjunction rules look for their operands).
// A classification probes the tables of concepts all over the terminology,
// one after the other, and on a large one the table it probes is seldom in
// a cache: a lookup reads the one cache line (rarely two) where the id's
// probe starts, where a search of a sorted list would wait for one line
// after another; an insertion moves no entry; and the classification can
// ask ahead for that line knowing only the id. The entries are in no
// order. Ids and variables (DIMACS numbers) fit 32 bits; the largest id is
// kept for the empty slots.
class SubsumerIndex {
public:
    using Entry = std::pair<uint32_t, uint32_t>;
    static constexpr uint32_t NoId = ~uint32_t(0);

    SubsumerIndex() = default;
    SubsumerIndex(const SubsumerIndex& other) { copyFrom(other); }
    SubsumerIndex& operator=(const SubsumerIndex& other)
    {
        if (this != &other) {
            release();
            copyFrom(other);
        }
        return *this;
    }
    ~SubsumerIndex() { release(); }

    // The variable of the entry for the id, or null.
    const uint32_t* find(uint32_t id) const
    {
        if (slots == nullptr)
            return nullptr;
        const Entry& slot = slots[probe(id)];
        return slot.first == id ? &slot.second : nullptr;
    }

    // Adds an entry unless the id has one; returns the entry's variable and
    // whether it was added now.
    std::pair<uint32_t, bool> insert(uint32_t id, uint32_t variable)
    {
        if (slots != nullptr) {
            const uint32_t i = probe(id);
            if (slots[i].first == id)
                return {slots[i].second, false};
            if (!full()) {
                place(i, id, variable);
                return {variable, true};
            }
        }
        grow();
        place(probe(id), id, variable);
        return {variable, true};
    }

    bool mayHold(uint32_t id) const { return mayHoldBit(bit(id)); }

    // The same through the bit of the id, worked out beforehand.
    static unsigned bit(uint32_t id) { return static_cast<unsigned>((id * 0x9E3779B9u) >> 23); }
    bool mayHoldBit(unsigned b) const { return (signature[b >> 6] >> (b & 63)) & 1; }

    // Asks the cache for the line where a lookup of the id starts.
    void prefetch(uint32_t id) const
    {
        if (slots != nullptr)
            __builtin_prefetch(slots + home(id));
    }

    // Calls f on every entry, in no particular order.
    template <typename F>
    void forEach(F f) const
    {
        for (uint32_t i = 0; slots != nullptr && i <= mask; ++i)
            if (slots[i].first != NoId)
                f(slots[i]);
    }

    std::size_t size() const { return count; }

    void clear()
    {
        release();
        std::fill(std::begin(signature), std::end(signature), 0);
    }

private:
    // The fewest slots of a table; tables are aligned to their size up to a
    // cache line, so that a small one lies in one line.
    static constexpr uint32_t FirstCapacity = 4;
    static constexpr std::size_t Line = 64;

    // The slot where the probe for the id starts: the top bits of a hash of
    // the id, as many as the table's size takes.
    uint32_t home(uint32_t id) const
    {
        return static_cast<uint32_t>((uint64_t(id * 0x9E3779B9u) * (uint64_t(mask) + 1)) >> 32);
    }
    // The slot of the id's entry, or the empty slot where its probe ends.
    uint32_t probe(uint32_t id) const
    {
        uint32_t i = home(id);
        while (slots[i].first != id && slots[i].first != NoId)
            i = (i + 1) & mask;
        return i;
    }
    // At most three quarters of the slots are used.
    bool full() const { return (count + 1) * 4 > (mask + 1) * 3; }

    void place(uint32_t i, uint32_t id, uint32_t variable)
    {
        slots[i] = {id, variable};
        ++count;
        signature[bit(id) >> 6] |= uint64_t(1) << (bit(id) & 63);
    }

    static std::align_val_t alignment(uint32_t capacity)
    {
        return std::align_val_t(std::min<std::size_t>(Line, capacity * sizeof(Entry)));
    }

    static Entry* allocate(uint32_t capacity)
    {
        auto* made = static_cast<Entry*>(::operator new(capacity * sizeof(Entry), alignment(capacity)));
        std::fill(made, made + capacity, Entry{NoId, 0});
        return made;
    }

    void release()
    {
        if (slots != nullptr)
            ::operator delete(slots, alignment(mask + 1));
        slots = nullptr;
        mask = 0;
        count = 0;
    }

    // Doubles the table (or makes the first one) and puts the entries back.
    void grow()
    {
        Entry* old = slots;
        const uint32_t oldCapacity = old == nullptr ? 0 : mask + 1;
        const uint32_t capacity = old == nullptr ? FirstCapacity : oldCapacity * 2;
        slots = allocate(capacity);
        mask = capacity - 1;
        for (uint32_t k = 0; k < oldCapacity; ++k) {
            if (old[k].first == NoId)
                continue;
            slots[probe(old[k].first)] = old[k];
        }
        if (old != nullptr)
            ::operator delete(old, alignment(oldCapacity));
    }

    void copyFrom(const SubsumerIndex& other)
    {
        std::copy(std::begin(other.signature), std::end(other.signature), std::begin(signature));
        count = other.count;
        mask = other.mask;
        slots = nullptr;
        if (other.slots != nullptr) {
            slots = allocate(mask + 1);
            std::copy(other.slots, other.slots + mask + 1, slots);
        }
    }

    Entry* slots = nullptr;
    uint32_t mask = 0;
    uint32_t count = 0;
    uint64_t signature[8] = {0, 0, 0, 0, 0, 0, 0, 0};
};

#endif
