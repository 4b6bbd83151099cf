#include "parsers/PinpointingEncodingReader.h"

#include "model/ParserManager.h"
#include "parsers/EncodingCopy.h"
#include "parsers/EncodingLimits.h"
#include "parsers/HornClauseTie.h"
#include "reasoner/EncodedTBox.h"

unsigned long PinpointingEncodingReader::horn_clause_index = 0;
unsigned long PinpointingEncodingReader::new_clauses = 0;

void PinpointingEncodingReader::endOfHeader()
{
    EncodedTBox* encoded = EncodedTBox::getInstance();
    if (!encoded->pinpointingLoaded)
        ParserManager::getInstance()->postError("Missing pinpointing information!", Parser);
    encoded->startEncodingPinpointing(EncodingCopy::cnf_vars);
    // Checked before any clause goes to the encoder, so that nothing of a
    // refused encoding is written.
    EncodingLimits::checkPinpointingVariables(encoded->lastAssumptionVariable(), encoded->savedCount());
    new_clauses = 0;
    EncodingCopy::cl_counter = 0;
    horn_clause_index = 0;
}

void PinpointingEncodingReader::unitClause(long literal)
{
    EncodingCopy::unitClause(literal);
    new_clauses += 1;
}

void PinpointingEncodingReader::hornClause(LiteralList* clause, HornClauseTie& tie)
{
    horn_clause_index += 1;
    new_clauses += 1;
    HornClauseTie::Control control = tie.control(horn_clause_index, *clause);
    if (control.variable != 0)
        clause->push_front(-static_cast<long>(control.variable));
    EncodingCopy::hornClause(clause);
    if (control.clause != nullptr) {
        new_clauses += 1;
        EncodingCopy::hornClause(control.clause);
    }
}

void PinpointingEncodingReader::endOfInput(HornClauseTie& tie)
{
    tie.ending(horn_clause_index);
    EncodedTBox* encoded = EncodedTBox::getInstance();
    encoded->dropPinpointingRecords();
    encoded->axiomsInformationLoaded = true;
    EncodingCopy::endOfCopy(encoded->lastControlVariable(), new_clauses);
}
