// The assumption variables of the axioms: the list handed to the sink before
// the queries, the way back from pinpointed variables to axiom numbers, and
// the axioms information file.
#include "reasoner/EncodedTBox.h"

#include <algorithm>

unsigned long EncodedTBox::assumptionOf(long k) const
{
    return k > 0 && static_cast<unsigned long>(k) < assumptions.size() ? assumptions[static_cast<unsigned long>(k)]
                                                                          : 0;
}

LiteralList* EncodedTBox::getAxiomsAssumptions() const
{
    LiteralList* list = new LiteralList();
    for (unsigned long v : assumptionSet)
        list->push_back(static_cast<long>(v));
    return list;
}

void EncodedTBox::assumeMissingPremise(unsigned long controlVariable)
{
    missingPremiseControls.insert(controlVariable);
    assumptionSet.insert(controlVariable);
}

bool EncodedTBox::restsOnMissingPremise(const LiteralList& pinpointed) const
{
    for (long v : pinpointed)
        if (v > 0 && missingPremiseControls.count(static_cast<unsigned long>(v)) != 0)
            return true;
    return false;
}

LiteralList* EncodedTBox::convertAssumptionsInAxiomsIds(LiteralList* pinpointed) const
{
    LiteralList* roleAxioms = new LiteralList();
    if (pinpointed == nullptr)
        return roleAxioms;
    const long base = static_cast<long>(offset);
    const long gciCount = static_cast<long>(axiomRecords);
    if (!use_original_axiom_index) {
        // Role axioms are numbered after the GCIs.
        for (auto it = pinpointed->begin(); it != pinpointed->end();) {
            long number = *it - base;
            if (number > gciCount) {
                roleAxioms->push_back(number);
                it = pinpointed->erase(it);
            } else {
                *it = number;
                ++it;
            }
        }
        return roleAxioms;
    }
    // Original numbers lie below the shared variable of the GCIs that stem
    // from normalisation only; the role axioms follow it.
    const long shared = base + static_cast<long>(largestOriginal) + 1;
    for (auto it = pinpointed->begin(); it != pinpointed->end();) {
        long v = *it;
        if (v > shared) {
            roleAxioms->push_back(v - shared + gciCount);
            it = pinpointed->erase(it);
            continue;
        }
        *it = v < shared ? v - base : 0;
        ++it;
    }
    return roleAxioms;
}

void EncodedTBox::saveAxiomsAssumptions(FILE* f) const
{
    if (f == nullptr)
        return;
    std::fprintf(f, "%ld %ld %ld %ld %c\n", static_cast<long>(largestIndex), static_cast<long>(largestOriginal),
                 static_cast<long>(axiomRecords), static_cast<long>(offset), use_original_axiom_index ? 'O' : 'N');
    for (unsigned long k = 1; k <= largestIndex && k < assumptions.size(); ++k) {
        if (assumptions[k] != 0)
            std::fprintf(f, "%ld %ld 0\n", static_cast<long>(k), static_cast<long>(assumptions[k]));
    }
}

void EncodedTBox::loadAxiomsAssumptions(unsigned long indexes, unsigned long originals, unsigned long axioms,
                                        unsigned long variables)
{
    largestIndex = indexes;
    largestOriginal = originals;
    axiomRecords = axioms;
    offset = variables;
    assumptions.resize(largestIndex + 1, 0);
    assumptions[0] = 0;
}

bool EncodedTBox::addAxiomAssumption(unsigned long k, unsigned long v)
{
    if (k == 0 || k >= assumptions.size())
        return false;
    unsigned long old = assumptions[k];
    assumptions[k] = v;
    // A variable that no axiom uses any more leaves the set.
    if (old != 0 && old != v && std::find(assumptions.begin(), assumptions.end(), old) == assumptions.end())
        assumptionSet.erase(old);
    if (v != 0)
        assumptionSet.insert(v);
    return true;
}
