// Random terminologies with role hierarchies, chains of two and three roles,
// transitivities and top as a filler, classified by every road: the
// library's classification in this process as the library's programs run
// it (the axioms as drawn, shuffled, with -x, and split into a first part
// and an increment), the classifier program (its deductions table) and an
// independent reasoner (Konclude); and the incremental-classifier program,
// which stores a first part, reloads it with the rest as an increment and
// asks every pair of named concepts and a few complex queries. The
// subsumptions between named concepts must be the same on every road, and
// the complex answers those of the independent reasoner on the terminology
// extended with X ≡ C, Y ≡ D for each query (subsumes? C D).
//
// Each road is a function from a case to its named subsumptions (and, if it
// asks them, to its complex answers); the reference is the independent
// reasoner where the role box is regular (OWL requires it for chains), else
// the classifier, which asks no complex queries. KORVANE_RANDOM_ONTOLOGIES
// sets how many terminologies are drawn (default 300, 100 in the sanitizer
// build), KORVANE_RANDOM_SEED the seed of the first (default 1; the others
// follow). The run ends with a line "random roads: ..." that
// bench/library_random_classification.sh reads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "NamedSubsumptions.h"
#include "support/ComplexQuerySet.h"
#include "support/DeductionsTablePairs.h"
#include "support/IncrementalRoads.h"
#include "support/KoncludePeer.h"
#include "support/OntologyClassification.h"
#include "support/ParallelTasks.h"
#include "support/PeerInstalled.h"
#include "support/ProcessRunner.h"
#include "support/RandomConcept.h"
#include "support/RandomOntology.h"
#include "support/SanitizedBuild.h"
#include "support/SharedOntologies.h"

namespace {

using Pairs = konclude_peer::Pairs;

constexpr std::size_t kBatch = 50;
constexpr unsigned kPeers = 4;

// Terminologies rich in role axioms: several roles, chains of three roles in
// a third of the chains, short sides with many existential restrictions.
RandomOntologyShape roleRichShape()
{
    RandomOntologyShape shape;
    shape.conceptsAtLeast = 4;
    shape.conceptsSpread = 4;
    shape.rolesAtLeast = 2;
    shape.rolesSpread = 5;
    shape.axiomsAtLeast = 10;
    shape.axiomsSpread = 20;
    shape.conceptAxioms = 60;
    shape.equivalences = 50;
    shape.edges = 30;
    shape.roleInclusions = 75;
    shape.chains = 92;
    shape.longChains = 35;
    shape.repeatedPairs = 30;
    shape.sideDepthAtLeast = 1;
    shape.sideDepthSpread = 2;
    shape.conjunctions = 55;
    shape.topFillers = 10;
    return shape;
}

// How many shuffled orders of its axioms each case has beside the one drawn:
// a premise that arrives late in one order arrives early in another.
constexpr std::size_t kShuffles = 3;

std::string joined(std::vector<std::string>::const_iterator from, std::vector<std::string>::const_iterator to)
{
    std::string text;
    for (; from != to; ++from)
        text += *from + "\n";
    return text;
}

// What a road found for a case: the named subsumptions, the answers to the
// case's complex queries (1: it holds; none if it asks none) and the axioms
// it read (for the report).
struct Found {
    Pairs named;
    std::vector<int> complex;
    std::string input;
};

// One terminology, the orders of its axioms that the roads read (as drawn,
// then shuffled by draws of its own) and five complex queries over its names
// (their own names X and Y under the prefix "q" and the terminology's); then
// what the programs found.
struct RandomCase {
    RandomCase(uint32_t seed, const RandomOntologyShape& shape)
        : ontology(seed, "o" + std::to_string(seed) + "_", shape)
    {
        RandomConcept concepts(seed * 40503u, ontology.conceptNames(), ontology.roleNames());
        ComplexQuerySet::knowConcepts(concepts, KrssToOwl(ontology.krss()));
        complex.prefix = "q" + ontology.prefix();
        complex.draw(concepts, 5, 2);
        std::vector<std::string> axioms = ontology.krssAxioms();
        orders.push_back(ontology.krss());
        std::mt19937 draw(seed * 2654435761u);
        parts.emplace_back();
        for (std::size_t k = 0; k < kShuffles; ++k) {
            std::shuffle(axioms.begin(), axioms.end(), draw);
            orders.push_back(joined(axioms.begin(), axioms.end()));
            const auto cut = axioms.begin() + axioms.size() / 2 + draw() % (axioms.size() / 2 + 1);
            parts.emplace_back(joined(axioms.begin(), cut), joined(cut, axioms.end()));
        }
    }

    // The pairs of named concepts of the case, those of fresh names left out.
    Pairs own(const Pairs& all) const
    {
        Pairs found;
        for (const auto& p : konclude_peer::withPrefix(all, ontology.prefix()))
            if (p.second.compare(0, ontology.prefix().size(), ontology.prefix()) == 0)
                found.insert(p);
        return found;
    }

    RandomOntology ontology;
    std::vector<std::string> orders;
    // For each shuffled order k (from 1), its axioms cut in two: a first
    // part of at least half and the rest (parts[0] is empty).
    std::vector<std::pair<std::string, std::string>> parts;
    ComplexQuerySet complex;
    Found classified; // by the classifier program
    Found reloaded;   // by the incremental classifier's reload
};

// The library's classification in this process of the texts, each after the
// one before as an increment, as the library's programs run it.
Found libraryRoad(const RandomCase& c, const std::vector<std::string>& texts, bool startComplex = false)
{
    TBox* tbox = korvane_test::classifyAsTheLibraryPrograms(texts, startComplex);
    return {tbox == nullptr ? Pairs{} : c.own(korvane_test::subsumedPairs(tbox)),
            {},
            texts.size() == 1 ? texts[0] : texts[0] + "then, as an increment:\n" + texts[1]};
}

// The classifier program's deductions table of the axioms as drawn.
void classifierRun(RandomCase& c)
{
    ScratchDir scratch;
    const std::string table = scratch.path("case.deductions");
    const ProcessResult run = runProgram({KORVANE_CLASSIFIER_PATH, "-i=" + scratch.write("case.krss", c.orders[0]),
                                          "-z=" + table, "-o=/dev/null", "-h=/dev/null"});
    c.classified = {run.status != 0 ? Pairs{{"the classifier failed:", run.err}}
                                    : c.own(korvane_test::deductionsTablePairs(readFile(table))),
                    {},
                    c.orders[0]};
}

// The incremental-classifier program: the first part of the first shuffled
// order classified and stored, reloaded with the rest as an increment and
// asked (-m) whether each named concept subsumes each other one, then the
// complex queries.
void reloadRun(RandomCase& c)
{
    std::vector<std::pair<std::string, std::string>> asked;
    RoadCase road{"", c.parts[1].first, c.parts[1].second, {}, "", {}, 0};
    for (const std::string& sub : c.ontology.conceptNames())
        for (const std::string& super : c.ontology.conceptNames())
            if (sub != super) {
                asked.emplace_back(sub, super);
                road.queries.push_back("(subsumes? " + super + " " + sub + ")");
            }
    for (const std::string& q : c.complex.queries())
        road.queries.push_back(q);
    IncrementalRoads program(KORVANE_INCREMENTAL_CLASSIFIER_PATH, {"-m", {}});
    for (auto& task : program.tasks(road, {QueryRoad::ReloadIncrement}))
        task();
    const std::vector<int>& answers = program.answers(QueryRoad::ReloadIncrement);
    c.reloaded.input = c.parts[1].first + "then, as an increment:\n" + c.parts[1].second;
    c.reloaded.complex.assign(answers.begin() + static_cast<long>(asked.size()), answers.end());
    if (!program.failure(QueryRoad::ReloadIncrement).empty())
        c.reloaded.named = {{"the incremental classifier gave no answers", ""}};
    for (std::size_t i = 0; i < asked.size(); ++i)
        if (answers[i] == 1)
            c.reloaded.named.insert(asked[i]);
}

// The complex queries whose answers differ, one line each.
std::string complexDifference(const RandomCase& c, const std::vector<int>& derived, const std::vector<int>& expected)
{
    std::string lines;
    for (std::size_t i = 0; i < expected.size(); ++i)
        if (derived[i] != expected[i])
            lines += c.complex.query(i) + " answers " + (derived[i] < 0 ? "nothing" : derived[i] ? "U" : "SAT") +
                     ", the reference " + (expected[i] ? "U" : "SAT") + "\n";
    return lines;
}

TEST(LibraryRandomClassification, EveryRoadDerivesTheNamedSubsumptionsOfTheReference)
{
    ASSERT_TRUE(peerInstalled("Konclude"));
    // The sanitizer build, many times slower, draws fewer.
    const unsigned long count = randomTestSetting("KORVANE_RANDOM_ONTOLOGIES", sanitizedBuild() ? 100 : 300);
    const unsigned long firstSeed = randomTestSetting("KORVANE_RANDOM_SEED", 1);
    const RandomOntologyShape shape = roleRichShape();

    std::vector<RandomCase> cases;
    for (unsigned long i = 0; i < count; ++i)
        cases.emplace_back(static_cast<uint32_t>(firstSeed + i), shape);

    // The regular terminologies go to the independent reasoner in batches,
    // with the definitions of their complex queries' names.
    std::vector<std::string> regular;
    for (const RandomCase& c : cases)
        if (c.ontology.regular())
            regular.push_back(c.ontology.krss() + c.complex.definitions());
    const std::string dir = makeTempDir();
    std::vector<Pairs> closures;
    ASSERT_TRUE(konclude_peer::classifyInBatches(regular, kBatch, dir, kPeers, closures))
        << "Konclude failed on a document in " << dir;
    std::map<const RandomCase*, Found> independent;
    for (const RandomCase& c : cases) {
        if (!c.ontology.regular())
            continue;
        const Pairs& closure = closures[independent.size() / kBatch];
        Found& found = independent[&c];
        found = {c.own(closure), {}, c.orders[0]};
        for (std::size_t i = 0; i < c.complex.pairs.size(); ++i)
            found.complex.push_back(c.complex.holdsIn(closure, i));
    }

    // The programs run before the library's roads fill this process's
    // memory, which every start of a program copies.
    std::vector<std::function<void()>> runs;
    for (RandomCase& c : cases) {
        runs.push_back([&c] { classifierRun(c); });
        runs.push_back([&c] { reloadRun(c); });
    }
    runParallel(runs, kPeers);

    // The roads checked against the reference: the library in every order,
    // with -x in the first shuffled one, and with each shuffled order split
    // into a first part and an increment; the classifier; the incremental
    // classifier's reload. Another road is one more entry: its name and what
    // it finds for a case.
    using Road = std::pair<std::string, std::function<Found(const RandomCase&)>>;
    std::vector<Road> roads = {
        {"library, axioms as drawn", [](const RandomCase& c) { return libraryRoad(c, {c.orders[0]}); }}};
    for (std::size_t k = 1; k <= kShuffles; ++k)
        roads.emplace_back("library, axioms shuffled (" + std::to_string(k) + ")",
                           [k](const RandomCase& c) { return libraryRoad(c, {c.orders[k]}); });
    roads.emplace_back("library -x, axioms shuffled",
                       [](const RandomCase& c) { return libraryRoad(c, {c.orders[1]}, true); });
    for (std::size_t k = 1; k <= kShuffles; ++k)
        roads.emplace_back("library, increment (" + std::to_string(k) + ")", [k](const RandomCase& c) {
            return libraryRoad(c, {c.parts[k].first, c.parts[k].second});
        });
    roads.emplace_back("classifier", [](const RandomCase& c) { return c.classified; });
    roads.emplace_back("incremental-classifier, stored, reloaded, increment",
                       [](const RandomCase& c) { return c.reloaded; });

    std::vector<unsigned long> disagreements(roads.size(), 0);
    unsigned long subsumptions = 0;
    unsigned long complexAnswers = 0;
    unsigned long reported = 0;
    unsigned long disagreeingCases = 0;
    for (const RandomCase& c : cases) {
        bool agreeing = true;
        // The reference: the independent reasoner where the role box is
        // regular, else the classifier.
        const bool byPeer = independent.count(&c) != 0;
        const std::string reference = byPeer ? "Konclude" : "classifier";
        const Found& expected = byPeer ? independent[&c] : c.classified;
        subsumptions += expected.named.size();
        for (std::size_t k = 0; k < roads.size(); ++k) {
            if (roads[k].first == reference)
                continue;
            const Found derived = roads[k].second(c);
            std::string complex;
            if (!derived.complex.empty() && !expected.complex.empty()) {
                complexAnswers += expected.complex.size();
                complex = complexDifference(c, derived.complex, expected.complex);
            }
            if (derived.named == expected.named && complex.empty())
                continue;
            ++disagreements[k];
            agreeing = false;
            if (++reported <= 5)
                ADD_FAILURE() << roads[k].first << " against " << reference << " on " << c.ontology.prefix() << ":\n"
                              << derived.input << "not derived:"
                              << shared_ontologies::describe(shared_ontologies::without(expected.named, derived.named))
                              << "\nderived beyond the reference:"
                              << shared_ontologies::describe(shared_ontologies::without(derived.named, expected.named))
                              << "\n"
                              << complex;
        }
        disagreeingCases += agreeing ? 0 : 1;
    }
    std::printf("random roads: %lu cases, %lu regular, %lu subsumptions expected, %lu complex answers expected, %lu "
                "cases disagreeing (seeds %lu to %lu);",
                count, independent.size(), subsumptions, complexAnswers, disagreeingCases, firstSeed,
                firstSeed + count - 1);
    for (std::size_t k = 0; k < roads.size(); ++k)
        std::printf(" %s: %lu disagreeing;", roads[k].first.c_str(), disagreements[k]);
    std::printf("\n");
    for (std::size_t k = 0; k < roads.size(); ++k)
        EXPECT_EQ(disagreements[k], 0u) << roads[k].first;
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

} // namespace
