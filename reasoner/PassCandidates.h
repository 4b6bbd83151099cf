#ifndef KORVANE_REASONER_PASSCANDIDATES_H
#define KORVANE_REASONER_PASSCANDIDATES_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <queue>
#include <vector>

#include "model/Concept.h"
#include "model/DeductionNotes.h"

// The GCIs with an atomic or conjunctive left side that a GCI pass of the
// classification loop has to look at once one pass has looked at all of
// them. Such a GCI is applied only when its left side was stamped at or
// after the pass's threshold, so the pass visits, in the order of the GCI
// list, the GCIs whose left side the concepts' stamp log names since the
// start of the threshold's iteration; a left side stamped during the pass
// adds its GCIs behind the current position to the same pass.
// While one exists, the run's notes log the concepts' stamps into it.
class PassCandidates {
public:
    static constexpr std::size_t none = static_cast<std::size_t>(-1);

    static constexpr std::uint64_t noSide = UINT64_MAX;

    // leftIds[i] is the id of the left side of the i-th GCI of the pass, or
    // noSide when the pass visits that GCI in any case; notes are those of
    // the run, whose stamp log this opens until it is destroyed.
    PassCandidates(const std::vector<std::uint64_t>& leftIds, DeductionNotes& notes);
    ~PassCandidates();
    PassCandidates(const PassCandidates&) = delete;
    PassCandidates& operator=(const PassCandidates&) = delete;

    // Marks where the stamps of iteration it start in the log.
    void beginIteration(int it);
    // Queues the GCIs of the concepts stamped since the start of iteration
    // threshold (since the first marked iteration when it is older).
    void beginPass(int threshold);
    // The first pass of an incremental run: queues the GCIs at newPositions
    // and those of the concepts of touched that bear a stamp (the run's
    // preparation and first steps stamped them before the log opened; every
    // other concept's stamp is 0 since the last run).
    void beginFirstPass(const std::vector<Concept*>& touched, const std::vector<std::size_t>& newPositions);
    // The smallest queued position, or none.
    std::size_t next() const { return queue.empty() ? none : queue.top(); }
    void pop() { queue.pop(); }
    // Queues, for this pass, the GCIs behind position of the concepts
    // stamped since the last call.
    void admitStampedAfter(std::size_t position);
    // The concepts whose stamps changed while the candidates existed, in
    // order.
    const std::vector<Concept*>& stampLog() const { return log; }

private:
    void queueLeftSide(const Concept* side, std::size_t after);
    void queuePosition(std::size_t position);

    // The positions of the GCIs of the left side with id i are
    // positions[firstById[i]] to positions[firstById[i + 1]].
    DeductionNotes& notes;
    std::vector<std::size_t> firstById;
    std::vector<std::size_t> positions;
    std::vector<Concept*> log;
    std::vector<std::size_t> iterationStart;
    std::vector<int> queuedInPass;
    std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<std::size_t>> queue;
    std::size_t admitted = 0;
    int pass = 0;
};

#endif
