#include "model/Conjunction.h"

Conjunction::Conjunction(ConceptList* operandList) : Concept(operandList)
{
    kind = CONJUNCTION;
}

Conjunction::Conjunction(Concept* a, Concept* b) : Concept(a, b)
{
    kind = CONJUNCTION;
}

// A conjunction on a left-hand side puts each of its conjuncts there too.
void Conjunction::setFWConceptFlag()
{
    flags |= ON_LHS;
    if (operands != nullptr)
        for (Concept* c : *operands)
            c->flags |= ON_LHS;
}

void Conjunction::printConcept(FILE* out) const
{
    std::fputs("(and", out);
    if (operands != nullptr) {
        for (const Concept* c : *operands) {
            std::fputc(' ', out);
            c->printConcept(out);
        }
    }
    std::fputc(')', out);
}

void Conjunction::printTextDescription(FILE* out) const
{
    std::fputc('(', out);
    if (operands != nullptr) {
        bool first = true;
        for (const Concept* c : *operands) {
            if (!first)
                std::fputs(" ^ ", out);
            first = false;
            c->printTextDescription(out);
        }
    }
    std::fputc(')', out);
}

// A new conjunction of the operands' forward names, in operand order.
Concept* Conjunction::forwardNormalization()
{
    ConceptList* names = new ConceptList();
    if (operands != nullptr) {
        for (Concept* c : *operands) {
            c->getFWNormalization();
            names->push_back(c->getFWName());
        }
    }
    return new Conjunction(names);
}

// A new conjunction of the operands' backward normal forms, in operand order.
Concept* Conjunction::backwardNormalization()
{
    ConceptList* forms = new ConceptList();
    if (operands != nullptr) {
        for (Concept* c : *operands)
            forms->push_back(c->getBWNormalization());
    }
    return new Conjunction(forms);
}
