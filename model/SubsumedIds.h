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

// The first place from `from` on whose id is not below id in ascending ids:
// steps that double, then a search, so that ids asked in ascending order
// cost little more than a walk of the shorter side.
template <typename Iterator>
Iterator seekId(Iterator from, Iterator end, unsigned long id)
{
    std::ptrdiff_t step = 1;
    while (end - from > step && from[step - 1] < id) {
        from += step;
        step *= 2;
    }
    return std::lower_bound(from, end - from > step ? from + step : end, id);
}

// The bit of id in a filter of 2 to the bits bits.
inline std::uint32_t filterSlot(unsigned long id, unsigned bits)
{
    return static_cast<std::uint32_t>((id * std::uint64_t{0x9E3779B1} & 0xFFFFFFFFu) >> (32 - bits));
}

// The ids of a concept's subsumed list, position for position, so that the
// lookups of the classification compare ids instead of reading each concept
// where it lies in memory. A long list also keeps bits that answer most
// lookups with one read: a dense one a bit per id up to its greatest, which
// tells whether an id is in it; a sparse one a filter, a bit per hash of its
// ids (16 to 32 bits per id), whose clear bit tells that an id is not in it
// (a set one is confirmed by a search). Normal ids fit in 32 bits (each
// concept takes far more than a byte of memory).
//
// The merges keep the ids with the list (insert); a list that changed by
// other means (seeded, replaced) is read again by the next sync, unless its
// ids come with it (adopt: a reload's closure works the lists out as ids).
// A list only grows until it is cleared, so a list of the size of the ids
// they mirror is unchanged.
class SubsumedIds {
public:
    using List = std::vector<Concept*>;
    using IdList = std::vector<std::uint32_t>;
    // How a lookup is answered.
    enum class Lookup { search, filter, bits };

    SubsumedIds() = default;
    SubsumedIds(const SubsumedIds&) = delete;
    SubsumedIds& operator=(const SubsumedIds&) = delete;
    ~SubsumedIds() { clear(); }

    // Brings the ids up to date with list.
    void sync(const List& list);
    const IdList& ids() const { return idList; }
    std::size_t size() const { return idList.size(); }
    Lookup lookup() const { return bits == nullptr ? Lookup::search : exact ? Lookup::bits : Lookup::filter; }

    // The first position from `from` on whose id is not below id: a search
    // that widens its step from `from`, so that a walk over many ids in
    // ascending order costs little more than a walk over the shorter side.
    std::size_t seek(std::size_t from, unsigned long id) const;
    // Whether id is in the list. A search starts at cursor (ids asked in
    // ascending order), which it moves on; a lookup that the bits answer
    // leaves it.
    bool contains(std::size_t& cursor, std::uint32_t id) const
    {
        if (bits != nullptr) {
            const std::uint32_t bit = exact ? id : hashed(id);
            if (bit / 64 >= bits->size() || ((*bits)[bit / 64] >> (bit % 64) & 1) == 0)
                return false;
            if (exact)
                return true;
        }
        cursor = seek(cursor, id);
        return cursor != idList.size() && idList[cursor] == id;
    }

    // Whether id is in the list, for a merge: when it is not, cursor (ids
    // asked in ascending order) moves on to where it goes. Only a bit per id
    // spares the search: a merge adds most of what it looks up to some
    // lists, and needs their places.
    bool locate(std::size_t& cursor, std::uint32_t id) const
    {
        if (exact && id / 64 < bits->size() && ((*bits)[id / 64] >> (id % 64) & 1) != 0)
            return true;
        cursor = seek(cursor, id);
        return cursor != idList.size() && idList[cursor] == id;
    }

    // Inserts the ids of the mirrored list's new concepts (position in the
    // list before the insertion, id), in ascending position, as the merge
    // inserts their concepts into the list.
    void insert(const std::vector<std::pair<std::size_t, std::uint32_t>>& fresh);
    // Takes (swaps in) the ids of the mirrored list, which a merge has just
    // replaced by a longer one.
    void replace(IdList& replacing);
    // Takes (swaps in) the ids of list, which were worked out with it: the
    // next sync need not read them from its concepts.
    void adopt(const List& list, IdList& listIds);
    void clear();

private:
    std::uint32_t hashed(std::uint32_t id) const { return filterSlot(id, filterBits); }
    // Makes the bits that suit the list now, or sets the bits of the fresh
    // ids in those it keeps.
    void settleBits(const std::vector<std::pair<std::size_t, std::uint32_t>>* fresh);
    void setBit(std::uint32_t id)
    {
        const std::uint32_t bit = exact ? id : hashed(id);
        (*bits)[bit / 64] |= std::uint64_t{1} << (bit % 64);
    }

    const List* mirrored = nullptr;
    IdList idList;
    std::vector<std::uint64_t>* bits = nullptr;
    bool exact = false;
    // A filter has 2 to the filterBits bits.
    unsigned filterBits = 0;
};

#endif
