#ifndef KORVANE_MODEL_PRIMITIVECONCEPT_H
#define KORVANE_MODEL_PRIMITIVECONCEPT_H

#include <string>

#include "model/Concept.h"

// An atomic concept: named by the input, or fresh (made by normalisation).
class PrimitiveConcept : public Concept {
public:
    explicit PrimitiveConcept(const std::string& name);
    // Takes ownership of a malloc'd buffer and frees it after copying.
    explicit PrimitiveConcept(char* name);
    PrimitiveConcept();
    PrimitiveConcept(unsigned long n, bool fresh);
    PrimitiveConcept(const PrimitiveConcept& other);

    void printConcept(FILE* out) const override;
    void printTextDescription(FILE* out) const override;
    int64_t compare(const Concept* other) const override;
    Concept* forwardNormalization() override { return this; }
    Concept* backwardNormalization() override { return this; }
    Concept* createCopy() override { return new PrimitiveConcept(*this); }

    bool isFresh() const { return kind == FRESH_CONCEPT; }

    std::string name;
};

#endif
