// Classifies every shared real ontology with the library's completion-based
// classification and compares the subsumptions between named concepts with
// an independent reasoner (Konclude) or with the expectations shipped with
// the test files.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <map>
#include <random>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "PinpointingReplay.h"
#include "NamedSubsumptions.h"
#include "TestSupport.h"
#include "encoders/DimacsEncoder.h"
#include "model/ParserManager.h"
#include "model/PrimitiveConcept.h"
#include "parsers/el_krss_g.h"
#include "reasoner/TBox.h"
#include "support/PeerSolver.h"
#include "support/SharedOntologies.h"

namespace {

using shared_ontologies::Case;
using shared_ontologies::Pairs;

// Reads, normalises and classifies one file.
TBox* classifyFile(const std::string& path)
{
    ParserManager::getInstance()->setInputFile(path.c_str());
    TBox* tbox = TBox::getInstance();
    EXPECT_EQ(yyparse(), 0);
    tbox->normalizeTBox();
    tbox->prepareDeduction();
    int conceptCount = 0;
    int roleCount = 0;
    tbox->performDeduction(conceptCount, roleCount);
    return tbox;
}

class LibraryClassification : public ::testing::TestWithParam<Case> {};

TEST_P(LibraryClassification, NamedSubsumptionsMatchTheIndependentClassification)
{
    const Case& c = GetParam();
    if (shared_ontologies::needsBottomRule(c))
        GTEST_SKIP() << c.name << " needs a rule for the bottom concept";
    const char* sanitized = std::getenv("KORVANE_SANITIZED");
    if (sanitized != nullptr && std::string(sanitized) == "1" && shared_ontologies::large(c))
        GTEST_SKIP() << c.name << " is covered by the build without sanitizers";
    Pairs expected;
    std::string why;
    if (!shared_ontologies::expectedPairs(KORVANE_DATA_DIR, KORVANE_PEER_CACHE, c, expected, why))
        GTEST_SKIP() << why;

    korvane_test::resetModel();
    TBox* tbox = nullptr;
    ASSERT_NO_FATAL_FAILURE(tbox = classifyFile(c.krss));

    Pairs derived = korvane_test::subsumedPairs(tbox);
    shared_ontologies::expectSamePairs(expected, derived);
    std::printf("%s: %zu derived, %zu expected\n", c.name.c_str(), derived.size(), expected.size());
}

INSTANTIATE_TEST_SUITE_P(SharedData, LibraryClassification,
                         ::testing::ValuesIn(shared_ontologies::cases(KORVANE_DATA_DIR)),
                         shared_ontologies::testName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(LibraryClassification);

// The encoding written after the classification (its axioms and derived
// subsumptions) decides subsumption between named concepts as the subsumed
// lists say: with sub true and super false it is unsatisfiable exactly when
// sub is in super's subsumed list. Seeded pairs, half holding, half not.
class LibraryEncoding : public ::testing::TestWithParam<Case> {};

std::string readStream(char* buffer, std::size_t size)
{
    std::string text(buffer, size);
    std::free(buffer);
    return text;
}

TEST_P(LibraryEncoding, DecidesNamedSubsumptionsAsTheSubsumedLists)
{
    const Case& c = GetParam();
    if (shared_ontologies::large(c))
        GTEST_SKIP() << c.name << " is too large for one solver call per pair";
    if (shared_ontologies::needsBottomRule(c))
        GTEST_SKIP() << c.name << " needs a rule for the bottom concept";
    struct stat info {};
    const char* sanitized = std::getenv("KORVANE_SANITIZED");
    if (sanitized != nullptr && std::string(sanitized) == "1" && stat(c.krss.c_str(), &info) == 0 &&
        info.st_size > 100000)
        GTEST_SKIP() << c.name << " is covered by the build without sanitizers";
    if (!peerAvailable("picosat"))
        GTEST_SKIP() << "picosat is needed";

    korvane_test::resetModel();
    TBox* tbox = nullptr;
    ASSERT_NO_FATAL_FAILURE(tbox = classifyFile(c.krss));
    char* bodyBuffer = nullptr;
    char* headerBuffer = nullptr;
    std::size_t bodySize = 0, headerSize = 0;
    FILE* body = open_memstream(&bodyBuffer, &bodySize);
    FILE* header = open_memstream(&headerBuffer, &headerSize);
    TBox::CNF_SAT_Encoder = new DimacsEncoder(body, header);
    unsigned long variables = 0, clauseCount = 0;
    tbox->encodeIntoSat(false, &variables, &clauseCount);
    delete TBox::CNF_SAT_Encoder;
    TBox::CNF_SAT_Encoder = nullptr;
    std::fclose(body);
    std::fclose(header);
    std::string clauses = readStream(bodyBuffer, bodySize);
    std::string head = readStream(headerBuffer, headerSize);
    // The query adds two unit clauses to the count of the problem line.
    std::string problem = "p cnf " + std::to_string(variables) + " " + std::to_string(clauseCount);
    std::size_t at = head.find(problem + "\n");
    ASSERT_NE(at, std::string::npos) << head;
    head.replace(at, problem.size(), "p cnf " + std::to_string(variables) + " " + std::to_string(clauseCount + 2));

    std::map<std::string, Concept*> named;
    std::vector<Concept*> encoded;
    for (Concept* x : tbox->normalizedConcepts)
        if (x->kind == PRIMITIVE_CONCEPT) {
            named[static_cast<PrimitiveConcept*>(x)->name] = x;
            if (x->encodingId != 0)
                encoded.push_back(x);
        }
    Pairs holding = korvane_test::subsumedPairs(tbox);
    std::vector<std::pair<std::string, std::string>> holdingList(holding.begin(), holding.end());
    std::mt19937 random(20261209);
    std::vector<std::pair<Concept*, Concept*>> queries;
    const std::size_t half = 20;
    for (std::size_t i = 0; i < half && !holdingList.empty(); ++i) {
        const auto& pair = holdingList[std::uniform_int_distribution<std::size_t>(0, holdingList.size() - 1)(random)];
        queries.emplace_back(named[pair.first], named[pair.second]);
    }
    std::size_t wanted = queries.size() + half;
    for (int tries = 0; queries.size() < wanted && encoded.size() > 1 && tries < 1000; ++tries) {
        std::uniform_int_distribution<std::size_t> pick(0, encoded.size() - 1);
        Concept* sub = encoded[pick(random)];
        Concept* super = encoded[pick(random)];
        const std::string& a = static_cast<PrimitiveConcept*>(sub)->name;
        const std::string& b = static_cast<PrimitiveConcept*>(super)->name;
        if (sub != super && holding.count({a, b}) == 0)
            queries.emplace_back(sub, super);
    }
    if (queries.empty())
        GTEST_SKIP() << c.name << " has neither a subsumption nor two concepts to query";

    for (auto [sub, super] : queries) {
        const std::string& a = static_cast<PrimitiveConcept*>(sub)->name;
        const std::string& b = static_cast<PrimitiveConcept*>(super)->name;
        bool holds = holding.count({a, b}) != 0;
        ASSERT_NE(sub->encodingId, 0u) << a << " has no variable";
        ASSERT_NE(super->encodingId, 0u) << b << " has no variable";
        std::string cnf = head + clauses + std::to_string(sub->encodingId) + " 0\n-" +
                          std::to_string(super->encodingId) + " 0\n";
        EXPECT_EQ(runPeerSolver("picosat", cnf), holds ? 20 : 10)
            << a << " ⊑ " << b << (holds ? " holds" : " does not hold");
    }
    std::printf("%s: %zu queries, %zu holding pairs\n", c.name.c_str(), queries.size(), holding.size());
}

INSTANTIATE_TEST_SUITE_P(SharedData, LibraryEncoding, ::testing::ValuesIn(shared_ontologies::cases(KORVANE_DATA_DIR)),
                         shared_ontologies::testName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(LibraryEncoding);

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
    ASSERT_NO_FATAL_FAILURE(tbox = classifyFile(std::string(KORVANE_DATA_DIR) + "/" + GetParam() + ".krss"));
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
