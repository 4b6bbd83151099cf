// The solver's value types and containers: literal codes, three-valued
// truth, the clause record, the growable array, the indexed heap and sort.

#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <random>
#include <vector>

#include "solver/Clause.h"
#include "solver/ElimLt.h"
#include "solver/Heap.h"
#include "solver/Lit.h"
#include "solver/VarOrderLt.h"
#include "solver/lbool.h"
#include "solver/reduceDB_lt.h"
#include "solver/sort.h"
#include "solver/vec.h"

namespace {

// ---------------------------------------------------------------------------
// Lit and lbool

TEST(SolverLit, CodeIsTwiceTheVariablePlusTheSign) {
    EXPECT_EQ(toInt(Lit(0)), 0);
    EXPECT_EQ(toInt(Lit(0, true)), 1);
    EXPECT_EQ(toInt(Lit(5)), 10);
    EXPECT_EQ(toInt(Lit(5, true)), 11);
    EXPECT_EQ(var(Lit(7, true)), 7);
    EXPECT_TRUE(sign(Lit(7, true)));
    EXPECT_FALSE(sign(Lit(7)));
    EXPECT_EQ(toLit(11), Lit(5, true));
}

TEST(SolverLit, ConstantsAndDefault) {
    EXPECT_EQ(toInt(lit_Undef), -2);
    EXPECT_EQ(toInt(lit_Error), -1);
    EXPECT_EQ(var(lit_Undef), -1);
    EXPECT_EQ(var(lit_Error), -1);
    EXPECT_FALSE(sign(lit_Undef));
    EXPECT_TRUE(sign(lit_Error));
    EXPECT_EQ(Lit(), lit_Undef);
}

TEST(SolverLit, NegationXorAndOrder) {
    Lit p(3);
    EXPECT_EQ(~p, Lit(3, true));
    EXPECT_EQ(~~p, p);
    EXPECT_EQ(p ^ true, ~p);
    EXPECT_EQ(p ^ false, p);
    EXPECT_EQ(~p ^ true, p);
    // Code order keeps the two literals of a variable together, positive first.
    EXPECT_TRUE(Lit(3) < Lit(3, true));
    EXPECT_TRUE(Lit(3, true) < Lit(4));
    EXPECT_FALSE(Lit(4) < Lit(3, true));
    EXPECT_NE(Lit(3), Lit(3, true));
}

TEST(SolverLbool, ValuesNegationAndXor) {
    EXPECT_EQ(toInt(l_True), 1);
    EXPECT_EQ(toInt(l_False), -1);
    EXPECT_EQ(toInt(l_Undef), 0);
    EXPECT_EQ(sizeof(lbool), 1u);
    EXPECT_EQ(~l_True, l_False);
    EXPECT_EQ(~l_False, l_True);
    EXPECT_EQ(~l_Undef, l_Undef);
    EXPECT_EQ(l_True ^ true, l_False);
    EXPECT_EQ(l_True ^ false, l_True);
    EXPECT_EQ(l_Undef ^ true, l_Undef);
    EXPECT_EQ(toLbool(-1), l_False);
    EXPECT_EQ(lbool(), l_Undef);
    EXPECT_EQ(lbool(true), l_True);
}

// ---------------------------------------------------------------------------
// vec

TEST(SolverVec, PushGrowsCapacityByHalf) {
    vec<int> v;
    EXPECT_EQ(v.capacity(), 0);
    EXPECT_EQ(v.begin(), nullptr);
    std::vector<int> capacities;
    for (int i = 0; i < 19; i++) {
        v.push(i);
        if (capacities.empty() || capacities.back() != v.capacity()) capacities.push_back(v.capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int>{2, 3, 5, 8, 12, 18, 27}));
    for (int i = 0; i < 19; i++) EXPECT_EQ(v[i], i);
    EXPECT_EQ(v.last(), 18);
}

TEST(SolverVec, DefaultPushAddsTheTypesDefaultElement) {
    vec<Lit> lits;
    lits.push();
    EXPECT_EQ(lits.size(), 1);
    EXPECT_EQ(lits.capacity(), 2);
    EXPECT_EQ(lits[0], lit_Undef);

    vec<int*> ptrs;
    ptrs.push();
    EXPECT_EQ(ptrs[0], nullptr);

    vec<int> ints;
    ints.push(5);
    ints.pop();
    ints.push();
    EXPECT_EQ(ints[0], 0);

    vec<vec<int> > lists;
    lists.push();
    EXPECT_EQ(lists[0].size(), 0);
    EXPECT_EQ(lists[0].capacity(), 0);
}

TEST(SolverVec, GrowToFromEmptyAndOnTheGrowthPath) {
    vec<int> a;
    a.growTo(1);
    EXPECT_EQ(a.size(), 1);
    EXPECT_EQ(a.capacity(), 2);

    vec<int> b;
    b.growTo(7);
    EXPECT_EQ(b.size(), 7);
    EXPECT_EQ(b.capacity(), 7);
    // 7 -> 11 covers 8; 11 -> 17 -> 26 covers 20.
    b.growTo(8);
    EXPECT_EQ(b.capacity(), 11);
    b.growTo(20, 9);
    EXPECT_EQ(b.capacity(), 26);
    EXPECT_EQ(b.size(), 20);
    EXPECT_EQ(b[7], 0);
    EXPECT_EQ(b[8], 9);
    EXPECT_EQ(b[19], 9);

    // Growing to a smaller size changes nothing.
    b.growTo(3, 42);
    EXPECT_EQ(b.size(), 20);
    EXPECT_EQ(b[2], 0);

    vec<Lit> lits;
    lits.growTo(3);
    EXPECT_EQ(lits[2], lit_Undef);
}

TEST(SolverVec, ClearKeepsOrFreesTheStorage) {
    vec<int> never;
    never.clear();
    never.clear(true);
    EXPECT_EQ(never.capacity(), 0);
    EXPECT_EQ(never.begin(), nullptr);

    vec<int> v;
    for (int i = 0; i < 5; i++) v.push(i);
    int* storage = v.begin();
    v.clear();
    EXPECT_EQ(v.size(), 0);
    EXPECT_EQ(v.capacity(), 5);
    EXPECT_EQ(v.begin(), storage);
    v.push(1);
    EXPECT_EQ(v.begin(), storage);
    v.clear(true);
    EXPECT_EQ(v.size(), 0);
    EXPECT_EQ(v.capacity(), 0);
    EXPECT_EQ(v.begin(), nullptr);
}

TEST(SolverVec, ShrinkPopAndCopyTo) {
    vec<int> v;
    for (int i = 0; i < 10; i++) v.push(i * i);
    v.shrink(3);
    EXPECT_EQ(v.size(), 7);
    EXPECT_EQ(v.last(), 36);
    v.pop();
    EXPECT_EQ(v.size(), 6);
    EXPECT_EQ(v.capacity(), 12);

    vec<int> copy;
    copy.push(100);
    copy.push(200);
    copy.push(300);
    copy.push(400);
    copy.push(500);
    copy.push(600);
    copy.push(700);
    v.copyTo(copy);
    ASSERT_EQ(copy.size(), 6);
    for (int i = 0; i < 6; i++) EXPECT_EQ(copy[i], i * i);
}

TEST(SolverVec, PushOfOwnElementSurvivesReallocation) {
    vec<int> v;
    v.push(7);
    v.push(8);
    ASSERT_EQ(v.size(), v.capacity());
    v.push(v[0]);
    EXPECT_EQ(v[2], 7);
}

TEST(SolverVec, NestedVecsMoveWithTheirOuterStorage) {
    vec<vec<int> > lists;
    for (int i = 0; i < 40; i++) {
        lists.push();
        for (int k = 0; k <= i; k++) lists.last().push(i * 100 + k);
    }
    for (int i = 0; i < 40; i++) {
        ASSERT_EQ(lists[i].size(), i + 1);
        for (int k = 0; k <= i; k++) ASSERT_EQ(lists[i][k], i * 100 + k);
    }
    lists.shrink(20);
    EXPECT_EQ(lists.size(), 20);
    lists.clear(true);
    EXPECT_EQ(lists.capacity(), 0);
}

// Counts destructions, to see that shrink, pop and clear destroy elements.
struct Counted {
    static int destroyed;
    int value = 0;
    ~Counted() { destroyed++; }
};
int Counted::destroyed = 0;

TEST(SolverVec, RemovedElementsAreDestroyed) {
    Counted::destroyed = 0;
    {
        vec<Counted> v;
        v.growTo(6);
        Counted::destroyed = 0;
        v.shrink(2);
        EXPECT_EQ(Counted::destroyed, 2);
        v.pop();
        EXPECT_EQ(Counted::destroyed, 3);
        v.clear();
        EXPECT_EQ(Counted::destroyed, 6);
    }
    EXPECT_EQ(Counted::destroyed, 6);  // nothing left for the destructor
}

// ---------------------------------------------------------------------------
// Clause

Clause* makeClause(std::vector<Lit> lits, bool learnt) {
    vec<Lit> ps;
    for (Lit p : lits) ps.push(p);
    return Clause_new(ps, learnt);
}

TEST(SolverClause, NewProblemClauseHasItsAbstraction) {
    Clause* c = makeClause({Lit(0), Lit(33, true)}, false);
    EXPECT_EQ(c->size(), 2);
    EXPECT_FALSE(c->learnt());
    EXPECT_EQ(c->mark(), 0u);
    EXPECT_EQ(c->abstraction(), 3u);  // bits 0 and 33 AND 31 = 1
    EXPECT_EQ((*c)[0], Lit(0));
    EXPECT_EQ((*c)[1], Lit(33, true));
    EXPECT_EQ(c->last(), Lit(33, true));
    std::free(c);
}

TEST(SolverClause, NewLearntClauseStartsWithZeroActivity) {
    Clause* c = makeClause({Lit(4), Lit(9, true), Lit(2)}, true);
    EXPECT_TRUE(c->learnt());
    EXPECT_EQ(c->size(), 3);
    EXPECT_EQ(c->activity(), 0.0f);
    c->activity() += 2.5f;
    EXPECT_EQ(c->activity(), 2.5f);
    EXPECT_EQ((*c)[2], Lit(2));
    std::free(c);
}

TEST(SolverClause, HeaderWordLayout) {
    Clause* c = makeClause({Lit(1), Lit(2), Lit(3), Lit(4), Lit(5)}, true);
    uint32_t header;
    std::memcpy(&header, c, sizeof header);
    EXPECT_EQ(header, (5u << 3) | 1u);
    c->mark(2);
    std::memcpy(&header, c, sizeof header);
    EXPECT_EQ(header, (5u << 3) | (2u << 1) | 1u);
    std::free(c);
}

TEST(SolverClause, MarkAndShrinkKeepTheOtherFields) {
    Clause* c = makeClause({Lit(1), Lit(2), Lit(3), Lit(4)}, true);
    c->mark(1);
    EXPECT_EQ(c->mark(), 1u);
    EXPECT_EQ(c->size(), 4);
    EXPECT_TRUE(c->learnt());
    c->mark(2);
    EXPECT_EQ(c->mark(), 2u);
    c->shrink(1);
    EXPECT_EQ(c->size(), 3);
    EXPECT_EQ(c->mark(), 2u);
    EXPECT_TRUE(c->learnt());
    EXPECT_EQ(c->last(), Lit(3));
    c->mark(0);
    EXPECT_EQ(c->mark(), 0u);
    EXPECT_EQ(c->size(), 3);
    std::free(c);
}

TEST(SolverClause, RecomputedAbstractionFollowsTheLiterals) {
    Clause* c = makeClause({Lit(2), Lit(40), Lit(31, true)}, false);
    EXPECT_EQ(c->abstraction(), (1u << 2) | (1u << 8) | (1u << 31));
    c->shrink(1);
    (*c)[1] = Lit(64);
    c->calcAbstraction();
    EXPECT_EQ(c->abstraction(), (1u << 2) | 1u);
    std::free(c);
}

// ---------------------------------------------------------------------------
// Heap

std::vector<int> drain(Heap<VarOrderLt>& heap) {
    std::vector<int> order;
    while (!heap.empty()) order.push_back(heap.removeMin());
    return order;
}

void expectHeapProperty(const Heap<VarOrderLt>& heap, const vec<double>& activity) {
    for (int i = 1; i < heap.size(); i++) {
        EXPECT_GE(activity[heap[(i - 1) / 2]], activity[heap[i]]) << "at heap index " << i;
    }
}

TEST(SolverHeap, RemovesByDescendingActivity) {
    vec<double> act;
    double values[] = {3.0, 9.0, 1.0, 7.0, 5.0, 8.0, 2.0};
    for (double x : values) act.push(x);
    Heap<VarOrderLt> heap{VarOrderLt(act)};
    for (int v = 0; v < act.size(); v++) heap.insert(v);
    expectHeapProperty(heap, act);
    EXPECT_EQ(drain(heap), (std::vector<int>{1, 5, 3, 4, 0, 6, 2}));
}

TEST(SolverHeap, TiesNeverMoveAnElement) {
    // All keys equal: inserts stay where they land, and removeMin puts the
    // last element at the root, where it stays.
    vec<double> act;
    act.growTo(4, 1.0);
    Heap<VarOrderLt> heap{VarOrderLt(act)};
    for (int v = 0; v < 4; v++) heap.insert(v);
    for (int i = 0; i < 4; i++) EXPECT_EQ(heap[i], i);
    EXPECT_EQ(drain(heap), (std::vector<int>{0, 3, 2, 1}));
}

TEST(SolverHeap, EqualChildrenPreferTheLeftOne) {
    // Root 0 (5.0) above 1 and 2 (both 4.0) and 3 (1.0) below 1. Removing
    // the root moves 3 to the top; of its two equal children the left one
    // (1) is taken and 3 sinks into its place.
    vec<double> act;
    act.push(5.0);
    act.push(4.0);
    act.push(4.0);
    act.push(1.0);
    Heap<VarOrderLt> heap{VarOrderLt(act)};
    for (int v = 0; v < 4; v++) heap.insert(v);
    EXPECT_EQ(heap.removeMin(), 0);
    EXPECT_EQ(heap[0], 1);
    EXPECT_EQ(heap[1], 3);
    EXPECT_EQ(heap[2], 2);
}

TEST(SolverHeap, DecreaseIncreaseAndUpdate) {
    vec<double> act;
    for (int v = 0; v < 6; v++) act.push(v);
    Heap<VarOrderLt> heap{VarOrderLt(act)};
    for (int v = 0; v < 6; v++) heap.insert(v);
    EXPECT_EQ(heap[0], 5);

    act[0] = 10.0;  // towards the front
    heap.decrease(0);
    EXPECT_EQ(heap[0], 0);
    expectHeapProperty(heap, act);

    act[0] = -1.0;  // towards the back
    heap.increase(0);
    EXPECT_EQ(heap[0], 5);
    expectHeapProperty(heap, act);

    act[2] = 20.0;
    heap.update(2);
    EXPECT_EQ(heap[0], 2);
    act[2] = 2.0;
    heap.update(2);
    expectHeapProperty(heap, act);

    int removed = heap.removeMin();
    EXPECT_EQ(removed, 5);
    EXPECT_FALSE(heap.inHeap(5));
    heap.update(5);  // absent: inserted
    EXPECT_TRUE(heap.inHeap(5));
    EXPECT_EQ(drain(heap), (std::vector<int>{5, 4, 3, 2, 1, 0}));
}

TEST(SolverHeap, InsertingALargeElementGrowsThePositions) {
    vec<double> act;
    act.growTo(11, 0.5);
    Heap<VarOrderLt> heap{VarOrderLt(act)};
    EXPECT_FALSE(heap.inHeap(0));
    EXPECT_FALSE(heap.inHeap(100));
    heap.insert(10);
    EXPECT_TRUE(heap.inHeap(10));
    for (int v = 0; v < 10; v++) EXPECT_FALSE(heap.inHeap(v)) << v;
    EXPECT_FALSE(heap.inHeap(11));
    heap.insert(3);
    EXPECT_TRUE(heap.inHeap(3));
    EXPECT_EQ(heap.size(), 2);
}

TEST(SolverHeap, FilterKeepsTheChosenElementsInHeapOrder) {
    vec<double> act;
    std::mt19937 rng(7);
    for (int v = 0; v < 50; v++) act.push(static_cast<double>(rng() % 1000));
    Heap<VarOrderLt> heap{VarOrderLt(act)};
    for (int v = 0; v < 50; v++) heap.insert(v);
    heap.filter([](int v) { return v % 3 == 0; });
    EXPECT_EQ(heap.size(), 17);
    for (int v = 0; v < 50; v++) EXPECT_EQ(heap.inHeap(v), v % 3 == 0) << v;
    expectHeapProperty(heap, act);
    std::vector<int> order = drain(heap);
    for (size_t i = 1; i < order.size(); i++) EXPECT_GE(act[order[i - 1]], act[order[i]]);
}

TEST(SolverHeap, FilterThatRemovesEverything) {
    vec<double> act;
    for (int v = 0; v < 8; v++) act.push(v);
    Heap<VarOrderLt> heap{VarOrderLt(act)};
    for (int v = 0; v < 8; v++) heap.insert(v);
    heap.filter([](int) { return false; });
    EXPECT_TRUE(heap.empty());
    for (int v = 0; v < 8; v++) EXPECT_FALSE(heap.inHeap(v));
    heap.insert(4);
    EXPECT_EQ(heap.removeMin(), 4);
}

TEST(SolverHeap, ClearEmptiesButAllowsReuse) {
    vec<double> act;
    for (int v = 0; v < 5; v++) act.push(v);
    Heap<VarOrderLt> heap{VarOrderLt(act)};
    for (int v = 0; v < 5; v++) heap.insert(v);
    heap.clear();
    EXPECT_TRUE(heap.empty());
    for (int v = 0; v < 5; v++) EXPECT_FALSE(heap.inHeap(v));
    heap.insert(1);
    heap.insert(3);
    EXPECT_EQ(drain(heap), (std::vector<int>{3, 1}));
    heap.insert(2);
    heap.clear(true);
    EXPECT_TRUE(heap.empty());
    EXPECT_FALSE(heap.inHeap(2));
}

TEST(SolverHeap, ElimOrderTakesTheCheapestVariableFirst) {
    // Costs (positive x negative occurrences): v0 2*3 = 6, v1 0*9 = 0,
    // v2 1*1 = 1, v3 60000*60000 (beyond the int range), v4 2*3 = 6.
    vec<int> counts;
    int perLiteral[] = {2, 3, 0, 9, 1, 1, 60000, 60000, 3, 2};
    for (int n : perLiteral) counts.push(n);
    ElimLt lt(counts);
    EXPECT_EQ(lt.cost(3), 3600000000LL);
    Heap<ElimLt> heap{lt};
    for (int v = 0; v < 5; v++) heap.insert(v);
    std::vector<int> order;
    while (!heap.empty()) order.push_back(heap.removeMin());
    // v0 and v4 tie at 6: inserted as [.., 0, .., 4] with 0 nearer the root.
    EXPECT_EQ(order, (std::vector<int>{1, 2, 0, 4, 3}));
}

// ---------------------------------------------------------------------------
// sort

struct Keyed {
    int key;
    char tag;
};

struct ByKey {
    int* comparisons;
    bool operator()(const Keyed& a, const Keyed& b) const {
        if (comparisons != nullptr) (*comparisons)++;
        return a.key < b.key;
    }
};

TEST(SolverSort, SelectionSortTiesKeepTheEarliestAtEachStep) {
    // i = 0: the first 0 (b) is the earliest minimum and swaps with a;
    // i = 1: d is the only 0 left; i = 2: c and a are equal, c stays.
    Keyed items[] = {{1, 'a'}, {0, 'b'}, {1, 'c'}, {0, 'd'}};
    sort(items, 4, ByKey{nullptr});
    std::string tags;
    for (const Keyed& k : items) tags += k.tag;
    EXPECT_EQ(tags, "bdca");
}

TEST(SolverSort, FifteenElementsUseTheSelectionSort) {
    // A selection sort of n elements always compares n(n-1)/2 times.
    Keyed items[15];
    for (int i = 0; i < 15; i++) items[i] = Keyed{(i * 7) % 15, 'x'};
    int comparisons = 0;
    sort(items, 15, ByKey{&comparisons});
    EXPECT_EQ(comparisons, 105);
    for (int i = 0; i < 15; i++) EXPECT_EQ(items[i].key, i);
}

TEST(SolverSort, SixteenElementsArePartitionedFirst) {
    // Sorted input 0..15: the pivot is 8; the left scan compares 0..8 (9
    // times), the right scan 15..8 (8 times) and the scans meet at 8. Then
    // two selection sorts of 8 elements, 28 comparisons each.
    Keyed items[16];
    for (int i = 0; i < 16; i++) items[i] = Keyed{i, 'x'};
    int comparisons = 0;
    sort(items, 16, ByKey{&comparisons});
    EXPECT_EQ(comparisons, 9 + 8 + 28 + 28);
    for (int i = 0; i < 16; i++) EXPECT_EQ(items[i].key, i);
}

TEST(SolverSort, SortsArbitraryInputsAndSizes) {
    std::mt19937 rng(12345);
    for (int size : {0, 1, 2, 3, 15, 16, 17, 31, 100, 1000, 5000}) {
        for (int range : {3, 1000000}) {
            vec<int> v;
            std::vector<int> expected;
            for (int i = 0; i < size; i++) {
                int x = static_cast<int>(rng() % range);
                v.push(x);
                expected.push_back(x);
            }
            sort(v);
            std::sort(expected.begin(), expected.end());
            ASSERT_EQ(v.size(), size);
            for (int i = 0; i < size; i++) ASSERT_EQ(v[i], expected[i]) << "size " << size << " index " << i;
        }
    }
}

TEST(SolverSort, ManyEqualKeysStayShallow) {
    // All-equal keys split in the middle at every step.
    vec<int> v;
    v.growTo(200000, 4);
    v[100] = 3;
    sort(v);
    EXPECT_EQ(v[0], 3);
    EXPECT_EQ(v[199999], 4);
}

TEST(SolverSort, LiteralsSortByCode) {
    vec<Lit> lits;
    lits.push(Lit(4, true));
    lits.push(Lit(1));
    lits.push(Lit(4));
    lits.push(Lit(0, true));
    lits.push(Lit(1, true));
    sort(lits);
    EXPECT_EQ(lits[0], Lit(0, true));
    EXPECT_EQ(lits[1], Lit(1));
    EXPECT_EQ(lits[2], Lit(1, true));
    EXPECT_EQ(lits[3], Lit(4));
    EXPECT_EQ(lits[4], Lit(4, true));
}

TEST(SolverSort, ReduceOrderPutsBinaryClausesLast) {
    Clause* bin1 = makeClause({Lit(0), Lit(1)}, true);
    Clause* bin2 = makeClause({Lit(2), Lit(3)}, true);
    Clause* low = makeClause({Lit(0), Lit(1), Lit(2)}, true);
    Clause* mid = makeClause({Lit(0), Lit(1), Lit(2), Lit(3)}, true);
    Clause* high = makeClause({Lit(1), Lit(2), Lit(3)}, true);
    bin1->activity() = 100.0f;
    bin2->activity() = 0.0f;
    low->activity() = 1.0f;
    mid->activity() = 2.0f;
    high->activity() = 3.0f;

    reduceDB_lt lt;
    EXPECT_TRUE(lt(high, bin2));   // longer before binary whatever the activity
    EXPECT_FALSE(lt(bin2, high));
    EXPECT_FALSE(lt(bin1, bin2));  // binaries are equal
    EXPECT_FALSE(lt(bin2, bin1));
    EXPECT_TRUE(lt(low, high));
    EXPECT_FALSE(lt(high, low));

    vec<Clause*> cs;
    cs.push(bin1);
    cs.push(high);
    cs.push(bin2);
    cs.push(mid);
    cs.push(low);
    sort(cs, lt);
    EXPECT_EQ(cs[0], low);
    EXPECT_EQ(cs[1], mid);
    EXPECT_EQ(cs[2], high);
    EXPECT_EQ(cs[3]->size(), 2);
    EXPECT_EQ(cs[4]->size(), 2);
    for (int i = 0; i < cs.size(); i++) std::free(cs[i]);
}

}  // namespace
