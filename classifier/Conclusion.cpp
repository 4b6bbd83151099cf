// Where a derivation becomes output: the assertion of sub ⊑ super with its
// variable, its line in the deductions table, its place in the encoding, and
// the Horn clause of the rule application that found it (negated selector,
// negated premises, the conclusion last).
#include <algorithm>
#include <vector>

#include "reasoner/TBox.h"

const uint32_t* ClassifierTBox::findAssertion(Concept* sub, Concept* super) const
{
    return findAssertion(sub, static_cast<uint32_t>(super->id));
}

const uint32_t* ClassifierTBox::findAssertion(Concept* sub, uint32_t id) const
{
    return sub->subsumerIndex.find(id);
}

ClassifierTBox::Assertion ClassifierTBox::assertSubsumption(Concept* sub, Concept* super, unsigned long variable)
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

void ClassifierTBox::newAxiom(Concept* sub, Concept* super, Axiom* told)
{
    const unsigned long s = told != nullptr ? static_cast<unsigned long>(told->selector) : 0;
    assertSubsumption(sub, super, s);
    if (told == nullptr && sub == super)
        return;
    enqueue(sub, super, s);
    if (told == nullptr)
        return;
    deductionsTables.subsumption(s, sub, super);
    if (saturation.encode) {
        (*encodingMap)[{s, static_cast<unsigned long>(told->index)}] = {sub, super};
        // The header counts the clauses written: a trivial inclusion gives none.
        if (sub != super && super != top && sub != bottom)
            axioms_clauses_counter += 1;
    }
}

ClassifierTBox::Assertion ClassifierTBox::newDeduction(Concept* sub, Concept* super)
{
    if (sub != super && super != top) {
        const unsigned long w = ++global_cnf_id_counter;
        Assertion entry = assertSubsumption(sub, super, w);
        if (!entry.inserted) {
            --global_cnf_id_counter;
            return entry;
        }
        enqueue(sub, super, w);
        deductionsTables.subsumption(w, sub, super);
        if (saturation.encode) {
            if (deducedPairs.empty())
                firstDeducedVariable = w;
            if (w == firstDeducedVariable + deducedPairs.size()) {
                // The two ids are written in place: a pair put together
                // first goes through the stack as two halves read back as
                // one word, a stall on every deduction.
                deducedPairs.emplace_back();
                deducedPairs.back().first = static_cast<uint32_t>(sub->id);
                deducedPairs.back().second = static_cast<uint32_t>(super->id);
            } else {
                (*encodingMap)[{w, 0}] = {sub, super};
            }
            if (sub != bottom)
                deduced_clauses_counter += 1;
        }
        return entry;
    }
    Assertion entry = assertSubsumption(sub, super, 0);
    if (entry.inserted && !(sub == super && !initializeNonPrimitive))
        enqueue(sub, super, 0);
    return entry;
}

void ClassifierTBox::conclude(Concept* sub, Concept* super, long selector, const unsigned long* premises, std::size_t count,
                    bool dropTautology)
{
    const Assertion entry = newDeduction(sub, super);
    // A trivial conclusion (itself, top) needs no clause.
    if (!saturation.pinpointing || sub == super || super == top)
        return;
    if (dropTautology && std::find(premises, premises + count, entry.variable) != premises + count)
        return;
    handHornClause(entry.variable, selector, premises, count);
}

void ClassifierTBox::handHornClause(unsigned long conclusion, long selector, const unsigned long* premises, std::size_t count)
{
    if (conclusion == 0 || static_cast<long>(conclusion) == selector)
        return;
    // Most rules have one or two premises: their clause is put together on
    // the stack.
    constexpr std::size_t Short = 8;
    long shortClause[Short + 2];
    long* clause = shortClause;
    if (count > Short) {
        scratchClause.resize(count + 2);
        clause = scratchClause.data();
    }
    std::size_t size = 0;
    if (selector != 0)
        clause[size++] = -selector;
    for (std::size_t i = 0; i < count; ++i)
        if (premises[i] != 0)
            clause[size++] = -static_cast<long>(premises[i]);
    clause[size++] = static_cast<long>(conclusion);
    handClause(clause, size);
}

void ClassifierTBox::handClause(const LiteralList& clause)
{
    CNF_SAT_Encoder->addClause(&clause, nullptr, 0);
    clauses_counter += 1;
}

void ClassifierTBox::handClause(const std::vector<long>& clause)
{
    handClause(clause.data(), clause.size());
}

void ClassifierTBox::handClause(const long* literals, std::size_t count)
{
    CNF_SAT_Encoder->addClause(literals, count);
    clauses_counter += 1;
}
