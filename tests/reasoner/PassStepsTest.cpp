// The GCIs of the classification loop's passes, kept from one run to the
// next: after every increment of a random terminology they are the GCIs of
// the set in the set's order, as a walk of the set gives them.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "reasoner/PassSteps.h"
#include "reasoner/TBox.h"
#include "support/OntologyClassification.h"
#include "support/RandomOntology.h"

namespace {

// The kept steps against those of a walk of the set: the GCIs in order,
// with the ids of their left sides.
void expectTheStepsOfAWalk(TBox* tbox, const std::string& trace)
{
    PassSteps walked;
    MappedVector<Axiom*> none;
    walked.update(tbox->gcis, none, none, false);
    const PassSteps& kept = tbox->gciPassSteps();
    std::vector<const Axiom*> keptOrder, walkedOrder;
    for (const GciStep& step : kept.steps())
        keptOrder.push_back(step.axiom);
    for (const GciStep& step : walked.steps())
        walkedOrder.push_back(step.axiom);
    ASSERT_EQ(keptOrder, walkedOrder) << trace;
    ASSERT_EQ(kept.ids().size(), walked.ids().size()) << trace;
    for (std::size_t i = 0; i < kept.ids().size(); ++i) {
        const PassSteps::Ids& k = kept.ids()[i];
        const PassSteps::Ids& w = walked.ids()[i];
        EXPECT_TRUE(k.left == w.left && k.filler == w.filler && k.rhs == w.rhs) << trace << "\nat " << i;
    }
    EXPECT_EQ(kept.hintIds(), walked.hintIds()) << trace;
}

TEST(PassSteps, IncrementsKeepTheOrderOfTheGciSet)
{
    const unsigned cases = static_cast<unsigned>(randomTestSetting("PASS_STEPS_CASES", 150));
    const unsigned first = static_cast<unsigned>(randomTestSetting("PASS_STEPS_SEED", 1));
    RandomOntologyShape shape;
    shape.axiomsAtLeast = 12;
    shape.axiomsSpread = 24;
    for (unsigned seed = first; seed < first + cases; ++seed) {
        RandomOntology ontology(seed, "s" + std::to_string(seed) + "_", shape);
        std::vector<std::string> axioms = ontology.krssAxioms();
        std::mt19937 draw(seed);
        std::shuffle(axioms.begin(), axioms.end(), draw);
        // The first part and two to four increments, some of one axiom.
        std::vector<std::string> parts(3 + draw() % 3);
        for (std::size_t i = 0; i < axioms.size(); ++i)
            parts[i < axioms.size() / 2 ? 0 : 1 + draw() % (parts.size() - 1)] += axioms[i] + "\n";
        std::string trace = "seed " + std::to_string(seed);
        for (const std::string& part : parts)
            trace += "\n-- part:\n" + part;
        korvane_test::classifyAsTheLibraryPrograms(parts, false, true,
                                                   [&](TBox* tbox) { expectTheStepsOfAWalk(tbox, trace); });
        if (::testing::Test::HasFailure())
            return;
    }
}

}
