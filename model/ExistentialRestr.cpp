#include "model/ExistentialRestr.h"

#include "model/Role.h"

ExistentialRestr::ExistentialRestr(Concept* filler, Role* role) : role(role)
{
    kind = EXISTENTIAL_RESTR;
    if (filler != nullptr)
        addChild(filler);
}

ExistentialRestr::ExistentialRestr(const ExistentialRestr& other) : Concept(other), role(other.role) {}

ExistentialRestr::~ExistentialRestr()
{
    clear_specific();
}

void ExistentialRestr::setFWConceptFlag()
{
    flags |= ON_LHS;
    Concept* filler = getFiller();
    if (filler != nullptr)
        filler->flags |= ON_LHS | FILLER_ON_LHS;
}

void ExistentialRestr::printConcept(FILE* out) const
{
    std::fputs("(some ", out);
    if (role != nullptr)
        role->printRole(out);
    std::fputc(' ', out);
    Concept* filler = getFiller();
    if (filler != nullptr)
        filler->printConcept(out);
    std::fputc(')', out);
}

void ExistentialRestr::printTextDescription(FILE* out) const
{
    std::fputc('#', out);
    if (role != nullptr)
        role->printTextDescription(out);
    std::fputs(".(", out);
    Concept* filler = getFiller();
    if (filler != nullptr)
        filler->printTextDescription(out);
    std::fputc(')', out);
}

int64_t ExistentialRestr::compare(const Concept* other) const
{
    const ExistentialRestr* o = static_cast<const ExistentialRestr*>(other);
    return static_cast<int64_t>(role->serial - o->role->serial);
}

// ∃r.C with C complex becomes ∃r.X, X the forward name of C.
Concept* ExistentialRestr::forwardNormalization()
{
    Concept* filler = getFiller();
    if (filler == nullptr || filler->isAtomic())
        return this;
    filler->getFWNormalization();
    return new ExistentialRestr(filler->getFWName(), role);
}

// ∃r.C with C complex becomes ∃r.Y, Y the backward name of C.
Concept* ExistentialRestr::backwardNormalization()
{
    Concept* filler = getFiller();
    if (filler == nullptr || filler->isAtomic())
        return this;
    filler->getBWNormalization();
    return new ExistentialRestr(filler->getBWName(), role);
}

void ExistentialRestr::propagateDeductionIt(int it)
{
    if (role == nullptr)
        return;
    role->setLastDeductionIt(it);
    ExistentialBuildState::stampPropagated(*this, it);
}

void ExistentialRestr::clear_specific()
{
    ExistentialBuildState::clearSpecific();
}

void ExistentialRestr::handleNewSubsumed(Concept* c, DeductionNotes& notes)
{
    ExistentialBuildState::subsumeeAdded(*this, c, notes);
}
