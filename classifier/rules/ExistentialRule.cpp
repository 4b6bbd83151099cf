// X ⊑ ∃r.F, F ⊑ Y and ∃r.Y ⊑ R give X ⊑ R. Tried from both premises: when
// F ⊑ Y is taken from the queue (Y atomic: the existentials ∃r.F above which
// X lies are found in r's related set), and when X ⊑ ∃r.F is (the axioms
// ∃r.Y ⊑ R with F ⊑ Y are found through r's existential-lhs list).
#include <algorithm>
#include <vector>

#include "model/ExistentialRestr.h"
#include "reasoner/TBox.h"

// Index: per role, its axioms ∃r.Y ⊑ R in order, their fillers' ids, and the
// positions of the axioms of each (role, filler).
void ClassifierTBox::indexExistentialRule(Axiom* a)
{
    auto* left = static_cast<ExistentialRestr*>(a->lhs);
    Role* role = left->role;
    Concept* filler = left->getFiller();
    auto slot = existentialLhsIndex.insert(IdPairMap<uint32_t>::key(role->id, filler->id),
                                           static_cast<uint32_t>(existentialLhsPositions.size()));
    if (slot.second)
        existentialLhsPositions.emplace_back();
    existentialLhsPositions[slot.first].push_back(static_cast<unsigned>(role->existentialLhs.size()));
    role->existentialLhs.push_back(a);
    if (role->id >= existentialLhsFillers.size())
        existentialLhsFillers.resize(role->id + 1);
    existentialLhsFillers[role->id].push_back(static_cast<uint32_t>(filler->id));
}

// The premise F ⊑ Y (F atomic) with the rule's ∃r.Y ⊑ R: every X ⊑ ∃r.F known
// by then, in the order of ∃r.F's assertion set.
void ClassifierTBox::applyExistentialRuleAsFiller(const AtomicPremise& premise, const AtomicRule& rule)
{
    Concept* e = findRelated(rule.role, premise.item.sub);
    if (e == nullptr)
        return;
    // What is derived meanwhile is appended with later variables.
    e->assertions.order();
    for (std::size_t i = 0, n = e->assertions.size(); i < n; ++i) {
        const AssertionEntry pair = e->assertions[i];
        if (pair.second > premise.processed || !(pair.first->isAtomic() || initializeNonPrimitive))
            continue;
        const unsigned long premises[2] = {premise.item.variable, pair.second};
        conclude(pair.first, rule.rhs, rule.selector, premises, 2);
    }
}

// The premise X ⊑ ∃s.F: the axioms ∃s.Y ⊑ R with F ⊑ Y known by then, in the
// order of s's list, found from the fillers above F.
void ClassifierTBox::applyExistentialRule(const QueuedSubsumption& item, unsigned long processed)
{
    const ExistentialParts parts = partsOf(item.superId);
    Role* s = parts.role;
    Concept* filler = parts.filler;
    std::vector<std::pair<unsigned, unsigned long>>& triggered = scratchTriggered;
    triggered.clear();
    const std::size_t axioms = s->existentialLhs.size();
    const uint32_t fillerId = parts.fillerId;
    const std::size_t above = fillerId < fillersAbove.size() ? fillersAbove[fillerId].size() : 0;
    if (axioms != 0 && axioms <= above) {
        // Fewer axioms than fillers above F: ask F's subsumers for each.
        const std::vector<uint32_t>& fillers = existentialLhsFillers[s->id];
        for (std::size_t i = 0; i < axioms; ++i) {
            const uint32_t* found = findAssertion(filler, fillers[i]);
            if (found != nullptr && *found <= processed)
                triggered.push_back({static_cast<unsigned>(i), *found});
        }
    } else if (axioms != 0 && above != 0) {
        for (auto& link : fillersAbove[fillerId]) {
            if (link.variable > processed)
                continue;
            const uint32_t* slot = existentialLhsIndex.find(IdPairMap<uint32_t>::key(s->id, link.id));
            if (slot != nullptr)
                for (unsigned position : existentialLhsPositions[*slot])
                    triggered.push_back({position, link.variable});
        }
        std::sort(triggered.begin(), triggered.end());
    }
    for (auto& entry : triggered) {
        Axiom* a = s->existentialLhs[entry.first];
        const unsigned long premises[2] = {item.variable, entry.second};
        conclude(item.sub, a->rhs, a->selector, premises, 2);
    }
}
