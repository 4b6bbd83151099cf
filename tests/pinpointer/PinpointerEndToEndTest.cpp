// The built pinpointer on small hand-made encodings: command line, results,
// timing lines and the handling of unusable input.

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "PinpointerRunner.h"
#include "support/TextPattern.h"

namespace {

using pinpointer_test::lines;
using pinpointer_test::minaLines;
using pinpointer_test::resultBlocks;
using pinpointer_test::RunResult;
using pinpointer_test::ScratchDir;
using Selectors = std::set<int>;
using MinAs = std::vector<Selectors>;

const std::string kProgram = KORVANE_PINPOINTER_PATH;
const std::string kUsage = "Usage: " + kProgram +
                           " -a=<assumptions_var_list> -i=<dimacs_cnf_file> -q=<query_file>\n"
                           "       [opt -s] [opt -c] [opt -z] [opt -e] [opt -r] [opt -m=<module_file>] "
                           "[opt -v=<verbosity level>]\n";

// Axioms 1 to 5, written as the classifier writes its rule clauses (negated
// premises, then the conclusion) with its header lines after the body:
//   6 follows from axiom 1; 7 from axiom 2 and 6, or from axiom 3 alone
//   (two MinAs); 8 from axiom 4 and 7; 9 from axiom 5 and 8; 10 never.
const std::string kEncoding =
    "-1 6 0\n"
    "-2 -6 7 0\n"
    "-3 7 0\n"
    "-4 -7 8 0\n"
    "-5 -8 9 0\n"
    "c axioms 5 deduced 4\n"
    "p cnf 10 5\n";

std::set<Selectors> asSet(const MinAs& m) { return std::set<Selectors>(m.begin(), m.end()); }

class PinpointerEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        dir.write("selectors", "1\n2\n3\n4\n5\n");
        dir.write("encoding", kEncoding);
    }
    RunResult ask(const std::string& queries, std::vector<std::string> extra = {}) {
        dir.write("queries", queries);
        std::vector<std::string> arguments = {"-a=selectors", "-i=encoding", "-q=queries"};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return dir.run(arguments);
    }
    ScratchDir dir;
};

// ---------------------------------------------------------------------------
// Command line

TEST_F(PinpointerEndToEnd, WrongArgumentCountPrintsTheUsage) {
    for (std::vector<std::string> arguments :
         {std::vector<std::string>{}, {"-h"}, {"-a=s", "-i=e"}, {"-a", "-b", "-c", "-d", "-e", "-f", "-g"}}) {
        RunResult r = dir.run(arguments);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, kUsage);
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(PinpointerEndToEnd, HelpPrintsTheUsageOnStandardOutput) {
    RunResult r = dir.run({"-h", "-bogus", "x"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kUsage);
    EXPECT_EQ(r.err, "");
    RunResult later = dir.run({"-a=s", "-y", "-h"});
    EXPECT_EQ(later.status, 1);
    EXPECT_EQ(later.err, "Invalid parameter: -y\n");
}

TEST_F(PinpointerEndToEnd, OnlyModuleNeedsTheCone) {
    RunResult r = ask("-7\n", {"-z"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "Use 'only modularization' (-z) in combination of compute 'cone-of-influence mod.' (-c).\n" + kUsage);
}

TEST_F(PinpointerEndToEnd, RequiredInputsAndStandardInput) {
    EXPECT_EQ(dir.run({"-a=selectors", "-i=encoding", "-c"}).err, kUsage);
    RunResult twoBare = dir.run({"-a", "-i", "-q=queries"});
    EXPECT_EQ(twoBare.status, 1);
    EXPECT_EQ(twoBare.err, kUsage);

    dir.write("queries", "-7\n");
    RunResult fromInput = dir.run({"-a", "-i=encoding", "-q=queries"}, "1 2 3 4 5\n");
    EXPECT_EQ(fromInput.status, 0) << fromInput.err;
    EXPECT_EQ(asSet(resultBlocks(fromInput.out).at(0)), (std::set<Selectors>{{1, 2}, {3}}));
}

// ---------------------------------------------------------------------------
// Results

TEST_F(PinpointerEndToEnd, MinAsOfEachQuery) {
    RunResult r = ask("-7\n-9\n-10\n-6\n");
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<MinAs> blocks = resultBlocks(r.out);
    ASSERT_EQ(blocks.size(), 4u);
    EXPECT_EQ(asSet(blocks[0]), (std::set<Selectors>{{1, 2}, {3}}));
    EXPECT_EQ(asSet(blocks[1]), (std::set<Selectors>{{1, 2, 4, 5}, {3, 4, 5}}));
    EXPECT_EQ(blocks[2].size(), 0u);  // 10 does not follow
    EXPECT_EQ(blocks[3], (MinAs{{1}}));

    // Each MinA is printed once as found, then listed under the results.
    std::vector<std::string> out = lines(r.out);
    EXPECT_EQ(minaLines(r.out).size(), 5u);
    EXPECT_EQ(out[2], "PINPOINTING RESULTS:");
    EXPECT_EQ(out[3], "--------------------");
    EXPECT_EQ(out.size(), 5u + 4 * 2 + 5);
}

TEST_F(PinpointerEndToEnd, OneMinAOfThreeAxioms) {
    dir.write("encoding", "-1 6 0\n-2 -6 7 0\n-3 -7 8 0\n-4 9 0\n-5 -9 10 0\n");
    RunResult r = ask("-8\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(resultBlocks(r.out), (std::vector<MinAs>{{{1, 2, 3}}}));
}

TEST_F(PinpointerEndToEnd, ConeGivesTheSameMinAs) {
    RunResult plain = ask("-7\n-9\n-8\n");
    RunResult cone = ask("-7\n-9\n-8\n", {"-c"});
    RunResult wide = ask("-7\n-9\n-8\n", {"-c", "-e", "-r"});
    ASSERT_EQ(cone.status, 0) << cone.err;
    std::vector<MinAs> expected = resultBlocks(plain.out);
    ASSERT_EQ(expected.size(), 3u);
    for (const RunResult* r : {&cone, &wide}) {
        std::vector<MinAs> blocks = resultBlocks(r->out);
        ASSERT_EQ(blocks.size(), 3u);
        for (int i = 0; i < 3; i++) EXPECT_EQ(asSet(blocks[i]), asSet(expected[i]));
    }
    // The module of -7 holds axioms 1 to 3.
    EXPECT_NE(cone.out.find("MODULE - AXIOMS - SIZE: 3\n"), std::string::npos);
}

// Under the cone the solvers number only the query's selectors (here 4 and
// 5, after three that play no part); what they print is in the encoding's
// numbers all the same. Axioms 4 and 5 each give 6 alone, so a later core
// can only hold one already found.
TEST_F(PinpointerEndToEnd, ConeRunPrintsTheEncodingsNumbers) {
    dir.write("encoding", "-4 6 0\n-5 6 0\n-1 7 0\n-2 -7 8 0\n-3 8 0\n");
    RunResult r = ask("-6\n-8\n", {"-c", "-v=3"});
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<MinAs> blocks = resultBlocks(r.out);
    ASSERT_EQ(blocks.size(), 2u);
    EXPECT_EQ(asSet(blocks[0]), (std::set<Selectors>{{4}, {5}}));
    EXPECT_EQ(asSet(blocks[1]), (std::set<Selectors>{{1, 2}, {3}}));
    EXPECT_NE(r.out.find("ALREADY FOUND: "), std::string::npos);
    std::vector<std::string> out = lines(r.out);
    std::size_t second = 0;
    while (second < out.size() && out[second] != "QUERY: -8") second++;
    ASSERT_LT(second, out.size());
    for (std::size_t i = 0; i < out.size(); i++) {
        for (const char* label : {"MinA AXIOMS: ", "ALREADY FOUND: ", "BAD: "}) {
            if (out[i].rfind(label, 0) != 0) continue;
            Selectors allowed = i < second ? Selectors{4, 5} : Selectors{1, 2, 3};
            for (int x : pinpointer_test::parseSelectors(out[i].substr(std::string(label).size()))) {
                EXPECT_TRUE(allowed.count(x < 0 ? -x : x)) << out[i];
            }
        }
    }
}

TEST_F(PinpointerEndToEnd, FirstMinAOnly) {
    RunResult r = ask("-9\n", {"-s"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.find("PINPOINTING RESULTS:"), std::string::npos);
    MinAs first = minaLines(r.out);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_TRUE((std::set<Selectors>{{1, 2, 4, 5}, {3, 4, 5}}).count(first[0]));

    RunResult quiet = ask("-9\n", {"-s", "-v=0"});
    EXPECT_EQ(quiet.out, "");
    EXPECT_NE(quiet.err.find("ELAPSED (CPU-sec): "), std::string::npos);

    RunResult two = ask("-9\n", {"-s=2"});
    EXPECT_EQ(asSet(resultBlocks(two.out).at(0)), (std::set<Selectors>{{1, 2, 4, 5}, {3, 4, 5}}));
}

TEST_F(PinpointerEndToEnd, OnlyModulePrintsEverything) {
    dir.write("encoding", "-1 -2 5 0\n-5 -3 6 0\n");
    dir.write("selectors", "1\n2\n3\n4\n");
    RunResult r = ask("-6\n", {"-c", "-z"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "CONE OF INFLUENCE - ASSERTIONS - SIZE: 5\nCONE OF INFLUENCE - ASSERTIONS: \n1\n2\n3\n5\n6\n"
              "MODULE - AXIOMS - SIZE: 3\nMODULE - AXIOMS: \n1\n2\n3\n");
    EXPECT_EQ(r.err.find("COMPLETE THE SEARCH"), std::string::npos);
}

TEST_F(PinpointerEndToEnd, ModuleFileWithoutTheConeKeepsEverySelector) {
    dir.write("module", "3 5\n");
    RunResult r = ask("-7\n", {"-m=module"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("MODULE - AXIOMS - SIZE: 2\n", 0), 0u);
    EXPECT_EQ(asSet(resultBlocks(r.out).at(0)), (std::set<Selectors>{{1, 2}, {3}}));
}

TEST_F(PinpointerEndToEnd, QueriesFromStandardInputPromptAndEndAtZero) {
    RunResult r = dir.run({"-a=selectors", "-i=encoding", "-q"}, "-6\n0\n-7\n");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "<korvane>$ MinA AXIOMS: 1 \nPINPOINTING RESULTS:\n--------------------\n1 \n<korvane>$ ");
}

TEST_F(PinpointerEndToEnd, VerboseRunNamesTheQuery) {
    RunResult r = ask("-6\n", {"-v=3"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("QUERY: -6\nMinA AXIOMS: 1 \n", 0), 0u);
}

// The names of the timing lines of standard error, in order; "?" for a line
// that is no timing line.
std::vector<std::string> timingNames(const std::string& err) {
    static const TextPattern timing("([A-Z ]+) \\(CPU-sec\\): -?[0-9]+\\.[0-9]{8}");
    std::vector<std::string> names;
    for (const std::string& line : lines(err)) {
        std::vector<std::string> m;
        names.push_back(timing.matches(line, m) ? m[1] : "?");
    }
    return names;
}

TEST_F(PinpointerEndToEnd, TimingLinesInOrder) {
    RunResult r = ask("-7\n-10\n", {"-c", "-v=0"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(timingNames(r.err), (std::vector<std::string>{"LOADING", "CONE OF INFLUENCE", "COMPLETE THE SEARCH",
                                                            "CONE OF INFLUENCE", "RESETTING", "COMPLETE THE SEARCH",
                                                            "MISSING", "TOTAL TIME"}));
}

// A query file without queries is an empty list: nothing to answer.
TEST_F(PinpointerEndToEnd, QueryFileWithoutQueries) {
    for (const char* queries : {"", " \n\t\n\n"}) {
        for (std::vector<std::string> extra : {std::vector<std::string>{}, {"-c"}}) {
            RunResult r = ask(queries, extra);
            EXPECT_EQ(r.status, 0) << r.err;
            EXPECT_EQ(r.out, "");
            EXPECT_EQ(timingNames(r.err), (std::vector<std::string>{"LOADING", "MISSING", "TOTAL TIME"}));
        }
    }
}

TEST_F(PinpointerEndToEnd, QueryThatHoldsWithoutAxioms) {
    dir.write("encoding", "11 0\n-11 -1 6 0\n");
    for (std::vector<std::string> extra : {std::vector<std::string>{}, {"-c"}}) {
        RunResult r = ask("-11\n-6\n", extra);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(resultBlocks(r.out), (std::vector<MinAs>{{{}}, {{1}}}));
    }
}

// ---------------------------------------------------------------------------
// Unusable input: a message on standard error and status 1, never a result.

// Queries before the unusable one keep their answers (afterQueries).
void expectInputError(const RunResult& r, const std::string& message, int afterQueries = 0) {
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("pinpointer: " + message), std::string::npos) << r.err;
    EXPECT_EQ(resultBlocks(r.out).size(), static_cast<std::size_t>(afterQueries)) << r.out;
    EXPECT_EQ(r.err.find("TOTAL TIME"), std::string::npos);
}

TEST_F(PinpointerEndToEnd, MissingFiles) {
    expectInputError(dir.run({"-a=nothing", "-i=encoding", "-q=queries"}),
                     "cannot open the assumption list 'nothing'");
    expectInputError(dir.run({"-a=selectors", "-i=nothing", "-q=queries"}), "cannot open the encoding 'nothing'");
    expectInputError(ask("-7\n", {"-m=nothing"}), "cannot open the module file 'nothing'");
    expectInputError(dir.run({"-a=selectors", "-i=encoding", "-q=nothing"}), "cannot open the query file 'nothing'");
}

// A directory opens but gives no bytes: each file reader says so.
TEST_F(PinpointerEndToEnd, DirectoriesCannotBeRead) {
    dir.write("queries", "-7\n");
    expectInputError(dir.run({"-a=" + dir.dir, "-i=encoding", "-q=queries"}),
                     "assumption list '" + dir.dir + "': cannot be read\n");
    expectInputError(dir.run({"-a=selectors", "-i=" + dir.dir, "-q=queries"}),
                     "encoding '" + dir.dir + "': cannot be read\n");
    expectInputError(ask("-7\n", {"-m=" + dir.dir}), "module file '" + dir.dir + "': cannot be read\n");
}

TEST_F(PinpointerEndToEnd, MalformedInput) {
    expectInputError(ask("-7\n0\n"), "query file 'queries': the query 0 names no variable", 1);
    expectInputError(ask("-7 seven\n"), "query file 'queries': 'seven' is not a query", 1);
    expectInputError(ask("-11\n"), "query file 'queries': the query -11 names no variable of the encoding");
    dir.write("selectors", "1\n2\n4\n5\n");
    expectInputError(ask("-7\n"), "assumption list 'selectors': variable 3 is missing");
    dir.write("selectors", "1\n2\nthree\n");
    expectInputError(ask("-7\n"), "assumption list 'selectors': 'three' is not a CNF variable number");
    dir.write("selectors", "1\n2\n3\n4\n5\n");
    dir.write("encoding", "-1 6 0\n-2 -6 x 0\n");
    expectInputError(ask("-7\n"), "encoding 'encoding': 'x' is not a literal");
    dir.write("encoding", "p cnf 6 2\n-1 6 0\n-2 -6 7 0\n");
    expectInputError(ask("-7\n"), "encoding 'encoding': literal 7 lies beyond the 6 variables");
    dir.write("encoding", "-1 6 0\n-2 -6 7\n");
    expectInputError(ask("-7\n"), "encoding 'encoding': the last clause is not ended by 0");
}

// ---------------------------------------------------------------------------
// Input that would cost far more than it holds: refused at once, or read
// without the cost. Each run is bounded, so that a fault shows as a failed
// test and not as a machine out of memory (outside the sanitizer build,
// whose shadow memory needs the whole address space).

ProcessSetup bounded() {
    ProcessSetup setup;
    setup.timeLimitSeconds = 20;
    if (!pinpointer_test::sanitized()) setup.memoryLimitBytes = 1ul << 30;
    return setup;
}

struct CostlyInput {
    const char* encoding;
    const char* queries;
    std::vector<std::string> extra;
    std::string message;                       // "": the run succeeds
    std::vector<std::set<Selectors> > minas;  // of each query, when it succeeds
};

std::ostream& operator<<(std::ostream& out, const std::vector<std::string>& arguments) {
    for (const std::string& a : arguments) out << a << " ";
    return out;
}

std::ostream& operator<<(std::ostream& out, const CostlyInput& c) {
    return out << ::testing::PrintToString(std::string(c.encoding)) << " " << c.extra;
}

class PinpointerCostlyInput : public ::testing::TestWithParam<CostlyInput> {};

TEST_P(PinpointerCostlyInput, EndsAtOnce) {
    const CostlyInput& c = GetParam();
    ScratchDir dir;
    dir.write("selectors", "1\n2\n3\n4\n5\n");
    dir.write("encoding", c.encoding);
    dir.write("queries", c.queries);
    std::vector<std::string> arguments = {"-a=selectors", "-i=encoding", "-q=queries"};
    arguments.insert(arguments.end(), c.extra.begin(), c.extra.end());
    RunResult r = dir.runWith(arguments, bounded());
    if (c.message.empty()) {
        EXPECT_EQ(r.status, 0) << r.err;
        std::vector<std::set<Selectors> > minas;
        for (const MinAs& block : resultBlocks(r.out)) minas.push_back(asSet(block));
        EXPECT_EQ(minas, c.minas);
    } else {
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find("pinpointer: encoding 'encoding': " + c.message), std::string::npos) << r.err;
    }
}

const char* const kOutOfProportion = "variable 1073741823 lies far beyond the variables that the encoding uses";
const std::set<Selectors> kNoMinA;
const std::set<Selectors> kMinAsOf7{{1, 2}, {3}};

INSTANTIATE_TEST_SUITE_P(
    HugeNumbers, PinpointerCostlyInput,
    ::testing::Values(
        // A variable number that no content of the file accounts for.
        CostlyInput{"1073741823 0\n", "-7\n", {}, kOutOfProportion, {}},
        CostlyInput{"-1 6 0\n-2 -1073741823 7 0\n", "-7\n", {"-c"}, kOutOfProportion, {}},
        // A declared count: variables that no clause holds cost nothing.
        CostlyInput{"p cnf 1073741823 0\n", "-7\n", {"-v=0"}, "", {kNoMinA}},
        CostlyInput{"-1 6 0\n-2 -6 7 0\n-3 7 0\np cnf 1073741823 3\n", "-1073741823\n-7\n-8\n", {"-v=0"}, "",
                    {kNoMinA, kMinAsOf7, kNoMinA}},
        CostlyInput{"-1 6 0\n-2 -6 7 0\n-3 7 0\np cnf 1073741823 3\n", "-1073741823\n-7\n-8\n", {"-v=0", "-c"},
                    "", {kNoMinA, kMinAsOf7, kNoMinA}}));

// The cone of a variable that no clause holds is that variable alone.
TEST_F(PinpointerEndToEnd, ConeOfADeclaredVariableThatNoClauseHolds) {
    dir.write("encoding", "-1 6 0\np cnf 1073741823 1\n");
    dir.write("queries", "-1073741823\n-8\n");
    RunResult r = dir.runWith({"-a=selectors", "-i=encoding", "-q=queries", "-c", "-z"}, bounded());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "CONE OF INFLUENCE - ASSERTIONS - SIZE: 1\nCONE OF INFLUENCE - ASSERTIONS: \n1073741823\n"
              "MODULE - AXIOMS - SIZE: 0\nMODULE - AXIOMS: \n"
              "CONE OF INFLUENCE - ASSERTIONS - SIZE: 1\nCONE OF INFLUENCE - ASSERTIONS: \n8\n"
              "MODULE - AXIOMS - SIZE: 0\nMODULE - AXIOMS: \n");
}

// Inputs that never end, or hold bytes that are no text: one number is read
// only as far as a number can go, and the bytes are shown escaped.
struct EndlessInput {
    std::vector<std::string> arguments;
    std::string message;
};

std::ostream& operator<<(std::ostream& out, const EndlessInput& c) { return out << c.arguments; }

class PinpointerEndlessInput : public ::testing::TestWithParam<EndlessInput> {};

TEST_P(PinpointerEndlessInput, StopsAtTheFirstBadNumber) {
    ScratchDir dir;
    dir.write("selectors", "1\n2\n3\n4\n5\n");
    dir.write("encoding", kEncoding);
    dir.write("queries", "-7\n");
    dir.write("nul-selectors", std::string("1\n2\0x\n", 6));
    dir.write("odd-queries", "-7\n-\x01\n");
    dir.write("long-queries", "-7\n-123456789012345678901234567890\n");
    dir.write("nul-header", std::string("p cnf 10\0 5\n", 12));
    RunResult r = dir.runWith(GetParam().arguments, bounded());
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("pinpointer: " + GetParam().message), std::string::npos) << r.err;
}

const std::string kZeros = "'\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00\\x00...' is not ";

INSTANTIATE_TEST_SUITE_P(
    Readers, PinpointerEndlessInput,
    ::testing::Values(
        EndlessInput{{"-a=/dev/zero", "-i=encoding", "-q=queries"}, "assumption list '/dev/zero': " + kZeros},
        EndlessInput{{"-a=selectors", "-i=encoding", "-q=/dev/zero"}, "query file '/dev/zero': " + kZeros},
        EndlessInput{{"-a=selectors", "-i=encoding", "-q=queries", "-m=/dev/zero"},
                     "module file '/dev/zero': " + kZeros},
        EndlessInput{{"-a=selectors", "-i=/dev/zero", "-q=queries"},
                     "encoding '/dev/zero': unexpected character '\\x00'"},
        EndlessInput{{"-a=nul-selectors", "-i=encoding", "-q=queries"},
                     "assumption list 'nul-selectors': '2\\x00x' is not a CNF variable number (1 to 1073741823)\n"},
        EndlessInput{{"-a=selectors", "-i=encoding", "-q=odd-queries"},
                     "query file 'odd-queries': '-\\x01' is not a query"},
        EndlessInput{{"-a=selectors", "-i=encoding", "-q=long-queries"},
                     "query file 'long-queries': '-12345678901...' is not a query"},
        EndlessInput{{"-a=selectors", "-i=nul-header", "-q=queries"},
                     "encoding 'nul-header': malformed problem line 'p cnf 10\\x00 5'"}));

// ---------------------------------------------------------------------------
// Standard output that takes nothing: the results are lost, which is a
// failure.

struct LostOutput {
    bool closed;  // else /dev/full
    std::vector<std::string> extra;
    int status;
};

std::ostream& operator<<(std::ostream& out, const LostOutput& c) {
    return out << (c.closed ? "closed " : "/dev/full ") << c.extra;
}

class PinpointerLostOutput : public ::testing::TestWithParam<LostOutput> {};

TEST_P(PinpointerLostOutput, IsReported) {
    const LostOutput& c = GetParam();
    ScratchDir dir;
    dir.write("selectors", "1\n2\n3\n4\n5\n");
    dir.write("encoding", kEncoding);
    dir.write("queries", "-7\n-9\n");
    std::vector<std::string> arguments = {"-a=selectors", "-i=encoding", "-q=queries"};
    arguments.insert(arguments.end(), c.extra.begin(), c.extra.end());
    ProcessSetup setup = bounded();
    if (c.closed) {
        setup.closedOutput = true;
    } else {
        setup.outputPath = "/dev/full";
    }
    RunResult r = dir.runWith(arguments, setup);
    EXPECT_EQ(r.status, c.status) << r.err;
    if (c.status == 0) {
        EXPECT_EQ(r.err.find("pinpointer: "), std::string::npos) << r.err;
    } else {
        EXPECT_NE(r.err.find("pinpointer: cannot write to standard output\n"), std::string::npos) << r.err;
        EXPECT_EQ(r.err.find("TOTAL TIME"), std::string::npos) << r.err;
    }
}

INSTANTIATE_TEST_SUITE_P(
    ClosedOrFull, PinpointerLostOutput,
    ::testing::Values(LostOutput{true, {}, 1}, LostOutput{false, {}, 1}, LostOutput{true, {"-c", "-s=1"}, 1},
                      LostOutput{false, {"-c", "-z"}, 1}, LostOutput{true, {"-h", "x"}, 1},
                      LostOutput{false, {"-h"}, 1},
                      // Nothing to write: nothing lost.
                      LostOutput{true, {"-s", "-v=0"}, 0}, LostOutput{false, {"-s", "-v=0"}, 0}));

}  // namespace
