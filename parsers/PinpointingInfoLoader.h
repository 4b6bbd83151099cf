#ifndef KORVANE_PARSERS_PINPOINTINGINFOLOADER_H
#define KORVANE_PARSERS_PINPOINTINGINFOLOADER_H

#include "parsers/PinpointingRecord.h"
#include "reasoner/EncodedTBox.h"

// The actions of the pinpointing information: its records go into the
// EncodedTBox, each derivation with the record numbers of its premises, and
// each derivation that lost a premise is noted there as incomplete.
//
// A file of millions of records spends its time in looking up the pairs that
// its records name, in a table far larger than the caches. So a record read
// is not entered at once: it waits in a short queue, the memory of its
// lookups is fetched into the cache meanwhile, and it is entered when the
// queue is full. Entering a record sets the line that its diagnostics name
// (the line at which each premise or the record's letter was read), so the
// records are entered, and warn, as they would be when read. Whatever is
// printed after a record must first let the records before it be entered
// (catchUp): the end of the input, every error, and every read.
class PinpointingInfoLoader {
public:
    PinpointingInfoLoader() = delete;

    // Before the first token: a new input, and no records of an earlier load.
    static void startOfInput();
    // The premise x ⊑ y of the derivation being read. When the derivation is
    // entered, the premise is looked up: it is dropped silently when it
    // holds without axioms (x = y, y TOP, x BOTTOM), with a warning when no
    // earlier record derived it.
    static void premise(unsigned long x, unsigned long y);
    // The axiom record lhs ⊑ rhs with its pinpointing index and original
    // number (a repeated pair is ignored by the EncodedTBox).
    static void axiom(unsigned long lhs, unsigned long rhs, unsigned long index, unsigned long original);
    // The derivation record sub ⊑ super by the axiom with `index` from the
    // premises read since the last record (none stored when each of them is
    // dropped).
    static void derivation(unsigned long sub, unsigned long super, unsigned long index, bool saved);
    // Enters every record read, and looks up the premises read so far of the
    // record being read.
    static void catchUp();
    // After the last record: the pinpointing information is loaded.
    static void endOfInput();

private:
    // The record being read is complete: it waits, and the oldest record is
    // entered when too many wait.
    static void recordRead();
    static void enter(PinpointingRecord& record);
    static void lookUpPremises(PinpointingRecord& record);
};

#endif
