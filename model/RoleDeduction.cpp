#include "model/RoleDeduction.h"

void RoleDeduction::recordRelatedConcept(Concept* c, unsigned long key)
{
    relatedMap()->emplace(key, c);
}

RoleDeduction::RelatedMap* RoleDeduction::relatedMap()
{
    if (related == nullptr)
        related = new RelatedMap();
    return related;
}

Concept* RoleDeduction::findRelated(unsigned long key) const
{
    if (related == nullptr)
        return nullptr;
    auto found = related->find(key);
    return found == related->end() ? nullptr : found->second;
}

void RoleDeduction::addDependent(Role* s, Concept* c)
{
    if (dependents == nullptr)
        dependents = new DependentList();
    dependents->emplace_back(s, c);
}

void RoleDeduction::addChainPredecessor(Role* r)
{
    if (chainPredecessors == nullptr)
        chainPredecessors = new RoleList();
    chainPredecessors->push_back(r);
}

void RoleDeduction::appendPendingRelated(Concept* c)
{
    if (pendingRelated == nullptr)
        pendingRelated = new ConceptList();
    pendingRelated->push_back(c);
}

void RoleDeduction::clearTemporaryStructures()
{
    delete pendingRelated;
    pendingRelated = nullptr;
}

void RoleDeduction::clearAllDeductionStructures()
{
    delete pendingRelated;
    pendingRelated = nullptr;
    delete chainPredecessors;
    chainPredecessors = nullptr;
    delete dependents;
    dependents = nullptr;
    delete related;
    related = nullptr;
}
