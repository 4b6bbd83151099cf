#ifndef KORVANE_REASONER_RULES_TARGETEXISTENTIALS_H
#define KORVANE_REASONER_RULES_TARGETEXISTENTIALS_H

#include "model/Concept.h"

class LibraryTBox;
class PassState;
class Role;

// The existentials ∃s.F that one rule call concludes to, for its role s:
// found in the normal form or, when new concepts may be made and s can
// trigger a rule, made now. Those made now are registered with s (its
// related map and dependents) when the rule call finishes.
class TargetExistentials {
public:
    // The existentials made are handled in the iteration under way of pass.
    TargetExistentials(LibraryTBox& tbox, Role* s, PassState& pass);
    TargetExistentials(const TargetExistentials&) = delete;
    TargetExistentials& operator=(const TargetExistentials&) = delete;

    // ∃s.filler, or null when there is none and none may be made.
    Concept* obtain(Concept* filler);
    // ∃s.F for the existential over, and the id of, its filler F (the key
    // of a related map): the filler itself is read only to make ∃s.F.
    Concept* obtain(unsigned long fillerId, const Concept* over);
    bool creates() const { return create; }
    // Whether the last obtain made its existential.
    bool madeLast() const { return lastMade; }
    // Registers the existentials made; returns how many were new to s.
    int finish();

private:
    // The filler given, or read from over.
    Concept* obtain(unsigned long fillerId, Concept* filler, const Concept* over);

    LibraryTBox& tbox;
    Role* s;
    PassState& pass;
    bool create;
    bool lastMade = false;
    ConceptList made;
};

#endif
