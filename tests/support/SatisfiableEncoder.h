#ifndef KORVANE_TESTS_SUPPORT_SATISFIABLEENCODER_H
#define KORVANE_TESTS_SUPPORT_SATISFIABLEENCODER_H

#include "reasoner/Encoder.h"

// A clause sink for tests that look at the clauses only: every check answers
// satisfiable (the subsumption does not hold) and pinpoints nothing.
// Subclasses say what happens to the clauses and to the end of an encoding.
class SatisfiableEncoder : public Encoder {
public:
    explicit SatisfiableEncoder(int kind = BASE) : Encoder(nullptr, nullptr, kind) {}

    bool checkSatisfiability(const LiteralList*, const LiteralList*, unsigned long, unsigned long) override
    {
        return true;
    }
    bool checkSatisfiability(long, long, unsigned long, unsigned long) override { return true; }
    LiteralList* checkSatisfiabilityAndPinpoint(long, long, const LiteralList*, bool, unsigned long,
                                                unsigned long) override
    {
        return nullptr;
    }
    void preparePinpointing(const LiteralList*) override {}
};

#endif
