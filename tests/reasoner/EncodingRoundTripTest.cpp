// The shared real ontologies classified, stored as an encoding and a
// normalisation map, and rebuilt from them: the rebuilt terminology encodes
// the same clauses and answers sampled queries as the stored encoding; and
// an ontology stored in part and completed by an increment after the reload
// ends with the subsumptions of one classification of the whole file.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "EncodingReloadSupport.h"
#include "NamedSubsumptions.h"
#include "support/SanitizedBuild.h"
#include "support/SharedOntologies.h"

using namespace reload_test;
using shared_ontologies::Case;

namespace {

const unsigned kSeed = 20261209;
const std::size_t kQueries = 200;

// A fresh model with the switches of the incremental classifier's defaults.
void freshRun()
{
    resetAll();
    Concept::EquivalenceNames = true;
    TBox::initializeNonPrimitive = false;
}

// A shared ontology, but for the large files (left to
// bench/encoding_reload.sh) and, in the sanitizer build, the middle-sized ones
// (covered by the build without sanitizers).
class SharedOntologyReload : public ::testing::TestWithParam<Case> {
protected:
    void SetUp() override
    {
        const Case& c = GetParam();
        if (shared_ontologies::large(c))
            GTEST_SKIP() << c.name << " is left to bench/encoding_reload.sh";
        if (sanitizedBuild() &&
            (c.name == "fly-anatomy" || c.name == "wbbt-full" || c.name == "cl-edit" || c.name == "not-galen"))
            GTEST_SKIP() << c.name << " is covered by the build without sanitizers";
    }

    // The whole file classified in one run.
    TBox* classifiedWhole()
    {
        freshRun();
        addFileAndClassify(GetParam().krss);
        return TBox::getInstance();
    }
};

using Queries = std::vector<std::pair<std::string, std::string>>;

// The in-process solver ends the process on an encoding that is
// contradictory by itself, as the files about the bottom concept may be.
Queries sampleQueries(const Case& c, TBox* tbox)
{
    return shared_ontologies::needsBottomRule(c) ? Queries() : sampleNamedPairs(tbox, kQueries, kSeed);
}

// The answers of the clauses to the queries, by the variables of the names
// in the terminology; a name without a variable subsumes nothing else.
std::vector<bool> answer(TBox* tbox, const ClauseSet& clauses, const Queries& queries)
{
    if (queries.empty())
        return {};
    Answers answers(clauses);
    const std::map<std::string, unsigned long> variables = namedVariables(tbox);
    std::vector<bool> result;
    for (const auto& [sub, super] : queries) {
        auto a = variables.find(sub);
        auto b = variables.find(super);
        result.push_back(sub == super ||
                         (a != variables.end() && b != variables.end() && answers.holds(a->second, b->second)));
    }
    return result;
}

void expectSameAnswers(const Queries& queries, const std::vector<bool>& expected, const std::vector<bool>& found)
{
    ASSERT_EQ(expected.size(), found.size());
    std::size_t differing = 0;
    for (std::size_t i = 0; i < queries.size(); ++i)
        if (expected[i] != found[i] && ++differing <= 5)
            ADD_FAILURE() << queries[i].first << " ⊑ " << queries[i].second << ": "
                          << (expected[i] ? "holds" : "does not hold") << " on the stored encoding";
    EXPECT_EQ(differing, 0u);
}

void expectSameClauses(const ClauseSet& expected, const ClauseSet& found)
{
    std::size_t missing = 0;
    for (const auto& clause : expected)
        missing += found.count(clause) == 0;
    std::size_t extra = 0;
    for (const auto& clause : found)
        extra += expected.count(clause) == 0;
    EXPECT_EQ(missing, 0u) << "of " << expected.size() << " stored clauses not encoded after the reload";
    EXPECT_EQ(extra, 0u) << "clauses encoded after the reload beyond the " << expected.size() << " stored ones";
}

class EncodingRoundTrip : public SharedOntologyReload {};

TEST_P(EncodingRoundTrip, RebuiltTerminologyEncodesTheStoredClauses)
{
    const Case& c = GetParam();
    TBox* original = classifiedWhole();
    const Stored stored = store(original);
    const ClauseSet storedClauses = clauseSet(stored.encoding);
    const Queries queries = sampleQueries(c, original);
    const std::vector<bool> expected = answer(original, storedClauses, queries);

    reload(stored);
    TBox* rebuilt = TBox::getInstance();
    unsigned long variables = 0;
    auto [header, body] = encodePass(rebuilt, &variables);
    EXPECT_EQ(variables, stored.variables);
    const ClauseSet clauses = clauseSet(body);
    expectSameClauses(storedClauses, clauses);
    expectSameAnswers(queries, expected, answer(rebuilt, clauses, queries));
    std::printf("%s: %zu clauses, %zu queries\n", c.name.c_str(), clauses.size(), queries.size());
}

INSTANTIATE_TEST_SUITE_P(SharedData, EncodingRoundTrip, ::testing::ValuesIn(shared_ontologies::cases(KORVANE_DATA_DIR)),
                         shared_ontologies::testName);

class IncrementAfterReload : public SharedOntologyReload {};

TEST_P(IncrementAfterReload, EndsWithTheSubsumptionsOfOneRun)
{
    const Case& c = GetParam();
    TBox* whole = classifiedWhole();
    const shared_ontologies::Pairs expected = korvane_test::subsumedPairs(whole);
    const Queries queries = sampleQueries(c, whole);
    unsigned long variables = 0;
    const std::vector<bool> expectedAnswers = answer(whole, clauseSet(encodePass(whole, &variables).second), queries);

    const auto [first, second] = splitForms(c.krss, kSeed);
    korvane_test::TempInput firstFile(first);
    korvane_test::TempInput secondFile(second);
    freshRun();
    addFileAndClassify(firstFile.path());
    addFileAndClassify(secondFile.path());
    const shared_ontologies::Pairs withoutReload = korvane_test::subsumedPairs(TBox::getInstance());

    freshRun();
    addFileAndClassify(firstFile.path());
    const Stored stored = store(TBox::getInstance());
    reload(stored);
    ClauseSet clauses = clauseSet(encodePass(TBox::getInstance(), &variables).second);
    addFileAndClassify(secondFile.path());
    TBox* tbox = TBox::getInstance();
    const shared_ontologies::Pairs derived = korvane_test::subsumedPairs(tbox);
    // The increment derives after the reload what it derives on the
    // classified first part.
    shared_ontologies::expectSamePairs(withoutReload, derived);
    // And what one run over the whole file derives, but for subsumptions
    // that the increment misses without a reload as well (a fault of the
    // incremental classification, not of the reload).
    shared_ontologies::Pairs missedAnyway;
    std::set_difference(expected.begin(), expected.end(), withoutReload.begin(), withoutReload.end(),
                        std::inserter(missedAnyway, missedAnyway.end()));
    if (!missedAnyway.empty())
        std::printf("%s: %zu subsumptions missed by the increment also without a reload:%s\n", c.name.c_str(),
                    missedAnyway.size(), shared_ontologies::describe(missedAnyway).c_str());
    shared_ontologies::Pairs reachable;
    std::set_difference(expected.begin(), expected.end(), missedAnyway.begin(), missedAnyway.end(),
                        std::inserter(reachable, reachable.end()));
    shared_ontologies::Pairs derivedReachable;
    std::set_difference(derived.begin(), derived.end(), missedAnyway.begin(), missedAnyway.end(),
                        std::inserter(derivedReachable, derivedReachable.end()));
    shared_ontologies::expectSamePairs(reachable, derivedReachable);

    const ClauseSet increment = clauseSet(encodePass(tbox, &variables).second);
    clauses.insert(increment.begin(), increment.end());
    std::vector<bool> answers = answer(tbox, clauses, queries);
    std::vector<bool> expectedHere = expectedAnswers;
    for (std::size_t i = 0; i < queries.size(); ++i)
        if (missedAnyway.count(queries[i]) != 0)
            expectedHere[i] = answers[i];
    expectSameAnswers(queries, expectedHere, answers);
    std::printf("%s: %zu subsumptions between names\n", c.name.c_str(), expected.size());
}

INSTANTIATE_TEST_SUITE_P(SharedData, IncrementAfterReload,
                         ::testing::ValuesIn(shared_ontologies::cases(KORVANE_DATA_DIR)),
                         shared_ontologies::testName);

} // namespace
