#ifndef KORVANE_MODEL_ROLE_H
#define KORVANE_MODEL_ROLE_H

#include <cstdint>
#include <cstdio>
#include <list>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "model/Container.h"
#include "model/ModelBuild.h"
#include "model/pool_allocator.h"

class Concept;
class Axiom;
class RoleAxiom;
class Role;

// Kinds of roles.
enum role_t { ROLE = 0, TRIVIAL_ROLE = 1, PRIMITIVE_ROLE = 2, FRESH_ROLE = 3, COMPOSITION = 4 };

using RoleList = std::list<Role*, pool_allocator<Role*>>;
using RoleParentList = std::vector<std::pair<Role*, unsigned int>>;

// An EL+ role: the universal or empty role, a named or fresh role, or a chain.
// What the build's classification keeps on a role comes from its base
// RoleBuildState (see ModelBuild.h).
class Role : public Container, public RoleBuildState {
public:
    enum role_flags_t : uint16_t {
        IN_DAG = 0x1,
        TRANSITIVE = 0x4,
        ON_LHS = 0x8,
        ON_RHS = 0x10,
        EXISTENTIAL_ON_LHS = 0x20
    };

    Role();
    explicit Role(RoleList* componentList);
    Role(Role* a, Role* b);
    Role(const Role& other);
    Role& operator=(const Role&) = delete;
    ~Role() override;

    virtual void setFWRoleFlag();
    virtual void setBWRoleFlag();
    virtual void printRole(FILE* out) const = 0;
    virtual void printTextDescription(FILE* out) const = 0;
    virtual int64_t compare(const Role* other) const;
    virtual void propagateDeductionIt(int it);
    virtual Role* createCopy() = 0;

    bool operator<(const Role& other) const;
    std::size_t componentCount() const { return components == nullptr ? 0 : components->size(); }

    void addChild(Role* r);
    void addParent(Role* parent, unsigned int position);
    Role* sameChildrenRoles() const;
    void destroy();
    void destroyNotShared();

    // Stamps this role and, transitively, the chains that contain it.
    void setLastDeductionIt(int it);

    static uint64_t id_counter;
    static uint64_t dag_id_counter;

    role_t kind = ROLE;
    RoleList* components = nullptr;
    RoleParentList* parents = nullptr;

    uint64_t serial;
    uint64_t id;
};

// Strict order of the role set of the terminology store.
struct RoleComparator {
    bool operator()(const Role* a, const Role* b) const { return *a < *b; }
};

#endif
