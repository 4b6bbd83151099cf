// The classifier's command line: the arguments it accepts, the messages of
// the ones it rejects, and the checks it makes before it reads anything.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ClassifierProcess.h"
#include "SmallTerminologies.h"
#include "support/InvalidParameters.h"

namespace classifier_e2e {
namespace {

const std::string kChainErr = phases(kChainHeader) + kTotal;

TEST(ClassifierOptions, EveryInvalidArgumentIsReportedBeforeTheRunStops)
{
    // Not an option at all, a letter outside a-z, a letter without an option,
    // and options whose form is wrong (a file option without "=name", a
    // suffix where none is allowed).
    const std::vector<std::string> invalid = {"foo", "-",    "--",  "-A",  "-1",  "-f", "-j",  "-k",
                                              "-l",  "-t",   "-w",  "-y",  "-m=x", "-mx", "-o", "-o=",
                                              "-ox", "-a",   "-h=", "-n",  "-v:x", "-z=", "-i=", "-ix",
                                              "-q=", "-q:x", "-tfile"};
    expectInvalidParameters(classify(invalid), invalid);
}

TEST(ClassifierOptions, FilesThatCannotBeOpenedAreReportedAmongTheOtherErrors)
{
    Scratch dir;
    const std::string missing = dir.path("missing.krss");
    const std::string nowhere = dir.path("no-such-directory/file");
    ProcessResult r = classify({"-i=" + missing, "-t", "-q=" + missing, "-o=" + nowhere, "-h=" + nowhere,
                                "-a=" + nowhere, "-n=" + nowhere, "-v=" + nowhere, "-z=" + nowhere,
                                "-p=" + nowhere});
    EXPECT_EQ(r.err, "Can not read from file: " + missing + "\n"
                     "Invalid parameter: -t\n"
                     "Can not read from file: " + missing + "\n"
                     "Can not write file: " + nowhere + "\n"
                     "Can not write file: " + nowhere + "\n"
                     "Can not write file: " + nowhere + "\n"
                     "Can not write file: " + nowhere + "\n"
                     "Can not write file: " + nowhere + "\n"
                     "Can not write file: " + nowhere + "\n"
                     "Can not write file: " + nowhere + "\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, 255);
}

TEST(ClassifierOptions, IgnoredSuffixesAndEmptyArgumentsChangeNothing)
{
    Scratch dir;
    const std::string ontology = dir.write("chain.krss", kChain);
    ProcessResult r = classify({"", "-i=" + ontology, "-e", "-efoo", "-bxyz", ""});
    EXPECT_EQ(r.out, kChainBody);
    EXPECT_EQ(maskTimes(r.err), kChainErr);
    EXPECT_EQ(r.status, 0);
}

TEST(ClassifierOptions, MalformedAssumptionListArgumentStopsTheRunWithoutAMessage)
{
    Scratch dir;
    const std::string ontology = dir.write("chain.krss", kChain);
    for (const std::string argument : {"-p=", "-pfoo", "-p:x"}) {
        ProcessResult r = classify({"-i=" + ontology, argument});
        EXPECT_EQ(r.err, "") << argument;
        EXPECT_EQ(r.out, "") << argument;
        EXPECT_EQ(r.status, 255) << argument;
    }
}

TEST(ClassifierOptions, ALaterArgumentOfTheSameLetterWins)
{
    Scratch dir;
    const std::string ontology = dir.write("chain.krss", kChain);
    ProcessResult r = classify({"-i=" + dir.path("missing.krss"), "-i=" + ontology, "-o=" + dir.path("first"),
                                "-o=" + dir.path("second"), "-h=" + dir.path("h1"), "-h=" + dir.path("h2")});
    // A later good -i does not undo the report of an earlier bad one.
    EXPECT_EQ(r.err, "Can not read from file: " + dir.path("missing.krss") + "\n");
    EXPECT_EQ(r.status, 255);

    r = classify({"-i=" + ontology, "-o=" + dir.path("first"), "-o=" + dir.path("second"), "-h=" + dir.path("h1"),
                  "-h=" + dir.path("h2")});
    EXPECT_EQ(r.status, 0);
    // The earlier files were opened (and so created) but receive nothing.
    EXPECT_TRUE(dir.exists("first"));
    EXPECT_EQ(dir.read("first"), "");
    EXPECT_EQ(dir.read("h1"), "");
    EXPECT_EQ(dir.read("second"), kChainBody);
    EXPECT_EQ(dir.read("h2"), kChainHeader);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(maskTimes(r.err), phases() + kTotal);
}

TEST(ClassifierOptions, OntologyAndQueriesCannotBothComeFromStandardInput)
{
    const std::string message = "Input and Queries cannot be both read from standard input!\n";
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"-q"}, std::vector<std::string>{"-i", "-q"}, std::vector<std::string>{"-q", "-i"},
          std::vector<std::string>{"-q", "-m"}}) {
        ProcessResult r = classify(arguments, kChain);
        EXPECT_EQ(r.err, message) << arguments[0];
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.status, 255);
    }
    // Option errors come first, the check after them.
    ProcessResult r = classify({"-q", "-t"});
    EXPECT_EQ(r.err, "Invalid parameter: -t\n" + message);
    EXPECT_EQ(r.status, 255);

    // Queries alone from standard input are fine: an empty input answers
    // nothing (the prompt is there, as the queries come from standard input).
    Scratch dir;
    r = classify({"-i=" + dir.write("chain.krss", kChain), "-q", "-m", "-h=" + dir.path("header")});
    EXPECT_EQ(r.out, "<korvane>$ ");
    EXPECT_EQ(maskTimes(r.err), phases() + "QUERIES PREPROCESSING (CPU-sec): T\n" + kTotal);
    EXPECT_EQ(r.status, 0);
}

TEST(ClassifierOptions, QueriesNeedTheSubsumptionEncodingUnlessPinpointingIsOffToo)
{
    Scratch dir;
    const std::string ontology = dir.write("o.txt", kChain);
    const std::string queries = dir.write("q.txt", "(subsumes? C A)\n");
    const std::string message = "Cannot answer Queries without encoding subsumption!\n";

    ProcessResult r = classify({"-i=" + ontology, "-p", "-q=" + queries});
    EXPECT_EQ(r.err, message);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.status, 255);

    // The check ends the run at once, after the option messages.
    r = classify({"-t", "-i=" + ontology, "-p=" + dir.path("assumptions"), "-q=" + queries});
    EXPECT_EQ(r.err, "Invalid parameter: -t\n" + message);
    EXPECT_EQ(r.status, 255);

    // -p together with -s: both are dropped, so the run encodes the
    // subsumptions and pinpoints; the assumption list is still written.
    r = classify({"-i=" + ontology, "-p=" + dir.path("assumptions"), "-q=" + queries, "-s", "-h=" + dir.path("h")});
    EXPECT_EQ(r.status, 0);
    // The DIMACS writer answers SAT after appending the selector units and
    // the query's units (A is 6, C is 8) to the full pinpointing encoding.
    EXPECT_EQ(r.out, kChainBody + "1 0\n2 0\n6 0\n-8 0\nSAT\n");
    EXPECT_EQ(dir.read("assumptions"), "1\n2\n");

    // With the in-process solver the answer rests on both axioms.
    r = classify({"-i=" + ontology, "-p", "-s", "-q=" + queries, "-m", "-h=" + dir.path("h")});
    EXPECT_EQ(r.status, 0);
    std::vector<std::string> answer = lines(r.out);
    ASSERT_EQ(answer.size(), 2u) << r.out;
    EXPECT_EQ(answer[0], "U");
    EXPECT_TRUE(answer[1] == "1 2 " || answer[1] == "2 1 ") << answer[1];
}

// Debug output: to standard error for every form but "-d=name", to the file
// for that form; a file that cannot be opened is reported and the run goes
// on without it (or with an earlier debug stream).
TEST(ClassifierOptions, DebugOutput)
{
    Scratch dir;
    const std::string ontology = dir.write("chain.krss", kChain);
    // Five concepts (bottom, top, A, B, C) and the two trivial roles.
    const std::string input = "\nINPUT (input concepts: 5, shared concepts: 5, axioms: 2).\n";
    const std::string roles = "\nINPUT (input roles: 2, shared roles: 2, role axioms: 0).\n";
    const std::string normalized = "\nNORMALIZED (concepts: 5, axioms: 2).\n";
    auto hasDebugLines = [&](const std::string& text) {
        std::size_t a = text.find(input), b = text.find(roles), c = text.find(normalized);
        return a != std::string::npos && b != std::string::npos && c != std::string::npos && a < b && b < c;
    };

    for (const std::string form : {"-d", "-dfoo", "-d=", "-d:x"}) {
        ProcessResult r = classify({"-i=" + ontology, form, "-h=" + dir.path("h")});
        EXPECT_TRUE(hasDebugLines(r.err)) << form << "\n" << r.err;
        EXPECT_EQ(r.out, kChainBody) << form;
        EXPECT_EQ(r.status, 0) << form;
    }

    ProcessResult r = classify({"-i=" + ontology, "-d=" + dir.path("debug"), "-h=" + dir.path("h")});
    EXPECT_TRUE(hasDebugLines(dir.read("debug"))) << dir.read("debug");
    EXPECT_EQ(maskTimes(r.err), phases() + kTotal);
    EXPECT_EQ(r.status, 0);

    const std::string nowhere = dir.path("no-such-directory/debug");
    r = classify({"-i=" + ontology, "-d=" + nowhere, "-h=" + dir.path("h")});
    EXPECT_EQ(maskTimes(r.err), "Can not write file: " + nowhere + "\n" + phases() + kTotal);
    EXPECT_EQ(r.out, kChainBody);
    EXPECT_EQ(r.status, 0);

    // An earlier -d keeps its stream when a later file fails.
    r = classify({"-i=" + ontology, "-d", "-d=" + nowhere, "-h=" + dir.path("h")});
    EXPECT_EQ(r.err.find("Can not write file: " + nowhere + "\n"), 0u) << r.err;
    EXPECT_TRUE(hasDebugLines(r.err)) << r.err;
    EXPECT_EQ(r.status, 0);
}

} // namespace
} // namespace classifier_e2e
