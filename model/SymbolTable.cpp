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
    auto found = entries.find(name);
    if (found != entries.end()) {
        lastPosition = found;
        return false;
    }
    lastPosition = entries.end();
    entries.emplace(name, new SymbolTableEntry(object, type, line));
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

st_entry_t SymbolTable::getEntryType(const std::string& name)
{
    lastPosition = entries.find(name);
    if (lastPosition == entries.end() || lastPosition->second == nullptr)
        return ST_NONE;
    return lastPosition->second->type;
}

SymbolTableEntry* SymbolTable::getEntryPtr(const std::string& name)
{
    lastPosition = entries.find(name);
    return lastPosition == entries.end() ? nullptr : lastPosition->second;
}

SymbolTableEntry* SymbolTable::getEntry(const std::string& name)
{
    lastPosition = entries.find(name);
    if (lastPosition == entries.end() || lastPosition->second == nullptr)
        return &emptyEntry;
    return lastPosition->second;
}

void SymbolTable::clear()
{
    for (auto& entry : entries)
        delete entry.second;
    entries.clear();
    lastPosition = entries.end();
}
