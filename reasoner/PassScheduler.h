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
// in the first pass; in a later one only when work was queued for its filler
// or right side since a visit found them empty (the work hints, which the
// run's notes keep up), and the last one whose right side can trigger a rule
// in every pass. A visit that finds no work only offers its right side to
// the marker: of such offers, only the last one of the pass and one of a
// right side stamped in the pass before its visit can count, and the
// scheduler makes the latter in the visit's stead. The GCI threshold
// becomes the iteration of every GCI pass that raised the marker; the role
// threshold becomes the marker after every role pass. Whether a GCI or role
// axiom visited is applied is the loop's to decide, against these
// thresholds.
//
// A run makes its scheduler over the steps brought up to date for it
// (PassSteps) before the first steps of the rules, starts it after them and
// finishes it when the last iteration is over: the stamp log of the pass's
// notes is open from start to finish. The scheduler reads the steps, their
// ids and positions where the PassSteps keep them.
class PassScheduler {
public:
    // steps: the GCIs of the run, which it leaves as they are; rolePasses:
    // whether role passes run at all (the role axioms are used and there is
    // one).
    PassScheduler(const PassSteps& steps, PassState& pass, bool rolePasses);

    // When set, a later pass visits every existential step as the first one
    // does: the runs must come out the same either way.
    static bool visitEveryExistential;
    // When not null, the marker after every GCI pass and every role pass is
    // appended to it.
    static std::vector<int>* markers;
    PassScheduler(const PassScheduler&) = delete;
    PassScheduler& operator=(const PassScheduler&) = delete;

    // The GCIs of the run in the order of the GCI set.
    const std::vector<GciStep>& gciSteps() const { return kept.steps(); }

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
        const PassSteps::Ids& ids = kept.ids()[static_cast<std::size_t>(&step - kept.steps().data())];
        return workHints[ids.filler] != 0 || workHints[ids.rhs] != 0;
    }
    // After a visit of an existential step: the hints of its filler and right
    // side go when they hold no work.
    void workLooked(const GciStep& step);
    // Whether a later pass visits the existential step at position.
    bool visits(std::size_t position) const
    {
        const PassSteps::Ids& ids = kept.ids()[position];
        return workHints[ids.filler] != 0 || workHints[ids.rhs] != 0 || position == lastRelevant ||
               visitEveryExistential;
    }

    // The GCI a rule is applied for in this iteration gets its stamp; an
    // incremental run records those it stamps, for the end of the run.
    void stamp(Axiom* a)
    {
        if (incremental && a->lastDeductionIt == 0)
            stampedGcis.push_back(a);
        a->lastDeductionIt = pass.it;
    }
    // The GCIs whose stamp an incremental run has set (the others are 0).
    const std::vector<Axiom*>& stamped() const { return stampedGcis; }

    int gciThreshold() const { return gciThresholdIt; }
    int roleThreshold() const { return roleThresholdIt; }

private:
    // After the visit of the step at position: a concept stamped in it that
    // can trigger a rule and is the right side of an existential step
    // behind position raises the marker, as that step's visit would.
    void raiseForRightSidesAfter(std::size_t position);

    PassState& pass;
    const PassSteps& kept;
    const std::vector<GciStep>& steps;
    const std::vector<std::size_t>& existentialPositions;
    // By concept id (fillers and right sides of the steps): whether work was
    // queued for it (DeductionNotes::noteWork).
    std::vector<char> workHints;
    std::optional<PassCandidates> candidates;
    const bool rolePasses;
    const bool incremental;
    const std::vector<Concept*>* touched = nullptr;
    std::vector<Axiom*> stampedGcis;
    int gciThresholdIt;
    int roleThresholdIt;
    // The notes' count of queued work when the iteration began.
    std::size_t queuedBefore = 0;
    // The last existential position whose right side can trigger a rule.
    std::size_t lastRelevant = PassCandidates::none;
    // How much of the stamp log the marker has been offered.
    std::size_t stampsOffered = 0;
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
    if (visited != PassCandidates::none) {
        candidates->admitStampedAfter(visited);
        raiseForRightSidesAfter(visited);
    }
    // The existential steps before the next candidate that a later pass
    // does not visit are passed over: nothing applied before them is left.
    const std::size_t candidate = candidates->next();
    std::size_t existential = PassCandidates::none;
    for (; nextExistential < existentialPositions.size(); ++nextExistential) {
        const std::size_t position = existentialPositions[nextExistential];
        if (position > candidate || firstPass || visits(position)) {
            existential = position;
            break;
        }
    }
    visited = std::min(existential, candidate);
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
