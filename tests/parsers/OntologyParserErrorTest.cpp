// Input that the ontology grammar rejects: every error is one diagnostic on
// standard error, the totals line, and exit status 255.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <unistd.h>

#include "ParserTestSupport.h"
#include "model/ParserManager.h"
#include "parsers/el_krss_g.h"

using namespace korvane_test;
using ::testing::ExitedWithCode;

namespace {

class OntologyParserErrors : public ::testing::Test {
protected:
    void SetUp() override { resetParserState(); }
};

void parse(const std::string& text)
{
    parseOntology(text);
}

std::string lexerError(int line, const std::string& text)
{
    return fatalError("Lexer", line, "Unrecognized token: '" + text + "' (or no new line before end of file)");
}

std::string parserError(int line, const std::string& message)
{
    return fatalError("Parser", line, message);
}

// The diagnostic of a parser stack overflow; the token it names depends on
// where in the nesting the stack runs full.
std::string memoryExhausted(const std::string& tokens)
{
    return literal("[Input Problem - Parser] ERROR! Line 1: memory exhausted near token '") + "(" + tokens + ")" +
           literal("'\n --- 1 errors and 0 warnings detected.\n");
}

TEST_F(OntologyParserErrors, CharacterOutsideTheTokenSet)
{
    EXPECT_EXIT(parse("(implies A B)\n(implies A $)\n"), ExitedWithCode(255), lexerError(2, "$"));
    EXPECT_EXIT(parse("(implies A+ B)"), ExitedWithCode(255), lexerError(1, "+"));
    EXPECT_EXIT(parse("(implies A B) ; single semicolon\n"), ExitedWithCode(255), lexerError(1, ";"));
}

TEST_F(OntologyParserErrors, StarsOnlyAsTopAndBottom)
{
    EXPECT_EXIT(parse("(implies A *)"), ExitedWithCode(255), lexerError(1, "*"));
    EXPECT_EXIT(parse("(implies *top A)"), ExitedWithCode(255), lexerError(1, "*"));
    EXPECT_EXIT(parse("(implies A *bot*)"), ExitedWithCode(255), lexerError(1, "*"));
    EXPECT_EXIT(parse("(implies A *bottom)"), ExitedWithCode(255), lexerError(1, "*"));
}

TEST_F(OntologyParserErrors, CommentWithoutFinalNewline)
{
    EXPECT_EXIT(parse("(implies A B)\n;; the last line has no newline"), ExitedWithCode(255), lexerError(2, ";"));
    EXPECT_EXIT(parse(";;"), ExitedWithCode(255), lexerError(1, ";"));
}

TEST_F(OntologyParserErrors, NulAndInvalidUtf8Bytes)
{
    // A NUL byte ends the token text as a C string.
    EXPECT_EXIT(parse(std::string("(implies A\0 B)\n", 15)), ExitedWithCode(255), lexerError(1, ""));
    EXPECT_EXIT(parse(std::string("\0", 1)), ExitedWithCode(255), lexerError(1, ""));
    EXPECT_EXIT(parse("(implies A \xC3\x28 B)\n"), ExitedWithCode(255), lexerError(1, "\xC3"));
    EXPECT_EXIT(parse("\n(implies \xFF\xFE B)\n"), ExitedWithCode(255), lexerError(2, "\xFF"));
}

TEST_F(OntologyParserErrors, InputEndingInsideAnAxiomHasNoNearToken)
{
    EXPECT_EXIT(parse("(implies A B"), ExitedWithCode(255), parserError(1, "syntax error"));
    EXPECT_EXIT(parse("(implies A B)\n(equivalent C\n"), ExitedWithCode(255), parserError(3, "syntax error"));
    EXPECT_EXIT(parse("(role-inclusion (compose r s"), ExitedWithCode(255), parserError(1, "syntax error"));
    EXPECT_EXIT(parse("("), ExitedWithCode(255), parserError(1, "syntax error"));
}

TEST_F(OntologyParserErrors, TokenOutOfPlaceIsNamed)
{
    EXPECT_EXIT(parse("(implies A B C)"), ExitedWithCode(255), parserError(1, "syntax error near token 'C'"));
    EXPECT_EXIT(parse("(implies A B))"), ExitedWithCode(255), parserError(1, "syntax error near token ')'"));
    EXPECT_EXIT(parse("(implies A B)\n\n)"), ExitedWithCode(255), parserError(3, "syntax error near token ')'"));
    EXPECT_EXIT(parse("(and A B)"), ExitedWithCode(255), parserError(1, "syntax error near token 'and'"));
    EXPECT_EXIT(parse("A"), ExitedWithCode(255), parserError(1, "syntax error near token 'A'"));
    EXPECT_EXIT(parse("(equivalent A)"), ExitedWithCode(255), parserError(1, "syntax error near token ')'"));
    EXPECT_EXIT(parse("(implies || B)"), ExitedWithCode(255), parserError(1, "syntax error near token '|'"));
    EXPECT_EXIT(parse("(implies *top*)"), ExitedWithCode(255), parserError(1, "syntax error near token ')'"));
    EXPECT_EXIT(parse("(transitive (compose r r))"), ExitedWithCode(255), parserError(1, "syntax error near token '('"));
}

TEST_F(OntologyParserErrors, ConjunctionsAndChainsNeedTwoMembers)
{
    EXPECT_EXIT(parse("(implies A (and B))"), ExitedWithCode(255), parserError(1, "syntax error near token ')'"));
    EXPECT_EXIT(parse("(implies A (and))"), ExitedWithCode(255), parserError(1, "syntax error near token ')'"));
    EXPECT_EXIT(parse("(role-inclusion (compose r) s)"), ExitedWithCode(255),
                parserError(1, "syntax error near token ')'"));
    EXPECT_EXIT(parse("(implies A (some r))"), ExitedWithCode(255), parserError(1, "syntax error near token ')'"));
}

TEST_F(OntologyParserErrors, ConceptNameUsedAsRole)
{
    EXPECT_EXIT(parse("(implies A B)\n(define-primitive-role A)\n"), ExitedWithCode(255),
                parserError(2, "Name 'A' is not used only as type role, see line: 1"));
    EXPECT_EXIT(parse("\n\n(implies B C)\n(role-inclusion r B)\n"), ExitedWithCode(255),
                parserError(4, "Name 'B' is not used only as type role, see line: 3"));
    EXPECT_EXIT(parse("(implies A B)\n(role-inclusion (compose r A) s)\n"), ExitedWithCode(255),
                parserError(2, "Name 'A' is not used only as type role, see line: 1"));
    EXPECT_EXIT(parse("(transitive r)\n(transitive B)\n(implies B C)\n"), ExitedWithCode(255),
                parserError(3, "Name 'B' is not used only as type concept, see line: 2"));
}

TEST_F(OntologyParserErrors, RoleNameUsedAsConcept)
{
    EXPECT_EXIT(parse("(define-primitive-role r)\n(implies r B)\n"), ExitedWithCode(255),
                parserError(2, "Name 'r' is not used only as type concept, see line: 1"));
    // The name is looked up once the parser has read the token after it,
    // here on the next line.
    EXPECT_EXIT(parse("(define-primitive-role r)\n(implies r\nB)\n"), ExitedWithCode(255),
                parserError(3, "Name 'r' is not used only as type concept, see line: 1"));
}

TEST_F(OntologyParserErrors, ExistentialLooksUpItsRoleAfterItsFiller)
{
    EXPECT_EXIT(parse("(implies X (some A A))\n"), ExitedWithCode(255),
                parserError(1, "Name 'A' is not used only as type role, see line: 1"));
}

TEST_F(OntologyParserErrors, DeepNestingExhaustsTheParserStack)
{
    std::string existentials = "(implies A ";
    std::string conjunctions = "(implies A ";
    for (int i = 0; i < 100000; ++i) {
        existentials += "(some r ";
        conjunctions += "(and A ";
    }
    EXPECT_EXIT(parse(existentials), ExitedWithCode(255), memoryExhausted("\\(|some|r"));
    EXPECT_EXIT(parse(conjunctions), ExitedWithCode(255), memoryExhausted("\\(|and|A"));
    EXPECT_EXIT(parse(std::string(100000, '(')), ExitedWithCode(255), parserError(1, "syntax error near token '('"));
}

TEST_F(OntologyParserErrors, LongFlatListsExhaustTheParserStack)
{
    // Operand and chain lists are right-recursive: each member stays on the
    // stack until the list closes.
    std::string conjunction = "(implies Q (and";
    std::string chain = "(role-inclusion (compose";
    for (int i = 0; i < 20000; ++i) {
        conjunction += " C" + std::to_string(i);
        chain += " r";
    }
    EXPECT_EXIT(parse(conjunction + "))\n"), ExitedWithCode(255), memoryExhausted("C[0-9]+"));
    EXPECT_EXIT(parse(chain + ") s)\n"), ExitedWithCode(255), memoryExhausted("r"));
}

TEST_F(OntologyParserErrors, ErrorsCarryTheInputContextAndFreshCounts)
{
    // Warnings posted before the parse belong to another input.
    EXPECT_EXIT(
        {
            ParserManager::getInstance()->postWarning("earlier input", Main);
            parse("(implies A $)");
        },
        ExitedWithCode(255), lexerError(1, "$"));
}

// A pseudo-terminal that holds `text` as typed input, or -1.
int terminalWith(const std::string& text)
{
    int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0)
        return -1;
    if (grantpt(master) != 0 || unlockpt(master) != 0) {
        close(master);
        return -1;
    }
    const char* name = ptsname(master);
    int terminal = name == nullptr ? -1 : open(name, O_RDWR | O_NOCTTY);
    if (terminal < 0 || write(master, text.data(), text.size()) != static_cast<ssize_t>(text.size())) {
        close(master);
        return -1;
    }
    return terminal;
}

TEST_F(OntologyParserErrors, TerminalInputIsReadALineAtATime)
{
    int probe = terminalWith("");
    if (probe < 0)
        GTEST_SKIP() << "no pseudo-terminal available";
    close(probe);
    // More input never comes: a scanner that waited for a full buffer would
    // hang until the alarm ends it.
    EXPECT_EXIT(
        {
            alarm(20);
            yyin = fdopen(terminalWith("(implies A B)\n(implies C $)\n"), "r");
            yyparse();
        },
        ExitedWithCode(255), lexerError(2, "$"));
}

} // namespace
