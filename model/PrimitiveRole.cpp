#include "model/PrimitiveRole.h"

#include <cstdlib>
#include <cstring>

PrimitiveRole::PrimitiveRole(const std::string& name) : name(name)
{
    kind = PRIMITIVE_ROLE;
}

PrimitiveRole::PrimitiveRole(char* buffer) : name(buffer != nullptr ? buffer : "")
{
    std::free(buffer);
    kind = PRIMITIVE_ROLE;
}

PrimitiveRole::PrimitiveRole()
{
    kind = FRESH_ROLE;
}

void PrimitiveRole::printRole(FILE* out) const
{
    if (isFresh())
        std::fprintf(out, "#%lu", static_cast<unsigned long>(id));
    else
        std::fputs(name.c_str(), out);
}

void PrimitiveRole::printTextDescription(FILE* out) const
{
    if (isFresh())
        std::fprintf(out, "_%lu", static_cast<unsigned long>(id));
    else
        std::fputs(name.c_str(), out);
}

int64_t PrimitiveRole::compare(const Role* other) const
{
    const PrimitiveRole* o = static_cast<const PrimitiveRole*>(other);
    if (kind != o->kind)
        return static_cast<int32_t>(kind) - static_cast<int32_t>(o->kind);
    if (kind == FRESH_ROLE)
        return static_cast<int64_t>(serial - o->serial);
    return std::strcmp(name.c_str(), o->name.c_str());
}
