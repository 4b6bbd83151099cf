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

    const MappedVector<GciStep>& steps() const { return all; }
    // By position: the id of the left side, PassCandidates::noSide for an
    // existential one.
    const MappedVector<std::uint64_t>& leftIds() const { return lefts; }
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
    void take(Axiom* a, MappedVector<GciStep>& into, MappedVector<std::uint64_t>& ids);
    // The positions of the new GCIs, from the steps.
    void findNews();

    MappedVector<GciStep> all;
    MappedVector<std::uint64_t> lefts;
    MappedVector<std::size_t> news;
    MappedVector<std::size_t> newExistentials;
    std::size_t hints = 0;
};

#endif
