#ifndef KORVANE_PINPOINTER_TIMER_H
#define KORVANE_PINPOINTER_TIMER_H

// The user-time stopwatch lives in a namespace of its own: a program that
// times its phases with it may also link the model's tick-based stopwatch
// (the grammars time their own steps with that one), and the two classes
// named timer must never be taken for each other.
namespace usertime {

// User CPU seconds of the calling process (system time is not counted).
double cpuTime();

// Stopwatch over the user CPU time of the process, in seconds: the
// pinpointer's, and the incremental classifier's for its phases.
//
// The drivers print elapsed(true) and then call stop() after each phase, so
// each printed time covers the stretch since the previous printout; at the
// end restart() and elapsed(false) give the time since the first start().
class timer {
public:
    timer();

    void start();    // start := now; running
    void stop();     // stop := now; stopped
    void reset();    // start := now; stop := 0; running state unchanged
    void restart();  // running again, counting from the old start; no clock read

    // Running: now - start, whatever sinceStop says. Stopped: now - stop
    // with sinceStop, else stop - start.
    double elapsed(bool sinceStop = false) const;

    double startTime;
    double stopTime;
    int stopped;  // 1 while stopped, 0 while running
};

} // namespace usertime

#endif
