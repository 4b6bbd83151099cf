#include "model/RoleAxiom.h"

#include "model/ExpressionOrder.h"
#include "model/Role.h"

RoleAxiom::RoleAxiom() = default;

RoleAxiom::RoleAxiom(const RoleAxiom& other) = default;

RoleAxiom::RoleAxiom(Role* lhs, Role* rhs, role_axiom_t type) : type(type), lhs(lhs), rhs(rhs)
{
    lhs->setFWRoleFlag();
    rhs->setBWRoleFlag();
}

int64_t RoleAxiom::compare(const RoleAxiom* other) const
{
    return compareInclusions<Role>(lhs, rhs, other->lhs, other->rhs, Role::IN_DAG, false);
}

bool RoleAxiom::operator<(const RoleAxiom& other) const
{
    if (lhs->kind != other.lhs->kind)
        return static_cast<int>(lhs->kind) < static_cast<int>(other.lhs->kind);
    if (isTransitive() && !other.isTransitive())
        return true;
    if (!isTransitive() && other.isTransitive())
        return false;
    int64_t c = compare(&other);
    if (c != 0)
        return c < 0;
    return static_cast<int>(type) < static_cast<int>(other.type);
}
