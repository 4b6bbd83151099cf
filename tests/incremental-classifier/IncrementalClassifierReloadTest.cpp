// The reload road of the incremental classifier end to end: an ontology
// classified and stored (header file, clause file, normalisation map), the
// header and the clauses joined into one encoding file and read back with
// -io and -iv.
//
// On the small shared ontologies the reloaded run answers seeded queries
// (told inclusions, which hold, and random pairs, which mostly do not) as
// the run that classified the ontology, and its normalisation map lists the
// concepts of the stored one; the first part of a seeded 80/20 split, stored
// and reloaded, takes the rest as an increment and answers as the same
// increment classified without a reload, and as one run over the whole file.
// A table of small terminologies whose stored files lost what the rules or a
// query's normalisation need, each answering on the reload road as one run
// does. Then the files that a reload must refuse, and the classifier's
// encodings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "QuerySample.h"
#include "support/TextPattern.h"

namespace incremental_e2e {
namespace {

using shared_ontologies::Case;

constexpr int kQueries = 300;
constexpr int kHolding = 150;
const std::vector<std::string> kNoOutput = {"-o=/dev/null", "-h=/dev/null"};

// An ontology classified by the incremental classifier, stored in `scratch`
// as PREFIX.encoding (header, then clauses) and PREFIX.map.
struct Stored {
    std::string encoding;
    std::string map;
};

Stored store(const Scratch& scratch, const std::string& prefix, const std::vector<std::string>& program,
             const std::string& ontology, const std::vector<std::string>& options = {})
{
    std::vector<std::string> arguments = program;
    if (!ontology.empty())
        arguments.push_back("-i=" + ontology);
    arguments.insert(arguments.end(), {"-o=" + scratch.path(prefix + ".body"),
                                       "-h=" + scratch.path(prefix + ".header"), "-v=" + scratch.path(prefix + ".map")});
    arguments.insert(arguments.end(), options.begin(), options.end());
    ProcessResult r = runProgram(arguments);
    EXPECT_EQ(r.status, 0) << r.err;
    return {scratch.write(prefix + ".encoding", scratch.read(prefix + ".header") + scratch.read(prefix + ".body")),
            scratch.path(prefix + ".map")};
}

Stored storeIncremental(const Scratch& scratch, const std::string& prefix, const std::string& ontology)
{
    return store(scratch, prefix, {kIncremental}, ontology);
}

// The answers of a run of the in-process solver to the query file; the run
// must end well.
std::vector<std::string> answered(std::vector<std::string> arguments, const std::string& queries,
                                  const char* sink = "-m")
{
    arguments.insert(arguments.end(), {"-q=" + queries, sink});
    arguments.insert(arguments.end(), kNoOutput.begin(), kNoOutput.end());
    ProcessResult r = incremental(arguments);
    EXPECT_EQ(r.status, 0) << r.err;
    return answers(r.out);
}

// The lines of a normalisation map, as a set. A fresh concept's name
// ("#N") is its number in one run only: it is written as the variable that
// the map gives it, wherever it appears.
std::set<std::string> mapLines(const std::string& text)
{
    const std::vector<std::string> all = lines(text);
    std::map<std::string, std::string> fresh;
    for (const std::string& line : all) {
        const std::size_t blank = line.find(' ');
        if (!line.empty() && line[0] == '#' && blank != std::string::npos)
            fresh[line.substr(0, blank)] = "#variable" + line.substr(blank + 1);
    }
    std::set<std::string> found;
    static const TextPattern freshName("#[0-9]+");
    for (const std::string& line : all) {
        std::string renamed;
        std::size_t at = 0;
        for (const TextPattern::Occurrence& m : freshName.occurrences(line)) {
            const std::string& name = m.groups[0];
            renamed += line.substr(at, m.position - at);
            const auto known = fresh.find(name);
            renamed += known != fresh.end() ? known->second : name;
            at = m.position + name.size();
        }
        found.insert(renamed + line.substr(at));
    }
    return found;
}

class ReloadRoundTrip : public testing::TestWithParam<Case> {};

TEST_P(ReloadRoundTrip, AnswersAsTheClassifyingRunAndWritesTheSameMap)
{
    const Case& c = GetParam();
    Scratch scratch;
    const Stored stored = storeIncremental(scratch, "o", c.krss);
    const std::map<std::string, long> names = namedVariables(scratch.read("o.map"));
    std::size_t told = 0;
    samplePairs(c.krss, names, kHolding, 0, &told);
    const std::vector<Pair> sample =
        samplePairs(c.krss, names, static_cast<int>(told), kQueries - static_cast<int>(told));
    if (sample.empty())
        GTEST_SKIP() << "no named concepts";
    const std::string queries = scratch.write("queries", queryFile(sample));

    const std::vector<std::string> classified = answered({"-i=" + c.krss}, queries);
    const std::vector<std::string> reloaded =
        answered({"-io=" + stored.encoding, "-iv=" + stored.map, "-v=" + scratch.path("reloaded.map")}, queries);
    ASSERT_EQ(classified.size(), sample.size());
    EXPECT_EQ(reloaded, classified);
    for (std::size_t i = 0; i < told; ++i)
        EXPECT_EQ(reloaded[i], "U") << sample[i].first << " ⊑ " << sample[i].second << " is told";
    // The reloaded terminology numbers its concepts as the stored one did
    // (fresh ones get names of their own), and queries between names add
    // none.
    EXPECT_EQ(mapLines(scratch.read("reloaded.map")), mapLines(scratch.read("o.map")));
}

class IncrementAfterReload : public testing::TestWithParam<Case> {};

TEST_P(IncrementAfterReload, AnswersAsTheIncrementWithoutAReloadAndAsOneRun)
{
    const Case& c = GetParam();
    Scratch scratch;
    std::string o1, o2;
    ASSERT_NO_FATAL_FAILURE(writeSplitOntology(scratch, c.krss, o1, o2));
    const Stored stored = storeIncremental(scratch, "o1", o1);
    const Stored whole = storeIncremental(scratch, "o", c.krss);
    const std::vector<Pair> pairs = samplePairs(c.krss, namedVariables(readFile(whole.map)), 50, 150);
    if (pairs.empty())
        GTEST_SKIP() << "no named concepts";
    const std::string queries = scratch.write("queries", queryFile(pairs));

    const std::vector<std::string> once = answered({"-i=" + c.krss}, queries);
    const std::vector<std::string> incremented = answered({"-i=" + o1, "-j=" + o2}, queries);
    const std::vector<std::string> reloaded =
        answered({"-io=" + stored.encoding, "-iv=" + stored.map, "-j=" + o2}, queries);
    ASSERT_EQ(once.size(), pairs.size());
    EXPECT_EQ(reloaded, incremented);
    // Where the increment without a reload misses a subsumption of the
    // whole file, the incremental classification is at fault, not the
    // reload: those pairs are only counted.
    int missedByBoth = 0;
    for (std::size_t i = 0; i < pairs.size() && i < reloaded.size() && i < incremented.size(); ++i) {
        if (incremented[i] != once[i]) {
            ++missedByBoth;
            continue;
        }
        EXPECT_EQ(reloaded[i], once[i]) << pairs[i].first << " ⊑ " << pairs[i].second;
    }
    if (missedByBoth > 0)
        std::printf("%s: %d of %zu answers of the increment differ from one run, with or without a reload\n",
                    c.name.c_str(), missedByBoth, pairs.size());
}

INSTANTIATE_TEST_SUITE_P(SharedData, ReloadRoundTrip, testing::ValuesIn(smallCases()), shared_ontologies::testName);
INSTANTIATE_TEST_SUITE_P(SharedData, IncrementAfterReload, testing::ValuesIn(smallCases()),
                         shared_ontologies::testName);

// What one run over a terminology answers, the reload road answers too. The
// first part is stored (by the incremental classifier, or by the classifier
// without pinpointing), reloaded and given the next part as an increment,
// stored again and so on; the last reload takes the last part and answers.
// Every run gets the case's options, with either solver. (Complex queries
// that a reload names anew are rows of the table of
// tests/parsers/ComplexQueryNamingTest.cpp, which takes every road.)
struct ReloadCase {
    const char* title;
    std::vector<std::string> parts;
    const char* queries;
    std::vector<std::string> expected;
    std::vector<std::string> options = {};
    bool storedByClassifier = false;
};

void PrintTo(const ReloadCase& c, std::ostream* out) { *out << c.title; }

class ReloadAnswersAsOneRun : public testing::TestWithParam<ReloadCase> {};

TEST_P(ReloadAnswersAsOneRun, WithEachSolver)
{
    const ReloadCase& c = GetParam();
    Scratch scratch;
    std::vector<std::string> parts;
    std::string whole;
    for (std::size_t k = 0; k < c.parts.size(); ++k) {
        parts.push_back(scratch.write("part" + std::to_string(k), c.parts[k]));
        whole += c.parts[k];
    }
    const std::string queries = scratch.write("queries", c.queries);
    for (const char* sink : {"-m", "-ms"}) {
        SCOPED_TRACE(sink);
        std::vector<std::string> options = c.options;
        options.push_back(sink);
        std::vector<std::string> once = {"-i=" + scratch.write("whole", whole), "-q=" + queries};
        once.insert(once.end(), options.begin(), options.end());
        once.insert(once.end(), kNoOutput.begin(), kNoOutput.end());
        ProcessResult r = incremental(once);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(answers(r.out), c.expected) << "one run";

        Stored stored = c.storedByClassifier
                            ? store(scratch, "s0", {classifier_e2e::kClassifier}, parts[0], {"-s"})
                            : store(scratch, "s0", {kIncremental}, parts[0], c.options);
        for (std::size_t k = 1; k + 1 < parts.size(); ++k) {
            std::vector<std::string> again = {"-io=" + stored.encoding, "-iv=" + stored.map, "-j=" + parts[k]};
            again.insert(again.end(), c.options.begin(), c.options.end());
            stored = store(scratch, "s" + std::to_string(k), {kIncremental}, "", again);
        }
        std::vector<std::string> reloaded = {"-io=" + stored.encoding, "-iv=" + stored.map};
        if (parts.size() > 1)
            reloaded.push_back("-j=" + parts.back());
        reloaded.insert(reloaded.end(), c.options.begin(), c.options.end());
        EXPECT_EQ(answered(reloaded, queries, sink), c.expected) << "reload road";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReloadAnswersAsOneRun,
    testing::Values(
        // D ⊑ ⊥ ⊑ ∃r.A, so C ⊑ ∃r.D ⊑ ∃r.∃r.A ⊑ ∃r.A ⊑ ⊥ (r transitive), and
        // C ⊑ A. ⊥ ⊑ ∃r.A makes no clause: the map carries it.
        ReloadCase{"BottomUnderAnExistential",
                   {"(equivalent (some r A) *bottom*)\n(implies C (some r D))\n", "(implies D *bottom*)\n(transitive r)\n"},
                   "(subsumes? *bottom* C)\n(subsumes? A C)\n",
                   {"U", "U"}},
        ReloadCase{"BottomUnderAnExistentialStoredByTheClassifier",
                   {"(equivalent (some r A) *bottom*)\n(implies C (some r D))\n", "(implies D *bottom*)\n(transitive r)\n"},
                   "(subsumes? *bottom* C)\n(subsumes? A C)\n",
                   {"U", "U"},
                   {},
                   true},
        // D ⊑ ⊥ ⊑ A, so C ⊑ ∃r.D ⊑ ∃r.A ⊑ X.
        ReloadCase{"BottomOverAName",
                   {"(implies *bottom* A)\n(implies C (some r D))\n(implies (some r A) X)\n", "(implies D *bottom*)\n"},
                   "(subsumes? X C)\n",
                   {"U"}},
        // ∃r.(A ⊓ B) ⊑ ∃s.(A ⊓ B) ⊑ ∃s.A ⊑ Y, which a classification that
        // makes no existentials finds only over the conjunction that
        // backward normalisation named.
        ReloadCase{"BackwardConjunctionWithoutNewExistentials",
                   {"(implies X (some s (and A B)))\n(role-inclusion r s)\n(implies (some s A) Y)\n"},
                   "(subsumes? Y (some r (and A B)))\n",
                   {"U"},
                   {"-c"}},
        // ∃r.C4 ⊑ ∃r.⊤, so ∃r.C4 ⊑ ⊥ ⊑ C2. The second store holds two names
        // of ∃r.C4: the forward one of the first part, and the backward one
        // that the increment defined.
        ReloadCase{"ExistentialNamedInTwoStores",
                   {"(implies (and (some r C4) B) X)\n",
                    "(equivalent (and (some r *top*) (some r C4)) *bottom*)\n", "(implies C2 C3)\n"},
                   "(subsumes? C2 (some r C4))\n",
                   {"U"}}),
    [](const testing::TestParamInfo<ReloadCase>& info) { return std::string(info.param.title); });

// A query file that adds inclusions after an increment, after a reload, or
// after both, classifies only what they touch: its encoding pass adds the
// clauses of the query's inclusions and of the subsumptions they bring, and
// none that an earlier pass wrote (D ⊑ G of the increment, A ⊑ G of the first
// part). The answers are those of one run: D ⊑ A ⊑ ∃r.B ⊑ ∃r.F ⊑ G, so D ⊑
// G ⊓ ∃r.F; A ⊑ ∃r.(B ⊓ F) from B ⊑ F; A ⋢ H (B ⋢ G); A ⊓ G ⋢ D.
TEST(QueriesAfterAnIncrementOrAReload, EncodeEachClauseOnceAndAnswerAsOneRun)
{
    Scratch scratch;
    const std::string first = scratch.write("first", "(implies A (some r B))\n(implies B F)\n(implies (some r F) G)\n");
    const std::string increment = scratch.write("increment", "(implies D A)\n(implies (some r G) H)\n");
    const std::string whole = scratch.write("whole", readFile(first) + readFile(increment));
    const std::string queries = scratch.write("queries", "(subsumes? (and G (some r F)) D)\n"
                                                         "(subsumes? (some r (and B F)) A)\n"
                                                         "(subsumes? H A)\n(subsumes? D (and A G))\n");
    const std::vector<std::string> expected = {"U", "U", "SAT", "SAT"};
    const Stored storedFirst = storeIncremental(scratch, "first", first);
    const Stored storedWhole = storeIncremental(scratch, "whole", whole);
    const std::vector<std::vector<std::string>> roads = {
        {"-i=" + whole},
        {"-i=" + first, "-j=" + increment},
        {"-io=" + storedWhole.encoding, "-iv=" + storedWhole.map},
        {"-io=" + storedFirst.encoding, "-iv=" + storedFirst.map, "-j=" + increment},
    };
    for (const std::vector<std::string>& road : roads) {
        SCOPED_TRACE(road.back());
        EXPECT_EQ(answered(road, queries), expected);
        std::vector<std::string> written = road;
        written.insert(written.end(), {"-q=" + queries, "-o=" + scratch.path("body"), "-h=/dev/null"});
        ProcessResult r = incremental(written);
        ASSERT_EQ(r.status, 0) << r.err;
        // The units are the DIMACS writer's query decisions, which repeat.
        std::map<std::string, int> clauses;
        for (const std::string& line : lines(readFile(scratch.path("body"))))
            if (std::count(line.begin(), line.end(), ' ') >= 2)
                ++clauses[line];
        ASSERT_GE(clauses.size(), 10u);
        for (const auto& clause : clauses)
            EXPECT_EQ(clause.second, 1) << clause.first;
    }
}

// Two small terminologies of different sizes, stored by separate runs.
const char kSmall[] = "(implies A B)\n(implies B C)\n";
const char kLarger[] = "(implies D E)\n(implies E (some r F))\n(implies (some r F) G)\n(implies H (and D G))\n";

TEST(ReloadRefuses, AnEncodingAndAMapOfDifferentRuns)
{
    Scratch scratch;
    const Stored small = storeIncremental(scratch, "small", scratch.write("small.krss", kSmall));
    const Stored larger = storeIncremental(scratch, "larger", scratch.write("larger.krss", kLarger));
    // The larger map names variables beyond the small encoding's.
    ProcessResult beyond = incremental({"-io=" + small.encoding, "-iv=" + larger.map, "-o=/dev/null", "-h=/dev/null"});
    EXPECT_EQ(beyond.status, 255);
    EXPECT_NE(beyond.err.find("greater than the encoding's variables number"), std::string::npos) << beyond.err;
    // The small map leaves variables of the larger encoding without a concept.
    ProcessResult unnamed = incremental({"-io=" + larger.encoding, "-iv=" + small.map, "-o=/dev/null", "-h=/dev/null"});
    EXPECT_EQ(unnamed.status, 255);
    EXPECT_NE(unnamed.err.find("ERROR! Line 0: The TBox can not be rebuilt: the normalization map names no concept "
                               "for the encoding's variable"),
              std::string::npos)
        << unnamed.err;
    EXPECT_EQ(unnamed.out, "");
}

// The classifier's encoding with pinpointing carries axiom selectors that no
// concept stands for: refused, whether or not it derived anything.
TEST(ReloadRefuses, TheClassifiersEncodingWithPinpointing)
{
    Scratch scratch;
    const Stored told = store(scratch, "told", {classifier_e2e::kClassifier}, scratch.write("told.krss", "(implies A B)\n"));
    ProcessResult selectors = incremental({"-io=" + told.encoding, "-iv=" + told.map, "-o=/dev/null", "-h=/dev/null"});
    EXPECT_EQ(selectors.status, 255);
    EXPECT_NE(selectors.err.find("[Input Encoding - Main] ERROR! Line 0: The TBox can not be rebuilt: the "
                                 "normalization map names no concept for the encoding's variable (an encoding with "
                                 "axiom selectors, or files of different runs?): 1\n"),
              std::string::npos)
        << selectors.err;

    const Stored derived = store(scratch, "derived", {classifier_e2e::kClassifier}, scratch.write("derived.krss", kSmall));
    ProcessResult rules = incremental({"-io=" + derived.encoding, "-iv=" + derived.map, "-o=/dev/null", "-h=/dev/null"});
    EXPECT_EQ(rules.status, 255);
    EXPECT_NE(rules.err.find("Wrong encoding: the TBox can not be rebuilt without the distinction from axioms and "
                             "deduced implications!\n"),
              std::string::npos)
        << rules.err;
}

// Without pinpointing (-s) the classifier's encoding reloads, answers every
// query between the example's names as the classifier, and takes the
// example's increment.
TEST(ReloadOfTheClassifiersEncoding, AnswersAsTheClassifierAndTakesAnIncrement)
{
    Scratch scratch;
    const std::string ontology = classifier_e2e::kExamplesDir + "/anatomy.krss";
    const Stored stored = store(scratch, "anatomy", {classifier_e2e::kClassifier}, ontology, {"-s"});
    std::vector<Pair> pairs;
    const std::map<std::string, long> names = namedVariables(readFile(stored.map));
    ASSERT_GE(names.size(), 5u);
    for (const auto& sub : names)
        for (const auto& super : names)
            pairs.emplace_back(sub.first, super.first);
    const std::string queries = scratch.write("queries", queryFile(pairs));

    ProcessResult classified = classifier_e2e::classify({"-i=" + ontology, "-q=" + queries, "-m", "-o=/dev/null",
                                                         "-h=/dev/null"});
    ASSERT_EQ(classified.status, 0) << classified.err;
    const std::vector<std::string> reloaded = answered({"-io=" + stored.encoding, "-iv=" + stored.map}, queries);
    EXPECT_EQ(reloaded, answers(classified.out));
    EXPECT_EQ(reloaded.size(), pairs.size());

    // Thumb ⊑ Finger is added: a thumb is a body part, not a limb.
    const std::string thumb = scratch.write("thumb.queries", "(subsumes? BodyPart Thumb)\n(subsumes? Limb Thumb)\n");
    EXPECT_EQ(answered({"-io=" + stored.encoding, "-iv=" + stored.map,
                        "-j=" + classifier_e2e::kExamplesDir + "/anatomy-increment.krss"},
                       thumb),
              (std::vector<std::string>{"U", "SAT"}));
}

} // namespace
} // namespace incremental_e2e
