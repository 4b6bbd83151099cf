// The activity table of the incremental classifier's generator, as the
// driver sets it up (maxLevel 3) and at its edges.
#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "encoders/ActivityGenerator.h"
#include "incremental-classifier/BestTypeActivityGenerator.h"

namespace {

struct ActivityCase {
    int bestType;
    int maxLevel;
    int type;
    unsigned level;
    double expected;
};

class BestTypeActivity : public testing::TestWithParam<ActivityCase> {};

TEST_P(BestTypeActivity, Table)
{
    const ActivityCase& c = GetParam();
    BestTypeActivityGenerator generator;
    generator.maxLevel = c.maxLevel;
    generator.bestType = static_cast<concept_t>(c.bestType);
    // Called through the base, as the encoders do.
    const ActivityGenerator& base = generator;
    EXPECT_EQ(base.calculateActivity(static_cast<concept_t>(c.type), c.level), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BestTypeActivity,
    testing::Values(
        // -w4 (conjunctions) with the driver's maxLevel 3.
        ActivityCase{4, 3, 4, 0, 8.0}, ActivityCase{4, 3, 4, 1, 4.0}, ActivityCase{4, 3, 4, 2, 2.0},
        ActivityCase{4, 3, 4, 3, 1.0}, ActivityCase{4, 3, 4, 9, 1.0}, ActivityCase{4, 3, 2, 0, 0.0},
        ActivityCase{4, 3, 5, 0, 0.0}, ActivityCase{4, 3, 1, 2, 0.0},
        // Bare -w: kind 0, which no concept of an encoding has.
        ActivityCase{0, 3, 1, 0, 0.0}, ActivityCase{0, 3, 2, 0, 0.0}, ActivityCase{0, 3, 3, 0, 0.0},
        ActivityCase{0, 3, 4, 0, 0.0}, ActivityCase{0, 3, 5, 0, 0.0}, ActivityCase{0, 3, 0, 0, 8.0},
        // maxLevel 0: 2 to the power level.
        ActivityCase{2, 0, 2, 0, 1.0}, ActivityCase{2, 0, 2, 5, 32.0}, ActivityCase{2, 0, 3, 5, 0.0},
        // Exponents capped at 30.
        ActivityCase{2, 0, 2, 30, 1073741824.0}, ActivityCase{2, 0, 2, 31, 1073741824.0},
        ActivityCase{2, 0, 2, 4000, 1073741824.0}, ActivityCase{2, 40, 2, 0, 1073741824.0},
        // The comparison is signed: a level past INT_MAX counts as negative.
        ActivityCase{2, 3, 2, UINT_MAX, 16.0},
        // A negative maxLevel is never above a level.
        ActivityCase{2, -1, 2, 0, 1.0}));

TEST(BestTypeActivityGenerator, EncodersDeleteItThroughTheBase)
{
    std::unique_ptr<ActivityGenerator> owned(new BestTypeActivityGenerator);
    EXPECT_EQ(owned->calculateActivity(CONCEPT, 0), 1.0);  // maxLevel 0, bestType 0
}

}
