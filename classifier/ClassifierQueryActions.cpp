#include "classifier/ClassifierQueryActions.h"

#include "model/timer.h"
#include "parsers/SimpleQueryLoop.h"
#include "reasoner/TBox.h"

void ClassifierQueryActions::startOfInput()
{
    SimpleQueryLoop::requireEncoding(false);
    SimpleQueryLoop::beginQueries();
    if (!TBox::pinpointing)
        return;
    timer stopwatch;
    stopwatch.reset();
    stopwatch.start();
    TBox* tbox = TBox::getInstance();
    TBox::CNF_SAT_Encoder->preparePinpointing(&tbox->assumptions);
    SimpleQueryLoop::axiom_assumptions = nullptr;
    SimpleQueryLoop::reportPreprocessingTime(stopwatch.elapsed());
}

void ClassifierQueryActions::answerQuery(Concept* a, Concept* b)
{
    timer stopwatch;
    stopwatch.reset();
    stopwatch.start();
    TBox* tbox = TBox::getInstance();
    if (!TBox::pinpointing) {
        bool satisfiable = tbox->decideSubsumption(b, a);
        SimpleQueryLoop::reportQueryTime(stopwatch.elapsed());
        SimpleQueryLoop::printAnswer(satisfiable);
        return;
    }
    LiteralList* pinpointed = tbox->decideSubsumptionAndPinpoint(b, a, nullptr, false, 0, 0);
    SimpleQueryLoop::reportQueryTime(stopwatch.elapsed());
    if (pinpointed == nullptr) {
        SimpleQueryLoop::printAnswer(true);
        return;
    }
    SimpleQueryLoop::printAnswer(false);
    SimpleQueryLoop::printPinpointedAssumptions(*pinpointed);
    LiteralList* roleAxioms = tbox->convertAssumptionsInAxiomsIds(pinpointed);
    SimpleQueryLoop::printPinpointedAxioms(*pinpointed, *roleAxioms, TBox::use_original_axioms_ids);
    delete pinpointed;
    delete roleAxioms;
}
