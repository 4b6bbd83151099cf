// Encodings that the classifier program wrote, reloaded: without
// pinpointing (-s) they rebuild a terminology that encodes the same clauses
// and answers queries as the classifier's encoding, and takes increments;
// with pinpointing their selector and derivation variables have no concept,
// and the reload is refused with an error.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "EncodingReloadSupport.h"
#include "NamedSubsumptions.h"
#include "support/ProcessRunner.h"
#include "support/SharedOntologies.h"

using namespace reload_test;
using korvane_test::literal;
using shared_ontologies::Case;

namespace {

// The classifier's encoding (header file, then clause file) and map of an
// ontology file, written with the given extra options.
Stored classifierEncoding(const std::string& ontology, const std::vector<std::string>& options)
{
    const std::string dir = makeTempDir();
    std::vector<std::string> arguments = {KORVANE_CLASSIFIER_PATH, "-i=" + ontology, "-o=" + dir + "/body",
                                          "-h=" + dir + "/header", "-v=" + dir + "/map"};
    arguments.insert(arguments.end(), options.begin(), options.end());
    ProcessResult run = runProgram(arguments);
    EXPECT_EQ(run.status, 0) << run.err;
    Stored stored;
    stored.encoding = readFile(dir + "/header") + readFile(dir + "/body");
    stored.map = readFile(dir + "/map");
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
    return stored;
}

// Whether the totals lines of an encoding's header add up to the clause
// count of its problem line, as the encoding reader demands.
bool congruent(const std::string& encoding)
{
    unsigned long axioms = 0, deduced = 0, sum = 0, clauses = 0, variables = 0;
    std::size_t at = 0;
    while (at < encoding.size() && (encoding[at] == 'c' || encoding[at] == 'p')) {
        std::size_t end = encoding.find('\n', at);
        std::string line = encoding.substr(at, end - at);
        if (std::sscanf(line.c_str(), "c axioms %lu deduced %lu", &axioms, &deduced) == 2)
            sum += axioms + deduced;
        else if (std::sscanf(line.c_str(), "p cnf %lu %lu", &variables, &clauses) != 2)
            break;
        at = end + 1;
    }
    return sum == clauses;
}

// The classifier's own switches.
void classifierSwitches()
{
    Concept::EquivalenceNames = true;
    TBox::initializeNonPrimitive = false;
}

class ClassifierEncoding : public ::testing::TestWithParam<Case> {};

TEST_P(ClassifierEncoding, WithoutPinpointingReloadsAndAnswersAsTheClassifier)
{
    const Case& c = GetParam();
    if (shared_ontologies::large(c))
        GTEST_SKIP() << c.name << " is left to bench/encoding_reload.sh";
    if (shared_ontologies::needsBottomRule(c))
        GTEST_SKIP() << c.name << " may make an encoding that is contradictory by itself";
    const Stored stored = classifierEncoding(c.krss, {"-s"});
    // The header's counts add up to the clauses written, also when a told
    // or derived inclusion gives no clause (bottom on its left side).
    ASSERT_TRUE(congruent(stored.encoding)) << stored.encoding;
    const ClauseSet storedClauses = clauseSet(stored.encoding);
    resetAll();
    classifierSwitches();
    addFileAndClassify(c.krss);
    const shared_ontologies::Pairs expected = korvane_test::subsumedPairs(TBox::getInstance());
    reload(stored);
    TBox* tbox = TBox::getInstance();
    unsigned long variables = 0;
    const ClauseSet clauses = clauseSet(encodePass(tbox, &variables).second);
    EXPECT_EQ(clauses, storedClauses);

    Answers original(storedClauses);
    Answers rebuilt(clauses);
    const std::map<std::string, unsigned long> named = namedVariables(tbox);
    std::size_t holding = 0;
    for (const auto& [sub, super] : sampleNamedPairs(tbox, 200, 20261209)) {
        const unsigned long a = named.at(sub);
        const unsigned long b = named.at(super);
        const bool holds = original.holds(a, b);
        holding += holds;
        EXPECT_EQ(rebuilt.holds(a, b), holds) << sub << " ⊑ " << super;
    }
    std::printf("%s: %zu clauses, %zu of 200 queries holding\n", c.name.c_str(), clauses.size(), holding);

    // Classified by the library before an (empty) increment, the reloaded
    // terminology has the library's subsumptions of the file, whatever
    // concepts the classifier's normal form has beyond the library's.
    addAndClassify("");
    shared_ontologies::expectSamePairs(expected, korvane_test::subsumedPairs(tbox));
}

INSTANTIATE_TEST_SUITE_P(SharedData, ClassifierEncoding, ::testing::ValuesIn(shared_ontologies::cases(KORVANE_DATA_DIR)),
                         shared_ontologies::testName);

TEST(ClassifierEncoding, ReloadedTakesAnIncrement)
{
    korvane_test::TempInput ontology("(implies F G)\n(implies (some r G) B)\n(implies A (some r G))\n");
    const Stored stored = classifierEncoding(ontology.path(), {"-s"});
    classifierSwitches();
    reload(stored);
    unsigned long variables = 0;
    ClauseSet clauses = clauseSet(encodePass(TBox::getInstance(), &variables).second);
    addAndClassify("(implies C (some r F))\n");
    TBox* tbox = TBox::getInstance();
    const shared_ontologies::Pairs pairs = korvane_test::subsumedPairs(tbox);
    EXPECT_EQ(pairs, (shared_ontologies::Pairs{{"A", "B"}, {"C", "B"}, {"F", "G"}}));
    const ClauseSet increment = clauseSet(encodePass(tbox, &variables).second);
    clauses.insert(increment.begin(), increment.end());
    Answers answers(clauses);
    const std::map<std::string, unsigned long> named = namedVariables(tbox);
    EXPECT_TRUE(answers.holds(named.at("C"), named.at("B")));
    EXPECT_FALSE(answers.holds(named.at("C"), named.at("G")));
}

// With pinpointing the axiom clauses carry the selectors of the axioms. Of
// a terminology that derives nothing the header still tells the axiom
// clauses apart, and the reload meets selector 1; with derivations the rule
// clauses come first and the header's blocks do not add up, which the
// encoding reader refuses already.
TEST(ClassifierEncoding, WithPinpointingIsRefused)
{
    korvane_test::TempInput ontology("(implies A B)\n");
    const Stored stored = classifierEncoding(ontology.path(), {});
    classifierSwitches();
    EXPECT_EXIT(reload(stored), ::testing::ExitedWithCode(255),
                "^" + literal("[Input Encoding - Main] ERROR! Line 0: The TBox can not be rebuilt: the normalization "
                              "map names no concept for the encoding's variable (an encoding with axiom "
                              "selectors, or files of different runs?): 1\n"));

    korvane_test::TempInput derivations("(implies A B)\n(implies B C)\n");
    const Stored withDerivations = classifierEncoding(derivations.path(), {});
    EXPECT_EXIT(reload(withDerivations), ::testing::ExitedWithCode(255),
                literal("ERROR! Line ") + "[0-9]+" +
                    literal(": Wrong encoding: the TBox can not be rebuilt without the distinction from axioms and "
                            "deduced implications!\n"));
}

} // namespace
