#ifndef KORVANE_MODEL_EXPRESSIONORDER_H
#define KORVANE_MODEL_EXPRESSIONORDER_H

#include <cstdint>

// The total orders shared by the concept and role families and by the two
// kinds of axioms.

// a < b for two expressions of one family: kind, number of members, the
// kind-specific comparison, then the members pair by pair by their serials.
// Every object has a serial of its own, so members compare equal only when
// they are the very same objects; unlike addresses, serials put the members
// in one order whatever the build and the allocator, and with them every
// output that lists a set in its order.
template <typename Expression, typename List>
bool expressionLess(const Expression& a, const Expression& b, const List* aMembers, const List* bMembers)
{
    if (a.kind != b.kind)
        return static_cast<int>(a.kind) < static_cast<int>(b.kind);
    std::size_t n = aMembers == nullptr ? 0 : aMembers->size();
    std::size_t m = bMembers == nullptr ? 0 : bMembers->size();
    if (n != m)
        return n < m;
    int64_t c = a.compare(&b);
    if (c != 0)
        return c < 0;
    if (n == 0)
        return false;
    auto it = aMembers->begin();
    auto jt = bMembers->begin();
    for (; it != aMembers->end(); ++it, ++jt)
        if (*it != *jt)
            return (*it)->serial < (*jt)->serial;
    return false;
}

// Compares two inclusions by their sides: by serials when all four sides are
// shared, else by the sides' own order, the right-hand sides ascending or
// descending as asked.
template <typename Side>
int64_t compareInclusions(const Side* aLhs, const Side* aRhs, const Side* bLhs, const Side* bRhs,
                          uint16_t sharedFlag, bool descendingRhs)
{
    if ((aLhs->flags & sharedFlag) && (aRhs->flags & sharedFlag) && (bLhs->flags & sharedFlag) &&
        (bRhs->flags & sharedFlag)) {
        if (aLhs->serial != bLhs->serial)
            return static_cast<int64_t>(aLhs->serial - bLhs->serial);
        return static_cast<int64_t>(aRhs->serial - bRhs->serial);
    }
    if (*aLhs < *bLhs)
        return -1;
    if (*bLhs < *aLhs)
        return 1;
    if (*aRhs < *bRhs)
        return descendingRhs ? 1 : -1;
    if (*bRhs < *aRhs)
        return descendingRhs ? -1 : 1;
    return 0;
}

#endif
