// What the classification sets up before its saturation: the selectors of the
// axioms, the link clauses from input axioms to normal-form axioms, the
// assumption list, the indexes from concepts and roles to the axioms they
// trigger, and the initial and told subsumptions in the deduction queue.
#include <algorithm>
#include <vector>

#include "model/Composition.h"
#include "model/ExistentialRestr.h"
#include "model/PrefetchedWalk.h"
#include "reasoner/TBox.h"

namespace {

// What the walks over the GCIs below read of each GCI first: its numbers, or
// its sides; and of each concept, its kind.
void askNumbers(const Axiom* a)
{
    PrefetchedWalk::prefetch(&a->selector);
    PrefetchedWalk::prefetch(&a->index);
}

void askSides(const Axiom* a)
{
    PrefetchedWalk::prefetch(&a->lhs);
}

void askKind(const Concept* c)
{
    PrefetchedWalk::prefetch(&c->kind);
}

}

unsigned long ClassifierTBox::global_cnf_id_counter = 0;
unsigned long ClassifierTBox::only_deductions_cnf_id_counter = 0;
unsigned long ClassifierTBox::axioms_clauses_counter = 0;
unsigned long ClassifierTBox::deduced_clauses_counter = 0;
unsigned long ClassifierTBox::last_gci_axiom_id = 0;
unsigned long ClassifierTBox::last_gci_pinpointing_id = 0;
bool ClassifierTBox::use_original_axioms_ids = false;
bool ClassifierTBox::keepSubsumeeSets = true;

bool ClassifierTBox::prepareDeductionAndEncode(bool encode, bool pinpointing)
{
    if (deduction_performed)
        return false;
    saturation = {encode, pinpointing};
    delete encodingMap;
    encodingMap = new EncodingMap();
    deducedPairs.clear();
    assumptions.clear();
    // The GCIs are walked four times below: in order from one array rather
    // than through the tree each time. The tree is walked once (an assign
    // from its iterators walks it twice, to count and to copy), and on a
    // large terminology each step of that walk misses the caches.
    gcisInOrder.clear();
    gcisInOrder.reserve(gcis.size());
    for (Axiom* a : gcis)
        gcisInOrder.push_back(a);
    numberSelectors();
    linkNormalizedAxioms(pinpointing);
    numberRoleAxiomSelectors(pinpointing);
    indexAxiomsByPremise();
    // The normalised set is put in order here, before the rules' records
    // are allocated, although only the initial subsumptions walk it in order.
    normalizedConcepts.settle();
    compileAtomicRules();
    indexNormalExistentials();
    if (useRoleAxiomsInDeduction)
        indexRoleAxioms();
    addInitialSubsumptions();
    addToldSubsumptions();
    gcisInOrder = std::vector<Axiom*>();
    return true;
}

void ClassifierTBox::numberSelectors()
{
    if (use_original_axioms_ids)
        pinpointing_index = static_cast<int>(roleAxioms.size()) + Axiom::original_ax_counter;
    PrefetchedWalk::each(gcisInOrder, askNumbers, [](Axiom* a) {
        if (a->index < 0)
            a->index = ++pinpointing_index;
        a->selector = a->index;
    });
    if (use_original_axioms_ids) {
        global_cnf_id_counter = static_cast<unsigned long>(Axiom::original_ax_counter);
        last_gci_axiom_id = global_cnf_id_counter;
    } else {
        last_gci_axiom_id = static_cast<unsigned long>(pinpointing_index);
    }
    last_gci_pinpointing_id = static_cast<unsigned long>(pinpointing_index);
    if (!useRoleAxiomsInDeduction)
        return;
    for (RoleAxiom* ra : roleAxioms) {
        if (use_original_axioms_ids) {
            if (ra->index < 0)
                ra->index = static_cast<int>(++global_cnf_id_counter);
            ra->selector = ra->index;
        } else if (ra->index < 0) {
            ra->index = ++pinpointing_index;
        }
    }
}

// Without the original axiom ids the normal-form axioms are the assumptions.
// With them the input axioms are, and one link clause per recorded origin
// makes each normal-form axiom follow from the input axiom or from the
// normal-form axiom that it came from. Link clauses are written only when
// pinpointing: without it the concept variables start again at 1 and would
// meet the selector numbers of the links.
void ClassifierTBox::linkNormalizedAxioms(bool pinpointing)
{
    PrefetchedWalk::each(gcisInOrder, askNumbers, [this, pinpointing](Axiom* a) {
        if (!use_original_axioms_ids) {
            if (pinpointing)
                assumptions.push_back(a->selector);
        } else {
            const unsigned long selector = static_cast<unsigned long>(a->selector);
            for (unsigned long o : a->originalIds) {
                if (pinpointing)
                    handHornClause(selector, static_cast<long>(o), nullptr, 0);
                deductionsTables.link(o, selector);
                if (pinpointing)
                    assumptions.push_back(static_cast<long>(o));
            }
            for (Axiom* parent : a->generatedFrom) {
                if (pinpointing)
                    handHornClause(selector, parent->selector, nullptr, 0);
                deductionsTables.link(static_cast<unsigned long>(parent->selector), selector);
            }
            a->originalIds.clear();
            a->generatedFrom.clear();
        }
        global_cnf_id_counter = std::max(global_cnf_id_counter, static_cast<unsigned long>(a->selector));
    });
    if (!use_original_axioms_ids)
        last_gci_axiom_id = global_cnf_id_counter;
}

void ClassifierTBox::numberRoleAxiomSelectors(bool pinpointing)
{
    if (!useRoleAxiomsInDeduction)
        return;
    for (RoleAxiom* ra : roleAxioms) {
        if (!use_original_axioms_ids) {
            ra->selector = ra->index;
            global_cnf_id_counter = std::max(global_cnf_id_counter, static_cast<unsigned long>(ra->selector));
        }
        if (pinpointing)
            assumptions.push_back(ra->selector);
    }
}

void ClassifierTBox::indexAxiomsByPremise()
{
    auto follow = [](const Axiom* a) {
        PrefetchedWalk::prefetch(&a->lhs->kind);
        PrefetchedWalk::prefetch(&a->lhs->lhsAxioms);
    };
    PrefetchedWalk::each(gcisInOrder, askSides, follow, [this](Axiom* a) {
        Concept* l = a->lhs;
        if (l->isAtomic()) {
            l->lhsAxioms.push_back(a);
            return;
        }
        if (l->operands != nullptr)
            for (Concept* o : *l->operands)
                o->lhsAxioms.push_back(a);
        if (l->kind == EXISTENTIAL_RESTR)
            indexExistentialRule(a);
    });
}

void ClassifierTBox::indexNormalExistentials()
{
    normalExistentials.clear();
    existentialParts.assign(Concept::normal_id_counter, ExistentialParts{nullptr, nullptr, 0});
    // The order of the members does not matter here.
    for (Concept* c : normalizedConcepts.inInsertionOrder()) {
        if (c->kind != EXISTENTIAL_RESTR)
            continue;
        auto* e = static_cast<ExistentialRestr*>(c);
        byId(existentialParts, c) = {e->role, e->getFiller(), static_cast<uint32_t>(e->getFiller()->id)};
        normalExistentials.insert(IdPairMap<Concept*>::key(e->role->id, e->getFiller()->id), c);
    }
}

void ClassifierTBox::compileAtomicRules()
{
    atomicRules.clear();
    ruleOperandIds.clear();
    // The order of the members does not matter here: each concept has its
    // own records.
    auto follow = [](const Concept* c) {
        if (c->isAtomic() && !c->lhsAxioms.empty())
            PrefetchedWalk::prefetch(&c->lhsAxioms.front()->lhs);
    };
    PrefetchedWalk::each(normalizedConcepts.inInsertionOrder(), askKind, follow, [this](Concept* c) {
        if (!c->isAtomic() || c->lhsAxioms.empty())
            return;
        std::vector<AtomicRule>& rules = byId(atomicRules, c);
        for (Axiom* a : c->lhsAxioms)
            PrefetchedWalk::prefetch(&a->lhs);
        for (Axiom* a : c->lhsAxioms)
            PrefetchedWalk::prefetch(&a->lhs->kind);
        for (Axiom* a : c->lhsAxioms) {
            Concept* l = a->lhs;
            AtomicRule rule{a, a->rhs, nullptr, a->selector, static_cast<uint32_t>(l->kind), 0, 0, NoProbe,
                            static_cast<uint32_t>(a->rhs->id)};
            if (l->kind == CONJUNCTION) {
                rule.firstOperand = static_cast<uint32_t>(ruleOperandIds.size());
                for (Concept* x : *l->operands) {
                    ruleOperandIds.push_back(static_cast<uint32_t>(x->id));
                    if (rule.probe == NoProbe && x->id != c->id)
                        rule.probe = SubsumerIndex::bit(static_cast<uint32_t>(x->id));
                }
                rule.operandCount = static_cast<uint32_t>(ruleOperandIds.size()) - rule.firstOperand;
            } else if (l->kind == EXISTENTIAL_RESTR) {
                rule.role = static_cast<ExistentialRestr*>(l)->role;
            }
            rules.push_back(rule);
        }
    });
}

void ClassifierTBox::addInitialSubsumptions()
{
    auto ask = [](const Concept* x) {
        PrefetchedWalk::prefetch(&x->kind);
        PrefetchedWalk::prefetch(&x->subsumerIndex);
    };
    PrefetchedWalk::each(normalizedConcepts, ask, [this](Concept* x) {
        if (x->isComplex() && !initializeNonPrimitive)
            return;
        newAxiom(x, x, nullptr);
        if (x != top)
            newAxiom(x, top, nullptr);
        if (x->kind == EXISTENTIAL_RESTR)
            addRelated(static_cast<ExistentialRestr*>(x)->role, x);
        if (initializeNonPrimitive && x->kind == CONJUNCTION && x->operands != nullptr)
            for (Concept* y : *x->operands)
                newAxiom(x, y, nullptr);
    });
}

void ClassifierTBox::addToldSubsumptions()
{
    auto follow = [](const Axiom* a) {
        PrefetchedWalk::prefetch(&a->lhs->kind);
        PrefetchedWalk::prefetch(&a->lhs->subsumerIndex);
        PrefetchedWalk::prefetch(&a->rhs->kind);
    };
    PrefetchedWalk::each(gcisInOrder, askSides, follow, [this](Axiom* a) {
        if (a->lhs == a->rhs || a->rhs == top)
            return;
        newAxiom(a->lhs, a->rhs, a);
        if (a->rhs->kind == EXISTENTIAL_RESTR)
            addRelated(static_cast<ExistentialRestr*>(a->rhs)->role, a->rhs);
    });
}

void ClassifierTBox::clearAllDeductionStructures()
{
    for (Concept* c : normalizedConcepts) {
        c->subsumerIndex.clear();
        c->assertions.clear();
        c->lhsAxioms.clear();
    }
    for (Role* r : roles) {
        r->roleAxioms.clear();
        r->existentialLhs.clear();
    }
    existentialsAbove.clear();
    fillersAbove.clear();
    existentialLhsIndex.clear();
    existentialLhsPositions.clear();
    existentialLhsFillers.clear();
    atomicRules.clear();
    ruleOperandIds.clear();
    normalExistentials.clear();
    existentialParts.clear();
    relatedIndex.clear();
}
