#include "model/AssertionSet.h"

#include "model/Concept.h"

AssertionEntry::AssertionEntry(Concept* subsumed, unsigned long variable)
    : first(subsumed), second(variable), id(subsumed->id)
{
}
