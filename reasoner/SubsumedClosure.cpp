#include "reasoner/SubsumedClosure.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "model/Axiom.h"
#include "model/Concept.h"
#include "model/TrivialConcept.h"

namespace {

using List = std::vector<Concept*>;

bool lowerId(const Concept* a, const Concept* b)
{
    return a->id < b->id;
}

// The sorted list with the concepts of extra (none of them in it), sorted.
List mergedWith(const List& sorted, List& extra)
{
    std::sort(extra.begin(), extra.end(), lowerId);
    List result;
    result.reserve(sorted.size() + extra.size());
    std::merge(sorted.begin(), sorted.end(), extra.begin(), extra.end(), std::back_inserter(result), lowerId);
    return result;
}

// The union of the lists of the sources and of the lists of own, sorted.
// Sources go longest first. With prune, a source already in the union is
// passed over: it is in the list of a source taken before, which holds its
// whole list too while every list is closed along the graph (bottom, in
// every list, excepted); the conjunctions break that.
List unionOf(std::vector<const Concept*>& sources, const std::vector<const List*>& own, bool prune,
             std::vector<char>& seen)
{
    // Each length read once, not at every comparison.
    static std::vector<std::pair<std::size_t, const Concept*>> byLength;
    byLength.clear();
    for (const Concept* x : sources)
        byLength.emplace_back(x->deduction.subsumed->size(), x);
    std::sort(byLength.begin(), byLength.end(),
              [](const auto& a, const auto& b) { return a.first > b.first; });
    for (std::size_t i = 0; i < byLength.size(); ++i)
        sources[i] = byLength[i].second;
    const List* longest = sources.empty() ? own.front() : sources.front()->deduction.subsumed;
    for (Concept* c : *longest)
        seen[c->id] = 1;
    List extra;
    auto take = [&](const List& l) {
        for (Concept* c : l)
            if (!seen[c->id]) {
                seen[c->id] = 1;
                extra.push_back(c);
            }
    };
    for (const Concept* x : sources)
        if (x->deduction.subsumed != longest && (!prune || !seen[x->id] || x->kind == TRIVIAL_CONCEPT))
            take(*x->deduction.subsumed);
    for (const List* l : own)
        if (l != longest)
            take(*l);
    for (Concept* c : *longest)
        seen[c->id] = 0;
    for (Concept* c : extra)
        seen[c->id] = 0;
    return mergedWith(*longest, extra);
}

}

SubsumedClosure::SubsumedClosure(const std::vector<Concept*>& conceptsById, const std::vector<Axiom*>& gcis)
    : byId(conceptsById), below(conceptsById.size()), seen(conceptsById.size(), 0)
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
        if (a->lhs == bottom && a->rhs != bottom)
            below[a->rhs->id].push_back(bottom->id);
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
    grown.assign(components.size(), 1);
}

bool SubsumedClosure::mergeComponent(std::size_t component, bool prune)
{
    const std::vector<Concept*>& members = components[component];
    bool belowGrew = grown[component] != 0;
    sources.clear();
    own.clear();
    for (Concept* m : members) {
        own.push_back(m->deduction.subsumed);
        for (std::size_t x : below[m->id])
            if (componentOf[x] != component) {
                sources.push_back(byId[x]);
                belowGrew = belowGrew || grown[componentOf[x]] != 0;
            }
    }
    if (!belowGrew || (sources.empty() && members.size() == 1))
        return false;
    List closed = unionOf(sources, own, prune, seen);
    bool grew = false;
    for (std::size_t i = 0; i < members.size(); ++i) {
        List& list = *members[i]->deduction.subsumed;
        if (list.size() == closed.size())
            continue;
        added += closed.size() - list.size();
        grew = true;
        // The last member takes the union itself, the others a copy.
        if (i + 1 == members.size())
            list.swap(closed);
        else
            list = closed;
    }
    return grew;
}

bool SubsumedClosure::applyConjunctions(bool all)
{
    bool any = false;
    std::vector<char> touched(components.size(), 0);
    for (Axiom* a : conjunctions) {
        if (!all) {
            bool changed = false;
            for (Concept* operand : *a->lhs->operands)
                changed = changed || (operand->id < byId.size() && componentOf[operand->id] < grown.size() &&
                                      grown[componentOf[operand->id]]);
            if (!changed)
                continue;
        }
        auto* common = a->lhs->deduction.getCommonSubsumed(a->lhs->operands);
        List& target = *a->rhs->deduction.subsumed;
        // The common concepts come in ascending id: the lookups walk the
        // target's ids once.
        const SubsumedIds& targetIds = a->rhs->deduction.subsumedIds();
        std::size_t cursor = 0;
        List extra;
        for (Concept* c : *common)
            if (!targetIds.contains(cursor, static_cast<std::uint32_t>(c->id)))
                extra.push_back(c);
        delete common;
        if (extra.empty())
            continue;
        target = mergedWith(target, extra);
        added += extra.size();
        touched[componentOf[a->rhs->id]] = 1;
        any = true;
    }
    grown.swap(touched);
    return any;
}

std::size_t SubsumedClosure::close()
{
    condense();
    bool first = true;
    while (true) {
        // In topological order a component is merged after every component
        // below it, whose mark already says whether it grew in this walk. A
        // component's members share one closed list: a member that gained
        // alone passes it on to the others here.
        for (std::size_t c = 0; c < components.size(); ++c)
            if (mergeComponent(c, first))
                grown[c] = 1;
        const bool again = applyConjunctions(first);
        first = false;
        if (!again)
            break;
    }
    return added;
}
