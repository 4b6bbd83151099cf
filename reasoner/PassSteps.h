#ifndef KORVANE_REASONER_PASSSTEPS_H
#define KORVANE_REASONER_PASSSTEPS_H

#include <cstddef>
#include <cstdint>
#include <vector>

#include "reasoner/GciStep.h"
#include "reasoner/PassCandidates.h"
#include "reasoner/TBoxCore.h"

// The GCIs of the classification loop's passes in the order of the GCI set,
// kept from one run to the next: a run after the incremental preparation
// puts the GCIs stored since the last run in their places among the kept
// ones rather than walking the whole set and reading every GCI and its left
// side. The order is the set's own, which an insertion does not change for
// the GCIs already in it: each run of stored GCIs goes right behind its
// neighbour before it in the set. The scheduler of a run reads them where
// they are kept.
class PassSteps {
public:
    // Brings the steps up to gcis. stored: the record of the GCIs stored in
    // the set since the last update, which keeps only those that are not in
    // the set now (held out of it for a while); marked: the GCIs marked new
    // to this run. Unless keep, or when the kept steps and stored do not
    // make up the set, the set is walked and the marks are read from the
    // GCIs.
    void update(const TBoxCore::AxiomSet& gcis, std::vector<Axiom*>& stored, const std::vector<Axiom*>& marked,
                bool keep);

    // The ids of the filler and the right side of an existential step, which
    // the passes ask for (0 for the other steps).
    struct Ids {
        std::uint64_t filler;
        std::uint64_t rhs;
    };

    const std::vector<GciStep>& steps() const { return all; }
    // By position: the id of the left side (PassCandidates::noSide for an
    // existential one), and the ids above.
    const std::vector<std::uint64_t>& leftIds() const { return lefts; }
    const std::vector<Ids>& ids() const { return workIds; }
    // The positions of the GCIs with an existential left side, and of those
    // new to the run, without and with an existential left side.
    const std::vector<std::size_t>& existentialPositions() const { return existentials; }
    const std::vector<std::size_t>& newPositions() const { return news; }
    const std::vector<std::size_t>& newExistentialPositions() const { return newExistentials; }
    // One more than the greatest id of a filler or right side of an
    // existential step.
    std::size_t hintIds() const { return hints; }
    // The last position of an existential step whose right side has the id
    // rhs, PassCandidates::none when there is none.
    std::size_t lastWithRhs(std::uint64_t rhs) const
    {
        return rhs < lastByRhs.size() ? lastByRhs[rhs] : PassCandidates::none;
    }

private:
    void walk(const TBoxCore::AxiomSet& gcis);
    bool merge(const TBoxCore::AxiomSet& gcis, const std::vector<Axiom*>& stored, const std::vector<Axiom*>& marked);
    void take(Axiom* a, std::vector<GciStep>& into, std::vector<std::uint64_t>& leftIds, std::vector<Ids>& ids);
    // The positions of the existential and of the new GCIs, and the last
    // position of each right side of an existential step, from the steps.
    void findPositions();

    std::vector<GciStep> all;
    std::vector<std::uint64_t> lefts;
    std::vector<Ids> workIds;
    std::vector<std::size_t> existentials;
    std::vector<std::size_t> lastByRhs;
    std::vector<std::size_t> news;
    std::vector<std::size_t> newExistentials;
    std::size_t hints = 0;
};

#endif
