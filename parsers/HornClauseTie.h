#ifndef KORVANE_PARSERS_HORNCLAUSETIE_H
#define KORVANE_PARSERS_HORNCLAUSETIE_H

#include "reasoner/Encoder.h"

// Ties a Horn clause of an encoding copied for pinpointing to the record of
// the pinpointing information that derived it: the control variable that
// guards the clause and the control clause that follows it. The reader of
// the encoding for pinpointing asks the tie that its caller hands to the
// grammar (encforpinpyyparse).
//
// This tie is by position: the k-th Horn clause of the encoding (units not
// counted) belongs to the k-th entry of the EncodedTBox's clause numbering
// (the axiom records in file order, then the saved records). The clause's
// literals are handed over as well, so that a tie by content (the records
// and the clause name the same concepts) can take its place in a derived
// class.
class HornClauseTie {
public:
    HornClauseTie() = default;
    HornClauseTie(const HornClauseTie&) = delete;
    HornClauseTie& operator=(const HornClauseTie&) = delete;
    virtual ~HornClauseTie() = default;

    struct Control {
        // 0 when the clause has no record: it is copied unchanged.
        unsigned long variable = 0;
        // A new clause, or null when none follows.
        LiteralList* clause = nullptr;
    };

    // The control of the k-th Horn clause (k from 1) with the given literals
    // (premises negated, conclusion last). The control clause is asked for
    // only once the clause has a control variable.
    virtual Control control(unsigned long k, const LiteralList& hornClause);
    // Called with the number of Horn clauses once the last clause is read,
    // before the records are dropped and the copy ends.
    virtual void ending(unsigned long hornClauses);

    // The tie by position: the k-th entry of the EncodedTBox's numbering.
    static Control byPosition(unsigned long k);
};

#endif
