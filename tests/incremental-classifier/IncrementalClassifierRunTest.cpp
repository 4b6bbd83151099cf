// The incremental classifier end to end: the checks after the option scan,
// the phases and their timing lines on each road, the streams that the
// statistics, the header and the side files go to, the increment, both kinds
// of query input, and bad input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "IncrementalClassifierProcess.h"
#include "support/TextPattern.h"

namespace incremental_e2e {
namespace {

// A run that stops after the option scan: its standard error and status.
struct RefusedRun {
    const char* name;
    std::vector<std::string> arguments;
    std::string err;
};

std::ostream& operator<<(std::ostream& out, const RefusedRun& run) { return out << run.name; }

// Files named by the runs below: IN is an empty, readable file.
const char kUploadMessage[] =
    "Trying to upload a TBox from a previous encoding without giving the encoding or the normalization mapping!\n";
const char kStandardInputMessage[] = "Input and Queries cannot be both read from standard input!\n";
const char kBothMessage[] = "Trying to load a TBox both from an encoding and from an axioms file!\n";
const char kPinpointingMessage[] =
    "Cannot write the pinpointing information of an increment or of a reloaded encoding!\n";
const char kPinpointingQueriesMessage[] = "Cannot write the pinpointing information of a run that answers queries!\n";

const RefusedRun kRefused[] = {
    {"EncodingWithoutMap", {"-io=IN"}, kUploadMessage},
    {"MapWithoutEncoding", {"-iv=IN"}, kUploadMessage},
    {"QueriesAndOntologyOnStandardInput", {"-q"}, kStandardInputMessage},
    {"QueriesAndOntologyOnStandardInputNamedI", {"-i", "-q"}, kStandardInputMessage},
    {"QueriesAndEncodingOnStandardInput", {"-io", "-iv=IN", "-q"}, kStandardInputMessage},
    {"QueriesAndMapOnStandardInput", {"-io=IN", "-iv", "-q"}, kStandardInputMessage},
    {"EncodingAndMapOnStandardInput",
     {"-io", "-iv"},
     "The encoding and the normalization mapping cannot be both read from standard input!\n"},
    {"EncodingAndOntologyFile", {"-io=IN", "-iv=IN", "-i=IN"}, kBothMessage},
    // The check of both sources ends the run at once: the error mark of an
    // earlier bad option does not stop it from being printed.
    {"BothSourcesAfterABadOption", {"-t", "-io=IN", "-iv=IN", "-i=IN"},
     std::string("Invalid parameter: -t\n") + kBothMessage},
    {"UploadThenStandardInput", {"-iv", "-q", "-i=IN"}, std::string(kUploadMessage) + kStandardInputMessage},
    {"PinpointingOfAnIncrement", {"-i=IN", "-j=IN", "-p=OUT"}, kPinpointingMessage},
    {"PinpointingOfAReload", {"-io=IN", "-iv=IN", "-p=OUT"}, kPinpointingMessage},
    // Query units would go into the encoding's body, a query file may classify again.
    {"PinpointingWithAQueryFile", {"-i=IN", "-q=IN", "-p=OUT"}, kPinpointingQueriesMessage},
    {"PinpointingWithQueriesOnStandardInput", {"-i=IN", "-q", "-p=OUT", "-m"}, kPinpointingQueriesMessage},
    {"TwoBadOptions", {"-mx", "-w12"}, "Invalid parameter: -mx\nInvalid parameter: -w12\n"},
    {"MissingOntology", {"-i=/nonexistent/o.krss"}, "Can not read from file: /nonexistent/o.krss\n"},
    {"MissingIncrement", {"-i=IN", "-j=/nonexistent/j.krss"}, "Can not read from file: /nonexistent/j.krss\n"},
    {"MissingEncoding", {"-io=/nonexistent/e", "-iv=IN"}, "Can not read from file: /nonexistent/e\n"},
    {"UnwritableHeader", {"-i=IN", "-h=/nonexistent/h"}, "Can not write file: /nonexistent/h\n"},
};

class RefusedCommandLine : public testing::TestWithParam<RefusedRun> {};

TEST_P(RefusedCommandLine, PrintsItsMessageAndEndsWithStatusMinusOne)
{
    Scratch scratch;
    const std::string in = scratch.write("in", "");
    std::vector<std::string> arguments;
    for (std::string a : GetParam().arguments) {
        std::size_t at = a.find("IN");
        if (at != std::string::npos)
            a.replace(at, 2, in);
        at = a.find("OUT");
        if (at != std::string::npos)
            a.replace(at, 3, scratch.path("out"));
        arguments.push_back(a);
    }
    ProcessResult r = incremental(arguments);
    EXPECT_EQ(r.status, 255);
    EXPECT_EQ(r.err, GetParam().err);
    EXPECT_EQ(r.out, "");
}

INSTANTIATE_TEST_SUITE_P(Checks, RefusedCommandLine, testing::ValuesIn(kRefused),
                         [](const testing::TestParamInfo<RefusedRun>& info) { return std::string(info.param.name); });

// An inconsistent ontology in an in-process solver: the answer and its
// reason go to standard error too, whatever the clause stream is.
struct InconsistentRun {
    const char* name;
    std::vector<std::string> command;
};
std::ostream& operator<<(std::ostream& out, const InconsistentRun& run) { return out << run.name; }

class InconsistentOntology : public testing::TestWithParam<InconsistentRun> {};

TEST_P(InconsistentOntology, IsSaidOnTheClauseStreamAndOnStandardError)
{
    Scratch scratch;
    std::vector<std::string> command = GetParam().command;
    command.insert(command.end(), {"-i=" + scratch.write("o.krss", "(implies A *bottom*)\n(implies *top* A)\n"),
                                   "-o=" + scratch.path("clauses"), "-h=/dev/null"});
    ProcessResult r = runProgram(command);
    const std::string said = "UNSATISFIABLE\nSolved by trivial conflicts between clauses\n\n";
    EXPECT_EQ(scratch.read("clauses"), said);
    EXPECT_NE(r.err.find(said), std::string::npos) << r.err;
    EXPECT_EQ(r.status, 255);
}

INSTANTIATE_TEST_SUITE_P(Sinks, InconsistentOntology,
                         testing::Values(InconsistentRun{"Classifier", {classifier_e2e::kClassifier, "-s", "-m"}},
                                         InconsistentRun{"InProcessSolver", {kIncremental, "-m"}},
                                         InconsistentRun{"SimplifyingSolver", {kIncremental, "-ms"}}),
                         [](const testing::TestParamInfo<InconsistentRun>& info) {
                             return std::string(info.param.name);
                         });

// A terminology and an increment small enough to reason about: B ⊑ ∃r.E
// and, from the increment, ∃r.E ⊑ D, so B ⊑ D, A ⊑ D and C ⊑ D follow.
const char kFirst[] = "(implies A B)\n(implies B (some r E))\n";
const char kIncrement[] = "(implies C A)\n(implies (some r E) D)\n";

const std::vector<std::string> kRoadA = {"PARSING", "NORMALIZATION", "DEDUCTION PREPROCESSING",
                                         "CLASSIFICATION [initialization+deduction]", "ENCODING"};
const std::vector<std::string> kIncrementLines = {"PARSING INC", "NORMALIZATION INC",
                                                  "CLASSIFICATION INC [initialization+deduction]", "ENCODING INC"};

std::vector<std::string> concat(std::vector<std::string> a, const std::vector<std::string>& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

TEST(RoadA, EachPhaseHasItsTimingLineOnStandardErrorAndTheHeaderGoesToItsFile)
{
    Scratch scratch;
    ProcessResult r = incremental({"-i=" + scratch.write("o.krss", kFirst), "-o=" + scratch.path("body"),
                                   "-h=" + scratch.path("header")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(timingNames(r.err), concat(kRoadA, {"TOTAL TIME"}));
    // Nothing but the timing lines, each with six decimals.
    static const TextPattern timing("[A-Z &\\[\\]+a-z-]+ \\(CPU-sec\\): [0-9]+\\.[0-9]{6}");
    for (const std::string& line : lines(r.err))
        EXPECT_TRUE(timing.matches(line)) << line;
    EXPECT_EQ(r.out, "");
    // bottom 1, top 2, A 3, B 4, ∃r.E 5: the units of bottom and top and
    // the two axioms; nothing derived beyond the told pairs.
    EXPECT_EQ(scratch.read("header"), "c axioms 4 deduced 0\np cnf 5 4\n");
    EXPECT_EQ(scratch.read("body"), "-1 0\n2 0\n-3 4 0\n-4 5 0\n");
}

TEST(RoadA, WithoutAHeaderFileTheHeaderLinesGoToStandardError)
{
    Scratch scratch;
    ProcessResult r = incremental({"-i=" + scratch.write("o.krss", kFirst), "-o=/dev/null"});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("c axioms 4 deduced 0\np cnf 5 4\n"), std::string::npos) << r.err;
}

TEST(Statistics, GoToTheStatisticsFileOrWithDebugToStandardError)
{
    Scratch scratch;
    const std::string ontology = scratch.write("o.krss", kFirst);
    const std::string expected = "\nINPUT (input concepts: ";
    ProcessResult quiet = incremental({"-i=" + ontology, "-o=/dev/null", "-h=/dev/null"});
    EXPECT_EQ(quiet.err.find(expected), std::string::npos);

    ProcessResult toFile =
        incremental({"-i=" + ontology, "-o=/dev/null", "-h=/dev/null", "-s=" + scratch.path("stats")});
    ASSERT_EQ(toFile.status, 0) << toFile.err;
    EXPECT_EQ(toFile.err.find(expected), std::string::npos);
    const std::vector<std::string> statLines = lines(scratch.read("stats"));
    std::vector<std::string> heads;
    for (const std::string& line : statLines)
        if (!line.empty())
            heads.push_back(line.substr(0, line.find(' ')));
    EXPECT_EQ(heads, (std::vector<std::string>{"INPUT", "INPUT", "NORMALIZED", "PREPARATION", "RESULTS"}));
    // Two normalised axioms over bottom, top, A, B, E and ∃r.E.
    EXPECT_NE(scratch.read("stats").find("\nNORMALIZED (concepts: 6, axioms: 2).\n"), std::string::npos)
        << scratch.read("stats");

    ProcessResult debug = incremental({"-i=" + ontology, "-o=/dev/null", "-h=/dev/null", "-d",
                                       "-s=" + scratch.path("stats2")});
    ASSERT_EQ(debug.status, 0) << debug.err;
    EXPECT_NE(debug.err.find(expected), std::string::npos);
    EXPECT_EQ(scratch.read("stats2"), "");
}

TEST(Increment, HasItsFourTimingLinesAndAppendsItsConceptsToTheMap)
{
    Scratch scratch;
    ProcessResult r = incremental({"-i=" + scratch.write("o1.krss", kFirst),
                                   "-j=" + scratch.write("o2.krss", kIncrement), "-o=" + scratch.path("body"),
                                   "-h=" + scratch.path("header"), "-v=" + scratch.path("map")});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(timingNames(r.err), concat(concat(kRoadA, kIncrementLines), {"TOTAL TIME"}));
    // The first encoding's concepts, then the two that the increment numbered.
    EXPECT_EQ(scratch.read("map"), "*bottom* 1\n*top* 2\nA 3\nB 4\n(some r E) 5\nC 6\nD 7\n");
    // The second header pair counts on from the first.
    const std::vector<std::string> header = lines(scratch.read("header"));
    ASSERT_EQ(header.size(), 4u);
    EXPECT_EQ(header[1], "p cnf 5 4");
    EXPECT_EQ(header[2].compare(0, 11, "c axioms 2 "), 0) << header[2];
}

TEST(Queries, FromAFileThroughTheComplexQueryLanguage)
{
    Scratch scratch;
    const std::string ontology = scratch.write("o.krss",
                                               "(implies A (some r B))\n(implies (some r B) C)\n"
                                               "(implies (and C G) H)\n(implies B F)\n");
    // C ⊒ A; ∃r.B ⊒ A; A ⊓ G ⊑ H; ∃r.F ⊒ A (B ⊑ F); C ⋢ A; H ⋢ A; ∃r.B ⊒ ∃r.F fails.
    const std::string queries = scratch.write("q",
                                              "(subsumes? C A)\n(subsumes? (some r B) A)\n"
                                              "(subsumes? H (and A G))\n(subsumes? (some r F) A)\n"
                                              "(subsumes? A C)\n(subsumes? H A)\n"
                                              "(subsumes? (some r B) (some r F))\n");
    ProcessResult plain = incremental({"-i=" + ontology, "-o=/dev/null", "-h=/dev/null", "-v=" + scratch.path("map0")});
    ASSERT_EQ(plain.status, 0) << plain.err;
    const std::string encodedMap = scratch.read("map0");
    for (const char* sink : {"-m", "-ms"}) {
        SCOPED_TRACE(sink);
        ProcessResult r = incremental({"-i=" + ontology, "-q=" + queries, sink, "-o=/dev/null", "-h=/dev/null",
                                       "-v=" + scratch.path("map")});
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "U\nU\nU\nU\nSAT\nSAT\nSAT\n");
        // The map of the encoding, then the query concepts that were encoded
        // after the queries: the names of A ⊓ G and ∃r.F at least.
        const std::string map = scratch.read("map");
        EXPECT_EQ(map.compare(0, encodedMap.size(), encodedMap), 0) << map;
        EXPECT_GE(lines(map).size(), lines(encodedMap).size() + 2) << map;
    }
}

TEST(Queries, FromStandardInputThroughTheSimpleQueryLoop)
{
    Scratch scratch;
    const std::string ontology = scratch.write("o.krss", kFirst);
    const std::string typed = "(subsumes? B A)\n(subsumes? A B)\n";
    ProcessResult solved = incremental({"-i=" + ontology, "-q", "-m", "-o=/dev/null", "-h=/dev/null"}, typed);
    ASSERT_EQ(solved.status, 0) << solved.err;
    EXPECT_EQ(solved.out,
              "<korvane>$ (subsumes? B A)\nU\n<korvane>$ (subsumes? A B)\nSAT\n<korvane>$ ");
    // The DIMACS writer decides nothing: no prompt, and every answer SAT.
    ProcessResult written = incremental({"-i=" + ontology, "-q", "-o=/dev/null", "-h=/dev/null"}, typed);
    ASSERT_EQ(written.status, 0) << written.err;
    EXPECT_EQ(written.out, "SAT\nSAT\n");
    // quit ends the run at once, without the closing timing line.
    ProcessResult quit = incremental({"-i=" + ontology, "-q", "-m", "-o=/dev/null", "-h=/dev/null"},
                                     "(subsumes? B A)\nquit\n(subsumes? A B)\n");
    EXPECT_EQ(quit.status, 0);
    EXPECT_EQ(quit.err.find("TOTAL TIME"), std::string::npos);
}

TEST(SideFiles, PinpointingInformationHasOneAxiomRecordPerNormalisedAxiom)
{
    Scratch scratch;
    ProcessResult r = incremental({"-i=" + scratch.write("o.krss", kFirst), "-o=/dev/null", "-h=/dev/null",
                                   "-p=" + scratch.path("pinpointing"), "-a=" + scratch.path("axioms")});
    ASSERT_EQ(r.status, 0) << r.err;
    int axiomRecords = 0;
    for (const std::string& line : lines(scratch.read("pinpointing")))
        if (!line.empty() && line.back() == 'A')
            ++axiomRecords;
    EXPECT_EQ(axiomRecords, 2) << scratch.read("pinpointing");
    // With the pinpointing information the axiom dump is numbered.
    EXPECT_EQ(scratch.read("axioms"), "1 1 (implies A B)\n2 2 (implies B (some r E))\n");
}

struct BadInput {
    const char* name;
    // The files: ontology (O), increment (J), encoding (E), map (M); the
    // arguments name them by their letter.
    std::string ontology;
    std::string increment;
    std::string encoding;
    std::string map;
    std::vector<std::string> arguments;
    const char* message;  // a part of standard error
};

std::ostream& operator<<(std::ostream& out, const BadInput& input) { return out << input.name; }

const BadInput kBadInputs[] = {
    {"MalformedOntology", "(implies A\n", "", "", "", {"-i=O"}, "ERROR!"},
    {"MalformedIncrement", "(implies A B)\n", "(implies (and A) \n", "", "", {"-i=O", "-j=J"}, "ERROR!"},
    {"EncodingWithoutHeader", "", "", "-1 0\n2 0\n", "*bottom* 1\n*top* 2\n", {"-io=E", "-iv=M"}, "ERROR!"},
    {"EncodingWithText", "", "", "p cnf 2 2\n-1 0\nfoo\n", "*bottom* 1\n*top* 2\n", {"-io=E", "-iv=M"}, "ERROR!"},
    // A map of another encoding: it names a variable the encoding does not have.
    {"MismatchedMap", "", "", "c axioms 2 deduced 0\np cnf 2 2\n-1 0\n2 0\n", "*bottom* 1\n*top* 2\nA 7\n",
     {"-io=E", "-iv=M"}, "greater than the encoding's variables number"},
    {"MalformedMap", "", "", "c axioms 2 deduced 0\np cnf 2 2\n-1 0\n2 0\n", "*bottom* one\n", {"-io=E", "-iv=M"},
     "ERROR!"},
};

class BadInputRun : public testing::TestWithParam<BadInput> {};

TEST_P(BadInputRun, EndsWithAnErrorAndStatusMinusOne)
{
    const BadInput& input = GetParam();
    Scratch scratch;
    std::vector<std::string> arguments = {"-o=/dev/null", "-h=/dev/null"};
    for (std::string a : input.arguments) {
        const char letter = a.back();
        a.pop_back();
        if (letter == 'O')
            a += scratch.write("o.krss", input.ontology);
        else if (letter == 'J')
            a += scratch.write("j.krss", input.increment);
        else if (letter == 'M')
            a += scratch.write("map", input.map);
        else
            a += scratch.write("encoding", input.encoding);
        arguments.push_back(a);
    }
    ProcessResult r = incremental(arguments);
    EXPECT_EQ(r.status, 255);
    EXPECT_NE(r.err.find(input.message), std::string::npos) << r.err;
}

INSTANTIATE_TEST_SUITE_P(Files, BadInputRun, testing::ValuesIn(kBadInputs),
                         [](const testing::TestParamInfo<BadInput>& info) { return std::string(info.param.name); });

} // namespace
} // namespace incremental_e2e
