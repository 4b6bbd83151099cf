// The saturation of the normal form under the completion rules, over a
// first-in-first-out queue of subsumptions: each queued sub ⊑ super is handed
// to the rules that super triggers (one rule per file in classifier/rules/).
// Every new subsumption gets its deduction variable when it is found; when
// pinpointing, every rule application becomes a Horn clause at once
// (Conclusion.cpp).
#include <algorithm>
#include <vector>

#include "model/PrefetchedWalk.h"
#include "reasoner/TBox.h"

void ClassifierTBox::enqueue(Concept* sub, Concept* super, unsigned long variable)
{
    deductionQueue.push_back({sub, super, static_cast<uint32_t>(variable), static_cast<uint32_t>(super->id),
                              static_cast<uint32_t>(sub->id), super->kind});
}

void ClassifierTBox::performDeductionAndEncode(bool encode, bool pinpointing)
{
    if (!prepareDeductionAndEncode(encode, pinpointing) || !normalized || deduction_performed)
        return;
    unsigned long processed = 0;
    while (!deductionQueue.empty()) {
        prefetchQueued();
        const QueuedSubsumption item = deductionQueue.front();
        deductionQueue.pop_front();
        processed = std::max<unsigned long>(processed, item.variable);
        if (item.superKind < CONJUNCTION)
            dispatchAtomic(item, processed);
        else if (item.superKind == EXISTENTIAL_RESTR)
            dispatchExistential(item, processed);
    }
    settleSaturationSets();
    finishDeductionAndEncode();
    // The assertion sets that no rule read, when anybody reads them.
    if (keepSubsumeeSets)
        fillAssertionSets();
    conceptsByNormalId = std::vector<Concept*>();
}

// The loop is bound by memory: the concepts and rule lists that the items a
// few places ahead will read are asked for now, in three steps, each
// reading what the one before brought: the concepts and the places of the
// lists; the lists; for an atomic super, the slots of the sub's subsumer
// index where the lookups of its implications' conclusions start. An item
// whose super is an existential mostly concludes more existentials above
// its sub, each listed at the end of the sub's list of existentials above
// it.
void ClassifierTBox::prefetchQueued() const
{
    constexpr std::size_t Far = 16;
    constexpr std::size_t Near = 8;
    constexpr std::size_t Close = 4;
    const std::size_t size = deductionQueue.size();
    if (size > Far) {
        const QueuedSubsumption& far = deductionQueue[Far];
        __builtin_prefetch(far.sub);
        __builtin_prefetch(&far.sub->subsumerIndex);
        if (far.superId < atomicRules.size())
            __builtin_prefetch(&atomicRules[far.superId]);
        if (far.superKind == EXISTENTIAL_RESTR && far.subId < existentialsAbove.size())
            __builtin_prefetch(&existentialsAbove[far.subId]);
    }
    if (size > Near) {
        const QueuedSubsumption& near = deductionQueue[Near];
        if (near.superKind == EXISTENTIAL_RESTR && near.subId < existentialsAbove.size()) {
            const std::vector<SubsumerLink>& above = existentialsAbove[near.subId];
            if (above.size() < above.capacity())
                __builtin_prefetch(above.data() + above.size(), 1);
        }
        if (near.superId < atomicRules.size() && !atomicRules[near.superId].empty())
            __builtin_prefetch(atomicRules[near.superId].data());
    }
    if (size > Close) {
        const QueuedSubsumption& close = deductionQueue[Close];
        if (close.superKind < CONJUNCTION && close.superId < atomicRules.size()) {
            const SubsumerIndex& index = close.sub->subsumerIndex;
            for (const AtomicRule& rule : atomicRules[close.superId])
                if (rule.kind < CONJUNCTION)
                    index.prefetch(rule.rhsId);
        }
    }
}

// super is atomic: the axioms with super on their left, as itself, as a
// conjunct or as the filler of an existential, in the order of its list.
void ClassifierTBox::dispatchAtomic(const QueuedSubsumption& item, unsigned long processed)
{
    if (item.superId >= atomicRules.size())
        return;
    Concept* sub = item.sub;
    const bool anySub = sub->isAtomic() || initializeNonPrimitive;
    // The entry of sub in super's own set, a premise of every conjunction
    // rule here, looked up when the first of them is tried (copied:
    // derivations may move the index; an entry, once made, keeps its
    // variable, so the lookup finds the same whenever it is made).
    AtomicPremise premise{item, processed, false, 0};
    bool ownLooked = false;
    for (const AtomicRule& rule : atomicRules[item.superId]) {
        if (rule.kind == EXISTENTIAL_RESTR) {
            if (sub->isAtomic())
                applyExistentialRuleAsFiller(premise, rule);
        } else if (!anySub) {
            continue;
        } else if (rule.kind == CONJUNCTION) {
            if (rule.probe != NoProbe && !sub->subsumerIndex.mayHoldBit(rule.probe))
                continue;
            if (!ownLooked) {
                const uint32_t* own = findAssertion(sub, item.superId);
                premise.ownPresent = own != nullptr;
                premise.ownVariable = own != nullptr ? *own : 0;
                ownLooked = true;
            }
            applyConjunctionRule(premise, rule);
        } else {
            applyImplicationRule(premise, rule);
        }
    }
}

// super is ∃s.F: the axioms ∃s.Y ⊑ R with F ⊑ Y, and the role axioms over s.
void ClassifierTBox::dispatchExistential(const QueuedSubsumption& item, unsigned long processed)
{
    if (!(item.sub->isAtomic() || initializeNonPrimitive))
        return;
    Role* s = partsOf(item.superId).role;
    applyExistentialRule(item, processed);
    for (RoleAxiom* ra : s->roleAxioms) {
        if (ra->lhs->kind == COMPOSITION && ra->lhs->componentCount() == 2)
            applyChainRule(ra, item, processed);
        else
            applyRoleInclusionRule(ra, item);
    }
}

void ClassifierTBox::settleSaturationSets()
{
    // The normalised set orders the new existentials among its members only
    // when it is next walked in order (a listing): the encoding needs none.
    PrefetchedWalk::each(
        madeExistentials, [](const Concept* c) { PrefetchedWalk::prefetch(&c->operands); },
        [](const Concept* c) { PrefetchedWalk::prefetch(c->operands); },
        [this](Concept* c) { normalizedConcepts.append(c); });
    madeExistentials.clear();
    // The normalised set is final now.
    conceptsByNormalId.assign(Concept::normal_id_counter, nullptr);
    auto ask = [](const Concept* c) { PrefetchedWalk::prefetch(&c->id); };
    PrefetchedWalk::each(normalizedConcepts.inInsertionOrder(), ask, [this](Concept* c) {
        if (c->id < conceptsByNormalId.size())
            conceptsByNormalId[c->id] = c;
    });
}

void ClassifierTBox::fillAssertionSets()
{
    // Sub by sub in ascending id, so that each set is filled in its own
    // order (a sub's own entries come in no order: each goes to another set).
    for (Concept* sub : conceptsByNormalId) {
        if (sub == nullptr)
            continue;
        sub->subsumerIndex.forEach([this, sub](const SubsumerIndex::Entry& entry) {
            Concept* super = conceptsByNormalId[entry.first];
            if (super->kind != EXISTENTIAL_RESTR)
                super->assertions.append({sub, entry.second});
        });
    }
}
