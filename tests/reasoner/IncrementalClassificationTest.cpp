// Incremental classification: a terminology classified in parts, each part
// added to the classified rest, ends with the subsumptions of one run over
// the whole terminology.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NamedSubsumptions.h"
#include "support/TestSupport.h"
#include "reasoner/TBox.h"
#include "support/OntologyClassification.h"
#include "support/OntologyForms.h"
#include "support/ProcessRunner.h"
#include "support/SharedOntologies.h"

namespace {

using shared_ontologies::Case;
using shared_ontologies::Pairs;

struct Split {
    const char* name;
    std::vector<int> shares;
    unsigned seed;
};

// The halves of seed 1 once lost pairs of not-galen: two new GCIs over one
// filler in one increment.
const Split splits[] = {{"80_20", {80, 20}, 20261209},
                        {"50_50", {50, 50}, 20261209},
                        {"three_increments", {70, 10, 10, 10}, 20261209},
                        {"50_50_seed_1", {50, 50}, 1}};

class IncrementalClassification : public ::testing::TestWithParam<Case> {};

TEST_P(IncrementalClassification, IncrementsEndWithTheSubsumptionsOfOneRun)
{
    const Case& c = GetParam();
    if (shared_ontologies::large(c))
        GTEST_SKIP() << c.name << " is left to bench/incremental_classification.sh";
    korvane_test::resetModel();
    ASSERT_NE(korvane_test::classifyOntologyFile(c.krss), nullptr);
    const Pairs whole = korvane_test::subsumedPairs(TBox::getInstance());

    const std::vector<std::string> all = korvane_test::ontologyForms(c.krss);
    ASSERT_FALSE(all.empty());
    for (const Split& split : splits) {
        SCOPED_TRACE(split.name);
        ScratchDir scratch;
        std::vector<std::string> paths;
        for (const std::string& part : korvane_test::dealForms(all, split.shares, split.seed))
            paths.push_back(scratch.write("part" + std::to_string(paths.size()) + ".krss", part));
        korvane_test::resetModel();
        for (const std::string& path : paths)
            ASSERT_NE(korvane_test::classifyOntologyFile(path), nullptr);
        TBox* tbox = TBox::getInstance();
        shared_ontologies::expectSamePairs(whole, korvane_test::subsumedPairs(tbox));
        // Concepts of the increments and of the rules are counted too.
        EXPECT_EQ(tbox->getSubsumptionsNumber(), korvane_test::subsumedTotal(tbox));
    }
}

INSTANTIATE_TEST_SUITE_P(SharedData, IncrementalClassification,
                         ::testing::ValuesIn(shared_ontologies::cases(KORVANE_DATA_DIR)),
                         shared_ontologies::testName);

} // namespace
