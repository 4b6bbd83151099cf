// Classifies an ontology in one run, or all but a share of its axioms and
// then that share as an increment, and prints the CPU seconds of the
// classifications as one tab-separated line:
//   full:      classification-seconds
//   increment: first-classification-seconds increment-seconds increment-axioms
// The increment's seconds include its parse and normalisation.
//
// usage: bench_incremental_classification full|increment FILE [PERCENT [SEED]]
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <random>
#include <string>
#include <unistd.h>

#include "model/ParserManager.h"
#include "parsers/el_krss_g.h"
#include "reasoner/TBox.h"
#include "support/OntologyForms.h"

namespace {

double seconds()
{
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

void read(const std::string& path)
{
    ParserManager::getInstance()->setInputFile(path.c_str());
    if (yyparse() != 0) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        std::exit(1);
    }
    TBox::getInstance()->normalizeTBox();
}

void classify()
{
    TBox* tbox = TBox::getInstance();
    tbox->prepareDeduction();
    int conceptCount = 0;
    int roleCount = 0;
    tbox->performDeduction(conceptCount, roleCount);
}

// The top-level forms of the file dealt to two files: the increment gets a
// form with probability percent / 100. Returns the increment's form count.
int split(const std::string& path, int percent, unsigned seed, const std::string& rest, const std::string& part)
{
    std::ofstream restOut(rest);
    std::ofstream partOut(part);
    std::mt19937 draw(seed);
    std::uniform_int_distribution<int> roll(0, 99);
    int count = 0;
    for (const std::string& form : korvane_test::ontologyForms(path)) {
        bool inPart = roll(draw) < percent;
        (inPart ? partOut : restOut) << form << '\n';
        count += inPart;
    }
    return count;
}

}

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s full|increment FILE [PERCENT [SEED]]\n", argv[0]);
        return 2;
    }
    const std::string mode = argv[1];
    const std::string path = argv[2];
    if (mode == "full") {
        read(path);
        double start = seconds();
        classify();
        std::printf("%.3f\n", seconds() - start);
        return 0;
    }
    const int percent = argc > 3 ? std::atoi(argv[3]) : 1;
    const unsigned seed = argc > 4 ? static_cast<unsigned>(std::atoi(argv[4])) : 1;
    char pattern[] = "/tmp/korvane-increment-benchXXXXXX";
    const std::string dir = mkdtemp(pattern);
    const std::string rest = dir + "/rest.krss";
    const std::string part = dir + "/part.krss";
    const int count = split(path, percent, seed, rest, part);
    read(rest);
    double start = seconds();
    classify();
    const double first = seconds() - start;
    start = seconds();
    read(part);
    classify();
    const double increment = seconds() - start;
    std::printf("%.3f\t%.3f\t%d\n", first, increment, count);
    std::remove(rest.c_str());
    std::remove(part.c_str());
    rmdir(dir.c_str());
    return 0;
}
