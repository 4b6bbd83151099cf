// Classifies every shared real ontology with the classifier's classification
// and compares the subsumptions between named concepts with an independent
// reasoner (Konclude) or with the expectations shipped with the test files;
// checks on the way that every clause of the encoding is Horn.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <map>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ClassifierState.h"
#include "model/PrimitiveConcept.h"
#include "reasoner/TBox.h"
#include "support/OntologyClassification.h"
#include "support/SatisfiableEncoder.h"
#include "support/SharedOntologies.h"
#include "support/SanitizedBuild.h"

namespace {

using shared_ontologies::Case;
using shared_ontologies::Pairs;

// A clause sink that checks each clause as it arrives instead of writing it:
// Horn with exactly one positive literal, the last one, except the unit
// clause of bottom; and every variable within the count of the header.
class HornCheckingEncoder : public SatisfiableEncoder {
public:
    HornCheckingEncoder() : SatisfiableEncoder(DIMACS) {}

    bool addClause(const LiteralList* literals, const KindList*, unsigned) override
    {
        if (literals == nullptr || literals->empty())
            return false;
        ++clauses;
        int positives = 0;
        for (long l : *literals) {
            positives += l > 0;
            largest = std::max(largest, static_cast<unsigned long>(l < 0 ? -l : l));
        }
        bool bottomUnit = literals->size() == 1 && literals->front() < 0 && ++negativeUnits == 1;
        if (!bottomUnit && (positives != 1 || literals->back() < 0) && ++faults <= 5)
            ADD_FAILURE() << "clause " << clauses << " is not Horn with one positive literal last";
        return true;
    }
    bool endEncoding(bool, unsigned long variables, unsigned long clauseCount, unsigned long,
                     unsigned long) override
    {
        ++endings;
        declaredVariables = variables;
        declaredClauses = clauseCount;
        return true;
    }
    // What arrived, and what the end of the encoding declared.
    unsigned long clauses = 0, largest = 0, faults = 0, negativeUnits = 0;
    unsigned long endings = 0, declaredVariables = 0, declaredClauses = 0;
};

// Named-concept pairs recorded by the classification: told normal-form axioms
// and derived subsumptions, as the assertion sets hold them.
Pairs derivedPairs(TBox* tbox)
{
    Pairs pairs;
    for (Concept* super : tbox->normalizedConcepts) {
        if (super->kind != PRIMITIVE_CONCEPT)
            continue;
        const std::string& b = static_cast<PrimitiveConcept*>(super)->name;
        for (auto& entry : super->assertions)
            if (entry.first->kind == PRIMITIVE_CONCEPT && entry.first != super)
                pairs.insert({static_cast<PrimitiveConcept*>(entry.first)->name, b});
    }
    return pairs;
}

class RealClassification : public ::testing::TestWithParam<Case> {};

TEST_P(RealClassification, NamedSubsumptionsMatchTheIndependentClassification)
{
    const Case& c = GetParam();
    if (shared_ontologies::needsBottomRule(c))
        GTEST_SKIP() << c.name << " needs a rule for the bottom concept";
    // The largest file takes minutes under the sanitizers; the build without
    // them covers it.
    if (sanitizedBuild() && c.name == "el-galen")
        GTEST_SKIP() << c.name << " is covered by the build without sanitizers";
    Pairs expected;
    ASSERT_TRUE(shared_ontologies::expectedPairs(KORVANE_DATA_DIR, KORVANE_PEER_CACHE, c, expected));

    korvane_test::resetClassifierState();
    HornCheckingEncoder sink;
    TBox::CNF_SAT_Encoder = &sink;
    TBox* tbox = nullptr;
    ASSERT_NE(tbox = korvane_test::classifyOntologyFile(c.krss), nullptr);

    EXPECT_EQ(sink.faults, 0u);
    EXPECT_EQ(sink.negativeUnits, 1u);
    EXPECT_EQ(sink.endings, 1u);
    EXPECT_EQ(sink.declaredClauses, sink.clauses);
    EXPECT_LE(sink.largest, sink.declaredVariables);

    Pairs derived = derivedPairs(tbox);
    shared_ontologies::expectSamePairs(expected, derived);
    RecordProperty("subsumptions", static_cast<int>(derived.size()));
    std::printf("%s: %zu derived, %zu expected\n", c.name.c_str(), derived.size(), expected.size());
}

INSTANTIATE_TEST_SUITE_P(SharedData, RealClassification, ::testing::ValuesIn(shared_ontologies::cases(KORVANE_DATA_DIR)),
                         shared_ontologies::testName);

} // namespace
