// The query loop on standard input: the prompt and the echo appear only with
// a sink that solves in process. Each case runs the loop in a child process
// whose standard input is a pipe.

#include <gtest/gtest.h>

#include <string>

#include "QueryTestSupport.h"
#include "SimpleQueryFixture.h"
#include "TableEncoder.h"
#include "parsers/el_krss_g_query_simple.h"

using namespace korvane_test;

namespace {

const char* const Prompt = "<korvane>$ ";

class SimpleQueryInteractive : public SimpleQueryFixture {
protected:
    void SetUp() override
    {
        SimpleQueryFixture::SetUp();
        // Answers on standard output, between the prompts.
        ParserManager::getInstance()->outputFile = stdout;
    }

    void encodeWithSolver()
    {
        TableEncoder* solver = new TableEncoder();
        solver->holds(3, 4);
        encodeWith(solver);
    }
};

TEST_F(SimpleQueryInteractive, PromptAndEchoWithAnInProcessSolver)
{
    encodeWithSolver();
    ProcessResult run = runWithStandardInput("(?subsumes |B| A)\n(subsumes? A top)\n", parseQueriesFromStandardInput);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::string(Prompt) + "(subsumes? B A)\nU\n" + Prompt + "(subsumes? A *top*)\nSAT\n" + Prompt);
}

TEST_F(SimpleQueryInteractive, NullInputStreamMeansStandardInput)
{
    encodeWithSolver();
    ProcessResult run = runWithStandardInput("(subsumes? *bottom* B)", [] {
        simplequeryyyin = nullptr;
        simplequeryyyparse();
    });
    EXPECT_EQ(run.out, std::string(Prompt) + "(subsumes? *bottom* B)\nSAT\n" + Prompt);
}

TEST_F(SimpleQueryInteractive, EmptyInputShowsOnePrompt)
{
    encodeWithSolver();
    ProcessResult run = runWithStandardInput("", parseQueriesFromStandardInput);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, Prompt);
    EXPECT_EQ(run.err, "");
}

TEST_F(SimpleQueryInteractive, QuitAfterAnAnswer)
{
    encodeWithSolver();
    ProcessResult run = runWithStandardInput("(subsumes? B A)\nquit\n(subsumes? A B)\n", [] {
        parseQueriesFromStandardInput();
        std::fputs("returned", stdout);
        std::fflush(stdout);
        _exit(3);
    });
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, std::string(Prompt) + "(subsumes? B A)\nU\n" + Prompt);
}

TEST_F(SimpleQueryInteractive, NoPromptWithTheDimacsWriter)
{
    encodeWithDimacs();
    ProcessResult run = runWithStandardInput("(subsumes? B A)\n", parseQueriesFromStandardInput);
    EXPECT_EQ(run.status, 0);
    EXPECT_EQ(run.out, "SAT\n");
}

} // namespace
