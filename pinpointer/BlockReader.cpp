#include "pinpointer/BlockReader.h"

#include <cstring>
#include <exception>

namespace {

const std::size_t kBlockSize = 1 << 20;

}  // namespace

BlockReader::BlockReader(std::istream& in)
    : source(in.rdbuf()), next(nullptr), end(nullptr), ended(false), failed(false) {
    // A stream that has already failed gives nothing, as its reads would.
    if (source == nullptr || !in.good()) {
        ended = true;
        failed = in.bad();
    }
}

bool BlockReader::refill() {
    if (ended) return false;
    if (block.empty()) block.resize(kBlockSize);
    std::streamsize got = 0;
    try {
        got = source->sgetn(block.data(), static_cast<std::streamsize>(block.size()));
    } catch (const std::exception&) {
        // The stream's own reads turn a failing buffer into the bad bit.
        failed = true;
        got = 0;
    }
    if (got <= 0) {
        ended = true;
        next = end = nullptr;
        return false;
    }
    next = block.data();
    end = next + got;
    return true;
}

void BlockReader::skipLine() {
    for (;;) {
        if (next == end && !refill()) return;
        const void* newline = std::memchr(next, '\n', static_cast<std::size_t>(end - next));
        if (newline != nullptr) {
            next = static_cast<const char*>(newline) + 1;
            return;
        }
        next = end;
    }
}

int BlockReader::token(char* out, int limit) {
    for (;;) {
        if (next == end && !refill()) return 0;
        if (!isSpace(static_cast<unsigned char>(*next))) break;
        next++;
    }
    int length = 0;
    while (length < limit) {
        if (next == end && !refill()) break;
        if (isSpace(static_cast<unsigned char>(*next))) break;
        out[length++] = *next++;
    }
    return length;
}
