#include "reasoner/SubsumedClosure.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <utility>

#include "model/Axiom.h"
#include "model/Concept.h"
#include "model/SubsumedIds.h"
#include "model/TrivialConcept.h"

namespace {

using List = std::vector<Concept*>;
using Entry = std::pair<std::size_t, Concept*>;

void sortById(std::vector<Entry>& entries)
{
    std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.first < b.first; });
}

// The sorted list with the concepts of extra (none of them in it), sorted
// by id: extra comes with the ids, which the sort then reads.
List mergedWith(const List& sorted, std::vector<Entry>& extra)
{
    sortById(extra);
    List result;
    result.reserve(sorted.size() + extra.size());
    auto e = extra.begin();
    for (Concept* c : sorted) {
        for (; e != extra.end() && e->first < c->id; ++e)
            result.push_back(e->second);
        result.push_back(c);
    }
    for (; e != extra.end(); ++e)
        result.push_back(e->second);
    return result;
}

// The first position from `from` on whose id is not below id: steps that
// double, then a search, so that ids asked in ascending order cost little
// more than a walk of the shorter side.
List::const_iterator seek(List::const_iterator from, List::const_iterator end, std::size_t id)
{
    std::size_t step = 1;
    while (static_cast<std::size_t>(end - from) > step && from[static_cast<std::ptrdiff_t>(step)]->id < id) {
        from += static_cast<std::ptrdiff_t>(step);
        step *= 2;
    }
    const auto last = static_cast<std::size_t>(end - from) > step ? from + static_cast<std::ptrdiff_t>(step) + 1 : end;
    return std::lower_bound(from, last, id, [](const Concept* c, std::size_t i) { return c->id < i; });
}

// Inserts into the sorted list the concepts of sorted (with their ids, in
// ascending id) that it does not hold, each handed to onAdded; returns how
// many. missing is scratch.
template <typename OnAdded>
std::size_t insertMissing(List& list, const std::vector<Entry>& sorted, std::vector<Entry>& missing, OnAdded onAdded)
{
    missing.clear();
    auto from = list.cbegin();
    for (const Entry& e : sorted) {
        from = seek(from, list.cend(), e.first);
        if (from != list.cend() && (*from)->id == e.first)
            continue;
        missing.emplace_back(static_cast<std::size_t>(from - list.cbegin()), e.second);
        onAdded(e);
    }
    insertFromBack(
        list, missing.size(), [&](std::size_t k) { return missing[k].first; },
        [&](std::size_t k) { return missing[k].second; });
    return missing.size();
}

}

SubsumedClosure::SubsumedClosure(const std::vector<Concept*>& conceptsById, const std::vector<Axiom*>& gcis)
    : byId(conceptsById), below(conceptsById.size()), conceptMark(conceptsById.size(), 0)
{
    Concept* bottom = TrivialConcept::getBOTTOM();
    Concept* top = TrivialConcept::getTOP();
    for (Concept* d : byId) {
        if (d == nullptr || d == top || d->deduction.subsumed == nullptr)
            continue;
        for (Concept* x : *d->deduction.subsumed)
            if (x != d && x != bottom && x->deduction.subsumed != nullptr)
                below[d->id].push_back(x->id);
    }
    for (Axiom* a : gcis) {
        if (a->rhs == top || a->rhs->deduction.subsumed == nullptr || a->rhs->id >= byId.size())
            continue;
        if (a->lhs == bottom && a->rhs != bottom) {
            if (bottom->deduction.subsumed != nullptr)
                below[a->rhs->id].push_back(bottom->id);
        }
        else if (a->lhs->kind == CONJUNCTION && a->lhs->operands != nullptr && !a->lhs->operands->empty() &&
                 std::all_of(a->lhs->operands->begin(), a->lhs->operands->end(),
                             [](const Concept* o) { return o->deduction.subsumed != nullptr; }))
            conjunctions.push_back(a);
    }
}

// Tarjan's walk without recursion along the lists, each component emitted
// after every component that it merges.
void SubsumedClosure::condense()
{
    const std::size_t n = byId.size();
    const std::size_t none = static_cast<std::size_t>(-1);
    std::vector<std::size_t> index(n, none);
    std::vector<std::size_t> low(n, 0);
    std::vector<char> onStack(n, 0);
    std::vector<std::size_t> stack;
    std::vector<std::pair<std::size_t, std::size_t>> walk; // (concept id, next edge)
    componentOf.assign(n, none);
    std::size_t counter = 0;
    for (std::size_t root = 0; root < n; ++root) {
        if (byId[root] == nullptr || index[root] != none)
            continue;
        walk.emplace_back(root, 0);
        index[root] = low[root] = counter++;
        stack.push_back(root);
        onStack[root] = 1;
        while (!walk.empty()) {
            const std::size_t v = walk.back().first;
            std::size_t& edge = walk.back().second;
            if (edge < below[v].size()) {
                const std::size_t w = below[v][edge++];
                if (index[w] == none) {
                    index[w] = low[w] = counter++;
                    stack.push_back(w);
                    onStack[w] = 1;
                    walk.emplace_back(w, 0);
                } else if (onStack[w]) {
                    low[v] = std::min(low[v], index[w]);
                }
                continue;
            }
            walk.pop_back();
            if (!walk.empty())
                low[walk.back().first] = std::min(low[walk.back().first], low[v]);
            if (low[v] != index[v])
                continue;
            components.emplace_back();
            std::size_t w;
            do {
                w = stack.back();
                stack.pop_back();
                onStack[w] = 0;
                componentOf[w] = components.size() - 1;
                components.back().push_back(byId[w]);
            } while (w != v);
        }
    }
    componentMark.assign(components.size(), 0);
    length.assign(components.size(), 0);
    for (std::size_t c = 0; c < components.size(); ++c)
        if (components[c].front()->deduction.subsumed != nullptr)
            length[c] = components[c].front()->deduction.subsumed->size();
    gained.assign(components.size(), {});
    grown.assign(components.size(), 0);
}

std::uint32_t SubsumedClosure::freshMarks(std::size_t count)
{
    if (mark > std::numeric_limits<std::uint32_t>::max() - count - 1) {
        std::fill(conceptMark.begin(), conceptMark.end(), 0);
        std::fill(componentMark.begin(), componentMark.end(), 0);
        mark = 0;
    }
    mark += static_cast<std::uint32_t>(count);
    return mark - static_cast<std::uint32_t>(count) + 1;
}

// The longest closed list below is taken as it is; a concept below that is
// in it, or in the closed list of another one taken before, brings nothing
// new (its list is closed along the graph as well), bottom excepted: it is
// in every list, but brings its own only through a GCI. So the others go
// longest first.
void SubsumedClosure::closeComponent(std::size_t component)
{
    const std::vector<Concept*>& members = components[component];
    const std::uint32_t inUnion = freshMarks(2);
    const std::uint32_t whole = inUnion + 1;
    sources.clear();
    for (Concept* m : members)
        for (std::size_t x : below[m->id]) {
            const std::size_t k = componentOf[x];
            if (k == component)
                continue;
            sources.push_back(x);
            if (componentMark[k] != inUnion) {
                componentMark[k] = inUnion;
                links.emplace_back(static_cast<std::uint32_t>(k), static_cast<std::uint32_t>(component));
            }
        }
    if (sources.empty() && members.size() == 1)
        return;
    auto longer = [this](std::size_t a, std::size_t b) { return length[componentOf[a]] > length[componentOf[b]]; };
    auto passed = [&](std::size_t x) { return conceptMark[x] == whole && byId[x]->kind != TRIVIAL_CONCEPT; };
    extra.clear();
    auto take = [&](const List& list, std::uint32_t as) {
        for (Concept* c : list)
            if (conceptMark[c->id] < inUnion) {
                conceptMark[c->id] = as;
                extra.emplace_back(c->id, c);
            } else {
                conceptMark[c->id] = std::max(conceptMark[c->id], as);
            }
    };
    // The union of the first member's list and of the longest list below,
    // in one merge.
    const List& first = *members.front()->deduction.subsumed;
    List closed;
    if (sources.empty()) {
        closed = first;
        for (Concept* c : closed)
            conceptMark[c->id] = inUnion;
    } else {
        std::iter_swap(sources.begin(), std::min_element(sources.begin(), sources.end(), longer));
        const List& base = *byId[sources.front()]->deduction.subsumed;
        closed.reserve(base.size() + first.size());
        auto own = first.cbegin();
        std::size_t ownId = own == first.cend() ? 0 : (*own)->id;
        for (Concept* c : base) {
            const std::size_t id = c->id;
            for (; own != first.cend() && ownId < id; ownId = ++own == first.cend() ? 0 : (*own)->id) {
                conceptMark[ownId] = inUnion;
                closed.push_back(*own);
            }
            if (own != first.cend() && ownId == id)
                ownId = ++own == first.cend() ? 0 : (*own)->id;
            conceptMark[id] = whole;
            closed.push_back(c);
        }
        for (; own != first.cend(); ++own) {
            conceptMark[(*own)->id] = inUnion;
            closed.push_back(*own);
        }
        const auto rest = std::remove_if(sources.begin() + 1, sources.end(), passed);
        std::sort(sources.begin() + 1, rest, longer);
        for (auto x = sources.begin() + 1; x != rest; ++x)
            if (!passed(*x))
                take(*byId[*x]->deduction.subsumed, whole);
    }
    for (std::size_t i = 1; i < members.size(); ++i)
        take(*members[i]->deduction.subsumed, inUnion);
    if (!extra.empty())
        closed = mergedWith(closed, extra);
    length[component] = closed.size();
    for (std::size_t i = members.size(); i-- > 0;) {
        List& list = *members[i]->deduction.subsumed;
        if (list.size() == closed.size())
            continue;
        added += closed.size() - list.size();
        // The first member takes the union itself, the others a copy.
        if (i == 0)
            list.swap(closed);
        else
            list = closed;
    }
}

void SubsumedClosure::passOnGains(std::size_t component)
{
    const std::vector<Concept*>& members = components[component];
    std::vector<Entry>& gains = gained[component];
    // What is offered to the component has the first mark, what its k-th
    // member holds of it the k-th after.
    const std::uint32_t offered = freshMarks(members.size() + 1);
    extra.clear();
    auto offer = [&](const std::vector<Entry>& from) {
        for (const Entry& e : from)
            if (conceptMark[e.first] < offered) {
                conceptMark[e.first] = offered;
                extra.push_back(e);
            }
    };
    offer(gains);
    for (std::uint32_t k : gainedBelow[component])
        offer(gained[k]);
    gainedBelow[component].clear();
    if (extra.empty())
        return;
    bool sorted = false;
    std::uint32_t held = offered;
    for (Concept* m : members) {
        List& list = *m->deduction.subsumed;
        ++held;
        const std::vector<Entry>* wanted = &extra;
        if (extra.size() * 8 >= list.size()) {
            // Much is offered: a walk of the list marks what it holds, and
            // only the rest is sorted.
            for (Concept* c : list)
                if (conceptMark[c->id] >= offered)
                    conceptMark[c->id] = held;
            wanting.clear();
            for (const Entry& e : extra)
                if (conceptMark[e.first] != held)
                    wanting.push_back(e);
            sortById(wanting);
            wanted = &wanting;
        } else if (!sorted) {
            sortById(extra);
            sorted = true;
        }
        // A concept that several members lack is noted more than once.
        added += insertMissing(list, *wanted, missing, [&](const Entry& e) { gains.push_back(e); });
    }
    length[component] = members.front()->deduction.subsumed->size();
}

bool SubsumedClosure::applyConjunctions(bool all)
{
    for (std::vector<Entry>& g : gained)
        g.clear();
    bool any = false;
    for (Axiom* a : conjunctions) {
        if (!all) {
            bool changed = false;
            for (Concept* operand : *a->lhs->operands)
                changed = changed || (operand->id < byId.size() && componentOf[operand->id] < grown.size() &&
                                      grown[componentOf[operand->id]]);
            if (!changed)
                continue;
        }
        // The common concepts come in ascending id.
        auto* common = a->lhs->deduction.getCommonSubsumed(a->lhs->operands);
        extra.clear();
        for (Concept* c : *common)
            extra.emplace_back(c->id, c);
        delete common;
        std::vector<Entry>& gains = gained[componentOf[a->rhs->id]];
        const std::size_t count =
            insertMissing(*a->rhs->deduction.subsumed, extra, missing, [&](const Entry& e) { gains.push_back(e); });
        added += count;
        any = any || count != 0;
    }
    return any;
}

void SubsumedClosure::linkComponents()
{
    aboveStart.assign(components.size() + 1, 0);
    for (const auto& l : links)
        ++aboveStart[l.first + 1];
    for (std::size_t c = 0; c < components.size(); ++c)
        aboveStart[c + 1] += aboveStart[c];
    above.resize(links.size());
    std::vector<std::size_t> next(aboveStart.begin(), aboveStart.end() - 1);
    for (const auto& l : links)
        above[next[l.first]++] = l.second;
    gainedBelow.assign(components.size(), {});
}

std::size_t SubsumedClosure::close()
{
    condense();
    for (std::size_t c = 0; c < components.size(); ++c)
        closeComponent(c);
    // In topological order a component comes after every component below
    // it, which has told it what it gained in the round.
    bool all = true;
    while (applyConjunctions(all)) {
        if (all)
            linkComponents();
        all = false;
        for (std::size_t c = 0; c < components.size(); ++c) {
            if (!gainedBelow[c].empty() || (!gained[c].empty() && components[c].size() > 1))
                passOnGains(c);
            grown[c] = gained[c].empty() ? 0 : 1;
            if (grown[c])
                for (std::size_t i = aboveStart[c]; i < aboveStart[c + 1]; ++i)
                    gainedBelow[above[i]].push_back(static_cast<std::uint32_t>(c));
        }
    }
    return added;
}
