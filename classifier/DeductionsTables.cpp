#include "classifier/DeductionsTables.h"

#include "model/Concept.h"
#include "model/RoleAxiom.h"
#include "reasoner/TBox.h"

void DeductionsTables::writeInclusion(FILE* out, unsigned long number, const Concept* left, const Concept* right)
{
    std::fprintf(out, "%lu (implies ", number);
    left->printConcept(out);
    std::fputc(' ', out);
    right->printConcept(out);
    std::fputs(" )\n", out);
}

void DeductionsTables::link(unsigned long from, unsigned long to) const
{
    if (links != nullptr)
        std::fprintf(links, "%lu %lu\n", from, to);
}

void DeductionsTables::roleAxiom(const RoleAxiom* a) const
{
    if (deductions == nullptr)
        return;
    FILE* out = roleAxioms != nullptr ? roleAxioms : deductions;
    std::fprintf(out, "%ld ", a->selector);
    TBox::printRoleAxiomLine(out, a);
}
