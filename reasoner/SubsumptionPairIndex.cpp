#include "reasoner/SubsumptionPairIndex.h"

bool SubsumptionPairIndex::packs(unsigned long sub, unsigned long super)
{
    return sub <= 0xFFFFFFFFUL && super <= 0xFFFFFFFFUL;
}

uint64_t SubsumptionPairIndex::key(unsigned long sub, unsigned long super)
{
    return (static_cast<uint64_t>(sub) << 32) | super;
}

unsigned long SubsumptionPairIndex::hash(uint64_t key)
{
    uint64_t h = key;
    h ^= h >> 30;
    h *= 0xBF58476D1CE4E5B9UL;
    h ^= h >> 27;
    h *= 0x94D049BB133111EBUL;
    return static_cast<unsigned long>(h ^ (h >> 31));
}

unsigned long SubsumptionPairIndex::position(uint64_t key) const
{
    const unsigned long mask = slots.size() - 1;
    unsigned long at = hash(key) & mask;
    while (slots[at].number != 0 && slots[at].key != key)
        at = (at + 1) & mask;
    return at;
}

// A function that only prefetches has no effect that the compiler must
// keep: the prefetch is written into each loop that wants it, never called.
#if defined(__GNUC__)
#define KORVANE_PREFETCH(address) __builtin_prefetch(address)
#else
#define KORVANE_PREFETCH(address) ((void)(address))
#endif

void SubsumptionPairIndex::prefetch(unsigned long sub, unsigned long super) const
{
    if (!slots.empty() && packs(sub, super))
        KORVANE_PREFETCH(&slots[hash(key(sub, super)) & (slots.size() - 1)]);
}

void SubsumptionPairIndex::grow()
{
    rebuild(slots.empty() ? 1024 : slots.size() * 2);
}

void SubsumptionPairIndex::expect(unsigned long pairs)
{
    std::size_t size = slots.empty() ? 1024 : slots.size();
    // At most seven slots in ten are taken (see insert).
    while (size * 7 < pairs * 10 && size < (std::size_t(1) << 40))
        size *= 2;
    if (size != slots.size())
        rebuild(size);
}

void SubsumptionPairIndex::rebuild(std::size_t size)
{
    std::vector<Slot> old;
    old.swap(slots);
    slots.assign(size, Slot{0, 0});
    // The slots of the pairs a little further on are fetched while a pair
    // is moved.
    const std::size_t distance = 16;
    for (std::size_t i = 0; i < old.size(); ++i) {
        if (i + distance < old.size() && old[i + distance].number != 0)
            KORVANE_PREFETCH(&slots[hash(old[i + distance].key) & (slots.size() - 1)]);
        const Slot& s = old[i];
        if (s.number != 0)
            slots[position(s.key)] = s;
    }
}

bool SubsumptionPairIndex::insert(unsigned long sub, unsigned long super, unsigned long number)
{
    if (!packs(sub, super)) {
        if (!wide.emplace(std::make_pair(sub, super), number).second)
            return false;
        ++count;
        return true;
    }
    // At most seven slots in ten are taken.
    if ((packed + 1) * 10 > slots.size() * 7)
        grow();
    const uint64_t k = key(sub, super);
    Slot& slot = slots[position(k)];
    if (slot.number != 0)
        return false;
    slot = Slot{k, number};
    ++packed;
    ++count;
    return true;
}

unsigned long SubsumptionPairIndex::find(unsigned long sub, unsigned long super) const
{
    if (!packs(sub, super)) {
        auto it = wide.find(std::make_pair(sub, super));
        return it == wide.end() ? 0 : it->second;
    }
    if (slots.empty())
        return 0;
    return slots[position(key(sub, super))].number;
}

void SubsumptionPairIndex::clear()
{
    std::vector<Slot>().swap(slots);
    wide.clear();
    packed = count = 0;
}
