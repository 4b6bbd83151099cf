#include "parsers/PinpointingInfoLoader.h"

#include "model/ParserManager.h"
#include "parsers/AxiomNumberLimit.h"
#include "parsers/GrammarSupport.h"
#include "parsers/PinpointingRecordQueue.h"
#include "parsers/el_pinpointing_info.h"

namespace {

// Records that wait to be entered: enough for the fetches of the newest to
// complete while the older ones are entered.
PinpointingRecordQueue queue(16);

}

void PinpointingInfoLoader::startOfInput()
{
    queue.clear();
    GrammarSupport::beginInput("Pinpointing Information");
    EncodedTBox* encoded = EncodedTBox::getInstance();
    encoded->startPinpointingInfoUpload();
    encoded->expectPinpointingBytes(GrammarSupport::regularFileBytes(pinpyyin));
}

void PinpointingInfoLoader::premise(unsigned long x, unsigned long y)
{
    queue.reading().premises.push_back({x, y, ParserManager::getInstance()->line});
}

void PinpointingInfoLoader::axiom(unsigned long lhs, unsigned long rhs, unsigned long index, unsigned long original)
{
    PinpointingRecord& r = queue.reading();
    r.kind = PinpointingRecord::Axiom;
    r.sub = lhs;
    r.super = rhs;
    r.index = index;
    r.original = original;
    recordRead();
}

void PinpointingInfoLoader::derivation(unsigned long sub, unsigned long super, unsigned long index, bool saved)
{
    PinpointingRecord& r = queue.reading();
    r.kind = saved ? PinpointingRecord::Saved : PinpointingRecord::Boolean;
    r.sub = sub;
    r.super = super;
    r.index = index;
    recordRead();
}

void PinpointingInfoLoader::recordRead()
{
    ParserManager* manager = ParserManager::getInstance();
    PinpointingRecord& r = queue.reading();
    r.line = manager->line;
    const EncodedTBox* encoded = EncodedTBox::getInstance();
    encoded->prefetchDeduction(r.sub, r.super);
    for (const PinpointingRecord::Premise& p : r.premises)
        if (!EncodedTBox::holdsTrivially(p.sub, p.super))
            encoded->prefetchDeduction(p.sub, p.super);
    if (queue.full()) {
        int line = manager->line;
        enter(queue.oldest());
        queue.dropOldest();
        manager->line = line;
    }
    queue.complete();
}

void PinpointingInfoLoader::catchUp()
{
    ParserManager* manager = ParserManager::getInstance();
    int line = manager->line;
    while (!queue.empty()) {
        enter(queue.oldest());
        queue.dropOldest();
    }
    lookUpPremises(queue.reading());
    manager->line = line;
}

void PinpointingInfoLoader::lookUpPremises(PinpointingRecord& record)
{
    EncodedTBox* encoded = EncodedTBox::getInstance();
    for (; record.lookedUp < record.premises.size(); ++record.lookedUp) {
        const PinpointingRecord::Premise& p = record.premises[record.lookedUp];
        // A premise that holds without axioms (the filler of an existential
        // under TOP, say) rests on nothing.
        if (EncodedTBox::holdsTrivially(p.sub, p.super))
            continue;
        unsigned long id = encoded->findDeductionId(p.sub, p.super);
        if (id == 0) {
            record.lost = true;
            ParserManager* manager = ParserManager::getInstance();
            manager->line = p.line;
            manager->postWarning("Couple not found at line: ", Parser, static_cast<unsigned int>(p.line));
            continue;
        }
        record.found.push_back(id);
    }
}

void PinpointingInfoLoader::enter(PinpointingRecord& record)
{
    EncodedTBox* encoded = EncodedTBox::getInstance();
    ParserManager* manager = ParserManager::getInstance();
    if (record.kind == PinpointingRecord::Axiom) {
        manager->line = record.line;
        int i = AxiomNumberLimit::checked(record.index, "Axiom index");
        int o = AxiomNumberLimit::checked(record.original, "Original axiom number");
        encoded->insertPinpointingAxiom(record.sub, record.super, i, o);
        return;
    }
    lookUpPremises(record);
    manager->line = record.line;
    int i = AxiomNumberLimit::checked(record.index, "Axiom index");
    // The premises' record numbers go with the record, unless its pair is
    // already known.
    const EncodedTBox::Dependencies* premises = &record.found;
    bool stored = record.kind == PinpointingRecord::Saved
                      ? encoded->insertPinpointingSavedClause(record.sub, record.super, i, premises)
                      : encoded->insertPinpointingBoolClause(record.sub, record.super, i, premises);
    if (stored && record.lost)
        encoded->noteIncompleteRecord(encoded->recordCount());
}

void PinpointingInfoLoader::endOfInput()
{
    catchUp();
    EncodedTBox::getInstance()->pinpointingLoaded = true;
}
