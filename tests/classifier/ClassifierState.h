#ifndef KORVANE_TESTS_CLASSIFIER_CLASSIFIERSTATE_H
#define KORVANE_TESTS_CLASSIFIER_CLASSIFIERSTATE_H

#include "support/TestSupport.h"
#include "reasoner/TBox.h"

namespace korvane_test {

// A fresh model, terminology (without deductions tables) and names table,
// with the switches and streams as the classifier's driver sets them without
// options.
inline void resetClassifierState()
{
    resetModel();
    TBox::pinpointing_index = 0;
    TBox::global_cnf_id_counter = 0;
    TBox::only_deductions_cnf_id_counter = 0;
    TBox::axioms_clauses_counter = 0;
    TBox::deduced_clauses_counter = 0;
    TBox::last_gci_axiom_id = 0;
    TBox::last_gci_pinpointing_id = 0;
    TBox::pinpointing = true;
    TBox::use_original_axioms_ids = false;
    TBox::useRoleAxiomsInDeduction = true;
    TBox::createNewConceptsInDeduction = true;
    TBox::initializeNonPrimitive = false;
    TBox::clearNonNormalConcepts = true;
    TBox::debug_f = nullptr;
    TBox::pinpointing_f = nullptr;
    Concept::EquivalenceNames = true;
}

} // namespace korvane_test

#endif
