#ifndef KORVANE_MODEL_LIBRARYCONCEPTSTATE_H
#define KORVANE_MODEL_LIBRARYCONCEPTSTATE_H

#include <vector>

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
    void subsumeeAdded(C& self, C* c)
    {
        if (self.isAtomic() && deduction.hasExistentialPremises() && c->isAtomic())
            deduction.appendPending(c);
    }

    // The stamp of self goes from `from` to `to`: logged when it changes
    // while a log is set.
    void stampChanging(Concept* self, int from, int to)
    {
        if (stampLog != nullptr && from != to)
            stampLog->push_back(self);
    }

    void clearTemporaryStructures() { deduction.clearTemporaryStructures(); }
    // The working lists and the subsumed list, with what the concept's own
    // kind keeps beside them (Concept::clear_specific).
    void clearAllDeductionStructures();

    // When set, every concept whose stamp changes appends itself here.
    static std::vector<Concept*>* stampLog;

    ConceptDeduction deduction;
};

#endif
