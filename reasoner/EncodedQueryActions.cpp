#include "reasoner/EncodedQueryActions.h"

#include "model/ParserManager.h"
#include "parsers/SimpleQueryLoop.h"
#include "reasoner/EncodedTBox.h"
#include "reasoner/TBox.h"

void EncodedQueryActions::startOfInput()
{
    EncodedTBox* encoded = EncodedTBox::getInstance();
    SimpleQueryLoop::requireEncoding(encoded->axiomsInformationLoaded);
    SimpleQueryLoop::beginQueries();
    if (!TBox::pinpointing)
        return;
    SimpleQueryLoop::timePreprocessing([] {
        LiteralList* assumptions = EncodedTBox::getInstance()->getAxiomsAssumptions();
        if (!assumptions->empty())
            TBox::CNF_SAT_Encoder->preparePinpointing(assumptions);
        delete assumptions;
        SimpleQueryLoop::axiom_assumptions = nullptr;
    });
}

void EncodedQueryActions::answerQuery(Concept* a, Concept* b)
{
    SimpleQueryLoop::echoQuery(a, b);
    // The sink holds the assumptions since the start of the input.
    LiteralList* pinpointed = SimpleQueryLoop::decideAndPrint(a, b, SimpleQueryLoop::axiom_assumptions);
    if (pinpointed == nullptr)
        return;
    EncodedTBox* encoded = EncodedTBox::getInstance();
    // The axioms that a lost premise rested on are not among the pinpointed
    // ones: the set would not entail the query, so none is named. The axiom
    // line still follows the "U", empty, so that the answers keep their
    // pairs of lines.
    if (encoded->restsOnMissingPremise(*pinpointed)) {
        ParserManager::getInstance()->postWarning(
            "The axioms of this answer are unknown: it rests on a derivation that lost a premise of the "
            "pinpointing information, query: ",
            Parser, static_cast<unsigned int>(SimpleQueryLoop::i_simpquery));
        pinpointed->clear();
    }
    LiteralList* roleAxioms = encoded->convertAssumptionsInAxiomsIds(pinpointed);
    SimpleQueryLoop::printPinpointedAxioms(*pinpointed, *roleAxioms, EncodedTBox::use_original_axiom_index);
    delete pinpointed;
    delete roleAxioms;
}
