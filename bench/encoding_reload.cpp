// The reload of a classified terminology from its stored encoding and
// normalisation map against its classification from the ontology, and the
// checks of the reload on one ontology. Prints one tab-separated line:
//
//   store ONTOLOGY ENCODING MAP   classifies and encodes the ontology and
//       stores the encoding (header, then clauses) and the map:
//       parse-seconds normalisation-seconds classification-seconds
//       encoding-seconds clauses
//   reload ENCODING MAP           rebuilds the terminology from them:
//       encoding-parse-seconds map-parse-seconds rebuild-seconds
//       subsumptions
//   check ONTOLOGY                the ontology stored and rebuilt encodes the
//       same clauses (yes/no); its first four fifths (seeded draw) stored,
//       rebuilt and completed by the rest as an increment derive the
//       subsumptions between names of one classification of the whole
//       (missing, beyond) and of the same increment without a reload
//       (missing, beyond):
//       clauses same-clauses missing beyond missing-without-reload
//       beyond-without-reload
//
// Switches as the incremental classifier's defaults: equivalence names on,
// complex concepts not their own subsumers.
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

#include "EncodingReloadSupport.h"
#include "NamedSubsumptions.h"

using namespace reload_test;

namespace {

double seconds()
{
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

void switches()
{
    Concept::EquivalenceNames = true;
    TBox::initializeNonPrimitive = false;
}

void parseOntologyFile(const std::string& path)
{
    ParserManager::getInstance()->setInputFile(path.c_str());
    if (yyparse() != 0) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        std::exit(1);
    }
}

int store(const std::string& ontology, const std::string& encoding, const std::string& map)
{
    switches();
    TBox* tbox = TBox::getInstance();
    double t0 = seconds();
    parseOntologyFile(ontology);
    double t1 = seconds();
    tbox->normalizeTBox();
    tbox->clearNonNormalAndSharedConcepts();
    double t2 = seconds();
    classify(tbox);
    double t3 = seconds();
    Stored stored = reload_test::store(tbox);
    double t4 = seconds();
    std::ofstream(encoding) << stored.encoding;
    std::ofstream(map) << stored.map;
    std::printf("%.3f\t%.3f\t%.3f\t%.3f\t%lu\n", t1 - t0, t2 - t1, t3 - t2, t4 - t3, TBox::clauses_counter);
    return 0;
}

int rebuild(const std::string& encoding, const std::string& map)
{
    switches();
    double t0 = seconds();
    encyyin = std::fopen(encoding.c_str(), "r");
    if (encyyin == nullptr || encyyparse() != 0)
        return 1;
    double t1 = seconds();
    uploadyyin = std::fopen(map.c_str(), "r");
    if (uploadyyin == nullptr || uploadyyparse() != 0)
        return 1;
    double t2 = seconds();
    TBox* tbox = TBox::getInstance();
    tbox->normalizationAndDeductionFromEncoding(*EncodedTBox::getInstance());
    double t3 = seconds();
    std::printf("%.3f\t%.3f\t%.3f\t%d\n", t1 - t0, t2 - t1, t3 - t2, tbox->getSubsumptionsNumber());
    return 0;
}

std::size_t countMissing(const shared_ontologies::Pairs& expected, const shared_ontologies::Pairs& found)
{
    std::size_t missing = 0;
    for (const auto& pair : expected)
        missing += found.count(pair) == 0;
    return missing;
}

int check(const std::string& ontology)
{
    // Round trip.
    resetAll();
    switches();
    addFileAndClassify(ontology);
    const shared_ontologies::Pairs whole = korvane_test::subsumedPairs(TBox::getInstance());
    Stored stored = reload_test::store(TBox::getInstance());
    const ClauseSet storedClauses = clauseSet(stored.encoding);
    reload(stored);
    unsigned long variables = 0;
    const bool same = clauseSet(encodePass(TBox::getInstance(), &variables).second) == storedClauses;

    // Four fifths stored, the rest an increment after the reload; and the
    // same increment without a reload.
    const auto [first, second] = splitForms(ontology, 20261209);
    korvane_test::TempInput firstFile(first);
    korvane_test::TempInput secondFile(second);
    resetAll();
    switches();
    addFileAndClassify(firstFile.path());
    addFileAndClassify(secondFile.path());
    const shared_ontologies::Pairs withoutReload = korvane_test::subsumedPairs(TBox::getInstance());
    resetAll();
    switches();
    addFileAndClassify(firstFile.path());
    stored = reload_test::store(TBox::getInstance());
    reload(stored);
    encodePass(TBox::getInstance(), &variables);
    addFileAndClassify(secondFile.path());
    const shared_ontologies::Pairs derived = korvane_test::subsumedPairs(TBox::getInstance());
    std::printf("%zu\t%s\t%zu\t%zu\t%zu\t%zu\n", storedClauses.size(), same ? "yes" : "no",
                countMissing(whole, derived), countMissing(derived, whole), countMissing(withoutReload, derived),
                countMissing(derived, withoutReload));
    return 0;
}

}

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "store" && argc == 5)
        return store(argv[2], argv[3], argv[4]);
    if (mode == "reload" && argc == 4)
        return rebuild(argv[2], argv[3]);
    if (mode == "check" && argc == 3)
        return check(argv[2]);
    std::fprintf(stderr, "usage: %s store ONTOLOGY ENCODING MAP | reload ENCODING MAP | check ONTOLOGY\n", argv[0]);
    return 2;
}
