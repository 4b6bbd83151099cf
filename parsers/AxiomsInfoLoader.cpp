#include "parsers/AxiomsInfoLoader.h"

#include "model/ParserManager.h"
#include "parsers/AxiomNumberLimit.h"
#include "reasoner/EncodedTBox.h"

unsigned long AxiomsInfoLoader::a_ids = 0;
unsigned long AxiomsInfoLoader::min_cnf = 0;

void AxiomsInfoLoader::header(unsigned long largestIndex, unsigned long largestOriginal, unsigned long axiomRecords,
                              unsigned long offset, bool original)
{
    AxiomNumberLimit::checked(largestIndex, "Axiom index");
    AxiomNumberLimit::checked(largestOriginal, "Original axiom number");
    a_ids = largestIndex;
    min_cnf = offset;
    EncodedTBox::getInstance()->loadAxiomsAssumptions(largestIndex, largestOriginal, axiomRecords, offset);
    EncodedTBox::use_original_axiom_index = original;
}

bool AxiomsInfoLoader::aboveTheConcepts(unsigned long v, unsigned int line)
{
    if (v > min_cnf)
        return true;
    ParserManager::getInstance()->postWarning("Axiom DIMACS id may overload a concept id, line: ", Parser, line);
    return false;
}

void AxiomsInfoLoader::axiom(unsigned long k, unsigned long v)
{
    ParserManager* manager = ParserManager::getInstance();
    const unsigned int line = static_cast<unsigned int>(manager->line);
    bool selects = true;
    if (k > a_ids) {
        manager->postWarning("Axiom id greater than the axioms' number, line: ", Parser, line);
        selects = false;
    }
    if (!aboveTheConcepts(v, line))
        selects = false;
    if (selects)
        EncodedTBox::getInstance()->addAxiomAssumption(k, v);
}

void AxiomsInfoLoader::lostPremise(unsigned long v)
{
    if (aboveTheConcepts(v, static_cast<unsigned int>(ParserManager::getInstance()->line)))
        EncodedTBox::getInstance()->assumeMissingPremise(v);
}

void AxiomsInfoLoader::endOfInput()
{
    EncodedTBox* encoded = EncodedTBox::getInstance();
    encoded->pinpointingLoaded = true;
    encoded->dropPinpointingRecords();
    encoded->axiomsInformationLoaded = true;
}
