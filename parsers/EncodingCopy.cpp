#include "parsers/EncodingCopy.h"

#include "parsers/EncodingLimits.h"
#include "parsers/GrammarSupport.h"
#include "reasoner/TBox.h"

unsigned long EncodingCopy::cnf_vars = 0;
unsigned long EncodingCopy::cnf_cls = 0;
unsigned long EncodingCopy::cl_counter = 0;

void EncodingCopy::startOfInput()
{
    GrammarSupport::beginInput("Input Encoding");
    cl_counter = 0;
    cnf_vars = 0;
    cnf_cls = 0;
}

void EncodingCopy::problemLine(uint64_t variables, uint64_t clauses)
{
    EncodingLimits::checkDeclaredVariables(variables);
    cnf_vars = static_cast<unsigned long>(variables);
    cnf_cls = static_cast<unsigned long>(clauses);
}

void EncodingCopy::beforeClause()
{
    EncodingLimits::countClause(cl_counter, cnf_cls);
}

long EncodingCopy::variable(uint64_t v)
{
    EncodingLimits::checkVariable(v, cnf_vars);
    return static_cast<long>(v);
}

void EncodingCopy::unitClause(long literal)
{
    TBox::getInstance()->addUnitClauseToEncoder(literal);
}

void EncodingCopy::hornClause(LiteralList* clause)
{
    TBox::getInstance()->addClauseToEncoder(clause);
}

void EncodingCopy::endOfCopy(unsigned long variables, unsigned long clauses)
{
    if (variables == 0)
        variables = static_cast<unsigned long>(Concept::encoding_id_counter);
    if (clauses == 0)
        clauses = static_cast<unsigned long>(TBox::clauses_counter);
    TBox::CNF_SAT_Encoder->endEncoding(false, variables, clauses, 0, 0);
    TBox::only_loaded = true;
}
