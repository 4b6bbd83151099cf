#ifndef KORVANE_MODEL_HASHINDEX_H
#define KORVANE_MODEL_HASHINDEX_H

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

// Objects by a hash of their contents, with open addressing and linear
// probing; the caller computes the hashes and says when two objects are the
// same. Nothing is ever removed but by clear().
template <typename T>
class HashIndex {
public:
    // The first indexed object with this hash that `same` accepts, or null.
    template <typename Same>
    T* find(uint64_t hash, Same same) const
    {
        if (count == 0)
            return nullptr;
        for (std::size_t i = slotOf(hash);; i = (i + 1) & mask) {
            const Slot& slot = slots[i];
            if (slot.item == nullptr)
                return nullptr;
            if (slot.hash == hash && same(slot.item))
                return slot.item;
        }
    }

    void add(T* item, uint64_t hash)
    {
        if ((count + 1) * 4 > slots.size() * 3)
            grow();
        place(Slot{hash, item});
        ++count;
    }

    void clear()
    {
        slots.clear();
        mask = 0;
        count = 0;
    }

    std::size_t size() const { return count; }

    // Spreads the bits of h over the whole word, so that its low bits can
    // pick the slot.
    static uint64_t finish(uint64_t h)
    {
        h ^= h >> 30;
        h *= 0xBF58476D1CE4E5B9ull;
        h ^= h >> 27;
        h *= 0x94D049BB133111EBull;
        h ^= h >> 31;
        return h;
    }

    static uint64_t mix(uint64_t h, uint64_t v) { return h ^ (v + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2)); }

    // A hash of a text, character by character (not finished).
    static uint64_t textHash(std::string_view text)
    {
        uint64_t h = 0xCBF29CE484222325ull;
        for (char c : text) {
            h ^= static_cast<unsigned char>(c);
            h *= 0x100000001B3ull;
        }
        return h;
    }

private:
    struct Slot {
        uint64_t hash;
        T* item;
    };

    std::size_t slotOf(uint64_t hash) const { return static_cast<std::size_t>(hash) & mask; }

    void place(const Slot& slot)
    {
        std::size_t i = slotOf(slot.hash);
        while (slots[i].item != nullptr)
            i = (i + 1) & mask;
        slots[i] = slot;
    }

    void grow()
    {
        std::vector<Slot> old;
        old.swap(slots);
        const std::size_t capacity = old.empty() ? 1024 : old.size() * 2;
        slots.assign(capacity, Slot{0, nullptr});
        mask = capacity - 1;
        for (const Slot& slot : old)
            if (slot.item != nullptr)
                place(slot);
    }

    std::vector<Slot> slots;
    std::size_t mask = 0;
    std::size_t count = 0;
};

#endif
