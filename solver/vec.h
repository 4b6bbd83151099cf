#ifndef KORVANE_SOLVER_VEC_H
#define KORVANE_SOLVER_VEC_H

#include <climits>
#include <cstdlib>
#include <new>
#include <type_traits>

#include "solver/Lit.h"

// Growable array on the C allocator. Elements are moved bytewise when the
// storage is reallocated, so T must be a plain value, a pointer or a vec
// itself. No bounds checks. Capacity grows by half (3c+1)/2 so that pushes
// are amortised constant.
template <class T>
class vec {
public:
    vec() : data(nullptr), sz(0), cap(0) {}
    explicit vec(int size) : data(nullptr), sz(0), cap(0) { growTo(size); }
    vec(int size, const T& pad) : data(nullptr), sz(0), cap(0) { growTo(size, pad); }
    ~vec() { clear(true); }

    vec(const vec&) = delete;
    vec& operator=(const vec&) = delete;

    int size() const { return sz; }
    int capacity() const { return cap; }

    // Direct access to the storage (null while nothing was ever allocated).
    T* begin() { return data; }
    const T* begin() const { return data; }
    T* end() { return data + sz; }
    const T* end() const { return data + sz; }

    T& operator[](int index) { return data[index]; }
    const T& operator[](int index) const { return data[index]; }
    T& last() { return data[sz - 1]; }
    const T& last() const { return data[sz - 1]; }

    void push() {
        if (sz == cap) growOne();
        new (&data[sz]) T(defaultElement());
        sz++;
    }
    void push(const T& elem) {
        if (sz == cap) {
            T copy(elem);  // elem may live in this very storage
            growOne();
            new (&data[sz]) T(copy);
        } else {
            new (&data[sz]) T(elem);
        }
        sz++;
    }
    void pop() {
        sz--;
        destroy(data[sz]);
    }
    void shrink(int k) {
        if constexpr (std::is_trivially_destructible<T>::value) {
            sz -= k;
        } else {
            for (int i = 0; i < k; i++) pop();
        }
    }

    // Makes room for at least n elements without changing the size.
    void capacity(int n) { grow(n); }

    void growTo(int n) {
        if (sz >= n) return;
        grow(n);
        for (int i = sz; i < n; i++) new (&data[i]) T(defaultElement());
        sz = n;
    }
    void growTo(int n, const T& pad) {
        if (sz >= n) return;
        T copy(pad);
        grow(n);
        for (int i = sz; i < n; i++) new (&data[i]) T(copy);
        sz = n;
    }

    void clear(bool dealloc = false) {
        if (data == nullptr) return;
        if constexpr (!std::is_trivially_destructible<T>::value) {
            for (int i = 0; i < sz; i++) destroy(data[i]);
        }
        sz = 0;
        if (dealloc) {
            std::free(static_cast<void*>(data));
            data = nullptr;
            cap = 0;
        }
    }

    void copyTo(vec<T>& other) const {
        other.clear();
        other.growTo(sz);
        for (int i = 0; i < sz; i++) other[i] = data[i];
    }

private:
    T* data;
    int sz;
    int cap;

    // The element that push() and growTo(n) add: lit_Undef for literals, a
    // null pointer, an empty vec, or zero.
    static T defaultElement() {
        if constexpr (std::is_same<T, Lit>::value) {
            return lit_Undef;
        } else {
            return T();
        }
    }
    static void destroy(T& elem) { elem.~T(); }

    // Next capacity on the 1.5 growth path; fails rather than overflowing.
    static int nextCapacity(int c) {
        long long next = (static_cast<long long>(c) * 3 + 1) >> 1;
        if (next <= c) next = static_cast<long long>(c) + 1;
        if (next > INT_MAX) {
            if (c == INT_MAX) throw std::bad_alloc();
            next = INT_MAX;
        }
        return static_cast<int>(next);
    }

    void reallocate(int newCap) {
        void* mem = std::realloc(static_cast<void*>(data), static_cast<size_t>(newCap) * sizeof(T));
        if (mem == nullptr) throw std::bad_alloc();
        data = static_cast<T*>(mem);
        cap = newCap;
    }

    void growOne() {
        int next = nextCapacity(cap);
        reallocate(next < 2 ? 2 : next);
    }

    void grow(int n) {
        if (cap >= n) return;
        if (cap == 0) {
            reallocate(n < 2 ? 2 : n);
            return;
        }
        int c = cap;
        while (c < n) c = nextCapacity(c);
        reallocate(c);
    }
};

#endif
