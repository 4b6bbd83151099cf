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

Lit Clause::subsumes(const Clause& other) const {
    if (other.size() < size() || (abstraction() & ~other.abstraction()) != 0) return lit_Error;
    Lit ret = lit_Undef;
    const Lit* c = literals();
    const Lit* d = other.literals();
    for (int i = 0; i < size(); i++) {
        bool found = false;
        for (int j = 0; j < other.size(); j++) {
            if (c[i] == d[j]) {
                found = true;
                break;
            }
            if (ret == lit_Undef && c[i] == ~d[j]) {
                ret = c[i];
                found = true;
                break;
            }
        }
        if (!found) return lit_Error;
    }
    return ret;
}

void Clause::strengthen(Lit p) {
    Lit* lits = literals();
    int n = size();
    int i = 0;
    while (i < n && lits[i] != p) i++;
    if (i == n) return;
    for (; i < n - 1; i++) lits[i] = lits[i + 1];
    shrink(1);
    calcAbstraction();
}

Clause* Clause_new(const vec<Lit>& lits, bool learnt) {
    void* mem = std::malloc(Clause_bytes(lits.size()));
    if (mem == nullptr) throw std::bad_alloc();
    return Clause_place(mem, lits, learnt);
}

Clause* Clause_place(void* memory, const vec<Lit>& lits, bool learnt) { return new (memory) Clause(lits, learnt); }
