#include "model/ClassifierRoleState.h"

#include "model/Concept.h"

bool RelatedComparator::operator()(const Concept* a, const Concept* b) const
{
    return a->getRelatedId() < b->getRelatedId();
}
