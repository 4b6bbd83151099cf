#include "parsers/PinpointingRecordQueue.h"

PinpointingRecordQueue::PinpointingRecordQueue(std::size_t depth) : slots(depth + 1) {}

PinpointingRecordQueue::~PinpointingRecordQueue()
{
    clear();
}

void PinpointingRecordQueue::reset(PinpointingRecord& record)
{
    record.premises.clear();
    record.lookedUp = 0;
    record.found.clear();
    record.lost = false;
}

void PinpointingRecordQueue::complete()
{
    ++waiting;
    reset(reading());
}

void PinpointingRecordQueue::dropOldest()
{
    reset(slots[first]);
    first = (first + 1) % slots.size();
    --waiting;
}

void PinpointingRecordQueue::clear()
{
    for (PinpointingRecord& r : slots)
        reset(r);
    first = 0;
    waiting = 0;
}
