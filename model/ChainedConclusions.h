#ifndef KORVANE_MODEL_CHAINEDCONCLUSIONS_H
#define KORVANE_MODEL_CHAINEDCONCLUSIONS_H

#include <map>
#include <utility>

class Concept;
class DeductionNotes;

// The conclusions that every concept subsumed by one existential restriction
// also reaches: the right side D of a GCI ∃r.G ⊑ D whose G subsumes the
// existential's filler, or the target of a role chain. Keyed by D's id, each
// with the index of the axiom used and the premise concept G; the map is made
// on first use.
class ChainedConclusions {
public:
    using Premise = std::pair<int, Concept*>;
    struct Conclusion {
        Concept* concept;
        Premise premise;
    };
    using ChainedMap = std::map<unsigned long, Conclusion>;

    ChainedConclusions() = default;
    ChainedConclusions(const ChainedConclusions&) = delete;
    ChainedConclusions& operator=(const ChainedConclusions&) = delete;
    ~ChainedConclusions() { clear(); }

    // False, and nothing changes, when d is already recorded.
    bool addChained(Concept* d, Premise p);
    // Hands c, just subsumed by the existential, to every conclusion in
    // ascending id, as a new subsumee derived from the existential and the
    // conclusion's premise (each noted as queued when it is new there).
    void passOn(Concept* existential, Concept* c, DeductionNotes& notes) const;
    void clear();

    ChainedMap* chained = nullptr;
};

#endif
