#ifndef KORVANE_TESTS_PARSERS_ENCODINGTESTSUPPORT_H
#define KORVANE_TESTS_PARSERS_ENCODINGTESTSUPPORT_H

#include <functional>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "reasoner/Encoder.h"
#include "reasoner/TBox.h"
#include "support/LoadedModel.h"
#include "support/SatisfiableEncoder.h"

class HornClauseTie;

namespace korvane_test {

using Clause = std::vector<long>;

// One of the three readers of a stored encoding: runs its grammar over
// `text` (any bytes) read from a file and returns the parser's result.
using EncodingParse = std::function<int(const std::string& text)>;
int parseEncoding(const std::string& text);
int parseEncodingForPinpointing(const std::string& text);
// The reader for pinpointing with the tie given in place of the tie by
// position.
int parseEncodingForPinpointing(const std::string& text, HornClauseTie& tie);
int parseSimpleEncoding(const std::string& text);

// The diagnostics of the readers as the collector prints them ("Input
// Encoding" context), as literal regular expressions: a fatal error with the
// totals line, and a warning.
std::string encodingError(const std::string& module, int line, const std::string& message, int warnings = 0);
std::string encodingWarning(int line, const std::string& message);

// A clause sink that records every clause and every end of an encoding.
class RecordingEncoder : public SatisfiableEncoder {
public:
    struct End {
        unsigned long variables, clauses, axiomClauses, deducedClauses;
        bool operator==(const End& o) const
        {
            return variables == o.variables && clauses == o.clauses && axiomClauses == o.axiomClauses &&
                   deducedClauses == o.deducedClauses;
        }
    };

    bool addClause(const LiteralList* literals, const KindList*, unsigned) override
    {
        if (literals == nullptr || literals->empty())
            return false;
        clauses.emplace_back(literals->begin(), literals->end());
        return true;
    }
    bool endEncoding(bool, unsigned long variables, unsigned long clauseCount, unsigned long axiomClauses,
                     unsigned long deducedClauses) override
    {
        ends.push_back({variables, clauseCount, axiomClauses, deducedClauses});
        return true;
    }

    std::vector<Clause> clauses;
    std::vector<End> ends;
};

// A test whose reader hands its clauses to a recording sink.
class RecordingReaderTest : public LoadedModelTest {
protected:
    void SetUp() override
    {
        LoadedModelTest::SetUp();
        TBox::CNF_SAT_Encoder = &encoder;
    }
    void TearDown() override { TBox::CNF_SAT_Encoder = nullptr; }

    RecordingEncoder encoder;
};

// Input that all three readers reject alike: the text, and the diagnostic
// it ends with (module, line, message).
struct RejectedEncoding {
    const char* name;
    std::string text;
    const char* module;
    int line;
    std::string message;
};
extern const std::vector<RejectedEncoding> rejectedByEveryReader;
// Input that the two readers that copy an encoding reject alike, where they
// hold to the last problem line and the encoding reader to the largest.
extern const std::vector<RejectedEncoding> rejectedByTheCopyingReaders;
inline void PrintTo(const RejectedEncoding& c, std::ostream* out)
{
    *out << c.name;
}

// An encoding written by the DIMACS writer over several passes of a small
// terminology, with what each pass handed to it.
struct WrittenEncoding {
    struct Pass {
        std::vector<Clause> clauses;
        unsigned long axiomClauses = 0;
        unsigned long deducedClauses = 0;
    };
    std::string header;
    std::string body;
    std::vector<Pass> passes;
    // The counts of the last problem line written.
    unsigned long variables = 0;
    unsigned long clauseCount = 0;

    // The stored encoding: the header text, then the body text.
    std::string joined() const { return header + body; }
};

// One step of a writing run: axioms added (ontology text, normalised and
// encoded in this pass; none for a pass of deductions only), the derived
// subsumptions encoded in this pass (by concept name, "A+E" for the
// conjunction of A and E), and a query (sub, super) asked after the pass
// when the names are not empty.
struct WritingStep {
    std::string axioms;
    std::vector<std::pair<std::string, std::string>> deduced;
    std::pair<std::string, std::string> query;
};
struct WritingRun {
    const char* name;
    std::vector<WritingStep> steps;
};
extern const std::vector<WritingRun> writingRuns;
inline void PrintTo(const WritingRun& run, std::ostream* out)
{
    *out << run.name;
}

// Runs the steps through the terminology into a DIMACS writer.
WrittenEncoding writeEncoding(const WritingRun& run);

} // namespace korvane_test

#endif
