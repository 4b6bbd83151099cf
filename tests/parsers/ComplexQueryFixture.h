#ifndef KORVANE_TESTS_PARSERS_COMPLEXQUERYFIXTURE_H
#define KORVANE_TESTS_PARSERS_COMPLEXQUERYFIXTURE_H

#include <gtest/gtest.h>

#include <string>

#include "ParserTestSupport.h"
#include "support/TestSupport.h"
#include "encoders/CoreSolverEncoder.h"
#include "model/ParserManager.h"
#include "parsers/el_krss_g_query.h"
#include "reasoner/TBox.h"
#include "support/OntologyClassification.h"

namespace korvane_test {

// A terminology read from text, normalised, classified and encoded into the
// in-process solver, as a driver does before it reads a query file; the
// answers of the queries go to `answers`.
class ComplexQueryFixture : public ::testing::Test {
protected:
    void SetUp() override { reset(); }

    void TearDown() override
    {
        TBox::CNF_SAT_Encoder = nullptr;
        delete sink;
        sink = nullptr;
    }

    void reset()
    {
        TearDown();
        resetModel();
        TBox::pinpointing = false;
        TBox::debug_f = nullptr;
        sink = new CoreSolverEncoder(nullptr, nullptr, nullptr, false);
        TBox::CNF_SAT_Encoder = sink;
    }

    // Reads the terminology and, unless told otherwise, classifies and
    // encodes it.
    void load(const std::string& ontology, bool encode = true)
    {
        ASSERT_EQ(parseOntology(ontology), 0);
        normalizeTerminology();
        if (encode)
            classifyTerminology(true);
    }

    // Reads the query file; returns what was written to standard error.
    std::string ask(const std::string& queries)
    {
        ParserManager::getInstance()->outputFile = answers.get();
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(parseFrom(queries, queryyyin, queryyyparse), 0);
        return ::testing::internal::GetCapturedStderr();
    }

    Encoder* sink = nullptr;
    MemoryStream answers;
};

} // namespace korvane_test

#endif
