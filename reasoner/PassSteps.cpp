#include "reasoner/PassSteps.h"

#include <algorithm>
#include <bitset>
#include <iterator>
#include <memory>
#include <utility>

namespace {

using Axioms = std::vector<const Axiom*>;

// A few GCIs, sorted by address, behind a filter: most of the kept steps
// are none of them, and one bit read tells so without a search.
class AxiomLookup {
public:
    template <typename List>
    explicit AxiomLookup(const List& axioms) : sorted(axioms.begin(), axioms.end())
    {
        std::sort(sorted.begin(), sorted.end());
        for (const Axiom* a : sorted)
            filter.front().set(slot(a));
    }
    bool holds(const Axiom* a) const
    {
        return filter.front().test(slot(a)) && std::binary_search(sorted.begin(), sorted.end(), a);
    }
    bool repeats() const { return std::adjacent_find(sorted.begin(), sorted.end()) != sorted.end(); }

private:
    static constexpr std::size_t Bits = std::size_t(1) << 16;
    static std::size_t slot(const Axiom* a)
    {
        return static_cast<std::size_t>((reinterpret_cast<std::uintptr_t>(a) >> 4) * 0x9E3779B97F4A7C15ull >> 48);
    }
    Axioms sorted;
    std::vector<std::bitset<Bits>> filter = std::vector<std::bitset<Bits>>(1);
};

}

void PassSteps::update(const TBoxCore::AxiomSet& gcis, std::vector<Axiom*>& stored, const std::vector<Axiom*>& marked,
                       bool keep)
{
    if (keep && merge(gcis, stored, marked)) {
        stored.clear();
    } else {
        walk(gcis);
        // A GCI held out of the set while it was walked stays in the record.
        stored.erase(std::remove_if(stored.begin(), stored.end(),
                                    [&gcis](Axiom* a) {
                                        auto it = gcis.find(a);
                                        return it != gcis.end() && *it == a;
                                    }),
                     stored.end());
    }
    findPositions();
}

void PassSteps::take(Axiom* a, std::vector<GciStep>& into, std::vector<std::uint64_t>& leftIds, std::vector<Ids>& ids)
{
    into.emplace_back(a);
    const GciStep& step = into.back();
    if (step.kind == EXISTENTIAL_RESTR) {
        leftIds.push_back(PassCandidates::noSide);
        ids.push_back({step.filler->id, step.rhs->id});
        hints = std::max<std::size_t>(hints, std::max(step.filler->id, step.rhs->id) + 1);
    } else {
        leftIds.push_back(step.lhs->id);
        ids.push_back({0, 0});
    }
}

void PassSteps::walk(const TBoxCore::AxiomSet& gcis)
{
    all.clear();
    lefts.clear();
    workIds.clear();
    all.reserve(gcis.size());
    lefts.reserve(gcis.size());
    workIds.reserve(gcis.size());
    hints = 0;
    for (Axiom* a : gcis)
        take(a, all, lefts, workIds);
}

bool PassSteps::merge(const TBoxCore::AxiomSet& gcis, const std::vector<Axiom*>& stored,
                      const std::vector<Axiom*>& marked)
{
    if (all.empty() || all.size() + stored.size() != gcis.size())
        return false;
    const AxiomLookup storedOnes(stored);
    if (storedOnes.repeats())
        return false;
    // Each run of stored GCIs in the set goes behind the kept GCI before it
    // (null: at the front): (that GCI, the run's first in the set).
    std::vector<std::pair<const Axiom*, TBoxCore::AxiomSet::const_iterator>> runs;
    for (Axiom* a : stored) {
        auto it = gcis.find(a);
        if (it == gcis.end() || *it != a)
            return false;
        if (it == gcis.begin())
            runs.emplace_back(nullptr, it);
        else if (!storedOnes.holds(*std::prev(it)))
            runs.emplace_back(*std::prev(it), it);
    }
    std::sort(runs.begin(), runs.end(),
              [](const auto& x, const auto& y) { return std::less<const Axiom*>()(x.first, y.first); });
    // The steps of the stored GCIs, run after run, each run in the set's
    // order, and where each run ends among them.
    std::vector<GciStep> added;
    std::vector<std::uint64_t> addedLefts;
    std::vector<Ids> addedIds;
    std::vector<std::size_t> ends;
    Axioms anchors;
    for (const auto& run : runs) {
        for (auto it = run.second; it != gcis.end() && storedOnes.holds(*it); ++it)
            take(*it, added, addedLefts, addedIds);
        ends.push_back(added.size());
        anchors.push_back(run.first);
    }
    if (added.size() != stored.size())
        return false;
    const AxiomLookup behind(anchors);
    const AxiomLookup markedOnes(marked);

    // In place from the back: every kept step moves back by the runs that
    // go before it, and each run goes in right behind its kept GCI.
    const std::size_t kept = all.size();
    all.insert(all.end(), added.begin(), added.end());
    lefts.insert(lefts.end(), addedLefts.begin(), addedLefts.end());
    workIds.insert(workIds.end(), addedIds.begin(), addedIds.end());
    std::size_t to = all.size();
    std::size_t placed = 0;
    auto place = [&](const Axiom* before) {
        const std::size_t run = static_cast<std::size_t>(
            std::lower_bound(anchors.begin(), anchors.end(), before, std::less<const Axiom*>()) - anchors.begin());
        for (std::size_t j = ends[run]; j-- > (run == 0 ? 0 : ends[run - 1]);) {
            --to;
            all[to] = added[j];
            lefts[to] = addedLefts[j];
            workIds[to] = addedIds[j];
        }
        ++placed;
    };
    for (std::size_t i = kept; i-- > 0;) {
        const Axiom* a = all[i].axiom;
        if (storedOnes.holds(a))
            return false;
        if (behind.holds(a))
            place(a);
        --to;
        all[to] = all[i];
        all[to].wasNew = markedOnes.holds(a);
        lefts[to] = lefts[i];
        workIds[to] = workIds[i];
    }
    if (!anchors.empty() && anchors.front() == nullptr)
        place(nullptr);
    return placed == anchors.size() && to == 0;
}

void PassSteps::findPositions()
{
    existentials.clear();
    news.clear();
    newExistentials.clear();
    lastByRhs.assign(hints, PassCandidates::none);
    for (std::size_t i = 0; i < all.size(); ++i) {
        const bool existential = all[i].kind == EXISTENTIAL_RESTR;
        if (existential) {
            existentials.push_back(i);
            lastByRhs[workIds[i].rhs] = i;
        }
        if (all[i].wasNew)
            (existential ? newExistentials : news).push_back(i);
    }
}
