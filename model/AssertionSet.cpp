#include "model/AssertionSet.h"

#include "model/Concept.h"

AssertionEntry::AssertionEntry(Concept* subsumed, unsigned long variable)
    : first(subsumed), second(static_cast<uint32_t>(variable)), id(static_cast<uint32_t>(subsumed->id))
{
}
