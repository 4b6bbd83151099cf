// The normalisation map read back: concepts rebuilt in the normal form with
// the variables the writing run gave them, role axioms as in the ontology
// language, the inclusions that made no clause, and every map the library's
// writer produces read back to the concepts, role axioms and inclusions it
// was written from.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "ParserTestSupport.h"
#include "SideFileTestSupport.h"
#include "support/TestSupport.h"
#include "model/Conjunction.h"
#include "model/ExistentialRestr.h"
#include "model/PrimitiveConcept.h"
#include "model/PrimitiveRole.h"
#include "model/RoleAxiom.h"
#include "parsers/el_krss_g.h"
#include "reasoner/EncodedTBox.h"
#include "reasoner/NormalizationMapForm.h"
#include "reasoner/TBox.h"

using namespace korvane_test;
using ::testing::ExitedWithCode;

namespace {

const char* const kContext = "Input Normalized Concepts";

// A role as a name or a chain of names.
std::string describe(const Role* r)
{
    if (r->kind != COMPOSITION)
        return roleText(r);
    std::string text = "(compose";
    for (const Role* component : componentsOf(r))
        text += " " + describe(component);
    return text + ")";
}

// A concept by its structure: named concepts by name, fresh ones by their
// number (the id that the writing run printed, or the name the reading run
// gave them), conjunction operands in sorted order.
std::string describe(const Concept* c)
{
    switch (c->kind) {
    case PRIMITIVE_CONCEPT:
        return "name " + static_cast<const PrimitiveConcept*>(c)->name;
    case FRESH_CONCEPT: {
        const std::string& name = static_cast<const PrimitiveConcept*>(c)->name;
        return "fresh " + (name.empty() ? std::to_string(c->id) : name);
    }
    case CONJUNCTION: {
        std::vector<std::string> operands;
        for (const Concept* operand : operandsOf(c))
            operands.push_back(describe(operand));
        std::sort(operands.begin(), operands.end());
        std::string text = "(and";
        for (const std::string& operand : operands)
            text += " " + operand;
        return text + ")";
    }
    case EXISTENTIAL_RESTR: {
        const ExistentialRestr* e = static_cast<const ExistentialRestr*>(c);
        return "(some " + describe(e->role) + " " + describe(e->getFiller()) + ")";
    }
    default:
        return conceptText(c);
    }
}

using Variables = std::map<std::string, unsigned long>;

// Every normal-form concept that has a variable, with it.
Variables variables()
{
    Variables found;
    for (const Concept* c : TBox::getInstance()->normalizedConcepts)
        if (c->encodingId != 0)
            found[describe(c)] = c->encodingId;
    return found;
}

// Every role axiom, as "lhs < rhs", with " transitive" when it is one.
std::set<std::string> roleAxiomLines()
{
    std::set<std::string> lines;
    for (const RoleAxiom* a : TBox::getInstance()->roleAxioms)
        lines.insert(describe(a->lhs) + " < " + describe(a->rhs) + (a->isTransitive() ? " transitive" : ""));
    return lines;
}

class MapReader : public LoadedModelTest {};

// A map's lines: concepts with their variables (the counter ends at the
// largest), role axioms as the ontology language inserts them.
struct MapCase {
    const char* title;
    const char* map;
    Variables expected;
    unsigned long counter;
    std::set<std::string> roleLines;
};

void PrintTo(const MapCase& c, std::ostream* out) { *out << c.title; }

class MapLines : public MapReader, public ::testing::WithParamInterface<MapCase> {};

TEST_P(MapLines, GiveConceptsTheirVariablesAndInsertRoleAxiomsAsTheOntologyLanguage)
{
    const MapCase& c = GetParam();
    ASSERT_EQ(parseMap(c.map), 0);
    EXPECT_EQ(variables(), c.expected);
    EXPECT_EQ(Concept::encoding_id_counter, c.counter);
    EXPECT_EQ(roleAxiomLines(), c.roleLines);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MapLines,
    ::testing::Values(
        MapCase{"NameAndExistential", "A 3\n(some r A) 7\n", {{"name A", 3}, {"(some r name A)", 7}}, 7, {}},
        MapCase{"LargestVariableWins", "B 9\nA 3\n", {{"name A", 3}, {"name B", 9}}, 9, {}},
        MapCase{"FreshConceptBySharpAndNumber", "#12 5\n(some r #12) 6\n#12 5\n",
                {{"fresh 12", 5}, {"(some r fresh 12)", 6}}, 6, {}},
        MapCase{"TopBothSpellings", "*top* 2\ntop 2\n", {{"*top*", 2}}, 2, {}},
        MapCase{"BottomBothSpellings", "bottom 1\n*bottom* 1\n", {{"*bottom*", 1}}, 1, {}},
        MapCase{"ConceptTwiceKeepsItsFirstVariable", "A 3\nA 4\n", {{"name A", 3}}, 3, {}},
        MapCase{"Conjunction", "(and B A) 5\n(and A B) 5\n", {{"(and name A name B)", 5}}, 5, {}},
        MapCase{"ConjunctionFiller", "(some r (and A B)) 4\n", {{"(some r (and name A name B))", 4}}, 4, {}},
        MapCase{"NamesStartingWithZeroOrMixed", "007 3\n0 4\n12a 5\n3.5 6\na-b#c./d:e_f 7\n",
                {{"name 007", 3}, {"name 0", 4}, {"name 12a", 5}, {"name 3.5", 6}, {"name a-b#c./d:e_f", 7}}, 7, {}},
        MapCase{"NamesBetweenBars",
                "|top| 4\n|#12| 5\n#12 6\n|12| 7\n|-x| 8\n|and| 9\n| some | 10\n|_y| 11\n|bottom| 12\n"
                "|A| 13\n(some |transitive| |.z|) 14\n|compose| 15\n|role-inclusion| 16\n",
                {{"name top", 4},
                 {"name #12", 5},
                 {"fresh 12", 6},
                 {"name 12", 7},
                 {"name -x", 8},
                 {"name and", 9},
                 {"name some", 10},
                 {"name _y", 11},
                 {"name bottom", 12},
                 {"name A", 13},
                 {"(some transitive name .z)", 14},
                 {"name compose", 15},
                 {"name role-inclusion", 16}},
                16,
                {}},
        MapCase{"LineBreaksAndCommentsCarryNoMeaning", ";; map\nA\n3 ;; A's variable\n(some\nr B) 4 C 5\n",
                {{"name A", 3}, {"(some r name B)", 4}, {"name C", 5}}, 5, {}},
        MapCase{"EmptyMap", "", {}, 0, {}},
        MapCase{"Inclusion", "(role-inclusion r s)\n", {}, 0, {"r < s"}},
        MapCase{"Transitivity", "(transitive t)\n", {}, 0, {"(compose t t) < t transitive"}},
        MapCase{"ChainOfOneRoleIsTransitive", "(role-inclusion (compose t t t) t)\n", {}, 0,
                {"(compose t t t) < t transitive"}},
        MapCase{"Chain", "(role-inclusion (compose r s) s)\n", {}, 0, {"(compose r s) < s"}},
        MapCase{"SelfInclusionAddsNothing", "(role-inclusion r r)\n", {}, 0, {}},
        MapCase{"BarredRoleNames", "(role-inclusion |12| |top|)\n(transitive |-t|)\n", {}, 0,
                {"12 < top", "(compose -t -t) < -t transitive"}},
        MapCase{"MixedWithConceptLines", "A 2\n(transitive t)\n(some t A) 3\n",
                {{"name A", 2}, {"(some t name A)", 3}}, 3, {"(compose t t) < t transitive"}}),
    ByTitle());

// Every inclusion that the map lists, as "lhs < rhs".
std::set<std::string> inclusionLines()
{
    std::set<std::string> lines;
    for (const auto& inclusion : EncodedTBox::getInstance()->unencodedInclusions)
        lines.insert(describe(inclusion.first) + " < " + describe(inclusion.second));
    return lines;
}

// The inclusions of the normal form that made no clause, kept for the
// rebuild with both sides in the normal form; "implies" opens one only
// after "(", and is a name elsewhere, as maps without inclusions hold it.
struct InclusionCase {
    const char* title;
    const char* map;
    std::set<std::string> inclusions;
    Variables expected;
};

void PrintTo(const InclusionCase& c, std::ostream* out) { *out << c.title; }

class MapInclusions : public MapReader, public ::testing::WithParamInterface<InclusionCase> {};

TEST_P(MapInclusions, AreKeptWithTheirSidesInTheNormalForm)
{
    const InclusionCase& c = GetParam();
    ASSERT_EQ(parseMap(c.map), 0);
    EXPECT_EQ(inclusionLines(), c.inclusions);
    EXPECT_EQ(variables(), c.expected);
    for (const auto& inclusion : EncodedTBox::getInstance()->unencodedInclusions)
        for (const Concept* side : {inclusion.first, inclusion.second})
            EXPECT_NE(side->flags & Concept::NORMAL, 0) << describe(side);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MapInclusions,
    ::testing::Values(
        InclusionCase{"BottomUnderAnExistential", "(implies *bottom* (some r A))\n*bottom* 1\n",
                      {"*bottom* < (some r name A)"}, {{"*bottom*", 1}}},
        InclusionCase{"ConjunctionUnderTop", "(implies (and B A) top)\n(implies (and A B) *top*)\n",
                      {"(and name A name B) < *top*"}, {}},
        InclusionCase{"ConceptUnderItselfAndFreshSides", "(implies C C)\n(implies (some r #4) #4)\n#4 3\n",
                      {"name C < name C", "(some r fresh 4) < fresh 4"}, {{"fresh 4", 3}}},
        InclusionCase{"ImpliesAsAName", "implies 3\n(some r implies) 4\n(implies implies |implies|)\n",
                      {"name implies < name implies"}, {{"name implies", 3}, {"(some r name implies)", 4}}}),
    ByTitle());

TEST_F(MapReader, TransitivityMarksTheRoleAsTheOntologyLanguageDoes)
{
    ASSERT_EQ(parseMap("(transitive t)\n(role-inclusion (compose u u u) u)\n(role-inclusion r s)\n"), 0);
    EXPECT_TRUE(roleNamed("t")->flags & Role::TRANSITIVE);
    EXPECT_TRUE(roleNamed("u")->flags & Role::TRANSITIVE);
    EXPECT_FALSE(roleNamed("s")->flags & Role::TRANSITIVE);
}

TEST_F(MapReader, NamesTableKnowsTheNamedConceptsAndRolesButNoFreshOne)
{
    ASSERT_EQ(parseMap("A 2\n(some r #5) 3\n|12| 4\n"), 0);
    ASSERT_NE(conceptNamed("A"), nullptr);
    EXPECT_EQ(conceptNamed("A")->encodingId, 2u);
    ASSERT_NE(roleNamed("r"), nullptr);
    // The named concept 12 is not the fresh concept numbered 12.
    ASSERT_NE(conceptNamed("12"), nullptr);
    EXPECT_EQ(conceptNamed("12")->kind, PRIMITIVE_CONCEPT);
    EXPECT_EQ(conceptNamed("5"), nullptr);
}

TEST_F(MapReader, NamedAndFreshConceptOfOneNumberStayApart)
{
    ASSERT_EQ(parseMap("|12| 4\n#12 5\n"), 0);
    EXPECT_EQ(variables(), (Variables{{"name 12", 4}, {"fresh 12", 5}}));
    resetLoadedModel();
    ASSERT_EQ(parseMap("#12 5\n|12| 4\n"), 0);
    EXPECT_EQ(variables(), (Variables{{"name 12", 4}, {"fresh 12", 5}}));
}

TEST_F(MapReader, ConceptsJoinTheNormalForm)
{
    ASSERT_EQ(parseMap("(and A B) 3\n(some r (and B A)) 4\n"), 0);
    Concept* a = conceptNamed("A");
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->flags & Concept::NORMAL);
    for (const Concept* c : TBox::getInstance()->normalizedConcepts)
        EXPECT_TRUE(c->flags & Concept::NORMAL) << describe(c);
    // One conjunction of A and B, shared by the line and the filler.
    int conjunctions = 0;
    for (const Concept* c : TBox::getInstance()->normalizedConcepts)
        conjunctions += c->kind == CONJUNCTION;
    EXPECT_EQ(conjunctions, 1);
}

// --- The implication table of a loaded encoding.

class MapAfterEncoding : public MapReader {
protected:
    void SetUp() override
    {
        MapReader::SetUp();
        EncodedTBox* e = EncodedTBox::getInstance();
        e->replaceImplicationTable(3);
        e->encodingLoaded = true;
    }

    Concept* entry(unsigned long variable)
    {
        return EncodedTBox::getInstance()->implicationTable->find(variable - 1);
    }
};

TEST_F(MapAfterEncoding, EachVariableGetsItsConcept)
{
    ASSERT_EQ(parseMap("A 3\n*top* 2\n"), 0);
    EXPECT_EQ(entry(3), conceptNamed("A"));
    EXPECT_EQ(entry(2), TrivialConcept::getTOP());
    EXPECT_EQ(entry(1), nullptr);
}

TEST_F(MapAfterEncoding, EntryIsWrittenAlsoForAConceptWithAnotherVariable)
{
    ASSERT_EQ(parseMap("A 1\nA 3\n"), 0);
    EXPECT_EQ(entry(1), conceptNamed("A"));
    EXPECT_EQ(entry(3), conceptNamed("A"));
    EXPECT_EQ(conceptNamed("A")->encodingId, 1u);
}

TEST_F(MapAfterEncoding, VariableBeyondTheEncodingIsRejected)
{
    EXPECT_EXIT(parseMap("A 3\n\nB 4\n"), ExitedWithCode(255),
                fatalOutput("",
                            diagnostic(kContext, "Parser", "ERROR", 3,
                                       "Concept DIMACS id greater than the encoding's variables number, line: ", 3),
                            0));
    EXPECT_EXIT(parseMap("(some r A) 18446744073709551615\n"), ExitedWithCode(255),
                fatalOutput("",
                            diagnostic(kContext, "Parser", "ERROR", 1,
                                       "Concept DIMACS id greater than the encoding's variables number, line: ", 1),
                            0));
}

TEST_F(MapReader, WithoutAnEncodingTheTableIsLeftAlone)
{
    ASSERT_EQ(parseMap("A 30\n"), 0);
    EXPECT_EQ(EncodedTBox::getInstance()->implicationTable, nullptr);
}

// --- Rejected maps.

class MapErrors : public MapReader, public ::testing::WithParamInterface<RejectedSideFile> {};

TEST_P(MapErrors, AreFatalWithOneDiagnostic) { expectRejected(parseMap, GetParam()); }

INSTANTIATE_TEST_SUITE_P(
    Cases, MapErrors,
    ::testing::Values(
        // The scanner has read the last newline when the input ends.
        RejectedSideFile{"ConceptWithoutNumber", "A 3\nB\n", kContext, "Parser", 3, "syntax error"},
        RejectedSideFile{"NumberAlone", "3\n", kContext, "Parser", 1, "syntax error near token '3'"},
        RejectedSideFile{"NameInPlaceOfTheNumber", "A B\n", kContext, "Parser", 1, "syntax error near token 'B'"},
        RejectedSideFile{"OntologyEquivalence", "(equivalent A B)\n", kContext, "Parser", 1,
                         "syntax error near token 'equivalent'"},
        RejectedSideFile{"InclusionWithOneSide", "(implies A)\n", kContext, "Parser", 1,
                         "syntax error near token ')'"},
        RejectedSideFile{"InclusionWithANumber", "(implies A B) 3\n", kContext, "Parser", 1,
                         "syntax error near token '3'"},
        RejectedSideFile{"SharpBeforeAName", "#x 3\n", kContext, "Parser", 1, "syntax error near token 'x'"},
        RejectedSideFile{"SharpBeforeZero", "#0 3\n", kContext, "Parser", 1, "syntax error near token '0'"},
        RejectedSideFile{"KeywordAsName", "and 3\n", kContext, "Parser", 1, "syntax error near token 'and'"},
        RejectedSideFile{"NumberAsNameOutsideBars", "(some r 12) 3\n", kContext, "Parser", 1,
                         "syntax error near token '12'"},
        RejectedSideFile{"RoleDeclaration", "(role-inclusion r)\n", kContext, "Parser", 1,
                         "syntax error near token ')'"},
        RejectedSideFile{"EmptyBars", "|| 3\n", kContext, "Parser", 1, "syntax error near token '|'"},
        RejectedSideFile{"TopIsNoNameBetweenBars", "|*top*| 3\n", kContext, "Parser", 1,
                         "syntax error near token '*top*'"},
        RejectedSideFile{"UnclosedBar", "|A 3\n", kContext, "Parser", 1, "syntax error near token '3'"},
        RejectedSideFile{"InputEndsInsideBars", "A 3\n|B", kContext, "Parser", 2, "syntax error"},
        RejectedSideFile{"CharacterOutsideTheTokenSet", "A 3\nB $\n", kContext, "Lexer", 2, unrecognized("$")},
        RejectedSideFile{"CharacterOutsideTheTokenSetBetweenBars", "|A+| 3\n", kContext, "Lexer", 1, unrecognized("+")},
        RejectedSideFile{"NameStartingWithMinusOutsideBars", "-x 3\n", kContext, "Lexer", 1, unrecognized("-")},
        RejectedSideFile{"CommentWithoutNewline", "A 3 ;; last", kContext, "Lexer", 1, unrecognized(";")},
        RejectedSideFile{"NumberBeyond64Bits", "A 18446744073709551616\n", kContext, "Lexer", 1,
                         "Number out of range: '18446744073709551616'"},
        RejectedSideFile{"FreshNumberBeyond64Bits", "#99999999999999999999 3\n", kContext, "Lexer", 1,
                         "Number out of range: '99999999999999999999'"},
        RejectedSideFile{"ConceptNameUsedAsRole", "A 3\n(some A B) 4\n", kContext, "Parser", 2,
                         "Name 'A' is not used only as type role, see line: 1"},
        RejectedSideFile{"RoleNameUsedAsConcept", "(transitive r)\n\nr 3\n", kContext, "Parser", 3,
                         "Name 'r' is not used only as type concept, see line: 1"}),
    ByTitle());

TEST_F(MapReader, DeepNestingAndLongListsExhaustTheParserStack)
{
    std::string existentials;
    std::string conjunction = "(and";
    for (int i = 0; i < 20000; ++i) {
        existentials += "(some r ";
        conjunction += " C" + std::to_string(i);
    }
    auto exhausted = [](const std::string& tokens) {
        return literal("[" + std::string(kContext) + " - Parser] ERROR! Line 1: memory exhausted near token '") + "(" +
               tokens + ")" + literal("'\n --- 1 errors and 0 warnings detected.\n");
    };
    EXPECT_EXIT(parseMap(existentials), ExitedWithCode(255), exhausted("\\(|some|r"));
    EXPECT_EXIT(parseMap(conjunction + ") 3\n"), ExitedWithCode(255), exhausted("C[0-9]+"));
}

TEST_F(MapReader, AnyInputIsReadOrRejectedWithoutACrash)
{
    const std::vector<std::string> map = {"(", "role-inclusion", "(", "compose", "r", "s", ")", "s", ")", "(",
                                          "transitive", "t", ")", "A", "3", "#", "12", "5", "(", "and", "A", "|",
                                          "12", "|", ")", "7", "(", "some", "r", "(", "and", "A", "B", ")", ")", "9"};
    const std::vector<std::string> alphabet = {"A",      "r",       "(",         ")",  "and", "some", "#",
                                               "|",      "12",      "0",         "top", "*top*", "bottom", "11",
                                               "x#.",    "-",       ";;",        "compose", "transitive",
                                               "role-inclusion",    "99999999999999999999999", "$"};
    auto afterAnEncoding = [](const std::string& text) {
        EncodedTBox* e = EncodedTBox::getInstance();
        e->replaceImplicationTable(10);
        e->encodingLoaded = true;
        return parseMap(text);
    };
    // Some of the texts are well formed.
    EXPECT_GT(acceptedWithoutACrash(variedTexts(map, alphabet, 100, 1), afterAnEncoding), 0);
}

// --- The writer's form of names.

struct NameCase {
    const char* name;
    bool barred;
};

void PrintTo(const NameCase& c, std::ostream* out) { *out << c.name; }

class MapNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(MapNames, AreBarredOnlyWhenTheReaderWouldReadThemOtherwise)
{
    EXPECT_EQ(NormalizationMapForm::needsBars(GetParam().name), GetParam().barred) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Cases, MapNames,
                         ::testing::Values(NameCase{"A", false}, NameCase{"a-b#c./d:e_f", false},
                                           NameCase{"007", false}, NameCase{"0", false}, NameCase{"12a", false},
                                           NameCase{"topper", false}, NameCase{"someone", false},
                                           NameCase{"Top", false}, NameCase{"define-concept", false},
                                           NameCase{"implies", false}, NameCase{"top", true},
                                           NameCase{"bottom", true}, NameCase{"and", true}, NameCase{"some", true},
                                           NameCase{"compose", true}, NameCase{"transitive", true},
                                           NameCase{"role-inclusion", true}, NameCase{"12", true},
                                           NameCase{"9", true}, NameCase{"#12", true}, NameCase{"-x", true},
                                           NameCase{".x", true}, NameCase{"/x", true}, NameCase{":x", true},
                                           NameCase{"_x", true}));

// --- Round trips through the library's map writer.

// The map of the normalised terminology of `ontology`, every normal-form
// concept numbered except the ones listed, and what it was written from.
struct WrittenMap {
    std::string text;
    Variables concepts;
    std::set<std::string> roleAxioms;
    std::set<std::string> inclusions;
};

WrittenMap writeMap(const std::string& ontology, const std::set<std::string>& unnumbered)
{
    resetLoadedModel();
    EXPECT_EQ(parseOntology(ontology), 0);
    TBox* tbox = TBox::getInstance();
    tbox->normalizeTBox();
    for (Concept* c : tbox->normalizedConcepts)
        if (unnumbered.count(describe(c)) == 0)
            TBox::encodingVariable(c);
    WrittenMap written;
    written.concepts = variables();
    written.roleAxioms = roleAxiomLines();
    for (const Axiom* a : tbox->gcis)
        if (TBox::makesNoClause(a->lhs, a->rhs))
            written.inclusions.insert(describe(a->lhs) + " < " + describe(a->rhs));
    MemoryStream map;
    WrittenAxioms marks;
    tbox->saveNormalizationMap(map.get(), 0, marks);
    written.text = map.text();
    return written;
}

// Reads the map in a fresh process state and finds what it was written from.
void expectReadBack(const WrittenMap& written)
{
    resetLoadedModel();
    ASSERT_EQ(parseMap(written.text), 0);
    EXPECT_EQ(variables(), written.concepts) << written.text;
    EXPECT_EQ(roleAxiomLines(), written.roleAxioms) << written.text;
    EXPECT_EQ(inclusionLines(), written.inclusions) << written.text;
    unsigned long largest = 0;
    for (const auto& entry : written.concepts)
        largest = std::max(largest, entry.second);
    EXPECT_EQ(Concept::encoding_id_counter, largest);
}

struct RoundTripCase {
    const char* title;
    const char* ontology;
    std::vector<std::string> lines; // lines the map must hold as they are
};

void PrintTo(const RoundTripCase& c, std::ostream* out) { *out << c.title; }

class MapRoundTrip : public MapReader, public ::testing::WithParamInterface<RoundTripCase> {};

TEST_P(MapRoundTrip, ReadsBackWhatTheWriterWrote)
{
    const RoundTripCase& c = GetParam();
    WrittenMap written = writeMap(c.ontology, {"name Unnumbered", "(and name E name Unnumbered)"});
    for (const std::string& line : c.lines)
        EXPECT_NE(written.text.find(line), std::string::npos) << line << " in\n" << written.text;
    EXPECT_EQ(written.text.find("Unnumbered"), std::string::npos);
    expectReadBack(written);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MapRoundTrip,
    ::testing::Values(
        RoundTripCase{"SmallTerminology",
                      "(implies A (and B (some r C)))\n(equivalent D (and A (some s (and B C))))\n"
                      "(implies (some r *top*) E)\n(implies (and E Unnumbered) *bottom*)\n"
                      "(role-inclusion r s)\n(transitive s)\n(role-inclusion (compose r s) s)\n",
                      {"(role-inclusion r s)\n", "(transitive s)\n", "(role-inclusion (compose r s) s)\n", "\nA ",
                       "(some r C) ", "(some r *top*) "}},
        RoundTripCase{"NamesTheMapReadsOtherwise",
                      "(implies |top| (some |12| |#12|))\n(implies (and |-x| _y) |bottom|)\n"
                      "(implies .a (some /b :c))\n(equivalent |007| (and 5 Z))\n(implies Unnumbered 5)\n"
                      "(role-inclusion |12| |-r|)\n",
                      {"|top| ", "(some |12| |#12|) ", "|-x| ", "|_y| ", "|bottom| ", "(some |/b| |:c|) ",
                       "\n007 ", "\n|5| ", "(role-inclusion |12| |-r|)\n"}},
        RoundTripCase{"InclusionsWithoutClause",
                      "(implies *bottom* (some r A))\n(implies (some s (and B C)) *top*)\n(implies D D)\n"
                      "(equivalent (some t E) *bottom*)\n(implies F (some r A))\n",
                      {"(implies *bottom* (some r A))\n", "(implies D D)\n", "(implies *bottom* (some t E))\n"}},
        RoundTripCase{"ChainsOfOneRole",
                      "(transitive t)\n(role-inclusion (compose u u u) u)\n(role-inclusion (compose v v) v)\n"
                      "(implies A (some t B))\n",
                      {"(transitive t)\n", "(role-inclusion (compose u u u) u)\n", "(transitive v)\n"}}),
    ByTitle());

class MapRoundTripOfRealOntologies : public MapReader, public ::testing::WithParamInterface<const char*> {};

TEST_P(MapRoundTripOfRealOntologies, ReadsBackWhatTheWriterWrote)
{
    const std::string path = std::string(KORVANE_DATA_DIR) + "/" + GetParam();
    std::ifstream file(path);
    ASSERT_TRUE(file) << "cannot read " << path;
    std::stringstream ontology;
    ontology << file.rdbuf();
    WrittenMap written = writeMap(ontology.str(), {});
    ASSERT_GT(written.concepts.size(), 2u);
    expectReadBack(written);
}

// With role chains and transitive roles.
INSTANTIATE_TEST_SUITE_P(SharedData, MapRoundTripOfRealOntologies,
                         ::testing::Values("plana-full.krss", "not-galen.krss", "elk-tests/PropertyChains.krss"));

TEST_F(MapReader, AxiomDumpKeepsTheChainOfATransitiveAxiom)
{
    ASSERT_EQ(parseOntology("(role-inclusion (compose u u u) u)\n(transitive t)\n(role-inclusion |12| s)\n"), 0);
    MemoryStream dump;
    WrittenAxioms written;
    TBox::getInstance()->saveRIAxioms(dump.get(), true, written);
    // The dump keeps the names' own form; only the map bars them.
    std::string text = dump.text();
    for (const char* line : {"(role-inclusion 12 s)\n", "(transitive t)\n", "(role-inclusion (compose u u u) u)\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << " in\n" << text;
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 3);
}

} // namespace
