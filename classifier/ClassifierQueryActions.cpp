#include "classifier/ClassifierQueryActions.h"

#include "parsers/SimpleQueryLoop.h"
#include "reasoner/TBox.h"

void ClassifierQueryActions::startOfInput()
{
    SimpleQueryLoop::requireEncoding(false);
    SimpleQueryLoop::beginQueries();
    if (!TBox::pinpointing)
        return;
    SimpleQueryLoop::timePreprocessing([] {
        TBox::CNF_SAT_Encoder->preparePinpointing(&TBox::getInstance()->assumptions);
        SimpleQueryLoop::axiom_assumptions = nullptr;
    });
}

void ClassifierQueryActions::answerQuery(Concept* a, Concept* b)
{
    LiteralList* pinpointed = SimpleQueryLoop::decideAndPrint(a, b, nullptr);
    if (pinpointed == nullptr)
        return;
    TBox* tbox = TBox::getInstance();
    LiteralList* roleAxioms = tbox->convertAssumptionsInAxiomsIds(pinpointed);
    SimpleQueryLoop::printPinpointedAxioms(*pinpointed, *roleAxioms, TBox::use_original_axioms_ids);
    delete pinpointed;
    delete roleAxioms;
}
