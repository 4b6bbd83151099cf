#ifndef KORVANE_REASONER_WRITTENAXIOMS_H
#define KORVANE_REASONER_WRITTENAXIOMS_H

#include <unordered_set>

class Axiom;
class RoleAxiom;

// The axioms that the side files of one run have written. The normalisation
// listing, the normalisation map and the axiom dump share one such record,
// which the driver owns and hands to each writer: a writer leaves out an
// axiom that another has written before (the dump only in its unnumbered
// form), so what each file holds depends on the order of the writers; and a
// file written again after an increment receives only the axioms that the
// increment added.
class WrittenAxioms {
public:
    // Whether the axiom was written before; marks it written.
    bool markWritten(const Axiom* a);
    bool markWritten(const RoleAxiom* a);
    // The same for the inclusions that the normalisation map lists because
    // they make no clause: the map needs each of them whatever the listing or
    // the dump wrote, so they have a record of their own.
    bool markMapped(const Axiom* a);

private:
    std::unordered_set<const Axiom*> gcis;
    std::unordered_set<const Axiom*> mapped;
    std::unordered_set<const RoleAxiom*> roleAxioms;
};

#endif
