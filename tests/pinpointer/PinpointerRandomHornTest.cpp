// Random Horn encodings shaped like the classifier's: the pinpointer's MinAs
// must each refute the query and be minimal, and together equal those of an
// independent brute-force enumerator.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "HornInstance.h"
#include "PinpointerRunner.h"
#include "support/SanitizedBuild.h"

namespace {

using pinpointer_test::HornInstance;
using pinpointer_test::RunResult;
using pinpointer_test::ScratchDir;
using Selectors = std::set<int>;

int instanceCount(int normal) {
    return sanitizedBuild() ? normal / 2 : normal;
}

std::vector<int> negativeQueries(const HornInstance& h) {
    std::vector<int> queries;
    for (int d = h.selectors + 1; d <= h.selectors + h.derived; d++) queries.push_back(-d);
    return queries;
}

std::string queryText(const std::vector<int>& queries) {
    std::string text;
    for (int q : queries) text += std::to_string(q) + "\n";
    return text;
}

std::string describe(const HornInstance& h, int query) {
    return "query " + std::to_string(query) + " on\n" + h.encoding();
}

RunResult runOn(const ScratchDir& dir, const HornInstance& h, const std::vector<int>& queries,
                std::vector<std::string> extra) {
    dir.write("selectors", h.assumptionList());
    dir.write("encoding", h.encoding());
    dir.write("queries", queryText(queries));
    std::vector<std::string> arguments = {"-a=selectors", "-i=encoding", "-q=queries"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    return dir.run(arguments);
}

// Each MinA refutes the query and stops doing so when any one selector is
// dropped.
void expectSoundMinA(const HornInstance& h, int query, const Selectors& mina) {
    unsigned mask = HornInstance::toMask(mina);
    EXPECT_TRUE(h.refutes(mask, query)) << "not entailing: " << describe(h, query);
    for (int s : mina) {
        EXPECT_FALSE(h.refutes(mask & ~(1u << (s - 1)), query))
            << "not minimal without " << s << ": " << describe(h, query);
    }
}

std::set<Selectors> asSet(const std::vector<Selectors>& list) { return std::set<Selectors>(list.begin(), list.end()); }

// Every MinA of every query, and the same ones on the MinA lines.
void expectAllMinAs(const HornInstance& h, const std::vector<int>& queries, const RunResult& r) {
    ASSERT_EQ(r.status, 0) << r.err;
    std::vector<std::vector<Selectors> > blocks = pinpointer_test::resultBlocks(r.out);
    ASSERT_EQ(blocks.size(), queries.size()) << r.out;
    std::set<Selectors> printedOnLines = asSet(pinpointer_test::minaLines(r.out));
    for (std::size_t i = 0; i < queries.size(); i++) {
        for (const Selectors& m : blocks[i]) expectSoundMinA(h, queries[i], m);
        EXPECT_EQ(blocks[i].size(), asSet(blocks[i]).size()) << "a MinA printed twice: " << describe(h, queries[i]);
        std::vector<Selectors> expected = h.minas(queries[i]);
        EXPECT_EQ(asSet(blocks[i]), asSet(expected)) << describe(h, queries[i]);
        for (const Selectors& m : blocks[i]) EXPECT_TRUE(printedOnLines.count(m));
    }
}

TEST(PinpointerRandomHorn, MinAsEqualThoseOfBruteForce) {
    std::mt19937 rng(20240611);
    ScratchDir dir;
    for (int n = 0; n < instanceCount(120); n++) {
        HornInstance h = pinpointer_test::randomHornInstance(rng, true);
        std::vector<int> queries = negativeQueries(h);
        queries.push_back(h.selectors + 1);  // a positive query: is the variable refuted?
        expectAllMinAs(h, queries, runOn(dir, h, queries, {}));
        if (::testing::Test::HasFailure()) return;
    }
}

// Without rules that conclude bottom every derivation of a query runs through
// clauses headed by the variables of its cone, so the cone loses nothing.
TEST(PinpointerRandomHorn, ConeOfInfluenceKeepsEveryMinA) {
    std::mt19937 rng(777);
    ScratchDir dir;
    for (int n = 0; n < instanceCount(80); n++) {
        HornInstance h = pinpointer_test::randomHornInstance(rng, false);
        std::vector<int> queries = negativeQueries(h);
        expectAllMinAs(h, queries, runOn(dir, h, queries, {"-c"}));
        expectAllMinAs(h, queries, runOn(dir, h, queries, {"-c", "-e"}));
        if (::testing::Test::HasFailure()) return;
    }
}

// The selectors listed after each "MODULE - AXIOMS: " line, one list per
// query.
std::vector<Selectors> modules(const std::string& out) {
    std::vector<Selectors> all;
    std::vector<std::string> text = pinpointer_test::lines(out);
    for (std::size_t i = 0; i < text.size(); i++) {
        if (text[i] != "MODULE - AXIOMS: ") continue;
        all.emplace_back();
        for (i++; i < text.size() && pinpointer_test::isLiteralLine(text[i]); i++) {
            all.back().insert(std::stoi(text[i]));
        }
        i--;
    }
    return all;
}

// With rules that conclude bottom, a query is also refuted by axioms that
// make bottom follow, which its cone does not reach. The candidates stay
// within the module, but every test must still see all that can refute the
// query: the MinAs found are MinAs, and none inside the module is missed.
TEST(PinpointerRandomHorn, ConeFindsTheMinAsInsideItsModuleWhenAxiomsConcludeBottom) {
    std::mt19937 rng(9001);
    ScratchDir dir;
    for (int n = 0; n < instanceCount(80); n++) {
        HornInstance h = pinpointer_test::randomHornInstance(rng, true);
        std::vector<int> queries = negativeQueries(h);
        RunResult r = runOn(dir, h, queries, {"-c", "-v=2"});
        ASSERT_EQ(r.status, 0) << r.err;
        std::vector<std::vector<Selectors> > blocks = pinpointer_test::resultBlocks(r.out);
        std::vector<Selectors> module = modules(r.out);
        ASSERT_EQ(blocks.size(), queries.size()) << r.out;
        ASSERT_EQ(module.size(), queries.size()) << r.out;
        for (std::size_t i = 0; i < queries.size(); i++) {
            std::set<Selectors> found = asSet(blocks[i]);
            for (const Selectors& m : found) expectSoundMinA(h, queries[i], m);
            for (const Selectors& m : h.minas(queries[i])) {
                bool inside = std::includes(module[i].begin(), module[i].end(), m.begin(), m.end());
                if (inside) {
                    EXPECT_TRUE(found.count(m)) << describe(h, queries[i]);
                }
            }
        }
        if (::testing::Test::HasFailure()) return;
    }
}

TEST(PinpointerRandomHorn, LimitsGiveSomeOfTheMinAs) {
    std::mt19937 rng(4242);
    ScratchDir dir;
    for (int n = 0; n < instanceCount(30); n++) {
        HornInstance h = pinpointer_test::randomHornInstance(rng, true);
        for (int q : negativeQueries(h)) {
            std::set<Selectors> all = asSet(h.minas(q));

            RunResult first = runOn(dir, h, {q}, {"-s"});
            ASSERT_EQ(first.status, 0) << first.err;
            std::vector<Selectors> lines = pinpointer_test::minaLines(first.out);
            EXPECT_EQ(lines.size(), all.empty() ? 0u : 1u) << describe(h, q);
            for (const Selectors& m : lines) EXPECT_TRUE(all.count(m)) << describe(h, q);
            EXPECT_EQ(first.out.find("PINPOINTING RESULTS:"), std::string::npos);

            RunResult two = runOn(dir, h, {q}, {"-s=2"});
            ASSERT_EQ(two.status, 0) << two.err;
            std::vector<std::vector<Selectors> > blocks = pinpointer_test::resultBlocks(two.out);
            ASSERT_EQ(blocks.size(), 1u);
            EXPECT_EQ(blocks[0].size(), std::min<std::size_t>(2, all.size())) << describe(h, q);
            for (const Selectors& m : blocks[0]) EXPECT_TRUE(all.count(m)) << describe(h, q);
        }
        if (::testing::Test::HasFailure()) return;
    }
}

}  // namespace
