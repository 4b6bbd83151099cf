// r1 ∘ ... ∘ rn ⊑ s with n ≥ 3: W1 ⊑ ∃r1.W2, W2 ⊑ ∃r2.W3, ..., Wn ⊑ ∃rn.F
// give W1 ⊑ ∃s.F. A depth-first walk from each X = ∃rn.F back to r1: at
// each level the existentials ∃rk.W over the subsumees W of the element
// above; at r1 their subsumees join Y = ∃s.F. Unless all paths are asked
// for, only paths with an element changed since the axiom was last applied
// are followed to the end. The same existential ∃r1.W closes the same chain
// to Y in application after application: what it gave Y before is not
// offered again, only what it gained since.
#include <vector>

#include "model/MergedSources.h"
#include "reasoner/PassState.h"
#include "reasoner/TBox.h"
#include "reasoner/rules/RuleSupport.h"
#include "reasoner/rules/TargetExistentials.h"

namespace {

class ChainWalk {
public:
    ChainWalk(LibraryTBox& tbox, Role* chain, Role* s, int prevIt, int axIt, bool all, int index,
              MergedSources& merges, PassState& pass)
        : tbox(tbox),
          roles(chain->components->begin(), chain->components->end()),
          s(s),
          prevIt(prevIt),
          axIt(axIt),
          all(all),
          index(index),
          merges(merges),
          pass(pass),
          targets(tbox, s, pass)
    {
    }

    int run()
    {
        for (const auto& entry : *roles.back()->deduction.relatedMap()) {
            Concept* X = entry.second;
            target = nullptr;
            if (!targets.creates()) {
                target = targets.obtain(RuleSupport::fillerOf(X));
                if (target == nullptr)
                    continue;
            }
            path.assign(1, X);
            descend(roles.size() - 1, changed(X));
        }
        targets.finish();
        return count;
    }

private:
    bool changed(const Concept* c) const { return c->lastDeductionIt >= prevIt && c->lastDeductionIt >= axIt; }

    // path.back() is an existential over roles[level]; its subsumees lead
    // to the existentials over roles[level - 1].
    void descend(std::size_t level, bool pathChanged)
    {
        Concept* element = path.back();
        ConceptList* found =
            element->deduction.getCommonSubsumedWithRoleRelated(roles[level - 1]->deduction.relatedMap(), 0, false);
        if (level - 1 == 0) {
            closeChains(found, pathChanged);
        } else {
            for (Concept* next : *found) {
                path.push_back(next);
                descend(level - 1, pathChanged || changed(next));
                path.pop_back();
            }
        }
        delete found;
    }

    // found holds existentials ∃r1.W that close a chain down to X's filler.
    void closeChains(ConceptList* found, bool pathChanged)
    {
        if (!all && !pathChanged)
            found->remove_if([this](const Concept* c) { return !changed(c); });
        if (found->empty())
            return;
        if (target == nullptr)
            target = targets.obtain(RuleSupport::fillerOf(path.front()));
        if (target == nullptr)
            return;
        offered.clear();
        for (Concept* E1 : *found)
            merges.offer(target, E1, offered);
        std::vector<ConceptDeduction::SourceRecord> added;
        count += target->deduction.mergeOffered(offered, pass.it, pass.notes, RuleSupport::deducedFor(tbox, target),
                                                RuleSupport::recordsOrNull(added));
        for (const auto& record : added)
            writeRecord(record.first, record.second);
        pass.raise(RuleSupport::relevant(s), target);
    }

    // Z ⊑ E1 = ∃r1.W1, then Wk ⊑ the element above, up to Wn-1 ⊑ X.
    void writeRecord(Concept* Z, Concept* E1)
    {
        std::vector<std::pair<const Concept*, const Concept*>> premises;
        premises.emplace_back(Z, E1);
        const Concept* below = E1;
        for (auto above = path.rbegin(); above != path.rend(); ++above) {
            premises.emplace_back(RuleSupport::fillerOf(below), *above);
            below = *above;
        }
        tbox.savePinpointingInfoChain(Z, target, premises, index, RuleSupport::saved(target));
    }

    LibraryTBox& tbox;
    std::vector<Role*> roles;
    Role* s;
    int prevIt;
    int axIt;
    bool all;
    int index;
    MergedSources& merges;
    PassState& pass;
    TargetExistentials targets;
    Concept* target = nullptr;
    // X first, then the element chosen at each level below it.
    std::vector<Concept*> path;
    std::vector<MergedSources::Offer> offered;
    int count = 0;
};

}

int LibraryTBox::deduceRoleInclusionWithComposition(Role* chain, Role* s, int prevIt, int axIt, bool all, int index,
                                                    MergedSources& merges, PassState& pass)
{
    return ChainWalk(*this, chain, s, prevIt, axIt, all, index, merges, pass).run();
}
