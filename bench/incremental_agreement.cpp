// Classifies the given ontology files one after another, each after the
// first as an increment, and once more all of them in one run, and prints
// the named subsumptions that the two classifications do not share:
//   missing N extra M
// followed, with -v, by one line per pair ("- A B" missing from the
// incremental classification, "+ A B" beyond it). The exit status is 0 when
// they agree and 1 when not; bench/shrink_increment.sh reduces a
// disagreeing pair of files with it.
//
// usage: bench_incremental_agreement [-v] FILE...
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <string>
#include <vector>

#include "TestSupport.h"
#include "model/ParserManager.h"
#include "parsers/el_krss_g.h"
#include "reasoner/NamedSubsumptions.h"
#include "reasoner/TBox.h"

namespace {

void classify(const std::vector<std::string>& paths)
{
    TBox* tbox = TBox::getInstance();
    for (const std::string& path : paths) {
        ParserManager::getInstance()->setInputFile(path.c_str());
        if (yyparse() != 0) {
            std::fprintf(stderr, "cannot read %s\n", path.c_str());
            std::exit(2);
        }
    }
    tbox->normalizeTBox();
    tbox->prepareDeduction();
    int conceptCount = 0;
    int roleCount = 0;
    tbox->performDeduction(conceptCount, roleCount);
}

}

int main(int argc, char** argv)
{
    bool verbose = false;
    std::vector<std::string> paths;
    for (int k = 1; k < argc; ++k) {
        if (std::strcmp(argv[k], "-v") == 0)
            verbose = true;
        else
            paths.push_back(argv[k]);
    }
    if (paths.empty()) {
        std::fprintf(stderr, "usage: %s [-v] FILE...\n", argv[0]);
        return 2;
    }
    korvane_test::resetModel();
    classify(paths);
    const shared_ontologies::Pairs whole = korvane_test::subsumedPairs(TBox::getInstance());
    korvane_test::resetModel();
    for (const std::string& path : paths)
        classify({path});
    const shared_ontologies::Pairs parts = korvane_test::subsumedPairs(TBox::getInstance());

    shared_ontologies::Pairs missing;
    shared_ontologies::Pairs extra;
    std::set_difference(whole.begin(), whole.end(), parts.begin(), parts.end(), std::inserter(missing, missing.end()));
    std::set_difference(parts.begin(), parts.end(), whole.begin(), whole.end(), std::inserter(extra, extra.end()));
    std::printf("missing %zu extra %zu\n", missing.size(), extra.size());
    if (verbose) {
        for (const auto& p : missing)
            std::printf("- %s %s\n", p.first.c_str(), p.second.c_str());
        for (const auto& p : extra)
            std::printf("+ %s %s\n", p.first.c_str(), p.second.c_str());
    }
    return missing.empty() && extra.empty() ? 0 : 1;
}
