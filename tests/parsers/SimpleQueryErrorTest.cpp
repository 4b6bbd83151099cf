// Query input that ends the process: the errors (status 255) and "quit"
// (status 0), with what was written to standard error before.

#include <gtest/gtest.h>

#include <string>

#include "ParserTestSupport.h"
#include "QueryTestSupport.h"
#include "SimpleQueryFixture.h"

using namespace korvane_test;
using ::testing::ExitedWithCode;

namespace {

const char* const Context = "Queries on primitive concepts.";

std::string queryError(const std::string& module, int line, const std::string& message)
{
    return literal(std::string("[") + Context + " - " + module + "] ERROR! Line " + std::to_string(line) + ": " +
                   message + "\n --- 1 errors and 0 warnings detected.\n");
}

std::string invalidName(int line, const std::string& name)
{
    return queryError("Parser", line,
                      "Invalid query (" + name + " is not an existing primitive concept). See line: " +
                          std::to_string(line));
}

std::string syntaxError(int line, const std::string& message)
{
    return queryError("Parser", line, message);
}

std::string unrecognized(int line, const std::string& text)
{
    return queryError("Lexer", line, "Unrecognized token: '" + text + "' (or no new line before end of file)");
}

void parse(const std::string& text)
{
    parseQueries(text);
}

class SimpleQueryErrors : public SimpleQueryFixture {};

TEST_F(SimpleQueryErrors, NonEncodedOntology)
{
    TBox::CNF_SAT_Encoder = sink = new DimacsEncoder(body.get(), header.get());
    // The check comes before the queries' input context is set.
    EXPECT_EXIT(parse("(subsumes? B A)\n"), ExitedWithCode(255),
                "^" + literal("[Parser] ERROR! Line 1: Trying to query a non-encoded ontology.\n"));
}

TEST_F(SimpleQueryErrors, NoSinkInstalled)
{
    encodeWithDimacs();
    TBox::CNF_SAT_Encoder = nullptr;
    EXPECT_EXIT(parse("(subsumes? B A)\n"), ExitedWithCode(255),
                literal("Trying to query a non-encoded ontology.\n"));
}

TEST_F(SimpleQueryErrors, NameOutsideTheNormalForm)
{
    encodeWithDimacs();
    // X is a name of the TBox but of no axiom; Nobody was never seen.
    EXPECT_EXIT(parse("(subsumes? B A)\n\n(subsumes? A\n X)\n"), ExitedWithCode(255),
                "^S \\[1\\]: [^\n]*\n" + invalidName(4, "X") + "$");
    EXPECT_EXIT(parse("(subsumes? |Nobody| A)"), ExitedWithCode(255), invalidName(1, "Nobody"));
}

TEST_F(SimpleQueryErrors, QueriesOfTheWrongShape)
{
    encodeWithDimacs();
    EXPECT_EXIT(parse("(subsumes? A B C)"), ExitedWithCode(255), syntaxError(1, "syntax error near token 'C'"));
    EXPECT_EXIT(parse("(subsumes? (and A B) A)"), ExitedWithCode(255),
                syntaxError(1, "syntax error near token '('"));
    EXPECT_EXIT(parse("(subsumes A B)"), ExitedWithCode(255), syntaxError(1, "syntax error near token 'subsumes'"));
    EXPECT_EXIT(parse("(subsumes? A)"), ExitedWithCode(255), syntaxError(1, "syntax error near token ')'"));
    EXPECT_EXIT(parse("(subsumes? A B))"), ExitedWithCode(255), syntaxError(1, "syntax error near token ')'"));
    EXPECT_EXIT(parse("subsumes? A B"), ExitedWithCode(255), syntaxError(1, "syntax error near token 'subsumes?'"));
    EXPECT_EXIT(parse("(subsumes? A B"), ExitedWithCode(255), syntaxError(1, "syntax error"));
    EXPECT_EXIT(parse("(quit"), ExitedWithCode(0), "");
}

TEST_F(SimpleQueryErrors, DeepNestingExhaustsTheParserStack)
{
    encodeWithDimacs();
    EXPECT_EXIT(parse(std::string(20000, '(')), ExitedWithCode(255),
                syntaxError(1, "memory exhausted near token '('"));
}

TEST_F(SimpleQueryErrors, CharactersOutsideTheTokenSet)
{
    encodeWithDimacs();
    EXPECT_EXIT(parse("(subsumes? A B)\n(subsumes? A -B)\n"), ExitedWithCode(255), unrecognized(2, "-"));
    EXPECT_EXIT(parse("(subsumes? A _B)"), ExitedWithCode(255), unrecognized(1, "_"));
    EXPECT_EXIT(parse("(? A B)"), ExitedWithCode(255), unrecognized(1, "?"));
    EXPECT_EXIT(parse("(subsumes? A B) ;; no newline at the end"), ExitedWithCode(255), unrecognized(1, ";"));
}

TEST_F(SimpleQueryErrors, ActionsDoNotWaitForTheNextToken)
{
    encodeWithDimacs();
    // The answer is printed before "$" is read, and the name is looked up
    // before the scanner reaches "$".
    EXPECT_EXIT(parse("(subsumes? B A) $"), ExitedWithCode(255), "^S \\[1\\]: [^\n]*\n" + unrecognized(1, "$"));
    EXPECT_EXIT(parse("(subsumes? X $"), ExitedWithCode(255), invalidName(1, "X"));
    EXPECT_EXIT(parse("quit $"), ExitedWithCode(0), "^$");
}

TEST_F(SimpleQueryErrors, QuitEndsTheProcessAtOnce)
{
    encodeWithDimacs();
    EXPECT_EXIT(parse("(subsumes? B A)\nquit\n(subsumes? A B)\n"), ExitedWithCode(0), "^S \\[1\\]: [^\n]*\n$");
    EXPECT_EXIT(parse("((quit))"), ExitedWithCode(0), "^$");
    TBox::pinpointing = true;
    EXPECT_EXIT(parse("quit\n"), ExitedWithCode(0), std::string("^") + preprocessingTime() + "$");
}

} // namespace
