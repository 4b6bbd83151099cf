#ifndef KORVANE_MODEL_CONTAINER_H
#define KORVANE_MODEL_CONTAINER_H

#include <cstdint>

// Common base of concepts, roles, axioms and role axioms: a flag word and the
// classification iteration in which the object last changed.
class Container {
public:
    Container() = default;
    Container(const Container&) = default;
    Container& operator=(const Container&) = default;
    virtual ~Container() = default;

    uint16_t flags = 0;
    int lastDeductionIt = 0;
};

#endif
