#ifndef KORVANE_TESTS_REASONER_ENCODINGRELOADSUPPORT_H
#define KORVANE_TESTS_REASONER_ENCODINGRELOADSUPPORT_H

#include <algorithm>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "ParserTestSupport.h"
#include "support/TestSupport.h"
#include "encoders/CoreSolverEncoder.h"
#include "encoders/DimacsEncoder.h"
#include "model/PrimitiveConcept.h"
#include "parsers/el_dimacs_encoding.h"
#include "parsers/el_krss_g.h"
#include "parsers/el_krss_g_upload.h"
#include "reasoner/EncodedTBox.h"
#include "reasoner/TBox.h"
#include "support/LoadedModel.h"
#include "support/OntologyForms.h"

// A terminology classified and encoded, stored as an encoding (header text
// first) and a normalisation map, and rebuilt from them in the same process
// with fresh singletons.
namespace reload_test {

// Clauses with their literals sorted, compared as sets.
using ClauseSet = std::set<std::vector<long>>;

struct Stored {
    std::string encoding;
    std::string map;
    unsigned long variables = 0;
};

// Everything the terminology and the model keep between runs starts afresh,
// the store of what is read back from files included, with the library's
// switches.
inline void resetAll()
{
    korvane_test::resetLoadedModel();
    TBox::initializeNonPrimitive = true;
    TBox::loaded_from_encoding = false;
    TBox::pinpointing_index = 0;
}

inline void classify(TBox* tbox)
{
    tbox->prepareDeduction();
    int conceptCount = 0;
    int roleCount = 0;
    tbox->performDeduction(conceptCount, roleCount);
}

// Parses ontology text into the terminology, normalises and classifies it
// (as an increment after a classification or a reload).
inline void addAndClassify(const std::string& ontology)
{
    if (!ontology.empty() && korvane_test::parseOntology(ontology) != 0)
        throw std::logic_error("the ontology does not parse");
    TBox* tbox = TBox::getInstance();
    tbox->normalizeTBox();
    tbox->clearNonNormalAndSharedConcepts();
    classify(tbox);
}

inline void addFileAndClassify(const std::string& path)
{
    ParserManager::getInstance()->setInputFile(path.c_str());
    if (yyparse() != 0)
        throw std::logic_error("the ontology does not parse: " + path);
    TBox* tbox = TBox::getInstance();
    tbox->normalizeTBox();
    tbox->clearNonNormalAndSharedConcepts();
    classify(tbox);
}

// One encoding pass into a DIMACS writer: the header text and the clause text.
inline std::pair<std::string, std::string> encodePass(TBox* tbox, unsigned long* variables)
{
    korvane_test::MemoryStream body;
    korvane_test::MemoryStream header;
    Encoder* installed = TBox::CNF_SAT_Encoder;
    DimacsEncoder writer(body.get(), header.get());
    TBox::CNF_SAT_Encoder = &writer;
    unsigned long clauseCount = 0;
    tbox->encodeIntoSat(false, variables, &clauseCount);
    writer.flushPending();
    TBox::CNF_SAT_Encoder = installed;
    return {header.text(), body.text()};
}

// The terminology's first encoding pass and its normalisation map.
inline Stored store(TBox* tbox)
{
    Stored stored;
    auto [header, body] = encodePass(tbox, &stored.variables);
    stored.encoding = header + body;
    korvane_test::MemoryStream map;
    WrittenAxioms written;
    tbox->saveRIAxioms(map.get(), false, written);
    tbox->saveNormalConceptsWithCnfId(map.get(), 0);
    stored.map = map.text();
    return stored;
}

// Fresh singletons (the switches stay), then the encoding and the map read
// and the terminology rebuilt from them.
inline TBox::DeducedList* reload(const Stored& stored)
{
    const bool equivalenceNames = Concept::EquivalenceNames;
    const bool initializeNonPrimitive = TBox::initializeNonPrimitive;
    resetAll();
    Concept::EquivalenceNames = equivalenceNames;
    TBox::initializeNonPrimitive = initializeNonPrimitive;
    if (korvane_test::parseFrom(stored.encoding, encyyin, encyyparse) != 0)
        throw std::logic_error("the encoding does not parse");
    if (korvane_test::parseFrom(stored.map, uploadyyin, uploadyyparse) != 0)
        throw std::logic_error("the map does not parse");
    return TBox::getInstance()->normalizationAndDeductionFromEncoding(*EncodedTBox::getInstance());
}

inline ClauseSet clauseSet(const std::string& dimacs)
{
    ClauseSet set;
    for (std::vector<long> clause : korvane_test::readDimacsClauses(dimacs)) {
        std::sort(clause.begin(), clause.end());
        clause.erase(std::unique(clause.begin(), clause.end()), clause.end());
        set.insert(clause);
    }
    return set;
}

// Named concepts by name with their variables.
inline std::map<std::string, unsigned long> namedVariables(TBox* tbox)
{
    std::map<std::string, unsigned long> variables;
    for (Concept* c : tbox->normalizedConcepts)
        if (c->kind == PRIMITIVE_CONCEPT && c->encodingId != 0)
            variables[static_cast<PrimitiveConcept*>(c)->name] = c->encodingId;
    return variables;
}

// Subsumption queries decided on a clause set by the in-process solver
// (unit propagation decides Horn clauses).
class Answers {
public:
    explicit Answers(const std::vector<std::vector<long>>& clauses) : solver(nullptr, nullptr, nullptr, true)
    {
        for (const auto& clause : clauses) {
            LiteralList literals(clause.begin(), clause.end());
            solver.addClauseFast(&literals);
        }
    }
    explicit Answers(const ClauseSet& clauses) : Answers(std::vector<std::vector<long>>(clauses.begin(), clauses.end()))
    {
    }
    bool holds(unsigned long sub, unsigned long super)
    {
        return !solver.checkSatisfiability(static_cast<long>(sub), static_cast<long>(super), 0, 0);
    }

private:
    CoreSolverEncoder solver;
};

// Seeded pairs of named concepts: half of them among the subsumed lists
// (when there are so many), the others drawn at random.
inline std::vector<std::pair<std::string, std::string>> sampleNamedPairs(TBox* tbox, std::size_t count,
                                                                          unsigned seed)
{
    std::vector<std::pair<std::string, std::string>> holding;
    std::vector<std::string> names;
    for (Concept* super : tbox->normalizedConcepts) {
        if (super->kind != PRIMITIVE_CONCEPT || super->encodingId == 0)
            continue;
        const std::string& b = static_cast<PrimitiveConcept*>(super)->name;
        names.push_back(b);
        if (super->deduction.subsumed == nullptr)
            continue;
        for (Concept* sub : *super->deduction.subsumed)
            if (sub->kind == PRIMITIVE_CONCEPT && sub != super && sub->encodingId != 0)
                holding.emplace_back(static_cast<PrimitiveConcept*>(sub)->name, b);
    }
    std::sort(holding.begin(), holding.end());
    std::sort(names.begin(), names.end());
    std::vector<std::pair<std::string, std::string>> pairs;
    if (names.empty())
        return pairs;
    std::mt19937 random(seed);
    for (std::size_t i = 0; i < count / 2 && !holding.empty(); ++i)
        pairs.push_back(holding[std::uniform_int_distribution<std::size_t>(0, holding.size() - 1)(random)]);
    std::uniform_int_distribution<std::size_t> pick(0, names.size() - 1);
    while (pairs.size() < count)
        pairs.emplace_back(names[pick(random)], names[pick(random)]);
    return pairs;
}

// The top-level forms of an ontology file in two parts by a seeded draw:
// about a fifth in the second.
inline std::pair<std::string, std::string> splitForms(const std::string& path, unsigned seed)
{
    std::mt19937 draw(seed);
    std::bernoulli_distribution later(0.2);
    std::pair<std::string, std::string> parts;
    for (const std::string& form : korvane_test::ontologyForms(path))
        (later(draw) ? parts.second : parts.first) += form + "\n";
    return parts;
}

} // namespace reload_test

#endif
