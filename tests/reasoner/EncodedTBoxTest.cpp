// The records of the pinpointing information read back, the assumption and
// control variables numbered over them, the control clauses, and the way back
// from pinpointed variables to axiom numbers.

#include <gtest/gtest.h>

#include <initializer_list>
#include <list>
#include <map>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "reasoner/EncodedTBox.h"

using namespace korvane_test;

namespace {

using Numbers = std::vector<long>;

// A premise list that lives as long as the tests.
const EncodedTBox::Dependencies* premises(std::initializer_list<unsigned long> numbers)
{
    static std::list<EncodedTBox::Dependencies> lists;
    lists.emplace_back(numbers);
    return &lists.back();
}

// Takes ownership of the list.
Numbers taken(LiteralList* list)
{
    Numbers result(list->begin(), list->end());
    delete list;
    return result;
}

class EncodedTBoxTest : public ::testing::Test {
protected:
    void SetUp() override { EncodedTBox::use_original_axiom_index = false; }
    void TearDown() override { EncodedTBox::use_original_axiom_index = false; }

    std::string axiomsInformation()
    {
        return printed([this](FILE* out) { e.saveAxiomsAssumptions(out); });
    }

    EncodedTBox e;
};

TEST_F(EncodedTBoxTest, RecordsNumberedInInsertionOrderOncePerPair)
{
    EXPECT_TRUE(e.insertPinpointingAxiom(1, 2, 1, 7));
    EXPECT_FALSE(e.insertPinpointingAxiom(1, 2, 2, 2));
    EXPECT_FALSE(e.insertPinpointingBoolClause(1, 2, 1, premises({1})));
    EXPECT_TRUE(e.insertPinpointingBoolClause(1, 4, 3, premises({1})));
    EXPECT_TRUE(e.insertPinpointingSavedClause(3, 2, 2, nullptr));

    EXPECT_EQ(e.findDeductionId(1, 2), 1u);
    EXPECT_EQ(e.findDeductionId(1, 4), 2u);
    EXPECT_EQ(e.findDeductionId(3, 2), 3u);
    EXPECT_EQ(e.findDeductionId(2, 1), 0u);
    EXPECT_EQ(e.recordCount(), 3u);
    EXPECT_EQ(e.axiomCount(), 1u);
    EXPECT_EQ(e.boolCount(), 1u);
    EXPECT_EQ(e.savedCount(), 1u);
    EXPECT_EQ(e.largestAxiomIndex(), 3u);
    EXPECT_EQ(e.largestOriginalNumber(), 7u);
    EXPECT_EQ(e.savedRecordNumber(1), 3u);

    const EncodedDeduction* a = e.getDeduction(1);
    EXPECT_TRUE(a->isAxiom && a->inOriginalEncoding && a->done);
    EXPECT_EQ(a->originalNumber, 7);
    const EncodedDeduction* b = e.getDeduction(2);
    EXPECT_FALSE(b->isAxiom || b->inOriginalEncoding || b->done);
    EXPECT_EQ(b->index, 3);
    EXPECT_EQ(e.premisesOf(2).size(), 1u);
    const EncodedDeduction* s = e.getDeduction(3);
    EXPECT_TRUE(s->inOriginalEncoding && !s->done);
}

TEST_F(EncodedTBoxTest, NewUploadForgetsTheEarlierOne)
{
    e.insertPinpointingAxiom(1, 2, 1, 1);
    e.startEncodingPinpointing(10);
    e.pinpointingLoaded = e.axiomsInformationLoaded = true;
    e.startPinpointingInfoUpload();
    EXPECT_EQ(e.recordCount() + e.axiomCount() + e.largestAxiomIndex() + e.variableOffset(), 0u);
    EXPECT_EQ(e.findDeductionId(1, 2), 0u);
    EXPECT_TRUE(e.getAssumptionSet().empty());
    EXPECT_FALSE(e.pinpointingLoaded || e.axiomsInformationLoaded);
    EXPECT_TRUE(e.insertPinpointingAxiom(3, 2, 1, 1));
    EXPECT_EQ(e.findDeductionId(3, 2), 1u);
}

// Records sized ahead for a file are numbered and found as without it,
// whether the file had more records than expected or fewer.
TEST_F(EncodedTBoxTest, SizingAheadForAFileChangesNoNumber)
{
    for (unsigned long bytes : {0UL, 10UL, 48UL * 5000}) {
        e.startPinpointingInfoUpload();
        e.expectPinpointingBytes(bytes);
        for (unsigned long k = 1; k <= 300; ++k)
            ASSERT_TRUE(e.insertPinpointingAxiom(k, k + 1, static_cast<int>(k), static_cast<int>(k)));
        EXPECT_FALSE(e.insertPinpointingAxiom(5, 6, 1, 1));
        EXPECT_EQ(e.recordCount(), 300u);
        for (unsigned long k = 1; k <= 300; ++k)
            ASSERT_EQ(e.findDeductionId(k, k + 1), k);
        EXPECT_EQ(e.getDeduction(300)->index, 300);
    }
}

// Two GCIs (indexes 1 and 2), a derivation over both by GCI 2, and one by a
// role axiom (index 3) without premises.
class NumberedEncodedTBox : public EncodedTBoxTest {
protected:
    void SetUp() override
    {
        EncodedTBoxTest::SetUp();
        e.insertPinpointingAxiom(1, 2, 1, 1);
        e.insertPinpointingAxiom(2, 3, 2, 2);
        e.insertPinpointingSavedClause(1, 3, 2, premises({1, 2}));
        e.insertPinpointingSavedClause(4, 5, 3, nullptr);
        e.axiomsInformationLoaded = true;
        e.startEncodingPinpointing(10);
    }
};

TEST_F(NumberedEncodedTBox, AssumptionAndControlVariables)
{
    EXPECT_EQ(taken(e.getAxiomsAssumptions()), (Numbers{11, 12, 13}));
    EXPECT_EQ(e.lastAssumptionVariable(), 13u);
    EXPECT_FALSE(e.axiomsInformationLoaded);
    // The axiom clauses first, then the saved derivations, numbered on demand.
    EXPECT_EQ(e.getControlCnfId(1), 11u);
    EXPECT_EQ(e.getControlCnfId(2), 12u);
    EXPECT_EQ(e.getControlCnfId(4), 14u);
    EXPECT_EQ(e.getControlCnfId(3), 15u);
    EXPECT_EQ(e.getControlCnfId(4), 14u);
    EXPECT_EQ(e.getControlCnfId(5), 0u);
    EXPECT_EQ(e.getControlCnfId(0), 0u);
}

TEST_F(NumberedEncodedTBox, ControlClausesOfSavedDerivations)
{
    EXPECT_EQ(e.getControlCnfClause(2), nullptr);
    EXPECT_EQ(e.getControlCnfClause(5), nullptr);
    EXPECT_EQ(e.getControlCnfId(3), 14u);
    // The rule's GCI 2 is met first, then GCI 1 through the first premise.
    EXPECT_EQ(taken(e.getControlCnfClause(3)), (Numbers{-11, -12, 14}));
    EXPECT_TRUE(e.getDeduction(3)->done);
    EXPECT_TRUE(e.premisesOf(3).empty());
    EXPECT_EQ(taken(e.getControlCnfClause(4)), (Numbers{-13, 15}));
}

TEST_F(NumberedEncodedTBox, ConversionAndAxiomsInformation)
{
    LiteralList pinpointed{11, 13, 12};
    EXPECT_EQ(taken(e.convertAssumptionsInAxiomsIds(&pinpointed)), (Numbers{3}));
    EXPECT_EQ(Numbers(pinpointed.begin(), pinpointed.end()), (Numbers{1, 2}));
    EXPECT_EQ(axiomsInformation(), "3 2 2 10 N\n1 11 0\n2 12 0\n3 13 0\n");

    // The records go once the encoding is copied; the assumptions stay.
    e.dropPinpointingRecords();
    EXPECT_EQ(e.getControlCnfId(1), 0u);
    EXPECT_EQ(e.getControlCnfClause(3), nullptr);
    EXPECT_EQ(taken(e.getAxiomsAssumptions()), (Numbers{11, 12, 13}));
}

TEST_F(EncodedTBoxTest, PremisesLeadingToOneAxiomGiveOneLiteral)
{
    e.insertPinpointingAxiom(10, 20, 1, 1);
    e.insertPinpointingSavedClause(30, 20, 1, premises({1}));
    e.startEncodingPinpointing(5);
    EXPECT_EQ(e.getControlCnfId(2), 7u);
    EXPECT_EQ(taken(e.getControlCnfClause(2)), (Numbers{-6, 7}));
}

TEST_F(EncodedTBoxTest, ReverseDiscoveryOrderAndFinishedDerivations)
{
    e.insertPinpointingAxiom(1, 2, 1, 1);
    e.insertPinpointingAxiom(2, 3, 2, 2);
    e.insertPinpointingAxiom(3, 4, 3, 3);
    e.insertPinpointingBoolClause(5, 4, 3, premises({2}));
    e.insertPinpointingSavedClause(5, 6, 1, premises({4}));
    e.insertPinpointingSavedClause(5, 7, 3, premises({5, 1}));
    e.insertPinpointingSavedClause(5, 8, -1, premises({3}));
    e.startEncodingPinpointing(10);

    // Record 5 meets GCI 1 (its own), 3 (record 4's) and 2 (record 2's).
    EXPECT_EQ(e.getControlCnfId(4), 14u);
    EXPECT_EQ(taken(e.getControlCnfClause(4)), (Numbers{-12, -13, -11, 14}));
    // Record 6 meets GCI 3, then the finished record 5 by its control variable.
    EXPECT_EQ(e.getControlCnfId(5), 15u);
    EXPECT_EQ(taken(e.getControlCnfClause(5)), (Numbers{-11, -14, -13, 15}));
    // An index below 1 selects no axiom: only the premise counts.
    EXPECT_EQ(e.largestAxiomIndex(), 3u);
    EXPECT_EQ(taken(e.getControlCnfClause(6)), (Numbers{-13, 16}));
}

std::vector<unsigned long> premisesOf(const EncodedTBox& e, unsigned long n)
{
    EncodedTBox::PremiseRange range = e.premisesOf(n);
    return std::vector<unsigned long>(range.begin(), range.end());
}

TEST_F(EncodedTBoxTest, ShortAndLongPremiseListsKeepTheirOrder)
{
    e.insertPinpointingAxiom(1, 2, 1, 1);
    e.insertPinpointingAxiom(2, 3, 2, 2);
    e.insertPinpointingAxiom(3, 4, 3, 3);
    e.insertPinpointingAxiom(4, 5, 4, 4);
    e.insertPinpointingSavedClause(1, 5, 1, premises({1, 2, 3}));
    e.insertPinpointingBoolClause(1, 6, 2, premises({4, 1}));
    e.insertPinpointingSavedClause(1, 7, 3, premises({6, 5, 2, 4}));
    using List = std::vector<unsigned long>;
    EXPECT_EQ(premisesOf(e, 1), List{});
    EXPECT_EQ(premisesOf(e, 5), (List{1, 2, 3}));
    EXPECT_EQ(premisesOf(e, 6), (List{4, 1}));
    EXPECT_EQ(premisesOf(e, 7), (List{6, 5, 2, 4}));
    EXPECT_EQ(premisesOf(e, 8), List{});

    e.startEncodingPinpointing(10);
    // Record 5 meets GCI 1 (its own), then 2 and 3 through its premises.
    EXPECT_EQ(taken(e.getControlCnfClause(5)), (Numbers{-13, -12, -11, 15}));
    EXPECT_EQ(premisesOf(e, 5), List{});
    // Record 7 meets GCI 3, record 6 with GCI 2, 4 and 1, then the finished
    // record 5 by its control variable; records 2 and 4 add nothing new.
    EXPECT_EQ(taken(e.getControlCnfClause(6)), (Numbers{-15, -11, -14, -12, -13, 16}));
    EXPECT_EQ(premisesOf(e, 6), (List{4, 1}));
}

TEST_F(EncodedTBoxTest, LongPremiseChainAndCycle)
{
    const unsigned long chain = 200000;
    e.insertPinpointingAxiom(0, 1, 1, 1);
    for (unsigned long n = 1; n <= chain; ++n)
        e.insertPinpointingBoolClause(0, n + 1, 1, premises({n}));
    e.insertPinpointingSavedClause(1, 0, 1, premises({chain + 1, chain + 3}));
    // Well-formed input names earlier records only; a cycle must still end.
    e.insertPinpointingBoolClause(2, 0, 1, premises({chain + 2}));
    e.startEncodingPinpointing(100);
    EXPECT_EQ(taken(e.getControlCnfClause(2)), (Numbers{-101, 102}));
}

TEST_F(EncodedTBoxTest, OriginalNumbering)
{
    EncodedTBox::use_original_axiom_index = true;
    e.insertPinpointingAxiom(1, 2, 1, 1); // an equivalence: both GCIs carry number 1
    e.insertPinpointingAxiom(2, 1, 2, 1);
    e.insertPinpointingAxiom(3, 4, 3, 0); // from normalisation only
    e.insertPinpointingAxiom(5, 6, 4, 2);
    e.insertPinpointingBoolClause(7, 8, 5, nullptr); // two role axioms
    e.insertPinpointingBoolClause(7, 9, 6, nullptr);
    e.startEncodingPinpointing(100);

    EXPECT_EQ(taken(e.getAxiomsAssumptions()), (Numbers{101, 102, 103, 104, 105}));
    EXPECT_EQ(e.assumptionOf(2), 101u);
    EXPECT_EQ(e.getDeduction(3)->controlVariable, 103u);
    EXPECT_EQ(e.lastAssumptionVariable(), 105u);
    LiteralList pinpointed{101, 103, 105, 102, 104};
    // The role axioms follow the last input axiom, 2.
    EXPECT_EQ(taken(e.convertAssumptionsInAxiomsIds(&pinpointed)), (Numbers{4, 3}));
    EXPECT_EQ(Numbers(pinpointed.begin(), pinpointed.end()), (Numbers{1, 0, 2}));
    EXPECT_EQ(axiomsInformation().substr(0, 12), "6 2 4 100 O\n");
}

TEST_F(EncodedTBoxTest, OriginalNumberingOfAxiomRecordsWithoutIndex)
{
    EncodedTBox::use_original_axiom_index = true;
    e.insertPinpointingAxiom(1, 2, -1, 1);
    e.insertPinpointingAxiom(3, 4, -1, 0);
    e.startEncodingPinpointing(10);
    EXPECT_EQ(taken(e.getAxiomsAssumptions()), (Numbers{11, 12}));
    EXPECT_EQ(e.lastAssumptionVariable(), 12u);
}

// Two GCIs and a saved derivation from the first by a role axiom numbered
// 16777216. Either numbering gives that role axiom 10 + 16777216, with the
// shared variable 12 of original numbering in between; no other axiom number
// gets a variable.
class FarAxiomIndex : public EncodedTBoxTest, public ::testing::WithParamInterface<bool> {};

TEST_P(FarAxiomIndex, OnlyTheAxiomsThatRecordsNameHaveVariables)
{
    EncodedTBox::use_original_axiom_index = GetParam();
    e.insertPinpointingAxiom(1, 2, 1, 1);
    e.insertPinpointingAxiom(2, 3, 2, 0);
    e.insertPinpointingSavedClause(1, 4, 16777216, premises({1}));
    e.startEncodingPinpointing(10);

    const std::map<unsigned long, unsigned long> expected = {{1, 11}, {2, 12}, {16777216, 16777226}};
    EXPECT_EQ(e.axiomAssumptions(), expected);
    EXPECT_EQ(e.assumptionOf(3), 0u);
    EXPECT_EQ(e.lastAssumptionVariable(), 16777226u);
    EXPECT_EQ(taken(e.getAxiomsAssumptions()), (Numbers{11, 12, 16777226}));
    EXPECT_EQ(e.getControlCnfId(3), 16777227u);
    EXPECT_EQ(taken(e.getControlCnfClause(3)), (Numbers{-11, -16777226, 16777227}));
}

INSTANTIATE_TEST_SUITE_P(Numbering, FarAxiomIndex, ::testing::Values(false, true),
                         [](const auto& info) { return std::string(info.param ? "Original" : "ByIndex"); });

TEST_F(EncodedTBoxTest, NothingToAssumeOrConvert)
{
    EXPECT_TRUE(taken(e.getAxiomsAssumptions()).empty());
    e.startEncodingPinpointing(7);
    EXPECT_TRUE(taken(e.getAxiomsAssumptions()).empty());
    EXPECT_TRUE(taken(e.convertAssumptionsInAxiomsIds(nullptr)).empty());
}

TEST_F(EncodedTBoxTest, LoadedAxiomsInformation)
{
    e.loadAxiomsAssumptions(3, 5, 2, 12);
    EXPECT_TRUE(e.addAxiomAssumption(3, 15));
    EXPECT_TRUE(e.addAxiomAssumption(2, 14));
    EXPECT_FALSE(e.addAxiomAssumption(4, 16));
    EXPECT_FALSE(e.addAxiomAssumption(0, 17));
    EXPECT_EQ(taken(e.getAxiomsAssumptions()), (Numbers{14, 15}));
    // Axiom 1 has no variable and no line.
    EXPECT_EQ(axiomsInformation(), "3 5 2 12 N\n2 14 0\n3 15 0\n");
    LiteralList pinpointed{15, 13};
    EXPECT_EQ(taken(e.convertAssumptionsInAxiomsIds(&pinpointed)), (Numbers{3}));
    EXPECT_EQ(Numbers(pinpointed.begin(), pinpointed.end()), (Numbers{1}));
}

} // namespace
