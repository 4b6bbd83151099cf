#ifndef KORVANE_TESTS_PARSERS_SIMPLEQUERYFIXTURE_H
#define KORVANE_TESTS_PARSERS_SIMPLEQUERYFIXTURE_H

#include <gtest/gtest.h>

#include <string>

#include "support/TestSupport.h"
#include "encoders/DimacsEncoder.h"
#include "model/ParserManager.h"
#include "model/PrimitiveConcept.h"
#include "parsers/SimpleQueryLoop.h"
#include "reasoner/EncodedQueryActions.h"
#include "reasoner/EncodedTBox.h"
#include "reasoner/TBox.h"
#include "support/LoadedModel.h"

namespace korvane_test {

// A terminology with the one axiom A ⊑ B, normalised and encoded through the
// sink the test installs: BOTTOM is variable 1, TOP 2, A 3 and B 4. The name
// X is known to the TBox but occurs in no axiom, so it is not in the normal
// form. Answers go to `answers`.
class SimpleQueryFixture : public ::testing::Test {
protected:
    EncodedQueryActions actions;
    void SetUp() override
    {
        resetLoadedModel();
        TBox::pinpointing = false;
        TBox::debug_f = nullptr;
        SimpleQueryLoop::i_simpquery = 0;
        tbox = TBox::getInstance();
        ParserManager::getInstance()->outputFile = answers.get();
        SimpleQueryActions::install(&actions);
    }

    void TearDown() override
    {
        TBox::CNF_SAT_Encoder = nullptr;
        delete sink;
        TBox::pinpointing = false;
        TBox::debug_f = nullptr;
        EncodedTBox::use_original_axiom_index = false;
        SimpleQueryActions::install(nullptr);
    }

    // Installs the sink and encodes the terminology through it.
    void encodeWith(Encoder* encoder)
    {
        sink = encoder;
        TBox::CNF_SAT_Encoder = encoder;
        Concept* a = tbox->insertConcept(new PrimitiveConcept(std::string("A")), true);
        Concept* b = tbox->insertConcept(new PrimitiveConcept(std::string("B")), true);
        tbox->insertConcept(new PrimitiveConcept(std::string("X")), true);
        tbox->insertGCIAxiom(a, b, false)->originalNumber = ++Axiom::original_ax_counter;
        tbox->normalizeTBox();
        unsigned long variables = 0, clauses = 0;
        tbox->encodeIntoSat(false, &variables, &clauses);
    }

    void encodeWithDimacs() { encodeWith(new DimacsEncoder(body.get(), header.get())); }

    // The axioms information of a pinpointing encoding over the 4 variables:
    // GCI 1 selected by variable 5.
    static void loadOneAxiomAssumption()
    {
        EncodedTBox* e = EncodedTBox::getInstance();
        e->loadAxiomsAssumptions(1, 1, 1, 4);
        e->addAxiomAssumption(1, 5);
        e->axiomsInformationLoaded = true;
    }

    TBox* tbox = nullptr;
    Encoder* sink = nullptr;
    MemoryStream answers;
    MemoryStream body;
    MemoryStream header;
};

// "S [n]: seconds" lines for queries first to last.
inline std::string queryTimes(int first, int last)
{
    std::string pattern;
    for (int n = first; n <= last; ++n)
        pattern += "S \\[" + std::to_string(n) + "\\]: [0-9.e+-]+\n";
    return pattern;
}

inline const char* preprocessingTime()
{
    return "QUERIES PREPROCESSING \\(CPU-sec\\): [0-9.e+-]+\n";
}

} // namespace korvane_test

#endif
