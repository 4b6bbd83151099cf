#ifndef KORVANE_INCREMENTAL_CLASSIFIER_BESTTYPEACTIVITYGENERATOR_H
#define KORVANE_INCREMENTAL_CLASSIFIER_BESTTYPEACTIVITYGENERATOR_H

#include "encoders/ActivityGenerator.h"

// Gives a new solver variable a positive initial activity only when the
// concept behind it is of the chosen kind, so that the solver's first
// decisions favour those variables. The driver fills the fields: maxLevel
// (the base's int) and bestType.
//
// The activity of a variable of the chosen kind is 2 to the power
// (maxLevel - level) while maxLevel is above level (compared as signed ints),
// 1 from there on, and 2 to the power level when maxLevel is 0; every other
// kind gets 0.0. Exponents are capped at 30, so an activity never exceeds
// the largest power of two of a positive 32-bit int.
class BestTypeActivityGenerator : public ActivityGenerator {
public:
    double calculateActivity(concept_t type, unsigned level) const override;

    concept_t bestType = CONCEPT;
};

#endif
