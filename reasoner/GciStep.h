#ifndef KORVANE_REASONER_GCISTEP_H
#define KORVANE_REASONER_GCISTEP_H

#include "model/Axiom.h"
#include "model/Concept.h"
#include "model/ExistentialRestr.h"

// A GCI as the GCI passes of the classification loop read it, its parts
// looked up once.
struct GciStep {
    explicit GciStep(Axiom* a)
        : axiom(a), lhs(a->lhs), rhs(a->rhs), kind(a->lhs->kind), wasNew(a->flags & Axiom::NEW_AXIOM)
    {
        if (kind == EXISTENTIAL_RESTR) {
            filler = static_cast<ExistentialRestr*>(lhs)->getFiller();
            role = static_cast<ExistentialRestr*>(lhs)->role;
        }
    }

    Axiom* axiom;
    Concept* lhs;
    Concept* rhs;
    concept_t kind;
    // Whether the GCI was new when the run began (the mark is only ever
    // taken off during a run).
    bool wasNew;
    // For an existential left side ∃r.G: G and r.
    Concept* filler = nullptr;
    Role* role = nullptr;
};

#endif
