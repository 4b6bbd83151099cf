// The GCIs of the classification loop's passes, kept from one run to the
// next: after every increment of a random terminology they are the GCIs of
// the set in the set's order, as a walk of the set gives them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reasoner/PassSteps.h"
#include "reasoner/TBox.h"
#include "support/OntologyClassification.h"
#include "RandomIncrements.h"

namespace {

// The kept steps against those of a walk of the set: the GCIs in order,
// with the ids of their left sides.
void expectTheStepsOfAWalk(TBox* tbox, const std::string& trace)
{
    PassSteps walked;
    std::vector<Axiom*> none;
    walked.update(tbox->gcis, none, none, false);
    const PassSteps& kept = tbox->gciPassSteps();
    std::vector<const Axiom*> keptOrder, walkedOrder;
    for (const GciStep& step : kept.steps())
        keptOrder.push_back(step.axiom);
    for (const GciStep& step : walked.steps())
        walkedOrder.push_back(step.axiom);
    ASSERT_EQ(keptOrder, walkedOrder) << trace;
    EXPECT_EQ(kept.leftIds(), walked.leftIds()) << trace;
    ASSERT_EQ(kept.ids().size(), walked.ids().size()) << trace;
    for (std::size_t i = 0; i < kept.ids().size(); ++i) {
        const PassSteps::Ids& k = kept.ids()[i];
        const PassSteps::Ids& w = walked.ids()[i];
        EXPECT_TRUE(k.filler == w.filler && k.rhs == w.rhs) << trace << "\nat " << i;
    }
    EXPECT_EQ(kept.existentialPositions(), walked.existentialPositions()) << trace;
    EXPECT_EQ(kept.hintIds(), walked.hintIds()) << trace;
}

TEST(PassSteps, IncrementsKeepTheOrderOfTheGciSet)
{
    const unsigned cases = static_cast<unsigned>(randomTestSetting("PASS_STEPS_CASES", 150));
    const unsigned first = static_cast<unsigned>(randomTestSetting("PASS_STEPS_SEED", 1));
    for (unsigned seed = first; seed < first + cases; ++seed) {
        // The first part and two to four increments.
        std::string trace;
        const std::vector<std::string> parts = randomIncrements(seed, "s", 3, trace);
        korvane_test::classifyAsTheLibraryPrograms(parts, false, true,
                                                   [&](TBox* tbox) { expectTheStepsOfAWalk(tbox, trace); });
        if (::testing::Test::HasFailure())
            return;
    }
}

}
