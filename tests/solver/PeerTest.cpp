// The solver against an independent SAT solver (picosat, run as a separate
// program) on seeded random problems: random 3-SAT near the satisfiability
// threshold, random Horn sets, solving under assumptions, the propagation-only
// mode, the kept-trail pattern of pinpointing queries and clauses added
// between solves. Every model is checked against every clause, and every
// final conflict must consist of negated assumptions and be unsatisfiable
// together with the clauses.
//
// The number of instances is scaled down in sanitizer builds; the variable
// KORVANE_SOLVER_PEER_SCALE (a factor, e.g. 0.1 or 2) overrides the scale.

#include <gtest/gtest.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "SolverTestSupport.h"
#include "solver/Solver.h"

extern char** environ;

namespace {

// ---------------------------------------------------------------------------
// Problems in DIMACS numbering (variables from 1, negative = negated)

struct Cnf {
    int vars = 0;
    std::vector<std::vector<int> > clauses;
};

Lit toSolverLit(int dimacs) { return Lit((dimacs > 0 ? dimacs : -dimacs) - 1, dimacs < 0); }
int toDimacs(Lit p) { return sign(p) ? -(var(p) + 1) : var(p) + 1; }

double peerScale() {
    double scale = 1.0;
#ifdef KORVANE_SOLVER_TESTS_SANITIZED
    scale = 0.5;
#endif
    if (const char* env = std::getenv("KORVANE_SOLVER_PEER_SCALE")) scale = std::atof(env);
    return scale;
}

int scaled(int count) { return std::max(1, static_cast<int>(count * peerScale())); }

int uniform(std::mt19937_64& rng, int lo, int hi) {  // lo..hi inclusive
    return lo + static_cast<int>(rng() % static_cast<uint64_t>(hi - lo + 1));
}

// k distinct variables out of 1..n.
std::vector<int> distinctVars(std::mt19937_64& rng, int n, int k) {
    std::vector<int> out;
    while (static_cast<int>(out.size()) < k) {
        int v = uniform(rng, 1, n);
        if (std::find(out.begin(), out.end(), v) == out.end()) out.push_back(v);
    }
    return out;
}

std::vector<int> randomClause(std::mt19937_64& rng, int n, int k) {
    std::vector<int> clause = distinctVars(rng, n, k);
    for (int& l : clause) {
        if (rng() & 1) l = -l;
    }
    return clause;
}

Cnf random3Sat(std::mt19937_64& rng, int n, double ratio) {
    Cnf cnf;
    cnf.vars = n;
    int m = static_cast<int>(n * ratio + 0.5);
    for (int i = 0; i < m; i++) cnf.clauses.push_back(randomClause(rng, n, 3));
    return cnf;
}

// Facts, rules (one positive head, one to three negated premises) and a few
// purely negative goal clauses.
Cnf randomHorn(std::mt19937_64& rng, int n) {
    Cnf cnf;
    cnf.vars = n;
    int m = n * uniform(rng, 15, 30) / 10;
    for (int i = 0; i < m; i++) {
        int kind = uniform(rng, 0, 99);
        if (kind < 6) {
            cnf.clauses.push_back({uniform(rng, 1, n)});
        } else if (kind < 14) {
            std::vector<int> goal = distinctVars(rng, n, uniform(rng, 1, 3));
            for (int& l : goal) l = -l;
            cnf.clauses.push_back(goal);
        } else {
            std::vector<int> rule = distinctVars(rng, n, uniform(rng, 2, 4));
            for (size_t k = 1; k < rule.size(); k++) rule[k] = -rule[k];
            cnf.clauses.push_back(rule);
        }
    }
    return cnf;
}

std::vector<int> randomAssumptions(std::mt19937_64& rng, int n, int k) { return randomClause(rng, n, k); }

// ---------------------------------------------------------------------------
// The peer

class Peer {
public:
    Peer() {
        const char* env = std::getenv("KORVANE_PICOSAT");
        if (env != nullptr && access(env, X_OK) == 0) {
            program = env;
        } else if (const char* path = std::getenv("PATH")) {
            std::string dirs = path;
            size_t start = 0;
            while (start <= dirs.size()) {
                size_t end = dirs.find(':', start);
                if (end == std::string::npos) end = dirs.size();
                std::string candidate = dirs.substr(start, end - start) + "/picosat";
                if (end > start && access(candidate.c_str(), X_OK) == 0) {
                    program = candidate;
                    break;
                }
                start = end + 1;
            }
        }
        if (program.empty() && access("/usr/bin/picosat", X_OK) == 0) program = "/usr/bin/picosat";

        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp != nullptr && *tmp != '\0' ? tmp : "/tmp") + "/korvane-peer-XXXXXX";
        std::vector<char> buffer(pattern.begin(), pattern.end());
        buffer.push_back('\0');
        if (mkdtemp(buffer.data()) != nullptr) directory = buffer.data();
    }

    ~Peer() {
        if (!directory.empty()) {
            std::remove(file().c_str());
            rmdir(directory.c_str());
        }
    }

    bool available() const { return !program.empty() && !directory.empty(); }

    // 10 satisfiable, 20 unsatisfiable (the peer's exit codes); -1 on failure.
    int solve(const Cnf& cnf, const std::vector<int>& units = {}) {
        calls++;
        std::string path = file();
        FILE* out = std::fopen(path.c_str(), "w");
        if (out == nullptr) return -1;
        std::fprintf(out, "p cnf %d %d\n", cnf.vars, static_cast<int>(cnf.clauses.size() + units.size()));
        for (const std::vector<int>& clause : cnf.clauses) {
            for (int l : clause) std::fprintf(out, "%d ", l);
            std::fprintf(out, "0\n");
        }
        for (int l : units) std::fprintf(out, "%d 0\n", l);
        std::fclose(out);

        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        std::vector<char*> argv = {const_cast<char*>(program.c_str()), const_cast<char*>(path.c_str()), nullptr};
        pid_t pid;
        int rc = posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        if (rc != 0) return -1;
        int status = 0;
        if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
        int code = WEXITSTATUS(status);
        return code == 10 || code == 20 ? code : -1;
    }

    int calls = 0;

private:
    std::string program;
    std::string directory;
    std::string file() const { return directory + "/problem.cnf"; }
};

// ---------------------------------------------------------------------------
// Loading and checking

// Creates the variables of cnf and adds its clauses; false when the solver
// found the clauses unsatisfiable while adding them.
bool load(Solver& s, const Cnf& cnf, size_t from = 0) {
    while (s.nVars() < cnf.vars) s.newVar();
    vec<Lit> ps;
    bool ok = s.okay();
    for (size_t i = from; i < cnf.clauses.size(); i++) {
        ps.clear();
        for (int l : cnf.clauses[i]) ps.push(toSolverLit(l));
        ok = s.addClause(ps) && ok;
    }
    return ok;
}

void setAssumptions(Solver& s, const std::vector<int>& assumptions) {
    s.assumptions.clear();
    for (int l : assumptions) s.assumptions.push(toSolverLit(l));
}

// Checks one answer of s on cnf under the given assumptions against the peer.
void checkAnswer(Peer& peer, Solver& s, const Cnf& cnf, const std::vector<int>& assumptions, bool answer,
                 bool propagateOnly, const std::string& where) {
    SCOPED_TRACE(where);
    int expected = peer.solve(cnf, assumptions);
    ASSERT_NE(expected, -1) << "peer failed";
    ASSERT_EQ(answer, expected == 10);

    if (answer) {
        if (propagateOnly) {
            EXPECT_EQ(s.model.size(), 0);
            return;
        }
        ASSERT_EQ(s.model.size(), s.nVars());
        for (const std::vector<int>& clause : cnf.clauses) {
            bool sat = false;
            for (int l : clause) sat = sat || s.modelValue(toSolverLit(l)) == l_True;
            ASSERT_TRUE(sat) << "model falsifies a clause";
        }
        for (int l : assumptions) ASSERT_EQ(s.modelValue(toSolverLit(l)), l_True) << "model falsifies assumption " << l;
        return;
    }

    if (s.conflict.size() == 0) {
        EXPECT_FALSE(s.okay());
        EXPECT_EQ(peer.solve(cnf), 20) << "empty conflict on clauses that are satisfiable alone";
        return;
    }
    EXPECT_TRUE(s.okay());
    std::set<int> assumed(assumptions.begin(), assumptions.end());
    std::vector<int> negated;
    for (int i = 0; i < s.conflict.size(); i++) {
        int l = toDimacs(s.conflict[i]);
        ASSERT_TRUE(assumed.count(-l)) << "conflict literal " << l << " is not a negated assumption";
        negated.push_back(-l);
    }
    EXPECT_EQ(peer.solve(cnf, negated), 20) << "final conflict is not a refutation";
}

class SolverPeer : public testing::Test {
protected:
    void SetUp() override {
        if (!peer.available()) GTEST_SKIP() << "picosat not found (apt-get install picosat)";
    }
    Peer peer;
};

// ---------------------------------------------------------------------------
// Plain solving

void random3SatBand(Peer& peer, uint64_t seed, int lo, int hi, int count) {
    std::mt19937_64 rng(seed);
    int sat = 0;
    for (int i = 0; i < count; i++) {
        int n = uniform(rng, lo, hi);
        Cnf cnf = random3Sat(rng, n, 4.26);
        SolverProbe s;
        load(s, cnf);
        bool answer = s.solve(s.assumptions);
        checkAnswer(peer, s, cnf, {}, answer, false, "instance " + std::to_string(i));
        if (testing::Test::HasFatalFailure()) return;
        if (i % 25 == 0) expectWatchesConsistent(s);
        sat += answer;
    }
    // Near the threshold both answers must turn up.
    if (count >= 50) {
        EXPECT_GT(sat, count / 10);
        EXPECT_LT(sat, count - count / 10);
    }
}

TEST_F(SolverPeer, Random3SatSmall) { random3SatBand(peer, 1001, 20, 60, scaled(800)); }
TEST_F(SolverPeer, Random3SatMedium) { random3SatBand(peer, 1002, 61, 110, scaled(450)); }
TEST_F(SolverPeer, Random3SatLarge) { random3SatBand(peer, 1003, 111, 150, scaled(250)); }

TEST_F(SolverPeer, RandomHorn) {
    std::mt19937_64 rng(2001);
    int count = scaled(400);
    for (int i = 0; i < count; i++) {
        Cnf cnf = randomHorn(rng, uniform(rng, 20, 150));
        Solver s;
        load(s, cnf);
        bool answer = s.solve(s.assumptions);
        checkAnswer(peer, s, cnf, {}, answer, false, "instance " + std::to_string(i));
        if (testing::Test::HasFatalFailure()) return;
    }
}

// Every parameter that changes the search, on small instances.
TEST_F(SolverPeer, ParameterVariants) {
    std::mt19937_64 rng(3001);
    int count = scaled(360);
    for (int i = 0; i < count; i++) {
        int n = uniform(rng, 20, 80);
        Cnf cnf = random3Sat(rng, n, 4.26);
        SolverProbe s;
        int variant = i % 6;
        switch (variant) {
            case 0:
                s.expensiveMinimisation = false;
                break;
            case 1:
                s.polarityMode = 0;
                break;
            case 2:
                s.polarityMode = 2;
                break;
            case 3:
                s.polarityMode = 3;
                s.randomDecisionFrequency = 0.3;
                break;
            case 4:  // frequent restarts and learnt-clause reductions
                s.firstRestartLimit = 2;
                s.restartGrowth = 1.05;
                s.learntLimitFactor = 0.02;
                s.learntLimitGrowth = 1.0;
                break;
            default:  // no restarts, seeded activities
                s.firstRestartLimit = -1;
                s.variableDecay = 1 / 0.8;
                break;
        }
        while (s.nVars() < n) {
            int v = s.newVar(variant == 5 ? static_cast<double>(uniform(rng, 0, 100)) : 0.0, (rng() & 1) != 0);
            (void)v;
        }
        load(s, cnf);
        bool answer = s.solve(s.assumptions);
        checkAnswer(peer, s, cnf, {}, answer, false, "instance " + std::to_string(i) + " variant " + std::to_string(variant));
        if (testing::Test::HasFatalFailure()) return;
        expectWatchesConsistent(s);
    }
}

// ---------------------------------------------------------------------------
// Solving under assumptions, repeatedly on one solver

TEST_F(SolverPeer, AssumptionsOnRandom3Sat) {
    std::mt19937_64 rng(4001);
    int count = scaled(220);
    int refuted = 0;
    for (int i = 0; i < count; i++) {
        int n = uniform(rng, 20, 100);
        Cnf cnf = random3Sat(rng, n, 2.5 + uniform(rng, 0, 15) / 10.0);
        Solver s;
        load(s, cnf);
        for (int query = 0; query < 6; query++) {
            std::vector<int> assumptions = randomAssumptions(rng, n, uniform(rng, 1, std::max(1, n / 5)));
            setAssumptions(s, assumptions);
            bool answer = s.solve(s.assumptions);
            checkAnswer(peer, s, cnf, assumptions, answer, false,
                        "instance " + std::to_string(i) + " query " + std::to_string(query));
            if (testing::Test::HasFatalFailure()) return;
            refuted += !answer && s.conflict.size() > 0;
            ASSERT_EQ(s.decisionLevel(), 0);
        }
    }
    EXPECT_GT(refuted, 0);
}

TEST_F(SolverPeer, HornUnderAssumptions) {
    std::mt19937_64 rng(5001);
    int count = scaled(300);
    for (int i = 0; i < count; i++) {
        int n = uniform(rng, 20, 150);
        Cnf cnf = randomHorn(rng, n);
        Solver s;
        load(s, cnf);
        for (int query = 0; query < 4; query++) {
            std::vector<int> assumptions = randomAssumptions(rng, n, uniform(rng, 1, 6));
            setAssumptions(s, assumptions);
            bool answer = s.solve(s.assumptions);
            checkAnswer(peer, s, cnf, assumptions, answer, false,
                        "instance " + std::to_string(i) + " query " + std::to_string(query));
            if (testing::Test::HasFatalFailure()) return;
        }
    }
}

// On Horn clauses unit propagation is complete, so the propagation-only
// answers must agree with the peer exactly.
TEST_F(SolverPeer, HornPropagationOnly) {
    std::mt19937_64 rng(6001);
    int count = scaled(300);
    for (int i = 0; i < count; i++) {
        int n = uniform(rng, 20, 150);
        Cnf cnf = randomHorn(rng, n);
        SolverProbe s;
        load(s, cnf);
        uint64_t seedBefore = static_cast<uint64_t>(s.randomSeed);
        for (int query = 0; query < 5; query++) {
            std::vector<int> assumptions = randomAssumptions(rng, n, uniform(rng, 1, 8));
            setAssumptions(s, assumptions);
            bool answer = s.solve(s.assumptions, true);
            checkAnswer(peer, s, cnf, assumptions, answer, true,
                        "instance " + std::to_string(i) + " query " + std::to_string(query));
            if (testing::Test::HasFatalFailure()) return;
        }
        EXPECT_EQ(static_cast<uint64_t>(s.randomSeed), seedBefore) << "a decision was drawn";
        expectWatchesConsistent(s);
    }
}

// The pinpointing pattern: Horn axioms guarded by selector variables, the
// selectors placed once with the whole trail kept, then queries (sub true,
// super false) appended and solved keeping the selector levels.
TEST_F(SolverPeer, KeptSelectorLevelsAcrossQueries) {
    std::mt19937_64 rng(7001);
    int count = scaled(160);
    int subsumed = 0;
    for (int i = 0; i < count; i++) {
        int concepts = uniform(rng, 20, 120);
        int axioms = uniform(rng, concepts / 2, concepts * 2);
        bool propagateOnly = i % 3 != 2;
        Cnf cnf;
        cnf.vars = concepts + axioms;
        std::vector<int> selectors;
        for (int k = 0; k < axioms; k++) {
            int selector = concepts + k + 1;
            selectors.push_back(selector);
            std::vector<int> rule = distinctVars(rng, concepts, uniform(rng, 2, 3));
            for (size_t j = 1; j < rule.size(); j++) rule[j] = -rule[j];
            rule.push_back(-selector);
            cnf.clauses.push_back(rule);
        }
        Solver s;
        load(s, cnf);
        setAssumptions(s, selectors);
        ASSERT_TRUE(s.solve(s.assumptions, propagateOnly, true, true));
        ASSERT_GE(s.decisionLevel(), axioms);

        for (int query = 0; query < 8; query++) {
            std::vector<int> pair = distinctVars(rng, concepts, 2);
            std::vector<int> assumptions = selectors;
            assumptions.push_back(pair[0]);
            assumptions.push_back(-pair[1]);
            s.assumptions.push(toSolverLit(pair[0]));
            s.assumptions.push(toSolverLit(-pair[1]));
            bool answer = s.solve(s.assumptions, propagateOnly, true, false);
            checkAnswer(peer, s, cnf, assumptions, answer, propagateOnly,
                        "instance " + std::to_string(i) + " query " + std::to_string(query));
            if (testing::Test::HasFatalFailure()) return;
            EXPECT_LE(s.decisionLevel(), axioms);
            s.assumptions.shrink(2);
            subsumed += !answer;
        }
    }
    EXPECT_GT(subsumed, 0);
}

// Clauses added in batches between solves on one solver.
TEST_F(SolverPeer, ClausesAddedBetweenSolves) {
    std::mt19937_64 rng(8001);
    int count = scaled(150);
    for (int i = 0; i < count; i++) {
        int n = uniform(rng, 20, 80);
        Cnf all = random3Sat(rng, n, 4.6);
        Cnf prefix;
        prefix.vars = n;
        SolverProbe s;
        size_t batch = all.clauses.size() / 4 + 1;
        for (size_t from = 0; from < all.clauses.size(); from += batch) {
            size_t to = std::min(all.clauses.size(), from + batch);
            prefix.clauses.insert(prefix.clauses.end(), all.clauses.begin() + from, all.clauses.begin() + to);
            load(s, prefix, from);
            std::vector<int> assumptions;
            if (rng() & 1) assumptions = randomAssumptions(rng, n, uniform(rng, 1, 4));
            setAssumptions(s, assumptions);
            bool answer = s.solve(s.assumptions);
            checkAnswer(peer, s, prefix, assumptions, answer, false,
                        "instance " + std::to_string(i) + " clauses " + std::to_string(to));
            if (testing::Test::HasFatalFailure()) return;
        }
        expectWatchesConsistent(s);
    }
}

}  // namespace
