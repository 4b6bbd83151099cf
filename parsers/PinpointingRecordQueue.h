#ifndef KORVANE_PARSERS_PINPOINTINGRECORDQUEUE_H
#define KORVANE_PARSERS_PINPOINTINGRECORDQUEUE_H

#include <cstddef>
#include <vector>

#include "parsers/PinpointingRecord.h"

// The records read and not yet entered, oldest first, and the record being
// read. A record waits here a little while the records before it are
// entered, so that the memory its lookups touch can be fetched meanwhile.
class PinpointingRecordQueue {
public:
    // At most `depth` records wait.
    explicit PinpointingRecordQueue(std::size_t depth);
    ~PinpointingRecordQueue();
    PinpointingRecordQueue(const PinpointingRecordQueue&) = delete;
    PinpointingRecordQueue& operator=(const PinpointingRecordQueue&) = delete;

    // The record being read.
    PinpointingRecord& reading() { return slots[(first + waiting) % slots.size()]; }
    // The record being read is complete: it waits from now on, and a new one
    // is read.
    void complete();
    bool full() const { return waiting == slots.size() - 1; }
    bool empty() const { return waiting == 0; }
    PinpointingRecord& oldest() { return slots[first]; }
    // The oldest record has been entered: it leaves the queue.
    void dropOldest();
    // Forgets every record.
    void clear();

private:
    static void reset(PinpointingRecord& record);

    std::vector<PinpointingRecord> slots;
    std::size_t first = 0;
    std::size_t waiting = 0;
};

#endif
