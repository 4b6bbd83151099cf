// The MinA enumeration in process, on hand-made encodings in CNF numbering
// (head first, as the reader stores it).

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "PinpointingSolverProbe.h"
#include "pinpointer/input_readers.h"
#include "pinpointer/mina_enumeration.h"

namespace {

using Selectors = std::set<int>;

// The solvers of one run over selectors 1..count and the given clauses.
class Enumerator {
public:
    Enumerator(int count, const std::vector<std::vector<int> >& clauseList) {
        for (int s = 0; s < count; s++) assumptionList.push(s);
        ClauseList clauses;
        vec<Lit> clause;
        for (const std::vector<int>& c : clauseList) clauses.add(cnfClause(clause, c));
        testing::internal::CaptureStderr();
        prepare_pinpointing(assumptionList, clauses, *candidate, test, *found, nullptr, nullptr, 1, stopwatch);
        testing::internal::GetCapturedStderr();
    }

    // The MinAs stored for the query (CNF numbering); out and err receive
    // what was printed.
    std::set<Selectors> run(int query, long limit, int verbosity = 1) {
        if (queries++ > 0) {
            candidate.reset(new PinpointingSolver());
            found.reset(new PinpointingSolver());
            testing::internal::CaptureStderr();
            reset_between_queries(assumptionList, *candidate, test, *found, stopwatch);
            testing::internal::GetCapturedStderr();
        }
        MinASet results;
        vec<Lit> excluded;
        vec<int> coneSelectors;
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        perform_pinpointing(*candidate, test, *found, assumptionList, excluded, coneSelectors, false,
                            cnf_literal(query), results, limit, verbosity, stopwatch);
        err = testing::internal::GetCapturedStderr();
        out = testing::internal::GetCapturedStdout();
        std::set<Selectors> sets;
        for (vec<Lit>* m : results) {
            Selectors s;
            for (int i = 0; i < m->size(); i++) s.insert(var((*m)[i]) + 1);
            sets.insert(s);
            delete m;
        }
        return sets;
    }

    vec<int> assumptionList;
    std::unique_ptr<PinpointingSolver> candidate{new PinpointingSolver()};
    std::unique_ptr<PinpointingSolver> found{new PinpointingSolver()};
    PinpointingSolver test;
    usertime::timer stopwatch;
    int queries = 0;
    std::string out;
    std::string err;
};

// Axioms 1 to 4; 5 follows from axiom 1; 6 from axiom 2 and 5, or from
// axiom 3 alone; 7 from axiom 4 and 6.
const std::vector<std::vector<int> > kPaths = {{5, -1}, {6, -2, -5}, {6, -3}, {7, -4, -6}};

TEST(PinpointerEnumeration, EveryMinAOfEachQuery) {
    Enumerator e(4, kPaths);
    EXPECT_EQ(e.run(-6, 0), (std::set<Selectors>{{1, 2}, {3}}));
    EXPECT_EQ(e.run(-7, 0), (std::set<Selectors>{{1, 2, 4}, {3, 4}}));
    EXPECT_EQ(e.run(-5, 0), (std::set<Selectors>{{1}}));
    EXPECT_EQ(e.run(7, 0), (std::set<Selectors>{}));
    EXPECT_EQ(e.run(-6, 0), (std::set<Selectors>{{1, 2}, {3}}));
}

TEST(PinpointerEnumeration, LimitOnePrintsTheFirstAndStoresNothing) {
    Enumerator e(4, kPaths);
    EXPECT_TRUE(e.run(-7, 1).empty());
    EXPECT_EQ(e.out.rfind("MinA AXIOMS: ", 0), 0u);
    EXPECT_NE(e.err.find("ELAPSED (CPU-sec): "), std::string::npos);
    EXPECT_EQ(e.candidate->nClauses(), 1);  // its blocking clause

    EXPECT_TRUE(e.run(-7, 1, 0).empty());
    EXPECT_EQ(e.out, "");
    EXPECT_NE(e.err.find("ELAPSED (CPU-sec): "), std::string::npos);
}

TEST(PinpointerEnumeration, LimitStopsWithTheExplanationsCleared) {
    Enumerator e(4, kPaths);
    EXPECT_EQ(e.run(-7, 2).size(), 2u);
    EXPECT_EQ(e.test.explanations.size(), 0);
    EXPECT_EQ(e.run(-7, 5).size(), 2u);
}

TEST(PinpointerEnumeration, SingleSelectorMinABecomesAFactOfTheCandidateSolver) {
    Enumerator e(3, {{4, -1}, {4, -2, -3}});
    EXPECT_EQ(e.run(-4, 0), (std::set<Selectors>{{1}, {2, 3}}));
    EXPECT_EQ(e.candidate->value(0), l_False);
    EXPECT_EQ(e.candidate->level(0), 0);
}

TEST(PinpointerEnumeration, CoreHoldingAFoundMinAIsReported) {
    // Axioms 1 and 2 each give 4 alone; the first core of all selectors
    // holds one, a later candidate may only hold a found one.
    Enumerator e(3, {{4, -1}, {4, -2}, {5, -3}});
    EXPECT_EQ(e.run(-4, 0, 3), (std::set<Selectors>{{1}, {2}}));
    EXPECT_EQ(e.out.find("PINPOINTING"), std::string::npos);
}

// Forty selectors that play no part in the query: once a candidate is found
// consistent, no subset of it may come back as a candidate (there are 2^38
// of them).
TEST(PinpointerEnumeration, UnrelatedSelectorsDoNotMultiplyTheCandidates) {
    std::vector<std::vector<int> > clauses = {{43, -1}, {43, -2}};
    for (int s = 3; s <= 40; s++) clauses.push_back({44, -s});
    Enumerator e(40, clauses);
    EXPECT_EQ(e.run(-43, 0, 3), (std::set<Selectors>{{1}, {2}}));
    std::size_t bad = 0;
    for (std::size_t at = e.out.find("BAD: "); at != std::string::npos; at = e.out.find("BAD: ", at + 1)) bad++;
    EXPECT_LE(bad, 3u);
}

TEST(PinpointerEnumeration, EmptyMinAWhenNoAxiomIsNeeded) {
    Enumerator top(2, {{3}, {4, -3, -1}});
    EXPECT_EQ(top.run(-3, 0), (std::set<Selectors>{{}}));
    EXPECT_EQ(top.run(-4, 0), (std::set<Selectors>{{1}}));

    Enumerator inconsistent(2, {{3}, {-3}});
    EXPECT_EQ(inconsistent.run(-1, 0), (std::set<Selectors>{{}}));
}

}  // namespace
