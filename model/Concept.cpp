#include "model/Concept.h"

#include "model/DeductionNotes.h"
#include "model/ExpressionOrder.h"
#include "model/PrimitiveConcept.h"

uint64_t Concept::id_counter = 0;
uint64_t Concept::dag_id_counter = 0;
uint64_t Concept::normal_id_counter = 0;
uint64_t Concept::encoding_id_counter = 0;
bool Concept::EquivalenceNames = false;

Concept::Concept() : ConceptBuildState(this), serial(++id_counter), id(serial) {}

Concept::Concept(ConceptList* operandList)
    : ConceptBuildState(this), operands(operandList), serial(++id_counter), id(serial)
{
}

Concept::Concept(Concept* a, Concept* b) : ConceptBuildState(this), serial(++id_counter), id(serial)
{
    if (a != nullptr)
        addChild(a);
    if (b != nullptr)
        addChild(b);
}

Concept::Concept(const Concept& other)
    : Container(other),
      ConceptBuildState(this),
      kind(other.kind),
      serial(++id_counter),
      id(other.id),
      encodingId(other.encodingId),
      occurrences(other.occurrences)
{
    flags = 0;
    if (other.operands != nullptr)
        operands = new ConceptList(*other.operands);
    if (other.parents != nullptr)
        parents = new ConceptParentList(*other.parents);
}

Concept::~Concept()
{
    delete operands;
    delete parents;
}

void Concept::selfNormalized()
{
    flags |= FW_NORMALIZED | BW_NORMALIZED;
    forwardNormalForm = backwardNormalForm = forwardName = backwardName = this;
}

void Concept::setFWConceptFlag()
{
    flags |= ON_LHS;
}

void Concept::setBWConceptFlag()
{
    flags |= ON_RHS;
}

int64_t Concept::compare(const Concept*) const
{
    return 0;
}

void Concept::propagateDeductionIt(int) {}

bool Concept::operator<(const Concept& other) const
{
    return expressionLess(*this, other, operands, other.operands);
}

void Concept::setLastDeductionIt(int it, DeductionNotes* notes)
{
    if (notes != nullptr)
        notes->noteStamp(this, lastDeductionIt, it);
    lastDeductionIt = it;
    if (parents != nullptr) {
        for (auto& parent : *parents)
            if (parent.first->kind == CONJUNCTION)
                parent.first->setLastDeductionIt(it, notes);
    }
    propagateDeductionIt(it);
}

void Concept::addChild(Concept* c)
{
    if (operands == nullptr)
        operands = new ConceptList();
    operands->push_front(c);
}

void Concept::addParent(Concept* parent, unsigned int position)
{
    if (!ConceptBuildState::keepsParents)
        return;
    if (parents == nullptr)
        parents = new ConceptParentList();
    parents->emplace_back(parent, position);
}

ConceptList* Concept::join(Concept* other)
{
    if (operands == nullptr)
        operands = new ConceptList();
    if (other != nullptr) {
        if (other->kind == CONJUNCTION) {
            if (other->operands != nullptr)
                operands->splice(operands->end(), *other->operands);
            delete other;
        } else {
            operands->push_front(other);
        }
    }
    ConceptList* l = operands;
    operands = nullptr;
    delete this;
    return l;
}

ConceptList* Concept::join(ConceptList* l)
{
    if (operands != nullptr)
        l->splice(l->end(), *operands);
    delete this;
    return l;
}

Concept* Concept::getFWNormalization()
{
    if (!(flags & FW_NORMALIZED)) {
        Concept* n = forwardNormalization();
        flags |= FW_NORMALIZED;
        forwardNormalForm = n;
        n->flags |= FW_NORMALIZED;
        n->forwardNormalForm = n;
        n->forwardName = forwardName;
        return n;
    }
    return forwardNormalForm;
}

Concept* Concept::getBWNormalization()
{
    if (!(flags & BW_NORMALIZED)) {
        Concept* n = backwardNormalization();
        flags |= BW_NORMALIZED;
        backwardNormalForm = n;
        n->flags |= BW_NORMALIZED;
        n->backwardNormalForm = n;
        n->backwardName = backwardName;
        return n;
    }
    return backwardNormalForm;
}

Concept* Concept::getFWName()
{
    if (forwardName != nullptr)
        return forwardName;
    Concept* p = new PrimitiveConcept();
    if (EquivalenceNames && backwardName == nullptr)
        backwardName = p;
    if (forwardNormalForm != nullptr && forwardNormalForm->forwardName == nullptr)
        forwardNormalForm->forwardName = p;
    forwardName = p;
    return p;
}

Concept* Concept::getBWName()
{
    if (backwardName != nullptr)
        return backwardName;
    Concept* p = new PrimitiveConcept();
    if (EquivalenceNames && forwardName == nullptr)
        forwardName = p;
    if (backwardNormalForm != nullptr && backwardNormalForm->backwardName == nullptr)
        backwardNormalForm->backwardName = p;
    backwardName = p;
    return p;
}

void Concept::destroy()
{
    if (operands != nullptr) {
        for (Concept* c : *operands)
            delete c;
        operands->clear();
    }
    delete this;
}

void Concept::destroyNotShared(uint16_t mask)
{
    if (operands != nullptr) {
        for (Concept* c : *operands)
            if ((c->flags & mask) == 0)
                delete c;
        operands->clear();
    }
    delete this;
}

void Concept::clear_specific() {}

void Concept::handleNewSubsumed(Concept* c, DeductionNotes& notes)
{
    subsumeeAdded(*this, c, notes);
}
