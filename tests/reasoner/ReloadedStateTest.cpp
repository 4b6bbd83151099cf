// The deduction state that the first classification after a reload rebuilds
// from a stored encoding and its map: the state that the classification of
// the stored terminology left, seen by the texts of its concepts and roles
// (the two runs share no objects). Random terminologies under the
// classification's switches; the classification after the reload is that of
// an empty increment.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "EncodingReloadSupport.h"
#include "model/ExistentialRestr.h"
#include "support/RandomOntology.h"

using namespace reload_test;
using korvane_test::roleText;

namespace {

// The text of a concept in which a fresh concept, which the reload numbers
// anew, is told by its variable (or by nothing when it has none).
std::string conceptText(const Concept* c)
{
    if (c->kind == FRESH_CONCEPT)
        return c->encodingId != 0 ? "#v" + std::to_string(c->encodingId) : std::string("#?");
    if (c->kind == EXISTENTIAL_RESTR) {
        const auto* e = static_cast<const ExistentialRestr*>(c);
        return "(some " + roleText(e->role) + " " + conceptText(e->getFiller()) + ")";
    }
    if (c->kind == CONJUNCTION) {
        std::multiset<std::string> operands;
        for (const Concept* o : *c->operands)
            operands.insert(conceptText(o));
        std::string text = "(and";
        for (const std::string& o : operands)
            text += " " + o;
        return text + ")";
    }
    return korvane_test::conceptText(c);
}

// What a classification leaves that the next one reads, by text: the
// subsumed list of every concept, the existential premises of every filler,
// the conclusions chained to every existential, the related existentials,
// dependents and chain predecessors of every role.
using State = std::map<std::string, std::set<std::string>>;

// Left out: a conjunction of the normal form that no GCI and no clause
// holds, and a name without a variable that subsumes only bottom and itself
// (the reload has no trace of them, and an increment that names them makes
// them anew as they are), and an existential that the rules made whose list
// holds only bottom and itself (made again when a rule needs it).
bool trivial(const Concept* c)
{
    const auto* list = c->deduction.subsumed;
    if (c->isAtomic() && c->kind != TRIVIAL_CONCEPT && c->encodingId == 0 && (list == nullptr || list->size() <= 2))
        return true;
    if (c->kind == CONJUNCTION && c->encodingId == 0) {
        for (const Axiom* a : TBox::getInstance()->gcis)
            if (a->lhs == c || a->rhs == c)
                return false;
        return true;
    }
    return c->kind == EXISTENTIAL_RESTR && (c->flags & Concept::CREATED_BY_CLASSIFICATION) &&
           (list == nullptr || list->size() <= 2) &&
           (static_cast<const ExistentialRestr*>(c)->chaining.chained == nullptr ||
            static_cast<const ExistentialRestr*>(c)->chaining.chained->empty());
}

// The conclusions that a new subsumee of the existential reaches: those
// chained to it, and those chained to an existential among them, and so on.
std::set<const Concept*> chainedReach(const Concept* existential)
{
    std::set<const Concept*> reached;
    std::vector<const Concept*> walk{existential};
    while (!walk.empty()) {
        const Concept* e = walk.back();
        walk.pop_back();
        const auto* chained = static_cast<const ExistentialRestr*>(e)->chaining.chained;
        if (chained == nullptr)
            continue;
        for (const auto& entry : *chained)
            if (reached.insert(entry.second.concept).second && entry.second.concept->kind == EXISTENTIAL_RESTR)
                walk.push_back(entry.second.concept);
    }
    return reached;
}

State stateOf(TBox* tbox)
{
    State state;
    for (Concept* c : tbox->normalizedConcepts) {
        if (trivial(c))
            continue;
        const std::string text = conceptText(c);
        std::set<std::string>& subsumed = state["subsumed " + text];
        if (c->deduction.subsumed != nullptr)
            for (Concept* x : *c->deduction.subsumed)
                if (!trivial(x))
                    subsumed.insert(conceptText(x));
        if (c->deduction.existentialPremises != nullptr)
            for (const auto& premise : *c->deduction.existentialPremises)
                state["premises " + text].insert(roleText(premise.second.first) + " " +
                                                 conceptText(premise.second.second));
        if (c->kind == EXISTENTIAL_RESTR)
            for (const Concept* d : chainedReach(c))
                state["chained " + text].insert(conceptText(d));
    }
    for (Role* r : tbox->roles) {
        const std::string text = roleText(r);
        if (r->deduction.related != nullptr)
            for (const auto& entry : *r->deduction.related)
                if (!trivial(entry.second))
                    state["related " + text].insert(conceptText(entry.second));
        if (r->deduction.dependents != nullptr)
            for (const auto& dependent : *r->deduction.dependents)
                state["dependents " + text].insert(
                    roleText(dependent.first) + " " +
                    (dependent.second != nullptr ? conceptText(dependent.second) : std::string("-")));
        if (r->deduction.chainPredecessors != nullptr)
            for (Role* p : *r->deduction.chainPredecessors)
                state["predecessors " + text].insert(roleText(p));
    }
    return state;
}

bool existentialText(const std::string& text)
{
    return text.rfind("(some ", 0) == 0;
}

// Whether the values of a key may hold more after the reload than before:
// the chained conclusions, always (the rebuild chains an existential ∃r.Z
// to ∃r.F, r transitive, for every Z below ∃r.F, where the classification
// may leave out those that the chains of ∃r.Z itself stand for, and the
// other way round: what the chains reach is the same or more); existentials
// where they list themselves and the rules make them (the classification
// does not look for every subsumer of the existentials it makes; the
// rebuild, which makes them at other times, may find more).
bool mayGrow(const std::string& key, const std::set<std::string>& extra, bool existentialsGrow)
{
    if (key.rfind("chained ", 0) == 0)
        return true;
    if (!existentialsGrow)
        return false;
    for (const std::string& text : extra)
        if (!existentialText(text))
            return false;
    return true;
}

void expectSameState(const State& expected, const State& actual, bool existentialsGrow, const std::string& krss)
{
    for (const auto& [key, values] : expected) {
        auto found = actual.find(key);
        if (found == actual.end()) {
            ADD_FAILURE() << key << " is missing after the reload of\n" << krss;
            continue;
        }
        std::set<std::string> extra;
        std::set_difference(found->second.begin(), found->second.end(), values.begin(), values.end(),
                            std::inserter(extra, extra.end()));
        const bool covers = std::includes(found->second.begin(), found->second.end(), values.begin(), values.end());
        EXPECT_TRUE(covers && (extra.empty() || mayGrow(key, extra, existentialsGrow)))
            << key << " after the reload of\n" << krss << "holds: " << testing::PrintToString(found->second)
            << "\nand before: " << testing::PrintToString(values);
    }
    for (const auto& [key, values] : actual)
        EXPECT_TRUE(expected.count(key) == 1 ||
                    (existentialsGrow && existentialText(key.substr(key.find(' ') + 1))))
            << key << " only after the reload of\n" << krss;
}

// (initializeNonPrimitive, createNewConceptsInDeduction, chains of three roles)
class ReloadedState : public ::testing::TestWithParam<std::tuple<bool, bool, bool>> {};

TEST_P(ReloadedState, IsTheStateThatTheClassificationLeft)
{
    const auto [nonPrimitive, create, longChains] = GetParam();
    const bool createBefore = TBox::createNewConceptsInDeduction;
    RandomOntologyShape shape;
    shape.edges = 30;
    shape.topFillers = 10;
    shape.axiomsSpread = 12;
    shape.longChains = longChains ? 50 : 0;
    const unsigned long cases = randomTestSetting("KORVANE_RELOADED_STATE_CASES", 150);
    for (uint32_t seed = 1; seed <= cases; ++seed) {
        const RandomOntology ontology(seed, "", shape);
        resetAll();
        Concept::EquivalenceNames = seed % 2 == 0;
        TBox::initializeNonPrimitive = nonPrimitive;
        TBox::createNewConceptsInDeduction = create;
        addAndClassify(ontology.krss());
        // The encoding gives the fresh concepts their variables.
        const Stored stored = store(TBox::getInstance());
        const State expected = stateOf(TBox::getInstance());
        reload(stored);
        addAndClassify("");
        expectSameState(expected, stateOf(TBox::getInstance()), nonPrimitive && create, ontology.krss());
        // The rebuild and the run after it leave no stamp or working list:
        // the next increment resets only what it touches itself.
        for (Concept* c : TBox::getInstance()->normalizedConcepts) {
            const ConceptDeduction& d = c->deduction;
            EXPECT_TRUE(c->lastDeductionIt == 0 && d.pending == nullptr && d.pendingExistentials == nullptr &&
                        d.additions == nullptr && d.newSubsumed == nullptr)
                << c->id << " in " << ontology.krss();
        }
        for (const Axiom* a : TBox::getInstance()->gcis)
            EXPECT_EQ(a->lastDeductionIt, 0) << ontology.krss();
        // Nothing to encode again, but where a concept lists itself: then an
        // existential that the rules made, and whose subsumptions were not
        // encoded, got a variable as the subsumee of an encoded one, and the
        // reload takes it for a concept of the terminology.
        if (!nonPrimitive) {
            EXPECT_EQ(TBox::getInstance()->pendingDeducedAxioms, nullptr) << ontology.krss();
        }
        if (HasFailure())
            break;
    }
    TBox::createNewConceptsInDeduction = createBefore;
}

INSTANTIATE_TEST_SUITE_P(Switches, ReloadedState,
                         ::testing::Combine(::testing::Bool(), ::testing::Bool(), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<bool, bool, bool>>& info) {
                             return std::string(std::get<0>(info.param) ? "NonPrimitive" : "Primitive") +
                                    (std::get<1>(info.param) ? "_Creating" : "_Finding") +
                                    (std::get<2>(info.param) ? "_LongChains" : "");
                         });

} // namespace
