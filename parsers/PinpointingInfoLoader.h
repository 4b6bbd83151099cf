#ifndef KORVANE_PARSERS_PINPOINTINGINFOLOADER_H
#define KORVANE_PARSERS_PINPOINTINGINFOLOADER_H

#include <vector>

#include "reasoner/EncodedTBox.h"

// The actions of the pinpointing information: its records go into the
// EncodedTBox, each derivation with the record numbers of its premises.
class PinpointingInfoLoader {
public:
    PinpointingInfoLoader() = delete;

    // Before the first token: a new input, and no records of an earlier load.
    static void startOfInput();
    // The axiom record lhs ⊑ rhs with its pinpointing index and original
    // number (a repeated pair is ignored by the EncodedTBox).
    static void axiom(unsigned long lhs, unsigned long rhs, unsigned long index, unsigned long original);
    // The record number of the premise x ⊑ y: 0, silently, when it holds
    // without axioms (x = y, y TOP, x BOTTOM); 0 with a warning when no
    // earlier record derived it.
    static unsigned long premise(unsigned long x, unsigned long y);
    // Appends a premise's record number to the list, unless it is 0.
    static EncodedTBox::Dependencies* premises(EncodedTBox::Dependencies* list, unsigned long premise);
    // The derivation record sub ⊑ super by the axiom with `index` from the
    // premises (the list is taken over; an empty one is stored as none).
    static void derivation(unsigned long sub, unsigned long super, unsigned long index,
                           EncodedTBox::Dependencies* premises, bool saved);
    // After the last record: the pinpointing information is loaded.
    static void endOfInput();
    // A record further on in the input, its first numbers as the scanner saw
    // them (unchecked): its pair, and the premise pairs of a derivation, are
    // made ready for their lookups.
    static void foresee(const unsigned long* numbers, unsigned count, bool axiom);

    // The record numbers of the derivations that lost a premise (one that
    // named no earlier record), in input order.
    static std::vector<unsigned long> incompleteRecords;

private:
    // A premise of the record being read named no earlier record.
    static bool premiseLost;
};

#endif
