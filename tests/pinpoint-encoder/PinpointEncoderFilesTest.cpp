// What the pinpoint-encoder writes for the next reader: the DIMACS text of
// its queries for an independent solver and its axiom numbers under -g; and
// the encodings whose variables the DIMACS text cannot carry, refused before
// anything is written. (Its answers keep an axiom line after every U:
// PinpointEncoderRunTest, a lost premise.)

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "PinpointEncoderProcess.h"
#include "support/PeerInstalled.h"
#include "support/PeerSolver.h"

namespace pinpoint_encoder_e2e {
namespace {

// The encoding, pinpointing information and map: the chain's, or those the
// incremental classifier writes for an ontology (with its options).
std::vector<std::string> inputs(const Files& files, const std::string& ontology,
                                const std::vector<std::string>& classifying = {})
{
    if (ontology.empty())
        return {"-i=" + files.write("enc", kChainEncoding), "-p=" + files.write("pin", kChainPinpointing),
                "-v=" + files.write("map", kChainMap)};
    std::vector<std::string> arguments = {KORVANE_INCREMENTAL_CLASSIFIER_PATH, "-i=" + files.write("o.krss", ontology),
                                          "-o=" + files.path("body"), "-h=" + files.path("header"),
                                          "-p=" + files.path("pin"), "-v=" + files.path("map")};
    arguments.insert(arguments.end(), classifying.begin(), classifying.end());
    EXPECT_EQ(runProgram(arguments).status, 0);
    return {"-i=" + files.write("enc", files.read("header") + files.read("body")), "-p=" + files.path("pin"),
            "-v=" + files.path("map")};
}

ProcessResult run(std::vector<std::string> arguments, const std::vector<std::string>& more)
{
    arguments.insert(arguments.end(), more.begin(), more.end());
    return pinpointEncode(arguments);
}

// --- Each query of the DIMACS route, cut from the text as its problem line
// says (the pinpointing encoding, the assumption units, its own two units),
// is decided by an independent solver as the in-process solver answers it.

struct DimacsQueries {
    const char* name;
    std::string ontology;
    std::string queries;
};
void PrintTo(const DimacsQueries& c, std::ostream* out) { *out << c.name; }

class DimacsQueryText : public ::testing::TestWithParam<DimacsQueries> {};

TEST_P(DimacsQueryText, IsReadByAnIndependentSolver)
{
    ASSERT_TRUE(peerInstalled("picosat"));
    Files files;
    const std::vector<std::string> in = inputs(files, GetParam().ontology);
    const std::string q = "-q=" + files.write("q", GetParam().queries);
    const std::vector<Answer> given = answers(run(in, {q, "-m", "-h=/dev/null"}).out);
    ASSERT_EQ(run(in, {q, "-o=" + files.path("qbody"), "-h=" + files.path("qheader")}).status, 0);
    // The header: the pinpointing encoding's problem line, the count of the
    // assumption units, then a pair per query.
    const std::vector<std::string> header = lines(files.read("qheader"));
    ASSERT_EQ(header.size(), 2 + 2 * given.size());
    unsigned long variables = 0, clauses = 0, assumed = 0;
    ASSERT_EQ(std::sscanf(header[0].c_str(), "p cnf %lu %lu", &variables, &clauses), 2);
    ASSERT_EQ(std::sscanf(header[1].c_str(), "c axioms %lu deduced 0", &assumed), 1);
    const std::vector<std::string> body = lines(files.read("qbody"));
    ASSERT_EQ(body.size(), clauses + assumed + 2 * given.size());
    for (std::size_t k = 0; k < given.size(); ++k) {
        std::string cnf = header[3 + 2 * k] + "\n";
        for (std::size_t i = 0; i < body.size(); ++i)
            if (i < clauses + assumed || (i - clauses - assumed) / 2 == k)
                cnf += body[i] + "\n";
        EXPECT_EQ(runPeerSolver("picosat", cnf), given[k].holds ? 20 : 10) << k << "\n" << cnf;
        if (given.size() == 1) {
            EXPECT_EQ(cnf, header[3] + "\n" + files.read("qbody"));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Roads, DimacsQueryText,
    ::testing::Values(DimacsQueries{"ChainQueryThatHolds", "", "(subsumes? D A)\n"},
                      DimacsQueries{"ChainQueries", "", "(subsumes? D A)\n(subsumes? A D)\n(subsumes? C B)\n"},
                      DimacsQueries{"AnatomyQueries", readFile(KORVANE_EXAMPLES_DIR "/anatomy.krss"),
                                    readFile(KORVANE_EXAMPLES_DIR "/anatomy.queries")}),
    [](const auto& info) { return std::string(info.param.name); });

// --- Declared variables that leave the assumption and control variables no
// room below 2^31: refused before anything is written. A ⊑ B is axiom 1,
// A ⊑ C derived from it with a control variable.

struct Bound {
    const char* name;
    std::string declared;
    bool original;  // -g
    std::string header;  // "" when refused
};
void PrintTo(const Bound& c, std::ostream* out) { *out << c.name; }

class VariableBound : public ::testing::TestWithParam<Bound> {};

TEST_P(VariableBound, IsKeptOrTheEncodingRefused)
{
    Files files;
    ProcessResult r = pinpointEncode(
        {"-i=" + files.write("enc", "p cnf " + GetParam().declared + " 2\n-1 2 0\n-1 3 0\n"),
         "-p=" + files.write("pin", "1 2 1 1 A\n1 3 1 1 2 S\n"), "-o=" + files.path("body"),
         "-h=" + files.path("header"), "-a=" + files.path("axioms"), GetParam().original ? "-g" : ""});
    EXPECT_EQ(files.read("header"), GetParam().header);
    EXPECT_EQ(r.status, GetParam().header.empty() ? 255 : 0) << r.err;
    if (GetParam().header.empty()) {
        EXPECT_EQ(files.read("body") + files.read("axioms"), "");
    }
}

INSTANTIATE_TEST_SUITE_P(Declared, VariableBound,
                         ::testing::Values(Bound{"AssumptionBeyond", "2147483647", false, ""},
                                           Bound{"ControlVariableBeyond", "2147483646", false, ""},
                                           Bound{"LastVariableFits", "2147483645", false, "p cnf 2147483647 3\n"},
                                           // The variable shared by the normal form's axioms comes first.
                                           Bound{"OriginalNumbering", "2147483645", true, ""},
                                           Bound{"OriginalNumberingFits", "2147483644", true, "p cnf 2147483647 3\n"}),
                         [](const auto& info) { return std::string(info.param.name); });

// --- The input axioms of an answer under -g, on the incremental
// classifier's files: the role axioms numbered after the last input axiom,
// an inclusion between two complex concepts by its number.

struct InputAxioms {
    const char* name;
    std::string ontology;
    std::vector<std::string> classifying;
    std::set<long> axioms;
};
void PrintTo(const InputAxioms& c, std::ostream* out) { *out << c.name; }

class InputAxiomNumbers : public ::testing::TestWithParam<InputAxioms> {};

TEST_P(InputAxiomNumbers, NameTheAxiomsOfTheAnswer)
{
    Files files;
    const std::vector<std::string> in = inputs(files, GetParam().ontology, GetParam().classifying);
    ProcessResult r = run(in, {"-m", "-g", "-h=/dev/null", "-q=" + files.write("q", "(subsumes? D A)\n")});
    EXPECT_EQ(answers(r.out), (std::vector<Answer>{{true, GetParam().axioms}})) << r.out;
}

INSTANTIATE_TEST_SUITE_P(
    Road, InputAxiomNumbers,
    ::testing::Values(
        // Three GCIs from four input axioms (the second repeats the first):
        // the role inclusion is 5, not 4.
        InputAxioms{"RoleAxiomAfterTheLastInputAxiom",
                    "(implies A B)\n(implies A B)\n(implies B (some r C))\n(implies (some s C) D)\n"
                    "(role-inclusion r s)\n",
                    {},
                    {1, 3, 4, 5}},
        // With -e the second axiom is cut at one fresh name: the half that
        // ends at its right side is the input axiom, the other half names
        // the left side (0).
        InputAxioms{"ComplexSidesCutAtOneName",
                    "(implies A (some r B))\n(implies (some r B) (some s C))\n(implies (some s C) D)\n",
                    {"-e"},
                    {0, 1, 2, 3}},
        InputAxioms{"ComplexSidesCutAboveAConjunction",
                    "(implies (some r A) (and B (some s C)))\n(implies A (some r A))\n(implies B D)\n",
                    {"-e"},
                    {0, 1, 2, 3}},
        // Named on each side: the link is the input axiom, the naming axioms
        // stem from normalisation (0).
        InputAxioms{"ComplexSidesWithTwoNames",
                    "(implies A (some r B))\n(implies (some r B) (some s C))\n(implies (some s C) D)\n",
                    {},
                    {0, 1, 2, 3}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace pinpoint_encoder_e2e
