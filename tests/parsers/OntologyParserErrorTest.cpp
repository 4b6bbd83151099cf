// Input that the ontology grammar rejects: every error is one diagnostic on
// standard error, the totals line, and exit status 255.

#include <gtest/gtest.h>

#include <cstdlib>
#include <fcntl.h>
#include <ostream>
#include <string>
#include <unistd.h>
#include <utility>
#include <vector>

#include "ParserTestSupport.h"
#include "model/ParserManager.h"
#include "parsers/el_krss_g.h"

using namespace korvane_test;
using ::testing::ExitedWithCode;

namespace {

class OntologyParserErrors : public FreshParserTest {};

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

// A text the grammar rejects and the diagnostic it gets; the cases of one
// kind share a title and are numbered.
struct Rejected {
    std::string title;
    std::string text;
    std::string diagnostic;
};

void PrintTo(const Rejected& r, std::ostream* out)
{
    *out << r.title;
}

std::vector<Rejected> numbered(const std::string& title, const std::vector<std::pair<std::string, std::string>>& cases)
{
    std::vector<Rejected> rows;
    for (const auto& [text, diagnostic] : cases)
        rows.push_back({title + "_" + std::to_string(rows.size() + 1), text, diagnostic});
    return rows;
}

std::vector<Rejected> rejectedTexts()
{
    const std::string near = "syntax error near token ";
    const std::vector<std::vector<Rejected>> kinds = {
        numbered("CharacterOutsideTheTokenSet", {{"(implies A B)\n(implies A $)\n", lexerError(2, "$")},
                                                 {"(implies A+ B)", lexerError(1, "+")},
                                                 {"(implies A B) ; single semicolon\n", lexerError(1, ";")}}),
        numbered("StarsOnlyAsTopAndBottom", {{"(implies A *)", lexerError(1, "*")},
                                             {"(implies *top A)", lexerError(1, "*")},
                                             {"(implies A *bot*)", lexerError(1, "*")},
                                             {"(implies A *bottom)", lexerError(1, "*")}}),
        numbered("CommentWithoutFinalNewline",
                 {{"(implies A B)\n;; the last line has no newline", lexerError(2, ";")}, {";;", lexerError(1, ";")}}),
        // A NUL byte ends the token text as a C string.
        numbered("NulAndInvalidUtf8Bytes", {{std::string("(implies A\0 B)\n", 15), lexerError(1, "")},
                                            {std::string("\0", 1), lexerError(1, "")},
                                            {"(implies A \xC3\x28 B)\n", lexerError(1, "\xC3")},
                                            {"\n(implies \xFF\xFE B)\n", lexerError(2, "\xFF")}}),
        numbered("InputEndingInsideAnAxiomHasNoNearToken",
                 {{"(implies A B", parserError(1, "syntax error")},
                  {"(implies A B)\n(equivalent C\n", parserError(3, "syntax error")},
                  {"(role-inclusion (compose r s", parserError(1, "syntax error")},
                  {"(", parserError(1, "syntax error")}}),
        numbered("TokenOutOfPlaceIsNamed", {{"(implies A B C)", parserError(1, near + "'C'")},
                                            {"(implies A B))", parserError(1, near + "')'")},
                                            {"(implies A B)\n\n)", parserError(3, near + "')'")},
                                            {"(and A B)", parserError(1, near + "'and'")},
                                            {"A", parserError(1, near + "'A'")},
                                            {"(equivalent A)", parserError(1, near + "')'")},
                                            {"(implies || B)", parserError(1, near + "'|'")},
                                            {"(implies *top*)", parserError(1, near + "')'")},
                                            {"(transitive (compose r r))", parserError(1, near + "'('")}}),
        numbered("ConjunctionsAndChainsNeedTwoMembers",
                 {{"(implies A (and B))", parserError(1, near + "')'")},
                  {"(implies A (and))", parserError(1, near + "')'")},
                  {"(role-inclusion (compose r) s)", parserError(1, near + "')'")},
                  {"(implies A (some r))", parserError(1, near + "')'")}}),
        numbered("ConceptNameUsedAsRole",
                 {{"(implies A B)\n(define-primitive-role A)\n",
                   parserError(2, "Name 'A' is not used only as type role, see line: 1")},
                  {"\n\n(implies B C)\n(role-inclusion r B)\n",
                   parserError(4, "Name 'B' is not used only as type role, see line: 3")},
                  {"(implies A B)\n(role-inclusion (compose r A) s)\n",
                   parserError(2, "Name 'A' is not used only as type role, see line: 1")},
                  {"(transitive r)\n(transitive B)\n(implies B C)\n",
                   parserError(3, "Name 'B' is not used only as type concept, see line: 2")}}),
        // The name is looked up once the parser has read the token after it,
        // in the second case on the next line.
        numbered("RoleNameUsedAsConcept",
                 {{"(define-primitive-role r)\n(implies r B)\n",
                   parserError(2, "Name 'r' is not used only as type concept, see line: 1")},
                  {"(define-primitive-role r)\n(implies r\nB)\n",
                   parserError(3, "Name 'r' is not used only as type concept, see line: 1")}}),
        numbered("ExistentialLooksUpItsRoleAfterItsFiller",
                 {{"(implies X (some A A))\n", parserError(1, "Name 'A' is not used only as type role, see line: 1")}}),
    };
    std::vector<Rejected> rows;
    for (const std::vector<Rejected>& kind : kinds)
        rows.insert(rows.end(), kind.begin(), kind.end());
    return rows;
}

class RejectedText : public FreshParserTest, public ::testing::WithParamInterface<Rejected> {};

TEST_P(RejectedText, EndsWithOneDiagnosticAndStatus255)
{
    EXPECT_EXIT(parse(GetParam().text), ExitedWithCode(255), GetParam().diagnostic);
}

INSTANTIATE_TEST_SUITE_P(OntologyParserErrors, RejectedText, ::testing::ValuesIn(rejectedTexts()),
                         [](const ::testing::TestParamInfo<Rejected>& info) { return info.param.title; });

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
