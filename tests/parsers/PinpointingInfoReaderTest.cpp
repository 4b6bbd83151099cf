// The pinpointing information read back into the EncodedTBox: one record per
// "A", "B" or "S", every derivation with the record numbers of its premises,
// and what the library's record writers write read back as the same records.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "SideFileTestSupport.h"
#include "support/TestSupport.h"
#include "model/Conjunction.h"
#include "model/ExistentialRestr.h"
#include "model/PrimitiveConcept.h"
#include "model/PrimitiveRole.h"
#include "reasoner/EncodedTBox.h"
#include "reasoner/TBox.h"

using namespace korvane_test;
using ::testing::ExitedWithCode;

namespace {

const char* const kContext = "Pinpointing Information";

// Record n as "A index original", or "B index [premises]" / "S index
// [premises]" with "-" for a record without premises.
std::string describe(const EncodedTBox* e, unsigned long n)
{
    const EncodedTBox::Deduction* d = e->getDeduction(n);
    if (d->isAxiom)
        return "A " + std::to_string(d->index) + " " + std::to_string(d->originalNumber);
    std::string text = std::string(d->inOriginalEncoding ? "S " : "B ") + std::to_string(d->index);
    if (e->premisesOf(n).empty())
        return text + " -";
    for (unsigned long premise : e->premisesOf(n))
        text += " " + std::to_string(premise);
    return text;
}

std::vector<std::string> records()
{
    const EncodedTBox* e = EncodedTBox::getInstance();
    std::vector<std::string> found;
    for (unsigned long n = 1; n <= e->recordCount(); ++n)
        found.push_back(describe(e, n));
    return found;
}

std::string couple(int line)
{
    return diagnostic(kContext, "Parser", "WARNING", line, "Couple not found at line: ", static_cast<unsigned>(line));
}

class PinpointingReader : public LoadedModelTest {};

struct RecordCase {
    const char* title;
    const char* input;
    std::vector<std::string> records;
    std::string stderrText;
};

void PrintTo(const RecordCase& c, std::ostream* out) { *out << c.title; }

class PinpointingRecords : public PinpointingReader, public ::testing::WithParamInterface<RecordCase> {};

TEST_P(PinpointingRecords, AreLoadedInInputOrder)
{
    const RecordCase& c = GetParam();
    ::testing::internal::CaptureStderr();
    int result = parsePinpointingInfo(c.input);
    std::string err = ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(result, 0);
    EXPECT_EQ(records(), c.records);
    EXPECT_EQ(err, c.stderrText);
    EXPECT_TRUE(EncodedTBox::getInstance()->pinpointingLoaded);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PinpointingRecords,
    ::testing::Values(
        RecordCase{"EmptyInput", "", {}, ""},
        RecordCase{"AxiomTwiceIsOneRecordSilently", "1 2 3 4 A\n1 2 3 4 A\n", {"A 3 4"}, ""},
        RecordCase{"TrivialPremisesLeaveNoList", "1 2 1 0 A\n3 2 1 3 3 B\n", {"A 1 0", "B 1 -"}, ""},
        RecordCase{"PremisesUnderTopOrOverBottomLeaveNoListSilently", "2 3 1 0 A\n4 3 1 4 1 0 4 B\n",
                   {"A 1 0", "B 1 -"}, ""},
        RecordCase{"PremiseOfNoEarlierRecordIsWarnedAndDropped", "2 3 1 0 A\n4 3 1 4 2 B\n",
                   {"A 1 0", "B 1 -"}, couple(2) + warningsSummary(1)},
        RecordCase{"PremiseMayNameOnlyAnEarlierLine", "3 2 2 3 4 B\n3 4 1 0 A\n5 2 2 5 5 S\n",
                   {"B 2 -", "A 1 0", "S 2 -"}, couple(1) + warningsSummary(1)},
        RecordCase{"TwoRecordsOnOneLine", "1 2 3 4 A 5 6 7 1 2 B", {"A 3 4", "B 7 1"}, ""},
        RecordCase{"RecordOverSeveralLines", "1 2\n3\n4 A\n5\n6 7 1 2\nS\n", {"A 3 4", "S 7 1"}, ""},
        RecordCase{"ExistentialAndConjunctionPremises",
                   "1 2 1 1 A\n2 3 2 0 A\n4 5 3 1 2 2 3 S\n1 5 4 1 1 1 2 1 2 B\n",
                   {"A 1 1", "A 2 0", "S 3 1 2", "B 4 1 1"}, ""},
        RecordCase{"RepeatedDerivationIsIgnored", "1 2 1 1 A\n3 2 1 3 3 B\n3 2 5 1 2 S\n",
                   {"A 1 1", "B 1 -"}, ""},
        RecordCase{"LeadingZerosAndCarriageReturns", "007 2 01 0 A\r\n0 2 3 007 2 S\r\n", {"A 1 0", "S 3 1"}, ""},
        RecordCase{"LargestAxiomNumbers", "1 2 16777216 16777216 A\n3 2 16777216 1 2 B\n",
                   {"A 16777216 16777216", "B 16777216 1"}, ""}),
    ByTitle());

TEST_F(PinpointingReader, EarlierRecordsAreDropped)
{
    ASSERT_EQ(parsePinpointingInfo("1 2 1 1 A\n3 4 2 2 A\n"), 0);
    ASSERT_EQ(parsePinpointingInfo("5 6 1 1 A\n"), 0);
    EXPECT_EQ(records(), std::vector<std::string>{"A 1 1"});
    EXPECT_EQ(EncodedTBox::getInstance()->findDeductionId(1, 2), 0u);
    EXPECT_EQ(EncodedTBox::getInstance()->findDeductionId(5, 6), 1u);
}

TEST_F(PinpointingReader, CountersFollowTheRecords)
{
    ASSERT_EQ(parsePinpointingInfo("1 2 1 3 A\n2 3 2 0 A\n1 3 5 1 2 2 3 S\n4 3 2 4 4 B\n"), 0);
    const EncodedTBox* e = EncodedTBox::getInstance();
    EXPECT_EQ(e->axiomCount(), 2u);
    EXPECT_EQ(e->savedCount(), 1u);
    EXPECT_EQ(e->boolCount(), 1u);
    EXPECT_EQ(e->largestAxiomIndex(), 5u);
    EXPECT_EQ(e->largestOriginalNumber(), 3u);
}

class PinpointingErrors : public PinpointingReader, public ::testing::WithParamInterface<RejectedSideFile> {};

TEST_P(PinpointingErrors, AreFatalWithOneDiagnostic) { expectRejected(parsePinpointingInfo, GetParam()); }

std::string indexError(const std::string& what, int line)
{
    return what + " greater than 16777216, line: " + std::to_string(line);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PinpointingErrors,
    ::testing::Values(
        RejectedSideFile{"AxiomWithThreeNumbers", "1 2 3 A\n", kContext, "Parser", 1, "syntax error near token 'A'"},
        RejectedSideFile{"DerivationWithoutPremise", "1 2 3 B\n", kContext, "Parser", 1, "syntax error near token 'B'"},
        RejectedSideFile{"OddPremiseNumbers", "1 2 1 0 A\n1 3 1 1 2 4 S\n", kContext, "Parser", 2,
                         "syntax error near token 'S'"},
        RejectedSideFile{"FiveNumbersBeforeA", "1 2 3 4 5 A\n", kContext, "Parser", 1, "syntax error near token 'A'",
                         couple(1)},
        RejectedSideFile{"LetterMissingAtTheEnd", "1 2 3 4 A\n5 6 7 8", kContext, "Parser", 2, "syntax error"},
        RejectedSideFile{"LetterFirst", "A\n", kContext, "Parser", 1, "syntax error near token 'A'"},
        RejectedSideFile{"NegativeIndex", "1 2 -1 4 A\n", kContext, "Lexer", 1, unrecognized("-")},
        RejectedSideFile{"OtherLetter", "1 2 3 4 a\n", kContext, "Lexer", 1, unrecognized("a")},
        RejectedSideFile{"NumberBeyond64Bits", "1 2 3 18446744073709551616 A\n", kContext, "Lexer", 1,
                         "Number out of range: '18446744073709551616'"},
        RejectedSideFile{"AxiomIndexAboveTheBound", "1 2 1 1 A\n1 3 16777217 1 A\n", kContext, "Parser", 2,
                         indexError("Axiom index", 2)},
        RejectedSideFile{"AxiomIndexBeyondTheIntRange", "1 2 2147483648 1 A\n", kContext, "Parser", 1,
                         indexError("Axiom index", 1)},
        RejectedSideFile{"OriginalNumberAboveTheBound", "1 2 1 4294967297 A\n", kContext, "Parser", 1,
                         indexError("Original axiom number", 1)},
        RejectedSideFile{"DerivationIndexAboveTheBound", "1 2 1 1 A\n3 2 16777217 3 3\nB\n", kContext, "Parser", 3,
                         indexError("Axiom index", 3)},
        // A record is done with before anything after it is reported.
        RejectedSideFile{"IndexErrorBeforeALaterSyntaxError", "1 2 1 1 A\n1 3 16777217 1 A\n5 6 7 A\n", kContext,
                         "Parser", 2, indexError("Axiom index", 2)},
        RejectedSideFile{"IndexErrorBeforeALaterUnrecognizedToken", "1 2 16777217 1 A\n\nx\n", kContext, "Parser", 1,
                         indexError("Axiom index", 1)},
        RejectedSideFile{"IndexErrorBeforeALaterNumberBeyond64Bits", "1 2 1 16777217 A\n99999999999999999999\n",
                         kContext, "Parser", 1, indexError("Original axiom number", 1)},
        RejectedSideFile{"LostPremiseBeforeALaterSyntaxError", "1 2 1 1 A\n3 4 1\n5 6 B\n7 8 9 A\n", kContext,
                         "Parser", 4, "syntax error near token 'A'", couple(3)},
        // The premise 7 8 is complete, and warned about, before the
        // character after it is read.
        RejectedSideFile{"LostPremiseOfTheRecordBeingReadBeforeAnUnrecognizedToken", "5 6 1\n7 8\nx\n", kContext,
                         "Lexer", 3, unrecognized("x"), couple(2)}),
    ByTitle());

// A record that waits behind many others to be entered names its own line.
TEST_F(PinpointingReader, ARecordFollowedByManyOthersReportsItsOwnLine)
{
    std::string many;
    for (int k = 0; k < 40; ++k)
        many += "1 2 1 1 A\n";
    ::testing::internal::CaptureStderr();
    ASSERT_EQ(parsePinpointingInfo("1 2 1 1 A\n3 4 1 7 8 B\n" + many), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), couple(2) + warningsSummary(1));
    EXPECT_EXIT(parsePinpointingInfo("1 2 1 1 A\n3 4 16777217 1 A\n" + many), ExitedWithCode(255),
                fatalOutput("", diagnostic(kContext, "Parser", "ERROR", 2, indexError("Axiom index", 2)), 0));
}

// A file of a few megabytes, nearly all digits, so that the ends of the
// blocks it is read in fall inside numbers (of up to 41 digits, leading
// zeros): every record reads as written, and the lines are counted through
// the whole file. Line k (from 1) is record k: an axiom record on an odd
// line, on an even line a derivation from the record just before; the
// derivation on line `lost` names a pair of no record instead.
class LargePinpointingFile : public PinpointingReader {
protected:
    static std::string padded(unsigned long n, std::size_t width)
    {
        std::string digits = std::to_string(n);
        return std::string(width > digits.size() ? width - digits.size() : 0, '0') + digits;
    }

    static std::string text(unsigned long lines, unsigned long lost)
    {
        std::string t;
        for (unsigned long k = 1; k <= lines; k += 2) {
            std::string sub = padded(1000 + k, 10 + k % 32);
            std::string super = padded(7, 1 + k % 41);
            t += sub + " " + super + " 5 9 A\n";
            t += sub + " 8 6 " + (k + 1 == lost ? padded(3, 37) : sub) + " " + super + " S\n";
        }
        return t;
    }

    static std::vector<std::string> expected(unsigned long lines, unsigned long lost)
    {
        std::vector<std::string> r;
        for (unsigned long k = 1; k <= lines; k += 2) {
            r.push_back("A 5 9");
            r.push_back(k + 1 == lost ? "S 6 -" : "S 6 " + std::to_string(k));
        }
        return r;
    }

    static const unsigned long kLines = 140000;
    static const unsigned long kLost = 139998;
};

TEST_F(LargePinpointingFile, ReadsAsWritten)
{
    std::string input = text(kLines, kLost);
    ASSERT_GT(input.size(), 4000000u);
    ::testing::internal::CaptureStderr();
    int result = parsePinpointingInfo(input);
    std::string err = ::testing::internal::GetCapturedStderr();
    ASSERT_EQ(result, 0);
    EXPECT_EQ(records(), expected(kLines, kLost));
    EXPECT_EQ(err, couple(static_cast<int>(kLost)) + warningsSummary(1));
}

TEST_F(LargePinpointingFile, AnErrorAtTheEndHasItsLine)
{
    EXPECT_EXIT(parsePinpointingInfo(text(kLines, kLost) + "x"), ExitedWithCode(255),
                fatalOutput(couple(static_cast<int>(kLost)),
                            diagnostic(kContext, "Lexer", "ERROR", static_cast<int>(kLines) + 1, unrecognized("x")),
                            1));
}

TEST_F(PinpointingReader, AnyInputIsReadOrRejectedWithoutACrash)
{
    const std::vector<std::string> records = {"1", "2", "1", "1", "A", "2", "3", "2", "0", "A", "1", "3", "3",
                                              "1", "2", "2", "3", "S", "1", "4", "4", "1", "1", "1", "3", "B"};
    const std::vector<std::string> alphabet = {"1", "2", "3", "0", "007", "A", "B", "S", "2147483648",
                                               "16777217", "18446744073709551615", "99999999999999999999", "-", "x"};
    // Some of the texts are well formed.
    EXPECT_GT(acceptedWithoutACrash(variedTexts(records, alphabet, 100, 2), parsePinpointingInfo), 0);
}

// --- Round trip through the library's record writers.

class PinpointingRoundTrip : public PinpointingReader {
protected:
    static Concept* withId(Concept* c, uint64_t id)
    {
        c->id = id;
        return c;
    }
    static Concept* named(const char* name, uint64_t id) { return withId(new PrimitiveConcept(name), id); }
};

TEST_F(PinpointingRoundTrip, RecordsOfTheWritersReadBackTheSame)
{
    TBox* tbox = TBox::getInstance();
    MemoryStream written;
    TBox::save_pinpointing_info = true;
    TBox::pinpointing_f = written.get();

    Concept* A = named("A", 7);
    Concept* B = named("B", 8);
    Concept* X = named("X", 11);
    Concept* Y = named("Y", 12);
    Concept* F = named("F", 21);
    Concept* E = withId(new ExistentialRestr(F, new PrimitiveRole(std::string("r"))), 20);
    Concept* C = withId(new Conjunction(X, Y), 30);

    // Records 1 to 3: the axioms A ⊑ B, F ⊑ A and X ⊑ ∃r.F, indexes 1 to 3.
    Axiom ab(A, B, ORIGINAL), fa(F, A, ORIGINAL), xe(X, E, FW_NORMALIZED_AXIOM);
    ab.index = 1;
    ab.originalNumber = 1;
    fa.index = 2;
    fa.originalNumber = 2;
    xe.index = 3;
    for (Axiom* a : {&ab, &fa, &xe})
        tbox->savePinpointingInfoAxiom(a);
    // 4: X ⊑ Y by axiom 4 from X ⊑ ∃r.F (3) and F ⊑ A (2).
    tbox->savePinpointingInfoBinaryExistential(A, Y, {{X, E}}, 4, false);
    // 5: X ⊑ B by axiom 1 from X ⊑ Y (4).
    tbox->savePinpointingInfoImplication(Y, B, {X}, 1, true);
    // 6: X ⊑ A by axiom 5 from X ⊑ X (trivial) and X ⊑ Y (4).
    tbox->savePinpointingInfoConjunction(C, A, {X}, 5, true);
    // 7: F ⊑ Y by the role axiom 6 from F ⊑ A (2).
    tbox->savePinpointingInfoRoleInclusion(A, Y, {F}, 6, false);
    // 8: X ⊑ F by axiom 7 from X ⊑ ∃r.F (3) and F ⊑ A (2).
    tbox->savePinpointingInfoManyBinaryExistential(F, {{{X, 7}, {E, A}}}, true);
    TBox::save_pinpointing_info = false;
    TBox::pinpointing_f = nullptr;

    ::testing::internal::CaptureStderr();
    ASSERT_EQ(parsePinpointingInfo(written.text()), 0) << written.text();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(records(), (std::vector<std::string>{"A 1 1", "A 2 2", "A 3 0", "B 4 3 2", "S 1 4", "S 5 4",
                                                   "B 6 2", "S 7 3 2"}));
    const EncodedTBox* e = EncodedTBox::getInstance();
    EXPECT_EQ(e->findDeductionId(11, 12), 4u);
    EXPECT_EQ(e->findDeductionId(11, 21), 8u);
    EXPECT_EQ(e->largestAxiomIndex(), 7u);
}

} // namespace
