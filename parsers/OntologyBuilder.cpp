#include "parsers/OntologyBuilder.h"

#include "model/Axiom.h"
#include "model/Composition.h"
#include "model/Conjunction.h"
#include "model/ExistentialRestr.h"
#include "model/RoleAxiom.h"
#include "model/TrivialConcept.h"
#include "reasoner/TBox.h"

bool OntologyBuilder::isTop(const Concept* c)
{
    return c->kind == TRIVIAL_CONCEPT && static_cast<const TrivialConcept*>(c)->top;
}

bool OntologyBuilder::isBottom(const Concept* c)
{
    return c->kind == TRIVIAL_CONCEPT && !static_cast<const TrivialConcept*>(c)->top;
}

Concept* OntologyBuilder::shared(Concept* c)
{
    if (c->kind == CONJUNCTION)
        return TBox::getInstance()->insertConcept(c, true);
    return c;
}

void OntologyBuilder::drop(Concept* c)
{
    // Only a conjunction can still be unshared; its operands are all shared.
    if (c->kind == CONJUNCTION && !(c->flags & Concept::IN_DAG))
        delete c;
}

void OntologyBuilder::inclusion(Concept* lhs, Concept* rhs)
{
    lhs = shared(lhs);
    rhs = shared(rhs);
    Axiom* a = TBox::getInstance()->insertGCIAxiom(lhs, rhs, false);
    if (a->originalNumber == 0)
        a->originalNumber = ++Axiom::original_ax_counter;
}

void OntologyBuilder::equivalence(Concept* lhs, Concept* rhs)
{
    lhs = shared(lhs);
    rhs = shared(rhs);
    TBox* tbox = TBox::getInstance();
    Axiom* forward = tbox->insertGCIAxiom(lhs, rhs, true);
    if (forward->originalNumber == 0)
        forward->originalNumber = ++Axiom::original_ax_counter;
    Axiom* backward = tbox->insertGCIAxiom(rhs, lhs, true);
    if (backward->originalNumber == 0)
        backward->originalNumber = forward->originalNumber;
}

void OntologyBuilder::roleInclusion(Role* r, Role* s)
{
    if (r == s)
        return;
    bool transitive = r->kind == COMPOSITION && r->sameChildrenRoles() == s;
    TBox::getInstance()->insertRIAxiom(r, s, transitive);
}

void OntologyBuilder::transitivity(Role* s)
{
    TBox* tbox = TBox::getInstance();
    Role* chain = tbox->insertRole(new Composition(s, s));
    tbox->insertRIAxiom(chain, s, true);
}

Role* OntologyBuilder::composition(RoleList* roles)
{
    return TBox::getInstance()->insertRole(new Composition(roles));
}

Concept* OntologyBuilder::existential(Role* role, Concept* filler)
{
    filler = shared(filler);
    return TBox::getInstance()->insertConcept(new ExistentialRestr(filler, role), true);
}

Concept* OntologyBuilder::conjunction(ConceptList* operands)
{
    if (operands->size() >= 2)
        return new Conjunction(operands);
    Concept* only = operands->empty() ? TrivialConcept::getTOP() : operands->front();
    delete operands;
    return only;
}

ConceptList* OntologyBuilder::pairList(Concept* a, Concept* b)
{
    ConceptList* l;
    if (isBottom(a) || isBottom(b)) {
        drop(a);
        drop(b);
        l = new ConceptList();
        l->push_back(TrivialConcept::getBOTTOM());
    } else if (a->kind != CONJUNCTION && b->kind != CONJUNCTION) {
        l = new ConceptList();
        if (!isTop(a))
            l->push_back(a);
        if (!isTop(b))
            l->push_back(b);
    } else if (a->kind != CONJUNCTION) {
        l = b->join(isTop(a) ? nullptr : a);
    } else {
        l = a->join(isTop(b) ? nullptr : b);
    }
    if (l->empty())
        l->push_back(TrivialConcept::getTOP());
    return l;
}

ConceptList* OntologyBuilder::prependToList(Concept* a, ConceptList* l)
{
    if (l->size() == 1 && isTop(l->front()))
        l->clear();
    if (l->size() == 1 && isBottom(l->front())) {
        drop(a);
    } else if (a->kind == CONJUNCTION) {
        l = a->join(l);
    } else if (isBottom(a)) {
        l->clear();
        l->push_back(a);
    } else if (!isTop(a)) {
        l->push_front(a);
    }
    if (l->empty())
        l->push_back(TrivialConcept::getTOP());
    return l;
}
