#include "model/timer.h"

#include <sys/times.h>
#include <unistd.h>

namespace {
void currentTicks(clock_t& user, clock_t& system)
{
    struct tms now;
    times(&now);
    user = now.tms_utime;
    system = now.tms_stime;
}

float ticksToSeconds(long long ticks, long ticksPerSecond)
{
    return static_cast<float>(static_cast<double>(ticks) / static_cast<double>(ticksPerSecond));
}
}

timer::timer() : ticksPerSecond(sysconf(_SC_CLK_TCK)) {}

void timer::start()
{
    currentTicks(startUser, startSystem);
    stopped = 0;
}

void timer::stop()
{
    currentTicks(stopUser, stopSystem);
    stopped = 1;
}

void timer::reset()
{
    currentTicks(startUser, startSystem);
}

void timer::restart()
{
    stopped = 0;
}

float timer::elapsed(bool sinceStop) const
{
    if (stopped != 1) {
        clock_t user, system;
        currentTicks(user, system);
        return ticksToSeconds((long long)(user + system) - (long long)(startUser + startSystem), ticksPerSecond);
    }
    if (sinceStop) {
        clock_t user, system;
        currentTicks(user, system);
        return ticksToSeconds((long long)(user + system) - (long long)(stopUser + stopSystem), ticksPerSecond);
    }
    return ticksToSeconds((long long)(stopUser + stopSystem) - (long long)(startUser + startSystem), ticksPerSecond);
}

float timer::resolution() const
{
    return static_cast<float>(1.0 / static_cast<double>(ticksPerSecond));
}
