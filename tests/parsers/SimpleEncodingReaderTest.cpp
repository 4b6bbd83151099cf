// The simple encoding grammar: a stored encoding copied clause by clause into
// the installed encoder, ended with the counts that it declares.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "EncodingTestSupport.h"
#include "support/TestSupport.h"
#include "encoders/DimacsEncoder.h"
#include "reasoner/TBox.h"

using namespace korvane_test;
using ::testing::ExitedWithCode;

namespace {

class SimpleEncodingReader : public RecordingReaderTest {};

class SimpleEncodingReaderRejects : public SimpleEncodingReader,
                                    public ::testing::WithParamInterface<RejectedEncoding> {};

TEST_P(SimpleEncodingReaderRejects, WithOneFatalDiagnostic)
{
    const RejectedEncoding& c = GetParam();
    EXPECT_EXIT(parseSimpleEncoding(c.text), ExitedWithCode(255), encodingError(c.module, c.line, c.message));
}

INSTANTIATE_TEST_SUITE_P(SharedSyntax, SimpleEncodingReaderRejects, ::testing::ValuesIn(rejectedByEveryReader),
                         [](const auto& info) { return std::string(info.param.name); });
INSTANTIATE_TEST_SUITE_P(LastProblemLine, SimpleEncodingReaderRejects, ::testing::ValuesIn(rejectedByTheCopyingReaders),
                         [](const auto& info) { return std::string(info.param.name); });

struct CopyCase {
    const char* name;
    std::string text;
    std::vector<Clause> clauses;
    RecordingEncoder::End end;
};
void PrintTo(const CopyCase& c, std::ostream* out)
{
    *out << c.name;
}

// Before each case 6 variables and 4 clauses are in use.
const std::vector<CopyCase> copyCases = {
    {"EmptyInput", "", {}, {6, 4, 0, 0}},
    {"DeclaredCountsNotTheCopiedOnes", "p cnf 5 3\n-1 2 0\n3 0\n", {{-1, 2}, {3}}, {5, 3, 0, 0}},
    {"TotalsLinesChangeNothing", "c axioms 0 deduced 2\np cnf 5 3\nc axioms 1 deduced 0\n-1 2 0\n3 0\n",
     {{-1, 2}, {3}}, {5, 3, 0, 0}},
    {"LastProblemLineHolds", "p cnf 3 2\np cnf 9 9\n-9 -8 1 0\n", {{-9, -8, 1}}, {9, 9, 0, 0}},
    {"FreeLayout", "p cnf 4 3\n- 3 -\n4 2 0 -1 0 4\n0", {{-3, -4, 2}, {-1}, {4}}, {4, 3, 0, 0}},
};

class SimpleEncodingReaderCopies : public SimpleEncodingReader, public ::testing::WithParamInterface<CopyCase> {};

TEST_P(SimpleEncodingReaderCopies, ClausesThenOneEnd)
{
    const CopyCase& c = GetParam();
    Concept::encoding_id_counter = 6;
    TBox::clauses_counter = 4;
    ASSERT_EQ(parseSimpleEncoding(c.text), 0);
    EXPECT_EQ(encoder.clauses, c.clauses);
    EXPECT_EQ(encoder.ends, std::vector<RecordingEncoder::End>{c.end});
    EXPECT_EQ(TBox::clauses_counter, 4 + c.clauses.size());
    EXPECT_TRUE(TBox::only_loaded);
}

INSTANTIATE_TEST_SUITE_P(Copies, SimpleEncodingReaderCopies, ::testing::ValuesIn(copyCases),
                         [](const auto& info) { return std::string(info.param.name); });

// An encoding of the DIMACS writer, copied into another DIMACS writer: the
// same clauses, and the last problem line's counts.
class SimpleEncodingReaderCopiesBack : public SimpleEncodingReader,
                                       public ::testing::WithParamInterface<WritingRun> {};

TEST_P(SimpleEncodingReaderCopiesBack, TheWritersClauses)
{
    WrittenEncoding written = writeEncoding(GetParam());
    MemoryStream body;
    MemoryStream header;
    DimacsEncoder copy(body.get(), header.get());
    TBox::CNF_SAT_Encoder = &copy;
    ASSERT_EQ(parseSimpleEncoding(written.joined()), 0);
    copy.flushPending();
    EXPECT_EQ(readDimacsClauses(body.text()), readDimacsClauses(written.body));
    EXPECT_EQ(readDimacsClauses(body.text()).size(), written.clauseCount);
    EXPECT_EQ(header.text(),
              "p cnf " + std::to_string(written.variables) + " " + std::to_string(written.clauseCount) + "\n");
}

INSTANTIATE_TEST_SUITE_P(DimacsWriter, SimpleEncodingReaderCopiesBack, ::testing::ValuesIn(writingRuns),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
