#ifndef KORVANE_PARSERS_ONTOLOGYBUILDER_H
#define KORVANE_PARSERS_ONTOLOGYBUILDER_H

#include "model/Concept.h"
#include "model/Role.h"

// The actions of the ontology language that build expressions and axioms in
// the TBox, once the names involved have been looked up. Conjunctions are
// flattened while they are read: a conjunction never holds another one, holds
// top only as top alone, and collapses to bottom as soon as one operand is
// bottom. Conjunctions stay unshared until an axiom or an existential uses
// them; every other concept and every role handed in is already shared.
class OntologyBuilder {
public:
    OntologyBuilder() = delete;

    // lhs ⊑ rhs, numbered as the next input axiom.
    static void inclusion(Concept* lhs, Concept* rhs);
    // lhs ≡ rhs: lhs ⊑ rhs and rhs ⊑ lhs, both with one new number.
    static void equivalence(Concept* lhs, Concept* rhs);

    // r ⊑ s; nothing when r is s itself, a transitivity when r is a chain of s.
    static void roleInclusion(Role* r, Role* s);
    // s ∘ s ⊑ s.
    static void transitivity(Role* s);

    // The shared chain over the roles of the list (which it takes over).
    static Role* composition(RoleList* roles);
    // The shared ∃role.filler.
    static Concept* existential(Role* role, Concept* filler);
    // A new unshared conjunction over a list of two or more operands, or the
    // single operand (the list is taken over either way).
    static Concept* conjunction(ConceptList* operands);

    // The flattened operand list of the two concepts a and b, in this order.
    static ConceptList* pairList(Concept* a, Concept* b);
    // The flattened operand list of a followed by the list l (reused).
    static ConceptList* prependToList(Concept* a, ConceptList* l);

private:
    static bool isTop(const Concept* c);
    static bool isBottom(const Concept* c);
    // Shares a conjunction; any other concept is shared already.
    static Concept* shared(Concept* c);
    // Deletes a concept that a flattening leaves out, unless it is shared.
    static void drop(Concept* c);
};

#endif
