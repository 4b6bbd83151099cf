// The GCI set is a search tree under the order of its GCIs: while the normal
// form is made and classified, and after an increment, every GCI in it must
// be found by a lookup, and an inclusion stated twice must be stored once.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "support/OntologyClassification.h"
#include "support/RandomOntology.h"

namespace {

void expectSearchableGciSet(const TBox* tbox, const std::string& what)
{
    const TBox::AxiomSet& gcis = tbox->gcis;
    std::set<std::tuple<const Concept*, const Concept*, int>> seen;
    const Axiom* previous = nullptr;
    for (const Axiom* a : gcis) {
        if (previous != nullptr) {
            EXPECT_TRUE(AxiomComparator()(previous, a)) << what;
        }
        const auto found = gcis.find(const_cast<Axiom*>(a));
        EXPECT_TRUE(found != gcis.end() && *found == a) << what;
        EXPECT_TRUE(seen.emplace(a->lhs, a->rhs, static_cast<int>(a->type)).second) << what;
        previous = a;
    }
}

void expectSearchableAfterEachRun(const std::vector<std::string>& texts, const std::string& what)
{
    korvane_test::classifyAsTheLibraryPrograms(texts, false, true,
                                               [&what](TBox* tbox) { expectSearchableGciSet(tbox, what); });
}

// An inclusion between two complex sides is stored as one between their
// names before the backward axioms put the right-hand name on a left-hand
// side. The second inclusion stores such a backward axiom between two names
// (the first named its conjunct ∃s.C), which the third's inclusion between
// names sorts after until its right-hand name goes on a left-hand side; the
// fourth inclusion repeats the third.
TEST(GciSetOrder, StaysSearchableAsBackwardNamesReachLeftSides)
{
    expectSearchableAfterEachRun({"(implies (some t D) (some s C))\n"
                                  "(implies (some r A) (and B (some s C)))\n"
                                  "(implies (some q E) (some p F))\n"
                                  "(implies (some q E) (some p F))\n"},
                                 "fixed terminology");
    expectSearchableAfterEachRun({"(implies (some t D) (some s C))\n(implies (some r A) (and B (some s C)))\n",
                                  "(implies (some q E) (some p F))\n(implies (some q E) (some p F))\n"},
                                 "fixed terminology with its last two inclusions as an increment");

    // Random terminologies, whole and with every third axiom as an increment.
    const unsigned long count = randomTestSetting("KORVANE_RANDOM_ONTOLOGIES", 150);
    const unsigned long firstSeed = randomTestSetting("KORVANE_RANDOM_SEED", 1);
    for (unsigned long seed = firstSeed; seed < firstSeed + count; ++seed) {
        const RandomOntology ontology(static_cast<uint32_t>(seed), "");
        std::string rest;
        std::string increment;
        for (std::size_t i = 0; i < ontology.krssAxioms().size(); ++i)
            (i % 3 == 2 ? increment : rest) += ontology.krssAxioms()[i] + "\n";
        const std::string what = "random terminology, seed " + std::to_string(seed);
        expectSearchableAfterEachRun({ontology.krss()}, what);
        expectSearchableAfterEachRun({rest, increment}, what + ", split");
    }
}

} // namespace
