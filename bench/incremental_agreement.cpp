// Classifies the given ontology files one after another, each after the
// first as an increment, and once more all of them in one run, and prints
// the named subsumptions that the two classifications do not share:
//   missing N extra M
// followed, with -v, by one line per pair ("- A B" missing from the
// incremental classification, "+ A B" beyond it). The exit status is 0 when
// they agree and 1 when not; bench/shrink_increment.sh reduces a
// disagreeing pair of files with it. With -s, the one FILE is first dealt
// to parts by a seeded draw (part k gets a form with probability
// SHARES[k] / 100, as in the incremental classification test), and the
// line starts with the number of named pairs of the whole: "pairs N ".
//
// usage: bench_incremental_agreement [-v] FILE...
//        bench_incremental_agreement [-v] -s SEED SHARE,SHARE,... FILE
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "support/TestSupport.h"
#include "model/ParserManager.h"
#include "parsers/el_krss_g.h"
#include "reasoner/NamedSubsumptions.h"
#include "reasoner/TBox.h"
#include "support/OntologyForms.h"

namespace {

// The forms of path dealt to files in dir, one per share; their paths.
std::vector<std::string> partition(const std::string& path, unsigned seed, const std::vector<int>& shares,
                                   const std::string& dir)
{
    const std::vector<std::string> parts = korvane_test::dealForms(korvane_test::ontologyForms(path), shares, seed);
    std::vector<std::string> paths;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        paths.push_back(dir + "/part" + std::to_string(k) + ".krss");
        std::ofstream(paths.back()) << parts[k];
    }
    return paths;
}

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
    bool split = false;
    unsigned seed = 0;
    std::vector<int> shares;
    std::vector<std::string> paths;
    for (int k = 1; k < argc; ++k) {
        if (std::strcmp(argv[k], "-v") == 0) {
            verbose = true;
        } else if (std::strcmp(argv[k], "-s") == 0 && k + 2 < argc) {
            split = true;
            seed = static_cast<unsigned>(std::atoi(argv[k + 1]));
            std::istringstream list(argv[k + 2]);
            for (std::string share; std::getline(list, share, ',');)
                shares.push_back(std::atoi(share.c_str()));
            k += 2;
        } else {
            paths.push_back(argv[k]);
        }
    }
    if (paths.empty() || (split && (paths.size() != 1 || shares.empty()))) {
        std::fprintf(stderr, "usage: %s [-v] FILE...\n       %s [-v] -s SEED SHARE,SHARE,... FILE\n", argv[0],
                     argv[0]);
        return 2;
    }
    std::string dir;
    if (split) {
        char pattern[] = "/tmp/korvane-agreementXXXXXX";
        dir = mkdtemp(pattern);
        paths = partition(paths.front(), seed, shares, dir);
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
    for (const std::string& path : split ? paths : std::vector<std::string>())
        std::remove(path.c_str());
    if (split) {
        rmdir(dir.c_str());
        std::printf("pairs %zu ", whole.size());
    }
    std::printf("missing %zu extra %zu\n", missing.size(), extra.size());
    if (verbose) {
        for (const auto& p : missing)
            std::printf("- %s %s\n", p.first.c_str(), p.second.c_str());
        for (const auto& p : extra)
            std::printf("+ %s %s\n", p.first.c_str(), p.second.c_str());
    }
    return missing.empty() && extra.empty() ? 0 : 1;
}
