// The pinpointer on the classifier's encodings of shared ontologies: sampled
// derived subsumptions, asked as negative literal queries, each have MinAs;
// every MinA derives its subsumption by forward chaining over the encoding
// and stops doing so without any one of its axioms; the cone of influence
// keeps the MinAs, and the first MinA is one of them.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "PinpointerRunner.h"

namespace {

using pinpointer_test::minaLines;
using pinpointer_test::resultBlocks;
using pinpointer_test::RunResult;
using pinpointer_test::ScratchDir;
using pinpointer_test::sanitized;
using Selectors = std::set<int>;

// The Horn clauses of an encoding body, with forward chaining from a set of
// facts.
class HornEncoding {
public:
    explicit HornEncoding(const std::string& path) {
        std::ifstream in(path);
        std::vector<int> premises;
        int head = 0;
        int x;
        while (in >> x) {
            if (x == 0) {
                add(head, premises);
                premises.clear();
                head = 0;
            } else if (x > 0) {
                EXPECT_EQ(head, 0) << "a clause with two positive literals";
                head = x;
            } else {
                premises.push_back(-x);
            }
        }
    }

    // Whether goal follows from the facts.
    bool derives(const Selectors& facts, int goal) const {
        std::vector<int> satisfied(heads.size(), 0);
        int largest = static_cast<int>(byPremise.size());
        for (int v : facts) largest = std::max(largest, v + 1);
        std::vector<char> known(largest, 0);
        std::vector<int> queue;
        for (int v : facts) queue.push_back(v), known[v] = 1;
        for (int head : factHeads) {
            if (!known[head]) queue.push_back(head), known[head] = 1;
        }
        while (!queue.empty()) {
            int v = queue.back();
            queue.pop_back();
            if (v == goal) return true;
            if (v >= static_cast<int>(byPremise.size())) continue;
            for (int c : byPremise[v]) {
                if (++satisfied[c] == premiseNeeded[c] && !known[heads[c]]) {
                    known[heads[c]] = 1;
                    queue.push_back(heads[c]);
                }
            }
        }
        return false;
    }

private:
    std::vector<int> heads;
    std::vector<int> premiseNeeded;
    std::vector<std::vector<int> > byPremise;  // clause indices by premise variable (sized past every variable)
    std::vector<int> factHeads;

    void add(int head, const std::vector<int>& premises) {
        ASSERT_NE(head, 0) << "a clause without a conclusion";
        if (head >= static_cast<int>(byPremise.size())) byPremise.resize(head + 1);
        if (premises.empty()) {
            factHeads.push_back(head);
            return;
        }
        std::set<int> distinct(premises.begin(), premises.end());
        int c = static_cast<int>(heads.size());
        heads.push_back(head);
        premiseNeeded.push_back(static_cast<int>(distinct.size()));
        for (int p : distinct) {
            if (p >= static_cast<int>(byPremise.size())) byPremise.resize(p + 1);
            byPremise[p].push_back(c);
        }
    }
};

struct Encoded {
    int selectors = 0;
    std::vector<int> derived;  // deduction variables of the deductions table
};

// Classifies the ontology into dir: body, assumptions, table.
Encoded classify(const ScratchDir& dir, const std::string& ontology) {
    ProcessResult run = runProgram({KORVANE_CLASSIFIER_PATH, "-i=" + std::string(KORVANE_DATA_DIR) + "/" + ontology + ".krss",
                                    "-o=body", "-h=header", "-p=assumptions", "-z=table"},
                                   "", false, dir.dir);
    Encoded e;
    EXPECT_EQ(run.status, 0) << run.out << run.err;
    std::ifstream assumptions(dir.dir + "/assumptions");
    int v;
    while (assumptions >> v) e.selectors++;
    std::ifstream table(dir.dir + "/table");
    std::string line;
    while (std::getline(table, line)) {
        int number = std::atoi(line.c_str());
        if (number > e.selectors) e.derived.push_back(number);
    }
    return e;
}

std::vector<int> sample(const std::vector<int>& derived, std::size_t count, unsigned seed) {
    std::vector<int> all = derived;
    std::mt19937 rng(seed);
    std::shuffle(all.begin(), all.end(), rng);
    if (all.size() > count) all.resize(count);
    return all;
}

std::string queryText(const std::vector<int>& queries) {
    std::string text;
    for (int q : queries) text += "-" + std::to_string(q) + "\n";
    return text;
}

void expectSound(const HornEncoding& encoding, int goal, const Selectors& mina, const std::string& ontology) {
    EXPECT_TRUE(encoding.derives(mina, goal)) << ontology << ": a MinA of " << goal << " that does not derive it";
    for (int s : mina) {
        Selectors less = mina;
        less.erase(s);
        EXPECT_FALSE(encoding.derives(less, goal)) << ontology << ": a MinA of " << goal << " that holds without " << s;
    }
}

// Runs the sample with the given options and checks every printed MinA;
// returns the MinAs of each query (by the results blocks, or the MinA lines
// with -s).
std::vector<std::set<Selectors> > checkedRun(const ScratchDir& dir, const HornEncoding& encoding,
                                             const std::vector<int>& queries, std::vector<std::string> extra,
                                             const std::string& ontology) {
    std::vector<std::string> arguments = {"-a=assumptions", "-i=body", "-q=queries", "-v=0"};
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    RunResult r = dir.run(arguments);
    EXPECT_EQ(r.status, 0) << r.err;
    std::vector<std::vector<Selectors> > blocks = resultBlocks(r.out);
    EXPECT_EQ(blocks.size(), queries.size()) << ontology;
    std::vector<std::set<Selectors> > sets;
    for (std::size_t i = 0; i < blocks.size() && i < queries.size(); i++) {
        EXPECT_FALSE(blocks[i].empty()) << ontology << ": no MinA for the derived subsumption " << queries[i];
        for (const Selectors& m : blocks[i]) expectSound(encoding, queries[i], m, ontology);
        sets.emplace_back(blocks[i].begin(), blocks[i].end());
    }
    return sets;
}

void checkOntology(const std::string& ontology, std::size_t count, const std::string& limit, bool withoutCone) {
    ScratchDir dir;
    Encoded e = classify(dir, ontology);
    ASSERT_GT(e.selectors, 0);
    ASSERT_FALSE(e.derived.empty());
    HornEncoding encoding(dir.dir + "/body");
    std::vector<int> queries = sample(e.derived, sanitized() ? count / 2 : count, 1234);
    dir.write("queries", queryText(queries));

    std::vector<std::string> limited;
    if (!limit.empty()) limited.push_back(limit);
    std::vector<std::string> cone = limited;
    cone.push_back("-c");
    std::vector<std::set<Selectors> > withCone = checkedRun(dir, encoding, queries, cone, ontology);
    if (withoutCone) {
        std::vector<std::set<Selectors> > plain = checkedRun(dir, encoding, queries, limited, ontology);
        if (limit.empty()) {
            EXPECT_EQ(plain, withCone) << ontology;
        }
    }

    RunResult first = dir.run({"-a=assumptions", "-i=body", "-q=queries", "-s", "-c"});
    ASSERT_EQ(first.status, 0) << first.err;
    std::vector<Selectors> firsts = minaLines(first.out);
    ASSERT_EQ(firsts.size(), queries.size()) << ontology;
    for (std::size_t i = 0; i < queries.size(); i++) {
        expectSound(encoding, queries[i], firsts[i], ontology);
        if (limit.empty()) {
            EXPECT_TRUE(withCone[i].count(firsts[i])) << ontology << ": query " << queries[i];
        }
    }
}

TEST(PinpointerRealData, Pizza) { checkOntology("pizza", 60, "", true); }

TEST(PinpointerRealData, PlanaFull) { checkOntology("plana-full", 30, "", false); }

// Some of its subsumptions have thousands of MinAs: the first few only.
TEST(PinpointerRealData, NotGalen) { checkOntology("not-galen", 20, "-s=3", false); }

}  // namespace
