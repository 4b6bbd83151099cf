#include "reasoner/ReloadedNames.h"

#include <algorithm>
#include <unordered_map>
#include <string>
#include <utility>
#include <vector>

#include "model/Conjunction.h"
#include "model/ExistentialRestr.h"
#include "model/PrimitiveConcept.h"
#include "reasoner/TBox.h"

namespace {

// The number that the writing run printed for a fresh concept of the map:
// the order in which that run made its fresh concepts.
unsigned long freshNumber(const Concept* c)
{
    const std::string& name = static_cast<const PrimitiveConcept*>(c)->name;
    return name.empty() ? c->serial : std::stoul(name);
}

bool madeEarlier(const Concept* a, const Concept* b)
{
    return freshNumber(a) < freshNumber(b);
}

// The first of two candidate names (null when there is none).
Concept* earlier(Concept* a, Concept* b)
{
    if (a == nullptr)
        return b;
    if (b == nullptr)
        return a;
    return madeEarlier(b, a) ? b : a;
}

// An existential over a name, top or bottom: the ontology's own concept is
// its normal form, so the names that normalisation gave it stay on it.
bool ownNormalForm(const Concept* c)
{
    return c->kind == EXISTENTIAL_RESTR && static_cast<const ExistentialRestr*>(c)->getFiller()->kind != FRESH_CONCEPT;
}

struct Names {
    Concept* forward = nullptr;
    Concept* backward = nullptr;
};

// Gives c its names, and the naming marks of those that `defined` holds.
void name(Concept* c, Concept* forward, Concept* backward, const Names& defined)
{
    if (c->forwardName == nullptr)
        c->forwardName = forward;
    if (c->backwardName == nullptr)
        c->backwardName = backward;
    if (c->forwardName != nullptr && c->forwardName == defined.forward)
        c->flags |= Concept::FW_NAMING_AXIOM;
    if (c->backwardName != nullptr && c->backwardName == defined.backward)
        c->flags |= Concept::BW_NAMING_AXIOM;
}

// Whether c is the conjunction of the operands, in any order.
bool conjunctionOver(const Concept* c, std::vector<Concept*> operands)
{
    if (c->kind != CONJUNCTION || c->operands->size() != operands.size())
        return false;
    std::vector<Concept*> own(c->operands->begin(), c->operands->end());
    std::sort(own.begin(), own.end());
    std::sort(operands.begin(), operands.end());
    return own == operands;
}

}

void ReloadedNames::restore(TBoxCore* tbox)
{
    // The GCIs of each fresh concept on the left, their right sides; and
    // the complex concepts that each fresh concept names forward. A fresh
    // concept that names one forward is no backward name of another: it is
    // the cut of a GCI between two complex sides, which stands for the left
    // side only.
    std::unordered_map<Concept*, std::vector<Concept*>> targets;
    std::unordered_map<Concept*, Names> defined;
    std::unordered_map<Concept*, Concept*> forwardOf;
    for (const Axiom* a : tbox->gcis) {
        if (a->lhs->kind == FRESH_CONCEPT)
            targets[a->lhs].push_back(a->rhs);
        if (a->rhs->kind == FRESH_CONCEPT && a->lhs->isComplex()) {
            defined[a->lhs].forward = earlier(defined[a->lhs].forward, a->rhs);
            forwardOf.emplace(a->rhs, a->lhs);
        }
    }
    for (const auto& entry : targets) {
        const auto forward = forwardOf.find(entry.first);
        if (entry.second.size() == 1 && entry.second.front()->isComplex() &&
            (forward == forwardOf.end() || forward->second == entry.second.front())) {
            Names& names = defined[entry.second.front()];
            names.backward = earlier(names.backward, entry.first);
        }
    }

    std::unordered_map<Concept*, Concept*> standsFor;  // backward name -> its concept
    for (const auto& entry : defined) {
        Concept* c = entry.first;
        Names names = entry.second;
        if (Concept::EquivalenceNames && ownNormalForm(c)) {
            if (names.backward == nullptr && !(c->flags & Concept::BW_NORMALIZED))
                names.backward = names.forward;
            if (names.forward == nullptr && !(c->flags & Concept::FW_NORMALIZED))
                names.forward = names.backward;
        }
        name(c, names.forward, names.backward, entry.second);
        if (c->backwardName != nullptr && c->backwardName == entry.second.backward)
            standsFor[c->backwardName] = c;
    }

    // Conjunctions named backward, in the order their names were made.
    std::vector<Concept*> conjunctionNames;
    for (const auto& entry : targets)
        if (entry.second.size() >= 2)
            conjunctionNames.push_back(entry.first);
    std::sort(conjunctionNames.begin(), conjunctionNames.end(), madeEarlier);
    for (Concept* n : conjunctionNames) {
        std::vector<Concept*> operands;
        for (Concept* t : targets[n]) {
            if (t->kind == FRESH_CONCEPT) {
                const auto named = standsFor.find(t);
                if (named == standsFor.end())
                    break;
                t = named->second;
            }
            operands.push_back(t);
        }
        if (operands.size() != targets[n].size())
            continue;
        const auto forward = forwardOf.find(n);
        if (forward != forwardOf.end() && !conjunctionOver(forward->second, operands))
            continue;
        Concept* c = tbox->normalConjunction(new ConceptList(operands.begin(), operands.end()));
        if (c->kind != CONJUNCTION)
            continue;
        c->flags |= Concept::BW_NORMALIZED;
        c->backwardNormalForm = c;
        Names names;
        names.backward = n;
        name(c, nullptr, n, names);
    }
}
