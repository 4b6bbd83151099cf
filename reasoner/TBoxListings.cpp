// Side files and debugging listings that both builds write the same way.
#include "model/TrivialConcept.h"
#include "reasoner/NormalizationMapForm.h"
#include "reasoner/TBox.h"

void TBoxCore::printGCIAxiomLine(FILE* out, const Axiom* a)
{
    std::fputs("(implies ", out);
    a->lhs->printConcept(out);
    std::fputc(' ', out);
    a->rhs->printConcept(out);
    std::fputs(")\n", out);
}

namespace {

// Whether the transitive axiom reads back from "(transitive S)": only
// S ∘ S ⊑ S does; a longer chain of S keeps its role-inclusion line, which
// reads back as the same transitive axiom.
bool writtenAsTransitivity(const RoleAxiom* a)
{
    const Role* chain = a->lhs;
    return a->isTransitive() && chain->kind == COMPOSITION && chain->componentCount() == 2 &&
           chain->components->front() == a->rhs && chain->components->back() == a->rhs;
}

}

void TBoxCore::printRoleAxiomLine(FILE* out, const RoleAxiom* a, bool mapForm)
{
    auto print = [out, mapForm](const Role* r) {
        if (mapForm)
            NormalizationMapForm::printRole(out, r);
        else
            r->printRole(out);
    };
    std::fputc('(', out);
    if (writtenAsTransitivity(a)) {
        std::fputs("transitive ", out);
    } else {
        std::fputs("role-inclusion ", out);
        print(a->lhs);
        std::fputc(' ', out);
    }
    print(a->rhs);
    std::fputs(")\n", out);
}

// An axiom that a listing or a dump has written already is written again
// only in the numbered form.
void TBoxCore::saveGCIAxioms(FILE* out, bool numbered, WrittenAxioms& written)
{
    const bool withNumbers = TBox::numbersAxiomDump(numbered);
    for (Axiom* a : gcis) {
        if (written.markWritten(a) && !withNumbers)
            continue;
        if (withNumbers)
            std::fprintf(out, "%d %d ", a->index, a->originalNumber);
        printGCIAxiomLine(out, a);
    }
}

void TBoxCore::saveRIAxioms(FILE* out, bool numbered, WrittenAxioms& written)
{
    const bool withNumbers = TBox::numbersAxiomDump(numbered);
    for (RoleAxiom* a : roleAxioms) {
        if (written.markWritten(a) && !withNumbers)
            continue;
        if (withNumbers)
            std::fprintf(out, "%d %d ", a->index, a->index);
        // Unnumbered, the role axioms open the normalisation map.
        printRoleAxiomLine(out, a, !numbered);
    }
}

void TBoxCore::saveNormalConceptsWithCnfId(FILE* out, unsigned long bound)
{
    for (Concept* c : normalizedConcepts) {
        if (c->encodingId == 0 || c->encodingId <= bound)
            continue;
        NormalizationMapForm::printConcept(out, c);
        std::fprintf(out, " %lu\n", static_cast<unsigned long>(c->encodingId));
    }
}

void TBoxCore::saveNormalizationMap(FILE* out, unsigned long bound, WrittenAxioms& written)
{
    saveRIAxioms(out, false, written);
    saveUnencodedInclusions(out, written);
    saveNormalConceptsWithCnfId(out, bound);
}

bool TBoxCore::makesNoClause(const Concept* c, const Concept* d)
{
    return c == d || d == TrivialConcept::getTOP() || c == TrivialConcept::BOTTOM;
}

void TBoxCore::saveUnencodedInclusions(FILE* out, WrittenAxioms& written)
{
    for (Axiom* a : gcis) {
        if (!makesNoClause(a->lhs, a->rhs) || written.markMapped(a))
            continue;
        std::fputs("(implies ", out);
        NormalizationMapForm::printConcept(out, a->lhs);
        std::fputc(' ', out);
        NormalizationMapForm::printConcept(out, a->rhs);
        std::fputs(")\n", out);
    }
}

namespace {

const char* normalizationTag(axiom_t type)
{
    switch (type) {
    case ORIGINAL:
        return "OR ";
    case FW_NORMALIZED_AXIOM:
        return "FW ";
    case BW_NORMALIZED_AXIOM:
        return "BW ";
    case DEDUCED:
        return "DD ";
    default:
        return "-- ";
    }
}

const char* roleAxiomTag(role_axiom_t type)
{
    switch (static_cast<int>(type)) {
    case 1:
        return "-o ";
    case 2:
        return "-fw ";
    default:
        return " ";
    }
}

const char* debugTag(axiom_t type)
{
    switch (type) {
    case ORIGINAL:
        return "-o ";
    case FW_NORMALIZED_AXIOM:
        return "-fw ";
    case BW_NORMALIZED_AXIOM:
        return "-bw ";
    case DEDUCED:
        return "-d ";
    default:
        return " ";
    }
}

void printMarks(FILE* out, const Axiom* a)
{
    if (a->flags & Axiom::FROM_EQUIVALENCE)
        std::fputs("(e)", out);
    if (a->flags & Axiom::DEFINITION)
        std::fputs("(d)", out);
}

}

void TBoxCore::saveNormalization(FILE* out, WrittenAxioms& written)
{
    for (Axiom* a : gcis) {
        if (written.markWritten(a))
            continue;
        std::fputs(normalizationTag(a->type), out);
        if (a->flags & Axiom::FROM_EQUIVALENCE)
            std::fputs("EQ ", out);
        if (a->flags & Axiom::DEFINITION)
            std::fputs("DF ", out);
        printGCIAxiomLine(out, a);
    }
}

void TBoxCore::printInputAxioms()
{
    if (debug_f == nullptr)
        return;
    for (Axiom* a : inputAxioms) {
        a->lhs->printTextDescription(debug_f);
        std::fputs(" =>c ", debug_f);
        a->rhs->printTextDescription(debug_f);
        printMarks(debug_f, a);
        std::fputc('\n', debug_f);
    }
}

void TBoxCore::printNormalizedAxioms()
{
    if (debug_f == nullptr)
        return;
    for (Axiom* a : gcis) {
        a->lhs->printTextDescription(debug_f);
        std::fputs(" =>n", debug_f);
        std::fputs(debugTag(a->type), debug_f);
        a->rhs->printTextDescription(debug_f);
        printMarks(debug_f, a);
        std::fputc('\n', debug_f);
    }
}

void TBoxCore::printRIAxioms()
{
    if (debug_f == nullptr)
        return;
    for (RoleAxiom* a : roleAxioms) {
        a->lhs->printTextDescription(debug_f);
        std::fputs(" =>", debug_f);
        if (a->isTransitive())
            std::fputs("(t)", debug_f);
        std::fputc('r', debug_f);
        std::fputs(roleAxiomTag(a->type), debug_f);
        a->rhs->printTextDescription(debug_f);
        if (a->rhs->flags & Role::TRANSITIVE)
            std::fputs("(t)", debug_f);
        std::fputc('\n', debug_f);
    }
}

void TBoxCore::printDeductionStructures()
{
    if (debug_f == nullptr)
        return;
    for (Concept* c : normalizedConcepts) {
        c->printTextDescription(debug_f);
        std::fprintf(debug_f, " [%lu]:\n", static_cast<unsigned long>(c->id));
        c->forEachSubsumee([](const Concept* d) {
            std::fputs("   ", debug_f);
            d->printTextDescription(debug_f);
            std::fprintf(debug_f, " [%lu]\n", static_cast<unsigned long>(d->id));
        });
    }
}
