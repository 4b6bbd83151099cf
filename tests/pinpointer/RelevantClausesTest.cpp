// The clauses that can take part in refuting a query, the test solver
// loaded with them and the numbering of the selectors in play, on hand-made
// encodings in CNF numbering (head first, as the reader stores it).

#include <gtest/gtest.h>

#include <initializer_list>
#include <set>
#include <vector>

#include "PinpointingSolverProbe.h"
#include "pinpointer/RelevantClauses.h"
#include "pinpointer/SelectorNumbering.h"
#include "pinpointer/input_readers.h"

namespace {

struct Encoding {
    RelevantClauses clauses;

    explicit Encoding(const std::vector<std::vector<int> >& list) {
        vec<Lit> ps;
        for (const std::vector<int>& c : list) clauses.add(cnfClause(ps, c));
    }

    // The positions of the closure's clauses in the list.
    std::set<int> closure(int query) {
        vec<int> ids;
        clauses.closure(cnf_literal(query), ids);
        std::set<int> out;
        for (int i = 0; i < ids.size(); i++) out.insert(ids[i]);
        EXPECT_EQ(out.size(), static_cast<std::size_t>(ids.size())) << "a clause taken twice";
        return out;
    }
};

// 0: 5 <- 1, 1: 6 <- 2, 5, 2: 7 <- 6, 3, 3: 6 <- 4, 4: 8 <- 3.
const std::vector<std::vector<int> > kRules = {{5, -1}, {6, -2, -5}, {7, -6, -3}, {6, -4}, {8, -3}};

TEST(RelevantClauses, ClosureFollowsTheClausesHeadedByEachVariableBackwards) {
    Encoding e(kRules);
    EXPECT_EQ(e.closure(-6), (std::set<int>{0, 1, 3}));
    EXPECT_EQ(e.closure(-7), (std::set<int>{0, 1, 2, 3}));
    EXPECT_EQ(e.closure(-5), (std::set<int>{0}));
    // The marks of one query do not stay for the next.
    EXPECT_EQ(e.closure(-8), (std::set<int>{4}));
}

// A positive query is refuted only through clauses without a positive
// literal, which the closure always takes, with what they can make false.
TEST(RelevantClauses, ClausesWithoutPositiveLiteralsAreTakenForEveryQuery) {
    std::vector<std::vector<int> > rules = kRules;
    rules.push_back({-9});      // 5: bottom is false
    rules.push_back({9, -8});   // 6: 8 concludes bottom
    rules.push_back({-5, -4});  // 7: 5 and 4 clash
    Encoding e(rules);
    EXPECT_EQ(e.closure(-8), (std::set<int>{0, 4, 5, 6, 7}));
    EXPECT_EQ(e.closure(6), (std::set<int>{0, 4, 5, 6, 7}));

    Encoding plain(kRules);
    EXPECT_EQ(plain.closure(6), (std::set<int>{}));
}

// A clause forces something false only when all its positive literals are
// false.
TEST(RelevantClauses, ClauseWithTwoPositiveLiteralsNeedsBothInTheClosure) {
    Encoding one(std::vector<std::vector<int> >{{9, 6, -1}, {6, -2}});
    EXPECT_EQ(one.closure(-6), (std::set<int>{1}));

    Encoding both(std::vector<std::vector<int> >{{9, 6, -1}, {6, -2}, {-9}});
    EXPECT_EQ(both.closure(-6), (std::set<int>{0, 1, 2}));
}

Lit local(int v, bool negative = false) { return Lit(v, negative); }

bool solveUnder(PinpointingSolver& solver, std::initializer_list<Lit> list) {
    vec<Lit> v;
    for (Lit p : list) v.push(p);
    return solver.solve(v, false, false);
}

// Selectors 1 to 4: 6 <- 2, 5 and 5 <- 3 refute the query -6; 7 <- 1 plays
// no part. With the cone selectors 2 to 4 the selectors in play are 2, 3, 4
// (solver variables 0, 1, 2); 5 and 6 follow as 3 and 4.
TEST(RelevantClauses, TestSolverNumbersTheSelectorsInPlayFirst) {
    Encoding e({{6, -2, -5}, {5, -3}, {7, -1}});
    vec<int> cone;
    for (int s : {1, 2, 3}) cone.push(s);
    PinpointingSolver solver;
    vec<int> inPlay;
    Lit query = e.clauses.loadTestSolver(cnf_literal(-6), cone, 4, solver, inPlay);

    EXPECT_EQ(query, local(4, true));
    ASSERT_EQ(inPlay.size(), 3);
    EXPECT_EQ(inPlay[0], 1);
    EXPECT_EQ(inPlay[1], 2);
    EXPECT_EQ(inPlay[2], 3);
    EXPECT_EQ(solver.nVars(), 5);
    EXPECT_EQ(solver.nClauses(), 2);
    EXPECT_TRUE(solver.propagationOnly);
    // The first test places the selectors that have clauses here.
    ASSERT_EQ(solver.assumptions.size(), 2);
    EXPECT_EQ(solver.assumptions[0], local(0));
    EXPECT_EQ(solver.assumptions[1], local(1));

    EXPECT_FALSE(solveUnder(solver, {local(0), local(1), local(2), query}));
    EXPECT_TRUE(solveUnder(solver, {local(0), local(2), query}));
    EXPECT_TRUE(solveUnder(solver, {local(1), local(2), query}));
}

// Selector variables 1, 3, 4 and 6 in play; the cone was intersected with
// the list 1, 3, 6 (a module) and kept 3 and 6. Selector 1 is excluded;
// selector 4, outside the list, stays free.
TEST(SelectorNumbering, ExcludesTheListedSelectorsInPlayOutsideTheCone) {
    SelectorNumbering numbering;
    for (int v : {1, 3, 4, 6}) numbering.global.push(v);
    vec<int> cone;
    vec<int> list;
    for (int v : {3, 6}) cone.push(v);
    for (int v : {1, 3, 6}) list.push(v);
    numbering.splitByCone(cone, list);
    ASSERT_EQ(numbering.coneSelectors.size(), 2);
    EXPECT_EQ(numbering.coneSelectors[0], 1);
    EXPECT_EQ(numbering.coneSelectors[1], 3);
    ASSERT_EQ(numbering.excludedSelectors.size(), 1);
    EXPECT_EQ(numbering.excludedSelectors[0], local(0, true));

    vec<Lit> mina;
    vec<Lit> global;
    mina.push(local(3));
    mina.push(local(0, true));
    numbering.toGlobal(mina, global);
    ASSERT_EQ(global.size(), 2);
    EXPECT_EQ(global[0], Lit(6));
    EXPECT_EQ(global[1], Lit(1, true));
}

}  // namespace
