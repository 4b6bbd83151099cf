#ifndef KORVANE_MODEL_EXISTENTIALRESTR_H
#define KORVANE_MODEL_EXISTENTIALRESTR_H

#include "model/Concept.h"

class Role;

// ∃r.F: the filler F is the single operand. What the build's classification
// keeps on an existential beside its concept state comes from its base
// ExistentialBuildState (see ModelBuild.h).
class ExistentialRestr : public Concept, public ExistentialBuildState {
public:
    ExistentialRestr(Concept* filler, Role* role);
    ExistentialRestr(const ExistentialRestr& other);
    ~ExistentialRestr() override;

    void setFWConceptFlag() override;
    void printConcept(FILE* out) const override;
    void printTextDescription(FILE* out) const override;
    void clear_specific() override;
    void handleNewSubsumed(Concept* c, DeductionNotes& notes) override;
    int64_t compare(const Concept* other) const override;
    Concept* forwardNormalization() override;
    Concept* backwardNormalization() override;
    void propagateDeductionIt(int it) override;
    Concept* createCopy() override { return new ExistentialRestr(*this); }

    Concept* getFiller() const { return operandCount() == 0 ? nullptr : operands->front(); }

    Role* role;
};

#endif
