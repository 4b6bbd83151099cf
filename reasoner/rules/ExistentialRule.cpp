// ∃r.G ⊑ D: every X ⊑ ∃r.F with F ⊑ G is subsumed by D. The rule works in
// steps: the first and the bulk step merge the subsumees of the existentials
// ∃r.F found, and chain D to them so that their later subsumees reach D
// (the late step); the incremental step takes what G's pending list holds
// (new existentials over r, new atomic subsumees of G) for every GCI with
// G under its existential.
#include <map>

#include "reasoner/GciStep.h"
#include "reasoner/PassState.h"
#include "reasoner/TBox.h"
#include "reasoner/rules/RuleSupport.h"

int LibraryTBox::applyFirstExistentialSteps(const std::vector<GciStep>& steps,
                                            const std::vector<std::size_t>& positions, PassState& pass)
{
    int count = 0;
    for (std::size_t position : positions)
        count += applyFirstExistentialStep(steps[position].axiom, pass);
    return count;
}

int LibraryTBox::applyFirstExistentialStep(Axiom* a, PassState& pass)
{
    Concept* G = RuleSupport::fillerOf(a->lhs);
    Role* r = RuleSupport::roleOf(a->lhs);
    Concept* D = a->rhs;
    G->deduction.addExistentialPremise(a->index, r, D);
    r->deduction.addDependent(r, G);
    ConceptList* common = G->deduction.getCommonSubsumedWithRoleRelated(r->deduction.relatedMap(), 0, false);
    return useCommonForChainedAndMerge(G, D, common, true, a->index, pass);
}

int LibraryTBox::useCommonForChainedAndMerge(Concept* G, Concept* D, ConceptList* common, bool save, int index,
                                             PassState& pass)
{
    int count = 0;
    if (!common->empty()) {
        for (Concept* E : *common)
            static_cast<ExistentialRestr*>(E)->chaining.addChained(D, {index, G});
        std::vector<ConceptDeduction::SourceRecord> records;
        count = D->deduction.mergeSubsumed(common, pass.it, pass.notes, RuleSupport::deducedIf(*this, save),
                                           RuleSupport::recordsOrNull(records));
        savePinpointingInfoBinaryExistential(G, D, records, index, save);
    }
    delete common;
    return count;
}

int LibraryTBox::mergeNewSubsumedAndClear(Concept* D, PassState& pass)
{
    std::vector<ConceptDeduction::NewSubsumedRecord> records;
    int count = D->deduction.mergeNewSubsumed(pass.it, pass.notes, RuleSupport::deducedFor(*this, D),
                                              RuleSupport::recordsOrNull(records));
    savePinpointingInfoManyBinaryExistential(D, records, RuleSupport::saved(D));
    return count;
}

int LibraryTBox::mergeSubsumedFromNewChainedAndSubsumedAndClear(Concept* G, Concept* D, Role* r, bool save,
                                                                int index, PassState& pass)
{
    // New existentials over r by filler id (a later one replaces an earlier
    // one), and G's new subsumees; existentials over other roles stay for
    // the GCIs of their role.
    ConceptDeduction::RelatedPairs overR;
    ConceptList subsumees;
    G->deduction.takePending(r, overR, subsumees);

    // The new existentials over r reach every GCI ∃r.G ⊑ D' (they left the
    // pending list once, for all of them), in ascending index.
    int count = 0;
    if (!overR.empty()) {
        bool current = false;
        if (G->deduction.existentialPremises != nullptr)
            for (const auto& premise : *G->deduction.existentialPremises) {
                if (premise.second.first != r)
                    continue;
                Concept* DPrime = premise.second.second;
                current = current || (premise.first == index && DPrime == D);
                ConceptList* common = G->deduction.getCommonSubsumedWithRoleRelated(&overR, 0, false);
                count += useCommonForChainedAndMerge(G, DPrime, common, save, premise.first, pass);
                pass.raise(DPrime != D && RuleSupport::relevant(DPrime), DPrime);
            }
        if (!current) {
            ConceptList* common = G->deduction.getCommonSubsumedWithRoleRelated(&overR, 0, false);
            count += useCommonForChainedAndMerge(G, D, common, save, index, pass);
        }
    }
    if (subsumees.empty() || G->deduction.existentialPremises == nullptr)
        return count;
    // Every GCI ∃r'.G ⊑ D' reaches the existentials ∃r'.Z over the new
    // subsumees Z that it was not chained to yet.
    for (const auto& premise : *G->deduction.existentialPremises) {
        const int premiseIndex = premise.first;
        Role* rPrime = premise.second.first;
        Concept* DPrime = premise.second.second;
        ConceptList collected;
        for (Concept* Z : subsumees) {
            Concept* E = rPrime->deduction.findRelated(Z->id);
            if (E != nullptr && static_cast<ExistentialRestr*>(E)->chaining.addChained(DPrime, {premiseIndex, G}))
                collected.push_back(E);
        }
        if (collected.empty())
            continue;
        std::vector<ConceptDeduction::SourceRecord> records;
        count += DPrime->deduction.mergeSubsumed(&collected, pass.it, pass.notes, RuleSupport::deducedIf(*this, save),
                                                 RuleSupport::recordsOrNull(records));
        savePinpointingInfoBinaryExistential(G, DPrime, records, premiseIndex, save);
        pass.raise(RuleSupport::relevant(DPrime), DPrime);
    }
    return count;
}
