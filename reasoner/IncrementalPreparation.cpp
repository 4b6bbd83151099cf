// The preparation of a further classification run after new axioms entered
// a classified terminology: the subsumed lists, related maps, dependents,
// chain predecessors, existential premises and chained maps of the earlier
// runs stay; only the concepts and axioms that the increment touched are
// seeded, and the loop then reconsiders only what they change.
#include <map>
#include <set>
#include <vector>

#include "model/DeductionNotes.h"
#include "model/ExistentialRestr.h"
#include "model/TrivialConcept.h"
#include "reasoner/TBox.h"

void LibraryTBox::prepareIncrementalDeduction()
{
    Concept* bottomConcept = TrivialConcept::getBOTTOM();
    // What the seeds queue for the rules waits for the loop, which compares
    // only what each of its own iterations queues: their notes are kept apart.
    DeductionNotes seeding;
    // What the seeds touch is reset at the end of the run (endDeduction).
    touchedInRun.clear();
    seeding.openTouchLog(&touchedInRun);
    std::map<unsigned long, Concept*> touched;
    std::vector<Concept*> marked;
    marked.swap(touchedSinceRun);
    for (Concept* c : marked)
        if (c->flags & Concept::NEW_OR_TOUCHED) {
            touched[c->id] = c;
            c->flags &= ~Concept::NEW_OR_TOUCHED;
        }
    // A filler entered here is seeded later in this walk when its id is
    // greater; every filler takes part in the hand-over below.
    for (auto entry = touched.begin(); entry != touched.end(); ++entry) {
        Concept* c = entry->second;
        seedConcept(c);
        if (c->kind == EXISTENTIAL_RESTR) {
            Concept* filler = static_cast<ExistentialRestr*>(c)->getFiller();
            touched.emplace(filler->id, filler);
        }
    }
    if (bottomConcept->deduction.subsumers != nullptr && !bottomConcept->deduction.subsumers->empty())
        touched[bottomConcept->id] = bottomConcept;

    gcisNewToRun.clear();
    for (Axiom* a : takeNewGcis()) {
        gcisNewToRun.push_back(a);
        Concept* L = a->lhs;
        Concept* D = a->rhs;
        if (L->isAtomic())
            D->handleNewSubsumed(L, seeding);
        if (L == D || L == bottomConcept || D == TrivialConcept::getTOP())
            continue;
        L->deduction.recordSubsumer(D);
        if (initializeNonPrimitive && D->kind == CONJUNCTION)
            for (Concept* operand : *D->operands)
                L->deduction.recordSubsumer(operand);
        touched[L->id] = L;
    }

    // In ascending id every touched concept joins the lists of its new
    // subsumers, which therefore come out sorted.
    std::map<Concept*, ConceptList> bySubsumer;
    std::map<Role*, ConceptList> byRole;
    for (const auto& entry : touched) {
        Concept* c = entry.second;
        c->deduction.takeSubsumers([&bySubsumer, c](Concept* s) { bySubsumer[s].push_back(c); });
        c->deduction.takeReachedByRole([&byRole](Concept* x) {
            Role* role = static_cast<ExistentialRestr*>(x)->role;
            byRole[role].push_back(x);
            if ((x->flags & Concept::ON_LHS) && !(role->flags & Role::EXISTENTIAL_ON_LHS)) {
                role->setLastDeductionIt(1);
                role->flags |= Role::EXISTENTIAL_ON_LHS;
            }
        });
    }
    for (auto& entry : bySubsumer) {
        Concept* s = entry.first;
        s->deduction.subsumedList();
        s->deduction.mergeListInSubsumed(&entry.second, 1, seeding, nullptr, nullptr);
        markTouched(s);
        seeding.noteTouched(s);
    }
    std::set<Role*> gainedExistentials;
    for (auto& entry : byRole)
        if (mergeNewConceptsInRoleRelated(&entry.second, entry.first, 1, seeding) > 0)
            gainedExistentials.insert(entry.first);

    // A role that has become able to trigger a rule gets the existentials
    // that the earlier runs did not create over it: the role axioms that
    // lead to it are applied again as new. So are those that lead to a role
    // with new existentials that the rules could not have made themselves
    // (the role cannot trigger a rule, or no existential is made): each new
    // one may be the conclusion of premises that the earlier runs left
    // without one.
    const bool rulesMakeExistentials = createNewConceptsInDeduction;
    for (RoleAxiom* a : roleAxioms) {
        const bool relevant = a->rhs->flags & (Role::ON_LHS | Role::EXISTENTIAL_ON_LHS);
        if ((relevant && relevantRolesInDeduction.count(a->rhs) == 0) ||
            ((!relevant || !rulesMakeExistentials) && gainedExistentials.count(a->rhs) > 0))
            a->flags |= RoleAxiom::NEW_AXIOM;
    }

    // The concepts of the increment get their slots.
    if (conceptsById == nullptr)
        conceptsById = new std::vector<Concept*>();
    conceptsById->resize(Concept::normal_id_counter, nullptr);
    for (const auto& entry : touched)
        (*conceptsById)[entry.first] = entry.second;
    deduction_performed = false;
    deductionIteration = 1;
    incrementPrepared = true;
}
