#ifndef KORVANE_REASONER_PINPOINTINGRECORDS_H
#define KORVANE_REASONER_PINPOINTINGRECORDS_H

#include <cstdio>
#include <utility>
#include <vector>

class Axiom;
class Concept;

// The lines of the pinpointing information, one record each. Concepts are
// written as their ids, indexes as ints; a derivation ends with "S" when the
// derived subsumption has a clause of its own in the encoding (saved) and "B"
// when it has none. Every writer of these records goes through here, so the
// records of the classification and of the TBox's writers are the same bytes.
class PinpointingRecords {
public:
    PinpointingRecords() = delete;

    static char letter(bool saved) { return saved ? 'S' : 'B'; }

    // lhs id, rhs id, pinpointing index, original number, "A".
    static void axiom(FILE* f, const Axiom* a);

    // sub ⊑ super by the axiom with `index` from the premise p ⊑ q.
    static void onePremise(FILE* f, const Concept* sub, const Concept* super, int index, const Concept* p,
                           const Concept* q, bool saved);

    // sub ⊑ super by the axiom with `index` from the premises p1 ⊑ q1 and p2 ⊑ q2.
    static void twoPremises(FILE* f, const Concept* sub, const Concept* super, int index, const Concept* p1,
                            const Concept* q1, const Concept* p2, const Concept* q2, bool saved);

    // sub ⊑ super by the axiom with `index` whose left side is the
    // conjunction c: one premise sub ⊑ Ci per operand, in operand order.
    static void conjunction(FILE* f, const Concept* sub, const Concept* super, int index, const Concept* c,
                            bool saved);

    // sub ⊑ super by the axiom with `index` from the premises p ⊑ q of every
    // pair, in order (a role chain of three or more roles).
    static void premisePairs(FILE* f, const Concept* sub, const Concept* super, int index,
                             const std::vector<std::pair<const Concept*, const Concept*>>& premises, bool saved);
};

#endif
