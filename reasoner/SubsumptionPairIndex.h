#ifndef KORVANE_REASONER_SUBSUMPTIONPAIRINDEX_H
#define KORVANE_REASONER_SUBSUMPTIONPAIRINDEX_H

#include <utility>
#include <vector>

// The record number of each (sub id, super id) pair of the pinpointing
// information, in one flat table with open addressing: a large file holds
// millions of pairs, each looked up once per premise that names it, and a
// table of nodes would miss the cache on every step of a lookup.
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
    void clear();
    unsigned long size() const { return count; }
    // The pair of every record number below `records` (entry 0 and the
    // numbers of no pair stay (0, 0)).
    std::vector<std::pair<unsigned long, unsigned long>> pairsByNumber(unsigned long records) const;

private:
    struct Slot {
        unsigned long sub;
        unsigned long super;
        unsigned long number;  // 0: empty
    };
    static unsigned long hash(unsigned long sub, unsigned long super);
    // The slot of the pair, or the empty slot where it would go.
    unsigned long position(unsigned long sub, unsigned long super) const;
    void grow();

    std::vector<Slot> slots;
    unsigned long count = 0;
};

#endif
