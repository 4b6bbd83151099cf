#ifndef KORVANE_PARSERS_PINPOINTINGRECORD_H
#define KORVANE_PARSERS_PINPOINTINGRECORD_H

#include <cstddef>
#include <vector>

#include "reasoner/EncodedTBox.h"

// A record of the pinpointing information as it was read, not yet entered:
// its numbers, the premise pairs of a derivation, and the lines that its
// diagnostics name.
struct PinpointingRecord {
    enum Kind { Axiom, Boolean, Saved };

    // A premise pair with the line at which it was read.
    struct Premise {
        unsigned long sub;
        unsigned long super;
        int line;
    };

    Kind kind = Axiom;
    unsigned long sub = 0;
    unsigned long super = 0;
    unsigned long index = 0;
    unsigned long original = 0;
    // The line at which the record's letter was read.
    int line = 0;
    std::vector<Premise> premises;
    // How many of the premises have been looked up, their record numbers
    // (those that named a record) in `found`, and whether one named none.
    std::size_t lookedUp = 0;
    EncodedTBox::Dependencies found;
    bool lost = false;
};

#endif
