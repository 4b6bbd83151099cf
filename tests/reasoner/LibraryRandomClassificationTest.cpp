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
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "NamedSubsumptions.h"
#include "support/TestSupport.h"
#include "support/ComplexQuerySet.h"
#include "support/DeductionsTablePairs.h"
#include "support/KoncludePeer.h"
#include "support/PeerInstalled.h"
#include "support/OntologyClassification.h"
#include "support/ParallelTasks.h"
#include "support/ProcessRunner.h"
#include "support/RandomConcept.h"
#include "support/RandomOntology.h"
#include "support/ReloadRoads.h"
#include "support/SanitizedBuild.h"

namespace {

using Pairs = konclude_peer::Pairs;

constexpr std::size_t kBatch = 50;
constexpr unsigned kPeers = 4;

// Terminologies rich in role axioms: several roles, chains of three roles in
// a third of the chains, some role axioms free of the order that keeps the
// role box regular, short sides with many existential restrictions.
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
    shape.freeRoleAxioms = 0;
    shape.sideDepthAtLeast = 1;
    shape.sideDepthSpread = 2;
    shape.names = 40;
    shape.conjunctions = 55;
    shape.topFillers = 10;
    return shape;
}

// How many shuffled orders of its axioms each case has beside the one drawn:
// a premise that arrives late in one order arrives early in another.
constexpr std::size_t kShuffles = 3;
// How many complex queries each case has (the last asks the first again).
constexpr unsigned kComplexQueries = 5;

// One terminology and the orders of its axioms that the roads read: as
// drawn, then shuffled by draws of its own; and complex queries over its
// names (their own names X and Y under the prefix "q" and the terminology's).
struct RandomCase {
    RandomCase(uint32_t seed, const RandomOntologyShape& shape)
        : ontology(seed, "o" + std::to_string(seed) + "_", shape)
    {
        RandomConcept concepts(seed * 40503u, ontology.conceptNames(), ontology.roleNames());
        ComplexQuerySet::knowConcepts(concepts, KrssToOwl(ontology.krss()));
        complex.prefix = "q" + ontology.prefix();
        complex.draw(concepts, kComplexQueries, 2);
        std::vector<std::string> axioms = ontology.krssAxioms();
        orders.push_back(joined(axioms));
        std::mt19937 draw(seed * 2654435761u);
        parts.emplace_back();
        for (std::size_t k = 0; k < kShuffles; ++k) {
            std::shuffle(axioms.begin(), axioms.end(), draw);
            orders.push_back(joined(axioms));
            const std::size_t cut = axioms.size() / 2 + draw() % (axioms.size() / 2 + 1);
            parts.emplace_back(joined({axioms.begin(), axioms.begin() + cut}),
                               joined({axioms.begin() + cut, axioms.end()}));
        }
    }

    static std::string joined(const std::vector<std::string>& axioms)
    {
        std::string text;
        for (const std::string& a : axioms)
            text += a + "\n";
        return text;
    }

    RandomOntology ontology;
    std::vector<std::string> orders;
    // For each shuffled order k (from 1), its axioms cut in two: a first
    // part of at least half and the rest (parts[0] is empty).
    std::vector<std::pair<std::string, std::string>> parts;
    ComplexQuerySet complex;
};

// The pairs of named concepts of the case, those of fresh names left out.
Pairs ownPairs(const Pairs& all, const RandomCase& c)
{
    Pairs own;
    const std::string& prefix = c.ontology.prefix();
    for (const auto& p : konclude_peer::withPrefix(all, prefix))
        if (p.second.compare(0, prefix.size(), prefix) == 0)
            own.insert(p);
    return own;
}

// A fresh model with the incremental-classifier's switches: names that
// stand for equivalences, and complex concepts started only with its -x
// (startComplex).
void resetLibrary(bool startComplex)
{
    korvane_test::resetModel();
    Concept::EquivalenceNames = true;
    TBox::initializeNonPrimitive = startComplex;
}

// The named subsumptions after the library has classified the texts, each
// after the one before as an increment.
Pairs libraryPairs(const RandomCase& c, const std::vector<std::string>& texts)
{
    TBox* tbox = nullptr;
    for (const std::string& text : texts)
        if ((tbox = korvane_test::classifyTextAsTheLibraryPrograms(text)) == nullptr)
            return {};
    return ownPairs(korvane_test::subsumedPairs(tbox), c);
}

// The library's classification of one order of the axioms, in this process.
Pairs libraryRoad(const RandomCase& c, std::size_t order, bool startComplex)
{
    resetLibrary(startComplex);
    return libraryPairs(c, {c.orders[order]});
}

// The library's classification of the first part of a shuffled order
// (drawn by the case), then of the rest as an increment.
Pairs libraryIncrementRoad(const RandomCase& c, std::size_t order, bool startComplex)
{
    resetLibrary(startComplex);
    return libraryPairs(c, {c.parts[order].first, c.parts[order].second});
}

// What a program's road found for a case: the named subsumptions and the
// answers to the case's complex queries (1: it holds), none if it asks none.
struct Found {
    Pairs named;
    std::vector<int> complex;
};

// A program's road over every case, a few programs at a time, by prefix. The
// programs run before the library's roads fill this process's memory, which
// every start of a program copies.
std::map<std::string, Found> programRoad(const std::vector<RandomCase>& cases,
                                         const std::function<Found(const RandomCase&, const ScratchDir&)>& run)
{
    std::vector<Found> found(cases.size());
    std::vector<std::function<void()>> tasks;
    for (std::size_t i = 0; i < cases.size(); ++i)
        tasks.push_back([&, i] { found[i] = run(cases[i], ScratchDir()); });
    runParallel(tasks, kPeers);
    std::map<std::string, Found> byPrefix;
    for (std::size_t i = 0; i < cases.size(); ++i)
        byPrefix[cases[i].ontology.prefix()] = found[i];
    return byPrefix;
}

// The classifier program's deductions table of the axioms as drawn.
Found classifierRun(const RandomCase& c, const ScratchDir& scratch)
{
    const std::string table = scratch.path("case.deductions");
    const ProcessResult run = runProgram({KORVANE_CLASSIFIER_PATH, "-i=" + scratch.write("case.krss", c.orders[0]),
                                          "-z=" + table, "-o=/dev/null", "-h=/dev/null"});
    if (run.status != 0)
        return {{{"the classifier failed:", run.err}}, {}};
    return {ownPairs(korvane_test::deductionsTablePairs(readFile(table)), c), {}};
}

// The incremental-classifier program: the first part of the first shuffled
// order classified and stored, reloaded with the rest as an increment and
// asked (-m) whether each named concept subsumes each other one, then the
// complex queries.
Found reloadRun(const RandomCase& c, const ScratchDir& scratch)
{
    const ReloadRoads program(KORVANE_INCREMENTAL_CLASSIFIER_PATH, "-m", {});
    std::vector<std::pair<std::string, std::string>> asked;
    std::string queries;
    for (const std::string& sub : c.ontology.conceptNames())
        for (const std::string& super : c.ontology.conceptNames())
            if (sub != super) {
                asked.emplace_back(sub, super);
                queries += "(subsumes? " + super + " " + sub + ")\n";
            }
    for (const std::string& q : c.complex.queries())
        queries += q + "\n";
    const ReloadRoads::Stored stored =
        program.store(scratch, "first", {"-i=" + scratch.write("first.krss", c.parts[1].first)});
    const ReloadRoads::Answers answers = program.ask(
        ReloadRoads::reload(stored, scratch.write("rest.krss", c.parts[1].second)), scratch.write("queries", queries));
    if (answers.size() != asked.size() + c.complex.pairs.size())
        return {{{"the incremental classifier gave no answers", ""}}, {}};
    Found found;
    for (std::size_t i = 0; i < answers.size(); ++i)
        if (i >= asked.size())
            found.complex.push_back(answers[i] == "U" ? 1 : 0);
        else if (answers[i] == "U")
            found.named.insert(asked[i]);
    return found;
}

// The complex queries whose answers differ, one line each.
std::string complexDifference(const RandomCase& c, const std::vector<int>& derived, const std::vector<int>& expected)
{
    std::string lines;
    for (std::size_t i = 0; i < expected.size(); ++i)
        if (i >= derived.size() || derived[i] != expected[i])
            lines += c.complex.query(i) + " answers " + (i >= derived.size() ? "nothing" : derived[i] ? "U" : "SAT") +
                     ", the reference " + (expected[i] ? "U" : "SAT") + "\n";
    return lines;
}

// A road: its name, the named subsumptions it derives for a case, the text
// of the axioms it reads (for the report) and, if it asks them, its answers
// to the case's complex queries.
struct Road {
    std::string name;
    std::function<Pairs(const RandomCase&)> classify;
    std::function<std::string(const RandomCase&)> input;
    std::function<std::vector<int>(const RandomCase&)> answer = nullptr;
};

std::function<std::string(const RandomCase&)> order(std::size_t k)
{
    return [k](const RandomCase& c) { return c.orders[k]; };
}

std::function<std::string(const RandomCase&)> split(std::size_t k)
{
    return [k](const RandomCase& c) { return c.parts[k].first + "then, as an increment:\n" + c.parts[k].second; };
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
    // one OWL document each, every terminology under names of its own, with
    // the definitions of its complex queries' names.
    std::vector<std::vector<RandomOntology>> batches;
    std::vector<std::string> definitions;
    std::map<std::string, std::size_t> batchOf;
    for (const RandomCase& c : cases) {
        if (!c.ontology.regular())
            continue;
        if (batches.empty() || batches.back().size() == kBatch) {
            batches.emplace_back();
            definitions.emplace_back();
        }
        batchOf[c.ontology.prefix()] = batches.size() - 1;
        batches.back().push_back(c.ontology);
        definitions.back() += c.complex.definitions();
    }
    const std::string dir = makeTempDir();
    std::vector<std::string> documents;
    for (std::size_t b = 0; b < batches.size(); ++b)
        documents.push_back(ComplexQuerySet::withDefinitions(RandomOntology::document(batches[b]), definitions[b]));
    const std::vector<std::string> outputs = konclude_peer::classifyDocuments(documents, dir, kPeers);
    std::vector<Pairs> closures;
    for (std::size_t b = 0; b < outputs.size(); ++b) {
        ASSERT_FALSE(outputs[b].empty()) << "Konclude failed on " << dir << "/batch" << b << ".ofn";
        closures.push_back(konclude_peer::readClosure(outputs[b]));
    }

    const std::map<std::string, Found> classified = programRoad(cases, classifierRun);
    const std::map<std::string, Found> reloaded = programRoad(cases, reloadRun);
    const auto closureOf = [&](const RandomCase& c) -> const Pairs& {
        return closures[batchOf.at(c.ontology.prefix())];
    };
    const Road independent{"Konclude", [&](const RandomCase& c) { return ownPairs(closureOf(c), c); }, order(0),
                           [&](const RandomCase& c) {
                               std::vector<int> holding;
                               for (std::size_t i = 0; i < c.complex.pairs.size(); ++i)
                                   holding.push_back(c.complex.holdsIn(closureOf(c), i));
                               return holding;
                           }};
    const Road classifier{
        "classifier", [&](const RandomCase& c) { return classified.at(c.ontology.prefix()).named; }, order(0)};
    // The roads checked against the reference: the library in every order,
    // with -x in the first shuffled one, and with each shuffled order split
    // into a first part and an increment; the classifier; the incremental
    // classifier's reload. Another road is one more entry: its name, its named
    // subsumptions of a case, the text it reads and its complex answers.
    std::vector<Road> roads = {
        {"library, axioms as drawn", [](const RandomCase& c) { return libraryRoad(c, 0, false); }, order(0)}};
    for (std::size_t k = 1; k <= kShuffles; ++k)
        roads.push_back({"library, axioms shuffled (" + std::to_string(k) + ")",
                         [k](const RandomCase& c) { return libraryRoad(c, k, false); }, order(k)});
    roads.push_back(
        {"library -x, axioms shuffled", [](const RandomCase& c) { return libraryRoad(c, 1, true); }, order(1)});
    for (std::size_t k = 1; k <= kShuffles; ++k)
        roads.push_back({"library, increment (" + std::to_string(k) + ")",
                         [k](const RandomCase& c) { return libraryIncrementRoad(c, k, false); }, split(k)});
    roads.push_back(classifier);
    roads.push_back({"incremental-classifier, stored, reloaded, increment",
                     [&](const RandomCase& c) { return reloaded.at(c.ontology.prefix()).named; }, split(1),
                     [&](const RandomCase& c) { return reloaded.at(c.ontology.prefix()).complex; }});

    std::vector<unsigned long> disagreements(roads.size(), 0);
    unsigned long regular = 0;
    unsigned long subsumptions = 0;
    unsigned long complexAnswers = 0;
    unsigned long reported = 0;
    unsigned long disagreeingCases = 0;
    for (const RandomCase& c : cases) {
        bool agreeing = true;
        const bool byPeer = c.ontology.regular();
        regular += byPeer ? 1 : 0;
        const Road& reference = byPeer ? independent : classifier;
        const Pairs expected = reference.classify(c);
        subsumptions += expected.size();
        for (std::size_t k = 0; k < roads.size(); ++k) {
            if (roads[k].name == reference.name)
                continue;
            const Pairs derived = roads[k].classify(c);
            std::string complex;
            if (roads[k].answer && reference.answer) {
                const std::vector<int> wanted = reference.answer(c);
                complexAnswers += wanted.size();
                complex = complexDifference(c, roads[k].answer(c), wanted);
            }
            if (derived == expected && complex.empty())
                continue;
            ++disagreements[k];
            agreeing = false;
            Pairs missing, extra;
            std::set_difference(expected.begin(), expected.end(), derived.begin(), derived.end(),
                                 std::inserter(missing, missing.end()));
            std::set_difference(derived.begin(), derived.end(), expected.begin(), expected.end(),
                                 std::inserter(extra, extra.end()));
            if (++reported <= 5)
                ADD_FAILURE() << roads[k].name << " against " << reference.name << " on " << c.ontology.prefix()
                              << ":\n"
                              << roads[k].input(c) << "not derived:" << shared_ontologies::describe(missing)
                              << "\nderived beyond the reference:" << shared_ontologies::describe(extra) << "\n"
                              << complex;
        }
        disagreeingCases += agreeing ? 0 : 1;
    }
    std::printf("random roads: %lu cases, %lu regular, %lu subsumptions expected, %lu complex answers expected, %lu "
                "cases disagreeing (seeds %lu to %lu);",
                count, regular, subsumptions, complexAnswers, disagreeingCases, firstSeed, firstSeed + count - 1);
    for (std::size_t k = 0; k < roads.size(); ++k)
        std::printf(" %s: %lu disagreeing;", roads[k].name.c_str(), disagreements[k]);
    std::printf("\n");
    for (std::size_t k = 0; k < roads.size(); ++k)
        EXPECT_EQ(disagreements[k], 0u) << roads[k].name;
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}

} // namespace
