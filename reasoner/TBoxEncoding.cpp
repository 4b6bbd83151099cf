// Encoding of the normalised terminology as Horn clauses (library build).
#include <algorithm>

#include "model/PrefetchedWalk.h"
#include "model/TrivialConcept.h"
#include "reasoner/TBox.h"

namespace {

// What encodeAxiom reads of a side: its kind and variable, and the operands
// of a conjunction.
void askForSide(const Concept* c)
{
    PrefetchedWalk::prefetch(&c->kind);
    PrefetchedWalk::prefetch(&c->encodingId);
}

void followSide(const Concept* c)
{
    if (c->kind == CONJUNCTION)
        PrefetchedWalk::prefetch(c->operands);
}

} // namespace

int LibraryTBox::encodeTrivialConcepts()
{
    KindList kinds{TRIVIAL_CONCEPT};
    LiteralList bottomUnit{-static_cast<long>(encodingVariable(TrivialConcept::getBOTTOM()))};
    CNF_SAT_Encoder->addClause(&bottomUnit, &kinds, 0);
    LiteralList topUnit{static_cast<long>(encodingVariable(TrivialConcept::getTOP()))};
    CNF_SAT_Encoder->addClause(&topUnit, &kinds, 0);
    return 2;
}

int LibraryTBox::encodeAxiom(Concept* c, Concept* d)
{
    if (makesNoClause(c, d))
        return 0;
    LiteralList literals;
    KindList kinds;
    if (c->kind == CONJUNCTION) {
        if (c->operands != nullptr) {
            for (Concept* o : *c->operands) {
                if (o->kind == TRIVIAL_CONCEPT)
                    continue;
                literals.push_back(-static_cast<long>(encodingVariable(o)));
                kinds.push_back(o->kind);
            }
        }
    } else {
        literals.push_back(-static_cast<long>(encodingVariable(c)));
        kinds.push_back(c->kind);
    }
    literals.push_back(static_cast<long>(encodingVariable(d)));
    kinds.push_back(d->kind);
    CNF_SAT_Encoder->addClause(&literals, &kinds, 0);
    return 1;
}

void LibraryTBox::encodeIntoSat(bool solve, unsigned long* variables, unsigned long* clauseCount)
{
    unsigned long axiomClauses = 0;
    unsigned long deducedClauses = 0;
    if (!encoded) {
        int n = encodeTrivialConcepts();
        clauses_counter += n;
        axiomClauses += n;
    }
    // The first pass encodes every GCI, a later one those stored since, in
    // the order of the GCI set either way.
    auto encodeGci = [&](Axiom* a) {
        a->flags &= static_cast<uint16_t>(~Axiom::NOT_ENCODED);
        int n = encodeAxiom(a->lhs, a->rhs);
        clauses_counter += n;
        axiomClauses += n;
    };
    if (!encoded) {
        PrefetchedWalk::each(
            gcis, [](const Axiom* a) { PrefetchedWalk::prefetch(&a->lhs); },
            [](const Axiom* a) {
                askForSide(a->lhs);
                askForSide(a->rhs);
            },
            encodeGci);
    } else {
        std::sort(unencodedGcis.begin(), unencodedGcis.end(), AxiomComparator());
        for (Axiom* a : unencodedGcis)
            if (a->flags & Axiom::NOT_ENCODED)
                encodeGci(a);
    }
    unencodedGcis.clear();
    for (DeducedList* deduced : {pendingDeducedAxioms, deducedAxioms}) {
        if (deduced == nullptr)
            continue;
        PrefetchedWalk::each(
            *deduced,
            [](const std::pair<Concept*, Concept*>& pair) {
                askForSide(pair.first);
                askForSide(pair.second);
            },
            [](const std::pair<Concept*, Concept*>& pair) { followSide(pair.first); },
            [&](const std::pair<Concept*, Concept*>& pair) {
                int n = encodeAxiom(pair.first, pair.second);
                clauses_counter += n;
                deducedClauses += n;
            });
    }
    delete pendingDeducedAxioms;
    pendingDeducedAxioms = nullptr;
    if (!encoded || axiomClauses != 0 || deducedClauses != 0) {
        *clauseCount = clauses_counter;
        *variables = Concept::encoding_id_counter;
        CNF_SAT_Encoder->endEncoding(solve, *variables, *clauseCount, axiomClauses, deducedClauses);
    }
    encoded = true;
}

bool LibraryTBox::fullEncodingIntoSat(bool solve, unsigned long* variables, unsigned long* clauseCount)
{
    if (!encoded)
        clauses_counter += encodeTrivialConcepts();
    Concept* topConcept = TrivialConcept::getTOP();
    Concept* bottomConcept = TrivialConcept::getBOTTOM();
    for (Concept* c : normalizedConcepts) {
        if (c == topConcept || c->deduction.subsumed == nullptr)
            continue;
        for (Concept* d : *c->deduction.subsumed) {
            if (d == c || d == bottomConcept)
                continue;
            clauses_counter += encodeAxiom(d, c);
        }
    }
    *clauseCount = clauses_counter;
    *variables = Concept::encoding_id_counter;
    bool result = CNF_SAT_Encoder->endEncoding(solve, *variables, *clauseCount, 0, 0);
    encoded = true;
    return result;
}
