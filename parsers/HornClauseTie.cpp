#include "parsers/HornClauseTie.h"

#include "reasoner/EncodedTBox.h"

HornClauseTie::Control HornClauseTie::control(unsigned long k, const LiteralList& /*hornClause*/)
{
    return byPosition(k);
}

void HornClauseTie::ending(unsigned long /*hornClauses*/) {}

HornClauseTie::Control HornClauseTie::byPosition(unsigned long k)
{
    EncodedTBox* encoded = EncodedTBox::getInstance();
    Control result;
    result.variable = encoded->getControlCnfId(k);
    if (result.variable != 0)
        result.clause = encoded->getControlCnfClause(k);
    return result;
}
