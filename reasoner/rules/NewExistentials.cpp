// The existentials that classification adds to the normal form: how they are
// seeded, and how their role learns of them.
#include "model/ExistentialRestr.h"
#include "model/TrivialConcept.h"
#include "reasoner/PassState.h"
#include "reasoner/TBox.h"
#include "reasoner/rules/RuleSupport.h"

// Bottom and (with non-primitive seeding) the concept itself start its
// subsumed list. Top receives it through the same addition as every other
// subsumee, so top is stamped and a GCI ⊤ ⊑ D is applied to it again.
void LibraryTBox::handleNonTBoxNewConcept(Concept* c, PassState& pass)
{
    const int it = pass.it;
    // A concept made here is already in normal form: it is its own backward
    // normal form, so later lookups of that form find it rather than null.
    c->flags |= Concept::BW_NORMALIZED;
    c->backwardNormalForm = c;
    if (!saveDeductionsForNews && !full_encoding)
        c->flags |= Concept::CREATED_BY_CLASSIFICATION;
    c->deduction.subsumedList();
    c->deduction.recordSubsumed(TrivialConcept::getBOTTOM());
    c->deduction.noteAdded(TrivialConcept::getBOTTOM(), it, pass.notes);
    if (initializeNonPrimitive) {
        c->deduction.recordSubsumed(c);
        c->deduction.noteAdded(c, it, pass.notes);
    }
    Concept* topConcept = TrivialConcept::getTOP();
    topConcept->deduction.addSubsumed(c, it, pass.notes, nullptr);
    pass.raise(RuleSupport::relevant(topConcept), topConcept);
}

int LibraryTBox::mergeNewConceptsInRoleRelated(ConceptList* news, Role* r, int it, DeductionNotes& notes)
{
    RoleDeduction& role = r->deduction;
    role.relatedMap();
    int count = 0;
    for (Concept* x : *news) {
        if (role.findRelated(RuleSupport::fillerOf(x)->id) != nullptr)
            continue;
        role.recordRelatedConcept(x, RuleSupport::fillerOf(x)->id);
        ++count;
        if (it > r->lastDeductionIt)
            r->setLastDeductionIt(it);
        if (role.dependents == nullptr)
            continue;
        for (const auto& dependent : *role.dependents) {
            if (dependent.second != nullptr)
                dependent.second->deduction.appendPending(x, notes);
            else
                dependent.first->deduction.appendPendingRelated(x, notes);
        }
    }
    return count;
}
