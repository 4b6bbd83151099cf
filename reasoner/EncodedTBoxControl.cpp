// Control variables and control clauses of the pinpointing encoding.
#include <algorithm>

#include "reasoner/EncodedTBox.h"

void EncodedTBox::startEncodingPinpointing(unsigned long variables)
{
    offset = variables;
    missingPremiseControls.clear();
    // With original numbering every axiom record takes a slot, even when the
    // records outnumber the largest axiom index.
    assumptionBound = std::max(largestIndex, axiomRecords);

    // Only the axioms that a record stands for or names get their variable;
    // the numbering is the same as if every axiom up to the largest index had
    // one, so an unnamed axiom only leaves its variable unused.
    std::vector<std::pair<unsigned long, unsigned long>> named;
    if (!use_original_axiom_index) {
        for (unsigned long k = 1; k <= std::min(largestIndex, axiomRecords); ++k) {
            named.emplace_back(k, offset + k);
            Deduction* a = record(axiomRecordNumber(k));
            if (a != nullptr && a->controlVariable == 0)
                a->controlVariable = offset + k;
        }
        // Records of one rule application come in a row with one index:
        // each run is named once.
        int previous = 0;
        for (const Deduction& d : deductions)
            if (d.present && d.index > 0 && d.index != previous) {
                previous = d.index;
                named.emplace_back(d.index, offset + static_cast<unsigned long>(d.index));
            }
        lastAssumption = offset + largestIndex;
    } else {
        // Every GCI that stems from normalisation only shares this variable.
        unsigned long shared = offset + largestOriginal + 1;
        for (unsigned long k = 1; k <= axiomRecords; ++k) {
            Deduction* a = record(axiomRecordNumber(k));
            if (a == nullptr)
                continue;
            if (a->controlVariable == 0)
                a->controlVariable = a->originalNumber > 0 ? offset + static_cast<unsigned long>(a->originalNumber)
                                                           : shared;
            named.emplace_back(k, a->controlVariable);
        }
        // Role axioms follow the shared variable.
        for (const Deduction& d : deductions) {
            if (!d.present || d.index <= 0)
                continue;
            unsigned long k = static_cast<unsigned long>(d.index);
            if (k > axiomRecords)
                named.emplace_back(k, shared + (k - axiomRecords));
        }
        lastAssumption = largestIndex > axiomRecords ? shared + (largestIndex - axiomRecords) : shared;
    }

    numberAssumptions(named);
    lastControl = lastAssumption;
    axiomsInformationLoaded = false;
}

void EncodedTBox::numberAssumptions(std::vector<std::pair<unsigned long, unsigned long>>& named)
{
    // Every axiom number comes with one variable, however often it is named.
    std::sort(named.begin(), named.end());
    named.erase(std::unique(named.begin(), named.end()), named.end());
    clearAssumptions();
    for (const auto& assumption : named)
        assumptions.emplace_hint(assumptions.end(), assumption);

    markedVariables.reserve(named.size());
    for (const auto& assumption : named)
        markedVariables.push_back(assumption.second);
    std::sort(markedVariables.begin(), markedVariables.end());
    markedVariables.erase(std::unique(markedVariables.begin(), markedVariables.end()), markedVariables.end());
    for (unsigned long v : markedVariables)
        assumptionSet.emplace_hint(assumptionSet.end(), v);
    visitMarks.assign(markedVariables.size(), 0);

    recordSlots.assign(deductions.size(), 0);
    // A run of records with one index shares its slot.
    int previous = 0;
    unsigned previousSlot = 0;
    for (unsigned long n = 1; n < deductions.size(); ++n) {
        const Deduction* d = record(n);
        if (d == nullptr || d->index <= 0)
            continue;
        if (d->index != previous) {
            previous = d->index;
            previousSlot = 0;
            auto axiom = std::lower_bound(named.begin(), named.end(),
                                          std::make_pair(static_cast<unsigned long>(d->index), 0UL));
            if (axiom != named.end() && axiom->first == static_cast<unsigned long>(d->index)) {
                auto slot = std::lower_bound(markedVariables.begin(), markedVariables.end(), axiom->second);
                previousSlot = static_cast<unsigned>(slot - markedVariables.begin()) + 1;
            }
        }
        recordSlots[n] = previousSlot;
    }
}

unsigned long EncodedTBox::clauseRecordNumber(unsigned long k) const
{
    if (k == 0)
        return 0;
    if (k <= axiomRecords)
        return axiomRecordNumber(k);
    if (k - axiomRecords <= savedRecords)
        return savedRecordNumber(k - axiomRecords);
    return 0;
}

EncodedTBox::Deduction* EncodedTBox::clauseRecord(unsigned long k)
{
    return record(clauseRecordNumber(k));
}

unsigned long EncodedTBox::controlVariableOf(Deduction* d)
{
    if (d->controlVariable == 0)
        d->controlVariable = ++lastControl;
    return d->controlVariable;
}

unsigned long EncodedTBox::getControlCnfId(unsigned long k)
{
    Deduction* d = clauseRecord(k);
    return d == nullptr ? 0 : controlVariableOf(d);
}

LiteralList* EncodedTBox::getControlCnfClause(unsigned long k)
{
    if (k <= axiomRecords)
        return nullptr;
    unsigned long n = clauseRecordNumber(k);
    Deduction* d = record(n);
    if (d == nullptr)
        return nullptr;
    LiteralList* clause = new LiteralList();
    generateControlClause(n, clause, k);
    if (clause->empty()) {
        delete clause;
        return nullptr;
    }
    clause->push_back(static_cast<long>(controlVariableOf(d)));
    d->done = true;
    d->premiseCount = 0;
    return clause;
}

void EncodedTBox::addAssumptionLiteral(unsigned long n, int index, unsigned long mark, LiteralList* clause)
{
    if (n < recordSlots.size()) {
        unsigned slot = recordSlots[n];
        if (slot == 0 || visitMarks[slot - 1] == mark)
            return;
        visitMarks[slot - 1] = mark;
        clause->push_front(-static_cast<long>(markedVariables[slot - 1]));
        return;
    }
    // The assumptions changed since the numbering began: the clause itself
    // tells whether the variable is in it.
    long v = static_cast<long>(assumptionOf(index));
    if (v != 0 && std::find(clause->begin(), clause->end(), -v) == clause->end())
        clause->push_front(-v);
}

// Depth first from the root through the premises, in premise order. Each
// literal is put at the front, so the clause lists the negated literals in the
// reverse of their discovery order. A finished derivation stands for itself
// by its control variable; any other record adds the assumption of the axiom
// it used and goes on into its premises. Records are marked on entry: premises
// are always earlier records, and the mark also stops a malformed cycle.
void EncodedTBox::generateControlClause(unsigned long root, LiteralList* clause, unsigned long mark)
{
    std::vector<unsigned long> pending{root};
    while (!pending.empty()) {
        unsigned long n = pending.back();
        pending.pop_back();
        Deduction* r = record(n);
        if (r == nullptr || r->visitMark == mark)
            continue;
        r->visitMark = mark;
        if (!r->isAxiom && r->done && r->controlVariable != 0) {
            clause->push_front(-static_cast<long>(r->controlVariable));
            continue;
        }
        addAssumptionLiteral(n, r->index, mark, clause);
        if (r->isAxiom)
            continue;
        PremiseRange premises = premisesOf(*r);
        for (const unsigned long* p = premises.end(); p != premises.begin();)
            pending.push_back(*--p);
    }
}
