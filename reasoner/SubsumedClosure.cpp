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

using Ids = std::vector<std::uint32_t>;

// Inserts into the sorted ids those of sorted (ascending) that they lack,
// each handed to onAdded; returns how many. missing is scratch.
template <typename OnAdded>
std::size_t insertMissing(Ids& ids, const Ids& sorted, std::vector<std::pair<std::size_t, std::uint32_t>>& missing,
                          OnAdded onAdded)
{
    missing.clear();
    auto from = ids.cbegin();
    for (std::uint32_t id : sorted) {
        from = seekId(from, ids.cend(), id);
        if (from != ids.cend() && *from == id)
            continue;
        missing.emplace_back(static_cast<std::size_t>(from - ids.cbegin()), id);
        onAdded(id);
    }
    insertFromBack(
        ids, missing.size(), [&](std::size_t k) { return missing[k].first; },
        [&](std::size_t k) { return missing[k].second; });
    return missing.size();
}

}

SubsumedClosure::SubsumedClosure(const std::vector<Concept*>& conceptsById, const std::vector<Axiom*>& gcis)
    : byId(conceptsById), conceptOf(conceptsById.size(), nullptr), own(conceptsById.size()),
      kindOf(conceptsById.size(), 0), conceptMark(conceptsById.size(), 0)
{
    Concept* bottom = TrivialConcept::getBOTTOM();
    Concept* top = TrivialConcept::getTOP();
    for (Concept* d : byId) {
        if (d == nullptr || d->deduction.subsumed == nullptr)
            continue;
        kindOf[d->id] = d == top ? TOP : d == bottom ? BOTTOM : d->kind == TRIVIAL_CONCEPT ? OTHER_TRIVIAL : LISTED;
        Ids& ids = own[d->id];
        ids.reserve(d->deduction.subsumed->size());
        for (Concept* x : *d->deduction.subsumed) {
            ids.push_back(static_cast<std::uint32_t>(x->id));
            conceptOf[x->id] = x;
        }
    }
    auto inTable = [this](const Concept* c) {
        return c->id < byId.size() && byId[c->id] == c && c->deduction.subsumed != nullptr;
    };
    for (Axiom* a : gcis) {
        if (a->rhs == top || !inTable(a->rhs))
            continue;
        if (a->lhs == bottom && a->rhs != bottom) {
            if (inTable(bottom))
                kindOf[a->rhs->id] |= BOTTOM_BELOW;
        } else if (a->lhs->kind == CONJUNCTION && a->lhs->operands != nullptr && !a->lhs->operands->empty() &&
                   std::all_of(a->lhs->operands->begin(), a->lhs->operands->end(), inTable)) {
            conjunctions.push_back(a);
        }
    }
    bottomId = static_cast<std::uint32_t>(bottom->id);
}

template <typename F>
void SubsumedClosure::forEachBelow(std::uint32_t d, const Ids& list, F f) const
{
    if ((kindOf[d] & KIND) == TOP)
        return;
    for (std::uint32_t x : list)
        if (joins(d, x))
            f(x);
    if ((kindOf[d] & BOTTOM_BELOW) != 0)
        f(bottomId);
}

// Tarjan's walk without recursion along the lists, each component emitted
// after every component that it merges.
void SubsumedClosure::condense()
{
    const std::size_t n = byId.size();
    const std::uint32_t none = std::numeric_limits<std::uint32_t>::max();
    Ids index(n, none);
    Ids low(n, 0);
    std::vector<char> onStack(n, 0);
    Ids stack;
    std::vector<std::pair<std::uint32_t, std::size_t>> walk; // (concept id, next edge)
    componentOf.assign(n, none);
    memberStart.assign(1, 0);
    std::uint32_t counter = 0;
    for (std::uint32_t root = 0; root < n; ++root) {
        if (byId[root] == nullptr || index[root] != none)
            continue;
        walk.emplace_back(root, 0);
        index[root] = low[root] = counter++;
        stack.push_back(root);
        onStack[root] = 1;
        while (!walk.empty()) {
            const std::uint32_t v = walk.back().first;
            std::size_t& edge = walk.back().second;
            const Ids& list = own[v];
            std::uint32_t w = none;
            if ((kindOf[v] & KIND) != TOP)
                while (edge < list.size() && w == none) {
                    const std::uint32_t x = list[edge++];
                    if (joins(v, x))
                        w = x;
                }
            if (w == none && edge == list.size() && (kindOf[v] & BOTTOM_BELOW) != 0) {
                ++edge;
                w = bottomId;
            }
            if (w != none) {
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
            const auto component = static_cast<std::uint32_t>(componentCount());
            std::uint32_t member;
            do {
                member = stack.back();
                stack.pop_back();
                onStack[member] = 0;
                componentOf[member] = component;
                members.push_back(member);
            } while (member != v);
            memberStart.push_back(members.size());
        }
    }
    componentMark.assign(componentCount(), 0);
    closed.resize(componentCount());
    for (std::size_t c = 0; c < componentCount(); ++c)
        closed[c] = std::move(own[members[memberStart[c]]]);
    gained.assign(componentCount(), {});
    grown.assign(componentCount(), 0);
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
    const std::size_t from = memberStart[component];
    const std::size_t to = memberStart[component + 1];
    const std::uint32_t inUnion = freshMarks(2);
    const std::uint32_t whole = inUnion + 1;
    sources.clear();
    for (std::size_t i = from; i < to; ++i) {
        const std::uint32_t m = members[i];
        forEachBelow(m, i == from ? closed[component] : own[m], [&](std::uint32_t x) {
            const std::size_t k = componentOf[x];
            if (k == component)
                return;
            sources.push_back(x);
            if (componentMark[k] != inUnion) {
                componentMark[k] = inUnion;
                links.emplace_back(static_cast<std::uint32_t>(k), static_cast<std::uint32_t>(component));
            }
        });
    }
    if (sources.empty() && to - from == 1)
        return;
    auto longer = [this](std::uint32_t a, std::uint32_t b) {
        return closed[componentOf[a]].size() > closed[componentOf[b]].size();
    };
    auto passed = [&](std::uint32_t x) { return conceptMark[x] == whole && (kindOf[x] & KIND) == LISTED; };
    extra.clear();
    auto take = [&](const Ids& ids, std::uint32_t as) {
        for (std::uint32_t id : ids)
            if (conceptMark[id] < inUnion) {
                conceptMark[id] = as;
                extra.push_back(id);
            } else {
                conceptMark[id] = std::max(conceptMark[id], as);
            }
    };
    // The union of the first member's list and of the longest list below,
    // in one merge.
    Ids& first = closed[component];
    Ids merged;
    if (sources.empty()) {
        for (std::uint32_t id : first)
            conceptMark[id] = inUnion;
    } else {
        std::iter_swap(sources.begin(), std::min_element(sources.begin(), sources.end(), longer));
        const Ids& base = closed[componentOf[sources.front()]];
        merged.reserve(base.size() + first.size());
        auto ownId = first.cbegin();
        for (std::uint32_t id : base) {
            for (; ownId != first.cend() && *ownId < id; ++ownId) {
                conceptMark[*ownId] = inUnion;
                merged.push_back(*ownId);
            }
            if (ownId != first.cend() && *ownId == id)
                ++ownId;
            conceptMark[id] = whole;
            merged.push_back(id);
        }
        for (; ownId != first.cend(); ++ownId) {
            conceptMark[*ownId] = inUnion;
            merged.push_back(*ownId);
        }
        first.swap(merged);
        const auto rest = std::remove_if(sources.begin() + 1, sources.end(), passed);
        std::sort(sources.begin() + 1, rest, longer);
        for (auto x = sources.begin() + 1; x != rest; ++x)
            if (!passed(*x))
                take(closed[componentOf[*x]], whole);
    }
    for (std::size_t i = from + 1; i < to; ++i) {
        take(own[members[i]], inUnion);
        Ids().swap(own[members[i]]);
    }
    if (extra.empty())
        return;
    std::sort(extra.begin(), extra.end());
    merged.clear();
    merged.reserve(first.size() + extra.size());
    std::merge(first.begin(), first.end(), extra.begin(), extra.end(), std::back_inserter(merged));
    first.swap(merged);
}

// The component's own gains are in its list; what the components below it
// gained is looked up there, by a walk of the list when much is offered.
void SubsumedClosure::passOnGains(std::size_t component)
{
    std::vector<std::uint32_t>& gains = gained[component];
    const std::uint32_t offered = freshMarks(2);
    const std::uint32_t held = offered + 1;
    for (std::uint32_t id : gains)
        conceptMark[id] = held;
    extra.clear();
    for (std::uint32_t k : gainedBelow[component])
        for (std::uint32_t id : gained[k])
            if (conceptMark[id] < offered) {
                conceptMark[id] = offered;
                extra.push_back(id);
            }
    gainedBelow[component].clear();
    if (extra.empty())
        return;
    Ids& list = closed[component];
    if (extra.size() * 8 >= list.size()) {
        for (std::uint32_t id : list)
            if (conceptMark[id] == offered)
                conceptMark[id] = held;
        auto isHeld = [&](std::uint32_t id) { return conceptMark[id] == held; };
        extra.erase(std::remove_if(extra.begin(), extra.end(), isHeld), extra.end());
    }
    std::sort(extra.begin(), extra.end());
    insertMissing(list, extra, missing, [&](std::uint32_t id) { gains.push_back(id); });
}

// The concepts in the lists of every operand, in ascending id, into extra.
void SubsumedClosure::commonOf(const Concept& conjunction)
{
    extra.clear();
    const Ids* shortest = nullptr;
    for (const Concept* o : *conjunction.operands) {
        const Ids& ids = closed[componentOf[o->id]];
        if (shortest == nullptr || ids.size() < shortest->size())
            shortest = &ids;
    }
    cursors.clear();
    for (const Concept* o : *conjunction.operands) {
        const Ids& ids = closed[componentOf[o->id]];
        if (&ids != shortest)
            cursors.emplace_back(ids.cbegin(), ids.cend());
    }
    for (std::uint32_t id : *shortest) {
        bool everywhere = true;
        for (auto& cursor : cursors) {
            cursor.first = seekId(cursor.first, cursor.second, id);
            if (cursor.first == cursor.second)
                return;
            if (*cursor.first != id) {
                everywhere = false;
                break;
            }
        }
        if (everywhere)
            extra.push_back(id);
    }
}

bool SubsumedClosure::applyConjunctions(bool all)
{
    for (Ids& g : gained)
        g.clear();
    bool any = false;
    for (Axiom* a : conjunctions) {
        if (!all && std::none_of(a->lhs->operands->begin(), a->lhs->operands->end(),
                                 [this](const Concept* o) { return grown[componentOf[o->id]] != 0; }))
            continue;
        commonOf(*a->lhs);
        const std::size_t k = componentOf[a->rhs->id];
        any = insertMissing(closed[k], extra, missing, [&](std::uint32_t id) { gained[k].push_back(id); }) != 0 ||
              any;
    }
    return any;
}

void SubsumedClosure::linkComponents()
{
    aboveStart.assign(componentCount() + 1, 0);
    for (const auto& l : links)
        ++aboveStart[l.first + 1];
    for (std::size_t c = 0; c < componentCount(); ++c)
        aboveStart[c + 1] += aboveStart[c];
    above.resize(links.size());
    std::vector<std::size_t> next(aboveStart.begin(), aboveStart.end() - 1);
    for (const auto& l : links)
        above[next[l.first]++] = l.second;
    gainedBelow.assign(componentCount(), {});
}

std::size_t SubsumedClosure::writeBack()
{
    std::size_t added = 0;
    Ids handed;
    for (std::size_t c = 0; c < componentCount(); ++c) {
        Ids& ids = closed[c];
        for (std::size_t i = memberStart[c]; i < memberStart[c + 1]; ++i) {
            ConceptDeduction& deduction = byId[members[i]]->deduction;
            std::vector<Concept*>* list = deduction.subsumed;
            if (list == nullptr)
                continue;
            if (list->size() != ids.size()) {
                added += ids.size() - list->size();
                list->resize(ids.size());
                for (std::size_t p = 0; p < ids.size(); ++p)
                    (*list)[p] = conceptOf[ids[p]];
            }
            // The rules look the lists up by their ids: these are at hand.
            if (i + 1 < memberStart[c + 1])
                handed = ids;
            else
                handed.swap(ids);
            deduction.adoptSubsumedIds(handed);
        }
    }
    return added;
}

std::size_t SubsumedClosure::close()
{
    condense();
    for (std::size_t c = 0; c < componentCount(); ++c)
        closeComponent(c);
    // In topological order a component comes after every component below
    // it, which has told it what it gained in the round.
    bool all = true;
    while (applyConjunctions(all)) {
        if (all)
            linkComponents();
        all = false;
        for (std::size_t c = 0; c < componentCount(); ++c) {
            if (!gainedBelow[c].empty())
                passOnGains(c);
            grown[c] = gained[c].empty() ? 0 : 1;
            if (grown[c])
                for (std::size_t i = aboveStart[c]; i < aboveStart[c + 1]; ++i)
                    gainedBelow[above[i]].push_back(static_cast<std::uint32_t>(c));
        }
    }
    return writeBack();
}
