#include "model/ConceptDeduction.h"

#include <algorithm>

#include "model/Concept.h"
#include "model/DeductionNotes.h"
#include "model/ExistentialRestr.h"
#include "model/Role.h"

namespace {

// How many places on a merge looks for an id before it searches.
constexpr std::size_t shortWalk = 8;

// Appends to a log of additions field by field: an entry built aside and
// copied whole would be read back before its parts are stored.
void logAddition(std::vector<ConceptDeduction::Addition>& log, int it, std::uint32_t id, Concept* c)
{
    ConceptDeduction::Addition& entry = log.emplace_back();
    entry.it = it;
    entry.id = id;
    entry.concept = c;
}

// Whether a list of that length takes a source of that length by writing
// out their union (a list just begun, as a concept made by the rules holds
// one) rather than by inserting into it.
bool fillsShortList(std::size_t length, std::size_t sourceLength)
{
    return 4 * length <= sourceLength;
}

// Makes room in a log of additions for more entries: at least doubled, and
// a log just begun takes a few dozen at once rather than growing from one.
void reserveLog(std::vector<ConceptDeduction::Addition>& log, std::size_t more)
{
    constexpr std::size_t firstCapacity = 32;
    if (log.capacity() < log.size() + more)
        log.reserve(std::max({2 * log.capacity(), log.size() + more, firstCapacity}));
}

// An existential over a role that ends a chain logs with its role that it got
// work: the chain's applications look at those rather than at every
// existential over the role.
void noteChainWork(Concept* owner)
{
    if (owner->kind != EXISTENTIAL_RESTR)
        return;
    Role* role = static_cast<ExistentialRestr*>(owner)->role;
    if (role != nullptr && role->deduction.chainPredecessorCount() > 0)
        role->deduction.noteWorkQueued(owner);
}

bool lowerId(const ConceptDeduction::Addition& a, const ConceptDeduction::Addition& b)
{
    return a.id < b.id;
}

// The first entry of a log of additions of iteration since or later.
std::vector<ConceptDeduction::Addition>::const_iterator firstSince(const std::vector<ConceptDeduction::Addition>& log,
                                                                   int since)
{
    // The log is in order of iterations: its tail holds them.
    return std::lower_bound(log.begin(), log.end(), since,
                            [](const ConceptDeduction::Addition& e, int k) { return e.it < k; });
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

void ConceptDeduction::recordSubsumed(Concept* c)
{
    recordIn(subsumed, c);
}

void ConceptDeduction::recordSubsumer(Concept* c)
{
    if (subsumers == nullptr) {
        subsumers = new SeedList();
        subsumers->reserve(8);
    }
    if (subsumers->empty() || subsumers->back() != c)
        subsumers->push_back(c);
}

void ConceptDeduction::recordReachedByRole(Concept* c)
{
    recordIn(reachedByRole, c);
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
    if (newSubsumed->empty())
        noteChainWork(owner);
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
        if (pending->empty())
            noteChainWork(owner);
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

SubsumedIds& ConceptDeduction::syncedIds() const
{
    ids.sync(*subsumed);
    return ids;
}

const SubsumedIds& ConceptDeduction::subsumedIds() const
{
    return syncedIds();
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

template <typename Iterator, typename ConceptOf, typename IdOf, typename OnAdded>
int ConceptDeduction::mergeSorted(Iterator first, Iterator last, ConceptOf conceptOf, IdOf idOf, int it,
                                  DeductionNotes& notes, DeducedList* deduced, OnAdded onAdded)
{
    SubsumedList& list = subsumedList();
    SubsumedIds& known = syncedIds();
    // The concepts not in the list yet: the position in the list before
    // which each goes with its id, and where the source has it (kept from
    // call to call: no reaction merges again).
    static std::vector<std::pair<std::size_t, std::uint32_t>> fresh;
    static std::vector<Iterator> sources;
    fresh.clear();
    sources.clear();
    const SubsumedIds::IdList& ownIds = known.ids();
    const std::size_t size = ownIds.size();
    // A source that starts beyond the greatest id in the list (a concept
    // just made, added to top's list) goes after it whole, unsearched.
    std::size_t p = first != last && size != 0 && idOf(first) > ownIds.back() ? size : 0;
    for (Iterator source = first; source != last; ++source) {
        const auto id = static_cast<std::uint32_t>(idOf(source));
        // The lists merged are mostly of like lengths, so that the place of
        // an id is mostly a few steps on: those are taken here, a search
        // only beyond them.
        std::size_t q = p;
        const std::size_t stepsEnd = std::min(p + shortWalk, size);
        while (q != stepsEnd && ownIds[q] < id)
            ++q;
        p = q;
        if (q == stepsEnd && q != size ? known.locate(p, id) : q != size && ownIds[q] == id)
            continue;
        fresh.emplace_back(p, id);
        sources.push_back(source);
    }
    if (fresh.empty())
        return 0;
    // Merged in place from the back, the runs between the new concepts
    // moved as blocks, in the list and in its ids; the reactions then run in
    // ascending id (none of them reads this list).
    insertFromBack(
        list, fresh.size(), [&](std::size_t k) { return fresh[k].first; },
        [&](std::size_t k) { return conceptOf(sources[k]); });
    known.insert(fresh);
    if (additions == nullptr) {
        additions = new std::vector<Addition>();
        notes.noteTouched(owner);
    }
    reserveLog(*additions, fresh.size());
    for (std::size_t k = 0; k < fresh.size(); ++k)
        logAddition(*additions, it, fresh[k].second, conceptOf(sources[k]));
    for (std::size_t k = 0; k < fresh.size(); ++k)
        react(conceptOf(sources[k]), it, notes, deduced, [&] { onAdded(sources[k]); });
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
        l->begin(), l->end(), [](Iterator s) { return *s; }, [](Iterator s) { return (*s)->id; }, it, notes, deduced,
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

template <typename OnAdded>
int ConceptDeduction::fillFrom(const SubsumedList& source, const SubsumedIds::IdList& sourceIds, int it,
                               DeductionNotes& notes, DeducedList* deduced, OnAdded onAdded)
{
    SubsumedList& list = subsumedList();
    const SubsumedIds::IdList& ownIds = syncedIds().ids();
    if (additions == nullptr) {
        additions = new std::vector<Addition>();
        notes.noteTouched(owner);
    }
    // The union is written out whole, the concepts new to the list logged
    // as they pass; the log grows as much as appends one by one grow it.
    // The source's runs between the list's own ids (few: the list is much
    // the shorter) are new to it and go over as blocks.
    const std::size_t logged = additions->size();
    reserveLog(*additions, source.size());
    SubsumedList merged;
    SubsumedIds::IdList mergedIds;
    merged.reserve(list.size() + source.size());
    mergedIds.reserve(list.size() + source.size());
    auto takeRun = [&](std::size_t from, std::size_t to) {
        merged.insert(merged.end(), source.begin() + static_cast<std::ptrdiff_t>(from),
                      source.begin() + static_cast<std::ptrdiff_t>(to));
        mergedIds.insert(mergedIds.end(), sourceIds.begin() + static_cast<std::ptrdiff_t>(from),
                         sourceIds.begin() + static_cast<std::ptrdiff_t>(to));
        for (std::size_t k = from; k < to; ++k)
            logAddition(*additions, it, sourceIds[k], source[k]);
    };
    std::size_t next = 0;
    for (std::size_t p = 0; p != ownIds.size(); ++p) {
        const auto at = static_cast<std::size_t>(
            seekId(sourceIds.begin() + static_cast<std::ptrdiff_t>(next), sourceIds.end(), ownIds[p]) -
            sourceIds.begin());
        takeRun(next, at);
        next = at != sourceIds.size() && sourceIds[at] == ownIds[p] ? at + 1 : at;
        merged.push_back(list[p]);
        mergedIds.push_back(ownIds[p]);
    }
    takeRun(next, source.size());
    const std::size_t count = additions->size() - logged;
    if (count == 0)
        return 0;
    list.swap(merged);
    ids.replace(mergedIds);
    // The reactions in ascending id, as after a merge in place; none of
    // them adds to this list or its log.
    for (std::size_t k = logged; k < logged + count; ++k) {
        Concept* c = (*additions)[k].concept;
        react(c, it, notes, deduced, [&] { onAdded(c); });
    }
    return static_cast<int>(count);
}

int ConceptDeduction::mergeFrom(const ConceptDeduction& from, int since, int it, DeductionNotes& notes,
                                DeducedList* deduced, std::vector<Concept*>* added)
{
    // A list merged into itself adds nothing.
    if (from.subsumed == nullptr || from.subsumed == subsumed)
        return 0;
    auto record = [added](Concept* c) {
        if (added != nullptr)
            added->push_back(c);
    };
    if (since == 0 || 4 * from.countAddedSince(since) > from.subsumed->size()) {
        const SubsumedList& list = *from.subsumed;
        const SubsumedIds::IdList& fromIds = from.syncedIds().ids();
        if (subsumed == nullptr || fillsShortList(subsumed->size(), list.size()))
            return fillFrom(list, fromIds, it, notes, deduced, record);
        return mergeSorted(
            std::size_t{0}, list.size(), [&](std::size_t k) { return list[k]; },
            [&](std::size_t k) { return fromIds[k]; }, it, notes, deduced,
            [&](std::size_t k) { record(list[k]); });
    }
    // Kept from call to call: no reaction merges again.
    static std::vector<Addition> recent;
    recent.clear();
    if (from.additions != nullptr)
        recent.assign(firstSince(*from.additions, since), from.additions->cend());
    std::sort(recent.begin(), recent.end(), lowerId);
    using Iterator = std::vector<Addition>::const_iterator;
    return mergeSorted(
        recent.cbegin(), recent.cend(), [](Iterator s) { return s->concept; }, [](Iterator s) { return s->id; }, it,
        notes, deduced, [&](Iterator s) { record(s->concept); });
}

int ConceptDeduction::mergeMapInSubsumed(const RelatedMap* m, int it, DeductionNotes& notes, DeducedList* deduced,
                                         std::vector<Concept*>* added)
{
    if (m == nullptr)
        return 0;
    using Iterator = RelatedMap::const_iterator;
    return mergeSorted(
        m->begin(), m->end(), [](Iterator s) { return s->second; }, [](Iterator s) { return s->second->id; }, it,
        notes, deduced,
        [added](Iterator s) {
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
    // The subsumees of one merge arrive in ascending id: often the whole
    // list is in order already.
    const auto byId = [](const NewSubsumee& a, const NewSubsumee& b) { return a.id < b.id; };
    if (!std::is_sorted(taken.begin(), taken.end(), byId))
        std::stable_sort(taken.begin(), taken.end(), byId);
    taken.erase(std::unique(taken.begin(), taken.end(),
                            [](const NewSubsumee& a, const NewSubsumee& b) { return a.id == b.id; }),
                taken.end());
    using Iterator = NewSubsumedList::const_iterator;
    const int count = mergeSorted(
        taken.cbegin(), taken.cend(), [](Iterator s) { return s->concept; }, [](Iterator s) { return s->id; }, it,
        notes, deduced,
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

namespace {

// Sorts offers by id, stably. The offers come as a few ascending runs (one
// per source, mostly): the runs are merged in pairs, round after round,
// each merge taking the earlier run's offer first among equal ids, which
// gives what a stable sort would, at a pass over the offers per round.
void sortOffersById(std::vector<ConceptDeduction::SourceRecord>& offered)
{
    using Record = ConceptDeduction::SourceRecord;
    static std::vector<std::size_t> bounds;
    static std::vector<Record> merged;
    const auto byId = [](const Record& a, const Record& b) { return a.first->id < b.first->id; };
    bounds.clear();
    bounds.push_back(0);
    for (std::size_t i = 1; i < offered.size(); ++i)
        if (byId(offered[i], offered[i - 1]))
            bounds.push_back(i);
    if (bounds.size() == 1)
        return;
    bounds.push_back(offered.size());
    while (bounds.size() > 2) {
        merged.resize(offered.size());
        std::size_t kept = 1;
        for (std::size_t r = 0; r + 1 < bounds.size(); r += 2) {
            const auto from = offered.begin();
            const std::size_t mid = bounds[r + 1];
            const std::size_t last = r + 2 < bounds.size() ? bounds[r + 2] : mid;
            std::merge(from + bounds[r], from + mid, from + mid, from + last, merged.begin() + bounds[r], byId);
            bounds[kept++] = last;
        }
        bounds.resize(kept);
        offered.swap(merged);
    }
}

}

int ConceptDeduction::mergeOffered(std::vector<SourceRecord>& offered, int it, DeductionNotes& notes,
                                   DeducedList* deduced, std::vector<SourceRecord>* added)
{
    // In ascending id without repeats; a concept offered by several sources
    // is credited to the first of them in offer order.
    sortOffersById(offered);
    offered.erase(std::unique(offered.begin(), offered.end(),
                              [](const SourceRecord& a, const SourceRecord& b) { return a.first == b.first; }),
                  offered.end());
    using Iterator = std::vector<SourceRecord>::const_iterator;
    return mergeSorted(
        offered.cbegin(), offered.cend(), [](Iterator s) { return s->first; }, [](Iterator s) { return s->first->id; },
        it, notes, deduced, [added](Iterator s) {
            if (added != nullptr)
                added->push_back(*s);
        });
}

int ConceptDeduction::addSubsumed(Concept* c, int it, DeductionNotes& notes, DeducedList* deduced)
{
    Concept* const one[] = {c};
    using Iterator = Concept* const*;
    return mergeSorted(
        one, one + 1, [](Iterator s) { return *s; }, [](Iterator s) { return (*s)->id; }, it, notes, deduced,
        [](Iterator) {});
}

void ConceptDeduction::noteAdded(Concept* c, int it, DeductionNotes& notes)
{
    if (additions == nullptr) {
        additions = new std::vector<Addition>();
        notes.noteTouched(owner);
    }
    logAddition(*additions, it, static_cast<std::uint32_t>(c->id), c);
}

std::size_t ConceptDeduction::countAddedSince(int since) const
{
    if (additions == nullptr)
        return 0;
    return static_cast<std::size_t>(additions->cend() - firstSince(*additions, since));
}

namespace {

// The candidates (ascending id, given by their ids and concepts at the
// positions 0 to count - 1) found in the subsumed list of every concept of
// cs, the shortest list asked first (where a concept is most likely
// missing), appended to common; candidates that are the shortest list
// (shortestOf) need not be looked up there.
// Sorts the few lists of a conjunction's conjuncts by length, stably (of
// lists of one length the first conjunct's first, as in shortestOf), with
// no buffer to allocate as a library sort would.
template <typename T, typename Length>
void sortByLength(std::vector<T>& lists, Length length)
{
    for (std::size_t i = 1; i < lists.size(); ++i)
        for (std::size_t j = i; j > 0 && length(lists[j]) < length(lists[j - 1]); --j)
            std::swap(lists[j], lists[j - 1]);
}

template <typename IdAt, typename ConceptAt>
void keepCommon(std::size_t count, IdAt idAt, ConceptAt conceptAt, const ConceptList& cs, bool fromShortest,
                ConceptList* common)
{
    // Kept from call to call, as the lookups call nothing back.
    static std::vector<const SubsumedIds*> lists;
    static std::vector<std::size_t> cursors;
    lists.clear();
    for (const Concept* c : cs)
        lists.push_back(&c->deduction.subsumedIds());
    sortByLength(lists, [](const SubsumedIds* l) { return l->size(); });
    cursors.assign(lists.size(), 0);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t id = idAt(i);
        bool everywhere = true;
        for (std::size_t k = fromShortest ? 1 : 0; k < lists.size() && everywhere; ++k)
            everywhere = lists[k]->contains(cursors[k], id);
        if (everywhere)
            common->push_back(conceptAt(i));
    }
}

const Concept* shortestOf(const ConceptList& cs)
{
    const Concept* shortest = cs.front();
    for (const Concept* c : cs)
        if (c->deduction.subsumed->size() < shortest->deduction.subsumed->size())
            shortest = c;
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
    if (gained >= shortestOf(*cs)->deduction.subsumed->size())
        return getCommonSubsumed(cs);
    // The concepts some conjunct gained since, each looked up in the lists
    // of the others (its own holds it), the shortest first: most go at the
    // first lookup, and only the common ones are sorted.
    static std::vector<std::pair<const SubsumedIds*, const Concept*>> lists;
    static std::vector<Addition> found;
    lists.clear();
    found.clear();
    for (const Concept* c : *cs)
        lists.emplace_back(&c->deduction.subsumedIds(), c);
    sortByLength(lists, [](const std::pair<const SubsumedIds*, const Concept*>& l) { return l.first->size(); });
    for (const auto& own : lists) {
        const auto* log = own.second->deduction.additions;
        if (log == nullptr)
            continue;
        for (auto e = firstSince(*log, since); e != log->cend(); ++e) {
            bool everywhere = true;
            for (auto other = lists.cbegin(); other != lists.cend() && everywhere; ++other) {
                std::size_t from = 0;
                everywhere = other->second == own.second || other->first->contains(from, e->id);
            }
            if (everywhere)
                found.push_back(*e);
        }
    }
    std::sort(found.begin(), found.end(), lowerId);
    found.erase(std::unique(found.begin(), found.end(),
                            [](const Addition& a, const Addition& b) { return a.id == b.id; }),
                found.end());
    ConceptList* common = new ConceptList();
    for (const Addition& e : found)
        common->push_back(e.concept);
    return common;
}

ConceptDeduction::ConceptList* ConceptDeduction::getCommonSubsumed(const ConceptList* cs) const
{
    ConceptList* common = new ConceptList();
    if (cs == nullptr || cs->empty())
        return common;
    const ConceptDeduction& shortest = shortestOf(*cs)->deduction;
    const SubsumedIds::IdList& shortestIds = shortest.subsumedIds().ids();
    const SubsumedList& concepts = *shortest.subsumed;
    keepCommon(
        shortestIds.size(), [&](std::size_t i) { return shortestIds[i]; }, [&](std::size_t i) { return concepts[i]; }, *cs, true,
        common);
    return common;
}

namespace {

Concept* lookUp(const ConceptDeduction::RelatedMap& related, unsigned long key)
{
    return related.lookUp(key);
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
    const SubsumedIds& known = syncedIds();
    if (known.size() <= related.size()) {
        for (std::uint32_t id : known.ids())
            if (Concept* value = lookUp(related, id))
                keep(value);
        return common;
    }
    std::size_t p = 0;
    for (const auto& entry : related)
        if (known.contains(p, static_cast<std::uint32_t>(entry.first)))
            keep(entry.second);
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
    ids.clear();
    delete subsumers;
    subsumers = nullptr;
    delete reachedByRole;
    reachedByRole = nullptr;
}
