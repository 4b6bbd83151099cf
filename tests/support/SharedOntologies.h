#ifndef KORVANE_TESTS_SUPPORT_SHAREDONTOLOGIES_H
#define KORVANE_TESTS_SUPPORT_SHAREDONTOLOGIES_H

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <dirent.h>
#include <fstream>
#include <map>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "support/KoncludePeer.h"
#include "support/PeerInstalled.h"

// The real ontologies of data/ontologies/, unpacked into the build tree
// (KORVANE_DATA_DIR), as cases of a parameterised test, with the
// classification each is expected to have: Konclude's on the .ofn twin of a
// file, or the expectation shipped with a file of elk-tests/.
namespace shared_ontologies {

using Pairs = konclude_peer::Pairs;

struct Case {
    std::string krss;
    std::string name;
    bool elk;
};

inline std::vector<Case> cases(const std::string& dataDir)
{
    std::vector<Case> found;
    for (bool elk : {false, true}) {
        std::string dir = dataDir + (elk ? "/elk-tests" : "");
        DIR* d = opendir(dir.c_str());
        if (d == nullptr)
            continue;
        while (dirent* e = readdir(d)) {
            std::string file = e->d_name;
            if (file.size() <= 5 || file.compare(file.size() - 5, 5, ".krss") != 0)
                continue;
            found.push_back({dir + "/" + file, file.substr(0, file.size() - 5), elk});
        }
        closedir(d);
    }
    std::sort(found.begin(), found.end(), [](const Case& a, const Case& b) { return a.krss < b.krss; });
    // A suite over no case fails as never instantiated; this says why.
    if (found.empty())
        std::fprintf(stderr, "no ontology (.krss) in %s: cmake unpacks data/ontologies/ there when it configures "
                             "the build tree\n", dataDir.c_str());
    return found;
}

// Cases whose expected classification rests on the bottom concept
// (disjointness or an unsatisfiable class), for which the classifications
// have no rule.
inline bool needsBottomRule(const Case& c)
{
    return c.name == "pizza-bottom" || (c.elk && (c.name == "Bottom" || c.name == "Inconsistent"));
}

// The files that take long under the sanitizers.
inline bool large(const Case& c)
{
    return c.name == "el-galen" || c.name == "go-basic-2022-07";
}

inline Pairs expectedElkPairs(const std::string& dataDir, const std::string& name)
{
    Pairs pairs;
    std::string path = dataDir + "/elk-tests/expected/" + name + ".subsumptions.tsv.gz";
    ProcessResult unpacked = runProgram({"gzip", "-dc", path});
    std::istringstream in(unpacked.out);
    std::string text;
    while (std::getline(in, text)) {
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        std::size_t tab = text.find('\t');
        if (tab != std::string::npos)
            pairs.insert({text.substr(0, tab), text.substr(tab + 1)});
    }
    EXPECT_EQ(unpacked.status, 0) << "cannot read " << path;
    return pairs;
}

// The table of SOURCES.md in the data folder, one row per ontology: its
// first cell (the name without .krss, or a pattern of files) to its last
// (the number of subsumption pairs, for a single ontology).
inline std::map<std::string, std::string> sourceRows(const std::string& dataDir)
{
    std::map<std::string, std::string> rows;
    std::ifstream in(dataDir + "/SOURCES.md");
    for (std::string line; std::getline(in, line);) {
        if (line.compare(0, 2, "| ") != 0)
            continue;
        std::vector<std::string> cells;
        std::istringstream row(line.substr(1));
        for (std::string cell; std::getline(row, cell, '|');) {
            const std::size_t first = cell.find_first_not_of(' ');
            cells.push_back(first == std::string::npos ? "" : cell.substr(first, cell.find_last_not_of(' ') + 1 - first));
        }
        if (cells.size() >= 2)
            rows[cells.front()] = cells.back();
    }
    return rows;
}

// The expected pairs of a case into `expected`; a failure that says why
// when they cannot be had (Konclude missing or failing).
inline ::testing::AssertionResult expectedPairs(const std::string& dataDir, const std::string& cacheDir, const Case& c,
                                                Pairs& expected)
{
    if (c.elk) {
        expected = expectedElkPairs(dataDir, c.name);
        return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult installed = peerInstalled("Konclude");
    if (!installed)
        return installed;
    std::string ofn = c.krss.substr(0, c.krss.size() - 5) + ".ofn";
    std::string output = konclude_peer::classify(ofn, cacheDir, c.name);
    if (output.empty())
        return ::testing::AssertionFailure() << "Konclude failed on " << ofn;
    expected = konclude_peer::readClosure(output);
    const std::map<std::string, std::string> rows = sourceRows(dataDir);
    auto row = rows.find(c.name);
    if (row == rows.end())
        return ::testing::AssertionFailure() << c.name << " has no row in " << dataDir << "/SOURCES.md";
    EXPECT_EQ(std::to_string(expected.size()), row->second)
        << "Konclude's classification differs from the subs column of SOURCES.md";
    return ::testing::AssertionSuccess();
}

inline std::string describe(const Pairs& pairs)
{
    std::ostringstream out;
    int shown = 0;
    for (const auto& p : pairs) {
        if (shown++ == 8) {
            out << " ...";
            break;
        }
        out << " (" << p.first << " ⊑ " << p.second << ")";
    }
    return out.str();
}

// The pairs of `all` that `some` lacks.
inline Pairs without(const Pairs& all, const Pairs& some)
{
    Pairs rest;
    std::set_difference(all.begin(), all.end(), some.begin(), some.end(), std::inserter(rest, rest.end()));
    return rest;
}

// Fails with the pairs missing from and beyond the expected ones.
inline void expectSamePairs(const Pairs& expected, const Pairs& derived)
{
    const Pairs missing = without(expected, derived);
    const Pairs extra = without(derived, expected);
    EXPECT_TRUE(missing.empty()) << missing.size() << " of " << expected.size()
                                 << " subsumptions not derived:" << describe(missing);
    EXPECT_TRUE(extra.empty()) << extra.size() << " subsumptions derived beyond the expected ones:"
                               << describe(extra);
}

inline void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.krss;
}

inline std::string testName(const ::testing::TestParamInfo<Case>& info)
{
    std::string name = (info.param.elk ? "elk_" : "") + info.param.name;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
}

} // namespace shared_ontologies

#endif
