#include "model/LibraryConceptState.h"

#include "model/Concept.h"

void LibraryConceptState::clearAllDeductionStructures()
{
    static_cast<Concept*>(this)->clear_specific();
    deduction.clearAllDeductionStructures();
}
