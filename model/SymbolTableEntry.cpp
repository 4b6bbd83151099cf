#include "model/SymbolTableEntry.h"

#include "model/Concept.h"
#include "model/Role.h"

Concept* SymbolTableEntry::getConcept() const
{
    return type == ST_CONCEPT ? static_cast<Concept*>(object) : nullptr;
}

Role* SymbolTableEntry::getRole() const
{
    return type == ST_ROLE ? static_cast<Role*>(object) : nullptr;
}

void SymbolTableEntry::destroy()
{
    if (object != nullptr) {
        if (type == ST_CONCEPT) {
            delete static_cast<Concept*>(object);
            object = nullptr;
        } else if (type == ST_ROLE) {
            delete static_cast<Role*>(object);
            object = nullptr;
        }
    }
    delete this;
}
