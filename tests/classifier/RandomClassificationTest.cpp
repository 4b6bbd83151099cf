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

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "ClassifierState.h"
#include "encoders/DimacsEncoder.h"
#include "reasoner/TBox.h"
#include "support/DeductionsTablePairs.h"
#include "support/KoncludePeer.h"
#include "support/PeerInstalled.h"
#include "support/OntologyClassification.h"
#include "support/ProcessRunner.h"
#include "support/RandomOntology.h"
#include "support/SharedOntologies.h"

namespace {

using Pairs = konclude_peer::Pairs;

constexpr std::size_t kBatch = 50;
constexpr unsigned kPeers = 4;

// The classifier's named subsumptions of the terminology, read from the
// deductions table of a pinpointing run with the classifier's defaults.
Pairs classifierPairs(const std::string& krss)
{
    korvane_test::resetClassifierState();
    korvane_test::MemoryStream table, body, header;
    DimacsEncoder encoder(body.get(), header.get());
    TBox::CNF_SAT_Encoder = &encoder;
    TBox::getInstance()->deductionsTables.deductions = table.get();
    korvane_test::classifyOntologyText(krss);
    TBox::CNF_SAT_Encoder = nullptr;
    TBox::getInstance()->deductionsTables.deductions = nullptr;
    return korvane_test::deductionsTablePairs(table.text());
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
    const unsigned long count = randomTestSetting("KORVANE_RANDOM_ONTOLOGIES", 100);
    const unsigned long firstSeed = randomTestSetting("KORVANE_RANDOM_SEED", 1);

    std::vector<RandomOntology> ontologies;
    std::vector<std::string> texts;
    for (unsigned long seed = firstSeed; seed < firstSeed + count; ++seed) {
        ontologies.emplace_back(static_cast<uint32_t>(seed), "o" + std::to_string(seed) + "_");
        texts.push_back(ontologies.back().krss());
    }

    // The other reasoner on every batch, a few batches at a time.
    const std::string dir = makeTempDir();
    std::vector<Pairs> closures;
    ASSERT_TRUE(konclude_peer::classifyInBatches(texts, kBatch, dir, kPeers, closures))
        << "Konclude failed on a document in " << dir;

    unsigned long agreeing = 0;
    unsigned long disagreeing = 0;
    unsigned long subsumptions = 0;
    for (std::size_t i = 0; i < ontologies.size(); ++i) {
        const RandomOntology& o = ontologies[i];
        // The other reasoner's pairs of this terminology: its names only.
        const Pairs expected = konclude_peer::withPrefix(closures[i / kBatch], o.prefix());
        const Pairs derived = classifierPairs(o.krss());
        subsumptions += expected.size();
        if (derived == expected) {
            ++agreeing;
            continue;
        }
        if (++disagreeing <= 5)
            ADD_FAILURE() << "terminology " << o.prefix() << ":\n"
                          << o.krss() << "not derived:" << describe(shared_ontologies::without(expected, derived))
                          << "\nderived beyond the other reasoner:"
                          << describe(shared_ontologies::without(derived, expected));
    }
    std::printf("random terminologies: %lu tried, %lu agreeing, %lu disagreeing, %lu subsumptions expected "
                "(seeds %lu to %lu)\n",
                count, agreeing, disagreeing, subsumptions, firstSeed, firstSeed + count - 1);
    EXPECT_EQ(disagreeing, 0u);
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

} // namespace
