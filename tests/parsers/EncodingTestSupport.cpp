#include "EncodingTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

#include "ParserTestSupport.h"
#include "support/TestSupport.h"
#include "encoders/DimacsEncoder.h"
#include "parsers/HornClauseTie.h"
#include "parsers/el_dimacs_encoding.h"
#include "parsers/el_dimacs_encoding_pinp.h"
#include "parsers/el_dimacs_encoding_simple.h"
#include "reasoner/EncodedTBox.h"
#include "reasoner/TBox.h"
#include "support/LoadedModel.h"

namespace korvane_test {


int parseEncoding(const std::string& text)
{
    return parseFrom(text, encyyin, encyyparse);
}

int parseEncodingForPinpointing(const std::string& text)
{
    // Each Horn clause tied to its record by position.
    HornClauseTie tie;
    return parseEncodingForPinpointing(text, tie);
}

int parseEncodingForPinpointing(const std::string& text, HornClauseTie& tie)
{
    return parseFrom(text, encforpinpyyin, [&tie] { return encforpinpyyparse(tie); });
}

int parseSimpleEncoding(const std::string& text)
{
    return parseFrom(text, simpleencyyin, simpleencyyparse);
}

std::string encodingError(const std::string& module, int line, const std::string& message, int warnings)
{
    return literal("[Input Encoding - " + module + "] ERROR! Line " + std::to_string(line) + ": " + message +
                   "\n --- 1 errors and " + std::to_string(warnings) + " warnings detected.\n");
}

std::string encodingWarning(int line, const std::string& message)
{
    return literal("[Input Encoding - Parser] WARNING! Line " + std::to_string(line) + ": " + message + "\n");
}

namespace {

const std::string H = "c axioms 9 deduced 0\np cnf 9 9\n";
const std::string unrecognized = "' (or no new line before end of file)";

} // namespace

const std::vector<RejectedEncoding> rejectedByEveryReader = {
    {"CharacterOutsideTheTokens", H + "-1 2 0\n-1 x 2 0\n", "Lexer", 4, "Unrecognized token: 'x" + unrecognized},
    {"CommentWithFreeText", "c written by hand\n", "Lexer", 1, "Unrecognized token: 'w" + unrecognized},
    {"UnfinishedAxiomsKeyword", "c ax 1 deduced 0\n", "Lexer", 1, "Unrecognized token: 'a" + unrecognized},
    {"UnfinishedCnfKeyword", "cn 2 1\n", "Lexer", 1, "Unrecognized token: 'n" + unrecognized},
    {"UnfinishedDeducedKeyword", "c axioms 1 deduce 0\n", "Lexer", 1, "Unrecognized token: 'd" + unrecognized},
    {"LineAfterAZeroWithBlanks", H + "1 0 \t\r\n-1 x 2 0\n", "Lexer", 4, "Unrecognized token: 'x" + unrecognized},
    {"NumberWithAPoint", H + "3.5 0\n", "Lexer", 3, "Unrecognized token: '." + unrecognized},
    {"HeaderLineAfterAClause", H + "-1 2 0\np cnf 9 9\n", "Parser", 4, "syntax error near token 'p'"},
    {"TotalsLineAfterAClause", H + "1 0\n\nc axioms 1 deduced 0\n", "Parser", 5, "syntax error near token 'c'"},
    {"ProblemLineWithoutVariables", "p cnf 0 3\n", "Parser", 1, "syntax error near token '0'"},
    {"ProblemLineWithoutClauses", "p cnf 2 0\n", "Parser", 1, "syntax error near token '0'"},
    {"TotalsLineWithoutDeduced", "c axioms 3 0\n", "Parser", 1, "syntax error near token '0'"},
    {"ZeroAlone", H + "0\n", "Parser", 3, "syntax error near token '0'"},
    {"TwoPositiveLiterals", H + "1 2 0\n", "Parser", 3, "syntax error near token '2'"},
    {"OnlyNegativeLiterals", H + "-1 -2 0\n", "Parser", 3, "syntax error near token '0'"},
    {"NegativeAfterPositive", H + "-1 2 -3 0\n", "Parser", 3, "syntax error near token '-'"},
    {"NegativeApartAfterPositive", H + "-1 2 - 3 0\n", "Parser", 3, "syntax error near token '-'"},
    // A literal's token takes the blanks after it; only its digits are shown.
    {"PositiveFollowedByBlanks", H + "1 2 \t\r 0\n", "Parser", 3, "syntax error near token '2'"},
    {"NegativeOfMoreThanTwentyDigitsAfterPositive", H + "1 -123456789012345678901 0\n", "Parser", 3,
     "syntax error near token '-'"},
    {"MinusBeforeZero", H + "-1 -0\n", "Parser", 3, "syntax error near token '0'"},
    {"LeadingZeros", H + "007 0\n", "Parser", 3, "syntax error near token '0'"},
    {"ClauseUnendedAtEndOfInput", H + "-1 2", "Parser", 3, "syntax error"},
    {"ClauseUnendedBeforeFinalNewline", H + "-1 2\n", "Parser", 4, "syntax error"},
    {"MoreVariablesThanTheTextCanCarry", "p cnf 2147483648 1\n", "Parser", 1,
     "Wrong encoding: the number of variables declared in the problem line (header) exceeds 2147483647!"},
    {"VariableCountBeyond64Bits", "p cnf 99999999999999999999 1\n", "Parser", 1,
     "Wrong encoding: the number of variables declared in the problem line (header) exceeds 2147483647!"},
    {"NumberOfMoreThanTwentyDigits", H + "-1 2 0\n-123456789012345678901 0\n", "Lexer", 4,
     "Number beyond 18446744073709551615: '123456789012345678901...'"},
    // The scanner stops at the 21st digit, however long the number goes on.
    {"EndlessNumber", "c axioms " + std::string(1 << 20, '7'), "Lexer", 1,
     "Number beyond 18446744073709551615: '" + std::string(21, '7') + "...'"},
    {"VariableAboveTheDeclaredCount", H + "-1 2 0\n-3 10 0\n", "Parser", 4,
     "Wrong encoding: the number of variables excedes the one declared in the problem line (header)!"},
    {"ClauseBeyondTheDeclaredCount", "c axioms 1 deduced 0\np cnf 3 1\n-1 2 0\n-2 3 0\n", "Parser", 4,
     "Wrong encoding: the number of clauses excedes the one declared in the problem line (header)!"},
};

const std::vector<RejectedEncoding> rejectedByTheCopyingReaders = {
    {"VariableAboveTheLastProblemLine", "p cnf 9 9\np cnf 3 2\n-1 3 0\n-4 1 0\n", "Parser", 4,
     "Wrong encoding: the number of variables excedes the one declared in the problem line (header)!"},
    // The third clause stops the run at its first token, before its
    // variable 9 is looked at.
    {"ClauseBeyondTheLastProblemLine", "p cnf 9 9\np cnf 3 2\n1 0\n2 0\n-9 1 0\n", "Parser", 5,
     "Wrong encoding: the number of clauses excedes the one declared in the problem line (header)!"},
};

// Runs below: every pass of the first one's form is what the writer leaves
// for a terminology (trivial units, GCIs, derived subsumptions), for an
// increment of derived subsumptions only ("c axioms 0"), for an increment of
// GCIs, and for a query (two deduced units).
const std::vector<WritingRun> writingRuns = {
    {"TerminologyThenIncrementsAndAQuery",
     {
         {"(implies A B)\n(implies B (some r C))\n(implies (some r C) D)\n(implies (and A E) F)\n",
          {{"A", "D"}, {"A", "B"}},
          {}},
         {"", {{"B", "D"}, {"A+E", "B"}}, {}},
         {"(implies G A)\n(implies (and G E) H)\n", {{"G", "B"}}, {"G", "D"}},
     }},
    {"UnitsOnlyBlockThenAxioms",
     {
         {"", {}, {}},
         {"(implies A B)\n(implies B C)\n", {{"A", "C"}}, {}},
     }},
    {"EmptyTerminology", {{"", {}, {}}}},
};

namespace {

// Hands everything on to a DIMACS writer and keeps what each pass handed.
class PassRecorder : public Encoder {
public:
    PassRecorder(Encoder* writer, WrittenEncoding* written) : Encoder(nullptr, nullptr, DIMACS), writer(writer),
                                                              written(written) {}

    bool addClause(const LiteralList* literals, const KindList* kinds, unsigned level) override
    {
        if (literals != nullptr && !literals->empty())
            current.clauses.emplace_back(literals->begin(), literals->end());
        return writer->addClause(literals, kinds, level);
    }
    bool endEncoding(bool solve, unsigned long variables, unsigned long clauseCount, unsigned long axiomClauses,
                     unsigned long deducedClauses) override
    {
        endPass(axiomClauses, deducedClauses, variables, clauseCount);
        return writer->endEncoding(solve, variables, clauseCount, axiomClauses, deducedClauses);
    }
    bool checkSatisfiability(long sub, long super, unsigned long variables, unsigned long clauseCount) override
    {
        current.clauses.push_back({sub});
        current.clauses.push_back({-super});
        endPass(0, 2, variables, clauseCount + 2);
        return writer->checkSatisfiability(sub, super, variables, clauseCount);
    }
    bool checkSatisfiability(const LiteralList*, const LiteralList*, unsigned long, unsigned long) override
    {
        throw std::logic_error("not used by the writing runs");
    }
    LiteralList* checkSatisfiabilityAndPinpoint(long, long, const LiteralList*, bool, unsigned long,
                                                unsigned long) override
    {
        throw std::logic_error("not used by the writing runs");
    }
    void preparePinpointing(const LiteralList*) override { throw std::logic_error("not used by the writing runs"); }
    void flushPending() override { writer->flushPending(); }

private:
    void endPass(unsigned long axiomClauses, unsigned long deducedClauses, unsigned long variables,
                 unsigned long clauseCount)
    {
        current.axiomClauses = axiomClauses;
        current.deducedClauses = deducedClauses;
        written->passes.push_back(current);
        current = WrittenEncoding::Pass();
        written->variables = variables;
        written->clauseCount = clauseCount;
    }

    Encoder* writer;
    WrittenEncoding* written;
    WrittenEncoding::Pass current;
};

// A name, or "A+E" for the conjunction of the normal form over A and E.
Concept* resolve(const std::string& name)
{
    std::size_t plus = name.find('+');
    if (plus == std::string::npos)
        return conceptNamed(name);
    std::vector<Concept*> wanted = {conceptNamed(name.substr(0, plus)), conceptNamed(name.substr(plus + 1))};
    std::sort(wanted.begin(), wanted.end());
    for (Concept* c : TBox::getInstance()->normalizedConcepts) {
        std::vector<Concept*> operands = operandsOf(c);
        std::sort(operands.begin(), operands.end());
        if (c->kind == CONJUNCTION && operands == wanted)
            return c;
    }
    throw std::logic_error("no conjunction " + name + " in the normal form");
}

} // namespace

WrittenEncoding writeEncoding(const WritingRun& run)
{
    WrittenEncoding written;
    MemoryStream body;
    MemoryStream header;
    DimacsEncoder writer(body.get(), header.get());
    PassRecorder recorder(&writer, &written);
    Encoder* installed = TBox::CNF_SAT_Encoder;
    TBox::CNF_SAT_Encoder = &recorder;
    TBox* tbox = TBox::getInstance();
    for (const WritingStep& step : run.steps) {
        if (!step.axioms.empty() && parseOntology(step.axioms) != 0)
            throw std::logic_error("the axioms of a writing run do not parse");
        tbox->normalizeTBox();
        // The derived subsumptions stand for a classification: GCIs of a
        // later step are an increment, encoded in a pass of their own.
        TBox::deduction_performed = true;
        auto* deduced = new TBox::DeducedList();
        for (const auto& [sub, super] : step.deduced)
            deduced->emplace_back(resolve(sub), resolve(super));
        delete tbox->deducedAxioms;
        tbox->deducedAxioms = deduced;
        unsigned long variables = 0, clauses = 0;
        tbox->encodeIntoSat(false, &variables, &clauses);
        if (!step.query.first.empty())
            tbox->decideSubsumption(resolve(step.query.first), resolve(step.query.second));
    }
    writer.flushPending();
    TBox::CNF_SAT_Encoder = installed;
    written.body = body.text();
    written.header = header.text();
    return written;
}

} // namespace korvane_test
