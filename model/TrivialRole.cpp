#include "model/TrivialRole.h"

TrivialRole* TrivialRole::FULL = nullptr;
TrivialRole* TrivialRole::EMPTY = nullptr;

TrivialRole::TrivialRole(bool full) : full(full)
{
    kind = TRIVIAL_ROLE;
}

void TrivialRole::printRole(FILE* out) const
{
    std::fputs(full ? "*full*" : "*empty*", out);
}

void TrivialRole::printTextDescription(FILE* out) const
{
    printRole(out);
}

int64_t TrivialRole::compare(const Role* other) const
{
    return static_cast<int64_t>(full) - static_cast<int64_t>(static_cast<const TrivialRole*>(other)->full);
}
