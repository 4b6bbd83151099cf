// The assumption variables of the axioms: the list handed to the sink before
// the queries, the way back from pinpointed variables to axiom numbers, and
// the axioms information file.
#include "reasoner/EncodedTBox.h"

unsigned long EncodedTBox::assumptionOf(long k) const
{
    if (k <= 0)
        return 0;
    auto it = assumptions.find(static_cast<unsigned long>(k));
    return it == assumptions.end() ? 0 : it->second;
}

void EncodedTBox::setAssumption(unsigned long k, unsigned long v)
{
    auto it = assumptions.find(k);
    unsigned long old = it == assumptions.end() ? 0 : it->second;
    if (old == v)
        return;
    // Control clauses made from here on look the variables up afresh.
    markedVariables.clear();
    visitMarks.clear();
    recordSlots.clear();
    if (old != 0) {
        // A variable that no axiom uses any more leaves the set.
        countAssumptionUses();
        auto uses = assumptionUses.find(old);
        if (--uses->second == 0) {
            assumptionUses.erase(uses);
            assumptionSet.erase(old);
        }
    }
    if (v == 0) {
        assumptions.erase(it);
        return;
    }
    if (it == assumptions.end())
        assumptions.emplace(k, v);
    else
        it->second = v;
    if (usesCounted)
        assumptionUses[v] += 1;
    assumptionSet.insert(v);
}

void EncodedTBox::countAssumptionUses()
{
    if (usesCounted)
        return;
    for (const auto& assumption : assumptions)
        assumptionUses[assumption.second] += 1;
    usesCounted = true;
}

void EncodedTBox::clearAssumptions()
{
    assumptions.clear();
    assumptionUses.clear();
    usesCounted = false;
    assumptionSet.clear();
    markedVariables.clear();
    visitMarks.clear();
    recordSlots.clear();
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
    // from normalisation only; the role axioms follow it, and are numbered
    // after the last input axiom in their order, as the input axioms number
    // nothing above it.
    const long shared = base + static_cast<long>(largestOriginal) + 1;
    for (auto it = pinpointed->begin(); it != pinpointed->end();) {
        long v = *it;
        if (v > shared) {
            roleAxioms->push_back(v - shared + static_cast<long>(largestOriginal));
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
    for (const auto& assumption : assumptions) {
        if (assumption.first > largestIndex)
            break;
        std::fprintf(f, "%ld %ld 0\n", static_cast<long>(assumption.first), static_cast<long>(assumption.second));
    }
    // The control variables assumed for derivations that lost a premise
    // select no known axiom: axiom number 0.
    for (unsigned long v : missingPremiseControls)
        std::fprintf(f, "0 %ld 0\n", static_cast<long>(v));
}

void EncodedTBox::loadAxiomsAssumptions(unsigned long indexes, unsigned long originals, unsigned long axioms,
                                        unsigned long variables)
{
    largestIndex = indexes;
    largestOriginal = originals;
    axiomRecords = axioms;
    offset = variables;
    assumptionBound = largestIndex;
    while (!assumptions.empty() && assumptions.rbegin()->first > assumptionBound)
        setAssumption(assumptions.rbegin()->first, 0);
}

bool EncodedTBox::addAxiomAssumption(unsigned long k, unsigned long v)
{
    if (k == 0 || k > assumptionBound)
        return false;
    setAssumption(k, v);
    return true;
}
