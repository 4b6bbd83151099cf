#ifndef KORVANE_MODEL_SYMBOLTABLE_H
#define KORVANE_MODEL_SYMBOLTABLE_H

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <utility>

#include "model/HashIndex.h"
#include "model/SymbolTableEntry.h"

// Maps every concept or role name seen by the grammars to its object. The
// names are kept in the order they were entered and found by a hash of
// their characters: nothing walks them in another order, and a lookup costs
// one probe of the index, however many names there are.
class SymbolTable {
public:
    using Name = std::pair<const std::string, SymbolTableEntry*>;
    // A name and its entry, or end().
    using Position = Name*;

    static SymbolTable* Instance;
    static SymbolTable* getInstance();

    SymbolTable() = default;
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
    Position getLastPosition() const { return lastPosition; }
    Position end() const { return nullptr; }
    std::size_t size() const { return names.size(); }

private:
    static uint64_t hashOf(std::string_view name);
    // The name's position, or end().
    Position locate(std::string_view name) const;

    std::deque<Name> names;
    HashIndex<Name> index;
    SymbolTableEntry emptyEntry;
    Position lastPosition = nullptr;
};

#endif
