#ifndef KORVANE_REASONER_SUBSUMPTIONPAIRINDEX_H
#define KORVANE_REASONER_SUBSUMPTIONPAIRINDEX_H

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

// The record number of each (sub id, super id) pair of the pinpointing
// information, in one flat table with open addressing: a large file holds
// millions of pairs, each looked up once per premise that names it, and a
// table of nodes would miss the cache on every step of a lookup. A slot is
// the two ids packed into one word and the number; the rare pair of an id
// beyond 32 bits is kept apart, in a tree.
class SubsumptionPairIndex {
public:
    // Enters the pair with its record number (not 0); false, and nothing
    // changed, when the pair is already there.
    bool insert(unsigned long sub, unsigned long super, unsigned long number);
    // The record number of the pair, 0 when it is not there.
    unsigned long find(unsigned long sub, unsigned long super) const;
    // Starts fetching the slot where the lookup of the pair begins, for a
    // lookup or an insertion soon after.
    void prefetch(unsigned long sub, unsigned long super) const;
    // Sizes the table for at least this many pairs at once, so that it does
    // not grow step by step while they come in.
    void expect(unsigned long pairs);
    void clear();
    unsigned long size() const { return count; }

private:
    struct Slot {
        uint64_t key;          // sub << 32 | super
        unsigned long number;  // 0: empty
    };
    static bool packs(unsigned long sub, unsigned long super);
    static uint64_t key(unsigned long sub, unsigned long super);
    static unsigned long hash(uint64_t key);
    // The slot of the key, or the empty slot where it would go.
    unsigned long position(uint64_t key) const;
    void grow();
    void rebuild(std::size_t size);

    std::vector<Slot> slots;
    std::map<std::pair<unsigned long, unsigned long>, unsigned long> wide;
    unsigned long packed = 0;
    unsigned long count = 0;
};

#endif
