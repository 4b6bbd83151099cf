// t1 ∘ t2 ⊑ u with X ⊑ ∃t1.Y and Y ⊑ ∃t2.F gives X ⊑ ∃u.F. Tried when
// sub ⊑ ∃s.F is taken from the queue, as the second link (s = t2: every
// X ⊑ ∃t1.sub) and as the first link (s = t1: every F ⊑ ∃t2.G).
#include <algorithm>
#include <vector>

#include "model/Composition.h"
#include "reasoner/TBox.h"

// Index: the role axioms of each role. A role inclusion is indexed under its
// left role; a chain of two roles under each of them (a transitivity under
// its role alone); a longer chain r1 ∘ ... ∘ rn ⊑ u is applied as the steps
// r(n-1) ∘ rn ⊑ V(n-1), ..., r1 ∘ V2 ⊑ u over the chains Vi = ri ∘ ... ∘ rn,
// each step with the selector of the whole axiom.
void ClassifierTBox::indexRoleAxioms()
{
    for (RoleAxiom* ra : roleAxioms) {
        Role* l = ra->lhs;
        if (l->kind != COMPOSITION || l->componentCount() < 2) {
            Role* only = l->componentCount() == 1 ? l->components->front() : l;
            only->roleAxioms.push_back(ra);
            continue;
        }
        if (l->componentCount() == 2) {
            if (ra->isTransitive() && ra->lhs->components->front() == ra->rhs) {
                ra->rhs->roleAxioms.push_back(ra);
            } else {
                for (Role* r : *l->components)
                    r->roleAxioms.push_back(ra);
            }
            continue;
        }
        std::vector<Role*> chain(l->components->begin(), l->components->end());
        Role* tail = chain.back();
        for (std::size_t i = chain.size() - 1; i-- > 0;) {
            Role* target = ra->rhs;
            if (i > 0)
                target = insertRole(new Composition(new RoleList(chain.begin() + i, chain.end())));
            Role* pair = insertRole(new Composition(chain[i], tail));
            RoleAxiom* step = new RoleAxiom(pair, target, ROLE_INCLUSION);
            step->index = ra->index;
            step->selector = ra->selector;
            chainSteps.push_back(step);
            chain[i]->roleAxioms.push_back(step);
            if (tail != chain[i])
                tail->roleAxioms.push_back(step);
            tail = target;
        }
    }
}

void ClassifierTBox::applyChainRule(RoleAxiom* ra, const QueuedSubsumption& item, unsigned long processed)
{
    Concept* sub = item.sub;
    Concept* super = item.super;
    const ExistentialParts parts = partsOf(item.superId);
    Role* s = parts.role;
    Role* t1 = ra->lhs->components->front();
    Role* t2 = ra->lhs->components->back();
    Role* u = ra->rhs;
    if (t2 == s && sub->isAtomic()) {
        Concept* e = findRelated(t1, sub);
        Concept* target = nullptr;
        if (e != nullptr)
            target = s == u ? super : obtainExistential(u, parts);
        if (target != nullptr) {
            e->assertions.order();
            for (std::size_t i = 0, n = e->assertions.size(); i < n; ++i) {
                const AssertionEntry pair = e->assertions[i];
                if (pair.second > processed || !(pair.first->isAtomic() || initializeNonPrimitive))
                    continue;
                const unsigned long premises[2] = {item.variable, pair.second};
                conclude(pair.first, target, ra->selector, premises, 2);
            }
        }
    }
    if (t1 != s)
        return;
    // The existentials ∃t2.G of the related set that F is known under, in
    // the order of the related set (by the id of G), found through the
    // index of the existentials above F rather than by a walk of the set.
    std::vector<SubsumerLink>& links = scratchLinks;
    links.clear();
    if (parts.fillerId < existentialsAbove.size()) {
        for (const SubsumerLink& link : existentialsAbove[parts.fillerId]) {
            if (link.variable > processed)
                continue;
            const ExistentialParts& next = partsOf(link.id);
            if (next.role == t2 && findRelated(t2, next.fillerId) == link.concept)
                links.push_back(link);
        }
    }
    std::sort(links.begin(), links.end(), [this](const SubsumerLink& a, const SubsumerLink& b) {
        return partsOf(a.id).fillerId < partsOf(b.id).fillerId;
    });
    for (const SubsumerLink& link : links) {
        Concept* target = t2 == u ? link.concept : obtainExistential(u, partsOf(link.id));
        if (target == nullptr)
            continue;
        const unsigned long premises[2] = {item.variable, link.variable};
        conclude(sub, target, ra->selector, premises, 2);
    }
}
