// Runs of the pinpoint-encoder: the pinpointing encoding it writes, the axioms
// information, the answers with the axioms they rest on, and the encodings it
// refuses because they do not match their pinpointing information.
//
// The inputs are written by hand from small terminologies. Still to come:
// runs on the encodings, pinpointing information and maps that the
// incremental-classifier writes for the same terminologies.

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "PinpointEncoderProcess.h"
#include "support/PeerInstalled.h"
#include "support/PeerSolver.h"
#include "support/SanitizedBuild.h"

namespace pinpoint_encoder_e2e {
namespace {

const std::string kChainQueries = "(subsumes? D A)\n(subsumes? C B)\n(subsumes? A D)\n(subsumes? B A)\n"
                                  "(subsumes? D B)\n(subsumes? A A)\n";
// By the four axioms: A ⊑ D rests on 1, 3, 4; B ⊑ C on 3; D ⊑ A does not
// hold; A ⊑ B rests on 1; B ⊑ D on 3, 4; A ⊑ A on nothing.
const std::vector<Answer> kChainAnswers = {{true, {1, 3, 4}}, {true, {3}}, {false, {}},
                                           {true, {1}},       {true, {3, 4}}, {true, {}}};
// The variables of the queries' concepts (sub, super): B ⊑ A is (subsumes? A B).
const std::vector<std::pair<int, int>> kChainQueryVariables = {{3, 6}, {4, 5}, {6, 3}, {3, 4}, {4, 6}, {3, 3}};

// The chain's pinpointing encoding from `pinpointing`, with the header and the
// axioms information written to their files.
ProcessResult chainEncoding(const Files& files, const std::string& pinpointing,
                            const std::vector<std::string>& more = {}, const ProcessSetup& setup = {})
{
    std::vector<std::string> arguments = {kProgram, "-i=" + files.write("enc", kChainEncoding),
                                          "-p=" + files.write("pin", pinpointing), "-h=" + files.path("header"),
                                          "-a=" + files.path("axioms")};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return runProgramWith(arguments, setup);
}

// The in-process solver's answers to `queries` over the files that
// chainEncoding wrote.
ProcessResult chainAnswers(const Files& files, const std::string& queries, const std::vector<std::string>& more = {},
                           const ProcessSetup& setup = {})
{
    std::vector<std::string> arguments = {kProgram, "-m", "-i=" + files.path("enc"), "-p=" + files.path("pin"),
                                          "-h=" + files.path("header"), "-q=" + files.write("q", queries),
                                          "-v=" + files.write("map", kChainMap)};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return runProgramWith(arguments, setup);
}

TEST(PinpointEncoderRun, WritesThePinpointingEncodingWithTheHeaderOnStandardError)
{
    Files files;
    ProcessResult r = pinpointEncode({"-i=" + files.write("enc", kChainEncoding),
                                      "-p=" + files.write("pin", kChainPinpointing)});
    EXPECT_EQ(r.out, kChainPinpointingBody);
    EXPECT_EQ(maskTimes(r.err), kPinpointingInfoTime + kChainPinpointingHeader + kEncodingTime + kTotal);
    EXPECT_EQ(r.status, 0);
}

TEST(PinpointEncoderRun, WritesTheHeaderAndTheAxiomsInformationToTheirFiles)
{
    Files files;
    ProcessResult r = chainEncoding(files, kChainPinpointing, {"-o=" + files.path("body")});
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(maskTimes(r.err), kPinpointingInfoTime + kEncodingTime + kTotal);
    EXPECT_EQ(files.read("header"), kChainPinpointingHeader);
    EXPECT_EQ(files.read("body"), kChainPinpointingBody);
    // Largest index 4, largest original number 4, 4 axiom records, offset 6.
    EXPECT_EQ(files.read("axioms"), "4 4 4 6 N\n1 7 0\n2 8 0\n3 9 0\n4 10 0\n");
    EXPECT_EQ(r.status, 0);
}

TEST(PinpointEncoderRun, AnswersWithTheAxiomsEachAnswerRestsOn)
{
    Files files;
    for (const std::string mode : {"-m", "-u"}) {
        std::vector<std::string> arguments = {"-m", "-i=" + files.write("enc", kChainEncoding),
                                              "-p=" + files.write("pin", kChainPinpointing),
                                              "-q=" + files.write("q", kChainQueries),
                                              "-v=" + files.write("map", kChainMap)};
        if (mode == "-u")
            arguments.push_back("-u");
        ProcessResult r = pinpointEncode(arguments);
        EXPECT_EQ(answers(r.out), kChainAnswers) << mode << "\n" << r.out;
        EXPECT_EQ(maskTimes(r.err), kPinpointingInfoTime + kChainPinpointingHeader + kEncodingTime + kMapTime +
                                        "QUERIES PREPROCESSING (CPU-sec): T\nS [1]: T\nS [2]: T\nS [3]: T\n"
                                        "S [4]: T\nS [5]: T\nS [6]: T\n" +
                                        kTotal)
            << mode;
        EXPECT_EQ(r.status, 0);
    }
}

TEST(PinpointEncoderRun, TheDimacsWriterAnswersEveryQuerySatAndAppendsItsUnits)
{
    Files files;
    ProcessResult r = pinpointEncode({"-i=" + files.write("enc", kChainEncoding),
                                      "-p=" + files.write("pin", kChainPinpointing),
                                      "-q=" + files.write("q", "(subsumes? D A)\n"),
                                      "-v=" + files.write("map", kChainMap), "-o=" + files.path("body")});
    EXPECT_EQ(r.out, "SAT\n");
    // The four assumption units before the first query, then its two units.
    EXPECT_EQ(files.read("body"), kChainPinpointingBody + "7 0\n8 0\n9 0\n10 0\n3 0\n-6 0\n");
    EXPECT_EQ(r.status, 0);
}

// Concepts of the map that the encoding does not hold, E (under bottom
// only) and F (a filler), are under nothing but themselves: their
// variables are not the assumption variables 7 to 10.
TEST(PinpointEncoderRun, AConceptThatTheEncodingDoesNotHoldGetsAVariableOfItsOwn)
{
    Files files;
    ProcessResult r =
        pinpointEncode({"-m", "-i=" + files.write("enc", kChainEncoding), "-p=" + files.write("pin", kChainPinpointing),
                        "-q=" + files.write("q", "(subsumes? E A)\n(subsumes? F B)\n(subsumes? E E)\n"),
                        "-v=" + files.write("map", kChainMap + "(implies *bottom* E)\n(implies (some r F) *top*)\n")});
    EXPECT_EQ(answers(r.out), (std::vector<Answer>{{false, {}}, {false, {}}, {true, {}}})) << r.out;
    EXPECT_EQ(r.status, 0);
}

TEST(PinpointEncoderRun, QuitEndsTheRunWithoutTheTotalTime)
{
    Files files;
    ProcessResult r = pinpointEncode({"-m", "-i=" + files.write("enc", kChainEncoding),
                                      "-p=" + files.write("pin", kChainPinpointing),
                                      "-q=" + files.write("q", "(subsumes? B A)\nquit\n(subsumes? D A)\n"),
                                      "-v=" + files.write("map", kChainMap)});
    EXPECT_EQ(r.out, "U\n1 \n");
    EXPECT_EQ(maskTimes(r.err), kPinpointingInfoTime + kChainPinpointingHeader + kEncodingTime + kMapTime +
                                    "QUERIES PREPROCESSING (CPU-sec): T\nS [1]: T\n");
    EXPECT_EQ(r.status, 0);
}

TEST(PinpointEncoderRun, AnOutputThatCannotBeWrittenFailsTheRun)
{
    Files files;
    ProcessResult r = pinpointEncode({"-i=" + files.write("enc", kChainEncoding),
                                      "-p=" + files.write("pin", kChainPinpointing), "-o=/dev/full"});
    EXPECT_EQ(maskTimes(r.err), kPinpointingInfoTime + kChainPinpointingHeader + kEncodingTime + kTotal +
                                    "[Main] Can not write the output file: '/dev/full'\n");
    EXPECT_EQ(r.status, 255);
}

// --- The chain's axioms numbered otherwise: the pinpointing encoding and the
// axioms information written, then the in-process solver's answers, in
// bounded time and memory.

struct NumberingCase {
    const char* name;
    std::string pinpointing;
    std::vector<std::string> options;
    std::string body;
    std::string header;
    std::string axioms;
    std::string queries;
    std::vector<Answer> answers;
};

class ChainNumbering : public ::testing::TestWithParam<NumberingCase> {};

TEST_P(ChainNumbering, GivesTheEncodingTheAxiomsInformationAndTheAnswers)
{
    const NumberingCase& c = GetParam();
    Files files;
    ProcessSetup setup;
    setup.timeLimitSeconds = 2;
    if (!sanitizedBuild())
        setup.memoryLimitBytes = 256ul << 20;
    ProcessResult written = chainEncoding(files, c.pinpointing, c.options, setup);
    EXPECT_EQ(written.out, c.body);
    EXPECT_EQ(files.read("header"), c.header);
    EXPECT_EQ(files.read("axioms"), c.axioms);
    EXPECT_EQ(written.status, 0) << written.err;

    ProcessResult r = chainAnswers(files, c.queries, c.options, setup);
    EXPECT_EQ(answers(r.out), c.answers) << r.out;
    EXPECT_EQ(r.status, 0) << r.err;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChainNumbering,
    ::testing::Values(
        // By original number: 1 for the first axiom, 2 for the second and
        // third (one input axiom), 0 for the fourth (made by normalisation).
        // The assumption variables are 6 + the original number, 9 (6 + 2 + 1)
        // for the axioms of normalisation; the derivations' control variables
        // follow. The answers name original numbers (0 for normalisation).
        NumberingCase{"OriginalNumberingSharesTheVariablesOfOneInputAxiom",
                      "2 3 1 1 A\n2 2 2 2 A\n3 4 3 2 A\n4 5 4 0 A\n"
                      "2 4 3 2 3 S\n2 5 4 2 4 S\n3 5 4 3 4 S\n",
                      {"-g"},
                      "-1 0\n2 0\n-7 -3 4 0\n-8 -4 5 0\n-9 -5 6 0\n"
                      "-10 -3 5 0\n-7 -8 10 0\n"
                      "-11 -3 6 0\n-10 -9 11 0\n"
                      "-12 -4 6 0\n-8 -9 12 0\n",
                      "p cnf 12 11\n",
                      "4 2 4 6 O\n1 7 0\n2 8 0\n3 8 0\n4 9 0\n",
                      "(subsumes? D A)\n(subsumes? C B)\n",
                      {{true, {0, 1, 2}}, {true, {2}}}},
        // C ⊑ D numbered 14444444: its axiom record keeps position 4
        // (control variable 10), the derivations by axiom 4 still use
        // assumption 10, and the control variables follow 6 + 14444444. Only
        // the axioms with a variable have a line: the four records and the
        // index the fourth names. The answers are those over the chain.
        NumberingCase{"AnAxiomIndexFarAboveTheRecordsCostsNoMoreThanTheRecords",
                      "2 3 1 1 A\n2 2 2 2 A\n3 4 3 3 A\n4 5 14444444 4 A\n"
                      "2 4 3 2 3 S\n2 5 4 2 4 S\n3 5 4 3 4 S\n",
                      {},
                      "-1 0\n2 0\n-7 -3 4 0\n-9 -4 5 0\n-10 -5 6 0\n"
                      "-14444451 -3 5 0\n-7 -9 14444451 0\n"
                      "-14444452 -3 6 0\n-14444451 -10 14444452 0\n"
                      "-14444453 -4 6 0\n-9 -10 14444453 0\n",
                      "p cnf 14444453 11\n",
                      "14444444 4 4 6 N\n1 7 0\n2 8 0\n3 9 0\n4 10 0\n14444444 14444450 0\n",
                      kChainQueries,
                      kChainAnswers}),
    [](const auto& info) { return std::string(info.param.name); });

// --- The pinpointing encoding against an independent solver.

std::string withUnits(const std::string& body, int variables, int clauses, const std::vector<int>& units)
{
    std::string cnf = "p cnf " + std::to_string(variables) + " " + std::to_string(clauses + units.size()) + "\n";
    cnf += body;
    for (int u : units)
        cnf += std::to_string(u) + " 0\n";
    return cnf;
}

TEST(PinpointEncoderRun, TheIndependentSolverAgreesWithEveryAnswer)
{
    ASSERT_TRUE(peerInstalled("picosat"));
    Files files;
    const std::vector<std::string> inputs = {"-i=" + files.write("enc", kChainEncoding),
                                             "-p=" + files.write("pin", kChainPinpointing)};
    // The pinpointing encoding as written, and the answers of the solver in process.
    std::vector<std::string> writing = inputs;
    writing.push_back("-h=" + files.path("header"));
    ProcessResult written = pinpointEncode(writing);
    ASSERT_EQ(written.status, 0);
    ASSERT_EQ(files.read("header"), kChainPinpointingHeader);
    std::vector<std::string> querying = inputs;
    querying.insert(querying.end(), {"-m", "-h=" + files.path("header2"), "-q=" + files.write("q", kChainQueries),
                                     "-v=" + files.write("map", kChainMap)});
    std::vector<Answer> given = answers(pinpointEncode(querying).out);
    ASSERT_EQ(given.size(), kChainQueryVariables.size());

    const std::string original = kChainEncoding.substr(kChainEncoding.find("-1 0"));
    for (std::size_t q = 0; q < given.size(); ++q) {
        const int sub = kChainQueryVariables[q].first;
        const int super = kChainQueryVariables[q].second;
        // With every selector true the pinpointing encoding answers as the
        // original one, and as the program did.
        const int expected = runPeerSolver("picosat", withUnits(original, 6, 8, {sub, -super}));
        EXPECT_EQ(expected, given[q].holds ? 20 : 10) << q;
        EXPECT_EQ(runPeerSolver("picosat", withUnits(written.out, 13, 11, {7, 8, 9, 10, sub, -super})), expected)
            << q;
        if (!given[q].holds)
            continue;
        // The axioms of the answer alone, every other selector false, entail it.
        std::vector<int> units = {sub, -super};
        for (int axiom = 1; axiom <= 4; ++axiom)
            units.push_back(given[q].axioms.count(axiom) != 0 ? 6 + axiom : -(6 + axiom));
        EXPECT_EQ(runPeerSolver("picosat", withUnits(written.out, 13, 11, units)), 20) << q;
    }
}

// --- Encodings that do not match their pinpointing information.

struct MismatchCase {
    const char* name;
    std::string encoding;
    std::string pinpointing;
    std::string error;
};

class PinpointEncoderMismatch : public ::testing::TestWithParam<MismatchCase> {};

TEST_P(PinpointEncoderMismatch, IsRefusedWithAnError)
{
    Files files;
    ProcessResult r = pinpointEncode({"-i=" + files.write("enc", GetParam().encoding),
                                      "-p=" + files.write("pin", GetParam().pinpointing),
                                      "-o=" + files.path("body")});
    EXPECT_EQ(maskTimes(r.err), kPinpointingInfoTime + GetParam().error + " --- 1 errors and 0 warnings detected.\n");
    EXPECT_EQ(r.status, 255);
}

const std::string kNotOneClassification =
    " (the encoding and the pinpointing information are not of one classification), Horn clause number: ";

INSTANTIATE_TEST_SUITE_P(
    Inputs, PinpointEncoderMismatch,
    ::testing::Values(
        // The records of B ⊑ C and C ⊑ D swapped: the second clause binds C
        // to B's variable, the third finds C with D's.
        MismatchCase{"RecordsOutOfOrder", kChainEncoding,
                     "2 3 1 1 A\n2 2 2 2 A\n4 5 4 4 A\n3 4 3 3 A\n2 4 3 2 3 S\n2 5 4 2 4 S\n3 5 4 3 4 S\n",
                     "[Input Encoding - Parser] ERROR! Line 7: Horn clause that does not match its record in the "
                     "pinpointing information" +
                         kNotOneClassification + "3\n"},
        // One Horn clause more than the records.
        MismatchCase{"ClauseBeyondTheRecords", "p cnf 6 4\n-1 0\n2 0\n-3 4 0\n-4 5 0\n", "2 3 1 1 A\n",
                     "[Input Encoding - Parser] ERROR! Line 5: Horn clause without a record in the pinpointing "
                     "information" +
                         kNotOneClassification + "2\n"},
        // The derivations' clauses missing from the encoding: found at its
        // end, before the copy ends with its header.
        MismatchCase{"RecordWithoutItsClause", "p cnf 6 5\n-1 0\n2 0\n-3 4 0\n-4 5 0\n-5 6 0\n", kChainPinpointing,
                     "[Input Encoding - Parser] ERROR! Line 7: Record of the pinpointing information without its "
                     "clause in the encoding" +
                         kNotOneClassification + "4\n"}),
    [](const auto& info) { return std::string(info.param.name); });

// --- A derivation that lost a premise.

// A ⊑ ∃r.B (1), B ⊑ C (2), ∃r.C ⊑ D (3): A ⊑ D follows by the existential
// rule from the premises A ⊑ ∃r.B and B ⊑ C, and only its own clause says so.
// Concept ids: A 2, B 3, C 4, D 5, ∃r.B 6, ∃r.C 7; variables: A 3, ∃r.B 4,
// B 5, C 6, ∃r.C 7, D 8.
const std::string kExistentialEncoding = "c axioms 5 deduced 1\np cnf 8 6\n-1 0\n2 0\n-3 4 0\n-5 6 0\n-7 8 0\n"
                                         "-3 8 0\n";
const std::string kExistentialMap = "*bottom* 1\n*top* 2\nA 3\n(some r B) 4\nB 5\nC 6\n(some r C) 7\nD 8\n";
// The premise B ⊑ C written as B ⊑ 9, which no record derived.
const std::string kLostPremisePinpointing = "2 6 1 1 A\n3 4 2 2 A\n7 5 3 3 A\n2 5 3 2 6 3 9 S\n";

// The in-process solver answers the queries over the existential
// terminology with the given pinpointing information; the header goes to a
// file.
ProcessResult existentialRun(const Files& files, const std::string& pinpointing, const std::string& queries,
                             const std::vector<std::string>& more = {})
{
    std::vector<std::string> arguments = {"-m", "-i=" + files.write("enc", kExistentialEncoding),
                                          "-p=" + files.write("pin", pinpointing), "-q=" + files.write("q", queries),
                                          "-v=" + files.write("map", kExistentialMap), "-h=" + files.path("header")};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return pinpointEncode(arguments);
}

TEST(PinpointEncoderRun, AnExistentialDerivationRestsOnBothPremises)
{
    Files files;
    ProcessResult r =
        existentialRun(files, "2 6 1 1 A\n3 4 2 2 A\n7 5 3 3 A\n2 5 3 2 6 3 4 S\n", "(subsumes? D A)\n");
    EXPECT_EQ(answers(r.out), (std::vector<Answer>{{true, {1, 2, 3}}}));
    EXPECT_EQ(r.status, 0);
}

TEST(PinpointEncoderRun, AnAnswerThatRestsOnALostPremiseNamesNoAxioms)
{
    Files files;
    ProcessResult r = existentialRun(files, kLostPremisePinpointing, "(subsumes? D A)\n(subsumes? C B)\n");
    // Without the lost premise the set would be 1 3, which does not entail A ⊑ D:
    // its axiom line is empty.
    EXPECT_EQ(r.out, "U\n\nU\n2 \n");
    EXPECT_EQ(maskTimes(r.err),
              "[Pinpointing Information - Parser] WARNING! Line 4: Couple not found at line: 4\n"
              " --- 1 warnings detected.\n" +
                  kPinpointingInfoTime + kEncodingTime + kMapTime +
                  "QUERIES PREPROCESSING (CPU-sec): T\nS [1]: T\n"
                  "[Queries on primitive concepts. - Parser] WARNING! Line 1: The axioms of this answer are "
                  "unknown: it rests on a derivation that lost a premise of the pinpointing information, query: 1\n"
                  "S [2]: T\n --- 1 warnings detected.\n" +
                  kTotal);
    EXPECT_EQ(r.status, 0);
}

TEST(PinpointEncoderRun, TheAxiomsInformationHoldsTheAssumedControlVariableOfALostPremise)
{
    Files files;
    ProcessResult r =
        existentialRun(files, kLostPremisePinpointing, "(subsumes? D A)\n", {"-a=" + files.path("axioms")});
    EXPECT_EQ(r.out, "U\n\n");
    EXPECT_EQ(r.status, 0);
    // Axioms 1 to 3 are assumed by 9 to 11 (above the eight variables); the
    // derivation's control variable 12 is assumed with them.
    const std::string written = "3 3 3 8 N\n1 9 0\n2 10 0\n3 11 0\n0 12 0\n";
    EXPECT_EQ(files.read("axioms"), written);

    // Read back, the same variables are assumed, 12 as a lost premise.
    r = runProgram({KORVANE_READER_DRIVER_PATH, "axioms-information", files.path("axioms")});
    EXPECT_EQ(r.out, "assumptions: 9 10 11 12\nlost premises: 12\n" + written);
    EXPECT_EQ(r.err, "");
    EXPECT_EQ(r.status, 0);
}

} // namespace
} // namespace pinpoint_encoder_e2e
