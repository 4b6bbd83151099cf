// The conventions that every grammar shares, seen through GrammarSupport.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "ParserTestSupport.h"
#include "model/ParserManager.h"
#include "parsers/GrammarSupport.h"

using namespace korvane_test;
using ::testing::ExitedWithCode;

namespace {

class ParserConventions : public ::testing::Test {
protected:
    void SetUp() override { resetParserState(); }
};

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

} // namespace
