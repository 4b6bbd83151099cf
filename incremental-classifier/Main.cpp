// The incremental classifier: classifies an ontology, or reloads a stored
// encoding with its normalisation map, optionally classifies a further axiom
// file as an increment, encodes what is new, writes the side files asked for
// and answers queries. Each phase ends with its timing line on standard
// error, measured on the user-time stopwatch.
#include <cstdio>

#include "incremental-classifier/IncrementalClassifierOptions.h"
#include "model/Concept.h"
#include "model/LargePageHeap.h"
#include "model/ParserManager.h"
#include "model/Role.h"
#include "model/SymbolTable.h"
#include "parsers/GrammarSupport.h"
#include "parsers/QueryRun.h"
#include "parsers/el_dimacs_encoding.h"
#include "parsers/el_krss_g.h"
#include "parsers/el_krss_g_query.h"
#include "parsers/el_krss_g_upload.h"
#include "pinpointer/timer.h"
#include "reasoner/EncodedQueryActions.h"
#include "reasoner/EncodedTBox.h"
#include "reasoner/TBox.h"

namespace {

void configure(const IncrementalClassifierOptions& options)
{
    Encoder* encoder = options.makeEncoder();
    TBox::getInstance();
    TBox::CNF_SAT_Encoder = encoder;
    TBox::debug_f = options.debugStream;
    TBox::pinpointing_f = options.pinpointingInfo;
    TBox::save_pinpointing_info = options.pinpointingInfo != nullptr;
    TBox::clearNonNormalConcepts = !options.keepNamesTable;
    TBox::useRoleAxiomsInDeduction = options.useRoleAxiomsInDeduction;
    TBox::createNewConceptsInDeduction = options.createNewConceptsInDeduction;
    TBox::initializeNonPrimitive = options.initializeNonPrimitive;
    TBox::saveDeductionsForNews = options.saveDeductionsForNews;
    Concept::EquivalenceNames = options.equivalenceNames;
    TBox::full_encoding = options.fullEncoding;
}

// One run's phases, each closed by its timing line.
class IncrementalRun {
public:
    explicit IncrementalRun(const IncrementalClassifierOptions& options)
        : options(options), tbox(TBox::getInstance()),
          statistics(options.debugStream != nullptr ? options.debugStream : options.statistics)
    {
        stopwatch.reset();
        stopwatch.start();
    }

    void classify();
    void reload();
    void encode();
    void classifyIncrement();
    void answer();
    int finish() { return QueryRun::finish(stopwatch.elapsed(), options.files); }
    void finishTiming() { stopwatch.restart(); }

private:
    // "NAME (CPU-sec): %f" with the time since the start, or since the
    // last stop, then the stopwatch stops.
    void phase(const char* name, bool sinceStart = false)
    {
        std::fprintf(stderr, "%s (CPU-sec): %f\n", name, stopwatch.elapsed(!sinceStart));
        stopwatch.stop();
    }
    bool debug() const { return TBox::debug_f != nullptr; }
    void freeNamesTable()
    {
        if (!options.keepNamesTable)
            SymbolTable::getInstance()->clear();
    }
    void normalizedStatistics();
    void preparationStatistics();
    void writeNormalizationListing()
    {
        if (options.normalizationListing != nullptr)
            tbox->saveNormalization(options.normalizationListing, written);
    }
    void writeNormalizationMap(unsigned long bound)
    {
        if (options.normalizationMapOutput == nullptr)
            return;
        tbox->saveNormalizationMap(options.normalizationMapOutput, bound, written);
    }

    const IncrementalClassifierOptions& options;
    TBox* tbox;
    // The axioms that the side files have written: the first pass's writers
    // and the increment's share it, so that the increment appends only what
    // it added.
    WrittenAxioms written;
    FILE* statistics;
    usertime::timer stopwatch;
    // The variable and clause counts that the first encoding left, and those
    // of the last one.
    unsigned long firstVariables = 0;
    unsigned long firstClauses = 0;
    unsigned long variables = 0;
    unsigned long clauses = 0;
};

void IncrementalRun::normalizedStatistics()
{
    if (statistics == nullptr)
        return;
    std::fprintf(statistics, "\nNORMALIZED (concepts: %d, axioms: %d).\n", static_cast<int>(Concept::normal_id_counter),
                 static_cast<int>(tbox->gcis.size()));
    if (debug())
        tbox->printNormalizedAxioms();
}

void IncrementalRun::preparationStatistics()
{
    if (statistics == nullptr)
        return;
    std::fprintf(statistics, "\nPREPARATION OF THE DEDUCTION PHASE (%d subsumptions).\n",
                 tbox->getSubsumptionsNumber());
    if (debug())
        tbox->printDeductionStructures();
}

void IncrementalRun::classify()
{
    yyin = options.input;
    yyparse();
    if (statistics != nullptr) {
        std::fprintf(statistics, "\nINPUT (input concepts: %d, shared concepts: %d, axioms: %d).\n",
                     static_cast<int>(Concept::id_counter), static_cast<int>(Concept::dag_id_counter),
                     static_cast<int>(tbox->inputAxioms.size()));
        if (debug())
            tbox->printInputAxioms();
        std::fprintf(statistics, "\nINPUT (input roles: %d, shared roles: %d, role axioms: %d).\n",
                     static_cast<int>(Role::id_counter), static_cast<int>(Role::dag_id_counter),
                     static_cast<int>(tbox->roleAxioms.size()));
        if (debug())
            tbox->printRIAxioms();
    }
    freeNamesTable();
    phase("PARSING", true);

    tbox->normalizeTBox();
    tbox->clearNonNormalAndSharedConcepts();
    normalizedStatistics();
    writeNormalizationListing();
    phase("NORMALIZATION");

    tbox->prepareDeduction();
    preparationStatistics();
    phase("DEDUCTION PREPROCESSING");

    int fromConceptAxioms = 0;
    int fromRoleAxioms = 0;
    TBox::DeducedList* deduced = tbox->performDeduction(fromConceptAxioms, fromRoleAxioms);
    if (statistics != nullptr) {
        std::fprintf(statistics,
                     "\nRESULTS OF THE DEDUCTION PHASE (%d subsumptions, %d non transitive - from Conc Axioms: %d, "
                     "from Role Axioms: %d - ).\n",
                     tbox->getSubsumptionsNumber(), deduced != nullptr ? static_cast<int>(deduced->size()) : 0,
                     fromConceptAxioms, fromRoleAxioms);
        if (debug()) {
            tbox->printDeducedAxioms();
            tbox->printDeductionStructures();
        }
    }
    phase("CLASSIFICATION [initialization+deduction]");
}

void IncrementalRun::reload()
{
    ParserManager* diagnostics = ParserManager::getInstance();
    diagnostics->beginInput(nullptr);
    encyyin = options.encoding;
    encyyparse();
    phase("PARSING ENCODING", true);

    diagnostics->beginInput(nullptr);
    uploadyyin = options.normalizationMap;
    uploadyyparse();
    freeNamesTable();
    phase("PARSING NORM-MAP");

    tbox->normalizationAndDeductionFromEncoding(*EncodedTBox::getInstance());
    normalizedStatistics();
    writeNormalizationListing();
    phase("NORMALIZATION & DEDUCTION PREPROCESSING");
    preparationStatistics();
}

void IncrementalRun::encode()
{
    tbox->encodeIntoSat(false, &firstVariables, &firstClauses);
    variables = firstVariables;
    clauses = firstClauses;
    writeNormalizationMap(0);
    if (options.axiomDump != nullptr) {
        tbox->saveGCIAxioms(options.axiomDump, true, written);
        tbox->saveRIAxioms(options.axiomDump, true, written);
    }
    phase("ENCODING");
}

void IncrementalRun::classifyIncrement()
{
    ParserManager::getInstance()->beginInput(nullptr);
    yyin = options.increment;
    yyparse();
    freeNamesTable();
    phase("PARSING INC");

    tbox->normalizeTBox();
    tbox->clearNonNormalAndSharedConcepts();
    writeNormalizationListing();
    phase("NORMALIZATION INC");

    tbox->prepareDeduction();
    int fromConceptAxioms = 0;
    int fromRoleAxioms = 0;
    tbox->performDeduction(fromConceptAxioms, fromRoleAxioms);
    phase("CLASSIFICATION INC [initialization+deduction]");

    tbox->encodeIntoSat(false, &variables, &clauses);
    writeNormalizationMap(firstVariables);
    phase("ENCODING INC");
}

void IncrementalRun::answer()
{
    if (options.queries == stdin) {
        EncodedQueryActions actions;
        QueryRun::answer(stdin, options.files, actions);
        return;
    }
    ParserManager::getInstance()->beginInput(nullptr);
    queryyyin = options.queries;
    queryyyparse();
    writeNormalizationListing();
    writeNormalizationMap(variables);
}

}

int main(int argc, char** argv)
{
    LargePageHeap::reserve();
    GrammarSupport::holdClosedStandardInput();
    IncrementalClassifierOptions options;
    options.parse(argc, argv);
    options.check();
    configure(options);

    IncrementalRun run(options);
    if (options.reload())
        run.reload();
    else
        run.classify();
    run.encode();
    if (options.increment != nullptr)
        run.classifyIncrement();
    if (options.queries != nullptr)
        run.answer();
    run.finishTiming();
    return run.finish();
}
