// The conventions that every grammar shares, seen through GrammarSupport.

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "ParserTestSupport.h"
#include "model/ParserManager.h"
#include "parsers/GrammarSupport.h"
#include "parsers/el_krss_g.h"

using namespace korvane_test;
using ::testing::ExitedWithCode;

namespace {

class ParserConventions : public FreshParserTest {};

TEST_F(ParserConventions, EndOfInputReportsWarningsOnlyWhenThereAreAny)
{
    ParserManager* manager = ParserManager::getInstance();
    ::testing::internal::CaptureStderr();
    GrammarSupport::endOfInput();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(manager->endOfInput);

    manager->beginInput(nullptr);
    EXPECT_FALSE(manager->endOfInput);
    manager->postWarning("first", Parser);
    manager->postWarning("second", Lexer);
    ::testing::internal::CaptureStderr();
    GrammarSupport::endOfInput();
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), " --- 2 warnings detected.\n");
    EXPECT_TRUE(manager->endOfInput);
    EXPECT_EQ(manager->warnings, 2);
}

TEST_F(ParserConventions, ParsingStartsANewInputUnderTheGrammarsContext)
{
    ParserManager* manager = ParserManager::getInstance();
    manager->line = 40;
    manager->postWarning("left over from an earlier input", Main);
    ::testing::internal::CaptureStderr();
    ASSERT_EQ(parseOntology("(implies A B)\n"), 0);
    // No warnings of its own: no summary at the end.
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_EQ(manager->warnings, 0);
    EXPECT_EQ(manager->line, 2);
    ASSERT_NE(manager->context, nullptr);
    EXPECT_EQ(*manager->context, "Input Problem");
    EXPECT_TRUE(manager->endOfInput);
}

TEST_F(ParserConventions, BeginInputWithoutContextPrintsNone)
{
    GrammarSupport::beginInput("Query");
    GrammarSupport::beginInput(nullptr);
    EXPECT_EQ(ParserManager::getInstance()->context, nullptr);
    GrammarSupport::newLine();
    GrammarSupport::newLine();
    EXPECT_EQ(ParserManager::getInstance()->line, 3);
}

TEST_F(ParserConventions, SyntaxErrorNamesTheTokenUnlessAtEndOfInput)
{
    EXPECT_EXIT(GrammarSupport::syntaxError("syntax error", "x"), ExitedWithCode(255),
                literal("[Parser] ERROR! Line 1: syntax error near token 'x'\n --- 1 errors and 0 warnings detected.\n"));
    EXPECT_EXIT(GrammarSupport::syntaxError("syntax error", ""), ExitedWithCode(255),
                literal("[Parser] ERROR! Line 1: syntax error\n"));
    EXPECT_EXIT(GrammarSupport::syntaxError("memory exhausted", nullptr), ExitedWithCode(255),
                literal("[Parser] ERROR! Line 1: memory exhausted\n"));
}

TEST_F(ParserConventions, UnrecognizedTokenIsALexerError)
{
    EXPECT_EXIT(
        {
            GrammarSupport::beginInput("Input Encoding");
            GrammarSupport::newLine();
            GrammarSupport::unrecognizedToken("?");
        },
        ExitedWithCode(255),
        literal("[Input Encoding - Lexer] ERROR! Line 2: Unrecognized token: '?' (or no new line before end of "
                "file)\n --- 1 errors and 0 warnings detected.\n"));
}

TEST_F(ParserConventions, CopyTextTakesExactlyTheToken)
{
    const char text[] = "name) rest";
    char* copy = GrammarSupport::copyText(text, 4);
    EXPECT_STREQ(copy, "name");
    std::free(copy);
    copy = GrammarSupport::copyText(text, 0);
    EXPECT_STREQ(copy, "");
    std::free(copy);
}

// The pieces in which readInput hands over a file, read with buffers of
// `size` bytes until the end of input.
struct ReadCase {
    const char* name;
    bool interactive;
    std::size_t size;
    std::vector<std::string> pieces;
};

class ReadInputPieces : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadInputPieces, ReadsLinesWhenInteractiveAndBuffersOtherwise)
{
    const ReadCase& c = GetParam();
    TempInput input("ab\ncd\nlast");
    FILE* in = std::fopen(input.path().c_str(), "r");
    ASSERT_NE(in, nullptr);
    std::vector<std::string> pieces;
    std::vector<char> buffer(c.size);
    for (int reads = 0; reads < 20; ++reads) {
        std::size_t n = GrammarSupport::readInput(in, buffer.data(), buffer.size(), c.interactive);
        if (n == 0)
            break;
        pieces.emplace_back(buffer.data(), n);
    }
    std::fclose(in);
    EXPECT_EQ(pieces, c.pieces);
}

INSTANTIATE_TEST_SUITE_P(
    Buffers, ReadInputPieces,
    ::testing::Values(ReadCase{"WholeFile", false, 64, {"ab\ncd\nlast"}},
                      ReadCase{"FullBuffers", false, 4, {"ab\nc", "d\nla", "st"}},
                      ReadCase{"Lines", true, 64, {"ab\n", "cd\n", "last"}},
                      ReadCase{"LinesCutByTheBuffer", true, 2, {"ab", "\n", "cd", "\n", "la", "st"}}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.name); });

// A failed read ends the run with a lexer error that names the input, under
// the input context and at the current line, whether the input is read a
// line or a buffer at a time.
class ReadErrors : public FreshParserTest, public ::testing::WithParamInterface<bool> {
protected:
    static std::string readError(const std::string& context, int line, const std::string& message)
    {
        return literal("[" + context + " - Lexer] ERROR! Line " + std::to_string(line) + ": " + message +
                       "\n --- 1 errors and 0 warnings detected.\n");
    }

    static void read(FILE* in)
    {
        char buffer[16];
        GrammarSupport::readInput(in, buffer, sizeof buffer, GetParam());
    }
};

TEST_P(ReadErrors, ADirectoryIsNamedByItsPath)
{
    EXPECT_EXIT(
        {
            FILE* in = ParserManager::getInstance()->setInputFile(".");
            GrammarSupport::beginInput("Input Problem");
            GrammarSupport::newLine();
            read(in);
        },
        ExitedWithCode(255), readError("Input Problem", 2, "Can not read from file '.': Is a directory"));
}

TEST_P(ReadErrors, AClosedStandardInputIsNamedAsSuch)
{
    EXPECT_EXIT(
        {
            close(STDIN_FILENO);
            std::clearerr(stdin);
            GrammarSupport::beginInput("Queries on primitive concepts.");
            read(stdin);
        },
        ExitedWithCode(255),
        readError("Queries on primitive concepts.", 1, "Can not read from standard input: Bad file descriptor"));
}

TEST_P(ReadErrors, AStreamThatNoDriverNamedIsUnnamed)
{
    EXPECT_EXIT(
        {
            FILE* in = fdopen(open(".", O_RDONLY), "r");
            GrammarSupport::beginInput("Input Encoding");
            read(in);
        },
        ExitedWithCode(255), readError("Input Encoding", 1, "Can not read from an unnamed input: Is a directory"));
}

INSTANTIATE_TEST_SUITE_P(Reads, ReadErrors, ::testing::Values(false, true),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return std::string(info.param ? "Interactive" : "Buffered");
                         });

TEST_F(ParserConventions, TheOntologyScannerReportsReadErrors)
{
    EXPECT_EXIT(
        {
            ParserManager::getInstance()->setInputFile(".");
            yyparse();
        },
        ExitedWithCode(255), fatalError("Lexer", 1, "Can not read from file '.': Is a directory"));
}

} // namespace
