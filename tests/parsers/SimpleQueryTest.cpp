// The query loop over queries read from a file: answers, timing lines and the
// clauses that a DIMACS sink receives.

#include <gtest/gtest.h>

#include <string>

#include "QueryTestSupport.h"
#include "SimpleQueryFixture.h"
#include "TableEncoder.h"
#include "support/TextPattern.h"

using namespace korvane_test;

namespace {

const char* const EncodedBody = "-1 0\n2 0\n-3 4 0\n";
const char* const EncodedHeader = "c axioms 3 deduced 0\np cnf 4 3\n";
// The header pair of one query: two unit clauses more than the encoding.
const char* const QueryHeader = "c axioms 0 deduced 2\np cnf 4 5\n";

bool matches(const std::string& text, const std::string& pattern)
{
    return TextPattern(pattern).matches(text);
}

class SimpleQueryLoopTest : public SimpleQueryFixture {
protected:
    // Parses the queries; returns standard error.
    std::string run(const std::string& queries)
    {
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(parseQueries(queries), 0);
        return ::testing::internal::GetCapturedStderr();
    }
};

TEST_F(SimpleQueryLoopTest, DimacsSinkAppendsTheQueryUnitsAndAnswersSat)
{
    encodeWithDimacs();
    std::string err = run("(subsumes? B A)\n(?subsumes A |B|)\n");
    EXPECT_EQ(answers.text(), "SAT\nSAT\n");
    // (subsumes? B A) asks A ⊑ B: the unit A and the negated unit B.
    EXPECT_EQ(body.text(), std::string(EncodedBody) + "3 0\n-4 0\n" + "4 0\n-3 0\n");
    EXPECT_EQ(header.text(), std::string(EncodedHeader) + QueryHeader + QueryHeader);
    EXPECT_TRUE(matches(err, queryTimes(1, 2))) << err;
}

TEST_F(SimpleQueryLoopTest, TopBottomAndWrappedQueries)
{
    encodeWithDimacs();
    run("(subsumes? A A) (subsumes? top A)\n(subsumes? A bottom)((subsumes? *top* *bottom*))\n"
        ";; a comment\n(((?subsumes |A| *bottom*)))");
    EXPECT_EQ(answers.text(), "SAT\nSAT\nSAT\nSAT\nSAT\n");
    EXPECT_EQ(body.text(), std::string(EncodedBody) +
                               "3 0\n-3 0\n"  // A ⊑ A
                               "3 0\n-2 0\n"  // A ⊑ TOP
                               "1 0\n-3 0\n"  // BOTTOM ⊑ A
                               "1 0\n-2 0\n"  // BOTTOM ⊑ TOP
                               "1 0\n-3 0\n"); // BOTTOM ⊑ A
}

TEST_F(SimpleQueryLoopTest, NamesThatLookLikeKeywords)
{
    // "topic", "quitting" and "subsumes" are names, so they must be in the normal form.
    encodeWithDimacs();
    for (const char* name : {"topic", "quitting", "subsumes", "1x"})
        tbox->insertNormalizedConcept(tbox->insertConcept(new PrimitiveConcept(std::string(name)), true));
    run("(subsumes? topic quitting)\n(subsumes? subsumes 1x)\n");
    EXPECT_EQ(answers.text(), "SAT\nSAT\n");
    // The four names get variables 5 to 8, the subsumed concept of a query first.
    EXPECT_EQ(body.text(), std::string(EncodedBody) + "5 0\n-6 0\n7 0\n-8 0\n");
}

TEST_F(SimpleQueryLoopTest, AssumptionsAreHandedOverOnceBeforeTheFirstQuery)
{
    encodeWithDimacs();
    loadOneAxiomAssumption();
    TBox::pinpointing = true;
    run("(subsumes? B A)\n(subsumes? A B)\n");
    EXPECT_EQ(answers.text(), "SAT\nSAT\n");
    EXPECT_EQ(body.text(), std::string(EncodedBody) + "5 0\n" + "3 0\n-4 0\n" + "4 0\n-3 0\n");
    // Each query's problem line counts the CNF that decides it: the three
    // clauses, the assumption unit of variable 5 and the query's two units.
    const std::string pinpointedQuery = "c axioms 0 deduced 2\np cnf 5 6\n";
    EXPECT_EQ(header.text(), std::string(EncodedHeader) + "c axioms 1 deduced 0\n" + pinpointedQuery + pinpointedQuery);
}

TEST_F(SimpleQueryLoopTest, EmptyInputWritesOnlyTheStart)
{
    encodeWithDimacs();
    TBox::pinpointing = true;
    EXPECT_TRUE(matches(run(""), preprocessingTime()));
    EXPECT_TRUE(matches(run(";; only a comment\n\n"), preprocessingTime()));
    EXPECT_EQ(answers.text(), "");
    EXPECT_EQ(body.text(), EncodedBody);
}

TEST_F(SimpleQueryLoopTest, QueryNumbersGoOnOverALaterRun)
{
    encodeWithDimacs();
    EXPECT_TRUE(matches(run("(subsumes? B A)(subsumes? A B)(subsumes? B B)"), queryTimes(1, 3)));
    EXPECT_TRUE(matches(run("(subsumes? B A)"), queryTimes(4, 4)));
    EXPECT_EQ(SimpleQueryLoop::i_simpquery, 4);
}

TEST_F(SimpleQueryLoopTest, LoadedOrPinpointingEncodingsCanBeQueried)
{
    encodeWithDimacs();
    TBox::encoded = false;
    TBox::only_loaded = true;
    run("(subsumes? B A)");
    TBox::only_loaded = false;
    EncodedTBox::getInstance()->axiomsInformationLoaded = true;
    run("(subsumes? B A)");
    EXPECT_EQ(answers.text(), "SAT\nSAT\n");
}

TEST_F(SimpleQueryLoopTest, InProcessSolverAnswersFromAFileWithoutPromptOrEcho)
{
    TableEncoder* solver = new TableEncoder();
    solver->holds(3, 4);
    encodeWith(solver);
    ::testing::internal::CaptureStdout();
    run("(subsumes? B A)\n(subsumes? A B)\n");
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(answers.text(), "U\nSAT\n");
}

TEST_F(SimpleQueryLoopTest, PinpointedAxiomsOnTheAnswerAndDebugStreams)
{
    TableEncoder* solver = new TableEncoder();
    solver->holds(3, 4, {5});
    encodeWith(solver);
    loadOneAxiomAssumption();
    TBox::pinpointing = true;
    MemoryStream debug;
    TBox::debug_f = debug.get();
    run("(subsumes? B A)\n(subsumes? A B)\n");
    EXPECT_EQ(solver->prepared, (std::vector<std::vector<long>>{{5}}));
    EXPECT_EQ(answers.text(), "U\n1 \nSAT\n");
    EXPECT_EQ(debug.text(), "PINPOINTED ASSUMPTIONS: 5\nPINPOINTED AXIOMS, GCIs: 1, RIs:\n");
}

TEST_F(SimpleQueryLoopTest, PinpointedOriginalNumbersAndRoleAxioms)
{
    // GCI 1 (original number 1) is selected by 5, GCI 2 stems from
    // normalisation only and has the shared 7, the role axiom (index 3) has 8.
    TableEncoder* solver = new TableEncoder();
    solver->holds(3, 4, {5, 7, 8});
    encodeWith(solver);
    EncodedTBox* e = EncodedTBox::getInstance();
    e->loadAxiomsAssumptions(3, 2, 2, 4);
    e->addAxiomAssumption(1, 5);
    e->addAxiomAssumption(2, 7);
    e->addAxiomAssumption(3, 8);
    EncodedTBox::use_original_axiom_index = true;
    TBox::pinpointing = true;
    MemoryStream debug;
    TBox::debug_f = debug.get();
    run("(subsumes? B A)\n");
    EXPECT_EQ(answers.text(), "U\n1 0 3 \n");
    EXPECT_EQ(debug.text(),
              "PINPOINTED ASSUMPTIONS: 5 7 8\n"
              "PINPOINTED (ORIGINAL) AXIOMS, GCIs: 1 0(i.e. normalization), RIs: 3\n");
}

} // namespace
