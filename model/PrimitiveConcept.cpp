#include "model/PrimitiveConcept.h"

#include <cstdlib>
#include <cstring>

PrimitiveConcept::PrimitiveConcept(const std::string& name) : name(name)
{
    kind = PRIMITIVE_CONCEPT;
    selfNormalized();
}

PrimitiveConcept::PrimitiveConcept(char* buffer) : name(buffer != nullptr ? buffer : "")
{
    std::free(buffer);
    kind = PRIMITIVE_CONCEPT;
    selfNormalized();
}

PrimitiveConcept::PrimitiveConcept()
{
    kind = FRESH_CONCEPT;
    selfNormalized();
}

PrimitiveConcept::PrimitiveConcept(unsigned long n, bool fresh) : name(std::to_string(n))
{
    kind = fresh ? FRESH_CONCEPT : PRIMITIVE_CONCEPT;
    selfNormalized();
}

PrimitiveConcept::PrimitiveConcept(const PrimitiveConcept& other) : Concept(other), name(other.name)
{
    forwardNormalForm = backwardNormalForm = forwardName = backwardName = this;
}

void PrimitiveConcept::printConcept(FILE* out) const
{
    if (isFresh())
        std::fprintf(out, "#%lu", static_cast<unsigned long>(id));
    else
        std::fputs(name.c_str(), out);
}

void PrimitiveConcept::printTextDescription(FILE* out) const
{
    if (isFresh())
        std::fprintf(out, "_%lu", static_cast<unsigned long>(id));
    else
        std::fputs(name.c_str(), out);
}

int64_t PrimitiveConcept::compare(const Concept* other) const
{
    const PrimitiveConcept* o = static_cast<const PrimitiveConcept*>(other);
    if (kind != o->kind)
        return static_cast<int32_t>(kind) - static_cast<int32_t>(o->kind);
    if (kind == FRESH_CONCEPT && name.empty() && o->name.empty())
        return static_cast<int64_t>(serial - o->serial);
    return std::strcmp(name.c_str(), o->name.c_str());
}
