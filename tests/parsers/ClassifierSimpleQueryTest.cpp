// The simple-query grammar in the classifier's build with recording query
// actions installed in place of the program's, so
// what is checked is the grammar's part: its shapes, and when it calls the
// actions.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ParserTestSupport.h"
#include "QueryTestSupport.h"
#include "support/TestSupport.h"
#include "model/PrimitiveConcept.h"
#include "parsers/SimpleQueryActions.h"
#include "parsers/SimpleQueryLoop.h"
#include "reasoner/TBox.h"

using namespace korvane_test;
using ::testing::ExitedWithCode;

namespace {

std::vector<std::string> calls;

void record(const std::string& call)
{
    calls.push_back(call);
    std::fprintf(stderr, "%s\n", call.c_str());
}

class RecordingActions : public SimpleQueryActions {
public:
    void startOfInput() override
    {
        SimpleQueryLoop::beginQueries();
        record("start");
    }

    void answerQuery(Concept* a, Concept* b) override { record("answer " + conceptText(a) + " " + conceptText(b)); }
};

RecordingActions recordingActions;

class ClassifierSimpleQuery : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetModel();
        calls.clear();
        SimpleQueryActions::install(&recordingActions);
        TBox* tbox = TBox::getInstance();
        for (const char* name : {"A", "B"})
            tbox->insertNormalizedConcept(tbox->insertConcept(new PrimitiveConcept(std::string(name)), true));
    }
};

void parse(const std::string& text)
{
    parseQueries(text);
}

std::string error(const std::string& module, int line, const std::string& message)
{
    return literal("[Queries on primitive concepts. - " + module + "] ERROR! Line " + std::to_string(line) + ": " +
                   message + "\n");
}

TEST_F(ClassifierSimpleQuery, QueriesReachTheProgramsActions)
{
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(parseQueries("((subsumes? A B))\n(?subsumes |B| top)(subsumes? *bottom* A)\n"), 0);
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(calls, (std::vector<std::string>{"start", "answer A B", "answer B *top*", "answer *bottom* A"}));
}

TEST_F(ClassifierSimpleQuery, ActionsRunWithoutWaitingForTheNextToken)
{
    EXPECT_EXIT(parse("$"), ExitedWithCode(255),
                "^start\n" + error("Lexer", 1, "Unrecognized token: '$' (or no new line before end of file)"));
    EXPECT_EXIT(parse("(subsumes? A B)\n$"), ExitedWithCode(255),
                "^start\nanswer A B\n" + error("Lexer", 2, "Unrecognized token: '$' (or no new line before end of file)"));
    EXPECT_EXIT(parse("(subsumes? A B) quit $"), ExitedWithCode(0), "^start\nanswer A B\n$");
}

TEST_F(ClassifierSimpleQuery, SharedNameLookup)
{
    EXPECT_EXIT(parse("(subsumes? A C)"), ExitedWithCode(255),
                error("Parser", 1, "Invalid query (C is not an existing primitive concept). See line: 1"));
}

} // namespace
