#ifndef KORVANE_PARSERS_PINPOINTINGENCODINGREADER_H
#define KORVANE_PARSERS_PINPOINTINGENCODINGREADER_H

#include "reasoner/Encoder.h"

class HornClauseTie;

// The actions of the encoding grammar for pinpointing
// (el_dimacs_encoding_pinp) beyond the plain copy (EncodingCopy): a stored
// encoding becomes the pinpointing encoding. Units go over unchanged; each
// Horn clause gets the negated control variable of its derivation in front
// and is followed by the derivation's control clause, as the tie that the
// grammar's caller hands over says (HornClauseTie). The pinpointing
// information must have been read before.
class PinpointingEncodingReader {
public:
    PinpointingEncodingReader() = delete;

    // The first token after the header (or the end of the input) has been
    // seen: the assumption variables are numbered above the declared ones.
    static void endOfHeader();
    static void unitClause(long literal);
    // A Horn clause read whole: premises negated, conclusion last (owned
    // from here on).
    static void hornClause(LiteralList* clause, HornClauseTie& tie);
    // After the last clause: the records are dropped and the copy ends.
    static void endOfInput(HornClauseTie& tie);

    // Horn clauses read so far (units not counted).
    static unsigned long horn_clause_index;
    // Clauses handed to the encoder: units, Horn clauses and control clauses.
    static unsigned long new_clauses;
};

#endif
