#ifndef KORVANE_REASONER_ENCODEDQUERYACTIONS_H
#define KORVANE_REASONER_ENCODEDQUERYACTIONS_H

#include "parsers/SimpleQueryActions.h"

// The query actions of the programs built on the library: the assumptions
// and the way back to axiom numbers come from the EncodedTBox, and queries
// are echoed when interactive.
class EncodedQueryActions : public SimpleQueryActions {
public:
    void startOfInput() override;
    void answerQuery(Concept* a, Concept* b) override;
};

#endif
