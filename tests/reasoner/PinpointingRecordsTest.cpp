// The records of the pinpointing information as the TBox writes them.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "support/TestSupport.h"
#include "model/Conjunction.h"
#include "model/ExistentialRestr.h"
#include "model/PrimitiveConcept.h"
#include "model/PrimitiveRole.h"
#include "reasoner/TBox.h"

using namespace korvane_test;

namespace {

class PinpointingRecordsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetModel();
        tbox = TBox::getInstance();
        TBox::save_pinpointing_info = true;
        TBox::pinpointing_f = records.get();
        A = named("A", 7);
        B = named("B", 8);
        X = named("X", 11);
        Y = named("Y", 12);
        F = named("F", 21);
        G = named("G", 22);
        E = withId(new ExistentialRestr(F, new PrimitiveRole(std::string("r"))), 20);
        E2 = withId(new ExistentialRestr(G, new PrimitiveRole(std::string("s"))), 30);
    }

    void TearDown() override
    {
        TBox::save_pinpointing_info = false;
        TBox::pinpointing_f = nullptr;
    }

    static Concept* withId(Concept* c, uint64_t id)
    {
        c->id = id;
        return c;
    }
    static Concept* named(const char* name, uint64_t id) { return withId(new PrimitiveConcept(name), id); }

    TBox* tbox = nullptr;
    MemoryStream records;
    Concept *A, *B, *X, *Y, *F, *G, *E, *E2;
};

TEST_F(PinpointingRecordsTest, AxiomAndOnePremiseRecords)
{
    Axiom a(A, B, ORIGINAL);
    a.index = 3;
    a.originalNumber = 2;
    tbox->savePinpointingInfoAxiom(&a);
    tbox->savePinpointingInfoImplication(A, B, {X, Y}, 4, true);
    tbox->savePinpointingInfoRoleInclusion(A, B, {Y}, 9, false);
    EXPECT_EQ(records.text(),
              "7 8 3 2 A\n"
              "11 8 4 11 7 S\n"
              "12 8 4 12 7 S\n"
              "12 8 9 12 7 B\n");
}

TEST_F(PinpointingRecordsTest, ExistentialPremisesNameTheFiller)
{
    tbox->savePinpointingInfoBinaryExistential(A, B, {{X, E}, {Y, E2}}, 5, false);
    tbox->savePinpointingInfoManyBinaryExistential(B, {{{X, 6}, {E, A}}, {{Y, 2}, {E2, G}}}, true);
    EXPECT_EQ(records.text(),
              "11 8 5 11 20 21 7 B\n"
              "12 8 5 12 30 22 7 B\n"
              "11 8 6 11 20 21 7 S\n"
              "12 8 2 12 30 22 22 S\n");
}

TEST_F(PinpointingRecordsTest, OnePremisePerConjunct)
{
    Concept* three = withId(new Conjunction(new ConceptList{A, F, G}), 40);
    tbox->savePinpointingInfoConjunction(three, B, {X}, 2, true);
    Concept* one = withId(new Conjunction(new ConceptList{F}), 41);
    tbox->savePinpointingInfoConjunction(one, B, {Y}, 3, false);
    EXPECT_EQ(records.text(),
              "11 8 2 11 7 11 21 11 22 S\n"
              "12 8 3 12 21 B\n");
}

TEST_F(PinpointingRecordsTest, NothingWrittenWhenSwitchedOff)
{
    TBox::save_pinpointing_info = false;
    Axiom a(A, B, ORIGINAL);
    tbox->savePinpointingInfoAxiom(&a);
    tbox->savePinpointingInfoImplication(A, B, {X}, 1, true);
    tbox->savePinpointingInfoConjunction(withId(new Conjunction(A, F), 40), B, {X}, 1, true);
    EXPECT_EQ(records.text(), "");

    // Switched on without a stream: nothing to write to.
    TBox::save_pinpointing_info = true;
    TBox::pinpointing_f = nullptr;
    tbox->savePinpointingInfoImplication(A, B, {X}, 1, true);
    EXPECT_EQ(records.text(), "");
}

} // namespace
