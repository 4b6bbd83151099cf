#ifndef KORVANE_MODEL_CLASSIFIERAXIOMSTATE_H
#define KORVANE_MODEL_CLASSIFIERAXIOMSTATE_H

#include <list>

class Axiom;

// What a GCI carries in the classifier's build (see ModelBuild.h): the
// provenance of a normal-form axiom and its selector variable.
class ClassifierAxiomState {
public:
    std::list<unsigned long> originalIds;
    std::list<Axiom*> generatedFrom;
    long selector = 0;
};

#endif
