#ifndef KORVANE_REASONER_ENCODEDDEDUCTION_H
#define KORVANE_REASONER_ENCODEDDEDUCTION_H

#include <vector>

#include "model/pool_allocator.h"

// One record of the pinpointing information read back from a file: an input
// axiom ("A"), or a derived subsumption that has a clause of its own in the
// encoding ("S", saved) or stands only as a derived Boolean fact ("B").
// Derivations know the records of their premises by record number.
//
// Records live by value in one array, by record number. A derivation with at
// most two premises keeps them inside the record; a longer list lives in a
// pool of the store, the record keeping its place there
// (EncodedTBox::premisesOf reads either).
class EncodedDeduction final {
public:
    // A premise list handed to the store.
    using Dependencies = std::vector<unsigned long, pool_allocator<unsigned long>>;
    static constexpr unsigned kInlinePremises = 2;

    static EncodedDeduction axiom(int index, int originalNumber);
    static EncodedDeduction derivation(int index, bool saved);

    // Whether the premise list lives inside the record.
    bool premisesInline() const { return premiseCount <= kInlinePremises; }

    // A record stands at this number (false: a gap, or a dropped record).
    bool present = false;
    bool isAxiom = false;
    // The derived subsumption has a clause of its own in the encoding being copied.
    bool inOriginalEncoding = false;
    // Its control clause exists.
    bool done = false;
    unsigned premiseCount = 0;
    int index = 0;
    int originalNumber = 0;
    unsigned long controlVariable = 0;
    unsigned long visitMark = 0;
    // The premises themselves, or premises[0] = the first place in the pool.
    unsigned long premises[kInlinePremises] = {0, 0};
};

#endif
