#include "model/SubsumedIds.h"

#include <algorithm>

#include "model/Concept.h"

namespace {

// A list keeps bits from this length on, when it holds at least one id in
// this many of the ids up to its greatest: the bits then take at most as
// much memory as its ids.
constexpr std::size_t bitsFromLength = 256;
constexpr std::size_t bitsAtDensity = 32;

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
    settleBits();
}

std::size_t SubsumedIds::seek(std::size_t from, unsigned long id) const
{
    const std::size_t to = idList.size();
    std::size_t step = 1;
    std::size_t low = from;
    while (low != to) {
        const std::size_t probe = low + std::min(step, to - low) - 1;
        if (idList[probe] >= id) {
            const auto first = idList.begin() + static_cast<std::ptrdiff_t>(low);
            const auto last = idList.begin() + static_cast<std::ptrdiff_t>(probe + 1);
            return static_cast<std::size_t>(std::lower_bound(first, last, id) - idList.begin());
        }
        low = probe + 1;
        step *= 2;
    }
    return to;
}

void SubsumedIds::insert(const std::vector<std::pair<std::size_t, std::uint32_t>>& fresh)
{
    insertFromBack(
        idList, fresh.size(), [&](std::size_t k) { return fresh[k].first; },
        [&](std::size_t k) { return fresh[k].second; });
    if (bits == nullptr) {
        settleBits();
        return;
    }
    bits->resize(std::max(bits->size(), static_cast<std::size_t>(idList.back()) / 64 + 1), 0);
    for (const auto& entry : fresh)
        (*bits)[entry.second / 64] |= std::uint64_t{1} << (entry.second % 64);
}

void SubsumedIds::settleBits()
{
    if (bits != nullptr || idList.size() < bitsFromLength ||
        idList.size() * bitsAtDensity <= static_cast<std::size_t>(idList.back()))
        return;
    bits = new std::vector<std::uint64_t>(static_cast<std::size_t>(idList.back()) / 64 + 1, 0);
    for (std::uint32_t id : idList)
        (*bits)[id / 64] |= std::uint64_t{1} << (id % 64);
}

void SubsumedIds::clear()
{
    mirrored = nullptr;
    IdList().swap(idList);
    delete bits;
    bits = nullptr;
}
