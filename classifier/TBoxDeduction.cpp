// The saturation of the normal form under the EL+ completion rules, over a
// first-in-first-out queue of subsumptions. Every new subsumption gets its
// deduction variable when it is found; when pinpointing, every rule
// application becomes a Horn clause at once.
#include <algorithm>
#include <vector>

#include "model/ExistentialRestr.h"
#include "model/PrimitiveConcept.h"
#include "reasoner/TBox.h"


const uint32_t* TBox::findAssertion(Concept* sub, Concept* super) const
{
    return findAssertion(sub, static_cast<uint32_t>(super->id));
}

const uint32_t* TBox::findAssertion(Concept* sub, uint32_t id) const
{
    return sub->subsumerIndex.find(id);
}

TBox::Assertion TBox::assertSubsumption(Concept* sub, Concept* super, unsigned long variable)
{
    const uint32_t id = static_cast<uint32_t>(super->id);
    const std::pair<uint32_t, bool> entry = sub->subsumerIndex.insert(id, static_cast<uint32_t>(variable));
    if (!entry.second)
        return {entry.first, false};
    // Only the rules over existentials read assertion sets; the others are
    // filled from the subsumer lists after the saturation.
    if (super->kind == EXISTENTIAL_RESTR) {
        super->assertions.append({sub, variable});
        byId(existentialsAbove, sub).push_back({super, id, static_cast<uint32_t>(variable)});
    }
    if (super->flags & Concept::FILLER_ON_LHS)
        byId(fillersAbove, sub).push_back({super, id, static_cast<uint32_t>(variable)});
    return {variable, true};
}

void TBox::addRelated(Role* role, Concept* existential)
{
    const uint64_t key = IdPairMap<Concept*>::key(role->id, partsOf(existential).filler->id);
    if (relatedIndex.insert(key, existential).second)
        pendingRelated.push_back(existential);
}

void TBox::settleSaturationSets()
{
    // The normalised set orders existentials by the serial of their role,
    // then by the address of their filler.
    std::sort(madeExistentials.begin(), madeExistentials.end(), [this](const Concept* a, const Concept* b) {
        const ExistentialParts& x = partsOf(a);
        const ExistentialParts& y = partsOf(b);
        if (x.role->serial != y.role->serial)
            return x.role->serial < y.role->serial;
        return std::less<const Concept*>()(x.filler, y.filler);
    });
    if (!madeExistentials.empty()) {
        const ConceptComparator less;
        auto at = normalizedConcepts.lower_bound(madeExistentials.front());
        for (Concept* c : madeExistentials) {
            while (at != normalizedConcepts.end() && less(*at, c))
                ++at;
            at = normalizedConcepts.insert(at, c);
        }
    }
    madeExistentials.clear();
    // Each related set orders its members by the id of their filler.
    std::sort(pendingRelated.begin(), pendingRelated.end(), [this](const Concept* a, const Concept* b) {
        const ExistentialParts& x = partsOf(a);
        const ExistentialParts& y = partsOf(b);
        if (x.role != y.role)
            return x.role->id < y.role->id;
        return x.filler->id < y.filler->id;
    });
    for (Concept* c : pendingRelated) {
        RelatedSet& related = partsOf(c).role->related;
        related.insert(related.end(), c);
    }
    pendingRelated.clear();
    // The normalised set is final now.
    conceptsByNormalId.assign(Concept::normal_id_counter, nullptr);
    for (Concept* c : normalizedConcepts)
        if (c->id < conceptsByNormalId.size())
            conceptsByNormalId[c->id] = c;
}

void TBox::fillAssertionSets()
{
    // Sub by sub in ascending id, so that each set is filled in its own order.
    for (Concept* sub : conceptsByNormalId) {
        if (sub == nullptr)
            continue;
        for (const auto& entry : sub->subsumerIndex.all()) {
            Concept* super = conceptsByNormalId[entry.first];
            if (super->kind != EXISTENTIAL_RESTR)
                super->assertions.append({sub, entry.second});
        }
    }
}

void TBox::newAxiom(Concept* sub, Concept* super, Axiom* told, bool encode)
{
    const unsigned long s = told != nullptr ? static_cast<unsigned long>(told->selector) : 0;
    assertSubsumption(sub, super, s);
    if (told == nullptr && sub == super)
        return;
    enqueue(sub, super, s);
    if (told == nullptr)
        return;
    if (save_deductions_table_file != nullptr)
        printDeductionInTable(save_deductions_table_file, s, sub, super);
    if (encode) {
        (*encodingMap)[{s, static_cast<unsigned long>(told->index)}] = {sub, super};
        axioms_clauses_counter += 1;
    }
}

TBox::Assertion TBox::newDeduction(Concept* sub, Concept* super, bool encode)
{
    if (sub != super && super != top) {
        const unsigned long w = ++global_cnf_id_counter;
        Assertion entry = assertSubsumption(sub, super, w);
        if (!entry.inserted) {
            --global_cnf_id_counter;
            return entry;
        }
        enqueue(sub, super, w);
        if (save_deductions_table_file != nullptr)
            printDeductionInTable(save_deductions_table_file, w, sub, super);
        if (encode) {
            if (deducedPairs.empty())
                firstDeducedVariable = w;
            if (w == firstDeducedVariable + deducedPairs.size())
                deducedPairs.push_back({static_cast<uint32_t>(sub->id), static_cast<uint32_t>(super->id)});
            else
                (*encodingMap)[{w, 0}] = {sub, super};
            deduced_clauses_counter += 1;
        }
        return entry;
    }
    Assertion entry = assertSubsumption(sub, super, 0);
    if (entry.inserted && !(sub == super && !initializeNonPrimitive))
        enqueue(sub, super, 0);
    return entry;
}

unsigned long TBox::derive(Concept* sub, Concept* super, bool encode, bool pinpointing)
{
    Assertion entry = newDeduction(sub, super, encode);
    if (!pinpointing || sub == super || super == top)
        return 0;
    return entry.variable;
}

void TBox::handleNonTBoxNewConcept(Concept* existential, Role* role, bool encode)
{
    addRelated(role, existential);
    existential->flags |= Concept::BW_NORMALIZED | Concept::CREATED_BY_CLASSIFICATION;
    existential->backwardNormalForm = existential;
    if (initializeNonPrimitive) {
        newAxiom(existential, existential, nullptr, encode);
        newAxiom(existential, top, nullptr, encode);
    }
}

Concept* TBox::findRelated(Role* role, Concept* filler)
{
    Concept* const* found = relatedIndex.find(IdPairMap<Concept*>::key(role->id, filler->id));
    return found == nullptr ? nullptr : *found;
}

Concept* TBox::obtainExistential(Role* role, Concept* filler, bool encode)
{
    // The related set holds the stored existential over the role with this
    // filler whenever there is one that classification has met.
    Concept* known = findRelated(role, filler);
    if (known != nullptr)
        return known;
    const uint64_t key = IdPairMap<Concept*>::key(role->id, filler->id);
    Concept* const* normal = normalExistentials.find(key);
    if (normal != nullptr) {
        // A stored existential that only left sides named is not in the
        // related set yet; as a target it gets subsumees, which the rules
        // over its role must find there.
        Concept* stored = *normal;
        addRelated(role, stored);
        return stored;
    }
    if (!createNewConceptsInDeduction)
        return nullptr;
    // No normalised existential has this role and filler (the index holds
    // them all), so the new one is normal as it stands.
    Concept* made = new ExistentialRestr(filler, role);
    adoptNormalizedConcept(made);
    byId(existentialParts, made) = {role, filler};
    madeExistentials.push_back(made);
    normalExistentials.insert(key, made);
    handleNonTBoxNewConcept(made, role, encode);
    return made;
}

void TBox::enqueue(Concept* sub, Concept* super, unsigned long variable)
{
    deductionQueue.push_back({sub, super, variable, static_cast<uint32_t>(super->id), super->kind});
}

void TBox::performDeductionAndEncode(bool encode, bool pinpointing)
{
    if (!prepareDeductionAndEncode(encode, pinpointing) || !normalized || deduction_performed)
        return;
    unsigned long processed = 0;
    while (!deductionQueue.empty()) {
        const QueuedSubsumption item = deductionQueue.front();
        deductionQueue.pop_front();
        processed = std::max(processed, item.variable);
        if (item.superKind < CONJUNCTION)
            applyAtomicRules(item, processed, encode, pinpointing);
        else if (item.superKind == EXISTENTIAL_RESTR)
            applyExistentialRules(item, processed, encode, pinpointing);
    }
    settleSaturationSets();
    finishDeductionAndEncode(encode, pinpointing);
    // The assertion sets that no rule read.
    fillAssertionSets();
    conceptsByNormalId = std::vector<Concept*>();
}

// super is atomic: the axioms with super on their left, as itself, as a
// conjunct or as the filler of an existential.
void TBox::applyAtomicRules(const QueuedSubsumption& item, unsigned long processed, bool encode, bool pinpointing)
{
    Concept* sub = item.sub;
    const unsigned long variable = item.variable;
    const uint32_t superId = item.superId;
    if (superId >= atomicRules.size())
        return;
    const bool anySub = sub->isAtomic() || initializeNonPrimitive;
    // The entry of sub in super's own set, a premise of every conjunction
    // rule here (copied: derivations may move the index).
    const uint32_t* own = findAssertion(sub, superId);
    const bool ownPresent = own != nullptr;
    const uint32_t ownVariable = ownPresent ? *own : 0;
    std::vector<unsigned long>& premises = scratchPremises;
    for (const AtomicRule& rule : atomicRules[superId]) {
        if (rule.kind != EXISTENTIAL_RESTR && !anySub)
            continue;
        if (rule.kind != CONJUNCTION && rule.kind != EXISTENTIAL_RESTR) {
            unsigned long w = derive(sub, rule.rhs, encode, pinpointing);
            if (w != 0)
                savePinpointingInfoImplication(w, variable, rule.selector);
        } else if (rule.kind == CONJUNCTION) {
            premises.clear();
            bool holds = true;
            for (uint32_t k = 0; k < rule.operandCount; ++k) {
                const uint32_t x = ruleOperandIds[rule.firstOperand + k];
                const uint32_t* found = x == superId        ? (ownPresent ? &ownVariable : nullptr)
                                        : sub->subsumerIndex.mayHold(x) ? findAssertion(sub, x)
                                                                        : nullptr;
                if (found == nullptr || *found > processed) {
                    holds = false;
                    break;
                }
                premises.push_back(static_cast<unsigned long>(*found));
            }
            if (!holds)
                continue;
            unsigned long w = derive(sub, rule.rhs, encode, pinpointing);
            if (w != 0)
                savePinpointingInfoConjunction(w, premises, rule.selector);
        } else if (sub->isAtomic()) {
            Concept* e = findRelated(rule.role, sub);
            if (e == nullptr)
                continue;
            // What is derived meanwhile is appended with later variables.
            e->assertions.order();
            for (std::size_t i = 0, n = e->assertions.size(); i < n; ++i) {
                const AssertionEntry pair = e->assertions[i];
                if (pair.second > processed || !(pair.first->isAtomic() || initializeNonPrimitive))
                    continue;
                unsigned long w = derive(pair.first, rule.rhs, encode, pinpointing);
                if (w != 0)
                    savePinpointingInfoBinaryExistential(w, variable, pair.second, rule.selector);
            }
        }
    }
}

// super is ∃s.F: the axioms ∃s.Y ⊑ R with F ⊑ Y, and the role axioms over s.
void TBox::applyExistentialRules(const QueuedSubsumption& item, unsigned long processed, bool encode,
                                 bool pinpointing)
{
    Concept* sub = item.sub;
    const unsigned long variable = item.variable;
    if (!(sub->isAtomic() || initializeNonPrimitive))
        return;
    const ExistentialParts parts = partsOf(item.superId);
    Role* s = parts.role;
    Concept* filler = parts.filler;
    // The axioms ∃s.Y ⊑ R with F ⊑ Y, in the order of s's list: found from
    // the fillers above F (what is derived meanwhile has a later variable).
    std::vector<std::pair<unsigned, unsigned long>>& triggered = scratchTriggered;
    triggered.clear();
    const std::size_t axioms = s->existentialLhs.size();
    const std::size_t above = filler->id < fillersAbove.size() ? fillersAbove[filler->id].size() : 0;
    if (axioms != 0 && axioms <= above) {
        // Fewer axioms than fillers above F: ask F's subsumers for each.
        const std::vector<uint32_t>& fillers = existentialLhsFillers[s->id];
        for (std::size_t i = 0; i < axioms; ++i) {
            const uint32_t* found = findAssertion(filler, fillers[i]);
            if (found != nullptr && *found <= processed)
                triggered.push_back({static_cast<unsigned>(i), *found});
        }
    } else if (axioms != 0 && above != 0) {
        for (auto& link : fillersAbove[filler->id]) {
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
        unsigned long w = derive(sub, a->rhs, encode, pinpointing);
        if (w != 0)
            savePinpointingInfoBinaryExistential(w, variable, entry.second, a->selector);
    }
    for (RoleAxiom* ra : s->roleAxioms) {
        if (ra->lhs->kind == COMPOSITION && ra->lhs->componentCount() == 2) {
            applyChainRules(ra, item, processed, encode, pinpointing);
            continue;
        }
        Concept* target = obtainExistential(ra->rhs, filler, encode);
        if (target == nullptr)
            continue;
        unsigned long w = derive(sub, target, encode, pinpointing);
        if (w != 0)
            savePinpointingInfoRoleInclusion(w, variable, ra->selector);
    }
}

// t1 ∘ t2 ⊑ u with sub ⊑ ∃s.F: as the second link (X ⊑ ∃t1.sub gives
// X ⊑ ∃u.F) and as the first link (F ⊑ ∃t2.G gives sub ⊑ ∃u.G).
void TBox::applyChainRules(RoleAxiom* ra, const QueuedSubsumption& item, unsigned long processed, bool encode,
                           bool pinpointing)
{
    Concept* sub = item.sub;
    Concept* super = item.super;
    const unsigned long variable = item.variable;
    const ExistentialParts parts = partsOf(item.superId);
    Role* s = parts.role;
    Concept* filler = parts.filler;
    Role* t1 = ra->lhs->components->front();
    Role* t2 = ra->lhs->components->back();
    Role* u = ra->rhs;
    if (t2 == s && sub->isAtomic()) {
        Concept* e = findRelated(t1, sub);
        Concept* target = nullptr;
        if (e != nullptr)
            target = s == u ? super : obtainExistential(u, filler, encode);
        if (target != nullptr) {
            e->assertions.order();
            for (std::size_t i = 0, n = e->assertions.size(); i < n; ++i) {
                const AssertionEntry pair = e->assertions[i];
                if (pair.second > processed || !(pair.first->isAtomic() || initializeNonPrimitive))
                    continue;
                unsigned long w = derive(pair.first, target, encode, pinpointing);
                if (w != 0)
                    savePinpointingInfoBinaryExistential(w, variable, pair.second, ra->selector);
            }
        }
    }
    if (t1 != s)
        return;
    // The existentials ∃t2.G of the related set that F is known under, in
    // the order of the related set (by the id of G), found through the
    // index of the existentials above F rather than by a walk of the set.
    std::vector<SubsumerLink>& links = scratchLinks;
    links.clear();
    if (filler->id < existentialsAbove.size()) {
        for (const SubsumerLink& link : existentialsAbove[filler->id]) {
            if (link.variable > processed)
                continue;
            const ExistentialParts& next = partsOf(link.id);
            if (next.role == t2 && findRelated(t2, next.filler) == link.concept)
                links.push_back(link);
        }
    }
    std::sort(links.begin(), links.end(), [this](const SubsumerLink& a, const SubsumerLink& b) {
        return partsOf(a.id).filler->id < partsOf(b.id).filler->id;
    });
    for (const SubsumerLink& link : links) {
        Concept* target = t2 == u ? link.concept : obtainExistential(u, partsOf(link.id).filler, encode);
        if (target == nullptr)
            continue;
        unsigned long w = derive(sub, target, encode, pinpointing);
        if (w != 0)
            savePinpointingInfoBinaryExistential(w, variable, link.variable, ra->selector);
    }
}
