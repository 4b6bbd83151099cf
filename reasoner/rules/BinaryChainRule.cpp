// r1 ∘ r2 ⊑ s: W ⊑ ∃r1.Z and Z ⊑ ∃r2.F give W ⊑ ∃s.F. Seen from each
// X = ∃r2.F: the existentials ∃r1.Z over X's subsumees Z pass their
// subsumees on to Y = ∃s.F (X itself when s is r2), through the existential
// rule's bulk step, so that Y is chained to them. Later applications take
// only what is new: existentials over r1 (read from r2's pendingRelated,
// which every chain ending in r2 reads from its own position), subsumees of
// X (X's pending), and subsumees of the chained existentials (Y's
// newSubsumed). What an application adds to X's pending while it runs (when
// Y is X) waits for the next one, except under a transitivity, which needs
// no second look at it (below).
#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>
#include <map>
#include <utility>
#include <vector>

#include "reasoner/PassState.h"
#include "reasoner/TBox.h"
#include "reasoner/rules/RuleSupport.h"
#include "reasoner/rules/TargetExistentials.h"

namespace {

bool isBinaryChain(const RoleAxiom* a)
{
    return a->lhs->kind == COMPOSITION && a->lhs->componentCount() == 2;
}

Role* firstOf(const Role* chain)
{
    return chain->components->front();
}

Role* secondOf(const Role* chain)
{
    return chain->components->back();
}

bool takesPart(const RoleAxiom* a, int it)
{
    return isBinaryChain(a) && (it == 0 || (a->flags & RoleAxiom::NEW_AXIOM));
}

// r1 tells r2 of its new existentials (once for all chains r1 ∘ r2), and r2
// counts r1 once per chain: an axiom applied again as new is linked once.
void link(RoleAxiom* a)
{
    if (a->chainLinked)
        return;
    a->chainLinked = true;
    Role* r1 = firstOf(a->lhs);
    Role* r2 = secondOf(a->lhs);
    if (!r1->deduction.tellsChain(r2))
        r1->deduction.addDependent(r2, nullptr);
    r2->deduction.addChainPredecessor(r1);
}

// The filler ids of the new existentials over r1 in a filter of a few
// thousand bits, when they are many but not too many for it: most
// existentials over r2 reach none of them, which their subsumees' ids tell
// at a bit each rather than by a search among the arrivals. The filter lies
// in the object itself: the rule leaves the heap as it found it.
class ArrivalFilter {
public:
    explicit ArrivalFilter(const ConceptDeduction::RelatedPairs& arrivals)
        : used(arrivals.size() >= fromArrivals && arrivals.size() <= toArrivals)
    {
        if (!used)
            return;
        bits.fill(0);
        for (const auto& arrival : arrivals) {
            const std::uint32_t bit = hashed(arrival.first);
            bits[bit / 64] |= std::uint64_t{1} << (bit % 64);
        }
    }
    // Whether X's subsumees may hold the filler of an arrival.
    bool mayReach(const Concept* X) const
    {
        if (!used)
            return true;
        if (X->deduction.subsumed == nullptr || X->deduction.subsumed->empty())
            return false;
        for (std::uint32_t id : X->deduction.subsumedIds().ids()) {
            const std::uint32_t bit = hashed(id);
            if ((bits[bit / 64] >> (bit % 64) & 1) != 0)
                return true;
        }
        return false;
    }

private:
    static constexpr unsigned filterBits = 15;
    static constexpr std::size_t fromArrivals = 64;
    static constexpr std::size_t toArrivals = (std::size_t{1} << filterBits) / 32;
    static std::uint32_t hashed(unsigned long id) { return filterSlot(id, filterBits); }
    bool used;
    std::array<std::uint64_t, (std::size_t{1} << filterBits) / 64> bits;
};

// Applies the chain to the existentials over role that its logs name as
// changed in iteration since or later or, from position from.work, as
// given work, in ascending key order as a walk of the whole related map
// would: an existential that the applications log after its key is passed
// joins those ahead. The others hold no work, and of their offers to the
// marker only the last one's counts (none of them can raise it): the last
// existential of the map makes it.
template <typename Apply>
void applyWhereLogged(const RoleDeduction& role, int since, RoleDeduction::LogEnds from, Apply& apply,
                      PassState& pass, bool relevant)
{
    std::vector<std::pair<unsigned long, Concept*>> due;
    role.changedOrWorkedSince(since, {0, from.work}, due);
    RoleDeduction::LogEnds seen = role.logEnds();
    std::vector<std::pair<unsigned long, Concept*>> joined;
    for (std::size_t k = 0; k < due.size(); ++k) {
        apply(due[k].first, due[k].second);
        const RoleDeduction::LogEnds now = role.logEnds();
        if (now.changed == seen.changed && now.work == seen.work)
            continue;
        role.changedOrWorkedSince(0, seen, joined);
        seen = now;
        const auto ahead = std::upper_bound(joined.begin(), joined.end(),
                                            std::make_pair(due[k].first, static_cast<Concept*>(nullptr)),
                                            [](const auto& x, const auto& y) { return x.first < y.first; });
        if (ahead == joined.end())
            continue;
        due.insert(due.end(), ahead, joined.end());
        std::sort(due.begin() + static_cast<std::ptrdiff_t>(k + 1), due.end());
        due.erase(std::unique(due.begin() + static_cast<std::ptrdiff_t>(k + 1), due.end()), due.end());
    }
    const RelatedMap* related = role.related;
    if (related == nullptr || related->empty())
        return;
    const auto& last = *std::prev(related->end());
    if (due.empty() || due.back().first != last.first)
        pass.raise(relevant, last.second);
}

}

int LibraryTBox::applyFirstBinaryChainSteps(PassState& pass)
{
    for (RoleAxiom* a : roleAxioms)
        if (takesPart(a, pass.it))
            link(a);
    int count = 0;
    for (RoleAxiom* a : roleAxioms) {
        if (!takesPart(a, pass.it))
            continue;
        Role* r1 = firstOf(a->lhs);
        Role* r2 = secondOf(a->lhs);
        Role* s = a->rhs;
        TargetExistentials targets(*this, s, pass);
        for (const auto& entry : *r2->deduction.relatedMap()) {
            Concept* X = entry.second;
            ConceptList* common = X->deduction.getCommonSubsumedWithRoleRelated(r1->deduction.relatedMap(), 0, false);
            if (common->empty()) {
                delete common;
                continue;
            }
            Concept* Y = s == r2 ? X : targets.obtain(entry.first, X);
            if (Y == nullptr) {
                delete common;
                continue;
            }
            count += useCommonForChainedAndMerge(X, Y, common, RuleSupport::saved(Y), a->index, pass);
        }
        targets.finish();
    }
    return count;
}

bool LibraryTBox::walkEveryChainEntry = false;

int LibraryTBox::deduceBinaryRoleInclusion(RoleAxiom* a, PassState& pass)
{
    Role* r1 = firstOf(a->lhs);
    Role* r2 = secondOf(a->lhs);
    Role* s = a->rhs;
    const int index = a->index;
    // By filler id, the latest arrival of each filler kept.
    std::map<unsigned long, Concept*> arrivals;
    if (const std::vector<Concept*>* pendingRelated = r2->deduction.pendingRelated)
        for (; a->pendingRelatedRead < pendingRelated->size(); ++a->pendingRelatedRead) {
            Concept* arrived = (*pendingRelated)[a->pendingRelatedRead];
            if (RuleSupport::roleOf(arrived) == r1)
                arrivals[RuleSupport::fillerOf(arrived)->id] = arrived;
        }
    const ConceptDeduction::RelatedPairs overR1(arrivals.begin(), arrivals.end());
    const ArrivalFilter arrived(overR1);
    TargetExistentials targets(*this, s, pass);
    // Kept while other chains ending in r2 still have to see it; else taken
    // now.
    const bool shared = r2->deduction.chainPredecessorCount() > 1;
    int count = 0;
    auto apply = [&](unsigned long fillerId, Concept* X) {
        Concept* Y = s == r2 ? X : targets.obtain(fillerId, X);
        if (Y == nullptr)
            return;
        if (Y->deduction.hasNewSubsumed())
            count += mergeNewSubsumedAndClear(Y, pass);
        if (!overR1.empty() && arrived.mayReach(X)) {
            ConceptList* common = X->deduction.getCommonSubsumedWithRoleRelated(&overR1, 0, false);
            count += useCommonForChainedAndMerge(X, Y, common, RuleSupport::saved(Y), index, pass);
        }
        if (X->deduction.pending != nullptr && !X->deduction.pending->empty()) {
            ConceptList taken;
            if (!shared)
                taken.splice(taken.end(), *X->deduction.pending);
            ConceptList collected;
            for (Concept* Z : shared ? *X->deduction.pending : taken) {
                Concept* E = r1->deduction.findRelated(Z->id);
                if (E != nullptr && static_cast<ExistentialRestr*>(E)->chaining.addChained(Y, {index, X}))
                    collected.push_back(E);
            }
            if (!collected.empty()) {
                std::vector<ConceptDeduction::SourceRecord> records;
                count += Y->deduction.mergeSubsumed(&collected, pass.it, pass.notes,
                                                    RuleSupport::deducedFor(*this, Y),
                                                    RuleSupport::recordsOrNull(records));
                savePinpointingInfoBinaryExistential(X, Y, records, index, RuleSupport::saved(Y));
            }
            // When Y is X the merge has just added to X's pending the
            // subsumees W of the existentials E = ∃r1.Z collected. For a
            // transitivity they need no second look: E is over r2 too, so
            // its own application of the chain chains ∃r1.W to E, which is
            // chained to X. For another chain into its second role nothing
            // else would: they wait for the next application.
            if (!shared && r1 == r2 && Y == X)
                X->deduction.pending->clear();
        }
        pass.raise(RuleSupport::relevant(s), Y);
    };
    // A transitivity without arrivals, read alone by its role, applied
    // before in the run, finds work only on the existentials that its
    // role's logs name since then.
    const int since = a->lastApplied;
    const RoleDeduction::LogEnds from = a->logsRead;
    a->lastApplied = pass.it;
    a->logsRead = r2->deduction.logEnds();
    if (walkEveryChainEntry || s != r2 || shared || !overR1.empty() || since == 0)
        for (const auto& entry : *r2->deduction.relatedMap())
            apply(entry.first, entry.second);
    else
        applyWhereLogged(r2->deduction, since, from, apply, pass, RuleSupport::relevant(s));
    targets.finish();
    return count;
}
