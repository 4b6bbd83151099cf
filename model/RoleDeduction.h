#ifndef KORVANE_MODEL_ROLEDEDUCTION_H
#define KORVANE_MODEL_ROLEDEDUCTION_H

#include <list>
#include <map>
#include <utility>
#include <vector>

#include "model/RelatedMap.h"
#include "model/pool_allocator.h"

class Concept;
class DeductionNotes;
class Role;

// What the completion-based classification knows about one role: the
// normalised existential restrictions over it keyed by the id of their
// filler, who is to be told of new ones, and the chains it ends. Every list
// and map is made on first use and owned here.
class RoleDeduction {
public:
    using RelatedMap = ::RelatedMap;
    using DependentList = std::list<std::pair<Role*, Concept*>>;
    using RoleList = std::list<Role*, pool_allocator<Role*>>;
    using ConceptList = std::list<Concept*, pool_allocator<Concept*>>;

    RoleDeduction() = default;
    RoleDeduction(const RoleDeduction&) = delete;
    RoleDeduction& operator=(const RoleDeduction&) = delete;
    ~RoleDeduction() { clearAllDeductionStructures(); }

    // Inserts key → c unless key is present.
    void recordRelatedConcept(Concept* c, unsigned long key);
    // The related map, made empty when absent.
    RelatedMap* relatedMap();
    // The existential over this role with the filler of id key, or null:
    // asking never makes an entry.
    Concept* findRelated(unsigned long key) const;
    void addDependent(Role* s, Concept* c);
    void addChainPredecessor(Role* r);
    std::size_t chainPredecessorCount() const { return chainPredecessors == nullptr ? 0 : chainPredecessors->size(); }
    // Whether s is told of new existentials over this role (for a chain
    // this ∘ s).
    bool tellsChain(const Role* s) const;
    // Appends a new existential over this role for the chains (noted as
    // queued).
    void appendPendingRelated(Concept* c, DeductionNotes& notes);
    // Logs that the existential c over this role changed in iteration it
    // (it grows from call to call).
    void noteChanged(Concept* c, int it);
    // The existentials of the related map that changed in iteration since
    // or later, in ascending key order, into `into`.
    void changedSince(int since, std::vector<std::pair<unsigned long, Concept*>>& into) const;
    // The existential c over this role got a pending concept or a handed-on
    // subsumee while it had none: logged for the chains ending in this role.
    void noteWorkQueued(Concept* c);
    // How far the log of changes and the log of queued work reach.
    struct LogEnds {
        std::size_t changed = 0;
        std::size_t work = 0;
    };
    LogEnds logEnds() const;
    // Into `into`, in ascending key order without repeats: the existentials
    // of the related map logged as changed in iteration since or later from
    // position from.changed of that log on, or as given work from position
    // from.work of that log on.
    void changedOrWorkedSince(int since, LogEnds from, std::vector<std::pair<unsigned long, Concept*>>& into) const;

    void clearTemporaryStructures();
    void clearAllDeductionStructures();

    RelatedMap* related = nullptr;
    DependentList* dependents = nullptr;
    RoleList* chainPredecessors = nullptr;
    // The new existentials over the chain predecessors, in order of arrival;
    // kept for the whole run, each chain reading it from its own position.
    std::vector<Concept*>* pendingRelated = nullptr;
    // The log of noteChanged (a temporary structure of one classification
    // run): the stamps let the role rules skip the existentials that did
    // not change, and the log spares them the walk over all of them.
    std::vector<std::pair<int, Concept*>>* changed = nullptr;
    // The log of noteWorkQueued (a temporary structure of one run).
    std::vector<Concept*>* workQueued = nullptr;
};

#endif
