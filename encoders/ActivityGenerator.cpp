#include "encoders/ActivityGenerator.h"

double ActivityGenerator::calculateActivity(concept_t, unsigned) const
{
    return 0.0;
}
