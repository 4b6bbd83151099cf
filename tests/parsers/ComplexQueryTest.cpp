// The complex-query language: answers, the phases each query file calls for,
// their timing lines, and the fatal errors.

#include <gtest/gtest.h>

#include <string>

#include "ComplexQueryFixture.h"
#include "encoders/DimacsEncoder.h"
#include "support/TextPattern.h"

using namespace korvane_test;
using ::testing::ExitedWithCode;

namespace {

// A ⊑ B; A ⊑ ∃r.F, F ⊑ G, ∃r.G ⊑ S; H ⊑ ∃r.(B ⊓ F); Q a name used in no axiom.
const char* const Ontology = "(implies A B)\n"
                             "(implies A (some r F))\n"
                             "(implies F G)\n"
                             "(implies (some r G) S)\n"
                             "(implies H (some r (and B F)))\n"
                             "(define-primitive-concept Q)\n";

const char* const Number = "[0-9.e+-]+";

std::string parsingLine(bool normalised)
{
    return std::string("PARSING") + (normalised ? " & NORMALIZATION" : "") + " QUERIES \\(CPU-sec\\): " + Number +
           "\n";
}

std::string solvingLine(int count)
{
    return "SOLVING ALL QUERIES \\[" + std::to_string(count) + "\\] \\(CPU-sec\\): " + Number + "\n";
}

// The standard error of a run: which phases ran, and how many queries.
std::string phases(bool normalised, bool classified, int count)
{
    std::string text = parsingLine(normalised);
    if (classified)
        text += std::string("CLASSIFICATION \\[initialization\\+deduction\\] \\(CPU-sec\\): ") + Number + "\n";
    if (normalised)
        text += std::string("ENCODING \\(CPU-sec\\): ") + Number + "\n";
    return text + solvingLine(count);
}

struct QueryCase {
    const char* name;
    const char* queries;
    const char* answers;
    bool normalised;
    bool classified;
};

const QueryCase QueryCases[] = {
    // Concepts of the normal form only: neither classified nor encoded again.
    {"KnownNames", "(subsumes? B A)\n(subsumes? A B)\n(subsumes? A A)\n", "U\nSAT\nU\n", false, false},
    {"SynonymAndBars", "(?subsumes |B| A)\n", "U\n", false, false},
    {"TopAndBottom", "(subsumes? *top* A)\n(subsumes? A *bottom*)\n(subsumes? *bottom* *top*)\n", "U\nU\nSAT\n",
     false, false},
    {"DerivedByExistentials", "(subsumes? S A)\n(subsumes? S H)\n(subsumes? G A)\n", "U\nU\nSAT\n", false, false},
    // A name the terminology does not know is a new concept without axioms;
    // top and bottom without stars are names too.
    {"UnknownNames", "(subsumes? Unknown A)\n(subsumes? *top* Unknown)\n(subsumes? top bottom)\n",
     "SAT\nU\nSAT\n", false, false},
    {"NameWithoutAxioms", "(subsumes? Q A)\n(subsumes? Q Q)\n", "SAT\nU\n", false, false},
    // New complex concepts: normalised, classified and encoded.
    {"NewConjunctionSubsumee", "(subsumes? A (and B C))\n(subsumes? B (and C A))\n", "SAT\nU\n", true, true},
    {"NewConjunctionSubsumer", "(subsumes? (and B F) A)\n(subsumes? (and B G) (and A F))\n", "SAT\nU\n", true,
     true},
    {"NewExistentialOverAConjunction", "(subsumes? (some r (and F G)) A)\n(subsumes? (some r (and F B)) A)\n",
     "U\nSAT\n", true, true},
    {"NewExistentialSubsumee", "(subsumes? S (some r (and F Q)))\n(subsumes? H (some r (and F Q)))\n",
     "U\nSAT\n", true, true},
    {"NestedAndFlattened", "(subsumes? (some r G) (and H (and Q *top*)))\n(subsumes? (and B *top*) A)\n",
     "U\nU\n", true, true},
    // Concepts of the normal form without a name of their side: naming them
    // adds an inclusion, whose consequences need the classification.
    {"NormalisedExistentialAsSubsumer", "(subsumes? (some r G) A)\n", "U\n", true, true},
    {"NormalisedExistentialAsSubsumee", "(subsumes? S (some r F))\n(subsumes? G (some r F))\n", "U\nSAT\n", true,
     true},
    {"NormalisedConjunctionAsSubsumer", "(subsumes? (some r (and B F)) H)\n(subsumes? (some r G) H)\n", "U\nU\n",
     true, true},
};

class ComplexQueryAnswers : public ComplexQueryFixture, public ::testing::WithParamInterface<QueryCase> {};

TEST_P(ComplexQueryAnswers, AnswersAndPhases)
{
    const QueryCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(load(Ontology));
    const std::string err = ask(c.queries);
    EXPECT_EQ(answers.text(), c.answers);
    int count = 0;
    for (const char* p = c.answers; *p != '\0'; ++p)
        count += *p == '\n';
    EXPECT_TRUE(TextPattern(phases(c.normalised, c.classified, count)).matches(err)) << err;
}

INSTANTIATE_TEST_SUITE_P(Queries, ComplexQueryAnswers, ::testing::ValuesIn(QueryCases),
                         [](const ::testing::TestParamInfo<QueryCase>& info) { return info.param.name; });

TEST_F(ComplexQueryFixture, EmptyFileAndCommentsOnly)
{
    ASSERT_NO_FATAL_FAILURE(load(Ontology));
    for (const char* text : {"", ";; nothing to ask\n\n"}) {
        const std::string err = ask(text);
        EXPECT_TRUE(TextPattern(phases(false, false, 0)).matches(err)) << err;
    }
    EXPECT_EQ(answers.text(), "");
}

TEST_F(ComplexQueryFixture, SecondFileReusesTheNamesOfTheFirst)
{
    ASSERT_NO_FATAL_FAILURE(load(Ontology));
    ask("(subsumes? (some r G) A)\n");
    // The concept has its name now: nothing new to normalise.
    const std::string err = ask("(subsumes? (some r G) A)\n(subsumes? (some r G) B)\n");
    EXPECT_EQ(answers.text(), "U\nU\nSAT\n");
    EXPECT_TRUE(TextPattern(phases(false, false, 2)).matches(err)) << err;
}

TEST_F(ComplexQueryFixture, EachFileThatAddsInclusionsClassifiesAgain)
{
    ASSERT_NO_FATAL_FAILURE(load(Ontology));
    ask("(subsumes? (some r G) A)\n");
    const std::string err = ask("(subsumes? (some r (and G B)) H)\n(subsumes? (some r G) (and A Q))\n");
    EXPECT_EQ(answers.text(), "U\nU\nU\n");
    EXPECT_TRUE(TextPattern(phases(true, true, 2)).matches(err)) << err;
}

TEST_F(ComplexQueryFixture, NonEncodedTerminologyIsWarnedAbout)
{
    // The ontology's input context stays: its two lines were read.
    ASSERT_NO_FATAL_FAILURE(load("(implies A B)\n(implies B C)\n", false));
    const std::string err = ask("");
    EXPECT_TRUE(TextPattern(literal("[Input Problem - Parser] WARNING! Line 3: Trying to query a non-encoded ontology.\n"
                                    " --- 1 warnings detected.\n") +
                            phases(false, false, 0))
                    .matches(err))
        << err;
}

TEST_F(ComplexQueryFixture, NonEncodedTerminologyIsEncodedWithTheNewConcepts)
{
    ASSERT_NO_FATAL_FAILURE(load("(implies A B)\n(implies B C)\n", false));
    const std::string err = ask("(subsumes? (and C B) A)\n");
    EXPECT_EQ(answers.text(), "U\n");
    EXPECT_NE(err.find("non-encoded"), std::string::npos);
}

int lines(const std::string& text, const std::string& line)
{
    int count = 0;
    for (std::size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1))
        count += at == 0 || text[at - 1] == '\n';
    return count;
}

TEST_F(ComplexQueryFixture, DimacsSinkAnswersSatAndReceivesEachClauseOnce)
{
    MemoryStream body, header;
    delete sink;
    TBox::CNF_SAT_Encoder = sink = new DimacsEncoder(body.get(), header.get());
    // BOTTOM 1, TOP 2, A 3, B 4, ∃r.C 5, D 6; the derived B ⊑ D and A ⊑ D
    // are encoded with the terminology.
    ASSERT_NO_FATAL_FAILURE(load("(implies A B)\n(implies B (some r C))\n(implies (some r C) D)\n"));
    ASSERT_EQ(lines(body.text(), "-4 6 0\n"), 1) << body.text();
    ASSERT_EQ(lines(body.text(), "-3 6 0\n"), 1) << body.text();
    // (A ⊓ B) ⊑ X is new (X is 7): the terminology is classified again; B ⊑ D
    // and A ⊑ D, derived again, are not handed over a second time, the new
    // (A ⊓ B) ⊑ D is.
    ask("(subsumes? A A)\n(subsumes? (and A B) A)\n");
    EXPECT_EQ(answers.text(), "SAT\nSAT\n");
    EXPECT_EQ(lines(body.text(), "-4 6 0\n"), 1) << body.text();
    EXPECT_EQ(lines(body.text(), "-3 6 0\n"), 1) << body.text();
    EXPECT_EQ(lines(body.text(), "-3 -4 7 0\n"), 1) << body.text();
    EXPECT_EQ(lines(body.text(), "-3 -4 6 0\n"), 1) << body.text();
}

struct ErrorCase {
    const char* name;
    const char* queries;
    const char* module;
    int line;
    const char* message;
};

const ErrorCase ErrorCases[] = {
    {"Implies", "(implies A B)\n", "Parser", 1, "syntax error, unexpected CONCEPT_INCL, expecting SUBSUMES"},
    {"Equivalent", "(subsumes? A B)\n(equivalent A B)\n", "Parser", 2,
     "syntax error, unexpected CONCEPT_EQUIV, expecting SUBSUMES"},
    {"RoleWords", "(subsumes? A (compose r s))\n", "Parser", 1,
     "syntax error, unexpected ROLE_COMPOSITION, expecting CONJUNCTION or EXIST_REST"},
    {"Transitive", "(transitive r)\n", "Parser", 1, "syntax error, unexpected TRANSITIVE_ROLE, expecting SUBSUMES"},
    {"RoleInclusion", "(subsumes? A B)\n\n(role-inclusion r s)\n", "Parser", 3,
     "syntax error, unexpected ROLE_INCL, expecting SUBSUMES"},
    {"OneOperand", "(subsumes? (and A) B)\n", "Parser", 1,
     "syntax error, unexpected RROUND, expecting LROUND or BAR or PRIMITIVE_CONCEPT or IDENTIFIER"},
    {"NoFiller", "(subsumes? A (some r))\n", "Parser", 1,
     "syntax error, unexpected RROUND, expecting LROUND or BAR or PRIMITIVE_CONCEPT or IDENTIFIER"},
    {"RoleChainInExistential", "(subsumes? A (some (compose r s) B))\n", "Parser", 1,
     "syntax error, unexpected LROUND, expecting BAR or IDENTIFIER"},
    // Five acceptable tokens (the end of the list or a further operand) are
    // too many to list.
    {"FiveExpected", "(subsumes? (and A B and) C)\n", "Parser", 1, "syntax error, unexpected CONJUNCTION"},
    {"TopLevelName", "A\n", "Parser", 1, "syntax error, unexpected IDENTIFIER, expecting $end or LROUND"},
    {"UnfinishedQuery", "(subsumes? A B", "Parser", 1, "syntax error, unexpected $end, expecting RROUND"},
    {"ThreeConcepts", "(subsumes? A B C)\n", "Parser", 1, "syntax error, unexpected IDENTIFIER, expecting RROUND"},
    {"BareSubsumes", "subsumes?\n", "Parser", 1, "syntax error, unexpected SUBSUMES, expecting $end or LROUND"},
    {"Semicolon", "(subsumes? A B)\n; no comment\n", "Lexer", 2,
     "Unrecognized token: ';' (or no new line before end of file)"},
    {"CommentWithoutNewline", "(subsumes? A B)\n;; last", "Lexer", 2,
     "Unrecognized token: ';' (or no new line before end of file)"},
    {"NameStartingWithDash", "(subsumes? A -B)\n", "Lexer", 1,
     "Unrecognized token: '-' (or no new line before end of file)"},
    {"ConceptUsedAsRole", "\n(subsumes? (some A B) C)\n", "Parser", 2,
     "Name 'A' is not used only as type role, see line: 1"},
    {"RoleUsedAsConcept", "(subsumes? r B)\n", "Parser", 1, "Name 'r' is not used only as type concept, see line: 2"},
};

class ComplexQueryErrors : public ComplexQueryFixture, public ::testing::WithParamInterface<ErrorCase> {};

TEST_P(ComplexQueryErrors, EndTheRunWithoutAnswers)
{
    const ErrorCase& c = GetParam();
    ASSERT_NO_FATAL_FAILURE(load(Ontology));
    // Answers would go to standard output; none may precede the error.
    ParserManager::getInstance()->outputFile = stderr;
    EXPECT_EXIT(parseFrom(c.queries, queryyyin, queryyyparse), ExitedWithCode(255),
                "^" + literal(std::string("[Query - ") + c.module + "] ERROR! Line " + std::to_string(c.line) +
                              ": " + c.message + "\n --- 1 errors and 0 warnings detected.\n") +
                    "$");
}

TEST_F(ComplexQueryFixture, NestingBeyondTheParserStack)
{
    ASSERT_NO_FATAL_FAILURE(load(Ontology));
    std::string deep = "(subsumes? A ";
    for (int i = 0; i < 5000; ++i)
        deep += "(some r ";
    EXPECT_EXIT(parseFrom(deep + "\n", queryyyin, queryyyparse), ExitedWithCode(255),
                "^" + literal("[Query - Parser] ERROR! Line 1: memory exhausted\n") + " --- 1 errors");
}

INSTANTIATE_TEST_SUITE_P(Queries, ComplexQueryErrors, ::testing::ValuesIn(ErrorCases),
                         [](const ::testing::TestParamInfo<ErrorCase>& info) { return info.param.name; });

} // namespace
