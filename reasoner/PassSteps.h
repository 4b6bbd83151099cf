#ifndef KORVANE_REASONER_PASSSTEPS_H
#define KORVANE_REASONER_PASSSTEPS_H

#include <cstddef>
#include <cstdint>

#include "reasoner/GciStep.h"
#include "reasoner/MappedAllocator.h"
#include "reasoner/PassCandidates.h"
#include "reasoner/TBoxCore.h"

// The GCIs of the classification loop's passes in the order of the GCI set,
// kept from one run to the next: a run after the incremental preparation
// puts the GCIs stored since the last run in their places among the kept
// ones rather than walking the whole set and reading every GCI and its left
// side. The order is the set's own, which an insertion does not change for
// the GCIs already in it: each run of stored GCIs goes right behind its
// neighbour before it in the set. Kept in mapped pages (MappedAllocator).
class PassSteps {
public:
    // Brings the steps up to gcis. stored: the record of the GCIs stored in
    // the set since the last update, which keeps only those that are not in
    // the set now (held out of it for a while); marked: the GCIs marked new
    // to this run. Unless keep, or when the kept steps and stored do not
    // make up the set, the set is walked and the marks are read from the
    // GCIs.
    void update(const TBoxCore::AxiomSet& gcis, MappedVector<Axiom*>& stored, const MappedVector<Axiom*>& marked,
                bool keep);

    // The ids of a step's concepts that the passes ask for: the left side's
    // (PassCandidates::noSide for an existential one), and the filler's and
    // the right side's of an existential one (0 for the others).
    struct Ids {
        std::uint64_t left;
        std::uint64_t filler;
        std::uint64_t rhs;
    };

    const MappedVector<GciStep>& steps() const { return all; }
    // By position.
    const MappedVector<Ids>& ids() const { return lefts; }
    // The positions of the GCIs new to the run, without and with an
    // existential left side.
    const MappedVector<std::size_t>& newPositions() const { return news; }
    const MappedVector<std::size_t>& newExistentialPositions() const { return newExistentials; }
    // One more than the greatest id of a filler or right side of an
    // existential step.
    std::size_t hintIds() const { return hints; }

private:
    void walk(const TBoxCore::AxiomSet& gcis);
    bool merge(const TBoxCore::AxiomSet& gcis, const MappedVector<Axiom*>& stored, const MappedVector<Axiom*>& marked);
    void take(Axiom* a, MappedVector<GciStep>& into, MappedVector<Ids>& ids);
    // The positions of the new GCIs, from the steps.
    void findNews();

    MappedVector<GciStep> all;
    MappedVector<Ids> lefts;
    MappedVector<std::size_t> news;
    MappedVector<std::size_t> newExistentials;
    std::size_t hints = 0;
};

#endif
