// The incremental classifier links both stopwatches: the model's on process
// ticks (the grammars time their steps with it) and the user-time one that
// times its phases. Each keeps its own layout and clock in one program.
#include <gtest/gtest.h>

#include "model/timer.h"
#include "pinpointer/timer.h"

namespace {

void burn()
{
    volatile double x = 0;
    for (int i = 0; i < 20000000; ++i)
        x = x + i * 0.5;
}

TEST(Stopwatches, BothRunSideBySideEachOnItsOwnClock)
{
    timer ticks;
    usertime::timer user;
    EXPECT_EQ(ticks.stopped, 1);
    EXPECT_EQ(user.stopped, 1);
    EXPECT_EQ(user.startTime, 0.0);
    EXPECT_EQ(user.stopTime, 0.0);
    EXPECT_GT(ticks.ticksPerSecond, 0);

    ticks.reset();
    ticks.start();
    user.reset();
    user.start();
    burn();
    user.stop();
    ticks.stop();
    const double userSeconds = user.elapsed();
    const double tickSeconds = ticks.elapsed();
    EXPECT_EQ(user.stopTime - user.startTime, userSeconds);
    EXPECT_GT(userSeconds, 0.0);
    // The tick clock counts user and system time in ticks: within a few
    // ticks of the user time.
    EXPECT_NEAR(tickSeconds, userSeconds, 5.0 / static_cast<double>(ticks.ticksPerSecond) + 0.05);

    // A fresh user-time stopwatch answers elapsed(true) with the process's
    // user time so far.
    usertime::timer fresh;
    const double before = usertime::cpuTime();
    const double sinceStop = fresh.elapsed(true);
    EXPECT_LE(before, sinceStop);
    EXPECT_LE(sinceStop, usertime::cpuTime());
}

} // namespace
