#ifndef KORVANE_REASONER_ENCODINGMAP_H
#define KORVANE_REASONER_ENCODINGMAP_H

#include <algorithm>
#include <utility>
#include <vector>

class Concept;

// The clauses still to be encoded after a classification: (variable, second
// key) -> (left concept, right concept), visited in ascending key order. Keys
// arrive almost always in ascending order, so entries are appended and put
// in order only when they were not; a later entry under an equal key replaces
// the earlier one.
class EncodingMap {
public:
    using Key = std::pair<unsigned long, unsigned long>;
    using Value = std::pair<Concept*, Concept*>;
    using Entry = std::pair<Key, Value>;

    Value& operator[](const Key& key)
    {
        if (!entries.empty() && !(entries.back().first < key))
            ordered = false;
        entries.push_back({key, Value(nullptr, nullptr)});
        return entries.back().second;
    }

    bool empty() const { return entries.empty(); }

    std::size_t size()
    {
        order();
        return entries.size();
    }

    std::vector<Entry>::const_iterator begin()
    {
        order();
        return entries.cbegin();
    }

    std::vector<Entry>::const_iterator end()
    {
        order();
        return entries.cend();
    }

private:
    void order()
    {
        if (ordered)
            return;
        std::stable_sort(entries.begin(), entries.end(),
                         [](const Entry& a, const Entry& b) { return a.first < b.first; });
        // Of equal keys the last one written stays.
        std::vector<Entry> unique;
        unique.reserve(entries.size());
        for (const Entry& e : entries) {
            if (!unique.empty() && unique.back().first == e.first)
                unique.back() = e;
            else
                unique.push_back(e);
        }
        entries.swap(unique);
        ordered = true;
    }

    std::vector<Entry> entries;
    bool ordered = true;
};

#endif
