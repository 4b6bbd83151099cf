#ifndef KORVANE_ENCODERS_ACTIVITYGENERATOR_H
#define KORVANE_ENCODERS_ACTIVITYGENERATOR_H

#include "model/Concept.h"

// Gives a new solver variable of the in-process encoders its initial
// activity from the kind of concept behind it and a level number, so that a
// derived generator can steer the solver's first decisions towards one kind
// of concept. The base gives every variable 0.0.
class ActivityGenerator {
public:
    explicit ActivityGenerator(int maxLevel = 0) : maxLevel(maxLevel) {}
    // The encoders own their generator and delete it through this class.
    virtual ~ActivityGenerator() = default;

    virtual double calculateActivity(concept_t kind, unsigned level) const;

    // 0 in the base; derived generators give it their own meaning.
    int maxLevel;
};

#endif
