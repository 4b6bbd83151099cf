#ifndef KORVANE_MODEL_SYMBOLTABLE_H
#define KORVANE_MODEL_SYMBOLTABLE_H

#include <map>
#include <string>

#include "model/SymbolTableEntry.h"

// Maps every concept or role name seen by the grammars to its object.
class SymbolTable {
public:
    using EntryMap = std::map<std::string, SymbolTableEntry*>;

    static SymbolTable* Instance;
    static SymbolTable* getInstance();

    SymbolTable() : lastPosition(entries.end()) {}
    SymbolTable(const SymbolTable&) = delete;
    SymbolTable& operator=(const SymbolTable&) = delete;
    ~SymbolTable();

    bool addEntry(const std::string& name, void* object, st_entry_t type, unsigned int line);
    bool addEntry(const std::string& name, Concept* concept, unsigned int line);
    bool addEntry(const std::string& name, Role* role, unsigned int line);
    st_entry_t getEntryType(const std::string& name);
    SymbolTableEntry* getEntryPtr(const std::string& name);
    SymbolTableEntry* getEntry(const std::string& name);
    void clear();

    // Where the last lookup found its name, or end().
    EntryMap::iterator getLastPosition() const { return lastPosition; }
    EntryMap::iterator end() { return entries.end(); }
    std::size_t size() const { return entries.size(); }

private:
    EntryMap entries;
    SymbolTableEntry emptyEntry;
    EntryMap::iterator lastPosition;
};

#endif
