#include "model/ConceptDeduction.h"

#include <algorithm>
#include <cmath>

#include "model/Concept.h"

void ConceptDeduction::recordIn(ConceptList*& list, Concept* c)
{
    if (list == nullptr)
        list = new ConceptList();
    if (list->empty() || list->back() != c)
        list->push_back(c);
}

Concept* ConceptDeduction::popFrom(ConceptList*& list)
{
    if (list == nullptr || list->empty())
        return nullptr;
    Concept* c = list->front();
    list->pop_front();
    if (list->empty()) {
        delete list;
        list = nullptr;
    }
    return c;
}

void ConceptDeduction::addNewSubsumed(Concept* c, Concept* p1, Concept* p2, int index)
{
    if (newSubsumed == nullptr)
        newSubsumed = new NewSubsumedMap();
    if (newSubsumedPremises == nullptr)
        newSubsumedPremises = new NewPremiseMap();
    if (newSubsumed->emplace(c->id, std::make_pair(c, index)).second)
        newSubsumedPremises->emplace(c->id, std::make_pair(p1, p2));
}

void ConceptDeduction::appendPending(Concept* c)
{
    if (pending == nullptr)
        pending = new ConceptList();
    pending->push_back(c);
}

ConceptDeduction::ConceptList& ConceptDeduction::subsumedList()
{
    if (subsumed == nullptr)
        subsumed = new ConceptList();
    return *subsumed;
}

template <typename Record>
void ConceptDeduction::react(Concept* c, int it, DeducedList* deduced, Record record)
{
    owner->handleNewSubsumed(c);
    record();
    if (deduced != nullptr)
        deduced->emplace_back(c, owner);
    if (owner->lastDeductionIt < it)
        owner->setLastDeductionIt(it);
}

template <typename Iterator, typename ConceptOf, typename OnAdded>
int ConceptDeduction::mergeSorted(Iterator first, Iterator last, ConceptOf conceptOf, int it, DeducedList* deduced,
                                  OnAdded onAdded)
{
    int count = 0;
    auto p = subsumed->begin();
    for (Iterator source = first; source != last; ++source) {
        Concept* c = conceptOf(source);
        while (p != subsumed->end() && (*p)->id < c->id)
            ++p;
        if (p != subsumed->end() && (*p)->id == c->id) {
            ++p;
            continue;
        }
        subsumed->insert(p, c);
        react(c, it, deduced, [&] { onAdded(source); });
        ++count;
    }
    return count;
}

int ConceptDeduction::mergeListInSubsumed(const ConceptList* l, int it, DeducedList* deduced,
                                          std::vector<Concept*>* added)
{
    if (l == nullptr)
        return 0;
    return mergeSorted(
        l->begin(), l->end(), [](ConceptList::const_iterator s) { return *s; }, it, deduced,
        [added](ConceptList::const_iterator s) {
            if (added != nullptr)
                added->push_back(*s);
        });
}

int ConceptDeduction::mergeMapInSubsumed(const RelatedMap* m, int it, DeducedList* deduced,
                                         std::vector<Concept*>* added)
{
    if (m == nullptr)
        return 0;
    return mergeSorted(
        m->begin(), m->end(), [](RelatedMap::const_iterator s) { return s->second; }, it, deduced,
        [added](RelatedMap::const_iterator s) {
            if (added != nullptr)
                added->push_back(s->second);
        });
}

int ConceptDeduction::mergeNewSubsumed(int it, DeducedList* deduced, std::vector<NewSubsumedRecord>* added)
{
    if (newSubsumed == nullptr)
        return 0;
    return mergeSorted(
        newSubsumed->begin(), newSubsumed->end(), [](NewSubsumedMap::const_iterator s) { return s->second.first; },
        it, deduced, [this, added](NewSubsumedMap::const_iterator s) {
            if (added == nullptr)
                return;
            auto premises = newSubsumedPremises->find(s->first);
            added->push_back({s->second, premises->second});
        });
}

int ConceptDeduction::mergeSubsumed(const ConceptList* sources, int it, DeducedList* deduced,
                                    std::vector<SourceRecord>* added)
{
    if (sources == nullptr)
        return 0;
    // The union of the sources' lists in ascending id; a concept offered by
    // several sources is credited to the first of them in source order.
    std::vector<SourceRecord> offered;
    for (Concept* source : *sources)
        if (source->deduction.subsumed != nullptr)
            for (Concept* c : *source->deduction.subsumed)
                offered.emplace_back(c, source);
    std::stable_sort(offered.begin(), offered.end(),
                     [](const SourceRecord& a, const SourceRecord& b) { return a.first->id < b.first->id; });
    offered.erase(std::unique(offered.begin(), offered.end(),
                              [](const SourceRecord& a, const SourceRecord& b) { return a.first == b.first; }),
                  offered.end());
    return mergeSorted(
        offered.cbegin(), offered.cend(), [](std::vector<SourceRecord>::const_iterator s) { return s->first; }, it,
        deduced, [added](std::vector<SourceRecord>::const_iterator s) {
            if (added != nullptr)
                added->push_back(*s);
        });
}

int ConceptDeduction::addSubsumed(Concept* c, int it, DeducedList* deduced)
{
    ConceptList& list = subsumedList();
    if (!list.empty() && list.back()->id >= c->id) {
        ConceptList one{c};
        return mergeListInSubsumed(&one, it, deduced, nullptr);
    }
    list.push_back(c);
    react(c, it, deduced, [] {});
    return 1;
}

ConceptDeduction::ConceptList* ConceptDeduction::getCommonSubsumed(const ConceptList* cs) const
{
    ConceptList* common = new ConceptList();
    if (cs == nullptr || cs->empty())
        return common;
    std::vector<Concept*> kept(cs->front()->deduction.subsumed->begin(), cs->front()->deduction.subsumed->end());
    std::vector<Concept*> next;
    for (auto c = std::next(cs->begin()); c != cs->end() && !kept.empty(); ++c) {
        next.clear();
        const ConceptList& other = *(*c)->deduction.subsumed;
        auto o = other.begin();
        for (Concept* k : kept) {
            while (o != other.end() && (*o)->id < k->id)
                ++o;
            if (o == other.end())
                break;
            if (*o == k)
                next.push_back(k);
        }
        kept.swap(next);
    }
    common->assign(kept.begin(), kept.end());
    return common;
}

ConceptDeduction::ConceptList* ConceptDeduction::getCommonSubsumedWithRoleRelated(const RelatedMap* related, int it,
                                                                                  bool changedOnly) const
{
    ConceptList* common = new ConceptList();
    if (related == nullptr || related->empty() || subsumed == nullptr || subsumed->empty())
        return common;
    const bool onlyChanged = changedOnly || it > owner->lastDeductionIt;
    auto keep = [&](Concept* value) {
        if (!onlyChanged || value->lastDeductionIt >= it)
            common->push_back(value);
    };
    // Look the short list up in the long one when that is cheaper than one
    // walk over both; either way the result is in ascending key order.
    const double lookups = static_cast<double>(subsumed->size()) * std::log2(related->size() + 1.0);
    if (lookups < static_cast<double>(subsumed->size() + related->size())) {
        for (Concept* c : *subsumed) {
            auto found = related->find(c->id);
            if (found != related->end())
                keep(found->second);
        }
        return common;
    }
    auto r = related->begin();
    for (Concept* c : *subsumed) {
        while (r != related->end() && r->first < c->id)
            ++r;
        if (r == related->end())
            break;
        if (r->first == c->id)
            keep(r->second);
    }
    return common;
}

void ConceptDeduction::clearTemporaryStructures()
{
    delete pending;
    pending = nullptr;
    delete newSubsumed;
    newSubsumed = nullptr;
    delete newSubsumedPremises;
    newSubsumedPremises = nullptr;
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
