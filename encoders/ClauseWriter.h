#ifndef KORVANE_ENCODERS_CLAUSEWRITER_H
#define KORVANE_ENCODERS_CLAUSEWRITER_H

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>
#include <vector>

// Turns clauses into DIMACS lines and writes them to a stream on a thread of
// its own, so that the clauses of a large encoding are formatted and written
// while the next ones are being derived. Clauses are collected in blocks; a
// full block goes to the thread, and the caller waits only when several
// blocks are still unwritten. Nobody else may touch the stream until
// finish() has returned.
class ClauseWriter {
public:
    // lineOpen: the stream's last line is an unfinished clause line, so the
    // first clause starts a new line.
    ClauseWriter(FILE* out, bool lineOpen);
    ClauseWriter(const ClauseWriter&) = delete;
    ClauseWriter& operator=(const ClauseWriter&) = delete;
    ~ClauseWriter();

    // One clause; each literal is written as a signed 32-bit number.
    void add(const long* literals, std::size_t count);
    // Writes everything added so far, then stops the thread.
    void finish();

private:
    using Block = std::vector<int32_t>;

    void handOver();
    void run();
    void write(const Block& block);

    FILE* out;
    bool lineOpen;
    Block filling;
    std::mutex lock;
    std::condition_variable changed;
    std::deque<Block> full;
    std::vector<Block> spare;
    bool stopping = false;
    std::thread worker;
};

#endif
