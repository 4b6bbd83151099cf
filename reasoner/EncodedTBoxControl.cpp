// Control variables and control clauses of the pinpointing encoding.
#include <algorithm>

#include "reasoner/EncodedTBox.h"

void EncodedTBox::startEncodingPinpointing(unsigned long variables)
{
    offset = variables;
    // With original numbering every axiom record takes a slot, even when the
    // records outnumber the largest axiom index.
    assumptions.assign(std::max(largestIndex, axiomRecords) + 1, 0);

    if (!use_original_axiom_index) {
        for (unsigned long k = 1; k <= largestIndex; ++k) {
            assumptions[k] = offset + k;
            Deduction* a = k <= axiomRecords ? record(axiomRecordNumber(k)) : nullptr;
            if (a != nullptr && a->controlVariable == 0)
                a->controlVariable = offset + k;
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
            assumptions[k] = a->controlVariable;
        }
        for (unsigned long k = axiomRecords + 1; k <= largestIndex; ++k)
            assumptions[k] = shared + (k - axiomRecords);
        lastAssumption = largestIndex > axiomRecords ? assumptions[largestIndex] : shared;
    }

    assumptionSet.clear();
    missingPremiseControls.clear();
    unsigned long largest = lastAssumption;
    for (unsigned long k = 1; k < assumptions.size(); ++k) {
        if (assumptions[k] == 0)
            continue;
        assumptionSet.insert(assumptions[k]);
        largest = std::max(largest, assumptions[k]);
    }
    visitMarks.assign(largest > offset ? largest - offset + 1 : 1, 0);
    lastControl = lastAssumption;
    axiomsInformationLoaded = false;
}

EncodedTBox::Deduction* EncodedTBox::clauseRecord(unsigned long k) const
{
    if (k == 0)
        return nullptr;
    if (k <= axiomRecords)
        return record(axiomRecordNumber(k));
    if (k - axiomRecords <= savedRecords)
        return record(savedRecordNumber(k - axiomRecords));
    return nullptr;
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
    Deduction* d = clauseRecord(k);
    if (d == nullptr)
        return nullptr;
    LiteralList* clause = new LiteralList();
    generateControlClause(d, clause, k);
    if (clause->empty()) {
        delete clause;
        return nullptr;
    }
    clause->push_back(static_cast<long>(controlVariableOf(d)));
    d->done = true;
    d->clearDependencies();
    return clause;
}

bool EncodedTBox::markAssumption(unsigned long v, unsigned long mark, const LiteralList* clause)
{
    if (v <= offset) {
        // Only hand-loaded assumptions can lie at or below the offset; they
        // have no mark, so the clause itself tells whether v is in it.
        return std::find(clause->begin(), clause->end(), -static_cast<long>(v)) == clause->end();
    }
    unsigned long slot = v - offset;
    if (slot >= visitMarks.size())
        visitMarks.resize(slot + 1, 0);
    if (visitMarks[slot] == mark)
        return false;
    visitMarks[slot] = mark;
    return true;
}

// Depth first from the root through the premises, in premise order. Each
// literal is put at the front, so the clause lists the negated literals in the
// reverse of their discovery order. A finished derivation stands for itself
// by its control variable; any other record adds the assumption of the axiom
// it used and goes on into its premises. Records are marked on entry: premises
// are always earlier records, and the mark also stops a malformed cycle.
void EncodedTBox::generateControlClause(Deduction* root, LiteralList* clause, unsigned long mark)
{
    std::vector<Deduction*> pending{root};
    while (!pending.empty()) {
        Deduction* r = pending.back();
        pending.pop_back();
        if (r->visitMark == mark)
            continue;
        r->visitMark = mark;
        if (!r->isAxiom && r->done && r->controlVariable != 0) {
            clause->push_front(-static_cast<long>(r->controlVariable));
            continue;
        }
        unsigned long v = assumptionOf(r->index);
        if (v != 0 && markAssumption(v, mark, clause))
            clause->push_front(-static_cast<long>(v));
        if (r->isAxiom || r->dependencies == nullptr)
            continue;
        for (auto it = r->dependencies->rbegin(); it != r->dependencies->rend(); ++it) {
            Deduction* premise = record(*it);
            if (premise != nullptr)
                pending.push_back(premise);
        }
    }
}
