#ifndef KORVANE_PINPOINT_ENCODER_RECORDEDCLAUSETIE_H
#define KORVANE_PINPOINT_ENCODER_RECORDEDCLAUSETIE_H

#include <vector>

#include "model/IdPairMap.h"
#include "parsers/HornClauseTie.h"

// Ties each Horn clause of the encoding being copied to the record of its own
// axiom or derivation, and refuses an encoding that does not match its
// pinpointing information.
//
// The records that make a clause are taken in the order of the clause
// numbering (the axiom records, then the saved derivations); a record whose
// pair makes no clause (sub and super the same concept, super TOP, sub
// BOTTOM) is passed over, so it shifts no later clause. The records name
// concepts by their ids and the clauses by their variables: every tie binds
// the super concept to the clause's head and, for a clause with one premise,
// the sub concept to that premise; a concept met with two variables, or a
// head variable met with two concepts, proves the clause tied to the wrong
// record. A clause beyond the records, or a record left without its clause,
// cannot be tied either. Each of these ends the process with an error.
//
// A saved derivation that lost a premise (one that named no earlier record)
// rests on axioms that nobody knows: it gets no control clause, and its
// control variable is assumed with the axioms instead, so that every answer
// resting on it shows it (EncodedTBox::restsOnMissingPremise).
//
// The driver makes one for the copy of one encoding and hands it to the
// encoding grammar for pinpointing.
class RecordedClauseTie : public HornClauseTie {
public:
    RecordedClauseTie() = default;

    Control control(unsigned long k, const LiteralList& hornClause) override;
    // Once the whole encoding is read, before the copy ends: every record
    // that makes a clause has had its clause.
    void ending(unsigned long hornClauses) override;

private:
    void prepare();
    static bool makesClause(unsigned long sub, unsigned long super);
    static void refuse(const char* what, unsigned long k);
    // False when the concept already has another variable, or the head
    // variable another concept.
    bool bind(unsigned long concept, unsigned long variable, bool head);

    struct Tied {
        unsigned long position;  // in the EncodedTBox's clause numbering
        unsigned long sub;
        unsigned long super;
        bool missingPremise;
    };
    bool prepared = false;
    std::vector<Tied> records;
    // Keyed by the whole concept id and the whole variable.
    IdPairMap<unsigned long> variableOfConcept;
    IdPairMap<unsigned long> conceptOfHead;
};

#endif
