#include "model/SymbolTable.h"

SymbolTable* SymbolTable::Instance = nullptr;

SymbolTable* SymbolTable::getInstance()
{
    if (Instance == nullptr)
        Instance = new SymbolTable();
    return Instance;
}

SymbolTable::~SymbolTable()
{
    clear();
}

bool SymbolTable::addEntry(const std::string& name, void* object, st_entry_t type, unsigned int line)
{
    Position found = locate(name);
    if (found != end()) {
        lastPosition = found;
        return false;
    }
    lastPosition = end();
    names.emplace_back(name, new SymbolTableEntry(object, type, line));
    index.add(&names.back(), hashOf(name));
    return true;
}

bool SymbolTable::addEntry(const std::string& name, Concept* concept, unsigned int line)
{
    return addEntry(name, static_cast<void*>(concept), ST_CONCEPT, line);
}

bool SymbolTable::addEntry(const std::string& name, Role* role, unsigned int line)
{
    return addEntry(name, static_cast<void*>(role), ST_ROLE, line);
}

st_entry_t SymbolTable::getEntryType(std::string_view name)
{
    lastPosition = locate(name);
    if (lastPosition == end() || lastPosition->second == nullptr)
        return ST_NONE;
    return lastPosition->second->type;
}

SymbolTableEntry* SymbolTable::getEntryPtr(std::string_view name)
{
    lastPosition = locate(name);
    return lastPosition == end() ? nullptr : lastPosition->second;
}

SymbolTableEntry* SymbolTable::getEntry(std::string_view name)
{
    lastPosition = locate(name);
    if (lastPosition == end() || lastPosition->second == nullptr)
        return &emptyEntry;
    return lastPosition->second;
}

void SymbolTable::clear()
{
    for (Name& name : names)
        delete name.second;
    names.clear();
    index.clear();
    lastPosition = end();
}

uint64_t SymbolTable::hashOf(std::string_view name)
{
    return HashIndex<Name>::finish(HashIndex<Name>::textHash(name));
}

SymbolTable::Position SymbolTable::locate(std::string_view name) const
{
    return index.find(hashOf(name), [name](const Name* stored) { return stored->first == name; });
}
