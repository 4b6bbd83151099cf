#include "reasoner/NormalizationMapForm.h"

#include "model/ExistentialRestr.h"
#include "model/PrimitiveConcept.h"
#include "model/PrimitiveRole.h"

namespace {

bool isLetterOrDigit(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

bool isNumber(const std::string& name)
{
    if (name.empty() || name[0] == '0')
        return false;
    for (char c : name)
        if (c < '0' || c > '9')
            return false;
    return true;
}

bool isWord(const std::string& name)
{
    static const char* const words[] = {"top", "bottom", "and", "some", "role-inclusion", "compose", "transitive"};
    for (const char* word : words)
        if (name == word)
            return true;
    return false;
}

// "(" + keyword, then " " + member for every member of the list, then ")".
template <typename List, typename Print>
void printList(FILE* out, const char* opening, const List* members, Print print)
{
    std::fputs(opening, out);
    if (members != nullptr) {
        for (const auto* member : *members) {
            std::fputc(' ', out);
            print(out, member);
        }
    }
    std::fputc(')', out);
}

}

bool NormalizationMapForm::needsBars(const std::string& name)
{
    return !name.empty() && (!isLetterOrDigit(name[0]) || isNumber(name) || isWord(name));
}

void NormalizationMapForm::printName(FILE* out, const std::string& name)
{
    if (needsBars(name)) {
        std::fputc('|', out);
        std::fputs(name.c_str(), out);
        std::fputc('|', out);
    } else {
        std::fputs(name.c_str(), out);
    }
}

void NormalizationMapForm::printConcept(FILE* out, const Concept* c)
{
    switch (c->kind) {
    case PRIMITIVE_CONCEPT:
        printName(out, static_cast<const PrimitiveConcept*>(c)->name);
        return;
    case CONJUNCTION:
        printList(out, "(and", c->operands, printConcept);
        return;
    case EXISTENTIAL_RESTR: {
        const ExistentialRestr* e = static_cast<const ExistentialRestr*>(c);
        std::fputs("(some ", out);
        if (e->role != nullptr)
            printRole(out, e->role);
        std::fputc(' ', out);
        if (const Concept* filler = e->getFiller())
            printConcept(out, filler);
        std::fputc(')', out);
        return;
    }
    default:
        c->printConcept(out);
    }
}

void NormalizationMapForm::printRole(FILE* out, const Role* r)
{
    switch (r->kind) {
    case PRIMITIVE_ROLE:
        printName(out, static_cast<const PrimitiveRole*>(r)->name);
        return;
    case COMPOSITION:
        printList(out, "(compose", r->components, printRole);
        return;
    default:
        r->printRole(out);
    }
}
