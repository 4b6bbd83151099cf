#ifndef KORVANE_MODEL_LIBRARYROLESTATE_H
#define KORVANE_MODEL_LIBRARYROLESTATE_H

#include "model/RoleDeduction.h"

// What a role carries in the library's build (see ModelBuild.h): the
// deduction state of the completion-based classification.
class LibraryRoleState {
public:
    void clearTemporaryStructures() { deduction.clearTemporaryStructures(); }
    void clearAllDeductionStructures() { deduction.clearAllDeductionStructures(); }

    RoleDeduction deduction;
};

#endif
