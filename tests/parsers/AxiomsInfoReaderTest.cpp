// The axioms information read back into the EncodedTBox: the header's
// numbers, the assumption variable of every axiom and the numbering mode; and
// every file the library's writer produces read back to the same assumptions.

#include <gtest/gtest.h>

#include <set>
#include <ostream>
#include <string>
#include <vector>

#include "SideFileTestSupport.h"
#include "support/TestSupport.h"
#include "reasoner/EncodedTBox.h"

using namespace korvane_test;
using ::testing::ExitedWithCode;

namespace {

const char* const kContext = "Axioms informations.";

// The assumption variable of every axiom 1 .. largest index.
std::vector<unsigned long> assumptions()
{
    const EncodedTBox* e = EncodedTBox::getInstance();
    std::vector<unsigned long> found;
    for (unsigned long k = 1; k <= e->largestAxiomIndex(); ++k)
        found.push_back(e->assumptionOf(static_cast<long>(k)));
    return found;
}

std::string overload(int line)
{
    return diagnostic(kContext, "Parser", "WARNING", line, "Axiom DIMACS id may overload a concept id, line: ",
                      static_cast<unsigned>(line));
}

std::string beyondTheAxioms(int line)
{
    return diagnostic(kContext, "Parser", "WARNING", line, "Axiom id greater than the axioms' number, line: ",
                      static_cast<unsigned>(line));
}

class AxiomsReader : public LoadedModelTest {};

struct LoadCase {
    const char* title;
    const char* input;
    // largest index, largest original, axiom records, offset
    std::vector<unsigned long> header;
    bool original;
    std::vector<unsigned long> assumptions;
    std::set<unsigned long> assumptionSet;
    std::string stderrText;
};

void PrintTo(const LoadCase& c, std::ostream* out) { *out << c.title; }

class AxiomsInformation : public AxiomsReader, public ::testing::WithParamInterface<LoadCase> {};

TEST_P(AxiomsInformation, IsLoadedAsWritten)
{
    const LoadCase& c = GetParam();
    EncodedTBox::use_original_axiom_index = !c.original;
    ::testing::internal::CaptureStderr();
    int result = parseAxiomsInfo(c.input);
    std::string err = ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(result, 0);
    const EncodedTBox* e = EncodedTBox::getInstance();
    EXPECT_EQ((std::vector<unsigned long>{e->largestAxiomIndex(), e->largestOriginalNumber(), e->axiomCount(),
                                          e->variableOffset()}),
              c.header);
    EXPECT_EQ(EncodedTBox::use_original_axiom_index, c.original);
    EXPECT_EQ(assumptions(), c.assumptions);
    EXPECT_EQ(e->getAssumptionSet(), c.assumptionSet);
    EXPECT_EQ(err, c.stderrText);
    EXPECT_TRUE(e->pinpointingLoaded);
    EXPECT_TRUE(e->axiomsInformationLoaded);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AxiomsInformation,
    ::testing::Values(
        LoadCase{"HeaderAlone", "3 2 2 10 N\n", {3, 2, 2, 10}, false, {0, 0, 0}, {}, ""},
        LoadCase{"ZeroCountsOfAnEncodingWithoutAxioms", "0 0 0 0 N\n", {0, 0, 0, 0}, false, {}, {}, ""},
        LoadCase{"ZeroCountsAmongOthers", "2 0 0 9 N\n1 10 0\n2 11 0\n", {2, 0, 0, 9}, false, {10, 11}, {10, 11},
                 ""},
        LoadCase{"OriginalNumbering", "3 1 2 12 O\n1 13 0\n2 14 0\n3 14 0\n", {3, 1, 2, 12}, true, {13, 14, 14},
                 {13, 14}, ""},
        LoadCase{"OneLineFile", "1 2 3 4 N 1 5 0", {1, 2, 3, 4}, false, {5}, {5}, ""},
        LoadCase{"OverloadingVariableSelectsNoAxiom", "2 1 2 12 N\n1 13 0\n2 12 0\n", {2, 1, 2, 12}, false,
                 {13, 0}, {13}, overload(3) + warningsSummary(1)},
        LoadCase{"AxiomBeyondTheLargestIndexIsDropped", "2 1 2 12 N\n3 13 0\n", {2, 1, 2, 12}, false, {0, 0}, {},
                 beyondTheAxioms(2) + warningsSummary(1)},
        LoadCase{"BothWarningsInOrder", "2 1 2 12 N\n\n3 12 0\n", {2, 1, 2, 12}, false, {0, 0}, {},
                 beyondTheAxioms(3) + overload(3) + warningsSummary(2)},
        LoadCase{"LostPremiseIsAssumedWithTheAxioms", "2 2 2 10 N\n1 11 0\n2 12 0\n0 14 0\n", {2, 2, 2, 10}, false,
                 {11, 12}, {11, 12, 14}, ""},
        LoadCase{"LostPremiseOverloadingAConceptIsNotAssumed", "2 2 2 10 N\n0 10 0\n", {2, 2, 2, 10}, false, {0, 0},
                 {}, overload(2) + warningsSummary(1)}),
    ByTitle());

TEST_F(AxiomsReader, LargestIndexWithinTheBound)
{
    ASSERT_EQ(parseAxiomsInfo("16777216 16777216 1 1 N\n16777216 2 0\n"), 0);
    EXPECT_EQ(EncodedTBox::getInstance()->largestAxiomIndex(), 16777216u);
    EXPECT_EQ(EncodedTBox::getInstance()->assumptionOf(16777216), 2u);
}

TEST_F(AxiomsReader, RecordsOfThePinpointingInformationAreDropped)
{
    EncodedTBox* e = EncodedTBox::getInstance();
    e->insertPinpointingAxiom(1, 2, 1, 1);
    ASSERT_EQ(parseAxiomsInfo("1 1 1 5 N\n1 6 0\n"), 0);
    EXPECT_EQ(e->getDeduction(1), nullptr);
    EXPECT_EQ(e->findDeductionId(1, 2), 0u);
    EXPECT_EQ(e->axiomRecordNumber(1), 0u);
    EXPECT_EQ(e->assumptionOf(1), 6u);
}

TEST_F(AxiomsReader, PinpointedVariablesMapBackToAxioms)
{
    // Without the overloading line, v = 3 would come back as axiom 3 - 5.
    ::testing::internal::CaptureStderr();
    ASSERT_EQ(parseAxiomsInfo("2 2 2 5 N\n1 6 0\n2 3 0\n"), 0);
    ::testing::internal::GetCapturedStderr();
    LiteralList* all = EncodedTBox::getInstance()->getAxiomsAssumptions();
    EXPECT_EQ(std::vector<long>(all->begin(), all->end()), std::vector<long>{6});
    LiteralList* roles = EncodedTBox::getInstance()->convertAssumptionsInAxiomsIds(all);
    EXPECT_EQ(std::vector<long>(all->begin(), all->end()), std::vector<long>{1});
    EXPECT_TRUE(roles->empty());
    delete all;
    delete roles;
}

TEST_F(AxiomsReader, AnAnswerThatRestsOnALostPremiseIsKnownAsSuch)
{
    ASSERT_EQ(parseAxiomsInfo("2 2 2 10 N\n1 11 0\n2 12 0\n0 14 0\n0 13 0\n"), 0);
    const EncodedTBox* e = EncodedTBox::getInstance();
    EXPECT_TRUE(e->restsOnMissingPremise(LiteralList{11, 13}));
    EXPECT_TRUE(e->restsOnMissingPremise(LiteralList{14}));
    EXPECT_FALSE(e->restsOnMissingPremise(LiteralList{11, 12}));
}

// The header is read before the input context starts (context "").
class AxiomsErrors : public AxiomsReader, public ::testing::WithParamInterface<RejectedSideFile> {};

TEST_P(AxiomsErrors, AreFatalWithOneDiagnostic) { expectRejected(parseAxiomsInfo, GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Cases, AxiomsErrors,
    ::testing::Values(
        RejectedSideFile{"EmptyInput", "", "", "Parser", 1, "syntax error"},
        RejectedSideFile{"HeaderWithoutMode", "1 1 1 1\n", "", "Parser", 2, "syntax error"},
        RejectedSideFile{"HeaderWithThreeNumbers", "1 1 1 N\n", "", "Parser", 1, "syntax error near token 'N'"},
        RejectedSideFile{"HeaderWithFiveNumbers", "1 1 1 1 1 N\n", "", "Parser", 1, "syntax error near token '1'"},
        RejectedSideFile{"NumberStartingWithZero", "007 1 1 1 N\n", "", "Parser", 1, "syntax error near token '1'"},
        RejectedSideFile{"AxiomLineNotEndedByZero", "1 1 1 1 N\n1 2\n", kContext, "Parser", 3, "syntax error"},
        RejectedSideFile{"AxiomLineWithThreeNumbers", "1 1 1 1 N\n1 2 3 0\n", kContext, "Parser", 2,
                         "syntax error near token '3'"},
        RejectedSideFile{"LostPremiseWithoutItsVariable", "1 1 1 1 N\n0 0\n", kContext, "Parser", 2,
                         "syntax error near token '0'"},
        RejectedSideFile{"LostPremiseNotEndedByZero", "1 1 1 1 N\n0 2 3 0\n", kContext, "Parser", 2,
                         "syntax error near token '3'"},
        RejectedSideFile{"AssumptionVariableZero", "1 1 1 1 N\n1 0 0\n", kContext, "Parser", 2,
                         "syntax error near token '0'"},
        RejectedSideFile{"SecondHeader", "1 1 1 1 N\n1 1 1 1 N\n", kContext, "Parser", 2,
                         "syntax error near token '1'"},
        RejectedSideFile{"OtherModeLetter", "1 1 1 1 X\n", "", "Lexer", 1, unrecognized("X")},
        RejectedSideFile{"NegativeNumber", "1 1 1 1 N\n-1 2 0\n", kContext, "Lexer", 2, unrecognized("-")},
        RejectedSideFile{"NumberBeyond64Bits", "1 1 1 99999999999999999999 N\n", "", "Lexer", 1,
                         "Number out of range: '99999999999999999999'"},
        RejectedSideFile{"LargestIndexAboveTheBound", "16777217 1 1 1 N\n", "", "Parser", 1,
                         "Axiom index greater than 16777216, line: 1"},
        RejectedSideFile{"LargestOriginalAboveTheBound", "1 18446744073709551615 1 1 O\n", "", "Parser", 1,
                         "Original axiom number greater than 16777216, line: 1"}),
    ByTitle());

TEST_F(AxiomsReader, AnyInputIsReadOrRejectedWithoutACrash)
{
    const std::vector<std::string> information = {"3", "2", "2", "10", "O", "1", "11", "0", "2", "12", "0", "3",
                                                  "13", "0"};
    const std::vector<std::string> alphabet = {"1", "2", "3", "0", "N", "O", "65536", "16777217",
                                               "18446744073709551615", "99999999999999999999", "-", "x"};
    // Some of the texts are well formed.
    EXPECT_GT(acceptedWithoutACrash(variedTexts(information, alphabet, 100, 3), parseAxiomsInfo), 0);
}

// --- Round trips through the library's writer.

struct RoundTripCase {
    const char* title;
    bool original;
    // (index, original number) of the axiom records, in order; then the
    // largest index met in derivations and the variable offset.
    std::vector<std::pair<int, int>> axioms;
    int largestDerivationIndex;
    unsigned long offset;
    // Control variables assumed for derivations that lost a premise.
    std::vector<unsigned long> lostPremises = {};
};

void PrintTo(const RoundTripCase& c, std::ostream* out) { *out << c.title; }

class AxiomsRoundTrip : public AxiomsReader, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(AxiomsRoundTrip, ReadsBackTheAssumptionsWritten)
{
    const RoundTripCase& c = GetParam();
    EncodedTBox::use_original_axiom_index = c.original;
    EncodedTBox written;
    unsigned long concept = 1;
    for (const auto& axiom : c.axioms)
        written.insertPinpointingAxiom(concept++, 1000, axiom.first, axiom.second);
    if (c.largestDerivationIndex > 0)
        written.insertPinpointingBoolClause(1000, 1001, c.largestDerivationIndex, nullptr);
    written.startEncodingPinpointing(c.offset);
    for (unsigned long v : c.lostPremises)
        written.assumeMissingPremise(v);
    std::string text = printed([&written](FILE* out) { written.saveAxiomsAssumptions(out); });

    EncodedTBox::use_original_axiom_index = !c.original;
    ::testing::internal::CaptureStderr();
    ASSERT_EQ(parseAxiomsInfo(text), 0) << text;
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << text;

    const EncodedTBox* e = EncodedTBox::getInstance();
    EXPECT_EQ(EncodedTBox::use_original_axiom_index, c.original);
    EXPECT_EQ(e->largestAxiomIndex(), written.largestAxiomIndex());
    EXPECT_EQ(e->largestOriginalNumber(), written.largestOriginalNumber());
    EXPECT_EQ(e->axiomCount(), written.axiomCount());
    EXPECT_EQ(e->variableOffset(), written.variableOffset());
    EXPECT_EQ(e->axiomAssumptions(), written.axiomAssumptions());
    EXPECT_EQ(e->getAssumptionSet(), written.getAssumptionSet());
    for (unsigned long v : written.getAssumptionSet()) {
        LiteralList pinpointed{static_cast<long>(v)};
        EXPECT_EQ(e->restsOnMissingPremise(pinpointed), written.restsOnMissingPremise(pinpointed)) << v;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, AxiomsRoundTrip,
    ::testing::Values(RoundTripCase{"Numbered", false, {{1, 1}, {2, 2}, {3, 0}}, 5, 40},
                      RoundTripCase{"OriginalNumbersShareVariables", true, {{1, 1}, {2, 1}, {3, 0}, {4, 0}}, 6, 40},
                      RoundTripCase{"NoAxiomsNoVariables", false, {}, 0, 0},
                      RoundTripCase{"NoAxiomsAfterAnEncoding", true, {}, 0, 17},
                      RoundTripCase{"NormalisationOnlyAxioms", true, {{1, 0}, {2, 0}}, 0, 3},
                      RoundTripCase{"LostPremises", false, {{1, 1}, {2, 2}}, 3, 40, {45, 44}},
                      RoundTripCase{"FarIndex", false, {{1, 1}, {16777216, 2}}, 5, 40},
                      RoundTripCase{"FarIndexOriginalNumbering", true, {{1, 1}, {2, 0}}, 16777216, 40}),
    ByTitle());

} // namespace
