// Classifies an ontology with the library's classification, writes its
// encoding and decides seeded pairs of named concepts with picosat, half of
// them holding per the subsumed lists. Prints one tab-separated line:
//   queries holding-queries agreeing
//
// usage: bench_library_encoding FILE [PAIRS [SEED]]
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "model/ParserManager.h"
#include "parsers/el_krss_g.h"
#include "reasoner/TBox.h"
#include "support/EncodedSubsumptions.h"
#include "support/PeerSolver.h"

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE [PAIRS [SEED]]\n", argv[0]);
        return 2;
    }
    std::size_t pairs = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 200;
    unsigned seed = argc > 3 ? static_cast<unsigned>(std::strtoul(argv[3], nullptr, 10)) : 1;
    ParserManager::getInstance()->setInputFile(argv[1]);
    if (yyparse() != 0) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    TBox* tbox = TBox::getInstance();
    tbox->normalizeTBox();
    tbox->prepareDeduction();
    int conceptCount = 0;
    int roleCount = 0;
    tbox->performDeduction(conceptCount, roleCount);
    std::string cnf = encoded_subsumptions::encodeForQueries(tbox);
    if (cnf.empty()) {
        std::fprintf(stderr, "the encoding has no problem line\n");
        return 1;
    }
    std::size_t holding = 0;
    std::vector<encoded_subsumptions::Query> queries =
        encoded_subsumptions::sampleQueries(tbox, pairs / 2, seed, &holding);
    std::size_t holdingQueries = 0, agreeing = 0;
    for (const auto& q : queries) {
        holdingQueries += q.holds;
        if (q.sub->encodingId == 0 || q.super->encodingId == 0)
            continue;
        agreeing += runPeerSolver("picosat", encoded_subsumptions::withQuery(cnf, q)) == (q.holds ? 20 : 10);
    }
    std::printf("%zu\t%zu\t%zu\n", queries.size(), holdingQueries, agreeing);
    return 0;
}
