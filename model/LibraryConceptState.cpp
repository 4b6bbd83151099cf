#include "model/LibraryConceptState.h"

#include "model/Concept.h"

std::vector<Concept*>* LibraryConceptState::stampLog = nullptr;

void LibraryConceptState::clearAllDeductionStructures()
{
    static_cast<Concept*>(this)->clear_specific();
    deduction.clearAllDeductionStructures();
}
