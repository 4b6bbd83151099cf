#include <gtest/gtest.h>

#include <ctime>
#include <unistd.h>

#include "model/timer.h"

namespace {

double processCpuSeconds()
{
    timespec now;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Spends the given CPU time in a busy loop.
void burnCpu(double seconds)
{
    const double until = processCpuSeconds() + seconds;
    volatile unsigned long sink = 0;
    while (processCpuSeconds() < until)
        for (int i = 0; i < 1000; ++i)
            sink = sink + static_cast<unsigned long>(i);
}

TEST(TimerTest, NeverStartedStopwatchReadsZero)
{
    timer t;
    EXPECT_EQ(t.stopped, 1);
    EXPECT_EQ(t.startUser + t.startSystem + t.stopUser + t.stopSystem, 0);
    EXPECT_EQ(t.elapsed(false), 0.0f);
    EXPECT_EQ(t.elapsed(), 0.0f);
}

TEST(TimerTest, ResolutionIsOneClockTick)
{
    timer t;
    const long ticks = sysconf(_SC_CLK_TCK);
    EXPECT_EQ(t.ticksPerSecond, ticks);
    EXPECT_FLOAT_EQ(t.resolution(), static_cast<float>(1.0 / static_cast<double>(ticks)));
}

TEST(TimerTest, StoppedReadingIsFrozenWhileTimeSinceStopGrows)
{
    timer t;
    t.start();
    EXPECT_EQ(t.stopped, 0);
    burnCpu(0.04);
    t.stop();
    EXPECT_EQ(t.stopped, 1);
    const float measured = t.elapsed(false);
    EXPECT_GT(measured, 0.0f);
    const float sinceStopBefore = t.elapsed(true);

    burnCpu(0.05);
    EXPECT_EQ(t.elapsed(false), measured);
    EXPECT_EQ(t.elapsed(false), measured);
    EXPECT_GT(t.elapsed(true), sinceStopBefore);
}

TEST(TimerTest, RestartCountsFromTheEarlierStartIncludingTheStoppedInterval)
{
    timer t;
    t.start();
    burnCpu(0.02);
    t.stop();
    const float measured = t.elapsed(false);
    burnCpu(0.05);
    const float sinceStop = t.elapsed(true);
    EXPECT_GT(sinceStop, 0.0f);

    t.restart();
    EXPECT_EQ(t.stopped, 0);
    // Running: the argument makes no difference, both count from the start.
    const float running = t.elapsed(false);
    EXPECT_GE(running + t.resolution() / 2, measured + sinceStop);
    EXPECT_GE(t.elapsed(true) + t.resolution() / 2, running);
}

TEST(TimerTest, ResetMovesTheStartOnlyAndKeepsAStoppedWatchStopped)
{
    timer t;
    t.start();
    t.stop();
    const clock_t stopUser = t.stopUser, stopSystem = t.stopSystem;
    const clock_t far = static_cast<clock_t>(1) << 40;
    t.startUser = t.startSystem = far;
    t.reset();
    EXPECT_EQ(t.stopped, 1);
    EXPECT_EQ(t.stopUser, stopUser);
    EXPECT_EQ(t.stopSystem, stopSystem);
    EXPECT_LT(t.startUser, far);
    EXPECT_LT(t.startSystem, far);
    EXPECT_GE(t.startUser + t.startSystem, stopUser + stopSystem);
}

} // namespace
