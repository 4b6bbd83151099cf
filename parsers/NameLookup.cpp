#include "parsers/NameLookup.h"

#include <string>

#include "model/ParserManager.h"
#include "model/PrimitiveConcept.h"
#include "model/PrimitiveRole.h"
#include "model/SymbolTable.h"
#include "reasoner/TBox.h"

SymbolTableEntry* NameLookup::if_entry_exists_verify_type(const char* name, st_entry_t type,
                                                          const char* typeName)
{
    SymbolTableEntry* entry = SymbolTable::getInstance()->getEntryPtr(name);
    if (entry == nullptr)
        return nullptr;
    if (entry->type != type)
        ParserManager::getInstance()->postError(
            std::string("Name '") + name + "' is not used only as type " + typeName + ", see line: ", Parser,
            entry->line);
    return entry;
}

Concept* NameLookup::getConceptByName(const char* name)
{
    SymbolTableEntry* entry = if_entry_exists_verify_type(name, ST_CONCEPT, "concept");
    if (entry != nullptr) {
        Concept* c = entry->getConcept();
        c->occurrences += 1;
        return c;
    }
    Concept* c = TBox::getInstance()->insertConcept(new PrimitiveConcept(std::string(name)), true);
    SymbolTable::getInstance()->addEntry(name, c, static_cast<unsigned int>(ParserManager::getInstance()->line));
    return c;
}

Role* NameLookup::getRoleByName(const char* name)
{
    SymbolTableEntry* entry = if_entry_exists_verify_type(name, ST_ROLE, "role");
    if (entry != nullptr)
        return entry->getRole();
    Role* r = TBox::getInstance()->insertRole(new PrimitiveRole(std::string(name)));
    SymbolTable::getInstance()->addEntry(name, r, static_cast<unsigned int>(ParserManager::getInstance()->line));
    return r;
}
