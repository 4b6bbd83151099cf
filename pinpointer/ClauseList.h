#ifndef KORVANE_PINPOINTER_CLAUSELIST_H
#define KORVANE_PINPOINTER_CLAUSELIST_H

#include <memory>

#include "solver/Lit.h"
#include "solver/vec.h"

// The clauses of an encoding in file order, their literals one after the
// other in one array: millions of clauses cost two allocations, not one
// each (and the arrays grow in place where the C allocator can). A clause
// is appended literal by literal and then closed.
class ClauseList {
public:
    ClauseList() : store(new Store()) {}
    ClauseList(const ClauseList&) = delete;
    ClauseList& operator=(const ClauseList&) = delete;

    int size() const { return store->starts.size() - 1; }
    int clauseSize(int c) const { return store->starts[c + 1] - store->starts[c]; }
    Lit* clause(int c) { return store->literals.begin() + store->starts[c]; }
    const Lit* clause(int c) const { return store->literals.begin() + store->starts[c]; }
    // The literals of the clause being appended.
    int openSize() const { return store->literals.size() - store->starts.last(); }
    Lit* open() { return store->literals.begin() + store->starts.last(); }

    // Appends p to the open clause.
    void push(Lit p) { store->literals.push(p); }
    // Ends the open clause (which may be empty).
    void close() { store->starts.push(store->literals.size()); }
    // Appends a whole clause.
    void add(const vec<Lit>& clause) {
        for (int i = 0; i < clause.size(); i++) push(clause[i]);
        close();
    }

    // Empties the list and gives its memory back.
    void release() { store.reset(new Store()); }
    void swap(ClauseList& other) { store.swap(other.store); }

private:
    struct Store {
        Store() { starts.push(0); }
        vec<Lit> literals;
        vec<int> starts;  // clause c holds literals[starts[c]] .. literals[starts[c + 1] - 1]
    };
    std::unique_ptr<Store> store;
};

#endif
