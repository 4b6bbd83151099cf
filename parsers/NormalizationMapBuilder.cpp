#include "parsers/NormalizationMapBuilder.h"

#include <string>

#include "model/ExistentialRestr.h"
#include "model/ParserManager.h"
#include "model/PrimitiveConcept.h"
#include "model/SymbolTable.h"
#include "parsers/NameLookup.h"
#include "reasoner/EncodedTBox.h"
#include "reasoner/TBox.h"

Concept* NormalizationMapBuilder::normalized(Concept* c)
{
    Concept* s = TBox::getInstance()->insertNormalizedConcept(c);
    if (s != c)
        delete c;
    return s;
}

Concept* NormalizationMapBuilder::up_getConceptByName(const char* name)
{
    SymbolTableEntry* entry = NameLookup::if_entry_exists_verify_type(name, ST_CONCEPT, "concept");
    if (entry != nullptr) {
        Concept* c = entry->getConcept();
        c->occurrences += 1;
        return c;
    }
    Concept* c = normalized(new PrimitiveConcept(std::string(name)));
    SymbolTable::getInstance()->addEntry(name, c, static_cast<unsigned int>(ParserManager::getInstance()->line));
    return c;
}

Concept* NormalizationMapBuilder::up_getTmpConceptById(unsigned long n)
{
    Concept* made = new PrimitiveConcept(n, true);
    Concept* c = normalized(made);
    if (c != made)
        c->occurrences += 1;
    return c;
}

Concept* NormalizationMapBuilder::existential(Role* role, Concept* filler)
{
    if (filler->kind == CONJUNCTION)
        filler = normalized(filler);
    return normalized(new ExistentialRestr(filler, role));
}

void NormalizationMapBuilder::inclusion(Concept* c, Concept* d)
{
    if (c->kind == CONJUNCTION)
        c = normalized(c);
    if (d->kind == CONJUNCTION)
        d = normalized(d);
    EncodedTBox::getInstance()->unencodedInclusions.emplace_back(c, d);
}

void NormalizationMapBuilder::conceptEntry(Concept* c, unsigned long n)
{
    if (c->kind == CONJUNCTION)
        c = normalized(c);
    EncodedTBox* encoded = EncodedTBox::getInstance();
    if (encoded->encodingLoaded) {
        if (encoded->implicationTable == nullptr || n > encoded->declaredVariables()) {
            ParserManager* manager = ParserManager::getInstance();
            manager->postError("Concept DIMACS id greater than the encoding's variables number, line: ", Parser,
                               static_cast<unsigned int>(manager->line));
        }
        encoded->implicationEntry(n - 1) = c;
    }
    if (c->encodingId == 0 || c->encodingId == n) {
        c->encodingId = n;
        if (n > Concept::encoding_id_counter)
            Concept::encoding_id_counter = n;
    }
}
