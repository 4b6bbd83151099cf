#include "reasoner/PinpointingRecords.h"

#include "model/Axiom.h"
#include "model/Concept.h"

namespace {

long idOf(const Concept* c)
{
    return static_cast<long>(c->id);
}

}

void PinpointingRecords::axiom(FILE* f, const Axiom* a)
{
    std::fprintf(f, "%ld %ld %d %d A\n", idOf(a->lhs), idOf(a->rhs), a->index, a->originalNumber);
}

void PinpointingRecords::onePremise(FILE* f, const Concept* sub, const Concept* super, int index, const Concept* p,
                                    const Concept* q, bool saved)
{
    std::fprintf(f, "%ld %ld %d %ld %ld %c\n", idOf(sub), idOf(super), index, idOf(p), idOf(q), letter(saved));
}

void PinpointingRecords::twoPremises(FILE* f, const Concept* sub, const Concept* super, int index,
                                     const Concept* p1, const Concept* q1, const Concept* p2, const Concept* q2,
                                     bool saved)
{
    std::fprintf(f, "%ld %ld %d %ld %ld %ld %ld %c\n", idOf(sub), idOf(super), index, idOf(p1), idOf(q1), idOf(p2),
                 idOf(q2), letter(saved));
}

void PinpointingRecords::conjunction(FILE* f, const Concept* sub, const Concept* super, int index, const Concept* c,
                                     bool saved)
{
    std::fprintf(f, "%ld %ld %d ", idOf(sub), idOf(super), index);
    if (c->operands != nullptr)
        for (const Concept* operand : *c->operands)
            std::fprintf(f, "%ld %ld ", idOf(sub), idOf(operand));
    std::fprintf(f, "%c\n", letter(saved));
}

void PinpointingRecords::premisePairs(FILE* f, const Concept* sub, const Concept* super, int index,
                                      const std::vector<std::pair<const Concept*, const Concept*>>& premises,
                                      bool saved)
{
    std::fprintf(f, "%ld %ld %d ", idOf(sub), idOf(super), index);
    for (const auto& premise : premises)
        std::fprintf(f, "%ld %ld ", idOf(premise.first), idOf(premise.second));
    std::fprintf(f, "%c\n", letter(saved));
}
