// The GCIs that a pass of the classification loop visits after its first:
// those whose left side was stamped since the threshold's iteration, in the
// order of the GCI list, with the stamps of the pass itself admitting the
// GCIs behind the current position.
#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include "support/TestSupport.h"
#include "model/DeductionNotes.h"
#include "model/PrimitiveConcept.h"
#include "reasoner/PassCandidates.h"

using namespace korvane_test;

namespace {

using Positions = std::vector<std::size_t>;

// Atomic concepts with the ids 0 to 5.
class PassCandidatesTest : public FreshModelTest {
protected:
    void SetUp() override
    {
        FreshModelTest::SetUp();
        concepts = numberedConcepts(6);
    }

    // -1 stands for a GCI that every pass visits anyway.
    std::vector<std::uint64_t> leftSides(const std::vector<int>& ids)
    {
        std::vector<std::uint64_t> sides;
        for (int id : ids)
            sides.push_back(id < 0 ? PassCandidates::noSide : concepts[id]->id);
        return sides;
    }

    static Positions drain(PassCandidates& candidates)
    {
        Positions visited;
        for (std::size_t p = candidates.next(); p != PassCandidates::none; p = candidates.next()) {
            candidates.pop();
            visited.push_back(p);
        }
        return visited;
    }

    // Visits what is queued, in order, as a pass does; the visit of
    // position `at` stamps the concepts with the ids `stamped` in
    // iteration it.
    Positions visitStamping(PassCandidates& candidates, std::size_t at, const std::vector<int>& stamped, int it)
    {
        Positions visited;
        for (std::size_t p = candidates.next(); p != PassCandidates::none; p = candidates.next()) {
            candidates.pop();
            visited.push_back(p);
            if (p == at)
                for (int id : stamped)
                    concepts[id]->setLastDeductionIt(it, &notes);
            candidates.admitStampedAfter(p);
        }
        return visited;
    }

    std::vector<Concept*> concepts;
    // The notes of the run, through which the stamps reach the candidates.
    DeductionNotes notes;
};

struct PassCase {
    const char* name;
    std::vector<int> leftSides;
    // The ids of the concepts stamped in iterations 1, 2 and 3.
    std::map<int, std::vector<int>> stamps;
    int threshold;
    Positions visited;
};

void PrintTo(const PassCase& c, std::ostream* out)
{
    *out << c.name;
}

class PassCandidatesCases : public PassCandidatesTest, public ::testing::WithParamInterface<PassCase> {};

TEST_P(PassCandidatesCases, QueuesTheGcisOfTheLeftSidesStampedSinceTheThreshold)
{
    const PassCase& c = GetParam();
    PassCandidates candidates(leftSides(c.leftSides), notes);
    for (int it = 1; it <= 3; ++it) {
        candidates.beginIteration(it);
        auto stamped = c.stamps.find(it);
        if (stamped != c.stamps.end())
            for (int id : stamped->second)
                concepts[id]->setLastDeductionIt(it, &notes);
    }
    candidates.beginIteration(4);
    candidates.beginPass(c.threshold);
    EXPECT_EQ(drain(candidates), c.visited);
}

INSTANTIATE_TEST_SUITE_P(
    Stamps, PassCandidatesCases,
    ::testing::Values(
        PassCase{"SinceTheThresholdOnly", {0, 1, -1, 0, 2}, {{1, {1}}, {2, {2}}, {3, {0}}}, 2, {0, 3, 4}},
        PassCase{"AllWhenTheThresholdIsOlder", {0, 1, -1, 0, 2}, {{1, {1}}, {3, {0}}}, 0, {0, 1, 3}},
        PassCase{"EachGciOnceAPass", {0, 1, 0}, {{2, {0, 1}}, {3, {0, 1}}}, 2, {0, 1, 2}},
        PassCase{"NotTheUnstampedSides", {3, 1, 4}, {{1, {1}}}, 1, {1}},
        PassCase{"NotForConceptsWithoutGcis", {0, 1}, {{2, {5, 3}}}, 1, {}},
        PassCase{"NothingStampedNothingQueued", {0, 1, -1}, {}, 1, {}}),
    [](const ::testing::TestParamInfo<PassCase>& info) { return std::string(info.param.name); });

TEST_F(PassCandidatesTest, StampsDuringAPassAdmitTheGcisBehindThePositionNowAndAllInTheNextPass)
{
    PassCandidates candidates(leftSides({1, 0, 2, 0}), notes);
    candidates.beginIteration(1);
    concepts[0]->setLastDeductionIt(1, &notes);
    candidates.beginIteration(2);
    candidates.beginPass(1);
    // The visit of position 1 stamps the left sides before and after it.
    EXPECT_EQ(visitStamping(candidates, 1, {1, 2}, 2), (Positions{1, 2, 3}));

    candidates.beginIteration(3);
    candidates.beginPass(2);
    EXPECT_EQ(drain(candidates), (Positions{0, 2}));
}

// The first pass of an incremental run: the GCIs new to it and those of
// the touched concepts that bear a stamp from the preparation, each once and
// in order; a touched concept back at 0 queues nothing, and a stamp during
// the pass admits the GCIs behind the position as in any pass.
TEST_F(PassCandidatesTest, TheFirstPassOfAnIncrementQueuesTheNewGcisAndThoseOfTheStampedTouchedSides)
{
    PassCandidates candidates(leftSides({2, 0, 1, 3, 0, 4, 1}), notes);
    // Stamped before the log opens, as the preparation stamps them.
    concepts[0]->lastDeductionIt = 1;
    concepts[3]->lastDeductionIt = 1;
    candidates.beginIteration(2);
    candidates.beginFirstPass({concepts[3], concepts[1], concepts[0], concepts[3]}, std::vector<std::size_t>{6, 1, 5});
    // The visit of position 3 stamps the sides of positions 0, 2 and 6.
    EXPECT_EQ(visitStamping(candidates, 3, {2, 1}, 2), (Positions{1, 3, 4, 5, 6}));
}

TEST_F(PassCandidatesTest, StampsAreLoggedOnlyWhileCandidatesExist)
{
    {
        PassCandidates candidates(leftSides({0}), notes);
        EXPECT_TRUE(notes.stampLogOpen());
    }
    EXPECT_FALSE(notes.stampLogOpen());
    concepts[0]->setLastDeductionIt(7, &notes);
    EXPECT_EQ(concepts[0]->lastDeductionIt, 7);
}

}
