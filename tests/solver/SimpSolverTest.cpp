// The simplifying solver: its elimination, subsumption and model extension on
// small hand-made cases, and against independent SAT solvers (picosat and
// cadical, run as separate programs) on seeded random and structured
// problems, with elimination on and off, and in incremental use under
// assumptions on eliminated variables with clauses added between the solves.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "PeerSupport.h"
#include "SolverTestSupport.h"
#include "solver/SimpSolver.h"

namespace {

// A simplifying solver whose internals the tests may look at.
class SimpProbe : public SimpSolver {
public:
    using SimpSolver::eliminate;
    using SimpSolver::hornCompletion;
    using SimpSolver::learntClauses;
    using SimpSolver::occurrences;
    using SimpSolver::problemClauses;
    using SimpSolver::trail;
    using SimpSolver::watchLists;

    int eliminatedCount() const {
        int n = 0;
        for (int v = 0; v < nVars(); v++) n += isEliminated(v);
        return n;
    }
    // Live problem clauses (not removed by the simplification).
    int liveClauses() const {
        int n = 0;
        for (int i = 0; i < problemClauses.size(); i++) n += problemClauses[i]->mark() == 0;
        return n;
    }
};

bool addDimacs(SimpSolver& s, const std::vector<int>& clause) {
    vec<Lit> ps;
    for (int l : clause) {
        while (s.nVars() < std::abs(l)) s.newVar();
        ps.push(toSolverLit(l));
    }
    return s.addClause(ps);
}

// Variables 0..n-1, each kept out of elimination.
void frozenVars(SimpSolver& s, int n) {
    for (int v = 0; v < n; v++) {
        s.newVar();
        s.freeze(v);
    }
}

vec<Lit>& dimacsLits(vec<Lit>& out, const std::vector<int>& lits) {
    out.clear();
    for (int l : lits) out.push(toSolverLit(l));
    return out;
}

// ---------------------------------------------------------------------------
// Small cases

TEST(SimpSolver, VariableOccurringOnlyPositivelyIsEliminatedAndMadeTrue) {
    // x1 occurs only positively: it is eliminated with no resolvent. The
    // model extension makes it true: under 2, 3, -4 because its clauses need
    // it, under -2, 4 because they are satisfied anyway (the default).
    for (const std::vector<int>& assumed : {std::vector<int>{2, 3, -4}, std::vector<int>{-2, 4}}) {
        SimpProbe s;
        addDimacs(s, {1, -2, -3});
        addDimacs(s, {1, 4});
        vec<Lit> assumps;
        ASSERT_TRUE(s.solve(dimacsLits(assumps, assumed), true, false));
        EXPECT_TRUE(s.isEliminated(0));
        EXPECT_EQ(s.modelValue(Lit(0)), l_True);
        for (int l : assumed) EXPECT_EQ(s.modelValue(toSolverLit(l)), l_True);
    }
}

TEST(SimpSolver, ModelExtensionCanBeLeftOut) {
    // x1 is eliminated with its clauses (1 -2) and (1 -3); under 2 only the
    // extension gives it a value, and the answer is the same without it.
    for (bool extension : {true, false}) {
        SimpProbe s;
        s.modelExtension = extension;
        addDimacs(s, {1, -2});
        addDimacs(s, {1, -3});
        addDimacs(s, {2, 3, 4});
        vec<Lit> assumps;
        ASSERT_TRUE(s.solve(dimacsLits(assumps, {2}), true, false));
        ASSERT_TRUE(s.isEliminated(0));
        EXPECT_EQ(toInt(s.model[0]), toInt(extension ? l_True : l_Undef));
    }
}

TEST(SimpSolver, ChainIsEliminatedAndStillAnswersQueriesOnItsVariables) {
    // (-a | b) (-b | c): every variable can go. A later solve that assumes
    // b and -c must bring back b's clauses and answer unsatisfiable, also
    // when simplification was switched off by the first solve.
    for (bool turnOff : {true, false}) {
        SCOPED_TRACE(turnOff ? "switched off" : "kept on");
        SimpProbe s;
        addDimacs(s, {-1, 2});
        addDimacs(s, {-2, 3});
        vec<Lit> assumps;
        ASSERT_TRUE(s.solve(assumps, true, turnOff));
        EXPECT_EQ(s.eliminatedCount(), 3);
        EXPECT_EQ(s.liveClauses(), 0);

        ASSERT_FALSE(s.solve(dimacsLits(assumps, {2, -3}), true, false));
        EXPECT_TRUE(s.okay());
        ASSERT_GT(s.conflict.size(), 0);
        for (int i = 0; i < s.conflict.size(); i++) {
            int l = toDimacs(s.conflict[i]);
            EXPECT_TRUE(l == -2 || l == 3) << l;
        }
        ASSERT_FALSE(s.solve(dimacsLits(assumps, {1, -3}), true, false));
        ASSERT_TRUE(s.solve(dimacsLits(assumps, {-1, 3}), true, false));
        EXPECT_EQ(s.modelValue(toSolverLit(-1)), l_True);
        EXPECT_EQ(s.modelValue(toSolverLit(3)), l_True);
    }
}

TEST(SimpSolver, AssumptionVariablesAreFrozenOnlyDuringTheirSolve) {
    SimpProbe s;
    addDimacs(s, {-1, 2});
    addDimacs(s, {-2, 3});
    vec<Lit> assumps;
    ASSERT_TRUE(s.solve(dimacsLits(assumps, {2}), true, false));
    EXPECT_FALSE(s.isEliminated(1));
    EXPECT_FALSE(s.isFrozen(1));
    EXPECT_TRUE(s.isEliminated(0));
    EXPECT_TRUE(s.isEliminated(2));
    EXPECT_EQ(s.modelValue(toSolverLit(2)), l_True);
    EXPECT_EQ(s.modelValue(toSolverLit(3)), l_True);  // set by the extension
}

TEST(SimpSolver, AfterTurningOffNewClausesAreNotIndexedOrSimplified) {
    SimpProbe s;
    frozenVars(s, 4);
    addDimacs(s, {1, 2});
    addDimacs(s, {-1, 3});
    vec<Lit> none;
    ASSERT_TRUE(s.solve(none, true, true));
    EXPECT_FALSE(s.simplificationOn());
    // x5 occurs once each way: it would be eliminated while simplifying.
    addDimacs(s, {-3, 5});
    addDimacs(s, {-5, 4});
    ASSERT_TRUE(s.solve(none, true, true));
    EXPECT_EQ(s.eliminatedCount(), 0);
    EXPECT_EQ(s.liveClauses(), 4);
}

TEST(SimpSolver, SubsumedAndStrengthenedClausesGo) {
    // (1 2) subsumes (1 2 3); (1 -2) with (1 2) strengthens to the unit 1.
    SimpProbe s;
    frozenVars(s, 3);
    addDimacs(s, {1, 2, 3});
    addDimacs(s, {1, 2});
    addDimacs(s, {1, -2});
    ASSERT_TRUE(s.eliminate(false));
    EXPECT_EQ(s.value(0), l_True);
    EXPECT_EQ(s.liveClauses(), 0);
    vec<Lit> assumps;
    EXPECT_FALSE(s.solve(dimacsLits(assumps, {-1}), true, false));
    ASSERT_EQ(s.conflict.size(), 1);
    EXPECT_EQ(toDimacs(s.conflict[0]), 1);
}

// A set over few variables in which subsumed and strengthenable pairs abound:
// random clauses of one to four literals, copies of earlier ones, earlier
// ones with a literal more, and earlier ones with a literal negated.
Cnf redundantCnf(std::mt19937_64& rng, int n) {
    Cnf cnf;
    cnf.vars = n;
    int m = uniform(rng, n, 4 * n);
    for (int i = 0; i < m; i++) {
        int kind = cnf.clauses.empty() ? 0 : uniform(rng, 0, 3);
        if (kind == 0) {
            cnf.clauses.push_back(randomClause(rng, n, std::min(n, uniform(rng, rng() % 8 == 0 ? 1 : 2, 4))));
            continue;
        }
        std::vector<int> c = cnf.clauses[rng() % cnf.clauses.size()];
        if (kind == 3) c[rng() % c.size()] *= -1;
        if (kind >= 2 && static_cast<int>(c.size()) < n) {
            for (int tries = 0; tries < 20; tries++) {
                int l = randomClause(rng, n, 1)[0];
                bool fresh = true;
                for (int x : c) fresh = fresh && std::abs(x) != std::abs(l);
                if (!fresh) continue;
                c.insert(c.begin() + static_cast<long>(rng() % (c.size() + 1)), l);
                break;
            }
        }
        cnf.clauses.push_back(c);
    }
    return cnf;
}

// Whether the assignment in the bits of a (bit v - 1 for variable v)
// satisfies clause.
bool satisfiedBy(unsigned a, const std::vector<int>& clause) {
    for (int l : clause) {
        if (((a >> (std::abs(l) - 1)) & 1u) == (l > 0 ? 1u : 0u)) return true;
    }
    return false;
}

// Backward subsumption and strengthening run to their fixpoint, alone (every
// variable frozen) and beside elimination (half of them frozen), on sets full
// of redundant clauses. Afterwards no clause left subsumes another or
// strengthens another (c with one literal negated inside d), none holds a
// literal the top-level units assign, each occurrence list holds exactly the
// clauses left on its variable, and the clauses left with the units have,
// over the variables not eliminated, exactly the models of the original set
// (checked on every assignment). A set found unsatisfiable after some
// eliminations, before the clean-up, brings its variables back: each clause
// kept by them is freed once (the sanitized build checks).
TEST(SimpSolver, SubsumptionFixpointLeavesNoRedundantPair) {
    std::mt19937_64 rng(31);
    int removedTotal = 0;
    int unsatisfiedLate = 0;
    for (int i = 0; i < scaled(300) && !testing::Test::HasFailure(); i++) {
        SCOPED_TRACE("instance " + std::to_string(i));
        bool eliminating = i % 2 == 1;
        // Every fourth set is random 3-SAT, often found unsatisfiable only
        // after some variables are eliminated.
        Cnf cnf = i % 4 == 3 ? random3Sat(rng, uniform(rng, 6, 10), 5.0) : redundantCnf(rng, uniform(rng, 3, 10));
        SimpProbe s;
        for (int v = 0; v < cnf.vars; v++) {
            s.newVar();
            if (!eliminating || rng() % 2 == 0) s.freeze(v);
        }
        bool added = load(s, cnf);
        bool ok = s.eliminate(false) && added;
        if (!ok && added && s.eliminatedCount() > 0) {
            // Found unsatisfiable after eliminating: the clauses removed
            // with the eliminated variables come back on request as well.
            unsatisfiedLate++;
            for (int v = 0; v < cnf.vars; v++) {
                if (s.isEliminated(v)) s.freeze(v);
            }
        }

        std::vector<std::vector<int> > left;
        if (ok) {
            for (int k = 0; k < s.problemClauses.size(); k++) {
                const Clause& c = *s.problemClauses[k];
                left.emplace_back();
                for (int j = 0; j < c.size(); j++) {
                    EXPECT_EQ(toInt(s.value(c[j])), toInt(l_Undef)) << "assigned literal " << toDimacs(c[j]);
                    left.back().push_back(toDimacs(c[j]));
                }
                std::sort(left.back().begin(), left.back().end());
            }
            for (int v = 0; v < cnf.vars; v++) {
                std::multiset<const Clause*> listed;
                for (int k = 0; k < s.occurrences[v].size(); k++) listed.insert(s.occurrences[v][k].clause);
                std::multiset<const Clause*> expected;
                for (int k = 0; k < s.problemClauses.size(); k++) {
                    const Clause& c = *s.problemClauses[k];
                    for (int j = 0; j < c.size(); j++) {
                        if (var(c[j]) == v) expected.insert(&c);
                    }
                }
                EXPECT_TRUE(listed == expected) << "occurrence list of " << v + 1;
            }
        }
        removedTotal += static_cast<int>(cnf.clauses.size() - left.size());
        for (size_t a = 0; a < left.size(); a++) {
            for (size_t b = 0; b < left.size(); b++) {
                if (a == b) continue;
                const std::vector<int>& c = left[a];
                const std::vector<int>& d = left[b];
                int missing = 0;
                int flipped = 0;
                for (int x : c) {
                    if (std::binary_search(d.begin(), d.end(), -x)) {
                        flipped++;
                    } else if (!std::binary_search(d.begin(), d.end(), x)) {
                        missing++;
                    }
                }
                EXPECT_FALSE(missing == 0 && flipped <= 1)
                    << "clause " << a << " " << (flipped ? "strengthens" : "subsumes") << " clause " << b;
            }
        }

        // Models over the variables still there, original against left.
        unsigned kept = 0;
        for (int v = 0; v < cnf.vars; v++) kept |= s.isEliminated(v) ? 0u : 1u << v;
        std::set<unsigned> projected;
        for (unsigned a = 0; a < 1u << cnf.vars; a++) {
            bool sat = true;
            for (const std::vector<int>& c : cnf.clauses) sat = sat && satisfiedBy(a, c);
            if (sat) projected.insert(a & kept);
        }
        for (unsigned a = 0; a < 1u << cnf.vars; a++) {
            if ((a & ~kept) != 0) continue;
            bool sat = ok;
            for (const std::vector<int>& c : left) sat = sat && satisfiedBy(a, c);
            for (int t = 0; ok && t < s.trail.size(); t++) sat = sat && satisfiedBy(a, {toDimacs(s.trail[t])});
            EXPECT_EQ(sat, projected.count(a) == 1) << "assignment " << a;
        }
    }
    EXPECT_GT(removedTotal, scaled(300));
    EXPECT_GT(unsatisfiedLate, 0);
}

TEST(SimpSolver, StrengtheningToAFalseUnitIsUnsatisfiable) {
    SimpProbe s;
    frozenVars(s, 2);
    addDimacs(s, {1, 2});
    addDimacs(s, {1, -2});
    addDimacs(s, {-1, 2});
    addDimacs(s, {-1, -2});
    vec<Lit> none;
    EXPECT_FALSE(s.solve(none, true, false));
    EXPECT_FALSE(s.okay());
    EXPECT_EQ(s.conflict.size(), 0);
}

TEST(SimpSolver, DiagnosticsWriteTheirTexts) {
    SimpProbe s;
    addDimacs(s, {-1, 2});
    addDimacs(s, {-2, 3});
    addDimacs(s, {4, 5});
    s.freeze(3);
    s.freeze(4);
    vec<Lit> none;
    ASSERT_TRUE(s.solve(none, true, false));

    char path[] = "/tmp/korvane-simp-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    close(fd);
    testing::internal::CaptureStderr();
    s.toDimacs(path);
    s.verifyModel();
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "Wrote 1 clauses...\nVerified 2 eliminated clauses.\n");

    FILE* f = std::fopen(path, "r");
    ASSERT_NE(f, nullptr);
    char text[256] = {0};
    size_t n = std::fread(text, 1, sizeof text - 1, f);
    std::fclose(f);
    unlink(path);
    // The clause's literals in either order (propagation swaps watches).
    std::string dump(text, n);
    EXPECT_TRUE(dump == "p cnf 5 1\n4 5 0\n" || dump == "p cnf 5 1\n5 4 0\n") << dump;

    testing::internal::CaptureStderr();
    s.toDimacs("/nonexistent-dir/x.cnf");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "could not open file /nonexistent-dir/x.cnf\n");
}

TEST(SimpSolver, ProgressLinesOnlyFromVerbosityTwo) {
    for (int verbosity : {0, 1, 2}) {
        SimpProbe s;
        s.verbosity = verbosity;
        addDimacs(s, {-1, 2});
        addDimacs(s, {-2, 3});
        vec<Lit> none;
        testing::internal::CaptureStderr();
        ASSERT_TRUE(s.solve(none, true, false));
        std::string err = testing::internal::GetCapturedStderr();
        // The first clause taken from the queue leaves one; the first
        // variable taken from the heap leaves two.
        bool subsumption =
            err.find("subsumption left:          1 (         0 subsumed,          0 deleted literals)\r") !=
            std::string::npos;
        bool elimination = err.find("elimination left:          2\r") != std::string::npos;
        EXPECT_EQ(subsumption, verbosity >= 2) << err;
        EXPECT_EQ(elimination, verbosity >= 2) << err;
        if (verbosity == 0) {
            EXPECT_EQ(err, "");
        }
    }
}

// ---------------------------------------------------------------------------
// Against the peers

// A random circuit of AND gates over earlier signals (inputs or gates, each
// possibly negated), written as definitions g <-> a & b, with a few outputs
// asserted: the gate variables are definitions, which elimination removes.
Cnf randomCircuit(std::mt19937_64& rng, int inputs, int gates, int outputs) {
    Cnf cnf;
    cnf.vars = inputs + gates;
    for (int g = inputs + 1; g <= inputs + gates; g++) {
        int a = uniform(rng, 1, g - 1) * (rng() & 1 ? -1 : 1);
        int b = uniform(rng, 1, g - 1) * (rng() & 1 ? -1 : 1);
        cnf.clauses.push_back({-g, a});
        cnf.clauses.push_back({-g, b});
        cnf.clauses.push_back({g, -a, -b});
    }
    for (int i = 0; i < outputs; i++) {
        int g = uniform(rng, inputs + 1, inputs + gates);
        cnf.clauses.push_back({rng() & 1 ? g : -g});
    }
    return cnf;
}

enum class Family { Random3Sat, Horn, Circuit };

struct PeerCase {
    const char* name;
    const char* peer;
    Family family;
    int lo, hi;  // variables
    int count;
};

class SimpSolverPeer : public testing::TestWithParam<PeerCase> {
protected:
    void SetUp() override {
        ASSERT_TRUE(peer.installed());
    }
    Peer peer{GetParam().peer};
};

Cnf makeCnf(std::mt19937_64& rng, const PeerCase& c) {
    int n = uniform(rng, c.lo, c.hi);
    switch (c.family) {
        case Family::Random3Sat:
            return random3Sat(rng, n, 4.26);
        case Family::Horn:
            return randomHorn(rng, n);
        case Family::Circuit:
        default:
            return randomCircuit(rng, n / 5, n - n / 5, uniform(rng, 1, 4));
    }
}

// Every instance is solved with elimination on and off; both answers must be
// the peer's and every model must satisfy every original clause.
TEST_P(SimpSolverPeer, SameAnswersWithAndWithoutElimination) {
    const PeerCase& c = GetParam();
    std::mt19937_64 rng(std::hash<std::string>()(c.name));
    int count = scaled(c.count);
    long eliminated = 0;
    long variables = 0;
    int sat = 0;
    for (int i = 0; i < count; i++) {
        Cnf cnf = makeCnf(rng, c);
        for (bool simplify : {true, false}) {
            SimpProbe s;
            load(s, cnf);
            vec<Lit> none;
            bool answer = s.solve(none, simplify, true);
            checkAnswer(peer, s, cnf, {}, answer, false,
                        "instance " + std::to_string(i) + (simplify ? " simplified" : " plain"));
            if (testing::Test::HasFatalFailure()) return;
            // The clauses removed by the simplification left every watch list.
            if (s.okay()) expectWatchesConsistent(s);
            if (simplify) {
                eliminated += s.eliminatedCount();
                variables += s.nVars();
                sat += answer;
            } else {
                EXPECT_EQ(s.eliminatedCount(), 0);
            }
        }
    }
    // Elimination really happens: most circuit gates go.
    if (c.family == Family::Circuit) {
        EXPECT_GT(eliminated * 4, variables) << eliminated << " of " << variables;
    }
    if (c.family == Family::Random3Sat && count >= 20) {
        EXPECT_GT(sat, 0);
        EXPECT_LT(sat, count);
    }
}

// 20-50 solves in a row under 1-4 assumptions, most of them on variables
// that are eliminated at the time, with clauses added in between; the
// simplification is kept on for a while, then switched off by one of the
// solves. Each answer must be the peer's with the assumptions as unit
// clauses; every final conflict must hold only negated assumptions and
// refute the clauses.
TEST_P(SimpSolverPeer, IncrementalSolvesOnEliminatedVariables) {
    const PeerCase& c = GetParam();
    std::mt19937_64 rng(std::hash<std::string>()(c.name) + 7);
    int count = std::max(2, scaled(c.count / 6));
    int onEliminated = 0;
    for (int i = 0; i < count; i++) {
        Cnf cnf = makeCnf(rng, c);
        // Start from part of the clauses; the rest comes in between.
        size_t loaded = cnf.clauses.size() * 2 / 3;
        Cnf partial;
        partial.vars = cnf.vars;
        partial.clauses.assign(cnf.clauses.begin(), cnf.clauses.begin() + loaded);
        SimpProbe s;
        load(s, partial);
        int solves = uniform(rng, 20, 50);
        int switchOff = uniform(rng, 3, solves - 1);
        for (int k = 0; k < solves; k++) {
            std::vector<int> assumptions;
            int wanted = uniform(rng, 1, 4);
            for (int tries = 0; static_cast<int>(assumptions.size()) < wanted && tries < 50; tries++) {
                int v = uniform(rng, 1, cnf.vars);
                bool fresh = true;
                for (int a : assumptions) fresh = fresh && std::abs(a) != v;
                // Mostly eliminated variables, when there are any.
                if (!fresh || (tries < 40 && !s.isEliminated(v - 1) && uniform(rng, 0, 3) != 0)) continue;
                onEliminated += s.isEliminated(v - 1);
                assumptions.push_back(rng() & 1 ? v : -v);
            }
            vec<Lit> assumps;
            for (int l : assumptions) assumps.push(toSolverLit(l));
            bool answer = s.solve(assumps, true, k == switchOff);
            checkAnswer(peer, s, partial, assumptions, answer, false,
                        "instance " + std::to_string(i) + " solve " + std::to_string(k));
            if (testing::Test::HasFatalFailure()) return;
            if (!s.okay()) break;
            if (k % 4 == 3 && loaded < cnf.clauses.size()) {
                size_t next = std::min(cnf.clauses.size(), loaded + 1 + cnf.clauses.size() / 20);
                for (; loaded < next; loaded++) {
                    partial.clauses.push_back(cnf.clauses[loaded]);
                    addDimacs(s, cnf.clauses[loaded]);
                }
            }
        }
    }
    if (c.family != Family::Random3Sat) {
        EXPECT_GT(onEliminated, 0);
    }
}

// Over Horn clauses a search whose assumptions stand ends at once on the
// assignment that its negative decisions would reach. The same solves, with
// and without that shortcut, on the same states (simplification kept on for a
// while, then switched off; clauses added in between; assumptions often on
// eliminated variables): the same answers, final conflicts and models.
TEST(SimpSolverHorn, CompletionGivesTheFullSearchsAnswers) {
    std::mt19937_64 rng(20261210);
    int count = scaled(40);
    int completed = 0;
    for (int i = 0; i < count && !testing::Test::HasFailure(); i++) {
        Cnf cnf = randomHorn(rng, uniform(rng, 20, 120));
        size_t loaded = cnf.clauses.size() * 3 / 4;
        SimpProbe fast;
        SimpProbe full;
        full.hornCompletion = false;
        for (size_t k = 0; k < loaded; k++) {
            addDimacs(fast, cnf.clauses[k]);
            addDimacs(full, cnf.clauses[k]);
        }
        int solves = uniform(rng, 10, 30);
        int switchOff = uniform(rng, 1, solves);
        for (int k = 0; k < solves && full.okay(); k++) {
            SCOPED_TRACE("instance " + std::to_string(i) + " solve " + std::to_string(k));
            vec<Lit> assumps;
            for (int l : randomAssumptions(rng, cnf.vars, uniform(rng, 0, 4))) assumps.push(toSolverLit(l));
            bool answer = full.solve(assumps, true, k == switchOff);
            ASSERT_EQ(fast.solve(assumps, true, k == switchOff), answer);
            completed += answer;
            ASSERT_EQ(fast.model.size(), full.model.size());
            for (int v = 0; v < full.model.size(); v++)
                EXPECT_EQ(toInt(fast.model[v]), toInt(full.model[v])) << "variable " << v + 1;
            ASSERT_EQ(fast.conflict.size(), full.conflict.size());
            for (int c = 0; c < full.conflict.size(); c++) EXPECT_EQ(fast.conflict[c], full.conflict[c]);
            if (k % 3 == 2 && loaded < cnf.clauses.size()) {
                addDimacs(fast, cnf.clauses[loaded]);
                addDimacs(full, cnf.clauses[loaded]);
                loaded++;
            }
        }
    }
    EXPECT_GT(completed, count);
}

// A clause with two positive literals turns the shortcut off for good: the
// assignment of all open variables false would break it.
TEST(SimpSolverHorn, ClauseWithTwoPositiveLiteralsGetsTheFullSearch) {
    SimpSolver s;
    ASSERT_TRUE(addDimacs(s, {-1, 2}));
    ASSERT_TRUE(addDimacs(s, {3, 4}));
    ASSERT_TRUE(addDimacs(s, {-3, 5}));
    vec<Lit> assumps;
    ASSERT_TRUE(s.solve(dimacsLits(assumps, {1}), false, false));
    EXPECT_EQ(toInt(s.model[1]), toInt(l_True));
    EXPECT_TRUE(s.model[2] == l_True || s.model[3] == l_True);
    if (s.model[2] == l_True) {
        EXPECT_EQ(toInt(s.model[4]), toInt(l_True));
    }
}

const PeerCase kPeerCases[] = {
    {"Random3SatPicosat", "picosat", Family::Random3Sat, 50, 200, 20},
    {"Random3SatCadical", "cadical", Family::Random3Sat, 50, 150, 6},
    {"HornPicosat", "picosat", Family::Horn, 50, 200, 24},
    {"HornCadical", "cadical", Family::Horn, 50, 200, 12},
    {"CircuitPicosat", "picosat", Family::Circuit, 50, 200, 24},
    {"CircuitCadical", "cadical", Family::Circuit, 50, 200, 12},
};

INSTANTIATE_TEST_SUITE_P(Peers, SimpSolverPeer, testing::ValuesIn(kPeerCases),
                         [](const testing::TestParamInfo<PeerCase>& info) { return std::string(info.param.name); });

}  // namespace
