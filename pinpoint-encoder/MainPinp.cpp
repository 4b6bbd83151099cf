// The pinpoint-encoder: reads an encoding together with the pinpointing
// information of the classification that wrote it, writes the pinpointing
// encoding (or loads it into the in-process solver), and answers queries with
// the axioms that each answer rests on.
#include <cstdio>
#include <cstdlib>

#include "encoders/EncoderFactory.h"
#include "model/LargePageHeap.h"
#include "model/ParserManager.h"
#include "model/timer.h"
#include "parsers/GrammarSupport.h"
#include "parsers/el_dimacs_encoding_pinp.h"
#include "parsers/QueryRun.h"
#include "parsers/el_krss_g_upload.h"
#include "parsers/el_pinpointing_info.h"
#include "pinpoint-encoder/PinpointEncoderOptions.h"
#include "pinpoint-encoder/RecordedClauseTie.h"
#include "reasoner/EncodedQueryActions.h"
#include "reasoner/EncodedTBox.h"
#include "reasoner/TBox.h"

namespace {

void configure(const PinpointEncoderOptions& options)
{
    Encoder* encoder =
        EncoderFactory::make(options.inProcessSolver ? EncoderFactory::CORE_SOLVER : EncoderFactory::DIMACS_WRITER,
                             options.clauses, options.header, options.propagateOnly);
    TBox::getInstance();
    TBox::CNF_SAT_Encoder = encoder;
    TBox::debug_f = options.debugStream;
    EncodedTBox::getInstance();
    EncodedTBox::use_original_axiom_index = options.originalAxiomNumbers;
}

void debugInput()
{
    if (TBox::debug_f != nullptr)
        std::fputs("\nINPUT ...\n", TBox::debug_f);
}

}

int main(int argc, char** argv)
{
    LargePageHeap::reserve();
    GrammarSupport::holdClosedStandardInput();
    PinpointEncoderOptions options;
    options.parse(argc, argv);
    options.check();
    configure(options);

    ParserManager* diagnostics = ParserManager::getInstance();
    EncodedTBox* encoded = EncodedTBox::getInstance();
    timer stopwatch;
    stopwatch.reset();
    stopwatch.start();
    TBox::pinpointing = true;

    diagnostics->beginInput(nullptr);
    pinpyyin = options.pinpointingInfo;
    pinpyyparse();
    debugInput();
    std::fprintf(stderr, "PARSING PINPOINTING INFO (CPU-sec): %f\n", stopwatch.elapsed());
    stopwatch.stop();

    diagnostics->beginInput(nullptr);
    {
        RecordedClauseTie tie;
        encforpinpyyin = options.encoding;
        encforpinpyyparse(tie);
    }
    if (options.axiomsInformation != nullptr)
        encoded->saveAxiomsAssumptions(options.axiomsInformation);
    debugInput();
    std::fprintf(stderr, "PARSING AND PRODUCE NEW ENCODING (CPU-sec): %f\n", stopwatch.elapsed(true));
    stopwatch.stop();

    if (options.queries != nullptr) {
        diagnostics->beginInput(nullptr);
        uploadyyin = options.normalizationMap;
        uploadyyparse();
        // A concept of the map that the encoding does not hold (a filler, a
        // side of an inclusion that made no clause) gets a variable of its
        // own when a query names it: above the assumption and control
        // variables, not one of them.
        if (encoded->lastControlVariable() > Concept::encoding_id_counter)
            Concept::encoding_id_counter = encoded->lastControlVariable();
        std::fprintf(stderr, "PARSING NORM-MAP (CPU-sec): %f\n", stopwatch.elapsed(true));
        stopwatch.stop();

        EncodedQueryActions actions;
        QueryRun::answer(options.queries, options.files, actions);
    }

    return QueryRun::finish(stopwatch, options.files);
}
