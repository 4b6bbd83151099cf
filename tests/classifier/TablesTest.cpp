// The classifier's text files: deductions tables, the original-axiom tables,
// the assumption list, the axiom dump, and the listings shared with the
// library build.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "ClassificationFixture.h"
#include "support/HornOracle.h"
#include "encoders/DimacsEncoder.h"

using namespace korvane_test;

namespace {

class Tables : public ClassificationTest {
protected:
    MemoryStream table;
    MemoryStream assumptionList;
    MemoryStream links;

    // The input axioms as the selectors: the assumption list and the links
    // from input axioms to the normal form go to their streams.
    void originalIdsWithLinks()
    {
        TBox::use_original_axioms_ids = true;
        TBox::getInstance()->deductionsTables.links = links.get();
        TBox::pinpointing_f = assumptionList.get();
    }
};

// Selectors follow the set order: A ⊑ *top* (smaller right-hand kind) 1,
// A ⊑ A 2, A ⊑ B 3, B ⊑ C 4; the one deduction A ⊑ C takes 5.
TEST_F(Tables, DeductionsTableListsToldAxiomsAndNewDeductionsInQueueOrder)
{
    TBox::getInstance()->deductionsTables.deductions = table.get();
    classify("(implies A B)\n(implies B C)\n(implies A A)\n(implies A *top*)\n");
    EXPECT_EQ(gciBetween("A", "*top*")->selector, 1);
    EXPECT_EQ(table.text(), "3 (implies A B )\n4 (implies B C )\n5 (implies A C )\n");
}

TEST_F(Tables, TransitiveRoleLineInTableAndDump)
{
    TBox::getInstance()->deductionsTables.deductions = table.get();
    TBox* tbox = classify("(implies A B)\n(implies B C)\n(implies C D)\n(implies D E)\n(transitive r)\n");
    const std::string text = table.text();
    const std::string line = "5 (transitive r)\n";
    ASSERT_GE(text.size(), line.size());
    EXPECT_EQ(text.substr(text.size() - line.size()), line);
    EXPECT_EQ(text.find("(transitive"), text.size() - line.size() + 2);

    MemoryStream dump;
    WrittenAxioms written;
    tbox->saveGCIAxioms(dump.get(), true, written);
    tbox->saveRIAxioms(dump.get(), true, written);
    EXPECT_EQ(dump.text(), "1 1 (implies A B)\n2 2 (implies B C)\n3 3 (implies C D)\n4 4 (implies D E)\n"
                           "5 5 (transitive r)\n");
}

TEST_F(Tables, UnusedRoleAxiomsShowZeroInTheTableAndMinusOneInTheDump)
{
    TBox::useRoleAxiomsInDeduction = false;
    TBox::getInstance()->deductionsTables.deductions = table.get();
    TBox* tbox = classify("(implies A B)\n(role-inclusion r s)\n");
    EXPECT_EQ(table.text(), "1 (implies A B )\n0 (role-inclusion r s)\n");
    MemoryStream dump;
    WrittenAxioms written;
    tbox->saveRIAxioms(dump.get(), true, written);
    EXPECT_EQ(dump.text(), "-1 -1 (role-inclusion r s)\n");
}

TEST_F(Tables, RoleAxiomLinesGoToTheRoleTableWithOriginalIds)
{
    MemoryStream roles;
    TBox::use_original_axioms_ids = true;
    TBox::getInstance()->deductionsTables.deductions = table.get();
    TBox::getInstance()->deductionsTables.roleAxioms = roles.get();
    classify("(implies A B)\n(role-inclusion r s)\n");
    // One input axiom and one role axiom: the role axiom is 2, A ⊑ B is 3.
    EXPECT_EQ(table.text(), "3 (implies A B )\n");
    EXPECT_EQ(roles.text(), "2 (role-inclusion r s)\n");
}

TEST_F(Tables, WithoutTheRoleTableTheLinesStayInTheDeductionsTable)
{
    TBox::use_original_axioms_ids = true;
    TBox::getInstance()->deductionsTables.deductions = table.get();
    classify("(implies A B)\n(role-inclusion r s)\n");
    EXPECT_EQ(table.text(), "3 (implies A B )\n2 (role-inclusion r s)\n");
}

TEST_F(Tables, OriginalIdsAreTheAssumptionsAndLinkToTheNormalForm)
{
    originalIdsWithLinks();
    TBox* tbox = classify("(implies A (and B C))\n(implies D E)\n");
    EXPECT_EQ(gciBetween("A", "B")->selector, 3);
    EXPECT_EQ(gciBetween("A", "C")->selector, 4);
    EXPECT_EQ(gciBetween("D", "E")->selector, 5);
    EXPECT_EQ(links.text(), "1 3\n1 4\n2 5\n");
    EXPECT_EQ(assumptionList.text(), "1\n1\n2\n");
    ClauseLines all = clauses();
    ASSERT_GE(all.size(), 3u);
    EXPECT_EQ(all[0], (std::vector<long>{-1, 3}));
    EXPECT_EQ(all[1], (std::vector<long>{-1, 4}));
    EXPECT_EQ(all[2], (std::vector<long>{-2, 5}));
    EXPECT_EQ(TBox::last_gci_axiom_id, 2u);
    EXPECT_EQ(TBox::last_gci_pinpointing_id, 5u);
    for (Axiom* a : tbox->gcis) {
        EXPECT_TRUE(a->originalIds.empty());
        EXPECT_TRUE(a->generatedFrom.empty());
    }
}

TEST_F(Tables, DefinitionsFollowFromTheAxiomsThatNeededThem)
{
    originalIdsWithLinks();
    classify("(implies (some r (and A B)) C)\n");
    // A ⊓ B ⊑ X (selector 2) is needed by ∃r.X ⊑ C (selector 3), which
    // input axiom 1 gives directly.
    EXPECT_EQ(links.text(), "3 2\n1 3\n");
    EXPECT_EQ(assumptionList.text(), "1\n");
    ClauseLines all = clauses();
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(all[0], (std::vector<long>{-3, 2}));
    EXPECT_EQ(all[1], (std::vector<long>{-1, 3}));
    std::set<long> reached = HornOracle(all).consequences({1});
    EXPECT_TRUE(reached.count(2) && reached.count(3));
}

TEST_F(Tables, WithoutPinpointingNoLinkClauseIsWritten)
{
    TBox::pinpointing = false;
    originalIdsWithLinks();
    classify("(implies A (and B C))\n");
    EXPECT_EQ(links.text(), "1 2\n1 3\n");
    ClauseLines expected = {{-1}, {2}, {-3, 4}, {-3, 5}};
    EXPECT_EQ(clauses(), expected);
    EXPECT_EQ(assumptionList.text(), "");
}

TEST_F(Tables, AssumptionListRepeatsAnInputAxiomPerNormalFormAxiom)
{
    TBox::use_original_axioms_ids = true;
    TBox::pinpointing_f = assumptionList.get();
    TBox* tbox = classify("(implies A B)\n(implies A (and B C))\n(role-inclusion r s)\n");
    // A ⊑ B comes from inputs 1 and 2, A ⊑ C from 2; the role axiom is 3.
    EXPECT_EQ(assumptionList.text(), "1\n2\n2\n3\n");
    MemoryStream again;
    tbox->saveAssumptions(again.get());
    EXPECT_EQ(again.text(), assumptionList.text());
}

// Every file of a classification of the ontology (clauses, header, the
// tables, the assumption list and the axiom dump), with or without the
// input axioms as selectors.
std::string everyOutput(const std::string& ontology, bool originalIds)
{
    resetClassifierState();
    MemoryStream body, header, deductions, inputs, roles, links, assumptions, dump;
    DimacsEncoder encoder(body.get(), header.get());
    TBox::CNF_SAT_Encoder = &encoder;
    TBox::use_original_axioms_ids = originalIds;
    TBox::getInstance()->deductionsTables.deductions = deductions.get();
    TBox::getInstance()->deductionsTables.inputAxioms = inputs.get();
    TBox::getInstance()->deductionsTables.roleAxioms = roles.get();
    TBox::getInstance()->deductionsTables.links = links.get();
    TBox::pinpointing_f = assumptions.get();
    EXPECT_EQ(parseOntology(ontology), 0);
    TBox* tbox = TBox::getInstance();
    tbox->normalizeTBox();
    tbox->clearNonNormalAndSharedConcepts();
    tbox->performDeductionAndEncode(true, true);
    WrittenAxioms written;
    tbox->saveGCIAxioms(dump.get(), true, written);
    tbox->saveRIAxioms(dump.get(), true, written);
    TBox::CNF_SAT_Encoder = nullptr;
    resetClassifierState();
    return "clauses:\n" + body.text() + "header:\n" + header.text() + "deductions:\n" + deductions.text() +
           "inputs:\n" + inputs.text() + "roles:\n" + roles.text() + "links:\n" + links.text() +
           "assumptions:\n" + assumptions.text() + "dump:\n" + dump.text();
}

// A conjunction whose conjuncts are all one concept is that concept: the
// ontology gives the files of the ontology written with the concept alone,
// the provenance and the selectors of an axiom that becomes C ⊑ C included.
TEST_F(Tables, ConjunctionOfOneConceptGivesTheFilesOfThatConcept)
{
    const std::pair<const char*, const char*> cases[] = {
        {"(implies (and C1 C1) C2)\n(implies A (some r C1))\n(implies (some r C2) B)\n",
         "(implies C1 C2)\n(implies A (some r C1))\n(implies (some r C2) B)\n"},
        {"(equivalent X (and (and C1 C1) C1))\n(implies A X)\n", "(equivalent X C1)\n(implies A X)\n"},
        {"(implies A (and C1 (and C1 C1)))\n(implies (and C1 C1) C1)\n(implies C1 B)\n",
         "(implies A C1)\n(implies C1 C1)\n(implies C1 B)\n"},
        {"(equivalent C1 (and C1 C1))\n(implies A C1)\n", "(equivalent C1 C1)\n(implies A C1)\n"},
        {"(implies A (some r (and B B)))\n(implies (and (some r B) (some r B)) (some s (and C C)))\n"
         "(role-inclusion s t)\n(implies (some t C) D)\n",
         "(implies A (some r B))\n(implies (some r B) (some s C))\n(role-inclusion s t)\n(implies (some t C) D)\n"},
        {"(equivalent (and (some r B) (some r B)) (and D (some s (and E E))))\n(implies A (some r B))\n",
         "(equivalent (some r B) (and D (some s E)))\n(implies A (some r B))\n"},
        {"(implies (and (some r A) (some r A)) (some r A))\n(implies B (some r A))\n",
         "(implies (some r A) (some r A))\n(implies B (some r A))\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        for (bool originalIds : {false, true})
            EXPECT_EQ(everyOutput(c.first, originalIds), everyOutput(c.second, originalIds)) << originalIds;
    }
}

TEST_F(Tables, ConvertingPinpointedSelectorsSplitsOffTheRoleAxioms)
{
    TBox* tbox = TBox::getInstance();
    TBox::last_gci_axiom_id = 10;
    TBox::last_gci_pinpointing_id = 40;
    LiteralList plain{3, 12};
    std::unique_ptr<LiteralList> roles(tbox->convertAssumptionsInAxiomsIds(&plain));
    EXPECT_EQ(plain, (LiteralList{3}));
    EXPECT_EQ(*roles, (LiteralList{12}));

    TBox::use_original_axioms_ids = true;
    LiteralList original{3, 12};
    std::unique_ptr<LiteralList> shifted(tbox->convertAssumptionsInAxiomsIds(&original));
    EXPECT_EQ(original, (LiteralList{2}));
    EXPECT_EQ(*shifted, (LiteralList{42}));
}

TEST_F(Tables, ListingBeforeTheDumpLeavesOnlyTheNumberedFormComplete)
{
    TBox* tbox = classify("(implies A B)\n(implies (some r A) (some s B))\n(role-inclusion r s)\n");
    MemoryStream listing;
    WrittenAxioms written;
    tbox->saveNormalization(listing.get(), written);
    // Fresh names print with their normal ids: #4 and #5 after bottom, top,
    // A and B.
    EXPECT_EQ(listing.text(), "OR (implies A B)\nOR (implies #4 #5)\nBW EQ DF (implies #5 (some s B))\n"
                              "FW EQ DF (implies (some r A) #4)\n");
    MemoryStream plain;
    tbox->saveGCIAxioms(plain.get(), false, written);
    EXPECT_EQ(plain.text(), "");
    MemoryStream numbered;
    tbox->saveGCIAxioms(numbered.get(), true, written);
    EXPECT_EQ(numbered.text(), "1 1 (implies A B)\n2 2 (implies #4 #5)\n3 0 (implies #5 (some s B))\n"
                               "4 0 (implies (some r A) #4)\n");
    // Writers that keep a record of their own write every axiom.
    WrittenAxioms own;
    MemoryStream apart;
    tbox->saveGCIAxioms(apart.get(), false, own);
    tbox->saveRIAxioms(apart.get(), false, own);
    EXPECT_EQ(apart.text(), "(implies A B)\n(implies #4 #5)\n(implies #5 (some s B))\n(implies (some r A) #4)\n"
                            "(role-inclusion r s)\n");
}

TEST_F(Tables, NormalisationMapListsRoleAxiomsOnceAndConceptsWithVariables)
{
    TBox* tbox = classify("(implies A B)\n(implies (some r A) (some s B))\n(role-inclusion r s)\n");
    MemoryStream map;
    WrittenAxioms written;
    tbox->saveRIAxioms(map.get(), false, written);
    tbox->saveRIAxioms(map.get(), false, written);
    tbox->saveNormalConceptsWithCnfId(map.get(), 0);
    // Selectors 1 to 5, the deduction #4 ⊑ (some s B) 6; then the concepts
    // in the order the clauses meet them.
    EXPECT_EQ(map.text(), "(role-inclusion r s)\n*bottom* 7\n*top* 8\nA 9\nB 10\n#4 11\n#5 12\n"
                          "(some r A) 14\n(some s B) 13\n");
    MemoryStream none;
    tbox->saveNormalConceptsWithCnfId(none.get(), 14);
    EXPECT_EQ(none.text(), "");
    MemoryStream dump;
    tbox->saveRIAxioms(dump.get(), true, written);
    EXPECT_EQ(dump.text(), "5 5 (role-inclusion r s)\n");
}

TEST_F(Tables, NormalisationMapBarsNamesItsReaderWouldTakeOtherwise)
{
    TBox* tbox = classify("(implies |top| (some |12| A))\n(implies A B)\n(role-inclusion (compose u u u) u)\n");
    MemoryStream map;
    WrittenAxioms written;
    tbox->saveRIAxioms(map.get(), false, written);
    tbox->saveNormalConceptsWithCnfId(map.get(), 0);
    const std::string text = map.text();
    for (const char* part : {"(role-inclusion (compose u u u) u)\n", "\n|top| ", "\n(some |12| A) ", "\nA ", "\nB "})
        EXPECT_NE(text.find(part), std::string::npos) << part << " in\n" << text;
    EXPECT_EQ(text.find("transitive"), std::string::npos);
}

TEST_F(Tables, WithoutEncodingTheMapHoldsNoConcept)
{
    TBox* tbox = classify("(implies A B)\n(role-inclusion r s)\n", false);
    MemoryStream map;
    WrittenAxioms written;
    tbox->saveRIAxioms(map.get(), false, written);
    tbox->saveNormalConceptsWithCnfId(map.get(), 0);
    EXPECT_EQ(map.text(), "(role-inclusion r s)\n");
}

TEST_F(Tables, DebugListings)
{
    MemoryStream debug;
    TBox::debug_f = debug.get();
    TBox* tbox = parse("(equivalent A B)\n(role-inclusion (compose r s) t)\n(transitive t)\n");
    tbox->printInputAxioms();
    tbox->printRIAxioms();
    EXPECT_EQ(debug.text(), "A =>c B(e)(d)\nB =>c A(e)(d)\n(t \xB0 t) =>(t)r-o t(t)\n(r \xB0 s) =>r-o t(t)\n");

    SetUp();
    MemoryStream normal;
    TBox::debug_f = normal.get();
    tbox = classify("(implies A B)\n");
    tbox->printNormalizedAxioms();
    tbox->printDeductionStructures();
    EXPECT_EQ(normal.text(), "A =>n-o B\n"
                             "*bot* [0]:\n   *bot* [0]\n"
                             "*top* [1]:\n   *bot* [0]\n   *top* [1]\n   A [2]\n   B [3]\n"
                             "A [2]:\n   A [2]\n"
                             "B [3]:\n   A [2]\n   B [3]\n");
}

} // namespace
