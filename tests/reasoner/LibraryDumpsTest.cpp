// The library build's own axiom dump, deduction dump and listings, beside
// which the classifier keeps its versions.
#include <gtest/gtest.h>

#include <string>

#include "ParserTestSupport.h"
#include "support/TestSupport.h"
#include "reasoner/TBox.h"

using namespace korvane_test;

namespace {

class LibraryDumps : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetModel();
        TBox::save_pinpointing_info = false;
        TBox::debug_f = nullptr;
        ASSERT_EQ(parseOntology("(implies A B)\n(transitive r)\n"), 0);
        tbox = TBox::getInstance();
        tbox->normalizeTBox();
        a = conceptNamed("A");
        b = conceptNamed("B");
    }

    TBox* tbox = nullptr;
    Concept* a = nullptr;
    Concept* b = nullptr;
};

TEST_F(LibraryDumps, NumbersOnlyWithPinpointingInformationAndMarksOnce)
{
    (*tbox->gcis.begin())->index = 7;
    (*tbox->roleAxioms.begin())->index = 8;
    MemoryStream first;
    WrittenAxioms written;
    tbox->saveGCIAxioms(first.get(), true, written);
    tbox->saveRIAxioms(first.get(), true, written);
    EXPECT_EQ(first.text(), "(implies A B)\n(transitive r)\n");
    MemoryStream second;
    tbox->saveGCIAxioms(second.get(), true, written);
    tbox->saveRIAxioms(second.get(), false, written);
    EXPECT_EQ(second.text(), "");
    TBox::save_pinpointing_info = true;
    MemoryStream numbered;
    tbox->saveGCIAxioms(numbered.get(), true, written);
    tbox->saveRIAxioms(numbered.get(), true, written);
    EXPECT_EQ(numbered.text(), "7 1 (implies A B)\n8 8 (transitive r)\n");
}

TEST_F(LibraryDumps, DeductionDumpUsesIdsBeforeAndVariablesAfterEncoding)
{
    tbox->conceptsById = new std::vector<Concept*>{tbox->bottom, tbox->top, a, b, nullptr};
    tbox->top->deduction.subsumed = new ConceptDeduction::SubsumedList{tbox->bottom, tbox->top, a, b};
    b->deduction.subsumed = new ConceptDeduction::SubsumedList{tbox->bottom, b, a};
    tbox->deducedAxioms = new TBox::DeducedList{{a, b}};
    MemoryStream ids;
    tbox->saveDeduction(ids.get());
    EXPECT_EQ(ids.text(), "0 *bottom*\n1 *top*\n2 A\n3 B 2\n2 3\n");

    TBox::encoded = true;
    MemoryStream variables;
    tbox->saveDeduction(variables.get());
    // Variables are given in the order the dump meets the concepts; the
    // deduced pair gives its super concept a variable before its sub concept.
    EXPECT_EQ(variables.text(), "1 *bottom*\n2 *top*\n3 A\n4 B 3\n3 4\n");

    MemoryStream debug;
    TBox::debug_f = debug.get();
    tbox->printDeducedAxioms();
    tbox->printDeductionStructures();
    EXPECT_EQ(debug.text(), "A =>c B\n*bot* [0]:\n*top* [1]:\n   *bot* [0]\n   *top* [1]\n   A [2]\n   B [3]\n"
                            "A [2]:\nB [3]:\n   *bot* [0]\n   B [3]\n   A [2]\n");
}

} // namespace
