#include "parsers/ComplexQueries.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "model/Conjunction.h"
#include "model/ExistentialRestr.h"
#include "model/ParserManager.h"
#include "model/PrimitiveConcept.h"
#include "model/SymbolTable.h"
#include "parsers/GrammarSupport.h"
#include "parsers/NameLookup.h"
#include "parsers/OntologyBuilder.h"
#include "reasoner/StoredPairs.h"
#include "reasoner/TBox.h"

bool ComplexQueries::need_encoding = false;
bool ComplexQueries::need_deduction = false;
std::list<std::pair<Concept*, Concept*>> ComplexQueries::queries;
timer ComplexQueries::global_timer;

namespace {

// An unshared concept made by a query and found equal to a shared one.
const uint16_t SharedMask = Concept::IN_DAG | Concept::NORMAL;

} // namespace

void ComplexQueries::startOfInput()
{
    if (TBox::encoded)
        GrammarSupport::beginInput("Query");
    else
        ParserManager::getInstance()->postWarning("Trying to query a non-encoded ontology.", Parser);
    need_encoding = need_deduction = false;
    global_timer.reset();
    global_timer.start();
}

Concept* ComplexQueries::q_getConceptByName(const char* name, Concept* made)
{
    SymbolTableEntry* entry = NameLookup::if_entry_exists_verify_type(name, ST_CONCEPT, "concept");
    if (entry != nullptr) {
        delete made;
        Concept* c = entry->getConcept();
        c->occurrences += 1;
        return c;
    }
    Concept* c = TBox::getInstance()->insertConcept(made, true);
    SymbolTable::getInstance()->addEntry(name, c, static_cast<unsigned int>(ParserManager::getInstance()->line));
    return c;
}

Concept* ComplexQueries::conceptByName(char* name)
{
    Concept* made = new PrimitiveConcept(std::string(name));
    Concept* c = TBox::getInstance()->findNormalizedConcept(made);
    if (c != nullptr)
        delete made;
    else
        c = q_getConceptByName(name, made);
    std::free(name);
    return c;
}

Concept* ComplexQueries::settle(Concept* x)
{
    if (x->kind != CONJUNCTION)
        return x;
    TBox* tbox = TBox::getInstance();
    Concept* n = tbox->findNormalizedConcept(x);
    if (n == nullptr)
        return tbox->insertConcept(x, true);
    if (n != x)
        x->destroyNotShared(SharedMask);
    return n;
}

Concept* ComplexQueries::conjunction(ConceptList* operands, bool forward)
{
    if (operands->size() >= 2)
        for (Concept*& operand : *operands) {
            if (forward && operand->forwardName != nullptr)
                operand = definedName(operand, true);
            else if (!forward && (operand->flags & Concept::BW_NORMALIZED))
                operand = operand->getBWNormalization();
        }
    return OntologyBuilder::conjunction(operands);
}

Concept* ComplexQueries::existential(char* roleName, Concept* filler, bool forward)
{
    Role* role = NameLookup::getRoleByName(roleName);
    std::free(roleName);
    filler = settle(filler);
    if ((forward ? filler->forwardName : filler->backwardName) != nullptr)
        filler = definedName(filler, forward);
    Concept* e = new ExistentialRestr(filler, role);
    TBox* tbox = TBox::getInstance();
    Concept* n = tbox->findNormalizedConcept(e);
    if (n == nullptr)
        return tbox->insertConcept(e, true);
    e->destroyNotShared(SharedMask);
    return n;
}

Concept* ComplexQueries::definedName(Concept* x, bool forward)
{
    const uint16_t defined = forward ? Concept::FW_NAMING_AXIOM : Concept::BW_NAMING_AXIOM;
    if (x->isComplex() && !(x->flags & defined)) {
        // With one name for both sides, the name that one side gave out
        // stands for the concept on the other side too, but only the
        // inclusion of the side that made it is there: x ⊑ N, or N ⊑ x. Made
        // here, the inclusion of this side may be new, and what follows from
        // it is known only once the terminology is classified again.
        TBox* tbox = TBox::getInstance();
        const std::size_t inclusions = tbox->gcis.size();
        if ((forward ? x->forwardName : x->backwardName) == nullptr)
            need_encoding = true;
        forward ? tbox->normalizeConceptFW(x) : tbox->normalizeConceptBW(x);
        if (tbox->gcis.size() != inclusions)
            need_encoding = need_deduction = true;
    }
    return forward ? x->forwardName : x->backwardName;
}

Concept* ComplexQueries::normalizeSide(Concept* x, bool forward)
{
    const uint16_t done = forward ? Concept::FW_NORMALIZED : Concept::BW_NORMALIZED;
    if (x->flags & done)
        x = TBox::getInstance()->insertNormalizedConcept(forward ? x->getFWNormalization() : x->getBWNormalization());
    else if (x->isComplex())
        need_encoding = need_deduction = true;
    definedName(x, forward);
    return x;
}

void ComplexQueries::recordQuery(Concept* c, Concept* d)
{
    c = settle(c);
    d = settle(d);
    d = normalizeSide(d, false);
    c = normalizeSide(c, true);
    TBox* tbox = TBox::getInstance();
    Concept* x = tbox->insertNormalizedConcept(c->getFWName());
    Concept* y = tbox->insertNormalizedConcept(d->getBWName());
    queries.emplace_back(y, x);
}

void ComplexQueries::classifyAgain()
{
    TBox* tbox = TBox::getInstance();
    int conceptCount = 0, roleCount = 0;
    if (TBox::deduction_performed && TBox::encoded) {
        // A terminology classified and encoded before takes the query's
        // inclusions as an increment: only what they touch is classified
        // again. The preparation still reads the last pass's deduced list (a
        // reloaded terminology tells the stored subsumptions by it), and the
        // run replaces it with its own subsumptions, none of them encoded yet.
        tbox->prepareDeduction();
        tbox->performDeduction(conceptCount, roleCount);
        return;
    }
    // Otherwise the classification starts afresh over the whole terminology,
    // and of what it derives, the subsumptions that the last encoding pass
    // held already are left out of the list to encode.
    TBox::DeducedList* encodedBefore = TBox::encoded ? tbox->deducedAxioms : nullptr;
    if (encodedBefore == nullptr)
        delete tbox->deducedAxioms;
    tbox->deducedAxioms = nullptr;
    if (TBox::deduction_performed) {
        tbox->clearAllDeductionStructures();
        TBox::deduction_performed = false;
    }
    tbox->prepareDeduction();
    TBox::DeducedList* derived = tbox->performDeduction(conceptCount, roleCount);
    const StoredPairs known(encodedBefore);
    if (!known.empty())
        derived->erase(std::remove_if(derived->begin(), derived->end(),
                                      [&known](const std::pair<Concept*, Concept*>& p) { return known.holds(p); }),
                       derived->end());
    delete encodedBefore;
}

void ComplexQueries::endOfInput()
{
    std::fprintf(stderr, "PARSING%s QUERIES (CPU-sec): %f\n", need_encoding ? " & NORMALIZATION" : "",
                 static_cast<double>(global_timer.elapsed()));
    global_timer.stop();
    TBox* tbox = TBox::getInstance();
    if (need_encoding) {
        if (need_deduction) {
            classifyAgain();
            std::fprintf(stderr, "CLASSIFICATION [initialization+deduction] (CPU-sec): %f\n",
                         static_cast<double>(global_timer.elapsed(true)));
            global_timer.stop();
        } else {
            // The subsumptions of the last pass are in the encoding already
            // when the terminology was encoded after its classification; the
            // pass encodes only the inclusions of the new names.
            delete tbox->deducedAxioms;
            tbox->deducedAxioms = new TBox::DeducedList();
        }
        unsigned long variables = 0, clauses = 0;
        tbox->encodeIntoSat(false, &variables, &clauses);
        std::fprintf(stderr, "ENCODING (CPU-sec): %f\n", static_cast<double>(global_timer.elapsed(true)));
        global_timer.stop();
    }
    std::fflush(stderr);
    FILE* out = ParserManager::getInstance()->outputFile;
    int decided = 0;
    for (const auto& query : queries) {
        bool satisfiable = tbox->decideSubsumption(query.first, query.second);
        std::fprintf(out, "%s\n", satisfiable ? "SAT" : "U");
        ++decided;
    }
    queries.clear();
    std::fprintf(stderr, "SOLVING ALL QUERIES [%d] (CPU-sec): %g\n", decided,
                 static_cast<double>(global_timer.elapsed(true)));
}

void ComplexQueries::syntaxError(const char* message)
{
    ParserManager::getInstance()->postError(message != nullptr ? message : "syntax error", Parser);
}
