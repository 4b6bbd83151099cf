// The classifier: reads an ontology, normalises it, classifies and encodes it
// in one pass, writes the encoding and its side files, and answers queries.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "classifier/ClassifierOptions.h"
#include "classifier/ClassifierQueryActions.h"
#include "encoders/ActivityGenerator.h"
#include "encoders/EncoderFactory.h"
#include "model/Concept.h"
#include "model/LargePageHeap.h"
#include "model/Role.h"
#include "model/SymbolTable.h"
#include "model/timer.h"
#include "parsers/GrammarSupport.h"
#include "parsers/el_krss_g.h"
#include "parsers/QueryRun.h"
#include "reasoner/TBox.h"

namespace {

void configure(const ClassifierOptions& options)
{
    // The in-process encoder seeds the solver's activities with the base generator.
    TBox::CNF_SAT_Encoder = options.inProcessSolver
                                ? EncoderFactory::make(EncoderFactory::CORE_SOLVER, options.clauses, options.header,
                                                       options.propagateOnly, new ActivityGenerator())
                                : EncoderFactory::make(EncoderFactory::DIMACS_WRITER, options.clauses, options.header);

    TBox::debug_f = options.debug ? options.debugStream : nullptr;
    TBox::clearNonNormalConcepts = options.clearNonNormalConcepts;
    TBox::useRoleAxiomsInDeduction = options.useRoleAxiomsInDeduction;
    TBox::createNewConceptsInDeduction = options.createNewConceptsInDeduction;
    Concept::EquivalenceNames = true;
    TBox::initializeNonPrimitive = options.initializeNonPrimitive;
    TBox::pinpointing = !options.noPinpointing;
    TBox::pinpointing_f = options.assumptionList;
    TBox::use_original_axioms_ids = options.useOriginalAxiomsIds;
    // Only the debug listing reads what classification found below each
    // concept; the encoding has it already.
    TBox::keepSubsumeeSets = options.debug;

    TBox::getInstance()->deductionsTables =
        DeductionsTables(options.deductionsTable, options.gciTable, options.roleAxiomTable, options.mapTable);
}

}

int main(int argc, char** argv)
{
    LargePageHeap::reserve();
    GrammarSupport::holdClosedStandardInput();
    ClassifierOptions options;
    options.parse(argc, argv);
    options.check();
    configure(options);

    TBox* tbox = TBox::getInstance();
    timer stopwatch;
    stopwatch.reset();
    stopwatch.start();

    yyin = options.input;
    yyparse();

    FILE* debug = TBox::debug_f;
    if (debug != nullptr) {
        std::fprintf(debug, "\nINPUT (input concepts: %d, shared concepts: %d, axioms: %d).\n",
                     static_cast<int>(Concept::id_counter), static_cast<int>(Concept::dag_id_counter),
                     static_cast<int>(tbox->inputAxioms.size()));
        tbox->printInputAxioms();
        std::fprintf(debug, "\nINPUT (input roles: %d, shared roles: %d, role axioms: %d).\n",
                     static_cast<int>(Role::id_counter), static_cast<int>(Role::dag_id_counter),
                     static_cast<int>(tbox->roleAxioms.size()));
        tbox->printRIAxioms();
    }
    if (options.clearNonNormalConcepts)
        SymbolTable::getInstance()->clear();
    std::fprintf(stderr, "PARSING (CPU-sec): %f\n", stopwatch.elapsed());
    stopwatch.stop();

    // The side files write each axiom once, whichever comes first.
    WrittenAxioms written;
    tbox->normalizeTBox();
    tbox->clearNonNormalAndSharedConcepts();
    if (debug != nullptr) {
        std::fprintf(debug, "\nNORMALIZED (concepts: %d, axioms: %d).\n",
                     static_cast<int>(Concept::normal_id_counter), static_cast<int>(tbox->gcis.size()));
        tbox->printNormalizedAxioms();
    }
    if (options.normalizationListing != nullptr)
        tbox->saveNormalization(options.normalizationListing, written);
    std::fprintf(stderr, "NORMALIZATION (CPU-sec): %f\n", stopwatch.elapsed(true));
    stopwatch.stop();

    tbox->performDeductionAndEncode(!options.noSubsumptionEncoding, TBox::pinpointing);
    if (debug != nullptr)
        tbox->printDeductionStructures();
    std::fprintf(stderr, "CLASSIFICATION AND ENCODING [init+ded+enc] (CPU-sec): %f\n", stopwatch.elapsed(true));
    stopwatch.stop();

    if (options.normalizationMap != nullptr)
        tbox->saveNormalizationMap(options.normalizationMap, 0, written);
    if (options.axiomDump != nullptr) {
        tbox->saveGCIAxioms(options.axiomDump, true, written);
        tbox->saveRIAxioms(options.axiomDump, true, written);
    }

    if (options.queries != nullptr) {
        ClassifierQueryActions actions;
        QueryRun::answer(options.queries, options.files, actions);
    }

    return QueryRun::finish(stopwatch, options.files);
}
