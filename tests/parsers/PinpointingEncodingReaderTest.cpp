// The encoding grammar for pinpointing: a stored encoding copied into the
// installed encoder, each Horn clause guarded by the control variable of its
// record and followed by the record's control clause.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "EncodingTestSupport.h"
#include "support/TestSupport.h"
#include "parsers/HornClauseTie.h"
#include "reasoner/EncodedTBox.h"
#include "reasoner/TBox.h"

using namespace korvane_test;
using ::testing::ExitedWithCode;

namespace {

class PinpointingEncodingReader : public RecordingReaderTest {
protected:
    void SetUp() override
    {
        RecordingReaderTest::SetUp();
        encoded = EncodedTBox::getInstance();
        encoded->startPinpointingInfoUpload();
        encoded->pinpointingLoaded = true;
    }

    EncodedTBox* encoded = nullptr;
};

class PinpointingEncodingReaderRejects : public PinpointingEncodingReader,
                                         public ::testing::WithParamInterface<RejectedEncoding> {};

TEST_P(PinpointingEncodingReaderRejects, WithOneFatalDiagnostic)
{
    const RejectedEncoding& c = GetParam();
    EXPECT_EXIT(parseEncodingForPinpointing(c.text), ExitedWithCode(255),
                encodingError(c.module, c.line, c.message));
}

INSTANTIATE_TEST_SUITE_P(SharedSyntax, PinpointingEncodingReaderRejects, ::testing::ValuesIn(rejectedByEveryReader),
                         [](const auto& info) { return std::string(info.param.name); });
INSTANTIATE_TEST_SUITE_P(LastProblemLine, PinpointingEncodingReaderRejects,
                         ::testing::ValuesIn(rejectedByTheCopyingReaders),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(PinpointingEncodingReader, RefusesToRunWithoutPinpointingInformation)
{
    encoded->pinpointingLoaded = false;
    EXPECT_EXIT(parseEncodingForPinpointing("p cnf 2 1\n-1 2 0\n"), ExitedWithCode(255),
                encodingError("Parser", 2, "Missing pinpointing information!"));
    EXPECT_EXIT(parseEncodingForPinpointing(""), ExitedWithCode(255),
                encodingError("Parser", 1, "Missing pinpointing information!"));
}

TEST_F(PinpointingEncodingReader, EmptyInputEndsAnEmptyCopy)
{
    Concept::encoding_id_counter = 6;
    TBox::clauses_counter = 4;
    EXPECT_EQ(parseEncodingForPinpointing(""), 0);
    EXPECT_TRUE(encoder.clauses.empty());
    EXPECT_EQ(encoder.ends, (std::vector<RecordingEncoder::End>{{6, 4, 0, 0}}));
    EXPECT_TRUE(encoded->axiomsInformationLoaded);
    EXPECT_TRUE(TBox::only_loaded);
}

TEST_F(PinpointingEncodingReader, TotalsLinesAreIgnored)
{
    ASSERT_EQ(parseEncodingForPinpointing("c axioms 0 deduced 0\np cnf 3 2\nc axioms 5 deduced 7\n-1 2 0\n3 0\n"),
              0);
    EXPECT_EQ(encoder.clauses, (std::vector<Clause>{{-1, 2}, {3}}));
    // No axiom: the assumption variables end at the declared count.
    EXPECT_EQ(encoder.ends, (std::vector<RecordingEncoder::End>{{3, 2, 0, 0}}));
    EXPECT_EQ(TBox::clauses_counter, 2u);
}

// Records: two axioms (indexes 1 and 2) and one saved derivation over the
// second; 11 declared variables, so the assumption variables are 12 and 13.
TEST_F(PinpointingEncodingReader, HornClausesTakeTheControlOfTheirRecordInOrder)
{
    ASSERT_TRUE(encoded->insertPinpointingAxiom(1, 2, 1, 1));
    ASSERT_TRUE(encoded->insertPinpointingAxiom(3, 4, 2, 2));
    const EncodedTBox::Dependencies premise{2};
    ASSERT_TRUE(encoded->insertPinpointingSavedClause(1, 4, 2, &premise));

    ASSERT_EQ(parseEncodingForPinpointing("p cnf 11 6\n-1 2 0\n5 0\n-3 4 0\n-1 -3 6 0\n-7 8 0\n-9 0\n"), 0);
    EXPECT_EQ(encoder.clauses, (std::vector<Clause>{
                                   {-12, -1, 2},     // first axiom record, no control clause
                                   {5},              // units do not count among the Horn clauses
                                   {-13, -3, 4},     // second axiom record
                                   {-14, -1, -3, 6}, // the saved record gets the next control variable ...
                                   {-13, 14},        // ... and its control clause at once
                                   {-7, 8},          // beyond the records: copied unchanged
                                   {-9},
                               }));
    EXPECT_EQ(encoder.ends, (std::vector<RecordingEncoder::End>{{14, 7, 0, 0}}));
    EXPECT_EQ(TBox::clauses_counter, 7u);

    // The records are dropped; the assumption variables stay for queries.
    EXPECT_EQ(encoded->getDeduction(1), nullptr);
    EXPECT_EQ(encoded->assumptionOf(1), 12u);
    EXPECT_EQ(encoded->assumptionOf(2), 13u);
    EXPECT_TRUE(encoded->axiomsInformationLoaded);
    EXPECT_TRUE(TBox::only_loaded);
}

// A tie that the caller hands over is the one asked: once per Horn clause in
// order (units are not Horn clauses), with the clause's literals, and once at
// the end with the number of Horn clauses; its control guards the clause and
// its control clause follows.
class ScriptedTie : public HornClauseTie {
public:
    Control control(unsigned long k, const LiteralList& hornClause) override
    {
        asked.emplace_back(k, Clause(hornClause.begin(), hornClause.end()));
        Control result;
        if (k == 2) {
            result.variable = 9;
            result.clause = new LiteralList{-5, 9};
        }
        return result;
    }
    void ending(unsigned long hornClauses) override { endings.push_back(hornClauses); }

    std::vector<std::pair<unsigned long, Clause>> asked;
    std::vector<unsigned long> endings;
};

TEST_F(PinpointingEncodingReader, AsksTheTieItIsHanded)
{
    ScriptedTie tie;
    ASSERT_EQ(parseEncodingForPinpointing("p cnf 4 4\n-1 2 0\n3 0\n-2 -3 4 0\n-4 1 0\n", tie), 0);
    EXPECT_EQ(tie.asked, (std::vector<std::pair<unsigned long, Clause>>{{1, {-1, 2}}, {2, {-2, -3, 4}}, {3, {-4, 1}}}));
    EXPECT_EQ(tie.endings, (std::vector<unsigned long>{3}));
    EXPECT_EQ(encoder.clauses, (std::vector<Clause>{{-1, 2}, {3}, {-9, -2, -3, 4}, {-5, 9}, {-4, 1}}));
}

// An encoding of the DIMACS writer read with pinpointing information that
// holds no record: every clause is copied as it is, and the copy ends with
// the declared variables and the clauses copied.
class PinpointingEncodingReaderCopiesBack : public PinpointingEncodingReader,
                                            public ::testing::WithParamInterface<WritingRun> {};

TEST_P(PinpointingEncodingReaderCopiesBack, TheWritersClausesWithoutRecords)
{
    WrittenEncoding written = writeEncoding(GetParam());
    TBox::CNF_SAT_Encoder = &encoder;
    TBox::clauses_counter = 0;
    ASSERT_EQ(parseEncodingForPinpointing(written.joined()), 0);
    EXPECT_EQ(encoder.clauses, readDimacsClauses(written.body));
    EXPECT_EQ(encoder.ends,
              (std::vector<RecordingEncoder::End>{{written.variables, written.clauseCount, 0, 0}}));
}

INSTANTIATE_TEST_SUITE_P(DimacsWriter, PinpointingEncodingReaderCopiesBack, ::testing::ValuesIn(writingRuns),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
