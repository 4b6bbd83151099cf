#ifndef KORVANE_REASONER_SUBSUMEDCLOSURE_H
#define KORVANE_REASONER_SUBSUMEDCLOSURE_H

#include <cstddef>
#include <cstdint>
#include <utility>
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
// the components are closed in topological order, each by one union of the
// closed lists below it. The conjunctions then add what they add, and the
// later rounds, until nothing changes, hand on only what each component
// gained in the round: the components below it gained in the same round
// before it, and what they held before is in its list already.
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
    using Ids = std::vector<std::uint32_t>;
    // What the table tells of a concept by its id: whether it has a list
    // (and which, for top and bottom), and whether a GCI ⊥ ⊑ D names it.
    enum Kind : unsigned char {
        UNLISTED = 0,
        LISTED = 1,
        TOP = 2,
        BOTTOM = 3,
        OTHER_TRIVIAL = 4,
        KIND = 7,
        BOTTOM_BELOW = 8
    };

    std::size_t componentCount() const { return memberStart.size() - 1; }
    // Whether the whole list of x joins that of d, whose list holds x.
    bool joins(std::uint32_t d, std::uint32_t x) const
    {
        return x != d && (kindOf[x] & KIND) != UNLISTED && (kindOf[x] & KIND) != BOTTOM;
    }
    // Calls f with each concept whose whole list joins that of d, whose
    // list is given.
    template <typename F>
    void forEachBelow(std::uint32_t d, const Ids& list, F f) const;

    void condense();
    // Closes the component: the union of its members' lists and of the
    // closed lists of the concepts below it.
    void closeComponent(std::size_t component);
    // Adds to the component what the components below it gained in this
    // round, and notes what it gains itself.
    void passOnGains(std::size_t component);
    // Puts into extra the concepts in the lists of every operand of the
    // conjunction, in ascending id.
    void commonOf(const Concept& conjunction);
    // Adds to the right sides of the conjunctions what their operands share
    // (all of them, or those with an operand that gained in the last round);
    // true when a list grew.
    bool applyConjunctions(bool all);
    // Links each component to the components above it (from links).
    void linkComponents();
    // Gives every member the closed list of its component, with its ids;
    // returns the number of concepts added.
    std::size_t writeBack();
    // The first of count new marks, above every mark given before: concepts
    // marked below it are in no union under way.
    std::uint32_t freshMarks(std::size_t count);

    const std::vector<Concept*>& byId;
    std::vector<Axiom*> conjunctions;
    // The walks read ids, not concepts: the concept of each id met in a
    // list, each concept's own list as ids (until its component has taken
    // it), and the kind of each id.
    std::vector<Concept*> conceptOf;
    std::vector<Ids> own;
    std::vector<unsigned char> kindOf;
    std::uint32_t bottomId = 0;
    // The components in topological order (what a component merges comes
    // first): the ids of the members of component c at
    // members[memberStart[c]] up to members[memberStart[c + 1]]; each
    // concept's component; and the list that the members of each share, as
    // ids in ascending order.
    Ids members;
    std::vector<std::size_t> memberStart;
    Ids componentOf;
    std::vector<Ids> closed;
    // What each component gained in the round under way, and whether it
    // gained in the last one.
    std::vector<Ids> gained;
    std::vector<char> grown;
    // The components above each one, those of component c at
    // above[aboveStart[c]] up to above[aboveStart[c + 1]], gathered as
    // links (below, above); and, for each component, those below it that
    // gained in the round under way.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> links;
    std::vector<std::size_t> aboveStart;
    std::vector<std::uint32_t> above;
    std::vector<Ids> gainedBelow;
    // Marks by concept id and by component, raised for each union: a
    // concept marked with the union's mark is in it, one marked a step
    // above came with a closed list taken whole.
    std::vector<std::uint32_t> conceptMark;
    std::vector<std::uint32_t> componentMark;
    std::uint32_t mark = 0;
    // Scratch of one union.
    Ids sources;
    Ids extra;
    std::vector<std::pair<std::size_t, std::uint32_t>> missing;
    std::vector<std::pair<Ids::const_iterator, Ids::const_iterator>> cursors;
};

#endif
