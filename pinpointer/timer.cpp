#include "pinpointer/timer.h"

#include <sys/resource.h>

namespace usertime {

double cpuTime() {
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_utime.tv_sec) + static_cast<double>(usage.ru_utime.tv_usec) / 1000000.0;
}

timer::timer() : startTime(0.0), stopTime(0.0), stopped(1) {}

void timer::start() {
    startTime = cpuTime();
    stopped = 0;
}

void timer::stop() {
    stopTime = cpuTime();
    stopped = 1;
}

void timer::reset() {
    startTime = cpuTime();
    stopTime = 0.0;
}

void timer::restart() { stopped = 0; }

double timer::elapsed(bool sinceStop) const {
    if (stopped == 1) return sinceStop ? cpuTime() - stopTime : stopTime - startTime;
    return cpuTime() - startTime;
}

} // namespace usertime
