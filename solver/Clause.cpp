#include "solver/Clause.h"

#include <cstdlib>
#include <new>

Clause::Clause(const vec<Lit>& lits, bool learnt)
    : header((static_cast<uint32_t>(lits.size()) << 3) | (learnt ? 1u : 0u)) {
    Lit* out = literals();
    for (int i = 0; i < lits.size(); i++) new (&out[i]) Lit(lits[i]);
    if (learnt) {
        extra.act = 0.0f;
    } else {
        calcAbstraction();
    }
}

void Clause::calcAbstraction() {
    uint32_t abstraction = 0;
    for (int i = 0; i < size(); i++) abstraction |= 1u << (var(literals()[i]) & 31);
    extra.abst = abstraction;
}

Clause* Clause_new(const vec<Lit>& lits, bool learnt) {
    void* mem = std::malloc(sizeof(Clause) + sizeof(Lit) * static_cast<size_t>(lits.size()));
    if (mem == nullptr) throw std::bad_alloc();
    return new (mem) Clause(lits, learnt);
}
