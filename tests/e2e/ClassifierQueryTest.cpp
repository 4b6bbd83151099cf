// The classifier's query loop: answers with the in-process solver (with and
// without pinpointing), the DIMACS route, the prompt through a pipe and a
// terminal, "quit", and the errors of the query language.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "ClassifierProcess.h"
#include "SmallTerminologies.h"
#include "support/PeerInstalled.h"
#include "support/PeerSolver.h"
#include "support/TextPattern.h"

namespace classifier_e2e {
namespace {

const std::string kPrompt = "<korvane>$ ";
const std::string kPreprocessing = "QUERIES PREPROCESSING (CPU-sec): T\n";

std::string queryLines(int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "S [" + std::to_string(i) + "]: T\n";
    return text;
}

// The answers of a pinpointing run, one entry per query: "SAT", or "U" with
// the set of axiom numbers of the next line ("U {}" for an empty line); a
// line that is not a list of "%d " shows up as it is.
std::vector<std::string> pinpointedAnswers(const std::string& out)
{
    std::vector<std::string> answers;
    std::vector<std::string> text = lines(out);
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != "U" || i + 1 == text.size()) {
            answers.push_back(text[i]);
            continue;
        }
        std::vector<long> numbers;
        if (!axiomNumbers(text[++i], numbers)) {
            answers.push_back("U <" + text[i] + ">");
            continue;
        }
        std::sort(numbers.begin(), numbers.end());
        std::string entry = "U {";
        for (long n : numbers)
            entry += (entry.back() == '{' ? "" : ",") + std::to_string(n);
        answers.push_back(entry + "}");
    }
    return answers;
}

class ClassifierQueries : public ::testing::Test {
protected:
    // The in-process solver answers the queries of a file; the header lines go
    // to a file of their own so that standard error holds the timings only.
    ProcessResult ask(const std::string& ontology, const std::string& queries, std::vector<std::string> extra = {})
    {
        std::vector<std::string> arguments = {"-i=" + dir.write("ontology.krss", ontology),
                                              "-q=" + dir.write("queries", queries), "-m", "-h=" + dir.path("header")};
        arguments.insert(arguments.end(), extra.begin(), extra.end());
        return classify(arguments);
    }

    Scratch dir;
};

TEST_F(ClassifierQueries, AnswersWithThePinpointedAxioms)
{
    ProcessResult r = ask(kChain, "(subsumes? C A)\n"
                                  "(subsumes? A C)\n"
                                  "(subsumes? A A)\n"
                                  "(subsumes? top A)\n"
                                  "(subsumes? A bottom)\n"
                                  "(?subsumes |C| A) ((subsumes? B A))\n"
                                  ";; a comment\n"
                                  "(subsumes? *top* *bottom*)(subsumes? C B)\n");
    EXPECT_EQ(r.status, 0);
    // A ⊑ C rests on both axioms; the trivial subsumptions on none (an empty
    // line); the in-process solver echoes nothing.
    EXPECT_EQ(pinpointedAnswers(r.out), (std::vector<std::string>{"U {1,2}", "SAT", "U {}", "U {}", "U {}", "U {1,2}",
                                                                    "U {1}", "U {}", "U {2}"}));
    EXPECT_EQ(maskTimes(r.err), phases() + kPreprocessing + queryLines(9) + kTotal);
    // The header still goes to its stream.
    EXPECT_EQ(dir.read("header"), kChainHeader);

    // Role axioms come after the concept axioms.
    r = ask(kRoles, "(subsumes? C A)\n(subsumes? A C)\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(pinpointedAnswers(r.out), (std::vector<std::string>{"U {1,2,3}", "SAT"}));
    std::vector<std::string> text = lines(r.out);
    ASSERT_GE(text.size(), 2u);
    EXPECT_TRUE(text[1] == "1 2 3 " || text[1] == "2 1 3 ") << text[1];
}

TEST_F(ClassifierQueries, OtherSolverModes)
{
    const std::string queries = "(subsumes? C A)\n(subsumes? A C)\n(subsumes? C C)\n";
    // Without pinpointing: the bare answers, and no preprocessing.
    ProcessResult r = ask(kChain, queries, {"-s"});
    EXPECT_EQ(r.out, "U\nSAT\nU\n");
    EXPECT_EQ(maskTimes(r.err), phases() + queryLines(3) + kTotal);
    EXPECT_EQ(r.status, 0);

    // A searching solver gives the same answers as propagation alone.
    r = ask(kChain, queries, {"-u"});
    EXPECT_EQ(pinpointedAnswers(r.out), (std::vector<std::string>{"U {1,2}", "SAT", "U {}"}));
    EXPECT_EQ(r.status, 0);

    // With -g the numbers printed are the input axioms' numbers less one.
    r = ask(kChain, queries, {"-g"});
    EXPECT_EQ(pinpointedAnswers(r.out), (std::vector<std::string>{"U {0,1}", "SAT", "U {}"}));
    EXPECT_EQ(r.status, 0);
}

TEST_F(ClassifierQueries, DebugOutputShowsThePinpointedAssumptionsAndAxioms)
{
    ProcessResult r = ask(kRoles, "(subsumes? C A)\n", {"-d"});
    EXPECT_EQ(r.status, 0);
    EXPECT_TRUE(TextPattern("\nPINPOINTED ASSUMPTIONS:( [123]){3}\n"
                            "PINPOINTED AXIOMS, GCIs: (1 2|2 1), RIs: 3\n")
                    .occursIn(r.err))
        << r.err;

    r = ask(kOneAxiom, "(subsumes? B A)\n", {"-d", "-g"});
    EXPECT_EQ(r.out, "U\n0 \n");
    EXPECT_NE(r.err.find("\nPINPOINTED ASSUMPTIONS: 1\n"
                         "PINPOINTED (ORIGINAL) AXIOMS, GCIs: 0(i.e. normalization), RIs:\n"),
              std::string::npos)
        << r.err;
}

// The bundled example. Its axiom dump (see the run tests) numbers the
// axioms: 2 Finger ⊑ ∃part-of.Hand, 3 Hand ⊑ ∃part-of.Arm,
// 4 Arm ⊑ ∃part-of.Body, 6 Cut ⊑ ∃located-in.Finger,
// 8 ∃part-of.Body ⊑ BodyPart, 9 ∃located-in.Arm ⊑ ArmInjury,
// 10 part-of transitive, 11 located-in ∘ part-of ⊑ located-in.
// - Finger ⊑ BodyPart: Finger is part of Hand, of Arm, of Body; transitivity
//   makes it part of Body, hence a BodyPart. The only MinA is
//   {2, 3, 4, 8, 10}, and every derivation uses all of it.
// - Cut ⊑ ArmInjury: a cut located in a finger that is part of a hand that
//   is part of an arm is located in the arm by the chain (used twice), hence
//   an ArmInjury. The only MinA is {2, 3, 6, 9, 11}; a derivation may also
//   go through "Finger is part of Arm" by transitivity, which adds 10.
// - Finger ⊑ Limb does not follow: Arm is a Limb, a finger is only part of one.
TEST_F(ClassifierQueries, BundledExampleThroughBothRoutes)
{
    const std::string ontology = kExamplesDir + "/anatomy.krss";
    const std::string queries = kExamplesDir + "/anatomy.queries";
    ProcessResult r = classify({"-i=" + ontology, "-q=" + queries, "-m", "-h=" + dir.path("h")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(maskTimes(r.err), phases() + kPreprocessing + queryLines(3) + kTotal);
    std::vector<std::string> answers = pinpointedAnswers(r.out);
    ASSERT_EQ(answers.size(), 3u) << r.out;
    EXPECT_EQ(answers[0], "U {2,3,4,8,10}");
    EXPECT_TRUE(answers[1] == "U {2,3,6,9,11}" || answers[1] == "U {2,3,6,9,10,11}") << answers[1];
    EXPECT_EQ(answers[2], "SAT");

    // The DIMACS route answers SAT to all three and appends, after the
    // encoding, the eleven selectors as units and then each query's units
    // (the subsumee true, the subsumer false), with a header pair per query.
    r = classify({"-i=" + ontology, "-q=" + queries, "-o=" + dir.path("body"), "-h=" + dir.path("header"),
                  "-v=" + dir.path("map"), "-p=" + dir.path("assumptions"), "-s"});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "SAT\nSAT\nSAT\n");
    std::map<std::string, std::string> variable;
    for (const std::string& line : lines(dir.read("map"))) {
        std::size_t blank = line.rfind(' ');
        if (line[0] != '(' && blank != std::string::npos)
            variable[line.substr(0, blank)] = line.substr(blank + 1);
    }
    const std::vector<std::pair<std::string, std::string>> asked = {
        {"Finger", "BodyPart"}, {"Cut", "ArmInjury"}, {"Finger", "Limb"}};
    std::vector<std::string> header = lines(dir.read("header"));
    ASSERT_GE(header.size(), 2u);
    int variables = 0, clauses = 0;
    ASSERT_EQ(std::sscanf(header[1].c_str(), "p cnf %d %d", &variables, &clauses), 2) << header[1];
    std::string expectedHeader = header[0] + "\n" + header[1] + "\nc axioms 11 deduced 0\n";
    std::string selectorUnits;
    for (int s = 1; s <= 11; ++s)
        selectorUnits += std::to_string(s) + " 0\n";
    std::string queryUnits;
    for (const auto& q : asked) {
        queryUnits += variable[q.first] + " 0\n-" + variable[q.second] + " 0\n";
        expectedHeader += "c axioms 0 deduced 2\np cnf " + std::to_string(variables) + " " +
                          std::to_string(clauses + 11 + 2) + "\n";
    }
    EXPECT_EQ(dir.read("header"), expectedHeader);
    std::string body = dir.read("body");
    std::size_t encodingEnd = 0;
    for (int i = 0; i < clauses && encodingEnd != std::string::npos; ++i)
        encodingEnd = body.find('\n', encodingEnd) + 1;
    ASSERT_NE(encodingEnd, std::string::npos);
    EXPECT_EQ(body.substr(encodingEnd), selectorUnits + queryUnits);

    // An independent solver on the encoding, the selectors and one query's
    // units agrees with the in-process answers.
    ASSERT_TRUE(peerInstalled("picosat"));
    const std::string encoding = body.substr(0, encodingEnd);
    const std::vector<int> expected = {20, 20, 10};
    for (std::size_t i = 0; i < asked.size(); ++i) {
        std::string cnf = "p cnf " + std::to_string(variables) + " " + std::to_string(clauses + 13) + "\n" +
                          encoding + selectorUnits + variable[asked[i].first] + " 0\n-" +
                          variable[asked[i].second] + " 0\n";
        EXPECT_EQ(runPeerSolver("picosat", cnf), expected[i]) << asked[i].first << " ⊑ " << asked[i].second;
    }
}

// A conjunction whose conjuncts are all C1 is C1: A ⊑ ∃r.C1, C1 ⊑ C2 and
// ∃r.C2 ⊑ B give A ⊑ B, which needs all three axioms; C1 ⊑ C2 is a told
// axiom of the deductions table. A ⊑ C2 does not follow.
TEST_F(ClassifierQueries, ConjunctionOfOneConceptIsThatConcept)
{
    const std::string rest = "(implies A (some r C1))\n(implies (some r C2) B)\n";
    const TextPattern toldC1C2("(^|\n)[0-9]+ \\(implies C1 C2 \\)\n");
    for (const char* first : {"(implies (and C1 C1) C2)", "(implies (and (and C1 C1) C1) C2)",
                              "(implies (and C1 (and C1 C1)) C2)", "(equivalent (and C1 C1) C2)",
                              "(equivalent C2 (and C1 (and C1 C1)))"}) {
        SCOPED_TRACE(first);
        const std::string ontology = std::string(first) + "\n" + rest;
        ProcessResult r = ask(ontology, "(subsumes? B A)\n(subsumes? C2 A)\n", {"-s", "-z=" + dir.path("table")});
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, "U\nSAT\n");
        EXPECT_TRUE(toldC1C2.occursIn(dir.read("table"))) << dir.read("table");
    }
    ProcessResult r = ask("(implies (and C1 C1) C2)\n" + rest, "(subsumes? B A)\n");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(pinpointedAnswers(r.out), (std::vector<std::string>{"U {1,2,3}"}));
}

TEST_F(ClassifierQueries, DimacsRouteAppendsUnitsAndAnswersSat)
{
    const std::string queries = "(subsumes? C A)\n(subsumes? A C)\n";
    // Selectors 1 and 2 once, then A (6) true and C (8) false, then the
    // reverse; the header stream gets the selector count, then a pair per
    // query over the encoding's clauses, the two selector units and that
    // query's two units.
    ProcessResult r = classify({"-i=" + dir.write("chain.krss", kChain), "-q=" + dir.write("queries", queries),
                                "-o=" + dir.path("body")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "SAT\nSAT\n");
    EXPECT_EQ(dir.read("body"), kChainBody + "1 0\n2 0\n6 0\n-8 0\n8 0\n-6 0\n");
    // On standard error the header lines fall between the timing lines as
    // they are written: each query's pair before its timing line.
    EXPECT_EQ(maskTimes(r.err), phases(kChainHeader) +
                                    "c axioms 2 deduced 0\n" + kPreprocessing +
                                    "c axioms 0 deduced 2\np cnf 8 10\nS [1]: T\n"
                                    "c axioms 0 deduced 2\np cnf 8 10\nS [2]: T\n" +
                                    kTotal);

    // Without pinpointing there are no selectors: A is 3 and C is 5.
    r = classify({"-i=" + dir.path("chain.krss"), "-q=" + dir.path("queries"), "-s", "-o=" + dir.path("body"),
                  "-h=" + dir.path("header")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "SAT\nSAT\n");
    EXPECT_EQ(dir.read("body"), kChainBodyWithoutPinpointing + "3 0\n-5 0\n5 0\n-3 0\n");
    EXPECT_EQ(dir.read("header"), kChainHeaderWithoutPinpointing +
                                      "c axioms 0 deduced 2\np cnf 5 7\n"
                                      "c axioms 0 deduced 2\np cnf 5 7\n");
}

// The prompt is written when the queries come from standard input and the
// in-process solver answers them, once at the start and once after each
// answer, whether standard input is a pipe or a terminal; never with the
// DIMACS writer, and never for queries from a file.
class ClassifierPrompt : public ClassifierQueries, public ::testing::WithParamInterface<bool> {
protected:
    // The classifier with its standard input (and output) on a terminal when
    // the case says so, else on pipes.
    ProcessResult run(const std::vector<std::string>& arguments, const std::string& typed)
    {
        return GetParam() ? classifyInTerminal(arguments, typed) : classify(arguments, typed);
    }
};

TEST_P(ClassifierPrompt, OnlyForTheInProcessSolverOnStandardInput)
{
    const std::string ontology = dir.write("one.krss", kOneAxiom);
    const std::string typed = "(subsumes? B A)\n(subsumes? A B)\n";
    ProcessResult r = run({"-i=" + ontology, "-q", "-m", "-h=" + dir.path("h")}, typed);
    EXPECT_EQ(r.out, kPrompt + "U\n1 \n" + kPrompt + "SAT\n" + kPrompt);
    EXPECT_EQ(maskTimes(r.err), phases() + kPreprocessing + queryLines(2) + kTotal);
    EXPECT_EQ(r.status, 0);

    r = run({"-i=" + ontology, "-q", "-o=" + dir.path("body"), "-h=" + dir.path("h")}, typed);
    EXPECT_EQ(r.out, "SAT\nSAT\n");
    EXPECT_EQ(r.status, 0);

    r = run({"-i=" + ontology, "-q=" + dir.write("queries", typed), "-m", "-h=" + dir.path("h")}, typed);
    EXPECT_EQ(r.out, "U\n1 \nSAT\n");
    EXPECT_EQ(r.status, 0);
}

INSTANTIATE_TEST_SUITE_P(ClassifierQueries, ClassifierPrompt, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "InATerminal" : "ThroughAPipe");
                         });

TEST_F(ClassifierQueries, QuitEndsTheRunAtOnceWithSuccess)
{
    // No total time line after quit, and nothing after it is read.
    ProcessResult r = ask(kOneAxiom, "(subsumes? B A)\nquit\n(subsumes? A B)\n(subsumes? Unknown A)\n");
    EXPECT_EQ(r.out, "U\n1 \n");
    EXPECT_EQ(maskTimes(r.err), phases() + kPreprocessing + queryLines(1));
    EXPECT_EQ(r.status, 0);

    r = ask(kOneAxiom, "((quit))\n(subsumes? B A)\n");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(maskTimes(r.err), phases() + kPreprocessing);
    EXPECT_EQ(r.status, 0);

    r = classify({"-i=" + dir.path("ontology.krss"), "-q", "-m", "-h=" + dir.path("header")},
                 "(subsumes? B A)\nquit\n");
    EXPECT_EQ(r.out, kPrompt + "U\n1 \n" + kPrompt);
    EXPECT_EQ(r.status, 0);

    // The DIMACS route keeps the units of the queries before quit.
    r = classify({"-i=" + dir.path("ontology.krss"), "-q=" + dir.write("q", "(subsumes? B A)\nquit\n"),
                  "-o=" + dir.path("body"), "-h=" + dir.path("header")});
    EXPECT_EQ(r.out, "SAT\n");
    EXPECT_EQ(dir.read("body"), kOneAxiomBody + "1 0\n4 0\n-5 0\n");
    EXPECT_EQ(r.status, 0);
}

// Answers or units that could not be written make the run fail, also when
// "quit" ends it from inside the query loop.
TEST_F(ClassifierQueries, OutputThatCannotBeWrittenIsAnErrorAlsoAfterQuit)
{
    dir.write("one.krss", kOneAxiom);
    for (const std::string queries : {"(subsumes? B A)\n", "(subsumes? B A)\nquit\n"}) {
        dir.write("queries", queries);
        ProcessResult r = classifyThroughShell(dir.dir, {"-i=one.krss", "-q=queries", "-m", "-h=header"}, ">/dev/full");
        EXPECT_EQ(r.status, 255) << queries;
        EXPECT_NE(r.err.find("[Main] Can not write the standard output\n"), std::string::npos) << queries << r.err;

        r = classify({"-i=" + dir.path("one.krss"), "-q=" + dir.path("queries"), "-o=/dev/full", "-h=/dev/null"});
        EXPECT_EQ(r.status, 255) << queries;
        EXPECT_NE(r.err.find("[Main] Can not write the output file: '/dev/full'\n"), std::string::npos)
            << queries << r.err;
    }
}

TEST_F(ClassifierQueries, EmptyQueryInputAnswersNothing)
{
    ProcessResult r = ask(kOneAxiom, "");
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(maskTimes(r.err), phases() + kPreprocessing + kTotal);
    EXPECT_EQ(r.status, 0);

    r = ask(kOneAxiom, ";; only a comment\n", {"-s"});
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(maskTimes(r.err), phases() + kTotal);
    EXPECT_EQ(r.status, 0);
}

// Query errors end the run; the answers before them stay.
TEST_F(ClassifierQueries, QueryErrorsEndTheRunWithTheirDiagnostic)
{
    const std::string context = "[Queries on primitive concepts. - ";
    const std::string totals = " --- 1 errors and 0 warnings detected.\n";
    const std::string ontology = "(implies A B)\n(define-primitive-concept Lonely)\n(implies D (some r E))\n";
    struct Case {
        std::string queries;
        std::string answers;
        std::string diagnostic;
    };
    const std::vector<Case> cases = {
        {"(subsumes? B A)\n(subsumes? X A)\n", "U\n1 \n",
         "Parser] ERROR! Line 2: Invalid query (X is not an existing primitive concept). See line: 2\n"},
        // The name is looked up as soon as it is read: the line is its own.
        {"(subsumes? B\nX)\n", "",
         "Parser] ERROR! Line 2: Invalid query (X is not an existing primitive concept). See line: 2\n"},
        // Declared, but in no axiom: not part of the normal form.
        {"(subsumes? Lonely A)\n", "",
         "Parser] ERROR! Line 1: Invalid query (Lonely is not an existing primitive concept). See line: 1\n"},
        {"(subsumes? A)\n", "", "Parser] ERROR! Line 1: syntax error near token ')'\n"},
        {"(subsumes? A B D)\n", "", "Parser] ERROR! Line 1: syntax error near token 'D'\n"},
        {"(subsumes? (some r E) D)\n", "", "Parser] ERROR! Line 1: syntax error near token '('\n"},
        {"(subsumes A B)\n", "", "Parser] ERROR! Line 1: syntax error near token 'subsumes'\n"},
        {"(subsumes? B A)\n(subsumes? B A\n", "U\n1 \n", "Parser] ERROR! Line 3: syntax error\n"},
        {"(subsumes? B A) $\n", "U\n1 \n",
         "Lexer] ERROR! Line 1: Unrecognized token: '$' (or no new line before end of file)\n"},
    };
    for (const Case& c : cases) {
        ProcessResult r = ask(ontology, c.queries);
        EXPECT_EQ(r.out, c.answers) << c.queries;
        const std::string expected = context + c.diagnostic + totals;
        ASSERT_GE(r.err.size(), expected.size()) << c.queries << r.err;
        EXPECT_EQ(r.err.substr(r.err.size() - expected.size()), expected) << c.queries;
        EXPECT_EQ(r.err.find("TOTAL TIME"), std::string::npos) << c.queries;
        EXPECT_EQ(r.status, 255) << c.queries;
    }
}

} // namespace
} // namespace classifier_e2e
