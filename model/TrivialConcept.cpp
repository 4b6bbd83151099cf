#include "model/TrivialConcept.h"

TrivialConcept* TrivialConcept::TOP = nullptr;
TrivialConcept* TrivialConcept::BOTTOM = nullptr;

TrivialConcept::TrivialConcept(bool top) : top(top)
{
    kind = TRIVIAL_CONCEPT;
    selfNormalized();
}

TrivialConcept::TrivialConcept(const TrivialConcept& other) : Concept(other), top(other.top) {}

TrivialConcept* TrivialConcept::getTOP()
{
    if (TOP == nullptr)
        TOP = new TrivialConcept(true);
    return TOP;
}

TrivialConcept* TrivialConcept::getBOTTOM()
{
    if (BOTTOM == nullptr)
        BOTTOM = new TrivialConcept(false);
    return BOTTOM;
}

void TrivialConcept::printConcept(FILE* out) const
{
    std::fputs(top ? "*top*" : "*bottom*", out);
}

void TrivialConcept::printTextDescription(FILE* out) const
{
    std::fputs(top ? "*top*" : "*bot*", out);
}

int64_t TrivialConcept::compare(const Concept* other) const
{
    return static_cast<int64_t>(top) - static_cast<int64_t>(static_cast<const TrivialConcept*>(other)->top);
}
