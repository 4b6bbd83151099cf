#ifndef KORVANE_TESTS_CLASSIFIER_CLASSIFICATIONFIXTURE_H
#define KORVANE_TESTS_CLASSIFIER_CLASSIFICATIONFIXTURE_H

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ClassifierState.h"
#include "ParserTestSupport.h"
#include "support/TestSupport.h"
#include "encoders/DimacsEncoder.h"
#include "reasoner/TBox.h"
#include "support/OntologyClassification.h"

namespace korvane_test {

using ClauseLines = std::vector<std::vector<long>>;

// A fresh classifier build of the terminology with the classifier's default
// switches, a DIMACS encoder over memory streams, and the way from an
// ontology text to its classification.
class ClassificationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetClassifierState();
        encoder = std::make_unique<DimacsEncoder>(body.get(), header.get());
        TBox::CNF_SAT_Encoder = encoder.get();
    }

    void TearDown() override { TBox::CNF_SAT_Encoder = nullptr; }

    TBox* parse(const std::string& ontology)
    {
        EXPECT_EQ(parseOntology(ontology), 0);
        return TBox::getInstance();
    }

    TBox* normalize(const std::string& ontology)
    {
        parse(ontology);
        return normalizeTerminology();
    }

    TBox* classify(const std::string& ontology, bool encode = true)
    {
        normalize(ontology);
        return classifyTerminology(encode);
    }

    ClauseLines clauses() { return readDimacsClauses(body.text()); }

    // The normal-form axiom lhs ⊑ rhs between two named concepts.
    static Axiom* gciBetween(const std::string& lhs, const std::string& rhs)
    {
        for (Axiom* a : TBox::getInstance()->gcis)
            if (conceptText(a->lhs) == lhs && conceptText(a->rhs) == rhs)
                return a;
        return nullptr;
    }

    // The variable of sub ⊑ super in super's assertion set, -1 when absent.
    static long assertionVariable(Concept* sub, Concept* super)
    {
        auto found = super->assertions.find({sub, 0});
        return found == super->assertions.end() ? -1 : static_cast<long>(found->second);
    }

    MemoryStream body;
    MemoryStream header;
    std::unique_ptr<DimacsEncoder> encoder;
};

} // namespace korvane_test

#endif
