#ifndef KORVANE_MODEL_SYMBOLTABLEENTRY_H
#define KORVANE_MODEL_SYMBOLTABLEENTRY_H

class Concept;
class Role;

// What a name stands for.
enum st_entry_t { ST_NONE = 0, ST_CONCEPT = 1, ST_ROLE = 2 };

// The concept or role a name stands for, and the line where it was entered.
class SymbolTableEntry {
public:
    SymbolTableEntry() = default;
    SymbolTableEntry(void* object, st_entry_t type, unsigned int line) : type(type), object(object), line(line) {}
    SymbolTableEntry(const SymbolTableEntry&) = default;
    SymbolTableEntry& operator=(const SymbolTableEntry&) = default;

    Concept* getConcept() const;
    Role* getRole() const;
    // Deletes the object the entry stands for, then the entry itself.
    void destroy();

    st_entry_t type = ST_NONE;
    void* object = nullptr;
    unsigned int line = 0;
};

#endif
