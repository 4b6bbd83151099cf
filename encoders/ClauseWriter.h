#ifndef KORVANE_ENCODERS_CLAUSEWRITER_H
#define KORVANE_ENCODERS_CLAUSEWRITER_H

#include <cstddef>
#include <cstdio>
#include <memory>

#include "encoders/DimacsText.h"

// Writes clause lines to the clause stream, through a buffer of its own,
// and knows whether the stream's last line is a clause line still open:
// the newline that ends a clause line is written only when the next line
// starts. Nobody else may write to the stream before flush(). A null
// stream takes everything and keeps nothing.
class ClauseWriter {
public:
    explicit ClauseWriter(FILE* out);
    ClauseWriter(const ClauseWriter&) = delete;
    ClauseWriter& operator=(const ClauseWriter&) = delete;
    ~ClauseWriter();

    // One clause line from the literals in [first, last), which is not empty.
    template <typename Iterator>
    void add(Iterator first, Iterator last)
    {
        makeRoom();
        if (lineOpen)
            *end++ = '\n';
        lineOpen = true;
        for (; first != last; ++first) {
            makeRoom();
            end = DimacsText::appendLiteral(end, *first);
        }
        makeRoom();
        *end++ = '0';
    }

    // Ends the open clause line, if any.
    void endLine()
    {
        makeRoom();
        if (lineOpen)
            *end++ = '\n';
        lineOpen = false;
    }

    // Ends the current line whatever it holds: an empty line when none is open.
    void newLine()
    {
        makeRoom();
        *end++ = '\n';
        lineOpen = false;
    }

    // Hands whatever the buffer holds to the stream.
    void flush();

private:
    // The buffer is allocated apart from the writer and is large enough to
    // be mapped on its own, so that it leaves the heap that the concepts
    // come from as it is: some orders of concepts follow their addresses.
    static constexpr std::size_t Capacity = std::size_t(1) << 20;
    // Room for one literal, or for a "0" and a newline.
    static constexpr std::size_t Reserve = 2 + DimacsText::LiteralWidth;

    void makeRoom()
    {
        if (static_cast<std::size_t>(end - buffer) + Reserve > Capacity)
            flush();
    }

    FILE* out;
    bool lineOpen = false;
    std::unique_ptr<char[]> storage;
    char* buffer;
    char* end;
};

#endif
