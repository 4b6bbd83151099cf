#include "reasoner/TBox.h"

#include <algorithm>

#include "model/Conjunction.h"
#include "model/TrivialConcept.h"
#include "model/TrivialRole.h"

TBox* TBoxCore::Instance = nullptr;
bool TBoxCore::normalized = false;
bool TBoxCore::deduction_performed = false;
bool TBoxCore::encoded = false;
bool TBoxCore::only_loaded = false;
bool TBoxCore::loaded_from_encoding = false;
bool TBoxCore::saveDeductionsForNews = false;
bool TBoxCore::clearNonNormalConcepts = true;
bool TBoxCore::useRoleAxiomsInDeduction = true;
bool TBoxCore::createNewConceptsInDeduction = true;
bool TBoxCore::initializeNonPrimitive = true;
uint64_t TBoxCore::clauses_counter = 0;
Encoder* TBoxCore::CNF_SAT_Encoder = nullptr;
uint64_t TBoxCore::concept_dag_matchings = 0;
uint64_t TBoxCore::exist_dag_matchings = 0;
uint64_t TBoxCore::conj_dag_matchings = 0;
FILE* TBoxCore::debug_f = nullptr;
FILE* TBoxCore::pinpointing_f = nullptr;
bool TBoxCore::pinpointing = false;
int TBoxCore::pinpointing_index = 0;

TBox* TBoxCore::getInstance()
{
    if (Instance == nullptr)
        Instance = new TBox();
    return Instance;
}

TBoxCore::TBoxCore()
{
    initConceptsDAG();
    initRolesDAG();
    initNormalizedConceptsDAG();
}

TBoxCore::~TBoxCore()
{
    delete conceptsById;
    delete deducedAxioms;
    if (Instance == this)
        Instance = nullptr;
    concepts.clear();
    normalizedConcepts.clear();
    roles.clear();
    inputAxioms.clear();
    gcis.clear();
    unencodedGcis.clear();
    newGcis.clear();
    storedSinceRun.clear();
    touchedSinceRun.clear();
    roleAxioms.clear();
}

void TBoxCore::initConceptsDAG()
{
    concept_dag_matchings = 0;
    exist_dag_matchings = 0;
    conj_dag_matchings = 0;
    bottom = insertConcept(TrivialConcept::getBOTTOM(), true);
    top = insertConcept(TrivialConcept::getTOP(), true);
}

void TBoxCore::initNormalizedConceptsDAG()
{
    insertNormalizedConcept(bottom);
    insertNormalizedConcept(top);
}

void TBoxCore::initRolesDAG()
{
    if (TrivialRole::EMPTY == nullptr)
        TrivialRole::EMPTY = new TrivialRole(false);
    emptyRole = insertRole(TrivialRole::EMPTY);
    if (TrivialRole::FULL == nullptr)
        TrivialRole::FULL = new TrivialRole(true);
    fullRole = insertRole(TrivialRole::FULL);
}

template <typename Share>
void TBoxCore::shareOperands(Concept* c, bool dropDuplicates, Share share)
{
    if (c->operands == nullptr || c->operands->empty())
        return;
    if (c->operands->size() == 1) {
        c->operands->front() = share(c->operands->front());
        return;
    }
    // Operands are shared in list order, then kept by ascending serial; an
    // operand equal to one already there goes before it, or is left out.
    std::vector<Concept*> shared;
    shared.reserve(c->operands->size());
    for (Concept* o : *c->operands)
        shared.push_back(share(o));
    std::stable_sort(shared.begin(), shared.end(),
                     [](const Concept* a, const Concept* b) { return a->serial < b->serial; });
    if (dropDuplicates)
        shared.erase(std::unique(shared.begin(), shared.end()), shared.end());
    ConceptList* sorted = new ConceptList(shared.begin(), shared.end());
    delete c->operands;
    c->operands = sorted;
}

Concept* TBoxCore::insertConcept(Concept* c, bool dropDuplicates)
{
    if (c->flags & Concept::IN_DAG)
        return c;
    shareOperands(c, dropDuplicates, [this](Concept* o) { return insertConcept(o, true); });
    if (c->kind == CONJUNCTION && c->operandCount() == 1) {
        // A conjunction left with one conjunct (its repeats dropped) is that
        // conjunct, which is shared already.
        Concept* only = c->operands->front();
        c->destroyNotShared(Concept::IN_DAG);
        return only;
    }
    auto inserted = concepts.insert(c);
    if (inserted.second) {
        c->id = Concept::dag_id_counter++;
        c->flags |= Concept::IN_DAG;
        return c;
    }
    Concept* s = inserted.first;
    concept_dag_matchings += 1;
    if (c->kind == CONJUNCTION)
        conj_dag_matchings += 1;
    else if (c->kind == EXISTENTIAL_RESTR)
        exist_dag_matchings += 1;
    c->destroyNotShared(Concept::IN_DAG);
    return s;
}

Role* TBoxCore::insertRole(Role* r)
{
    if (r->flags & Role::IN_DAG)
        return r;
    if (r->components != nullptr)
        for (Role*& component : *r->components)
            component = insertRole(component);
    auto inserted = roles.insert(r);
    if (!inserted.second) {
        r->destroyNotShared();
        return *inserted.first;
    }
    if (r->components != nullptr) {
        unsigned int position = 0;
        for (Role* component : *r->components)
            component->addParent(r, position++);
    }
    r->flags |= Role::IN_DAG;
    r->id = ++Role::dag_id_counter;
    return r;
}

Axiom* TBoxCore::insertGCIAxiom(Concept* lhs, Concept* rhs, bool equivalence)
{
    Axiom* a = new Axiom(lhs, rhs, ORIGINAL);
    if (equivalence) {
        a->flags |= Axiom::FROM_EQUIVALENCE;
        if (lhs->isAtomic() || rhs->isAtomic())
            a->flags |= Axiom::DEFINITION;
    }
    if (deduction_performed)
        a->flags |= Axiom::NEW_AXIOM;
    inputAxioms.push_back(a);
    return a;
}

RoleAxiom* TBoxCore::insertRIAxiom(Role* lhs, Role* rhs, bool transitive)
{
    if (!(lhs->flags & Role::IN_DAG))
        lhs = insertRole(lhs);
    if (!(rhs->flags & Role::IN_DAG))
        rhs = insertRole(rhs);
    RoleAxiom* a = new RoleAxiom(lhs, rhs, ROLE_INCLUSION);
    if (transitive) {
        a->flags |= RoleAxiom::TRANSITIVE;
        rhs->flags |= Role::TRANSITIVE;
    }
    return insertRoleAxiom(a);
}

RoleAxiom* TBoxCore::insertRoleAxiom(RoleAxiom* a)
{
    if (a->flags & RoleAxiom::IN_STORE)
        return a;
    auto inserted = roleAxioms.insert(a);
    if (!inserted.second) {
        delete a;
        return *inserted.first;
    }
    a->flags |= RoleAxiom::IN_STORE;
    if (deduction_performed)
        a->flags |= RoleAxiom::NEW_AXIOM;
    return a;
}

void TBoxCore::markNewGci(Axiom* a)
{
    if (!deduction_performed || (a->flags & Axiom::NEW_AXIOM))
        return;
    a->flags |= Axiom::NEW_AXIOM;
    newGcis.push_back(a);
}

std::vector<Axiom*> TBoxCore::takeNewGcis()
{
    std::vector<Axiom*> taken;
    taken.swap(newGcis);
    std::sort(taken.begin(), taken.end(), AxiomComparator());
    return taken;
}

Axiom* TBoxCore::insertAxiom(Axiom* a)
{
    if (a->flags & Axiom::IN_STORE) {
        markNewGci(a);
        return a;
    }
    // Many GCIs of a stored terminology read back come after every GCI
    // stored before them: one comparison with the greatest tells that a is
    // not there and where it goes.
    const bool last = !gcis.empty() && gcis.key_comp()(*gcis.rbegin(), a);
    auto found = last || gciIndex.rulesOut(a) ? gcis.end() : gcis.find(a);
    if (found != gcis.end()) {
        Axiom* s = *found;
        delete a;
        markNewGci(s);
        return s;
    }
    if (deduction_performed) {
        a->flags |= Axiom::NOT_ENCODED;
        unencodedGcis.push_back(a);
        storedSinceRun.push_back(a);
        a->flags &= static_cast<uint16_t>(~Axiom::NEW_AXIOM);
    }
    if (!(a->rhs->flags & Concept::ON_LHS))
        a->rhs->flags |= Concept::ORDERED_OFF_LHS;
    if (last)
        gcis.emplace_hint(gcis.end(), a);
    else
        gcis.insert(a);
    gciIndex.add(a);
    a->flags |= Axiom::IN_STORE;
    markNewGci(a);
    return a;
}

Concept* TBoxCore::insertNormalizedConcept(Concept* c)
{
    if (deduction_performed)
        c->flags |= Concept::NEW_OR_TOUCHED;
    if (c->flags & Concept::NORMAL) {
        if (deduction_performed)
            markTouched(c);
        return c;
    }
    shareOperands(c, false, [this](Concept* o) { return insertNormalizedConcept(o); });
    if (c->kind == CONJUNCTION && c->operandCount() == 1)
        return c->operands->front();
    auto inserted = normalizedConcepts.insert(c);
    if (inserted.second) {
        adoptNormalizedConcept(c);
        if (deduction_performed)
            markTouched(c);
        return c;
    }
    Concept* s = inserted.first;
    if (deduction_performed)
        markTouched(s);
    return s;
}

void TBoxCore::markTouched(Concept* c)
{
    c->flags |= Concept::NEW_OR_TOUCHED;
    touchedSinceRun.push_back(c);
}

Concept* TBoxCore::normalConjunction(ConceptList* operands)
{
    Concept* made = new Conjunction(operands);
    Concept* stored = insertNormalizedConcept(made);
    if (stored != made)
        delete made;
    return stored;
}

void TBoxCore::adoptNormalizedConcept(Concept* c)
{
    if (c->operands != nullptr) {
        unsigned int position = 0;
        for (Concept* o : *c->operands)
            o->addParent(c, position++);
    }
    c->flags |= Concept::IN_DAG | Concept::NORMAL;
    c->id = Concept::normal_id_counter++;
}

Concept* TBoxCore::findNormalizedConcept(Concept* c)
{
    if (c->flags & Concept::NORMAL)
        return c;
    if (c->operands != nullptr && !c->operands->empty()) {
        if (c->operands->size() == 1) {
            Concept* n = findNormalizedConcept(c->operands->front());
            if (n == nullptr)
                return nullptr;
            c->operands->front() = n;
            if (c->kind == CONJUNCTION)
                return n;
        } else {
            std::vector<Concept*> found;
            found.reserve(c->operands->size());
            for (Concept* o : *c->operands) {
                Concept* n = findNormalizedConcept(o);
                if (n == nullptr)
                    return nullptr;
                found.push_back(n);
            }
            std::stable_sort(found.begin(), found.end(),
                             [](const Concept* a, const Concept* b) { return a->serial < b->serial; });
            c->operands->assign(found.begin(), found.end());
        }
    }
    return normalizedConcepts.find(c);
}

void TBoxCore::clearNonNormalAndSharedConcepts()
{
    if (!clearNonNormalConcepts)
        return;
    for (Concept* c : concepts.inInsertionOrder())
        if (!(c->flags & Concept::NORMAL))
            delete c;
    concepts.clear();
}
