// The encoding grammar: a stored encoding sorted into the reload side of the
// EncodedTBox (axiom clauses, deduced implications by premise, deduced
// clauses with several premises), the header's checks, and encodings written
// by the DIMACS writer read back.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <ostream>
#include <string>
#include <sys/resource.h>
#include <utility>
#include <vector>

#include "EncodingTestSupport.h"
#include "ParserTestSupport.h"
#include "parsers/EncodingReader.h"
#include "reasoner/EncodedTBox.h"
#include "support/SanitizedBuild.h"

using namespace korvane_test;
using ::testing::ExitedWithCode;

namespace {

using Variables = std::vector<unsigned long>;
// (premises, conclusion), zero-based.
using Horn = std::pair<Variables, unsigned long>;
// Table entry -> the variables it implies, zero-based.
using Implications = std::map<unsigned long, Variables>;

struct Sorted {
    std::vector<Horn> axiomClauses;
    Implications implications;
    std::vector<Horn> multiPremiseClauses;
};

std::vector<Horn> hornClauses(const EncodedTBox::HornClauses& clauses)
{
    std::vector<Horn> result;
    for (const auto& [premises, conclusion] : clauses)
        result.emplace_back(Variables(premises.begin(), premises.end()), conclusion);
    return result;
}

Sorted sortedClauses()
{
    EncodedTBox* e = EncodedTBox::getInstance();
    Sorted sorted;
    sorted.axiomClauses = hornClauses(e->axiomClauses);
    sorted.multiPremiseClauses = hornClauses(e->multiPremiseClauses);
    for (const auto& [premise, implied] : e->implications)
        sorted.implications[premise].push_back(implied);
    return sorted;
}

class EncodingReader : public LoadedModelTest {};

// --- Syntax shared by the three readers.

class EncodingReaderRejects : public EncodingReader, public ::testing::WithParamInterface<RejectedEncoding> {};

TEST_P(EncodingReaderRejects, WithOneFatalDiagnostic)
{
    const RejectedEncoding& c = GetParam();
    EXPECT_EXIT(parseEncoding(c.text), ExitedWithCode(255), encodingError(c.module, c.line, c.message));
}

INSTANTIATE_TEST_SUITE_P(SharedSyntax, EncodingReaderRejects, ::testing::ValuesIn(rejectedByEveryReader),
                         [](const auto& info) { return std::string(info.param.name); });

// Of several problem lines the largest counts hold, here 7 variables and 10
// clauses.
const std::string largestCounts = "p cnf 5 10\np cnf 7 4\nc axioms 10 deduced 0\n";
const std::vector<RejectedEncoding> rejectedBeyondTheLargestCounts = {
    {"VariableAboveTheLargestCount", largestCounts + "-1 7 0\n-7 8 0\n", "Parser", 5,
     "Wrong encoding: the number of variables excedes the one declared in the problem line (header)!"},
    {"ClauseBeyondTheLargestCount", largestCounts + "1 0\n2 0\n3 0\n4 0\n5 0\n6 0\n7 0\n1 0\n2 0\n3 0\n4 0\n",
     "Parser", 14,
     "Wrong encoding: the number of clauses excedes the one declared in the problem line (header)!"},
};

INSTANTIATE_TEST_SUITE_P(LargestProblemLine, EncodingReaderRejects, ::testing::ValuesIn(rejectedBeyondTheLargestCounts),
                         [](const auto& info) { return std::string(info.param.name); });

// --- Sorting the clauses by block.

struct SortingCase {
    const char* name;
    std::string text;
    unsigned long declaredVariables;
    std::vector<Horn> axiomClauses;
    Implications implications;
    std::vector<Horn> multiPremiseClauses;
};
void PrintTo(const SortingCase& c, std::ostream* out)
{
    *out << c.name;
}

std::string chain(int from, int to)
{
    std::string text;
    for (int i = from; i <= to; ++i)
        text += "-" + std::to_string(i) + " " + std::to_string(i + 1) + " 0\n";
    return text;
}

std::string repeated(const std::string& clause, int times)
{
    std::string text;
    for (int i = 0; i < times; ++i)
        text += clause;
    return text;
}

// The implications of chain(1, last), zero-based.
Implications chainImplications(unsigned long last)
{
    Implications implications;
    for (unsigned long i = 0; i < last; ++i)
        implications[i] = {i + 1};
    return implications;
}

const std::vector<SortingCase> sortingCases = {
    {"UnitsAreNumberedAmongTheAxiomClauses",
     "p cnf 4 3\nc axioms 3 deduced 0\n-1 0\n-3 4 0\n-2 -3 4 0\n",
     4,
     {{{2}, 3}, {{1, 2}, 3}},
     {},
     {}},
    {"TwoBlocksWithHornClausesAtTheirEnds",
     "c axioms 4 deduced 2\nc axioms 1 deduced 1\np cnf 9 8\n" + chain(1, 8),
     9,
     {{{0}, 1}, {{1}, 2}, {{2}, 3}, {{3}, 4}, {{6}, 7}},
     {{4, {5}}, {5, {6}}, {7, {8}}},
     {}},
    {"DeducedClausesByTheirNumberOfPremises",
     "c axioms 0 deduced 3\np cnf 5 3\n-3 5 0\n-3 -4 5 0\n-3 1 0\n",
     5,
     {},
     {{2, {4, 0}}},
     {{{2, 3}, 4}}},
    {"LargestCountsOfAllProblemLines",
     "p cnf 5 10\np cnf 7 4\nc axioms 10 deduced 0\n" + repeated("-1 7 0\n", 10),
     7,
     std::vector<Horn>(10, Horn{{0}, 6}),
     {},
     {}},
    {"BlockOfUnitsOnlyEndsByItsCount",
     "c axioms 2 deduced 0\np cnf 4 2\nc axioms 1 deduced 1\np cnf 4 4\n-1 0\n2 0\n-3 4 0\n-4 3 0\n",
     4,
     {{{2}, 3}},
     {{3, {2}}},
     {}},
    {"EmptyBlocksArePassedOver",
     "c axioms 0 deduced 0\nc axioms 1 deduced 0\nc axioms 0 deduced 0\nc axioms 0 deduced 1\np cnf 3 2\n"
     "-1 2 0\n-2 3 0\n",
     3,
     {{{0}, 1}},
     {{1, {2}}},
     {}},
    {"QueryUnitsAfterTheEncoding",
     "c axioms 3 deduced 0\np cnf 4 3\nc axioms 0 deduced 2\np cnf 4 5\n-1 0\n2 0\n-3 4 0\n3 0\n-4 0\n",
     4,
     {{{2}, 3}},
     {},
     {}},
    {"FreeLayoutOfClauses",
     "p\tcnf 3 3\r\nc axioms 2 deduced 1\r\n-1 0 - 2\n3 0 -\n3 1\n0",
     3,
     {{{1}, 2}},
     {{2, {0}}},
     {}},
    // Minus signs next to their variables or apart, blanks of every kind
    // after a literal, long variables and many premises.
    {"LiteralsInEverySpacing",
     "c axioms 1 deduced 2\np cnf 2147483647 3\n-1\t-12   3 0\n- 4 -5\r6 0 -2147483647\n 8 0\n",
     2147483647,
     {{{0, 11}, 2}},
     {{2147483646, {7}}},
     {{{3, 4}, 5}}},
    {"ManyPremises",
     "c axioms 0 deduced 1\np cnf 1000000000 1\n-1 -22 -333 -4444 -55555 -666666 -7777777 -88888888 1000000000 0\n",
     1000000000,
     {},
     {},
     {{{0, 21, 332, 4443, 55554, 666665, 7777776, 88888887}, 999999999}}},
    // A clause that goes on over a line break, premises without a blank
    // between them, a premise whose digits follow its sign's neighbour, and
    // a last clause without a line break.
    {"ClauseLinesAndClausesOverLines",
     "c axioms 0 deduced 5\np cnf 40 5\n-1 2 0\n-3\n-4 5 0\n-6-7 8 0\n-35 9 0\n-10 11 0",
     40,
     {},
     {{0, {1}}, {34, {8}}, {9, {10}}},
     {{{2, 3}, 4}, {{5, 6}, 7}}},
    // More lines than one read of the input holds: lines cut by the end of
    // what has been read so far.
    {"LinesAcrossReads",
     "c axioms 0 deduced 3000\np cnf 3001 3000\n" + chain(1, 3000),
     3001,
     {},
     chainImplications(3000),
     {}},
    {"ZeroCountsInTheTotalsLine",
     "c axioms 0 deduced 1\np cnf 2 1\nc axioms 1 deduced 0\np cnf 2 2\n-1 2 0\n-2 1 0\n",
     2,
     {{{1}, 0}},
     {{0, {1}}},
     {}},
};

class EncodingReaderSorts : public EncodingReader, public ::testing::WithParamInterface<SortingCase> {};

TEST_P(EncodingReaderSorts, ClausesByBlock)
{
    const SortingCase& c = GetParam();
    ASSERT_EQ(parseEncoding(c.text), 0);
    EncodedTBox* e = EncodedTBox::getInstance();
    EXPECT_TRUE(e->encodingLoaded);
    ASSERT_NE(e->implicationTable, nullptr);
    EXPECT_EQ(e->declaredVariables(), c.declaredVariables);
    EXPECT_LE(e->implicationTable->size(), c.declaredVariables);
    Sorted sorted = sortedClauses();
    EXPECT_EQ(sorted.axiomClauses, c.axiomClauses);
    EXPECT_EQ(sorted.implications, c.implications);
    EXPECT_EQ(sorted.multiPremiseClauses, c.multiPremiseClauses);
}

INSTANTIATE_TEST_SUITE_P(Blocks, EncodingReaderSorts, ::testing::ValuesIn(sortingCases),
                         [](const auto& info) { return std::string(info.param.name); });

// --- A Horn clause line read at once where a clause may start.

struct ClauseLineCase {
    std::string text;
    // How much of the text is the line, 0 when it is left to the rules.
    std::size_t length;
    std::vector<uint64_t> numbers;
};

TEST(EncodingReaderClauseLine, IsTakenAsTheLineRuleTakesItUpToItsLineBreak)
{
    const uint64_t largest = 18446744073709551615u;
    const std::vector<ClauseLineCase> cases = {
        {"-3 4 0\n-5 6 0\n", 7, {3, 4}},
        {"-3 4 0 \t\r\nx", 10, {3, 4}},
        {"-1-2\t-333 \r 4 0\n", 16, {1, 2, 333, 4}},
        {"-12345678901234567890 1 0\n", 26, {12345678901234567890u, 1}},
        {"-99999999999999999999 1 0\n", 26, {largest, 1}},
        // Left to the rules: no Horn clause line, or one that the rule
        // takes short of the line break.
        {"-123456789012345678901 1 0\n", 0, {}},
        {"-1 2 0", 0, {}},
        {"-1 2 0 x\n", 0, {}},
        {"-1 2 0 -3 4 0\n", 0, {}},
        {"-1 2 3 0\n", 0, {}},
        {"-1 2\n0\n", 0, {}},
        {"-1 20\n", 0, {}},
        {"-1 0\n", 0, {}},
        {"1 2 0\n", 0, {}},
        {" -1 2 0\n", 0, {}},
        {"-0 1 0\n", 0, {}},
    };
    for (const ClauseLineCase& c : cases) {
        const char* end = ::EncodingReader::readClauseLine(c.text.c_str());
        EXPECT_EQ(end == nullptr ? 0 : static_cast<std::size_t>(end - c.text.c_str()), c.length) << c.text;
        if (end != nullptr) {
            EXPECT_EQ(::EncodingReader::lineNumbers, c.numbers) << c.text;
        }
    }
}

// --- Headers that cannot rebuild a terminology.

struct HeaderCase {
    const char* name;
    std::string text;
    // The full text on standard error.
    std::string diagnostics;
};
void PrintTo(const HeaderCase& c, std::ostream* out)
{
    *out << c.name;
}

const std::string missingTotals =
    "Missing information about the distinction from axioms and deduced implications: empty TBox is assumed!";
const std::string incongruent = "Problem line and comment informations (axioms/deduced implications) are not "
                                "congruen each other: empty TBox is assumed!";
const std::string cannotRebuild =
    "Wrong encoding: the TBox can not be rebuilt without the distinction from axioms and deduced implications!";
const std::string fewerClauses =
    "Wrong encoding: the number of clauses is below the one declared in the problem line (header)!";

std::string warnedThenStopped(int line, const std::string& warning)
{
    return encodingWarning(line, warning) + encodingError("Parser", line, cannotRebuild, 1);
}

const std::vector<HeaderCase> headerCases = {
    {"EmptyInput", "", encodingError("Parser", 1, "Missing problem information (header)!")},
    {"HeaderAfterTheClauses", "-1 2 0\nc axioms 1 deduced 0\np cnf 2 1\n",
     encodingError("Parser", 1, "Missing problem information (header)!")},
    {"NoTotalsLine", "p cnf 2 1\n-1 2 0\n", warnedThenStopped(2, missingTotals)},
    {"ProblemLineAlone", "p cnf 3 2\n", warnedThenStopped(2, missingTotals)},
    {"BlocksShortOfTheClauseCount", "c axioms 4 deduced 2\nc axioms 1 deduced 1\np cnf 9 7\n-1 2 0\n",
     warnedThenStopped(4, incongruent)},
    {"BlocksBeyondTheClauseCount", "c axioms 4 deduced 2\np cnf 9 5\n-1 2 0\n", warnedThenStopped(3, incongruent)},
    {"TotalsLineWithoutProblemLine", "c axioms 1 deduced 0\n-1 2 0\n", warnedThenStopped(2, incongruent)},
    {"EmptyTotalsLineAlone", "c axioms 0 deduced 0\n", warnedThenStopped(2, incongruent)},
    {"BodyCutShort", "c axioms 3 deduced 0\np cnf 4 3\n-1 0\n2 0\n", encodingError("Parser", 5, fewerClauses)},
    {"BodyLeftOut", "c axioms 2 deduced 0\np cnf 2 2\n", encodingError("Parser", 3, fewerClauses)},
};

class EncodingReaderRefuses : public EncodingReader, public ::testing::WithParamInterface<HeaderCase> {};

TEST_P(EncodingReaderRefuses, ToRebuildFromAnIncompleteEncoding)
{
    const HeaderCase& c = GetParam();
    EXPECT_EXIT(parseEncoding(c.text), ExitedWithCode(255), "^" + c.diagnostics + "$");
}

INSTANTIATE_TEST_SUITE_P(Header, EncodingReaderRefuses, ::testing::ValuesIn(headerCases),
                         [](const auto& info) { return std::string(info.param.name); });

// Leaves the process 1 GiB of address space beyond what it uses now.
void limitAddressSpace()
{
    long pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld", &pages) != 1)
            pages = 0;
        std::fclose(statm);
    }
    rlim_t limit = static_cast<rlim_t>(pages) * 4096 + (rlim_t(1) << 30);
    struct rlimit space;
    space.rlim_cur = limit;
    space.rlim_max = limit;
    setrlimit(RLIMIT_AS, &space);
}

// What the reader keeps grows with the clauses that the text holds: the
// largest count a problem line may declare, and the largest variable, take
// no memory of their own.
TEST_F(EncodingReader, LargestDeclaredCountCostsOnlyTheVariablesUsed)
{
    const char text[] = "c axioms 0 deduced 2\np cnf 2147483647 2\n-1 2 0\n-2147483647 2 0\n";
    ASSERT_EQ(parseEncoding(text), 0);
    EncodedTBox* e = EncodedTBox::getInstance();
    EXPECT_EQ(e->declaredVariables(), 2147483647u);
    EXPECT_EQ(e->implications.size(), 2u);
    EXPECT_EQ(sortedClauses().implications, (Implications{{0, {1}}, {2147483646, {1}}}));

    if (sanitizedBuild())
        return;  // the sanitizers reserve more address space than the limit allows
    EXPECT_EXIT(
        {
            limitAddressSpace();
            std::exit(parseEncoding(text) == 0 && EncodedTBox::getInstance()->implications.size() == 2 ? 0 : 1);
        },
        ExitedWithCode(0), "");
}

// --- Encodings as the DIMACS writer leaves them, read back.

class EncodingReaderReadsBack : public EncodingReader, public ::testing::WithParamInterface<WritingRun> {};

TEST_P(EncodingReaderReadsBack, AxiomAndDeducedClausesAsTheWriterCountedThem)
{
    WrittenEncoding written = writeEncoding(GetParam());

    // The clauses of each pass: its first A clauses are axiom clauses, the
    // next D deduced ones, as the pass counted them; units are not kept.
    Sorted expected;
    unsigned long total = 0;
    for (const WrittenEncoding::Pass& pass : written.passes) {
        ASSERT_EQ(pass.clauses.size(), pass.axiomClauses + pass.deducedClauses);
        total += pass.clauses.size();
        for (std::size_t i = 0; i < pass.clauses.size(); ++i) {
            const Clause& clause = pass.clauses[i];
            if (clause.size() < 2)
                continue;
            Variables premises;
            for (std::size_t j = 0; j + 1 < clause.size(); ++j)
                premises.push_back(static_cast<unsigned long>(-clause[j] - 1));
            unsigned long conclusion = static_cast<unsigned long>(clause.back() - 1);
            if (i < pass.axiomClauses)
                expected.axiomClauses.emplace_back(premises, conclusion);
            else if (premises.size() == 1)
                expected.implications[premises.front()].push_back(conclusion);
            else
                expected.multiPremiseClauses.emplace_back(premises, conclusion);
        }
    }
    ASSERT_EQ(total, written.clauseCount);

    ASSERT_EQ(parseEncoding(written.joined()), 0);
    EXPECT_EQ(EncodedTBox::getInstance()->declaredVariables(), written.variables);
    Sorted sorted = sortedClauses();
    EXPECT_EQ(sorted.axiomClauses, expected.axiomClauses);
    EXPECT_EQ(sorted.implications, expected.implications);
    EXPECT_EQ(sorted.multiPremiseClauses, expected.multiPremiseClauses);
}

INSTANTIATE_TEST_SUITE_P(DimacsWriter, EncodingReaderReadsBack, ::testing::ValuesIn(writingRuns),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
