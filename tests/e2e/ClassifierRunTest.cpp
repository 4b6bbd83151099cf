// Classifier runs without queries: where the encoding, its header and the
// timing lines go, the side files, the errors of the ontology language, and
// output files that cannot be written.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ClassifierProcess.h"
#include "SmallTerminologies.h"

namespace classifier_e2e {
namespace {

TEST(ClassifierRun, WithoutArgumentsReadsStandardInputAndWritesTheEncodingToStandardOutput)
{
    ProcessResult r = classify({}, kChain);
    EXPECT_EQ(r.out, kChainBody);
    // The header lines come out when the encoding ends, inside the
    // classification phase.
    EXPECT_EQ(maskTimes(r.err), phases(kChainHeader) + kTotal);
    EXPECT_EQ(r.status, 0);

    r = classify({"-i"}, kOneAxiom);
    EXPECT_EQ(r.out, kOneAxiomBody);
    EXPECT_EQ(maskTimes(r.err), phases(kOneAxiomHeader) + kTotal);
    EXPECT_EQ(r.status, 0);
}

TEST(ClassifierRun, AnEmptyOntologyEncodesOnlyTopAndBottom)
{
    // Nothing but bottom (1) and top (2).
    ProcessResult r = classify({}, ";; nothing here\n");
    EXPECT_EQ(r.out, "-1 0\n2 0\n");
    EXPECT_EQ(maskTimes(r.err), phases("c axioms 2 deduced 0\np cnf 2 2\n") + kTotal);
    EXPECT_EQ(r.status, 0);
}

TEST(ClassifierRun, SideFilesOfAPinpointingRun)
{
    Scratch dir;
    ProcessResult r = classify({"-i=" + dir.write("chain.krss", kChain), "-o=" + dir.path("body"),
                                "-h=" + dir.path("header"), "-p=" + dir.path("assumptions"), "-s",
                                "-v=" + dir.path("map"), "-z=" + dir.path("table"), "-n=" + dir.path("listing"),
                                "-a=" + dir.path("axioms")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(maskTimes(r.err), phases() + kTotal);
    EXPECT_EQ(dir.read("body"), kChainBody);
    EXPECT_EQ(dir.read("header"), kChainHeader);
    EXPECT_EQ(dir.read("assumptions"), "1\n2\n");
    EXPECT_EQ(dir.read("map"), kChainMap);
    EXPECT_EQ(dir.read("table"), kChainTable);
    // Both axioms are original ones; the listing marks them written, and the
    // numbered dump lists them all the same.
    EXPECT_EQ(dir.read("listing"), "OR (implies A B)\nOR (implies B C)\n");
    EXPECT_EQ(dir.read("axioms"), kChainAxiomDump);
}

TEST(ClassifierRun, WithoutPinpointingTheConceptsAreNumberedFromOne)
{
    Scratch dir;
    ProcessResult r = classify(
        {"-i=" + dir.write("chain.krss", kChain), "-s", "-v=" + dir.path("map"), "-z=" + dir.path("table")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kChainBodyWithoutPinpointing);
    EXPECT_EQ(maskTimes(r.err), phases(kChainHeaderWithoutPinpointing) + kTotal);
    EXPECT_EQ(dir.read("map"), "*bottom* 1\n*top* 2\nA 3\nB 4\nC 5\n");
    // The table keeps the selector and deduction numbers, which name no
    // variable of this encoding.
    EXPECT_EQ(dir.read("table"), kChainTable);
}

TEST(ClassifierRun, WithoutTheSubsumptionEncodingOnlyRuleClausesAreWritten)
{
    Scratch dir;
    ProcessResult r = classify({"-i=" + dir.write("chain.krss", kChain), "-p=" + dir.path("assumptions"),
                                "-v=" + dir.path("map")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, kChainBodyWithoutSubsumptions);
    // Neither axiom nor deduced clauses: no "c axioms" line.
    EXPECT_EQ(maskTimes(r.err), phases(kChainHeaderWithoutSubsumptions) + kTotal);
    EXPECT_EQ(dir.read("assumptions"), "1\n2\n");
    // No concept has a variable, so the map has no concept line.
    EXPECT_EQ(dir.read("map"), "");

    // The role-axiom lines are all that is left of the map.
    r = classify({"-i=" + kExamplesDir + "/anatomy.krss", "-p", "-v=" + dir.path("anatomy.map"),
                  "-o=" + dir.path("body"), "-h=" + dir.path("header")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(dir.read("anatomy.map"),
              "(transitive part-of)\n"
              "(role-inclusion (compose located-in part-of) located-in)\n");
}

// The bundled example's axiom dump. Normal-form axioms by the kinds of their
// sides (name ⊑ name, then name ⊑ existential, then existential ⊑ name), then
// by the left side's serial (order of first appearance: Finger, Hand, Arm,
// Body, Limb, BodyPart, Cut, ArmInjury, and the existentials as they were
// read); then the role axioms, the transitive one first. The second number
// is the input axiom the line comes from (role axioms repeat the first): the
// seven written concept axioms are numbered 1 to 7 and both halves of an
// equivalence share its number.
TEST(ClassifierRun, AxiomDumpOfTheBundledExample)
{
    Scratch dir;
    ProcessResult r = classify({"-i=" + kExamplesDir + "/anatomy.krss", "-o=" + dir.path("body"),
                                "-h=" + dir.path("header"), "-n=" + dir.path("listing"), "-v=" + dir.path("map"),
                                "-a=" + dir.path("axioms"), "-p=" + dir.path("assumptions"), "-s"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(dir.read("axioms"), "1 4 (implies Arm Limb)\n"
                                  "2 1 (implies Finger (some part-of Hand))\n"
                                  "3 2 (implies Hand (some part-of Arm))\n"
                                  "4 3 (implies Arm (some part-of Body))\n"
                                  "5 5 (implies BodyPart (some part-of Body))\n"
                                  "6 6 (implies Cut (some located-in Finger))\n"
                                  "7 7 (implies ArmInjury (some located-in Arm))\n"
                                  "8 5 (implies (some part-of Body) BodyPart)\n"
                                  "9 7 (implies (some located-in Arm) ArmInjury)\n"
                                  "10 10 (transitive part-of)\n"
                                  "11 11 (role-inclusion (compose located-in part-of) located-in)\n");
    EXPECT_EQ(dir.read("assumptions"), "1\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n");
    // The map was written before the dump and starts with the role axioms.
    EXPECT_EQ(dir.read("map").rfind("(transitive part-of)\n"
                                    "(role-inclusion (compose located-in part-of) located-in)\n"
                                    "*bottom* ",
                                    0),
              0u);
}

// With -g the input axioms are the selectors: A ⊑ B and B ⊑ C are 1 and 2,
// their normal forms 3 and 4 (above the input axioms and the role axioms),
// linked by [-1, 3] and [-2, 4]; the deduction A ⊑ C is 5, bottom 6, top 7,
// A 8, B 9, C 10.
TEST(ClassifierRun, OriginalAxiomNumbersAndTheirTables)
{
    Scratch dir;
    ProcessResult r =
        classify({"-i=" + dir.write("chain.krss", kChain), "-g", "-z=" + dir.path("t"), "-p=" + dir.path("as"), "-s",
                  "-o=" + dir.path("body"), "-h=" + dir.path("header"), "-a=" + dir.path("axioms")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(dir.read("body"), "-1 3 0\n"
                                "-2 4 0\n"
                                "-4 -3 5 0\n"
                                "-6 0\n"
                                "7 0\n"
                                "-3 -8 9 0\n"
                                "-4 -9 10 0\n"
                                "-5 -8 10 0\n");
    EXPECT_EQ(dir.read("header"), "c axioms 4 deduced 1\np cnf 10 8\n");
    EXPECT_EQ(dir.read("as"), "1\n2\n");
    EXPECT_EQ(dir.read("t"), "3 (implies A B )\n4 (implies B C )\n5 (implies A C )\n");
    EXPECT_EQ(dir.read("t.gci"), "1 (implies A B )\n2 (implies B C )\n");
    EXPECT_EQ(dir.read("t.map"), "1 3\n2 4\n");
    EXPECT_EQ(dir.read("t.ri"), "");
    EXPECT_EQ(dir.read("axioms"), "3 1 (implies A B)\n4 2 (implies B C)\n");

    // Without a -z name there is no base name for the three tables: no file
    // besides the ones named is made.
    Scratch work;
    work.write("chain.krss", kChain);
    r = classifyThroughShell(work.dir, {"-i=chain.krss", "-g", "-o=body", "-h=header"});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(work.files(), (std::vector<std::string>{"body", "chain.krss", "header"}));
}

TEST(ClassifierRun, OntologyErrorsEndTheRunWithTheirDiagnostic)
{
    const std::string totals = " --- 1 errors and 0 warnings detected.\n";
    struct Case {
        std::string ontology;
        std::string diagnostic;
    };
    const std::vector<Case> cases = {
        {"(implies A B)\n(implies A ;C)\n",
         "[Input Problem - Lexer] ERROR! Line 2: Unrecognized token: ';' (or no new line before end of file)\n"},
        // A comment needs its newline.
        {"(implies A B) ;; no newline",
         "[Input Problem - Lexer] ERROR! Line 1: Unrecognized token: ';' (or no new line before end of file)\n"},
        {"(implies A B C)\n", "[Input Problem - Parser] ERROR! Line 1: syntax error near token 'C'\n"},
        // The input ends inside an axiom, after the newline of line 2.
        {"(implies A B)\n(implies A B\n", "[Input Problem - Parser] ERROR! Line 3: syntax error\n"},
        {"(implies A B)\n(define-primitive-role A)\n",
         "[Input Problem - Parser] ERROR! Line 2: Name 'A' is not used only as type role, see line: 1\n"},
    };
    for (const Case& c : cases) {
        ProcessResult r = classify({}, c.ontology);
        EXPECT_EQ(r.err, c.diagnostic + totals) << c.ontology;
        EXPECT_EQ(r.out, "") << c.ontology;
        EXPECT_EQ(r.status, 255) << c.ontology;
    }
}

// An input that cannot be read (a directory, a closed standard input) ends
// the run with a diagnostic of the grammar reading it that names the input.
TEST(ClassifierRun, InputsThatCannotBeReadEndTheRunWithTheirDiagnostic)
{
    Scratch dir;
    const std::string ontology = dir.write("ontology.krss", "(implies A B)\n");
    const std::string queries = dir.write("queries", "(subsumes? B A)\n");
    const std::string header = "-h=" + dir.path("header");
    const std::string problem = "[Input Problem - Lexer] ERROR! Line 1: Can not read from ";
    const std::string query = "[Queries on primitive concepts. - Lexer] ERROR! Line 1: Can not read from ";
    const std::string isDirectory = "file '" + dir.dir + "': Is a directory\n";
    const std::string closed = "standard input: Bad file descriptor\n";
    const std::string totals = " --- 1 errors and 0 warnings detected.\n";
    // The queries are prepared before their input is first read.
    const std::string preprocessing = "QUERIES PREPROCESSING (CPU-sec): T\n";
    struct Case {
        std::vector<std::string> arguments;
        bool closedInput;
        std::string err;
        std::string out;
    };
    const std::vector<Case> cases = {
        {{"-i=" + dir.dir}, false, problem + isDirectory, ""},
        {{}, true, problem + closed, ""},
        {{"-i"}, true, problem + closed, ""},
        // The query file opened first must not take the place of the closed
        // standard input.
        {{"-q=" + queries, "-m", header}, true, problem + closed, ""},
        {{"-i=" + ontology, "-q=" + dir.dir, "-m", header}, false, phases() + preprocessing + query + isDirectory, ""},
        // Queries from standard input to the in-process solver are prompted
        // for, even when standard input is closed.
        {{"-i=" + ontology, "-q", "-m", header}, true, phases() + preprocessing + query + closed, "<korvane>$ "},
    };
    for (const Case& c : cases) {
        std::vector<std::string> argv = c.arguments;
        argv.insert(argv.begin(), kClassifier);
        ProcessResult r = runProgram(argv, "", c.closedInput);
        const std::string shown = ::testing::PrintToString(c.arguments) + (c.closedInput ? " (closed input)" : "");
        EXPECT_EQ(maskTimes(r.err), c.err + totals) << shown;
        EXPECT_EQ(r.out, c.out) << shown;
        EXPECT_EQ(r.status, 255) << shown;
    }
}

// A file that could not be written completely is reported, and the run does
// not end as a success.
TEST(ClassifierRun, OutputThatCannotBeWrittenIsAnError)
{
    Scratch dir;
    const std::string ontology = kExamplesDir + "/anatomy.krss";
    const std::string report = "[Main] Can not write the output file: '/dev/full'\n";
    for (const std::string option : {"-o", "-h", "-a", "-v", "-z", "-n", "-p", "-d"}) {
        std::vector<std::string> arguments = {"-i=" + ontology, "-o=" + dir.path("body"), "-h=" + dir.path("header"),
                                              option + "=/dev/full"};
        if (option == "-p")
            arguments.push_back("-s");
        ProcessResult r = classify(arguments);
        EXPECT_EQ(r.status, 255) << option;
        ASSERT_GE(r.err.size(), report.size()) << option;
        EXPECT_EQ(r.err.substr(r.err.size() - report.size()), report) << option << "\n" << r.err;
    }

    // Standard output (the default clause stream) on a full device.
    ProcessResult r = classifyThroughShell(dir.dir, {"-i=" + ontology, "-h=header"}, ">/dev/full");
    EXPECT_EQ(r.status, 255);
    EXPECT_NE(r.err.find("[Main] Can not write the standard output"), std::string::npos) << r.err;
}

// The -g tables are outputs like the others: one that cannot be made stops
// the run before it starts, one that cannot be written completely is reported
// at the end.
TEST(ClassifierRun, OriginalAxiomTablesThatCannotBeWrittenAreErrors)
{
    for (const std::string suffix : {".ri", ".gci", ".map"}) {
        Scratch dir;
        // The role inclusion gives the role-axiom table a line.
        const std::string ontology = dir.write("chain.krss", kChain + "(role-inclusion r s)\n");
        std::filesystem::create_directory(dir.path("t" + suffix));
        ProcessResult r = classify({"-i=" + ontology, "-g", "-z=" + dir.path("t"), "-o=" + dir.path("body"),
                                    "-h=" + dir.path("header")});
        EXPECT_EQ(r.status, 255) << suffix;
        EXPECT_EQ(r.err, "Can not write file: " + dir.path("t" + suffix) + "\n") << suffix;

        Scratch full;
        std::filesystem::create_symlink("/dev/full", full.path("t" + suffix));
        r = classify({"-i=" + ontology, "-g", "-z=" + full.path("t"), "-o=" + full.path("body"),
                      "-h=" + full.path("header")});
        const std::string report = "[Main] Can not write the output file: '" + full.path("t" + suffix) + "'\n";
        EXPECT_EQ(r.status, 255) << suffix;
        EXPECT_NE(r.err.find(report), std::string::npos) << suffix << "\n" << r.err;
    }
}

} // namespace
} // namespace classifier_e2e
