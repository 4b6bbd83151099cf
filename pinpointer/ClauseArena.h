#ifndef KORVANE_PINPOINTER_CLAUSEARENA_H
#define KORVANE_PINPOINTER_CLAUSEARENA_H

#include <cstddef>
#include <memory>
#include <vector>

#include "solver/Clause.h"

// Memory for clauses that stay as long as their solver: a few large blocks
// filled front to back, in place of one allocation per clause. The clauses
// are never released one by one; the blocks go with the arena.
class ClauseArena {
public:
    // Starts a block with room for bytes more bytes of clauses.
    void reserve(std::size_t bytes);
    // The clause over lits (see Clause_place), in the current block or, when
    // that is full, in a new one.
    Clause* place(const vec<Lit>& lits, bool learnt = false);
    // Whether c lies in one of the blocks.
    bool holds(const Clause* c) const;

private:
    struct Block {
        std::unique_ptr<char[]> memory;
        std::size_t size;
        std::size_t used;
    };
    std::vector<Block> blocks;
};

#endif
