#ifndef KORVANE_MODEL_DEDUCTIONNOTES_H
#define KORVANE_MODEL_DEDUCTIONNOTES_H

#include <cstddef>
#include <vector>

class Concept;

// What the deduction state of concepts and roles tells the classification
// loop while a run lasts. The loop keeps one for the run (in its PassState)
// and hands it to every merge and queue operation of the model, which note
// here:
//
// - every item queued for the completion rules: a new subsumee or existential
//   put on a pending list, a subsumee of a chained existential handed to its
//   conclusion, a new existential over a chain predecessor. The loop ends only
//   after an iteration that queued none, so that nothing waits for a rule when
//   it ends (what waits would be lost with the working lists, and with it what
//   a later increment builds on it);
// - while a stamp log is open (PassCandidates opens one), every concept whose
//   stamp changes, in order: the GCI passes find there the left sides that
//   changed;
// - while work hints are open (PassScheduler opens them), the id of every
//   concept that gets a pending or handed-on subsumee: the GCI passes look at
//   the working lists of an existential's filler and right side only when
//   one of them has a hint;
// - while a touch log is open (an incremental run opens one), every concept
//   whose stamp leaves 0 or that makes one of its working lists: the end of
//   the run resets only those. A concept may be logged more than once.
class DeductionNotes {
public:
    DeductionNotes() = default;
    DeductionNotes(const DeductionNotes&) = delete;
    DeductionNotes& operator=(const DeductionNotes&) = delete;

    // The items queued so far.
    std::size_t queuedCount() const { return queued; }
    void noteQueued() { ++queued; }

    // From now on the concepts whose stamps change append themselves to log.
    void openStampLog(std::vector<Concept*>* log) { stampLog = log; }
    void closeStampLog() { stampLog = nullptr; }
    bool stampLogOpen() const { return stampLog != nullptr; }
    // The stamp of c goes from `from` to `to`: logged when it changes while a
    // log is open.
    void noteStamp(Concept* c, int from, int to)
    {
        if (stampLog != nullptr && from != to)
            stampLog->push_back(c);
        if (from == 0 && to != 0)
            noteTouched(c);
    }

    // From now on hints[id] is set for every concept with that id that gets
    // queued work; ids beyond its size are passed over.
    void openWorkHints(std::vector<char>* hints) { workHints = hints; }
    void closeWorkHints() { workHints = nullptr; }
    void noteWork(unsigned long id)
    {
        if (workHints != nullptr && id < workHints->size())
            (*workHints)[id] = 1;
    }

    // From now on the concepts that the run touches append themselves to log.
    void openTouchLog(std::vector<Concept*>* log) { touchLog = log; }
    // c has made a working list.
    void noteTouched(Concept* c)
    {
        if (touchLog != nullptr)
            touchLog->push_back(c);
    }

private:
    std::size_t queued = 0;
    std::vector<Concept*>* stampLog = nullptr;
    std::vector<Concept*>* touchLog = nullptr;
    std::vector<char>* workHints = nullptr;
};

#endif
