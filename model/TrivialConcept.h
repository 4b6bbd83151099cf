#ifndef KORVANE_MODEL_TRIVIALCONCEPT_H
#define KORVANE_MODEL_TRIVIALCONCEPT_H

#include "model/Concept.h"

// The top and bottom concepts, one object each.
class TrivialConcept : public Concept {
public:
    explicit TrivialConcept(bool top);
    TrivialConcept(const TrivialConcept& other);

    static TrivialConcept* TOP;
    static TrivialConcept* BOTTOM;
    static TrivialConcept* getTOP();
    static TrivialConcept* getBOTTOM();

    void printConcept(FILE* out) const override;
    void printTextDescription(FILE* out) const override;
    int64_t compare(const Concept* other) const override;
    Concept* forwardNormalization() override { return this; }
    Concept* backwardNormalization() override { return this; }
    Concept* createCopy() override { return new TrivialConcept(*this); }

    bool top;
};

#endif
