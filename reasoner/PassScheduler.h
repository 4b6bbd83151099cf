#ifndef KORVANE_REASONER_PASSSCHEDULER_H
#define KORVANE_REASONER_PASSSCHEDULER_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "reasoner/GciStep.h"
#include "reasoner/PassCandidates.h"
#include "reasoner/PassState.h"
#include "reasoner/PassSteps.h"
#include "reasoner/TBoxCore.h"

// The order of the classification loop's work, after the first steps of the
// rules: iterations of a GCI pass and, when that raised no marker, a role
// pass, until an iteration raises none and queues no work for a rule.
//
// The first GCI pass visits every GCI in the order of the GCI set, unless
// the run knows every concept that bears a stamp (one after the incremental
// preparation); a later one, and such a first one, visits in the same order
// the GCIs with an existential left side and those that can be due
// (PassCandidates): in a later pass those whose left side was stamped since
// the GCI threshold, in such a first pass the new ones and those whose left
// side bears a stamp (every other stamp is 0 since the last run, so a visit
// would find them not due). A GCI with an existential left side is visited
// in every pass, but the working lists of its filler and right side are
// looked at only when work was queued for them since a visit found them
// empty (the work hints, which the run's notes keep up). The GCI threshold
// becomes the iteration of every GCI pass that raised the marker; the role
// threshold becomes the marker after every role pass. Whether a GCI or role
// axiom visited is applied is the loop's to decide, against these
// thresholds.
//
// A run makes its scheduler over the steps brought up to date for it
// (PassSteps) before the first steps of the rules, starts it after them and
// finishes it when the last iteration is over: the stamp log of the pass's
// notes is open from start to finish. The scheduler copies what it reads in
// the passes onto the heap and frees it when it goes, after the loop has
// reset the stamps and working lists, so that the run leaves the heap as it
// always has (the order of the existentials of one role in the
// normalisation map follows addresses).
class PassScheduler {
public:
    // steps: the GCIs of the run, which it leaves as they are; rolePasses:
    // whether role passes run at all (the role axioms are used and there is
    // one).
    PassScheduler(const PassSteps& steps, PassState& pass, bool rolePasses);
    PassScheduler(const PassScheduler&) = delete;
    PassScheduler& operator=(const PassScheduler&) = delete;

    // The GCIs of the run in the order of the GCI set.
    const std::vector<GciStep>& gciSteps() const { return steps; }

    // After the first steps: the candidates are set up and the stamp log
    // opens. touched: null when the first pass visits every GCI; else the
    // concepts that the run has touched so far, among which is every
    // concept whose stamp is not 0, and the first pass visits only the GCIs
    // that can be due.
    void start(const std::vector<Concept*>* touched);
    // Starts the next iteration (the pass's it goes on by one) with its GCI
    // pass.
    void beginIteration();
    // The next GCI that this GCI pass visits, null once it has visited all.
    const GciStep* nextGci();
    // After the GCI pass: whether a role pass follows in this iteration.
    bool rolePassDue();
    // After the iteration: whether another one follows.
    bool iterationFollows();
    // After the last iteration: the stamp log closes.
    void finish()
    {
        candidates.reset();
        pass.notes.closeWorkHints();
    }

    // Whether the filler or the right side of an existential step may hold
    // queued work: it got some since a visit found it without. Every concept
    // may at first (the preparation and the first steps queue without hints).
    bool mayHaveWork(const GciStep& step) const
    {
        // The ids kept beside the step spare reading the two concepts.
        const PassSteps::Ids& ids = kept.ids()[static_cast<std::size_t>(&step - steps.data())];
        return workHints[ids.filler] != 0 || workHints[ids.rhs] != 0;
    }
    // After a visit of an existential step: the hints of its filler and right
    // side go when they hold no work.
    void workLooked(const GciStep& step);

    // The GCI a rule is applied for in this iteration gets its stamp; an
    // incremental run records those it stamps, for the end of the run.
    void stamp(Axiom* a)
    {
        if (incremental && a->lastDeductionIt == 0)
            stampedGcis.push_back(a);
        a->lastDeductionIt = pass.it;
    }
    // The GCIs whose stamp an incremental run has set (the others are 0).
    const MappedVector<Axiom*>& stamped() const { return stampedGcis; }

    int gciThreshold() const { return gciThresholdIt; }
    int roleThreshold() const { return roleThresholdIt; }

private:
    PassState& pass;
    const PassSteps& kept;
    const std::vector<GciStep> steps;
    // The id of the left side of every GCI that the candidates look after,
    // PassCandidates::noSide for those with an existential left side, and
    // the positions of the latter.
    std::vector<std::uint64_t> leftIds;
    std::vector<std::size_t> existentialPositions;
    // By concept id (fillers and right sides of the steps): whether work was
    // queued for it (DeductionNotes::noteWork).
    std::vector<char> workHints;
    std::optional<PassCandidates> candidates;
    const bool rolePasses;
    const bool incremental;
    const std::vector<Concept*>* touched = nullptr;
    MappedVector<Axiom*> stampedGcis;
    int gciThresholdIt;
    int roleThresholdIt;
    // The notes' count of queued work when the iteration began.
    std::size_t queuedBefore = 0;
    bool firstPass = true;
    // Whether the first pass visits every GCI.
    bool walkAll = true;
    bool gciPassRaised = false;
    // In the first pass: the next position; in a later pass: the next
    // existential position and the position visited last (none before the
    // first).
    std::size_t nextInFirstPass = 0;
    std::size_t nextExistential = 0;
    std::size_t visited = PassCandidates::none;
};

// Called once per GCI visit: inline in the loop.
inline const GciStep* PassScheduler::nextGci()
{
    if (firstPass && walkAll) {
        if (nextInFirstPass < steps.size())
            return &steps[nextInFirstPass++];
        firstPass = false;
        return nullptr;
    }
    // What was stamped while the last GCI was applied joins this pass
    // behind it.
    if (visited != PassCandidates::none)
        candidates->admitStampedAfter(visited);
    const std::size_t existential = nextExistential < existentialPositions.size()
                                        ? existentialPositions[nextExistential]
                                        : PassCandidates::none;
    visited = std::min(existential, candidates->next());
    if (visited == PassCandidates::none) {
        firstPass = false;
        return nullptr;
    }
    if (visited == existential)
        ++nextExistential;
    else
        candidates->pop();
    return &steps[visited];
}

#endif
