// Reads one ontology, normalises it and prints the CPU seconds of each phase
// and the peak resident memory, as one tab-separated line:
//   parse-seconds normalisation-seconds peak-kB input-axioms normalised-GCIs
#include <cstdio>
#include <sys/resource.h>

#include "model/ParserManager.h"
#include "parsers/el_krss_g.h"
#include "model/timer.h"
#include "reasoner/TBox.h"


int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s ONTOLOGY\n", argv[0]);
        return 2;
    }
    ParserManager::getInstance()->setInputFile(argv[1]);
    TBox* tbox = TBox::getInstance();
    timer t;
    t.start();
    ParserManager::getInstance()->beginInput(nullptr);
    if (yyparse() != 0)
        return 1;
    t.stop();
    float parse = t.elapsed();
    std::size_t inputs = tbox->inputAxioms.size();
    t.start();
    tbox->normalizeTBox();
    t.stop();
    float normalise = t.elapsed();
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.3f\t%.3f\t%ld\t%zu\t%zu\n", parse, normalise, usage.ru_maxrss, inputs, tbox->gcis.size());
    return 0;
}
