#ifndef KORVANE_MODEL_CONJUNCTION_H
#define KORVANE_MODEL_CONJUNCTION_H

#include "model/Concept.h"

// C1 ⊓ ... ⊓ Cn over its operand list.
class Conjunction : public Concept {
public:
    explicit Conjunction(ConceptList* operandList);
    Conjunction(Concept* a, Concept* b);
    Conjunction(const Conjunction& other) = default;

    void setFWConceptFlag() override;
    void printConcept(FILE* out) const override;
    void printTextDescription(FILE* out) const override;
    Concept* forwardNormalization() override;
    Concept* backwardNormalization() override;
    Concept* createCopy() override { return new Conjunction(*this); }
};

#endif
