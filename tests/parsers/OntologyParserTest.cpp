// What the ontology grammar builds from accepted input.

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "ParserTestSupport.h"
#include "support/TestSupport.h"
#include "model/ExistentialRestr.h"
#include "model/ParserManager.h"
#include "model/PrimitiveConcept.h"
#include "model/PrimitiveRole.h"
#include "model/SymbolTable.h"
#include "model/TrivialConcept.h"
#include "parsers/el_krss_g.h"
#include "reasoner/TBox.h"

using namespace korvane_test;

namespace {

class OntologyParser : public FreshParserTest {};

// A concept as a short text independent of operand order: names, "*top*",
// "*bottom*", "(some r F)" and "and{...}" with the operands' texts sorted.
std::string describe(const Concept* c)
{
    switch (c->kind) {
    case TRIVIAL_CONCEPT:
        return static_cast<const TrivialConcept*>(c)->top ? "*top*" : "*bottom*";
    case PRIMITIVE_CONCEPT:
        return static_cast<const PrimitiveConcept*>(c)->name;
    case EXISTENTIAL_RESTR: {
        const ExistentialRestr* e = static_cast<const ExistentialRestr*>(c);
        return "(some " + static_cast<const PrimitiveRole*>(e->role)->name + " " + describe(e->getFiller()) + ")";
    }
    case CONJUNCTION: {
        std::vector<std::string> parts;
        for (const Concept* o : operandsOf(c))
            parts.push_back(describe(o));
        std::sort(parts.begin(), parts.end());
        std::string text = "and{";
        for (std::size_t i = 0; i < parts.size(); ++i)
            text += (i == 0 ? "" : ",") + parts[i];
        return text + "}";
    }
    default:
        return "?";
    }
}

// The right-hand side that (implies Q <concept>) gets, parsed in a fresh model.
std::string parsedConcept(const std::string& concept)
{
    resetParserState();
    EXPECT_EQ(parseOntology("(implies Q " + concept + ")\n"), 0);
    std::vector<Axiom*> axioms = inputAxioms();
    if (axioms.size() != 1)
        return "no single axiom";
    return describe(axioms[0]->rhs);
}

// The input axioms are, in order, inclusions between the named concepts of
// `sides` (the very objects that the names table holds).
void expectNamedSides(const std::vector<std::pair<const char*, const char*>>& sides)
{
    std::vector<Axiom*> axioms = inputAxioms();
    ASSERT_EQ(axioms.size(), sides.size());
    for (std::size_t i = 0; i < sides.size(); ++i) {
        ASSERT_NE(conceptNamed(sides[i].first), nullptr) << sides[i].first;
        ASSERT_NE(conceptNamed(sides[i].second), nullptr) << sides[i].second;
        EXPECT_EQ(axioms[i]->lhs, conceptNamed(sides[i].first)) << "axiom " << i;
        EXPECT_EQ(axioms[i]->rhs, conceptNamed(sides[i].second)) << "axiom " << i;
    }
}

TEST_F(OntologyParser, NumbersInputAxiomsOncePerWrittenAxiom)
{
    ASSERT_EQ(parseOntology("(implies A B)\n(equivalent C D)\n"), 0);
    ASSERT_NO_FATAL_FAILURE(expectNamedSides({{"A", "B"}, {"C", "D"}, {"D", "C"}}));
    std::vector<Axiom*> axioms = inputAxioms();
    EXPECT_EQ(axioms[0]->originalNumber, 1);
    EXPECT_EQ(axioms[1]->originalNumber, 2);
    EXPECT_EQ(axioms[2]->originalNumber, 2);
    EXPECT_EQ(Axiom::original_ax_counter, 2);
    for (Axiom* axiom : axioms)
        EXPECT_EQ(axiom->type, ORIGINAL);
    EXPECT_FALSE(axioms[0]->flags & Axiom::FROM_EQUIVALENCE);
    EXPECT_TRUE(axioms[1]->flags & Axiom::FROM_EQUIVALENCE);
    EXPECT_TRUE(axioms[2]->flags & Axiom::FROM_EQUIVALENCE);
}

TEST_F(OntologyParser, LongKeywordsAreSynonyms)
{
    ASSERT_EQ(parseOntology("(define-primitive-concept A B)\n(define-concept C D)\n(define-primitive-role r s)\n"),
              0);
    ASSERT_NO_FATAL_FAILURE(expectNamedSides({{"A", "B"}, {"C", "D"}, {"D", "C"}}));
    std::vector<Axiom*> axioms = inputAxioms();
    EXPECT_FALSE(axioms[0]->flags & Axiom::FROM_EQUIVALENCE);
    EXPECT_EQ(axioms[2]->originalNumber, 2);
    std::vector<RoleAxiom*> roles = roleAxioms();
    ASSERT_EQ(roles.size(), 1u);
    EXPECT_EQ(roles[0]->lhs, roleNamed("r"));
    EXPECT_EQ(roles[0]->rhs, roleNamed("s"));
    EXPECT_FALSE(roles[0]->isTransitive());
}

TEST_F(OntologyParser, SecondInputContinuesNamesAndNumbering)
{
    ASSERT_EQ(parseOntology("(implies A B)\n(implies B C)\n\n"), 0);
    EXPECT_EQ(ParserManager::getInstance()->line, 4);
    Concept* a = conceptNamed("A");
    ASSERT_EQ(parseOntology("(equivalent A D)\n"), 0);
    // The line count starts over with the second input.
    EXPECT_EQ(ParserManager::getInstance()->line, 2);
    std::vector<Axiom*> axioms = inputAxioms();
    ASSERT_EQ(axioms.size(), 4u);
    EXPECT_EQ(axioms[2]->lhs, a);
    EXPECT_EQ(axioms[3]->rhs, a);
    EXPECT_EQ(axioms[2]->originalNumber, 3);
    EXPECT_EQ(axioms[3]->originalNumber, 3);
    EXPECT_EQ(a->occurrences, 2u);
}

TEST_F(OntologyParser, FlattensConjunctions)
{
    struct Case {
        const char* text;
        const char* expected;
    };
    const Case cases[] = {
        {"(and A B)", "and{A,B}"},
        {"(and A B C D)", "and{A,B,C,D}"},
        {"(and A (and B C))", "and{A,B,C}"},
        {"(and (and A B) C)", "and{A,B,C}"},
        {"(and (and A B) (and C D))", "and{A,B,C,D}"},
        {"(and A (and B (and C D)) E)", "and{A,B,C,D,E}"},
        {"(and A *top*)", "A"},
        {"(and *top* A)", "A"},
        {"(and *top* *top*)", "*top*"},
        {"(and *top* *top* *top*)", "*top*"},
        {"(and A *top* B)", "and{A,B}"},
        {"(and A B *top*)", "and{A,B}"},
        {"(and (and A B) *top*)", "and{A,B}"},
        {"(and *top* (and A B))", "and{A,B}"},
        {"(and A (and B *top*))", "and{A,B}"},
        {"(and A (and *top* *top*))", "A"},
        {"(and A *bottom*)", "*bottom*"},
        {"(and *bottom* A)", "*bottom*"},
        {"(and *bottom* A B)", "*bottom*"},
        {"(and A B *bottom*)", "*bottom*"},
        {"(and A *bottom* B)", "*bottom*"},
        {"(and (and A B) *bottom*)", "*bottom*"},
        {"(and *bottom* (and A B))", "*bottom*"},
        {"(and A (and B *bottom*))", "*bottom*"},
        {"(and *top* *bottom*)", "*bottom*"},
        {"(and (some r (and A B)) C)", "and{(some r and{A,B}),C}"},
        {"(and A A)", "A"},
        {"(and A A A)", "A"},
        {"(and (and A A) A)", "A"},
        {"(and A (and A A))", "A"},
        {"(and A (and A *top*))", "A"},
        {"(and A B A)", "and{A,B}"},
        {"(and (some r A) (some r A))", "(some r A)"},
        {"(some r (and A A))", "(some r A)"},
        {"(and (some r (and A A)) (some r A))", "(some r A)"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parsedConcept(c.text), c.expected) << c.text;
}

TEST_F(OntologyParser, FlattensConjunctionsOnTheLeftAndWithinExistentials)
{
    ASSERT_EQ(parseOntology("(implies (and A (and B C)) (some r (and D (and E *top*))))\n"), 0);
    std::vector<Axiom*> axioms = inputAxioms();
    ASSERT_EQ(axioms.size(), 1u);
    EXPECT_EQ(describe(axioms[0]->lhs), "and{A,B,C}");
    EXPECT_EQ(describe(axioms[0]->rhs), "(some r and{D,E})");
}

TEST_F(OntologyParser, AxiomsUseSharedConcepts)
{
    ASSERT_EQ(parseOntology("(implies X (and A B))\n"
                            "(implies Y (and B A))\n"
                            "(equivalent (and A B) (some r (and A B)))\n"
                            "(implies Z (some r (and B A)))\n"),
              0);
    std::vector<Axiom*> axioms = inputAxioms();
    ASSERT_EQ(axioms.size(), 5u);
    Concept* conjunction = axioms[0]->rhs;
    EXPECT_EQ(conjunction->kind, CONJUNCTION);
    EXPECT_TRUE(conjunction->flags & Concept::IN_DAG);
    EXPECT_EQ(axioms[1]->rhs, conjunction);
    EXPECT_EQ(axioms[2]->lhs, conjunction);
    Concept* existential = axioms[2]->rhs;
    ASSERT_EQ(existential->kind, EXISTENTIAL_RESTR);
    EXPECT_TRUE(existential->flags & Concept::IN_DAG);
    EXPECT_EQ(static_cast<ExistentialRestr*>(existential)->getFiller(), conjunction);
    EXPECT_EQ(axioms[3]->lhs, existential);
    EXPECT_EQ(axioms[4]->rhs, existential);
}

TEST_F(OntologyParser, ConjunctionOfOneConceptIsTheSharedConcept)
{
    ASSERT_EQ(parseOntology("(implies X (some r (and A A)))\n"
                            "(implies Y (some r A))\n"
                            "(equivalent Z (and (and A A) A))\n"),
              0);
    std::vector<Axiom*> axioms = inputAxioms();
    ASSERT_EQ(axioms.size(), 4u);
    EXPECT_EQ(axioms[0]->rhs, axioms[1]->rhs);
    EXPECT_EQ(axioms[2]->rhs, conceptNamed("A"));
    EXPECT_EQ(axioms[3]->lhs, conceptNamed("A"));
    // Both sides named: the equivalence is a definition.
    for (const Axiom* a : {axioms[2], axioms[3]})
        EXPECT_EQ(a->flags & (Axiom::FROM_EQUIVALENCE | Axiom::DEFINITION), Axiom::FROM_EQUIVALENCE | Axiom::DEFINITION);
}

TEST_F(OntologyParser, ExistentialTakesTheNamedRoleAndTheFlattenedFiller)
{
    ASSERT_EQ(parseOntology("(implies A (some r (and B *top*)))\n"), 0);
    std::vector<Axiom*> axioms = inputAxioms();
    ASSERT_EQ(axioms.size(), 1u);
    ASSERT_EQ(axioms[0]->rhs->kind, EXISTENTIAL_RESTR);
    ExistentialRestr* e = static_cast<ExistentialRestr*>(axioms[0]->rhs);
    EXPECT_EQ(e->role, roleNamed("r"));
    EXPECT_EQ(e->getFiller(), conceptNamed("B"));
}

TEST_F(OntologyParser, TopAndBottomAreTheTrivialConcepts)
{
    ASSERT_EQ(parseOntology("(implies *top* A)\n(implies B *bottom*)\n(implies top bottom)\n"), 0);
    std::vector<Axiom*> axioms = inputAxioms();
    ASSERT_EQ(axioms.size(), 3u);
    EXPECT_EQ(axioms[0]->lhs, TBox::getInstance()->top);
    EXPECT_EQ(axioms[1]->rhs, TBox::getInstance()->bottom);
    // Only the starred words are top and bottom; the bare words are names.
    EXPECT_EQ(axioms[2]->lhs->kind, PRIMITIVE_CONCEPT);
    EXPECT_EQ(axioms[2]->lhs, conceptNamed("top"));
    EXPECT_EQ(axioms[2]->rhs, conceptNamed("bottom"));
}

TEST_F(OntologyParser, BarsOnlyDelimitNames)
{
    ASSERT_EQ(parseOntology("(implies |A| B)\n(implies A |B|)\n(implies | A |\t|B|)\n"), 0);
    expectNamedSides({{"A", "B"}, {"A", "B"}, {"A", "B"}});
    EXPECT_EQ(SymbolTable::getInstance()->size(), 2u);
}

TEST_F(OntologyParser, KeywordsAreReservedOnlyAsWholeTokens)
{
    ASSERT_EQ(parseOntology("(implies andy implies2)\n"
                            "(implies some-thing transitive.x)\n"
                            "(implies 1 -x)\n"
                            "(implies #12 a.b/c:d_e#f-g)\n"),
              0);
    const char* names[] = {"andy", "implies2", "some-thing", "transitive.x", "1", "-x", "#12", "a.b/c:d_e#f-g"};
    for (const char* name : names) {
        Concept* c = conceptNamed(name);
        ASSERT_NE(c, nullptr) << name;
        EXPECT_EQ(describe(c), name);
    }
    EXPECT_EQ(inputAxioms().size(), 4u);
}

TEST_F(OntologyParser, DeclarationsAddNamesButNoAxioms)
{
    ASSERT_EQ(parseOntology("(define-primitive-concept A)\n(define-primitive-role r)\n(implies B C)\n"
                            "(role-inclusion s)\n"),
              0);
    EXPECT_EQ(inputAxioms().size(), 1u);
    EXPECT_TRUE(roleAxioms().empty());
    ASSERT_NE(conceptNamed("A"), nullptr);
    ASSERT_NE(roleNamed("r"), nullptr);
    ASSERT_NE(roleNamed("s"), nullptr);
    EXPECT_EQ(conceptNamed("A")->occurrences, 1u);
    EXPECT_EQ(Axiom::original_ax_counter, 1);
    EXPECT_EQ(SymbolTable::getInstance()->getEntryPtr("A")->line, 1u);
    EXPECT_EQ(SymbolTable::getInstance()->getEntryPtr("r")->line, 2u);
    EXPECT_EQ(SymbolTable::getInstance()->getEntryPtr("B")->line, 3u);
}

TEST_F(OntologyParser, CountsOccurrencesOfConceptNames)
{
    ASSERT_EQ(parseOntology("(define-primitive-concept A)\n"
                            "(implies A B)\n"
                            "(implies C (and A (some r A)))\n"
                            "(define-primitive-concept B)\n"),
              0);
    Concept* a = conceptNamed("A");
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->occurrences, 4u);
    EXPECT_EQ(conceptNamed("B")->occurrences, 2u);
    EXPECT_EQ(conceptNamed("C")->occurrences, 1u);
    EXPECT_EQ(inputAxioms()[0]->lhs, a);
}

TEST_F(OntologyParser, RoleInclusionOfARoleInItselfInsertsNothing)
{
    ASSERT_EQ(parseOntology("(role-inclusion r r)\n(role-inclusion |r| r)\n"), 0);
    EXPECT_TRUE(roleAxioms().empty());
    EXPECT_NE(roleNamed("r"), nullptr);
    EXPECT_FALSE(roleNamed("r")->flags & Role::TRANSITIVE);
}

// Texts that give the one transitivity axiom r ∘ ... ∘ r ⊑ r, with the
// number of r in its chain.
struct TransitivityText {
    const char* title;
    const char* text;
    std::size_t chainLength;
};

void PrintTo(const TransitivityText& t, std::ostream* out)
{
    *out << t.title;
}

class OntologyTransitivity : public OntologyParser, public ::testing::WithParamInterface<TransitivityText> {};

TEST_P(OntologyTransitivity, GivesOneTransitiveChainAxiom)
{
    ASSERT_EQ(parseOntology(GetParam().text), 0);
    std::vector<RoleAxiom*> axioms = roleAxioms();
    ASSERT_EQ(axioms.size(), 1u);
    Role* r = roleNamed("r");
    EXPECT_TRUE(axioms[0]->isTransitive());
    EXPECT_EQ(axioms[0]->rhs, r);
    ASSERT_EQ(axioms[0]->lhs->kind, COMPOSITION);
    EXPECT_EQ(componentsOf(axioms[0]->lhs), std::vector<Role*>(GetParam().chainLength, r));
    EXPECT_TRUE(r->flags & Role::TRANSITIVE);
}

INSTANTIATE_TEST_SUITE_P(
    OntologyParser, OntologyTransitivity,
    ::testing::Values(
        TransitivityText{"ChainOfOneRoleIncludedInItIsATransitivity", "(role-inclusion (compose r r r) r)\n", 3},
        TransitivityText{"TransitiveIsTheSameAxiomAsTheTwoStepChain",
                         "(transitive r)\n(role-inclusion (compose r r) r)\n", 2}),
    [](const ::testing::TestParamInfo<TransitivityText>& info) { return std::string(info.param.title); });

TEST_F(OntologyParser, OtherRoleInclusionsAreNotTransitive)
{
    ASSERT_EQ(parseOntology("(role-inclusion r s)\n"
                            "(role-inclusion (compose r s) t)\n"
                            "(role-inclusion (compose r r) s)\n"
                            "(role-inclusion (compose t t) t)\n"
                            "(role-inclusion r s)\n"),
              0);
    Role* r = roleNamed("r");
    Role* s = roleNamed("s");
    Role* t = roleNamed("t");
    std::vector<RoleAxiom*> axioms = roleAxioms();
    ASSERT_EQ(axioms.size(), 4u);
    int transitive = 0;
    bool plain = false, chain = false, doubled = false;
    for (RoleAxiom* a : axioms) {
        if (a->isTransitive()) {
            ++transitive;
            EXPECT_EQ(a->rhs, t);
            EXPECT_EQ(componentsOf(a->lhs), std::vector<Role*>({t, t}));
        } else if (a->lhs == r) {
            plain = a->rhs == s;
        } else if (componentsOf(a->lhs) == std::vector<Role*>({r, s})) {
            chain = a->rhs == t;
        } else if (componentsOf(a->lhs) == std::vector<Role*>({r, r})) {
            doubled = a->rhs == s;
        }
    }
    EXPECT_EQ(transitive, 1);
    EXPECT_TRUE(plain);
    EXPECT_TRUE(chain);
    EXPECT_TRUE(doubled);
    EXPECT_FALSE(s->flags & Role::TRANSITIVE);
    EXPECT_TRUE(t->flags & Role::TRANSITIVE);
}

TEST_F(OntologyParser, ChainsKeepTheWrittenOrder)
{
    ASSERT_EQ(parseOntology("(role-inclusion (compose c a b a) s)\n"), 0);
    std::vector<RoleAxiom*> axioms = roleAxioms();
    ASSERT_EQ(axioms.size(), 1u);
    EXPECT_EQ(componentsOf(axioms[0]->lhs),
              std::vector<Role*>({roleNamed("c"), roleNamed("a"), roleNamed("b"), roleNamed("a")}));
}

TEST_F(OntologyParser, SkipsBlanksAndCommentsAndCountsTheirLines)
{
    ASSERT_EQ(parseOntology(";; header\n\r\n\t(implies A B) ;; trailing words ( $ ;\n;;\n  ( implies\r\nC\tD )"), 0);
    EXPECT_EQ(inputAxioms().size(), 2u);
    EXPECT_EQ(ParserManager::getInstance()->line, 6);
    EXPECT_EQ(SymbolTable::getInstance()->getEntryPtr("C")->line, 6u);
}

TEST_F(OntologyParser, EmptyAndCommentOnlyInputsAreAccepted)
{
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(parseOntology(""), 0);
    EXPECT_TRUE(ParserManager::getInstance()->endOfInput);
    EXPECT_EQ(parseOntology(";; nothing but a comment\n\n;; and another one\n"), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
    EXPECT_TRUE(inputAxioms().empty());
    EXPECT_TRUE(roleAxioms().empty());
    EXPECT_EQ(SymbolTable::getInstance()->size(), 0u);
    EXPECT_EQ(Axiom::original_ax_counter, 0);
}

TEST_F(OntologyParser, ReadsAFileOpenedThroughTheCollector)
{
    TempInput input("(implies A B)\n");
    FILE* in = ParserManager::getInstance()->setInputFile(input.path().c_str());
    ASSERT_NE(in, nullptr);
    EXPECT_EQ(yyin, in);
    EXPECT_EQ(yyparse(), 0);
    std::fclose(in);
    EXPECT_EQ(inputAxioms().size(), 1u);
}

TEST_F(OntologyParser, AcceptsAMegabyteName)
{
    std::string name(1 << 20, 'n');
    name[0] = 'N';
    ASSERT_EQ(parseOntology("(implies " + name + " B)\n(implies |" + name + "| C)\n"), 0);
    Concept* c = conceptNamed(name);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(static_cast<PrimitiveConcept*>(c)->name.size(), name.size());
    EXPECT_EQ(c->occurrences, 2u);
}

TEST_F(OntologyParser, AcceptsAConjunctionOfFiveThousandOperands)
{
    std::string text = "(implies Q (and";
    for (int i = 0; i < 5000; ++i)
        text += " C" + std::to_string(i);
    ASSERT_EQ(parseOntology(text + "))\n"), 0);
    std::vector<Axiom*> axioms = inputAxioms();
    ASSERT_EQ(axioms.size(), 1u);
    EXPECT_EQ(axioms[0]->rhs->kind, CONJUNCTION);
    EXPECT_EQ(axioms[0]->rhs->operandCount(), 5000u);
}

} // namespace
