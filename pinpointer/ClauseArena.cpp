#include "pinpointer/ClauseArena.h"

#include <functional>

namespace {

// The smallest block that a full block is followed by.
const std::size_t kSmallestBlock = 1 << 20;

}  // namespace

void ClauseArena::reserve(std::size_t bytes) {
    if (bytes == 0) return;
    blocks.push_back(Block{std::unique_ptr<char[]>(new char[bytes]), bytes, 0});
}

Clause* ClauseArena::place(const vec<Lit>& lits, bool learnt) {
    const std::size_t bytes = Clause_bytes(lits.size());
    if (blocks.empty() || blocks.back().size - blocks.back().used < bytes) {
        reserve(bytes > kSmallestBlock ? bytes : kSmallestBlock);
    }
    Block& block = blocks.back();
    Clause* c = Clause_place(block.memory.get() + block.used, lits, learnt);
    block.used += bytes;
    return c;
}

bool ClauseArena::holds(const Clause* c) const {
    const char* at = reinterpret_cast<const char*>(c);
    std::less<const char*> before;
    for (const Block& block : blocks) {
        const char* first = block.memory.get();
        if (!before(at, first) && before(at, first + block.used)) return true;
    }
    return false;
}
