#ifndef KORVANE_MODEL_CLASSIFIERROLESTATE_H
#define KORVANE_MODEL_CLASSIFIERROLESTATE_H

#include <vector>

class Axiom;
class RoleAxiom;

// What a role carries in the classifier's build (see ModelBuild.h): the
// state of the classification with on-the-fly encoding.
class ClassifierRoleState {
public:
    std::vector<RoleAxiom*> roleAxioms;
    std::vector<Axiom*> existentialLhs;
};

#endif
