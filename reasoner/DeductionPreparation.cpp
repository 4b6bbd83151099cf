// The seeds of the completion-based classification: every normalised concept
// subsumes bottom and itself and is subsumed by top; every GCI gives its
// pinpointing index and its told subsumption; every role learns its
// existentials.
#include "model/ExistentialRestr.h"
#include "model/TrivialConcept.h"
#include "reasoner/TBox.h"

void LibraryTBox::seedConcept(Concept* c)
{
    Concept* bottomConcept = TrivialConcept::getBOTTOM();
    if (c->kind == TRIVIAL_CONCEPT)
        return;
    if (c->isAtomic() || initializeNonPrimitive)
        c->deduction.recordSubsumer(c);
    c->deduction.recordSubsumer(TrivialConcept::getTOP());
    bottomConcept->deduction.recordSubsumer(c);
    if (initializeNonPrimitive && c->kind == CONJUNCTION)
        for (Concept* operand : *c->operands)
            c->deduction.recordSubsumer(operand);
    if (c->kind == EXISTENTIAL_RESTR)
        static_cast<ExistentialRestr*>(c)->getFiller()->deduction.recordReachedByRole(c);
}

void LibraryTBox::seedNormalizedConcepts()
{
    Concept* bottomConcept = TrivialConcept::getBOTTOM();
    Concept* topConcept = TrivialConcept::getTOP();
    delete conceptsById;
    conceptsById = new std::vector<Concept*>(Concept::normal_id_counter, nullptr);
    bottomConcept->deduction.recordSubsumer(bottomConcept);
    bottomConcept->deduction.recordSubsumer(topConcept);
    topConcept->deduction.recordSubsumer(topConcept);
    for (Concept* c : normalizedConcepts) {
        (*conceptsById)[c->id] = c;
        seedConcept(c);
    }
}

void LibraryTBox::prepareDeduction()
{
    if (deduction_performed) {
        // A terminology reloaded from an encoding first gets the state of
        // its classification (reasoner/EncodingReload.cpp).
        if (reloadedDeductionIncomplete)
            rebuildReloadedDeduction();
        prepareIncrementalDeduction();
        return;
    }
    reloadedDeductionIncomplete = false;
    // Every GCI is new to a classification from scratch.
    forgetNewGcis();
    Concept* bottomConcept = TrivialConcept::getBOTTOM();
    Concept* topConcept = TrivialConcept::getTOP();
    seedNormalizedConcepts();

    for (Axiom* a : gcis) {
        if (a->index < 0)
            a->index = ++pinpointing_index;
        savePinpointingInfoAxiom(a);
        if (a->lhs == a->rhs || a->lhs == bottomConcept || a->rhs == topConcept)
            continue;
        a->lhs->deduction.recordSubsumer(a->rhs);
        if (initializeNonPrimitive && a->rhs->kind == CONJUNCTION)
            for (Concept* operand : *a->rhs->operands)
                a->lhs->deduction.recordSubsumer(operand);
    }
    if (useRoleAxiomsInDeduction)
        for (RoleAxiom* a : roleAxioms)
            if (a->index < 0)
                a->index = ++pinpointing_index;

    settleToldSubsumptions();
}

void LibraryTBox::settleToldSubsumptions()
{
    // In ascending id every concept appends itself to the lists of its
    // subsumers, which therefore come out sorted. A slot without a concept
    // (an id not in the normalised set) is passed over.
    for (Concept* c : *conceptsById) {
        if (c == nullptr)
            continue;
        c->deduction.subsumedList();
        c->deduction.takeSubsumers([c](Concept* s) { s->deduction.recordSubsumed(c); });
        c->deduction.takeReachedByRole([c](Concept* x) {
            Role* role = static_cast<ExistentialRestr*>(x)->role;
            role->deduction.recordRelatedConcept(x, c->id);
            if (x->flags & Concept::ON_LHS)
                role->flags |= Role::EXISTENTIAL_ON_LHS;
        });
    }
}

int LibraryTBox::getSubsumptionsNumber()
{
    int count = 0;
    if (conceptsById != nullptr)
        for (Concept* c : *conceptsById)
            if (c != nullptr && c->deduction.subsumed != nullptr)
                count += static_cast<int>(c->deduction.subsumed->size());
    return count;
}

void LibraryTBox::clearAllDeductionStructures()
{
    for (Concept* c : normalizedConcepts) {
        c->setLastDeductionIt(0);
        c->clearAllDeductionStructures();
    }
    for (Role* r : roles) {
        r->setLastDeductionIt(0);
        r->clearAllDeductionStructures();
    }
    // The chains are linked to their roles again by the next run.
    for (RoleAxiom* a : roleAxioms) {
        a->chainLinked = false;
        a->endRun();
    }
}
