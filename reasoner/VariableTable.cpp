#include "reasoner/VariableTable.h"

#include <algorithm>

Concept*& VariableTable::operator[](unsigned long index)
{
    made += 1;
    if (index < dense.size())
        return dense[index];
    const std::size_t reach = 2 * made + slack;
    if (index >= reach)
        return sparse[index];
    // The array grows in doubling steps, as far as its reach, and takes in
    // the side table's entries below its new end.
    dense.resize(std::min(reach, std::max<std::size_t>(index + 1, 2 * dense.size())), nullptr);
    while (!sparse.empty() && sparse.begin()->first < dense.size()) {
        dense[sparse.begin()->first] = sparse.begin()->second;
        sparse.erase(sparse.begin());
    }
    return dense[index];
}

std::size_t VariableTable::size() const
{
    std::size_t named = sparse.size();
    for (const Concept* c : dense)
        named += c != nullptr ? 1 : 0;
    return named;
}
