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
#include "support/KoncludePeer.h"
#include "model/ParserManager.h"
#include "model/PrimitiveConcept.h"
#include "parsers/el_krss_g.h"
#include "reasoner/TBox.h"

namespace {

using Pairs = konclude_peer::Pairs;

// A clause sink that checks each clause as it arrives instead of writing it:
// Horn with exactly one positive literal, the last one, except the unit
// clause of bottom; and every variable within the count of the header.
class HornCheckingEncoder : public Encoder {
public:
    HornCheckingEncoder() : Encoder(nullptr, nullptr, DIMACS) {}

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
    bool checkSatisfiability(const LiteralList*, const LiteralList*, unsigned long, unsigned long) override
    {
        return true;
    }
    bool checkSatisfiability(long, long, unsigned long, unsigned long) override { return true; }
    LiteralList* checkSatisfiabilityAndPinpoint(long, long, const LiteralList*, bool, unsigned long,
                                                unsigned long) override
    {
        return nullptr;
    }
    void preparePinpointing(const LiteralList*) override {}

    unsigned long clauses = 0;
    unsigned long largest = 0;
    unsigned long faults = 0;
    unsigned long negativeUnits = 0;
    unsigned long endings = 0;
    unsigned long declaredVariables = 0;
    unsigned long declaredClauses = 0;
};

struct Case {
    std::string krss;
    std::string name;
    bool elk;
};

std::vector<Case> cases()
{
    std::vector<Case> found;
    for (bool elk : {false, true}) {
        std::string dir = std::string(KORVANE_DATA_DIR) + (elk ? "/elk-tests" : "");
        DIR* d = opendir(dir.c_str());
        if (d == nullptr)
            continue;
        while (dirent* e = readdir(d)) {
            std::string file = e->d_name;
            if (file.size() <= 5 || file.compare(file.size() - 5, 5, ".krss") != 0)
                continue;
            found.push_back({dir + "/" + file, file.substr(0, file.size() - 5), elk});
        }
        closedir(d);
    }
    std::sort(found.begin(), found.end(), [](const Case& a, const Case& b) { return a.krss < b.krss; });
    return found;
}

// Cases left out: their expected classification rests on the bottom concept
// (disjointness or an unsatisfiable class), for which this classification
// has no rule.
bool needsBottomRule(const Case& c)
{
    return c.name == "pizza-bottom" || (c.elk && (c.name == "Bottom" || c.name == "Inconsistent"));
}

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

Pairs expectedElkPairs(const std::string& name)
{
    Pairs pairs;
    std::string path = std::string(KORVANE_DATA_DIR) + "/elk-tests/expected/" + name + ".subsumptions.tsv.gz";
    std::string command = "gzip -dc '" + path + "'";
    FILE* in = popen(command.c_str(), "r");
    if (in == nullptr)
        return pairs;
    char line[4096];
    while (std::fgets(line, sizeof line, in) != nullptr) {
        std::string text(line);
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        std::size_t tab = text.find('\t');
        if (tab != std::string::npos)
            pairs.insert({text.substr(0, tab), text.substr(tab + 1)});
    }
    pclose(in);
    return pairs;
}

// The number of subsumption pairs that the data's notes give for a file.
const std::map<std::string, std::size_t> noted = {
    {"pizza", 483},        {"plana-full", 5859},   {"not-galen", 32700},           {"cl-edit", 26335},
    {"wbbt-full", 32048},  {"fly-anatomy", 77671}, {"el-galen", 453710}, {"go-basic-2022-07", 484697}};

std::string describe(const Pairs& pairs)
{
    std::ostringstream out;
    int shown = 0;
    for (const auto& p : pairs) {
        if (shown++ == 8) {
            out << " ...";
            break;
        }
        out << " (" << p.first << " ⊑ " << p.second << ")";
    }
    return out.str();
}

void PrintTo(const Case& c, std::ostream* out)
{
    *out << c.krss;
}

class RealClassification : public ::testing::TestWithParam<Case> {};

TEST_P(RealClassification, NamedSubsumptionsMatchTheIndependentClassification)
{
    const Case& c = GetParam();
    if (needsBottomRule(c))
        GTEST_SKIP() << c.name << " needs a rule for the bottom concept";
    // The largest file takes minutes under the sanitizers; the build without
    // them covers it.
    const char* sanitized = std::getenv("KORVANE_SANITIZED");
    if (sanitized != nullptr && std::string(sanitized) == "1" && c.name == "el-galen")
        GTEST_SKIP() << c.name << " is covered by the build without sanitizers";

    Pairs expected;
    if (c.elk) {
        expected = expectedElkPairs(c.name);
    } else {
        if (!konclude_peer::available())
            GTEST_SKIP() << "Konclude is not installed (apt-get install konclude)";
        std::string ofn = c.krss.substr(0, c.krss.size() - 5) + ".ofn";
        std::string output = konclude_peer::classify(ofn, KORVANE_PEER_CACHE, c.name);
        ASSERT_FALSE(output.empty()) << "Konclude failed on " << ofn;
        expected = konclude_peer::readClosure(output);
        auto count = noted.find(c.name);
        if (count != noted.end()) {
            EXPECT_EQ(expected.size(), count->second) << "Konclude's classification differs from the notes";
        }
    }

    korvane_test::resetClassifierState();
    HornCheckingEncoder sink;
    TBox::CNF_SAT_Encoder = &sink;
    ParserManager::getInstance()->setInputFile(c.krss.c_str());
    TBox* tbox = TBox::getInstance();
    ASSERT_EQ(yyparse(), 0);
    tbox->normalizeTBox();
    tbox->clearNonNormalAndSharedConcepts();
    tbox->performDeductionAndEncode(true, true);

    EXPECT_EQ(sink.faults, 0u);
    EXPECT_EQ(sink.negativeUnits, 1u);
    EXPECT_EQ(sink.endings, 1u);
    EXPECT_EQ(sink.declaredClauses, sink.clauses);
    EXPECT_LE(sink.largest, sink.declaredVariables);

    Pairs derived = derivedPairs(tbox);
    Pairs missing;
    Pairs extra;
    std::set_difference(expected.begin(), expected.end(), derived.begin(), derived.end(),
                        std::inserter(missing, missing.end()));
    std::set_difference(derived.begin(), derived.end(), expected.begin(), expected.end(),
                        std::inserter(extra, extra.end()));
    EXPECT_TRUE(missing.empty()) << missing.size() << " of " << expected.size()
                                 << " subsumptions not derived:" << describe(missing);
    EXPECT_TRUE(extra.empty()) << extra.size() << " subsumptions derived beyond the expected ones:"
                               << describe(extra);
    RecordProperty("subsumptions", static_cast<int>(derived.size()));
    std::printf("%s: %zu derived, %zu expected\n", c.name.c_str(), derived.size(), expected.size());
}

std::string testName(const ::testing::TestParamInfo<Case>& info)
{
    std::string name = (info.param.elk ? "elk_" : "") + info.param.name;
    for (char& ch : name)
        if (!std::isalnum(static_cast<unsigned char>(ch)))
            ch = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(SharedData, RealClassification, ::testing::ValuesIn(cases()), testName);
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(RealClassification);

} // namespace
