#include "incremental-classifier/BestTypeActivityGenerator.h"

namespace {

const long long MaxExponent = 30;

double powerOfTwo(long long exponent)
{
    if (exponent > MaxExponent)
        exponent = MaxExponent;
    return static_cast<double>(1 << static_cast<int>(exponent));
}

}

double BestTypeActivityGenerator::calculateActivity(concept_t type, unsigned level) const
{
    if (type != bestType)
        return 0.0;
    if (maxLevel == 0)
        return powerOfTwo(level);
    int signedLevel = static_cast<int>(level);
    if (maxLevel > signedLevel)
        return powerOfTwo(static_cast<long long>(maxLevel) - signedLevel);
    return 1.0;
}
