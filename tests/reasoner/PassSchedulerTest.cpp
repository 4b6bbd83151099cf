// The GCI passes that pass over the existential steps without queued work
// run as those that visit every one, and the applications of a transitivity
// that look only at the existentials its role logged run as those that walk
// its whole related map: after every increment of a random terminology the
// markers of the passes and the deduction dump (the subsumed lists and the
// deduced pairs in the order of their derivation) are the same.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "reasoner/PassScheduler.h"
#include "reasoner/TBox.h"
#include "support/OntologyClassification.h"
#include "support/SanitizedBuild.h"
#include "RandomIncrements.h"

namespace {

std::string deductionDump(TBox* tbox)
{
    std::FILE* out = std::tmpfile();
    tbox->saveDeduction(out);
    std::string dump;
    std::rewind(out);
    for (int c; (c = std::fgetc(out)) != EOF;)
        dump.push_back(static_cast<char>(c));
    std::fclose(out);
    return dump;
}

// The markers of the passes and the dumps after each part, every
// existential step visited or not, every related map walked whole or not.
std::pair<std::vector<int>, std::vector<std::string>> runOfTheParts(const std::vector<std::string>& parts,
                                                                    bool visitEvery, bool walkEvery = false)
{
    PassScheduler::visitEveryExistential = visitEvery;
    LibraryTBox::walkEveryChainEntry = walkEvery;
    std::vector<int> markers;
    PassScheduler::markers = &markers;
    std::vector<std::string> dumps;
    korvane_test::classifyAsTheLibraryPrograms(parts, false, true,
                                               [&dumps](TBox* tbox) { dumps.push_back(deductionDump(tbox)); });
    PassScheduler::visitEveryExistential = false;
    LibraryTBox::walkEveryChainEntry = false;
    PassScheduler::markers = nullptr;
    return {markers, dumps};
}

TEST(PassScheduler, PassingOverExistentialStepsWithoutWorkDerivesInTheSameOrder)
{
    const unsigned cases = static_cast<unsigned>(randomTestSetting("PASS_SCHEDULER_CASES", 150));
    const unsigned first = static_cast<unsigned>(randomTestSetting("PASS_SCHEDULER_SEED", 1));
    for (unsigned seed = first; seed < first + cases; ++seed) {
        // The first part and one to three increments.
        std::string trace;
        const std::vector<std::string> parts = randomIncrements(seed, "v", 2, trace);
        ASSERT_EQ(runOfTheParts(parts, true), runOfTheParts(parts, false)) << trace;
    }
}

// An application that finds a later existential given work by an earlier
// one is rare in small terminologies: more cases than above, fewer in the
// slower sanitizer build.
TEST(PassScheduler, ChainApplicationsOnlyWhereTheRoleLoggedWorkDeriveInTheSameOrder)
{
    const unsigned cases =
        static_cast<unsigned>(randomTestSetting("PASS_SCHEDULER_CASES", sanitizedBuild() ? 150 : 600));
    const unsigned first = static_cast<unsigned>(randomTestSetting("PASS_SCHEDULER_SEED", 1));
    // Two axioms in five role axioms, most of them transitivities, over few
    // roles.
    RandomOntologyShape shape;
    shape.rolesSpread = 2;
    shape.conceptAxioms = 60;
    shape.roleInclusions = 67;
    shape.chains = 73;
    shape.names = 45;
    shape.conjunctions = 60;
    for (unsigned seed = first; seed < first + cases; ++seed) {
        std::string trace;
        const std::vector<std::string> parts = randomIncrements(seed, "w", 2, trace, shape);
        ASSERT_EQ(runOfTheParts(parts, false, true), runOfTheParts(parts, false, false)) << trace;
    }
}

}
