// The cone-of-influence walk and the module it gives, on hand-made
// encodings in CNF numbering (solver variable = CNF variable - 1).

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "PinpointingSolverProbe.h"
#include "pinpointer/cone_module.h"
#include "pinpointer/input_readers.h"

namespace {

// A cone solver over the CNF clauses, each given head first as the reader
// stores it.
struct ConeFixture {
    PinpointingSolverProbe solver;
    vec<int> selectors;  // the selectors 1..count

    ConeFixture(int variables, int count, const std::vector<std::vector<int> >& clauses) : solver(variables) {
        for (int s = 0; s < count; s++) selectors.push(s);
        vec<Lit> ps;
        for (const std::vector<int>& c : clauses) solver.addClause(cnfClause(ps, c));
    }

    // The cone of the query in CNF numbering.
    std::set<int> cone(int query) {
        vec<Lit> start;
        start.push(cnf_literal(query));
        solver.queryVariable = var(cnf_literal(query));
        std::set<int> variables;
        solver.coneOfInfluence(start, variables);
        std::set<int> numbers;
        for (int v : variables) numbers.insert(v + 1);
        return numbers;
    }
};

const std::vector<std::vector<int> > kTwoRules = {{5, -1, -2}, {6, -5, -3}};

TEST(PinpointerCone, FollowsThePremisesOfTheClausesHeadedByEachVariable) {
    ConeFixture f(6, 4, kTwoRules);
    EXPECT_EQ(f.cone(-6), (std::set<int>{1, 2, 3, 5, 6}));
    EXPECT_EQ(f.cone(-5), (std::set<int>{1, 2, 5}));
}

TEST(PinpointerCone, TwoLiteralBoundSkipsClausesWithANonSelectorPremise) {
    ConeFixture f(7, 4, {{6, -5}, {6, -2}, {5, -1}, {7, -6}});
    EXPECT_EQ(f.cone(-6), (std::set<int>{1, 2, 5, 6}));
    f.solver.twoLiteralBound = 3;  // the last selector, CNF 4
    EXPECT_EQ(f.cone(-6), (std::set<int>{2, 6}));
}

TEST(PinpointerCone, ExpansionBoundEntersSelectorsWithoutExpandingThem) {
    ConeFixture f(8, 4, {{6, -2, -3}, {2, -7}});  // selector 2 also derived from 7
    EXPECT_EQ(f.cone(-6), (std::set<int>{2, 3, 6, 7}));
    f.solver.expansionBound = 3;
    EXPECT_EQ(f.cone(-6), (std::set<int>{2, 3, 6}));
}

TEST(PinpointerCone, ClausesWithTheNegatedQueryAreNotFollowed) {
    ConeFixture f(7, 4, {{6, -7, -1}, {7, -6, -2}});
    EXPECT_EQ(f.cone(-6), (std::set<int>{1, 6, 7}));
}

TEST(PinpointerModule, MergesTheSelectorListWithTheCone) {
    vec<int> list;
    for (int s : {0, 2, 4, 6}) list.push(s);
    std::set<int> moduleSet;
    vec<int> module;
    vec<Lit> excluded;
    testing::internal::CaptureStdout();
    from_cone_to_module(list, {1, 2, 3, 6, 9}, moduleSet, module, excluded, 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(moduleSet, (std::set<int>{2, 6}));
    ASSERT_EQ(module.size(), 2);
    EXPECT_EQ(module[0], 2);
    EXPECT_EQ(module[1], 6);
    EXPECT_EQ(toStd(excluded), (std::vector<Lit>{Lit(0, true), Lit(4, true)}));
}

TEST(PinpointerModule, ComputeModuleOfTheQuery) {
    ConeFixture f(6, 4, kTwoRules);
    vec<int> coneSelectors;
    vec<Lit> excluded;
    std::set<int> moduleSet;
    usertime::timer stopwatch;
    stopwatch.start();
    testing::internal::CaptureStderr();
    compute_module(f.solver, f.selectors, f.selectors, false, false, cnf_literal(-6), moduleSet, coneSelectors,
                   excluded, 0, stopwatch);
    EXPECT_EQ(testing::internal::GetCapturedStderr().rfind("CONE OF INFLUENCE (CPU-sec): ", 0), 0u);
    EXPECT_EQ(moduleSet, (std::set<int>{0, 1, 2}));
    EXPECT_EQ(toStd(excluded), (std::vector<Lit>{Lit(3, true)}));
    EXPECT_EQ(f.solver.twoLiteralBound, -1);
    EXPECT_EQ(f.solver.expansionBound, -1);

    compute_module(f.solver, f.selectors, f.selectors, true, true, cnf_literal(-6), moduleSet, coneSelectors,
                   excluded, 0, stopwatch);
    EXPECT_EQ(f.solver.twoLiteralBound, 3);
    EXPECT_EQ(f.solver.expansionBound, 3);
}

std::string moduleLines(int verbosity) {
    ConeFixture f(6, 4, kTwoRules);
    vec<int> coneSelectors;
    vec<Lit> excluded;
    std::set<int> moduleSet;
    usertime::timer stopwatch;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    compute_module(f.solver, f.selectors, f.selectors, false, false, cnf_literal(-6), moduleSet, coneSelectors,
                   excluded, verbosity, stopwatch);
    testing::internal::GetCapturedStderr();
    return testing::internal::GetCapturedStdout();
}

TEST(PinpointerModule, LinesByVerbosity) {
    EXPECT_EQ(moduleLines(0), "");
    EXPECT_EQ(moduleLines(1), "MODULE - AXIOMS - SIZE: 3\n");
    EXPECT_EQ(moduleLines(2),
              "CONE OF INFLUENCE - ASSERTIONS - SIZE: 5\n"
              "MODULE - AXIOMS - SIZE: 3\nMODULE - AXIOMS: \n1\n2\n3\n");
    EXPECT_EQ(moduleLines(3),
              "CONE OF INFLUENCE - ASSERTIONS - SIZE: 5\nCONE OF INFLUENCE - ASSERTIONS: \n1\n2\n3\n5\n6\n"
              "MODULE - AXIOMS - SIZE: 3\nMODULE - AXIOMS: \n1\n2\n3\n");
}

}  // namespace
