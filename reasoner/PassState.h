#ifndef KORVANE_REASONER_PASSSTATE_H
#define KORVANE_REASONER_PASSSTATE_H

#include "model/Concept.h"
#include "model/DeductionNotes.h"

// What the passes of one classification run share with the completion rules
// (reasoner/rules/): the iteration under way, the marker that the rules
// raise, and the notes that the model's deduction state takes for the loop.
// The loop (reasoner/DeductionLoop.cpp) makes one per run; the pass
// scheduler (PassScheduler) moves its iteration on and reads its marker.
class PassState {
public:
    // A run that starts at iteration first: 0 for a full run, 1 after an
    // incremental preparation.
    explicit PassState(int first) : it(first), first(first), marker(first) {}
    PassState(const PassState&) = delete;
    PassState& operator=(const PassState&) = delete;

    // The relevance test after a merge into target: when the target can
    // trigger a rule and nothing has raised the marker in this iteration yet,
    // the marker takes the target's stamp.
    void raise(bool relevant, const Concept* target)
    {
        if (marker < it && relevant)
            marker = target->lastDeductionIt;
    }
    // Whether a concept that can trigger a rule gained in this iteration.
    bool raised() const { return marker == it; }

    // The iteration under way (before the first one: first).
    int it;
    const int first;
    int marker;
    DeductionNotes notes;
};

#endif
