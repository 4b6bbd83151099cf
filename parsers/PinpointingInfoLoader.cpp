#include "parsers/PinpointingInfoLoader.h"

#include "model/ParserManager.h"
#include "parsers/AxiomNumberLimit.h"
#include "parsers/GrammarSupport.h"

std::vector<unsigned long> PinpointingInfoLoader::incompleteRecords;
bool PinpointingInfoLoader::premiseLost = false;

void PinpointingInfoLoader::startOfInput()
{
    incompleteRecords.clear();
    premiseLost = false;
    GrammarSupport::beginInput("Pinpointing Information");
    EncodedTBox::getInstance()->startPinpointingInfoUpload();
}

void PinpointingInfoLoader::axiom(unsigned long lhs, unsigned long rhs, unsigned long index, unsigned long original)
{
    int i = AxiomNumberLimit::checked(index, "Axiom index");
    int o = AxiomNumberLimit::checked(original, "Original axiom number");
    EncodedTBox::getInstance()->insertPinpointingAxiom(lhs, rhs, i, o);
}

unsigned long PinpointingInfoLoader::premise(unsigned long x, unsigned long y)
{
    // A premise that holds without axioms (the filler of an existential
    // under TOP, say) rests on nothing.
    if (EncodedTBox::holdsTrivially(x, y))
        return 0;
    unsigned long id = EncodedTBox::getInstance()->findDeductionId(x, y);
    if (id == 0) {
        premiseLost = true;
        ParserManager* manager = ParserManager::getInstance();
        manager->postWarning("Couple not found at line: ", Parser, static_cast<unsigned int>(manager->line));
    }
    return id;
}

EncodedTBox::Dependencies* PinpointingInfoLoader::premises(EncodedTBox::Dependencies* list, unsigned long premise)
{
    if (premise != 0)
        list->push_back(premise);
    return list;
}

void PinpointingInfoLoader::derivation(unsigned long sub, unsigned long super, unsigned long index,
                                       EncodedTBox::Dependencies* premises, bool saved)
{
    int i = AxiomNumberLimit::checked(index, "Axiom index");
    if (premises->empty()) {
        delete premises;
        premises = nullptr;
    }
    EncodedTBox* encoded = EncodedTBox::getInstance();
    bool stored = saved ? encoded->insertPinpointingSavedClause(sub, super, i, premises)
                        : encoded->insertPinpointingBoolClause(sub, super, i, premises);
    // A repeated pair leaves its premises with the reader.
    if (!stored)
        delete premises;
    else if (premiseLost)
        incompleteRecords.push_back(encoded->recordCount());
    premiseLost = false;
}

void PinpointingInfoLoader::endOfInput()
{
    EncodedTBox::getInstance()->pinpointingLoaded = true;
}

void PinpointingInfoLoader::foresee(const unsigned long* numbers, unsigned count, bool axiom)
{
    if (count < 2)
        return;
    const EncodedTBox* encoded = EncodedTBox::getInstance();
    encoded->prefetchDeduction(numbers[0], numbers[1]);
    if (axiom)
        return;
    for (unsigned i = 3; i + 1 < count; i += 2)
        if (!EncodedTBox::holdsTrivially(numbers[i], numbers[i + 1]))
            encoded->prefetchDeduction(numbers[i], numbers[i + 1]);
}
