#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "encoders/CoreSolverEncoder.h"

namespace {

using ::testing::ExitedWithCode;

bool add(CoreSolverEncoder& encoder, std::initializer_list<long> literals)
{
    LiteralList clause(literals);
    return encoder.addClause(&clause, nullptr, 0);
}

std::vector<long> pinpoint(CoreSolverEncoder& encoder, long sub, long super, const LiteralList* axioms,
                           bool refresh, bool* subsumed)
{
    std::unique_ptr<LiteralList> found(encoder.checkSatisfiabilityAndPinpoint(sub, super, axioms, refresh, 0, 0));
    *subsumed = found != nullptr;
    return found ? std::vector<long>(found->begin(), found->end()) : std::vector<long>();
}

// Activity 10 per kind step, plus the level; reports its own deletion.
class KindActivity : public ActivityGenerator {
public:
    explicit KindActivity(bool* deleted) : deleted(deleted) { *deleted = false; }
    ~KindActivity() override { *deleted = true; }
    double calculateActivity(concept_t kind, unsigned level) const override { return 10.0 * (kind + 1) + level; }

private:
    bool* deleted;
};

TEST(ActivityGenerator, BaseGivesZero)
{
    ActivityGenerator generator;
    EXPECT_EQ(generator.maxLevel, 0);
    EXPECT_EQ(generator.calculateActivity(CONJUNCTION, 0), 0.0);
    EXPECT_EQ(generator.calculateActivity(CONCEPT, 7), 0.0);
}

TEST(CoreSolverEncoder, VariablesAreMadeOnDemandWithTheActivityOfTheirKind)
{
    bool deleted = false;
    auto* encoder = new CoreSolverEncoder(new KindActivity(&deleted), nullptr, nullptr, true);
    EXPECT_EQ(encoder->getKind(), 2);
    const Solver& solver = encoder->getSolver();

    LiteralList first{-1, -2, 3};
    KindList firstKinds{PRIMITIVE_CONCEPT, CONJUNCTION, EXISTENTIAL_RESTR};
    EXPECT_TRUE(encoder->addClause(&first, &firstKinds, 0));
    ASSERT_EQ(solver.nVars(), 3);
    EXPECT_EQ(solver.varActivity(0), 30.0);
    EXPECT_EQ(solver.varActivity(1), 50.0);
    EXPECT_EQ(solver.varActivity(2), 60.0);

    // Variable 7 in a solver of three: 4 to 6 are fillers of kind 0, 7 has
    // its own kind, and the existing variable 2 keeps its activity.
    LiteralList second{-7, 2};
    KindList secondKinds{CONJUNCTION, FRESH_CONCEPT};
    EXPECT_TRUE(encoder->addClause(&second, &secondKinds, 2));
    ASSERT_EQ(solver.nVars(), 7);
    for (int v = 3; v < 6; ++v)
        EXPECT_EQ(solver.varActivity(v), 12.0) << v;
    EXPECT_EQ(solver.varActivity(6), 52.0);
    EXPECT_EQ(solver.varActivity(1), 50.0);

    // Without kinds, and for query variables, new variables start at 0.
    EXPECT_TRUE(add(*encoder, {-9, 1}));
    EXPECT_TRUE(encoder->checkSatisfiability(11, 1, 0, 0));
    ASSERT_EQ(solver.nVars(), 11);
    for (int v = 7; v < 11; ++v)
        EXPECT_EQ(solver.varActivity(v), 0.0) << v;
    EXPECT_EQ(solver.nClauses(), 3);

    delete encoder;
    EXPECT_TRUE(deleted);
}

TEST(CoreSolverEncoder, AVariableFarAboveTheOthersCostsOneSolverVariable)
{
    korvane_test::MemoryStream body;
    CoreSolverEncoder encoder(nullptr, body.get(), nullptr, true);
    const Solver& solver = encoder.getSolver();
    // 2 follows from 1; 3 from 2 under the control variable 200000000.
    EXPECT_TRUE(add(encoder, {-1, 2}));
    EXPECT_TRUE(add(encoder, {-200000000, -2, 3}));
    EXPECT_TRUE(encoder.endEncoding(false, 200000000, 2, 0, 0));
    // 1 and 2 in place; 200000000 and then 3 follow them.
    EXPECT_EQ(solver.nVars(), 4);

    LiteralList control{200000000};
    bool subsumed = false;
    EXPECT_EQ(pinpoint(encoder, 1, 3, &control, true, &subsumed), std::vector<long>{200000000});
    EXPECT_TRUE(subsumed);
    LiteralList none;
    EXPECT_TRUE(pinpoint(encoder, 1, 3, &none, true, &subsumed).empty());
    EXPECT_FALSE(subsumed);
    // Once there is a far variable, new ones follow it one by one.
    EXPECT_TRUE(encoder.checkSatisfiability(7, 6, 0, 0));
    EXPECT_EQ(solver.nVars(), 6);
    LiteralList positives{1, 200000000};
    LiteralList negatives{3};
    EXPECT_FALSE(encoder.checkSatisfiability(&positives, &negatives, 0, 0));
}

TEST(CoreSolverEncoder, RefusedClausesAddNothing)
{
    CoreSolverEncoder encoder(nullptr, nullptr, nullptr, true);
    const Solver& solver = encoder.getSolver();
    LiteralList clause{-4, 5};
    KindList shorter{PRIMITIVE_CONCEPT};
    KindList longer{PRIMITIVE_CONCEPT, PRIMITIVE_CONCEPT, PRIMITIVE_CONCEPT};
    KindList none;
    EXPECT_FALSE(encoder.addClause(&clause, &shorter, 0));
    EXPECT_FALSE(encoder.addClause(&clause, &longer, 0));
    EXPECT_FALSE(encoder.addClause(&clause, &none, 0));

    LiteralList empty;
    EXPECT_FALSE(encoder.addClause(nullptr, nullptr, 0));
    EXPECT_FALSE(encoder.addClause(&empty, nullptr, 0));
    EXPECT_FALSE(encoder.addClauseFast(&empty));

    // Numbers that are no DIMACS literal of a variable the solver can hold.
    EXPECT_FALSE(add(encoder, {-1, 0}));
    EXPECT_FALSE(add(encoder, {-1, CoreSolverEncoder::MaxVariable + 1}));
    EXPECT_FALSE(add(encoder, {-1, -2147483648L}));

    EXPECT_EQ(solver.nVars(), 0);
    EXPECT_EQ(solver.nClauses(), 0);
}

TEST(CoreSolverEncoder, SignsAndVariablesMapToTheSolver)
{
    CoreSolverEncoder encoder(nullptr, nullptr, nullptr, true);
    // 2 follows from 1, and 3 from 1 and 2.
    EXPECT_TRUE(add(encoder, {-1, 2}));
    EXPECT_TRUE(add(encoder, {-1, -2, 3}));
    EXPECT_TRUE(encoder.endEncoding(false, 3, 2, 0, 2));
    EXPECT_FALSE(encoder.checkSatisfiability(1, 2, 3, 2));
    EXPECT_FALSE(encoder.checkSatisfiability(1, 3, 3, 2));
    EXPECT_TRUE(encoder.checkSatisfiability(2, 1, 3, 2));
    EXPECT_TRUE(encoder.checkSatisfiability(3, 2, 3, 2));

    LiteralList positives{1};
    LiteralList negatives{3};
    LiteralList others{2};
    EXPECT_FALSE(encoder.checkSatisfiability(&positives, &negatives, 3, 2));
    EXPECT_TRUE(encoder.checkSatisfiability(&others, &positives, 3, 2));
    EXPECT_TRUE(encoder.checkSatisfiability(nullptr, nullptr, 3, 2));
}

TEST(CoreSolverEncoder, QueriesOverNoVariableClaimNothing)
{
    CoreSolverEncoder encoder(nullptr, nullptr, nullptr, false);
    EXPECT_TRUE(add(encoder, {-1, 2}));
    testing::internal::CaptureStderr();
    EXPECT_TRUE(encoder.checkSatisfiability(0, 2, 0, 0));
    EXPECT_TRUE(encoder.checkSatisfiability(1, CoreSolverEncoder::MaxVariable + 1, 0, 0));
    LiteralList positives{1, -1};
    LiteralList negatives{2};
    EXPECT_TRUE(encoder.checkSatisfiability(&positives, &negatives, 0, 0));
    LiteralList axioms{1};
    bool subsumed = true;
    pinpoint(encoder, -1, 2, &axioms, true, &subsumed);
    EXPECT_FALSE(subsumed);
    std::string warnings = testing::internal::GetCapturedStderr();
    const std::string warning = "WARNING: possible error in index conversion setting the variables polarity\n";
    EXPECT_EQ(warnings, warning + warning + warning + warning);
    EXPECT_EQ(encoder.getSolver().nVars(), 2);
}

TEST(CoreSolverEncoder, HeaderLinesFollowTheClauses)
{
    korvane_test::MemoryStream body;
    korvane_test::MemoryStream header;
    CoreSolverEncoder encoder(nullptr, body.get(), header.get(), true);
    EXPECT_TRUE(add(encoder, {1}));
    EXPECT_TRUE(encoder.endEncoding(false, 1, 1, 1, 0));
    EXPECT_TRUE(encoder.endEncoding(false, 1, 1, 0, 0));
    EXPECT_EQ(header.text(), "c axioms 1 deduced 0\np cnf 1 1\np cnf 1 1\n");
    EXPECT_EQ(body.text(), "");

    CoreSolverEncoder headless(nullptr, body.get(), nullptr, true);
    EXPECT_TRUE(add(headless, {-1, 2}));
    EXPECT_TRUE(headless.endEncoding(true, 2, 1, 1, 0));
    EXPECT_FALSE(headless.checkSatisfiability(1, 2, 2, 1));
}

TEST(CoreSolverEncoder, SolvingAtTheEndPrintsTheAnswerAndTheModel)
{
    korvane_test::MemoryStream body;
    korvane_test::MemoryStream header;
    CoreSolverEncoder encoder(nullptr, body.get(), header.get(), false);
    const Solver& solver = encoder.getSolver();
    EXPECT_TRUE(add(encoder, {1}));
    EXPECT_TRUE(add(encoder, {-2}));
    EXPECT_TRUE(add(encoder, {-1, 3}));
    EXPECT_TRUE(encoder.endEncoding(true, 3, 3, 2, 1));
    EXPECT_EQ(body.text(), "SATISFIABLE\n\n1 -2 3\n");
    EXPECT_EQ(header.text(), "c axioms 2 deduced 1\np cnf 3 3\n");

    // Later decisions take the opposite of the model, and only the query
    // variables are decided.
    EXPECT_EQ(solver.polarityMode, 2);
    EXPECT_EQ(encoder.getSavedModelCount(), 3u);
    for (int v = 0; v < 3; ++v)
        EXPECT_FALSE(solver.isDecisionVar(v)) << v;
    EXPECT_TRUE(solver.preferredSign(0));
    EXPECT_FALSE(solver.preferredSign(1));
    EXPECT_TRUE(solver.preferredSign(2));
}

TEST(CoreSolverEncoder, LaterModelsShowOnlyTheVariablesTheyAssign)
{
    korvane_test::MemoryStream body;
    CoreSolverEncoder encoder(nullptr, body.get(), nullptr, false);
    const Solver& solver = encoder.getSolver();
    // 1 is forced; 2 and 3 are decided false (the default polarity).
    EXPECT_TRUE(add(encoder, {1}));
    EXPECT_TRUE(add(encoder, {-2, 3}));
    EXPECT_TRUE(encoder.endEncoding(true, 3, 2, 0, 0));
    // A second pass: 2 and 3 are no decision variables any more and stay
    // open; the new variables 4 and 5 are decided by their polarity entries
    // (negative).
    EXPECT_TRUE(add(encoder, {-4, 5}));
    EXPECT_TRUE(encoder.endEncoding(true, 5, 3, 0, 0));
    EXPECT_EQ(body.text(), "SATISFIABLE\n\n1 -2 -3\nSATISFIABLE\n\n1 -4 -5\n");
    EXPECT_EQ(encoder.getSavedModelCount(), 5u);
    EXPECT_TRUE(solver.preferredSign(0));
    EXPECT_FALSE(solver.preferredSign(3));
    EXPECT_FALSE(solver.preferredSign(4));
}

// Satisfiable under no assumption, refuted only by search: every
// combination of variables 1 and 2 is excluded.
void addAllCombinations(CoreSolverEncoder& encoder)
{
    EXPECT_TRUE(add(encoder, {1, 2}));
    EXPECT_TRUE(add(encoder, {1, -2}));
    EXPECT_TRUE(add(encoder, {-1, 2}));
    EXPECT_TRUE(add(encoder, {-1, -2}));
}

TEST(CoreSolverEncoder, AnUnsatisfiableSetFoundBySearchIsAnsweredAndFailsLaterPasses)
{
    korvane_test::MemoryStream body;
    CoreSolverEncoder encoder(nullptr, body.get(), nullptr, false);
    addAllCombinations(encoder);
    EXPECT_TRUE(encoder.endEncoding(true, 2, 4, 0, 0));
    EXPECT_EQ(body.text(), "UNSATISFIABLE\n");
    EXPECT_EQ(encoder.getSolver().polarityMode, 2);
    EXPECT_FALSE(encoder.getSolver().okay());
    // Without solving, the failure is only returned.
    EXPECT_FALSE(encoder.endEncoding(false, 2, 4, 0, 0));
    EXPECT_EQ(body.text(), "UNSATISFIABLE\n");
}

TEST(CoreSolverEncoder, PlainChecksKeepTheSavedPolarities)
{
    CoreSolverEncoder encoder(nullptr, nullptr, nullptr, false);
    const Solver& solver = encoder.getSolver();
    EXPECT_TRUE(add(encoder, {1}));
    EXPECT_TRUE(add(encoder, {-1, 2}));
    EXPECT_TRUE(add(encoder, {-3, 4}));
    EXPECT_TRUE(encoder.endEncoding(true, 4, 3, 0, 0));
    ASSERT_TRUE(solver.preferredSign(0));
    ASSERT_FALSE(solver.preferredSign(2));
    // Refuted, satisfiable, refuted again, and a query on one variable.
    EXPECT_FALSE(encoder.checkSatisfiability(2, 1, 4, 3));
    EXPECT_TRUE(encoder.checkSatisfiability(4, 3, 4, 3));
    EXPECT_FALSE(encoder.checkSatisfiability(3, 4, 4, 3));
    EXPECT_FALSE(encoder.checkSatisfiability(3, 3, 4, 3));
    for (int v = 0; v < 4; ++v)
        EXPECT_FALSE(solver.isDecisionVar(v)) << v;
    EXPECT_TRUE(solver.preferredSign(0));
    EXPECT_TRUE(solver.preferredSign(1));
    EXPECT_FALSE(solver.preferredSign(2));
    EXPECT_FALSE(solver.preferredSign(3));
}

TEST(CoreSolverEncoder, PlainChecksLeaveTheQueryVariablesDecidable)
{
    CoreSolverEncoder encoder(nullptr, nullptr, nullptr, false);
    const Solver& solver = encoder.getSolver();
    // Under 5 every combination of 1 and 2 is excluded; only a decision on
    // 1 or 2 finds that out.
    EXPECT_TRUE(add(encoder, {-5, 1, 2}));
    EXPECT_TRUE(add(encoder, {-5, 1, -2}));
    EXPECT_TRUE(add(encoder, {-5, -1, 2}));
    EXPECT_TRUE(add(encoder, {-5, -1, -2}));
    EXPECT_TRUE(encoder.endEncoding(false, 5, 4, 0, 0));
    EXPECT_TRUE(encoder.checkSatisfiability(1, 2, 5, 4));
    EXPECT_TRUE(solver.isDecisionVar(0));
    EXPECT_TRUE(solver.isDecisionVar(1));
    // 5 is subsumed by anything, 6 here.
    EXPECT_FALSE(encoder.checkSatisfiability(5, 6, 6, 4));
    EXPECT_TRUE(encoder.checkSatisfiability(6, 5, 6, 4));
}

// A small terminology with three axioms (selectors 1 to 3):
//   1: A ⊑ B, 2: B ⊑ C, C ⊑ D (no selector), 3: E ⊑ ⊥;
// A = 4, B = 5, C = 6, D = 7, ⊥ = 8, E = 9.
class CoreSolverEncoderPinpointing : public ::testing::TestWithParam<bool> {
protected:
    CoreSolverEncoderPinpointing() : encoder(nullptr, nullptr, nullptr, GetParam())
    {
        EXPECT_TRUE(add(encoder, {-8}));
        EXPECT_TRUE(add(encoder, {-1, -4, 5}));
        EXPECT_TRUE(add(encoder, {-2, -5, 6}));
        EXPECT_TRUE(add(encoder, {-6, 7}));
        EXPECT_TRUE(add(encoder, {-3, -9, 8}));
        EXPECT_TRUE(encoder.endEncoding(false, 9, 5, 4, 0));
    }

    std::vector<long> query(long sub, long super, const LiteralList* axioms = nullptr, bool refresh = false)
    {
        return pinpoint(encoder, sub, super, axioms, refresh, &subsumed);
    }

    CoreSolverEncoder encoder;
    LiteralList axioms{1, 2, 3};
    bool subsumed = false;
};

using Axioms = std::vector<long>;

TEST_P(CoreSolverEncoderPinpointing, QueriesRunOnTheKeptAxiomLevels)
{
    encoder.preparePinpointing(&axioms);
    // Searching goes on deciding above the axiom levels; the first query drops those levels.
    if (encoder.isPropagateOnly()) {
        EXPECT_EQ(encoder.getSolver().decisionLevel(), 3);
    }

    EXPECT_EQ(query(4, 7), (Axioms{1, 2}));
    EXPECT_TRUE(subsumed);
    EXPECT_EQ(encoder.getSolver().decisionLevel(), 3);
    EXPECT_EQ(query(5, 7), (Axioms{2}));
    EXPECT_TRUE(subsumed);
    // Needs no axiom: an empty list, not a null one.
    EXPECT_EQ(query(6, 7), Axioms{});
    EXPECT_TRUE(subsumed);
    EXPECT_EQ(query(4, 4), Axioms{});
    EXPECT_TRUE(subsumed);
    // E is unsatisfiable by axiom 3, so it is subsumed by anything.
    EXPECT_EQ(query(9, 4), (Axioms{3}));
    EXPECT_TRUE(subsumed);
    query(7, 4);
    EXPECT_FALSE(subsumed);
    query(4, 12);
    EXPECT_FALSE(subsumed);
    EXPECT_EQ(encoder.getSolver().decisionLevel(), 3);
    EXPECT_EQ(query(4, 6), (Axioms{1, 2}));
    EXPECT_TRUE(subsumed);

    // Reloading the same assumptions changes no answer.
    EXPECT_EQ(query(5, 6, &axioms, true), (Axioms{2}));
    EXPECT_TRUE(subsumed);
    EXPECT_EQ(query(4, 7, &axioms, false), (Axioms{1, 2}));
    EXPECT_TRUE(subsumed);
}

TEST_P(CoreSolverEncoderPinpointing, OnlyThePreparedAxiomsAreAssumed)
{
    LiteralList some{2, 3};
    encoder.preparePinpointing(&some);
    query(4, 7);
    EXPECT_FALSE(subsumed);
    EXPECT_EQ(query(5, 7), (Axioms{2}));
    EXPECT_TRUE(subsumed);
}

TEST_P(CoreSolverEncoderPinpointing, APlainCheckInBetweenDoesNotBecomeAnAssumption)
{
    encoder.preparePinpointing(&axioms);
    // Without the axioms A is not subsumed by D.
    EXPECT_TRUE(encoder.checkSatisfiability(4, 7, 9, 5));
    EXPECT_FALSE(encoder.checkSatisfiability(6, 7, 9, 5));
    // Asked without refresh: the axioms are loaded again all the same.
    EXPECT_EQ(query(4, 7, &axioms, false), (Axioms{1, 2}));
    EXPECT_TRUE(subsumed);
    EXPECT_EQ(query(9, 7), (Axioms{3}));
    EXPECT_TRUE(subsumed);
}

TEST_P(CoreSolverEncoderPinpointing, WithoutPreparationNothingButTheQueryIsAssumed)
{
    // The last clause added was -3 -9 8; none of it may be assumed.
    query(9, 4);
    EXPECT_FALSE(subsumed);
    query(4, 7);
    EXPECT_FALSE(subsumed);
    EXPECT_EQ(query(6, 7), Axioms{});
    EXPECT_TRUE(subsumed);
    // A query that brings the list loads it.
    EXPECT_EQ(query(9, 4, &axioms, false), (Axioms{3}));
    EXPECT_TRUE(subsumed);
}

TEST_P(CoreSolverEncoderPinpointing, ClausesAddedAfterPreparationAreUsedOnReload)
{
    encoder.preparePinpointing(&axioms);
    EXPECT_EQ(query(4, 7), (Axioms{1, 2}));
    // A direct A ⊑ D under a new axiom 10.
    EXPECT_TRUE(add(encoder, {-10, -4, 7}));
    EXPECT_TRUE(encoder.endEncoding(false, 10, 6, 1, 0));
    LiteralList more{10, 1, 2, 3};
    std::vector<long> found = query(4, 7, &more, true);
    EXPECT_TRUE(subsumed);
    EXPECT_TRUE(found == (Axioms{10}) || found == (Axioms{1, 2})) << found.size();
    EXPECT_EQ(query(9, 7), (Axioms{3}));
}

INSTANTIATE_TEST_SUITE_P(Modes, CoreSolverEncoderPinpointing, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? std::string("PropagateOnly") : std::string("Search");
                         });

// The clause stream of these encoders is standard error, where the death
// tests read it.
TEST(CoreSolverEncoderDeathTest, ConflictingClausesEndTheProcess)
{
    EXPECT_EXIT(
        {
            CoreSolverEncoder encoder(nullptr, stderr, nullptr, true);
            add(encoder, {-1, 2});
            add(encoder, {-2});
            add(encoder, {1});
        },
        ExitedWithCode(255), "^UNSATISFIABLE\nSolved by trivial conflicts between clauses\n\n$");
    EXPECT_EXIT(
        {
            CoreSolverEncoder encoder(nullptr, stderr, nullptr, false);
            add(encoder, {1});
            add(encoder, {-1});
        },
        ExitedWithCode(255), "^UNSATISFIABLE\nSolved by trivial conflicts between clauses\n\n$");
}

TEST(CoreSolverEncoderDeathTest, SolvingAnUnsatisfiableSetEndsTheProcess)
{
    EXPECT_EXIT(
        {
            CoreSolverEncoder encoder(nullptr, stderr, nullptr, false);
            addAllCombinations(encoder);
            LiteralList none;
            encoder.checkSatisfiability(&none, &none, 2, 4);
            encoder.endEncoding(true, 2, 4, 0, 0);
        },
        ExitedWithCode(255), "^UNSATISFIABLE\nSolved by unit propagation\n\n$");
}

} // namespace
