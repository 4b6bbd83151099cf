#ifndef KORVANE_MODEL_SYMBOLTABLE_H
#define KORVANE_MODEL_SYMBOLTABLE_H

#include <map>
#include <string>
#include <string_view>
#include <unordered_map>

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
    st_entry_t getEntryType(std::string_view name);
    SymbolTableEntry* getEntryPtr(std::string_view name);
    SymbolTableEntry* getEntry(std::string_view name);
    void clear();

    // Where the last lookup found its name, or end().
    EntryMap::iterator getLastPosition() const { return lastPosition; }
    EntryMap::iterator end() { return entries.end(); }
    std::size_t size() const { return entries.size(); }

private:
    // The position of the name in the map, or end(), found by hashing.
    EntryMap::iterator locate(std::string_view name);

    EntryMap entries;
    // The map's positions by name: the views are of the map's own keys.
    std::unordered_map<std::string_view, EntryMap::iterator> positions;
    SymbolTableEntry emptyEntry;
    EntryMap::iterator lastPosition;
};

#endif
