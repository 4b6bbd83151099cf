#ifndef KORVANE_MODEL_QUEUEDRULEWORK_H
#define KORVANE_MODEL_QUEUEDRULEWORK_H

#include <cstddef>

// A count of the items ever queued for the completion rules: new subsumees
// and existentials put on a pending list, subsumees of a chained existential
// handed to its conclusion, new existentials over a chain predecessor. The
// classification loop ends only after an iteration that queued none, so
// that nothing waits for a rule when it ends (what waits would be lost with
// the working lists, and with it what a later increment builds on it).
class QueuedRuleWork {
public:
    QueuedRuleWork() = delete;

    static std::size_t count() { return queued; }
    static void note() { ++queued; }

private:
    inline static std::size_t queued = 0;
};

#endif
