#include "model/SubsumedIds.h"

#include <algorithm>

#include "model/Concept.h"

namespace {

// A list keeps bits from this length on.
constexpr std::size_t bitsFromLength = 64;
// A bit per id when the list holds at least one id in this many of the ids
// up to its greatest (the bits then take at most as much memory as its
// ids), else a filter of at least this many bits per id.
constexpr std::size_t exactAtDensity = 32;
constexpr std::size_t filterBitsPerId = 16;

}

void SubsumedIds::sync(const List& list)
{
    if (mirrored == &list && idList.size() == list.size())
        return;
    clear();
    mirrored = &list;
    idList.reserve(list.capacity());
    for (const Concept* c : list)
        idList.push_back(static_cast<std::uint32_t>(c->id));
    settleBits(nullptr);
}

std::size_t SubsumedIds::seek(std::size_t from, unsigned long id) const
{
    return static_cast<std::size_t>(seekId(idList.begin() + static_cast<std::ptrdiff_t>(from), idList.end(), id) -
                                    idList.begin());
}

void SubsumedIds::insert(const std::vector<std::pair<std::size_t, std::uint32_t>>& fresh)
{
    insertFromBack(
        idList, fresh.size(), [&](std::size_t k) { return fresh[k].first; },
        [&](std::size_t k) { return fresh[k].second; });
    settleBits(&fresh);
}

void SubsumedIds::replace(IdList& replacing)
{
    idList.swap(replacing);
    delete bits;
    bits = nullptr;
    exact = false;
    settleBits(nullptr);
}

void SubsumedIds::adopt(const List& list, IdList& listIds)
{
    clear();
    mirrored = &list;
    idList.swap(listIds);
    settleBits(nullptr);
}

void SubsumedIds::settleBits(const std::vector<std::pair<std::size_t, std::uint32_t>>* fresh)
{
    const std::size_t n = idList.size();
    if (n < bitsFromLength)
        return;
    const std::size_t greatest = idList.back();
    const bool dense = n * exactAtDensity > greatest;
    // The bits kept do while they suit the list: a filter while it has its
    // bits per id (the list only grows), a bit per id always.
    if (bits != nullptr && (exact || std::size_t{1} << filterBits >= n * filterBitsPerId) && !(dense && !exact)) {
        if (exact && greatest / 64 >= bits->size())
            bits->resize(greatest / 64 + 1, 0);
        if (fresh != nullptr)
            for (const auto& entry : *fresh)
                setBit(entry.second);
        return;
    }
    delete bits;
    exact = dense;
    if (exact) {
        bits = new std::vector<std::uint64_t>(greatest / 64 + 1, 0);
    } else {
        filterBits = 6;
        while ((std::size_t{1} << filterBits) < n * filterBitsPerId)
            ++filterBits;
        bits = new std::vector<std::uint64_t>((std::size_t{1} << filterBits) / 64, 0);
    }
    for (std::uint32_t id : idList)
        setBit(id);
}

void SubsumedIds::clear()
{
    mirrored = nullptr;
    IdList().swap(idList);
    delete bits;
    bits = nullptr;
    exact = false;
    filterBits = 0;
}
