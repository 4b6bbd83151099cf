#ifndef KORVANE_MODEL_LIBRARYCONCEPTSTATE_H
#define KORVANE_MODEL_LIBRARYCONCEPTSTATE_H

#include "model/ConceptDeduction.h"

class Concept;

// What a concept carries in the library's build (see ModelBuild.h): the
// deduction state of the completion-based classification.
class LibraryConceptState {
public:
    explicit LibraryConceptState(Concept* owner) : deduction{owner} {}

    // Calls f on every concept that classification found below this one.
    template <typename F>
    void forEachSubsumee(F f) const
    {
        if (deduction.subsumed != nullptr)
            for (Concept* d : *deduction.subsumed)
                f(d);
    }

    // An atomic concept with existential premises ∃r.this ⊑ D keeps its new
    // atomic subsumees for the existential rule.
    template <typename C>
    void subsumeeAdded(C& self, C* c, DeductionNotes& notes)
    {
        if (self.isAtomic() && deduction.hasExistentialPremises() && c->isAtomic())
            deduction.appendPending(c, notes);
    }

    // The stamps of the classification climb from a concept to the
    // conjunctions over it, so a concept keeps its parents.
    static constexpr bool keepsParents = true;

    void clearTemporaryStructures() { deduction.clearTemporaryStructures(); }
    // The working lists and the subsumed list, with what the concept's own
    // kind keeps beside them (Concept::clear_specific).
    void clearAllDeductionStructures();

    ConceptDeduction deduction;
};

#endif
