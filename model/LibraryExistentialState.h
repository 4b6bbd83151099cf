#ifndef KORVANE_MODEL_LIBRARYEXISTENTIALSTATE_H
#define KORVANE_MODEL_LIBRARYEXISTENTIALSTATE_H

#include "model/ChainedConclusions.h"

// What an existential restriction carries beside its concept state in the
// library's build (see ModelBuild.h): the conclusions chained to it.
class LibraryExistentialState {
public:
    // A new atomic subsumee waits for the chains that end in this role; every
    // conclusion chained to this existential receives it.
    template <typename E, typename C>
    void subsumeeAdded(E& self, C* c, DeductionNotes& notes)
    {
        if (self.role->deduction.chainPredecessorCount() > 0 && c->isAtomic())
            self.deduction.appendPending(c, notes);
        chaining.passOn(&self, c, notes);
    }

    // The existential's stamp was raised to it: its role notes the change.
    template <typename E>
    void stampPropagated(E& self, int it)
    {
        if (it > 0)
            self.role->deduction.noteChanged(&self, it);
    }

    void clearSpecific() { chaining.clear(); }

    ChainedConclusions chaining;
};

#endif
