#include "parsers/SimpleQueryLoop.h"

#include <cstdlib>
#include <string>

#include "model/ParserManager.h"
#include "model/PrimitiveConcept.h"
#include "model/TrivialConcept.h"
#include "model/timer.h"
#include "parsers/el_krss_g_query_simple.h"
#include "reasoner/TBox.h"

int SimpleQueryLoop::i_simpquery = 0;
FILE* SimpleQueryLoop::sol_out_f = nullptr;
FILE* SimpleQueryLoop::dbg_f = nullptr;
LiteralList* SimpleQueryLoop::axiom_assumptions = nullptr;

bool SimpleQueryLoop::interactive()
{
    bool fromStandardInput = simplequeryyyin == nullptr || simplequeryyyin == stdin;
    return fromStandardInput && TBox::CNF_SAT_Encoder != nullptr && TBox::CNF_SAT_Encoder->getKind() == Encoder::SOLVER;
}

void SimpleQueryLoop::prompt()
{
    if (!interactive())
        return;
    std::fputs("<korvane>$ ", stdout);
    std::fflush(stdout);
}

void SimpleQueryLoop::echoQuery(const Concept* a, const Concept* b)
{
    if (!interactive())
        return;
    std::fputs("(subsumes? ", stdout);
    a->printConcept(stdout);
    std::fputc(' ', stdout);
    b->printConcept(stdout);
    std::fputs(")\n", stdout);
    std::fflush(stdout);
}

Concept* SimpleQueryLoop::lookupConcept(char* name)
{
    std::string text(name == nullptr ? "" : name);
    std::free(name);
    PrimitiveConcept* probe = new PrimitiveConcept(text);
    Concept* found = TBox::getInstance()->findNormalizedConcept(probe);
    delete probe;
    if (found == nullptr) {
        ParserManager* manager = ParserManager::getInstance();
        manager->postError("Invalid query (" + text + " is not an existing primitive concept). See line: ", Parser,
                           static_cast<unsigned int>(manager->line));
    }
    return found;
}

Concept* SimpleQueryLoop::trivialConcept(bool top)
{
    return top ? static_cast<Concept*>(TrivialConcept::getTOP()) : TrivialConcept::getBOTTOM();
}

void SimpleQueryLoop::quit()
{
    std::exit(0);
}

void SimpleQueryLoop::requireEncoding(bool assumptionsReady)
{
    // Without a sink there is nothing to decide the queries.
    bool encoded = assumptionsReady || TBox::encoded || TBox::only_loaded;
    if (!encoded || TBox::CNF_SAT_Encoder == nullptr)
        ParserManager::getInstance()->postError("Trying to query a non-encoded ontology.", Parser);
}

void SimpleQueryLoop::beginQueries()
{
    ParserManager* manager = ParserManager::getInstance();
    manager->beginInput(new std::string("Queries on primitive concepts."));
    sol_out_f = manager->outputFile;
    dbg_f = TBox::debug_f;
}

void SimpleQueryLoop::timePreprocessing(void (*prepare)())
{
    timer stopwatch;
    stopwatch.reset();
    stopwatch.start();
    prepare();
    std::fprintf(stderr, "QUERIES PREPROCESSING (CPU-sec): %g\n", static_cast<double>(stopwatch.elapsed()));
}

void SimpleQueryLoop::reportQueryTime(float seconds)
{
    i_simpquery += 1;
    std::fprintf(stderr, "S [%d]: %g\n", i_simpquery, static_cast<double>(seconds));
}

LiteralList* SimpleQueryLoop::decideAndPrint(Concept* a, Concept* b, LiteralList* assumptions)
{
    timer stopwatch;
    stopwatch.reset();
    stopwatch.start();
    TBox* tbox = TBox::getInstance();
    if (!TBox::pinpointing) {
        bool satisfiable = tbox->decideSubsumption(b, a);
        reportQueryTime(stopwatch.elapsed());
        printAnswer(satisfiable);
        return nullptr;
    }
    LiteralList* pinpointed = tbox->decideSubsumptionAndPinpoint(b, a, assumptions, false, 0, 0);
    reportQueryTime(stopwatch.elapsed());
    printAnswer(pinpointed == nullptr);
    if (pinpointed != nullptr)
        printPinpointedAssumptions(*pinpointed);
    return pinpointed;
}

void SimpleQueryLoop::printAnswer(bool satisfiable)
{
    std::fprintf(sol_out_f, "%s\n", satisfiable ? "SAT" : "U");
    std::fflush(sol_out_f);
}

void SimpleQueryLoop::printPinpointedAssumptions(const LiteralList& variables)
{
    if (dbg_f == nullptr)
        return;
    std::fputs("PINPOINTED ASSUMPTIONS:", dbg_f);
    for (long v : variables)
        std::fprintf(dbg_f, " %d", static_cast<int>(v));
    std::fputc('\n', dbg_f);
}

void SimpleQueryLoop::printPinpointedAxioms(const LiteralList& gcis, const LiteralList& roleAxioms, bool original)
{
    if (dbg_f != nullptr) {
        std::fprintf(dbg_f, "PINPOINTED%sAXIOMS, GCIs:", original ? " (ORIGINAL) " : " ");
        for (long n : gcis) {
            std::fprintf(dbg_f, " %d", static_cast<int>(n));
            if (n == 0)
                std::fputs("(i.e. normalization)", dbg_f);
        }
        std::fputs(", RIs:", dbg_f);
        for (long n : roleAxioms)
            std::fprintf(dbg_f, " %d", static_cast<int>(n));
        std::fputc('\n', dbg_f);
    }
    for (long n : gcis)
        std::fprintf(sol_out_f, "%d ", static_cast<int>(n));
    for (long n : roleAxioms)
        std::fprintf(sol_out_f, "%d ", static_cast<int>(n));
    std::fputc('\n', sol_out_f);
    std::fflush(sol_out_f);
}
