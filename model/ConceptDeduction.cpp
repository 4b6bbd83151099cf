#include "model/ConceptDeduction.h"

#include <algorithm>

#include "model/Concept.h"
#include "model/DeductionNotes.h"
#include "model/ExistentialRestr.h"

namespace {

// The first position in [from, to) whose id is not below id: a search that
// widens its step from `from` on, so that a walk over many targets in order
// costs little more than a walk over the shorter side.
template <typename Iterator>
Iterator seek(Iterator from, Iterator to, unsigned long id)
{
    std::size_t step = 1;
    Iterator low = from;
    while (low != to) {
        std::size_t left = static_cast<std::size_t>(to - low);
        Iterator probe = low + static_cast<std::ptrdiff_t>(std::min(step, left) - 1);
        if ((*probe)->id >= id)
            return std::lower_bound(low, probe + 1, id,
                                    [](const Concept* c, unsigned long key) { return c->id < key; });
        low = probe + 1;
        step *= 2;
    }
    return to;
}

}

template <typename List>
void ConceptDeduction::recordIn(List*& list, Concept* c)
{
    if (list == nullptr)
        list = new List();
    if (list->empty() || list->back() != c)
        list->push_back(c);
}

template <typename List>
Concept* ConceptDeduction::popFrom(List*& list)
{
    if (list == nullptr || list->empty())
        return nullptr;
    Concept* c = list->front();
    list->erase(list->begin());
    if (list->empty()) {
        delete list;
        list = nullptr;
    }
    return c;
}

void ConceptDeduction::recordSubsumed(Concept* c)
{
    recordIn(subsumed, c);
}

void ConceptDeduction::recordSubsumer(Concept* c)
{
    recordIn(subsumers, c);
}

void ConceptDeduction::recordReachedByRole(Concept* c)
{
    recordIn(reachedByRole, c);
}

Concept* ConceptDeduction::popSubsumed()
{
    return popFrom(subsumed);
}

Concept* ConceptDeduction::popSubsumer()
{
    return popFrom(subsumers);
}

Concept* ConceptDeduction::popReachedByRole()
{
    return popFrom(reachedByRole);
}

void ConceptDeduction::addExistentialPremise(int index, Role* r, Concept* d)
{
    if (existentialPremises == nullptr)
        existentialPremises = new PremiseMap();
    const auto same = existentialPremises->equal_range(index);
    for (auto p = same.first; p != same.second; ++p)
        if (p->second.first == r && p->second.second == d)
            return;
    existentialPremises->emplace_hint(same.second, index, std::make_pair(r, d));
}

void ConceptDeduction::addNewSubsumed(Concept* c, Concept* p1, Concept* p2, int index, DeductionNotes& notes)
{
    if (newSubsumed == nullptr) {
        newSubsumed = new NewSubsumedList();
        notes.noteTouched(owner);
    }
    newSubsumed->push_back({c->id, c, index, p1, p2});
    notes.noteQueued();
    notes.noteWork(owner->id);
}

void ConceptDeduction::appendPending(Concept* c, DeductionNotes& notes)
{
    notes.noteQueued();
    notes.noteWork(owner->id);
    if (c->kind != EXISTENTIAL_RESTR) {
        if (pending == nullptr) {
            pending = new ConceptList();
            notes.noteTouched(owner);
        }
        pending->push_back(c);
        return;
    }
    if (pendingExistentials == nullptr) {
        pendingExistentials = new std::vector<std::pair<Role*, RelatedPairs>>();
        notes.noteTouched(owner);
    }
    const ExistentialRestr* e = static_cast<ExistentialRestr*>(c);
    const std::pair<unsigned long, Concept*> entry(e->getFiller()->id, c);
    for (auto& bucket : *pendingExistentials)
        if (bucket.first == e->role) {
            bucket.second.push_back(entry);
            return;
        }
    pendingExistentials->push_back({e->role, {entry}});
}

bool ConceptDeduction::hasPendingExistential() const
{
    for (const auto& bucket : *pendingExistentials)
        if (!bucket.second.empty())
            return true;
    return false;
}

void ConceptDeduction::takePending(Role* r, RelatedPairs& overR, ConceptList& others)
{
    overR.clear();
    if (pendingExistentials != nullptr)
        for (auto& bucket : *pendingExistentials)
            if (bucket.first == r) {
                overR.swap(bucket.second);
                break;
            }
    // By filler id, the latest arrival of each filler kept.
    std::stable_sort(overR.begin(), overR.end(),
                     [](const RelatedPairs::value_type& a, const RelatedPairs::value_type& b) {
                         return a.first < b.first;
                     });
    std::size_t kept = 0;
    for (std::size_t k = 0; k < overR.size(); ++k) {
        if (kept > 0 && overR[kept - 1].first == overR[k].first)
            overR[kept - 1] = overR[k];
        else
            overR[kept++] = overR[k];
    }
    overR.resize(kept);
    if (pending != nullptr)
        others.splice(others.end(), *pending);
}

ConceptDeduction::SubsumedList& ConceptDeduction::subsumedList()
{
    if (subsumed == nullptr)
        subsumed = new SubsumedList();
    return *subsumed;
}

template <typename Record>
void ConceptDeduction::react(Concept* c, int it, DeductionNotes& notes, DeducedList* deduced, Record record)
{
    owner->handleNewSubsumed(c, notes);
    record();
    if (deduced != nullptr)
        deduced->emplace_back(c, owner);
    if (owner->lastDeductionIt < it)
        owner->setLastDeductionIt(it, &notes);
}

template <typename Iterator, typename ConceptOf, typename OnAdded>
int ConceptDeduction::mergeSorted(Iterator first, Iterator last, ConceptOf conceptOf, int it, DeductionNotes& notes,
                                  DeducedList* deduced, OnAdded onAdded)
{
    SubsumedList& list = subsumedList();
    // The concepts not in the list yet, each with the position in the list
    // before which it goes (kept from call to call: no reaction merges
    // again).
    static std::vector<std::pair<std::size_t, Iterator>> fresh;
    fresh.clear();
    auto p = list.begin();
    for (Iterator source = first; source != last; ++source) {
        Concept* c = conceptOf(source);
        p = seek(p, list.end(), c->id);
        if (p != list.end() && (*p)->id == c->id)
            ++p;
        else
            fresh.emplace_back(static_cast<std::size_t>(p - list.begin()), source);
    }
    if (fresh.empty())
        return 0;
    // Merged in place from the back, the runs between the new concepts
    // moved as blocks; the reactions then run in ascending id (none of them
    // reads this list).
    std::size_t end = list.size();
    list.resize(end + fresh.size());
    for (std::size_t k = fresh.size(); k > 0; --k) {
        const std::size_t at = fresh[k - 1].first;
        std::move_backward(list.begin() + static_cast<std::ptrdiff_t>(at),
                           list.begin() + static_cast<std::ptrdiff_t>(end),
                           list.begin() + static_cast<std::ptrdiff_t>(end + k));
        list[at + k - 1] = conceptOf(fresh[k - 1].second);
        end = at;
    }
    if (additions == nullptr) {
        additions = new std::vector<std::pair<int, Concept*>>();
        notes.noteTouched(owner);
    }
    for (const auto& entry : fresh)
        additions->emplace_back(it, conceptOf(entry.second));
    for (const auto& entry : fresh)
        react(conceptOf(entry.second), it, notes, deduced, [&] { onAdded(entry.second); });
    return static_cast<int>(fresh.size());
}

template <typename List>
int ConceptDeduction::mergeConcepts(const List* l, int it, DeductionNotes& notes, DeducedList* deduced,
                                    std::vector<Concept*>* added)
{
    // A list merged into itself adds nothing.
    if (l == nullptr || static_cast<const void*>(l) == static_cast<const void*>(subsumed))
        return 0;
    using Iterator = typename List::const_iterator;
    return mergeSorted(
        l->begin(), l->end(), [](Iterator s) { return *s; }, it, notes, deduced,
        [added](Iterator s) {
            if (added != nullptr)
                added->push_back(*s);
        });
}

int ConceptDeduction::mergeListInSubsumed(const ConceptList* l, int it, DeductionNotes& notes, DeducedList* deduced,
                                          std::vector<Concept*>* added)
{
    return mergeConcepts(l, it, notes, deduced, added);
}

int ConceptDeduction::mergeListInSubsumed(const SubsumedList* l, int it, DeductionNotes& notes, DeducedList* deduced,
                                          std::vector<Concept*>* added)
{
    return mergeConcepts(l, it, notes, deduced, added);
}

int ConceptDeduction::mergeMapInSubsumed(const RelatedMap* m, int it, DeductionNotes& notes, DeducedList* deduced,
                                         std::vector<Concept*>* added)
{
    if (m == nullptr)
        return 0;
    return mergeSorted(
        m->begin(), m->end(), [](RelatedMap::const_iterator s) { return s->second; }, it, notes, deduced,
        [added](RelatedMap::const_iterator s) {
            if (added != nullptr)
                added->push_back(s->second);
        });
}

int ConceptDeduction::mergeNewSubsumed(int it, DeductionNotes& notes, DeducedList* deduced,
                                       std::vector<NewSubsumedRecord>* added)
{
    if (newSubsumed == nullptr || newSubsumed->empty())
        return 0;
    // Taken out first: a reaction may queue for this concept again.
    NewSubsumedList taken;
    taken.swap(*newSubsumed);
    std::stable_sort(taken.begin(), taken.end(),
                     [](const NewSubsumee& a, const NewSubsumee& b) { return a.id < b.id; });
    taken.erase(std::unique(taken.begin(), taken.end(),
                            [](const NewSubsumee& a, const NewSubsumee& b) { return a.id == b.id; }),
                taken.end());
    using Iterator = NewSubsumedList::const_iterator;
    const int count = mergeSorted(
        taken.cbegin(), taken.cend(), [](Iterator s) { return s->concept; }, it, notes, deduced,
        [added](Iterator s) {
            if (added != nullptr)
                added->push_back({{s->concept, s->index}, {s->premise1, s->premise2}});
        });
    // The storage goes back unless the reactions queued again.
    if (newSubsumed->empty()) {
        taken.clear();
        newSubsumed->swap(taken);
    }
    return count;
}

int ConceptDeduction::mergeSubsumed(const ConceptList* sources, int it, DeductionNotes& notes, DeducedList* deduced,
                                    std::vector<SourceRecord>* added)
{
    if (sources == nullptr)
        return 0;
    std::vector<SourceRecord> offered;
    for (Concept* source : *sources)
        if (source->deduction.subsumed != nullptr && source->deduction.subsumed != subsumed)
            for (Concept* c : *source->deduction.subsumed)
                offered.emplace_back(c, source);
    return mergeOffered(offered, it, notes, deduced, added);
}

int ConceptDeduction::mergeOffered(std::vector<SourceRecord>& offered, int it, DeductionNotes& notes,
                                   DeducedList* deduced, std::vector<SourceRecord>* added)
{
    // In ascending id without repeats; a concept offered by several sources
    // is credited to the first of them in offer order.
    std::stable_sort(offered.begin(), offered.end(),
                     [](const SourceRecord& a, const SourceRecord& b) { return a.first->id < b.first->id; });
    offered.erase(std::unique(offered.begin(), offered.end(),
                              [](const SourceRecord& a, const SourceRecord& b) { return a.first == b.first; }),
                  offered.end());
    return mergeSorted(
        offered.cbegin(), offered.cend(), [](std::vector<SourceRecord>::const_iterator s) { return s->first; }, it,
        notes, deduced, [added](std::vector<SourceRecord>::const_iterator s) {
            if (added != nullptr)
                added->push_back(*s);
        });
}

int ConceptDeduction::addSubsumed(Concept* c, int it, DeductionNotes& notes, DeducedList* deduced)
{
    SubsumedList one{c};
    return mergeListInSubsumed(&one, it, notes, deduced, nullptr);
}

void ConceptDeduction::noteAdded(Concept* c, int it, DeductionNotes& notes)
{
    if (additions == nullptr) {
        additions = new std::vector<std::pair<int, Concept*>>();
        notes.noteTouched(owner);
    }
    additions->emplace_back(it, c);
}

std::size_t ConceptDeduction::countAddedSince(int since) const
{
    if (additions == nullptr)
        return 0;
    auto first = std::lower_bound(additions->begin(), additions->end(), since,
                                  [](const std::pair<int, Concept*>& e, int k) { return e.first < k; });
    return static_cast<std::size_t>(additions->end() - first);
}

const ConceptDeduction::SubsumedList* ConceptDeduction::addedSince(int since, SubsumedList& into) const
{
    into.clear();
    if (additions != nullptr) {
        // The log is in order of iterations: its tail holds them.
        auto first = std::lower_bound(additions->begin(), additions->end(), since,
                                      [](const std::pair<int, Concept*>& e, int k) { return e.first < k; });
        for (auto e = first; e != additions->end(); ++e)
            into.push_back(e->second);
    }
    std::sort(into.begin(), into.end(), [](const Concept* a, const Concept* b) { return a->id < b->id; });
    return &into;
}

namespace {

// The candidates (ascending id) found in the subsumed list of every concept
// of cs, the shortest list asked first (where a concept is most likely
// missing), appended to common; candidates that are the shortest list
// (shortestOf) need not be looked up there.
void keepCommon(const ConceptDeduction::SubsumedList& candidates, const ConceptList& cs, bool fromShortest,
                ConceptList* common)
{
    using SubsumedList = ConceptDeduction::SubsumedList;
    std::vector<const SubsumedList*> lists;
    for (const Concept* c : cs)
        lists.push_back(c->deduction.subsumed);
    // Stable: of lists of one length the first in cs comes first, as in
    // shortestOf.
    std::stable_sort(lists.begin(), lists.end(),
                     [](const SubsumedList* a, const SubsumedList* b) { return a->size() < b->size(); });
    std::vector<SubsumedList::const_iterator> cursors;
    for (const SubsumedList* l : lists)
        cursors.push_back(l->begin());
    for (Concept* candidate : candidates) {
        bool everywhere = true;
        for (std::size_t k = fromShortest ? 1 : 0; k < lists.size() && everywhere; ++k) {
            cursors[k] = seek(cursors[k], lists[k]->end(), candidate->id);
            everywhere = cursors[k] != lists[k]->end() && *cursors[k] == candidate;
        }
        if (everywhere)
            common->push_back(candidate);
    }
}

const ConceptDeduction::SubsumedList* shortestOf(const ConceptList& cs)
{
    const ConceptDeduction::SubsumedList* shortest = cs.front()->deduction.subsumed;
    for (const Concept* c : cs)
        if (c->deduction.subsumed->size() < shortest->size())
            shortest = c->deduction.subsumed;
    return shortest;
}

}

ConceptDeduction::ConceptList* ConceptDeduction::getCommonSubsumedSince(const ConceptList* cs, int since) const
{
    if (cs == nullptr || cs->empty())
        return new ConceptList();
    // When the conjuncts gained more than the shortest list holds, the
    // walk from the shortest list is the cheaper way to the same result.
    std::size_t gained = 0;
    for (const Concept* c : *cs)
        gained += c->deduction.countAddedSince(since);
    if (gained >= shortestOf(*cs)->size())
        return getCommonSubsumed(cs);
    // The concepts some conjunct gained since, each looked up in every list.
    SubsumedList candidates;
    candidates.reserve(gained);
    for (const Concept* c : *cs) {
        const auto* log = c->deduction.additions;
        if (log == nullptr)
            continue;
        auto first = std::lower_bound(log->begin(), log->end(), since,
                                      [](const std::pair<int, Concept*>& e, int k) { return e.first < k; });
        for (auto e = first; e != log->end(); ++e)
            candidates.push_back(e->second);
    }
    std::sort(candidates.begin(), candidates.end(), [](const Concept* a, const Concept* b) { return a->id < b->id; });
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    ConceptList* common = new ConceptList();
    keepCommon(candidates, *cs, false, common);
    return common;
}

ConceptDeduction::ConceptList* ConceptDeduction::getCommonSubsumed(const ConceptList* cs) const
{
    ConceptList* common = new ConceptList();
    if (cs == nullptr || cs->empty())
        return common;
    keepCommon(*shortestOf(*cs), *cs, true, common);
    return common;
}

namespace {

Concept* lookUp(const ConceptDeduction::RelatedMap& related, unsigned long key)
{
    auto found = related.find(key);
    return found == related.end() ? nullptr : found->second;
}

Concept* lookUp(const ConceptDeduction::RelatedPairs& related, unsigned long key)
{
    auto found = std::lower_bound(related.begin(), related.end(), key,
                                  [](const ConceptDeduction::RelatedPairs::value_type& e, unsigned long k) {
                                      return e.first < k;
                                  });
    return found == related.end() || found->first != key ? nullptr : found->second;
}

}

template <typename Related>
ConceptDeduction::ConceptList* ConceptDeduction::commonWithRelated(const Related& related, int it,
                                                                   bool changedOnly) const
{
    ConceptList* common = new ConceptList();
    if (related.empty() || subsumed == nullptr || subsumed->empty())
        return common;
    const bool onlyChanged = changedOnly || it > owner->lastDeductionIt;
    auto keep = [&](Concept* value) {
        if (!onlyChanged || value->lastDeductionIt >= it)
            common->push_back(value);
    };
    // The shorter side is looked up in the longer one; either way the
    // result is in ascending key order.
    if (subsumed->size() <= related.size()) {
        for (Concept* c : *subsumed)
            if (Concept* value = lookUp(related, c->id))
                keep(value);
        return common;
    }
    auto p = subsumed->cbegin();
    for (const auto& entry : related) {
        p = seek(p, subsumed->cend(), entry.first);
        if (p == subsumed->cend())
            break;
        if ((*p)->id == entry.first)
            keep(entry.second);
    }
    return common;
}

ConceptDeduction::ConceptList* ConceptDeduction::getCommonSubsumedWithRoleRelated(const RelatedMap* related, int it,
                                                                                  bool changedOnly) const
{
    return related == nullptr ? new ConceptList() : commonWithRelated(*related, it, changedOnly);
}

ConceptDeduction::ConceptList* ConceptDeduction::getCommonSubsumedWithRoleRelated(const RelatedPairs* related, int it,
                                                                                  bool changedOnly) const
{
    return related == nullptr ? new ConceptList() : commonWithRelated(*related, it, changedOnly);
}

void ConceptDeduction::clearTemporaryStructures()
{
    delete pending;
    pending = nullptr;
    delete pendingExistentials;
    pendingExistentials = nullptr;
    delete additions;
    additions = nullptr;
    delete newSubsumed;
    newSubsumed = nullptr;
}

void ConceptDeduction::clearAllDeductionStructures()
{
    clearTemporaryStructures();
    delete existentialPremises;
    existentialPremises = nullptr;
    delete subsumed;
    subsumed = nullptr;
    delete subsumers;
    subsumers = nullptr;
    delete reachedByRole;
    reachedByRole = nullptr;
}
