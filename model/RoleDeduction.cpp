#include "model/RoleDeduction.h"

#include <algorithm>

#include "model/DeductionNotes.h"
#include "model/ExistentialRestr.h"

void RoleDeduction::recordRelatedConcept(Concept* c, unsigned long key)
{
    relatedMap()->emplace(key, c);
}

RoleDeduction::RelatedMap* RoleDeduction::relatedMap()
{
    if (related == nullptr)
        related = new RelatedMap();
    return related;
}

Concept* RoleDeduction::findRelated(unsigned long key) const
{
    return related == nullptr ? nullptr : related->lookUp(key);
}

void RoleDeduction::addDependent(Role* s, Concept* c)
{
    if (dependents == nullptr)
        dependents = new DependentList();
    dependents->emplace_back(s, c);
}

void RoleDeduction::addChainPredecessor(Role* r)
{
    if (chainPredecessors == nullptr)
        chainPredecessors = new RoleList();
    chainPredecessors->push_back(r);
}

bool RoleDeduction::tellsChain(const Role* s) const
{
    if (dependents != nullptr)
        for (const auto& dependent : *dependents)
            if (dependent.first == s && dependent.second == nullptr)
                return true;
    return false;
}

void RoleDeduction::appendPendingRelated(Concept* c, DeductionNotes& notes)
{
    if (pendingRelated == nullptr)
        pendingRelated = new std::vector<Concept*>();
    pendingRelated->push_back(c);
    notes.noteQueued();
}

void RoleDeduction::noteChanged(Concept* c, int it)
{
    if (changed == nullptr)
        changed = new std::vector<std::pair<int, Concept*>>();
    changed->emplace_back(it, c);
}

namespace {

using ChangeLog = std::vector<std::pair<int, Concept*>>;
using KeyedExistentials = std::vector<std::pair<unsigned long, Concept*>>;

// The first entry of the log (in iteration order) stamped since or later.
ChangeLog::const_iterator firstChangedSince(const ChangeLog& log, int since)
{
    return std::lower_bound(log.begin(), log.end(), since,
                            [](const std::pair<int, Concept*>& e, int k) { return e.first < k; });
}

void sortWithoutRepeats(KeyedExistentials& into)
{
    std::sort(into.begin(), into.end());
    into.erase(std::unique(into.begin(), into.end()), into.end());
}

}

void RoleDeduction::changedSince(int since, std::vector<std::pair<unsigned long, Concept*>>& into) const
{
    into.clear();
    if (changed == nullptr)
        return;
    for (auto e = firstChangedSince(*changed, since); e != changed->end(); ++e)
        into.emplace_back(static_cast<ExistentialRestr*>(e->second)->getFiller()->id, e->second);
    sortWithoutRepeats(into);
}

void RoleDeduction::noteWorkQueued(Concept* c)
{
    if (workQueued == nullptr)
        workQueued = new std::vector<Concept*>();
    workQueued->push_back(c);
}

RoleDeduction::LogEnds RoleDeduction::logEnds() const
{
    return {changed == nullptr ? 0 : changed->size(), workQueued == nullptr ? 0 : workQueued->size()};
}

void RoleDeduction::changedOrWorkedSince(int since, LogEnds from,
                                         std::vector<std::pair<unsigned long, Concept*>>& into) const
{
    into.clear();
    auto take = [&](Concept* c) {
        const unsigned long key = static_cast<ExistentialRestr*>(c)->getFiller()->id;
        if (findRelated(key) == c)
            into.emplace_back(key, c);
    };
    if (changed != nullptr) {
        const auto read = static_cast<std::ptrdiff_t>(std::min(from.changed, changed->size()));
        const auto first = std::max(firstChangedSince(*changed, since), changed->cbegin() + read);
        for (auto e = first; e != changed->end(); ++e)
            take(e->second);
    }
    if (workQueued != nullptr)
        for (std::size_t k = from.work; k < workQueued->size(); ++k)
            take((*workQueued)[k]);
    sortWithoutRepeats(into);
}

void RoleDeduction::clearTemporaryStructures()
{
    delete pendingRelated;
    pendingRelated = nullptr;
    delete changed;
    changed = nullptr;
    delete workQueued;
    workQueued = nullptr;
}

void RoleDeduction::clearAllDeductionStructures()
{
    clearTemporaryStructures();
    delete chainPredecessors;
    chainPredecessors = nullptr;
    delete dependents;
    dependents = nullptr;
    delete related;
    related = nullptr;
}
