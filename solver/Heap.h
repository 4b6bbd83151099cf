#ifndef KORVANE_SOLVER_HEAP_H
#define KORVANE_SOLVER_HEAP_H

#include "solver/vec.h"

// Binary heap of non-negative ints (variables) with an index: the root is the
// element that the comparator puts first, and positions[n] is the heap index
// of n, or -1 when n is absent. An element moves only when the comparator
// strictly prefers it, so ties never move anything.
template <class Comp>
class Heap {
public:
    explicit Heap(const Comp& c) : lt(c) {}

    int size() const { return heap.size(); }
    bool empty() const { return heap.size() == 0; }
    int operator[](int index) const { return heap[index]; }

    bool inHeap(int n) const { return n < positions.size() && positions[n] >= 0; }

    void insert(int n) {
        positions.growTo(n + 1, -1);
        positions[n] = heap.size();
        heap.push(n);
        percolateUp(positions[n]);
    }

    // The key of n moved towards the front.
    void decrease(int n) { percolateUp(positions[n]); }
    // The key of n moved towards the back.
    void increase(int n) { percolateDown(positions[n]); }

    void update(int n) {
        if (!inHeap(n)) {
            insert(n);
        } else {
            percolateUp(positions[n]);
            percolateDown(positions[n]);
        }
    }

    int removeMin() {
        int x = heap[0];
        heap[0] = heap.last();
        positions[heap[0]] = 0;
        positions[x] = -1;
        heap.pop();
        if (heap.size() > 1) percolateDown(0);
        return x;
    }

    // Keeps the elements for which keep(n) holds, in heap order, and
    // rebuilds the heap.
    template <class Keep>
    void filter(const Keep& keep) {
        int j = 0;
        for (int i = 0; i < heap.size(); i++) {
            int n = heap[i];
            if (keep(n)) {
                heap[j] = n;
                positions[n] = j;
                j++;
            } else {
                positions[n] = -1;
            }
        }
        heap.shrink(heap.size() - j);
        for (int i = heap.size() / 2 - 1; i >= 0; i--) percolateDown(i);
    }

    // Empties the heap; the position array keeps its size.
    void clear(bool dealloc = false) {
        for (int i = 0; i < heap.size(); i++) positions[heap[i]] = -1;
        heap.clear(dealloc);
    }

private:
    Comp lt;
    vec<int> heap;
    vec<int> positions;

    static int parent(int i) { return (i - 1) >> 1; }
    static int left(int i) { return i * 2 + 1; }
    static int right(int i) { return i * 2 + 2; }

    void percolateUp(int i) {
        int x = heap[i];
        while (i != 0 && lt(x, heap[parent(i)])) {
            heap[i] = heap[parent(i)];
            positions[heap[i]] = i;
            i = parent(i);
        }
        heap[i] = x;
        positions[x] = i;
    }

    void percolateDown(int i) {
        int x = heap[i];
        while (left(i) < heap.size()) {
            int child = right(i) < heap.size() && lt(heap[right(i)], heap[left(i)]) ? right(i) : left(i);
            if (!lt(heap[child], x)) break;
            heap[i] = heap[child];
            positions[heap[i]] = i;
            i = child;
        }
        heap[i] = x;
        positions[x] = i;
    }
};

#endif
