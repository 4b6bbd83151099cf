#ifndef KORVANE_MODEL_TIMER_H
#define KORVANE_MODEL_TIMER_H

#include <ctime>

// CPU-time stopwatch on the process's user plus system clock ticks.
class timer {
public:
    timer();
    void start();
    void stop();
    void reset();
    void restart();
    // Seconds since the start while running; when stopped, the last measured
    // interval, or with sinceStop the time elapsed since the stop.
    float elapsed(bool sinceStop = false) const;
    float resolution() const;

    clock_t startUser = 0;
    clock_t startSystem = 0;
    clock_t stopUser = 0;
    clock_t stopSystem = 0;
    int stopped = 1;
    long ticksPerSecond;
};

#endif
