#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "model/Axiom.h"
#include "model/GCIIndex.h"
#include "model/PrimitiveConcept.h"

using namespace korvane_test;

namespace {

// GCIs over four concepts, A and B shared (flag 0x1), C and D not: the sides
// are given by index into {A, B, C, D}.
struct Inclusion {
    int lhs;
    int rhs;
    axiom_t type;
};

struct RuleOutCase {
    const char* name;
    std::vector<Inclusion> stored;
    Inclusion probe;
    bool ruledOut;
};

void PrintTo(const RuleOutCase& c, std::ostream* out)
{
    *out << c.name;
}

const RuleOutCase kRuleOutCases[] = {
    {"EmptyIndex", {}, {0, 1, ORIGINAL}, true},
    {"SameSidesAndType", {{0, 1, ORIGINAL}}, {0, 1, ORIGINAL}, false},
    {"OtherType", {{0, 1, ORIGINAL}}, {0, 1, FW_NORMALIZED_AXIOM}, true},
    {"SidesSwapped", {{0, 1, ORIGINAL}}, {1, 0, ORIGINAL}, true},
    {"AmongOthers", {{1, 1, ORIGINAL}, {0, 0, BW_NORMALIZED_AXIOM}, {0, 1, BW_NORMALIZED_AXIOM}},
     {0, 1, BW_NORMALIZED_AXIOM}, false},
    // An unshared side compares by structure: only the ordered set can tell.
    {"ProbeWithUnsharedSide", {{0, 1, ORIGINAL}}, {2, 1, ORIGINAL}, false},
    {"StoredWithUnsharedSide", {{0, 3, ORIGINAL}}, {0, 1, ORIGINAL}, false},
};

class GCIIndexRuleOut : public FreshModelTest, public ::testing::WithParamInterface<RuleOutCase> {};

TEST_P(GCIIndexRuleOut, RulesOutOnlyWhatNoStoredGCIEquals)
{
    const RuleOutCase& c = GetParam();
    std::vector<Concept*> concepts;
    for (const char* name : {"A", "B", "C", "D"})
        concepts.push_back(new PrimitiveConcept(std::string(name)));
    concepts[0]->flags |= Concept::IN_DAG;
    concepts[1]->flags |= Concept::IN_DAG;
    GCIIndex index;
    for (const Inclusion& i : c.stored)
        index.add(new Axiom(concepts[i.lhs], concepts[i.rhs], i.type));
    Axiom probe(concepts[c.probe.lhs], concepts[c.probe.rhs], c.probe.type);
    EXPECT_EQ(index.rulesOut(&probe), c.ruledOut);
    index.clear();
    EXPECT_EQ(index.rulesOut(&probe), c.probe.lhs < 2 && c.probe.rhs < 2);
}

INSTANTIATE_TEST_SUITE_P(Cases, GCIIndexRuleOut, ::testing::ValuesIn(kRuleOutCases),
                         [](const ::testing::TestParamInfo<RuleOutCase>& info) { return info.param.name; });

}
