#ifndef KORVANE_MODEL_EXISTENTIALRESTR_H
#define KORVANE_MODEL_EXISTENTIALRESTR_H

#include "model/Concept.h"
#ifndef KORVANE_CLASSIFIER_MODEL
#include "model/ChainedConclusions.h"
#endif

class Role;

// ∃r.F: the filler F is the single operand.
class ExistentialRestr : public Concept {
public:
    ExistentialRestr(Concept* filler, Role* role);
    ExistentialRestr(const ExistentialRestr& other);
    ~ExistentialRestr() override;

    void setFWConceptFlag() override;
    void printConcept(FILE* out) const override;
    void printTextDescription(FILE* out) const override;
#ifdef KORVANE_CLASSIFIER_MODEL
    unsigned long getRelatedId() const override;
#else
    void clear_specific() override;
    void handleNewSubsumed(Concept* c) override;
#endif
    int64_t compare(const Concept* other) const override;
    Concept* forwardNormalization() override;
    Concept* backwardNormalization() override;
    void propagateDeductionIt(int it) override;
    Concept* createCopy() override { return new ExistentialRestr(*this); }

    Concept* getFiller() const { return operandCount() == 0 ? nullptr : operands->front(); }

    Role* role;
#ifndef KORVANE_CLASSIFIER_MODEL
    ChainedConclusions chaining;
#endif
};

#endif
