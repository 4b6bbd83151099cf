// Random small terminologies classified by the classifier and by an
// independent reasoner (Konclude): the subsumptions between named concepts
// of the classifier's deductions table must be those of the other reasoner.
//
// KORVANE_RANDOM_ONTOLOGIES sets how many terminologies are drawn (default
// 100), KORVANE_RANDOM_SEED the seed of the first (default 1; the others
// follow). The terminologies go to the other reasoner in batches, one OWL
// document per batch, each terminology under names of its own; the scratch
// directory with the documents is kept when the other reasoner fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ClassifierState.h"
#include "encoders/DimacsEncoder.h"
#include "reasoner/TBox.h"
#include "support/KoncludePeer.h"
#include "support/PeerInstalled.h"
#include "support/OntologyClassification.h"
#include "support/ProcessRunner.h"
#include "support/RandomOntology.h"

namespace {

using Pairs = konclude_peer::Pairs;

constexpr std::size_t kBatch = 50;
constexpr unsigned kPeers = 4;

unsigned long setting(const char* name, unsigned long otherwise)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::strtoul(value, nullptr, 10) : otherwise;
}

// The pairs (A, B) of named concepts of the deductions table: the lines
// "N (implies A B )" whose two sides are names (complex sides start with a
// parenthesis, fresh concepts with a number sign).
Pairs tablePairs(const std::string& table)
{
    Pairs pairs;
    std::istringstream in(table);
    std::string line;
    const std::string opening = "(implies ";
    const std::string closing = " )";
    while (std::getline(in, line)) {
        std::size_t start = line.find(opening);
        if (start == std::string::npos || line.size() < start + opening.size() + closing.size() ||
            line.compare(line.size() - closing.size(), closing.size(), closing) != 0)
            continue;
        std::string sides = line.substr(start + opening.size(), line.size() - closing.size() - start - opening.size());
        std::size_t blank = sides.find(' ');
        if (blank == std::string::npos)
            continue;
        std::string a = sides.substr(0, blank);
        std::string b = sides.substr(blank + 1);
        auto named = [](const std::string& c) {
            return !c.empty() && c[0] != '(' && c[0] != '#' && c.find(' ') == std::string::npos;
        };
        if (named(a) && named(b))
            pairs.insert({a, b});
    }
    return pairs;
}

// The classifier's named subsumptions of the terminology, read from the
// deductions table of a pinpointing run with the classifier's defaults.
Pairs classifierPairs(const std::string& krss)
{
    korvane_test::resetClassifierState();
    korvane_test::MemoryStream table, body, header;
    DimacsEncoder encoder(body.get(), header.get());
    TBox::CNF_SAT_Encoder = &encoder;
    TBox::deductionsTables.deductions = table.get();
    korvane_test::classifyOntologyText(krss);
    TBox::CNF_SAT_Encoder = nullptr;
    TBox::deductionsTables.deductions = nullptr;
    return tablePairs(table.text());
}

std::string describe(const Pairs& pairs)
{
    std::string text;
    for (const auto& p : pairs)
        text += " (" + p.first + " ⊑ " + p.second + ")";
    return text;
}

TEST(RandomClassification, NamedSubsumptionsMatchTheIndependentReasoner)
{
    ASSERT_TRUE(peerInstalled("Konclude"));
    const unsigned long count = setting("KORVANE_RANDOM_ONTOLOGIES", 100);
    const unsigned long firstSeed = setting("KORVANE_RANDOM_SEED", 1);

    std::vector<std::vector<RandomOntology>> batches;
    for (unsigned long i = 0; i < count; ++i) {
        if (i % kBatch == 0)
            batches.emplace_back();
        const unsigned long seed = firstSeed + i;
        batches.back().emplace_back(static_cast<uint32_t>(seed), "o" + std::to_string(seed) + "_");
    }

    // The other reasoner on every batch, a few batches at a time.
    const std::string dir = makeTempDir();
    std::vector<std::string> outputs(batches.size());
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> peers;
    for (unsigned w = 0; w < kPeers; ++w) {
        peers.emplace_back([&] {
            for (std::size_t b = next++; b < batches.size(); b = next++) {
                const std::string key = "batch" + std::to_string(b);
                const std::string ofn = dir + "/" + key + ".ofn";
                writeFile(ofn, RandomOntology::document(batches[b]));
                outputs[b] = konclude_peer::classify(ofn, dir, key);
            }
        });
    }
    for (std::thread& t : peers)
        t.join();

    unsigned long agreeing = 0;
    unsigned long disagreeing = 0;
    unsigned long subsumptions = 0;
    for (std::size_t b = 0; b < batches.size(); ++b) {
        ASSERT_FALSE(outputs[b].empty()) << "Konclude failed on " << dir << "/batch" << b << ".ofn";
        const Pairs all = konclude_peer::readClosure(outputs[b]);
        for (const RandomOntology& o : batches[b]) {
            // The other reasoner's pairs of this terminology: its names only.
            Pairs expected;
            for (const auto& p : all)
                if (p.first.compare(0, o.prefix().size(), o.prefix()) == 0)
                    expected.insert(p);
            const Pairs derived = classifierPairs(o.krss());
            subsumptions += expected.size();
            Pairs missing, extra;
            std::set_difference(expected.begin(), expected.end(), derived.begin(), derived.end(),
                                std::inserter(missing, missing.end()));
            std::set_difference(derived.begin(), derived.end(), expected.begin(), expected.end(),
                                std::inserter(extra, extra.end()));
            if (missing.empty() && extra.empty()) {
                ++agreeing;
                continue;
            }
            if (++disagreeing <= 5)
                ADD_FAILURE() << "terminology " << o.prefix() << ":\n"
                              << o.krss() << "not derived:" << describe(missing)
                              << "\nderived beyond the other reasoner:" << describe(extra);
        }
    }
    std::printf("random terminologies: %lu tried, %lu agreeing, %lu disagreeing, %lu subsumptions expected "
                "(seeds %lu to %lu)\n",
                count, agreeing, disagreeing, subsumptions, firstSeed, firstSeed + count - 1);
    EXPECT_EQ(disagreeing, 0u);
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

} // namespace
