#include "parsers/HornClauseTie.h"

#include "reasoner/EncodedTBox.h"

HornClauseTie::Rule HornClauseTie::rule = nullptr;
HornClauseTie::Ending HornClauseTie::ending = nullptr;

HornClauseTie::Control HornClauseTie::control(unsigned long k, const LiteralList& hornClause)
{
    return rule != nullptr ? rule(k, hornClause) : byPosition(k);
}

HornClauseTie::Control HornClauseTie::byPosition(unsigned long k)
{
    EncodedTBox* encoded = EncodedTBox::getInstance();
    Control result;
    result.variable = encoded->getControlCnfId(k);
    if (result.variable != 0)
        result.clause = encoded->getControlCnfClause(k);
    return result;
}
