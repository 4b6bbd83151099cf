// Reads one ontology, normalises and classifies it, and prints the CPU
// seconds of each phase and the peak resident memory, as one tab-separated
// line:
//   parse-seconds normalisation-seconds classification-seconds peak-kB
//   input-axioms normalised-GCIs
// Built twice: against the library (its completion-based classification)
// and against the classifier's build (its classification with on-the-fly
// encoding, told to encode nothing, into a sink that drops every clause).
#include <cstdio>
#include <sys/resource.h>
#include <type_traits>

#include "model/ParserManager.h"
#include "parsers/el_krss_g.h"
#include "model/timer.h"
#include "reasoner/TBox.h"
#include "support/SatisfiableEncoder.h"

class ClassifierTBox;

namespace {

class DroppingEncoder : public SatisfiableEncoder {
public:
    bool addClause(const LiteralList*, const KindList*, unsigned) override { return true; }
    bool endEncoding(bool, unsigned long, unsigned long, unsigned long, unsigned long) override { return true; }
};

// Classifies as the build's driver does; T is this build's TBox (see
// model/ModelBuild.h), so that only the branch of this build is compiled.
template <typename T>
void classify(T* tbox)
{
    if constexpr (std::is_same<T, ClassifierTBox>::value) {
        static DroppingEncoder sink;
        T::CNF_SAT_Encoder = &sink;
        tbox->clearNonNormalAndSharedConcepts();
        tbox->performDeductionAndEncode(false, false);
    } else {
        tbox->prepareDeduction();
        int conceptCount = 0;
        int roleCount = 0;
        tbox->performDeduction(conceptCount, roleCount);
    }
}

}

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
    std::size_t gcis = tbox->gcis.size();
    t.start();
    classify(tbox);
    t.stop();
    float classification = t.elapsed();
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%.3f\t%.3f\t%.3f\t%ld\t%zu\t%zu\n", parse, normalise, classification, usage.ru_maxrss, inputs, gcis);
    return 0;
}
