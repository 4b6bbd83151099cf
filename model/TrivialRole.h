#ifndef KORVANE_MODEL_TRIVIALROLE_H
#define KORVANE_MODEL_TRIVIALROLE_H

#include "model/Role.h"

// The universal and the empty role, one object each.
class TrivialRole : public Role {
public:
    explicit TrivialRole(bool full);
    TrivialRole(const TrivialRole& other) : Role(other), full(other.full) {}

    static TrivialRole* FULL;
    static TrivialRole* EMPTY;

    void printRole(FILE* out) const override;
    void printTextDescription(FILE* out) const override;
    int64_t compare(const Role* other) const override;
    Role* createCopy() override { return new TrivialRole(*this); }

    bool full;
};

#endif
