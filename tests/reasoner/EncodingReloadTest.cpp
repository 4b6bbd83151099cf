// A terminology rebuilt from a stored encoding and its normalisation map:
// what each kind of clause becomes, the refusal of variables that the map
// does not name, and increments after a reload, which must end where one
// classification of the whole terminology ends.
#include <gtest/gtest.h>

#include <map>
#include <iterator>
#include <ostream>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "EncodingReloadSupport.h"
#include "NamedSubsumptions.h"
#include "model/ExistentialRestr.h"

using namespace reload_test;
using korvane_test::conceptNamed;
using korvane_test::literal;

namespace {

Concept* fresh(unsigned long n)
{
    for (Concept* c : TBox::getInstance()->normalizedConcepts)
        if (c->kind == FRESH_CONCEPT && static_cast<PrimitiveConcept*>(c)->name == std::to_string(n))
            return c;
    return nullptr;
}

Concept* existentialOver(Concept* filler)
{
    for (Concept* c : TBox::getInstance()->normalizedConcepts)
        if (c->kind == EXISTENTIAL_RESTR && static_cast<ExistentialRestr*>(c)->getFiller() == filler)
            return c;
    return nullptr;
}

std::vector<Concept*> subsumedOf(Concept* c)
{
    return c->deduction.subsumed == nullptr ? std::vector<Concept*>() : *c->deduction.subsumed;
}

Axiom* gciBetween(Concept* lhs, Concept* rhs)
{
    for (Axiom* a : TBox::getInstance()->gcis)
        if (a->lhs == lhs && a->rhs == rhs)
            return a;
    return nullptr;
}

TBox::DeducedList reloadText(const std::string& encoding, const std::string& map)
{
    Stored stored;
    stored.encoding = encoding;
    stored.map = map;
    return *reload(stored);
}

const std::string kTrivialMap = "*bottom* 1\n*top* 2\n";

TEST(EncodingReload, TrivialDeducedClausesAddNothing)
{
    Concept::EquivalenceNames = true;
    // A ⊑ A, bottom ⊑ A, A ⊑ top and the one informative A ⊑ B.
    TBox::DeducedList deduced = reloadText("c axioms 2 deduced 4\np cnf 4 6\n-1 0\n2 0\n-3 3 0\n-1 3 0\n-3 2 0\n-3 4 0\n",
                                           kTrivialMap + "A 3\nB 4\n");
    Concept* A = conceptNamed("A");
    Concept* B = conceptNamed("B");
    ASSERT_NE(A, nullptr);
    ASSERT_NE(B, nullptr);
    EXPECT_EQ(deduced, (TBox::DeducedList{{A, B}}));
    Concept* bottom = TrivialConcept::getBOTTOM();
    EXPECT_EQ(subsumedOf(A), (std::vector<Concept*>{bottom, A}));
    EXPECT_EQ(subsumedOf(B), (std::vector<Concept*>{bottom, A, B}));
    EXPECT_TRUE(TBox::getInstance()->gcis.empty());
}

// Variables far apart (an encoding that declares many and uses few) are
// looked up as well as those of a run's encoding, which come one after the
// other: A ⊑ C is an axiom clause, C ⊑ B a deduced one.
TEST(EncodingReload, SparseVariablesNameTheirConcepts)
{
    Concept::EquivalenceNames = true;
    TBox::DeducedList deduced = reloadText("c axioms 3 deduced 1\np cnf 5000 4\n-1 0\n2 0\n-3 5000 0\n-5000 4 0\n",
                                           kTrivialMap + "A 3\nB 4\nC 5000\n");
    Concept* A = conceptNamed("A");
    Concept* B = conceptNamed("B");
    Concept* C = conceptNamed("C");
    ASSERT_TRUE(A && B && C);
    EXPECT_EQ(deduced, (TBox::DeducedList{{C, B}}));
    EXPECT_NE(gciBetween(A, C), nullptr);
    Concept* bottom = TrivialConcept::getBOTTOM();
    EXPECT_EQ(subsumedOf(C), (std::vector<Concept*>{bottom, A, C}));
    EXPECT_EQ(subsumedOf(B), (std::vector<Concept*>{bottom, B, C}));
}

// The deduced clauses come back in the order of their first variable (in
// input order for one variable), whether the variables lie close together
// or far apart; clauses that share a body share its conjunction, and bodies
// that differ in one variable do not. A, B, C, D are the variables 3 to 6,
// or 3, 4, 5 and 4000.
TEST(EncodingReload, DeducedClausesComeInTheOrderOfTheirPremises)
{
    for (const std::string d : {"6", "4000"}) {
        SCOPED_TRACE("D is " + d);
        resetAll();
        Concept::EquivalenceNames = true;
        TBox::DeducedList deduced = reloadText(
            "c axioms 2 deduced 7\np cnf " + d + " 9\n-1 0\n2 0\n-" + d + " 3 0\n-4 5 0\n-" + d + " 4 0\n-3 " + d +
                " 0\n-4 3 0\n-3 -4 5 0\n-3 -5 " + d + " 0\n",
            kTrivialMap + "A 3\nB 4\nC 5\nD " + d + "\n");
        Concept* A = conceptNamed("A");
        Concept* B = conceptNamed("B");
        Concept* C = conceptNamed("C");
        Concept* D = conceptNamed("D");
        ASSERT_TRUE(A && B && C && D);
        auto it = deduced.begin();
        for (int k = 0; k < 5 && it != deduced.end(); ++k)
            ++it;
        const TBox::DeducedList single(deduced.begin(), it);
        EXPECT_EQ(single, (TBox::DeducedList{{A, D}, {B, C}, {B, A}, {D, A}, {D, B}}));
        ASSERT_EQ(deduced.size(), 7u);
        const auto& [ab, c] = *std::next(deduced.begin(), 5);
        const auto& [ac, d2] = deduced.back();
        EXPECT_EQ(c, C);
        EXPECT_EQ(d2, D);
        ASSERT_EQ(ab->kind, CONJUNCTION);
        ASSERT_EQ(ac->kind, CONJUNCTION);
        EXPECT_EQ(std::set<Concept*>(ab->operands->begin(), ab->operands->end()), (std::set<Concept*>{A, B}));
        EXPECT_EQ(std::set<Concept*>(ac->operands->begin(), ac->operands->end()), (std::set<Concept*>{A, C}));
    }
}

// Axiom clauses between a fresh and a named side are the naming GCIs of
// normalisation (backward from a fresh left side, forward to a fresh right
// side); between two named or two fresh sides original ones. A complex
// concept gets back only the names that a GCI defines, in that GCI's
// direction, whether names stand for equivalences or not: ∃r.A ⊑ #8 names
// it forward; #9 ⊑ ∃r.A, #9's only GCI, names it backward; #7, on the left
// of two GCIs (the parts of a conjunction, or both sides of an inclusion),
// names nothing; the conjunction A ⊓ B ⊑ #10 is named forward only.
class AxiomClauses : public ::testing::TestWithParam<bool> {};

TEST_P(AxiomClauses, BecomeGcisOfTheirTypeWithTheNamesTheyDefine)
{
    const bool equivalenceNames = GetParam();
    resetAll();
    Concept::EquivalenceNames = equivalenceNames;
    reloadText("c axioms 9 deduced 0\np cnf 9 9\n-1 0\n2 0\n-5 7 0\n-7 6 0\n-3 4 0\n-5 6 0\n-8 7 0\n-3 -4 9 0\n"
               "-9 4 0\n",
               kTrivialMap + "A 3\nB 4\n#7 5\n#8 6\n#9 8\n#10 9\n(some r A) 7\n");
    Concept* A = conceptNamed("A");
    Concept* B = conceptNamed("B");
    Concept* x = fresh(7);
    Concept* y = fresh(8);
    Concept* z = fresh(9);
    Concept* w = fresh(10);
    Concept* e = existentialOver(A);
    ASSERT_TRUE(A && B && x && y && z && w && e);

    struct Expected {
        Concept* lhs;
        Concept* rhs;
        axiom_t type;
    };
    for (const Expected& gci : {Expected{x, e, BW_NORMALIZED_AXIOM}, Expected{e, y, FW_NORMALIZED_AXIOM},
                                Expected{A, B, ORIGINAL}, Expected{x, y, ORIGINAL},
                                Expected{z, e, BW_NORMALIZED_AXIOM}, Expected{w, B, BW_NORMALIZED_AXIOM}}) {
        Axiom* a = gciBetween(gci.lhs, gci.rhs);
        ASSERT_NE(a, nullptr) << korvane_test::conceptText(gci.lhs) << " ⊑ " << korvane_test::conceptText(gci.rhs);
        EXPECT_EQ(a->type, gci.type) << korvane_test::conceptText(gci.lhs);
        EXPECT_EQ((a->flags & Axiom::DEFINITION) != 0, equivalenceNames && gci.type != ORIGINAL);
    }
    EXPECT_EQ(TBox::getInstance()->gcis.size(), 7u);

    EXPECT_EQ(e->forwardName, y);
    EXPECT_EQ(e->backwardName, z);
    EXPECT_EQ(e->forwardNormalForm, e);
    EXPECT_EQ(e->backwardNormalForm, e);
    const uint16_t both = Concept::FW_NORMALIZED | Concept::FW_NAMING_AXIOM | Concept::BW_NORMALIZED |
                          Concept::BW_NAMING_AXIOM;
    EXPECT_EQ(e->flags & both, both);
    Concept* conjunction = nullptr;
    for (Axiom* a : TBox::getInstance()->gcis)
        if (a->lhs->kind == CONJUNCTION)
            conjunction = a->lhs;
    ASSERT_NE(conjunction, nullptr);
    EXPECT_EQ(conjunction->forwardName, w);
    EXPECT_EQ(conjunction->backwardName, nullptr);
    EXPECT_EQ(conjunction->flags & (Concept::FW_NAMING_AXIOM | Concept::BW_NAMING_AXIOM), Concept::FW_NAMING_AXIOM);
    // Atomic concepts are their own names from the start.
    EXPECT_EQ(A->backwardName, A);
    // The told subsumptions are seeded.
    EXPECT_EQ(subsumedOf(e), (std::vector<Concept*>{TrivialConcept::getBOTTOM(), x, z, e}));
}

INSTANTIATE_TEST_SUITE_P(EquivalenceNames, AxiomClauses, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& info) {
                             return info.param ? "EquivalenceNames" : "SeparateNames";
                         });

// A deduced clause with several premises names the conjunction of the
// normal form when there is one: the map's, or the one an axiom clause made.
TEST(EncodingReload, MultiPremiseClauseReusesTheConjunctionOfTheMap)
{
    Concept::EquivalenceNames = true;
    TBox::DeducedList deduced = reloadText("c axioms 3 deduced 1\np cnf 7 4\n-1 0\n2 0\n-3 -4 5 0\n-4 -3 7 0\n",
                                           kTrivialMap + "A 3\nB 4\nC 5\n(and A B) 6\nD 7\n");
    TBox* tbox = TBox::getInstance();
    Concept* conjunction = nullptr;
    for (Concept* c : tbox->normalizedConcepts)
        if (c->kind == CONJUNCTION) {
            EXPECT_EQ(conjunction, nullptr) << "a second conjunction";
            conjunction = c;
        }
    ASSERT_NE(conjunction, nullptr);
    EXPECT_EQ(conjunction->encodingId, 6u);
    EXPECT_EQ(deduced, (TBox::DeducedList{{conjunction, conceptNamed("D")}}));
    EXPECT_NE(gciBetween(conjunction, conceptNamed("C")), nullptr);
}

TEST(EncodingReload, MultiPremiseClauseReusesTheConjunctionOfAnAxiomClause)
{
    Concept::EquivalenceNames = true;
    TBox::DeducedList deduced = reloadText("c axioms 3 deduced 1\np cnf 6 4\n-1 0\n2 0\n-3 -4 5 0\n-4 -3 6 0\n",
                                           kTrivialMap + "A 3\nB 4\nC 5\nD 6\n");
    TBox* tbox = TBox::getInstance();
    std::vector<Concept*> conjunctions;
    for (Concept* c : tbox->normalizedConcepts)
        if (c->kind == CONJUNCTION)
            conjunctions.push_back(c);
    ASSERT_EQ(conjunctions.size(), 1u);
    EXPECT_EQ(deduced, (TBox::DeducedList{{conjunctions[0], conceptNamed("D")}}));
    EXPECT_NE(gciBetween(conjunctions[0], conceptNamed("C")), nullptr);
    // Seeded like every normalised concept: its conjuncts tell it.
    EXPECT_EQ(subsumedOf(conjunctions[0]).front(), TrivialConcept::getBOTTOM());
}

TEST(EncodingReload, EmptyTerminologyIsClassified)
{
    TBox::normalized = false;
    TBox::DeducedList deduced = reloadText("c axioms 2 deduced 0\np cnf 2 2\n-1 0\n2 0\n", kTrivialMap);
    TBox* tbox = TBox::getInstance();
    EXPECT_TRUE(deduced.empty());
    EXPECT_TRUE(TBox::normalized);
    EXPECT_TRUE(TBox::deduction_performed);
    EXPECT_TRUE(TBox::loaded_from_encoding);
    EXPECT_EQ(tbox->deductionIteration, 0);
    EXPECT_TRUE(tbox->gcis.empty());
    // Bottom under itself, bottom and top under top.
    EXPECT_EQ(tbox->getSubsumptionsNumber(), 3);
    EXPECT_EQ(EncodedTBox::getInstance()->implicationTable, nullptr);

    // An increment classifies as on an empty terminology.
    addAndClassify("(implies A B)\n");
    EXPECT_EQ(korvane_test::subsumedPairs(tbox), (shared_ontologies::Pairs{{"A", "B"}}));
}

// Variables of clauses that the map names no concept for (the selectors
// and derivation variables of an encoding written with pinpointing, or a
// map of another run) end the reload with an error.
struct UnnamedCase {
    const char* name;
    std::string body;
    unsigned long axiomClauses;
    unsigned long variable;
};

void PrintTo(const UnnamedCase& c, std::ostream* out)
{
    *out << c.name;
}

class UnnamedVariable : public ::testing::TestWithParam<UnnamedCase> {};

TEST_P(UnnamedVariable, IsAnErrorOfTheReload)
{
    const UnnamedCase& c = GetParam();
    const std::string encoding = "c axioms " + std::to_string(c.axiomClauses) + " deduced " +
                                 std::to_string(3 - c.axiomClauses) + "\np cnf 6 3\n-1 0\n2 0\n" + c.body;
    const std::string expected = "[Input Encoding - Main] ERROR! Line 0: The TBox can not be rebuilt: the "
                                 "normalization map names no concept for the encoding's variable (an encoding "
                                 "with axiom selectors, or files of different runs?): " +
                                 std::to_string(c.variable) + "\n --- 1 errors and 0 warnings detected.\n";
    EXPECT_EXIT(reloadText(encoding, kTrivialMap + "A 4\nB 5\nC 6\n"), ::testing::ExitedWithCode(255),
                "^" + literal(expected) + "$");
}

INSTANTIATE_TEST_SUITE_P(
    Clauses, UnnamedVariable,
    ::testing::Values(UnnamedCase{"SelectorOfAnAxiomClause", "-3 -4 5 0\n", 3, 3},
                      UnnamedCase{"HeadOfAnAxiomClause", "-4 3 0\n", 3, 3},
                      UnnamedCase{"PremiseOfADeducedClause", "-3 5 0\n", 2, 3},
                      UnnamedCase{"ConclusionOfADeducedClause", "-4 3 0\n", 2, 3},
                      UnnamedCase{"PremiseOfAMultiPremiseClause", "-4 -3 5 0\n", 2, 3},
                      UnnamedCase{"ConclusionOfAMultiPremiseClause", "-4 -5 3 0\n", 2, 3}),
    [](const ::testing::TestParamInfo<UnnamedCase>& info) { return std::string(info.param.name); });

// Increments after a reload. The expected subsumptions are those of one
// classification of both parts together, and the stored encoding with the
// increment's encoding pass answers every query between concepts that are
// not fresh as the encoding of that one classification does.
struct IncrementCase {
    const char* name;
    std::string stored;
    std::string increment;
};

void PrintTo(const IncrementCase& c, std::ostream* out)
{
    *out << c.name;
}

const IncrementCase incrementCases[] = {
    {"NewGciIntoAnOldExistentialPremise", "(implies F G)\n(implies (some r G) B)\n", "(implies C (some r F))\n"},
    {"NewExistentialPremiseOverOldExistentials", "(implies C (some r F))\n(implies F G)\n",
     "(implies (some r G) B)\n"},
    {"SecondExistentialPremiseOfAFiller", "(implies C (some r F))\n(implies (some r F) B)\n",
     "(implies (some s F) D)\n(implies E (some s F))\n"},
    {"SubsumeeReachesAnOldChainedExistential", "(implies (some r G) B)\n(implies C (some r F))\n",
     "(implies F G)\n"},
    {"OldSubsumptionsBelowANewSubsumee", "(implies A B)\n(implies B C)\n(implies C D)\n", "(implies X A)\n"},
    {"ConjunctionGetsItsLastConjunct", "(implies (and B C) D)\n(implies A B)\n", "(implies A C)\n"},
    {"ConjunctionBelowANewSubsumee", "(implies A B)\n(implies A C)\n(implies (and B C) D)\n", "(implies E A)\n"},
    {"DefinitionMetByANewConcept", "(equivalent A (and B (some r C)))\n(implies C E)\n",
     "(implies X B)\n(implies X (some r C))\n(implies Y (and B (some r E)))\n"},
    {"RoleInclusionIntoANewPremise", "(implies A (some r B))\n(role-inclusion r s)\n", "(implies (some s B) C)\n"},
    {"NewRoleInclusion", "(implies A (some r B))\n(implies (some s B) C)\n", "(role-inclusion r s)\n"},
    {"OldChainIntoANewPremise",
     "(implies A (some r B))\n(implies B (some s C))\n(role-inclusion (compose r s) t)\n",
     "(implies (some t C) D)\n"},
    {"NewChainOverOldExistentials", "(implies A (some r B))\n(implies B (some s C))\n(implies (some t C) D)\n",
     "(role-inclusion (compose r s) t)\n"},
    {"ChainOfThreeRoles",
     "(implies A (some r B))\n(implies B (some s C))\n(implies C (some u E))\n"
     "(role-inclusion (compose r s u) t)\n",
     "(implies (some t E) D)\n"},
    {"TransitiveRole", "(transitive r)\n(implies A (some r B))\n(implies B (some r C))\n",
     "(implies (some r C) D)\n(implies C (some r E))\n"},
    {"OldAxiomsAgain", "(implies A B)\n(implies (some r B) C)\n(implies D (some r A))\n",
     "(implies A B)\n(implies D (some r A))\n"},
    {"EmptyIncrement", "(implies A B)\n(implies (some r B) C)\n(implies D (some r A))\n", ""},
    {"NewConceptsOnly", "(implies A B)\n", "(implies X Y)\n(implies Y (some r X))\n"},
};

class ReloadThenIncrement : public ::testing::TestWithParam<std::tuple<IncrementCase, bool>> {};

// The answers of the clauses to every query between two concepts of the
// normal form that have variables, each concept by its text; fresh concepts,
// which two runs number differently, are left out.
std::map<std::pair<std::string, std::string>, bool> answersOf(TBox* tbox, const ClauseSet& clauses)
{
    Answers answers(clauses);
    std::map<std::string, unsigned long> variables;
    for (Concept* c : tbox->normalizedConcepts) {
        std::string text = korvane_test::conceptText(c);
        if (c->encodingId != 0 && text.find('#') == std::string::npos)
            variables[text] = c->encodingId;
    }
    std::map<std::pair<std::string, std::string>, bool> result;
    for (const auto& [sub, subVariable] : variables)
        for (const auto& [super, superVariable] : variables)
            if (sub != super)
                result[{sub, super}] = answers.holds(subVariable, superVariable);
    return result;
}

TEST_P(ReloadThenIncrement, EndsWithTheSubsumptionsOfOneRun)
{
    const IncrementCase& c = std::get<0>(GetParam());
    resetAll();
    Concept::EquivalenceNames = true;
    TBox::initializeNonPrimitive = std::get<1>(GetParam());
    addAndClassify(c.stored + c.increment);
    TBox* whole = TBox::getInstance();
    const shared_ontologies::Pairs expected = korvane_test::subsumedPairs(whole);
    unsigned long variables = 0;
    auto [wholeHeader, wholeBody] = encodePass(whole, &variables);
    const auto expectedAnswers = answersOf(whole, clauseSet(wholeBody));

    resetAll();
    Concept::EquivalenceNames = true;
    TBox::initializeNonPrimitive = std::get<1>(GetParam());
    addAndClassify(c.stored);
    Stored stored = store(TBox::getInstance());
    reload(stored);
    encodePass(TBox::getInstance(), &variables);
    addAndClassify(c.increment);
    TBox* tbox = TBox::getInstance();
    shared_ontologies::expectSamePairs(expected, korvane_test::subsumedPairs(tbox));
    EXPECT_EQ(tbox->getSubsumptionsNumber(), korvane_test::subsumedTotal(tbox));

    auto [header, body] = encodePass(tbox, &variables);
    ClauseSet clauses = clauseSet(stored.encoding);
    ClauseSet increment = clauseSet(body);
    clauses.insert(increment.begin(), increment.end());
    const auto answers = answersOf(tbox, clauses);
    for (const auto& [pair, holds] : expectedAnswers) {
        auto found = answers.find(pair);
        if (found == answers.end()) {
            EXPECT_FALSE(holds) << pair.first << " ⊑ " << pair.second << " has no variables after the reload";
            continue;
        }
        EXPECT_EQ(found->second, holds) << pair.first << " ⊑ " << pair.second;
    }
}

INSTANTIATE_TEST_SUITE_P(SmallTerminologies, ReloadThenIncrement,
                         ::testing::Combine(::testing::ValuesIn(incrementCases), ::testing::Bool()),
                         [](const ::testing::TestParamInfo<std::tuple<IncrementCase, bool>>& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) ? "_InitializeNonPrimitive" : "");
                         });

// The increment's subsumption C ⊑ B rests on F ⊑ G and ∃r.G ⊑ B of the
// stored part: the reload must give the premises of the existential rule.
TEST(EncodingReload, IncrementUsesTheExistentialPremisesOfTheStoredPart)
{
    resetAll();
    Concept::EquivalenceNames = true;
    addAndClassify("(implies F G)\n(implies (some r G) B)\n");
    Stored stored = store(TBox::getInstance());
    reload(stored);
    unsigned long variables = 0;
    encodePass(TBox::getInstance(), &variables);
    addAndClassify("(implies C (some r F))\n");
    TBox* tbox = TBox::getInstance();
    EXPECT_EQ(korvane_test::subsumedPairs(tbox).count({"C", "B"}), 1u);

    auto [header, body] = encodePass(tbox, &variables);
    ClauseSet clauses = clauseSet(stored.encoding);
    ClauseSet increment = clauseSet(body);
    clauses.insert(increment.begin(), increment.end());
    Answers answers(clauses);
    EXPECT_TRUE(answers.holds(conceptNamed("C")->encodingId, conceptNamed("B")->encodingId));
    // The increment's pass ends with one header pair of its own.
    EXPECT_NE(header.find("c axioms 1 deduced"), std::string::npos) << header;
}

} // namespace

namespace {

// Only the first increment after a reload rebuilds the state of the
// classification; what the rebuild adds is encoded once, with the first
// increment, and later increments go on from there.
TEST(EncodingReload, SecondIncrementGoesOnFromTheFirst)
{
    const std::string stored = "(implies F G)\n(implies (some r G) B)\n";
    const std::string first = "(implies C (some r F))\n";
    const std::string second = "(implies (some r B) E)\n(implies D (some r C))\n";
    resetAll();
    Concept::EquivalenceNames = true;
    addAndClassify(stored + first + second);
    const shared_ontologies::Pairs expected = korvane_test::subsumedPairs(TBox::getInstance());

    resetAll();
    Concept::EquivalenceNames = true;
    addAndClassify(stored);
    reload(store(TBox::getInstance()));
    TBox* tbox = TBox::getInstance();
    unsigned long variables = 0;
    encodePass(tbox, &variables);
    addAndClassify(first);
    EXPECT_FALSE(tbox->reloadedDeductionIncomplete);
    const std::string firstPass = encodePass(tbox, &variables).second;
    EXPECT_EQ(tbox->pendingDeducedAxioms, nullptr);
    addAndClassify(second);
    const ClauseSet secondPass = clauseSet(encodePass(tbox, &variables).second);
    shared_ontologies::expectSamePairs(expected, korvane_test::subsumedPairs(tbox));
    // What the first increment derived is not encoded again.
    for (const auto& clause : clauseSet(firstPass))
        EXPECT_EQ(secondPass.count(clause), 0u);
}

// The records of the pinpointing information belong to the classification
// runs of this process: the rebuild of a reloaded terminology's state writes
// none, the increment its own.
TEST(EncodingReload, IncrementAfterAReloadWritesOnlyItsOwnRecords)
{
    resetAll();
    Concept::EquivalenceNames = true;
    addAndClassify("(implies F G)\n(implies (some r G) B)\n(implies A (some r F))\n");
    reload(store(TBox::getInstance()));
    korvane_test::MemoryStream records;
    TBox::pinpointing_f = records.get();
    TBox::save_pinpointing_info = true;
    addAndClassify("(implies C (some r F))\n");
    TBox::save_pinpointing_info = false;
    TBox::pinpointing_f = nullptr;
    TBox* tbox = TBox::getInstance();
    EXPECT_EQ(korvane_test::subsumedPairs(tbox).count({"C", "B"}), 1u);
    const std::string text = records.text();
    EXPECT_EQ(text.find(" A\n"), std::string::npos) << text;
    // A ⊑ B is stored; only the increment's derivations of C are recorded.
    const std::string a = std::to_string(conceptNamed("A")->id) + " ";
    const std::string c = std::to_string(conceptNamed("C")->id) + " ";
    std::size_t lines = 0;
    for (std::size_t at = 0; at < text.size(); at = text.find('\n', at) + 1) {
        ++lines;
        EXPECT_EQ(text.compare(at, a.size(), a) == 0, false) << text;
        EXPECT_EQ(text.compare(at, c.size(), c), 0) << text;
    }
    EXPECT_GT(lines, 0u);
}

} // namespace
