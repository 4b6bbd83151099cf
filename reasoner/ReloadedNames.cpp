#include "reasoner/ReloadedNames.h"

void ReloadedNames::count(Concept* c, Concept* d)
{
    const bool cFresh = c->kind == FRESH_CONCEPT;
    const bool dFresh = d->kind == FRESH_CONCEPT;
    if (dFresh && !cFresh) {
        ++into[d];
        namedBy[d] = c;
    }
    if (cFresh && !dFresh)
        ++outOf[c];
}

bool ReloadedNames::namesForward(Concept* f) const
{
    return number(into, f) == 1;
}

bool ReloadedNames::namesBackward(Concept* f, Concept* d) const
{
    return number(outOf, f) == 1 && (!namesForward(f) || namedBy.at(f) == d);
}

unsigned ReloadedNames::number(const std::unordered_map<Concept*, unsigned>& counts, Concept* f)
{
    const auto found = counts.find(f);
    return found == counts.end() ? 0 : found->second;
}
