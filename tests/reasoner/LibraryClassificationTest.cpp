// Classifies every shared real ontology with the library's completion-based
// classification and compares the subsumptions between named concepts with
// an independent reasoner (Konclude) or with the expectations shipped with
// the test files.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "PinpointingReplay.h"
#include "NamedSubsumptions.h"
#include "support/TestSupport.h"
#include "model/PrimitiveConcept.h"
#include "reasoner/TBox.h"
#include "support/EncodedSubsumptions.h"
#include "support/OntologyClassification.h"
#include "support/PeerInstalled.h"
#include "support/PeerSolver.h"
#include "support/SharedOntologies.h"
#include "support/SanitizedBuild.h"

namespace {

using shared_ontologies::Case;
using shared_ontologies::Pairs;

class LibraryClassification : public ::testing::TestWithParam<Case> {};

TEST_P(LibraryClassification, NamedSubsumptionsMatchTheIndependentClassification)
{
    const Case& c = GetParam();
    if (shared_ontologies::needsBottomRule(c))
        GTEST_SKIP() << c.name << " needs a rule for the bottom concept";
    if (sanitizedBuild() && shared_ontologies::large(c))
        GTEST_SKIP() << c.name << " is covered by the build without sanitizers";
    Pairs expected;
    ASSERT_TRUE(shared_ontologies::expectedPairs(KORVANE_DATA_DIR, KORVANE_PEER_CACHE, c, expected));

    korvane_test::resetModel();
    TBox* tbox = nullptr;
    ASSERT_NE(tbox = korvane_test::classifyOntologyFile(c.krss), nullptr);

    Pairs derived = korvane_test::subsumedPairs(tbox);
    shared_ontologies::expectSamePairs(expected, derived);
    std::printf("%s: %zu derived, %zu expected\n", c.name.c_str(), derived.size(), expected.size());
}

INSTANTIATE_TEST_SUITE_P(SharedData, LibraryClassification,
                         ::testing::ValuesIn(shared_ontologies::cases(KORVANE_DATA_DIR)),
                         shared_ontologies::testName);

// The encoding written after the classification (its axioms and derived
// subsumptions) decides subsumption between named concepts as the subsumed
// lists say: with sub true and super false it is unsatisfiable exactly when
// sub is in super's subsumed list. Seeded pairs, half holding, half not.
class LibraryEncoding : public ::testing::TestWithParam<Case> {};

TEST_P(LibraryEncoding, DecidesNamedSubsumptionsAsTheSubsumedLists)
{
    const Case& c = GetParam();
    if (shared_ontologies::large(c))
        GTEST_SKIP() << c.name << " is too large for one solver call per pair";
    if (shared_ontologies::needsBottomRule(c))
        GTEST_SKIP() << c.name << " needs a rule for the bottom concept";
    struct stat info {};
    if (sanitizedBuild() && stat(c.krss.c_str(), &info) == 0 && info.st_size > 100000)
        GTEST_SKIP() << c.name << " is covered by the build without sanitizers";
    ASSERT_TRUE(peerInstalled("picosat"));

    korvane_test::resetModel();
    TBox* tbox = nullptr;
    ASSERT_NE(tbox = korvane_test::classifyOntologyFile(c.krss), nullptr);
    std::string cnf = encoded_subsumptions::encodeForQueries(tbox);
    ASSERT_FALSE(cnf.empty()) << "no problem line";
    std::size_t holding = 0;
    std::vector<encoded_subsumptions::Query> queries = encoded_subsumptions::sampleQueries(tbox, 20, 20261209, &holding);
    if (queries.empty())
        GTEST_SKIP() << c.name << " has neither a subsumption nor two concepts to query";

    for (const auto& q : queries) {
        const std::string& a = encoded_subsumptions::nameOf(q.sub);
        const std::string& b = encoded_subsumptions::nameOf(q.super);
        ASSERT_NE(q.sub->encodingId, 0u) << a << " has no variable";
        ASSERT_NE(q.super->encodingId, 0u) << b << " has no variable";
        EXPECT_EQ(runPeerSolver("picosat", encoded_subsumptions::withQuery(cnf, q)), q.holds ? 20 : 10)
            << a << " ⊑ " << b << (q.holds ? " holds" : " does not hold");
    }
    std::printf("%s: %zu queries, %zu holding pairs\n", c.name.c_str(), queries.size(), holding);
}

INSTANTIATE_TEST_SUITE_P(SharedData, LibraryEncoding, ::testing::ValuesIn(shared_ontologies::cases(KORVANE_DATA_DIR)),
                         shared_ontologies::testName);

// The pinpointing information of a classification replays to every pair of
// the subsumed lists, each record citing only pairs that hold before it.
class LibraryPinpointing : public ::testing::TestWithParam<std::string> {};

TEST_P(LibraryPinpointing, RecordsReplayToTheSubsumedLists)
{
    korvane_test::resetModel();
    TBox::pinpointing_index = 0;
    korvane_test::MemoryStream records;
    TBox::save_pinpointing_info = true;
    TBox::pinpointing_f = records.get();
    TBox* tbox = nullptr;
    const std::string path = std::string(KORVANE_DATA_DIR) + "/" + GetParam() + ".krss";
    ASSERT_NE(tbox = korvane_test::classifyOntologyFile(path), nullptr);
    TBox::save_pinpointing_info = false;
    TBox::pinpointing_f = nullptr;

    korvane_test::PinpointingReplay replay(tbox, records.text());
    for (const std::string& fault : replay.faults)
        ADD_FAILURE() << fault;
    EXPECT_EQ(replay.axiomRecords, tbox->gcis.size());
    EXPECT_GT(replay.derivations, 0u);
}

INSTANTIATE_TEST_SUITE_P(SharedData, LibraryPinpointing,
                         ::testing::Values("pizza", "not-galen", "elk-tests/PropertyChains",
                                           "elk-tests/TransitivityByChain"),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });

} // namespace
