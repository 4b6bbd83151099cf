#include "model/Axiom.h"

#include "model/Concept.h"
#include "model/ExpressionOrder.h"

int Axiom::original_ax_counter = 0;

Axiom::Axiom() = default;

Axiom::Axiom(const Axiom& other) = default;

Axiom::Axiom(Concept* lhs, Concept* rhs, axiom_t type) : type(type), lhs(lhs), rhs(rhs)
{
    lhs->setFWConceptFlag();
    rhs->setBWConceptFlag();
}

// With unshared sides the greater right-hand side comes first.
int64_t Axiom::compare(const Axiom* other) const
{
    return compareInclusions<Concept>(lhs, rhs, other->lhs, other->rhs, Concept::IN_DAG, true);
}

namespace {

// Whether the GCI set orders c as a right-hand side that also occurs on some
// left-hand side: as it was when the first GCI with c on its right-hand side
// was stored. A later GCI may put c on a left-hand side; were the order to
// follow that, stored GCIs would move among those around them and lookups
// would miss them.
bool orderedOnLhs(const Concept* c)
{
    return (c->flags & Concept::ON_LHS) && !(c->flags & Concept::ORDERED_OFF_LHS);
}

}

bool Axiom::operator<(const Axiom& other) const
{
    if (lhs->kind != other.lhs->kind)
        return static_cast<int>(lhs->kind) < static_cast<int>(other.lhs->kind);
    if (rhs->kind != other.rhs->kind)
        return static_cast<int>(rhs->kind) < static_cast<int>(other.rhs->kind);
    if (type == ORIGINAL && other.type != ORIGINAL && orderedOnLhs(rhs))
        return true;
    if (other.type == ORIGINAL && type != ORIGINAL && orderedOnLhs(other.rhs))
        return false;
    int64_t c = compare(&other);
    if (c != 0)
        return c < 0;
    return static_cast<int>(type) < static_cast<int>(other.type);
}
