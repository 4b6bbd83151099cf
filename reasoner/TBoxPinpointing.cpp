// The records of the pinpointing information written by the TBox (library build).
#include "reasoner/PinpointingRecords.h"
#include "reasoner/TBox.h"

namespace {

// The stream of the records, or null when none are to be written.
FILE* recordStream()
{
    return TBox::save_pinpointing_info ? TBox::pinpointing_f : nullptr;
}

// The filler of the existential E (its first operand).
Concept* fillerOf(Concept* e)
{
    return e->operands == nullptr || e->operands->empty() ? e : e->operands->front();
}

}

void LibraryTBox::savePinpointingInfoAxiom(Axiom* a)
{
    if (FILE* f = recordStream())
        PinpointingRecords::axiom(f, a);
}

void LibraryTBox::savePinpointingInfoImplication(Concept* A, Concept* B, const std::vector<Concept*>& Xs, int index,
                                          bool full)
{
    if (FILE* f = recordStream())
        for (Concept* X : Xs)
            PinpointingRecords::onePremise(f, X, B, index, X, A, full);
}

void LibraryTBox::savePinpointingInfoRoleInclusion(Concept* A, Concept* B, const std::vector<Concept*>& Xs, int index,
                                            bool full)
{
    savePinpointingInfoImplication(A, B, Xs, index, full);
}

void LibraryTBox::savePinpointingInfoBinaryExistential(Concept* A, Concept* B,
                                                const std::vector<std::pair<Concept*, Concept*>>& XEs, int index,
                                                bool full)
{
    if (FILE* f = recordStream())
        for (const auto& xe : XEs)
            PinpointingRecords::twoPremises(f, xe.first, B, index, xe.first, xe.second, fillerOf(xe.second), A, full);
}

void LibraryTBox::savePinpointingInfoManyBinaryExistential(
    Concept* B, const std::vector<std::pair<std::pair<Concept*, int>, std::pair<Concept*, Concept*>>>& elements,
    bool full)
{
    if (FILE* f = recordStream())
        for (const auto& element : elements) {
            Concept* X = element.first.first;
            Concept* E = element.second.first;
            PinpointingRecords::twoPremises(f, X, B, element.first.second, X, E, fillerOf(E), element.second.second,
                                            full);
        }
}

void LibraryTBox::savePinpointingInfoConjunction(Concept* C, Concept* B, const std::vector<Concept*>& Xs, int index,
                                          bool full)
{
    if (FILE* f = recordStream())
        for (Concept* X : Xs)
            PinpointingRecords::conjunction(f, X, B, index, C, full);
}

void LibraryTBox::savePinpointingInfoChain(Concept* X, Concept* B,
                                           const std::vector<std::pair<const Concept*, const Concept*>>& premises,
                                           int index, bool full)
{
    if (FILE* f = recordStream())
        PinpointingRecords::premisePairs(f, X, B, index, premises, full);
}
