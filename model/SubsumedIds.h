#ifndef KORVANE_MODEL_SUBSUMEDIDS_H
#define KORVANE_MODEL_SUBSUMEDIDS_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

class Concept;

// Inserts count elements into v, the k-th of them value(k) before position
// at(k) of v as it was (positions ascending), in place from the back: the
// runs between the new elements move as blocks.
template <typename T, typename At, typename Value>
void insertFromBack(std::vector<T>& v, std::size_t count, At at, Value value)
{
    std::size_t end = v.size();
    v.resize(end + count);
    for (std::size_t k = count; k > 0; --k) {
        const std::size_t position = at(k - 1);
        std::move_backward(v.begin() + static_cast<std::ptrdiff_t>(position),
                           v.begin() + static_cast<std::ptrdiff_t>(end),
                           v.begin() + static_cast<std::ptrdiff_t>(end + k));
        v[position + k - 1] = value(k - 1);
        end = position;
    }
}

// The ids of a concept's subsumed list, position for position, so that the
// lookups of the classification compare ids instead of reading each concept
// where it lies in memory; a long list also keeps a bit per id, which
// answers whether an id is in it with one read. Normal ids fit in 32 bits
// (each concept takes far more than a byte of memory).
//
// The merges keep the ids with the list (insert); a list that changed by
// other means (seeded, filled in place by a reload's closure, replaced) is
// read again by the next sync. A list only grows until it is cleared, so a
// list of the size of the ids they mirror is unchanged.
class SubsumedIds {
public:
    using List = std::vector<Concept*>;
    using IdList = std::vector<std::uint32_t>;

    SubsumedIds() = default;
    SubsumedIds(const SubsumedIds&) = delete;
    SubsumedIds& operator=(const SubsumedIds&) = delete;
    ~SubsumedIds() { clear(); }

    // Brings the ids up to date with list.
    void sync(const List& list);
    const IdList& ids() const { return idList; }
    std::size_t size() const { return idList.size(); }

    // The first position from `from` on whose id is not below id: a search
    // that widens its step from `from`, so that a walk over many ids in
    // ascending order costs little more than a walk over the shorter side.
    std::size_t seek(std::size_t from, unsigned long id) const;
    // Whether id is in the list; without the bits, by a seek from cursor
    // (ids asked in ascending order), which it moves on.
    bool contains(std::size_t& cursor, std::uint32_t id) const
    {
        if (bits != nullptr)
            return id / 64 < bits->size() && ((*bits)[id / 64] >> (id % 64) & 1) != 0;
        cursor = seek(cursor, id);
        return cursor != idList.size() && idList[cursor] == id;
    }
    bool keepsBits() const { return bits != nullptr; }

    // Inserts the ids of the mirrored list's new concepts (position in the
    // list before the insertion, id), in ascending position, as the merge
    // inserts their concepts into the list.
    void insert(const std::vector<std::pair<std::size_t, std::uint32_t>>& fresh);
    void clear();

private:
    // Keeps or drops the bits for the list's length against its greatest id.
    void settleBits();

    const List* mirrored = nullptr;
    IdList idList;
    std::vector<std::uint64_t>* bits = nullptr;
};

#endif
