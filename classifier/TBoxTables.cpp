// The classifier's text files beside the encoding: the axiom dump, the
// deductions tables, the assumption list; and the mapping of pinpointed
// selectors back to axiom numbers.
#include "reasoner/TBox.h"

void TBox::saveGCIAxioms(FILE* out, bool numbered)
{
    for (Axiom* a : gcis) {
        if (!numbered && (a->flags & Axiom::WRITTEN))
            continue;
        a->flags |= Axiom::WRITTEN;
        if (numbered)
            std::fprintf(out, "%d %d ", a->index, a->type == ORIGINAL ? a->originalNumber : 0);
        printGCIAxiomLine(out, a);
    }
}

void TBox::saveRIAxioms(FILE* out, bool numbered)
{
    for (RoleAxiom* a : roleAxioms) {
        if (!numbered && (a->flags & RoleAxiom::WRITTEN))
            continue;
        a->flags |= RoleAxiom::WRITTEN;
        if (numbered)
            std::fprintf(out, "%d %d ", a->index, a->index);
        // Unnumbered, the role axioms open the normalisation map.
        printRoleAxiomLine(out, a, !numbered);
    }
}

void TBox::saveAssumptions(FILE* out)
{
    for (long selector : assumptions)
        std::fprintf(out, "%ld\n", selector);
}

void TBox::printDeductionInTable(FILE* out, unsigned long id, Concept* left, Concept* right)
{
    std::fprintf(out, "%lu (implies ", id);
    left->printConcept(out);
    std::fputc(' ', out);
    right->printConcept(out);
    std::fputs(" )\n", out);
}

void TBox::printDeductionInTable(FILE* out, unsigned long first, unsigned long second)
{
    std::fprintf(out, "%lu %lu\n", first, second);
}

void TBox::printRIAxiomsInDeductionTable(FILE* out)
{
    for (RoleAxiom* a : roleAxioms) {
        std::fprintf(out, "%ld ", a->selector);
        printRoleAxiomLine(out, a);
    }
}

LiteralList* TBox::convertAssumptionsInAxiomsIds(LiteralList* ids)
{
    auto* roleIds = new LiteralList();
    for (auto it = ids->begin(); it != ids->end();) {
        long x = *it;
        if (static_cast<unsigned long>(x) > last_gci_axiom_id) {
            if (use_original_axioms_ids)
                x = x - static_cast<long>(last_gci_axiom_id) + static_cast<long>(last_gci_pinpointing_id);
            roleIds->push_back(x);
            it = ids->erase(it);
        } else {
            if (use_original_axioms_ids)
                *it -= 1;
            ++it;
        }
    }
    return roleIds;
}

void TBox::printDeductionStructures()
{
    if (debug_f == nullptr)
        return;
    for (Concept* c : normalizedConcepts) {
        c->printTextDescription(debug_f);
        std::fprintf(debug_f, " [%lu]:\n", static_cast<unsigned long>(c->id));
        for (auto& pair : c->assertions) {
            std::fputs("   ", debug_f);
            pair.first->printTextDescription(debug_f);
            std::fprintf(debug_f, " [%lu]\n", static_cast<unsigned long>(pair.first->id));
        }
    }
}

unsigned long TBox::getSubsumptionsNumber()
{
    unsigned long total = 0;
    for (Concept* c : normalizedConcepts)
        total += c->assertions.size();
    return total;
}
