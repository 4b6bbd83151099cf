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
    auto found = locate(name);
    if (found != entries.end()) {
        lastPosition = found;
        return false;
    }
    lastPosition = entries.end();
    auto added = entries.emplace(name, new SymbolTableEntry(object, type, line)).first;
    positions.emplace(added->first, added);
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
    if (lastPosition == entries.end() || lastPosition->second == nullptr)
        return ST_NONE;
    return lastPosition->second->type;
}

SymbolTableEntry* SymbolTable::getEntryPtr(std::string_view name)
{
    lastPosition = locate(name);
    return lastPosition == entries.end() ? nullptr : lastPosition->second;
}

SymbolTableEntry* SymbolTable::getEntry(std::string_view name)
{
    lastPosition = locate(name);
    if (lastPosition == entries.end() || lastPosition->second == nullptr)
        return &emptyEntry;
    return lastPosition->second;
}

void SymbolTable::clear()
{
    for (auto& entry : entries)
        delete entry.second;
    entries.clear();
    positions.clear();
    lastPosition = entries.end();
}

SymbolTable::EntryMap::iterator SymbolTable::locate(std::string_view name)
{
    auto found = positions.find(name);
    return found == positions.end() ? entries.end() : found->second;
}
