// The library's classification when a premise arrives after the rule that
// needs it has looked: an edge or a subsumee that a chain, a role inclusion
// or the existential rule sees only late. Each terminology is classified
// with its axioms in the order written and reversed, then with its
// increment if it has one, under the incremental-classifier's switches
// (names that stand for equivalences; -x and -c where the row says so), and
// must end with every expected subsumption.
#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "model/ExistentialRestr.h"
#include "model/PrimitiveConcept.h"
#include "model/PrimitiveRole.h"
#include "reasoner/TBox.h"
#include "support/OntologyClassification.h"
#include "support/ProcessRunner.h"

using namespace korvane_test;

namespace {

// sub ⊑ super; super is a name or an existential "(some ROLE NAME)".
using Expected = std::vector<std::pair<const char*, const char*>>;

struct LateArrivalCase {
    const char* name;
    const char* first;
    // Classified on top of the first, "" for none.
    const char* increment;
    Expected holds;
    // -x: complex concepts start their own subsumed lists.
    bool startComplex = false;
    // Without -c: the rules may make existentials.
    bool makeExistentials = true;
};

// D gets its u-successor only after C's t-edge to D exists; the chain
// t ∘ u ⊑ u concludes into its own second role and must look at C again
// (the reproducer of a wrong answer on every road).
const char* const chainIntoItsSecondRole =
    "(implies A B)\n(implies B C)\n(implies C (some t D))\n(implies D (some r E))\n(implies E (some r F))\n"
    "(implies F X)\n(equivalent X (some u *top*))\n(role-inclusion s t)\n(role-inclusion r s)\n"
    "(role-inclusion (compose t u) u)\n";

const LateArrivalCase lateArrivalCases[] = {
    {"ChainIntoItsOwnSecondRole", chainIntoItsSecondRole, "", {{"A", "X"}, {"B", "X"}, {"C", "X"}, {"D", "X"}}},
    {"ChainIntoItsOwnSecondRoleStartingComplexConcepts", chainIntoItsSecondRole, "", {{"A", "X"}, {"C", "X"}}, true},
    // ∃r.Z is made by p ⊑ r after both chains r ∘ q have looked; each of
    // them must see it.
    {"TwoChainsOfOneRolePairSeeALateExistential",
     "(implies A (some p Z))\n(role-inclusion p r)\n(implies Z (some q F))\n(role-inclusion (compose r q) s1)\n"
     "(role-inclusion (compose r q) s2)\n(implies (some s1 F) X1)\n(implies (some s2 F) X2)\n",
     "",
     {{"A", "X1"}, {"A", "X2"}}},
    // ∃s.F is made with nothing below it, so no rule raises the loop; the
    // GCI over s must still be chained to it before the run ends, for the
    // increment's C below ∃r.F.
    {"ExistentialMadeEmptyReachesItsGciInTheNextIncrement",
     "(implies (some r F) B)\n(role-inclusion r s)\n(implies F G)\n(implies (some s G) D)\n",
     "(implies C (some r F))\n",
     {{"C", "D"}}},
    // Without made existentials ∃s.F exists only once the increment tells
    // it; r ⊑ s must then give it what ∃r.F held before.
    {"ToldTargetOfARoleInclusionWithoutMadeExistentials",
     "(implies A (some r F))\n(role-inclusion r s)\n(implies (some s G) H)\n",
     "(implies (some s F) Z)\n",
     {{"A", "Z"}},
     false,
     false},
    // ∃s.F is told by the increment, s can trigger no rule: r ⊑ s must
    // still give it A.
    {"ToldTargetOfARoleInclusionOverARoleThatTriggersNothing",
     "(implies A (some r F))\n(role-inclusion r s)\n",
     "(implies B (some s F))\n",
     {{"A", "(some s F)"}}},
    // The same for a chain: ∃s.F is told by the increment.
    {"ToldTargetOfAChainWithoutMadeExistentials",
     "(implies A (some r B))\n(implies B (some q F))\n(role-inclusion (compose r q) s)\n(implies (some s G) H)\n",
     "(implies (some s F) Z)\n",
     {{"A", "Z"}},
     false,
     false},
    // ∃r.B gains A1 and A2 by merges in the first run, A3 in the
    // increment's: the chain of three roles must hand A3 on to ∃s.F, what
    // it handed on in the first run notwithstanding.
    {"SubsumeeOfAChainOfThreeRolesInTheIncrement",
     "(implies A1 A)\n(implies A2 A)\n(implies A (some r B))\n(implies B (some q C))\n(implies C (some p F))\n"
     "(role-inclusion (compose r q p) s)\n(implies (some s F) Z)\n",
     "(implies A3 A)\n",
     {{"A1", "Z"}, {"A3", "Z"}}},
    {"ToldTargetOfAChainOfThreeRolesWithoutMadeExistentials",
     "(implies A (some r B))\n(implies B (some q C))\n(implies C (some p F))\n"
     "(role-inclusion (compose r q p) s)\n(implies (some s G) H)\n",
     "(implies (some s F) Z)\n",
     {{"A", "Z"}},
     false,
     false},
};

void PrintTo(const LateArrivalCase& c, std::ostream* out)
{
    *out << c.name;
}

// The axioms of a text, one a line, in reverse order.
std::string reversed(const std::string& text)
{
    std::vector<std::string> axioms = lines(text);
    std::reverse(axioms.begin(), axioms.end());
    std::string out;
    for (const std::string& a : axioms)
        out += a + "\n";
    return out;
}

// The concept of the normal form that a name or "(some ROLE NAME)" stands
// for, found by name (the programs empty the names table).
Concept* conceptOf(TBox* tbox, const std::string& text)
{
    const std::string some = "(some ";
    const bool existential = text.compare(0, some.size(), some) == 0;
    const std::size_t blank = existential ? text.find(' ', some.size()) : 0;
    const std::string roleName = existential ? text.substr(some.size(), blank - some.size()) : "";
    const std::string fillerName = existential ? text.substr(blank + 1, text.size() - blank - 2) : text;
    auto named = [](const Concept* c, const std::string& name) {
        return c->kind == PRIMITIVE_CONCEPT && static_cast<const PrimitiveConcept*>(c)->name == name;
    };
    for (Concept* c : tbox->normalizedConcepts) {
        if (!existential && named(c, fillerName))
            return c;
        if (existential && c->kind == EXISTENTIAL_RESTR) {
            const auto* e = static_cast<ExistentialRestr*>(c);
            if (e->role->kind == PRIMITIVE_ROLE && static_cast<PrimitiveRole*>(e->role)->name == roleName &&
                named(e->getFiller(), fillerName))
                return c;
        }
    }
    return nullptr;
}

bool subsumes(TBox* tbox, const std::string& super, const std::string& sub)
{
    const Concept* s = conceptOf(tbox, super);
    const Concept* c = conceptOf(tbox, sub);
    return s != nullptr && c != nullptr && s->deduction.subsumed != nullptr &&
           std::find(s->deduction.subsumed->begin(), s->deduction.subsumed->end(), c) !=
               s->deduction.subsumed->end();
}

class LateArrival : public ::testing::TestWithParam<LateArrivalCase> {
protected:
    void TearDown() override
    {
        TBox::initializeNonPrimitive = true;
        TBox::createNewConceptsInDeduction = true;
    }
};

TEST_P(LateArrival, TheRuleLooksAgainAndDerivesTheConclusion)
{
    const LateArrivalCase& c = GetParam();
    for (const bool backwards : {false, true}) {
        SCOPED_TRACE(backwards ? "axioms reversed" : "axioms as written");
        std::vector<std::string> texts;
        for (const std::string text : {c.first, c.increment})
            if (!text.empty())
                texts.push_back(backwards ? reversed(text) : text);
        TBox* tbox = classifyAsTheLibraryPrograms(texts, c.startComplex, c.makeExistentials);
        ASSERT_NE(tbox, nullptr);
        for (const auto& pair : c.holds)
            EXPECT_TRUE(subsumes(tbox, pair.second, pair.first)) << pair.first << " ⊑ " << pair.second;
    }
}

INSTANTIATE_TEST_SUITE_P(Rules, LateArrival, ::testing::ValuesIn(lateArrivalCases),
                         [](const ::testing::TestParamInfo<LateArrivalCase>& info) { return info.param.name; });

} // namespace
