#ifndef KORVANE_MODEL_CLASSIFIERROLEAXIOMSTATE_H
#define KORVANE_MODEL_CLASSIFIERROLEAXIOMSTATE_H

// What a role axiom carries in the classifier's build (see ModelBuild.h):
// its selector variable.
class ClassifierRoleAxiomState {
public:
    long selector = 0;
};

#endif
