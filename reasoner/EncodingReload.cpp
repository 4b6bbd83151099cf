// A classified terminology rebuilt from an encoding that an earlier run
// stored, with the normalisation map that names the concept of every
// variable: the axiom clauses become normalised GCIs again, the deduced
// clauses recorded subsumptions, seeded as a classification seeds them; the
// first classification after the reload rebuilds from them the deduction
// state that the classification of the terminology leaves
// (rebuildReloadedDeduction), and goes on from it as after a
// classification.
#include <algorithm>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/Conjunction.h"
#include "model/DeductionNotes.h"
#include "model/ExistentialRestr.h"
#include "model/ParserManager.h"
#include "model/TrivialConcept.h"
#include "reasoner/EncodedTBox.h"
#include "reasoner/ReloadedNames.h"
#include "reasoner/SubsumedClosure.h"
#include "reasoner/TBox.h"

namespace {

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

// The concept of each variable, null when the map names none.
class VariableConcepts {
public:
    explicit VariableConcepts(const ImplicationTable* table) : table(table) {}
    Concept* operator()(unsigned long index) const { return table != nullptr ? table->find(index) : nullptr; }

private:
    const ImplicationTable* table;
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
    for (const auto& implication : e.implications) {
        checkNamed(conceptOf, implication.first);
        checkNamed(conceptOf, implication.second);
    }
    for (const EncodedTBox::HornClauses* clauses : {&e.axiomClauses, &e.multiPremiseClauses})
        for (const auto& clause : *clauses) {
            for (unsigned long v : clause.body)
                checkNamed(conceptOf, v);
            checkNamed(conceptOf, clause.head);
        }
}

// C ⊑ D gives C a told subsumer and, for a derived clause, a deduced pair,
// unless it is trivial.
bool informative(Concept* c, Concept* d)
{
    return c != d && c != TrivialConcept::getBOTTOM() && d != TrivialConcept::getTOP();
}

// The concept of one body variable, or the normalised conjunction of the
// concepts of several, the one of the normal form when there is one. Many
// clauses share a body (one per conclusion the rules drew for it): each body
// is normalised once.
class BodyConcepts {
public:
    using Body = EncodedTBox::HornClauses::Body;
    BodyConcepts(TBox* tbox, const VariableConcepts& conceptOf) : tbox(tbox), conceptOf(conceptOf) {}
    // The body must stay where it is while this is in use.
    Concept* operator()(const Body& body)
    {
        if (body.size() == 1)
            return conceptOf(body.front());
        // The clauses of one body mostly follow each other.
        if (last != nullptr && SameBody()(body, lastBody))
            return last;
        Concept*& known = conjunctions[body];
        if (known == nullptr) {
            auto* operands = new ConceptList();
            for (unsigned long v : body)
                operands->push_back(conceptOf(v));
            known = tbox->normalConjunction(operands);
        }
        lastBody = body;
        last = known;
        return known;
    }

private:
    struct BodyHash {
        std::size_t operator()(const Body& body) const
        {
            std::size_t h = body.size();
            for (unsigned long v : body)
                h = h * 1000003u ^ std::hash<unsigned long>()(v);
            return h;
        }
    };
    struct SameBody {
        bool operator()(const Body& a, const Body& b) const
        {
            return std::equal(a.begin(), a.end(), b.begin(), b.end());
        }
    };
    TBox* tbox;
    const VariableConcepts& conceptOf;
    std::unordered_map<Body, Concept*, BodyHash, SameBody> conjunctions;
    Body lastBody{nullptr, nullptr};
    Concept* last = nullptr;
};

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

// The implications in the order of their premises, those of one premise in
// input order: counted out by premise when the premises are about as many
// as the greatest of them (as in every encoding a run writes).
EncodedTBox::Implications byPremise(const EncodedTBox::Implications& implications)
{
    unsigned long greatest = 0;
    for (const auto& implication : implications)
        greatest = std::max(greatest, implication.first);
    EncodedTBox::Implications sorted(implications);
    if (greatest >= 2 * implications.size() + 1024) {
        std::stable_sort(sorted.begin(), sorted.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        return sorted;
    }
    std::vector<std::size_t> start(greatest + 2, 0);
    for (const auto& implication : implications)
        ++start[implication.first + 1];
    for (std::size_t i = 1; i < start.size(); ++i)
        start[i] += start[i - 1];
    for (const auto& implication : implications)
        sorted[start[implication.first]++] = implication;
    return sorted;
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
    const VariableConcepts conceptOf(e.implicationTable);
    checkEveryVariableNamed(e, conceptOf);
    BodyConcepts bodyConcept(this, conceptOf);
    delete deducedAxioms;
    deducedAxioms = new DeducedList();
    delete pendingDeducedAxioms;
    pendingDeducedAxioms = nullptr;
    Concept* bottomConcept = TrivialConcept::getBOTTOM();
    // A deduced clause: a stored subsumption, seeded and kept.
    auto deduced = [this](Concept* c, Concept* d) {
        if (!informative(c, d))
            return;
        c->deduction.recordSubsumer(d);
        deducedAxioms->emplace_back(c, d);
    };

    // Deduced clauses with one premise.
    for (const auto& implication : byPremise(e.implications))
        deduced(conceptOf(implication.first), conceptOf(implication.second));
    EncodedTBox::Implications().swap(e.implications);

    // Axiom clauses, then the GCIs that made no clause, which the map lists.
    for (const auto& clause : e.axiomClauses) {
        Concept* c = bodyConcept(clause.body);
        Concept* d = conceptOf(clause.head);
        rebuildAxiom(this, c, d);
        if (informative(c, d))
            c->deduction.recordSubsumer(d);
        if (initializeNonPrimitive && d->kind == CONJUNCTION)
            for (Concept* operand : *d->operands)
                if (operand != d && operand != bottomConcept)
                    d->deduction.recordSubsumer(operand);
    }
    for (const auto& inclusion : e.unencodedInclusions)
        rebuildAxiom(this, inclusion.first, inclusion.second);
    e.unencodedInclusions.clear();
    ReloadedNames::restore(this);

    // Deduced clauses with several premises.
    for (const auto& clause : e.multiPremiseClauses)
        deduced(bodyConcept(clause.body), conceptOf(clause.head));
    // The bodies are freed once no clause needs its conjunction any more.
    e.axiomClauses.release();
    e.multiPremiseClauses.release();
    delete e.implicationTable;
    e.implicationTable = nullptr;

    // The told and stored subsumptions seeded as a classification seeds
    // them: enough to encode and answer queries.
    seedNormalizedConcepts();
    settleToldSubsumptions();

    normalized = true;
    deduction_performed = true;
    loaded_from_encoding = true;
    deductionIteration = 0;
    reloadedDeductionIncomplete = true;
    return deducedAxioms;
}

// The encoding holds every subsumption that a rule derived for a concept of
// the normal form, but for those that follow from others through a GCI with
// an atomic or conjunctive left side: the closure of the seeded lists
// (SubsumedClosure) gives every list of the normal form as the
// classification left it. What is not in the encoding is made as the rules
// make it: the role axioms, applied again as new, make the existentials
// that the classification added to the normal form, give them their lists
// and chain them; then every existential GCI ∃r.G ⊑ D gets its premise, its
// dependent, and D chained to every existential ∃r.F with F below G (its
// rule has nothing to add to D: what it derived is stored).
//
// The first classification after the reload (of an increment or of a query
// file) rebuilds the state first, so that a reload that only answers
// queries does not pay for it. The concepts that the increment has
// normalised by then take part; its GCIs and role axioms are held back, and
// its concepts keep their marks, for the incremental preparation that
// follows.
void LibraryTBox::rebuildReloadedDeduction()
{
    reloadedDeductionIncomplete = false;
    // The increment's GCIs are those of the record, which keeps them for
    // the preparation.
    const std::vector<Axiom*> heldBack = newGcis;
    for (Axiom* a : heldBack)
        gcis.erase(a);
    std::vector<RoleAxiom*> newRoleAxioms = takeNewAxioms(roleAxioms, RoleAxiom::NEW_AXIOM);
    std::vector<Concept*> touched;
    for (Concept* c : normalizedConcepts)
        if (c->flags & Concept::NEW_OR_TOUCHED)
            touched.push_back(c);
    // The records of the stored derivations are in an earlier run's
    // pinpointing information, if anywhere.
    const bool recording = save_pinpointing_info;
    save_pinpointing_info = false;
    deduction_performed = false;
    deductionIteration = 0;
    seedSinceReload();
    SubsumedClosure(*conceptsById, std::vector<Axiom*>(gcis.begin(), gcis.end())).close();
    if (useRoleAxiomsInDeduction)
        for (RoleAxiom* a : roleAxioms)
            a->flags |= RoleAxiom::NEW_AXIOM;
    runRebuildPass();
    // The increment's existentials (and those it touched) come to their
    // roles again as new ones, so that the existential GCIs meet them as
    // the rules meet new ones.
    std::map<Role*, ConceptList> arriving;
    for (Concept* c : touched) {
        if (c->kind != EXISTENTIAL_RESTR)
            continue;
        auto* e = static_cast<ExistentialRestr*>(c);
        RoleDeduction::RelatedMap* related = e->role->deduction.related;
        if (related == nullptr)
            continue;
        const auto entry = related->find(e->getFiller()->id);
        if (entry != related->end() && entry->second == c) {
            related->erase(entry);
            arriving[e->role].push_back(c);
        }
    }
    linkExistentialPremises();
    if (!arriving.empty()) {
        DeductionNotes arrival;
        for (auto& entry : arriving)
            mergeNewConceptsInRoleRelated(&entry.second, entry.first, 1, arrival);
        runRebuildPass();
    }
    save_pinpointing_info = recording;
    deductionIteration = 0;
    for (Axiom* a : heldBack)
        gcis.insert(a);
    for (RoleAxiom* a : newRoleAxioms)
        roleAxioms.insert(a);
    for (Concept* c : touched)
        markTouched(c);
}

// The reload left the lists of its concepts seeded with the told and the
// stored subsumptions, and nothing has run on them since: only the concepts
// normalised after it (the increment's, with greater ids than every
// reloaded one) are seeded, and settled after the others, so that every list
// stays sorted. A reloaded existential that the increment put on a left side
// tells its role in the incremental preparation, as after a classification.
// The GCIs and role axioms get the numbers that a preparation gives them.
void LibraryTBox::seedSinceReload()
{
    conceptsById->resize(Concept::normal_id_counter, nullptr);
    for (Concept* c : normalizedConcepts)
        if ((*conceptsById)[c->id] != c) {
            (*conceptsById)[c->id] = c;
            seedConcept(c);
        }
    settleToldSubsumptions();
    for (Axiom* a : gcis)
        if (a->index < 0)
            a->index = ++pinpointing_index;
    if (useRoleAxiomsInDeduction)
        for (RoleAxiom* a : roleAxioms)
            if (a->index < 0)
                a->index = ++pinpointing_index;
}

void LibraryTBox::linkExistentialPremises()
{
    for (Axiom* a : gcis) {
        if (a->lhs->kind != EXISTENTIAL_RESTR)
            continue;
        auto* e = static_cast<ExistentialRestr*>(a->lhs);
        Concept* G = e->getFiller();
        Role* r = e->role;
        G->deduction.addExistentialPremise(a->index, r, a->rhs);
        r->deduction.addDependent(r, G);
        ConceptList* reached = G->deduction.getCommonSubsumedWithRoleRelated(r->deduction.relatedMap(), 0, false);
        for (Concept* E : *reached)
            static_cast<ExistentialRestr*>(E)->chaining.addChained(a->rhs, {a->index, G});
        delete reached;
    }
}

void LibraryTBox::runRebuildPass()
{
    DeducedList* stored = deducedAxioms;
    deducedAxioms = nullptr;
    deductionIteration = 1;
    int conceptCount = 0;
    int roleCount = 0;
    performDeduction(conceptCount, roleCount);
    // The lists held every stored subsumption before the rules ran: what
    // they added, the stored encoding lacks; it is encoded with the next
    // pass.
    if (pendingDeducedAxioms == nullptr) {
        pendingDeducedAxioms = deducedAxioms;
    } else {
        pendingDeducedAxioms->insert(pendingDeducedAxioms->end(), deducedAxioms->begin(), deducedAxioms->end());
        delete deducedAxioms;
    }
    if (pendingDeducedAxioms->empty()) {
        delete pendingDeducedAxioms;
        pendingDeducedAxioms = nullptr;
    }
    deducedAxioms = stored;
}
