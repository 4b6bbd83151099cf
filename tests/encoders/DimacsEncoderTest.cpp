#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "encoders/DimacsEncoder.h"

namespace {

// An encoder over two in-memory streams whose texts can be read back.
class Dimacs : public ::testing::Test {
protected:
    void SetUp() override
    {
        body = bodyStream.get();
        encoder = new DimacsEncoder(body, headerStream.get());
    }

    void TearDown() override { delete encoder; }

    // Clause lines may still be held back.
    std::string bodyText()
    {
        encoder->flushPending();
        return bodyStream.text();
    }
    std::string headerText() { return headerStream.text(); }

    bool add(std::initializer_list<long> literals)
    {
        LiteralList clause(literals);
        return encoder->addClause(&clause, nullptr, 0);
    }

    korvane_test::MemoryStream bodyStream;
    korvane_test::MemoryStream headerStream;
    FILE* body = nullptr;
    DimacsEncoder* encoder = nullptr;
};

TEST_F(Dimacs, ClauseLinesEndLazily)
{
    EXPECT_EQ(encoder->getKind(), 1);
    EXPECT_TRUE(add({-3, -7, 5}));
    EXPECT_EQ(bodyText(), "-3 -7 5 0");
    EXPECT_TRUE(add({2}));
    EXPECT_EQ(bodyText(), "-3 -7 5 0\n2 0");
    EXPECT_TRUE(encoder->endEncoding(false, 7, 2, 2, 0));
    EXPECT_EQ(bodyText(), "-3 -7 5 0\n2 0\n");
    EXPECT_EQ(headerText(), "c axioms 2 deduced 0\np cnf 7 2\n");
}

TEST_F(Dimacs, EmptyOrMissingClausesAreRefusedSilently)
{
    LiteralList empty;
    EXPECT_FALSE(encoder->addClause(&empty, nullptr, 0));
    EXPECT_FALSE(encoder->addClause(nullptr, nullptr, 0));
    EXPECT_EQ(bodyText(), "");
    // No line is open, so the next clause starts without a newline.
    EXPECT_TRUE(add({1}));
    EXPECT_EQ(bodyText(), "1 0");
}

TEST_F(Dimacs, LongClausesAreWrittenWhole)
{
    LiteralList clause;
    std::string expected;
    for (long v = 1; v <= 500; ++v) {
        clause.push_back(-v * 1000003 % 2000000000);
        expected += std::to_string(-v * 1000003 % 2000000000) + " ";
    }
    clause.push_back(2147483647);
    expected += "2147483647 0";
    EXPECT_TRUE(encoder->addClause(&clause, nullptr, 0));
    EXPECT_EQ(bodyText(), expected);
}

TEST_F(Dimacs, LiteralsArePrintedAsSigned32BitNumbers)
{
    EXPECT_TRUE(add({-2147483647L, 0x100000005L}));
    EXPECT_EQ(bodyText(), "-2147483647 5 0");
}

TEST_F(Dimacs, RepeatedEndEncodingLeavesAnEmptyLineAndASecondHeaderPair)
{
    add({1});
    encoder->endEncoding(false, 1, 1, 1, 0);
    encoder->endEncoding(false, 1, 1, 0, 0);
    EXPECT_EQ(bodyText(), "1 0\n\n");
    EXPECT_EQ(headerText(), "c axioms 1 deduced 0\np cnf 1 1\np cnf 1 1\n");
}

TEST_F(Dimacs, SubsumptionQueryAppendsTwoUnits)
{
    add({-1, 2});
    EXPECT_TRUE(encoder->checkSatisfiability(4L, 9L, 9, 10));
    EXPECT_EQ(bodyText(), "-1 2 0\n4 0\n-9 0\n");
    EXPECT_EQ(headerText(), "c axioms 0 deduced 2\np cnf 9 12\n");
    // A second query follows the first.
    EXPECT_TRUE(encoder->checkSatisfiability(5L, 6L, 9, 10));
    EXPECT_EQ(bodyText(), "-1 2 0\n4 0\n-9 0\n5 0\n-6 0\n");
}

TEST_F(Dimacs, ListQueryWritesPositiveThenNegativeUnits)
{
    LiteralList positives{3, 4};
    LiteralList negatives{8};
    EXPECT_TRUE(encoder->checkSatisfiability(&positives, &negatives, 8, 20));
    EXPECT_EQ(bodyText(), "3 0\n4 0\n-8 0\n");
    EXPECT_EQ(headerText(), "c axioms 0 deduced 3\np cnf 8 23\n");

    LiteralList none;
    EXPECT_TRUE(encoder->checkSatisfiability(&none, &none, 8, 23));
    EXPECT_EQ(headerText(), "c axioms 0 deduced 3\np cnf 8 23\nc axioms 0 deduced 0\np cnf 8 23\n");
}

TEST_F(Dimacs, PinpointingQueryWritesAssumptionsOnlyWhenRefreshed)
{
    LiteralList assumptions{1, 2, 3};
    EXPECT_EQ(encoder->checkSatisfiabilityAndPinpoint(10, 11, &assumptions, false, 11, 30), nullptr);
    EXPECT_EQ(bodyText(), "10 0\n-11 0\n");
    EXPECT_EQ(headerText(), "c axioms 0 deduced 2\np cnf 11 32\n");
    EXPECT_EQ(encoder->checkSatisfiabilityAndPinpoint(10, 11, &assumptions, true, 11, 30), nullptr);
    EXPECT_EQ(bodyText(), "10 0\n-11 0\n1 0\n2 0\n3 0\n10 0\n-11 0\n");
    EXPECT_EQ(headerText(), "c axioms 0 deduced 2\np cnf 11 32\nc axioms 0 deduced 5\np cnf 11 35\n");
}

TEST_F(Dimacs, PreparePinpointingWritesSelectorUnitsAndTotals)
{
    LiteralList assumptions{5, 6};
    encoder->preparePinpointing(&assumptions);
    EXPECT_EQ(bodyText(), "5 0\n6 0\n");
    EXPECT_EQ(headerText(), "c axioms 2 deduced 0\n");
    encoder->preparePinpointing(nullptr);
    EXPECT_EQ(bodyText(), "5 0\n6 0\n");
    LiteralList empty;
    encoder->preparePinpointing(&empty);
    EXPECT_EQ(headerText(), "c axioms 2 deduced 0\nc axioms 0 deduced 0\n");
}

TEST_F(Dimacs, WithoutHeaderStreamTheBodyIsStillWritten)
{
    DimacsEncoder headless(body, nullptr);
    LiteralList clause{-1, 2};
    EXPECT_TRUE(headless.addClause(&clause, nullptr, 0));
    EXPECT_TRUE(headless.endEncoding(false, 2, 1, 1, 0));
    EXPECT_TRUE(headless.checkSatisfiability(1L, 2L, 2, 1));
    EXPECT_EQ(bodyText(), "-1 2 0\n1 0\n-2 0\n");
    EXPECT_EQ(headerText(), "");
}

// Enough clauses to fill the held-back text several times, through both
// ways of handing a clause over, in one order.
TEST_F(Dimacs, ManyClausesArriveWholeAndInOrder)
{
    std::string expected;
    for (long i = 1; i <= 300000; ++i) {
        if (i > 1)
            expected += '\n';
        if (i % 3 == 0) {
            EXPECT_TRUE(add({-i, i + 1}));
            expected += std::to_string(-i) + " " + std::to_string(i + 1) + " 0";
        } else {
            const long literals[] = {-i, -(i + 1), i + 2};
            EXPECT_TRUE(encoder->addClause(literals, 3));
            expected += std::to_string(-i) + " " + std::to_string(-(i + 1)) + " " + std::to_string(i + 2) + " 0";
        }
    }
    EXPECT_TRUE(encoder->checkSatisfiability(4, 5, 300002, 300000));
    expected += "\n4 0\n-5 0\n";
    EXPECT_EQ(bodyText(), expected);
    // A clause after the query units starts a line of its own again.
    const long unit[] = {7};
    EXPECT_TRUE(encoder->addClause(unit, 1));
    EXPECT_FALSE(encoder->addClause(unit, 0));
    EXPECT_EQ(bodyText(), expected + "7 0");
}

// Clauses far longer than the text held back at once, and short clauses
// around them at every offset, stay whole lines in their order.
class DimacsLongClauses : public Dimacs, public ::testing::WithParamInterface<long> {};

TEST_P(DimacsLongClauses, StayWholeLines)
{
    const long length = GetParam();
    std::string expected;
    for (long round = 0; round < 3; ++round) {
        for (long i = 0; i < round * 7 + 1; ++i) {
            EXPECT_TRUE(add({i + 1, -(i + 2)}));
            expected += (expected.empty() ? "" : "\n") + std::to_string(i + 1) + " " + std::to_string(-(i + 2)) + " 0";
        }
        std::vector<long> clause;
        expected += '\n';
        for (long v = 1; v <= length; ++v) {
            clause.push_back(v % 2 == 0 ? v : -v);
            expected += std::to_string(clause.back()) + " ";
        }
        expected += '0';
        EXPECT_TRUE(encoder->addClause(clause.data(), clause.size()));
    }
    EXPECT_TRUE(encoder->endEncoding(false, 1, 1, 1, 0));
    EXPECT_EQ(bodyText(), expected + "\n");
}

INSTANTIATE_TEST_SUITE_P(Lengths, DimacsLongClauses, ::testing::Values(1L, 262143L, 262144L, 600000L));

// Without a clause stream the clause text goes nowhere; the header and the
// answers stay as they are.
TEST(DimacsWithoutClauseStream, HeaderAndAnswersStayTheSame)
{
    korvane_test::MemoryStream headerStream;
    DimacsEncoder encoder(nullptr, headerStream.get());
    LiteralList clause{-1, 2};
    EXPECT_TRUE(encoder.addClause(&clause, nullptr, 0));
    EXPECT_TRUE(encoder.endEncoding(false, 2, 1, 1, 0));
    EXPECT_TRUE(encoder.checkSatisfiability(1L, 2L, 2, 1));
    LiteralList units{1, 2};
    EXPECT_TRUE(encoder.checkSatisfiability(&units, &units, 2, 3));
    EXPECT_EQ(encoder.checkSatisfiabilityAndPinpoint(1, 2, &units, true, 2, 7), nullptr);
    encoder.preparePinpointing(&units);
    EXPECT_FALSE(encoder.writeFailed());
    EXPECT_EQ(headerStream.text(), "c axioms 1 deduced 0\np cnf 2 1\n"
                                   "c axioms 0 deduced 2\np cnf 2 3\n"
                                   "c axioms 0 deduced 4\np cnf 2 7\n"
                                   "c axioms 0 deduced 4\np cnf 2 11\n"
                                   "c axioms 2 deduced 0\n");
}

TEST(DimacsAbort, TriviallyUnsatisfiableLeavesAnUnsatisfiableCnfBehind)
{
    EXPECT_EXIT(
        {
            DimacsEncoder e(stderr, stderr);
            e.triviallyUnsatisfiable("Solved by unit propagation");
        },
        ::testing::ExitedWithCode(255),
        "^c axioms 0 deduced 2\np cnf 1 2\n1 0\n-1 0\n\nUNSATISFIABLE\nSolved by unit propagation\n$");
}

TEST(DimacsAbort, AbortWritesUnsatisfiableAndTheReason)
{
    EXPECT_EXIT(
        {
            DimacsEncoder e(stderr, nullptr);
            e.abortForUnsatisfiability("Solved by trivial conflicts between clauses");
        },
        ::testing::ExitedWithCode(255), "^UNSATISFIABLE\nSolved by trivial conflicts between clauses\n$");
    EXPECT_EXIT(
        {
            DimacsEncoder e(stderr, nullptr);
            e.abortForUnsatisfiability(nullptr);
        },
        ::testing::ExitedWithCode(255), "^UNSATISFIABLE\n$");
}

TEST(DimacsWriteError, AFullDeviceIsObservable)
{
    FILE* full = std::fopen("/dev/full", "w");
    if (full == nullptr)
        GTEST_SKIP() << "no /dev/full";
    DimacsEncoder e(full, nullptr);
    LiteralList clause{-1, 2};
    for (int i = 0; i < 100000; ++i)
        e.addClause(&clause, nullptr, 0);
    e.endEncoding(false, 2, 100000, 100000, 0);
    std::fflush(full);
    EXPECT_TRUE(e.writeFailed());
    std::fclose(full);
}

// The lines still held back are written before the failure is judged.
TEST(DimacsWriteError, HeldBackLinesCountForTheVerdict)
{
    FILE* full = std::fopen("/dev/full", "w");
    if (full == nullptr)
        GTEST_SKIP() << "no /dev/full";
    std::setvbuf(full, nullptr, _IONBF, 0);
    DimacsEncoder e(full, nullptr);
    const long literals[] = {-1, 2};
    EXPECT_TRUE(e.addClause(literals, 2));
    EXPECT_TRUE(e.writeFailed());
    std::fclose(full);
}

TEST(DimacsAbort, HeldBackLinesPrecedeTheVerdict)
{
    EXPECT_EXIT(
        {
            DimacsEncoder e(stderr, nullptr);
            std::vector<long> literals(1, -1);
            literals.push_back(2);
            e.addClause(literals.data(), literals.size());
            e.abortForUnsatisfiability("Solved by unit propagation");
        },
        ::testing::ExitedWithCode(255), "^-1 2 0UNSATISFIABLE\nSolved by unit propagation\n$");
}

}
