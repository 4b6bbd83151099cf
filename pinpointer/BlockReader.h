#ifndef KORVANE_PINPOINTER_BLOCKREADER_H
#define KORVANE_PINPOINTER_BLOCKREADER_H

#include <istream>
#include <vector>

// Reads a stream through its buffer in large blocks and hands out its bytes
// one at a time or as white-space separated tokens, as the stream's own
// single-character reads and string extraction would (white space being
// blank, tab, newline, vertical tab, form feed and carriage return). A read
// that fails leaves the reader at the end of its input with bad() set, as it
// leaves a stream with its bad bit. Only for inputs that are read up to
// their end: a block may take more of the stream than the caller looks at.
class BlockReader {
public:
    explicit BlockReader(std::istream& in);
    BlockReader(const BlockReader&) = delete;
    BlockReader& operator=(const BlockReader&) = delete;

    static const int kEnd = -1;

    // The next byte (0 .. 255), or kEnd.
    int get() { return (next < end || refill()) ? static_cast<unsigned char>(*next++) : kEnd; }
    // Steps back over the byte that the last get() returned.
    void unget() { next--; }
    int peek() { return (next < end || refill()) ? static_cast<unsigned char>(*next) : kEnd; }
    // Skips up to and including the next newline (or to the end).
    void skipLine();
    // Skips white space, then copies the token that follows, at most limit
    // bytes of it, to out; returns how many (0 at the end of the input).
    // The bytes of the token beyond limit stay unread.
    int token(char* out, int limit);
    bool bad() const { return failed; }

    // The unread bytes of the current block, for scanning them in place
    // (empty before the first read and at the end); skipTo moves the
    // reader to a place in between.
    const char* position() const { return next; }
    const char* blockEnd() const { return end; }
    void skipTo(const char* place) { next = place; }

    static bool isSpace(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

private:
    std::streambuf* source;
    std::vector<char> block;
    const char* next;
    const char* end;
    bool ended;
    bool failed;

    // Takes the next block; false at the end of the input.
    bool refill();
};

#endif
