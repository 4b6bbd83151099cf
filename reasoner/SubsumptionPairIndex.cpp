#include "reasoner/SubsumptionPairIndex.h"

unsigned long SubsumptionPairIndex::hash(unsigned long sub, unsigned long super)
{
    unsigned long h = sub * 0x9E3779B97F4A7C15UL + super;
    h ^= h >> 30;
    h *= 0xBF58476D1CE4E5B9UL;
    h ^= h >> 27;
    h *= 0x94D049BB133111EBUL;
    return h ^ (h >> 31);
}

unsigned long SubsumptionPairIndex::position(unsigned long sub, unsigned long super) const
{
    const unsigned long mask = slots.size() - 1;
    unsigned long at = hash(sub, super) & mask;
    while (slots[at].number != 0 && (slots[at].sub != sub || slots[at].super != super))
        at = (at + 1) & mask;
    return at;
}

void SubsumptionPairIndex::prefetch(unsigned long sub, unsigned long super) const
{
#if defined(__GNUC__)
    if (!slots.empty())
        __builtin_prefetch(&slots[hash(sub, super) & (slots.size() - 1)]);
#else
    (void)sub;
    (void)super;
#endif
}

void SubsumptionPairIndex::grow()
{
    std::vector<Slot> old;
    old.swap(slots);
    slots.assign(old.empty() ? 1024 : old.size() * 2, Slot{0, 0, 0});
    // The slots of the pairs a little further on are fetched while a pair
    // is moved.
    const std::size_t distance = 16;
    for (std::size_t i = 0; i < old.size(); ++i) {
        if (i + distance < old.size() && old[i + distance].number != 0)
            prefetch(old[i + distance].sub, old[i + distance].super);
        const Slot& s = old[i];
        if (s.number != 0)
            slots[position(s.sub, s.super)] = s;
    }
}

bool SubsumptionPairIndex::insert(unsigned long sub, unsigned long super, unsigned long number)
{
    // At most seven slots in ten are taken.
    if ((count + 1) * 10 > slots.size() * 7)
        grow();
    Slot& slot = slots[position(sub, super)];
    if (slot.number != 0)
        return false;
    slot = Slot{sub, super, number};
    ++count;
    return true;
}

unsigned long SubsumptionPairIndex::find(unsigned long sub, unsigned long super) const
{
    if (slots.empty())
        return 0;
    return slots[position(sub, super)].number;
}

void SubsumptionPairIndex::clear()
{
    std::vector<Slot>().swap(slots);
    count = 0;
}

std::vector<std::pair<unsigned long, unsigned long>> SubsumptionPairIndex::pairsByNumber(unsigned long records) const
{
    std::vector<std::pair<unsigned long, unsigned long>> pairs(records, {0, 0});
    for (const Slot& s : slots)
        if (s.number != 0 && s.number < records)
            pairs[s.number] = {s.sub, s.super};
    return pairs;
}
