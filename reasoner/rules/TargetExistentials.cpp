#include "reasoner/rules/TargetExistentials.h"

#include "model/ExistentialRestr.h"
#include "reasoner/PassState.h"
#include "reasoner/TBox.h"
#include "reasoner/rules/RuleSupport.h"

TargetExistentials::TargetExistentials(LibraryTBox& tbox, Role* s, PassState& pass)
    : tbox(tbox), s(s), pass(pass), create(LibraryTBox::createNewConceptsInDeduction && RuleSupport::relevant(s))
{
}

Concept* TargetExistentials::obtain(Concept* filler)
{
    return obtain(filler->id, filler, nullptr);
}

Concept* TargetExistentials::obtain(unsigned long fillerId, const Concept* over)
{
    return obtain(fillerId, nullptr, over);
}

Concept* TargetExistentials::obtain(unsigned long fillerId, Concept* filler, const Concept* over)
{
    lastMade = false;
    // Every normalised existential over s made before this rule call is in
    // s's related map: the store would return that one.
    if (Concept* known = s->deduction.findRelated(fillerId))
        return known;
    if (filler == nullptr)
        filler = RuleSupport::fillerOf(over);
    ExistentialRestr* candidate = new ExistentialRestr(filler, s);
    Concept* stored = create ? tbox.insertNormalizedConcept(candidate) : tbox.findNormalizedConcept(candidate);
    if (stored == candidate) {
        tbox.handleNonTBoxNewConcept(candidate, pass);
        made.push_back(candidate);
        lastMade = true;
        return candidate;
    }
    // The operand is shared: deleting the candidate frees only its own list.
    delete candidate;
    return stored;
}

int TargetExistentials::finish()
{
    if (!LibraryTBox::createNewConceptsInDeduction || made.empty())
        return 0;
    int registered = tbox.mergeNewConceptsInRoleRelated(&made, s, pass.it, pass.notes);
    made.clear();
    return registered;
}
