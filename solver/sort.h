#ifndef KORVANE_SOLVER_SORT_H
#define KORVANE_SOLVER_SORT_H

#include "solver/vec.h"

// In-place, unstable sort: selection sort up to 15 elements, otherwise one
// partition step around the middle element and the two parts sorted alike.

template <class T>
struct LessThan_default {
    bool operator()(const T& x, const T& y) const { return x < y; }
};

template <class T, class LessThan>
void selectionSort(T* array, int size, LessThan lt) {
    for (int i = 0; i < size - 1; i++) {
        int best = i;
        for (int j = i + 1; j < size; j++) {
            if (lt(array[j], array[best])) best = j;
        }
        T tmp = array[i];
        array[i] = array[best];
        array[best] = tmp;
    }
}

template <class T, class LessThan>
void sort(T* array, int size, LessThan lt) {
    // The smaller part is sorted by recursion and the larger one by the loop,
    // which bounds the stack depth; the parts are disjoint, so the result is
    // the same as sorting them in order.
    while (size > 15) {
        T pivot = array[size / 2];
        int i = -1;
        int j = size;
        for (;;) {
            do i++;
            while (lt(array[i], pivot));
            do j--;
            while (lt(pivot, array[j]));
            if (i >= j) break;
            T tmp = array[i];
            array[i] = array[j];
            array[j] = tmp;
        }
        if (i <= size - i) {
            sort(array, i, lt);
            array += i;
            size -= i;
        } else {
            sort(array + i, size - i, lt);
            size = i;
        }
    }
    selectionSort(array, size, lt);
}

template <class T>
void sort(T* array, int size) {
    sort(array, size, LessThan_default<T>());
}

template <class T, class LessThan>
void sort(vec<T>& v, LessThan lt) {
    sort(v.begin(), v.size(), lt);
}

template <class T>
void sort(vec<T>& v) {
    sort(v, LessThan_default<T>());
}

#endif
