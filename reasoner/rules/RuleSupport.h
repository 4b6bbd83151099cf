#ifndef KORVANE_REASONER_RULES_RULESUPPORT_H
#define KORVANE_REASONER_RULES_RULESUPPORT_H

#include "model/Concept.h"
#include "model/ExistentialRestr.h"
#include "model/Role.h"
#include "reasoner/TBox.h"

// What every completion rule asks in the same way: whether a target can
// trigger further rules (PassState::raise takes the answer), where its derived
// pairs go, and whether records are written.
class RuleSupport {
public:
    RuleSupport() = delete;

    // A concept occurring on a left side can trigger a rule.
    static bool relevant(const Concept* target) { return target->flags & Concept::ON_LHS; }
    // A role occurring on the left of a role axiom, or under an existential
    // on the left of a GCI, can trigger a rule.
    static bool relevant(const Role* role) { return role->flags & (Role::ON_LHS | Role::EXISTENTIAL_ON_LHS); }

    // The deduced-axioms list when the pairs derived for target get clauses
    // of their own, else null.
    static LibraryTBox::DeducedList* deducedFor(LibraryTBox& tbox, const Concept* target)
    {
        return saved(target) ? tbox.deducedAxioms : nullptr;
    }
    static bool saved(const Concept* target) { return !(target->flags & Concept::CREATED_BY_CLASSIFICATION); }
    static LibraryTBox::DeducedList* deducedIf(LibraryTBox& tbox, bool save)
    {
        return save ? tbox.deducedAxioms : nullptr;
    }

    // Records are collected only when they are written.
    static bool recording() { return LibraryTBox::save_pinpointing_info && LibraryTBox::pinpointing_f != nullptr; }
    template <typename T>
    static std::vector<T>* recordsOrNull(std::vector<T>& records)
    {
        return recording() ? &records : nullptr;
    }

    static Concept* fillerOf(const Concept* existential)
    {
        return static_cast<const ExistentialRestr*>(existential)->getFiller();
    }
    static Role* roleOf(const Concept* existential) { return static_cast<const ExistentialRestr*>(existential)->role; }
};

#endif
