#ifndef KORVANE_REASONER_SUBSUMEDCLOSURE_H
#define KORVANE_REASONER_SUBSUMEDCLOSURE_H

#include <cstddef>
#include <vector>

class Axiom;
class Concept;

// Closes the subsumed lists of a terminology whose lists hold its told
// subsumptions and the subsumptions that the rules derived for it (as a
// stored encoding tells them), without the completion: a concept X in the
// list of D brings along X's whole list (transitivity), and a GCI
// C1 ⊓ ... ⊓ Cn ⊑ D brings what every Ci subsumes. Bottom in a list brings
// nothing, unless a GCI ⊥ ⊑ D names it; top's list, which holds every
// concept, is left as it is.
//
// The lists form a graph: its cycles (equivalent concepts) are condensed and
// the components are closed in topological order, each by one merge of the
// closed lists below it; the conjunctions then add what they add, and only
// the components below a change are merged again, until nothing changes.
class SubsumedClosure {
public:
    // conceptsById: every concept with a list at its id (slots may be null);
    // gcis: the GCIs of the terminology.
    SubsumedClosure(const std::vector<Concept*>& conceptsById, const std::vector<Axiom*>& gcis);
    SubsumedClosure(const SubsumedClosure&) = delete;
    SubsumedClosure& operator=(const SubsumedClosure&) = delete;

    // Closes every list; returns the number of concepts added to them.
    std::size_t close();

private:
    void condense();
    // Merges into the component the lists below it (and its own lists),
    // passing over what lists taken before hold when prune; true when its
    // list grew.
    bool mergeComponent(std::size_t component, bool prune);
    // Adds to the right sides of the conjunctions what their operands share;
    // marks the components that grew.
    bool applyConjunctions(bool all);

    const std::vector<Concept*>& byId;
    std::vector<Axiom*> conjunctions;
    // The ids of the concepts whose whole list joins that of a concept, by
    // its id (ids, not the concepts: the walks read no concept for them).
    std::vector<std::vector<std::size_t>> below;
    // The components in topological order (what a component merges comes
    // first), their members, and each concept's component.
    std::vector<std::vector<Concept*>> components;
    std::vector<std::size_t> componentOf;
    std::vector<char> grown;
    // Marks of the union under way, all clear between unions.
    std::vector<char> seen;
    // What the component under way merges: the concepts below it and its
    // members' own lists.
    std::vector<const Concept*> sources;
    std::vector<const std::vector<Concept*>*> own;
    std::size_t added = 0;
};

#endif
