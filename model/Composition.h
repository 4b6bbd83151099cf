#ifndef KORVANE_MODEL_COMPOSITION_H
#define KORVANE_MODEL_COMPOSITION_H

#include "model/Role.h"

// A role chain r1 ∘ r2 ∘ ... over its ordered component list.
class Composition : public Role {
public:
    explicit Composition(RoleList* componentList);
    Composition(Role* a, Role* b);
    Composition(const Composition& other) = default;

    void setFWRoleFlag() override;
    void printRole(FILE* out) const override;
    void printTextDescription(FILE* out) const override;
    Role* createCopy() override { return new Composition(*this); }
};

#endif
