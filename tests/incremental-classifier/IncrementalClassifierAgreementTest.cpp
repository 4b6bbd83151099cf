// The incremental classifier's answers on the small shared ontologies.
//
// For each ontology a seeded sample of pairs of named concepts (told
// subsumptions of the file, which hold, and random pairs, which mostly do
// not) is asked through every clause sink: the plain solver by propagation
// (-m) and by search (-m -u), the simplifying solver (-ms) and with the
// activity that favours fresh concepts (-ms -w3); an independent solver
// (picosat) decides the DIMACS encoding with each query's two units; and the
// classifier answers the same queries. All must agree, and the told pairs
// must hold.
//
// Then the ontology is split 80/20 by a seeded draw: the first part
// classified and the rest added as an increment (-j) answers as one run over
// the whole.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <sys/stat.h>
#include <vector>

#include "QuerySample.h"
#include "support/PeerInstalled.h"
#include "support/PeerSolver.h"

namespace incremental_e2e {
namespace {

using shared_ontologies::Case;

constexpr int kHolding = 10;
constexpr int kRandom = 10;

// The independent solver's answer on the encoding with the query's units.
std::string peerAnswer(const std::string& header, const std::string& body, long sub, long super)
{
    long variables = 0;
    long clauses = 0;
    for (const std::string& line : lines(header))
        if (line.compare(0, 6, "p cnf ") == 0) {
            std::istringstream numbers(line.substr(6));
            numbers >> variables >> clauses;
        }
    std::string cnf = "p cnf " + std::to_string(variables) + " " + std::to_string(clauses + 2) + "\n" + body +
                      std::to_string(sub) + " 0\n-" + std::to_string(super) + " 0\n";
    const int status = runPeerSolver("picosat", cnf);
    return status == 20 ? "U" : status == 10 ? "SAT" : "ERROR";
}

class SinkAgreement : public testing::TestWithParam<Case> {};

TEST_P(SinkAgreement, EverySinkThePeerAndTheClassifierGiveTheSameAnswers)
{
    const Case& c = GetParam();
    ASSERT_TRUE(peerInstalled("picosat"));
    Scratch scratch;
    ProcessResult encoded = incremental({"-i=" + c.krss, "-o=" + scratch.path("body"),
                                         "-h=" + scratch.path("header"), "-v=" + scratch.path("map")});
    ASSERT_EQ(encoded.status, 0) << encoded.err;
    const std::map<std::string, long> names = namedVariables(scratch.read("map"));
    std::size_t told = 0;
    const auto pairs = samplePairs(c.krss, names, kHolding, kRandom, &told);
    if (pairs.empty())
        GTEST_SKIP() << "no named concepts";
    const std::string queries = scratch.write("queries", queryFile(pairs));

    std::vector<std::string> peer;
    const std::string header = scratch.read("header");
    const std::string body = scratch.read("body");
    for (const auto& p : pairs)
        peer.push_back(peerAnswer(header, body, names.at(p.first), names.at(p.second)));

    const std::vector<std::vector<std::string>> sinks = {{"-m"}, {"-m", "-u"}, {"-ms"}, {"-ms", "-w3"}};
    for (const auto& sink : sinks) {
        std::vector<std::string> arguments = {"-i=" + c.krss, "-q=" + queries, "-o=/dev/null", "-h=/dev/null"};
        arguments.insert(arguments.end(), sink.begin(), sink.end());
        ProcessResult r = incremental(arguments);
        SCOPED_TRACE(sink.size() == 1 ? sink[0] : sink[0] + " " + sink[1]);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(answers(r.out), peer);
    }
    ProcessResult classified =
        classifier_e2e::classify({"-i=" + c.krss, "-q=" + queries, "-m", "-o=/dev/null", "-h=/dev/null"});
    ASSERT_EQ(classified.status, 0) << classified.err;
    EXPECT_EQ(answers(classified.out), peer) << "classifier -m";

    for (std::size_t i = 0; i < told; ++i)
        EXPECT_EQ(peer[i], "U") << pairs[i].first << " ⊑ " << pairs[i].second << " is told";
}

class IncrementAgreement : public testing::TestWithParam<Case> {};

TEST_P(IncrementAgreement, AnIncrementAnswersAsOneRunOverTheWhole)
{
    const Case& c = GetParam();
    Scratch scratch;
    std::string o1, o2;
    ASSERT_NO_FATAL_FAILURE(writeSplitOntology(scratch, c.krss, o1, o2));

    ProcessResult whole = incremental({"-i=" + c.krss, "-o=/dev/null", "-h=/dev/null", "-v=" + scratch.path("map")});
    ASSERT_EQ(whole.status, 0) << whole.err;
    const auto pairs = samplePairs(c.krss, namedVariables(scratch.read("map")), kHolding, kRandom);
    if (pairs.empty())
        GTEST_SKIP() << "no named concepts";
    const std::string queries = scratch.write("queries", queryFile(pairs));

    ProcessResult once = incremental({"-i=" + c.krss, "-q=" + queries, "-m", "-o=/dev/null", "-h=/dev/null"});
    ProcessResult split =
        incremental({"-i=" + o1, "-j=" + o2, "-q=" + queries, "-m", "-o=/dev/null", "-h=/dev/null"});
    ASSERT_EQ(once.status, 0) << once.err;
    ASSERT_EQ(split.status, 0) << split.err;
    EXPECT_EQ(answers(split.out), answers(once.out));
    EXPECT_EQ(answers(once.out).size(), pairs.size());
}

INSTANTIATE_TEST_SUITE_P(SharedData, SinkAgreement, testing::ValuesIn(smallCases()), shared_ontologies::testName);
INSTANTIATE_TEST_SUITE_P(SharedData, IncrementAgreement, testing::ValuesIn(smallCases()),
                         shared_ontologies::testName);

} // namespace
} // namespace incremental_e2e
