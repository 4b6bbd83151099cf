#ifndef KORVANE_SOLVER_CLAUSE_H
#define KORVANE_SOLVER_CLAUSE_H

#include <cstddef>
#include <cstdint>

#include "solver/Lit.h"
#include "solver/vec.h"

// A clause in one block of memory: a header word, an extra word, then the
// literals. Header bits 3..31 hold the size, bits 1..2 the mark (0 live,
// 1 removed by simplification, 2 queued for subsumption, 3 removed with an
// eliminated variable that keeps it while the problem clauses still list it)
// and bit 0 the learnt flag. The extra word is the activity (a float) of a
// learnt clause, or the abstraction of a problem clause: the OR of
// 1 << (var AND 31) over its literals. Once attached, positions 0 and 1 are
// the watched literals.
//
// Clauses are made by Clause_new and released with free(), or placed by
// Clause_place in memory that their owner keeps; they have no destructor.
class Clause {
public:
    int size() const { return static_cast<int>(header >> 3); }
    bool learnt() const { return (header & 1u) != 0; }

    unsigned mark() const { return (header >> 1) & 3u; }
    void mark(unsigned m) { header = (header & ~6u) | ((m & 3u) << 1); }
    // Marks 1 and 3: detached, and dropped from every list that meets it.
    bool removed() const { return (header & 2u) != 0; }

    // Drops the last k literals; mark and learnt flag stay.
    void shrink(int k) { header -= static_cast<uint32_t>(k) << 3; }

    Lit& operator[](int i) { return literals()[i]; }
    const Lit& operator[](int i) const { return literals()[i]; }
    const Lit& last() const { return literals()[size() - 1]; }

    float& activity() { return extra.act; }
    float activity() const { return extra.act; }
    uint32_t abstraction() const { return extra.abst; }
    void calcAbstraction();

    // Tests this clause against other: lit_Error when it does not subsume
    // other, not even after flipping one literal; lit_Undef when it subsumes
    // other; a literal x of this clause when other may drop the negation of
    // x (self-subsuming resolution). Problem clauses only (abstractions).
    Lit subsumes(const Clause& other) const;
    // Removes the first occurrence of p (the later literals move down) and
    // recomputes the abstraction.
    void strengthen(Lit p);

private:
    friend Clause* Clause_place(void* memory, const vec<Lit>& lits, bool learnt);

    Clause(const vec<Lit>& lits, bool learnt);

    Lit* literals() { return reinterpret_cast<Lit*>(this + 1); }
    const Lit* literals() const { return reinterpret_cast<const Lit*>(this + 1); }

    uint32_t header;
    union {
        float act;
        uint32_t abst;
    } extra;
};

static_assert(sizeof(Clause) == 8, "the literals must follow the two header words");
static_assert(sizeof(Lit) == 4, "a literal is one 32-bit code");

// Allocates a clause over lits (copied in order) with malloc; learnt clauses
// start with activity 0, problem clauses get their abstraction. The caller
// owns the result and releases it with free().
Clause* Clause_new(const vec<Lit>& lits, bool learnt = false);

// The bytes that a clause of size literals takes.
inline std::size_t Clause_bytes(int size) { return sizeof(Clause) + sizeof(Lit) * static_cast<std::size_t>(size); }

// Makes the clause over lits in memory of Clause_bytes(lits.size()) bytes,
// aligned for a 32-bit word, as Clause_new does; the memory stays the
// caller's.
Clause* Clause_place(void* memory, const vec<Lit>& lits, bool learnt = false);

// Removes the first entry of a list of clauses, or of entries that each
// name one (clauseOf), that names c, keeping the order of the others (watch
// lists, occurrence lists).
template <typename T, typename ClauseOf>
void removeKeepingOrder(vec<T>& cs, const Clause* c, ClauseOf clauseOf) {
    int j = 0;
    while (j < cs.size() && clauseOf(cs[j]) != c) j++;
    if (j == cs.size()) return;
    for (; j < cs.size() - 1; j++) cs[j] = cs[j + 1];
    cs.pop();
}

inline void removeKeepingOrder(vec<Clause*>& cs, const Clause* c) {
    removeKeepingOrder(cs, c, [](const Clause* x) { return x; });
}

#endif
