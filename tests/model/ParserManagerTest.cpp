#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/TestSupport.h"
#include "model/ParserManager.h"

namespace {

using korvane_test::literal;

// The whole of stderr must be exactly this text.
std::string exactly(const std::string& text)
{
    return "^" + literal(text) + "$";
}

class ParserManagerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ParserManager::Instance = nullptr;
        pm = ParserManager::getInstance();
    }

    template <typename Action>
    std::string stderrOf(Action action)
    {
        testing::internal::CaptureStderr();
        action();
        return testing::internal::GetCapturedStderr();
    }

    ParserManager* pm = nullptr;
};

TEST_F(ParserManagerTest, FirstUseCreatesTheSingletonInItsInitialState)
{
    EXPECT_EQ(ParserManager::Instance, pm);
    EXPECT_EQ(ParserManager::getInstance(), pm);
    EXPECT_FALSE(pm->endOfInput);
    EXPECT_EQ(pm->outputFile, stdout);
    EXPECT_EQ(pm->inputFile, nullptr);
    EXPECT_EQ(pm->line, 1);
    EXPECT_EQ(pm->warnings, 0);
    EXPECT_FALSE(pm->ownsContext);
    EXPECT_EQ(pm->context, nullptr);
}

TEST_F(ParserManagerTest, WarningLinesWithoutContextNameTheModule)
{
    EXPECT_EQ(stderrOf([&] { pm->postWarning("message before any input", Parser); }),
              "[Parser] WARNING! Line 1: message before any input\n");
    pm->line = 3;
    EXPECT_EQ(stderrOf([&] { pm->postWarning("odd token", Lexer); }), "[Lexer] WARNING! Line 3: odd token\n");
    EXPECT_EQ(stderrOf([&] { pm->postWarning("odd option", Main); }), "[Main] WARNING! Line 3: odd option\n");
    EXPECT_EQ(stderrOf([&] { pm->postWarning("who", static_cast<module_t>(7)); }), "[] WARNING! Line 3: who\n");
}

TEST_F(ParserManagerTest, ContextPrecedesTheModuleName)
{
    pm->beginInput(new std::string("Input Encoding"));
    pm->line = 7;
    EXPECT_EQ(stderrOf([&] { pm->printStderrMessage("ERROR", "bad literal", Lexer, 0); }),
              "[Input Encoding - Lexer] ERROR! Line 7: bad literal\n");
    EXPECT_EQ(stderrOf([&] { pm->postWarning("late", Parser); }), "[Input Encoding - Parser] WARNING! Line 7: late\n");
}

TEST_F(ParserManagerTest, NumberIsGluedToTheMessageAndZeroPrintsNothing)
{
    EXPECT_EQ(stderrOf([&] { pm->postWarning("concept first declared at line: ", Parser, 12); }),
              "[Parser] WARNING! Line 1: concept first declared at line: 12\n");
    EXPECT_EQ(stderrOf([&] { pm->postWarning("count", Parser, 7); }), "[Parser] WARNING! Line 1: count7\n");
    EXPECT_EQ(stderrOf([&] { pm->postWarning("nothing after this", Parser, 0); }),
              "[Parser] WARNING! Line 1: nothing after this\n");
}

TEST_F(ParserManagerTest, WarningsAreCountedButPrintingAloneIsNot)
{
    stderrOf([&] {
        pm->postWarning("one", Parser);
        pm->postWarning("two", Lexer);
        pm->printStderrMessage("WARNING", "printed only", Parser, 0);
        pm->postWarning("three", Main);
    });
    EXPECT_EQ(pm->warnings, 3);
}

TEST_F(ParserManagerTest, BeginInputStartsEveryInputAfresh)
{
    std::string* first = new std::string("Input Problem");
    pm->beginInput(first);
    EXPECT_TRUE(pm->ownsContext);
    EXPECT_EQ(pm->context, first);

    pm->line = 9;
    pm->endOfInput = true;
    stderrOf([&] { pm->postWarning("w", Parser); });
    std::string* second = new std::string("Query");
    pm->beginInput(second);
    EXPECT_EQ(pm->line, 1);
    EXPECT_EQ(pm->warnings, 0);
    EXPECT_FALSE(pm->endOfInput);
    EXPECT_EQ(pm->context, second);
    EXPECT_EQ(stderrOf([&] { pm->postWarning("w", Parser); }), "[Query - Parser] WARNING! Line 1: w\n");

    // A driver starts a parse without a name: the previous one is dropped.
    pm->beginInput(nullptr);
    EXPECT_EQ(pm->context, nullptr);
    EXPECT_TRUE(pm->ownsContext);
    EXPECT_EQ(stderrOf([&] { pm->postWarning("w", Lexer); }), "[Lexer] WARNING! Line 1: w\n");
}

TEST_F(ParserManagerTest, ErrorPrintsTheTotalsAndEndsTheProcess)
{
    pm->beginInput(new std::string("Input Encoding"));
    stderrOf([&] {
        pm->postWarning("a", Lexer);
        pm->postWarning("b", Lexer);
        pm->postWarning("c", Parser);
    });
    pm->line = 4;
    EXPECT_EXIT(pm->postError("unexpected end of clause at: ", Parser, 31), ::testing::ExitedWithCode(255),
                exactly("[Input Encoding - Parser] ERROR! Line 4: unexpected end of clause at: 31\n"
                        " --- 1 errors and 3 warnings detected.\n"));
}

TEST_F(ParserManagerTest, ErrorBeforeAnyInputReportsLineOneAndNoWarnings)
{
    EXPECT_EXIT(pm->postError("no input", Main), ::testing::ExitedWithCode(255),
                exactly("[Main] ERROR! Line 1: no input\n --- 1 errors and 0 warnings detected.\n"));
}

TEST_F(ParserManagerTest, ArgumentErrorsEndTheProcess)
{
    EXPECT_EXIT(pm->argError("Missing input file"), ::testing::ExitedWithCode(255),
                exactly("[Main] Missing input file\n"));
    EXPECT_EXIT(pm->argError("-zq", "classifier"), ::testing::ExitedWithCode(255),
                exactly("[Main] Invalid option '-zq'; see 'classifier' usage help\n"));
}

TEST_F(ParserManagerTest, UnopenableFilesAreArgumentErrors)
{
    const std::string missing = testing::TempDir() + "korvane-no-such-dir/in.owl";
    EXPECT_EXIT(pm->setInputFile(missing.c_str()), ::testing::ExitedWithCode(255),
                exactly("[Main] Can not open the specified input file: '" + missing + "'\n"));
    const std::string unwritable = testing::TempDir() + "korvane-no-such-dir/out.txt";
    EXPECT_EXIT(pm->setOutputFile(unwritable.c_str()), ::testing::ExitedWithCode(255),
                exactly("[Main] Can not create the specified output file: '" + unwritable + "'\n"));
}

TEST_F(ParserManagerTest, OpenedFilesBecomeTheStreams)
{
    const std::string path = testing::TempDir() + "korvane-parser-manager-" +
                             testing::UnitTest::GetInstance()->current_test_info()->name() + ".txt";
    FILE* out = pm->setOutputFile(path.c_str());
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(pm->outputFile, out);
    std::fputs("x\n", out);
    std::fclose(out);

    FILE* in = pm->setInputFile(path.c_str());
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(pm->inputFile, in);
    EXPECT_EQ(std::fgetc(in), 'x');
    std::fclose(in);
    std::remove(path.c_str());
}

} // namespace
