#ifndef KORVANE_MODEL_CLASSIFIERROLESTATE_H
#define KORVANE_MODEL_CLASSIFIERROLESTATE_H

#include <set>
#include <vector>

#include "model/pool_allocator.h"

class Axiom;
class Concept;
class RoleAxiom;

// Orders existential restrictions by the id of their filler.
struct RelatedComparator {
    bool operator()(const Concept* a, const Concept* b) const;
};
using RelatedSet = std::set<Concept*, RelatedComparator, pool_allocator<Concept*>>;

// What a role carries in the classifier's build (see ModelBuild.h): the
// state of the classification with on-the-fly encoding.
class ClassifierRoleState {
public:
    RelatedSet related;
    std::vector<RoleAxiom*> roleAxioms;
    std::vector<Axiom*> existentialLhs;
};

#endif
