#include "reasoner/WrittenAxioms.h"

bool WrittenAxioms::markWritten(const Axiom* a)
{
    return !gcis.insert(a).second;
}

bool WrittenAxioms::markWritten(const RoleAxiom* a)
{
    return !roleAxioms.insert(a).second;
}

bool WrittenAxioms::markMapped(const Axiom* a)
{
    return !mapped.insert(a).second;
}
