#include "model/Role.h"

#include "model/Concept.h"
#include "model/ExpressionOrder.h"

uint64_t Role::id_counter = 0;
uint64_t Role::dag_id_counter = 0;

Role::Role() : serial(++id_counter), id(serial) {}

Role::Role(RoleList* componentList) : components(componentList), serial(++id_counter), id(serial) {}

Role::Role(Role* a, Role* b) : components(new RoleList()), serial(++id_counter), id(serial)
{
    components->push_back(a);
    components->push_back(b);
}

Role::Role(const Role& other) : Container(other), kind(other.kind), serial(++id_counter), id(other.id)
{
    flags = 0;
    if (other.components != nullptr)
        components = new RoleList(*other.components);
    if (other.parents != nullptr)
        parents = new RoleParentList(*other.parents);
}

Role::~Role()
{
    delete components;
    delete parents;
}

void Role::setFWRoleFlag()
{
    flags |= ON_LHS;
}

void Role::setBWRoleFlag()
{
    flags |= ON_RHS;
}

int64_t Role::compare(const Role*) const
{
    return 0;
}

void Role::propagateDeductionIt(int) {}

bool Role::operator<(const Role& other) const
{
    return expressionLess(*this, other, components, other.components);
}

void Role::addChild(Role* r)
{
    if (components == nullptr)
        components = new RoleList();
    components->push_front(r);
}

void Role::addParent(Role* parent, unsigned int position)
{
    if (parents == nullptr)
        parents = new RoleParentList();
    parents->emplace_back(parent, position);
}

Role* Role::sameChildrenRoles() const
{
    if (components == nullptr || components->empty())
        return nullptr;
    Role* first = components->front();
    for (Role* r : *components)
        if (r != first)
            return nullptr;
    return first;
}

void Role::destroy()
{
    if (components != nullptr) {
        for (Role* r : *components)
            delete r;
        components->clear();
    }
    delete this;
}

void Role::destroyNotShared()
{
    if (components != nullptr) {
        for (Role* r : *components)
            if ((r->flags & IN_DAG) == 0)
                delete r;
        components->clear();
    }
    delete this;
}

void Role::setLastDeductionIt(int it)
{
    lastDeductionIt = it;
    if (parents != nullptr) {
        for (auto& parent : *parents)
            if (parent.first->kind == COMPOSITION)
                parent.first->setLastDeductionIt(it);
    }
    propagateDeductionIt(it);
}
