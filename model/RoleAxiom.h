#ifndef KORVANE_MODEL_ROLEAXIOM_H
#define KORVANE_MODEL_ROLEAXIOM_H

#include <cstdint>

#include "model/Container.h"
#include "model/ModelBuild.h"

class Role;

// The only kind of role axiom: an inclusion, possibly marked transitive.
enum role_axiom_t { NO_ROLE_AXIOM_TYPE = 0, ROLE_INCLUSION = 1 };

// A role inclusion lhs ⊑ rhs; lhs may be a chain, transitivity is a flag.
// What the build keeps on a role axiom comes from its base
// RoleAxiomBuildState (see ModelBuild.h).
class RoleAxiom : public Container, public RoleAxiomBuildState {
public:
    enum role_axiom_flags_t : uint16_t { IN_STORE = 0x1, NEW_AXIOM = 0x2, TRANSITIVE = 0x4 };

    RoleAxiom();
    RoleAxiom(const RoleAxiom& other);
    RoleAxiom(Role* lhs, Role* rhs, role_axiom_t type);
    RoleAxiom& operator=(const RoleAxiom&) = delete;
    ~RoleAxiom() override = default;

    virtual int64_t compare(const RoleAxiom* other) const;
    bool operator<(const RoleAxiom& other) const;
    bool isTransitive() const { return (flags & TRANSITIVE) != 0; }

    role_axiom_t type = NO_ROLE_AXIOM_TYPE;
    Role* lhs = nullptr;
    Role* rhs = nullptr;
    int index = -1;
};

// Strict order of the role-axiom set of the terminology store.
struct RoleAxiomComparator {
    bool operator()(const RoleAxiom* a, const RoleAxiom* b) const { return *a < *b; }
};

#endif
