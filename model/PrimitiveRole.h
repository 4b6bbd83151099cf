#ifndef KORVANE_MODEL_PRIMITIVEROLE_H
#define KORVANE_MODEL_PRIMITIVEROLE_H

#include <string>

#include "model/Role.h"

// A named role, or a fresh one with an empty name.
class PrimitiveRole : public Role {
public:
    explicit PrimitiveRole(const std::string& name);
    // Takes ownership of a malloc'd buffer and frees it after copying.
    explicit PrimitiveRole(char* name);
    PrimitiveRole();
    PrimitiveRole(const PrimitiveRole& other) : Role(other), name(other.name) {}

    void printRole(FILE* out) const override;
    void printTextDescription(FILE* out) const override;
    int64_t compare(const Role* other) const override;
    Role* createCopy() override { return new PrimitiveRole(*this); }

    bool isFresh() const { return kind == FRESH_ROLE; }

    std::string name;
};

#endif
