// The ontology grammar in the classifier's build of the model.

#include <gtest/gtest.h>

#include <vector>

#include "ParserTestSupport.h"
#include "support/TestSupport.h"
#include "model/ParserManager.h"

using namespace korvane_test;
using ::testing::ExitedWithCode;

namespace {

class ClassifierOntologyParser : public FreshParserTest {};

TEST_F(ClassifierOntologyParser, BuildsNumberedAxiomsAndFlattenedConjunctions)
{
    ASSERT_EQ(parseOntology("(implies A (and B (and C *top*)))\n(equivalent D (some r (and B C)))\n"
                            "(transitive r)\n"),
              0);
    std::vector<Axiom*> axioms = inputAxioms();
    ASSERT_EQ(axioms.size(), 3u);
    EXPECT_EQ(axioms[0]->originalNumber, 1);
    EXPECT_EQ(axioms[1]->originalNumber, 2);
    EXPECT_EQ(axioms[2]->originalNumber, 2);
    Concept* conjunction = axioms[0]->rhs;
    ASSERT_EQ(conjunction->kind, CONJUNCTION);
    std::vector<Concept*> operands = operandsOf(conjunction);
    ASSERT_EQ(operands.size(), 2u);
    EXPECT_EQ(operands[0], conceptNamed("B"));
    EXPECT_EQ(operands[1], conceptNamed("C"));
    ASSERT_EQ(axioms[1]->rhs->kind, EXISTENTIAL_RESTR);
    EXPECT_EQ(operandsOf(axioms[1]->rhs)[0], conjunction);
    std::vector<RoleAxiom*> roles = roleAxioms();
    ASSERT_EQ(roles.size(), 1u);
    EXPECT_TRUE(roles[0]->isTransitive());
    EXPECT_EQ(roles[0]->rhs, roleNamed("r"));
}

TEST_F(ClassifierOntologyParser, ReportsErrorsLikeTheLibraryBuild)
{
    EXPECT_EXIT(parseOntology("(implies A B)\n(transitive A)\n"), ExitedWithCode(255),
                fatalError("Parser", 2, "Name 'A' is not used only as type role, see line: 1"));
}

} // namespace
