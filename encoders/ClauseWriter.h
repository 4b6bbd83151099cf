#ifndef KORVANE_ENCODERS_CLAUSEWRITER_H
#define KORVANE_ENCODERS_CLAUSEWRITER_H

#include <array>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <memory>
#include <mutex>
#include <thread>

#include "encoders/DimacsText.h"

// Writes clause lines to the clause stream and knows whether the stream's
// last line is a clause line still open: the newline that ends a clause
// line is written only when the next line starts.
//
// Clauses are collected as raw literals in blocks; a full block is handed
// over whole to a thread of the writer's own, which formats and writes it
// while the next clauses are being derived. flush() hands over the block
// being filled and joins the thread: only then may anybody else write to
// the stream. A null stream takes everything and keeps nothing.
class ClauseWriter {
public:
    explicit ClauseWriter(FILE* out);
    ClauseWriter(const ClauseWriter&) = delete;
    ClauseWriter& operator=(const ClauseWriter&) = delete;
    ~ClauseWriter();

    // One clause line from the literals in [first, last), which is not
    // empty; each literal is kept as a signed 32-bit number.
    template <typename Iterator>
    void add(Iterator first, Iterator last)
    {
        if (out != nullptr) {
            startPiece(NewClause);
            // Most clauses fit the block whole: no check per literal.
            if (static_cast<std::size_t>(std::distance(first, last)) <= BlockSize - filled) {
                int32_t* to = filling->data.get() + filled;
                for (; first != last; ++first)
                    *to++ = static_cast<int32_t>(*first);
                filled = static_cast<std::size_t>(to - filling->data.get());
            }
            for (; first != last; ++first) {
                if (filled == BlockSize)
                    continuePiece();
                filling->data[filled++] = static_cast<int32_t>(*first);
            }
            endPiece(EndsClause);
        }
        lineOpen = true;
    }

    // Writes what is held back, then ends the open clause line, if any.
    void endLine();
    // Writes what is held back, then ends the current line whatever it
    // holds: an empty line when none is open.
    void newLine();
    // Writes everything added so far and stops the thread.
    void flush();

private:
    // A block holds pieces of clauses, each a word (its literal count
    // shifted left by two, with the flags below) followed by its literals.
    // A clause longer than a block is cut into pieces over several blocks.
    static constexpr int32_t NewClause = 1;
    static constexpr int32_t EndsClause = 2;
    // Words per block. The blocks are allocated apart from the writer and
    // are large enough to be mapped on their own, so that they leave the
    // heap that the concepts come from as it is: some orders of concepts
    // follow their addresses. They are kept until the writer goes.
    static constexpr std::size_t BlockSize = std::size_t(1) << 18;
    // Blocks in turn: the one being filled and those handed over.
    static constexpr std::size_t Blocks = 4;

    struct Block {
        std::unique_ptr<int32_t[]> data;
        std::size_t size = 0;
        // The stream's last line is open when the block's text begins.
        bool startsOpen = false;
    };

    void startPiece(int32_t flags)
    {
        if (filled + 1 > BlockSize)
            handOver();
        if (filled == 0)
            filling->startsOpen = lineOpen;
        pieceAt = filled++;
        pieceFlags = flags;
        lineOpen = true;
    }

    void endPiece(int32_t flags)
    {
        const std::size_t count = filled - pieceAt - 1;
        filling->data[pieceAt] = static_cast<int32_t>(count << 2) | pieceFlags | flags;
    }

    // The block is full in the middle of a clause: the rest follows in the next.
    void continuePiece()
    {
        endPiece(0);
        handOver();
        startPiece(0);
    }

    // Hands the block being filled to the thread, starting it if need be,
    // and takes the next free block.
    void handOver();
    // The thread: writes handed-over blocks in turn until told to stop.
    void run();
    void write(const Block& block);

    FILE* out;
    bool lineOpen = false;

    // Owned by the caller between hand-overs.
    Block* filling = nullptr;
    std::size_t filled = 0;
    std::size_t pieceAt = 0;
    int32_t pieceFlags = 0;

    // Shared with the thread, under the lock: blocks[next] onwards, waiting
    // of them, are handed over and not yet written.
    std::array<Block, Blocks> blocks;
    std::mutex lock;
    std::condition_variable changed;
    std::size_t next = 0;
    std::size_t waiting = 0;
    bool stopping = false;
    std::thread worker;
};

#endif
