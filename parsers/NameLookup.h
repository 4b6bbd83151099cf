#ifndef KORVANE_PARSERS_NAMELOOKUP_H
#define KORVANE_PARSERS_NAMELOOKUP_H

#include "model/SymbolTableEntry.h"

class Concept;
class Role;

// The names of the input: the SymbolTable maps each to the one concept or
// role it stands for, made and shared through the TBox on first use. A name
// keeps the type it was first used with; using it as the other type is fatal.
class NameLookup {
public:
    NameLookup() = delete;

    // The entry of the name, or null when the name is new. An entry of another
    // type than `type` is a fatal Parser error naming `typeName` and the line
    // where the name was first met.
    static SymbolTableEntry* if_entry_exists_verify_type(const char* name, st_entry_t type,
                                                         const char* typeName);

    // The shared atomic concept of the name. A known concept counts one more
    // occurrence; a new one is made, shared and entered with the current line.
    static Concept* getConceptByName(const char* name);

    // The shared named role of the name, made, shared and entered on first use.
    static Role* getRoleByName(const char* name);
};

#endif
