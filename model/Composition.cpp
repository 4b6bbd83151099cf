#include "model/Composition.h"

Composition::Composition(RoleList* componentList) : Role(componentList)
{
    kind = COMPOSITION;
}

Composition::Composition(Role* a, Role* b) : Role(a, b)
{
    kind = COMPOSITION;
}

void Composition::setFWRoleFlag()
{
    flags |= ON_LHS;
    if (components != nullptr)
        for (Role* r : *components)
            r->flags |= ON_LHS;
}

void Composition::printRole(FILE* out) const
{
    std::fputs("(compose", out);
    if (components != nullptr) {
        for (const Role* r : *components) {
            std::fputc(' ', out);
            r->printRole(out);
        }
    }
    std::fputc(')', out);
}

void Composition::printTextDescription(FILE* out) const
{
    std::fputc('(', out);
    if (components != nullptr) {
        bool first = true;
        for (const Role* r : *components) {
            if (!first)
                std::fputs(" \xB0 ", out);
            first = false;
            r->printTextDescription(out);
        }
    }
    std::fputc(')', out);
}
