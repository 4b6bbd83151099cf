#ifndef KORVANE_TESTS_MODEL_MODELORDER_H
#define KORVANE_TESTS_MODEL_MODELORDER_H

#include <gtest/gtest.h>

namespace korvane_test {

// The order of the model's sets (operator<) over the objects they point to.
template <typename A, typename B>
bool less(const A* a, const B* b)
{
    return *a < *b;
}

// Neither comes before the other: a set keeps one of the two.
template <typename A, typename B>
bool same(const A* a, const B* b)
{
    return !less(a, b) && !less(b, a);
}

// x comes strictly before y.
template <typename A, typename B>
void expectBefore(const A* x, const B* y)
{
    EXPECT_TRUE(less(x, y));
    EXPECT_FALSE(less(y, x));
}

} // namespace korvane_test

#endif
