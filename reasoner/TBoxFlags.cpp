// Setting or clearing one mask of flags on every member of a collection.
#include "reasoner/TBox.h"

namespace {

template <typename Set>
void touchFlags(const Set& members, uint16_t mask, bool set)
{
    for (auto* m : members) {
        if (set)
            m->flags |= mask;
        else
            m->flags &= static_cast<uint16_t>(~mask);
    }
}

}

void TBoxCore::touchAllNormalizedConceptsFlags(uint16_t mask, bool set)
{
    touchFlags(normalizedConcepts, mask, set);
}

void TBoxCore::touchAllConceptsFlags(uint16_t mask, bool set)
{
    touchFlags(concepts, mask, set);
}

void TBoxCore::touchAllRolesFlags(uint16_t mask, bool set)
{
    touchFlags(roles, mask, set);
}
