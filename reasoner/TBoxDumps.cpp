// The deduction dump and the listing of the deduced axioms of the
// completion-based classification (library build).
#include "model/TrivialConcept.h"
#include "reasoner/TBox.h"

namespace {

// A concept's number in the deduction dump: its variable once the terminology
// is encoded (given now when it has none), its id before.
unsigned long dumpNumber(Concept* c)
{
    return TBox::encoded ? TBox::encodingVariable(c) : static_cast<unsigned long>(c->id);
}

}

void LibraryTBox::saveDeduction(FILE* out)
{
    Concept* topConcept = TrivialConcept::getTOP();
    Concept* bottomConcept = TrivialConcept::getBOTTOM();
    if (conceptsById != nullptr) {
        for (Concept* c : *conceptsById) {
            if (c == nullptr)
                continue;
            std::fprintf(out, "%lu ", dumpNumber(c));
            c->printConcept(out);
            if (c != topConcept && c->deduction.subsumed != nullptr) {
                for (Concept* d : *c->deduction.subsumed)
                    if (d != c && d != bottomConcept)
                        std::fprintf(out, " %lu", dumpNumber(d));
            }
            std::fputc('\n', out);
        }
    }
    if (deducedAxioms != nullptr) {
        for (auto& pair : *deducedAxioms) {
            unsigned long super = dumpNumber(pair.second);
            unsigned long sub = dumpNumber(pair.first);
            std::fprintf(out, "%lu %lu\n", sub, super);
        }
    }
}

void LibraryTBox::printDeducedAxioms()
{
    if (debug_f == nullptr || deducedAxioms == nullptr)
        return;
    for (auto& pair : *deducedAxioms) {
        pair.first->printTextDescription(debug_f);
        std::fputs(" =>c ", debug_f);
        pair.second->printTextDescription(debug_f);
        std::fputc('\n', debug_f);
    }
}

