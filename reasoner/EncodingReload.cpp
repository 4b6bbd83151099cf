// A classified terminology rebuilt from an encoding that an earlier run
// stored, with the normalisation map that names the concept of every
// variable: the axiom clauses become normalised GCIs again, the deduced
// clauses recorded subsumptions, and the subsumed lists are seeded as a
// classification would leave them. That is enough to encode and answer
// queries; the first classification of an increment completes the
// deduction state first (completeReloadedDeduction).
#include <string>
#include <utility>
#include <vector>

#include "model/Conjunction.h"
#include "model/ParserManager.h"
#include "model/TrivialConcept.h"
#include "reasoner/EncodedTBox.h"
#include "reasoner/ReloadedNames.h"
#include "reasoner/StoredPairs.h"
#include "reasoner/TBox.h"

namespace {

using VariableList = EncodedTBox::VariableList;
using ImplicationTable = EncodedTBox::ImplicationTable;

// A variable that the map names no concept for cannot be rebuilt: the
// variables of axiom selectors and of derivations in an encoding written
// with pinpointing, or an encoding and a map of different runs.
[[noreturn]] void unnamedVariable(unsigned long index)
{
    ParserManager* manager = ParserManager::getInstance();
    manager->beginInput(new std::string("Input Encoding"));
    manager->line = 0;
    manager->postError("The TBox can not be rebuilt: the normalization map names no concept for the encoding's "
                       "variable (an encoding with axiom selectors, or files of different runs?): ",
                       Main, static_cast<unsigned int>(index + 1));
}

// The concept of each variable, null when the map names none: looked up in
// an array when the variables met are about as many as the greatest of
// them (as in every encoding a run writes), else in the table itself.
class VariableConcepts {
public:
    explicit VariableConcepts(const ImplicationTable& table) : table(table)
    {
        if (table.empty() || table.rbegin()->first >= 2 * table.size() + 1024)
            return;
        dense.assign(table.rbegin()->first + 1, nullptr);
        for (const auto& entry : table)
            dense[entry.first] = entry.second.first;
    }
    Concept* operator()(unsigned long index) const
    {
        if (!dense.empty())
            return index < dense.size() ? dense[index] : nullptr;
        const auto entry = table.find(index);
        return entry != table.end() ? entry->second.first : nullptr;
    }

private:
    const ImplicationTable& table;
    std::vector<Concept*> dense;
};

void checkNamed(const VariableConcepts& conceptOf, unsigned long index)
{
    if (conceptOf(index) == nullptr)
        unnamedVariable(index);
}

// Every variable that the rebuild reads has a concept; checked before
// anything is rebuilt.
void checkEveryVariableNamed(const EncodedTBox& e, const VariableConcepts& conceptOf)
{
    if (e.implicationTable == nullptr) {
        if (!e.axiomClauses.empty() || !e.multiPremiseClauses.empty())
            unnamedVariable(e.axiomClauses.empty() ? e.multiPremiseClauses.front().second
                                                   : e.axiomClauses.front().second);
        return;
    }
    for (const auto& entry : *e.implicationTable) {
        if (entry.second.second == nullptr)
            continue;
        checkNamed(conceptOf, entry.first);
        for (unsigned long w : *entry.second.second)
            checkNamed(conceptOf, w);
    }
    for (const EncodedTBox::HornClauses* clauses : {&e.axiomClauses, &e.multiPremiseClauses})
        for (const auto& clause : *clauses) {
            for (unsigned long v : *clause.first)
                checkNamed(conceptOf, v);
            checkNamed(conceptOf, clause.second);
        }
}

// C ⊑ D gives C a told subsumer and, for a derived clause, a deduced pair,
// unless it is trivial.
bool informative(Concept* c, Concept* d)
{
    return c != d && c != TrivialConcept::getBOTTOM() && d != TrivialConcept::getTOP();
}

// The concept of one body variable, or the normalised conjunction of the
// concepts of several, the one of the normal form when there is one.
Concept* bodyConcept(TBox* tbox, const VariableConcepts& conceptOf, const VariableList& body)
{
    if (body.size() == 1)
        return conceptOf(body.front());
    auto* operands = new ConceptList();
    for (unsigned long v : body)
        operands->push_back(conceptOf(v));
    return tbox->normalConjunction(operands);
}

// The GCI's type, told by which side is a fresh concept, and the marks of
// normalisation on its sides: each is its own normal form.
axiom_t markNormalized(Concept* c, Concept* d)
{
    c->flags |= Concept::FW_NORMALIZED;
    c->forwardNormalForm = c;
    d->flags |= Concept::BW_NORMALIZED;
    d->backwardNormalForm = d;
    const bool cFresh = c->kind == FRESH_CONCEPT;
    const bool dFresh = d->kind == FRESH_CONCEPT;
    if (cFresh && !dFresh)
        return BW_NORMALIZED_AXIOM;
    if (dFresh && !cFresh)
        return FW_NORMALIZED_AXIOM;
    return ORIGINAL;
}

// Rebuilds the GCI c ⊑ d of the normal form.
void rebuildAxiom(TBox* tbox, Concept* c, Concept* d)
{
    const axiom_t type = markNormalized(c, d);
    Axiom* a = new Axiom(c, d, type);
    if (Concept::EquivalenceNames && type != ORIGINAL)
        a->flags |= Axiom::DEFINITION;
    tbox->insertAxiom(a);
}

void freeBodies(EncodedTBox::HornClauses& clauses)
{
    for (auto& clause : clauses)
        delete clause.first;
    clauses.clear();
}

// Takes the axioms marked new out of the set.
template <typename Set>
std::vector<typename Set::value_type> takeNewAxioms(Set& set, uint16_t newMark)
{
    std::vector<typename Set::value_type> taken;
    for (auto a = set.begin(); a != set.end();)
        if ((*a)->flags & newMark) {
            taken.push_back(*a);
            a = set.erase(a);
        } else {
            ++a;
        }
    return taken;
}


} // namespace

LibraryTBox::DeducedList* LibraryTBox::normalizationAndDeductionFromEncoding(EncodedTBox& e)
{
    static const ImplicationTable noVariables;
    const VariableConcepts conceptOf(e.implicationTable != nullptr ? *e.implicationTable : noVariables);
    checkEveryVariableNamed(e, conceptOf);
    delete deducedAxioms;
    deducedAxioms = new DeducedList();
    delete pendingDeducedAxioms;
    pendingDeducedAxioms = nullptr;
    Concept* bottomConcept = TrivialConcept::getBOTTOM();

    // Deduced clauses with one premise.
    if (e.implicationTable != nullptr)
        for (auto& item : *e.implicationTable) {
            std::pair<Concept*, VariableList*>& entry = item.second;
            if (entry.second == nullptr)
                continue;
            Concept* c = entry.first;
            for (unsigned long w : *entry.second) {
                Concept* d = conceptOf(w);
                if (!informative(c, d))
                    continue;
                c->deduction.recordSubsumer(d);
                deducedAxioms->emplace_back(c, d);
            }
            delete entry.second;
            entry.second = nullptr;
        }
    e.reloadTableFreed = true;

    // Axiom clauses, then the GCIs that made no clause, which the map lists.
    for (const auto& clause : e.axiomClauses) {
        Concept* c = bodyConcept(this, conceptOf, *clause.first);
        Concept* d = conceptOf(clause.second);
        rebuildAxiom(this, c, d);
        if (informative(c, d))
            c->deduction.recordSubsumer(d);
        if (initializeNonPrimitive && d->kind == CONJUNCTION)
            for (Concept* operand : *d->operands)
                if (operand != d && operand != bottomConcept)
                    d->deduction.recordSubsumer(operand);
    }
    freeBodies(e.axiomClauses);
    for (const auto& inclusion : e.unencodedInclusions)
        rebuildAxiom(this, inclusion.first, inclusion.second);
    e.unencodedInclusions.clear();
    ReloadedNames::restore(this);

    // Deduced clauses with several premises.
    for (const auto& clause : e.multiPremiseClauses) {
        Concept* c = bodyConcept(this, conceptOf, *clause.first);
        Concept* d = conceptOf(clause.second);
        if (!informative(c, d))
            continue;
        c->deduction.recordSubsumer(d);
        deducedAxioms->emplace_back(c, d);
    }
    freeBodies(e.multiPremiseClauses);
    delete e.implicationTable;
    e.implicationTable = nullptr;

    // The initial deduction state, seeded as a classification seeds it.
    seedNormalizedConcepts();
    settleToldSubsumptions();

    normalized = true;
    deduction_performed = true;
    loaded_from_encoding = true;
    deductionIteration = 0;
    reloadedDeductionIncomplete = true;
    return deducedAxioms;
}

// The subsumed lists of a reload hold what the encoding tells, not what the
// rules would find: an increment needs the existential premises, chained
// conclusions, dependents and chain predecessors of a classification, and
// lists closed under every rule. So the reloaded normal form is classified
// once, seeded with the stored subsumptions, the increment's GCIs and role
// axioms (new since the reload) held back; its concepts take part, and keep
// their marks for the incremental preparation that follows.
void LibraryTBox::completeReloadedDeduction()
{
    reloadedDeductionIncomplete = false;
    std::vector<Axiom*> newGcis = takeNewAxioms(gcis, Axiom::NEW_AXIOM);
    std::vector<RoleAxiom*> newRoleAxioms = takeNewAxioms(roleAxioms, RoleAxiom::NEW_AXIOM);
    std::vector<Concept*> touched;
    for (Concept* c : normalizedConcepts)
        if (c->flags & Concept::NEW_OR_TOUCHED)
            touched.push_back(c);
    const StoredPairs stored(deducedAxioms);

    // The stored encoding's derivations have their records in an earlier
    // run's pinpointing information, if anywhere.
    const bool recording = save_pinpointing_info;
    save_pinpointing_info = false;
    clearAllDeductionStructures();
    // The stored derived subsumptions start the lists beside the told ones:
    // the first pass takes every list whole, so the rules go on from them
    // and need not derive them again.
    if (deducedAxioms != nullptr)
        for (const auto& pair : *deducedAxioms)
            pair.first->deduction.recordSubsumer(pair.second);
    deduction_performed = false;
    deductionIteration = 0;
    prepareDeduction();
    int conceptCount = 0;
    int roleCount = 0;
    performDeduction(conceptCount, roleCount);
    save_pinpointing_info = recording;

    for (Axiom* a : newGcis)
        gcis.insert(a);
    for (RoleAxiom* a : newRoleAxioms)
        roleAxioms.insert(a);
    for (Concept* c : touched)
        c->flags |= Concept::NEW_OR_TOUCHED;
    // What the stored encoding does not hold (subsumptions of the
    // increment's concepts, above all) is encoded with the increment.
    delete pendingDeducedAxioms;
    pendingDeducedAxioms = new DeducedList();
    for (const auto& pair : *deducedAxioms)
        if (!stored.holds(pair))
            pendingDeducedAxioms->push_back(pair);
}
