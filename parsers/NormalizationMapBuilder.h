#ifndef KORVANE_PARSERS_NORMALIZATIONMAPBUILDER_H
#define KORVANE_PARSERS_NORMALIZATIONMAPBUILDER_H

#include "model/Concept.h"
#include "model/Role.h"

// The actions of the normalisation map that differ from the ontology
// language's: concepts go straight into the TBox's normal form, and each
// concept line gives its concept the CNF variable of the run that wrote the
// map. Conjunctions are flattened, and role axioms inserted, by the ontology
// language's own actions (OntologyBuilder); roles are looked up as there.
class NormalizationMapBuilder {
public:
    NormalizationMapBuilder() = delete;

    // The normal-form named concept of the name: a known name counts one
    // more occurrence; a new one is made, normalised and entered in the
    // names table with the current line.
    static Concept* up_getConceptByName(const char* name);
    // The fresh concept numbered n; the same number gives the same concept
    // for the whole run. Fresh concepts are found in the normal form, not in
    // the names table, so that no name can stand for one.
    static Concept* up_getTmpConceptById(unsigned long n);

    // The normal-form ∃role.filler.
    static Concept* existential(Role* role, Concept* filler);

    // The concept line "c n": c (normalised) gets the variable n unless it
    // has another one, the largest variable is remembered, and, once an
    // encoding was loaded, c becomes the concept of variable n. A variable
    // the loaded encoding does not have is a fatal error.
    static void conceptEntry(Concept* c, unsigned long n);
    // The line "(implies c d)": an inclusion of the normal form that made no
    // clause, kept (both sides normalised) for the rebuild of the
    // terminology from the encoding.
    static void inclusion(Concept* c, Concept* d);

private:
    // The normal-form concept equal to c; c is deleted when it is not that one.
    static Concept* normalized(Concept* c);
};

#endif
