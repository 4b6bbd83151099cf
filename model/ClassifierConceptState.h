#ifndef KORVANE_MODEL_CLASSIFIERCONCEPTSTATE_H
#define KORVANE_MODEL_CLASSIFIERCONCEPTSTATE_H

#include <vector>

#include "model/AssertionSet.h"
#include "model/SubsumerIndex.h"

class Axiom;
class Concept;
class DeductionNotes;

// What a concept carries in the classifier's build (see ModelBuild.h): the
// state of the classification with on-the-fly encoding. That classification
// needs no reaction to a new subsumee.
class ClassifierConceptState {
public:
    explicit ClassifierConceptState(Concept* /*owner*/) {}

    // Calls f on every concept that classification found below this one.
    template <typename F>
    void forEachSubsumee(F f) const
    {
        for (const AssertionEntry& entry : assertions)
            f(entry.first);
    }

    template <typename C>
    void subsumeeAdded(C& /*self*/, C* /*c*/, DeductionNotes& /*notes*/)
    {
    }

    // Nothing of this build climbs from a concept to the concepts over it:
    // a concept keeps no parents (on a large terminology, one scattered
    // write per operand of every concept made).
    static constexpr bool keepsParents = false;

    SubsumerIndex subsumerIndex;
    AssertionSet assertions;
    std::vector<Axiom*> lhsAxioms;
};

#endif
