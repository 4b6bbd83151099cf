#ifndef KORVANE_REASONER_VARIABLETABLE_H
#define KORVANE_REASONER_VARIABLETABLE_H

#include <cstddef>
#include <map>
#include <vector>

class Concept;

// The concept of each variable of a loaded encoding that the normalisation
// map names, by zero-based variable index. The variables a run writes are
// numbered densely, so the table is an array; an index far beyond the
// entries made so far (a hostile or foreign map) goes to a side table
// instead, so that a large variable number costs no memory.
class VariableTable {
public:
    // The entry of the index, null until a concept is put there.
    Concept*& operator[](unsigned long index);
    // The concept of the index, null when none was put there.
    Concept* find(unsigned long index) const
    {
        if (index < dense.size())
            return dense[index];
        if (sparse.empty())
            return nullptr;
        const auto entry = sparse.find(index);
        return entry != sparse.end() ? entry->second : nullptr;
    }
    // The number of indexes with a concept (a walk of the table).
    std::size_t size() const;

private:
    // Indexes below twice the entries asked for, and this many more, are
    // kept in the array.
    static constexpr std::size_t slack = 1024;

    std::vector<Concept*> dense;
    std::map<unsigned long, Concept*> sparse;
    // Every call of operator[] (one per line of the map).
    std::size_t made = 0;
};

#endif
